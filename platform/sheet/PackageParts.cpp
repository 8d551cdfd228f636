#include "platform/sheet/PackageParts.h"

#include "platform/shell/Hooks.h"
#include "platform/sheet/CellAddress.h"
#include "platform/sheet/CellText.h"

#include <sstream>

namespace fw {

namespace {

constexpr const char* kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kPackageRelNs = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr const char* kOfficeRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

QByteArray Print(const pugi::xml_document& doc) {
  std::ostringstream out;
  doc.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  return QByteArray(kXmlHead) + QByteArray::fromStdString(out.str());
}

void AddRelationship(pugi::xml_node root, const QString& id, const char* type, const QString& target) {
  pugi::xml_node rel = root.append_child("Relationship");
  rel.append_attribute("Id") = id.toLatin1().constData();
  rel.append_attribute("Type") = type;
  rel.append_attribute("Target") = target.toLatin1().constData();
}

int SheetCount(const TPackageInfo& info) { return static_cast<int>(info.Sheets.size()); }

QByteArray SheetViewsXml(const QByteArray& kept, bool active) {
  // Only the active sheet's tab is selected, whatever the file said before.
  pugi::xml_document doc;
  if (kept.isEmpty() || !doc.load_buffer(kept.constData(), kept.size()))
    doc.append_child("sheetViews").append_child("sheetView").append_attribute("workbookViewId") = 0;
  pugi::xml_node view = doc.document_element().child("sheetView");
  if (!view) view = doc.document_element().append_child("sheetView");
  if (!view.attribute("workbookViewId")) view.append_attribute("workbookViewId") = 0;
  view.remove_attribute("tabSelected");
  if (active) view.prepend_attribute("tabSelected") = 1;
  std::ostringstream out;
  doc.document_element().print(out, "", pugi::format_raw);
  return QByteArray::fromStdString(out.str());
}

QByteArray ColumnsXml(const std::map<int, TSheetColumn>& columns, double defaultWidth) {
  QByteArray cols;
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
              XmlNumber(column.CustomWidth ? column.Width : defaultWidth) + "\"";
      if (column.Style >= 0) cols += " style=\"" + QByteArray::number(column.Style) + "\"";
      if (column.Hidden) cols += " hidden=\"1\"";
      if (column.CustomWidth) cols += " customWidth=\"1\"";
      cols += "/>";
    }
    it = next;
  }
  return cols.isEmpty() ? cols : "<cols>" + cols + "</cols>";
}


