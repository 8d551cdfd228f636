#pragma once
// Reads back a window's button bars and tool buttons against a table: every bar in the
// classic look with captions and buttons 60 wide, its alignment, text preset, image list,
// outer border and gaps; every button with its pictures from the window's one image list
// (hot lighter, disabled grey, down darker than its own picture), flat, with a hint, and
// its own width, look and caption switch where it keeps them.
#include "controls/common/FwSpacer.h"
#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "platform/ui/Form.h"
#include "platform/ui/ImageList.h"
#include "windows/shared/BarImageList.h"

#include <gtest/gtest.h>
#include <initializer_list>

namespace fwtest {

struct BarRow {
  const char* name;
  fw::TAlign align;
  fw::TFwToolbarTextOptions text;
  bool images;  // the window's image list on the bar
  fw::TFrameStyleEx outer;
  int spacers, hidden, grooved;
};

struct ButtonRow {
  const char* name;
  int width;  // its own width; 0: the bar's (at least 60)
  unsigned looks;  // fw::TBarLooks it has pictures for
  bool ownStyle;  // sets its classic look and caption switch itself
  bool ownCaption;  // sets only its caption switch itself
  bool longHint;  // the hint has a long part after "|"
};

namespace detail {
inline int Brightness(const QImage& image) {
  long sum = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) > 0) sum += qRed(image.pixel(x, y)) + qGreen(image.pixel(x, y)) + qBlue(image.pixel(x, y));
  return int(sum / std::max(1, image.width() * image.height()));
}
inline bool Grey(const QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y);
      if (qRed(c) != qGreen(c) || qGreen(c) != qBlue(c)) return false;
    }
  return true;
}
} // namespace detail

inline void ExpectBars(fw::TForm& form, std::initializer_list<BarRow> rows) {
  using namespace fw;
  auto* images = dynamic_cast<TImageList*>(form.FindComponent(QStringLiteral("ImageList1")));
  for (const BarRow& r : rows) {
    SCOPED_TRACE(r.name);
    auto* bar = dynamic_cast<TFwToolbar*>(form.FindComponent(QString::fromLatin1(r.name)));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->ButtonWidth(), 60);
    EXPECT_EQ(bar->VisualStyle(), TFwVisualStyle::vsClassic);
    EXPECT_TRUE(bar->ShowButtonCaptions());
    EXPECT_FALSE(bar->AutoStyle());
    EXPECT_EQ(bar->BorderInner(), TFrameStyleEx::fsNone);
    EXPECT_EQ(bar->BorderOuter(), r.outer);
    EXPECT_EQ(bar->BorderSides(), TSides(0));
    EXPECT_EQ(bar->BorderWidth(), 0);
    EXPECT_EQ(bar->Align(), r.align);
    EXPECT_EQ(bar->TextOptions(), r.text);
    EXPECT_EQ(bar->Images(), r.images ? images : nullptr);
    int spacers = 0, hidden = 0, grooved = 0;
    for (TControl* c : bar->ToolbarControls())
      if (auto* s = dynamic_cast<TFwSpacer*>(c)) {
        ++spacers;
        hidden += !s->Visible();
        grooved += s->Grooved();
      }
    EXPECT_EQ(spacers, r.spacers);
    EXPECT_EQ(hidden, r.hidden);
    EXPECT_EQ(grooved, r.grooved);
  }
}

inline void ExpectButtons(fw::TForm& form, std::initializer_list<ButtonRow> rows) {
  using namespace fw;
  auto* images = dynamic_cast<TImageList*>(form.FindComponent(QStringLiteral("ImageList1")));
  ASSERT_NE(images, nullptr);
  for (const ButtonRow& r : rows) {
    SCOPED_TRACE(r.name);
    auto* b = dynamic_cast<TFwToolButton*>(form.FindComponent(QString::fromLatin1(r.name)));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Images(), images);
    ASSERT_GE(b->ImageIndex(), 0);
    const QImage own = images->Image(b->ImageIndex());
    const auto extra = [&](int index, bool wanted) {
      EXPECT_EQ(index >= 0, wanted);
      return wanted && index >= 0 ? images->Image(index) : QImage();
    };
    if (QImage hot = extra(b->HotIndex(), r.looks & blkHot); !hot.isNull()) {
      EXPECT_GT(detail::Brightness(hot), detail::Brightness(own)) << "hot lighter";
    }
    if (QImage off = extra(b->DisabledIndex(), r.looks & blkDisabled); !off.isNull()) {
      EXPECT_TRUE(detail::Grey(off)) << "disabled grey";
    }
    extra(b->DownIndex(), r.looks & blkDown);
    EXPECT_TRUE(b->Flat());
    EXPECT_TRUE(b->ShowHint());
    EXPECT_FALSE(GetShortHint(b->Hint()).isEmpty());
    EXPECT_EQ(b->Hint().contains(QLatin1Char('|')), r.longHint);
    EXPECT_EQ(b->VisualStyle(), TFwVisualStyle::vsClassic);
    EXPECT_EQ(b->UseToolbarVisualStyle(), !r.ownStyle);
    EXPECT_TRUE(b->ShowCaption());
    EXPECT_EQ(b->UseToolbarShowCaption(), !r.ownStyle && !r.ownCaption);
    EXPECT_EQ(b->UseToolbarButtonSize(), r.width == 0);
    if (r.width) {
      EXPECT_EQ(b->Width(), r.width);
    } else {
      EXPECT_GE(b->Width(), 60);
    }
    // Caption and picture fit the button side by side (or one above the other).
    if (b->Layout() == TButtonLayout::blGlyphLeft) {
      EXPECT_GE(b->CaptionRect().Width(), b->CaptionWidth()) << "caption not clipped";
    }
  }
}

} // namespace fwtest
