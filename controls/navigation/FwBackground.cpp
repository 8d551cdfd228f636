#include "controls/navigation/FwBackground.h"

#include "controls/common/FwBorders.h"
#include "controls/common/FwGraphics.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/JpegImage.h"
#include "platform/ui/Setters.h"

#include <cmath>

namespace fw {

TFwBackground::TFwBackground(TComponent* owner) : TGraphicControl(owner) { resize(200, 100); }

void TFwBackground::SetActive(bool value) { SetAndInvalidate(*this, active_, value); }
void TFwBackground::SetFrameColor(TColor value) { SetAndInvalidate(*this, frameColor_, value); }
void TFwBackground::SetFrameStyle(TFrameStyle value) { SetAndInvalidate(*this, frameStyle_, value); }
void TFwBackground::SetGradientColorStart(TColor value) { SetAndInvalidate(*this, gradientColorStart_, value); }
void TFwBackground::SetGradientColorStop(TColor value) { SetAndInvalidate(*this, gradientColorStop_, value); }
void TFwBackground::SetGradientDirection(TGradientDirection value) { SetAndInvalidate(*this, gradientDirection_, value); }
void TFwBackground::SetGradientSmoothFactor(int value) {
  value = std::clamp(value, 1, 8);
  if (value == gradientSmoothFactor_) return;
  gradientSmoothFactor_ = value;
  Invalidate();
}
void TFwBackground::SetImage(const QImage& value) {
  image_ = value;
  if (showImage_) Invalidate();
}
bool TFwBackground::LoadImage(const QString& path) {
  const QImage picture = LoadPictureFile(path);
  if (picture.isNull()) return false;
  SetImage(picture);
  return true;
}
void TFwBackground::SetImageStyle(TImageStyle value) { SetAndInvalidate(*this, imageStyle_, value); }
void TFwBackground::SetTexture(const QImage& value) {
  texture_ = value;
  if (showTexture_) Invalidate();
}

// The gradient and the texture take turns.
void TFwBackground::SetShowGradient(bool value) {
  if (value == showGradient_) return;
  showGradient_ = value;
  if (value) showTexture_ = false;
  else if (!showImage_) showTexture_ = true;
  Invalidate();
}
void TFwBackground::SetShowTexture(bool value) {
  if (value == showTexture_) return;
  showTexture_ = value;
  showGradient_ = !value;
  Invalidate();
}
void TFwBackground::SetShowImage(bool value) { SetAndInvalidate(*this, showImage_, value); }

bool TFwBackground::GradientPainted() const {
  if (!showGradient_ || !active_) return false;
  return !(showImage_ && (imageStyle_ == TImageStyle::isStretch || imageStyle_ == TImageStyle::isTiled));
}

int TFwBackground::FrameOffset() const {
  switch (frameStyle_) {
    case TFrameStyle::fsNone: return 0;
    case TFrameStyle::fsFlat:
    case TFrameStyle::fsStatus:
    case TFrameStyle::fsPopup: return 1;
    default: return 2;
  }
}

TRect TFwBackground::ImageRect() const {
  const int w = image_.width(), h = image_.height();
  if (!showImage_ || image_.isNull() || w == 0 || h == 0) return TRect{};
  const int width = std::max(Width(), 5), height = std::max(Height(), 5);
  switch (imageStyle_) {
    case TImageStyle::isCenter: return Bounds((width - w) / 2, (height - h) / 2, w, h);
    case TImageStyle::isClip: return Bounds(0, 0, w, h);
    case TImageStyle::isFill: {
      const double ratio = double(h) / w;
      if (double(height) / width >= ratio) return Rect(0, 0, width, int(std::lround(width * ratio)));
      return Rect(0, 0, int(std::lround(height / ratio)), height);
    }
    case TImageStyle::isStretch:
    case TImageStyle::isTiled: return Rect(0, 0, width, height);
  }
  return TRect{};
}

void TFwBackground::DrawTexture(TCanvas& canvas) {
  if (texture_.isNull()) return;
  TBitmap tile;
  tile.Assign(texture_);
  TileBitmap(canvas, tile, Rect(0, 0, canvas.DeviceWidth(), canvas.DeviceHeight()));
}

void TFwBackground::DrawGradient(TCanvas& canvas) {
  PaintGradient(canvas, Rect(0, 0, canvas.DeviceWidth(), canvas.DeviceHeight()), gradientDirection_,
                gradientColorStart_, gradientColorStop_, gradientSmoothFactor_);
}

void TFwBackground::DrawImage(TCanvas& canvas) {
  const TRect r = ImageRect();
  if (r.IsEmpty()) return;
  TBitmap picture;
  picture.Assign(image_);
  switch (imageStyle_) {
    case TImageStyle::isCenter:
    case TImageStyle::isClip: canvas.Draw(r.Left, r.Top, picture); break;
    case TImageStyle::isFill:
    case TImageStyle::isStretch: canvas.StretchDraw(r, picture); break;
    case TImageStyle::isTiled: TileBitmap(canvas, picture, r); break;
  }
}

void TFwBackground::Paint() {
  // The layers go into one off-screen bitmap, copied once inside the frame.
  TBitmap layers(std::max(Width(), 5), std::max(Height(), 5));
  TCanvas& c = layers.Canvas();
  if (showTexture_) DrawTexture(c);
  if (GradientPainted()) DrawGradient(c);
  if (showImage_) DrawImage(c);
  TCanvas& canvas = Canvas();
  const int f = FrameOffset();
  canvas.CopyRect(Rect(f, f, Width() - f, Height() - f), c, Rect(0, 0, Width() - 2 * f, Height() - 2 * f));
  if (frameStyle_ == TFrameStyle::fsFlat)
    DrawSides(canvas, Rect(0, 0, Width(), Height()), frameColor_, frameColor_, sdAll);
  else if (frameStyle_ != TFrameStyle::fsNone)
    DrawBorderAll(canvas, Rect(0, 0, Width(), Height()), frameStyle_);
}

} // namespace fw
