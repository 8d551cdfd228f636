// Status panes: the clock's format letters, repainting only on a new text, the shared
// polling timer, blinking and the pane frame.
#include "../common/ButtonTestHost.h"
#include "controls/common/FwStatusBar.h"
#include "controls/navigation/FwClockStatus.h"
#include "controls/navigation/FwProgressBar.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/Timer.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <gtest/gtest.h>

using namespace fw;

TEST(FwClockStatus, TranslatesTheProgramsFormatLetters) {
  const QDateTime t(QDate(2014, 3, 7), QTime(9, 5, 4));
  struct Case {
    const char* format;
    const char* text;
  };
  for (const Case c : {Case{"yyyy年mm月dd日", "2014年03月07日"}, Case{"yyyy-m-d", "2014-3-7"},
                       Case{"hh:nn:ss", "09:05:04"}, Case{"h:mm", "9:05"}, Case{"yy/mm/dd", "14-03-07"},
                       Case{"\"mm\" dd", "mm 07"}}) {
    EXPECT_EQ(FormatDateTime(QString::fromUtf8(c.format), t), QString::fromUtf8(c.text)) << c.format;
  }
}

TEST(FwClockStatus, PollsOnTheSharedTimerAndRepaintsOnlyOnNewText) {
  fwtest::ScriptedHooks hooks;
  hooks.FixedNow = QDateTime(QDate(2014, 12, 31), QTime(23, 59, 0));
  TForm form(nullptr);
  auto* clock = new TFwClockStatus(&form);
  auto* other = new TFwPollingStatus(&form);
  clock->SetParent(&form);
  other->SetParent(&form);
  int captionChanges = 0, otherPolls = 0;
  other->OnTimerExpired = [&](TObject*) { ++otherPolls; };
  clock->SetFormat(QStringLiteral("yyyy年mm月dd日"));
  EXPECT_EQ(clock->Caption(), QStringLiteral("2014年12月31日"));
  clock->OnGetDateTime = [&](TObject*, QDateTime&) {};
  int expired = 0;
  clock->OnTimerExpired = [&](TObject*) { ++expired; };
  const QString before = clock->Caption();
  ASSERT_NE(FwPollingTimer(), nullptr);
  for (int i = 0; i < 10; ++i) FwPollingTimer()->Tick();
  EXPECT_EQ(clock->Caption(), before);
  EXPECT_EQ(expired, 10);
  EXPECT_EQ(otherPolls, 10);
  hooks.FixedNow = QDateTime(QDate(2015, 1, 1), QTime(0, 0, 1));
  clock->OnGetDateTime = [&](TObject*, QDateTime&) { ++captionChanges; };
  FwPollingTimer()->Tick();
  EXPECT_EQ(clock->Caption(), QStringLiteral("2015年01月01日"));

  // A hidden clock is not polled and keeps its text.
  clock->Hide();
  hooks.FixedNow = QDateTime(QDate(2015, 2, 1), QTime(0, 0, 1));
  FwPollingTimer()->Tick();
  EXPECT_EQ(clock->Caption(), QStringLiteral("2015年01月01日"));

  // Interval and Active act on every polling pane.
  other->SetInterval(250);
  EXPECT_EQ(clock->Interval(), 250);
}

TEST(FwPollingStatus, TheTimerGoesWithTheLastPaneEvenFromAPanesHandler) {
  {
    TFwPollingStatus a(nullptr);
    TFwPollingStatus b(nullptr);
    EXPECT_EQ(FwPollingPaneCount(), 2);
  }
  EXPECT_EQ(FwPollingPaneCount(), 0);
  EXPECT_EQ(FwPollingTimer(), nullptr);

  // The first pane's handler frees both panes, the last one with the list and its timer:
  // the tick polls nothing more and a pane made afterwards gets a list of its own.
  auto* first = new TFwPollingStatus(nullptr);
  auto* second = new TFwPollingStatus(nullptr);
  int polls = 0;
  first->OnTimerExpired = [&](TObject*) {
    ++polls;
    delete second;
    delete first;  // last: the handler goes with it
  };
  second->OnTimerExpired = [&](TObject*) { ++polls; };
  FwPollingTimer()->Tick();
  EXPECT_EQ(polls, 1);
  EXPECT_EQ(FwPollingTimer(), nullptr);
  TFwPollingStatus later(nullptr);
  EXPECT_EQ(FwPollingPaneCount(), 1);
  ASSERT_NE(FwPollingTimer(), nullptr);
  FwPollingTimer()->Tick();
}

