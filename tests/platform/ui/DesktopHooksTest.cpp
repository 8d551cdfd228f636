#include "platform/shell/Hooks.h"
#include "platform/ui/DesktopHooks.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Fonts.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace fw;

TEST(DesktopHooks, FileFilterBecomesQtNameFilters) {
  const std::vector<std::pair<QString, QStringList>> cases = {
      {"Excel 文件(*.xlsx)|*.xlsx", {"Excel 文件 (*.xlsx)"}},
      {"数据文件|*.dat|所有文件|*.*", {"数据文件 (*.dat)", "所有文件 (*)"}},
      {"数据库 (*.mdb;*.dat)|*.mdb;*.dat", {"数据库 (*.mdb *.dat)"}},
      {"|*.qz", {"*.qz (*.qz)"}},
      {"无扩展名|", {}},
      {"单独的描述", {}},
      {"", {}},
  };
  for (const auto& [filter, expected] : cases) EXPECT_EQ(ConvertFileFilter(filter), expected) << filter.toStdString();
}

TEST(DesktopHooks, QuestionBitsAnswer) {
  EXPECT_EQ(QuestionAnswerForBit(1), IDYES);
  EXPECT_EQ(QuestionAnswerForBit(2), IDNO);
  EXPECT_EQ(QuestionAnswerForBit(4), IDYESTOALL);
  EXPECT_EQ(QuestionAnswerForBit(8), IDNOTOALL);
}

TEST(DesktopHooks, OpeningIsSwitchedOffInTests) {
  Hooks previous = CurrentHooks();
  const QByteArray old = qgetenv("FENWRIGHT_NO_OPEN");
  qputenv("FENWRIGHT_NO_OPEN", "1");
  InstallDesktopHooks();
  EXPECT_TRUE(OpenWithDefaultProgram("/nonexistent/report.txt"));
  InstallHooks(previous);
  if (old.isNull()) qunsetenv("FENWRIGHT_NO_OPEN");
}

TEST(Dialogs, InputQueryKeepsTheValueWhenCancelled) {
  fwtest::ScriptedHooks hooks;
  hooks.InputAnswers = {QString(), QStringLiteral("新名称")};
  QString value = "旧";
  EXPECT_FALSE(InputQuery("标题", "提示", value));
  EXPECT_EQ(value, "旧");
  EXPECT_TRUE(InputQuery("标题", "提示", value));
  EXPECT_EQ(value, "新名称");
}

TEST(Fonts, WindowsNamesResolveToInstalledFonts) {
  InstallFontSubstitutions();
  for (const char* name : {"宋体", "Tahoma", "MS Sans Serif", "Arial", "黑体"})
    EXPECT_TRUE(SubstitutedFamily(QString::fromUtf8(name)).startsWith("Noto Sans CJK")) << name;
}

} // namespace
