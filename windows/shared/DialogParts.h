#pragma once
// Builders for the parts that dialogs place in code: a label at a point, a bar of
// tool buttons showing their captions, the buttons on such a bar, and an edit whose
// value is picked from a code list. They keep the dialogs' construction to one line per
// part and give every button bar one look.

#include "core/SurveyModel.h"
#include "platform/ui/Types.h"
#include "windows/shared/BarImageList.h"

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
class TFwSpacer;
enum class TFwToolbarTextOptions;
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

// Every bar's buttons are this wide unless they keep a width of their own.
constexpr int kBarButtonWidth = 60;

// A bar on parent at the bounds given (Bounds(left, top, width, height)): no border,
// no automatic style, the classic look, captions shown, buttons kBarButtonWidth wide,
// placed left to right in the order they are added. With `textOptions` the bar takes
// that preset of layout, size and captions (before any button joins it).
TFwToolbar* AddButtonBar(TWinControl* parent, const TRect& bounds);
TFwToolbar* AddButtonBar(TWinControl* parent, const TRect& bounds, TFwToolbarTextOptions textOptions);

// A dialog's button bar "FwToolbar1" at the bottom right of its client area, with the
// form's image list; FitButtonBar sizes it once its buttons are on it.
TFwToolbar* AddBottomButtonBar(TForm& form);
TFwToolbar* AddBottomButtonBar(TForm& form, TFwToolbarTextOptions textOptions);

// The width a bar needs for what it shows in one row, margins included.
int ButtonBarContentWidth(const TFwToolbar& bar);
// Makes a bar (not aligned) as wide as what it shows, keeping its right edge.
void FitButtonBar(TFwToolbar& bar);

// How a tool button looks: the icon its images are made from (an icon-theme name), the
// hint ("short|long"), its own width (0: the bar's button width), the looks it has images
// for besides its own (TBarLooks), and whether it sets its classic look and caption
// switch (or only the caption switch) itself instead of taking the bar's.
struct TBarButtonLook {
  const char* Icon = "";
  const char* Hint = "";
  int Width = 0;
  unsigned Looks = blkHot;
  bool OwnStyle = false;
  // Sets only its caption switch itself.
  bool OwnCaption = false;
};

// The dialogs' return button (返  回, 关  闭): it closes the window.
constexpr TBarButtonLook kReturnLook{.Icon = BarIcon::Return, .Hint = "关闭本窗口", .Width = 75};

// Gives a tool button its images from the form's image list, its hint and, as asked,
// its own width, classic look and caption switch.
void DressToolButton(TFwToolButton& button, TForm& form, const TBarButtonLook& look);

// A tool button named `name` with the caption on bar, dressed as `look` says; onClick
// (when given) runs on a click.
TFwToolButton* AddBarButton(TFwToolbar* bar, const QString& name, const QString& caption, const TBarButtonLook& look,
                            std::function<void()> onClick = {});

// A gap and then the dialog's 返  回 button named `name`, which closes the bar's window.
TFwToolButton* AddReturnButton(TFwToolbar* bar, const QString& name);

// A gap (grooved: with a groove down its middle) after the bar's last control.
TFwSpacer* AddBarSpacer(TFwToolbar* bar, bool grooved = false);
// A spacer kept in the bar's order but not shown: the buttons on either side belong
// together and stand side by side, apart from the next group.
TFwSpacer* AddHiddenBarSpacer(TFwToolbar* bar);

// Shows a bar's spacers only between two shown buttons (never two in a row, never at
// either end), for bars whose buttons come and go.
void ShowSpacersBetweenButtons(TFwToolbar& bar);

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
