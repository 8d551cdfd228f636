// The main window's dialogs that are made anew for every use: 删除记录 and 参数设置 each
// show a new dialog held in its global while shown, and free it afterwards.
#include "MainFormFixture.h"

#include "controls/common/FwRadioButton.h"
#include "platform/ui/ActionList.h"
#include "windows/dialogs/DeleteForm.h"
#include "windows/dialogs/OptionSetupForm.h"

namespace {

using namespace fw;

class MainFormDialogsTest : public fwtest::MainFormFixture {};

TEST_F(MainFormDialogsTest, DeleteAndOptionsMakeANewDialogEachTime) {
  AddRecords({110000000001});
  TMainForm* main = Start();
  ASSERT_NE(main, nullptr);
  main->ActionList1->UpdateActions();
  struct Case {
    TAction* action;
    std::function<TForm*()> global;
  };
  const Case cases[] = {{main->actDelete, [] { return static_cast<TForm*>(dlgDeleteForm); }},
                        {main->actOptions, [] { return static_cast<TForm*>(dlgOptionSetupForm); }}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.action->Name().toStdString());
    EXPECT_TRUE(c.action->Enabled());
    std::vector<TForm*> shown;
    ScopedModalScript modal([&](TForm& form) {
      EXPECT_EQ(c.global(), &form);
      if (auto* deletion = dynamic_cast<TdlgDeleteForm*>(&form)) {
        EXPECT_TRUE(deletion->Selected->Checked());
      }
      shown.push_back(&form);
      return int(mrCancel);
    });
    c.action->Execute();
    c.action->Execute();
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_EQ(c.global(), nullptr);
  }
  EXPECT_EQ(Count("select count(*) from dt_data"), 1);
}

} // namespace
