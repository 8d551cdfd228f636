#pragma once
// A working file beside a destination: written under a private name in the destination's
// own folder, then renamed over the destination in one step, so that the destination is
// either the complete new file or left as it was. The working file (and a journal the
// database engine may have left beside it) is removed unless it was moved into place.

#include <QString>

namespace fw {

class TSiblingTempFile {
public:
  // Creates an empty file with a fresh hidden name in destination's folder. Throws
  // std::runtime_error when the folder cannot take it.
  explicit TSiblingTempFile(const QString& destination);
  ~TSiblingTempFile();
  TSiblingTempFile(const TSiblingTempFile&) = delete;
  TSiblingTempFile& operator=(const TSiblingTempFile&) = delete;

  QString Path() const { return path_; }

  // Renames the working file over the destination (replacing an existing file). Throws
  // std::runtime_error when that fails; the working file is then removed as usual.
  void MoveIntoPlace();

private:
  QString destination_;
  QString path_;
};

} // namespace fw
