#pragma once
// TdlgGroupItemForm: the items of one grouping scheme ("自定义分组"). Each item is a
// titled range of unit codes with the comparison of each bound (">" or ">=" below,
// "<" or "<=" above), a row of DT_GroupItem edited through view_group_item. The editor
// also renames the scheme (保  存), and a click on a list title sorts the items and
// stores that order in the scheme, which the summaries follow.
//
// The scheme list sets GroupID, SchemeName and SchemeList before it shows the editor.

#include "core/SurveyModel.h"
#include "platform/ui/Form.h"

namespace fw {

class TAction;
class TActionList;
class TADOConnection;
class TADOQuery;
class TColumn;
class TDataSet;
class TDataSource;
class TDBGrid;
class TFwButtonEdit;
class TFwCustomPanel;
class TFwEdit;
class TFwNumericEdit;
class TFwToolbar;
class TFwToolButton;
class TGroupBox;

inline const QString kGroupItemNameMissing = QStringLiteral("必须输入本组数据的名称！");
inline const QString kGroupItemBoundsWrong = QStringLiteral("上限必须大于下限！");

class TdlgGroupItemForm : public TForm {
public:
  TdlgGroupItemForm(TComponent* owner, TADOConnection* connection);
  ~TdlgGroupItemForm() override;

  // The scheme: its id and name, and the scheme list requeried after a rename.
  int GroupID = 0;
  QString SchemeName;
  TDataSet* SchemeList = nullptr;

  TFwCustomPanel* Panel1 = nullptr;
  TFwEdit* GroupName = nullptr;
  TFwToolbar* SaveBar = nullptr;
  TFwToolButton* tbSave = nullptr;
  TDBGrid* DBGrid1 = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TFwEdit* name = nullptr;
  TFwButtonEdit* LeftSymbol = nullptr;
  TFwNumericEdit* LowBoundary = nullptr;
  TFwButtonEdit* RightSymbol = nullptr;
  TFwNumericEdit* HighBoundary = nullptr;
  TFwToolbar* FwToolbar1 = nullptr;
  TFwToolButton* tbAdd = nullptr; // runs actAddItem
  TFwToolButton* tbRemove = nullptr;
  TFwToolButton* tbEdit = nullptr;
  TFwToolButton* tbReturn = nullptr;
  TActionList* ActionList1 = nullptr;
  TAction* actAddItem = nullptr;
  TADOQuery* GroupQuery = nullptr;
  TDataSource* DataSource1 = nullptr;

  // The operators of the lower bound {1 ">", 2 ">="} and of the upper bound {1 "<", 2 "<="}.
  TMenuItemDataArray LeftSymbols;
  TMenuItemDataArray RightSymbols;

  // 增  加 and 修  改: the item's name and bounds are checked, then a row is appended or
  // the current one changed.
  void actAddItemExecute();
  void tbEditClick();
  // 除  去: the current item, after the question.
  void tbRemoveClick();
  // 保  存: the scheme's new name.
  void tbSaveClick();
  // The title click: sorts the items by the column (ascending from unsorted or
  // descending, descending from ascending) and stores the order in the scheme.
  void DBGrid1TitleClick(TColumn* column);
  // The edit fields take the current item.
  void FillEditFields();
  // 增  加 needs a name and a lower bound below the upper one, 修  改 also a current
  // item, 除  去 an item; 保  存 is enabled once the name was changed and is not empty.
  void UpdateButtons();

  int SortState() const { return sortState_; }
  TColumn* SortedColumn() const { return sortedColumn_; }

protected:
  void DoShow() override;

private:
  void CreateEditFields();
  void CreateButtons();
  bool HasItems() const;
  bool CheckItem();
  void StoreItem(bool adding);
  void StoreOrder(const QString& field, bool descending);
  void RequerySchemeList();

  TADOConnection* connection_;
  int sortState_ = 1;
  TColumn* sortedColumn_ = nullptr;
  bool nameChanged_ = false;
};

} // namespace fw
