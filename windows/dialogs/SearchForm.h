#pragma once
// TdlgSearchForm: the code-range search ("查询数据"). The user compares the unit code
// with one or two numbers, each with its operator (=, >, <, >=, <=), the two joined by
// 和 or 或, and the matching records are shown in the query list. The program entry
// makes it at start; the main window's 按编号范围查找数据 shows it, every time as a new
// one: both numbers empty, the operators "=", the connector 和.

#include "platform/ui/Form.h"

#include <functional>

namespace fw {

class TFwButtonEdit;
class TFwGroupBox;
class TFwNumericEdit;
class TFwToolbar;
class TFwToolButton;

// Shows the records of a condition ("where ...") in the query list; the main window
// provides it to the search dialogs.
using TQueryListRunner = std::function<void(const QString& where)>;

struct TSearchCondition;
class TWinControl;

// Hands a search's condition to the query list, or shows the message that refuses it
// and puts the focus into the edit of the bound it concerns.
void RunSearch(const TSearchCondition& condition, TWinControl* firstBound, TWinControl* secondBound,
               const TQueryListRunner& runQueryList);

class TdlgSearchForm : public TForm {
public:
  explicit TdlgSearchForm(TComponent* owner);
  ~TdlgSearchForm() override;

  TFwGroupBox* GroupBox1 = nullptr; // 编号范围
  TFwButtonEdit* lc1 = nullptr;     // operator of number1
  TFwNumericEdit* number1 = nullptr;
  TFwButtonEdit* lc2 = nullptr;     // connector
  TFwButtonEdit* lc3 = nullptr;     // operator of number2
  TFwNumericEdit* number2 = nullptr;
  TFwToolbar* FwToolbar1 = nullptr;
  TFwToolButton* tbSum = nullptr; // 查  找
  TFwToolButton* tbReturn = nullptr;

  TQueryListRunner RunQueryList;

  // 查  找: the condition of the numbers, shown in the query list, or the message that
  // refuses them.
  void tbSumClick();

protected:
  void DoShow() override;
};

// The dialog the program entry makes at start; nullptr once it is freed.
extern TdlgSearchForm* dlgSearchForm;

} // namespace fw
