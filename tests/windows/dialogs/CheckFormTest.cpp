// The batch check dialog: its states (waiting, running, paused), the three scopes, the
// range refused when empty or below 1, pause and resume during a run, 返回 / the close
// box / Esc stopping a run before the window goes, the times under the bar; the main
// window's two check actions; and pictures of the dialog running and paused.
#include "windows/dialogs/CheckForm.h"

#include "controls/common/FwCheckBox.h"
#include "controls/common/FwRadioButton.h"
#include "controls/common/FwToolButton.h"
#include "controls/navigation/FwProgressBar.h"
#include "core/CheckReport.h"
#include "platform/db/DbError.h"
#include "platform/ui/ActionList.h"
#include "platform/ui/Application.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/GroupBox.h"
#include "platform/ui/Label.h"
#include "platform/ui/Timer.h"
#include "tests/core/LogicCheckSupport.h"
#include "tests/windows/main/MainFormFixture.h"
#include "windows/shared/VKValidEdit.h"
#include "controls/common/FwGroupBox.h"
#include "tests/windows/shared/BarLooks.h"

#include <QGroupBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using namespace fw;

// Runs `action` at the `pump`th time the event loop is entered (the check pumps after
// every record when its interval is 0), and on every pass after it while `again` says so.
class AtPump {
public:
  AtPump(int pump, std::function<void()> action) : pump_(pump), action_(std::move(action)) {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (++count_ != pump_) return;
      timer_.stop();
      action_();
    });
    timer_.start();
  }

private:
  QTimer timer_;
  int pump_;
  int count_ = 0;
  std::function<void()> action_;
};

class CheckFormTest : public ::testing::Test {
protected:
  CheckFormTest() {
    Hooks.FixedNow = QDateTime(QDate(2014, 12, 31), QTime(9, 0));
    Db.Connection.BeginTrans();
    // Records 1..30: every third breaks z003<=z001, the others are clean.
    for (int i = 1; i <= 30; ++i)
      Db.InsertClean(110000000000 + i, QStringLiteral("单位%1").arg(i), {{"z003", i % 3 == 0 ? 11.0 : 0.0}});
    Db.Connection.CommitTrans();
    Dialog.reset(NewForm<TdlgCheckForm>(nullptr, &Db.Connection));
    Dialog->PumpIntervalMs = 0;
    Dialog->RefreshList = [this] { ++Refreshes; };
    Dialog->Show();
  }

  bool Waiting() const {
    return Dialog->ClientHeight() == kCheckFormIdleHeight && Dialog->tbCheck->Enabled() && Dialog->tbReturn->Enabled() &&
           !Dialog->tbPause->Enabled() && !Dialog->tbResume->Enabled() && Dialog->Selected->Enabled() &&
           Dialog->AllRecord->Enabled() && Dialog->Range->Enabled();
  }
  bool RunningNotPaused() const {
    return Dialog->ClientHeight() == kCheckFormRunningHeight && !Dialog->tbCheck->Enabled() &&
           Dialog->tbReturn->Enabled() && Dialog->tbPause->Enabled() && !Dialog->tbResume->Enabled() &&
           !Dialog->Selected->Enabled() && !Dialog->AllRecord->Enabled() && !Dialog->Range->Enabled();
  }
  int Marked() { return Db.Count(QStringLiteral("select count(*) from dt_data where RecordState <> 0")); }
  QStringList MessageTexts() const { return Hooks.MessageTexts(); }

  fwtest::ScopedUserFolders Folders;
  fwtest::ScriptedHooks Hooks;
  struct : fwtest::CheckDatabase {
    int Count(const QString& sql) {
      TADOQuery query(&Connection);
      query.SetSQL(sql);
      query.Open();
      return query.Fields(0)->AsInteger();
    }
  } Db;
  std::unique_ptr<TdlgCheckForm> Dialog;
  int Refreshes = 0;
};

