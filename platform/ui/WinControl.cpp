#include "platform/ui/WinControl.h"
#include "platform/shell/Hooks.h"

#include "platform/ui/AlignLayout.h"
#include "platform/ui/Form.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <algorithm>

namespace fw {

namespace {

// The key event being handled and the widget it was first delivered to. A key a control
// does not swallow travels on to the parents (Qt's propagation); they must not run
// their own key handlers for it again, only the form's dialog keys.
// The event is recognised by its address together with its type, key and time stamp,
// because a later key event may be created at the address of an earlier one.
struct TKeyInFlight {
  const QKeyEvent* Event = nullptr;
  QEvent::Type Type = QEvent::None;
  int Key = 0;
  quint64 Timestamp = 0;
  bool Matches(const QKeyEvent& e) const {
    return &e == Event && e.type() == Type && e.key() == Key && e.timestamp() == Timestamp;
  }
};
TKeyInFlight g_keyInFlight;
QPointer<QWidget> g_keyOrigin;
// Set while a character changed by OnKeyPress is delivered in place of the typed one.
bool g_resending = false;

bool IsPropagated(const QKeyEvent& event, const QWidget& self) {
  return g_keyInFlight.Matches(event) && g_keyOrigin && g_keyOrigin != &self && self.isAncestorOf(g_keyOrigin);
}

void MarkInFlight(const QKeyEvent& event, QWidget* origin) {
  g_keyInFlight = {&event, event.type(), event.key(), event.timestamp()};
  g_keyOrigin = origin;
}

// Runs the key handlers of a key marked in flight from `origin`. A handler may run a modal
// window whose keys mark themselves; the key travelling on afterwards is this one again.
template <typename Handlers>
bool RunKeyHandlers(const QKeyEvent& event, QWidget* origin, Handlers handlers) {
  MarkInFlight(event, origin);
  QPointer<QWidget> from(origin);
  const bool swallowed = handlers();
  if (!swallowed && from) MarkInFlight(event, from);
  return swallowed;
}

bool IsWindowFocusChange(Qt::FocusReason reason) {
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

} // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
  setAutoFillBackground(true);
  setFocusPolicy(Qt::NoFocus);
  ApplyColorTo(*this);
}

TWinControl::~TWinControl() {
  SetDestroying();
  DestroyComponents();
  // Children owned elsewhere are deleted by Qt with this widget; they must not call back.
  for (TControl* child : controls_) child->parent_ = nullptr;
  controls_.clear();
}

bool TWinControl::ContainsControl(const TControl* control) const {
  return control && isAncestorOf(control);
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  if (auto* win = dynamic_cast<TWinControl*>(control)) {
    if (win->tabOrder_ < 0) {
      win->tabOrder_ = 0;
      for (TControl* c : controls_)
        if (c != control && dynamic_cast<TWinControl*>(c)) ++win->tabOrder_;
    }
    UpdateTabChain();
  }
}

void TWinControl::RemoveControl(TControl* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  if (Destroying()) return;
  // Close the gap the control leaves in the tab order. (A control in its destructor is
  // no longer a TWinControl to dynamic_cast, so renumber whatever left.)
  std::vector<TWinControl*> wins;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) wins.push_back(w);
  std::stable_sort(wins.begin(), wins.end(), [](auto* a, auto* b) { return a->tabOrder_ < b->tabOrder_; });
  for (size_t i = 0; i < wins.size(); ++i) wins[i]->tabOrder_ = static_cast<int>(i);
  if (control->Align() != TAlign::alNone) Realign();
}

void TWinControl::ChildLayoutChanged(TControl*) {
  if (!aligning_) Realign();
}

void TWinControl::Realign() {
  if (Destroying()) return;
  if (alignDisabled_ > 0 || aligning_) {
    alignPending_ = alignDisabled_ > 0 || alignPending_;
    return;
  }
  alignPending_ = false;
  AlignControls();
}

void TWinControl::EnableAlign() {
  if (alignDisabled_ > 0) --alignDisabled_;
  if (alignDisabled_ == 0 && alignPending_) Realign();
}

