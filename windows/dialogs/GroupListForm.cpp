#include "windows/dialogs/GroupListForm.h"

#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "core/GroupFiles.h"
#include "core/Messages.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DataSource.h"
#include "platform/db/DbError.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/DBGrid.h"
#include "windows/dialogs/GroupItemForm.h"
#include "windows/main/MainData.h"
#include "windows/shared/DialogParts.h"
#include "windows/shared/InputQueryEx.h"
#include "windows/shared/ProgressBarForm.h"

#include <memory>

namespace fw {

namespace {

constexpr int kClientWidth = 553;
constexpr int kClientHeight = 380;
constexpr int kButtonWidth = 75;

} // namespace

TdlgGroupListForm::TdlgGroupListForm(TComponent* owner, TADOConnection* connection)
    : TForm(owner), connection_(ConnectionOrProgram(connection)) {
  SetUpDialog(*this, QStringLiteral("dlgGroupListForm"), QStringLiteral("自定义分组列表"), kClientWidth, kClientHeight);

  GroupQuery = new TADOQuery(connection_);
  GroupQuery->SetSQL(QStringLiteral("SELECT ID, Name,orderstr FROM ct_group;"));
  ToolQuery = new TADOQuery(connection_);
  DataSource1 = new TDataSource(GroupQuery);

  DBGrid1 = new TDBGrid(this);
  DBGrid1->SetName(QStringLiteral("DBGrid1"));
  DBGrid1->SetParent(this);
  DBGrid1->SetBounds(8, 8, kClientWidth - 16, kClientHeight - 52);
  DBGrid1->SetOptions(dgTitles | dgIndicator | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection);
  DBGrid1->SetDataSource(DataSource1);
  TColumn* column = DBGrid1->Columns().Add();
  column->SetFieldName(QStringLiteral("Name"));
  column->SetWidth(kClientWidth - 60);
  column->Title().SetCaption(QStringLiteral("名称"));
  DBGrid1->OnDblClick = [this](TObject*) { tbEditClick(); };

  FwToolbar1 = AddBottomButtonBar(*this);
  FwToolbar1->SetAlign(TAlign::alBottom);
  // Three groups: the scheme's own edits, its file exchange, and 返回.
  tbAdd = AddBarButton(FwToolbar1, QStringLiteral("tbAdd"), QStringLiteral("增  加"),
                       {.Icon = BarIcon::Add, .Hint = "增加一种分组方式|输入名称，再定义它的分组项目", .Width = kButtonWidth},
                       [this] { tbAddClick(); });
  AddHiddenBarSpacer(FwToolbar1);
  tbRemove = AddBarButton(FwToolbar1, QStringLiteral("tbRemove"), QStringLiteral("除  去"),
                          {.Icon = BarIcon::Remove, .Hint = "删除选中的分组方式", .Width = kButtonWidth},
                          [this] { tbRemoveClick(); });
  AddHiddenBarSpacer(FwToolbar1);
  tbEdit = AddBarButton(FwToolbar1, QStringLiteral("tbEdit"), QStringLiteral("修  改"),
                        {.Icon = BarIcon::Edit, .Hint = "修改选中分组方式的分组项目", .Width = kButtonWidth},
                        [this] { tbEditClick(); });
  AddBarSpacer(FwToolbar1);
  btnImport = AddBarButton(FwToolbar1, QStringLiteral("btnImport"), QStringLiteral("导  入"),
                           {.Icon = BarIcon::Import, .Hint = "从分组文件导入分组方式", .Width = kButtonWidth},
                           [this] { btnImportClick(); });
  AddHiddenBarSpacer(FwToolbar1);
  btnExport = AddBarButton(FwToolbar1, QStringLiteral("btnExport"), QStringLiteral("导  出"),
                           {.Icon = BarIcon::Export, .Hint = "把分组方式导出到分组文件", .Width = kButtonWidth},
                           [this] { btnExportClick(); });
  btnReturn = AddReturnButton(FwToolbar1, QStringLiteral("btnReturn"));
}

TdlgGroupListForm::~TdlgGroupListForm() {
  DBGrid1->SetDataSource(nullptr);
  delete DataSource1;
  delete ToolQuery;
  delete GroupQuery;
}

void TdlgGroupListForm::DoShow() {
  try {
    GroupQuery->Open();
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
  UpdateButtons();
  TForm::DoShow();
}

bool TdlgGroupListForm::HasSchemes() const { return GroupQuery->Active() && !GroupQuery->IsEmpty(); }

void TdlgGroupListForm::UpdateButtons() {
  tbRemove->SetEnabled(HasSchemes());
  tbEdit->SetEnabled(HasSchemes());
}

// The new scheme's row, then its id as the table gives it.
int TdlgGroupListForm::AddScheme(const QString& name) {
  GroupQuery->Append();
  GroupQuery->FieldByName(QStringLiteral("Name"))->SetAsString(name);
  GroupQuery->FieldByName(QStringLiteral("orderstr"))->SetAsString(QStringLiteral("id ASC"));
  GroupQuery->Post();
  ToolQuery->Close();
  ToolQuery->SetSQL(QStringLiteral("select max(id) as GroupID from ct_group"));
  ToolQuery->Open();
  const int id = ToolQuery->FieldByName(QStringLiteral("GroupID"))->AsInteger();
  ToolQuery->Close();
  return id;
}

void TdlgGroupListForm::tbAddClick() {
  QString name;
  do {
    if (!InputQueryEx(QStringLiteral("自定义分组"), QStringLiteral("输入本种分组方式的名称"), name)) return;
  } while (name.trimmed().isEmpty());
  name = name.trimmed();
  int id = 0;
  try {
    if (!GroupQuery->Active()) GroupQuery->Open();
    id = AddScheme(name);
  } catch (const EDatabaseError& e) {
    if (GroupQuery->State() == dsInsert) GroupQuery->Cancel();
    ShowRuntimeError(e.Message());
    return;
  }
  UpdateButtons();
  EditScheme(id, name);
}

void TdlgGroupListForm::tbRemoveClick() {
  if (!HasSchemes()) return;
  if (ShowMessage(kGroupDeleteQuestion, QString(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
    return;
  // The items go with their scheme: left behind, they would still be counted by the
  // summary over all groups.
  try {
    const QVariant id = GroupQuery->FieldByName(QStringLiteral("ID"))->AsVariant();
    connection_->BeginTrans();
    connection_->Execute(QStringLiteral("delete from DT_GroupItem where GroupID=?"), QVariantList{id});
    GroupQuery->Delete();
    connection_->CommitTrans();
  } catch (const EDatabaseError& e) {
    if (connection_->InTransaction()) connection_->RollbackTrans();
    GroupQuery->Requery();
    ShowRuntimeError(e.Message());
  }
  UpdateButtons();
}

void TdlgGroupListForm::tbEditClick() {
  if (!HasSchemes()) return;
  EditScheme(GroupQuery->FieldByName(QStringLiteral("ID"))->AsInteger(),
             GroupQuery->FieldByName(QStringLiteral("Name"))->AsString());
}

void TdlgGroupListForm::EditScheme(int id, const QString& name) {
  std::unique_ptr<TdlgGroupItemForm> editor(NewForm<TdlgGroupItemForm>(this, connection_));
  editor->GroupID = id;
  editor->SchemeName = name;
  editor->SchemeList = GroupQuery;
  editor->ShowModal();
  UpdateButtons();
}

void TdlgGroupListForm::btnImportClick() {
  ImportGroupTables(*connection_, GroupTables, ProgramProgress());
  try {
    GroupQuery->Close();
    GroupQuery->Open();
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
  }
  UpdateButtons();
}

void TdlgGroupListForm::btnExportClick() {
  // The groups of the database file beside the program, whichever database is open.
  ExportGroupTables(ProgramFile(QString::fromLatin1(kDefaultDatabaseName)), GroupTables, ProgramProgress());
}

} // namespace fw
