#include "controls/common/FwGroupButton.h"
#include "controls/common/FwRadioGroup.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Form.h"
#include "PixelTools.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace fw;

// A group that refuses the items listed in refused.
class TGuardedGroup : public TFwRadioGroup {
public:
  using TFwRadioGroup::TFwRadioGroup;
  std::vector<int> refused;
  bool CanModify(int index) const override {
    return std::find(refused.begin(), refused.end(), index) == refused.end();
  }
};

struct GroupFixture {
  fwtest::ScriptedHooks hooks;
  TForm form{nullptr};
  TGuardedGroup* group = new TGuardedGroup(&form);
  int clicks = 0;
  int changes = 0;
  explicit GroupFixture(QStringList items = {"照工会层次", "填报状态", ""}) {
    form.SetBounds(0, 0, 400, 200);
    group->SetParent(&form);
    group->SetBounds(10, 10, 360, 120);
    group->SetCaption("汇总方式");
    group->SetItems(items);
    group->OnClick = [this](TObject*) { ++clicks; };
    group->OnChange = [this](TObject*) { ++changes; };
    form.Show();
    form.activateWindow();
    QApplication::processEvents();
  }
  void ClickButton(int index) {
    QWidget* button = group->Button(index);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
  }
  int CheckedButton() const {
    int found = -1;
    for (int i = 0; i < group->ButtonCount(); ++i)
      if (group->Button(i)->Checked()) found = i;
    return found;
  }
};

TEST(FwRadioGroup, ClampsColumnsAndItemIndex) {
  GroupFixture f;
  const std::pair<int, int> columns[] = {{0, 1}, {3, 3}, {20, 16}, {-2, 1}};
  for (auto [set, expected] : columns) {
    f.group->SetColumns(set);
    EXPECT_EQ(f.group->Columns(), expected) << set;
  }
  const std::pair<int, int> indexes[] = {{5, 2}, {-3, -1}, {1, 1}};
  for (auto [set, expected] : indexes) {
    f.group->SetItemIndex(set);
    EXPECT_EQ(f.group->ItemIndex(), expected) << set;
    EXPECT_EQ(f.CheckedButton(), expected) << set;
  }
  EXPECT_EQ(f.clicks, 0);
}

TEST(FwRadioGroup, ButtonsFollowTheLines) {
  GroupFixture f;
  ASSERT_EQ(f.group->ButtonCount(), 3);
  EXPECT_EQ(f.group->Button(1)->Caption(), "填报状态");
  f.group->SetItemIndex(2);
  f.group->DeleteItem(2);
  EXPECT_EQ(f.group->ButtonCount(), 2);
  EXPECT_EQ(f.group->ItemIndex(), 1);
  EXPECT_EQ(f.CheckedButton(), 1);
  f.group->SetItems({});
  EXPECT_EQ(f.group->ButtonCount(), 0);
  EXPECT_EQ(f.group->ItemIndex(), -1);
}

TEST(FwRadioGroup, ClickChoosesAnItemUnlessRefused) {
  GroupFixture f;
  f.group->SetItemIndex(0);
  f.ClickButton(1);
  EXPECT_EQ(f.group->ItemIndex(), 1);
  EXPECT_EQ(f.CheckedButton(), 1);
  EXPECT_EQ(f.clicks, 1);
  EXPECT_EQ(f.changes, 1);
  f.group->refused = {2};
  f.ClickButton(2);
  EXPECT_EQ(f.group->ItemIndex(), 1);
  EXPECT_EQ(f.CheckedButton(), 1);
  EXPECT_EQ(f.clicks, 1);
  EXPECT_EQ(f.changes, 1);
}

TEST(FwRadioGroup, ArrowKeysMoveTheChoice) {
  GroupFixture f;
  f.group->SetItemIndex(0);
  f.group->Button(0)->SetFocus();
  QApplication::processEvents();
  QTest::keyClick(f.group->Button(0), Qt::Key_Down);
  QApplication::processEvents();
  EXPECT_EQ(f.group->ItemIndex(), 1);
  QTest::keyClick(f.group->Button(1), Qt::Key_Up);
  QApplication::processEvents();
  EXPECT_EQ(f.group->ItemIndex(), 0);
  // A refused item keeps the previous choice checked.
  f.group->refused = {1};
  QTest::keyClick(f.group->Button(0), Qt::Key_Right);
  QApplication::processEvents();
  EXPECT_EQ(f.group->ItemIndex(), 0);
  EXPECT_EQ(f.CheckedButton(), 0);
}