// A clock freed by its own time handler on a tick: neither its format nor its
// OnTimerExpired is touched afterwards (memcheck sees any use of the freed pane).
TEST(FwClockStatus, AClockFreedByItsTimeHandlerIsNotTouched) {
  auto* clock = new TFwClockStatus(nullptr);
  int expired = 0;
  clock->OnTimerExpired = [&](TObject*) { ++expired; };
  clock->OnGetDateTime = [&clock](TObject*, QDateTime&) { delete clock; };
  FwPollingTimer()->Tick();
  EXPECT_EQ(expired, 0);
  EXPECT_EQ(FwPollingPaneCount(), 0);
}

TEST(FwStatusPane, BlinkingOffRestoresTheFontColourAtOnce) {
  TFwStatusPane pane(nullptr);
  pane.Font().SetColor(clNavy);
  pane.SetBlinkColor(clRed);
  pane.SetBlinking(true);
  pane.BlinkPhaseChanged(true);
  EXPECT_EQ(pane.CaptionColor(), clRed);
  pane.SetBlinking(false);
  EXPECT_EQ(pane.CaptionColor(), clNavy);
}

TEST(FwStatusPane, FlatFrameLeavesTheCornersOut) {
  TForm form(nullptr);
  form.SetColor(clWhite);
  auto* pane = new TFwStatusPane(&form);
  pane->SetParent(&form);
  pane->SetBounds(0, 0, 60, 20);
  pane->SetTransparent(false);
  pane->SetColor(clWhite);
  pane->SetFlatColor(clBlue);
  pane->SetFlatColorAdjustment(0);
  const QImage image = pane->grab().toImage();
  // BorderWidth 1: the frame runs at 1 and width-2, without its corner pixels.
  EXPECT_EQ(image.pixel(1, 10), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(58, 10), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(30, 1), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(30, 18), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(0, 10), qRgb(255, 255, 255));
}

namespace {
struct CountingClock : TFwClockStatus {
  using TFwClockStatus::TFwClockStatus;
  int textChanges = 0;
  void TextChanged() override {
    ++textChanges;
    TFwClockStatus::TextChanged();
  }
};
} // namespace

TEST(FwClockStatus, ADateClockChangesItsTextOnceADay) {
  fwtest::ScriptedHooks hooks;
  hooks.FixedNow = QDateTime(QDate(2014, 6, 1), QTime(23, 59, 58));
  CountingClock clock(nullptr);
  clock.SetFormat(QStringLiteral("yyyy年mm月dd日"));
  const int afterFormat = clock.textChanges;
  for (int i = 0; i < 4; ++i) {
    hooks.FixedNow = hooks.FixedNow.addMSecs(500);
    FwPollingTimer()->Tick();
  }
  EXPECT_EQ(clock.textChanges, afterFormat + 1);  // only midnight changed the text
  EXPECT_EQ(clock.Caption(), QStringLiteral("2014年06月02日"));
}

namespace {

using fwtest::SendMouse;

// The main window's status bar: the version pane and the clock at the grip end.
struct StatusWindow {
  TForm form{nullptr};
  TFwStatusBar* bar = new TFwStatusBar(&form);
  TFwStatusPane* version = new TFwStatusPane(&form);
  TFwClockStatus* clock = new TFwClockStatus(&form);
  TFwProgressBar* progress = nullptr;
  StatusWindow() {
    form.SetBounds(0, 0, 400, 300);
    bar->SetParent(&form);
    clock->SetParent(bar);
    clock->SetAlign(TAlign::alRight);
    clock->SetWidth(104);
    version->SetParent(bar);
    version->SetAlign(TAlign::alClient);
    form.Show();
  }
};

} // namespace

