#include "platform/sheet/ZipStreamWriter.h"

#include "platform/shell/Hooks.h"
#include "platform/shell/TempFiles.h"
#include "platform/sheet/SheetTypes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace fw {

namespace {

constexpr std::uint64_t kClassicLimit = 0xFFFFFFFFu;
constexpr qsizetype kWritePiece = 1 << 20;
// Made by and needed: 2.0 for plain entries, 4.5 for zip64; "made by" on a Unix system.
constexpr std::uint16_t kVersion = 20, kVersion64 = 45, kMadeBy = (3 << 8) | 45;
constexpr std::uint16_t kUtf8Names = 0x0800;
constexpr std::uint16_t kDeflated = 8;

void Put16(QByteArray& out, std::uint16_t v) {
  out.append(char(v & 0xFF));
  out.append(char(v >> 8));
}
void Put32(QByteArray& out, std::uint32_t v) {
  Put16(out, std::uint16_t(v & 0xFFFF));
  Put16(out, std::uint16_t(v >> 16));
}
void Put64(QByteArray& out, std::uint64_t v) {
  Put32(out, std::uint32_t(v & 0xFFFFFFFFu));
  Put32(out, std::uint32_t(v >> 32));
}
std::uint32_t Classic(std::uint64_t v) { return v >= kClassicLimit ? 0xFFFFFFFFu : std::uint32_t(v); }

QString Shown(const QString& target) { return QDir::toNativeSeparators(target); }

} // namespace

TZipStreamWriter::TZipStreamWriter(const QString& target) : target_(QFileInfo(target).absoluteFilePath()) {
  const QFileInfo info(target_);
  if (!info.absoluteDir().exists())
    throw ESheetError(QStringLiteral("无法保存“%1”：文件夹不存在。").arg(Shown(target)));
  if (info.isDir()) throw ESheetError(QStringLiteral("无法保存“%1”：这是一个文件夹。").arg(Shown(target)));
  int error = work_.Create(target_);
  if (error == 0) error = work_.OpenWriter(file_);
  if (error != 0) throw ESheetError(QStringLiteral("无法保存“%1”：%2。").arg(Shown(target), FileErrorCause(error)), error);
  open_ = true;
  const QDateTime now = Now();
  dosTime_ = std::uint16_t((now.time().hour() << 11) | (now.time().minute() << 5) | (now.time().second() / 2));
  dosDate_ = std::uint16_t(((std::max(now.date().year(), 1980) - 1980) << 9) | (now.date().month() << 5) | now.date().day());
  pending_.reserve(kWritePiece + 64 * 1024);
}

TZipStreamWriter::~TZipStreamWriter() { CloseFile(); }

void TZipStreamWriter::OpenWorkingFile(const QString& name, TFileWriter& writer) const {
  if (const int error = work_.OpenWriter(writer, name)) FailWriting(error);
}

int TZipStreamWriter::ReadWorkingFile(const QString& name) const {
  const int fd = work_.OpenReader(name);
  if (fd < 0) FailWriting(errno);
  return fd;
}

void TZipStreamWriter::FailWriting(int error) const {
  throw ESheetError(QStringLiteral("无法保存“%1”：写入失败。%2").arg(Shown(target_), FileErrorCause(error)), error);
}

void TZipStreamWriter::CloseFile() {
  if (!open_) return;
  open_ = false;
  file_.Close();
}

void TZipStreamWriter::Put(const QByteArray& bytes) {
  pending_.append(bytes);
  offset_ += std::uint64_t(bytes.size());
  if (pending_.size() >= kWritePiece) Drain();
}

void TZipStreamWriter::Drain() {
  if (pending_.isEmpty()) return;
  if (const int error = file_.Write(pending_)) FailWriting(error);
  pending_.clear();
}

void TZipStreamWriter::Add(const QString& name, const QByteArray& data) {
  std::vector<QByteArray> runs;
  TDeflateTotals totals;
  const char* p = data.constData();
  std::size_t left = std::size_t(data.size());
  if (left > TParallelDeflate::ChunkSize()) {
    // A big part is compressed on several threads.
    TParallelDeflate parallel([&runs](const TDeflateRun& run) { runs.push_back(run.Data); });
    for (; left > 0;) {
      const std::size_t piece = std::min(left, TParallelDeflate::ChunkSize());
      parallel.Buffer().insert(parallel.Buffer().end(), p, p + piece);
      parallel.Flush();
      p += piece;
      left -= piece;
    }
    parallel.Finish();
    totals = parallel.Totals();
  }
  const TDeflateRun last = DeflateRun(p, left, true);
  totals.Add(last);
  runs.push_back(last.Data);
  BeginEntry(name, totals);
  for (const QByteArray& run : runs) WriteData(run);
}

