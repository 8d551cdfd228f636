#include "core/ExchangeFile.h"

#include "core/FileUtils.h"
#include "core/SurveyModel.h"
#include "platform/shell/Hooks.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <stdexcept>

namespace fw {

namespace {

[[noreturn]] void Fail(const QString& what, const QString& fileName, const QString& reason) {
  throw std::runtime_error((what + fileName + "：" + reason).toStdString());
}

void Transform(char* data, qsizetype size, THeaderTransform transform) {
  if (transform == THeaderTransform::Scramble)
    ScrambleBytes(data, size);
  else
    RestoreBytes(data, size);
}

// Reads the header, transforms only the bytes actually read and writes them back over
// themselves. The file is never truncated or extended.
bool TransformHeaderInPlace(const QString& fileName, THeaderTransform transform) {
  if (!QFile::exists(fileName)) return false;
  QFile file(fileName);
  if (!file.open(QIODevice::ReadWrite)) Fail("无法打开文件 ", fileName, file.errorString());
  QByteArray header = file.read(kScrambledHeaderSize);
  if (file.error() != QFileDevice::NoError) Fail("读取文件失败 ", fileName, file.errorString());
  if (header.isEmpty()) return true;
  Transform(header.data(), header.size(), transform);
  if (!file.seek(0) || file.write(header) != header.size() || !file.flush())
    Fail("写入文件失败 ", fileName, file.errorString());
  file.close();
  if (file.error() != QFileDevice::NoError) Fail("写入文件失败 ", fileName, file.errorString());
  return true;
}

bool EndsWithExact(const QString& name, const QString& extension) {
  return name.endsWith(extension, Qt::CaseSensitive);
}

QString QuoteColumn(const QString& name) { return "[" + name + "]"; }

} // namespace

void ScrambleBytes(char* data, qsizetype size) {
  for (qsizetype i = 0; i < size; ++i)
    data[i] = static_cast<char>(ScrambleByte(static_cast<unsigned char>(data[i])));
}

void RestoreBytes(char* data, qsizetype size) {
  for (qsizetype i = 0; i < size; ++i)
    data[i] = static_cast<char>(RestoreByte(static_cast<unsigned char>(data[i])));
}

bool ScrambleFileHeader(const QString& fileName) {
  return TransformHeaderInPlace(fileName, THeaderTransform::Scramble);
}

bool RestoreFileHeader(const QString& fileName) {
  return TransformHeaderInPlace(fileName, THeaderTransform::Restore);
}

void CopyFileTransformingHeader(const QString& source, const QString& destination, THeaderTransform transform) {
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly)) Fail("无法打开文件 ", source, in.errorString());
  QSaveFile out(destination);
  if (!out.open(QIODevice::WriteOnly)) Fail("无法创建文件 ", destination, out.errorString());
  constexpr qint64 kChunk = 1 << 20;
  bool first = true;
  while (!in.atEnd()) {
    QByteArray chunk = in.read(kChunk);
    if (chunk.isEmpty() && in.error() != QFileDevice::NoError) {
      out.cancelWriting();
      Fail("读取文件失败 ", source, in.errorString());
    }
    if (first) Transform(chunk.data(), std::min<qsizetype>(chunk.size(), kScrambledHeaderSize), transform);
    first = false;
    if (out.write(chunk) != chunk.size()) {
      out.cancelWriting();
      Fail("写入文件失败 ", destination, out.errorString());
    }
  }
  if (!out.commit()) Fail("写入文件失败 ", destination, out.errorString());
}

TExchangeFileAccess OpenExchangeFileByTrial(const QString& fileName, const TExchangeOpenTrial& tryOpen) {
  TExchangeFileAccess access;
  if (!QFile::exists(fileName)) return access;
  for (const bool keyed : {false, true}) {
    if (tryOpen(fileName, keyed)) {
      access.Opened = true;
      access.Path = fileName;
      access.Keyed = keyed;
      return access;
    }
  }
  auto folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/fenwright-XXXXXX");
  if (!folder->isValid()) Fail("无法创建临时文件夹 ", folder->path(), folder->errorString());
  const QString copy = folder->filePath(QStringLiteral("temp.dat"));
  CopyFileTransformingHeader(fileName, copy, THeaderTransform::Restore);
  for (const bool keyed : {false, true}) {
    if (tryOpen(copy, keyed)) {
      access.Opened = true;
      access.Path = copy;
      access.Keyed = keyed;
      access.WorkFolder = std::move(folder);
      return access;
    }
  }
  return access; // folder and copy are removed here
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
  return label + "-" + today.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral("(离线版)");
}

QString OfflineExportFileName(const QString& chosen) {
  if (chosen.size() > 4 && EndsWithExact(chosen, ".dat")) return chosen;
  return chosen + ".dat";
}

QString ImportFileName(const QString& chosen, int filterIndex) {
  return WithEndingWhenLong(chosen, filterIndex == 2 ? QStringLiteral(".mdb") : QStringLiteral(".dat"));
}

QString BackupFileName(const QString& chosen) { return WithEndingWhenLong(chosen, QStringLiteral(".mdb")); }

QStringList CommonColumns(const QStringList& targetColumns, const QStringList& sourceColumns) {
  QStringList common;
  for (const QString& column : targetColumns)
    if (sourceColumns.contains(column, Qt::CaseInsensitive)) common << column;
  return common;
}

QString BuildCopyByNameSql(const QString& target, const QString& source, const QStringList& columns,
                           const QString& where) {
  if (columns.isEmpty()) return QString();
  QStringList quoted;
  quoted.reserve(columns.size());
  for (const QString& column : columns) quoted << QuoteColumn(column);
  const QString list = quoted.join(',');
  QString sql = "INSERT INTO " + target + " (" + list + ") SELECT " + list + " FROM " + source;
  if (!where.isEmpty()) sql += " WHERE " + where;
  return sql;
}

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
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) Fail("无法创建文件 ", path, file.errorString());
  const QByteArray text = BuildClashReport(std::move(records)).toUtf8();
  if (file.write(text) != text.size() || !file.commit()) Fail("写入文件失败 ", path, file.errorString());
  return path;
}

QString ImportClashMessage(const QString& reportPath) {
  return QStringLiteral("导入过程中发生错误，准备导入的数据可能与现有的\n数据有重复的内容，详细的内容请参见文件：\n\n") +
         QString(12, QChar(' ')) + reportPath + QStringLiteral("。");
}

} // namespace fw
