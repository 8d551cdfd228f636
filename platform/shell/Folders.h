#pragma once
// The folders the program works with: its own folder, the user's documents folder
// ("Personal"), the per-user configuration and cache folders, and private temporary
// folders that vanish on every path.

#include "platform/shell/TempFiles.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace fw {

// The program folder: the folder of the executable, where the shipped database, the
// exchange template, templates, notes and pictures lie. Tests point it at a private copy.
QString ProgramFolder();
void SetProgramFolder(const QString& folder);

// A path inside the program folder.
QString ProgramFile(const QString& name);

// The user's documents folder ("Personal"): default folder of file dialogs and the home
// of the reports the program writes for the user. Created when missing.
QString PersonalFolder();

// A text made fit to be part of a file name: every character a file name cannot hold
// here or on other desktops (/ \ : * ? " < > | and control characters) becomes "_", and
// the text is cut to `maxLength` characters so that the whole name stays within the
// file system's limit.
QString SafeFileNamePart(const QString& text, int maxLength = 60);

// Per-user configuration ($FENWRIGHT_REGISTRY_DIR, else $XDG_CONFIG_HOME/fenwright) and
// cache ($XDG_CACHE_HOME/fenwright) folders. Created when missing.
QString UserConfigFolder();
QString UserCacheFolder();

// A private temporary folder, "fenwright-<pid>-XXXXXX" in the user's own temporary folder
// (PrivateTempFolder, TempFiles.h), marked as in use while the object lives and removed
// with everything in it when it goes (see TempFiles.h for what a killed process leaves).
// Not valid when no private folder could be had.
class TWorkFolder {
public:
  TWorkFolder();
  bool IsValid() const { return dir_ && dir_->isValid() && held_.IsValid(); }
  QString Path() const { return dir_ ? dir_->path() : QString(); }
  QString FilePath(const QString& name) const { return dir_ ? dir_->filePath(name) : QString(); }

private:
  TTemporary held_;  // declared first: let go only after the folder is removed
  std::unique_ptr<QTemporaryDir> dir_;
};

} // namespace fw
