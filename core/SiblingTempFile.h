#pragma once
// A working file beside a destination: written under a recognisable temporary name in the
// destination's own folder (see platform/shell/TempFiles.h), then synced and renamed over
// the destination in one step, so that the destination is either the complete new file or
// left as it was, also after a crash or a power cut. The working file (and a journal the
// database engine may have left beside it) is removed unless it was moved into place.
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

class TSiblingTempFile {
public:
  // Creates an empty working file in destination's folder, after removing the stale
  // temporaries there. Throws EFileWriteError when the folder cannot take it.
  explicit TSiblingTempFile(const QString& destination);
  ~TSiblingTempFile();
  TSiblingTempFile(const TSiblingTempFile&) = delete;
  TSiblingTempFile& operator=(const TSiblingTempFile&) = delete;

  QString Path() const { return temp_.Path(); }
  QString Destination() const { return destination_; }

  // Fills the working file with the content of source. A source that cannot be read
  // throws std::runtime_error naming it; a failed write throws EFileWriteError.
  void CopyFrom(const QString& source);

  // Makes data the whole content of the working file. Throws EFileWriteError.
  void WriteAll(const QByteArray& data);

  // Runs fill, which writes the working file by its own means (the database engine);
  // whatever fails in it is raised again as EFileWriteError naming the destination.
  void Fill(const std::function<void(const QString& path)>& fill);

  // Syncs the working file, renames it over the destination (replacing an existing file)
  // and syncs the folder. Throws EFileWriteError when that fails; the working file is
  // then removed as usual.
  void MoveIntoPlace();

private:
  [[noreturn]] void Fail(int error) const;

  QString destination_;
  TTemporary temp_;
};

} // namespace fw
