// Tool buttons: grouping, drop-down style, the toolbar's size notice, and the hot and
// down looks on pixels.
#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "PixelTools.h"
#include "platform/ui/Form.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/PopupMenu.h"

#include <QMenu>
#include <QPointer>
#include <map>

#include <QFontMetrics>
#include <QTest>
#include <gtest/gtest.h>

using namespace fw;

namespace {

struct Host {
  TForm form{nullptr};
  Host() { form.SetBounds(0, 0, 400, 200); }
  TFwToolButton* Button(int x, int group = 0) {
    auto* b = new TFwToolButton(&form);
    b->SetParent(&form);
    b->SetBounds(x, 10, 40, 25);
    b->SetGroupIndex(group);
    return b;
  }
};

// A drop-down button at the host's left edge whose menu holds one item.
TFwToolButton* DropDownButton(Host& host, TPopupMenu& menu) {
  auto* item = new TMenuItem(&menu);
  item->SetCaption(QStringLiteral("一项"));
  menu.Items()->Add(item);
  TFwToolButton* b = host.Button(0);
  b->SetToolStyle(TFwToolStyle::tsDropDown);
  b->SetDropDownMenu(&menu);
  return b;
}

void ClickAt(TControl* c, QPoint p = QPoint(5, 5)) {
  QTest::mousePress(c, Qt::LeftButton, {}, p);
  QTest::mouseRelease(c, Qt::LeftButton, {}, p);
}

} // namespace

TEST(FwToolButton, DownNeedsAGroupAndGroupsAreExclusive) {
  Host host;
  TFwToolButton* single = host.Button(0);
  single->SetDown(true);
  EXPECT_FALSE(single->Down());  // GroupIndex 0 forces up

  TFwToolButton* a = host.Button(50, 1);
  TFwToolButton* b = host.Button(100, 1);
  int clicks = 0;
  a->OnClick = [&](TObject*) { ++clicks; };
  ClickAt(a);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(clicks, 1);
  ClickAt(a);  // without AllowAllUp it stays down and does not click
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(clicks, 1);
  ClickAt(b);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());

  a->SetAllowAllUp(true);  // shared by the group
  EXPECT_TRUE(b->AllowAllUp());
  ClickAt(b);
  EXPECT_FALSE(b->Down());
}

TEST(FwToolButton, ReleaseOutsideRunsNoClick) {
  Host host;
  TFwToolButton* b = host.Button(0);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(b->State(), TFwToolButtonState::down);
  QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(100, 5));
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(b->State(), TFwToolButtonState::up);
}

TEST(FwToolButton, DropDownStyleWidensByTheArrowAndDropsTheGroup) {
  Host host;
  TFwToolButton* b = host.Button(0, 3);
  b->SetUseToolbarButtonSize(false);
  b->SetToolStyle(TFwToolStyle::tsDropDown);
  EXPECT_EQ(b->Width(), 54);
  EXPECT_EQ(b->GroupIndex(), 0);
  EXPECT_FALSE(b->UseToolbarButtonSize());
  EXPECT_EQ(b->ArrowRect(), Rect(40, 0, 54, 25));
  b->SetToolStyle(TFwToolStyle::tsButton);
  EXPECT_EQ(b->Width(), 40);
}

