#pragma once
// TdlgGroupListForm: the list of grouping schemes ("自定义分组列表"). A scheme is a row of
// ct_group and divides the records into items by ranges of their unit codes; summaries
// and list exports work per item. The list adds a scheme under a name asked for and
// opens its items at once, opens the items of the current scheme (修改, double click),
// removes a scheme together with its items, and carries all schemes to and from a group
// file. The main window's 数据分组 creates it, shows it modally and frees it.

#include "platform/ui/Form.h"

namespace fw {

class TADOConnection;
class TADOQuery;
class TDataSource;
class TDBGrid;
class TFwToolbar;
class TFwToolButton;

inline const QString kGroupDeleteQuestion = QStringLiteral("数据将被彻底删除，确认么？");

class TdlgGroupListForm : public TForm {
public:
  // The dialog works on the connection given, else on the program's database.
  explicit TdlgGroupListForm(TComponent* owner, TADOConnection* connection = nullptr);
  ~TdlgGroupListForm() override;

  TDBGrid* DBGrid1 = nullptr;
  TFwToolbar* FwToolbar1 = nullptr;
  TFwToolButton* tbAdd = nullptr;
  TFwToolButton* tbRemove = nullptr;
  TFwToolButton* tbEdit = nullptr;
  TFwToolButton* btnImport = nullptr;
  TFwToolButton* btnExport = nullptr;
  TFwToolButton* btnReturn = nullptr;
  TADOQuery* GroupQuery = nullptr;
  TADOQuery* ToolQuery = nullptr;
  TDataSource* DataSource1 = nullptr;

  // 增  加: asks for a name until one is given (cancel stops), appends the scheme with
  // the order "id ASC" and opens its items.
  void tbAddClick();
  // 除  去: after the question, the current scheme and its items go in one transaction.
  void tbRemoveClick();
  // 修  改 and a double click: the items of the current scheme.
  void tbEditClick();
  void btnImportClick();
  void btnExportClick();

  // Shows the item editor of one scheme modally and frees it.
  void EditScheme(int id, const QString& name);
  // 除  去 and 修  改 are enabled while there are schemes.
  void UpdateButtons();

protected:
  void DoShow() override;

private:
  bool HasSchemes() const;
  int AddScheme(const QString& name);

  TADOConnection* connection_ = nullptr;
};

} // namespace fw
