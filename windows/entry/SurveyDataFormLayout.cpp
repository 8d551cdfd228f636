// The entry form's frame: window settings, data components, the tool bar with its six
// buttons, the navigation bar with its four actions and the position text, the page
// control with one white panel per page, and the notes pane. The pages' content
// is built in SurveyDataFormPages.cpp.
#include "windows/entry/SurveyDataForm.h"

#include "controls/common/FwCustomPanel.h"
#include "controls/common/FwRichEdit.h"
#include "controls/common/FwFrameController.h"
#include "controls/common/FwSpacer.h"
#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "controls/navigation/FwPageControl.h"
#include "controls/navigation/FwTabSheet.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/AdoTable.h"
#include "platform/ui/ActionList.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Label.h"
#include "windows/shared/DialogParts.h"
#include "windows/shared/BarImageList.h"

namespace fw {

namespace {

constexpr int kClientWidth = 994;
constexpr int kClientHeight = 726;
constexpr int kToolBarHeight = 50;
// The bars' buttons: captions under 24-pixel pictures, each button as wide as its caption
// needs, the groups of buttons set apart by gaps.
constexpr int kToolButtonHeight = kToolBarHeight - 4;
constexpr int kImageSize = 24;
constexpr int kPageTop = 52;
constexpr int kPageHeight = 452;
// The tab rows are at least this high.
constexpr int kPageTabRowHeight = 19;
constexpr int kNotesWidth = 977;
constexpr int kNotesHeight = 212;
// The pages' panels: white paper in a grooved frame. The grid is set up but not shown,
// so that the pages read as the printed form.
constexpr TColor kPanelBorderColor = TColor(0x00F5F6F7);
constexpr int kPanelGridSize = 10;
constexpr TColor kNotesFocusColor = TColor(0xCCFFFF);

// The picture of a button held down, shared by every button of the form.
constexpr int kHeldDownImage = 4;

// Every look a button that can be disabled shows: hot, greyed and held down.
constexpr unsigned kAllLooks = blkHot | blkDisabled | blkDown;

// What comes before a button on its bar (a hidden gap keeps the pair together).
enum class TGap { None, Plain, Grooved, Hidden };

const char* const kTabCaptions[kEntryPageCount] = {"封面", "表1", "表2", "表3", "表4",  "表4续", "表5",
                                                   "表6",  "表7", "表8", "表9", "表10", "表11"};

struct ButtonRow {
  TFwToolButton* TdlgSurveyDataForm::*member;
  const char* name;
  const char* caption;
  TBarButtonLook look;
  TGap gap;
};

const ButtonRow kButtons[] = {
    {&TdlgSurveyDataForm::tbPrint, "tbPrint", "打  印",
     {.Icon = BarIcon::Print, .Hint = "打印当前的报表", .Width = 71, .Looks = kAllLooks, .OwnStyle = true}, TGap::None},
    {&TdlgSurveyDataForm::tbReturn, "tbReturn", "返  回",
     {.Icon = BarIcon::Return, .Hint = "关闭录入窗口|不保存改动，关闭录入窗口", .Width = 71, .OwnStyle = true},
     TGap::Plain},
    {&TdlgSurveyDataForm::tbHold, "tbHold", "临时保存",
     {.Icon = BarIcon::Hold,
      .Hint = "临时保存输入的数据|临时保存已经输入的数据，不检查数据的逻辑关系，保存后可继续编辑，临时保存的数据不能被导出或上报",
      .Width = 80, .Looks = kAllLooks, .OwnStyle = true},
     TGap::Grooved},
    {&TdlgSurveyDataForm::tbAdd, "tbAdd", "保存记录",
     {.Icon = BarIcon::Save,
      .Hint = "正式保存输入的数据|正式保存已经数据的数据，将检查数据的逻辑关系，保存后会请空所有已经输入的数据，以便输入新的数据",
      .Width = 80, .Looks = blkHot | blkDown, .OwnStyle = true},
     TGap::Plain},
    {&TdlgSurveyDataForm::tbSave, "tbSave", "保存记录",
     {.Icon = BarIcon::Save, .Hint = "正式保存输入的数据|正式保存已经数据的数据，将检查数据的逻辑关系", .Width = 80,
      .Looks = kAllLooks, .OwnStyle = true},
     TGap::None},
    {&TdlgSurveyDataForm::tbCheck, "tbCheck", "检查逻辑",
     {.Icon = BarIcon::Check, .Hint = "检查数据的逻辑|检查当前记录各表数据的逻辑关系", .Width = 80, .Looks = kAllLooks,
      .OwnStyle = true},
     TGap::Plain},
};

struct ActionRow {
  TAction* TdlgSurveyDataForm::*member;
  const char* name;
  const char* caption;
  TBarButtonLook look;
  TGap gap;
  TdlgSurveyDataForm::TMove move;
};

const ActionRow kActions[] = {
    {&TdlgSurveyDataForm::actFirst, "actFirst", "第一条",
     {.Icon = BarIcon::First, .Hint = "显示第一条记录", .Width = 71, .Looks = kAllLooks, .OwnStyle = true}, TGap::None,
     TdlgSurveyDataForm::TMove::First},
    {&TdlgSurveyDataForm::actPrev, "actPrev", "上一条",
     {.Icon = BarIcon::Prev, .Hint = "显示上一条记录", .Width = 71, .Looks = kAllLooks, .OwnStyle = true}, TGap::None,
     TdlgSurveyDataForm::TMove::Prior},
    {&TdlgSurveyDataForm::actNext, "actNext", "下一条",
     {.Icon = BarIcon::Next, .Hint = "显示下一条记录", .Width = 71, .Looks = kAllLooks, .OwnStyle = true}, TGap::Hidden,
     TdlgSurveyDataForm::TMove::Next},
    {&TdlgSurveyDataForm::actLast, "actLast", "最后一条",
     {.Icon = BarIcon::Last, .Hint = "显示最后一条记录", .Width = 80, .Looks = kAllLooks, .OwnStyle = true}, TGap::None,
     TdlgSurveyDataForm::TMove::Last},
};

// The gap before a button, as tall as the buttons.
void AddGap(TFwToolbar* bar, TGap gap) {
  if (gap == TGap::None) return;
  TFwSpacer* spacer = gap == TGap::Hidden ? AddHiddenBarSpacer(bar) : AddBarSpacer(bar, gap == TGap::Grooved);
  spacer->SetHeight(kToolButtonHeight);
}

// A button of the form's bars: its pictures, hint and look, its own size, on the bar.
TFwToolButton* NewBarButton(TdlgSurveyDataForm* form, TFwToolbar* bar, const char* name, const TBarButtonLook& look) {
  auto* button = new TFwToolButton(form);
  button->SetName(QString::fromLatin1(name));
  DressToolButton(*button, *form, look);
  button->SetBounds(0, 0, look.Width, kToolButtonHeight);
  button->SetParent(bar);
  return button;
}

TFwToolbar* NewToolbar(TdlgSurveyDataForm* form, const QString& name) {
  TFwToolbar* bar = AddButtonBar(form, Bounds(0, 0, 0, kToolBarHeight));
  bar->SetName(name);
  bar->SetAutoResize(false);
  bar->SetButtonLayout(TButtonLayout::blGlyphTop);
  bar->SetButtonHeight(kToolButtonHeight);
  bar->SetRowHeight(kToolButtonHeight);
  return bar;
}

// The two looks of the form's fields. Boxed fields (the sheet values and the table's
// cells) show a frame in the text colour that sinks in while hot or focused, grey when
// disabled, teal when read-only even with the focus, on the page's colour. Underlined
// fields (the cover) show a black bottom line that turns blue while hot or focused.
// Both are built as loading, so that hot tracking keeps the sides given here; they push
// everything once when CreatePages ends their loading.
TFwFrameController* NewBoxFrameController() {
  auto* box = new TFwFrameController();
  box->BeginLoad();
  box->SetDisabledColor(clGray);
  box->SetReadOnlyColor(clTeal);
  box->SetReadOnlyColorOnFocus(true);
  box->SetFrameColor(clBtnText);
  box->SetFrameHotColor(clRed);
  box->SetFrameHotStyle(TFrameStyle::fsLowered);
  box->SetFrameHotTrack(true);
  box->SetFrameVisible(true);
  box->SetFramingPreference(TFramingPreference::fpCustomFraming);
  box->SetParentColor(true);
  return box;
}

TFwFrameController* NewLineFrameController() {
  auto* line = new TFwFrameController();
  line->BeginLoad();
  line->SetFrameColor(clBlack);
  line->SetFrameHotColor(clBlue);
  line->SetFrameHotStyle(TFrameStyle::fsFlat);
  line->SetFrameHotTrack(true);
  line->SetFrameSides(sdBottom);
  line->SetFrameVisible(true);
  line->SetFramingPreference(TFramingPreference::fpCustomFraming);
  return line;
}

} // namespace

TdlgSurveyDataForm* dlgSurveyDataForm = nullptr;

TdlgSurveyDataForm::TdlgSurveyDataForm(TComponent* owner) : TForm(owner) {
  if (!dlgSurveyDataForm) dlgSurveyDataForm = this;
  SetName(QStringLiteral("dlgSurveyDataForm"));
  BeginLoad();
  SetCaption(kEntryFormCaption);
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetBorderIcons(biSystemMenu);
  Font().SetName(QStringLiteral("宋体"));
  Font().SetHeight(-13);
  SetKeyPreview(true);
  SetShowHint(true);
  SetClientWidth(kClientWidth);
  SetClientHeight(kClientHeight);
  CreateDataComponents();
  CreateImages();
  CreateToolBar();
  CreateNavigation();
  CreatePages();
  CreateNotesPane();
  OnCloseQuery = [this](TObject*, bool& canClose) { FormCloseQuery(canClose); };
  EndLoad();
}

TdlgSurveyDataForm::~TdlgSurveyDataForm() {
  // The controllers outlive the controls that registered with them.
  DestroyComponents();
  delete RecordQuery;
  delete QueryTool;
  delete CodeTable;
  delete BoxFrameController;
  delete LineFrameController;
  if (dlgSurveyDataForm == this) dlgSurveyDataForm = nullptr;
}

void TdlgSurveyDataForm::CreateDataComponents() {
  RecordQuery = new TADOQuery();
  RecordQuery->SetSQL(QStringLiteral("SELECT * from dt_data Where c901=:ReocrdID"));
  QueryTool = new TADOQuery();
  CodeTable = new TADOTable();
  CodeTable->SetIndexFieldNames(QStringLiteral("ID"));
}

void TdlgSurveyDataForm::CreateImages() {
  // The form's image list, which the bars' buttons take their pictures from.
  ToolImages = new TBarImageList(this, kImageSize);
  ToolImages->SetName(QStringLiteral("ImageList1"));
  // The first pictures in the order of the bar, then the one picture that every button
  // of the form shows while it is held down, at index 4.
  ToolImages->IndexOf(QString::fromLatin1(BarIcon::Print), TBarImageLook::Normal);
  ToolImages->IndexOf(QString::fromLatin1(BarIcon::Print), TBarImageLook::Hot);
  ToolImages->IndexOf(QString::fromLatin1(BarIcon::Print), TBarImageLook::Disabled);
  ToolImages->IndexOf(QString::fromLatin1(BarIcon::Return), TBarImageLook::Normal);
  const int down = ToolImages->ShareDownImage(QString::fromLatin1(BarIcon::Working));
  Q_ASSERT(down == kHeldDownImage);
}

void TdlgSurveyDataForm::CreateToolBar() {
  ToolBar1 = NewToolbar(this, QStringLiteral("ToolBar1"));
  for (const ButtonRow& row : kButtons) {
    AddGap(ToolBar1, row.gap);
    TFwToolButton* button = NewBarButton(this, ToolBar1, row.name, row.look);
    button->SetCaption(QString::fromUtf8(row.caption));
    this->*row.member = button;
  }
  ToolBar1->SetWidth(ButtonBarContentWidth(*ToolBar1));
  tbPrint->OnClick = [this](TObject*) { tbPrintClick(); };
  tbReturn->OnClick = [this](TObject*) { tbReturnClick(); };
  tbHold->OnClick = [this](TObject*) { tbHoldClick(); };
  tbAdd->OnClick = [this](TObject* sender) { tbSaveClick(sender); };
  tbSave->OnClick = [this](TObject* sender) { tbSaveClick(sender); };
  tbCheck->OnClick = [this](TObject*) { tbCheckClick(); };
}

void TdlgSurveyDataForm::CreateNavigation() {
  ActionList1 = new TActionList(this);
  ActionList1->SetName(QStringLiteral("ActionList1"));
  ActionList1->SetImages(ToolImages);
  NavBar = NewToolbar(this, QStringLiteral("NavBar"));
  for (const ActionRow& row : kActions) {
    auto* action = new TAction(this);
    action->SetName(QString::fromLatin1(row.name));
    action->SetCaption(QString::fromUtf8(row.caption));
    action->SetHint(QString::fromUtf8(row.look.Hint));
    action->SetImageIndex(ToolImages->IndexOf(QString::fromLatin1(row.look.Icon), TBarImageLook::Normal));
    action->SetActionList(ActionList1);
    const TMove move = row.move;
    action->OnExecute = [this, move](TBasicAction*) { Navigate(move); };
    this->*row.member = action;
    AddGap(NavBar, row.gap);
    const QString name = QStringLiteral("tb") + QString::fromLatin1(row.name).mid(3);
    NewBarButton(this, NavBar, name.toLatin1().constData(), row.look)->SetAction(action);
  }
  const int width = ButtonBarContentWidth(*NavBar);
  NavBar->SetBounds(kClientWidth - width, 0, width, kToolBarHeight);
  ActionList1->OnUpdate = [this](TBasicAction*, bool& handled) {
    UpdateNavigationActions();
    handled = true;
  };

  ItemNo = new TLabel(this);
  ItemNo->SetName(QStringLiteral("ItemNo"));
  ItemNo->SetParent(this);
  ItemNo->SetAutoSize(false);
  ItemNo->SetAlignment(TAlignment::taCenter);
  ItemNo->SetLayout(TTextLayout::tlCenter);
  ItemNo->SetBounds(kClientWidth - width - 150, 0, 146, kToolBarHeight);
}

void TdlgSurveyDataForm::CreatePages() {
  BoxFrameController = NewBoxFrameController();
  LineFrameController = NewLineFrameController();

  DataPage = new TFwPageControl(this);
  DataPage->SetName(QStringLiteral("DataPage"));
  DataPage->SetParent(this);
  DataPage->SetBounds(4, kPageTop, kClientWidth - 8, kPageHeight);
  DataPage->SetTabOrientation(TFwTabOrientation::toBottom);
  DataPage->SetMultiLine(true);
  DataPage->SetTabHints(true);
  DataPage->SetTabStop(false);
  DataPage->SetFixedDimension(kPageTabRowHeight);
  for (int page = 0; page < kEntryPageCount; ++page) {
    auto* sheet = new TFwTabSheet(this);
    sheet->SetName(QStringLiteral("TabSheet%1").arg(page + 1));
    sheet->SetCaption(QString::fromUtf8(kTabCaptions[page]));
    sheet->SetPageControl(DataPage);
    Pages[size_t(page)] = sheet;

    auto* panel = new TFwCustomPanel(this);
    panel->SetName(QStringLiteral("Panel%1").arg(page + 1));
    panel->SetParent(sheet);
    panel->SetAlign(TAlign::alClient);
    panel->SetColor(clWhite);
    panel->SetBorderColor(kPanelBorderColor);
    // The twelve tables stand in a grooved frame; the cover keeps the panel's own raised one.
    if (page > 0) {
      panel->SetBorderOuter(TFrameStyleEx::fsGroove);
      panel->SetGridStyle(TFwGridStyle::gsDottedLines);
    }
    panel->SetGridXSize(kPanelGridSize);
    panel->SetGridYSize(kPanelGridSize);
    panel->SetShowGrid(false);
    panels_[size_t(page)] = panel;
  }
  SetDataPageColors(*DataPage);
  DataPage->SetActivePageIndex(0);
  DataPage->OnChanging = [this](TObject*, int newIndex, bool& allow) { DataPageChanging(newIndex, allow); };
  DataPage->OnChange = [this](TObject*) { DataPageChange(); };

  BuildCoverPage(panels_[0]);
  for (int page = 1; page < kEntryPageCount; ++page) BuildSheetPage(page, panels_[size_t(page)]);
  BoxFrameController->EndLoad();
  LineFrameController->EndLoad();
}

void TdlgSurveyDataForm::CreateNotesPane() {
  rtfNotes = new TFwRichEdit(this);
  rtfNotes->SetName(QStringLiteral("rtfNotes"));
  rtfNotes->SetParent(this);
  rtfNotes->SetBounds((kClientWidth - kNotesWidth) / 2, kPageTop + kPageHeight + 4, kNotesWidth, kNotesHeight);
  rtfNotes->SetReadOnly(true);
  rtfNotes->SetColor(clInfoBk);
  rtfNotes->SetDisabledColor(clInfoBk);
  rtfNotes->SetFocusColor(kNotesFocusColor);
  rtfNotes->SetFrameVisible(true);
  rtfNotes->SetTabStop(false);
  rtfNotes->SetScrollBars(TScrollStyle::ssVertical);
  rtfNotes->Font().SetName(QStringLiteral("Verdana"));
  rtfNotes->Font().SetHeight(-11);
}

} // namespace fw
