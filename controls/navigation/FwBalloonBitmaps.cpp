#include "controls/navigation/FwBalloonBitmaps.h"

#include "platform/ui/Setters.h"

namespace fw {

void TFwBalloonBitmaps::Store(TBitmap& target, const TBitmap& value) {
  target.Assign(value);
  Changed();
}

void TFwBalloonBitmaps::SetTransparentColor(TColor value) {
  if (StoreIfChanged(transparentColor_, value)) Changed();
}

void TFwBalloonBitmaps::Changed() {
  if (OnChange) OnChange(*this);
}

bool TFwBalloonBitmaps::AnyImage() const {
  return !lowerRight_.Empty() || !lowerLeft_.Empty() || !upperLeft_.Empty() || !upperRight_.Empty();
}

const TBitmap& TFwBalloonBitmaps::ForCorner(TFwHintCorner corner) const {
  switch (corner) {
  case TFwHintCorner::hcLowerRight: if (!lowerRight_.Empty()) return lowerRight_; break;
  case TFwHintCorner::hcLowerLeft: if (!lowerLeft_.Empty()) return lowerLeft_; break;
  case TFwHintCorner::hcUpperLeft: if (!upperLeft_.Empty()) return upperLeft_; break;
  case TFwHintCorner::hcUpperRight: if (!upperRight_.Empty()) return upperRight_; break;
  case TFwHintCorner::hcNone: break;
  }
  for (const TBitmap* b : {&lowerRight_, &lowerLeft_, &upperLeft_, &upperRight_})
    if (!b->Empty()) return *b;
  return lowerRight_;
}

} // namespace fw
