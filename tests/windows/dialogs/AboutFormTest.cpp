// The about box: its texts and picture, the splash driven tick by tick and closed by a
// click, the splash at start-up, 关于, and the Ctrl+Alt double click that marks every
// record as checked.
#include "windows/dialogs/AboutForm.h"

#include "controls/common/FwLabel.h"
#include "controls/common/FwURLLabel.h"
#include "controls/navigation/FwBackground.h"
#include "controls/navigation/FwProgressBar.h"
#include "core/ProductVersion.h"
#include "platform/db/AdoQuery.h"
#include "platform/ui/ActionList.h"
#include "platform/ui/Timer.h"
#include "tests/windows/main/MainFormFixture.h"

#include <QTest>

namespace {

using namespace fw;

// Switches the splash on for one test (the test main switches it off).
class ScopedSplash {
public:
  ScopedSplash() { qunsetenv("FENWRIGHT_NO_SPLASH"); }
  ~ScopedSplash() { qputenv("FENWRIGHT_NO_SPLASH", "1"); }
};

class AboutFormTest : public fwtest::MainFormFixture {
protected:
  // Records with the states given, codes 110000000001 upwards.
  void AddStates(const std::vector<int>& states) {
    auto c = Connect();
    qint64 code = 110000000001;
    for (int state : states)
      c->Execute("insert into dt_data (c901, c902, c903, c904, c907, RecordState) values (?, ?, 110101, 10, 1, ?)",
                 {code++, QStringLiteral("单位"), state});
  }
};

TEST_F(AboutFormTest, TextsAndPicture) {
  std::unique_ptr<TdlgAboutForm> box(NewForm<TdlgAboutForm>(nullptr));
  EXPECT_EQ(box->ClientWidth(), 550);
  EXPECT_EQ(box->ClientHeight(), 300);
  EXPECT_EQ(box->BorderStyle(), TFormBorderStyle::bsNone);
  EXPECT_EQ(box->NameLabel->Caption(), QStringLiteral("Fenwright"));
  // Shadowed texts over the card, the web address plain; none fills its background.
  for (TFwLabel* label : {box->NameLabel, box->ApprovalLabel, box->MakerLabel, box->VersionLabel}) {
    EXPECT_EQ(label->TextStyle(), TTextStyle::tsShadow) << label->Name().toStdString();
    EXPECT_TRUE(label->Transparent()) << label->Name().toStdString();
  }
  EXPECT_EQ(box->WebLabel->TextStyle(), TTextStyle::tsNormal);
  EXPECT_TRUE(box->WebLabel->Transparent());
  EXPECT_EQ(box->MakerLabel->Caption(), QStringLiteral("开发单位：Brackwater"));
  EXPECT_EQ(box->VersionLabel->Caption(), AboutVersionText(ProgramVersion.Build));
  EXPECT_EQ(AboutVersionText(7), QStringLiteral("版本：1.0 (Build 7)"));
  EXPECT_FALSE(box->FwProgressBar1->Visible());
  EXPECT_FALSE(box->Timer1->Enabled());
  // The picture drawn at build time sits in the middle of the gradient.
  ASSERT_FALSE(box->FwBackground1->Image().isNull());
  const TRect where = box->FwBackground1->ImageRect();
  EXPECT_EQ(where.Left + where.Right, 550);
  EXPECT_EQ(where.Top + where.Bottom, 300);

  box->Show();
  const QImage image = box->grab().toImage();
  fwtest::SaveShot(image, QStringLiteral("fw_about.png"));
  // Every text stays on the card and clear of the emblem on the picture's left.
  for (TControl* label : {static_cast<TControl*>(box->NameLabel), static_cast<TControl*>(box->ApprovalLabel),
                          static_cast<TControl*>(box->MakerLabel), static_cast<TControl*>(box->WebLabel),
                          static_cast<TControl*>(box->VersionLabel)}) {
    EXPECT_GT(label->Left(), 160) << label->Name().toStdString();
    EXPECT_LE(label->Left() + label->Width(), where.Right) << label->Name().toStdString();
  }
  // Halfway through the splash the bar is half filled.
  box->StartSplash();
  for (int i = 0; i < 25; ++i) box->Timer1->Tick();
  const QImage splash = box->grab().toImage();
  fwtest::SaveShot(splash, QStringLiteral("fw_splash.png"));
  const TRect bar = box->FwProgressBar1->BoundsRect();
  const int y = (bar.Top + bar.Bottom) / 2;
  EXPECT_NE(splash.pixelColor(bar.Left + bar.Width() / 4, y), splash.pixelColor(bar.Right - bar.Width() / 4, y));
}

// The splash closes itself after 50 ticks of 2 parts; a click on the background closes
// it earlier, a click on a text does not.
TEST_F(AboutFormTest, SplashClosesAfterFiftyTicksOrOnAClick) {
  std::unique_ptr<TdlgAboutForm> box(NewForm<TdlgAboutForm>(nullptr));
  box->StartSplash();
  EXPECT_TRUE(box->FwProgressBar1->Visible());
  EXPECT_TRUE(box->Timer1->Enabled());
  EXPECT_EQ(box->Timer1->Interval(), 40);
  int openAfter49 = -1;
  {
    ScopedModalScript modal([&](TForm& form) {
      auto& shown = dynamic_cast<TdlgAboutForm&>(form);
      for (int i = 0; i < 49; ++i) shown.Timer1->Tick();
      openAfter49 = shown.ModalResult();
      shown.Timer1->Tick();
      return int(mrNone);
    });
    EXPECT_EQ(box->ShowModal(), mrCancel);
  }
  EXPECT_EQ(openAfter49, mrNone);
  EXPECT_EQ(box->FwProgressBar1->PartsComplete(), 100u);
  EXPECT_FALSE(box->Timer1->Enabled());

  std::unique_ptr<TdlgAboutForm> clicked(NewForm<TdlgAboutForm>(nullptr));
  clicked->StartSplash();
  int afterTextClick = -1;
  ScopedModalScript modal([&](TForm& form) {
    auto& shown = dynamic_cast<TdlgAboutForm&>(form);
    QTest::mouseClick(shown.MakerLabel, Qt::LeftButton);
    afterTextClick = shown.ModalResult();
    QTest::mouseClick(shown.FwBackground1, Qt::LeftButton, {}, QPoint(10, 10));
    return int(mrNone);
  });
  EXPECT_EQ(clicked->ShowModal(), mrCancel);
  EXPECT_EQ(afterTextClick, mrNone);
  EXPECT_EQ(clicked->FwProgressBar1->PartsComplete(), 0u);
}

// Start-up shows the splash once the version text is set; the box is freed after it.
// 关于 shows the box without its bar and frees it too.
TEST_F(AboutFormTest, SplashAtStartAndTheAboutAction) {
  std::vector<bool> barShown;
  int ticks = 0;
  {
    ScopedSplash splash;
    ScopedModalScript modal([&](TForm& form) {
      auto& shown = dynamic_cast<TdlgAboutForm&>(form);
      barShown.push_back(shown.FwProgressBar1->Visible());
      EXPECT_EQ(shown.Owner(), MainForm);
      while (shown.ModalResult() == mrNone && ticks < 100) {
        shown.Timer1->Tick();
        ++ticks;
      }
      return int(mrNone);
    });
    TMainForm* main = Start();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(barShown, std::vector<bool>{true});
    EXPECT_EQ(ticks, 50);
    EXPECT_EQ(dlgAboutForm, nullptr);

    main->ActionList1->UpdateActions();
    EXPECT_TRUE(main->actAbout->Enabled());
    main->actAbout->Execute();
    EXPECT_EQ(barShown, (std::vector<bool>{true, false}));
    EXPECT_EQ(dlgAboutForm, nullptr);
  }
  // The box the program entry made at start is the one 关于 shows and frees.
  app->CreateForm(dlgAboutForm);
  TdlgAboutForm* made = dlgAboutForm;
  TForm* shownBox = nullptr;
  ScopedModalScript modal([&](TForm& form) {
    shownBox = &form;
    return int(mrCancel);
  });
  MainForm->actAbout->Execute();
  EXPECT_EQ(shownBox, made);
  EXPECT_EQ(dlgAboutForm, nullptr);
}

TEST_F(AboutFormTest, WithoutTheSplashStartUpShowsNoWindow) {
  int shown = 0;
  ScopedModalScript modal([&](TForm&) {
    ++shown;
    return int(mrCancel);
  });
  ASSERT_NE(Start(), nullptr);
  EXPECT_EQ(shown, 0);
}

// Only a double click with Ctrl and Alt, and without Shift, marks every record as
// checked; the list stays on its record and the box closes.
TEST_F(AboutFormTest, CtrlAltDoubleClickOnTheNameMarksEveryRecordChecked) {
  AddStates({0, 2, 1, 0});
  TMainForm* main = Start();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(main->Data().ReportQuery->Locate("c901", 110000000003LL));

  struct Case {
    Qt::KeyboardModifiers modifiers;
    bool marks;
  };
  const Case cases[] = {{Qt::ControlModifier, false},
                        {Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier, false},
                        {Qt::ControlModifier | Qt::AltModifier, true}};
  for (const Case& c : cases) {
    int result = -1;
    ScopedModalScript modal([&](TForm& form) {
      auto& shown = dynamic_cast<TdlgAboutForm&>(form);
      QTest::mouseDClick(shown.NameLabel, Qt::LeftButton, c.modifiers);
      result = shown.ModalResult();
      return int(mrOk);
    });
    main->actAbout->Execute();
    EXPECT_EQ(result, c.marks ? mrCancel : mrNone);
    EXPECT_EQ(Count("select count(*) from dt_data where RecordState<>1"), c.marks ? 0 : 3);
  }
  EXPECT_EQ(main->Data().ReportQuery->FieldByName("c901")->AsLargeInt(), 110000000003LL);
  EXPECT_EQ(main->Data().ReportQuery->FieldByName("RecordState")->AsInteger(), 1);
}

} // namespace
