#include "core/SiblingTempFile.h"

#include "platform/db/DbError.h"
#include "platform/shell/ExistingFile.h"
#include "platform/shell/FileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace fw {

namespace {

constexpr qint64 kCopyChunk = 1 << 20;

TSiblingProbe& SiblingProbe() {
  static TSiblingProbe probe;
  return probe;
}

} // namespace

EFileWriteError::EFileWriteError(const QString& destination, const QString& cause)
    : std::runtime_error(("写入文件失败 " + destination + "：" + cause).toStdString()),
      destination_(destination),
      cause_(cause) {}

QString DatabaseFailureCause(const EDatabaseError& error) {
  return error.DiskFull() ? FileErrorCause(ENOSPC) : error.Message();
}

void SetSiblingProbe(TSiblingProbe probe) { SiblingProbe() = std::move(probe); }

void TSiblingTempFile::Probe(TSiblingStep step) const {
  if (SiblingProbe()) SiblingProbe()(step, destination_);
}

TSiblingTempFile::TSiblingTempFile(const QString& destination)
    : destination_(QFileInfo(destination).absoluteFilePath()) {
  if (const int error = work_.Create(destination_)) Fail(error);
  Probe(TSiblingStep::Created);
}

TSiblingTempFile::~TSiblingTempFile() = default;

void TSiblingTempFile::Fail(int error) const { throw EFileWriteError(destination_, FileErrorCause(error)); }

int TSiblingTempFile::Descriptor() {
  const int fd = work_.Descriptor();
  if (fd < 0) Fail(errno);
  return fd;
}

int TSiblingTempFile::OpenWriter(TFileWriter& writer) { return work_.OpenWriter(writer); }

void TSiblingTempFile::CopyFromDescriptor(int in, const QString& source) {
  TFileWriter out;
  if (const int error = OpenWriter(out)) Fail(error);
  QByteArray chunk(kCopyChunk, Qt::Uninitialized);
  for (qint64 offset = 0;;) {
    const qint64 got = ReadAt(in, chunk.data(), chunk.size(), offset);
    if (got < 0) throw std::runtime_error(("读取文件失败 " + source + "：" + FileErrorCause(errno)).toStdString());
    if (got == 0) break;
    if (const int error = out.Write(chunk.constData(), got)) Fail(error);
    offset += got;
  }
  if (const int error = out.Close()) Fail(error);
  Probe(TSiblingStep::Written);
}

void TSiblingTempFile::CopyFrom(const QString& source) {
  const int in = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
  if (in < 0) throw std::runtime_error(("无法打开文件 " + source + "：" + FileErrorCause(errno)).toStdString());
  try {
    CopyFromDescriptor(in, source);
  } catch (...) {
    ::close(in);
    throw;
  }
  ::close(in);
}

void TSiblingTempFile::CopyFrom(const TExistingFile& source) {
  const int in = source.Reader();
  if (in < 0) throw std::runtime_error(("无法打开文件 " + source.Path() + "：" + FileErrorCause(errno)).toStdString());
  CopyFromDescriptor(in, source.Path());
}

void TSiblingTempFile::WriteAll(const QByteArray& data) {
  TFileWriter out;
  if (const int error = OpenWriter(out)) Fail(error);
  if (const int error = out.Write(data)) Fail(error);
  if (const int error = out.Close()) Fail(error);
  Probe(TSiblingStep::Written);
}

void TSiblingTempFile::Fill(const std::function<void(const QString& path)>& fill) {
  try {
    fill(work_.Path());
  } catch (const EFileWriteError& e) {
    throw EFileWriteError(destination_, e.Cause());
  } catch (const EDatabaseError& e) {
    throw EFileWriteError(destination_, DatabaseFailureCause(e));
  } catch (const std::exception& e) {
    throw EFileWriteError(destination_, QString::fromUtf8(e.what()));
  }
  Probe(TSiblingStep::Written);
}

void TSiblingTempFile::MoveIntoPlace() {
  Probe(TSiblingStep::Moving);
  if (const int error = work_.MoveIntoPlace(destination_)) Fail(error);
}

} // namespace fw
