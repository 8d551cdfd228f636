#include "platform/shell/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace fw {

namespace {

QString& ProgramFolderOverride() {
  static QString folder;
  return folder;
}

QString Ensured(const QString& folder) {
  QDir().mkpath(folder);
  return folder;
}

} // namespace

QString ProgramFolder() {
  if (!ProgramFolderOverride().isEmpty()) return ProgramFolderOverride();
  return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

void SetProgramFolder(const QString& folder) { ProgramFolderOverride() = folder; }

QString ProgramFile(const QString& name) { return QDir(ProgramFolder()).filePath(name); }

QString PersonalFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  return Ensured(folder);
}

QString SafeFileNamePart(const QString& text, int maxLength) {
  QString safe = text.left(maxLength);
  if (!safe.isEmpty() && safe.back().isHighSurrogate()) safe.chop(1);  // never half a character
  for (QChar& c : safe)
    if (c.unicode() < 0x20 || c == QChar(0x7F) || QStringView(u"/\\:*?\"<>|").contains(c)) c = QLatin1Char('_');
  return safe;
}

QString UserConfigFolder() {
  const QString overridden = qEnvironmentVariable("FENWRIGHT_REGISTRY_DIR");
  if (!overridden.isEmpty()) return Ensured(overridden);
  return Ensured(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/fenwright");
}

QString UserCacheFolder() {
  return Ensured(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/fenwright");
}

TWorkFolder::TWorkFolder() {
  const QString pattern = WorkFolderTemplate();
  if (pattern.isEmpty()) return;
  // A sweep of another process may take a folder made a moment ago, before its lock: then
  // another is made.
  for (int attempt = 0; attempt < 3 && !held_.IsValid(); ++attempt) {
    dir_ = std::make_unique<QTemporaryDir>(pattern);
    if (dir_->isValid()) held_ = HoldWorkFolder(dir_->path());
  }
}

} // namespace fw
