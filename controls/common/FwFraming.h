#pragma once
// TFwFraming: the framing shared by the library's framed input controls (edit, memo,
// list box, combo box). It keeps the state colours (normal, focus, disabled, read-only),
// the frame settings (style, colour, sides, hot tracking, visibility, framing
// preference) and the has-focus and mouse-over flags, decides which background colour
// and which frame the control shows now, and paints that frame.
//
// The control reserves FrameMargin() pixels on each side for its base widget and paints
// the frame into that margin after the base widget, so the frame never hides text.
// Each setter compares, stores and then asks the host for what the change needs.

#include "controls/common/FwCommon.h"
#include "platform/ui/Types.h"

class QWidget;

namespace fw {

class TCanvas;

// What a framed control tells its framing: its state, and how to show a change.
class IFwFramingHost {
public:
  virtual bool FramingEnabled() const = 0;
  virtual bool FramingReadOnly() const = 0;
  virtual bool FramingLoading() const = 0;
  // Assigns the control's Color (the framing has already marked the change as its own).
  virtual void FramingSetColor(TColor color) = 0;
  // The frame has to be painted again.
  virtual void FramingRepaintFrame() = 0;
  // The margin changed (FrameVisible): the base widget has to be laid out again.
  virtual void FramingRelayout() = 0;

protected:
  ~IFwFramingHost() = default;
};

// The frame as it is to be painted now.
struct TFwFrameLook {
  bool Visible = false;
  TFrameStyle Style = TFrameStyle::fsFlat;
  TColor Color = clBtnShadow;
  TSides Sides = sdAll;
};

class TFwFraming {
public:
  explicit TFwFraming(IFwFramingHost& host) : host_(host) {}

  TColor DisabledColor() const { return disabledColor_; }
  void SetDisabledColor(TColor value);
  TColor FocusColor() const { return focusColor_; }
  void SetFocusColor(TColor value);
  TColor ReadOnlyColor() const { return readOnlyColor_; }
  void SetReadOnlyColor(TColor value);
  bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
  void SetReadOnlyColorOnFocus(bool value) { readOnlyColorOnFocus_ = value; }
  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor value);
  TColor FrameHotColor() const { return frameHotColor_; }
  void SetFrameHotColor(TColor value);
  TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
  void SetFrameHotStyle(TFrameStyle value);
  TFrameStyle FrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle value);
  TSides FrameSides() const { return frameSides_; }
  void SetFrameSides(TSides value);
  // Turning hot tracking on makes the frame visible and (unless loading) gives it all
  // four sides.
  bool FrameHotTrack() const { return frameHotTrack_; }
  void SetFrameHotTrack(bool value);
  bool FrameVisible() const { return frameVisible_; }
  void SetFrameVisible(bool value);
  TFramingPreference FramingPreference() const { return framingPreference_; }
  void SetFramingPreference(TFramingPreference value);

  // The colour the user gave the control, outside any special state.
  TColor NormalColor() const { return normalColor_; }
  bool HasFocus() const { return hasFocus_; }
  bool MouseOver() const { return mouseOver_; }

  // Themes are never active here, so this is true only for fpXPThemes under a theme.
  bool UsingXPThemes() const;

  // The background colour for the current state, and assigning it to the control
  // (nothing while loading).
  TColor StateColor() const;
  void UpdateColors();
  // Focus entering or leaving (viaMouse false), or the mouse entering or leaving (true).
  void UpdateFrame(bool viaMouse, bool inFrame);
  // The control's Color changed. A change the framing made itself is ignored; any other
  // takes FocusColor along when it equalled the normal colour, and becomes the normal
  // colour. Returns true when the frame should be repainted.
  bool ColorChanged(TColor newColor);

  // Pixels on each side that the base widget leaves to the frame.
  int FrameMargin() const { return frameVisible_ ? 2 : 0; }
  TFwFrameLook Look() const;
  // Paints the frame over (0, 0, width, height) with the control colour inside.
  void Paint(TCanvas& canvas, int width, int height, TColor controlColor) const;
  // Paints the frame over a framed control after its base widget has painted (nothing
  // while the frame is hidden).
  void PaintOver(QWidget& control, TColor controlColor) const;

private:
  IFwFramingHost& host_;
  bool updatingColor_ = false;
  bool hasFocus_ = false;
  bool mouseOver_ = false;
  TColor normalColor_ = clWindow;
  TColor disabledColor_ = clBtnFace;
  TColor focusColor_ = clWindow;
  TColor readOnlyColor_ = clInfoBk;
  bool readOnlyColorOnFocus_ = false;
  TColor frameColor_ = clBtnShadow;
  TColor frameHotColor_ = clBtnShadow;
  TFrameStyle frameHotStyle_ = TFrameStyle::fsFlatBold;
  TFrameStyle frameStyle_ = TFrameStyle::fsFlat;
  TSides frameSides_ = sdAll;
  bool frameHotTrack_ = false;
  bool frameVisible_ = false;
  TFramingPreference framingPreference_ = TFramingPreference::fpXPThemes;
};

} // namespace fw
