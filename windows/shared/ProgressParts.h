#pragma once
// What the progress windows share: the counts and times under their bar, and the frames
// of their busy animation.

#include <QString>

namespace fw {

class TComponent;
class TFwAnimator;
class TWinControl;

// The busy animation on `parent` at (left, top), owned by `owner`: eight dots on a circle,
// one of them dark, going round, a step every 200 ms while it animates.
TFwAnimator* AddBusyAnimator(TComponent* owner, TWinControl* parent, int left, int top);

struct TProgressTexts {
  QString Done;  // "已完成 %d" or "已完成 %d 用时%d秒"
  QString Left;  // "待完成 %d" or "待完成 %d 尚需%d秒"
};

// The texts after `ticks` ticks of 100 ms with `done` of `total` parts done: for the
// first five seconds (51 ticks) and while nothing is done, the parts done and to do; then
// also the seconds used and a linear estimate of the seconds left, whose ticks go to
// `estimate` (else it is unchanged).
TProgressTexts ProgressTexts(int ticks, int done, int total, int& estimate);

} // namespace fw
