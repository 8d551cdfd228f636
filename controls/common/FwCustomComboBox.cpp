#include "controls/common/FwCustomComboBox.h"

#include "controls/common/FwBorders.h"
#include "controls/common/FwGlyphs.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Setters.h"
#include "platform/ui/Timer.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QStyle>

namespace fw {

namespace {

constexpr int kSearchInterval = 1500;

} // namespace

TFwCustomComboBox::TFwCustomComboBox(TComponent* owner)
    : TFwFramed<TComboBox>(owner), searchTimer_(new TTimer(this)) {
  searchTimer_->SetEnabled(false);
  searchTimer_->SetInterval(kSearchInterval);
  searchTimer_->OnTimer = [this](TObject*) { SearchTimerTick(); };
  WatchPopup();
}

void TFwCustomComboBox::WatchPopup() {
  // The list window: its showing and hiding are the drop-down and close-up.
  QAbstractItemView* view = Widget()->view();
  popup_ = view->parentWidget();
  if (popup_) popup_->installEventFilter(this);
  // The choice of an item: the close-up events go before select and change.
  QObject::disconnect(Widget(), &QComboBox::activated, Widget(), nullptr);
  // The watch goes first when the control is destroyed, so the platform box announcing
  // anything afterwards calls nothing of ours.
  watch_ = std::make_unique<QObject>();
  QObject::connect(Widget(), &QComboBox::activated, watch_.get(), [this](int) { ItemActivated(); });
  if (QLineEdit* edit = Widget()->lineEdit()) WatchEdit(edit);
  WatchItems();
}

// Items leave one by one (rows removed) or all at once (the list cleared or assigned).
void TFwCustomComboBox::WatchItems() {
  QAbstractItemModel* model = Widget()->model();
  QObject::connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, watch_.get(),
                   [this](const QModelIndex&, int first, int last) { ItemsLeaving(first, last); });
  QObject::connect(model, &QAbstractItemModel::modelAboutToBeReset, watch_.get(),
                   [this] { ItemsLeaving(0, ItemCount() - 1); });
}

void TFwCustomComboBox::ItemsLeaving(int first, int last) {
  if (!OnDeleteItem) return;
  for (int i = first; i <= last; ++i) DoDeleteItem(i, Widget()->itemText(i));
}

TFwCustomComboBox::~TFwCustomComboBox() {
  watch_.reset();
  if (popup_) popup_->removeEventFilter(this);
  if (QLineEdit* edit = Widget()->lineEdit()) edit->removeEventFilter(this);
  Widget()->removeEventFilter(this);
}

int TFwCustomComboBox::SearchInterval() const { return searchTimer_->Interval(); }

void TFwCustomComboBox::SetSearchInterval(int ms) { searchTimer_->SetInterval(ms); }

void TFwCustomComboBox::SearchTimerTick() {
  searchTimer_->SetEnabled(false);
  searchText_.clear();
}

void TFwCustomComboBox::SetReadOnly(bool value) {
  if (value == readOnly_) return;
  readOnly_ = value;
  if (QLineEdit* edit = Widget()->lineEdit()) edit->setReadOnly(value);
  if (value && droppedDown_) Widget()->hidePopup();
  ReadOnlyChanged();
}

void TFwCustomComboBox::SetFlatButtons(bool value) {
  if (StoreIfChanged(flatButtons_, value)) RepaintFrame();
}

void TFwCustomComboBox::SetFlatButtonColor(TColor value) {
  if (value == flatButtonColor_) return;
  flatButtonColor_ = value;
  if (flatButtons_) RepaintFrame();
}

void TFwCustomComboBox::SetDropDownWidth(int value) {
  value = std::max(0, value);
  if (value == dropDownWidth_) return;
  dropDownWidth_ = value;
  Widget()->view()->setMinimumWidth(value);
}

void TFwCustomComboBox::SetDroppedDown(bool value) {
  if (value == droppedDown_) return;
  if (value && !readOnly_)
    Widget()->showPopup();
  else if (!value)
    Widget()->hidePopup();
}

int TFwCustomComboBox::FindItemPrefix(const QString& text) const {
  const QStringList items = Items();
  for (int i = 0; i < items.size(); ++i)
    if (items[i].startsWith(text, Qt::CaseInsensitive)) return i;
  return -1;
}

TRect TFwCustomComboBox::ButtonRect() const {
  const int bar = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  return Rect(Width() - 2 - bar, 2, Width() - 2, Height() - 2);
}

