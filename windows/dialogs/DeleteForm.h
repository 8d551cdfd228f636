#pragma once
// TdlgDeleteForm ("选择删除的方式"): deletes survey records from the main window's list:
// the records marked in it (or its current one), all records, or a range of unit codes
// typed as digits. Deleting all or a range asks the warning question first, whose
// default answer is 否, and runs in one transaction with the bounds bound as values.
// Afterwards the list is requeried and stays on its record, or on the record that took
// its place when that one was deleted. The main window's 删除记录 and the Delete key in
// the list create it anew, show it modally and free it.

#include "platform/ui/Form.h"

namespace fw {

class TDBGrid;
class TFwRadioButton;
class TFwToolbar;
class TFwToolButton;
class TGroupBox;
class TVKValidEdit;

inline const QString kDeleteWarningCaption = QStringLiteral("警告信息");
inline const QString kDeleteWarningText = QStringLiteral("删除操作将不可恢复，您确认继续么？");
inline const QString kDeleteRangeMissing = QStringLiteral("请输入删除的范围");

class TdlgDeleteForm : public TForm {
public:
  // recordGrid: the main window's record list, whose marked rows 选中的数据 deletes.
  TdlgDeleteForm(TComponent* owner, TDBGrid* recordGrid);
  ~TdlgDeleteForm() override;

  TFwToolbar* FwToolbar1 = nullptr;
  TFwToolButton* tbDelete = nullptr;
  TFwToolButton* tbReturn = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TFwRadioButton* Selected = nullptr;
  TFwRadioButton* AllRecord = nullptr;
  TFwRadioButton* Range = nullptr;
  TVKValidEdit* c901_1 = nullptr;
  TVKValidEdit* c901_2 = nullptr;

  // 删  除: the chosen deletion, then the list requeried.
  void tbDeleteClick();

private:
  void CreateChoices();
  void DeleteSelected();
  void DeleteAll();
  void DeleteRange();
  // Runs a deletion of dt_data in one transaction; a failure is shown and undone.
  void DeleteInTransaction(const QString& sql, const QVariantList& values);
  void RequeryList();

  TDBGrid* recordGrid_ = nullptr;
};

extern TdlgDeleteForm* dlgDeleteForm;

} // namespace fw
