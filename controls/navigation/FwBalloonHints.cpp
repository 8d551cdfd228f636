#include "controls/navigation/FwBalloonHints.h"

#include "controls/navigation/FwCustomHintWindow.h"
#include "platform/ui/Application.h"
#include "platform/ui/Control.h"
#include "platform/ui/Timer.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <algorithm>
#include <vector>

namespace fw {

namespace {

// The components alive, oldest first; the last is in charge.
std::vector<TFwBalloonHints*>& LiveBalloons() {
  static std::vector<TFwBalloonHints*> live;
  return live;
}

// A hint without a stem goes this far below the pointer, clear of the cursor's picture.
constexpr int CursorHeightMargin = 16;

// The widget whose hint applies at `widget`: the nearest one up to its window that has one.
QWidget* HintSource(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget())
    if (!w->toolTip().isEmpty()) return w;
  return nullptr;
}

// The control a hint belongs to: the nearest control of the library at or above the
// widget that carries it (a standard control hands its hint to the Qt widget inside it).
QWidget* HintControl(QWidget* source) {
  for (QWidget* w = source; w; w = w->isWindow() ? nullptr : w->parentWidget())
    if (dynamic_cast<TControl*>(w)) return w;
  return source;
}

} // namespace

// Watches the whole program's input for what starts, keeps and ends a hint, and keeps
// the plain tool tips from showing while the balloons are in charge.
class TFwBalloonHints::Tracker : public QObject {
public:
  explicit Tracker(TFwBalloonHints& owner) : owner_(owner) { qApp->installEventFilter(this); }
  ~Tracker() override {
    if (qApp) qApp->removeEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!owner_.InCharge() || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::ToolTip:
      return true;
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->buttons() != Qt::NoButton || OverHintWindow(widget) || Propagated(widget, *mouse)) break;
      owner_.PointerAt(widget, mouse->globalPosition().toPoint());
      break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
      if (!OverHintWindow(widget)) owner_.Interrupted();
      break;
    case QEvent::Leave:
      owner_.PointerLeft(widget);
      break;
    case QEvent::Hide:
      // A control that goes out of sight (or whose window closes) takes its hint along.
      if (owner_.control_ && (widget == owner_.control_ || widget->isAncestorOf(owner_.control_)))
        owner_.CancelHint();
      break;
    case QEvent::WindowDeactivate:
      if (!OverHintWindow(widget)) owner_.CancelHint();
      break;
    default:
      break;
    }
    return false;
  }

private:
  bool OverHintWindow(QWidget* widget) const {
    return owner_.window_ && widget->window() == static_cast<QWidget*>(owner_.window_);
  }
  // A move that a child left unhandled reaches its parents as well; only the first counts.
  bool Propagated(QWidget* widget, const QMouseEvent& mouse) {
    const QPoint global = mouse.globalPosition().toPoint();
    const bool again = last_ && widget->isAncestorOf(last_) && global == lastGlobal_ &&
                       mouse.timestamp() == lastTime_;
    if (!again) {
      last_ = widget;
      lastGlobal_ = global;
      lastTime_ = mouse.timestamp();
    }
    return again;
  }

  TFwBalloonHints& owner_;
  QPointer<QWidget> last_;
  QPoint lastGlobal_;
  quint64 lastTime_ = 0;
};

TFwBalloonHints::TFwBalloonHints(TComponent* owner)
    : TComponent(owner), showTimer_(new TTimer(this)), hideTimer_(new TTimer(this)) {
  font_.SetName(QStringLiteral("MS Sans Serif"));
  font_.SetSize(8);
  font_.SetColor(clInfoText);
  if (Application) hintPause_ = Application->HintPause();
  showTimer_->SetEnabled(false);
  hideTimer_->SetEnabled(false);
  showTimer_->OnTimer = [this](TObject*) { ShowNow(); };
  hideTimer_->OnTimer = [this](TObject*) { HideNow(); };
  window_ = new TFwCustomHintWindow(this);
  window_->LinkBalloonHints(this);
  font_.OnChange = [this](TFont&) {
    if (window_) window_->Font().Assign(font_);
  };
  bitmaps_.OnChange = [this](TFwBalloonBitmaps&) {
    if (window_) window_->SettingsChanged();
  };
  // A new component takes the hints over from any plain tool tip or older component.
  if (!LiveBalloons().empty()) LiveBalloons().back()->CancelHint();
  LiveBalloons().push_back(this);
  tracker_ = std::make_unique<Tracker>(*this);
}

TFwBalloonHints::~TFwBalloonHints() {
  tracker_.reset();
  auto& live = LiveBalloons();
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
  showTimer_->OnTimer = nullptr;
  hideTimer_->OnTimer = nullptr;
  font_.OnChange = nullptr;
  bitmaps_.OnChange = nullptr;
  if (window_) {
    TFwCustomHintWindow* window = window_;
    window_ = nullptr;
    window->LinkBalloonHints(nullptr);
    window->Free();
  }
}

