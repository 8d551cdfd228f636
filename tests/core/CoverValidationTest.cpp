// The cover check: each test's message and focus, the order of the tests, the unit code
// counted through a bound query, and names with quotes taken as typed.
#include "core/CoverValidation.h"
#include "platform/db/AdoQuery.h"
#include "tests/core/WorkingDatabase.h"

#include <QMap>
#include <gtest/gtest.h>

namespace {

using namespace fw;

// The cover editors as the entry form would show them.
class FakeCover : public ICoverEditors {
public:
  FakeCover() {
    Texts = {{"c901", "420000000001"}, {"c902", "某市总工会"}, {"c903", "110101"}, {"c904", "2"},
             {"c905", "张三"},         {"c906", "010-12345678"}, {"c907", "1"}};
  }
  QString FieldText(const QString& name) const override { return Texts.value(name); }
  qint64 FieldIntValue(const QString& name) const override { return Texts.value(name).trimmed().toLongLong(); }
  void FocusField(const QString& name) override { Focused << name; }
  void CoverCodeTaken() override { ++CodeTaken; }

  QMap<QString, QString> Texts;
  QStringList Focused;
  int CodeTaken = 0;
};

const TMenuItemDataArray kLevels = {{1, "省级"}, {2, "地市级"}, {3, "县级"}};
const TMenuItemDataArray kStates = {{1, "正常填报"}, {2, "新建"}, {3, "撤销"}};

class CoverValidationTest : public ::testing::Test {
protected:
  CoverValidationTest() : Query(&Db.Connection) {}

  // Runs the check; returns the one message shown (empty when none) and fills focus.
  bool Check(FakeCover& cover, TCoverCheckState state = {true, 0}) {
    Hooks.Messages.clear();
    return ValidateCoverData(cover, Query, state, kLevels, kStates);
  }
  QString OnlyMessage() const { return Hooks.Messages.size() == 1 ? Hooks.Messages[0].Text : QStringLiteral("<count %1>").arg(Hooks.Messages.size()); }

