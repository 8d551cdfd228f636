#include "core/SiblingTempFile.h"

#include "platform/db/DbError.h"
#include "platform/shell/FileWriter.h"

#include <QFile>
#include <QFileInfo>

namespace fw {

namespace {

constexpr qint64 kCopyChunk = 1 << 20;

} // namespace

EFileWriteError::EFileWriteError(const QString& destination, const QString& cause)
    : std::runtime_error(("写入文件失败 " + destination + "：" + cause).toStdString()),
      destination_(destination),
      cause_(cause) {}

QString DatabaseFailureCause(const EDatabaseError& error) {
  return error.DiskFull() ? FileErrorCause(ENOSPC) : error.Message();
}

TSiblingTempFile::TSiblingTempFile(const QString& destination)
    : destination_(QFileInfo(destination).absoluteFilePath()) {
  int error = 0;
  temp_ = CreateTempFile(QFileInfo(destination_).absolutePath(), &error);
  if (!temp_.IsValid()) Fail(error);
}

TSiblingTempFile::~TSiblingTempFile() {
  if (!temp_.IsValid()) return;
  QFile::remove(temp_.Path());
  QFile::remove(temp_.Path() + QStringLiteral("-journal"));
}

void TSiblingTempFile::Fail(int error) const { throw EFileWriteError(destination_, FileErrorCause(error)); }

void TSiblingTempFile::CopyFrom(const QString& source) {
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly))
    throw std::runtime_error(("无法打开文件 " + source + "：" + in.errorString()).toStdString());
  TFileWriter out;
  if (const int error = out.Open(temp_.Path())) Fail(error);
  while (!in.atEnd()) {
    const QByteArray chunk = in.read(kCopyChunk);
    if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
      throw std::runtime_error(("读取文件失败 " + source + "：" + in.errorString()).toStdString());
    if (const int error = out.Write(chunk)) Fail(error);
  }
  if (const int error = out.Close()) Fail(error);
}

void TSiblingTempFile::WriteAll(const QByteArray& data) {
  TFileWriter out;
  if (const int error = out.Open(temp_.Path())) Fail(error);
  if (const int error = out.Write(data)) Fail(error);
  if (const int error = out.Close()) Fail(error);
}

void TSiblingTempFile::Fill(const std::function<void(const QString& path)>& fill) {
  try {
    fill(temp_.Path());
  } catch (const EFileWriteError& e) {
    throw EFileWriteError(destination_, e.Cause());
  } catch (const EDatabaseError& e) {
    throw EFileWriteError(destination_, DatabaseFailureCause(e));
  } catch (const std::exception& e) {
    throw EFileWriteError(destination_, QString::fromUtf8(e.what()));
  }
}

void TSiblingTempFile::MoveIntoPlace() {
  const int error = RenameIntoPlace(temp_, destination_);
  // Once renamed (only the folder's sync may have failed) the working file is the destination.
  if (!QFile::exists(temp_.Path())) temp_ = TTemporary();
  if (error) Fail(error);
}

} // namespace fw
