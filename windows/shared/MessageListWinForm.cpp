#include "windows/shared/MessageListWinForm.h"

#include "grid/EasyGrid.h"
#include "platform/ui/Application.h"

#include <QApplication>
#include <QMoveEvent>
#include <QPointer>
#include <QWindow>
#include <algorithm>

namespace fw {

TMessageListWinForm* MessageListWinForm = nullptr;

namespace {

constexpr int kLeft = 150;
constexpr int kTop = 500;
constexpr int kWidth = 900;
constexpr int kHeight = 258;
constexpr int kRowHeight = 18;
// The grid draws a cell's text inside a margin of this many pixels on every side.
constexpr int kCellMargin = 4;

struct TColumnSpec {
  int Width;
  const char16_t* Title;
};

const TColumnSpec kColumns[] = {
    {32, u""}, {340, u"逻辑关系"}, {321, u"说明"}, {73, u"页号"}, {70, u"变量"},
};

} // namespace

TMessageListWinForm::TMessageListWinForm(TComponent* owner) : TForm(owner) {
  if (!MessageListWinForm) MessageListWinForm = this;
  SetName(QStringLiteral("MessageListWinForm"));
  SetCaption(QStringLiteral("逻辑错误列表"));
  SetBorderStyle(TFormBorderStyle::bsSizeToolWin);
  SetBorderIcons(biSystemMenu);
  SetFormStyle(TFormStyle::fsStayOnTop);
  SetColor(RGB(255, 255, 204));
  Font().SetHeight(-13);
  SetBounds(kLeft, kTop, kWidth, kHeight);
  setAttribute(Qt::WA_ShowWithoutActivating);  // see ShowMessageList
  BuildGrid();
}

TMessageListWinForm::~TMessageListWinForm() {
  if (MessageListWinForm == this) MessageListWinForm = nullptr;
}

void TMessageListWinForm::BuildGrid() {
  Grid = new TEasyGrid(this);
  Grid->SetName(QStringLiteral("Grid"));
  Grid->SetParent(this);
  Grid->SetAlign(TAlign::alClient);
  Grid->SetBorderStyle(TBorderStyle::bsNone);
  Grid->SetScrollBars(TScrollStyle::ssBoth);
  Grid->SetColCount(static_cast<int>(std::size(kColumns)));
  Grid->SetRowCount(2);
  Grid->SetDefaultRowHeight(kRowHeight);
  Grid->SetCellAlignMode(TAlignMode::taLeft);
  Grid->SetFixedLineColor(RGB(127, 157, 185));
  Grid->SetClientLineColor(clInactiveCaption);
  Grid->SetHighLightColor(clHighlight);
  Grid->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRowSizing | goColSizing |
                   goRowSelect);
  Grid->SetGridCanCopyMove(false);
  Grid->SetGridCanFill(false);
  for (int col = 0; col < static_cast<int>(std::size(kColumns)); ++col) {
    Grid->SetColWidths(col, kColumns[col].Width);
    if (col > 0) Grid->SetForeText(col, 0, QString::fromUtf16(kColumns[col].Title));
  }
  Grid->OnDblClick = [this](TObject* sender) { GridDblClick(sender); };
}

void TMessageListWinForm::ClearMessageList() {
  rowsPresent_ = false;
  Grid->SetRowCount(2);
  for (int col = colRule; col <= colFocus; ++col) Grid->SetForeText(col, 1, QString());
  HideMessageList();
}

void TMessageListWinForm::AddMessage(const QString& rule, const QString& explanation, const QString& focus,
                                     int page) {
  int row = 1;
  if (rowsPresent_) {
    row = Grid->RowCount();
    Grid->SetRowCount(row + 1);
  }
  rowsPresent_ = true;
  SetGrowingText(colRule, row, rule);
  SetGrowingText(colExplanation, row, explanation);
  Grid->SetForeText(colPage, row, QString::number(page));
  Grid->SetForeText(colFocus, row, focus);
  Grid->InvalidateRow(row);
}

void TMessageListWinForm::SetGrowingText(int col, int row, const QString& text) {
  const TCellInfo& cell = Grid->GetCellInfo(col, row);
  // Measured in the cell's font over the width the grid draws the text in, so that the
  // row shows every line; a row is never made lower than it is.
  TCanvas& canvas = Grid->Canvas();
  canvas.Font().SetName(cell.FontName);
  canvas.Font().SetSize(cell.FontSize);
  canvas.Font().SetStyle(cell.FontStyle);
  unsigned flags = DT_CALCRECT | DT_NOPREFIX;
  if (cell.AutoWordBreak) flags |= DT_WORDBREAK;
  TRect bounds{0, 0, std::max(1, Grid->GetColWidths(col) - 2 * kCellMargin), Grid->GetRowHeights(row)};
  const int needed = canvas.DrawText(text, bounds, flags) + 2 * kCellMargin;
  if (needed > Grid->GetRowHeights(row)) Grid->SetRowHeights(row, needed);
  Grid->SetForeText(col, row, text);
}

// Shown by a page change or a check while the user types in the entry form: the window
// that had the keyboard keeps it (desktops that activate every window shown get it back).
void TMessageListWinForm::ShowMessageList() {
  QPointer<QWidget> active = QApplication::activeWindow();
  BelongToFrontWindow();
  SetVisible(true);
  if (active && active != this) active->activateWindow();
}

void TMessageListWinForm::HideMessageList() { SetVisible(false); }

void TMessageListWinForm::GridDblClick(TObject*) {
  // An empty list has an empty row 1 too: its jump goes to page 0, the cover.
  if (jumping_) return;
  QPointer<TMessageListWinForm> self(this);
  jumping_ = true;
  const int row = Grid->Row();
  const int page = Grid->GetForeText(colPage, row).toInt();
  const QString field = Grid->GetForeText(colFocus, row);
  if (jumpTarget_) jumpTarget_->JumpToRule(page, field);
  // The page change may have closed the program's windows; touch nothing that went.
  if (!self) return;
  Grid->SetSelection(GridRect(1, 1, 1, 1));
  jumping_ = false;
}

void TMessageListWinForm::DoShow() {
  move(kLeft, kTop);  // the window's frame, as the desktop places windows
  KeepOuterSize();
  TForm::DoShow();
}

// The desktop frames the window once it is shown, which moves the client area.
void TMessageListWinForm::moveEvent(QMoveEvent* event) {
  TForm::moveEvent(event);
  KeepOuterSize();
}

// 900 x 258 is the size of the window with its frame: the client area gives up what the
// frame takes, once, when the frame is known; a size the user gives the window stays.
void TMessageListWinForm::KeepOuterSize() {
  const QSize frame = frameGeometry().size() - size();
  const QSize added = frame - frameAllowed_;
  if (added.isNull()) return;
  frameAllowed_ = frame;
  resize(size() - added);
}

// The window belongs to the window in front of the program: the modal window when one is
// up, which would otherwise block every other window, else the main window.
void TMessageListWinForm::BelongToFrontWindow() {
  QWidget* host = QApplication::activeModalWidget();
  if (!host && Application) host = Application->MainForm();
  if (!host || host == this) return;
  winId();  // both windows need their native window for the stacking order
  host->winId();
  if (QWindow* window = windowHandle()) window->setTransientParent(host->windowHandle());
}

} // namespace fw
