// The general error display: an exception that leaves an event handler (a key, a click,
// a menu item, a timer, a queued call, a creation handler, a paint) is shown through the
// message hook and the program goes on; the control that failed keeps working.
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/CustomControl.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/GuardedApplication.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/Timer.h"
#include "support/TestSupport.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>

namespace {

using namespace fw;

class GuardedApplicationTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(dynamic_cast<TGuardedApplication*>(qApp), nullptr);
    app.SetTitle(QStringLiteral("年报"));
    form.SetBounds(0, 0, 300, 200);
  }

  QStringList Texts() const {
    QStringList texts;
    for (const auto& m : hooks.Messages) texts << m.Text;
    return texts;
  }

  fwtest::ScriptedHooks hooks;
  TApplication app;
  TForm form{nullptr};
};

TEST_F(GuardedApplicationTest, AKeyHandlerThatThrowsIsShownAndTheControlGoesOn) {
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  int keys = 0;
  edit->OnKeyDown = [&](TObject*, WORD&, TShiftState) {
    ++keys;
    throw std::runtime_error("工作表序号13超出范围");
  };
  form.Show();
  QTest::keyClick(edit->Widget(), Qt::Key_A);
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Text, "工作表序号13超出范围");
  EXPECT_EQ(hooks.Messages[0].Caption, "年报");
  EXPECT_EQ(hooks.Messages[0].Flags, MB_OK | MB_ICONERROR);
  // The same key again reaches the handler again.
  QTest::keyClick(edit->Widget(), Qt::Key_A);
  EXPECT_EQ(keys, 2);
  EXPECT_EQ(hooks.Messages.size(), 2u);
  EXPECT_TRUE(form.isVisible());
}

// Clicks travel through the toolkit's own button and menu code before they reach the
// handler; both must still work after a handler failed.
TEST_F(GuardedApplicationTest, ButtonsAndMenuItemsStillWorkAfterTheirHandlerFailed) {
  auto* button = new TButton(&form);
  button->SetParent(&form);
  button->SetBounds(10, 10, 80, 25);
  int clicks = 0;
  button->OnClick = [&](TObject*) {
    if (++clicks == 1) throw std::runtime_error("按钮出错");
  };
  form.Show();
  QTest::mouseClick(button->Widget(), Qt::LeftButton);
  QTest::mouseClick(button->Widget(), Qt::LeftButton);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(Texts(), QStringList{"按钮出错"});
  EXPECT_FALSE(button->Widget()->isDown());

  auto* menu = new TPopupMenu(&form);
  auto* item = new TMenuItem(&form);
  item->SetCaption(QStringLiteral("打印"));
  menu->Items()->Add(item);
  int runs = 0;
  item->OnClick = [&](TObject*) {
    ++runs;
    throw std::runtime_error("菜单出错");
  };
  for (int i = 0; i < 2; ++i) {
    menu->Popup(20, 20);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu->Menu()));
    QTest::mouseClick(menu->Menu(), Qt::LeftButton, {}, menu->Menu()->actionGeometry(item->QtAction()).center());
    EXPECT_FALSE(menu->Menu()->isVisible());
  }
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(Texts(), (QStringList{"按钮出错", "菜单出错", "菜单出错"}));
}

// A timer that fails keeps running after its box; an error raised again while its box is
// open is not shown twice, a different one is.
TEST_F(GuardedApplicationTest, FailingTimersGoOnAndAnErrorOnScreenIsNotRepeated) {
  auto* timer = new TTimer(&form);
  timer->SetInterval(5);
  int ticks = 0;
  timer->OnTimer = [&](TObject*) {
    ++ticks;
    throw std::runtime_error("计时出错");
  };
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 2000));
  timer->SetEnabled(false);
  EXPECT_EQ(Texts(), QStringList(ticks, "计时出错"));

  hooks.Messages.clear();
  auto raise = [&](const char* text) {
    try {
      throw std::runtime_error(text);
    } catch (...) {
      app.HandleException(nullptr);
    }
  };
  hooks.WhileMessageOpen = [&](const QString& text) {
    if (text != "外层") return;
    raise("内层");
    raise("外层");
  };
  raise("外层");
  EXPECT_EQ(Texts(), (QStringList{"外层", "内层"}));
}

TEST_F(GuardedApplicationTest, OnExceptionReplacesTheBox) {
  std::vector<std::pair<TObject*, QString>> seen;
  app.OnException = [&](TObject* sender, const std::exception& e) { seen.emplace_back(sender, ExceptionMessage(e)); };
  QMetaObject::invokeMethod(
      qApp, [] { throw std::invalid_argument("排队调用出错"); }, Qt::QueuedConnection);
  QMetaObject::invokeMethod(qApp, [] { throw 42; }, Qt::QueuedConnection);
  QCoreApplication::processEvents();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].second, "排队调用出错");
  EXPECT_EQ(seen[1].second, "发生了未知的错误");
  EXPECT_TRUE(hooks.Messages.empty());
}

TEST_F(GuardedApplicationTest, ACreationHandlerThatThrowsStillGivesTheForm) {
  auto* made = new TForm(&app);
  made->OnCreate = [](TObject*) { throw std::runtime_error("创建出错"); };
  made->AfterConstruction();
  EXPECT_EQ(Texts(), QStringList{"创建出错"});
  EXPECT_EQ(app.ComponentCount(), 1);
}

class FailingPaint : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  bool Fail = false;
  int Paints = 0;

protected:
  void Paint() override {
    if (!Fail) return;
    ++Paints;
    throw std::runtime_error("绘制出错");
  }
};

// No box opens inside a paint; the error is shown after it, and once only, since the
// control fails again at every repaint.
TEST_F(GuardedApplicationTest, APaintErrorIsShownAfterThePaintAndOnce) {
  auto* control = new FailingPaint(&form);
  control->SetParent(&form);
  control->SetBounds(0, 0, 50, 50);
  form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  control->Fail = true;
  control->repaint();
  EXPECT_EQ(control->Paints, 1);
  EXPECT_TRUE(hooks.Messages.empty());
  QCoreApplication::processEvents();
  EXPECT_EQ(Texts(), QStringList{"绘制出错"});
  control->repaint();
  QCoreApplication::processEvents();
  EXPECT_EQ(control->Paints, 2);
  EXPECT_EQ(Texts(), QStringList{"绘制出错"});
}

TEST(GuardedApplicationWithoutApplication, TheBoxIsShownStraightAway) {
  fwtest::ScriptedHooks hooks;
  ASSERT_EQ(Application, nullptr);
  QMetaObject::invokeMethod(
      qApp, [] { throw std::runtime_error("没有应用对象"); }, Qt::QueuedConnection);
  QCoreApplication::processEvents();
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Text, "没有应用对象");
  EXPECT_EQ(hooks.Messages[0].Flags, MB_OK | MB_ICONERROR);
}

// Out of memory is the one failure the guard does not take: it leaves the message loop
// (and main) and ends the program.
TEST_F(GuardedApplicationTest, OutOfMemoryIsThrownOn) {
  QMetaObject::invokeMethod(qApp, [] { throw std::bad_alloc(); }, Qt::QueuedConnection);
  EXPECT_THROW(QCoreApplication::processEvents(), std::bad_alloc);
  EXPECT_TRUE(hooks.Messages.empty());
}

} // namespace
