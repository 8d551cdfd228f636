#include "platform/sheet/XlsxReader.h"

#include "platform/sheet/CellAddress.h"
#include "platform/sheet/OoxmlText.h"
#include "platform/sheet/Workbook.h"
#include "platform/sheet/ZipArchive.h"

#include <QDir>
#include <QHash>
#include <cstring>

namespace fw {

namespace {

struct TRelation {
  QString Type; // the last segment of the relationship type ("worksheet", "styles", ...)
  QString Target; // part name without leading "/"
};

class TPackageReader {
public:
  TPackageReader(const QString& path, TWorkbook& book) : path_(path), zip_(path), book_(book) {}
  bool Read();

private:
  [[noreturn]] void Fail(const QString& detail = QString()) const {
    throw ESheetError(QStringLiteral("文件“%1”已损坏或不是有效的电子表格文件（.xlsx/.xltx）。%2")
                          .arg(QDir::toNativeSeparators(path_), detail));
  }
  void Parse(const QString& part, pugi::xml_document& doc) const;
  QHash<QString, TRelation> Relations(const QString& part) const;
  void ReadSharedStrings(const QString& part);
  void ReadTheme(const QString& part);
  void ReadSheet(const QString& part, TWorksheet& sheet);
  void ReadSheetData(pugi::xml_node sheetData, TWorksheet& sheet);
  QString ContentTypeOf(const pugi::xml_document& types, const QString& part) const;

