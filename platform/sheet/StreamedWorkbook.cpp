#include "platform/sheet/StreamedWorkbook.h"

#include "platform/sheet/CellText.h"
#include "platform/sheet/OoxmlText.h"
#include "platform/sheet/PackageParts.h"
#include "platform/sheet/Worksheet.h"

#include <QFile>
#include <cmath>

namespace fw {

namespace {

// The compressed rows of the sheet being written, in the archive's work folder.
const QString kSpoolName = QStringLiteral("rows");

[[noreturn]] void Misuse(const char* what) {
  throw ESheetError(QStringLiteral("工作表的行和单元格须按顺序写入：") + QString::fromUtf8(what));
}

} // namespace

TStreamedWorkbook::TStreamedWorkbook(const QString& path) : zip_(path) {}

TStreamedWorkbook::~TStreamedWorkbook() {
  rows_.reset();  // waits for the compression still running
  spool_.Close();  // the spool goes with the archive's work folder
}

void TStreamedWorkbook::AddSheet(const QString& name) {
  CheckSheetName(name);
  if (sheetNames_.contains(name, Qt::CaseInsensitive))
    throw ESheetError(QStringLiteral("工作表名称“%1”已被使用。").arg(name));
  FinishSheet();
  sheetNames_ << name;
  columns_.clear();
  fitFirst_ = 0;
  fitLast_ = -1;
  widest_.clear();
  shown_ = std::make_unique<TShownWidths>(styles_);
  row_ = lastCol_ = 0;
  rowOpen_ = anyCell_ = false;
  zip_.OpenWorkingFile(kSpoolName, spool_);
  rows_ = std::make_unique<TParallelDeflate>([this](const TDeflateRun& run) { SpoolRun(run); });
}

void TStreamedWorkbook::SpoolRun(const TDeflateRun& run) {
  if (const int error = spool_.Write(run.Data)) zip_.FailWriting(error);
}

void TStreamedWorkbook::SetColumnFormat(int col, int xf) {
  if (!rows_ || row_ > 0) Misuse("列格式须在第一行之前设置。");
  CheckCellPlace(1, col);
  columns_[col].Style = styles_.ValidXf(xf);
}

void TStreamedWorkbook::FitColumns(int first, int last) {
  if (!rows_ || row_ > 0) Misuse("适合列宽须在第一行之前设置。");
  CheckCellPlace(1, first);
  CheckCellPlace(1, last);
  if (last < first) Misuse("适合列宽的列范围无效。");
  fitFirst_ = first;
  fitLast_ = last;
  widest_.assign(std::size_t(last - first + 1), 0);
}

void TStreamedWorkbook::BeginRow(int row) {
  if (!rows_) Misuse("尚未开始工作表。");
  CheckCellPlace(row, 1);
  if (row <= row_) Misuse("行号须递增。");
  if (rowOpen_) Append("</row>", 6);
  rowOpen_ = false;
  row_ = row;
  lastCol_ = 0;
}

void TStreamedWorkbook::CheckNextCell(int col) {
  if (row_ == 0) Misuse("尚未开始一行。");
  CheckCellPlace(row_, col);
  if (col <= lastCol_) Misuse("列号须递增。");
}

// The row's tag goes out with its first cell, so a row without cells leaves nothing.
void TStreamedWorkbook::OpenRowWith(int col) {
  if (!rowOpen_) {
    TXmlPiece tag;
    tag.Add("<row r=\"");
    tag.AddInt(row_);
    tag.Add("\">");
    Append(tag.Data(), std::size_t(tag.Size()));
    rowOpen_ = true;
  }
  if (!anyCell_) used_ = {row_, col, row_, col};
  used_.Left = std::min(used_.Left, col);
  used_.Right = std::max(used_.Right, col);
  used_.Bottom = row_;
  anyCell_ = true;
}

void TStreamedWorkbook::Append(const char* data, std::size_t size) {
  std::vector<char>& buffer = rows_->Buffer();
  buffer.insert(buffer.end(), data, data + size);
}

void TStreamedWorkbook::Measure(int col, double units, int xf) {
  if (col < fitFirst_ || col > fitLast_) return;
  double& widest = widest_[std::size_t(col - fitFirst_)];
  widest = std::max(widest, units * shown_->Scale(xf));
}

bool TStreamedWorkbook::IsTextFormat(int xf) {
  if (xf >= int(textFormats_.size())) textFormats_.resize(std::size_t(xf) + 1, -1);
  signed char& known = textFormats_[std::size_t(xf)];
  if (known < 0) known = styles_.IsTextFormat(xf) ? 1 : 0;
  return known == 1;
}

// "<c" with the cell's place and format. A cell right after the one before it in its row
// needs no address.
void TStreamedWorkbook::CellHead(TXmlPiece& cell, int col, int xf) const {
  cell.Add("<c");
  if (col != lastCol_ + 1) {
    cell.Add(" r=\"");
    cell.AddAddress(row_, col);
    cell.Add('"');
  }
  if (xf != 0) {
    cell.Add(" s=\"");
    cell.AddInt(xf);
    cell.Add('"');
  }
}

void TStreamedWorkbook::SetNumber(int col, double value, int xf) {
  CheckNextCell(col);
  if (!std::isfinite(value)) throw ESheetError(QStringLiteral("数值无效，不能写入单元格。"));
  if (value == 0) value = 0;  // no negative zero: it would read "-0"
  xf = styles_.ValidXf(xf);
  OpenRowWith(col);
  TXmlPiece cell;
  CellHead(cell, col, xf);
  cell.Add("><v>");
  if (value == std::trunc(value) && std::fabs(value) < 1e15) {
    cell.AddInt(static_cast<qint64>(value));
    cell.Add("</v></c>");
    Append(cell.Data(), std::size_t(cell.Size()));
  } else {
    Append(cell.Data(), std::size_t(cell.Size()));
    const QByteArray text = XmlNumber(value) + "</v></c>";
    Append(text.constData(), std::size_t(text.size()));
  }
  lastCol_ = col;
  if (col >= fitFirst_ && col <= fitLast_) Measure(col, shown_->NumberUnits(value, xf), xf);
  rows_->FlushWhenFull();
}

void TStreamedWorkbook::SetText(int col, const QString& text, int xf) {
  CheckNextCell(col);
  xf = styles_.ValidXf(xf);
  const TTypedText typed = TypedText(text, IsTextFormat(xf));
  if (typed.Kind == TCellKind::Number) {
    SetNumber(col, typed.Number, xf);
    return;
  }
  if (typed.Kind == TCellKind::Empty) return;
  OpenRowWith(col);
  const QString shown = typed.Text.toString();
  TXmlPiece cell;
  CellHead(cell, col, xf);
  cell.Add(" t=\"inlineStr\"><is>");
  Append(cell.Data(), std::size_t(cell.Size()));
  const QByteArray content = OoxmlTextElement(shown) + "</is></c>";
  Append(content.constData(), std::size_t(content.size()));
  lastCol_ = col;
  Measure(col, TextWidthUnits(shown), xf);
  rows_->FlushWhenFull();
}

// The sheet's part: its head (used area, view, fitted columns) compressed now, the rows
// from the working file, and the closing tail.
void TStreamedWorkbook::FinishSheet() {
  if (!rows_) return;
  if (rowOpen_) Append("</row>", 6);
  rowOpen_ = false;
  rows_->Finish();
  const TDeflateTotals body = rows_->Totals();
  rows_.reset();
  if (const int error = spool_.Close()) zip_.FailWriting(error);

  for (int col = fitFirst_; col <= fitLast_; ++col) {
    const double widest = widest_[std::size_t(col - fitFirst_)];
    if (widest <= 0) continue;  // nothing to fit: the width stays
    TSheetColumn& column = columns_[col];
    column.Width = FittedColumnWidth(widest);
    column.CustomWidth = true;
  }
  TWorksheetFrame frame;
  frame.Used = anyCell_ ? &used_ : nullptr;
  frame.Active = sheetNames_.size() == 1;
  frame.Columns = &columns_;
  const QByteArray headXml = WorksheetHead(frame);
  const QByteArray tailXml = WorksheetTail(frame);
  const TDeflateRun head = DeflateRun(headXml.constData(), std::size_t(headXml.size()), false);
  const TDeflateRun tail = DeflateRun(tailXml.constData(), std::size_t(tailXml.size()), true);
  TDeflateTotals totals;
  totals.Add(head);
  totals.Add(body);
  totals.Add(tail);

  zip_.BeginEntry(SheetPartName(int(sheetNames_.size()) - 1), totals);
  zip_.WriteData(head.Data);
  QFile spooled;
  if (!spooled.open(zip_.ReadWorkingFile(kSpoolName), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
    zip_.FailWriting(EIO);
  QByteArray piece;
  while (!(piece = spooled.read(1 << 20)).isEmpty()) zip_.WriteData(piece);
  const bool complete = spooled.error() == QFileDevice::NoError && std::uint64_t(spooled.pos()) == body.CompressedSize;
  spooled.close();
  if (!complete) zip_.FailWriting(EIO);
  zip_.WriteData(tail.Data);
}

void TStreamedWorkbook::Save() {
  if (sheetNames_.isEmpty()) AddSheet(QStringLiteral("Sheet1"));
  FinishSheet();
  TPackageInfo info;
  for (const QString& name : sheetNames_) info.Sheets.push_back({name, false});
  AddPackageParts(info, [this](const QString& part, const QByteArray& xml) { zip_.Add(part, xml); });
  zip_.Add(QStringLiteral("xl/styles.xml"), styles_.Save());
  zip_.Commit();
}

} // namespace fw
