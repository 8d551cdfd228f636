// The dialogs' check boxes and radio buttons, and the items of the summary dialog's radio
// group, light up under the pointer and draw a dark blue glyph frame and a green mark;
// the summary's group has the standard grooved frame. Pictures of the check and summary
// dialogs with the pointer over a radio button go to FW_SHOTS (fw_check_hot_radio.png,
// fw_sum_hot_radio.png).
#include "windows/dialogs/CheckForm.h"
#include "windows/dialogs/DeleteForm.h"
#include "windows/dialogs/LocateForm.h"
#include "windows/dialogs/OptionSetupForm.h"
#include "windows/dialogs/SaveListForm.h"
#include "windows/dialogs/SumForm.h"

#include "controls/common/FwCustomGlyphButton.h"
#include "controls/common/FwGroupButton.h"
#include "controls/common/FwRadioButton.h"
#include "controls/common/FwRadioGroup.h"
#include "platform/ui/Messages.h"
#include "tests/controls/common/PixelTools.h"
#include "tests/windows/main/MainFormFixture.h"

#include <QTest>
#include <QWindow>
#include <functional>

namespace {

using namespace fw;

constexpr TColor kFrame = 0x0080511C;
constexpr TColor kMark = 0x0021A121;

QImage Glyph(TFwCustomGlyphButton* b) { return b->grab().toImage().copy(b->GlyphRect().ToQt()); }

// Pixels near the orange of the default hot-track colour, from which a hot glyph shades
// its inside ring.
int HotPixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += fwtest::Distance(fwtest::At(image, x, y), 0x00149BF0) < 100;
  return n;
}

class DialogGlyphLooks : public fwtest::MainFormFixture {
protected:
  void SetUp() override {
    MainFormFixture::SetUp();
    main = Start();
    ASSERT_NE(main, nullptr);
  }

  // Moves the pointer into the window and onto button, as the user does: the glyph turns hot.
  static void PointAt(TFwCustomGlyphButton* button) {
    QWidget* window = button->window();
    QTest::mouseMove(window->windowHandle(), QPoint(1, 1));
    QTest::mouseMove(window->windowHandle(), button->mapTo(window, button->GlyphRect().ToQt().center()));
    QCoreApplication::processEvents();
  }

  TMainForm* main = nullptr;
};

TEST_F(DialogGlyphLooks, EveryGlyphButtonLightsUpWithADarkBlueFrameAndAGreenMark) {
  struct Case {
    const char* name;
    std::function<TForm*()> make;
    int buttons;  // check boxes and radio buttons, hidden ones included
  };
  const Case cases[] = {
      {"check", [] { return NewForm<TdlgCheckForm>(nullptr); }, 4},
      {"delete", [this] { return NewForm<TdlgDeleteForm>(nullptr, main->RecordGrid); }, 3},
      {"locate", [] { return NewForm<TdlgLocateForm>(nullptr); }, 2},
      {"options", [] { return NewForm<TdlgOptionSetupForm>(nullptr); }, 4},
      {"saved list", [] { return NewForm<TdlgSaveListForm>(nullptr); }, 3},
      {"summary", [] { return NewForm<TdlgSumForm>(nullptr); }, 3},
  };
  for (const Case& c : cases) {
    std::unique_ptr<TForm> form(c.make());
    form->Show();
    std::vector<TFwCustomGlyphButton*> buttons;
    for (QWidget* w : form->findChildren<QWidget*>())
      if (auto* b = dynamic_cast<TFwCustomGlyphButton*>(w)) buttons.push_back(b);
    EXPECT_EQ(int(buttons.size()), c.buttons) << c.name;
    for (TFwCustomGlyphButton* b : buttons) {
      const std::string where = std::string(c.name) + " " + b->Name().toStdString() + " " + b->Caption().toStdString();
      EXPECT_TRUE(b->HotTrack()) << where;
      EXPECT_EQ(b->FrameColor(), kFrame) << where;
      EXPECT_EQ(b->HighlightColor(), kMark) << where;
      if (!b->isVisible() || !b->Enabled()) continue;
      b->Perform(CM_MOUSELEAVE);
      const QImage normal = Glyph(b);
      EXPECT_GT(fwtest::Count(normal, kFrame), 8) << where;
      EXPECT_EQ(fwtest::Count(normal, kMark) > 0, b->Checked()) << where;
      EXPECT_EQ(HotPixels(normal), 0) << where;
      PointAt(b);
      EXPECT_GT(HotPixels(Glyph(b)), 4) << where;
      b->Perform(CM_MOUSELEAVE);
    }
  }
}

TEST_F(DialogGlyphLooks, TheSummaryGroupHasAGroovedFrameAndDressedItems) {
  std::unique_ptr<TdlgSumForm> form(NewForm<TdlgSumForm>(nullptr));
  form->Show();
  TFwRadioGroup* group = form->SumType;
  EXPECT_EQ(group->GroupStyle(), TFwGroupBoxStyle::gsStandard);
  EXPECT_EQ(group->VisualStyle(), TFwVisualStyle::vsClassic);
  EXPECT_EQ(group->ItemFrameColor(), kFrame);
  EXPECT_EQ(group->ItemHighlightColor(), kMark);
  EXPECT_TRUE(group->ItemHotTrack());
  // The groove: a shadow line with a highlight line inside it, down the left side.
  const QImage image = group->grab().toImage();
  const int y = image.height() / 2;
  EXPECT_EQ(fwtest::At(image, 0, y), ColorToRGB(clBtnShadow));
  EXPECT_EQ(fwtest::At(image, 1, y), ColorToRGB(clBtnHighlight));
}

// The check dialog waiting and the summary dialog, each with the pointer over its second
// radio button.
TEST_F(DialogGlyphLooks, PicturesWithThePointerOverARadioButton) {
  std::unique_ptr<TdlgCheckForm> check(NewForm<TdlgCheckForm>(nullptr));
  check->Show();
  PointAt(check->AllRecord);
  ASSERT_TRUE(check->AllRecord->MouseInControl());
  const QImage checkImage = check->grab().toImage();
  EXPECT_GT(HotPixels(checkImage), 4);
  fwtest::SaveShot(checkImage, QStringLiteral("fw_check_hot_radio.png"));
  check.reset();

  std::unique_ptr<TdlgSumForm> sum(NewForm<TdlgSumForm>(nullptr));
  sum->Show();
  PointAt(sum->SumType->Button(1));
  ASSERT_TRUE(sum->SumType->Button(1)->MouseInControl());
  const QImage sumImage = sum->grab().toImage();
  EXPECT_GT(HotPixels(sumImage), 4);
  fwtest::SaveShot(sumImage, QStringLiteral("fw_sum_hot_radio.png"));
}

} // namespace
