// The entry form's frame: window settings, data components, the tool bar with its six
// buttons, the navigation bar with its four actions and the position text, the page
// control with one white panel per page, and the notes pane. The pages' content
// is built in SurveyDataFormPages.cpp.
#include "windows/entry/SurveyDataForm.h"

#include "controls/common/FwCustomPanel.h"
#include "controls/common/FwRichEdit.h"
#include "controls/common/FwFrameController.h"
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
#include "windows/shared/ThemedImages.h"

namespace fw {

namespace {

constexpr int kClientWidth = 994;
constexpr int kClientHeight = 726;
constexpr int kToolBarHeight = 50;
constexpr int kToolButtonWidth = 66;
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

// The pictures of ToolImages by index.
enum ImageIndex { imPrint, imReturn, imHold, imSave, imCheck, imFirst, imPrev, imNext, imLast };
const char* const kImageNames[] = {"document-print", "application-exit", "document-save-as",
                                   "document-save",  "tools-check-spelling", "go-first",
                                   "go-previous",    "go-next",          "go-last"};

const char* const kTabCaptions[kEntryPageCount] = {"封面", "表1", "表2", "表3", "表4",  "表4续", "表5",
                                                   "表6",  "表7", "表8", "表9", "表10", "表11"};

struct ButtonRow {
  TFwToolButton* TdlgSurveyDataForm::*member;
  const char* name;
  const char* caption;
  const char* hint;
  int image;
};

const ButtonRow kButtons[] = {
    {&TdlgSurveyDataForm::tbPrint, "tbPrint", "打  印", "打印当前的报表", imPrint},
    {&TdlgSurveyDataForm::tbReturn, "tbReturn", "返  回", "", imReturn},
    {&TdlgSurveyDataForm::tbHold, "tbHold", "临时保存",
     "临时保存输入的数据|临时保存已经输入的数据，不检查数据的逻辑关系，保存后可继续编辑，临时保存的数据不能被导出或上报",
     imHold},
    {&TdlgSurveyDataForm::tbAdd, "tbAdd", "保存记录",
     "正式保存输入的数据|正式保存已经数据的数据，将检查数据的逻辑关系，保存后会请空所有已经输入的数据，以便输入新的数据",
     imSave},
    {&TdlgSurveyDataForm::tbSave, "tbSave", "保存记录",
     "正式保存输入的数据|正式保存已经数据的数据，将检查数据的逻辑关系", imSave},
    {&TdlgSurveyDataForm::tbCheck, "tbCheck", "检查逻辑", "", imCheck},
};

struct ActionRow {
  TAction* TdlgSurveyDataForm::*member;
  const char* name;
  const char* caption;
  int image;
  TdlgSurveyDataForm::TMove move;
};

const ActionRow kActions[] = {
    {&TdlgSurveyDataForm::actFirst, "actFirst", "第一条", imFirst, TdlgSurveyDataForm::TMove::First},
    {&TdlgSurveyDataForm::actPrev, "actPrev", "上一条", imPrev, TdlgSurveyDataForm::TMove::Prior},
    {&TdlgSurveyDataForm::actNext, "actNext", "下一条", imNext, TdlgSurveyDataForm::TMove::Next},
    {&TdlgSurveyDataForm::actLast, "actLast", "最后一条", imLast, TdlgSurveyDataForm::TMove::Last},
};

TFwToolbar* NewToolbar(TdlgSurveyDataForm* form, const QString& name, TImageList* images) {
  auto* bar = new TFwToolbar(form);
  bar->SetName(name);
  bar->SetParent(form);
  bar->SetAlign(TAlign::alNone);
  bar->SetAutoResize(false);
  bar->SetBorderSides(0);
  bar->SetImages(images);
  bar->SetButtonLayout(TButtonLayout::blGlyphTop);
  bar->SetShowButtonCaptions(true);
  bar->SetButtonWidth(kToolButtonWidth);
  bar->SetButtonHeight(kToolBarHeight - 4);
  bar->SetRowHeight(kToolBarHeight - 4);
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
  PrepareIconTheme();
  ToolImages = new TImageList(this);
  ToolImages->SetName(QStringLiteral("ToolImages"));
  ToolImages->SetWidth(kImageSize);
  ToolImages->SetHeight(kImageSize);
  for (int i = 0; i < int(std::size(kImageNames)); ++i)
    ToolImages->Add(ThemedImage(QString::fromLatin1(kImageNames[i]), i, kImageSize));
}

void TdlgSurveyDataForm::CreateToolBar() {
  ToolBar1 = NewToolbar(this, QStringLiteral("ToolBar1"), ToolImages);
  ToolBar1->SetBounds(0, 0, kToolButtonWidth * int(std::size(kButtons)) + 16, kToolBarHeight);
  for (const ButtonRow& row : kButtons) {
    auto* button = new TFwToolButton(this);
    button->SetName(QString::fromLatin1(row.name));
    button->SetCaption(QString::fromUtf8(row.caption));
    button->SetHint(QString::fromUtf8(row.hint));
    button->SetImages(ToolImages);
    button->SetImageIndex(row.image);
    button->SetParent(ToolBar1);
    this->*row.member = button;
  }
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
  const int width = kToolButtonWidth * int(std::size(kActions)) + 16;
  NavBar = NewToolbar(this, QStringLiteral("NavBar"), ToolImages);
  NavBar->SetBounds(kClientWidth - width, 0, width, kToolBarHeight);
  for (const ActionRow& row : kActions) {
    auto* action = new TAction(this);
    action->SetName(QString::fromLatin1(row.name));
    action->SetCaption(QString::fromUtf8(row.caption));
    action->SetImageIndex(row.image);
    action->SetActionList(ActionList1);
    const TMove move = row.move;
    action->OnExecute = [this, move](TBasicAction*) { Navigate(move); };
    this->*row.member = action;
    auto* button = new TFwToolButton(this);
    button->SetName(QStringLiteral("tb") + QString::fromLatin1(row.name).mid(3));
    button->SetImages(ToolImages);
    button->SetParent(NavBar);
    button->SetAction(action);
  }
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
    // The cover is a plain sheet; the twelve tables stand in a grooved frame.
    const bool table = page > 0;
    panel->SetBorderOuter(table ? TFrameStyleEx::fsGroove : TFrameStyleEx::fsNone);
    if (table) panel->SetGridStyle(TFwGridStyle::gsDottedLines);
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
