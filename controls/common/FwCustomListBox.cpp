#include "controls/common/FwCustomListBox.h"

#include "controls/common/FwGraphics.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Setters.h"
#include "platform/ui/Timer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QToolTip>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QStyledItemDelegate>

namespace fw {

namespace {

const QString kGroupPrefix = QStringLiteral("//");
constexpr int kSearchInterval = 1500;

} // namespace

// Hands every item's painting and size to the list box.
class TFwCustomListBox::Delegate : public QStyledItemDelegate {
public:
  explicit Delegate(TFwCustomListBox& owner) : QStyledItemDelegate(owner.Widget()), owner_(owner) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    TOwnerDrawState state = 0;
    if (option.state & QStyle::State_Selected) state |= odSelected;
    if (option.state & QStyle::State_HasFocus) state |= odFocused;
    if (!owner_.Enabled()) state |= odDisabled;
    owner_.PaintItem(*painter, index.row(), option.rect, state);
  }

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return {owner_.horzScrollBar_ ? owner_.horzExtent_ : 0, owner_.ItemHeight()};
  }

private:
  TFwCustomListBox& owner_;
};

TFwCustomListBox::TFwCustomListBox(TComponent* owner)
    : TFwFramed<TListBox>(owner), searchTimer_(new TTimer(this)) {
  searchTimer_->SetEnabled(false);
  searchTimer_->SetInterval(kSearchInterval);
  searchTimer_->OnTimer = [this](TObject*) { SearchTimerTick(); };
  groupFont_.Assign(Font());
  groupFont_.SetStyle(groupFont_.Style() | fsBold);
  groupFont_.SetColor(clHighlight);
  QListWidget* list = Widget();
  list->setItemDelegate(new Delegate(*this));
  list->setUniformItemSizes(true);
  list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The watch goes first when the control is destroyed, so the view clearing its items
  // afterwards calls nothing of ours.
  QAbstractItemModel* model = list->model();
  itemWatch_ = std::make_unique<QObject>();
  const auto changed = [this] { ItemsChanged(); };
  QObject::connect(model, &QAbstractItemModel::rowsInserted, itemWatch_.get(), changed);
  QObject::connect(model, &QAbstractItemModel::rowsRemoved, itemWatch_.get(), changed);
  QObject::connect(model, &QAbstractItemModel::modelReset, itemWatch_.get(), changed);
  QObject::connect(model, &QAbstractItemModel::dataChanged, itemWatch_.get(), changed);
  list->viewport()->installEventFilter(this);
}

TFwCustomListBox::~TFwCustomListBox() {
  itemWatch_.reset();
  Widget()->viewport()->removeEventFilter(this);
  Widget()->setItemDelegate(nullptr);
}

int TFwCustomListBox::SearchInterval() const { return searchTimer_->Interval(); }

void TFwCustomListBox::SetSearchInterval(int ms) { searchTimer_->SetInterval(ms); }

void TFwCustomListBox::SearchTimerTick() {
  if (searching_) return;
  searchTimer_->SetEnabled(false);
  searchText_.clear();
}

int TFwCustomListBox::ItemHeight() const {
  if (itemHeight_ > 0) return itemHeight_;
  TCanvas measure;
  measure.Font().Assign(Font());
  return measure.TextHeight(QStringLiteral("Pp"));
}

void TFwCustomListBox::SetItemHeight(int value) {
  if (value == itemHeight_) return;
  itemHeight_ = std::max(0, value);
  ApplyItemSize();
}

void TFwCustomListBox::ApplyItemSize() {
  // Uniform sizes are cached by the view: make it ask the delegate again.
  Widget()->setUniformItemSizes(false);
  Widget()->setUniformItemSizes(true);
  Widget()->doItemsLayout();
  Widget()->viewport()->update();
}

void TFwCustomListBox::SetHorzExtent(int value) {
  value = std::clamp(value, 0, 0xFFFF);
  if (value == horzExtent_) return;
  horzExtent_ = value;
  ApplyItemSize();
}

