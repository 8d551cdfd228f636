#include "core/SiblingTempFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace fw {

TSiblingTempFile::TSiblingTempFile(const QString& destination) : destination_(destination) {
  const QFileInfo info(destination);
  QTemporaryFile file(info.absoluteDir().filePath(QStringLiteral(".fenwright-XXXXXX.tmp")));
  file.setAutoRemove(false);
  if (!file.open())
    throw std::runtime_error(("无法创建文件 " + info.absoluteFilePath() + "：" + file.errorString()).toStdString());
  path_ = file.fileName();
}

TSiblingTempFile::~TSiblingTempFile() {
  if (path_.isEmpty()) return;
  QFile::remove(path_);
  QFile::remove(path_ + QStringLiteral("-journal"));
}

void TSiblingTempFile::MoveIntoPlace() {
  // rename() replaces an existing destination atomically within one folder.
  if (std::rename(QFile::encodeName(path_).constData(), QFile::encodeName(destination_).constData()) != 0)
    throw std::runtime_error(
        ("写入文件失败 " + destination_ + "：" + QString::fromLocal8Bit(std::strerror(errno))).toStdString());
  path_.clear();
}

} // namespace fw
