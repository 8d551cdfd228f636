#pragma once
// The parts of a workbook package around its worksheets (content types, relationships,
// the workbook part, document properties) and the frame of a worksheet's XML around its
// rows, shared by the writer of the workbook model and the streamed workbook.

#include "platform/sheet/SheetContent.h"
#include "platform/sheet/Workbook.h"

#include <QByteArray>
#include <QString>
#include <charconv>
#include <functional>
#include <map>
#include <vector>

namespace fw {

inline constexpr const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
inline constexpr const char* kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

// What the package parts say about the workbook.
struct TPackageInfo {
  struct TSheet {
    QString Name;
    bool Hidden = false;
  };
  std::vector<TSheet> Sheets;
  int ActiveIndex = 0;  // 0-based
  bool Date1904 = false;
  std::vector<TDefinedName> DefinedNames;
  bool AsTemplate = false;
  bool HasSharedStrings = false;
  bool HasTheme = false;
};

// The parts around the sheets, styles, texts and theme: content types, relationships,
// document properties and the workbook part, each handed to `add` with its name.
void AddPackageParts(const TPackageInfo& info, const std::function<void(const QString&, const QByteArray&)>& add);
// "xl/worksheets/sheet<n>.xml" for the 0-based sheet position.
QString SheetPartName(int index);

// A number written into XML: the shortest text that reads back as the same double.
QByteArray XmlNumber(double value);

// The frame of a worksheet part. The head runs from the XML declaration to the opening
// of sheetData: the used area (none: "A1"), the view (only the active sheet's tab is
// selected), the default sizes and the column settings. The tail closes sheetData and
// adds protection, merged areas and the page set-up.
struct TWorksheetFrame {
  const TWorksheetXmlParts* Parts = nullptr;  // kept from the file read, or none
  const TCellRect* Used = nullptr;
  bool Active = false;
  double DefaultRowHeight = 13.5;
  double DefaultColumnWidth = 9;
  const std::map<int, TSheetColumn>* Columns = nullptr;
  const std::vector<TCellRect>* Merges = nullptr;
};
QByteArray WorksheetHead(const TWorksheetFrame& frame);
QByteArray WorksheetTail(const TWorksheetFrame& frame);

// A piece of cell XML put together in a buffer of its own and appended at once: a big
// sheet is millions of small pieces.
class TXmlPiece {
public:
  void Add(const char* text) {
    while (*text) *end_++ = *text++;
  }
  void Add(char c) { *end_++ = c; }
  void AddInt(qint64 value) { end_ = std::to_chars(end_, buffer_ + sizeof buffer_, value).ptr; }
  // "A1"-style address.
  void AddAddress(int row, int col) {
    char letters[4];
    int n = 0;
    for (; col > 0; col = (col - 1) / 26) letters[n++] = char('A' + (col - 1) % 26);
    while (n > 0) *end_++ = letters[--n];
    AddInt(row);
  }
  const char* Data() const { return buffer_; }
  qsizetype Size() const { return end_ - buffer_; }
  void AppendTo(QByteArray& out) const { out.append(buffer_, end_ - buffer_); }

private:
  char buffer_[96];
  char* end_ = buffer_;
};

} // namespace fw