TEST(FwRadioGroup, ColumnsTakeItemsDownwardsFirst) {
  GroupFixture f({"a", "b", "c", "d", "e", "f", "g"});
  f.group->SetColumns(3);
  struct Place {
    int column, row;
  };
  const Place places[] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {2, 0}};
  std::vector<int> lefts, tops;
  for (int i = 0; i < 7; ++i) {
    lefts.push_back(f.group->Button(i)->Left());
    tops.push_back(f.group->Button(i)->Top());
  }
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(lefts[i], lefts[places[i].column * 3]) << i;
    EXPECT_EQ(tops[i], tops[places[i].row]) << i;
    EXPECT_EQ(f.group->Button(i)->Height(), 17) << i;
  }
  EXPECT_EQ(lefts[0], 8);
  EXPECT_LT(lefts[0], lefts[3]);
  EXPECT_LT(lefts[3], lefts[6]);
  EXPECT_EQ(tops[1] - tops[0], 17 + 3);
  // Evenly spaced columns share the width.
  f.group->SetSpaceEvenly(true);
  const int width = (f.group->Width() - 8 - 2 * f.group->BorderWidth() - 10) / 3;
  EXPECT_EQ(f.group->Button(3)->Left() - f.group->Button(0)->Left(), width);
  EXPECT_EQ(f.group->Button(0)->Width(), width);
}

TEST(FwRadioGroup, ItemPropertiesReachTheButtons) {
  GroupFixture f;
  f.group->SetItemHighlightColor(0x0021A121);
  f.group->SetItemFrameColor(0x0080511C);
  f.group->SetItemHotTrack(true);
  for (int i = 0; i < f.group->ButtonCount(); ++i) {
    EXPECT_EQ(f.group->Button(i)->HighlightColor(), TColor(0x0021A121));
    EXPECT_EQ(f.group->Button(i)->FrameColor(), TColor(0x0080511C));
    EXPECT_TRUE(f.group->Button(i)->HotTrack());
  }
  f.group->SetEnabled(false);
  EXPECT_FALSE(f.group->Button(0)->Enabled());
}

TEST(FwRadioGroup, CaptionStyleGlyphsAndColoursReachTheButtons) {
  GroupFixture f;
  f.group->SetItemHotTrackColorType(TFwHotTrackColorType::htctComplement);
  f.group->SetTextStyle(TTextStyle::tsShadow);
  f.group->SetLightTextStyle(true);
  f.group->SetTextHighlightColor(clYellow);
  f.group->SetTextShadowColor(clNavy);
  f.group->SetTextShadowDepth(3);
  f.group->SetTransparentColor(clFuchsia);
  f.group->SetWinMaskColor(clLime);
  f.group->SetTransparent(true);
  for (int i = 0; i < f.group->ButtonCount(); ++i) {
    const TFwGroupButton* b = f.group->Button(i);
    EXPECT_EQ(b->HotTrackColorType(), TFwHotTrackColorType::htctComplement);
    EXPECT_EQ(b->TextStyle(), TTextStyle::tsShadow);
    EXPECT_TRUE(b->LightTextStyle());
    EXPECT_EQ(b->TextHighlightColor(), clYellow);
    EXPECT_EQ(b->TextShadowColor(), clNavy);
    EXPECT_EQ(b->TextShadowDepth(), 3);
    EXPECT_EQ(b->TransparentColor(), clFuchsia);
    EXPECT_EQ(b->WinMaskColor(), clLime);
    EXPECT_TRUE(b->Transparent());
  }

  // A strip of six 16 x 16 cells: the buttons draw its cells and the columns make room.
  const int narrow = f.group->Button(0)->Width();
  TBitmap strip(96, 16);
  for (int cell = 0; cell < 6; ++cell) {
    strip.Canvas().Brush().SetColor(cell == 1 ? clRed : clBlue);
    strip.Canvas().FillRect(Bounds(cell * 16, 0, 16, 16));
  }
  f.group->SetItemHeight(20);
  f.group->SetCustomGlyphs(strip);
  EXPECT_TRUE(f.group->UseCustomGlyphs());
  EXPECT_EQ(f.group->GlyphWidth(), 16);
  EXPECT_EQ(f.group->Button(0)->Width(), narrow + 3);
  f.group->SetItemIndex(0);
  const QImage checked = f.group->Button(0)->grab().toImage();
  const QImage unchecked = f.group->Button(1)->grab().toImage();
  EXPECT_EQ(fwtest::Count(checked, clRed), 256);  // cell 1: checked
  EXPECT_EQ(fwtest::Count(unchecked, clBlue), 256);
  f.group->SetCustomGlyphs(TBitmap());
  EXPECT_FALSE(f.group->UseCustomGlyphs());
  EXPECT_EQ(f.group->GlyphWidth(), 13);
}

TEST(FwRadioGroup, ItemsTakeTheItemFont) {
  GroupFixture f;
  EXPECT_EQ(f.group->ItemFont().Name(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(f.group->ItemFont().Size(), 8);
  TFont font;
  font.SetSize(12);
  f.group->SetItemFont(font);
  EXPECT_EQ(f.group->Button(1)->Font().Size(), 12);
}

TEST(FwRadioGroup, AltAndTheCaptionsAcceleratorFocusTheFirstButton) {
  GroupFixture f;
  f.group->SetCaption(QStringLiteral("汇总方式(&H)"));
  f.group->SetItemIndex(1);
  QTest::keyClick(&f.form, Qt::Key_H, Qt::AltModifier);
  EXPECT_TRUE(f.group->Button(0)->Focused());
}

} // namespace
