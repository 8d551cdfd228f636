// Build-time generator of the two workbook templates of the program folder.
//
//   fw_make_templates <templates folder> <dt_fieldlist.tsv> <output folder>
//
// The templates folder holds the readable descriptions:
//   summary.tsv  the summary workbook "2014基层以上汇总表.xltx": the cover and the summary
//                sheets with their titles and column headings;
//   print.tsv    the print template "2014打印表.xltx": one sheet per printed page.
// Field titles (Hint), types (QueryType) and print places (printPageID, printplace) come from
// the shipped field list. Both files are laid out as printed statistical forms: 宋体, thin
// frames, wrapped headings, widths fitted to a sheet of paper. Each file is written under a
// temporary name and renamed into place only when complete.

#include "platform/sheet/CellAddress.h"
#include "platform/sheet/SheetApplication.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringList>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace {

using fw::TRange;
using fw::TWorkbook;
using fw::TWorksheet;

const QString kFontName = QStringLiteral("宋体");

[[noreturn]] void Fail(const QString& message) { throw std::runtime_error(message.toStdString()); }

// One line of a description: its cells and where it stands ("file:line").
struct TLine {
  QStringList Cells;
  QString Where;

  QString Cell(int index) const { return index < Cells.size() ? Cells[index].trimmed() : QString(); }
  int Number(int index) const {
    bool ok = false;
    const int n = Cell(index).toInt(&ok);
    if (!ok) Fail(Where + QStringLiteral(": cell %1 is not a number: \"%2\"").arg(index + 1).arg(Cell(index)));
    return n;
  }
  void Need(int count) const {
    if (Cells.size() < count) Fail(Where + QStringLiteral(": %1 cells, expected %2").arg(Cells.size()).arg(count));
  }
};

// The lines of a tab-separated UTF-8 file without comments ("#") and empty lines.
std::vector<TLine> ReadLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) Fail(QStringLiteral("cannot read ") + path);
  const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
  std::vector<TLine> result;
  for (int i = 0; i < lines.size(); ++i) {
    QString text = lines[i];
    if (text.endsWith(QLatin1Char('\r'))) text.chop(1);
    if (text.trimmed().isEmpty() || text.startsWith(QLatin1Char('#'))) continue;
    result.push_back({text.split(QLatin1Char('\t')),
                      QStringLiteral("%1:%2").arg(QFileInfo(path).fileName()).arg(i + 1)});
  }
  return result;
}

// One row of dt_fieldlist.
struct TFieldRow {
  QString Name;
  QString Hint;
  int QueryType = 0;
  int PageId = -1;
  int PrintPage = -1;
  QString PrintPlace;
};

std::vector<TFieldRow> ReadFieldList(const QString& path) {
  const std::vector<TLine> lines = ReadLines(path);
  if (lines.empty()) Fail(path + QStringLiteral(": no column header"));
  const QStringList& header = lines.front().Cells;
  auto column = [&](const char* name) {
    const int index = header.indexOf(QString::fromLatin1(name), 0);
    if (index < 0) Fail(path + QStringLiteral(": no column ") + QString::fromLatin1(name));
    return index;
  };
  const int name = column("FieldName"), hint = column("Hint"), type = column("QueryType"), page = column("PageID"),
            printPage = column("printPageID"), place = column("printplace");
  std::vector<TFieldRow> rows;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const TLine& line = lines[i];
    line.Need(static_cast<int>(header.size()));
    rows.push_back({line.Cell(name), line.Cell(hint), line.Number(type), line.Number(page), line.Number(printPage),
                    line.Cell(place)});
  }
  return rows;
}

const TFieldRow& FindField(const std::vector<TFieldRow>& fields, const QString& name, const TLine& line) {
  for (const TFieldRow& field : fields)
    if (field.Name.compare(name, Qt::CaseInsensitive) == 0) return field;
  Fail(line.Where + QStringLiteral(": no field \"%1\" in the field list").arg(name));
}

// Formatting helpers.

void Frame(const TRange& range) { range.Borders().SetWeight(fw::xlThin); }

void Centre(const TRange& range) {
  range.SetHorizontalAlignment(fw::xlCenter);
  range.SetVerticalAlignment(fw::xlCenter);
}

void Heading(const TRange& range, const QString& text) {
  range.Merge();
  range.Cells(1, 1).SetValue(QStringLiteral("'") + text); // kept as text, even "1"
  Centre(range);
  range.SetWrapText(true);
}

void Title(const TRange& range, const QString& text, double size) {
  range.Merge();
  range.Cells(1, 1).SetValue(text);
  range.Font().SetName(kFontName);
  range.Font().SetSize(size);
  range.Font().SetBold(true);
  Centre(range);
}

