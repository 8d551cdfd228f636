// TCustomEasyGrid: the cell popup menu (built once with the grid, its items enabled for
// the selection before it shows, one handler dispatching by item number) and the
// cell-format dialog it opens.

#include "grid/CustomEasyGrid.h"

#include "grid/CellClipboard.h"
#include "grid/FormCellProp.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/PopupMenu.h"

#include <QPointer>
#include <memory>

namespace fw {

namespace {

struct TPopupEntry {
  int Number;  // -1: a separator or a submenu
  const char* Caption;
  int Level;   // 0: the menu itself, 1: inside the submenu above
};

const TPopupEntry kPopupEntries[] = {
    {piCut, "剪切(&T)", 0},
    {piCopy, "复制(&C)", 0},
    {piPaste, "粘贴(&P)", 0},
    {-1, "-", 0},
    {-1, "插入(&I)...", 0},
    {piInsertCellsRight, "横向插入单元格", 1},
    {piInsertCellsDown, "纵向插入单元格", 1},
    {piInsertRows, "插入整行", 1},
    {piInsertCols, "插入整列", 1},
    {-1, "删除(&D)...", 0},
    {piDeleteCellsRight, "横向删除单元格", 1},
    {piDeleteCellsDown, "纵向删除单元格", 1},
    {piDeleteRows, "删除整行", 1},
    {piDeleteCols, "删除整列", 1},
    {piClearContents, "清除单元格内容(&N)", 0},
    {-1, "-", 0},
    {piCellFormat, "设置单元格格式(&F)...", 0},
};

// Every numbered item of the menu, in the menu's order.
template <class F>
void ForEachNumbered(TMenuItem* item, F f) {
  for (int i = 0; i < item->Count(); ++i) {
    TMenuItem* child = item->Items(i);
    if (child->Count() > 0)
      ForEachNumbered(child, f);
    else if (child->Tag() >= 0)
      f(child);
  }
}

} // namespace

void TCustomEasyGrid::BuildPopupMenu() {
  popupMenu_ = new TPopupMenu(this);
  popupMenu_->SetPopupComponent(this);
  TMenuItem* submenu = nullptr;
  for (const TPopupEntry& entry : kPopupEntries) {
    auto* item = new TMenuItem(popupMenu_);
    item->SetCaption(QString::fromUtf8(entry.Caption));
    item->SetTag(entry.Number);
    if (entry.Number >= 0) {
      const int number = entry.Number;
      item->OnClick = [this, number](TObject*) { PopupMenuClick(number); };
    }
    if (entry.Level == 1 && submenu) {
      submenu->Add(item);
    } else {
      popupMenu_->Items()->Add(item);
      // The two entries without a number hold the submenu items that follow them.
      submenu = (entry.Number < 0 && !item->IsLine()) ? item : nullptr;
    }
  }
}

TMenuItem* TCustomEasyGrid::PopupMenuItem(int number) const {
  TMenuItem* found = nullptr;
  ForEachNumbered(popupMenu_->Items(), [&](TMenuItem* item) {
    if (item->Tag() == number) found = item;
  });
  return found;
}

void TCustomEasyGrid::UpdatePopupItems() {
  const bool editing = options_ & goEditing;
  const bool cutsMerge = cells_.CutsMerge(selection_);
  const bool canPaste = !CellBlockFromClipboard().isEmpty();
  ForEachNumbered(popupMenu_->Items(), [&](TMenuItem* item) {
    bool enabled = true;
    if (item->Tag() == piPaste) enabled = canPaste;
    // A grid without editing only copies.
    if (!editing && item->Tag() != piCopy) enabled = false;
    // Nothing works on a selection that holds part of a merged range.
    if (cutsMerge) enabled = false;
    item->SetEnabled(enabled);
  });
  // A submenu whose items are all disabled is disabled itself.
  TMenuItem* root = popupMenu_->Items();
  for (int i = 0; i < root->Count(); ++i) {
    TMenuItem* submenu = root->Items(i);
    if (submenu->Count() == 0) continue;
    bool any = false;
    for (int k = 0; k < submenu->Count(); ++k) any = any || submenu->Items(k)->Enabled();
    submenu->SetEnabled(any);
  }
}

void TCustomEasyGrid::PopupMenuClick(int number) {
  const TGridRect sel = selection_;
  switch (number) {
  case piCut: CutCells(sel); break;
  case piCopy: CopyCellsToClipboard(sel); break;
  case piPaste: PasteCells(); break;
  case piInsertCellsRight: InsertCellsRight(sel); break;
  case piInsertCellsDown: InsertCellsDown(sel); break;
  case piInsertRows: InsertRows(sel); break;
  case piInsertCols: InsertCols(sel); break;
  case piDeleteCellsRight: DeleteCellsRight(sel); break;
  case piDeleteCellsDown: DeleteCellsDown(sel); break;
  case piDeleteRows: DeleteRows(sel); break;
  case piDeleteCols: DeleteCols(sel); break;
  case piClearContents: ClearCellContents(sel); break;
  case piCellFormat: ShowCellPropDialog(-1); break;
  default: break;
  }
}

void TCustomEasyGrid::ShowCellPropDialog(int page) {
  // The dialog may merge the cells or change how the edited one reads its text.
  const TEditorClosed editorClosed(*this);
  if (!editorClosed) return;
  QPointer<TCustomEasyGrid> self(this);
  auto dialog = std::make_unique<TFormCellProp>(this);
  const int last = dialog->PageCount() - 1;
  dialog->SetActivePageIndex(page < 0 ? cellPropPage_ : std::min(page, last));
  const int result = dialog->ShowModal();
  if (!self) return;
  cellPropPage_ = dialog->ActivePageIndex();
  const TGridRect range = dialog->Range();
  dialog.reset();
  if (result == mrOk && AfterSetCellProp) AfterSetCellProp(this, range);
}

} // namespace fw
