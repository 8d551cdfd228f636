// The item editor of one scheme: the fields following the current item, the enabling
// rules, adding, changing and removing items with their refusals, the title click that
// sorts and stores the order, and renaming the scheme.
#include "windows/dialogs/GroupItemForm.h"

#include "controls/common/FwButtonEdit.h"
#include "controls/common/FwCustomPanel.h"
#include "controls/common/FwEdit.h"
#include "controls/common/FwNumericEdit.h"
#include "controls/common/FwToolButton.h"
#include "platform/db/AdoQuery.h"
#include "platform/ui/Action.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/GroupBox.h"
#include "platform/ui/MenuItem.h"
#include "tests/windows/dialogs/GroupDialogsSupport.h"
#include "windows/shared/ToolForm.h"
#include "tests/windows/shared/BarLooks.h"

#include <QGroupBox>
#include <QHeaderView>
#include <gtest/gtest.h>

namespace {

using namespace fw;
using fwtest::GroupDatabase;

class GroupItemFormTest : public ::testing::Test {
protected:
  void Open(int id, const QString& name, TDataSet* schemeList = nullptr) {
    editor.reset(NewForm<TdlgGroupItemForm>(nullptr, &Db.Connection));
    editor->GroupID = id;
    editor->SchemeName = name;
    editor->SchemeList = schemeList;
    editor->Show();
  }
  QString Order(int id) { return Db.Scalar("select orderstr from ct_group where id=" + QString::number(id)).toString(); }
  QString Current(const char* field) const { return editor->GroupQuery->FieldByName(QString::fromLatin1(field))->AsString(); }
  void SetItem(const QString& title, qint64 low, qint64 high) {
    editor->name->SetText(title);
    editor->LowBoundary->SetIntValue(low);
    editor->HighBoundary->SetIntValue(high);
  }
  QString LastMessage() const { return hooks.Messages.empty() ? QString() : hooks.Messages.back().Text; }

