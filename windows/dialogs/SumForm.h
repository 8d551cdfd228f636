#pragma once
// TdlgSumForm: the summary dialog ("数据分类汇总"). The user ticks the sheets of the
// summary workbook, chooses how its rows are formed (by organisation level, by filing
// state or by the items of a grouping scheme) and runs the summary into one workbook,
// which is then shown. The sheet list comes from "sumtable.qz": group rows ("//",
// disabled) and one enabled row per sheet of the workbook, in workbook order; the ticks
// are kept in the user's own copy of that file when the dialog closes.
//
// The program entry makes the dialog at start and the main window's 数据汇总 shows it as
// often as it is asked for. Every showing starts as a new dialog would: the list and its
// ticks read again, the mode 照工会层次, the first group chosen (or none offered).

#include "platform/ui/Form.h"

#include <vector>

namespace fw {

class ITwoBarProgress;
class TADOConnection;
class TADOQuery;
class TButton;
class TFwCheckList;
class TFwRadioGroup;
class TFwToolbar;
class TFwToolButton;
class TMenuItem;
class TPopupMenu;
class TSheetApplication;

class TdlgSumForm : public TForm {
public:
  // The dialog works on the connection given, else on the program's database.
  explicit TdlgSumForm(TComponent* owner, TADOConnection* connection = nullptr);
  ~TdlgSumForm() override;

  TFwCheckList* TableList = nullptr;
  TButton* Button1 = nullptr; // 全部选中
  TButton* Button2 = nullptr; // 全部不选
  TFwRadioGroup* SumType = nullptr;
  TFwToolbar* GroupBar = nullptr;
  TFwToolButton* tbGroup = nullptr; // the chosen group's name; its Tag holds the group's id
  TPopupMenu* GroupMenu = nullptr;
  TFwToolbar* FwToolbar1 = nullptr;
  TFwToolButton* tbSum = nullptr;
  TFwToolButton* tbReturn = nullptr;
  TADOQuery* GroupQuery = nullptr;
  TADOQuery* ToolQuery = nullptr;

  // The progress of a run; the program's two-bar progress window when not set.
  ITwoBarProgress* Progress = nullptr;

  // A double click on a group row ticks the rows of its group; on a sheet row it does nothing.
  void TableListDblClick();
  // Chooses the group mode (the click and the drop-down of tbGroup).
  void tbGroupClick();
  // A group picked from GroupMenu becomes the chosen one.
  void GroupMenuClick(TMenuItem* entry);
  // Fills the ticked sheets in the mode chosen, removes the unticked ones and shows the
  // workbook. A failure shows its message and leaves no workbook behind.
  void tbSumClick();

  // The workbook's sheet number of every row of TableList: the sheet rows (enabled, not
  // group rows) count 1, 2, ... from the top; other rows have 0. The filling and the
  // removal of sheets both number by it.
  std::vector<int> SheetNumbers() const;

  // The user's copy of the sheet list, written when the dialog closes.
  static QString OwnListPath();

protected:
  void DoShow() override;
  void DoClose(TCloseAction& action) override;

private:
  void CreateSheetList();
  void CreateSumType();
  void LoadSheetList();
  void FillBuiltInRows();
  void LoadGroups();
  int GroupItemCount(int groupId);
  void ChooseGroup(int id, const QString& name);
  void FillTickedSheets(ITwoBarProgress& progress, const std::vector<int>& numbers, int mode, int groupId);
  void RemoveUntickedSheets(TSheetApplication& server, const std::vector<int>& numbers);

  TADOConnection* connection_;
};

// The dialog the program entry makes at start; nullptr once it is freed.
extern TdlgSumForm* dlgSumForm;

} // namespace fw
