#pragma once
// TBitmap: an off-screen bitmap on a QImage with its own canvas. Owner-drawn controls
// paint into one and copy it to the screen once, so nothing flickers.

#include "platform/ui/Canvas.h"
#include "platform/ui/Types.h"

#include <QImage>
#include <QString>

namespace fw {

enum class TTransparentMode { tmAuto, tmFixed };

class TBitmap {
public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  // Resizing keeps the pixels that still fit; new pixels take the canvas brush colour.
  void SetWidth(int width) { SetSize(width, Height()); }
  void SetHeight(int height) { SetSize(Width(), height); }
  void SetSize(int width, int height);
  bool Empty() const { return image_.isNull() || Width() <= 0 || Height() <= 0; }

  TCanvas& Canvas() { return canvas_; }
  // The pixels. Painting in progress on the canvas is finished first.
  const QImage& Image() const;
  void Assign(const TBitmap& other);
  void Assign(const QImage& image);

  // With Transparent set, drawing the bitmap leaves out TransparentColor: in tmAuto mode
  // the colour of the bottom-left pixel, in tmFixed mode the colour that was set.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value) { transparent_ = value; }
  TTransparentMode TransparentMode() const { return mode_; }
  void SetTransparentMode(TTransparentMode mode) { mode_ = mode; }
  TColor TransparentColor() const;
  void SetTransparentColor(TColor color);

  bool LoadFromFile(const QString& path);
  bool SaveToFile(const QString& path) const;

private:
  QImage image_;
  mutable TCanvas canvas_;
  bool transparent_ = false;
  TTransparentMode mode_ = TTransparentMode::tmAuto;
  TColor transparentColor_ = clDefault;
};

} // namespace fw
