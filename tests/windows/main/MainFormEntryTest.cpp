// The main window's 添加新记录 and 修改选中的记录 through the entry form: the form opens
// on the record list in the right mode, the list shows what was stored, and the page
// rules and the message list take part.
#include "MainFormFixture.h"

#include "controls/common/FwNumericEdit.h"
#include "controls/common/FwToolButton.h"
#include "platform/db/Field.h"
#include "platform/ui/Action.h"
#include "windows/entry/SurveyDataForm.h"
#include "windows/shared/MessageListWinForm.h"
#include "windows/shared/ToolForm.h"
#include "windows/shared/VKValidEdit.h"

namespace {

using namespace fw;
using fwtest::MainFormFixture;

class MainFormEntryTest : public MainFormFixture {
protected:
  TMainForm* StartWithWindows() {
    TMainForm* form = Start();
    app->CreateForm(dlgSurveyDataForm);
    app->CreateForm(MessageListWinForm);
    app->CreateForm(ToolForm);
    return form;
  }
};

TEST_F(MainFormEntryTest, AddNewStoresARecordThatTheListThenShows) {
  AddRecords({110101000001});
  TMainForm* main = StartWithWindows();
  main->UpdateActionState(main->actAddNew);
  ASSERT_TRUE(main->actAddNew->Enabled());
  ScopedModalScript script([](TForm& shown) {
    auto& form = static_cast<TdlgSurveyDataForm&>(shown);
    EXPECT_TRUE(form.IsAddNew);
    EXPECT_EQ(form.c901->Text(), "110101000002");
    form.c902->SetText(QStringLiteral("新工会"));
    form.c903->SetValue(110101);
    form.c907->SetValue(1);
    form.c905->SetText(QStringLiteral("王五"));
    form.c906->SetText(QStringLiteral("01065001234"));
    form.NumericEditor("z001")->SetValue(10);
    form.NumericEditor("z004")->SetValue(10);
    form.tbAdd->Click();
    form.tbReturn->Click();
    return mrCancel;
  });
  main->actAddNew->Execute();
  EXPECT_EQ(main->Data().ReportQuery->RecordCount(), 2);
  EXPECT_EQ(Count("select count(*) from dt_data where c902='新工会' and RecordState=1"), 1);
}

TEST_F(MainFormEntryTest, ModifyOpensTheCurrentRecordAndTheListFollowsTheChange) {
  AddRecords({110101000001, 110101000002});
  TMainForm* main = StartWithWindows();
  main->Data().ReportQuery->SetRecNo(2);
  ScopedModalScript script([](TForm& shown) {
    auto& form = static_cast<TdlgSurveyDataForm&>(shown);
    EXPECT_FALSE(form.IsAddNew);
    EXPECT_EQ(form.CurrentCode, 110101000002.0);
    EXPECT_EQ(form.c902->Text(), "单位110101000002");
    form.c902->SetText(QStringLiteral("改名的单位"));
    form.c905->SetText(QStringLiteral("王五"));
    form.c906->SetText(QStringLiteral("01065001234"));
    form.tbHoldClick();
    form.tbReturn->Click();
    return mrCancel;
  });
  main->actModify->Execute();
  EXPECT_EQ(main->Data().ReportQuery->RecNo(), 2);
  EXPECT_EQ(main->Data().ReportQuery->FieldByName("c902")->AsString(), "改名的单位");
}

// The page rules run on 保存记录 and list what is broken: z003 <= z001 does not hold.
TEST_F(MainFormEntryTest, BrokenRulesAreListedAndStoredAsSuch) {
  AddRecords({110101000001});
  TMainForm* main = StartWithWindows();
  ScopedModalScript script([](TForm& shown) {
    auto& form = static_cast<TdlgSurveyDataForm&>(shown);
    form.c905->SetText(QStringLiteral("王五"));
    form.c906->SetText(QStringLiteral("01065001234"));
    form.NumericEditor("z003")->SetValue(5);
    form.tbSave->Click();
    EXPECT_FALSE(MessageListWinForm->IsMessageListEmpty());
    form.tbReturn->Click();
    return mrCancel;
  });
  main->actModify->Execute();
  EXPECT_EQ(Count("select RecordState from dt_data where c901=110101000001"), 2);
  EXPECT_EQ(hooks.Messages.back().Text, "数据保存成功，有逻辑错误！");
}

} // namespace
