#include "platform/sheet/Worksheet.h"

#include "platform/sheet/CellAddress.h"
#include "platform/sheet/CellText.h"
#include "platform/sheet/Workbook.h"

#include <QRegularExpression>
#include <cmath>

namespace fw {

namespace {

bool IsNumberType(const QVariant& value) {
  switch (value.typeId()) {
  case QMetaType::Int:
  case QMetaType::UInt:
  case QMetaType::LongLong:
  case QMetaType::ULongLong:
  case QMetaType::Double:
  case QMetaType::Float:
  case QMetaType::Short:
  case QMetaType::UShort:
  case QMetaType::Long:
  case QMetaType::ULong:
    return true;
  default:
    return false;
  }
}

} // namespace

TWorksheet::TWorksheet(TWorkbook& book, const QString& name) : book_(&book), name_(name) {}

void CheckSheetName(const QString& name) {
  static const QRegularExpression forbidden(QStringLiteral(R"([:\\/?*\[\]\x00-\x1f])"));
  if (name.trimmed().isEmpty() || name.size() > 31 || name.contains(forbidden) || name.startsWith(u'\'') ||
      name.endsWith(u'\''))
    throw ESheetError(QStringLiteral("工作表名称无效：“%1”。名称不能为空，不能超过31个字符，也不能含有 : \\ / ? * [ ]。")
                          .arg(name));
}

void TWorksheet::SetName(const QString& name) {
  CheckSheetName(name);
  for (const auto& other : book_->SheetList())
    if (other.get() != this && other->Name().compare(name, Qt::CaseInsensitive) == 0)
      throw ESheetError(QStringLiteral("工作表名称“%1”已被使用。").arg(name));
  if (name_ == name) return;
  name_ = name;
  Changed();
}

int TWorksheet::Index() const {
  const auto& list = book_->SheetList();
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].get() == this) return static_cast<int>(i) + 1;
  return 0;
}

void TWorksheet::Activate() {
  book_->SetActiveIndex(Index() - 1);
  book_->Activate();
}

void TWorksheet::Delete() { book_->DeleteSheet(*this); }

void TWorksheet::Changed() { book_->SetSaved(false); }

TRange TWorksheet::Cells(int row, int col) {
  CheckCellPlace(row, col);
  return TRange(*this, {row, col, row, col});
}

TRange TWorksheet::Range(const QString& address) {
  TCellRect area;
  if (ParseCellArea(address, area)) return TRange(*this, area);
  static const QRegularExpression columns(QStringLiteral(R"(^\s*\$?([A-Za-z]{1,3}):\$?([A-Za-z]{1,3})\s*$)"));
  static const QRegularExpression rows(QStringLiteral(R"(^\s*\$?(\d{1,7}):\$?(\d{1,7})\s*$)"));
  if (const auto m = columns.match(address); m.hasMatch()) {
    const int a = ColumnNumber(m.captured(1)), b = ColumnNumber(m.captured(2));
    if (a > 0 && b > 0)
      return TRange(*this, {1, std::min(a, b), kMaxSheetRows, std::max(a, b)}, TRange::TKind::EntireColumns);
  }
  if (const auto m = rows.match(address); m.hasMatch()) {
    const int a = m.captured(1).toInt(), b = m.captured(2).toInt();
    if (a >= 1 && b >= 1 && a <= kMaxSheetRows && b <= kMaxSheetRows)
      return Rows(std::min(a, b), std::max(a, b));
  }
  throw ESheetError(QStringLiteral("单元格地址无效：“%1”。").arg(address));
}

TRange TWorksheet::Range(const TRange& first, const TRange& last) {
  const TCellRect& a = first.Area();
  const TCellRect& b = last.Area();
  return TRange(*this, {std::min(a.Top, b.Top), std::min(a.Left, b.Left), std::max(a.Bottom, b.Bottom),
                        std::max(a.Right, b.Right)});
}

TRange TWorksheet::Rows(int row) { return Rows(row, row); }

TRange TWorksheet::Rows(int first, int last) {
  CheckCellPlace(first, 1);
  CheckCellPlace(last, 1);
  return TRange(*this, {first, 1, last, kMaxSheetColumns}, TRange::TKind::EntireRows);
}

TRange TWorksheet::Columns(int col) {
  CheckCellPlace(1, col);
  return TRange(*this, {1, col, kMaxSheetRows, col}, TRange::TKind::EntireColumns);
}

