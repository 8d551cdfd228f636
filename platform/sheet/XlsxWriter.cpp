#include "platform/sheet/XlsxWriter.h"

#include "platform/shell/Hooks.h"
#include "platform/sheet/CellAddress.h"
#include "platform/sheet/CellText.h"
#include "platform/sheet/OoxmlText.h"
#include "platform/sheet/Workbook.h"
#include "platform/sheet/ZipArchive.h"

#include <QHash>
#include <charconv>
#include <cmath>
#include <sstream>

namespace fw {

namespace {

constexpr const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kPackageRelNs = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr const char* kOfficeRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

QByteArray Num(double value) { return NumberToText(value).toLatin1(); }

QByteArray Print(const pugi::xml_document& doc) {
  std::ostringstream out;
  doc.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  return QByteArray(kXmlHead) + QByteArray::fromStdString(out.str());
}

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
      const bool keepBlanks = !text.isEmpty() && (text.front().isSpace() || text.back().isSpace() ||
                                                  text.contains(u'\n') || text.contains(u'\t'));
      xml += keepBlanks ? "<si><t xml:space=\"preserve\">" : "<si><t>";
      xml += EscapeOoxmlText(text);
      xml += "</t></si>";
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
  void Views();
  void Columns();
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
  // About 24 bytes for a cell, so that a big sheet is not copied as the text grows.
  qsizetype cells = 0;
  for (const auto& [r, row] : content_.Rows()) cells += qsizetype(row.Cells.size());
  xml_ = kXmlHead;
  xml_.reserve(64 * 1024 + cells * 24);
  xml_ += "<worksheet xmlns=\"" + QByteArray(kMainNs) + "\" xmlns:r=\"" + kRelNs + "\">";
  const TWorksheetXmlParts& parts = sheet_.XmlParts();
  xml_ += parts.SheetPr;
  TCellRect used;
  xml_ += "<dimension ref=\"" + (content_.UsedArea(used) ? CellAreaAddress(used) : QStringLiteral("A1")).toLatin1() + "\"/>";
  Views();
  xml_ += parts.SheetFormatPr.isEmpty()
              ? "<sheetFormatPr defaultRowHeight=\"" + Num(content_.DefaultRowHeight) + "\"/>"
              : parts.SheetFormatPr;
  Columns();
  Rows();
  xml_ += parts.SheetProtection;
  if (!content_.Merges().empty()) {
    xml_ += "<mergeCells count=\"" + QByteArray::number(qsizetype(content_.Merges().size())) + "\">";
    for (const TCellRect& m : content_.Merges()) xml_ += "<mergeCell ref=\"" + CellAreaAddress(m).toLatin1() + "\"/>";
    xml_ += "</mergeCells>";
  }
  xml_ += parts.PageSetup.isEmpty()
              ? QByteArray("<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>")
              : parts.PageSetup;
  xml_ += "</worksheet>";
  return std::move(xml_);
}

void TSheetWriter::Views() {
  // Only the active sheet's tab is selected, whatever the file said before.
  pugi::xml_document doc;
  if (sheet_.XmlParts().SheetViews.isEmpty() ||
      !doc.load_buffer(sheet_.XmlParts().SheetViews.constData(), sheet_.XmlParts().SheetViews.size()))
    doc.append_child("sheetViews").append_child("sheetView").append_attribute("workbookViewId") = 0;
  pugi::xml_node view = doc.document_element().child("sheetView");
  if (!view) view = doc.document_element().append_child("sheetView");
  if (!view.attribute("workbookViewId")) view.append_attribute("workbookViewId") = 0;
  view.remove_attribute("tabSelected");
  if (active_) view.prepend_attribute("tabSelected") = 1;
  std::ostringstream out;
  doc.document_element().print(out, "", pugi::format_raw);
  xml_ += QByteArray::fromStdString(out.str());
}

void TSheetWriter::Columns() {
  QByteArray cols;
  const auto& columns = content_.Columns();
  for (auto it = columns.begin(); it != columns.end();) {
    const TSheetColumn& column = it->second;
    int last = it->first;
    auto next = std::next(it);
    while (next != columns.end() && next->first == last + 1 && next->second == column) {
      last = next->first;
      ++next;
    }
    if (!column.IsPlain()) {
      cols += "<col min=\"" + QByteArray::number(it->first) + "\" max=\"" + QByteArray::number(last) + "\" width=\"" +
              Num(column.CustomWidth ? column.Width : content_.DefaultColumnWidth) + "\"";
      if (column.Style >= 0) cols += " style=\"" + QByteArray::number(column.Style) + "\"";
      if (column.Hidden) cols += " hidden=\"1\"";
      if (column.CustomWidth) cols += " customWidth=\"1\"";
      cols += "/>";
    }
    it = next;
  }
  if (!cols.isEmpty()) xml_ += "<cols>" + cols + "</cols>";
}

void TSheetWriter::Rows() {
  xml_ += "<sheetData>";
  for (const auto& [r, row] : content_.Rows()) {
    const bool plainCells = std::all_of(row.Cells.begin(), row.Cells.end(), [](const TSheetCell& c) {
      return c.Kind == TCellKind::Empty && c.Formula < 0 && c.Style == 0;
    });
    if (plainCells && !row.CustomHeight && !row.Hidden && row.Style < 0) continue;
    xml_ += "<row r=\"" + QByteArray::number(r) + "\"";
    if (row.Style >= 0) xml_ += " s=\"" + QByteArray::number(row.Style) + "\" customFormat=\"1\"";
    if (row.CustomHeight) xml_ += " ht=\"" + Num(row.Height) + "\" customHeight=\"1\"";
    if (row.Hidden) xml_ += " hidden=\"1\"";
    xml_ += ">";
    int previous = 0;
    for (const TSheetCell& cell : row.Cells) {
      if (Cell(r, cell, cell.Col == previous + 1)) previous = cell.Col;
    }
    xml_ += "</row>";
  }
  xml_ += "</sheetData>";
}

// The writer appends many small pieces per cell: a piece is put together in a buffer of
// its own and appended once.
class TPiece {
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
  void AppendTo(QByteArray& out) const { out.append(buffer_, end_ - buffer_); }

private:
  char buffer_[96];
  char* end_ = buffer_;
};

void AppendInt(QByteArray& out, qint64 value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end - digits);
}

