#pragma once
// TFwAnimator: plays the images of an image list one after another on its own timer,
// Delay milliseconds apart, pausing DelayUntilRepeat after the last image before the
// sequence starts again. The control takes the list's image size, also when the list
// changes.

#include "platform/ui/CustomControl.h"
#include "platform/ui/ImageList.h"

namespace fw {

class TTimer;

using TFwFrameChangeEvent = std::function<void(TObject*, int frame)>;

class TFwAnimator : public TCustomControl {
public:
  explicit TFwAnimator(TComponent* owner);
  ~TFwAnimator() override;

  bool Animate() const { return animate_; }
  void SetAnimate(bool value);
  int Delay() const { return delay_; }
  void SetDelay(int value);
  int DelayUntilRepeat() const { return delayUntilRepeat_; }
  void SetDelayUntilRepeat(int value) { delayUntilRepeat_ = value; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  TImageList* ImageList() const { return imageList_; }
  void SetImageList(TImageList* value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);

  // The frame timer (tests tick it by hand) and the last frame drawn (-1 before any).
  TTimer& Timer() const { return *timer_; }
  int LastFrame() const { return lastFrame_; }

  void SetBounds(int left, int top, int width, int height) override;

  TFwFrameChangeEvent OnFrameChange;

protected:
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;
  virtual void DoFrameChange(int frame);
  // One timer tick: shows the next frame and arms the next interval.
  virtual void TimerTick();

private:
  void UpdateTimer();
  // The list changed (images or their size): take its size and show the change.
  void ImageListChanged();

  bool animate_ = true;
  int delay_ = 100;
  int delayUntilRepeat_ = 100;
  int imageIndex_ = 0;
  TImageList* imageList_ = nullptr;
  bool transparent_ = false;
  int lastFrame_ = -1;
  int shownFrame_ = -1;
  TTimer* timer_ = nullptr;
  TChangeLink imageChangeLink_{[this] { ImageListChanged(); }};
};

} // namespace fw