void TZipStreamWriter::BeginEntry(const QString& name, const TDeflateTotals& totals) {
  TEntry entry;
  entry.Name = name.toUtf8();
  entry.Crc = totals.Crc;
  entry.Size = totals.Size;
  entry.CompressedSize = totals.CompressedSize;
  entry.Offset = offset_;
  const bool zip64 = entry.Size >= kClassicLimit || entry.CompressedSize >= kClassicLimit;
  QByteArray header;
  Put32(header, 0x04034b50);
  Put16(header, zip64 ? kVersion64 : kVersion);
  Put16(header, kUtf8Names);
  Put16(header, kDeflated);
  Put16(header, dosTime_);
  Put16(header, dosDate_);
  Put32(header, entry.Crc);
  Put32(header, zip64 ? 0xFFFFFFFFu : std::uint32_t(entry.CompressedSize));
  Put32(header, zip64 ? 0xFFFFFFFFu : std::uint32_t(entry.Size));
  Put16(header, std::uint16_t(entry.Name.size()));
  Put16(header, zip64 ? 20 : 0);
  header += entry.Name;
  if (zip64) {
    Put16(header, 0x0001);
    Put16(header, 16);
    Put64(header, entry.Size);
    Put64(header, entry.CompressedSize);
  }
  Put(header);
  entries_.push_back(entry);
}

void TZipStreamWriter::WriteData(const char* data, qsizetype size) {
  if (size >= kWritePiece) {
    Drain();
    if (const int error = file_.Write(data, size)) FailWriting(error);
    offset_ += std::uint64_t(size);
    return;
  }
  Put(QByteArray::fromRawData(data, size));
}

void TZipStreamWriter::Commit() {
  const std::uint64_t directoryStart = offset_;
  for (const TEntry& entry : entries_) {
    QByteArray extra;
    if (entry.Size >= kClassicLimit) Put64(extra, entry.Size);
    if (entry.CompressedSize >= kClassicLimit) Put64(extra, entry.CompressedSize);
    if (entry.Offset >= kClassicLimit) Put64(extra, entry.Offset);
    if (!extra.isEmpty()) {
      QByteArray head;
      Put16(head, 0x0001);
      Put16(head, std::uint16_t(extra.size()));
      extra.prepend(head);
    }
    QByteArray record;
    Put32(record, 0x02014b50);
    Put16(record, kMadeBy);
    Put16(record, extra.isEmpty() ? kVersion : kVersion64);
    Put16(record, kUtf8Names);
    Put16(record, kDeflated);
    Put16(record, dosTime_);
    Put16(record, dosDate_);
    Put32(record, entry.Crc);
    Put32(record, Classic(entry.CompressedSize));
    Put32(record, Classic(entry.Size));
    Put16(record, std::uint16_t(entry.Name.size()));
    Put16(record, std::uint16_t(extra.size()));
    Put16(record, 0);                  // comment
    Put16(record, 0);                  // disk
    Put16(record, 0);                  // internal attributes
    Put32(record, 0100644u << 16);     // a plain file, readable by all
    Put32(record, Classic(entry.Offset));
    record += entry.Name;
    record += extra;
    Put(record);
  }
  const std::uint64_t directorySize = offset_ - directoryStart;
  const std::uint64_t count = entries_.size();
  QByteArray end;
  if (count >= 0xFFFF || directoryStart >= kClassicLimit || directorySize >= kClassicLimit) {
    const std::uint64_t zip64End = offset_;
    Put32(end, 0x06064b50);
    Put64(end, 44);
    Put16(end, kMadeBy);
    Put16(end, kVersion64);
    Put32(end, 0);
    Put32(end, 0);
    Put64(end, count);
    Put64(end, count);
    Put64(end, directorySize);
    Put64(end, directoryStart);
    Put32(end, 0x07064b50);
    Put32(end, 0);
    Put64(end, zip64End);
    Put32(end, 1);
  }
  Put32(end, 0x06054b50);
  Put16(end, 0);
  Put16(end, 0);
  Put16(end, std::uint16_t(std::min<std::uint64_t>(count, 0xFFFF)));
  Put16(end, std::uint16_t(std::min<std::uint64_t>(count, 0xFFFF)));
  Put32(end, Classic(directorySize));
  Put32(end, Classic(directoryStart));
  Put16(end, 0);
  Put(end);
  Drain();
  open_ = false;
  if (const int error = file_.Close()) FailWriting(error);
  // Synced, then renamed over the old file in one step: readers see either the old or the
  // new one, also after a power cut.
  if (const int error = work_.MoveIntoPlace(target_))
    throw ESheetError(QStringLiteral("无法保存“%1”：文件可能正被其他程序使用或没有写入权限。").arg(Shown(target_)), error);
}

} // namespace fw
