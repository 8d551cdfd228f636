#pragma once
// TFwBackground: a background of up to three layers, a tiled texture, a gradient and a
// picture (centred, clipped, filled, stretched or tiled), inside an optional frame.
// Pictures are read with LoadPictureFile, so JPEG files go through libjpeg.

#include "controls/common/FwCommon.h"
#include "platform/ui/GraphicControl.h"

#include <QImage>

namespace fw {

class TCanvas;

enum class TImageStyle { isCenter, isClip, isFill, isStretch, isTiled };

class TFwBackground : public TGraphicControl {
public:
  explicit TFwBackground(TComponent* owner);

  bool Active() const { return active_; }
  void SetActive(bool value);
  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor value);
  TFrameStyle FrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle value);
  TColor GradientColorStart() const { return gradientColorStart_; }
  void SetGradientColorStart(TColor value);
  TColor GradientColorStop() const { return gradientColorStop_; }
  void SetGradientColorStop(TColor value);
  TGradientDirection GradientDirection() const { return gradientDirection_; }
  void SetGradientDirection(TGradientDirection value);
  int GradientSmoothFactor() const { return gradientSmoothFactor_; }
  void SetGradientSmoothFactor(int value);
  const QImage& Image() const { return image_; }
  void SetImage(const QImage& value);
  // Reads the picture from a file; false (and the picture unchanged) when it cannot.
  bool LoadImage(const QString& path);
  TImageStyle ImageStyle() const { return imageStyle_; }
  void SetImageStyle(TImageStyle value);
  bool ShowGradient() const { return showGradient_; }
  void SetShowGradient(bool value);
  bool ShowImage() const { return showImage_; }
  void SetShowImage(bool value);
  bool ShowTexture() const { return showTexture_; }
  void SetShowTexture(bool value);
  const QImage& Texture() const { return texture_; }
  void SetTexture(const QImage& value);

  // Whether the gradient layer is painted with the current settings.
  bool GradientPainted() const;
  // Where the picture lands (empty when it is not drawn).
  TRect ImageRect() const;

protected:
  void Paint() override;
  virtual void DrawGradient(TCanvas& canvas);
  virtual void DrawImage(TCanvas& canvas);
  virtual void DrawTexture(TCanvas& canvas);

private:
  int FrameOffset() const;

  bool active_ = true;
  TColor frameColor_ = clBtnShadow;
  TFrameStyle frameStyle_ = TFrameStyle::fsNone;
  TColor gradientColorStart_ = clHotLight;
  TColor gradientColorStop_ = clActiveCaption;
  TGradientDirection gradientDirection_ = TGradientDirection::gdHorizontalEnd;
  int gradientSmoothFactor_ = 1;
  QImage image_;
  TImageStyle imageStyle_ = TImageStyle::isCenter;
  bool showGradient_ = true;
  bool showImage_ = false;
  bool showTexture_ = false;
  QImage texture_;
};

} // namespace fw