void TFwCustomListBox::SetHorzScrollBar(bool value) {
  if (value == horzScrollBar_) return;
  horzScrollBar_ = value;
  Widget()->setHorizontalScrollBarPolicy(value ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  if (value) FitWidestItem();
  ApplyItemSize();
}

void TFwCustomListBox::SetGroupColor(TColor value) {
  if (value == groupColor_) return;
  groupColor_ = value;
  Widget()->viewport()->update();
}

void TFwCustomListBox::SetGroupFont(const TFont& value) {
  groupFont_.Assign(value);
  groupFontChanged_ = true;
  GroupFontChanged();
  Widget()->viewport()->update();
}

void TFwCustomListBox::SetUseGradients(bool value) {
  if (value == useGradients_) return;
  useGradients_ = value;
  Widget()->viewport()->update();
}

void TFwCustomListBox::SetGroupMode(bool value) {
  if (StoreIfChanged(groupMode_, value)) ApplyItemSize();
}

bool TFwCustomListBox::IsGroupItem(int index) const {
  return index >= 0 && index < Count() && Item(index).startsWith(kGroupPrefix);
}

int TFwCustomListBox::FindString(const QString& text) const {
  for (int i = 0; i < Count(); ++i)
    if (Item(i).startsWith(text, Qt::CaseInsensitive)) return i;
  return -1;
}

// Keys ---------------------------------------------------------------------------------

void TFwCustomListBox::KeyDown(WORD& key, TShiftState shift) {
  if (EndsIncrementalSearch(key)) ClearSearch();
  TListBox::KeyDown(key, shift);
}

void TFwCustomListBox::KeyPress(QChar& key) {
  // Tab is the dialog's key, never a character of the list.
  if (!incrementalSearch_ || key == QLatin1Char('\t')) {
    TListBox::KeyPress(key);
    return;
  }
  if (key == QLatin1Char('\r')) {
    if (tabOnEnter_) {
      key = QChar();
      QCoreApplication::postEvent(Widget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
      return;
    }
    // Enter goes on to the window's default button unless a handler takes it.
    TListBox::KeyPress(key);
    return;
  }
  if (key == QChar(0x1B)) {
    // Escape clears the choice and goes on to the window's cancel button.
    SetItemIndex(-1);
    return;
  }
  const QChar typed = key;
  // Nothing typed here reaches the view's own key handling.
  key = QChar();
  QPointer<QWidget> self(this);
  if (typed == QLatin1Char('\b')) {
    if (searchText_.isEmpty()) {
      if (beepOnInvalidKey_) Beep();
      Search(QString(), typed);
      return;
    }
    QString shorter = searchText_;
    shorter.chop(1);
    if (shorter.isEmpty()) {
      SetItemIndex(0);
      Click();
      if (!self) return;
      searchText_.clear();
      QChar echo = typed;
      TListBox::KeyPress(echo);
      return;
    }
    Search(shorter, typed);
  } else if (typed.unicode() >= 32) {
    // The clock decides as well as the timer, so a key typed after the interval starts
    // afresh even when the event loop had no chance to run the timer.
    const QDateTime now = Now();
    if (!searchText_.isEmpty() && lastSearchKey_.isValid() && lastSearchKey_.msecsTo(now) >= SearchInterval())
      searchText_.clear();
    lastSearchKey_ = now;
    searching_ = true;
    Search(searchText_ + typed, typed);
    if (!self) return;
    searchTimer_->SetEnabled(false);
    searchTimer_->SetEnabled(true);
    searching_ = false;
  }
}

void TFwCustomListBox::Search(const QString& candidate, QChar key) {
  const int found = FindString(candidate);
  if (found < 0) {
    if (beepOnInvalidKey_) Beep();
    return;
  }
  if (MultiSelect()) {
    const int old = ItemIndex();
    if (old >= 0) SetSelected(old, false);
    SetSelected(found, true);
    Widget()->selectionModel()->setCurrentIndex(Widget()->model()->index(found, 0), QItemSelectionModel::NoUpdate);
  } else {
    SetItemIndex(found);
  }
  searchText_ = candidate;
  QPointer<QWidget> self(this);
  QChar echo = key;
  TListBox::KeyPress(echo);
  if (self) DoMatch();
}

void TFwCustomListBox::ClearSearch() { searchText_.clear(); }

void TFwCustomListBox::DoMatch() {
  if (OnMatch) OnMatch(this);
}

// Items -------------------------------------------------------------------------------

void TFwCustomListBox::ItemsChanged() {
  if (horzScrollBar_) FitWidestItem();
}

void TFwCustomListBox::FitWidestItem() {
  if (!horzScrollBar_) return;
  int widest = 0;
  for (int i = 0; i < Count(); ++i) widest = std::max(widest, MeasureText(Font(), Item(i) + QLatin1Char('x')));
  SetHorzExtent(widest);
}

int TFwCustomListBox::MeasureText(const TFont& font, const QString& text) const {
  TCanvas measure;
  measure.Font().Assign(font);
  return measure.TextWidth(text);
}

// Item hints --------------------------------------------------------------------------

bool TFwCustomListBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Widget()->viewport()) {
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
      const QPoint at = Widget()->viewport()->mapFromGlobal(QCursor::pos());
      const QPoint pos = event->type() == QEvent::MouseMove ? static_cast<QMouseEvent*>(event)->position().toPoint() : at;
      UpdateItemHint(pos);
    } else if (event->type() == QEvent::Leave) {
      QToolTip::hideText();
    }
  }
  return TListBox::eventFilter(watched, event);
}