// Writes the cell; false when it has nothing to write. A cell right after the one
// written before it in its row needs no address (readers count on from the last one).
bool TSheetWriter::Cell(int row, const TSheetCell& cell, bool follows) {
  if (cell.Kind == TCellKind::Empty && cell.Formula < 0 && cell.Style == 0) return false;
  TPiece head;
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
      xml_ += Num(cell.Number);
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

QByteArray WorkbookXml(const TWorkbook& book) {
  pugi::xml_document doc;
  pugi::xml_node root = doc.append_child("workbook");
  root.append_attribute("xmlns") = kMainNs;
  root.append_attribute("xmlns:r") = kRelNs;
  pugi::xml_node pr = root.append_child("workbookPr");
  if (book.Date1904) pr.append_attribute("date1904") = 1;
  pugi::xml_node view = root.append_child("bookViews").append_child("workbookView");
  view.append_attribute("activeTab") = book.ActiveIndex();
  pugi::xml_node sheets = root.append_child("sheets");
  const auto& list = book.SheetList();
  for (size_t i = 0; i < list.size(); ++i) {
    pugi::xml_node sheet = sheets.append_child("sheet");
    sheet.append_attribute("name") = list[i]->Name().toUtf8().constData();
    sheet.append_attribute("sheetId") = static_cast<unsigned>(i + 1);
    if (list[i]->Hidden() && static_cast<int>(i) != book.ActiveIndex()) sheet.append_attribute("state") = "hidden";
    sheet.append_attribute("r:id") = QStringLiteral("rId%1").arg(i + 1).toLatin1().constData();
  }
  if (!book.DefinedNames().empty()) {
    pugi::xml_node names = root.append_child("definedNames");
    for (const TDefinedName& defined : book.DefinedNames()) {
      pugi::xml_node name = names.append_child("definedName");
      name.append_attribute("name") = defined.Name.toUtf8().constData();
      if (defined.LocalSheet >= 0) name.append_attribute("localSheetId") = defined.LocalSheet;
      if (defined.Hidden) name.append_attribute("hidden") = 1;
      name.text() = defined.Formula.toUtf8().constData();
    }
  }
  // Formulas are written without results; the program computes them when it opens the file.
  root.append_child("calcPr").append_attribute("fullCalcOnLoad") = 1;
  return Print(doc);
}

void AddRelationship(pugi::xml_node root, const QString& id, const char* type, const QString& target) {
  pugi::xml_node rel = root.append_child("Relationship");
  rel.append_attribute("Id") = id.toLatin1().constData();
  rel.append_attribute("Type") = type;
  rel.append_attribute("Target") = target.toLatin1().constData();
}

QByteArray ContentTypesXml(int sheetCount, bool asTemplate, bool strings, bool theme) {
  pugi::xml_document doc;
  pugi::xml_node root = doc.append_child("Types");
  root.append_attribute("xmlns") = "http://schemas.openxmlformats.org/package/2006/content-types";
  auto addDefault = [&](const char* ext, const char* type) {
    pugi::xml_node node = root.append_child("Default");
    node.append_attribute("Extension") = ext;
    node.append_attribute("ContentType") = type;
  };
  auto addOverride = [&](const QString& part, const char* type) {
    pugi::xml_node node = root.append_child("Override");
    node.append_attribute("PartName") = part.toLatin1().constData();
    node.append_attribute("ContentType") = type;
  };
  addDefault("rels", "application/vnd.openxmlformats-package.relationships+xml");
  addDefault("xml", "application/xml");
  addOverride(QStringLiteral("/xl/workbook.xml"),
              asTemplate ? "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml"
                         : "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml");
  for (int i = 1; i <= sheetCount; ++i)
    addOverride(QStringLiteral("/xl/worksheets/sheet%1.xml").arg(i),
                "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml");
  addOverride(QStringLiteral("/xl/styles.xml"), "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml");
  if (strings)
    addOverride(QStringLiteral("/xl/sharedStrings.xml"),
                "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml");
  if (theme) addOverride(QStringLiteral("/xl/theme/theme1.xml"), "application/vnd.openxmlformats-officedocument.theme+xml");
  addOverride(QStringLiteral("/docProps/core.xml"), "application/vnd.openxmlformats-package.core-properties+xml");
  addOverride(QStringLiteral("/docProps/app.xml"), "application/vnd.openxmlformats-officedocument.extended-properties+xml");
  return Print(doc);
}

QByteArray PackageRelsXml() {
  pugi::xml_document doc;
  pugi::xml_node root = doc.append_child("Relationships");
  root.append_attribute("xmlns") = kPackageRelNs;
  AddRelationship(root, QStringLiteral("rId1"),
                  "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument",
                  QStringLiteral("xl/workbook.xml"));
  AddRelationship(root, QStringLiteral("rId2"),
                  "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties",
                  QStringLiteral("docProps/core.xml"));
  AddRelationship(root, QStringLiteral("rId3"),
                  "http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties",
                  QStringLiteral("docProps/app.xml"));
  return Print(doc);
}

QByteArray WorkbookRelsXml(int sheetCount, bool strings, bool theme) {
  pugi::xml_document doc;
  pugi::xml_node root = doc.append_child("Relationships");
  root.append_attribute("xmlns") = kPackageRelNs;
  const QByteArray base(kOfficeRel);
  for (int i = 1; i <= sheetCount; ++i)
    AddRelationship(root, QStringLiteral("rId%1").arg(i), (base + "worksheet").constData(),
                    QStringLiteral("worksheets/sheet%1.xml").arg(i));
  int next = sheetCount + 1;
  AddRelationship(root, QStringLiteral("rId%1").arg(next++), (base + "styles").constData(), QStringLiteral("styles.xml"));
  if (strings)
    AddRelationship(root, QStringLiteral("rId%1").arg(next++), (base + "sharedStrings").constData(),
                    QStringLiteral("sharedStrings.xml"));
  if (theme)
    AddRelationship(root, QStringLiteral("rId%1").arg(next++), (base + "theme").constData(), QStringLiteral("theme/theme1.xml"));
  return Print(doc);
}

QByteArray CorePropsXml() {
  const QByteArray now = Now().toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ")).toLatin1();
  return QByteArray(kXmlHead) +
         "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
         "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
         "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
         "<dcterms:created xsi:type=\"dcterms:W3CDTF\">" + now + "</dcterms:created>"
         "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">" + now + "</dcterms:modified>"
         "</cp:coreProperties>";
}

QByteArray AppPropsXml() {
  return QByteArray(kXmlHead) +
         "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\">"
         "<Application>Fenwright</Application></Properties>";
}

} // namespace