TEST(FwToolButton, ArrowPartOpensTheMenuMainPartClicks) {
  Host host;
  TPopupMenu menu(&host.form);
  TFwToolButton* b = DropDownButton(host, menu);
  int clicks = 0, drops = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  b->OnDropDown = [&](TObject*) { ++drops; };
  host.form.Show();
  ClickAt(b, QPoint(5, 5));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(drops, 0);
  ClickAt(b, QPoint(b->Width() - 5, 5));
  EXPECT_EQ(drops, 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(b->State(), TFwToolButtonState::menuDropped);
  menu.Menu()->hide();
  EXPECT_EQ(b->State(), TFwToolButtonState::up);
}

// The drop-down handler may free the button or take its menu away (cleared or freed):
// neither is touched afterwards, and a button left behind is up again, without a click.
TEST(FwToolButton, ADropDownHandlerMayFreeTheButtonOrTakeItsMenu) {
  enum class Act { freeButton, clearMenu, freeMenu };
  for (const Act act : {Act::freeButton, Act::clearMenu, Act::freeMenu}) {
    Host host;
    auto* menu = new TPopupMenu(&host.form);
    TFwToolButton* b = DropDownButton(host, *menu);
    QPointer<TFwToolButton> alive(b);
    int drops = 0, clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    b->OnDropDown = [&](TObject*) {
      ++drops;
      if (act == Act::freeButton) delete b;
      else if (act == Act::clearMenu) b->SetDropDownMenu(nullptr);
      else delete menu;
    };
    host.form.Show();
    const QPoint arrow(b->Width() - 5, 5);
    QTest::mousePress(b, Qt::LeftButton, {}, arrow);
    EXPECT_EQ(drops, 1);
    if (act == Act::freeButton) {
      EXPECT_FALSE(alive);
      continue;
    }
    QTest::mouseRelease(b, Qt::LeftButton, {}, arrow);
    EXPECT_EQ(b->State(), TFwToolButtonState::up);
    EXPECT_EQ(clicks, 0);
  }
}

TEST(FwToolButton, TakesTheToolbarSizeWithRoomForImageAndCaption) {
  TForm form(nullptr);
  TFwToolbar bar(&form);
  bar.SetParent(&form);
  TImageList images(&form);
  images.SetWidth(16);
  images.SetHeight(16);
  auto* b = new TFwToolButton(&form);
  b->SetImages(&images);
  b->SetCaption(QStringLiteral("一段很长的按钮文字"));
  b->SetParent(&bar);
  EXPECT_EQ(b->Width(), 25);  // no caption shown yet
  bar.SetButtonWidth(30);
  bar.SetShowButtonCaptions(true);
  const int captionWidth = QFontMetrics(b->Font().ToQFont()).horizontalAdvance(b->Caption());
  EXPECT_EQ(b->Width(), 16 + captionWidth + 12);
  b->SetToolStyle(TFwToolStyle::tsDropDown);
  b->Perform(FW_TB_BUTTONSIZE);
  EXPECT_EQ(b->Width(), 16 + captionWidth + 12 + 14);
  b->SetWidth(70);  // set by hand: no longer follows the toolbar
  bar.SetButtonHeight(40);
  EXPECT_EQ(b->Width(), 70);
  EXPECT_EQ(b->Height(), 25);
}

TEST(FwToolButton, HotAndDownLooks) {
  Host host;
  TFwToolButton* b = host.Button(0, 1);
  b->SetVisualStyle(TFwVisualStyle::vsClassic);
  host.form.SetColor(clWhite);
  const QImage plain = b->grab().toImage();
  EXPECT_EQ(fwtest::Inked(plain, fwtest::At(plain, 20, 12)), QRect());  // flat and idle: nothing drawn

  b->Perform(CM_MOUSEENTER);
  const QImage hot = b->grab().toImage();
  EXPECT_EQ(fwtest::At(hot, 0, 0), ColorToRGB(clBtnHighlight));  // raised edge
  EXPECT_EQ(fwtest::At(hot, 39, 24), ColorToRGB(clBtnShadow));
  b->Perform(CM_MOUSELEAVE);

  b->SetDown(true);
  const QImage down = b->grab().toImage();
  EXPECT_EQ(fwtest::At(down, 0, 0), ColorToRGB(clBtnShadow));  // lowered edge
  EXPECT_EQ(fwtest::At(down, 39, 24), ColorToRGB(clBtnHighlight));
  // The sticky face is a dither of two shades.
  EXPECT_NE(fwtest::At(down, 10, 10), fwtest::At(down, 11, 10));
}

// Without an image list the caption still keeps the image's 4-pixel gap on the image's
// side, so a centred caption stands 2 pixels off the middle, towards the other side.
TEST(FwToolButton, CaptionWithoutImagesKeepsTheGapOnTheImageSide) {
  Host host;
  TFwToolButton* b = host.Button(0);
  b->SetBounds(0, 10, 80, 25);
  b->SetCaption(QStringLiteral("返回"));
  b->SetShowCaption(true);
  std::map<TButtonLayout, int> left;
  for (const TButtonLayout layout : {TButtonLayout::blGlyphLeft, TButtonLayout::blGlyphRight}) {
    b->SetLayout(layout);
    const QImage image = b->grab().toImage();
    left[layout] = fwtest::Inked(image, fwtest::At(image, 0, 0)).left();
  }
  EXPECT_EQ(left[TButtonLayout::blGlyphLeft] - left[TButtonLayout::blGlyphRight], 4);
}

TEST(FwToolButton, AltAndTheAcceleratorClicks) {
  Host host;
  TFwToolButton* b = host.Button(0);
  b->SetCaption(QStringLiteral("保存(&S)"));
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  host.form.Show();
  host.form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&host.form));
  QTest::keyClick(&host.form, Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(clicks, 1);
  b->SetEnabled(false);
  QTest::keyClick(&host.form, Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(clicks, 1);
}

namespace {

// A grouped classic button with a normal, hot, down and disabled image of 16 x 16.
struct ImageButton : Host {
  TImageList images{&form};
  TFwToolButton* b;
  ImageButton() {
    images.SetWidth(16);
    images.SetHeight(16);
    for (int i = 0; i < 4; ++i) {
      QImage image(16, 16, QImage::Format_ARGB32);
      image.fill(Qt::red);
      images.Add(image);
    }
    b = Button(0, 1);
    b->SetImages(&images);
    b->SetImageIndex(0);
    b->SetHotIndex(1);
    b->SetDownIndex(2);
    b->SetDisabledIndex(3);
    b->SetVisualStyle(TFwVisualStyle::vsClassic);
  }
};

} // namespace

TEST(FwToolButton, LookFollowsTheState) {
  struct Case {
    const char* name;
    std::function<void(TFwToolButton*)> act;
    bool hot, pressed, sticky;
    int image;
    TColor caption;
  };
  const auto hover = [](TFwToolButton* b) { b->Perform(CM_MOUSEENTER); };
  const Case cases[] = {
      {"idle", [](TFwToolButton*) {}, false, false, false, 0, clWindowText},
      {"hovered", hover, true, false, false, 1, clWindowText},
      {"held by the mouse", [](TFwToolButton* b) { QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5)); },
       false, true, false, 2, clHighlightText},
      {"stuck down", [](TFwToolButton* b) { b->SetDown(true); }, false, true, true, 2, clWindowText},
      {"stuck down and hovered", [&](TFwToolButton* b) { b->SetDown(true); hover(b); }, true, true, false, 2,
       clWindowText},
      {"disabled under the mouse", [&](TFwToolButton* b) { hover(b); b->SetEnabled(false); }, false, false, false,
       3, clBtnShadow},
  };
  for (const Case& c : cases) {
    ImageButton host;
    host.form.Show();
    c.act(host.b);
    const TFwToolButtonLook look = host.b->Look();
    EXPECT_EQ(look.Hot, c.hot) << c.name;
    EXPECT_EQ(look.Pressed, c.pressed) << c.name;
    EXPECT_EQ(look.Sticky, c.sticky) << c.name;
    EXPECT_EQ(look.ImageIndex, c.image) << c.name;
    EXPECT_EQ(look.CaptionColor, c.caption) << c.name;
    EXPECT_EQ(look.Face, Rect(0, 0, 40, 25)) << c.name;
    // The image is centred in the content area and moves down-right while pressed.
    const int shift = c.pressed ? 1 : 0;
    EXPECT_EQ(look.Image, Bounds(12 + shift, 4 + shift, 16, 16)) << c.name;
  }
}

