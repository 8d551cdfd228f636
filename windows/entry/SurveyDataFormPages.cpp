// The entry form's pages, built from the layout table (EntryPageLayout.h). The cover is
// a printed cover sheet: a title, the numbered cover items in framed captions with their
// fill-in lines and the code pickers beside them, and the form filler and telephone at
// the foot. Each sheet page is a printed statistical table: the sheet's title, a heading row
// (指标名称, 代码, 计量单位, 数值) and one ruled line per item, in one or two column
// groups; the item's caption is its field's hint, its code the field name.
#include "windows/entry/SurveyDataForm.h"

#include "controls/common/FwButtonEdit.h"
#include "controls/common/FwCustomPanel.h"
#include "controls/common/FwFrameController.h"
#include "controls/common/FwLabel.h"
#include "controls/common/FwNumericEdit.h"
#include "controls/navigation/FwPageControl.h"
#include "windows/entry/EntryPageLayout.h"
#include "windows/shared/DialogParts.h"
#include "windows/shared/VKValidEdit.h"

#include <algorithm>

namespace fw {

namespace {

// Sheet pages.
constexpr int kSideMargin = 12;
constexpr int kTitleTop = 8;
constexpr int kTitleHeight = 28;
constexpr int kHeadTop = 40;
constexpr int kHeadHeight = 24;
constexpr int kGroupGap = 12;
constexpr int kCodeWidth = 48;
constexpr int kUnitWidth = 64;
constexpr int kValueWidth = 120;
// A line of the table is as high as the value box in it (21, the edits' height) less the
// one pixel it shares with the next line.
constexpr int kEditHeight = 21;
constexpr int kRowHeight = kEditHeight - 1;
constexpr TColor kHeadColor = RGB(232, 238, 247);

// The cover.
constexpr int kCoverTitleTop = 36;
constexpr int kCoverItemsTop = 132;
constexpr int kCoverRowHeight = 38;
constexpr int kCoverCaptionWidth = 300;
constexpr int kCoverValueWidth = 470;
constexpr int kCoverCodeWidth = 86;
constexpr int kCoverUnitCodeWidth = 150;
constexpr int kCoverFootGap = 24;
constexpr int kFootCaptionWidth = 90;
constexpr int kFootValueWidth = 200;

const QString kDefaultTitles[kEntryPageCount] = {
    QStringLiteral("2014年基层以上工会统计年报"), QStringLiteral("表一 工会组织建设状况"),
    QStringLiteral("表二 工会干部协管工作"), QStringLiteral("表三 工会干部教育培训工作"),
    QStringLiteral("表四 工会保障工作"), QStringLiteral("表四 工会保障工作(续)"),
    QStringLiteral("表五 工会法律工作"), QStringLiteral("表六 工会劳动保护工作"),
    QStringLiteral("表七 工会民主参与及开展创建劳动关系和谐企业与工业园区活动工作"),
    QStringLiteral("表八 工会经济技术工作"), QStringLiteral("表九 工会财务和经费审查工作"),
    QStringLiteral("表十 工会宣传教育和职工文化体育工作"), QStringLiteral("表十一 工会对外交流工作")};

// The cells of one table line.
struct LineCells {
  QRect Name, Code, Unit, Value;
};

LineCells SheetLine(int left, int top, int width, int height) {
  const int nameWidth = width - kCodeWidth - kUnitWidth - kValueWidth;
  LineCells cells;
  // Neighbouring cells overlap by one pixel, so that they share their rule.
  cells.Name = QRect(left, top, nameWidth + 1, height + 1);
  cells.Code = QRect(left + nameWidth, top, kCodeWidth + 1, height + 1);
  cells.Unit = QRect(left + nameWidth + kCodeWidth, top, kUnitWidth + 1, height + 1);
  cells.Value = QRect(left + nameWidth + kCodeWidth + kUnitWidth, top, kValueWidth, height + 1);
  return cells;
}

// The caption of a sheet line: the field's hint, without a "(元)" that the unit cell
// already says, set off from the cell's rule by a blank.
QString SheetCaption(const QString& hint, const QString& unit) {
  const QString suffix = QStringLiteral("(") + unit + QStringLiteral(")");
  if (!unit.isEmpty() && hint.endsWith(suffix)) return QStringLiteral(" ") + hint.left(hint.size() - suffix.size());
  return QStringLiteral(" ") + hint;
}

// A caption that holds line breaks wraps at them and, where a line is too long, at a
// word; other captions stay on one line.
void SetCellCaption(TFwLabel* cell, const QString& caption) {
  cell->SetWordWrap(caption.contains(QLatin1Char('\n')));
  cell->SetCaption(caption);
}

void SetCellFont(TFont& font, int height, bool bold) {
  font.SetName(QStringLiteral("宋体"));
  font.SetHeight(-height);
  font.SetStyle(bold ? TFontStyles(fsBold) : TFontStyles());
}

} // namespace

TFwLabel* TdlgSurveyDataForm::AddCell(TFwCustomPanel* panel, const QRect& r, const QString& caption, int alignment) {
  auto* cell = new TFwLabel(this);
  cell->SetParent(panel);
  cell->SetAutoSize(false);
  cell->SetBounds(r.x(), r.y(), r.width(), r.height());
  cell->SetAlignment(TAlignment(alignment));
  cell->SetLayout(TTextLayout::tlCenter);
  // The frame and the page's colour come from the boxes' controller, as for the values.
  cell->SetFrameController(BoxFrameController);
  // The line box of the text is nearly as high as the cell: no margin, or it is clipped.
  cell->SetTextMargin(0);
  SetCellCaption(cell, caption);
  return cell;
}

void TdlgSurveyDataForm::AddTitle(TFwCustomPanel* panel, int page, int width) {
  auto* title = new TFwLabel(this);
  title->SetName(QStringLiteral("Title%1").arg(page));
  title->SetParent(panel);
  title->SetAutoSize(false);
  title->SetTransparent(true);
  title->SetAlignment(TAlignment::taCenter);
  title->SetLayout(TTextLayout::tlCenter);
  const bool cover = page == 0;
  SetCellFont(title->Font(), cover ? 24 : 16, true);
  title->SetBounds(0, cover ? kCoverTitleTop : kTitleTop, width, cover ? 40 : kTitleHeight);
  title->SetCaption(kDefaultTitles[page]);
  titles_[size_t(page)] = title;
}

// What every editor of the form shares: its name, its place in the editors by name, its
// frame from the controller, the panel's colour, a tab stop, change tracking and the
// Enter and arrow keys.
void TdlgSurveyDataForm::SetUpEditor(TFwCustomEdit* edit, TFwCustomPanel* panel, const QString& name,
                                     TFwFrameController* controller) {
  edit->SetName(name);
  edit->SetParent(panel);
  edit->SetFrameController(controller);
  edit->SetParentColor(true);
  edit->SetTabStop(true);
  edit->OnChange = [this](TObject*) { ContentChange(); };
  edit->OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) { EditKeyDown(sender, key, shift); };
  editors_.insert(name.toLower(), edit);
}

