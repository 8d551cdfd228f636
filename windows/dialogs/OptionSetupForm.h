#pragma once
// TdlgOptionSetupForm ("软件参数设置"): the environment settings on one page 软件环境:
// the preferred input method (picked from the desktop's input methods, listed when the
// page shows and again when the list drops down), the entry window's style and how imports treat records with errors.
// A click on a window style is stored at once; 确定 stores the input method and the
// import choice, 取消 stores nothing more. The main window's 参数设置 creates it anew,
// shows it modally and frees it.

#include "platform/ui/Form.h"

namespace fw {

class TFwComboBox;
class TFwCustomPanel;
using TFwPanel = TFwCustomPanel;
class TPageControl;
class TFwRadioButton;
class TTabSheet;
class TFwToolbar;
class TFwToolButton;

class TdlgOptionSetupForm : public TForm {
public:
  explicit TdlgOptionSetupForm(TComponent* owner);
  ~TdlgOptionSetupForm() override;

  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabSheet1 = nullptr;       // 软件环境
  TFwComboBox* cbIme = nullptr;
  TFwPanel* StylePanel = nullptr;
  TFwRadioButton* InputWndStyle = nullptr;  // 传统
  TFwRadioButton* InputWndStyle2 = nullptr; // 简约
  TFwPanel* ImportPanel = nullptr;
  TFwRadioButton* CancelAll = nullptr;        // 有错就全部放弃
  TFwRadioButton* discardWrongItem = nullptr; // 只放弃出错的数据
  TFwToolbar* FwToolbar1 = nullptr;
  TFwToolButton* OKBtn = nullptr;
  TFwToolButton* CancelBtn = nullptr;

  // The list of input methods, filled anew as it drops down; the picked name stays.
  void cbImeDropDown();
  // 确定: ImePrefer and ImportPrinciple into the settings and the registry.
  void OKBtnClick();

protected:
  void DoShow() override;

private:
  void CreatePage();
  // The installed input methods into cbIme's list, text picked.
  void FillImeList(const QString& text);
  TFwPanel* NewChoicePanel(int top, const QString& caption);
  TFwRadioButton* NewChoice(TFwPanel* panel, const char* name, int left, const QString& caption);
  // A click on a window style (not the page being shown): stored at once.
  void StyleClicked(bool simple);

  bool showingPage_ = false;
};

extern TdlgOptionSetupForm* dlgOptionSetupForm;

} // namespace fw
