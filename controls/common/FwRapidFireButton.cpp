#include "controls/common/FwRapidFireButton.h"

#include "controls/common/FwBorders.h"
#include "controls/common/FwGlyphs.h"
#include "platform/ui/Setters.h"

#include <QPointer>

namespace fw {

TFwRapidFireButton::TFwRapidFireButton(TComponent* owner) : TSpeedButton(owner) {}

void TFwRapidFireButton::SetScrollStyle(TFwScrollStyle value) { SetAndInvalidate(*this, scrollStyle_, value); }

void TFwRapidFireButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TSpeedButton::MouseDown(button, shift, x, y);
  if (!repeat_ || button != TMouseButton::mbLeft || !MouseCaptured()) return;
  if (!timer_) {
    timer_ = new TTimer(this);
    timer_->SetEnabled(false);
    timer_->OnTimer = [this](TObject*) { TimerExpired(); };
  }
  timer_->SetInterval(initialDelay_);
  timer_->SetEnabled(true);
}

void TFwRapidFireButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (timer_) timer_->SetEnabled(false);
  TSpeedButton::MouseUp(button, shift, x, y);
}

void TFwRapidFireButton::TimerExpired() {
  timer_->SetInterval(delay_);
  if (State() != TButtonState::bsDown || !MouseCaptured()) return;
  // A click may hide or free the button (the last item scrolled into view).
  QPointer<QWidget> self(this);
  Click();
  if (self && !MouseCaptured() && timer_) timer_->SetEnabled(false);
}

void TFwRapidFireButton::Paint() {
  TSpeedButton::Paint();
  TCanvas& canvas = Canvas();
  const bool pressed = State() == TButtonState::bsDown;
  if (scrollStyle_ != TFwScrollStyle::scsNone)
    DrawArrowGlyph(canvas, ClientRect(), fwGlyphClassic, Enabled(), pressed, scrollStyle_);
  if (focusRect_) {
    TRect r = Rect(3, 3, Width() - 3, Height() - 3);
    if (pressed) r = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
    DrawFocusBorder(canvas, r);
  }
}

} // namespace fw
