#include "platform/sheet/XlsxWriter.h"

#include "platform/sheet/OoxmlText.h"
#include "platform/sheet/PackageParts.h"
#include "platform/sheet/Workbook.h"
#include "platform/sheet/ZipArchive.h"

#include <QHash>
#include <charconv>
#include <cmath>

namespace fw {

namespace {

// The texts of all sheets, each once, in order of first use.
class TSharedStrings {
public:
  int Index(const QString& text) {
    if (const auto it = index_.constFind(text); it != index_.constEnd()) return it.value();
    const int index = static_cast<int>(texts_.size());
    texts_.append(text);
    index_.insert(text, index);
    return index;
  }
  bool IsEmpty() const { return texts_.isEmpty(); }
  QByteArray Xml(qint64 uses) const {
    QByteArray xml = kXmlHead;
    xml += "<sst xmlns=\"" + QByteArray(kMainNs) + "\" count=\"" + QByteArray::number(uses) + "\" uniqueCount=\"" +
           QByteArray::number(texts_.size()) + "\">";
    for (const QString& text : texts_) {
      xml += "<si>";
      xml += OoxmlTextElement(text);
      xml += "</si>";
    }
    xml += "</sst>";
    return xml;
  }

private:
  QStringList texts_;
  QHash<QString, int> index_;
};

class TSheetWriter {
public:
  TSheetWriter(const TWorksheet& sheet, bool active, TSharedStrings& strings)
      : sheet_(sheet), content_(sheet.Content()), active_(active), strings_(strings) {}
  QByteArray Xml();
  qint64 StringUses() const { return uses_; }

private:
  void Rows();
  bool Cell(int row, const TSheetCell& cell, bool follows);
  int SharedIndex(int poolIndex);