TFwNumericEdit* TdlgSurveyDataForm::CreateSheetEditor(TFwCustomPanel* panel, const QString& name) {
  auto* edit = new TFwNumericEdit(this);
  SetUpEditor(edit, panel, name, BoxFrameController);
  edit->SetDisplayFormat(QStringLiteral(",#"));
  edit->SetAllowBlank(true);
  edit->SetCheckRange(true);
  edit->SetMax(name == QLatin1String("z001") ? 999999999 : 99999999);
  if (name == QLatin1String("z011") || name == QLatin1String("z012")) {
    edit->SetMax(3);
    edit->SetMaxLength(1);
  }
  sheetEditors_.push_back(edit);
  return edit;
}

void TdlgSurveyDataForm::BuildSheetPage(int page, TFwCustomPanel* panel) {
  // The panel fills the page control's display rectangle once the form is shown.
  const TRect display = DataPage->DisplayRect();
  AddTitle(panel, page, display.Width());
  const std::vector<const TEntryLayoutItem*> items = PageItems(EntryPageLayout(), page);
  int groups = 1;
  for (const TEntryLayoutItem* item : items) groups = std::max(groups, item->Column + item->Span);
  const int width = display.Width() - 2 * kSideMargin;
  const int groupWidth = (width - (groups - 1) * kGroupGap) / groups;
  const int bodyTop = kHeadTop + kHeadHeight;

  for (int g = 0; g < groups; ++g) {
    const LineCells head = SheetLine(kSideMargin + g * (groupWidth + kGroupGap), kHeadTop, groupWidth, kHeadHeight);
    const int center = int(TAlignment::taCenter);
    for (auto [rect, caption] : {std::pair{head.Name, QStringLiteral("指 标 名 称")}, std::pair{head.Code, QStringLiteral("代码")},
                                 std::pair{head.Unit, QStringLiteral("计量单位")}, std::pair{head.Value, QStringLiteral("数  值")}}) {
      TFwLabel* cell = AddCell(panel, rect, caption, center);
      // Heads keep their own shading through the controller's pushes.
      cell->SetFrameControllerNotifications(fcnAll & ~FcpBit(TFwFrameControllerProperty::fcpColor) &
                                            ~FcpBit(TFwFrameControllerProperty::fcpParentColor));
      cell->SetColor(kHeadColor);
      if (rect == head.Value) cell->SetWidth(rect.width() + 1);
    }
  }

  int tabOrder = 0;
  for (const TEntryLayoutItem* item : items) {
    const int left = kSideMargin + item->Column * (groupWidth + kGroupGap);
    const int span = item->Span * groupWidth + (item->Span - 1) * kGroupGap;
    const LineCells cells = SheetLine(left, bodyTop + item->Row * kRowHeight, span, kRowHeight);
    // Item names read from the left, as in the printed table; heads, codes and units are
    // centred.
    TFwLabel* name = AddCell(panel, cells.Name, QString(), int(TAlignment::taLeftJustify));
    name->SetName(QStringLiteral("Caption_") + item->Field);
    captions_.insert(item->Field.toLower(), name);
    units_.insert(item->Field.toLower(), item->Unit);
    AddCell(panel, cells.Code, item->Field, int(TAlignment::taCenter));
    AddCell(panel, cells.Unit, item->Unit, int(TAlignment::taCenter));
    TFwNumericEdit* edit = CreateSheetEditor(panel, item->Field);
    edit->SetBounds(cells.Value.x(), cells.Value.y(), cells.Value.width(), cells.Value.height());
    edit->SetTabOrder(tabOrder++);
    // Hints show the item in full where its caption cell is too narrow.
    name->SetHint(item->Field);
  }
}

