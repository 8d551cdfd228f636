#include "core/FileUtils.h"

#include <QFile>
#include <QSaveFile>
#include <stdexcept>

namespace fw {

void CopyFileStream(const QString& source, const QString& destination) {
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly))
    throw std::runtime_error(("无法打开文件 " + source + "：" + in.errorString()).toStdString());
  QSaveFile out(destination);
  if (!out.open(QIODevice::WriteOnly))
    throw std::runtime_error(("无法创建文件 " + destination + "：" + out.errorString()).toStdString());
  constexpr qint64 kChunk = 1 << 20;
  while (!in.atEnd()) {
    const QByteArray chunk = in.read(kChunk);
    if (chunk.isEmpty() && in.error() != QFileDevice::NoError) {
      out.cancelWriting();
      throw std::runtime_error(("读取文件失败 " + source + "：" + in.errorString()).toStdString());
    }
    if (out.write(chunk) != chunk.size()) {
      out.cancelWriting();
      throw std::runtime_error(("写入文件失败 " + destination + "：" + out.errorString()).toStdString());
    }
  }
  if (!out.commit())
    throw std::runtime_error(("写入文件失败 " + destination + "：" + out.errorString()).toStdString());
}

QString WithEndingWhenLong(const QString& chosen, const QString& ending) {
  if (chosen.size() > 4 && !chosen.endsWith(ending, Qt::CaseSensitive)) return chosen + ending;
  return chosen;
}

} // namespace fw
