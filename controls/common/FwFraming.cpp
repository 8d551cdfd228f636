#include "controls/common/FwFraming.h"

#include "controls/common/FwBorders.h"
#include "platform/ui/Setters.h"

#include <QPainter>
#include <QWidget>

namespace fw {

void TFwFraming::SetDisabledColor(TColor value) {
  if (StoreIfChanged(disabledColor_, value) && !host_.FramingEnabled()) UpdateColors();
}

void TFwFraming::SetFocusColor(TColor value) {
  if (StoreIfChanged(focusColor_, value) && hasFocus_) UpdateColors();
}

void TFwFraming::SetReadOnlyColor(TColor value) {
  if (StoreIfChanged(readOnlyColor_, value) && host_.FramingReadOnly()) UpdateColors();
}

void TFwFraming::SetFrameColor(TColor value) {
  if (StoreIfChanged(frameColor_, value)) host_.FramingRepaintFrame();
}

void TFwFraming::SetFrameHotColor(TColor value) {
  if (StoreIfChanged(frameHotColor_, value)) host_.FramingRepaintFrame();
}

void TFwFraming::SetFrameHotStyle(TFrameStyle value) {
  if (StoreIfChanged(frameHotStyle_, value)) host_.FramingRepaintFrame();
}

void TFwFraming::SetFrameStyle(TFrameStyle value) {
  if (StoreIfChanged(frameStyle_, value)) host_.FramingRepaintFrame();
}

void TFwFraming::SetFrameSides(TSides value) {
  if (StoreIfChanged(frameSides_, value & sdAll)) host_.FramingRepaintFrame();
}

void TFwFraming::SetFrameHotTrack(bool value) {
  if (value == frameHotTrack_) return;
  frameHotTrack_ = value;
  if (value) {
    SetFrameVisible(true);
    if (!host_.FramingLoading()) frameSides_ = sdAll;
  }
  host_.FramingRepaintFrame();
}

void TFwFraming::SetFrameVisible(bool value) {
  if (value == frameVisible_) return;
  frameVisible_ = value;
  host_.FramingRelayout();
  host_.FramingRepaintFrame();
}

void TFwFraming::SetFramingPreference(TFramingPreference value) {
  if (StoreIfChanged(framingPreference_, value)) host_.FramingRepaintFrame();
}

bool TFwFraming::UsingXPThemes() const {
  return framingPreference_ == TFramingPreference::fpXPThemes && ThemeServicesActive();
}

TColor TFwFraming::StateColor() const {
  if (!host_.FramingEnabled()) return disabledColor_;
  const bool readOnly = host_.FramingReadOnly();
  if (hasFocus_) return readOnly && readOnlyColorOnFocus_ ? readOnlyColor_ : focusColor_;
  return readOnly ? readOnlyColor_ : normalColor_;
}

void TFwFraming::UpdateColors() {
  if (host_.FramingLoading()) return;
  updatingColor_ = true;
  host_.FramingSetColor(StateColor());
  updatingColor_ = false;
}

void TFwFraming::UpdateFrame(bool viaMouse, bool inFrame) {
  if (viaMouse) mouseOver_ = inFrame;
  else hasFocus_ = inFrame;
  if (frameHotTrack_) host_.FramingRepaintFrame();
  UpdateColors();
}

bool TFwFraming::ColorChanged(TColor newColor) {
  if (updatingColor_) return false;
  if (focusColor_ == normalColor_) focusColor_ = newColor;
  normalColor_ = newColor;
  return frameVisible_ && !UsingXPThemes();
}

TFwFrameLook TFwFraming::Look() const {
  TFwFrameLook look;
  look.Visible = frameVisible_ && !UsingXPThemes();
  const bool hot = frameHotTrack_ && (hasFocus_ || mouseOver_);
  look.Style = hot ? frameHotStyle_ : frameStyle_;
  look.Color = hot ? frameHotColor_ : frameColor_;
  look.Sides = frameSides_;
  return look;
}

void TFwFraming::PaintOver(QWidget& control, TColor controlColor) const {
  if (FrameMargin() == 0) return;
  QPainter painter(&control);
  TCanvas canvas(&painter);
  Paint(canvas, control.width(), control.height(), controlColor);
}

void TFwFraming::Paint(TCanvas& canvas, int width, int height, TColor controlColor) const {
  const TFwFrameLook look = Look();
  if (!look.Visible) return;
  DrawFrame(canvas, width, height, false, look.Sides, look.Color, controlColor, look.Style);
}

} // namespace fw