TEST_F(CheckFormTest, WaitsWithTheSelectedScopeAndTheHiddenMarkingSwitch) {
  EXPECT_EQ(Dialog->Caption(), QStringLiteral("选择检查的方式"));
  // The scope and the progress stand in the desktop's group boxes.
  EXPECT_EQ(Dialog->GroupBox1->Widget()->title(), QStringLiteral("检查的内容"));
  EXPECT_EQ(Dialog->GroupBox2->Widget()->title(), QStringLiteral("检查进度"));
  EXPECT_EQ(Dialog->ClientWidth(), 484);
  EXPECT_TRUE(Waiting());
  EXPECT_TRUE(Dialog->Selected->Checked());
  EXPECT_TRUE(Dialog->ChangeState->Checked());
  EXPECT_FALSE(Dialog->ChangeState->Visible());
  EXPECT_FALSE(Dialog->Label1->Visible());
  EXPECT_FALSE(Dialog->Timer1->Enabled());
}

TEST_F(CheckFormTest, AllRecordsAreCheckedMarkedAndTheListRefreshed) {
  Dialog->AllRecord->SetChecked(true);
  Dialog->tbCheckClick();
  EXPECT_EQ(Db.State(110000000001), 1);
  EXPECT_EQ(Db.State(110000000003), 2);
  EXPECT_EQ(Marked(), 30);
  EXPECT_EQ(Refreshes, 1);
  EXPECT_EQ(Hooks.Opened, QStringList{LogicReportPath(DatabaseLabel)});
  EXPECT_EQ(fwtest::ReadLogicReport(Hooks.Opened.value(0)).Codes.size(), 10);
  EXPECT_TRUE(Waiting());
  EXPECT_EQ(Dialog->FwProgressBar1->PartsComplete(), 30u);
}

TEST_F(CheckFormTest, SelectedScopeChecksTheMainWindowsStatement) {
  Dialog->SelectedStatement = [] { return QStringLiteral("select * from dt_data where c901 in (110000000002,110000000003)"); };
  Dialog->tbCheckClick();
  EXPECT_EQ(Marked(), 2);
  EXPECT_EQ(Db.State(110000000002), 1);
  EXPECT_EQ(Db.State(110000000003), 2);

  // Without a record in the main window's list nothing is checked.
  Dialog->SelectedStatement = [] { return QString(); };
  Hooks.Opened.clear();
  Dialog->tbCheckClick();
  EXPECT_TRUE(Hooks.Opened.isEmpty());
  EXPECT_TRUE(Waiting());
}

TEST_F(CheckFormTest, RangeEmptyOrBelowOneIsAskedForAgain) {
  Dialog->Range->SetChecked(true);
  for (const auto& [from, to] : std::vector<std::pair<QString, QString>>{
           {"", ""}, {"110000000001", ""}, {"0", "110000000009"}, {"0.5", "110000000009"}, {"-3", "110000000009"}}) {
    Hooks.Messages.clear();
    Dialog->c901_1->SetText(from);
    Dialog->c901_2->SetText(to);
    Dialog->tbCheckClick();
    EXPECT_EQ(MessageTexts(), QStringList{kCheckRangeMissing}) << from.toStdString() << " " << to.toStdString();
    EXPECT_EQ(Marked(), 0);
    EXPECT_TRUE(Waiting());
  }
  EXPECT_EQ(Dialog->c901_1->Text(), QStringLiteral("-3"));
}

TEST_F(CheckFormTest, RangeChecksItsCodesAndAFirstCodeAboveTheSecondAlone) {
  Dialog->Range->SetChecked(true);
  Dialog->c901_1->SetText(QStringLiteral("110000000004"));
  Dialog->c901_2->SetText(QStringLiteral("110000000006"));
  Dialog->tbCheckClick();
  EXPECT_EQ(Marked(), 3);

  Db.Connection.Execute(QStringLiteral("update dt_data set RecordState = 0"));
  Dialog->c901_1->SetText(QStringLiteral("110000000009"));
  Dialog->c901_2->SetText(QStringLiteral("110000000002"));
  Dialog->tbCheckClick();
  EXPECT_EQ(Marked(), 1);
  EXPECT_EQ(Db.State(110000000009), 2);
  EXPECT_EQ(Dialog->c901_2->Text(), QStringLiteral("110000000009"));
}

