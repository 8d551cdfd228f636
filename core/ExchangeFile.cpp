#include "core/ExchangeFile.h"

#include "core/FileUtils.h"
#include "core/SiblingTempFile.h"
#include "core/SurveyModel.h"
#include "platform/shell/FileWriter.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace fw {

namespace {

[[noreturn]] void Fail(const QString& what, const QString& fileName, const QString& reason) {
  throw std::runtime_error((what + fileName + "：" + reason).toStdString());
}

enum class THeaderTransform { Scramble, Restore };

void Transform(char* data, qsizetype size, THeaderTransform transform) {
  if (transform == THeaderTransform::Scramble)
    ScrambleBytes(data, size);
  else
    RestoreBytes(data, size);
}

// Reads the header through fd, transforms only the bytes actually read and writes them
// back over themselves. The file is never truncated or extended.
void TransformHeader(int fd, const QString& shownName, THeaderTransform transform) {
  QByteArray header(kScrambledHeaderSize, Qt::Uninitialized);
  const qint64 got = ReadAt(fd, header.data(), header.size(), 0);
  if (got < 0) Fail("读取文件失败 ", shownName, FileErrorCause(errno));
  header.truncate(got);
  if (header.isEmpty()) return;
  Transform(header.data(), header.size(), transform);
  ssize_t put;
  do put = ::pwrite(fd, header.constData(), static_cast<size_t>(header.size()), 0);
  while (put < 0 && errno == EINTR);
  if (put != header.size()) throw EFileWriteError(shownName, FileErrorCause(put < 0 ? errno : EIO));
}

bool TransformHeaderInPlace(const QString& fileName, THeaderTransform transform) {
  const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return false;
    throw EFileWriteError(fileName, FileErrorCause(errno));
  }
  try {
    TransformHeader(fd, fileName, transform);
  } catch (...) {
    ::close(fd);
    throw;
  }
  if (::close(fd) != 0) throw EFileWriteError(fileName, FileErrorCause(errno));
  return true;
}

bool EndsWithExact(const QString& name, const QString& extension) {
  return name.endsWith(extension, Qt::CaseSensitive);
}

} // namespace

bool ScrambleFileHeader(const QString& fileName) {
  return TransformHeaderInPlace(fileName, THeaderTransform::Scramble);
}

bool RestoreFileHeader(const QString& fileName) {
  return TransformHeaderInPlace(fileName, THeaderTransform::Restore);
}

void ScrambleFileHeader(int fd, const QString& shownName) { TransformHeader(fd, shownName, THeaderTransform::Scramble); }

TExchangeFileAccess OpenExchangeFileByTrial(const QString& fileName, const TExchangeOpenTrial& tryOpen) {
  TExchangeFileAccess access;
  if (!QFileInfo(fileName).isFile()) return access;
  TChosenFileCopy copy = CopyChosenFile(fileName);
  if (copy.Path.isEmpty()) return access;
  // Random first bytes are a keyed file's salt; the signature, plain or scrambled, is a
  // plain file's.
  const bool keyed = copy.Header == TChosenHeader::Random;
  bool opened = copy.Header != TChosenHeader::Scrambled && tryOpen(copy.Path, keyed);
  if (!opened && copy.Header != TChosenHeader::Plain) {
    try {
      RestoreFileHeader(copy.Path);
    } catch (const std::exception& e) {
      // The working copy is the program's own business: the message names the chosen file.
      const auto* write = dynamic_cast<const EFileWriteError*>(&e);
      Fail("无法复制文件 ", fileName, write ? write->Cause() : QString::fromUtf8(e.what()));
    }
    opened = tryOpen(copy.Path, keyed);
  }
  if (!opened) return access; // the folder and the copy are removed here
  access.Opened = true;
  access.Path = copy.Path;
  access.Keyed = keyed;
  access.WorkFolder = std::move(copy.Folder);
  return access;
}

bool AskExportLabel(const QString& current, QString& name) {
  name = current;
  for (;;) {
    if (!CurrentHooks().InputBox(QStringLiteral("设置数据库标识"),
                                 QStringLiteral("请输入提供数据的单位的名称，长度不要超过200个汉字"), name))
      return false;
    if (name != kDefaultDatabaseLabel) return true;
    ShowMessage(QStringLiteral("必须修改默认的名称！"));
  }
}

QString OfflineExportProposedName(const QString& label, const QDate& today) {
  return SafeFileNamePart(label) + "-" + today.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral("(离线版)");
}

QString DatFileName(const QString& chosen) {
  if (chosen.size() > 4 && EndsWithExact(chosen, ".dat")) return chosen;
  return chosen + ".dat";
}

QString ImportFileName(const QString& chosen, int filterIndex) {
  return WithEndingWhenLong(chosen, filterIndex == 2 ? QStringLiteral(".mdb") : QStringLiteral(".dat"));
}

QString BackupFileName(const QString& chosen) { return WithEndingWhenLong(chosen, QStringLiteral(".mdb")); }

QString BuildClashReport(std::vector<TClashRecord> records) {
  std::stable_sort(records.begin(), records.end(),
                   [](const TClashRecord& a, const TClashRecord& b) { return a.c901 < b.c901; });
  QString text = QStringLiteral("在准备导入的文件中，如下的记录与现有的记录发生编号冲突\n");
  text += QString(80, QChar('-')) + "\n";
  for (const TClashRecord& record : records)
    text += "(" + QString::number(record.c901) + "," + record.c902 + ")\n";
  return text;
}

QString WriteImportClashReport(const QString& folder, std::vector<TClashRecord> records) {
  const QString path = QDir(folder).filePath(kImportClashReportName);
  TSiblingTempFile file(path);
  file.WriteAll(BuildClashReport(std::move(records)).toUtf8());
  file.MoveIntoPlace();
  return path;
}

QString ImportClashMessage(const QString& reportPath) {
  return QStringLiteral("导入过程中发生错误，准备导入的数据可能与现有的\n数据有重复的内容，详细的内容请参见文件：\n\n") +
         QString(12, QChar(' ')) + reportPath + QStringLiteral("。");
}

} // namespace fw