  fwtest::ScriptedHooks hooks;
  GroupDatabase Db;
  std::unique_ptr<TdlgGroupItemForm> editor;
};

TEST_F(GroupItemFormTest, TheFieldsFollowTheCurrentItemOfTheScheme) {
  const int id = Db.AddScheme(QStringLiteral("按地区"), fwtest::kThreeItems);
  Db.AddScheme(QStringLiteral("其他"), {{QStringLiteral("别的"), 1, 2}});
  Open(id, QStringLiteral("按地区"));
  EXPECT_EQ(editor->Caption(), QStringLiteral("自定义分组"));
  EXPECT_EQ(editor->ClientWidth(), 600);
  EXPECT_EQ(editor->ClientHeight(), 365);
  // A plain panel for the name and the desktop's group box for the item.
  EXPECT_EQ(editor->Panel1->BorderOuter(), fw::TFrameStyleEx::fsNone);
  EXPECT_EQ(editor->GroupBox1->Widget()->title(), QStringLiteral("分组项目定义"));
  EXPECT_EQ(editor->GroupName->Text(), QStringLiteral("按地区"));
  EXPECT_EQ(editor->GroupQuery->RecordCount(), 3);
  EXPECT_EQ(editor->name->Text(), QStringLiteral("北京市"));
  EXPECT_EQ(editor->LowBoundary->IntValue(), 110000000000);
  EXPECT_EQ(editor->HighBoundary->Text(), QStringLiteral("120000000000"));
  EXPECT_EQ(editor->LeftSymbol->Text(), QStringLiteral(">="));
  EXPECT_EQ(editor->LeftSymbol->Tag(), 2);
  EXPECT_EQ(editor->RightSymbol->Text(), QStringLiteral("<"));
  EXPECT_EQ(editor->RightSymbol->Tag(), 1);
  EXPECT_FALSE(editor->tbSave->Enabled());
  EXPECT_TRUE(editor->actAddItem->Enabled());
  EXPECT_TRUE(editor->tbAdd->Enabled());
  EXPECT_TRUE(editor->tbEdit->Enabled());
  EXPECT_TRUE(editor->tbRemove->Enabled());

  // A click on a row, then a cursor key.
  fwtest::ClickGridRow(editor->DBGrid1->View(), 1);
  EXPECT_EQ(editor->name->Text(), QStringLiteral("天津市"));
  EXPECT_EQ(editor->LeftSymbol->Text(), QStringLiteral(">"));
  EXPECT_EQ(editor->LeftSymbol->Tag(), 1);
  EXPECT_EQ(editor->RightSymbol->Text(), QStringLiteral("<="));
  EXPECT_EQ(editor->RightSymbol->Tag(), 2);
  editor->DBGrid1->View()->setFocus();
  QTest::keyClick(editor->DBGrid1->View(), Qt::Key_Down);
  EXPECT_EQ(editor->name->Text(), QStringLiteral("河北省"));
  EXPECT_EQ(editor->LowBoundary->IntValue(), 130000000000);

  // A scheme without items starts from the default operators, with nothing to change.
  const int empty = Db.AddScheme(QStringLiteral("空"));
  Open(empty, QStringLiteral("空"));
  EXPECT_EQ(editor->GroupQuery->RecordCount(), 0);
  EXPECT_EQ(editor->LeftSymbol->Text(), QStringLiteral(">="));
  EXPECT_EQ(editor->RightSymbol->Text(), QStringLiteral("<"));
  EXPECT_FALSE(editor->tbEdit->Enabled());
  EXPECT_FALSE(editor->tbRemove->Enabled());
  EXPECT_FALSE(editor->actAddItem->Enabled());
}

TEST_F(GroupItemFormTest, AnEmptyNameAndEqualBoundsAreRefusedWithTheirMessages) {
  const int id = Db.AddScheme(QStringLiteral("按地区"));
  Open(id, QStringLiteral("按地区"));
  const QString count = QStringLiteral("select count(*) from DT_GroupItem");

  SetItem(QString(), 110000000000, 120000000000);
  EXPECT_FALSE(editor->actAddItem->Enabled());
  editor->actAddItemExecute();
  EXPECT_EQ(LastMessage(), QStringLiteral("必须输入本组数据的名称！"));
  EXPECT_EQ(Db.Count(count), 0);

  for (qint64 high : {qint64(120000000000), qint64(110000000000)}) {
    SetItem(QStringLiteral("北京市"), 120000000000, high);
    EXPECT_FALSE(editor->actAddItem->Enabled());
    editor->actAddItemExecute();
    EXPECT_EQ(LastMessage(), QStringLiteral("上限必须大于下限！"));
    EXPECT_EQ(Db.Count(count), 0);
  }

  // A valid item is added through the button with the operators shown.
  SetItem(QStringLiteral("北京'市"), 110000000000, 120000000000);
  EXPECT_TRUE(editor->actAddItem->Enabled());
  editor->tbAdd->Click();
  EXPECT_EQ(Db.Count(count), 1);
  EXPECT_EQ(Db.Scalar(QStringLiteral("select Title from DT_GroupItem")).toString(), QStringLiteral("北京'市"));
  EXPECT_EQ(Db.Scalar(QStringLiteral("select GroupID from DT_GroupItem")).toInt(), id);
  EXPECT_EQ(Db.Scalar(QStringLiteral("select HighBoundary from DT_GroupItem")).toLongLong(), 120000000000);
  EXPECT_EQ(Current("LowValue"), QStringLiteral(">=110000000000"));
  EXPECT_EQ(Current("HighValue"), QStringLiteral("<120000000000"));
  EXPECT_TRUE(editor->tbEdit->Enabled());
  EXPECT_TRUE(editor->tbRemove->Enabled());
}

TEST_F(GroupItemFormTest, TheOperatorButtonsPickFromTheirLists) {
  std::unique_ptr<TToolForm> tool(NewForm<TToolForm>(nullptr));
  ToolForm = tool.get();
  const int id = Db.AddScheme(QStringLiteral("按地区"));
  Open(id, QStringLiteral("按地区"));
  TMenuItem* items = ToolForm->CodePopupMenu->Items();

  editor->LeftSymbol->Btn(2)->Click();
  ASSERT_EQ(items->Count(), 2);
  EXPECT_EQ(items->Items(0)->Caption(), QStringLiteral(">"));
  EXPECT_TRUE(items->Items(1)->Checked()); // ">=", the current one
  items->Items(0)->Click();
  ToolForm->CodePopupMenu->Menu()->hide();
  EXPECT_EQ(editor->LeftSymbol->Text(), QStringLiteral(">"));
  EXPECT_EQ(editor->LeftSymbol->Tag(), 1);

  editor->RightSymbol->Btn(2)->Click();
  ASSERT_EQ(items->Count(), 2);
  EXPECT_EQ(items->Items(1)->Caption(), QStringLiteral("<="));
  items->Items(1)->Click();
  ToolForm->CodePopupMenu->Menu()->hide();
  EXPECT_EQ(editor->RightSymbol->Text(), QStringLiteral("<="));

  SetItem(QStringLiteral("北京市"), 110000000000, 120000000000);
  editor->actAddItemExecute();
  EXPECT_EQ(Current("LowValue"), QStringLiteral(">110000000000"));
  EXPECT_EQ(Current("HighValue"), QStringLiteral("<=120000000000"));
  ToolForm = nullptr;
}

TEST_F(GroupItemFormTest, ChangingAndRemovingItems) {
  const int id = Db.AddScheme(QStringLiteral("按地区"), fwtest::kThreeItems);
  Open(id, QStringLiteral("按地区"));
  fwtest::ClickGridRow(editor->DBGrid1->View(), 1);
  SetItem(QStringLiteral("天津'市"), 120000000000, 121000000000);
  editor->RightSymbol->SetText(QStringLiteral("<"));
  editor->tbEditClick();
  EXPECT_EQ(Db.Count(QStringLiteral("select count(*) from DT_GroupItem")), 3);
  EXPECT_EQ(Current("Title"), QStringLiteral("天津'市"));
  EXPECT_EQ(Current("HighValue"), QStringLiteral("<121000000000"));
  EXPECT_EQ(Current("LowValue"), QStringLiteral(">120000000000"));
  EXPECT_EQ(Db.Count(QStringLiteral("select count(*) from DT_GroupItem where Title='天津''市' and HighSymbol='<'")), 1);

  // Delete in the list asks first; No keeps the item, Yes removes it.
  editor->DBGrid1->View()->setFocus();
  hooks.MessageAnswers = {IDNO};
  QTest::keyClick(editor->DBGrid1->View(), Qt::Key_Delete);
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Text, QStringLiteral("数据将被彻底删除，确认么？"));
  EXPECT_EQ(hooks.Messages[0].Flags & 0xF00, MB_DEFBUTTON2);
  EXPECT_EQ(Db.Count(QStringLiteral("select count(*) from DT_GroupItem")), 3);
  hooks.MessageAnswers = {IDYES};
  editor->tbRemove->Click();
  EXPECT_EQ(Db.Count(QStringLiteral("select count(*) from DT_GroupItem")), 2);
  EXPECT_EQ(Db.Count(QStringLiteral("select count(*) from DT_GroupItem where Title='天津''市'")), 0);
  EXPECT_EQ(editor->GroupQuery->RecordCount(), 2);
}

