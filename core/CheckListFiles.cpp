#include "core/CheckListFiles.h"

#include "platform/shell/Folders.h"

#include <QDir>
#include <QFileInfo>

namespace fw {

QString CheckListReadPath(const QString& name) {
  const QString own = QDir(UserConfigFolder()).filePath(name);
  return QFileInfo(own).isFile() ? own : ProgramFile(name);
}

} // namespace fw