TEST(FwStatusBar, TheGripSizesTheWindowThroughTheClockPane) {
  StatusWindow w;
  ASSERT_TRUE(w.bar->SizeGripVisible());
  const QPoint corner(w.clock->Width() - 3, w.clock->Height() / 2);
  ASSERT_TRUE(w.bar->GripUnder(*w.clock, Point(corner.x(), corner.y())));
  SendMouse(w.clock, QEvent::MouseMove, corner);
  EXPECT_EQ(w.clock->cursor().shape(), Qt::SizeFDiagCursor);

  SendMouse(w.clock, QEvent::MouseButtonPress, corner);
  SendMouse(w.clock, QEvent::MouseMove, corner + QPoint(30, 20));
  SendMouse(w.clock, QEvent::MouseButtonRelease, corner + QPoint(30, 20));
  EXPECT_EQ(w.form.Width(), 430);
  EXPECT_EQ(w.form.Height(), 320);

  // Left of the grip the pane is a pane: no sizing cursor, a press sizes nothing.
  const QPoint inside(20, 5);
  SendMouse(w.clock, QEvent::MouseMove, inside);
  EXPECT_NE(w.clock->cursor().shape(), Qt::SizeFDiagCursor);
  SendMouse(w.clock, QEvent::MouseButtonPress, inside);
  SendMouse(w.clock, QEvent::MouseMove, inside + QPoint(30, 20));
  SendMouse(w.clock, QEvent::MouseButtonRelease, inside + QPoint(30, 20));
  EXPECT_EQ(w.form.Width(), 430);
}

TEST(FwStatusBar, AProgressBarAtTheEndPassesTheGripThroughButAFixedWindowHasNone) {
  StatusWindow w;
  w.clock->SetVisible(false);
  w.progress = new TFwProgressBar(&w.form);
  w.progress->SetParent(w.bar);
  w.progress->SetAlign(TAlign::alRight);
  const QPoint corner(w.progress->Width() - 2, 5);
  SendMouse(w.progress, QEvent::MouseButtonPress, corner);
  SendMouse(w.progress, QEvent::MouseMove, corner + QPoint(-50, 10));
  SendMouse(w.progress, QEvent::MouseButtonRelease, corner + QPoint(-50, 10));
  EXPECT_EQ(w.form.Width(), 350);

  w.form.SetBorderStyle(TFormBorderStyle::bsDialog);
  EXPECT_FALSE(w.bar->SizeGripVisible());
  SendMouse(w.progress, QEvent::MouseButtonPress, corner);
  SendMouse(w.progress, QEvent::MouseMove, corner + QPoint(40, 10));
  SendMouse(w.progress, QEvent::MouseButtonRelease, corner + QPoint(40, 10));
  EXPECT_EQ(w.form.Width(), 350);
}

TEST(FwStatusPane, AutoHintShowsTheApplicationsHintsUnlessTheProgramTakesThem) {
  TApplication app;
  StatusWindow w;
  app.SetMainForm(&w.form);
  w.version->SetAutoHint(true);
  app.SetHint(QStringLiteral("保存并关闭"));
  EXPECT_EQ(w.version->Caption(), QStringLiteral("保存并关闭"));

  // A program that handles hints itself keeps them from the pane.
  QStringList heard;
  app.OnHint = [&](TObject*) { heard << app.Hint(); };
  app.SetHint(QStringLiteral("退出"));
  EXPECT_EQ(w.version->Caption(), QStringLiteral("保存并关闭"));
  EXPECT_EQ(heard, QStringList{QStringLiteral("退出")});

  app.OnHint = nullptr;
  w.version->SetAutoHint(false);
  app.SetHint(QStringLiteral("打开"));
  EXPECT_EQ(w.version->Caption(), QStringLiteral("保存并关闭"));
}
