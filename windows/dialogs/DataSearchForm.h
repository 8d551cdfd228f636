#pragma once
// TdlgDataSearchForm: the indicator query ("指标查询"). The user picks one indicator
// (through the indicator picker) and bounds it from one or both sides, each bound with
// its operator; the matching records are shown in the query list. The program entry
// makes it at start; the main window's 指标查询 and Ctrl+F show it, every time as a new
// one: no indicator, no operators, both numbers empty.

#include "platform/ui/Form.h"
#include "windows/dialogs/SearchForm.h"

namespace fw {

class TADOConnection;
class TFwButtonEdit;
class TFwGroupBox;
class TFwToolbar;
class TFwToolButton;
class TVKValidEdit;

class TdlgDataSearchForm : public TForm {
public:
  // The dialog reads the indicators from the connection given, else from the program's
  // database.
  explicit TdlgDataSearchForm(TComponent* owner, TADOConnection* connection = nullptr);
  ~TdlgDataSearchForm() override;

  TFwGroupBox* GroupBox1 = nullptr; // 指标范围
  TFwButtonEdit* DataField = nullptr; // the chosen indicator; its button opens the picker
  TFwButtonEdit* lc1 = nullptr;
  TVKValidEdit* Number1 = nullptr;
  TFwButtonEdit* lc3 = nullptr;
  TVKValidEdit* Number2 = nullptr;
  TFwToolbar* FwToolbar1 = nullptr;
  TFwToolButton* tbSum = nullptr; // 查  找
  TFwToolButton* tbReturn = nullptr;

  TQueryListRunner RunQueryList;

  // The indicator picker (the one made at start, else one made now and kept), shown
  // modally; its choice becomes DataField.
  void DataFieldButtonClick();
  // 查  找: the condition on the indicator, shown in the query list, or the message
  // that refuses it.
  void tbSumClick();

protected:
  void DoShow() override;

private:
  TADOConnection* connection_;
};

// The dialog the program entry makes at start; nullptr once it is freed.
extern TdlgDataSearchForm* dlgDataSearchForm;

} // namespace fw