TEST_F(GroupItemFormTest, TitleClicksSortTheItemsAndStoreTheOrderInTheScheme) {
  const int id = Db.AddScheme(QStringLiteral("按地区"), fwtest::kThreeItems);
  const int other = Db.AddScheme(QStringLiteral("其他"));
  Open(id, QStringLiteral("按地区"));
  TColumn* low = editor->DBGrid1->Columns()[1];
  TColumn* title = editor->DBGrid1->Columns()[0];

  // The list opens sorted ascending, so the first click sorts descending.
  editor->DBGrid1TitleClick(low);
  EXPECT_EQ(Order(id), QStringLiteral("LowValue DESC"));
  EXPECT_EQ(editor->DBGrid1->CellText(0, 0), QStringLiteral("河北省"));
  EXPECT_EQ(low->Title().Caption(), QStringLiteral("编号下限▼"));
  EXPECT_EQ(low->Title().Color(), clLime);
  editor->DBGrid1TitleClick(low);
  EXPECT_EQ(Order(id), QStringLiteral("LowValue ASC"));
  EXPECT_EQ(low->Title().Caption(), QStringLiteral("编号下限▲"));
  editor->DBGrid1TitleClick(low);
  EXPECT_EQ(Order(id), QStringLiteral("LowValue DESC"));

  // Another column: the one before loses its mark and its colour.
  editor->DBGrid1TitleClick(title);
  EXPECT_EQ(Order(id), QStringLiteral("Title ASC"));
  EXPECT_EQ(title->Title().Caption(), QStringLiteral("数据项目名称▲"));
  EXPECT_EQ(title->Title().Color(), clLime);
  EXPECT_EQ(low->Title().Caption(), QStringLiteral("编号下限"));
  EXPECT_EQ(low->Title().Color(), clBtnFace);
  EXPECT_EQ(Order(other), QStringLiteral("id ASC"));

  // A click on the list's title row does the same.
  QHeaderView* header = editor->DBGrid1->View()->horizontalHeader();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
  EXPECT_EQ(Order(id), QStringLiteral("HighValue DESC"));
}

