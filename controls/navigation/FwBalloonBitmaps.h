#pragma once
// TFwBalloonBitmaps: four optional pictures, one per balloon corner, that replace the
// drawn balloon. TransparentColor is left out when a picture is drawn.

#include "controls/navigation/FwHintTypes.h"
#include "platform/ui/Bitmap.h"

#include <functional>

namespace fw {

class TFwBalloonBitmaps {
public:
  TFwBalloonBitmaps() = default;
  TFwBalloonBitmaps(const TFwBalloonBitmaps&) = delete;
  TFwBalloonBitmaps& operator=(const TFwBalloonBitmaps&) = delete;

  const TBitmap& LowerRight() const { return lowerRight_; }
  const TBitmap& LowerLeft() const { return lowerLeft_; }
  const TBitmap& UpperLeft() const { return upperLeft_; }
  const TBitmap& UpperRight() const { return upperRight_; }
  // Each setter copies the picture and raises OnChange.
  void SetLowerRight(const TBitmap& value) { Store(lowerRight_, value); }
  void SetLowerLeft(const TBitmap& value) { Store(lowerLeft_, value); }
  void SetUpperLeft(const TBitmap& value) { Store(upperLeft_, value); }
  void SetUpperRight(const TBitmap& value) { Store(upperRight_, value); }

  TColor TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(TColor value);

  // Whether any of the four holds a picture.
  bool AnyImage() const;
  // The picture for a corner; an empty corner (and hcNone) takes the first picture held.
  const TBitmap& ForCorner(TFwHintCorner corner) const;

  std::function<void(TFwBalloonBitmaps&)> OnChange;

private:
  void Store(TBitmap& target, const TBitmap& value);
  void Changed();

  TBitmap lowerRight_;
  TBitmap lowerLeft_;
  TBitmap upperLeft_;
  TBitmap upperRight_;
  TColor transparentColor_ = clOlive;
};

} // namespace fw
