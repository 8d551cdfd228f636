#pragma once
// A file written straight through the system's calls, so that a failing write keeps its
// cause (errno): a full disk can then be told apart from any other failure; and reading
// an open file the same way.

#include <QByteArray>
#include <QString>

namespace fw {

class TFileWriter {
public:
  TFileWriter() = default;
  ~TFileWriter();
  TFileWriter(const TFileWriter&) = delete;
  TFileWriter& operator=(const TFileWriter&) = delete;

  // Opens path for writing, creating it or cutting it to nothing. Returns errno or 0.
  int Open(const QString& path);
  // The same for the file `name` of the open folder folderFd, never through a link.
  int OpenAt(int folderFd, const QString& name);
  // Writes into the open descriptor fd, which it takes over (closed even on failure),
  // from the start of the file, cut to nothing first. Returns errno or 0.
  int Adopt(int fd);
  // Writes all of data (retrying short writes); returns errno or 0.
  int Write(const char* data, qint64 size);
  int Write(const QByteArray& data) { return Write(data.constData(), data.size()); }
  // Closes the file; returns errno or 0 (some file systems report a failed write here).
  int Close();

private:
  int fd_ = -1;
};

// Reads up to size bytes of the file open on fd, from offset on, into data, retrying
// interrupted and short reads: fewer only at the end of the file. Returns the bytes read,
// or -1 with errno set.
qint64 ReadAt(int fd, char* data, qint64 size, qint64 offset);

// For tests: the writes of every TFileWriter fail with error once `bytes` more bytes have
// been written (what a disk that fills up does). ClearWriteFault switches it off.
void InjectWriteFault(qint64 bytes, int error);
void ClearWriteFault();

} // namespace fw