void TFwCustomComboBox::RepaintFrame() {
  update();
  Widget()->update();
}

void TFwCustomComboBox::UpdateFrame(bool viaMouse, bool inFrame) {
  TFwFramed::UpdateFrame(viaMouse, inFrame);
  if ((flatButtons_ || FrameVisible()) && !droppedDown_) RepaintFrame();
}

void TFwCustomComboBox::Beep() {
  if (beepOnInvalidKey_) fw::Beep();
}

void TFwCustomComboBox::SelectItem(int index) {
  QPointer<QWidget> self(this);
  SetItemIndex(index);
  if (OnSelect) OnSelect(this);
  if (self) DoChange();
}

bool TFwCustomComboBox::SearchAndSelect(const QString& text) {
  const int found = FindItemPrefix(text);
  if (found < 0) {
    Beep();
    return false;
  }
  QPointer<QWidget> self(this);
  SelectItem(found);
  if (self) DoMatch();
  return true;
}

bool TFwCustomComboBox::AutoCompleteKey(QChar key) {
  QLineEdit* edit = Widget()->lineEdit();
  if (!edit) return false;
  QString typed = edit->text();
  const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
  typed.replace(start, edit->hasSelectedText() ? edit->selectedText().size() : 0, key);
  const int found = FindItemPrefix(typed);
  if (found < 0) {
    if (allowEdit_) return false;
    Beep();
    return true;
  }
  // Completion only when typing at the end of the text.
  if (!autoComplete_ || start + 1 != typed.size()) return false;
  const QString item = Items().at(found);
  const QString completed = keepSearchCase_ ? typed + item.mid(typed.size()) : item;
  edit->setText(completed);
  // The completed part stays selected, so typing goes on over it.
  edit->setSelection(completed.size(), typed.size() - completed.size());
  QPointer<QWidget> self(this);
  DoChange();
  if (self) DoMatch();
  return true;
}

void TFwCustomComboBox::KeyDown(WORD& key, TShiftState shift) {
  if (EndsIncrementalSearch(key)) searchText_.clear();
  if (readOnly_) {
    const bool changesText = key == VK_DELETE || key == VK_BACK;
    const bool changesChoice = key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT || key == VK_F4 ||
                               (ListStyle() && (key == VK_HOME || key == VK_END));
    if (changesText || changesChoice) {
      key = 0;
      return;
    }
  }
  TComboBox::KeyDown(key, shift);
}