// The program keeps the dialog made at start: shown again after a run it waits as a new
// one, on 选中的数据 with empty range edits, no progress and no counts of that run.
TEST_F(CheckFormTest, ShownAgainItWaitsAsANewDialog) {
  Dialog->Range->SetChecked(true);
  Dialog->c901_1->SetText(QStringLiteral("110000000004"));
  Dialog->c901_2->SetText(QStringLiteral("110000000009"));
  Dialog->tbCheckClick();
  EXPECT_EQ(Marked(), 6);
  EXPECT_EQ(Dialog->FwProgressBar1->PartsComplete(), 6u);
  EXPECT_TRUE(Dialog->Label2->Visible());
  Dialog->tbReturnClick();
  ASSERT_FALSE(Dialog->isVisible());

  Dialog->Show();
  EXPECT_TRUE(Waiting());
  EXPECT_TRUE(Dialog->Selected->Checked());
  EXPECT_FALSE(Dialog->Range->Checked());
  EXPECT_EQ(Dialog->c901_1->Text(), QString());
  EXPECT_EQ(Dialog->c901_2->Text(), QString());
  EXPECT_EQ(Dialog->FwProgressBar1->PartsComplete(), 0u);
  for (TLabel* label : {Dialog->Label1, Dialog->Label2, Dialog->Label3}) EXPECT_FALSE(label->Visible());
  EXPECT_FALSE(Dialog->Paused());
  EXPECT_FALSE(Dialog->Cancelled());
  EXPECT_EQ(Dialog->Ticks(), 0);

  // And it checks again.
  Dialog->AllRecord->SetChecked(true);
  Dialog->tbCheckClick();
  EXPECT_EQ(Marked(), 30);
}

// An error out of the scope (here the main window's statement of its marked records)
// reaches the error display; the dialog waits again and can be closed and used again.
TEST_F(CheckFormTest, AnErrorOutOfTheScopeLeavesTheDialogWaiting) {
  Dialog->SelectedStatement = []() -> QString { throw EDatabaseError(QStringLiteral("数据库已被锁定")); };
  EXPECT_THROW(Dialog->tbCheckClick(), EDatabaseError);
  EXPECT_FALSE(Dialog->Running());
  EXPECT_TRUE(Waiting());
  Dialog->AllRecord->SetChecked(true);
  Dialog->tbCheckClick();
  EXPECT_EQ(Marked(), 30);
  Dialog->tbReturnClick();
  EXPECT_FALSE(Dialog->isVisible());
}

TEST_F(CheckFormTest, PauseHoldsTheRunUntilResumed) {
  TApplication application;  // the dialog waits through the application object, as in the program
  Dialog->AllRecord->SetChecked(true);
  unsigned atPause = 0, atResume = 0;
  bool runningSeen = false, pausedSeen = false;
  // At the fifth pump: pause; a little later (the check waits for that message): resume.
  AtPump pause(5, [&] {
    runningSeen = RunningNotPaused() && Dialog->Label2->Visible() && !Dialog->Label1->Visible() && Dialog->Timer1->Enabled();
    Dialog->tbPause->Click();
    atPause = Dialog->FwProgressBar1->PartsComplete();
    pausedSeen = Dialog->Paused() && !Dialog->tbPause->Enabled() && Dialog->tbResume->Enabled() &&
                 !Dialog->Timer1->Enabled() && Dialog->tbReturn->Enabled();
    QTimer::singleShot(30, [&] {
      atResume = Dialog->FwProgressBar1->PartsComplete();
      Dialog->tbResume->Click();
    });
  });
  Dialog->tbCheckClick();
  EXPECT_TRUE(runningSeen);
  EXPECT_TRUE(pausedSeen);
  EXPECT_GT(atPause, 0u);
  EXPECT_EQ(atResume, atPause);  // nothing advanced while paused
  EXPECT_EQ(Marked(), 30);
  EXPECT_TRUE(Waiting());
}

