#pragma once
// TdlgShowForm: the field display dialog ("自定义列表项"). One check box per field of the
// entry-form pages, on a page per sheet; 确  定 makes exactly the ticked fields columns of
// the main record list and reloads it.

#include "platform/ui/Form.h"

#include <functional>
#include <vector>

namespace fw {

class TFwCheckBox;
class TFwPageControl;
class TFwTabSheet;
class TFwToolbar;
class TFwToolButton;

class TdlgShowForm : public TForm {
public:
  explicit TdlgShowForm(TComponent* owner);
  ~TdlgShowForm() override;

  TFwPageControl* DataPage = nullptr;
  TFwToolbar* FwToolbar1 = nullptr;
  TFwToolButton* tbReturn = nullptr; // 关  闭
  TFwToolButton* tbSave = nullptr;   // 确  定
  // Every field's check box, in page and field-list order; its Tag holds the field's id.
  std::vector<TFwCheckBox*> FieldBoxes;

  // Runs after the visible fields were saved: the main window reloads its list's columns.
  std::function<void()> OnFieldListSaved;

  void tbSaveClick();
  void tbReturnClick();

private:
  void BuildPages();
  TFwTabSheet* AddPage(const QString& caption);
};

// The dialog while the main window's field display shows it.
extern TdlgShowForm* dlgShowForm;

} // namespace fw