TFwButtonEdit* TdlgSurveyDataForm::CreatePicker(TFwCustomPanel* panel, const QString& name, const QString& hint) {
  auto* picker = new TFwButtonEdit(this);
  picker->SetName(name);
  picker->SetParent(panel);
  picker->SetAllowKeyEdit(false);
  picker->SetButtonKind(TButtonKind::bkDropDown);
  picker->SetButtonWidth(kPickerButtonWidth);
  picker->SetButtonShortCut(0);
  picker->SetTabStop(false);
  picker->SetHint(hint);
  picker->SetFrameController(LineFrameController);
  picker->SetParentColor(true);
  picker->OnChange = [this](TObject*) { ContentChange(); };
  return picker;
}

void TdlgSurveyDataForm::CreateCoverEditors(TFwCustomPanel* panel) {
  auto numeric = [&](const QString& name, int maxLength, const QString& format) {
    auto* edit = new TFwNumericEdit(this);
    SetUpEditor(edit, panel, name, LineFrameController);
    edit->SetMaxLength(maxLength);
    edit->SetDisplayFormat(format);
    edit->SetAlignment(TLeftRight::taLeftJustify);
    return edit;
  };
  auto text = [&](const QString& name, int maxLength) {
    auto* edit = new TVKValidEdit(this);
    SetUpEditor(edit, panel, name, LineFrameController);
    edit->SetMaxLength(maxLength);
    edit->SetCheckType(TCheckType::tcForbid);
    edit->SetForbidChars(kQuoteChars);
    edit->OnEnter = [this](TObject* sender) { EditBoxEnter(sender); };
    return edit;
  };

  c901 = numeric(QStringLiteral("c901"), 12, QStringLiteral("#"));
  c901->SetAllowBlank(true);
  c901->SetBlankValue(1);
  c901->SetCheckRange(true);
  c901->SetMin(1);
  c901->SetMax(99999999999999.0);
  c902 = text(QStringLiteral("c902"), 60);
  c903 = numeric(QStringLiteral("c903"), 6, QStringLiteral("000000"));
  c904 = numeric(QStringLiteral("c904"), 6, QStringLiteral("#"));
  c904->SetAllowBlank(true);
  c904->SetBlankValue(10);
  c904->SetValue(10);
  c907 = numeric(QStringLiteral("c907"), 6, QStringLiteral("#"));
  c907->SetAllowBlank(true);
  c905 = text(QStringLiteral("c905"), 50);
  c906 = text(QStringLiteral("c906"), 50);
  int order = 0;
  for (TWinControl* edit : std::initializer_list<TWinControl*>{c901, c902, c903, c904, c907, c905, c906})
    edit->SetTabOrder(order++);

  c901->OnExit = [this](TObject* sender) { c901Exit(sender); };
  c902->OnExit = [this](TObject* sender) { c902Exit(sender); };
  c903->OnExit = [this](TObject* sender) { c903Exit(sender); };
  c904->OnExit = [this](TObject* sender) { c904Exit(sender); };
  c905->OnExit = [this](TObject* sender) { c905Exit(sender); };
  c906->OnExit = [this](TObject* sender) { c906Exit(sender); };
  c907->OnExit = [this](TObject* sender) { c907Exit(sender); };
  c906->OnKeyPress = [this](TObject* sender, QChar& key) { EditKeyPress(sender, key); };
  c905->OnKeyPress = [this](TObject* sender, QChar& key) { c905KeyPress(sender, key); };

  CityNameCtrl = CreatePicker(panel, QStringLiteral("CityNameCtrl"), QStringLiteral("选择本级工会所在地行政区划"));
  CityNameCtrl->OnButtonClick = [this](TObject*) { CityNameCtrlButtonClick(); };
  LevelName = CreatePicker(panel, QStringLiteral("LevelName"), QStringLiteral("本级工会层次"));
  LevelName->OnButtonClick = [this](TObject*) { LevelNameButtonClick(); };
  StateName = CreatePicker(panel, QStringLiteral("StateName"), QString());
  StateName->OnButtonClick = [this](TObject*) { StateNameButtonClick(); };
  for (TFwButtonEdit* picker : {CityNameCtrl, LevelName, StateName}) picker->SetTabOrder(order++);
}

