#pragma once
// A file written for a destination in the destination's own folder: inside a private work
// folder there (TWorkFileBeside, platform/shell/TempFiles.h) that no one else can enter,
// then synced and renamed out over the destination in one step, so that the destination
// is either the complete new file or left as it was, also after a crash or a power cut,
// and nothing another user plants or swaps in the folder reaches the work. The work
// folder goes with the object, with whatever is left in it, on every path.
//
// Failures are reported in terms of the destination, never of the working file:
// "写入文件失败 <destination>：<cause>", a full disk saying so.

#include "platform/shell/TempFiles.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <stdexcept>

namespace fw {

class EDatabaseError;

// A file that could not be written: the file the person knows and the cause.
class EFileWriteError : public std::runtime_error {
public:
  EFileWriteError(const QString& destination, const QString& cause);
  QString Destination() const { return destination_; }
  QString Cause() const { return cause_; }

private:
  QString destination_;
  QString cause_;
};

// The cause of a database engine failure in words for a message: a full disk says so.
QString DatabaseFailureCause(const EDatabaseError& error);

// The steps of a write beside a destination: the working file made, a write into it
// done (a copy, the whole content, or the work of Fill), and the moment before it is
// moved into place.
enum class TSiblingStep { Created, Written, Moving };

// For tests: called at each step with the destination, so that a test can do there what
// another user of the folder could, or check what must hold meanwhile. Empty: none.
using TSiblingProbe = std::function<void(TSiblingStep step, const QString& destination)>;
void SetSiblingProbe(TSiblingProbe probe);

class TExistingFile;
class TFileWriter;

class TSiblingTempFile {
public:
  // Creates the work folder and the empty working file for destination, after removing
  // the stale temporaries in destination's folder. Throws EFileWriteError when the folder
  // cannot take them.
  explicit TSiblingTempFile(const QString& destination);
  ~TSiblingTempFile();
  TSiblingTempFile(const TSiblingTempFile&) = delete;
  TSiblingTempFile& operator=(const TSiblingTempFile&) = delete;

  // The working file's name, for the database engine, which opens files by name only.
  QString Path() const { return work_.Path(); }
  QString Destination() const { return destination_; }

  // The working file as it stands now, open for reading and writing (see
  // TWorkFileBeside::Descriptor). Throws EFileWriteError when it cannot be had.
  int Descriptor();

  // Hands writer the working file, cut to nothing. Returns errno or 0.
  int OpenWriter(TFileWriter& writer);

  // Fills the working file with the content of source (a file of the program's own), or
  // of the existing plain file opened once (read through its own handle, never by
  // name). A source that cannot be read throws std::runtime_error naming it; a failed
  // write throws EFileWriteError.
  void CopyFrom(const QString& source);
  void CopyFrom(const TExistingFile& source);

  // Makes data the whole content of the working file. Throws EFileWriteError.
  void WriteAll(const QByteArray& data);

  // Runs fill, which writes the working file by its own means (the database engine);
  // whatever fails in it is raised again as EFileWriteError naming the destination.
  void Fill(const std::function<void(const QString& path)>& fill);

  // Syncs the working file, renames it over the destination (replacing an existing file)
  // and syncs the folder. Throws EFileWriteError when that fails.
  void MoveIntoPlace();

private:
  [[noreturn]] void Fail(int error) const;
  void Probe(TSiblingStep step) const;
  void CopyFromDescriptor(int in, const QString& source);

  QString destination_;
  TWorkFileBeside work_;
};

} // namespace fw