// 返回, the close box and Esc during a run: the check stops, keeping the report and the
// marks so far, and the window closes once the check has returned.
TEST_F(CheckFormTest, ReturnCloseBoxAndEscStopTheRunBeforeTheWindowGoes) {
  const std::vector<std::function<void()>> ways = {
      [&] { Dialog->tbReturn->Click(); },
      [&] { Dialog->close(); },
      [&] { QTest::keyClick(Dialog.get(), Qt::Key_Escape); },
      [&] {  // while paused
        Dialog->tbPause->Click();
        QTimer::singleShot(10, [&] { Dialog->tbReturn->Click(); });
      }};
  for (size_t way = 0; way < ways.size(); ++way) {
    Db.Connection.Execute(QStringLiteral("update dt_data set RecordState = 0"));
    Hooks.Messages.clear();
    Hooks.Opened.clear();
    bool stillRunningAfter = false;
    int result = mrNone;
    Dialog->Hide();  // shown again as a modal window
    {
      ScopedModalScript modal([&](TForm&) {
        Dialog->AllRecord->SetChecked(true);
        AtPump stop(4, [&] {
          ways[way]();
          stillRunningAfter = Dialog->Running() && Dialog->isVisible();
        });
        Dialog->tbCheckClick();
        return int(mrNone);
      });
      result = Dialog->ShowModal();
    }
    EXPECT_TRUE(stillRunningAfter) << way;  // the window waits for the check to return
    EXPECT_EQ(result, int(mrCancel)) << way;
    EXPECT_FALSE(Dialog->Running());
    const int marked = Marked();
    EXPECT_GT(marked, 0) << way;
    EXPECT_LT(marked, 30) << way;
    EXPECT_TRUE(Hooks.Messages.empty()) << way;
    EXPECT_TRUE(Hooks.Opened.isEmpty()) << way;
    const fwtest::LogicReport report = fwtest::ReadLogicReport(LogicReportPath(DatabaseLabel));
    EXPECT_FALSE(report.Lines.join('\n').contains(QStringLiteral("共有"))) << way;
    EXPECT_EQ(Refreshes, int(way) + 1);  // the marks so far reach the list
  }
}

TEST_F(CheckFormTest, CountsFirstThenTheSecondsUsedAndLeft) {
  Dialog->StartCheckProgress(10, 0);
  EXPECT_EQ(Dialog->Label2->Caption(), QStringLiteral("已完成 0"));
  EXPECT_EQ(Dialog->Label3->Caption(), QStringLiteral("待完成 10"));
  EXPECT_TRUE(Dialog->Timer1->Enabled());
  for (int i = 0; i < 3; ++i) Dialog->StepCheckProgress();
  for (int i = 0; i < 50; ++i) Dialog->Timer1->Tick();
  EXPECT_EQ(Dialog->Label2->Caption(), QStringLiteral("已完成 3"));  // under five seconds
  EXPECT_EQ(Dialog->Estimate(), -1);
  for (int i = 0; i < 10; ++i) Dialog->Timer1->Tick();
  EXPECT_EQ(Dialog->Label2->Caption(), QStringLiteral("已完成 3 用时6秒"));
  EXPECT_EQ(Dialog->Label3->Caption(), QStringLiteral("待完成 7 尚需14秒"));
  EXPECT_EQ(Dialog->Estimate(), 140);
  for (int i = 0; i < 7; ++i) Dialog->StepCheckProgress();
  EXPECT_FALSE(Dialog->Timer1->Enabled());  // stopped when the bar is full
}