TEST(FwToolButton, GradientLookPressesWithADarkerStartAndKeepsTheImageStill) {
  ImageButton host;
  host.b->SetVisualStyle(TFwVisualStyle::vsGradient);
  host.b->Perform(CM_MOUSEENTER);
  const TFwToolButtonLook hot = host.b->Look();
  host.b->SetDown(true);
  const TFwToolButtonLook down = host.b->Look();
  EXPECT_TRUE(down.Pressed);
  EXPECT_FALSE(down.Sticky);
  EXPECT_EQ(down.Image, hot.Image);
  EXPECT_EQ(down.FaceColors.Start, DarkerColor(hot.FaceColors.Start, 40));
  EXPECT_EQ(down.FaceColors.Stop, hot.FaceColors.Stop);
}

// The face of a split button (one with its own click) stays up while its menu is open;
// a button that is all menu shows pressed.
TEST(FwToolButton, OpenMenuPressesTheFaceOnlyOfAButtonThatIsAllMenu) {
  for (const bool ownClick : {true, false}) {
    Host host;
    TPopupMenu menu(&host.form);
    TFwToolButton* b = DropDownButton(host, menu);
    if (ownClick) b->OnClick = [](TObject*) {};
    host.form.Show();
    EXPECT_TRUE(b->Look().Arrow == Rect(b->Width() - FwDropDownArrowWidth, 0, b->Width(), b->Height()));
    ClickAt(b, QPoint(b->Width() - 5, 5));
    const TFwToolButtonLook look = b->Look();
    EXPECT_TRUE(look.Dropped) << ownClick;
    EXPECT_EQ(look.Pressed, !ownClick);
    EXPECT_EQ(look.Face, Rect(0, 0, b->Width() - FwDropDownArrowWidth, b->Height()));
    menu.Menu()->hide();
    EXPECT_FALSE(b->Look().Dropped);
  }
}

