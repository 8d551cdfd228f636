#pragma once
// TFwProgressBar: progress as parts completed out of a total, drawn as a filled bar with
// an optional percentage, as LED segments or as a gradient, inside the library's
// borders. Percent follows PartsComplete / TotalParts, rounded half to even; OnChange
// reports every setting of Percent, also one that leaves it as it was (a new total sets
// it to 0).

#include "controls/common/FwCommon.h"
#include "controls/common/FwFrameController.h"
#include "platform/ui/GraphicControl.h"

namespace fw {

class TCanvas;

using TFwProgressChangeEvent = std::function<void(TObject*, int percent)>;

class TFwProgressBar : public TGraphicControl, public IFwFrameClient {
public:
  explicit TFwProgressBar(TComponent* owner);
  ~TFwProgressBar() override;

  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor value);
  TColor BackColorStop() const { return backColorStop_; }
  void SetBackColorStop(TColor value);
  TColor BarColor() const { return barColor_; }
  void SetBarColor(TColor value);
  TColor BarColorStop() const { return barColorStop_; }
  void SetBarColorStop(TColor value);
  TBarStyle BarStyle() const { return barStyle_; }
  void SetBarStyle(TBarStyle value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor value);
  TFrameStyleEx BorderInner() const { return borderInner_; }
  void SetBorderInner(TFrameStyleEx value);
  TFrameStyleEx BorderOuter() const { return borderOuter_; }
  void SetBorderOuter(TFrameStyleEx value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  TColor FlatColor() const { return flatColor_; }
  void SetFlatColor(TColor value);
  int FlatColorAdjustment() const { return flatColorAdjustment_; }
  void SetFlatColorAdjustment(int value);
  TFwFrameControllerNotifications FrameControllerNotifications() const override { return notifications_; }
  void SetFrameControllerNotifications(TFwFrameControllerNotifications value) { notifications_ = value; }
  TGradientDirection GradientDirection() const { return gradientDirection_; }
  void SetGradientDirection(TGradientDirection value);
  int InteriorOffset() const { return interiorOffset_; }
  void SetInteriorOffset(int value);
  int NumSegments() const { return numSegments_; }
  void SetNumSegments(int value);
  TOrientation Orientation() const { return orientation_; }
  void SetOrientation(TOrientation value);
  unsigned PartsComplete() const { return partsComplete_; }
  void SetPartsComplete(unsigned value);
  int Percent() const { return percent_; }
  void SetPercent(int value);
  bool ShowPercent() const { return showPercent_; }
  void SetShowPercent(bool value);
  bool ThemeAware() const { return themeAware_; }
  void SetThemeAware(bool value);
  unsigned TotalParts() const { return totalParts_; }
  void SetTotalParts(unsigned value);

  void StepIt() { SetPartsComplete(partsComplete_ + 1); }
  void StepBy(unsigned parts) { SetPartsComplete(partsComplete_ + parts); }

  void SetBounds(int left, int top, int width, int height) override;
  bool UpdateFromFrameController(const TFwFrameController& controller) override;

  TFwProgressChangeEvent OnChange;

protected:
  void Paint() override;
  virtual void DoChange(int percent);
  // In a status bar the size grip works through the bar's right end.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;

private:
  TColor backColor_ = clWhite;
  TColor backColorStop_ = clBtnFace;
  TColor barColor_ = clHighlight;
  TColor barColorStop_ = clHotLight;
  TBarStyle barStyle_ = TBarStyle::bsTraditional;
  int bevelWidth_ = 1;
  TColor borderColor_ = clBtnFace;
  TFrameStyleEx borderInner_ = TFrameStyleEx::fsNone;
  TFrameStyleEx borderOuter_ = TFrameStyleEx::fsLowered;
  int borderWidth_ = 0;
  TColor flatColor_ = clBtnShadow;
  int flatColorAdjustment_ = 30;
  TFwFrameControllerNotifications notifications_ = fcnAll;
  TGradientDirection gradientDirection_ = TGradientDirection::gdHorizontalCenter;
  int interiorOffset_ = 0;
  int numSegments_ = 20;
  TOrientation orientation_ = TOrientation::orHorizontal;
  unsigned partsComplete_ = 0;
  int percent_ = 0;
  bool showPercent_ = true;
  bool themeAware_ = true;
  unsigned totalParts_ = 0;
};

} // namespace fw
