#pragma once
// Builders for the parts that dialogs place in code: a label at a point, a bar of
// tool buttons showing their captions, the buttons on such a bar, and an edit whose
// value is picked from a code list. They keep the dialogs' construction to one line per
// part and give every button bar one look.

#include "core/SurveyModel.h"
#include "platform/ui/Types.h"

#include <QString>
#include <functional>

namespace fw {

class TForm;
class TFwButtonEdit;
class TFwCheckList;
class TFwCustomGlyphButton;
class TFwPageControl;
class TFwRadioButton;
class TFwToolbar;
class TFwToolButton;
class TLabel;
class TWinControl;

// The colours of the entry form's and the field-list form's pages: a grey-blue flat frame,
// a light grey face on the control and on every sheet, an orange bar on the selected tab.
constexpr TColor kDataPageFlatColor = 0x009C9B91;
constexpr TColor kDataPageColor = 0x00F5F6F7;
constexpr TColor kDataPageHighlightBar = 0x00149BF0;
// Gives the page control and the sheets it holds those colours; sheets added later take
// kDataPageColor themselves.
void SetDataPageColors(TFwPageControl& pages);

// A dialog window: named, captioned, with a dialog border, centred on the screen, in
// the program's font (宋体, 9 points) and with the client size given.
void SetUpDialog(TForm& form, const QString& name, const QString& caption, int clientWidth, int clientHeight);

// For a dialog shown more than once: it forgets the control that had the focus when it
// was last shown, so that, like a new dialog, it starts on the first control of its tab
// order, or on `first` when given (where typing starts). Called before it shows.
void StartAtFirstControl(TForm& form, TWinControl* first = nullptr);

// Every part is owned by the form it sits on.

// An auto-sized label on parent at (left, top).
TLabel* AddLabel(TWinControl* parent, int left, int top, const QString& caption);

// A bar on parent at the bounds given (Bounds(left, top, width, height)): no border,
// no automatic style, the classic look, captions shown, buttons `buttonWidth` wide, placed left to right
// in the order they are added.
TFwToolbar* AddButtonBar(TWinControl* parent, const TRect& bounds, int buttonWidth);

// Such a bar for `buttonCount` buttons at the bottom right of the dialog's client area.
TFwToolbar* AddBottomButtonBar(TForm& form, int buttonCount, int buttonWidth);

// A raised tool button named `name` with the caption on bar; onClick (when given) runs
// on a click.
TFwToolButton* AddBarButton(TFwToolbar* bar, const QString& name, const QString& caption,
                            std::function<void()> onClick = {});

// The dialogs' check boxes and radio buttons (and the radio groups' items) light up under
// the pointer and draw a dark blue glyph frame with a green mark.
constexpr TColor kGlyphFrameColor = 0x0080511C;
constexpr TColor kGlyphMarkColor = 0x0021A121;
void DressGlyphButton(TFwCustomGlyphButton& button);

// A radio button in that look named `name` with the caption on parent at the bounds given.
TFwRadioButton* AddRadioButton(TWinControl* parent, const QString& name, const QString& caption, const TRect& bounds);

// A list of sheets to tick named "TableList" on form at the bounds given: a framed check
// list whose group headers are bands in blue bold text, its glyphs in the look above.
TFwCheckList* AddSheetList(TForm& form, const TRect& bounds);

// The code pickers' drop-down button is this narrow.
constexpr int kPickerButtonWidth = 9;

// A drop-down button edit on parent whose value is picked, never typed, with the narrow
// button; the caller sets what its button does.
TFwButtonEdit* AddDropDownEdit(TWinControl* parent, const QString& name, const TRect& bounds);

// A drop-down button edit whose value is picked from `codes` (which must outlive it):
// its button pops the list up beside it, and the choice shows its name and keeps its
// code as the edit's tag.
TFwButtonEdit* AddCodeEdit(TWinControl* parent, const QString& name, const TRect& bounds, const TMenuItemDataArray& codes);

// Shows the name of `code` in the edit and keeps the code as its tag.
void SetCode(TFwButtonEdit* edit, const TMenuItemDataArray& codes, int code);

} // namespace fw