TRange TWorksheet::Columns(const QString& letters) {
  const int colon = letters.indexOf(u':');
  if (colon < 0) {
    const int col = ColumnNumber(letters.trimmed());
    if (col == 0) throw ESheetError(QStringLiteral("列名无效：“%1”。").arg(letters));
    return Columns(col);
  }
  return Range(letters);
}

TRange TWorksheet::UsedRange() {
  TCellRect area{1, 1, 1, 1};
  content_.UsedArea(area);
  return TRange(*this, area);
}

QVariant TWorksheet::CellValue(int row, int col) const {
  const TSheetCell* cell = content_.FindCell(row, col);
  if (!cell) return {};
  switch (cell->Kind) {
  case TCellKind::Number: return cell->Number;
  case TCellKind::Boolean: return cell->Number != 0;
  case TCellKind::Text:
  case TCellKind::Error: return content_.String(cell->Text);
  case TCellKind::Empty: break;
  }
  return {};
}

void TWorksheet::SetCellValue(int row, int col, const QVariant& value) {
  CheckCellPlace(row, col);
  TCellKind kind = TCellKind::Empty;
  double number = 0;
  QString text;
  // The common numbers straight from the variant: a big list writes millions of them.
  const int type = value.typeId();
  if (type == QMetaType::Double || type == QMetaType::LongLong || type == QMetaType::Int) {
    number = type == QMetaType::Double ? *static_cast<const double*>(value.constData())
             : type == QMetaType::LongLong ? double(*static_cast<const qlonglong*>(value.constData()))
                                           : double(*static_cast<const int*>(value.constData()));
    if (!std::isfinite(number)) throw ESheetError(QStringLiteral("数值无效，不能写入单元格。"));
    kind = TCellKind::Number;
  } else if (!value.isValid() || value.isNull()) {
    kind = TCellKind::Empty;
  } else if (type == QMetaType::Bool) {
    kind = TCellKind::Boolean;
    number = value.toBool() ? 1 : 0;
  } else if (IsNumberType(value)) {
    number = value.toDouble();
    if (!std::isfinite(number)) throw ESheetError(QStringLiteral("数值无效，不能写入单元格。"));
    kind = TCellKind::Number;
  } else {
    const QString given = value.toString();
    const TTypedText typed = TypedText(given, book_->Styles().IsTextFormat(content_.StyleAt(row, col)));
    kind = typed.Kind;
    number = typed.Number;
    text = typed.Text.toString();
  }
  if (number == 0) number = 0; // no negative zero: it would read "-0"
  TSheetCell& cell = content_.EnsureCell(row, col);
  cell.Kind = kind;
  cell.Formula = -1;
  cell.Number = number;
  cell.Text = kind == TCellKind::Text ? content_.AddString(text) : -1;
  Changed();
}

QString TWorksheet::CellFormula(int row, int col) const {
  const TSheetCell* cell = content_.FindCell(row, col);
  if (!cell) return {};
  if (cell->Formula >= 0) return u'=' + content_.String(cell->Formula);
  switch (cell->Kind) {
  case TCellKind::Number: return NumberToText(cell->Number);
  case TCellKind::Boolean: return cell->Number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
  case TCellKind::Text:
  case TCellKind::Error: return content_.String(cell->Text);
  case TCellKind::Empty: break;
  }
  return {};
}

void TWorksheet::SetCellFormula(int row, int col, const QString& formula) {
  if (!formula.startsWith(u'=') || formula.size() < 2) {
    SetCellValue(row, col, formula);
    return;
  }
  CheckCellPlace(row, col);
  if (formula.size() > 8192) throw ESheetError(QStringLiteral("公式过长，不能写入单元格。"));
  TSheetCell& cell = content_.EnsureCell(row, col);
  cell.Kind = TCellKind::Empty; // the value is calculated when the file is opened
  cell.Text = -1;
  cell.Number = 0;
  cell.Formula = content_.AddString(formula.mid(1));
  Changed();
}

QString TWorksheet::CellText(int row, int col) const {
  const TSheetCell* cell = content_.FindCell(row, col);
  if (!cell) return {};
  switch (cell->Kind) {
  case TCellKind::Number: return FormatCellNumber(cell->Number, book_->Styles().NumberFormat(cell->Style));
  case TCellKind::Boolean: return cell->Number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
  case TCellKind::Text:
  case TCellKind::Error: return content_.String(cell->Text);
  case TCellKind::Empty: break;
  }
  return {};
}

} // namespace fw
