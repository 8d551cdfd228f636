// Runs the tests of one folder inside the program's QApplication (with its exception
// guard) on the offscreen platform, so that widget tests and plain tests share one entry.
#include "platform/ui/GuardedApplication.h"
#include "platform/ui/Translations.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

// Every test starts with no mouse button held and the pointer where the process started
// with it. The platform delivers no move to the place where the pointer already is, so a
// test that hovers over the spot where the test before it left the pointer would
// otherwise see no move at all, depending on which test ran before it.
class TPointerAtStart : public ::testing::EmptyTestEventListener {
public:
  TPointerAtStart() : start_(QCursor::pos()) {}
  void OnTestStart(const ::testing::TestInfo&) override {
    ReleaseButtons();
    if (QCursor::pos() == start_) return;
    QCursor::setPos(start_);
    QCoreApplication::processEvents();
  }

private:
  // A window that closes on a press (the splash) never gets the release that QTest sends
  // it, and the application would go on believing the button held, which turns every
  // later pointer move into a drag without hover.
  static void ReleaseButtons() {
    const Qt::MouseButtons held = QGuiApplication::mouseButtons();
    if (held == Qt::NoButton) return;
    QWindow window;
    window.setGeometry(0, 0, 10, 10);
    window.show();
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
      if (held & button) QTest::mouseRelease(&window, button, {}, QPoint(5, 5));
    QCoreApplication::processEvents();
  }

  QPoint start_;
};

// What the window system reported during a test (a window shown, activated or gone) is
// taken in before the next test starts. Left queued, it would reach the next test at
// its first event processing: a window activated by one test and destroyed at its end
// turns into a deactivation of the whole application there, which closes the popup
// menu the next test has just opened.
class TEventsTakenIn : public ::testing::EmptyTestEventListener {
public:
  void OnTestEnd(const ::testing::TestInfo&) override { QCoreApplication::processEvents(); }
};

} // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Tests never open files with the desktop's default program.
  qputenv("FENWRIGHT_NO_OPEN", "1");
  // Start-up goes straight to the main window; the splash's own tests switch it back on.
  qputenv("FENWRIGHT_NO_SPLASH", "1");
  // The tests run in the program's locale, zh_CN, whatever the machine's.
  fw::PrepareProgramLocale();
  fw::TGuardedApplication app(argc, argv);
  fw::InstallProgramLocale();
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new TPointerAtStart);
  ::testing::UnitTest::GetInstance()->listeners().Append(new TEventsTakenIn);
  return RUN_ALL_TESTS();
}
