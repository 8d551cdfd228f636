#pragma once
// The painter of a hint window: everything a hint looks like gathered in one struct,
// and one function that draws it. The body is a rounded rectangle (radius 10) with a
// right-angled stem 20 pixels long; the stem's upright edge lies 10 pixels in from the
// body's end nearest the pointer, its base runs 20 pixels along the body edge.

#include "controls/navigation/FwHintTypes.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Graphics.h"

namespace fw {

class TFwBalloonBitmaps;

struct TFwBalloonLook {
  int Width = 0;
  int Height = 0;
  TFwHintCorner Corner = TFwHintCorner::hcUpperRight;
  bool Balloon = true;       // rounded body with a stem; false: a framed rectangle
  bool Shadow = false;
  TColor Color = clInfoBk;
  TColor FrameColor = clBlack;
  TAlignment Alignment = TAlignment::taLeftJustify;
  const TFont* Font = nullptr;
  QString Text;
  const TFwBalloonBitmaps* Bitmaps = nullptr;  // pictures that replace the drawn shape
};

// Length of the stem and how far its upright edge lies from the body's end.
constexpr int BalloonStemLength = 20;
constexpr int BalloonStemInset = 10;
constexpr int BalloonRadius = 10;

// The body: the window less the stem's side and, with a shadow, 2 pixels right and bottom.
TRect BalloonBodyRect(const TFwBalloonLook& look);
// The stem's three corners (tip last); empty for hcNone or without the balloon look.
std::vector<TPoint> BalloonStemPoints(const TFwBalloonLook& look);
// The rectangle the text is drawn in.
TRect BalloonTextRect(const TFwBalloonLook& look);

void PaintBalloonHint(TCanvas& canvas, const TFwBalloonLook& look);

} // namespace fw