void TFwCustomComboBox::KeyPress(QChar& key) {
  if (key == QLatin1Char('\t')) {
    TComboBox::KeyPress(key);
    return;
  }
  if (key == QLatin1Char('\r') && tabOnEnter_) {
    key = QChar();
    QCoreApplication::postEvent(Widget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
    return;
  }
  QPointer<QWidget> self(this);
  TComboBox::KeyPress(key);
  if (!self || key.isNull()) return;
  if (readOnly_) {
    key = QChar();
    return;
  }
  const QChar typed = key;
  if (!ListStyle()) {
    if (typed.unicode() >= 32 && AutoCompleteKey(typed)) key = QChar();
    return;
  }
  // A drop-down list: the keys search its items and never reach the platform box.
  key = QChar();
  if (typed == QLatin1Char('\b')) {
    if (searchText_.isEmpty()) {
      Beep();
      return;
    }
    searchText_.chop(1);
    if (searchText_.isEmpty())
      SelectItem(0);
    else
      SearchAndSelect(searchText_);
  } else if (typed == QChar(0x1B)) {
    SelectItem(0);
  } else if (typed.unicode() >= 32) {
    // The clock decides as well as the timer, so a key typed after the interval starts
    // afresh even when the event loop had no chance to run the timer.
    const QDateTime now = Now();
    if (lastSearchKey_.isValid() && lastSearchKey_.msecsTo(now) >= SearchInterval()) searchText_.clear();
    lastSearchKey_ = now;
    const QString candidate = searchText_ + typed;
    if (SearchAndSelect(candidate) && self) searchText_ = candidate;
    if (!self) return;
    searchTimer_->SetEnabled(false);
    searchTimer_->SetEnabled(true);
  }
}

void TFwCustomComboBox::DoDropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TFwCustomComboBox::DoCloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TFwCustomComboBox::DoSelEndOk() {
  if (OnSelEndOk) OnSelEndOk(this);
}

void TFwCustomComboBox::DoSelEndCancel() {
  if (OnSelEndCancel) OnSelEndCancel(this);
}

void TFwCustomComboBox::DoMatch() {
  if (OnMatch) OnMatch(this);
}

void TFwCustomComboBox::DoDeleteItem(int index, const QString& item) {
  if (OnDeleteItem) OnDeleteItem(this, index, item);
}

void TFwCustomComboBox::DoNotInList() {
  if (OnNotInList) OnNotInList(this);
}

void TFwCustomComboBox::DoExit() {
  QPointer<QWidget> self(this);
  if (!ListStyle() && !Text().isEmpty() && !Items().contains(Text(), Qt::CaseInsensitive)) DoNotInList();
  if (self) TFwFramed::DoExit();
}

bool TFwCustomComboBox::PopupEvent(QObject* watched, QEvent* event) {
  if (watched != popup_) return false;
  if (event->type() == QEvent::Show) {
    if (readOnly_) {
      QMetaObject::invokeMethod(Widget(), [combo = QPointer<QComboBox>(Widget())] {
        if (combo) combo->hidePopup();
      }, Qt::QueuedConnection);
      return false;
    }
    droppedDown_ = true;
    closePending_ = false;
    searchText_.clear();
    DoDropDown();
  } else if (event->type() == QEvent::Hide && droppedDown_) {
    droppedDown_ = false;
    // A chosen item is announced right after the list hides, in the same handling; what
    // is not announced by the time the events are processed was cancelled.
    closePending_ = true;
    QMetaObject::invokeMethod(Widget(), [self = QPointer<TFwCustomComboBox>(this)] {
      if (self) self->FinishCloseUp(false);
    }, Qt::QueuedConnection);
    RepaintFrame();
  }
  return false;
}

void TFwCustomComboBox::FinishCloseUp(bool chosen) {
  if (!closePending_) return;
  closePending_ = false;
  QPointer<QWidget> self(this);
  if (chosen)
    DoSelEndOk();
  else
    DoSelEndCancel();
  if (self) DoCloseUp();
}

void TFwCustomComboBox::ItemActivated() {
  QPointer<QWidget> self(this);
  FinishCloseUp(true);
  if (!self) return;
  if (OnSelect) OnSelect(this);
  if (self) DoChange();
}

void TFwCustomComboBox::WatchEdit(QLineEdit* edit) {
  // The edit field of an editable box takes the keys itself: they pass our key steps
  // there. The platform's own inline completion gives way to ours.
  edit->installEventFilter(this);
  edit->setCompleter(nullptr);
  edit->setReadOnly(readOnly_);
}

bool TFwCustomComboBox::eventFilter(QObject* watched, QEvent* event) {
  if (popup_ && watched == popup_) return PopupEvent(watched, event);
  QLineEdit* edit = Widget()->lineEdit();
  if (edit && watched == edit && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    // A key the edit leaves alone travels on to the box: it must not run our steps twice.
    editKey_ = key;
    return HandleKey(*key);
  }
  if (watched == Widget()) {
    if (event->type() == QEvent::ChildAdded)
      if (auto* added = qobject_cast<QLineEdit*>(static_cast<QChildEvent*>(event)->child())) WatchEdit(added);
    if (event->type() == QEvent::KeyPress && event == editKey_) {
      editKey_ = nullptr;
      return false;
    }
    switch (event->type()) {
    case QEvent::Paint:
      if (!flatButtons_) break;
      // The platform box paints first; the flat button goes over its own.
      Widget()->event(event);
      PaintFlatButton();
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
      if (!readOnly_) break;
      TComboBox::eventFilter(watched, event);
      return true;
    default: break;
    }
  }
  return TComboBox::eventFilter(watched, event);
}

void TFwCustomComboBox::PaintFlatButton() {
  QPainter painter(Widget());
  TCanvas canvas(&painter);
  const int m = Framing().FrameMargin();
  TRect r = ButtonRect();
  r.Left -= m;
  r.Right -= m;
  r.Top -= m;
  r.Bottom -= m;
  canvas.Brush().SetColor(flatButtonColor_);
  canvas.FillRect(r);
  const bool hot = Framing().MouseOver() || Framing().HasFocus();
  if (droppedDown_)
    DrawCtl3DBorder(canvas, r, true, sdAll);
  else if (hot)
    DrawCtl3DBorder(canvas, r, false, sdAll);
  DrawDropDownArrow(canvas, r, fwGlyphClassic, Enabled(), droppedDown_);
}

} // namespace fw
