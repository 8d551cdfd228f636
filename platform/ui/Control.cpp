#include "platform/ui/Control.h"

#include "platform/ui/Form.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/WinControl.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QTextDocument>
#include <utility>

namespace fw {

Qt::CursorShape CursorShape(TCursor cursor) {
  switch (cursor) {
  case crNone: return Qt::BlankCursor;
  case crCross: return Qt::CrossCursor;
  case crIBeam: return Qt::IBeamCursor;
  case crSizeNESW: return Qt::SizeBDiagCursor;
  case crSizeNS: return Qt::SizeVerCursor;
  case crSizeNWSE: return Qt::SizeFDiagCursor;
  case crSizeWE: return Qt::SizeHorCursor;
  case crUpArrow: return Qt::UpArrowCursor;
  case crHourGlass:
  case crSQLWait: return Qt::WaitCursor;
  case crAppStart: return Qt::BusyCursor;
  case crDrag:
  case crMultiDrag: return Qt::DragCopyCursor;
  case crNoDrop:
  case crNo: return Qt::ForbiddenCursor;
  case crHSplit: return Qt::SplitHCursor;
  case crVSplit: return Qt::SplitVCursor;
  case crHelp: return Qt::WhatsThisCursor;
  case crHandPoint: return Qt::PointingHandCursor;
  case crSizeAll: return Qt::SizeAllCursor;
  default: return Qt::ArrowCursor;
  }
}

QString GetShortHint(const QString& hint) {
  const int bar = hint.indexOf(QLatin1Char('|'));
  return bar < 0 ? hint : hint.left(bar);
}

QString GetLongHint(const QString& hint) {
  const int bar = hint.indexOf(QLatin1Char('|'));
  return bar < 0 ? hint : hint.mid(bar + 1);
}

QString PlainToolTip(const QString& text) {
  if (!Qt::mightBeRichText(text)) return text;
  return QStringLiteral("<p style=\"white-space:pre\">") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

namespace {

TMouseButton ButtonOf(Qt::MouseButton button, bool& known) {
  known = true;
  switch (button) {
  case Qt::LeftButton: return TMouseButton::mbLeft;
  case Qt::RightButton: return TMouseButton::mbRight;
  case Qt::MiddleButton: return TMouseButton::mbMiddle;
  default: known = false; return TMouseButton::mbLeft;
  }
}

QPoint PosIn(const QWidget& control, const QMouseEvent& event, const QWidget* from) {
  const QPoint p = event.position().toPoint();
  return from == &control ? p : from->mapTo(&control, p);
}

} // namespace

TControl::TControl(TComponent* owner) : QWidget(nullptr), TComponent(owner) {
  color_ = clWindow;
  parentColor_ = true;
  // Mouse moves are reported without a pressed button, as the desktop does.
  setMouseTracking(true);
  font_.OnChange = [this](TFont&) {
    if (!applyingParentFont_) parentFont_ = false;
    Perform(CM_FONTCHANGED);
  };
  ApplyFontTo(*this);
}

TControl::~TControl() {
  SetDestroying();
  DestroyComponents();
  if (action_) action_->UnRegisterChanges(this);
  action_ = nullptr;
  if (parent_) parent_->RemoveControl(this);
  parent_ = nullptr;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == static_cast<QWidget*>(this)) return;
  if (parent_) parent_->RemoveControl(this);
  parent_ = parent;
  QWidget::setParent(parent);
  if (!parent) return;
  parent->InsertControl(this);
  ParentFontChanged();
  ParentColorChanged();
  // A hidden control is hidden explicitly, or Qt would show it with its new parent.
  if (visible_)
    QWidget::show();
  else
    QWidget::hide();
  if (align_ != TAlign::alNone) parent->Realign();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (QRect(left, top, width, height) == geometry()) return;
  ApplyBounds(QRect(left, top, width, height));
  if (parent_ && align_ != TAlign::alNone) parent_->ChildLayoutChanged(this);
}

TRect TControl::ClientRect() const { return Rect(0, 0, width(), height()); }

TPoint TControl::ClientToScreen(TPoint p) const {
  const QPoint q = mapToGlobal(QPoint(p.X, p.Y));
  return {q.x(), q.y()};
}

TPoint TControl::ScreenToClient(TPoint p) const {
  const QPoint q = mapFromGlobal(QPoint(p.X, p.Y));
  return {q.x(), q.y()};
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  if (parent_) parent_->Realign();
  AlignChanged();
}

void TControl::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  // A control without a parent is not a window of its own: it shows once it has one.
  if (parent_) QWidget::setVisible(value);
  Perform(CM_VISIBLECHANGED, value);
}

