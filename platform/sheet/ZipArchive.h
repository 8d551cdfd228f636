#pragma once
// The zip container of an OOXML package: reading parts by name (on libzip), and writing a
// whole package at once into a temporary file that is renamed into place (through the
// streamed archive writer).

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

struct zip;

namespace fw {

class TZipReader {
public:
  // Opens the archive; throws ESheetError when the file is missing or is no zip archive.
  explicit TZipReader(const QString& path);
  ~TZipReader();
  TZipReader(const TZipReader&) = delete;
  TZipReader& operator=(const TZipReader&) = delete;

  // Part names are compared without regard to case, as the package format wants.
  bool Contains(const QString& name) const;
  // The part's bytes; throws ESheetError when it is missing, damaged or unreasonably large.
  QByteArray Read(const QString& name) const;

private:
  zip* zip_ = nullptr;
  QString path_;
};

class TZipWriter {
public:
  void Add(const QString& name, QByteArray data);
  // Writes every part into a new file beside target and renames it over target. On any
  // failure the temporary file is removed, target is untouched and ESheetError is thrown.
  void Save(const QString& target) const;

private:
  std::vector<std::pair<QString, QByteArray>> entries_;
};

} // namespace fw