// Page set-up: A4, centred, scaled to the paper's width.
void PageSetup(TWorksheet& sheet, bool landscape) {
  sheet.XmlParts().SheetPr = "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr>";
  sheet.XmlParts().PageSetup =
      QByteArray("<printOptions horizontalCentered=\"1\"/>"
                 "<pageMargins left=\"0.5\" right=\"0.5\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>"
                 "<pageSetup paperSize=\"9\" orientation=\"") +
      (landscape ? "landscape" : "portrait") + "\" fitToWidth=\"1\" fitToHeight=\"0\"/>";
}

// Sheet `number` of the workbook, in order from 1: the new workbook's own sheet first,
// then one added at the end for each further number.
TWorksheet& NewSheet(TWorkbook& book, int& built, int number, const QString& name, const TLine& line) {
  if (number != built + 1) Fail(line.Where + QStringLiteral(": sheet %1 out of order").arg(number));
  TWorksheet& sheet = built == 0 ? book.Sheets(1) : book.AddSheet(built, book.NewSheetName());
  ++built;
  try {
    sheet.SetName(name);
  } catch (const fw::ESheetError& e) {
    Fail(line.Where + QStringLiteral(": sheet name \"%1\": %2").arg(name, e.Message()));
  }
  return sheet;
}

// The summary workbook.

struct TColumnGroup {
  QString Heading;
  QStringList Answers; // empty: one column
};

struct TSummarySheet {
  TLine Line;
  int Number = 0;
  QString Name;
  QString Title;
  std::vector<TColumnGroup> Groups;
  std::vector<TLine> CoverLines;
};

std::vector<TSummarySheet> ReadSummary(const QString& path, const std::vector<TFieldRow>& fields) {
  std::vector<TSummarySheet> sheets;
  for (const TLine& line : ReadLines(path)) {
    const QString kind = line.Cell(0);
    if (kind == QLatin1String("sheet")) {
      line.Need(4);
      sheets.push_back({line, line.Number(1), line.Cell(2), line.Cell(3), {}, {}});
      continue;
    }
    if (sheets.empty()) Fail(line.Where + QStringLiteral(": a line before the first sheet"));
    TSummarySheet& sheet = sheets.back();
    if (kind == QLatin1String("text")) {
      line.Need(4);
      sheet.CoverLines.push_back(line);
    } else if (kind == QLatin1String("count")) {
      line.Need(2);
      sheet.Groups.push_back({line.Cell(1), {}});
    } else if (kind == QLatin1String("numeric") || kind == QLatin1String("yesno") || kind == QLatin1String("three") ||
               kind == QLatin1String("four")) {
      line.Need(2);
      const TFieldRow& field = FindField(fields, line.Cell(1), line);
      TColumnGroup group{line.Cell(2).isEmpty() ? field.Hint : line.Cell(2), {}};
      if (kind == QLatin1String("yesno"))
        group.Answers = line.Cell(3).isEmpty() ? QStringList{QStringLiteral("是"), QStringLiteral("否")}
                                               : line.Cell(3).split(QLatin1Char('|'));
      else if (kind != QLatin1String("numeric"))
        group.Answers = line.Cell(3).split(QLatin1Char('|'));
      const qsizetype expected = kind == QLatin1String("numeric") ? 0
                                 : kind == QLatin1String("yesno") ? 2
                                 : kind == QLatin1String("three") ? 3
                                                                  : 4;
      if (group.Answers.size() != expected)
        Fail(line.Where + QStringLiteral(": %1 answers, expected %2").arg(group.Answers.size()).arg(expected));
      sheet.Groups.push_back(group);
    } else {
      Fail(line.Where + QStringLiteral(": unknown line kind \"%1\"").arg(kind));
    }
  }
  if (sheets.empty()) Fail(path + QStringLiteral(": no sheet"));
  return sheets;
}

constexpr int kCoverColumns = 9;
constexpr int kFirstDataRow = 9;

void LayOutCover(TWorksheet& sheet, const TSummarySheet& desc) {
  for (int col = 1; col <= kCoverColumns; ++col) sheet.Columns(col).SetColumnWidth(10);
  for (const TLine& line : desc.CoverLines) {
    const int row = line.Number(1);
    const double size = line.Number(2);
    if (row < 1 || row > 100 || size < 6 || size > 72) Fail(line.Where + QStringLiteral(": row or size out of range"));
    // Titles are centred across the page; the smaller lines are blanks to fill in by hand,
    // indented by two columns.
    const bool title = size >= 20;
    const TRange range = sheet.Range(sheet.Cells(row, title ? 1 : 3), sheet.Cells(row, kCoverColumns));
    Title(range, line.Cell(3), size);
    if (!title) {
      range.Font().SetBold(false);
      range.SetHorizontalAlignment(fw::xlLeft);
    }
    sheet.Rows(row).SetRowHeight(size * 2);
  }
  PageSetup(sheet, false);
}