void TFwBalloonHints::WindowGone(TFwCustomHintWindow* window) {
  if (window == window_) window_ = nullptr;
}

bool TFwBalloonHints::InCharge() const { return !LiveBalloons().empty() && LiveBalloons().back() == this; }

void TFwBalloonHints::SetAlignment(TAlignment value) {
  alignment_ = value;
  if (window_) window_->SetAlignment(value);
}

void TFwBalloonHints::SetCaptionWidth(int value) {
  captionWidth_ = value;
  if (window_) window_->SetCaptionWidth(value);
}

void TFwBalloonHints::SetColor(TColor value) {
  color_ = value;
  if (!window_) return;
  window_->SetColor(value);
  window_->SettingsChanged();
}

void TFwBalloonHints::SetFrameColor(TColor value) {
  frameColor_ = value;
  if (window_) window_->SetFrameColor(value);
}

void TFwBalloonHints::SetCorner(TFwHintCorner value) {
  corner_ = value;
  if (window_) window_->SetCorner(value);
}

void TFwBalloonHints::SetShadow(bool value) {
  if (value == shadow_) return;
  shadow_ = value;
  if (window_) window_->SettingsChanged();
}

void TFwBalloonHints::SetShowBalloon(bool value) {
  if (value == showBalloon_) return;
  showBalloon_ = value;
  if (window_) window_->SettingsChanged();
}

bool TFwBalloonHints::HintShowing() const { return window_ && window_->HintActive(); }

void TFwBalloonHints::StartTimer(TTimer& timer, int ms) {
  timer.SetEnabled(false);
  timer.SetInterval(ms);
  timer.SetEnabled(true);
}

// The pointer moved over `widget`: a new hint source restarts the wait; the same one
// keeps the hint (or the wait) as it is.
void TFwBalloonHints::PointerAt(QWidget* widget, QPoint global) {
  QWidget* carrier = HintSource(widget);
  QWidget* source = HintControl(carrier);
  const bool hintsOn = !Application || Application->ShowHint();
  const QString text = carrier && hintsOn ? carrier->toolTip() : QString();
  if (text.isEmpty()) source = nullptr;
  pointer_ = global;
  if (source == control_.data() && text == text_) return;
  const bool quick = HintShowing() || shortPauseNext_;
  HideNow();
  showTimer_->SetEnabled(false);
  shortPauseNext_ = false;
  control_ = source;
  carrier_ = carrier;
  text_ = text;
  if (!source) return;
  const int pause = quick ? hintShortPause_ : hintPause_;
  if (pause <= 0)
    ShowNow();
  else
    StartTimer(*showTimer_, pause);
}

void TFwBalloonHints::PointerLeft(QWidget* widget) {
  if (!control_ || widget != control_.data()) return;
  // Onto the balloon itself: the balloon decides (it goes once the pointer moves on).
  if (window_ && window_->isVisible() && window_->geometry().contains(QCursor::pos())) return;
  shortPauseNext_ = HintShowing();
  CancelHint();
}

// A click, key or wheel ends the hint; it does not come back until the pointer moves
// to another hint.
void TFwBalloonHints::Interrupted() {
  showTimer_->SetEnabled(false);
  HideNow();
}

void TFwBalloonHints::CancelHint() {
  showTimer_->SetEnabled(false);
  HideNow();
  control_ = nullptr;
  carrier_ = nullptr;
  text_.clear();
}

void TFwBalloonHints::HideNow() {
  hideTimer_->SetEnabled(false);
  if (window_ && window_->HintActive()) window_->ReleaseHint();
}

void TFwBalloonHints::ShowNow() {
  showTimer_->SetEnabled(false);
  // A control that changes its hint under a resting pointer (the group bar, item by
  // item) shows the hint it has now.
  if (carrier_ && (!Application || Application->ShowHint())) text_ = carrier_->toolTip();
  if (!control_ || !window_ || text_.isEmpty()) return;
  QWidget* control = control_.data();
  THintInfo info;
  info.HintControl = control;
  const QPoint local = control->mapFromGlobal(pointer_);
  info.CursorPos = {local.x(), local.y()};
  info.HintPos = {pointer_.x(), pointer_.y() + CursorHeightMargin};
  info.HintColor = Application ? Application->HintColor() : clInfoBk;
  info.HideTimeout = Application ? Application->HintHidePause() : 2500;
  QString hint = text_;
  bool canShow = true;
  QPointer<TFwCustomHintWindow> window(window_);
  window_->DoShowHint(hint, canShow, info);
  if (!window || !canShow || hint.isEmpty()) return;
  TRect r = window_->CalcHintRect(info.HintMaxWidth, hint);
  r = Bounds(info.HintPos.X, info.HintPos.Y, r.Width(), r.Height());
  window_->ActivateHint(r, hint);
  if (info.HideTimeout > 0) StartTimer(*hideTimer_, info.HideTimeout);
}

} // namespace fw
