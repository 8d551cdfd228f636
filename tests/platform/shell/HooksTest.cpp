#include "platform/shell/Hooks.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(Hooks, ScriptedHooksAnswerAndRestore) {
  {
    fwtest::ScriptedHooks hooks;
    hooks.MessageAnswers.push_back(fw::IDNO);
    EXPECT_EQ(fw::ShowMessage("问", "标题", fw::MB_YESNO), fw::IDNO);
    // An empty queue answers a yes/no box with yes, a plain box with OK.
    EXPECT_EQ(fw::ShowMessage("问", "标题", fw::MB_YESNO | fw::MB_ICONQUESTION), fw::IDYES);
    EXPECT_EQ(fw::ShowMessage("好"), fw::IDOK);
    ASSERT_EQ(hooks.Messages.size(), 3u);
    EXPECT_EQ(hooks.Messages[0].Caption, "标题");
    EXPECT_TRUE(fw::OpenWithDefaultProgram("/tmp/x.txt"));
    EXPECT_EQ(hooks.Opened, QStringList{"/tmp/x.txt"});
  }
  // The defaults are back: nothing is opened.
  EXPECT_FALSE(fw::OpenWithDefaultProgram("/tmp/x.txt"));
}

TEST(Hooks, EmptyHookKeepsHarmlessDefault) {
  fw::Hooks previous = fw::InstallHooks(fw::Hooks{});
  EXPECT_EQ(fw::ShowMessage("x"), fw::IDOK);
  EXPECT_TRUE(fw::Now().isValid());
  fw::InstallHooks(std::move(previous));
}

} // namespace
