// The grid's side of in-place editing: when the editor may show, the texts it starts
// with and stores, and the keys that open it.

#include "grid/CustomEasyGrid.h"

#include "grid/InplaceEdit.h"
#include "platform/ui/VirtualKeys.h"

#include <QPointer>

namespace fw {

bool TCustomEasyGrid::EditorShowing() const { return editor_ && editor_->Visible() && editor_->EditCol() >= 0; }

bool TCustomEasyGrid::CanEditShow() const {
  if (!(options_ & goEditing) || (options_ & goRowSelect) || !editorMode_) return false;
  if (!isVisible()) return false;
  const bool focused = IsGridFocused() || (editor_ && editor_->Focused());
  if (!focused && !(options_ & goAlwaysShowEditor)) return false;
  const TGridRect merge = cells_.Cell(col_, row_).MergeRect;
  return !cells_.Cell(merge.Left, merge.Top).ReadOnly;
}

TInplaceEdit* TCustomEasyGrid::CreateEditor() { return new TInplaceEdit(this); }

void TCustomEasyGrid::SetEditorMode(bool value) {
  if (value)
    ShowEditor();
  else
    HideEditor();
}

void TCustomEasyGrid::ShowEditor() {
  editorMode_ = true;
  if (!CanEditShow()) {
    editorMode_ = (options_ & goAlwaysShowEditor) != 0;
    return;
  }
  if (!editor_) editor_ = CreateEditor();
  if (EditorShowing()) return;
  editor_->ShowForCell(col_, row_);
  InvalidateCellRange(cells_.Cell(col_, row_).MergeRect);
}

bool TCustomEasyGrid::HideEditor() {
  if (!EditorShowing()) {
    editorMode_ = (options_ & goAlwaysShowEditor) != 0;
    return true;
  }
  if (!editor_->Commit()) return false;
  editorMode_ = (options_ & goAlwaysShowEditor) != 0;
  return true;
}

TCustomEasyGrid::TEditorClosed::TEditorClosed(TCustomEasyGrid& grid) : grid_(&grid) {
  if (!grid.EditorShowing()) return;
  stored_ = grid.HideEditor();
  closed_ = stored_;
}

TCustomEasyGrid::TEditorClosed::~TEditorClosed() {
  if (!closed_ || !grid_) return;
  if ((grid_->options_ & goAlwaysShowEditor) && (grid_->options_ & goEditing)) grid_->ShowEditor();
}

void TCustomEasyGrid::EditorHidden(int col, int row, const QString& text) {
  editorMode_ = (options_ & goAlwaysShowEditor) != 0;
  if (col < colCount_ && row < rowCount_) InvalidateCellRange(cells_.Cell(col, row).MergeRect);
  if (OnHideEdit) OnHideEdit(this, col, row, text);
}

void TCustomEasyGrid::UpdateEditorBounds() {
  if (EditorShowing()) editor_->UpdateBounds();
}

QString TCustomEasyGrid::GetEditText(int col, int row) {
  const TGridRect merge = cells_.Cell(col, row).MergeRect;
  QString value = cells_.Cell(merge.Left, merge.Top).ShownText();
  if (OnGetEditText) OnGetEditText(this, col, row, value);
  return value;
}

void TCustomEasyGrid::SetEditText(int col, int row, const QString& value) {
  const TCellInfo& cell = cells_.Cell(col, row);
  if (cell.ShowForeText) {
    if (value != cell.ForeText) SetForeText(col, row, value);
  } else if (value != cell.BackText) {
    SetBackText(col, row, value);
  }
  if (OnSetEditText) OnSetEditText(this, col, row, value);
}

QString TCustomEasyGrid::GetEditMask(int col, int row) {
  QString value;
  if (OnGetEditMask) OnGetEditMask(this, col, row, value);
  return value;
}

void TCustomEasyGrid::KeyDown(WORD& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (!key) return;
  if (!CanGridAcceptKey(key, shift)) {
    key = 0;
    return;
  }
  // Enter opens the editor with the text selected, unless the editor is always shown.
  if ((options_ & goEditing) && !EditorShowing() && key == VK_RETURN && !(options_ & goAlwaysShowEditor)) {
    key = 0;
    ShowEditor();
    return;
  }
  NavigateKey(key, shift);
}

void TCustomEasyGrid::OpenEditorAtTextEnd() {
  const bool wasShowing = EditorShowing();
  SetEditorMode(true);
  if (!wasShowing && EditorShowing()) editor_->SetSelStart(int(editor_->Text().size()));
}

void TCustomEasyGrid::KeyPress(QChar& key) {
  TCustomControl::KeyPress(key);
  if (key.isNull() || EditorShowing() || !(options_ & goEditing)) return;
  // Backspace and every printing character open the editor; other control characters
  // do not.
  if (key.unicode() < 32 && key != u'\b') return;
  // A typed character opens the editor and goes into it.
  const QChar typed = key;
  key = QChar();
  QPointer<TCustomEasyGrid> self(this);
  ShowEditor();
  if (self && EditorShowing()) editor_->TypeCharacter(typed);
}

void TCustomEasyGrid::DblClick() {
  QPointer<TCustomEasyGrid> self(this);
  TCustomControl::DblClick();
  if (self && (options_ & goEditing)) ShowEditor();
}

} // namespace fw

namespace fw {

void TCustomEasyGrid::DoEnter() {
  QPointer<TCustomEasyGrid> self(this);
  TCustomControl::DoEnter();
  if (self && (options_ & goAlwaysShowEditor) && (options_ & goEditing)) ShowEditor();
}

} // namespace fw