void TControl::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  QWidget::setEnabled(value);
  Perform(CM_ENABLEDCHANGED, value);
}

void TControl::SetText(const QString& value) {
  if (value == GetText()) return;
  StoreText(value);
  Perform(CM_TEXTCHANGED);
}

// The colour it has already changes nothing: a control that follows its parent's colour
// goes on following it.
void TControl::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  parentColor_ = false;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
  if (value == parentColor_) return;
  parentColor_ = value;
  if (value) ParentColorChanged();
}

void TControl::SetParentFont(bool value) {
  if (value == parentFont_) return;
  parentFont_ = value;
  if (value) ParentFontChanged();
}

void TControl::SetHint(const QString& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  ApplyHint();
}

void TControl::SetShowHint(bool value) {
  if (value == showHint_) return;
  showHint_ = value;
  ApplyHint();
}

void TControl::ApplyHint() {
  const QString tip = showHint_ ? PlainToolTip(GetShortHint(hint_)) : QString();
  const QString status = GetLongHint(hint_);
  setToolTip(tip);
  setStatusTip(status);
  if (inner_) {
    inner_->setToolTip(tip);
    inner_->setStatusTip(status);
  }
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  if (cursor == crDefault)
    unsetCursor();
  else
    setCursor(QCursor(CursorShape(cursor)));
  Perform(CM_CURSORCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (menu == popupMenu_) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = menu;
  if (popupMenu_) popupMenu_->FreeNotification(this);
}

void TControl::SetAction(TBasicAction* action) {
  if (action == action_) return;
  if (action_) action_->UnRegisterChanges(this);
  action_ = action;
  if (!action_) return;
  action_->RegisterChanges(this);
  if (auto* a = dynamic_cast<TAction*>(action_)) {
    actionLink_.Reset(*a);
    ActionLinked(*a, Loading());
  }
}

TForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  WndProc(message);
  return message.Result;
}

void TControl::Click() {
  if (OnClick)
    OnClick(this);
  else if (action_)
    action_->Execute();
}

void TControl::WndProc(TMessage& message) {
  switch (message.Msg) {
  case CM_MOUSEENTER: MouseEnter(); break;
  case CM_MOUSELEAVE: MouseLeave(); break;
  case CM_FONTCHANGED: FontChanged(); break;
  case CM_COLORCHANGED: ColorChanged(); break;
  case CM_ENABLEDCHANGED: EnabledChanged(); break;
  case CM_VISIBLECHANGED: VisibleChanged(); break;
  case CM_TEXTCHANGED: TextChanged(); break;
  case CM_PARENTFONTCHANGED: ParentFontChanged(); break;
  case CM_PARENTCOLORCHANGED: ParentColorChanged(); break;
  default: break;
  }
}

void TControl::FontChanged() {
  ApplyFontTo(*this);
  if (inner_) ApplyFontTo(*inner_);
  Invalidate();
}

void TControl::ColorChanged() {
  ApplyColorTo(*this);
  if (inner_) ApplyColorTo(*inner_);
  Invalidate();
}

void TControl::VisibleChanged() {
  if (parent_ && align_ != TAlign::alNone) parent_->Realign();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  applyingParentFont_ = true;
  font_.Assign(parent_->Font());
  applyingParentFont_ = false;
}