  const TWorksheet& sheet_;
  const TSheetContent& content_;
  bool active_;
  TSharedStrings& strings_;
  QByteArray xml_;
  qint64 uses_ = 0;
  std::vector<int> sharedOfPool_;
};

QByteArray TSheetWriter::Xml() {
  TWorksheetFrame frame;
  frame.Parts = &sheet_.XmlParts();
  TCellRect used;
  if (content_.UsedArea(used)) frame.Used = &used;
  frame.Active = active_;
  frame.DefaultRowHeight = content_.DefaultRowHeight;
  frame.DefaultColumnWidth = content_.DefaultColumnWidth;
  frame.Columns = &content_.Columns();
  frame.Merges = &content_.Merges();
  // About 24 bytes for a cell, so that a big sheet is not copied as the text grows.
  qsizetype cells = 0;
  for (const auto& [r, row] : content_.Rows()) cells += qsizetype(row.Cells.size());
  xml_ = WorksheetHead(frame);
  xml_.reserve(64 * 1024 + cells * 24);
  Rows();
  xml_ += WorksheetTail(frame);
  return std::move(xml_);
}

void TSheetWriter::Rows() {
  for (const auto& [r, row] : content_.Rows()) {
    const bool plainCells = std::all_of(row.Cells.begin(), row.Cells.end(), [](const TSheetCell& c) {
      return c.Kind == TCellKind::Empty && c.Formula < 0 && c.Style == 0;
    });
    if (plainCells && !row.CustomHeight && !row.Hidden && row.Style < 0) continue;
    xml_ += "<row r=\"" + QByteArray::number(r) + "\"";
    if (row.Style >= 0) xml_ += " s=\"" + QByteArray::number(row.Style) + "\" customFormat=\"1\"";
    if (row.CustomHeight) xml_ += " ht=\"" + XmlNumber(row.Height) + "\" customHeight=\"1\"";
    if (row.Hidden) xml_ += " hidden=\"1\"";
    xml_ += ">";
    int previous = 0;
    for (const TSheetCell& cell : row.Cells) {
      if (Cell(r, cell, cell.Col == previous + 1)) previous = cell.Col;
    }
    xml_ += "</row>";
  }
}

void AppendInt(QByteArray& out, qint64 value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end - digits);
}

// Writes the cell; false when it has nothing to write. A cell right after the one
// written before it in its row needs no address (readers count on from the last one).
bool TSheetWriter::Cell(int row, const TSheetCell& cell, bool follows) {
  if (cell.Kind == TCellKind::Empty && cell.Formula < 0 && cell.Style == 0) return false;
  TXmlPiece head;
  head.Add("<c");
  if (!follows) {
    head.Add(" r=\"");
    head.AddAddress(row, cell.Col);
    head.Add('"');
  }
  if (cell.Style != 0) {
    head.Add(" s=\"");
    head.AddInt(cell.Style);
    head.Add('"');
  }
  if (cell.Kind == TCellKind::Number && cell.Formula < 0 && cell.Number == std::trunc(cell.Number) &&
      std::fabs(cell.Number) < 1e15) {
    // Whole numbers are the common case.
    head.Add("><v>");
    head.AddInt(static_cast<qint64>(cell.Number));
    head.Add("</v></c>");
    head.AppendTo(xml_);
    return true;
  }
  head.AppendTo(xml_);
  const QByteArray formula =
      cell.Formula >= 0 ? "<f>" + EscapeOoxmlText(content_.String(cell.Formula)) + "</f>" : QByteArray();
  switch (cell.Kind) {
  case TCellKind::Empty:
    if (formula.isEmpty()) {
      xml_ += "/>";
    } else {
      xml_ += '>';
      xml_ += formula;
      xml_ += "</c>";
    }
    return true;
  case TCellKind::Number:
    xml_ += '>';
    xml_ += formula;
    xml_ += "<v>";
    if (cell.Number == std::trunc(cell.Number) && std::fabs(cell.Number) < 1e15)
      AppendInt(xml_, static_cast<qint64>(cell.Number));
    else
      xml_ += XmlNumber(cell.Number);
    xml_ += "</v></c>";
    return true;
  case TCellKind::Boolean:
    xml_ += " t=\"b\">" + formula + "<v>" + (cell.Number != 0 ? "1" : "0") + "</v></c>";
    return true;
  case TCellKind::Error:
    xml_ += " t=\"e\">" + formula + "<v>" + EscapeOoxmlText(content_.String(cell.Text)) + "</v></c>";
    return true;
  case TCellKind::Text:
    if (!formula.isEmpty()) {
      xml_ += " t=\"str\">" + formula + "<v>" + EscapeOoxmlText(content_.String(cell.Text)) + "</v></c>";
      return true;
    }
    ++uses_;
    xml_ += " t=\"s\"><v>";
    AppendInt(xml_, SharedIndex(cell.Text));
    xml_ += "</v></c>";
    return true;
  }
  return true;
}

int TSheetWriter::SharedIndex(int poolIndex) {
  // Each text of the sheet's pool is looked up in the shared table once.
  if (poolIndex >= static_cast<int>(sharedOfPool_.size())) sharedOfPool_.resize(poolIndex + 1, -1);
  int& shared = sharedOfPool_[poolIndex];
  if (shared < 0) shared = strings_.Index(content_.String(poolIndex));
  return shared;
}

} // namespace

void WriteWorkbookPackage(const TWorkbook& book, const QString& path, bool asTemplate) {
  TSharedStrings strings;
  qint64 uses = 0;
  std::vector<QByteArray> sheets;
  TPackageInfo info;
  const auto& list = book.SheetList();
  for (size_t i = 0; i < list.size(); ++i) {
    TSheetWriter writer(*list[i], static_cast<int>(i) == book.ActiveIndex(), strings);
    sheets.push_back(writer.Xml());
    uses += writer.StringUses();
    info.Sheets.push_back({list[i]->Name(), list[i]->Hidden()});
  }
  info.ActiveIndex = book.ActiveIndex();
  info.Date1904 = book.Date1904;
  info.DefinedNames = book.DefinedNames();
  info.AsTemplate = asTemplate;
  info.HasSharedStrings = !strings.IsEmpty();
  info.HasTheme = !book.Theme().isEmpty();

  TZipWriter zip;
  AddPackageParts(info, [&zip](const QString& part, const QByteArray& xml) { zip.Add(part, xml); });
  for (size_t i = 0; i < sheets.size(); ++i) zip.Add(SheetPartName(int(i)), std::move(sheets[i]));
  zip.Add(QStringLiteral("xl/styles.xml"), book.Styles().Save());
  if (info.HasSharedStrings) zip.Add(QStringLiteral("xl/sharedStrings.xml"), strings.Xml(uses));
  if (info.HasTheme) zip.Add(QStringLiteral("xl/theme/theme1.xml"), book.Theme());
  zip.Save(path);
}

} // namespace fw