void TWinControl::AlignControls() {
  std::vector<TAlignItem> items;
  items.reserve(controls_.size());
  bool any = false;
  for (TControl* c : controls_) {
    items.push_back({c->Align(), c->BoundsRect(), c->Visible()});
    any = any || c->Align() != TAlign::alNone;
  }
  if (!any) return;
  TRect client = ClientRect();
  AdjustClientRect(client);
  const std::vector<TRect> placed = LayOutAligned(client, items);
  aligning_ = true;
  // Copy: a child's resize handler may add or remove controls.
  const std::vector<TControl*> controls = controls_;
  for (size_t i = 0; i < controls.size(); ++i) {
    TControl* c = controls[i];
    if (std::find(controls_.begin(), controls_.end(), c) == controls_.end()) continue;
    if (c->Align() != TAlign::alNone && c->Visible() && placed[i] != c->BoundsRect())
      c->ApplyBounds(placed[i].ToQt());
  }
  aligning_ = false;
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  const std::vector<TControl*> controls = controls_;
  for (TControl* c : controls) c->Perform(CM_PARENTFONTCHANGED);
}

void TWinControl::ColorChanged() {
  TControl::ColorChanged();
  const std::vector<TControl*> controls = controls_;
  for (TControl* c : controls) c->Perform(CM_PARENTCOLORCHANGED);
}

void TWinControl::SetTabStop(bool value) {
  tabStop_ = value;
  setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
  if (Inner()) Inner()->setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

void TWinControl::SetTabOrder(int value) {
  TWinControl* parent = Parent();
  if (!parent) {
    tabOrder_ = value;
    return;
  }
  // Moving a control in the tab order shifts the others, so the orders stay 0..n-1.
  std::vector<TWinControl*> wins;
  for (TControl* c : parent->controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w != this) wins.push_back(w);
  std::stable_sort(wins.begin(), wins.end(), [](auto* a, auto* b) { return a->tabOrder_ < b->tabOrder_; });
  const size_t at = static_cast<size_t>(std::clamp(value, 0, static_cast<int>(wins.size())));
  wins.insert(wins.begin() + static_cast<std::ptrdiff_t>(at), this);
  for (size_t i = 0; i < wins.size(); ++i) wins[i]->tabOrder_ = static_cast<int>(i);
  parent->UpdateTabChain();
}

void TWinControl::UpdateTabChain() {
  std::vector<TWinControl*> wins;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) wins.push_back(w);
  std::stable_sort(wins.begin(), wins.end(), [](auto* a, auto* b) { return a->tabOrder_ < b->tabOrder_; });
  for (size_t i = 1; i < wins.size(); ++i) QWidget::setTabOrder(wins[i - 1], wins[i]);
}

bool TWinControl::CanFocus() const { return isVisible() && isEnabled(); }

void TWinControl::SetFocus() {
  if (!isEnabled()) return;
  TForm* form = ParentForm();
  if (form == this) form = nullptr;
  if (form) form->activeControl_ = this;
  QWidget* target = Inner() ? Inner() : this;
  // Qt moves the focus inside a window that is not active (a message box has just closed)
  // without a word to the controls; the program expects the exit and the entry here, as
  // with its window active, and the window's return then brings no second entry.
  const bool silent = form && form->isVisible() && !form->isActiveWindow();
  target->setFocus(Qt::OtherFocusReason);
  if (silent && form->enteredControl_ != this && form->focusWidget() == target) EnterControl(form);
}

bool TWinControl::Focused() const {
  const QWidget* focus = QApplication::focusWidget();
  return focus && (focus == this || (Inner() && focus == Inner()));
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyPress(QChar& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

bool TWinControl::FilterTextByKeyPress(QString& text, bool keepLineBreaks) {
  QPointer<QWidget> self(this);
  QString result;
  result.reserve(text.size());
  for (QChar c : text) {
    if (keepLineBreaks && c == QLatin1Char('\n')) {
      result += c;
      continue;
    }
    QChar ch = c;
    KeyPress(ch);
    if (!self) return false;
    if (ch.isNull()) {
      Beep();
      return false;
    }
    result += ch;
  }
  text = result;
  return true;
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

bool TWinControl::HandleKey(QKeyEvent& event) {
  if (g_resending) return false;
  if (std::find(keysDown_.begin(), keysDown_.end(), event.key()) == keysDown_.end()) keysDown_.push_back(event.key());
  QPointer<QWidget> self(this);
  TForm* form = ParentForm();
  const bool preview = form && form != this && form->KeyPreview();
  WORD key = VirtualKeyFromEvent(event);
  const TShiftState shift = ShiftStateFromQt(event.modifiers());
  if (key) {
    if (preview) form->KeyDown(key, shift);
    if (!self) return true;
    if (key) KeyDown(key, shift);
    if (!self || !key) return true;
  }
  // Tab moves the focus before it could become a character: key filters never see it.
  if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) return false;
  const QString text = event.text();
  if (text.size() != 1) return false;
  // Ctrl with a letter (copy, paste, select all) is a command here, not a character: the
  // text a paste brings passes the key filter on its own.
  const Qt::KeyboardModifiers mods = event.modifiers();
  if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier)) return false;
  QChar ch = text.at(0);
  if (preview) form->KeyPress(ch);
  if (!self) return true;
  if (!ch.isNull()) KeyPress(ch);
  if (!self || ch.isNull()) return true;
  if (ch != text.at(0)) {
    // The handler changed the character: deliver the new one instead.
    QKeyEvent replaced(event.type(), event.key(), event.modifiers(), QString(ch), event.isAutoRepeat());
    g_resending = true;
    QCoreApplication::sendEvent(Inner() ? Inner() : this, &replaced);
    g_resending = false;
    return true;
  }
  return false;
}

