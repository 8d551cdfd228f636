// The grid's side of in-place editing: when the editor may show, the texts it starts
// with and stores, and the keys that open it.

#include "grid/CustomEasyGrid.h"

#include "grid/InplaceEdit.h"
#include "platform/ui/VirtualKeys.h"

#include <QInputMethodEvent>
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
  // A Tab that reached the grid (it asked for it) moves between cells and goes no
  // further, so it does not move the focus as well.
  const bool tab = key == VK_TAB;
  NavigateKey(key, shift);
  if (tab) key = 0;
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
  const QChar typed = key;
  key = QChar();
  TypeIntoCell(typed);
}

// A typed character opens the editor and goes into it.
void TCustomEasyGrid::TypeIntoCell(QChar typed) {
  QPointer<TCustomEasyGrid> self(this);
  if (!EditorShowing()) ShowEditor();
  if (self && EditorShowing()) editor_->TypeCharacter(typed);
}

void TCustomEasyGrid::UpdateInputMethod() {
  // Text composed by an input method is typing as well: the grid takes it while the
  // editor is closed, when typing can open the editor.
  setAttribute(Qt::WA_InputMethodEnabled, (options_ & goEditing) && !(options_ & goRowSelect));
}

void TCustomEasyGrid::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  if (commit.isEmpty() || !(options_ & goEditing)) {
    TCustomControl::inputMethodEvent(event);
    return;
  }
  event->accept();
  // Each composed character arrives as a typed one: the key event sees it, the first
  // opens the editor and all go into it.
  QPointer<TCustomEasyGrid> self(this);
  for (QChar ch : commit) {
    QChar key = ch;
    TCustomControl::KeyPress(key);
    if (!self) return;
    if (!key.isNull() && (key.unicode() >= 32 || key == u'\b')) TypeIntoCell(key);
    if (!self) return;
  }
}

QVariant TCustomEasyGrid::inputMethodQuery(Qt::InputMethodQuery query) const {
  // The input method's candidate window opens at the current cell.
  if (query == Qt::ImCursorRectangle)
    return CellRect(col_, row_).ToQt().translated(BorderWidth(), BorderWidth());
  return TCustomControl::inputMethodQuery(query);
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