// Rows 2-8: column A's heading block (A2:A7, where the summary writes its caption) over
// "甲"; each column group's heading over its answers; the column numbers in row 8.
void LayOutSummarySheet(TWorksheet& sheet, const TSummarySheet& desc) {
  int last = 1;
  for (const TColumnGroup& group : desc.Groups) last += std::max<int>(1, static_cast<int>(group.Answers.size()));

  Title(sheet.Range(sheet.Cells(1, 1), sheet.Cells(1, last)), desc.Title, 16);
  sheet.Rows(1).SetRowHeight(36);

  const TRange head = sheet.Range(sheet.Cells(2, 1), sheet.Cells(kFirstDataRow - 1, last));
  head.Font().SetSize(10);
  Frame(head);
  Centre(head);
  head.SetWrapText(true);
  sheet.Range(sheet.Cells(2, 1), sheet.Cells(7, 1)).Merge();
  sheet.Columns(1).SetColumnWidth(24);

  int col = 2, number = 0;
  for (const TColumnGroup& group : desc.Groups) {
    if (group.Answers.isEmpty()) {
      Heading(sheet.Range(sheet.Cells(2, col), sheet.Cells(7, col)), group.Heading);
      sheet.Columns(col).SetColumnWidth(11);
      sheet.Cells(8, col).SetValue(++number);
      ++col;
      continue;
    }
    const int width = static_cast<int>(group.Answers.size());
    Heading(sheet.Range(sheet.Cells(2, col), sheet.Cells(5, col + width - 1)), group.Heading);
    for (int i = 0; i < width; ++i) {
      Heading(sheet.Range(sheet.Cells(6, col + i), sheet.Cells(7, col + i)), group.Answers[i]);
      sheet.Columns(col + i).SetColumnWidth(8);
      sheet.Cells(8, col + i).SetValue(++number);
    }
    col += width;
  }
  sheet.Cells(8, 1).SetValue(QStringLiteral("甲"));
  for (int row = 2; row <= 5; ++row) sheet.Rows(row).SetRowHeight(20);
  for (int row = 6; row <= 8; ++row) sheet.Rows(row).SetRowHeight(15);

  // The first data row: framed cells whose formats every inserted row takes over.
  const TRange data = sheet.Range(sheet.Cells(kFirstDataRow, 1), sheet.Cells(kFirstDataRow, last));
  data.Font().SetSize(10);
  data.SetVerticalAlignment(fw::xlCenter);
  Frame(data);
  sheet.Rows(kFirstDataRow).SetRowHeight(18);
  PageSetup(sheet, true);
}

void BuildSummaryTemplate(TWorkbook& book, const std::vector<TSummarySheet>& sheets) {
  int built = 0;
  for (const TSummarySheet& desc : sheets) {
    TWorksheet& sheet = NewSheet(book, built, desc.Number, desc.Name, desc.Line);
    if (desc.Groups.empty())
      LayOutCover(sheet, desc);
    else
      LayOutSummarySheet(sheet, desc);
  }
}

// The print template.

struct TPrintPage {
  TLine Line;
  int Number = 0;
  QString Name;
  QString Title;
  QString ValueHeading;
};

void LayOutPrintPage(TWorksheet& sheet, const TPrintPage& page, const std::vector<TFieldRow>& fields,
                     const QHash<QString, QString>& formats) {
  sheet.Columns(1).SetColumnWidth(2);
  sheet.Columns(2).SetColumnWidth(54);
  sheet.Columns(3).SetColumnWidth(8);
  sheet.Columns(4).SetColumnWidth(22);
  Title(sheet.Range(QStringLiteral("B1:D1")), page.Title, 16);
  sheet.Rows(1).SetRowHeight(32);

  const TRange head = sheet.Range(QStringLiteral("B4:D4"));
  sheet.Range(QStringLiteral("B4")).SetValue(QStringLiteral("指 标 名 称"));
  sheet.Range(QStringLiteral("C4")).SetValue(QStringLiteral("代码"));
  sheet.Range(QStringLiteral("D4")).SetValue(page.ValueHeading);
  head.Font().SetBold(true);
  Centre(head);
  Frame(head);
  sheet.Rows(4).SetRowHeight(20);

  QHash<QString, QString> used; // cell -> field
  for (const TFieldRow& field : fields) {
    if (field.PrintPage != page.Number || field.PageId < 0) continue;
    int row = 0, col = 0;
    if (!fw::ParseCellAddress(field.PrintPlace, row, col) || col <= 3 || row <= 4)
      Fail(QStringLiteral("field %1: print place \"%2\" is not a cell right of column C below row 4")
               .arg(field.Name, field.PrintPlace));
    const QString cell = fw::CellAddress(row, col);
    if (used.contains(cell)) Fail(QStringLiteral("fields %1 and %2 share the cell %3").arg(used[cell], field.Name, cell));
    used.insert(cell, field.Name);

    sheet.Cells(row, 2).SetValue(field.Hint);
    sheet.Cells(row, 2).SetWrapText(true);
    sheet.Cells(row, 3).SetValue(field.Name);
    sheet.Cells(row, 3).SetHorizontalAlignment(fw::xlCenter);
    const TRange value = sheet.Cells(row, col);
    if (field.QueryType == 1) value.SetNumberFormatLocal(QStringLiteral("@"));
    if (formats.contains(field.Name)) value.SetNumberFormatLocal(formats[field.Name]);
    const TRange line = sheet.Range(sheet.Cells(row, 2), sheet.Cells(row, col));
    line.SetVerticalAlignment(fw::xlCenter);
    Frame(line);
    sheet.Rows(row).SetRowHeight(18);
  }
  if (used.isEmpty()) Fail(page.Line.Where + QStringLiteral(": no field is printed on page %1").arg(page.Number));
  PageSetup(sheet, false);
}

