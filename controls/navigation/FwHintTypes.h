#pragma once
// Types shared by the balloon hint component and its hint window: the balloon's corner,
// the information that goes with one hint, and the events that adjust a hint.

#include "platform/ui/Canvas.h"
#include "platform/ui/Component.h"
#include "platform/ui/Types.h"

#include <QString>
#include <functional>

class QWidget;

namespace fw {

// Where the balloon sits relative to the pointer: hcUpperRight is above and to the right
// of it, with the stem coming down from the balloon's lower-left part. hcNone draws no stem.
enum class TFwHintCorner { hcLowerRight, hcLowerLeft, hcUpperLeft, hcUpperRight, hcNone };

inline bool IsLowerCorner(TFwHintCorner c) {
  return c == TFwHintCorner::hcLowerRight || c == TFwHintCorner::hcLowerLeft;
}
inline bool IsUpperCorner(TFwHintCorner c) {
  return c == TFwHintCorner::hcUpperRight || c == TFwHintCorner::hcUpperLeft;
}
inline bool IsLeftCorner(TFwHintCorner c) {
  return c == TFwHintCorner::hcLowerLeft || c == TFwHintCorner::hcUpperLeft;
}

// One hint about to be shown.
struct THintInfo {
  QWidget* HintControl = nullptr;  // the control whose hint it is
  TPoint CursorPos;                // the pointer in the control's coordinates
  TPoint HintPos;                  // screen position of a hint that has no stem
  int HintMaxWidth = 0;            // width at which the text wraps
  TColor HintColor = clInfoBk;
  int HideTimeout = 0;             // milliseconds until the hint goes; 0 or less: it stays
};

// Called for every hint before it shows; CanShow false suppresses it.
using TShowHintEvent = std::function<void(QString& hintStr, bool& canShow, THintInfo& hintInfo)>;
// Adjust the window size, or the text rectangle, of a hint.
using TFwSetHintWinSizeEvent =
    std::function<void(TObject* sender, TCanvas& canvas, int& width, int& height, const QString& hint,
                       TFwHintCorner corner)>;
using TFwSetHintRectEvent =
    std::function<void(TObject* sender, TCanvas& canvas, TRect& rect, const QString& hint, TFwHintCorner corner)>;

} // namespace fw