void TControl::ParentColorChanged() {
  if (!parentColor_ || !parent_) return;
  if (color_ == parent_->Color()) return;
  color_ = parent_->Color();
  Perform(CM_COLORCHANGED);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::DoContextPopup(TPoint screenPos, bool& handled) {
  if (!popupMenu_) return;
  popupMenu_->SetPopupComponent(this);
  popupMenu_->Popup(screenPos.X, screenPos.Y);
  handled = true;
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

void TControl::ActionChanged(TBasicAction& action) {
  auto* a = dynamic_cast<TAction*>(&action);
  if (!a || &action != action_) return;
  FollowAction(actionLink_.Changed(*a));
}

void TControl::ActionLinked(const TAction& a, bool checkDefaults) {
  TakeActionValue(a.Caption(), Caption().isEmpty() || Caption() == Name(), checkDefaults,
                  [this](const QString& v) { SetCaption(v); });
  TakeActionValue(a.Enabled(), Enabled(), checkDefaults, [this](bool v) { SetEnabled(v); });
  TakeActionValue(a.Hint(), Hint().isEmpty(), checkDefaults, [this](const QString& v) { SetHint(v); });
  TakeActionValue(a.Visible(), Visible(), checkDefaults, [this](bool v) { SetVisible(v); });
}

void TControl::FollowAction(const TActionChange& change) {
  change.Follow(&TActionValues::Caption, Caption(), [this](const QString& v) { SetCaption(v); });
  change.Follow(&TActionValues::Enabled, Enabled(), [this](bool v) { SetEnabled(v); });
  change.Follow(&TActionValues::Hint, Hint(), [this](const QString& v) { SetHint(v); });
  change.Follow(&TActionValues::Visible, Visible(), [this](bool v) { SetVisible(v); });
}

void TControl::ActionFreed(TBasicAction& action) {
  if (&action == action_) action_ = nullptr;
}

void TControl::ApplyFontTo(QWidget& widget) const {
  widget.setFont(font_.ToQFont());
  QPalette palette = widget.palette();
  const QColor text = ToQColor(font_.Color());
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::ButtonText, text);
  widget.setPalette(palette);
}

void TControl::ApplyColorTo(QWidget& widget) const {
  QPalette palette = widget.palette();
  const QColor color = ToQColor(color_);
  palette.setColor(QPalette::Window, color);
  palette.setColor(QPalette::Base, color);
  widget.setPalette(palette);
}

void TControl::AdoptInner(QWidget* inner) {
  inner_ = inner;
  inner->setParent(this);
  inner->installEventFilter(this);
  inner->setMouseTracking(true);
  setFocusProxy(inner);
  ApplyFontTo(*inner);
  ApplyColorTo(*inner);
  ApplyHint();
  LayOutInner();
  inner->show();
}

void TControl::ApplyBounds(const QRect& rect) {
  const QSize oldSize = size();
  if (isWindow()) {
    // A window's Left and Top are those of its frame (x(), y()), while setGeometry would
    // place its client area there: a window that changes only its size would move up and
    // left by its title bar and border every time. Moving the frame and resizing the
    // client apart keeps it where it is.
    if (rect.topLeft() != pos()) move(rect.topLeft());
    if (rect.size() != size()) resize(rect.size());
  } else {
    setGeometry(rect);
  }
  if (size() != oldSize && testAttribute(Qt::WA_PendingResizeEvent)) {
    setAttribute(Qt::WA_PendingResizeEvent, false);
    QResizeEvent event(size(), oldSize);
    resizeEvent(&event);
  }
}

void TControl::LayOutInner() {
  if (inner_) inner_->setGeometry(ClientRect().ToQt());
}

bool TControl::eventFilter(QObject* watched, QEvent* event) {
  if (watched != inner_ || !inner_) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
  case QEvent::MouseButtonPress:
    HandleMousePress(*static_cast<QMouseEvent*>(event), inner_);
    break;
  case QEvent::MouseButtonRelease:
    HandleMouseRelease(*static_cast<QMouseEvent*>(event), inner_);
    break;
  case QEvent::MouseButtonDblClick: {
    QPointer<QWidget> self(this);
    DblClick();
    if (!self) return true;
    break;
  }
  case QEvent::MouseMove:
    HandleMouseMove(*static_cast<QMouseEvent*>(event), inner_);
    break;
  case QEvent::ContextMenu:
    if (popupMenu_) {
      bool handled = false;
      const QPoint g = static_cast<QContextMenuEvent*>(event)->globalPos();
      DoContextPopup({g.x(), g.y()}, handled);
      return handled;
    }
    break;
  default:
    break;
  }
  return false;
}

