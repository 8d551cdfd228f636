// Paints the list export dialog, the query list and the field display dialog into
// pictures (fw_list_dialogs_*.png) in the FW_SHOTS folder, to be looked at after a change.
#include "ListDialogsFixture.h"

#include "controls/common/FwCheckList.h"
#include "controls/navigation/FwPageControl.h"
#include "windows/dialogs/QueryListForm.h"
#include "windows/dialogs/SaveListForm.h"
#include "windows/dialogs/ShowForm.h"

#include <QApplication>

namespace {

using namespace fw;

class ListDialogsPicture : public fwtest::ListDialogsFixture {
protected:
  void Save(TForm& form, const char* name) {
    form.Show();
    QApplication::processEvents();
    fwtest::SaveShot(form.grab().toImage(), QString::fromUtf8(name));
  }
};

TEST_F(ListDialogsPicture, ThreeDialogs) {
  if (fwtest::ShotsFolder().isEmpty()) GTEST_SKIP() << "pictures only with FW_SHOTS";
  AddSurvey();
  Connect()->Execute("insert into DT_GroupItem (id, GroupID, Title, LowBoundary, LowSymbol, HighBoundary, HighSymbol) "
                     "values (1, 1, '北京市', 110000000000, '>=', 120000000000, '<')");
  Main();
  std::unique_ptr<TdlgSaveListForm> save(NewForm<TdlgSaveListForm>(nullptr));
  save->Show();
  save->TableList->SetItemChecked(0, true);
  save->TableList->SetItemChecked(3, true);
  Save(*save, "fw_list_dialogs_save.png");

  std::unique_ptr<TdlgQueryListForm> query(NewForm<TdlgQueryListForm>(nullptr));
  query->RunQueryList(QString());
  Save(*query, "fw_list_dialogs_query.png");

  std::unique_ptr<TdlgShowForm> show(NewForm<TdlgShowForm>(nullptr));
  show->DataPage->SetActivePageIndex(4);
  Save(*show, "fw_list_dialogs_show.png");
}

} // namespace