// A run shorter than one tick of the timer: while its report is named, the counts beside
// the full bar are the final ones, not those of the run's start.
TEST_F(CheckFormTest, TheFinalCountsStandWhenTheRunEnds) {
  Dialog->AllRecord->SetChecked(true);
  Hooks.OpenSucceeds = false;  // the kept-file notice is shown over the dialog
  QStringList shown;
  Hooks.WhileMessageOpen = [&](const QString&) {
    shown << Dialog->Label2->Caption() << Dialog->Label3->Caption();
    EXPECT_EQ(Dialog->FwProgressBar1->PartsComplete(), 30u);
  };
  Dialog->tbCheckClick();
  EXPECT_EQ(shown, (QStringList{QStringLiteral("已完成 30"), QStringLiteral("待完成 0")}));
}

// Growing for a run and shrinking after it, the dialog keeps its top-left corner, frame
// and client area alike (it used to move up by its frame every time).
TEST_F(CheckFormTest, KeepsItsPlaceWhenItGrowsAndShrinks) {
  Dialog->AllRecord->SetChecked(true);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(Dialog.get()));
  const QPoint frame = Dialog->frameGeometry().topLeft();
  const QPoint client = Dialog->geometry().topLeft();
  ASSERT_NE(frame, client) << "the platform draws no frame: the test would prove nothing";
  QPoint grownAt;
  for (int run = 0; run < 3; ++run) {
    AtPump grown(1, [&] { grownAt = Dialog->geometry().topLeft(); });
    Dialog->tbCheckClick();
    QCoreApplication::processEvents();
    EXPECT_EQ(grownAt, client) << run;
    EXPECT_EQ(Dialog->geometry().topLeft(), client) << run;
    EXPECT_EQ(Dialog->frameGeometry().topLeft(), frame) << run;
    EXPECT_EQ(Dialog->ClientHeight(), kCheckFormIdleHeight);
  }
}

// ---- The main window's two check actions -------------------------------------------

class MainWindowCheckTest : public fwtest::MainFormFixture {};

TEST_F(MainWindowCheckTest, CheckOfMarkedRecordsMarksThemAndTheListShowsIt) {
  AddRecords({110000000001, 110000000002, 110000000003, 110000000004, 110000000005});
  Connect()->Execute(QStringLiteral("update dt_data set c907 = 3 where c901 = 110000000003"));
  TMainForm* form = Start();
  form->ActionList1->UpdateActions();
  ASSERT_TRUE(form->actCheckSelected->Enabled());
  // Marked where the list stands (a move from elsewhere to an unmarked row drops marks).
  form->Data().ReportQuery->SetRecNo(2);
  TBookmarkList& marks = form->RecordGrid->SelectedRows();
  for (int row : {0, 2, 4}) marks.SetRowSelected(row, true);
  form->actCheckSelected->Execute();
  // Records without values break z001+z008>0: the two in scope are marked 2.
  EXPECT_EQ(Count(QStringLiteral("select count(*) from dt_data where RecordState = 2")), 2);
  EXPECT_EQ(Count(QStringLiteral("select RecordState from dt_data where c901 = 110000000003")), 1);
  EXPECT_EQ(Count(QStringLiteral("select RecordState from dt_data where c901 = 110000000005")), 2);
  EXPECT_EQ(hooks.Opened.size(), 1);
  // The list reads the new states and stays on its record.
  EXPECT_EQ(form->Data().ReportQuery->RecNo(), 2);
  form->Data().ReportQuery->SetRecNo(1);
  EXPECT_EQ(form->Data().ReportQuery->FieldByName(QStringLiteral("RecordState"))->AsInteger(), 2);
}