void TControl::HandleMousePress(QMouseEvent& event, QWidget* from) {
  bool known = false;
  const TMouseButton button = ButtonOf(event.button(), known);
  if (!known) return;
  if (button == TMouseButton::mbLeft && from == this) clickPressed_ = true;
  const QPoint p = PosIn(*this, event, from);
  MouseDown(button, ShiftStateFromQt(event.modifiers(), event.buttons()), p.x(), p.y());
}

void TControl::HandleMouseRelease(QMouseEvent& event, QWidget* from) {
  bool known = false;
  const TMouseButton button = ButtonOf(event.button(), known);
  if (!known) return;
  const QPoint p = PosIn(*this, event, from);
  QPointer<QWidget> self(this);
  MouseUp(button, ShiftStateFromQt(event.modifiers(), event.buttons()), p.x(), p.y());
  if (!self) return;
  if (button == TMouseButton::mbLeft && clickPressed_) {
    clickPressed_ = false;
    if (rect().contains(p)) Click();
  }
}

void TControl::HandleMouseMove(QMouseEvent& event, QWidget* from) {
  const QPoint p = PosIn(*this, event, from);
  MouseMove(ShiftStateFromQt(event.modifiers(), event.buttons()), p.x(), p.y());
}

void TControl::mousePressEvent(QMouseEvent* event) {
  HandleMousePress(*event, this);
  event->accept();
}

void TControl::mouseMoveEvent(QMouseEvent* event) {
  HandleMouseMove(*event, this);
  event->accept();
}

void TControl::mouseReleaseEvent(QMouseEvent* event) {
  HandleMouseRelease(*event, this);
  event->accept();
}

void TControl::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click: DblClick, then a mouse-down with ssDouble; the
  // release that follows is no click.
  clickPressed_ = false;
  QPointer<QWidget> self(this);
  DblClick();
  if (!self) return;
  bool known = false;
  const TMouseButton button = ButtonOf(event->button(), known);
  if (known) {
    const QPoint p = event->position().toPoint();
    MouseDown(button, ShiftStateFromQt(event->modifiers(), event->buttons()) | ssDouble, p.x(), p.y());
  }
  if (self) event->accept();
}

void TControl::enterEvent(QEnterEvent*) {
  mouseInside_ = true;
  leftByHiding_ = false;
  Perform(CM_MOUSEENTER);
}

void TControl::leaveEvent(QEvent*) {
  mouseInside_ = false;
  if (std::exchange(leftByHiding_, false)) return;
  Perform(CM_MOUSELEAVE);
}

// The window system tells a control under the mouse nothing when its window closes; the
// control leaves here, so it shows no hot look when it is shown again.
void TControl::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!std::exchange(mouseInside_, false)) return;
  leftByHiding_ = true;
  Perform(CM_MOUSELEAVE);
}

void TControl::resizeEvent(QResizeEvent*) {
  LayOutInner();
  Resize();
}

void TControl::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) Invalidate();
  QWidget::changeEvent(event);
}

void TControl::contextMenuEvent(QContextMenuEvent* event) {
  bool handled = false;
  const QPoint g = event->globalPos();
  DoContextPopup({g.x(), g.y()}, handled);
  if (handled)
    event->accept();
  else
    event->ignore();
}

} // namespace fw