void WriteWorkbookPackage(const TWorkbook& book, const QString& path, bool asTemplate) {
  TSharedStrings strings;
  qint64 uses = 0;
  std::vector<QByteArray> sheets;
  const auto& list = book.SheetList();
  for (size_t i = 0; i < list.size(); ++i) {
    TSheetWriter writer(*list[i], static_cast<int>(i) == book.ActiveIndex(), strings);
    sheets.push_back(writer.Xml());
    uses += writer.StringUses();
  }
  const int count = static_cast<int>(sheets.size());
  const bool hasStrings = !strings.IsEmpty();
  const bool hasTheme = !book.Theme().isEmpty();

  TZipWriter zip;
  zip.Add(QStringLiteral("[Content_Types].xml"), ContentTypesXml(count, asTemplate, hasStrings, hasTheme));
  zip.Add(QStringLiteral("_rels/.rels"), PackageRelsXml());
  zip.Add(QStringLiteral("docProps/core.xml"), CorePropsXml());
  zip.Add(QStringLiteral("docProps/app.xml"), AppPropsXml());
  zip.Add(QStringLiteral("xl/workbook.xml"), WorkbookXml(book));
  zip.Add(QStringLiteral("xl/_rels/workbook.xml.rels"), WorkbookRelsXml(count, hasStrings, hasTheme));
  for (int i = 0; i < count; ++i)
    zip.Add(QStringLiteral("xl/worksheets/sheet%1.xml").arg(i + 1), std::move(sheets[i]));
  zip.Add(QStringLiteral("xl/styles.xml"), book.Styles().Save());
  if (hasStrings) zip.Add(QStringLiteral("xl/sharedStrings.xml"), strings.Xml(uses));
  if (hasTheme) zip.Add(QStringLiteral("xl/theme/theme1.xml"), book.Theme());
  zip.Save(path);
}

} // namespace fw
