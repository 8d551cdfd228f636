#pragma once
// TdlgSaveListForm: the list export dialog ("选择导出数据的方式"). The sheets ticked in the
// list (read from "exporttable.qz" at every showing) give the columns after the cover's;
// the records are all of them, a range of unit codes, or the units of one user group
// chosen from a drop-down menu. 导出 writes the list to a workbook.

#include "core/ListSelection.h"
#include "platform/ui/Form.h"

namespace fw {

class TADOQuery;
class TFwCheckList;
class TFwRadioButton;
class TFwToolbar;
class TFwToolButton;
class TGroupBox;
class TLabel;
class TPopupMenu;
class TVKValidEdit;

class TdlgSaveListForm : public TForm {
public:
  explicit TdlgSaveListForm(TComponent* owner);
  ~TdlgSaveListForm() override;

  TFwToolbar* FwToolbar1 = nullptr;
  TFwToolButton* tbSave = nullptr;   // 导  出
  TFwToolButton* tbReturn = nullptr; // 返  回
  TFwCheckList* TableList = nullptr;
  TGroupBox* GroupBox1 = nullptr;  // 导出的内容
  TFwRadioButton* AllRecord = nullptr;
  TFwRadioButton* Range = nullptr;
  TLabel* Label1 = nullptr; // 从
  TVKValidEdit* c901_1 = nullptr;
  TLabel* Label2 = nullptr; // 到
  TVKValidEdit* c901_2 = nullptr;
  TFwRadioButton* radioGroup = nullptr; // its Tag holds the chosen group's id
  TFwToolButton* tbGroup = nullptr;
  TPopupMenu* GroupMenu = nullptr;
  TADOQuery* GroupQuery = nullptr;

  // The chosen user group.
  const TGroupBounds& ChosenGroup() const { return group_; }

  void tbSaveClick();
  void tbReturnClick();
  // Makes the group item with this id the chosen group (a click on its menu item).
  void GroupMenuItemClick(int id);

protected:
  void DoShow() override;

private:
  void BuildSheetList();
  void BuildRecordChoice();
  void LoadSheetList();
  void LoadGroups();
  void TakeGroup(TADOQuery& row);
  QStringList ChosenColumns();
  // The statement of the records chosen; false (after telling why) when there is none.
  bool ChosenStatement(const QStringList& columns, TListStatement& statement);

  TGroupBounds group_;
};

// The dialog the program creates at start; the main window's list export shows it.
extern TdlgSaveListForm* dlgSaveListForm;

} // namespace fw
