#pragma once
// TFwCustomLabel: the library's text label. Beyond the platform label it has inner and
// outer borders on chosen sides with a band between them, raised, recessed and shadowed
// text, text turned by an angle or set along an arc, blinking on the shared blinking
// list, a text colour while the mouse is over it (fly-by), captions shortened with an
// ellipsis, and a frame controller that gives it its border and colours. TFwLabel
// (FwLabel.h) is the same control; TFwURLLabel opens a web address.

#include "controls/common/FwBlinkList.h"
#include "controls/common/FwBorders.h"
#include "controls/common/FwFrameController.h"
#include "platform/ui/Label.h"

namespace fw {

enum class TFwCondenseCaption { ccNone, ccAtEnd, ccWithinPath };
enum class TRotation { roNone, roFlat, roCurve };
enum class TCenterPoint {
  cpUpperLeft,
  cpUpperCenter,
  cpUpperRight,
  cpLeftCenter,
  cpCenter,
  cpRightCenter,
  cpLowerLeft,
  cpLowerCenter,
  cpLowerRight,
};

class TFwCustomLabel : public TLabel, public IFwFrameClient, public IFwBlinkClient {
public:
  explicit TFwCustomLabel(TComponent* owner);
  ~TFwCustomLabel() override;

  // Degrees, kept in 0..359; a non-zero angle on an unturned label turns it flat.
  int Angle() const { return angle_; }
  void SetAngle(int value);
  TRotation Rotation() const { return rotation_; }
  void SetRotation(TRotation value);
  TCenterPoint CenterPoint() const { return centerPoint_; }
  void SetCenterPoint(TCenterPoint value);

  bool Blinking() const { return blinking_; }
  void SetBlinking(bool value);
  TColor BlinkColor() const { return blinkColor_; }
  void SetBlinkColor(TColor value);
  // The intervals of the one shared blinking list: a change affects every blinking control.
  int BlinkIntervalOn() const;
  void SetBlinkIntervalOn(int ms);
  int BlinkIntervalOff() const;
  void SetBlinkIntervalOff(int ms);

  int BevelWidth() const { return borders_.BevelWidth; }
  void SetBevelWidth(int value);
  TColor BorderColor() const { return borders_.BorderColor; }
  void SetBorderColor(TColor value);
  TFrameStyleEx BorderInner() const { return borders_.BorderInner; }
  void SetBorderInner(TFrameStyleEx value);
  TFrameStyleEx BorderOuter() const { return borders_.BorderOuter; }
  void SetBorderOuter(TFrameStyleEx value);
  TSides BorderSides() const { return borders_.Sides; }
  void SetBorderSides(TSides value);
  TColor BorderHighlight() const { return borders_.BorderHighlight; }
  void SetBorderHighlight(TColor value);
  TColor BorderShadow() const { return borders_.BorderShadow; }
  void SetBorderShadow(TColor value);
  int BorderWidth() const { return borders_.BorderWidth; }
  void SetBorderWidth(int value);
  TColor FlatColor() const { return borders_.FlatColor; }
  void SetFlatColor(TColor value);
  int FlatColorAdjustment() const { return borders_.FlatColorAdjustment; }
  void SetFlatColorAdjustment(int value);

  // Any shortening turns AutoSize off.
  TFwCondenseCaption CondenseCaption() const { return condenseCaption_; }
  void SetCondenseCaption(TFwCondenseCaption value);
  TColor FlyByColor() const { return flyByColor_; }
  void SetFlyByColor(TColor value) { flyByColor_ = value; }
  bool FlyByEnabled() const { return flyByEnabled_; }
  void SetFlyByEnabled(bool value);
  bool LightTextStyle() const { return lightTextStyle_; }
  void SetLightTextStyle(bool value);
  int TextMargin() const { return textMargin_; }
  void SetTextMargin(int value);
  TTextStyle TextStyle() const { return textStyle_; }
  void SetTextStyle(TTextStyle value);
  TColor HighlightColor() const { return highlightColor_; }
  void SetHighlightColor(TColor value);
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor value);
  int ShadowDepth() const { return shadowDepth_; }
  void SetShadowDepth(int value);

  // The platform label's settings that change the size.
  void SetAutoSize(bool value);
  void SetWordWrap(bool value);
  void SetShowAccelChar(bool value);
  void SetAlignment(TAlignment value);

  TFwFrameControllerNotifications FrameControllerNotifications() const override { return notifications_; }
  void SetFrameControllerNotifications(TFwFrameControllerNotifications value) { notifications_ = value; }
  bool UpdateFromFrameController(const TFwFrameController& controller) override;

  // Blinking list.
  bool BlinkQuery() override { return blinking_; }
  void BlinkPhaseChanged(bool on) override;

  // The colour the text is drawn in now (font colour, or BlinkColor in the on phase).
  TColor DrawingColor() const;

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

protected:
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;
  void Loaded() override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Resize() override;

  // Fits the size to the text (when AutoSize is on and not loading).
  virtual void AdjustSize();

private:
  unsigned DrawFlags() const;
  TInnerOuterBorders BorderSettings() const;
  QSize BorderExtent() const;
  void DrawStraightText(TCanvas& canvas, const TRect& inside);
  void DrawFlatText(TCanvas& canvas);
  void DrawCurvedText(TCanvas& canvas);
  // Draws the style copies and the text by calling `draw` with an offset and a colour.
  template <typename Draw> void DrawStyled(Draw draw, int shadowDepth);
  void Changed();

  TInnerOuterBorders borders_;
  int angle_ = 0;
  TRotation rotation_ = TRotation::roNone;
  TCenterPoint centerPoint_ = TCenterPoint::cpCenter;
  bool blinking_ = false;
  bool blinkOn_ = false;
  TColor blinkColor_ = clHighlight;
  TFwCondenseCaption condenseCaption_ = TFwCondenseCaption::ccNone;
  TColor flyByColor_ = clHighlight;
  bool flyByEnabled_ = false;
  bool flyByActive_ = false;
  TColor savedFontColor_ = clWindowText;
  bool lightTextStyle_ = false;
  int textMargin_ = 0;
  TTextStyle textStyle_ = TTextStyle::tsNormal;
  TColor highlightColor_ = clBtnHighlight;
  TColor shadowColor_ = clBtnShadow;
  int shadowDepth_ = 2;
  bool adjusting_ = false;
  TFwFrameControllerNotifications notifications_ = fcnAll;
};

} // namespace fw