  fwtest::ScriptedHooks Hooks;
  fwtest::WorkingDatabase Db;
  TADOQuery Query;
};

TEST_F(CoverValidationTest, CompleteCoverPassesSilently) {
  FakeCover cover;
  EXPECT_TRUE(Check(cover));
  EXPECT_TRUE(Hooks.Messages.empty());
  EXPECT_TRUE(cover.Focused.isEmpty());
  cover.Texts["c903"] = "110000"; // a province row is a known region too
  EXPECT_TRUE(Check(cover));
}

TEST_F(CoverValidationTest, EachRuleGivesItsMessageAndFocus) {
  struct Case { const char* field; const char* text; const char* message; };
  const Case cases[] = {
      {"c901", "", "必须输入工会统计编码"},
      {"c901", "   ", "必须输入工会统计编码"},
      {"c901", "0", "本级工会编码必须大于100000000000且必须为12位!"},
      {"c901", "12345678901", "本级工会编码必须大于100000000000且必须为12位!"},
      {"c901", "099999999999", "本级工会编码必须大于100000000000且必须为12位!"},  // 12 characters, too small
      {"c901", "1000000000000", "本级工会编码必须大于100000000000且必须为12位!"}, // 13 digits
      {"c901", "12345678901a", "本级工会编码必须大于100000000000且必须为12位!"},  // no conversion error
      {"c901", "-12345678901", "本级工会编码必须大于100000000000且必须为12位!"},
      {"c902", "  ", "必须输入本级工会名称"},
      {"c903", "99999", "输入的行政区划代码错误，请重新输入，或用对话框选择"},
      {"c903", "999999", "输入的行政区划代码错误，请重新输入，或用对话框选择"},
      {"c903", "99999999999", "输入的行政区划代码错误，请重新输入，或用对话框选择"},
      {"c904", "9", "输入的本级工会层次代码不合法，请重新输入或通过列表选择"},
      {"c904", "4294967298", "输入的本级工会层次代码不合法，请重新输入或通过列表选择"}, // would wrap to 2
      {"c907", "0", "输入的基层以上工会本年度的填报状态代码不合法，请重新输入或通过列表选择"},
      {"c905", " \t ", "必须输入填表人"},
      {"c905", "张3", "填表人必须为汉字"},
      {"c905", "Li", "填表人必须为汉字"},
      {"c906", "   ", "必须输入联系电话"},
      {"c906", "1234567890", "联系电话必须是真实有效的7位、8位(可加区号)或11位!"},
  };
  for (const Case& c : cases) {
    FakeCover cover;
    cover.Texts[c.field] = QString::fromUtf8(c.text);
    const bool ok = Check(cover);
    const QString expected = QString::fromUtf8(c.message);
    EXPECT_FALSE(ok) << c.field << " " << c.text;
    EXPECT_EQ(OnlyMessage(), expected) << c.field << " " << c.text;
    EXPECT_EQ(cover.Focused, QStringList{QString::fromLatin1(c.field)}) << c.field << " " << c.text;
    EXPECT_EQ(cover.CodeTaken, 0);
  }
}

TEST_F(CoverValidationTest, FirstFailingTestInOrderWins) {
  FakeCover cover;
  cover.Texts["c902"] = "";
  cover.Texts["c905"] = "";
  cover.Texts["c906"] = "";
  EXPECT_FALSE(Check(cover));
  EXPECT_EQ(OnlyMessage(), "必须输入本级工会名称");

  cover.Texts["c902"] = "名称";
  cover.Texts["c904"] = "0";
  cover.Texts["c907"] = "0";
  cover.Focused.clear();
  EXPECT_FALSE(Check(cover));
  EXPECT_EQ(cover.Focused, QStringList{"c904"}); // level before state, state before the filler
}

TEST_F(CoverValidationTest, UnitCodeTakenByAnotherRecord) {
  Db.Add({{420000000001, "甲"}, {420000000002, "乙"}});
  struct Case { bool addNew; qint64 loaded; const char* code; bool ok; const char* message; };
  const Case cases[] = {
      {true, 0, "420000000001", false, "在增加数据时，填写的本级工会编码为420000000001，该编码的数据已经存在，请改用其它编码。"},
      {false, 420000000002, "420000000001", false, "在修改数据时，将本级工会编码改为420000000001，该编码的数据已经存在，请改用其它编码。"},
      {false, 420000000001, "420000000001", true, ""}, // the record keeps its own code
      {true, 0, "420000000003", true, ""},
  };
  for (const Case& c : cases) {
    FakeCover cover;
    cover.Texts["c901"] = QString::fromLatin1(c.code);
    EXPECT_EQ(Check(cover, {c.addNew, c.loaded}), c.ok) << c.code;
    if (c.ok) {
      EXPECT_TRUE(Hooks.Messages.empty());
      EXPECT_EQ(cover.CodeTaken, 0);
    } else {
      EXPECT_EQ(OnlyMessage(), QString::fromUtf8(c.message));
      EXPECT_EQ(cover.CodeTaken, 1);
      EXPECT_EQ(cover.Focused, QStringList{"c901"});
    }
  }
  // The query is left closed for the form's next use.
  EXPECT_FALSE(Query.Active());
}

TEST_F(CoverValidationTest, QuotesInNamesAreTakenAsTyped) {
  for (const char* name : {"O'Brien工会", "\"红星\"工会", "`工会`", "'; drop table dt_data; --"}) {
    FakeCover cover;
    cover.Texts["c902"] = QString::fromUtf8(name);
    EXPECT_TRUE(Check(cover)) << name;
    EXPECT_TRUE(Hooks.Messages.empty()) << name;
  }
  FakeCover quotedFiller;
  quotedFiller.Texts["c905"] = "张'三";
  EXPECT_TRUE(Check(quotedFiller)); // not a letter or digit; the edit refuses quotes as typed
  EXPECT_EQ(Db.Rows().size(), 0u);
}

// With a hyphen anywhere the text passes at 11 to 13 characters, however many hyphens;
// without one at 7, 8, 11 or 12. A text without a digit never passes.
TEST(CoverRules, Telephone) {
  struct Case { const char* text; bool ok; };
  const Case cases[] = {
      {"1234567", true},         {"12345678", true},       {"13912345678", true},    {"075512345678", true},
      {"010-1234567", true},     {"010-12345678", true},   {"0755-12345678", true},  {"010-1234-5678", true},
      {"0755-123-4567", true},   {"01012345678-", true},   {"123456", false},        {"123456789", false},
      {"1234567890", false},     {"1234567890123", false}, {"0101-2345", false},     {"010-123456", false},
      {"0755-123456789", false}, {"-----------", false},   {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidTelephone(QString::fromUtf8(c.text)), c.ok) << c.text;
}

TEST(CoverRules, UnitCode) {
  struct Case { const char* text; bool ok; };
  const Case cases[] = {{"100000000000", true}, {"999999999999", true}, {"099999999999", false},
                        {"10000000000", false}, {"+10000000000", false}, {"１00000000000", false}};
  for (const Case& c : cases) EXPECT_EQ(IsValidUnitCode(QString::fromUtf8(c.text)), c.ok) << c.text;
}

} // namespace