void TdlgSurveyDataForm::BuildCoverPage(TFwCustomPanel* panel) {
  const TRect display = DataPage->DisplayRect();
  AddTitle(panel, 0, display.Width());
  auto* subtitle = new TFwLabel(this);
  subtitle->SetParent(panel);
  subtitle->SetAutoSize(false);
  subtitle->SetTransparent(true);
  subtitle->SetAlignment(TAlignment::taCenter);
  subtitle->SetLayout(TTextLayout::tlCenter);
  SetCellFont(subtitle->Font(), 18, true);
  subtitle->SetBounds(0, kCoverTitleTop + 48, display.Width(), 26);
  subtitle->SetCaption(QStringLiteral("封    面"));

  CreateCoverEditors(panel);
  const QHash<QString, TFwButtonEdit*> pickers{
      {QStringLiteral("c903"), CityNameCtrl}, {QStringLiteral("c904"), LevelName}, {QStringLiteral("c907"), StateName}};
  const int left = (display.Width() - kCoverCaptionWidth - kCoverValueWidth) / 2;
  int footTop = kCoverItemsTop;
  for (const TEntryLayoutItem* item : PageItems(EntryPageLayout(), 0)) {
    TWinControl* edit = Editor(item->Field);
    if (!edit) continue;
    const int center = int(TAlignment::taCenter);
    if (!pickers.contains(item->Field) && item->Field != QLatin1String("c901") && item->Field != QLatin1String("c902")) {
      // The foot line: form filler and telephone side by side.
      const int x = left + item->Column * (kFootCaptionWidth + kFootValueWidth + 60);
      const int y = footTop + kCoverFootGap;
      AddCell(panel, QRect(x, y, kFootCaptionWidth, kEditHeight), item->Caption, center);
      edit->SetBounds(x + kFootCaptionWidth, y, kFootValueWidth, kEditHeight);
      continue;
    }
    const int y = kCoverItemsTop + item->Row * kCoverRowHeight;
    footTop = std::max(footTop, y + kCoverRowHeight);
    AddCell(panel, QRect(left, y, kCoverCaptionWidth, kEditHeight), item->Caption, center);
    const int valueLeft = left + kCoverCaptionWidth;
    if (TFwButtonEdit* picker = pickers.value(item->Field)) {
      edit->SetBounds(valueLeft, y, kCoverCodeWidth, kEditHeight);
      picker->SetBounds(valueLeft + kCoverCodeWidth + 16, y, kCoverValueWidth - kCoverCodeWidth - 16, kEditHeight);
    } else {
      const int width = item->Span > 1 ? kCoverValueWidth : kCoverUnitCodeWidth;
      edit->SetBounds(valueLeft, y, width, kEditHeight);
    }
  }
}

// After the field list was read: captions from the hints, and the ranges and formats
// that follow each field's type (yes/no codes 0..2 in one digit; amounts with cents).
void TdlgSurveyDataForm::ApplyFieldListToEditors() {
  bound_.clear();
  bound_.reserve(fields_.size());
  for (const TEntryField& field : fields_) {
    TWinControl* control = Editor(field.FieldName);
    if (!control) continue;
    TBoundField b;
    b.Field = &field;
    b.Control = control;
    b.Numeric = dynamic_cast<TFwNumericEdit*>(control);
    b.Text = dynamic_cast<TVKValidEdit*>(control);
    bound_.push_back(b);
    if (TFwLabel* caption = captions_.value(field.FieldName.toLower())) {
      SetCellCaption(caption, SheetCaption(field.Hint, units_.value(field.FieldName.toLower())));
      caption->SetHint(field.FieldName + QStringLiteral(" ") + field.Hint);
      control->SetHint(field.Hint);
    }
    if (!b.Numeric || field.PageID < 1) continue;
    if (field.QueryType == 3) {
      b.Numeric->SetMax(2);
      b.Numeric->SetMaxLength(1);
    } else if (field.QueryType == 2) {
      b.Numeric->SetIntegersOnly(false);
      b.Numeric->SetDisplayFormat(QStringLiteral(",#.##"));
    }
  }
}

} // namespace fw