QByteArray WorkbookXml(const TPackageInfo& info) {
  pugi::xml_document doc;
  pugi::xml_node root = doc.append_child("workbook");
  root.append_attribute("xmlns") = kMainNs;
  root.append_attribute("xmlns:r") = kRelNs;
  pugi::xml_node pr = root.append_child("workbookPr");
  if (info.Date1904) pr.append_attribute("date1904") = 1;
  pugi::xml_node view = root.append_child("bookViews").append_child("workbookView");
  view.append_attribute("activeTab") = info.ActiveIndex;
  pugi::xml_node sheets = root.append_child("sheets");
  for (int i = 0; i < SheetCount(info); ++i) {
    const TPackageInfo::TSheet& entry = info.Sheets[size_t(i)];
    pugi::xml_node sheet = sheets.append_child("sheet");
    sheet.append_attribute("name") = entry.Name.toUtf8().constData();
    sheet.append_attribute("sheetId") = static_cast<unsigned>(i + 1);
    if (entry.Hidden && i != info.ActiveIndex) sheet.append_attribute("state") = "hidden";
    sheet.append_attribute("r:id") = QStringLiteral("rId%1").arg(i + 1).toLatin1().constData();
  }
  if (!info.DefinedNames.empty()) {
    pugi::xml_node names = root.append_child("definedNames");
    for (const TDefinedName& defined : info.DefinedNames) {
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

QByteArray ContentTypesXml(const TPackageInfo& info) {
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
              info.AsTemplate ? "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml"
                              : "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml");
  for (int i = 0; i < SheetCount(info); ++i)
    addOverride(u'/' + SheetPartName(i), "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml");
  addOverride(QStringLiteral("/xl/styles.xml"), "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml");
  if (info.HasSharedStrings)
    addOverride(QStringLiteral("/xl/sharedStrings.xml"),
                "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml");
  if (info.HasTheme)
    addOverride(QStringLiteral("/xl/theme/theme1.xml"), "application/vnd.openxmlformats-officedocument.theme+xml");
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

QByteArray WorkbookRelsXml(const TPackageInfo& info) {
  pugi::xml_document doc;
  pugi::xml_node root = doc.append_child("Relationships");
  root.append_attribute("xmlns") = kPackageRelNs;
  const QByteArray base(kOfficeRel);
  for (int i = 0; i < SheetCount(info); ++i)
    AddRelationship(root, QStringLiteral("rId%1").arg(i + 1), (base + "worksheet").constData(),
                    SheetPartName(i).mid(3));  // relative to xl/
  int next = SheetCount(info) + 1;
  AddRelationship(root, QStringLiteral("rId%1").arg(next++), (base + "styles").constData(), QStringLiteral("styles.xml"));
  if (info.HasSharedStrings)
    AddRelationship(root, QStringLiteral("rId%1").arg(next++), (base + "sharedStrings").constData(),
                    QStringLiteral("sharedStrings.xml"));
  if (info.HasTheme)
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

QByteArray XmlNumber(double value) { return NumberToText(value).toLatin1(); }

QString SheetPartName(int index) { return QStringLiteral("xl/worksheets/sheet%1.xml").arg(index + 1); }

void AddPackageParts(const TPackageInfo& info, const std::function<void(const QString&, const QByteArray&)>& add) {
  add(QStringLiteral("[Content_Types].xml"), ContentTypesXml(info));
  add(QStringLiteral("_rels/.rels"), PackageRelsXml());
  add(QStringLiteral("docProps/core.xml"), CorePropsXml());
  add(QStringLiteral("docProps/app.xml"), AppPropsXml());
  add(QStringLiteral("xl/workbook.xml"), WorkbookXml(info));
  add(QStringLiteral("xl/_rels/workbook.xml.rels"), WorkbookRelsXml(info));
}

QByteArray WorksheetHead(const TWorksheetFrame& frame) {
  static const TWorksheetXmlParts none;
  const TWorksheetXmlParts& parts = frame.Parts ? *frame.Parts : none;
  QByteArray xml = kXmlHead;
  xml += "<worksheet xmlns=\"" + QByteArray(kMainNs) + "\" xmlns:r=\"" + kRelNs + "\">";
  xml += parts.SheetPr;
  xml += "<dimension ref=\"" + (frame.Used ? CellAreaAddress(*frame.Used) : QStringLiteral("A1")).toLatin1() + "\"/>";
  xml += SheetViewsXml(parts.SheetViews, frame.Active);
  xml += parts.SheetFormatPr.isEmpty() ? "<sheetFormatPr defaultRowHeight=\"" + XmlNumber(frame.DefaultRowHeight) + "\"/>"
                                       : parts.SheetFormatPr;
  if (frame.Columns) xml += ColumnsXml(*frame.Columns, frame.DefaultColumnWidth);
  xml += "<sheetData>";
  return xml;
}

QByteArray WorksheetTail(const TWorksheetFrame& frame) {
  static const TWorksheetXmlParts none;
  const TWorksheetXmlParts& parts = frame.Parts ? *frame.Parts : none;
  QByteArray xml = "</sheetData>";
  xml += parts.SheetProtection;
  if (frame.Merges && !frame.Merges->empty()) {
    xml += "<mergeCells count=\"" + QByteArray::number(qsizetype(frame.Merges->size())) + "\">";
    for (const TCellRect& m : *frame.Merges) xml += "<mergeCell ref=\"" + CellAreaAddress(m).toLatin1() + "\"/>";
    xml += "</mergeCells>";
  }
  xml += parts.PageSetup.isEmpty()
             ? QByteArray("<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>")
             : parts.PageSetup;
  xml += "</worksheet>";
  return xml;
}

} // namespace fw
