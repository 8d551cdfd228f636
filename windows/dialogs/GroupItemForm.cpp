#include "windows/dialogs/GroupItemForm.h"

#include "controls/common/FwButtonEdit.h"
#include "controls/common/FwCustomPanel.h"
#include "controls/common/FwEdit.h"
#include "controls/common/FwNumericEdit.h"
#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "core/CodeLookup.h"
#include "core/Messages.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DataSource.h"
#include "platform/db/DbError.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/ActionList.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/GroupBox.h"
#include "platform/ui/VirtualKeys.h"
#include "windows/dialogs/GroupListForm.h"
#include "windows/shared/CodePopupMenu.h"
#include "windows/shared/DialogParts.h"
#include "windows/shared/GridProcedures.h"

#include <QRegularExpression>

namespace fw {

namespace {

constexpr int kClientWidth = 600;
constexpr int kClientHeight = 365;
constexpr int kPanelHeight = 41;
constexpr int kGridWidth = 368;
constexpr int kRightLeft = kGridWidth + 16;
constexpr int kRightWidth = kClientWidth - kRightLeft - 8;
constexpr int kSaveWidth = 75;

const QString kItemsSql = QStringLiteral("SELECT * \nfrom view_group_item\nwhere id >0");

struct TItemColumn {
  const char* field;
  const char* caption;
  int width;
};
const TItemColumn kItemColumns[] = {
    {"title", "数据项目名称", 128}, {"LowValue", "编号下限", 106}, {"HighValue", "编号上限", 106}};

bool IsNavigationKey(WORD key) { return key >= VK_PRIOR && key <= VK_DOWN; }

TFwNumericEdit* NewBoundEdit(TComponent* owner, TWinControl* parent, int left, int top, int width) {
  auto* edit = new TFwNumericEdit(owner);
  edit->SetParent(parent);
  edit->SetBounds(left, top, width, 21);
  edit->SetDisplayFormat(QStringLiteral("0;(0)"));
  return edit;
}

TFwButtonEdit* NewSymbolEdit(TComponent* owner, TWinControl* parent, const QString& name, int left, int top) {
  auto* edit = new TFwButtonEdit(owner);
  edit->SetName(name);
  edit->SetParent(parent);
  edit->SetBounds(left, top, 52, 21);
  edit->SetButtonKind(TButtonKind::bkDropDown);
  edit->SetAltBtnKind(TButtonKind::bkDropDown);
  edit->SetButtonWidth(kPickerButtonWidth);
  // The operator is picked from its list, never typed; Tab walks the typed bounds past
  // it, and after a click Enter moves on like Tab.
  edit->SetAllowKeyEdit(false);
  edit->SetTabStop(false);
  edit->SetTabOnEnter(true);
  return edit;
}

void SetSymbol(TFwButtonEdit* edit, const TMenuItemDataArray& symbols, const QString& text) {
  edit->SetText(text);
  edit->SetTag(GetCodeByName(symbols, text));
}

} // namespace

TdlgGroupItemForm::TdlgGroupItemForm(TComponent* owner, TADOConnection* connection)
    : TForm(owner), connection_(connection) {
  SetUpDialog(*this, QStringLiteral("dlgGroupItemForm"), QStringLiteral("自定义分组"), kClientWidth, kClientHeight);
  LeftSymbols = {{1, QStringLiteral(">")}, {2, QStringLiteral(">=")}};
  RightSymbols = {{1, QStringLiteral("<")}, {2, QStringLiteral("<=")}};

  GroupQuery = new TADOQuery(connection_);
  GroupQuery->SetSQL(kItemsSql);
  DataSource1 = new TDataSource(GroupQuery);

  Panel1 = new TFwCustomPanel(this);
  Panel1->SetName(QStringLiteral("Panel1"));
  Panel1->SetParent(this);
  Panel1->SetBorderOuter(TFrameStyleEx::fsNone);
  Panel1->SetAlign(TAlign::alTop);
  Panel1->SetHeight(kPanelHeight);
  AddLabel(Panel1, 10, 14, QStringLiteral("数据组名："));
  GroupName = new TFwEdit(this);
  GroupName->SetName(QStringLiteral("GroupName"));
  GroupName->SetParent(Panel1);
  GroupName->SetBounds(76, 10, 284, 21);
  GroupName->OnChange = [this](TObject*) {
    nameChanged_ = true;
    UpdateButtons();
  };
  // The bars' buttons line up with the group box (a bar keeps a margin of 4).
  SaveBar = AddButtonBar(Panel1, Bounds(kRightLeft - 4, 6, kSaveWidth + 8, 29));
  SaveBar->SetName(QStringLiteral("SaveBar"));
  tbSave = AddBarButton(SaveBar, QStringLiteral("tbSave"), QStringLiteral("保  存"),
                        {.Icon = BarIcon::Save, .Hint = "保存数据组名", .Width = kSaveWidth, .OwnStyle = true},
                        [this] { tbSaveClick(); });

  DBGrid1 = new TDBGrid(this);
  DBGrid1->SetName(QStringLiteral("DBGrid1"));
  DBGrid1->SetParent(this);
  DBGrid1->SetBounds(8, kPanelHeight + 8, kGridWidth, kClientHeight - kPanelHeight - 16);
  DBGrid1->SetOptions(dgTitles | dgIndicator | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection);
  for (const TItemColumn& c : kItemColumns) {
    TColumn* column = DBGrid1->Columns().Add();
    column->SetFieldName(QString::fromLatin1(c.field));
    column->SetWidth(c.width);
    column->Title().SetCaption(QString::fromUtf8(c.caption));
  }
  DBGrid1->SetDataSource(DataSource1);
  DBGrid1->OnTitleClick = [this](TColumn* column) { DBGrid1TitleClick(column); };
  DBGrid1->OnCellClick = [this](TColumn*) { FillEditFields(); };
  DBGrid1->OnKeyUp = [this](TObject*, WORD& key, TShiftState) {
    if (IsNavigationKey(key)) FillEditFields();
    else if (key == VK_DELETE) tbRemoveClick();
  };

  CreateEditFields();
  CreateButtons();
}

TdlgGroupItemForm::~TdlgGroupItemForm() {
  DBGrid1->SetDataSource(nullptr);
  delete DataSource1;
  delete GroupQuery;
}

void TdlgGroupItemForm::CreateEditFields() {
  GroupBox1 = new TGroupBox(this);
  GroupBox1->SetName(QStringLiteral("GroupBox1"));
  GroupBox1->SetParent(this);
  GroupBox1->SetBounds(kRightLeft, kPanelHeight + 8, kRightWidth, 190);
  GroupBox1->SetCaption(QStringLiteral("分组项目定义"));

  const int inner = kRightWidth - 24;
  AddLabel(GroupBox1, 12, 30, QStringLiteral("数据项目名称："));
  name = new TFwEdit(this);
  name->SetName(QStringLiteral("name"));
  name->SetParent(GroupBox1);
  name->SetBounds(12, 48, inner, 21);
  name->OnChange = [this](TObject*) { UpdateButtons(); };

  AddLabel(GroupBox1, 12, 82, QStringLiteral("编号下限："));
  LeftSymbol = NewSymbolEdit(this, GroupBox1, QStringLiteral("LeftSymbol"), 12, 100);
  LowBoundary = NewBoundEdit(this, GroupBox1, 68, 100, inner - 56);
  LowBoundary->SetName(QStringLiteral("LowBoundary"));

  AddLabel(GroupBox1, 12, 134, QStringLiteral("编号上限："));
  RightSymbol = NewSymbolEdit(this, GroupBox1, QStringLiteral("RightSymbol"), 12, 152);
  HighBoundary = NewBoundEdit(this, GroupBox1, 68, 152, inner - 56);
  HighBoundary->SetName(QStringLiteral("HighBoundary"));

  for (TFwNumericEdit* bound : {LowBoundary, HighBoundary}) bound->OnChange = [this](TObject*) { UpdateButtons(); };
  LeftSymbol->OnButtonClick = [this](TObject*) {
    PopupCodeMenu(LeftSymbol, LeftSymbols);
  };
  RightSymbol->OnButtonClick = [this](TObject*) {
    PopupCodeMenu(RightSymbol, RightSymbols);
  };
}

void TdlgGroupItemForm::CreateButtons() {
  ActionList1 = new TActionList(this);
  ActionList1->SetName(QStringLiteral("ActionList1"));
  actAddItem = new TAction(this);
  actAddItem->SetName(QStringLiteral("actAddItem"));
  actAddItem->SetCaption(QStringLiteral("增  加"));
  actAddItem->SetActionList(ActionList1);
  actAddItem->OnExecute = [this](TBasicAction*) { actAddItemExecute(); };
  // The idle update keeps the buttons in step with the fields, as every change does.
  ActionList1->OnUpdate = [this](TBasicAction*, bool& handled) {
    UpdateButtons();
    handled = true;
  };

  const int top = GroupBox1->Top() + GroupBox1->Height() + 12;
  // Two rows of two buttons, as wide as the group box above them.
  FwToolbar1 = AddButtonBar(this, Bounds(kRightLeft - 4, top, kRightWidth + 8, 58));
  FwToolbar1->SetName(QStringLiteral("FwToolbar1"));
  FwToolbar1->SetImages(FormBarImages(*this));
  const auto look = [](const char* icon, const char* hint) {
    return TBarButtonLook{.Icon = icon, .Hint = hint, .Width = kRightWidth / 2};
  };
  tbAdd = AddBarButton(FwToolbar1, QStringLiteral("tbAdd"), QString(), look(BarIcon::Add, "增加一个分组项目"));
  // The action's picture and hint are the button's, so that the button keeps them.
  actAddItem->SetImageIndex(tbAdd->ImageIndex());
  actAddItem->SetHint(tbAdd->Hint());
  tbAdd->SetAction(actAddItem);
  tbRemove = AddBarButton(FwToolbar1, QStringLiteral("tbRemove"), QStringLiteral("除  去"),
                          look(BarIcon::Remove, "删除选中的分组项目"), [this] { tbRemoveClick(); });
  tbEdit = AddBarButton(FwToolbar1, QStringLiteral("tbEdit"), QStringLiteral("修  改"),
                        look(BarIcon::Edit, "用上面的名称和编号范围修改选中的分组项目"), [this] { tbEditClick(); });
  tbReturn = AddBarButton(FwToolbar1, QStringLiteral("tbReturn"), QStringLiteral("返  回"),
                          look(BarIcon::Return, "关闭本窗口"), [this] { Close(); });
}

void TdlgGroupItemForm::DoShow() {
  sortState_ = 1;
  sortedColumn_ = nullptr;
  SetSymbol(LeftSymbol, LeftSymbols, QStringLiteral(">="));
  SetSymbol(RightSymbol, RightSymbols, QStringLiteral("<"));
  try {
    GroupQuery->Close();
    GroupQuery->SQL().Clear();
    GroupQuery->SQL().Add(QStringLiteral("SELECT * "));
    GroupQuery->SQL().Add(QStringLiteral("from view_group_item"));
    GroupQuery->SQL().Add(QStringLiteral("where GroupID=") + QString::number(GroupID));
    GroupQuery->Open();
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
  FillEditFields();
  GroupName->SetText(SchemeName);
  nameChanged_ = false;
  UpdateButtons();
  TForm::DoShow();
}

bool TdlgGroupItemForm::HasItems() const { return GroupQuery->Active() && !GroupQuery->IsEmpty(); }

void TdlgGroupItemForm::FillEditFields() {
  if (!HasItems()) return;
  auto field = [this](const char* fieldName) { return GroupQuery->FieldByName(QString::fromLatin1(fieldName)); };
  name->SetText(field("Title")->AsString());
  LowBoundary->SetIntValue(field("LowBoundary")->AsLargeInt());
  HighBoundary->SetIntValue(field("HighBoundary")->AsLargeInt());
  SetSymbol(LeftSymbol, LeftSymbols, field("LowSymbol")->AsString());
  SetSymbol(RightSymbol, RightSymbols, field("HighSymbol")->AsString());
  UpdateButtons();
}

void TdlgGroupItemForm::UpdateButtons() {
  // The text's number, read without the numeric edit's reset of an empty text.
  const bool itemValid = !name->Text().trimmed().isEmpty() && LowBoundary->TextToValue() < HighBoundary->TextToValue();
  actAddItem->SetEnabled(itemValid);
  tbEdit->SetEnabled(itemValid && HasItems());
  tbRemove->SetEnabled(HasItems());
  tbSave->SetEnabled(nameChanged_ && !GroupName->Text().trimmed().isEmpty());
}

bool TdlgGroupItemForm::CheckItem() {
  if (name->Text().trimmed().isEmpty()) {
    ShowMessage(kGroupItemNameMissing);
    return false;
  }
  if (LowBoundary->IntValue() >= HighBoundary->IntValue()) {
    ShowMessage(kGroupItemBoundsWrong);
    return false;
  }
  return true;
}

void TdlgGroupItemForm::StoreItem(bool adding) {
  if (!CheckItem()) return;
  try {
    if (adding) GroupQuery->Append();
    else GroupQuery->Edit();
    auto field = [this](const char* fieldName) { return GroupQuery->FieldByName(QString::fromLatin1(fieldName)); };
    field("Title")->SetAsString(name->Text().trimmed());
    field("GroupID")->SetAsInteger(GroupID);
    field("LowBoundary")->SetAsLargeInt(LowBoundary->IntValue());
    field("HighBoundary")->SetAsLargeInt(HighBoundary->IntValue());
    field("LowSymbol")->SetAsString(LeftSymbol->Text());
    field("HighSymbol")->SetAsString(RightSymbol->Text());
    GroupQuery->Post();
    // The list shows the view's own display of the bounds again, on the item stored.
    const QVariant id = field("id")->AsVariant();
    GroupQuery->Requery();
    GroupQuery->Locate(QStringLiteral("id"), id);
  } catch (const EDatabaseError& e) {
    if (GroupQuery->State() == dsInsert || GroupQuery->State() == dsEdit) GroupQuery->Cancel();
    ShowRuntimeError(e.Message());
  }
  UpdateButtons();
}

void TdlgGroupItemForm::actAddItemExecute() { StoreItem(true); }

void TdlgGroupItemForm::tbEditClick() {
  if (HasItems()) StoreItem(false);
}

void TdlgGroupItemForm::tbRemoveClick() {
  if (!HasItems()) return;
  if (ShowMessage(kGroupDeleteQuestion, QString(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
    return;
  try {
    GroupQuery->Delete();
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
  FillEditFields();
  UpdateButtons();
}

void TdlgGroupItemForm::tbSaveClick() {
  const QString newName = GroupName->Text().trimmed();
  if (newName.isEmpty()) return;
  try {
    connection_->Execute(QStringLiteral("update ct_group set name=? where id=?"), QVariantList{newName, GroupID});
    SchemeName = newName;
    RequerySchemeList();
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
}

// The scheme list shows the new name and stays on its scheme.
void TdlgGroupItemForm::RequerySchemeList() {
  if (!SchemeList || !SchemeList->Active()) return;
  TBookmark bookmark = SchemeList->GetBookmark();
  SchemeList->Requery();
  if (SchemeList->BookmarkValid(bookmark)) SchemeList->GotoBookmark(bookmark);
  SchemeList->FreeBookmark(bookmark);
}

void TdlgGroupItemForm::DBGrid1TitleClick(TColumn* column) {
  if (!column || !GroupQuery->Active()) return;
  TColumn* before = sortedColumn_;
  try {
    SortGridByTitle(column, sortState_, sortedColumn_, *GroupQuery);
    StoreOrder(column->FieldName(), sortState_ == 2);
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
  // The column sorted before gets back the plain title colour.
  if (before && before != sortedColumn_) before->Title().SetColor(clBtnFace);
}

// The order is stored only as one of the view's own columns with ASC or DESC: the
// summaries place it into their SQL.
void TdlgGroupItemForm::StoreOrder(const QString& field, bool descending) {
  const TField* viewField = GroupQuery->FindField(field);
  static const QRegularExpression plainName(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
  if (!viewField || !plainName.match(viewField->FieldName()).hasMatch()) return;
  const QString order = viewField->FieldName() + (descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
  connection_->Execute(QStringLiteral("update CT_Group set orderstr=? where id=?"), QVariantList{order, GroupID});
}

} // namespace fw