TEST_F(GroupItemFormTest, SavingRenamesTheSchemeAndRequeriesTheList) {
  Db.AddScheme(QStringLiteral("按行业"));
  const int id = Db.AddScheme(QStringLiteral("按地区"), fwtest::kThreeItems);
  TADOQuery schemes(&Db.Connection);
  schemes.SetSQL(QStringLiteral("SELECT ID, Name,orderstr FROM ct_group;"));
  schemes.Open();
  schemes.Last();
  Open(id, QStringLiteral("按地区"), &schemes);

  EXPECT_FALSE(editor->tbSave->Enabled());
  editor->GroupName->SetText(QString());
  EXPECT_FALSE(editor->tbSave->Enabled());
  editor->GroupName->SetText(QStringLiteral("按\"地区'新"));
  EXPECT_TRUE(editor->tbSave->Enabled());
  editor->tbSave->Click();
  EXPECT_EQ(Db.Scalar("select name from ct_group where id=" + QString::number(id)).toString(), QStringLiteral("按\"地区'新"));
  EXPECT_EQ(schemes.FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("按\"地区'新"));
  EXPECT_EQ(Db.Count(QStringLiteral("select count(*) from ct_group where name='按行业'")), 1);
}

} // namespace

TEST_F(GroupItemFormTest, ButtonsWithPicturesAndHints) {
  Open(0, QStringLiteral("按地区分组"));
  fwtest::ExpectBars(*editor, {{"SaveBar", TAlign::alNone, TFwToolbarTextOptions::ttoCustom, false, TFrameStyleEx::fsNone, 0, 0, 0}, {"FwToolbar1", TAlign::alNone, TFwToolbarTextOptions::ttoCustom, true, TFrameStyleEx::fsNone, 0, 0, 0}});
  fwtest::ExpectButtons(*editor, {{"tbSave", 75, blkHot, true, false, false}, {"tbAdd", 104, blkHot, false, false, false},
                                  {"tbRemove", 104, blkHot, false, false, false}, {"tbEdit", 104, blkHot, false, false, false},
                                  {"tbReturn", 104, blkHot, false, false, false}});
}
