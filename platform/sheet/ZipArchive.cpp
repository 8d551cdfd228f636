#include "platform/sheet/ZipArchive.h"

#include "platform/sheet/SheetTypes.h"
#include "platform/sheet/ZipStreamWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <new>
#include <zip.h>

namespace fw {

namespace {

// A part of a workbook beyond this size is taken for damage or a decompression bomb.
constexpr zip_uint64_t kMaxPartSize = 1024ull * 1024 * 1024;

QString Damaged(const QString& path) {
  return QStringLiteral("文件“%1”已损坏或不是有效的电子表格文件（.xlsx/.xltx）。").arg(QDir::toNativeSeparators(path));
}

} // namespace

TZipReader::TZipReader(const QString& path) : path_(path) {
  if (!QFileInfo(path).isFile())
    throw ESheetError(QStringLiteral("文件“%1”不存在。").arg(QDir::toNativeSeparators(path)));
  int error = 0;
  zip_ = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
  if (!zip_) throw ESheetError(Damaged(path));
}

TZipReader::~TZipReader() {
  if (zip_) zip_discard(zip_);
}

bool TZipReader::Contains(const QString& name) const {
  return zip_name_locate(zip_, name.toUtf8().constData(), ZIP_FL_NOCASE | ZIP_FL_ENC_GUESS) >= 0;
}

QByteArray TZipReader::Read(const QString& name) const {
  const zip_int64_t index = zip_name_locate(zip_, name.toUtf8().constData(), ZIP_FL_NOCASE | ZIP_FL_ENC_GUESS);
  if (index < 0) throw ESheetError(Damaged(path_) + QStringLiteral("缺少部件 %1。").arg(name));
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(zip_, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) || stat.size > kMaxPartSize)
    throw ESheetError(Damaged(path_));
  zip_file_t* file = zip_fopen_index(zip_, index, 0);
  if (!file) throw ESheetError(Damaged(path_));
  QByteArray data;
  try {
    data.resize(static_cast<qsizetype>(stat.size));
  } catch (const std::bad_alloc&) {
    zip_fclose(file);
    throw ESheetError(QStringLiteral("文件“%1”过大，内存不足，无法打开。").arg(QDir::toNativeSeparators(path_)));
  }
  zip_uint64_t done = 0;
  while (done < stat.size) {
    const zip_int64_t n = zip_fread(file, data.data() + done, stat.size - done);
    if (n <= 0) break;
    done += static_cast<zip_uint64_t>(n);
  }
  // One more read tells a damaged entry (checksum, truncated data) from a good end.
  char probe = 0;
  const bool failed = done != stat.size || zip_fread(file, &probe, 1) != 0;
  zip_fclose(file);
  if (failed) throw ESheetError(Damaged(path_));
  return data;
}

void TZipWriter::Add(const QString& name, QByteArray data) { entries_.emplace_back(name, std::move(data)); }

void TZipWriter::Save(const QString& target) const {
  TZipStreamWriter zip(target);
  for (const auto& [name, data] : entries_) zip.Add(name, data);
  zip.Commit();
}

} // namespace fw
