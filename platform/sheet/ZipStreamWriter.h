#pragma once
// A zip archive written as a stream: entries one after the other straight into a new
// file in a private work folder beside the target (TWorkFileBeside), the directory at the
// end (zip64 where an entry or the archive outgrows the classic limits), then renamed over
// the target in one step. An archive that is not committed goes with its folder, so the
// target is either the complete new archive or left as it was.
//
// Failures throw ESheetError in terms of the target: "无法保存“<target>”：<cause>", a full
// disk saying so.

#include "platform/sheet/DeflateRuns.h"
#include "platform/shell/FileWriter.h"
#include "platform/shell/TempFiles.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace fw {

class TZipStreamWriter {
public:
  explicit TZipStreamWriter(const QString& target);
  ~TZipStreamWriter();
  TZipStreamWriter(const TZipStreamWriter&) = delete;
  TZipStreamWriter& operator=(const TZipStreamWriter&) = delete;

  // A working file that belongs with the archive (a spool), in its private folder: made
  // anew or cut to nothing for writer, or opened for reading (the descriptor is the
  // caller's). Failures throw as FailWriting does.
  void OpenWorkingFile(const QString& name, TFileWriter& writer) const;
  int ReadWorkingFile(const QString& name) const;

  // One entry, compressed whole.
  void Add(const QString& name, const QByteArray& data);

  // One entry whose deflate data the caller writes next with WriteData, complete and
  // closed, its totals known beforehand.
  void BeginEntry(const QString& name, const TDeflateTotals& totals);
  void WriteData(const char* data, qsizetype size);
  void WriteData(const QByteArray& data) { WriteData(data.constData(), data.size()); }

  // Writes the directory and puts the archive in place of the target.
  void Commit();

  // A failure to write, in the archive's words.
  [[noreturn]] void FailWriting(int error) const;

private:
  struct TEntry {
    QByteArray Name;
    std::uint32_t Crc = 0;
    std::uint64_t Size = 0;
    std::uint64_t CompressedSize = 0;
    std::uint64_t Offset = 0;
  };

  void Put(const QByteArray& bytes);
  void Drain();
  void CloseFile();

  QString target_;
  TWorkFileBeside work_;
  TFileWriter file_;
  bool open_ = false;
  QByteArray pending_;  // written to the file in large pieces
  std::uint64_t offset_ = 0;
  std::uint16_t dosTime_ = 0, dosDate_ = 0;
  std::vector<TEntry> entries_;
};

} // namespace fw
