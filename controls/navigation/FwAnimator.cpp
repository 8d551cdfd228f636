#include "controls/navigation/FwAnimator.h"

#include "platform/ui/ImageList.h"
#include "platform/ui/Setters.h"
#include "platform/ui/Timer.h"

#include <QPointer>

namespace fw {

TFwAnimator::TFwAnimator(TComponent* owner) : TCustomControl(owner), timer_(new TTimer(this)) {
  SetParentColor(false);
  SetColor(clWindow);
  resize(40, 40);
  timer_->SetInterval(delay_);
  timer_->OnTimer = [this](TObject*) { TimerTick(); };
  UpdateTimer();
}

TFwAnimator::~TFwAnimator() {
  timer_->OnTimer = nullptr;
  if (imageList_) imageList_->RemoveFreeNotification(this);
}

void TFwAnimator::UpdateTimer() { timer_->SetEnabled(animate_ && imageList_ != nullptr); }

void TFwAnimator::SetAnimate(bool value) {
  if (StoreIfChanged(animate_, value)) UpdateTimer();
}

void TFwAnimator::SetDelay(int value) {
  if (value == delay_) return;
  delay_ = value;
  timer_->SetInterval(value);
}

void TFwAnimator::SetImageIndex(int value) { SetAndInvalidate(*this, imageIndex_, value); }

void TFwAnimator::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  // A transparent animator lets its parent show through around the image.
  setAutoFillBackground(!transparent_);
  Invalidate();
}

void TFwAnimator::SetImageList(TImageList* value) {
  if (value == imageList_) return;
  if (imageList_) imageList_->RemoveFreeNotification(this);
  imageList_ = value;
  imageChangeLink_.SetSender(imageList_);
  if (imageList_) imageList_->FreeNotification(this);
  UpdateTimer();
  ImageListChanged();
}

void TFwAnimator::ImageListChanged() {
  if (imageList_) TCustomControl::SetBounds(Left(), Top(), imageList_->Width(), imageList_->Height());
  Invalidate();
}

void TFwAnimator::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == imageList_) {
    imageList_ = nullptr;
    imageChangeLink_.SetSender(nullptr);
    UpdateTimer();
  }
}

void TFwAnimator::SetBounds(int left, int top, int width, int height) {
  // The control keeps the size of the list's images.
  if (imageList_) {
    width = imageList_->Width();
    height = imageList_->Height();
  }
  TCustomControl::SetBounds(left, top, width, height);
}

void TFwAnimator::TimerTick() {
  if (!imageList_) return;
  timer_->SetInterval(delay_);
  const int count = imageList_->Count();
  if (imageIndex_ >= count || imageIndex_ < 0) imageIndex_ = 0;
  shownFrame_ = imageIndex_;
  // The frame is drawn by the paint the repaint asks for; no waiting on the only thread.
  Repaint();
  if (shownFrame_ != lastFrame_) {
    lastFrame_ = shownFrame_;
    // The handler may free the animator: nothing of it is touched after that.
    QPointer<TFwAnimator> self(this);
    DoFrameChange(shownFrame_);
    if (!self) return;
  }
  ++imageIndex_;
  if (imageIndex_ >= count) {
    imageIndex_ = 0;
    timer_->SetInterval(delayUntilRepeat_);
  }
}

void TFwAnimator::Paint() {
  if (!imageList_) return;
  TCanvas& canvas = Canvas();
  if (!transparent_) {
    canvas.Brush().SetColor(Color());
    canvas.FillRect(Rect(0, 0, Width(), Height()));
  }
  const int frame = shownFrame_ >= 0 ? shownFrame_ : imageIndex_;
  if (frame >= 0 && frame < imageList_->Count()) canvas.DrawImage(0, 0, imageList_->Image(frame));
}

void TFwAnimator::DoFrameChange(int frame) {
  if (OnFrameChange) OnFrameChange(this, frame);
}

} // namespace fw
