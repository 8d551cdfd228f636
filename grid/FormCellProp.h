#pragma once
// TFormCellProp: the modal dialog "单元格格式" in which the user sets the format of the
// selected cells of a report grid: data type and number rules, alignment, wrapping and
// merging, font, frame lines, background colour and read-only. It shows the current
// cell's values, blanks every control whose value differs somewhere in the selection,
// and on OK writes back only the controls that hold a value. It is built from the
// platform's standard controls: page control, group boxes, lists, combos, edits.
//
// FormCellPropLayout.cpp builds the four pages; FormCellProp.cpp holds the behaviour.

#include "grid/CellInfo.h"
#include "platform/ui/Form.h"

namespace fw {

class TButton;
class TCheckBox;
class TComboBox;
class TCustomEasyGrid;
class TEdit;
class TLabel;
class TListBox;
class TMemo;
class TPageControl;
class TPanel;
class TTabSheet;

class TFormCellProp : public TForm {
public:
  // A dialog for the grid's selection; the grid must outlive it.
  explicit TFormCellProp(TCustomEasyGrid* grid);

  TCustomEasyGrid* Grid() const { return grid_; }
  // The cells the dialog works on (the grid's selection when it was shown).
  TGridRect Range() const { return range_; }

  int PageCount() const;
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);

  // Fills the controls from the current cell and blanks those that differ in the range.
  void FormShow();
  // Shows the example and explanation of the chosen type, and the number controls for
  // numbers only.
  void LbxCellTypeClick();
  // Writes back the controls that hold a value; stays open when an edit holds no number.
  void BtnOkClick();

  TPageControl* PageControl = nullptr;
  TTabSheet* PageType = nullptr;
  TTabSheet* PageAlign = nullptr;
  TTabSheet* PageFont = nullptr;
  TTabSheet* PageOther = nullptr;
  TButton* BtnOk = nullptr;
  TButton* BtnCancel = nullptr;

  // Type page.
  TListBox* LbxCellType = nullptr;
  TMemo* MemExample = nullptr;
  TLabel* LblExplain = nullptr;
  TLabel* LblMaxLength = nullptr;
  TLabel* LblIntLength = nullptr;
  TLabel* LblDecLength = nullptr;
  TEdit* EdtMaxLength = nullptr;
  TEdit* EdtIntLength = nullptr;
  TEdit* EdtDecLength = nullptr;
  TCheckBox* CbxAllowNegative = nullptr;
  TCheckBox* CbxThousandSep = nullptr;
  TCheckBox* CbxTrailingZero = nullptr;
  TCheckBox* CbxZeroNull = nullptr;

  // Alignment page.
  TComboBox* CmbHorzAlign = nullptr;
  TComboBox* CmbVertAlign = nullptr;
  TCheckBox* CbxWordBreak = nullptr;
  TCheckBox* CbxMerge = nullptr;

  // Font page.
  TListBox* LbxFontName = nullptr;
  TListBox* LbxFontStyle = nullptr;
  TEdit* EdtFontSize = nullptr;
  TListBox* LbxFontSize = nullptr;
  TCheckBox* CbxUnderline = nullptr;
  TPanel* PnlFontColor = nullptr;
  TButton* BtnFontColor = nullptr;
  TLabel* LblPreview = nullptr;

  // Others page.
  TCheckBox* CbxLeft = nullptr;
  TCheckBox* CbxRight = nullptr;
  TCheckBox* CbxTop = nullptr;
  TCheckBox* CbxBottom = nullptr;
  TEdit* EdtLineWidth = nullptr;
  TComboBox* CmbPenStyle = nullptr;
  TPanel* PnlColor = nullptr;
  TButton* BtnColor = nullptr;
  TCheckBox* CbxReadOnly = nullptr;

protected:
  void DoShow() override;

private:
  // FormCellPropLayout.cpp.
  void BuildControls();
  void BuildTypePage();
  void BuildAlignPage();
  void BuildFontPage();
  void BuildOtherPage();
  void ConnectEvents();

  // FormCellProp.cpp.
  void FillFromCell(const TCellInfo& cell);
  void BlankDiffering(const TCellInfo& current);
  void LimitEdit(TEdit* edit, int limit);
  void UpdatePreviewFont();
  void PickColor(TPanel* panel);
  void WriteProperties();

  TCustomEasyGrid* grid_;
  TGridRect range_;
};

} // namespace fw