void BuildPrintTemplate(TWorkbook& book, const QString& path, const std::vector<TFieldRow>& fields) {
  std::vector<TPrintPage> pages;
  QHash<QString, QString> formats;
  for (const TLine& line : ReadLines(path)) {
    if (line.Cell(0) == QLatin1String("page")) {
      line.Need(5);
      pages.push_back({line, line.Number(1), line.Cell(2), line.Cell(3), line.Cell(4)});
    } else if (line.Cell(0) == QLatin1String("format")) {
      line.Need(3);
      formats.insert(FindField(fields, line.Cell(1), line).Name, line.Cell(2));
    } else {
      Fail(line.Where + QStringLiteral(": unknown line kind \"%1\"").arg(line.Cell(0)));
    }
  }
  // Sheet n of the template is printed page n: every page of the field list needs a sheet.
  for (const TFieldRow& field : fields) {
    if (field.PageId < 0) continue;
    if (field.PrintPage < 1 || field.PrintPage > static_cast<int>(pages.size()))
      Fail(QStringLiteral("field %1: print page %2 has no page line").arg(field.Name).arg(field.PrintPage));
  }
  int built = 0;
  for (const TPrintPage& page : pages)
    LayOutPrintPage(NewSheet(book, built, page.Number, page.Name, page.Line), page, fields, formats);
}

// Builds a workbook with `fill` and saves it as a template: first under a temporary name
// beside the target, then renamed over it.
template <typename Fill>
void WriteTemplate(const QString& target, Fill fill) {
  auto app = fw::CreateOleObject(QStringLiteral("Excel.Application"));
  TWorkbook& book = app->Workbooks().Add();
  fill(book);
  book.Sheets(1).Activate();
  const QString temporary = QFileInfo(target).dir().filePath(QStringLiteral("~") + QFileInfo(target).completeBaseName() +
                                                            QStringLiteral(".tmp.xltx"));
  try {
    book.SaveAs(temporary);
    fs::rename(fs::path(temporary.toStdString()), fs::path(target.toStdString()));
  } catch (...) {
    QFile::remove(temporary);
    throw;
  }
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: fw_make_templates <templates folder> <dt_fieldlist.tsv> <output folder>\n");
    return 2;
  }
  const QString sources = QString::fromLocal8Bit(argv[1]);
  const QString fieldList = QString::fromLocal8Bit(argv[2]);
  const QDir output(QString::fromLocal8Bit(argv[3]));
  try {
    const std::vector<TFieldRow> fields = ReadFieldList(fieldList);
    const std::vector<TSummarySheet> summary = ReadSummary(QDir(sources).filePath(QStringLiteral("summary.tsv")), fields);
    WriteTemplate(output.filePath(QStringLiteral("2014基层以上汇总表.xltx")),
                  [&](TWorkbook& book) { BuildSummaryTemplate(book, summary); });
    WriteTemplate(output.filePath(QStringLiteral("2014打印表.xltx")), [&](TWorkbook& book) {
      BuildPrintTemplate(book, QDir(sources).filePath(QStringLiteral("print.tsv")), fields);
    });
    std::printf("  summary template: %d sheets\n", static_cast<int>(summary.size()));
  } catch (const fw::ESheetError& e) {
    std::fprintf(stderr, "fw_make_templates: %s\n", e.what());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "fw_make_templates: %s\n", e.what());
    return 1;
  }
  return 0;
}