TEST_F(MainWindowCheckTest, CheckActionShowsTheDialogOverTheMainWindowsDatabase) {
  AddRecords({110000000001, 110000000002});
  TMainForm* form = Start();
  form->ActionList1->UpdateActions();
  ASSERT_TRUE(form->actCheck->Enabled());
  QString caption;
  {
    ScopedModalScript modal([&](TForm& shown) {
      auto* dialog = dynamic_cast<TdlgCheckForm*>(&shown);
      if (!dialog) return int(mrCancel);
      caption = dialog->Caption();
      dialog->AllRecord->SetChecked(true);
      dialog->tbCheckClick();
      return int(mrCancel);
    });
    form->actCheck->Execute();
  }
  EXPECT_EQ(caption, QStringLiteral("选择检查的方式"));
  EXPECT_EQ(Count(QStringLiteral("select count(*) from dt_data where RecordState = 2")), 2);
  form->Data().ReportQuery->First();
  EXPECT_EQ(form->Data().ReportQuery->FieldByName(QStringLiteral("RecordState"))->AsInteger(), 2);
}

// ---- Pictures (fw_check_*.png in the FW_SHOTS folder) ----------------------------------------------------------------------

QImage Save(QWidget& widget, const char* name) {
  const QImage image = widget.grab().toImage();
  fwtest::SaveShot(image, QString::fromUtf8(name));
  return image;
}

TEST_F(CheckFormTest, PicturesWaitingRunningAndPaused) {
  Save(*Dialog, "fw_check_waiting.png");
  Dialog->Range->SetChecked(true);
  Dialog->c901_1->SetText(QStringLiteral("110000000001"));
  Dialog->c901_2->SetText(QStringLiteral("110000000030"));
  QImage preparing, running, paused;
  AtPump first(1, [&] { preparing = Save(*Dialog, "fw_check_preparing.png"); });  // the records are being read
  AtPump pictures(13, [&] {
    for (int i = 0; i < 64; ++i) Dialog->Timer1->Tick();
    running = Save(*Dialog, "fw_check_running.png");
    Dialog->tbPause->Click();
    paused = Save(*Dialog, "fw_check_paused.png");
    QTimer::singleShot(0, [&] { Dialog->tbResume->Click(); });
  });
  Dialog->tbCheckClick();
  ASSERT_FALSE(running.isNull());
  ASSERT_FALSE(preparing.isNull());
  EXPECT_EQ(running.height(), kCheckFormRunningHeight);
  EXPECT_NE(running, paused);  // the buttons changed
}

} // namespace

// The bar is at the bottom, under the progress while a run goes; its buttons have greyed
// pictures for the states that disable them.
TEST_F(CheckFormTest, ButtonsWithPicturesOnABarAtTheBottom) {
  fwtest::ExpectBars(*Dialog, {{"FwToolbar1", TAlign::alBottom, TFwToolbarTextOptions::ttoCustom, true, TFrameStyleEx::fsNone, 3, 1, 0}});
  fwtest::ExpectButtons(*Dialog, {{"tbCheck", 75, blkHot | blkDisabled, false, false, true}, {"tbPause", 75, blkHot | blkDisabled, false, false, false},
                                  {"tbResume", 75, blkHot | blkDisabled, false, false, false}, {"tbReturn", 75, blkHot | blkDisabled, false, false, true}});
  const auto atBottom = [this] { return Dialog->FwToolbar1->Top() + Dialog->FwToolbar1->Height() == Dialog->ClientHeight(); };
  bool belowProgress = false, bottomWhileRunning = false;
  AtPump running(2, [&] {
    belowProgress = Dialog->GroupBox2->Visible() &&
                    Dialog->FwToolbar1->Top() >= Dialog->GroupBox2->Top() + Dialog->GroupBox2->Height();
    bottomWhileRunning = atBottom();
  });
  Dialog->AllRecord->SetChecked(true);
  Dialog->tbCheckClick();
  EXPECT_TRUE(belowProgress);
  EXPECT_TRUE(bottomWhileRunning);
  EXPECT_FALSE(Dialog->GroupBox2->Visible());
  EXPECT_TRUE(atBottom());
}
