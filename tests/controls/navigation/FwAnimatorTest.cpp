// Animator: frame order, the pause before repeating, the list's image size, and an
// animator freed by its own frame handler.
#include "controls/navigation/FwAnimator.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Timer.h"

#include <gtest/gtest.h>

using namespace fw;

TEST(FwAnimator, FramesComeDelayApartWithAPauseBeforeRepeating) {
  TImageList images(nullptr);
  images.SetWidth(8);
  images.SetHeight(6);
  for (QColor c : {Qt::red, Qt::green, Qt::blue}) {
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(c);
    images.Add(image);
  }
  TFwAnimator animator(nullptr);
  animator.SetDelay(200);
  animator.SetDelayUntilRepeat(1000);
  animator.SetImageList(&images);
  EXPECT_EQ(animator.Width(), 8);
  EXPECT_EQ(animator.Height(), 6);
  EXPECT_TRUE(animator.Timer().Enabled());
  std::vector<int> frames, intervals;
  animator.OnFrameChange = [&](TObject*, int f) { frames.push_back(f); };
  for (int i = 0; i < 4; ++i) {
    animator.Timer().Tick();
    intervals.push_back(animator.Timer().Interval());
  }
  EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 0}));
  EXPECT_EQ(intervals, (std::vector<int>{200, 200, 1000, 200}));

  animator.SetImageIndex(7);  // beyond the images: restarts at the first
  animator.Timer().Tick();
  EXPECT_EQ(frames.back(), 0);
  EXPECT_EQ(animator.ImageIndex(), 1);
}

TEST(FwAnimator, AFreedImageListStopsTheTimer) {
  TFwAnimator animator(nullptr);
  auto* images = new TImageList(nullptr);
  images->Add(QImage(16, 16, QImage::Format_RGB32));
  animator.SetImageList(images);
  delete images;
  EXPECT_EQ(animator.ImageList(), nullptr);
  EXPECT_FALSE(animator.Timer().Enabled());
  animator.Timer().Tick();  // nothing to show, nothing happens
}

TEST(FwAnimator, FollowsTheSizeOfItsListWhenTheListChanges) {
  TImageList images(nullptr);
  TFwAnimator animator(nullptr);
  animator.SetImageList(&images);
  EXPECT_EQ(animator.Width(), 16);
  images.SetWidth(32);
  images.SetHeight(24);
  EXPECT_EQ(animator.Width(), 32);
  EXPECT_EQ(animator.Height(), 24);
  animator.SetImageList(nullptr);
  images.SetWidth(8);  // no longer followed
  EXPECT_EQ(animator.Width(), 32);
}

// The frame handler frees the animator (as a window closing on its last frame would):
// the tick leaves it alone from then on.
TEST(FwAnimator, AnAnimatorFreedByItsFrameHandlerIsNotTouched) {
  TImageList images(nullptr);
  images.Add(QImage(16, 16, QImage::Format_RGB32));
  auto* animator = new TFwAnimator(nullptr);
  animator->SetImageList(&images);
  int frames = 0;
  animator->OnFrameChange = [&](TObject*, int) {
    ++frames;
    delete animator;
  };
  animator->Timer().Tick();
  EXPECT_EQ(frames, 1);
}