TEST(FwToolButton, KeepsItsOwnImageAndDownStateAcrossActionChanges) {
  Host host;
  TAction action(&host.form);
  action.SetImageIndex(3);
  TFwToolButton* b = host.Button(0, 1);
  b->SetAllowAllUp(true);
  b->SetAction(&action);
  EXPECT_EQ(b->ImageIndex(), 3);

  // While the two agree the button follows the action.
  action.SetImageIndex(4);
  action.SetChecked(true);
  EXPECT_EQ(b->ImageIndex(), 4);
  EXPECT_TRUE(b->Down());
  action.SetChecked(false);
  EXPECT_FALSE(b->Down());

  // A value set on the button itself stays when the action changes.
  b->SetImageIndex(7);
  b->SetDown(true);
  action.SetImageIndex(5);
  action.SetCaption(QStringLiteral("保存"));
  EXPECT_EQ(b->ImageIndex(), 7);
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(b->Caption(), QStringLiteral("保存"));

  // Once they agree again the button follows once more.
  b->SetImageIndex(5);
  action.SetImageIndex(6);
  EXPECT_EQ(b->ImageIndex(), 6);
}

// Counts the paints that reach the button.
struct CountingButton : TFwToolButton {
  using TFwToolButton::TFwToolButton;
  int paints = 0;
  void Paint() override {
    ++paints;
    TFwToolButton::Paint();
  }
};

TEST(FwToolButton, RepaintsWhenItsImageListChanges) {
  Host host;
  TImageList images(&host.form);
  auto* b = new CountingButton(&host.form);
  b->SetParent(&host.form);
  b->SetImages(&images);
  host.form.Show();
  QTest::qWait(20);
  b->paints = 0;
  QImage red(16, 16, QImage::Format_ARGB32);
  red.fill(Qt::red);
  images.Add(red);  // only the change link can ask the button for a repaint
  QTest::qWait(20);
  EXPECT_GT(b->paints, 0);

  // Another list: the first one's changes no longer reach the button.
  TImageList other(&host.form);
  b->SetImages(&other);
  QTest::qWait(20);
  b->paints = 0;
  images.Add(red);
  QTest::qWait(20);
  EXPECT_EQ(b->paints, 0);
}

// A disabled button shows its disabled image when it has one, else its own image greyed:
// never the full-colour picture of an available button.
TEST(FwToolButton, DisabledButtonWithoutDisabledImageShowsItsImageGreyed) {
  for (const bool ownDisabledImage : {false, true}) {
    ImageButton host;
    if (!ownDisabledImage) host.b->SetDisabledIndex(-1);
    host.form.Show();
    host.b->SetEnabled(false);
    const QColor centre = host.b->grab().toImage().pixelColor(host.b->Look().Image.Left + 8,
                                                            host.b->Look().Image.Top + 8);
    if (ownDisabledImage) EXPECT_EQ(centre.rgb() & 0xFFFFFF, QColor(Qt::red).rgb() & 0xFFFFFF);
    else EXPECT_LT(std::abs(centre.red() - centre.green()), 40) << "greyed, not red";
  }
}