bool TWinControl::HandleKeyRelease(QKeyEvent& event) {
  if (g_resending) return false;
  const auto down = std::find(keysDown_.begin(), keysDown_.end(), event.key());
  if (down == keysDown_.end()) return false;
  if (!event.isAutoRepeat()) keysDown_.erase(down);
  QPointer<QWidget> self(this);
  TForm* form = ParentForm();
  WORD key = VirtualKeyFromEvent(event);
  if (!key) return false;
  const TShiftState shift = ShiftStateFromQt(event.modifiers());
  if (form && form != this && form->KeyPreview()) form->KeyUp(key, shift);
  if (!self) return true;
  if (key) KeyUp(key, shift);
  return !self || !key;
}

void TWinControl::HandleFocusIn(QFocusEvent& event) {
  TForm* form = ParentForm();
  if (form == this) return;
  // The focus coming back with the window is no new entry into the control; the first
  // control of a window just shown is.
  if (IsWindowFocusChange(event.reason()) && (!form || form->enteredControl_ == this)) return;
  EnterControl(form);
}

void TWinControl::EnterControl(TForm* form) {
  if (form) {
    QPointer<TWinControl> self(this);
    QPointer<TWinControl> previous = form->enteredControl_;
    form->activeControl_ = this;
    form->enteredControl_ = this;
    if (previous && previous != this) previous->DoExit();
    if (!self) return;
  }
  DoEnter();
}

void TWinControl::HandleFocusOut(QFocusEvent& event) {
  // A key released after the control lost the focus was not released in it.
  keysDown_.clear();
  if (IsWindowFocusChange(event.reason())) return;
  if (TForm* form = ParentForm(); form && form != this && form->enteredControl_ == this) form->enteredControl_ = nullptr;
  DoExit();
}

void TWinControl::keyPressEvent(QKeyEvent* event) {
  if (IsPropagated(*event, *this)) {
    event->setAccepted(DialogKey(*event, g_keyOrigin));
    return;
  }
  QPointer<QWidget> self(this);
  if (RunKeyHandlers(*event, this, [&] { return HandleKey(*event); })) {
    // A swallowed key goes no further; the next key event may reuse its address.
    g_keyInFlight = {};
    event->accept();
    return;
  }
  event->setAccepted(self && DialogKey(*event, this));
}

void TWinControl::keyReleaseEvent(QKeyEvent* event) {
  if (IsPropagated(*event, *this)) {
    event->ignore();
    return;
  }
  if (RunKeyHandlers(*event, this, [&] { return HandleKeyRelease(*event); }))
    event->accept();
  else
    event->ignore();
}

void TWinControl::focusInEvent(QFocusEvent* event) {
  HandleFocusIn(*event);
  QWidget::focusInEvent(event);
}

void TWinControl::focusOutEvent(QFocusEvent* event) {
  HandleFocusOut(*event);
  QWidget::focusOutEvent(event);
}

void TWinControl::resizeEvent(QResizeEvent* event) {
  TControl::resizeEvent(event);
  Realign();
}

bool TWinControl::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Inner() && Inner()) {
    switch (event->type()) {
    case QEvent::KeyPress: {
      auto* ke = static_cast<QKeyEvent*>(event);
      if (g_resending) return false;
      if (RunKeyHandlers(*ke, Inner(), [&] { return HandleKey(*ke); })) {
        g_keyInFlight = {};
        return true;
      }
      break;
    }
    case QEvent::KeyRelease: {
      auto* ke = static_cast<QKeyEvent*>(event);
      if (g_resending) return false;
      if (RunKeyHandlers(*ke, Inner(), [&] { return HandleKeyRelease(*ke); })) return true;
      break;
    }
    case QEvent::FocusIn: HandleFocusIn(*static_cast<QFocusEvent*>(event)); break;
    case QEvent::FocusOut: HandleFocusOut(*static_cast<QFocusEvent*>(event)); break;
    default: break;
    }
  }
  return TControl::eventFilter(watched, event);
}

} // namespace fw