  QString path_;
  TZipReader zip_;
  TWorkbook& book_;
  QStringList sharedStrings_;
};

QString Resolve(const QString& base, const QString& target) {
  if (target.startsWith(u'/')) return QDir::cleanPath(target.mid(1));
  const int slash = base.lastIndexOf(u'/');
  return QDir::cleanPath((slash < 0 ? QString() : base.left(slash + 1)) + target);
}

QString RelsPartOf(const QString& part) {
  const int slash = part.lastIndexOf(u'/');
  return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

QByteArray PrefixOf(pugi::xml_node node) {
  const char* colon = std::strchr(node.name(), ':');
  return colon ? QByteArray(node.name(), colon - node.name()) : QByteArray();
}

// The text of a string item: its <t>, or the runs' texts; phonetic hints are left out.
QString ItemText(pugi::xml_node item) {
  if (pugi::xml_node t = XmlChild(item, "t")) return DecodeOoxmlText(t.text().get());
  QString text;
  for (pugi::xml_node run : item.children())
    if (std::strcmp(XmlLocalName(run), "r") == 0) text += DecodeOoxmlText(XmlChild(run, "t").text().get());
  return text;
}

} // namespace

void TPackageReader::Parse(const QString& part, pugi::xml_document& doc) const {
  const QByteArray data = zip_.Read(part);
  const pugi::xml_parse_result result =
      doc.load_buffer(data.constData(), data.size(), pugi::parse_default, pugi::encoding_auto);
  if (!result) Fail(QStringLiteral("部件 %1 不是完好的XML。").arg(part));
}

QHash<QString, TRelation> TPackageReader::Relations(const QString& part) const {
  QHash<QString, TRelation> relations;
  const QString relsPart = RelsPartOf(part);
  if (!zip_.Contains(relsPart)) return relations;
  pugi::xml_document doc;
  Parse(relsPart, doc);
  for (pugi::xml_node rel : doc.document_element().children()) {
    if (std::strcmp(XmlLocalName(rel), "Relationship") != 0) continue;
    if (QString::fromUtf8(rel.attribute("TargetMode").as_string()) == u"External") continue;
    const QString type = QString::fromUtf8(rel.attribute("Type").as_string()).section(u'/', -1);
    relations.insert(QString::fromUtf8(rel.attribute("Id").as_string()),
                     {type, Resolve(part, QString::fromUtf8(rel.attribute("Target").as_string()))});
  }
  return relations;
}

QString TPackageReader::ContentTypeOf(const pugi::xml_document& types, const QString& part) const {
  for (pugi::xml_node node : types.document_element().children())
    if (std::strcmp(XmlLocalName(node), "Override") == 0 &&
        QString::fromUtf8(node.attribute("PartName").as_string()).compare(u'/' + part, Qt::CaseInsensitive) == 0)
      return QString::fromUtf8(node.attribute("ContentType").as_string());
  return {};
}

bool TPackageReader::Read() {
  if (!zip_.Contains(QStringLiteral("[Content_Types].xml"))) Fail(QStringLiteral("缺少内容类型说明。"));
  pugi::xml_document types;
  Parse(QStringLiteral("[Content_Types].xml"), types);

  QString workbookPart;
  const auto packageRels = Relations(QString());
  for (const TRelation& rel : packageRels)
    if (rel.Type == u"officeDocument") workbookPart = rel.Target;
  if (workbookPart.isEmpty()) Fail(QStringLiteral("找不到工作簿部件。"));
  const QString workbookType = ContentTypeOf(types, workbookPart);
  // Macro-enabled workbooks and templates have content types of their own; their macros are
  // simply not kept.
  if (!workbookType.contains(QStringLiteral("spreadsheetml")) &&
      !workbookType.startsWith(QStringLiteral("application/vnd.ms-excel.")))
    Fail(QStringLiteral("这不是电子表格工作簿。"));
  const bool isTemplate = workbookType.contains(QStringLiteral(".template"));

  pugi::xml_document workbook;
  Parse(workbookPart, workbook);
  const pugi::xml_node root = workbook.document_element();
  if (std::strcmp(XmlLocalName(root), "workbook") != 0) Fail(QStringLiteral("工作簿部件的内容不对。"));
  const auto relations = Relations(workbookPart);
  for (const TRelation& rel : relations) {
    if (rel.Type == u"styles") book_.Styles().Load(zip_.Read(rel.Target));
    else if (rel.Type == u"sharedStrings") ReadSharedStrings(rel.Target);
    else if (rel.Type == u"theme") ReadTheme(rel.Target);
  }
  book_.Date1904 = XmlChild(root, "workbookPr").attribute("date1904").as_bool();

  book_.SheetList().clear();
  for (pugi::xml_node entry : XmlChild(root, "sheets").children()) {
    if (std::strcmp(XmlLocalName(entry), "sheet") != 0) continue;
    const auto rel = relations.constFind(QString::fromUtf8(XmlAttribute(entry, "id").as_string()));
    if (rel == relations.constEnd()) Fail(QStringLiteral("工作表的引用无效。"));
    if (rel->Type != u"worksheet")
      throw ESheetError(QStringLiteral("文件“%1”含有图表或对话框工作表，不能处理。").arg(QDir::toNativeSeparators(path_)));
    TWorksheet& sheet = book_.AddSheet(book_.Sheets().Count(), QString::fromUtf8(entry.attribute("name").as_string()));
    const QString state = QString::fromUtf8(entry.attribute("state").as_string());
    sheet.SetHidden(state == u"hidden" || state == u"veryHidden");
    ReadSheet(rel->Target, sheet);
  }
  if (book_.SheetList().empty()) Fail(QStringLiteral("工作簿中没有工作表。"));

  for (pugi::xml_node name : XmlChild(root, "definedNames").children()) {
    if (std::strcmp(XmlLocalName(name), "definedName") != 0) continue;
    TDefinedName defined;
    defined.Name = QString::fromUtf8(name.attribute("name").as_string());
    defined.LocalSheet = name.attribute("localSheetId") ? name.attribute("localSheetId").as_int(-2) : -1;
    if (defined.LocalSheet < -1) continue;
    defined.Hidden = name.attribute("hidden").as_bool();
    defined.Formula = QString::fromUtf8(name.text().get());
    if (defined.LocalSheet < book_.Sheets().Count()) book_.DefinedNames().push_back(defined);
  }
  const int activeTab = XmlChild(XmlChild(root, "bookViews"), "workbookView").attribute("activeTab").as_int();
  book_.SetActiveIndex(0);
  book_.SetActiveIndex(activeTab);
  return isTemplate;
}

void TPackageReader::ReadTheme(const QString& part) {
  // The theme is copied as it is; a damaged one is left out rather than passed on.
  const QByteArray data = zip_.Read(part);
  pugi::xml_document doc;
  if (doc.load_buffer(data.constData(), data.size())) book_.Theme() = data;
}

void TPackageReader::ReadSharedStrings(const QString& part) {
  pugi::xml_document doc;
  Parse(part, doc);
  for (pugi::xml_node item : doc.document_element().children())
    if (std::strcmp(XmlLocalName(item), "si") == 0) sharedStrings_.append(ItemText(item));
}

void TPackageReader::ReadSheet(const QString& part, TWorksheet& sheet) {
  pugi::xml_document doc;
  Parse(part, doc);
  const pugi::xml_node root = doc.document_element();
  if (std::strcmp(XmlLocalName(root), "worksheet") != 0) Fail(QStringLiteral("工作表部件的内容不对。"));
  const QByteArray prefix = PrefixOf(root);
  TSheetContent& content = sheet.Content();
  TWorksheetXmlParts& parts = sheet.XmlParts();
  for (pugi::xml_node node : root.children()) {
    if (node.type() != pugi::node_element) continue;
    const char* name = XmlLocalName(node);
    if (std::strcmp(name, "sheetPr") == 0) {
      parts.SheetPr = CleanXmlFragment(node, prefix);
    } else if (std::strcmp(name, "sheetViews") == 0) {
      parts.SheetViews = CleanXmlFragment(node, prefix);
    } else if (std::strcmp(name, "sheetFormatPr") == 0) {
      parts.SheetFormatPr = CleanXmlFragment(node, prefix);
      content.DefaultRowHeight = node.attribute("defaultRowHeight").as_double(content.DefaultRowHeight);
      content.DefaultColumnWidth = node.attribute("defaultColWidth").as_double(
          node.attribute("baseColWidth") ? node.attribute("baseColWidth").as_double() + 0.63
                                         : content.DefaultColumnWidth);
    } else if (std::strcmp(name, "cols") == 0) {
      for (pugi::xml_node col : node.children()) {
        const int first = col.attribute("min").as_int(), last = col.attribute("max").as_int();
        if (first < 1 || last < first || last > kMaxSheetColumns) Fail(QStringLiteral("列的设置无效。"));
        TSheetColumn column;
        column.Width = col.attribute("width").as_double(content.DefaultColumnWidth);
        column.CustomWidth = col.attribute("customWidth").as_bool() || col.attribute("width");
        column.Hidden = col.attribute("hidden").as_bool();
        column.Style = col.attribute("style") ? book_.Styles().ValidXf(col.attribute("style").as_int()) : -1;
        for (int c = first; c <= last; ++c) content.Columns()[c] = column;
      }
    } else if (std::strcmp(name, "sheetData") == 0) {
      ReadSheetData(node, sheet);
    } else if (std::strcmp(name, "sheetProtection") == 0) {
      parts.SheetProtection = CleanXmlFragment(node, prefix);
    } else if (std::strcmp(name, "mergeCells") == 0) {
      for (pugi::xml_node merge : node.children()) {
        TCellRect area;
        if (ParseCellArea(QString::fromUtf8(merge.attribute("ref").as_string()), area) &&
            !(area.Top == area.Bottom && area.Left == area.Right))
          content.Merges().push_back(area);
      }
    } else if (std::strcmp(name, "printOptions") == 0 || std::strcmp(name, "pageMargins") == 0 ||
               std::strcmp(name, "pageSetup") == 0 || std::strcmp(name, "headerFooter") == 0 ||
               std::strcmp(name, "rowBreaks") == 0 || std::strcmp(name, "colBreaks") == 0) {
      parts.PageSetup += CleanXmlFragment(node, prefix);
    }
    // Everything else (drawings, comments, conditional formats, validations, ...) refers to
    // parts or places this model does not keep, and is left out.
  }
}

void TPackageReader::ReadSheetData(pugi::xml_node sheetData, TWorksheet& sheet) {
  TSheetContent& content = sheet.Content();
  const TWorkbookStyles& styles = book_.Styles();
  int rowNumber = 0;
  for (pugi::xml_node rowNode : sheetData.children()) {
    if (std::strcmp(XmlLocalName(rowNode), "row") != 0) continue;
    rowNumber = rowNode.attribute("r") ? rowNode.attribute("r").as_int() : rowNumber + 1;
    if (rowNumber < 1 || rowNumber > kMaxSheetRows) Fail(QStringLiteral("行号无效。"));
    TSheetRow& row = content.Rows()[rowNumber];
    if (rowNode.attribute("customHeight").as_bool() && rowNode.attribute("ht")) {
      row.Height = rowNode.attribute("ht").as_double();
      row.CustomHeight = true;
    }
    row.Hidden = rowNode.attribute("hidden").as_bool();
    if (rowNode.attribute("customFormat").as_bool()) row.Style = styles.ValidXf(rowNode.attribute("s").as_int());
    int col = 0;
    for (pugi::xml_node c : rowNode.children()) {
      if (std::strcmp(XmlLocalName(c), "c") != 0) continue;
      int cellRow = rowNumber;
      if (const pugi::xml_attribute ref = c.attribute("r")) {
        if (!ParseCellAddress(QString::fromLatin1(ref.as_string()), cellRow, col))
          Fail(QStringLiteral("单元格地址无效。"));
      } else if (++col > kMaxSheetColumns) {
        Fail(QStringLiteral("单元格地址无效。"));
      }
      TSheetCell& cell = content.EnsureCell(rowNumber, col);
      cell.Style = styles.ValidXf(c.attribute("s").as_int());
      const char* type = c.attribute("t").as_string("n");
      const pugi::xml_node v = XmlChild(c, "v");
      if (const pugi::xml_node f = XmlChild(c, "f"); f && *f.text().get())
        cell.Formula = content.AddString(QString::fromUtf8(f.text().get()));
      if (std::strcmp(type, "s") == 0) {
        if (!v) continue;
        const int index = v.text().as_int(-1);
        if (index < 0 || index >= sharedStrings_.size()) Fail(QStringLiteral("共享文本的序号无效。"));
        cell.Kind = TCellKind::Text;
        cell.Text = content.AddString(sharedStrings_[index]);
      } else if (std::strcmp(type, "inlineStr") == 0) {
        cell.Kind = TCellKind::Text;
        cell.Text = content.AddString(ItemText(XmlChild(c, "is")));
      } else if (std::strcmp(type, "str") == 0 || std::strcmp(type, "d") == 0) {
        if (!v) continue;
        cell.Kind = TCellKind::Text;
        cell.Text = content.AddString(DecodeOoxmlText(v.text().get()));
      } else if (std::strcmp(type, "b") == 0) {
        if (!v) continue;
        cell.Kind = TCellKind::Boolean;
        cell.Number = v.text().as_int() != 0;
      } else if (std::strcmp(type, "e") == 0) {
        if (!v) continue;
        cell.Kind = TCellKind::Error;
        cell.Text = content.AddString(QString::fromUtf8(v.text().get()));
      } else if (v) {
        bool ok = false;
        cell.Number = QByteArray(v.text().get()).trimmed().toDouble(&ok);
        if (!ok) Fail(QStringLiteral("单元格 %1 的数值无效。").arg(CellAddress(rowNumber, col)));
        cell.Kind = TCellKind::Number;
      }
    }
  }
}

bool ReadWorkbookPackage(const QString& path, TWorkbook& book) {
  TPackageReader reader(path, book);
  return reader.Read();
}

} // namespace fw

