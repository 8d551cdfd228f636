#pragma once
// TdlgLocateForm: the locate dialog ("定位数据记录"). It moves the main record list to
// one record, found by its unit code (all twelve digits) or by a part of its name (the
// first record whose name holds the text), and closes when it found one. The program
// entry makes it at start; the main window's 按条件查找定位数据 and Ctrl+L show it, every
// time as a new one: by code, both edits empty, the first control focused.

#include "platform/ui/Form.h"

namespace fw {

class TADOConnection;
class TADOQuery;
class TDataSet;
class TFwNumericEdit;
class TFwRadioButton;
class TFwToolbar;
class TFwToolButton;
class TVKValidEdit;

inline const QString kCodeLengthMessage = QStringLiteral("编码必须为12位");
inline const QString kNothingFoundMessage = QStringLiteral("没有找到满足条件的数据");

// The LIKE pattern that finds `part` anywhere in a text, its "%", "_" and "\" taken
// literally (the statement names "\" as the escape character).
QString ContainsPattern(const QString& part);

class TdlgLocateForm : public TForm {
public:
  // The dialog searches the database through `connection` and moves `records` (the main
  // list's data set, holding c901); by default the program's database and record list.
  explicit TdlgLocateForm(TComponent* owner, TADOConnection* connection = nullptr, TDataSet* records = nullptr);
  ~TdlgLocateForm() override;

  TFwRadioButton* rad901 = nullptr; // by code, exactly
  TFwRadioButton* rad902 = nullptr; // by name, partly
  TFwNumericEdit* c901 = nullptr;
  TVKValidEdit* c902 = nullptr;
  TFwToolbar* FwToolbar1 = nullptr;
  TFwToolButton* tbSum = nullptr; // 定  位
  TFwToolButton* tbReturn = nullptr;
  TADOQuery* ToolQuery = nullptr;

  // 定  位: moves the list to the record and closes, else says why not.
  void tbSumClick();

protected:
  void DoShow() override;

private:
  bool LocateByCode();
  bool LocateByName();
  bool LocateCode(const QVariant& code);

  TADOConnection* connection_;
  TDataSet* records_;
};

// The dialog the program entry makes at start; nullptr once it is freed.
extern TdlgLocateForm* dlgLocateForm;

} // namespace fw