void TFwCustomListBox::UpdateItemHint(QPoint pos) {
  QListWidget* list = Widget();
  const QModelIndex index = list->indexAt(pos);
  const bool ours = QApplication::activeWindow() == window();
  if (!showItemHints_ || !index.isValid() || !ours) {
    QToolTip::hideText();
    return;
  }
  const int row = index.row();
  const bool group = groupMode_ && IsGroupItem(row);
  const QString text = group ? Item(row).mid(kGroupPrefix.size()) : Item(row);
  if (MeasureText(group ? groupFont_ : Font(), text) + 2 + TextIndent() <= list->viewport()->width()) {
    QToolTip::hideText();
    return;
  }
  // The hint lies over the item, so the whole text reads where the clipped one was.
  QRect r = list->visualRect(index).translated(-1, -2);
  const QPoint topLeft = list->viewport()->mapToGlobal(r.topLeft());
  QString shown = text;
  shown.replace(QLatin1Char('\t'), QString(8, QLatin1Char(' ')));
  QToolTip::showText(topLeft, PlainToolTip(shown), list->viewport(), r);
}

// Painting ----------------------------------------------------------------------------

void TFwCustomListBox::PaintItem(QPainter& painter, int index, const QRect& rect, TOwnerDrawState state) {
  TCanvas canvas(&painter);
  canvas.Font().Assign(Font());
  canvas.Brush().SetColor(Color());
  const TRect r = Rect(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1);
  if (groupMode_ && IsGroupItem(index)) {
    DrawGroupItem(canvas, index, r, state);
    return;
  }
  TRect textRect = r;
  textRect.Left += TextIndent();
  if (state & odSelected) {
    canvas.Brush().SetColor(clHighlight);
    canvas.Font().SetColor(clHighlightText);
  }
  if (index < 0) {
    canvas.FillRect(textRect);
  } else {
    canvas.SaveDC();
    canvas.IntersectClipRect(textRect);
    DrawItem(canvas, index, textRect, state);
    canvas.RestoreDC();
  }
  if (state & odFocused) {
    // A dotted focus rectangle just inside the item.
    canvas.Pen().SetColor(canvas.Font().Color());
    canvas.Pen().SetStyle(TPenStyle::psDot);
    const TRect f = textRect;
    canvas.Polyline({{f.Left, f.Top}, {f.Right - 1, f.Top}, {f.Right - 1, f.Bottom - 1}, {f.Left, f.Bottom - 1},
                     {f.Left, f.Top}});
  }
}

void TFwCustomListBox::DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, canvas, index, rect, state);
    return;
  }
  canvas.FillRect(rect);
  const int y = rect.Top + (rect.Height() - canvas.TextHeight(QStringLiteral("Pp"))) / 2;
  DrawItemText(canvas, rect.Left + 2, y, Item(index));
}

void TFwCustomListBox::DrawGroupItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state) {
  const QString text = Item(index).mid(kGroupPrefix.size());
  canvas.Font().Assign(groupFont_);
  if (state & odSelected) {
    canvas.Brush().SetColor(clHighlight);
    canvas.Font().SetColor(clHighlightText);
    canvas.FillRect(rect);
  } else if (useGradients_ && HighColorDisplay()) {
    // A palette display shows a gradient as coarse bands: the solid colour instead.
    PaintGradient(canvas, rect, TGradientDirection::gdVerticalEnd, Color(), groupColor_, 1);
  } else {
    canvas.Brush().SetColor(groupColor_);
    canvas.FillRect(rect);
  }
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.SaveDC();
  canvas.IntersectClipRect(rect);
  const int y = rect.Top + (rect.Height() - canvas.TextHeight(QStringLiteral("Pp"))) / 2;
  DrawItemText(canvas, rect.Left + 2, y, text);
  canvas.RestoreDC();
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
}

void TFwCustomListBox::DrawItemText(TCanvas& canvas, int x, int y, const QString& text) { canvas.TextOut(x, y, text); }

// State -------------------------------------------------------------------------------

void TFwCustomListBox::Loaded() {
  TFwFramed::Loaded();
  FitWidestItem();
}

void TFwCustomListBox::ColorChanged() {
  TFwFramed::ColorChanged();
  Widget()->viewport()->update();
}

void TFwCustomListBox::FontChanged() {
  TListBox::FontChanged();
  FitWidestItem();
  ApplyItemSize();
}

void TFwCustomListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) ClearSearch();
  TListBox::MouseDown(button, shift, x, y);
}

} // namespace fw
