// The scheme list: adding under a name (asked again until given), opening a scheme's
// items, removing a scheme with its items, the group file buttons, and the main
// window's 数据分组.
#include "windows/dialogs/GroupListForm.h"

#include "controls/common/FwEdit.h"
#include "controls/common/FwToolButton.h"
#include "platform/db/AdoQuery.h"
#include "platform/ui/ActionList.h"
#include "platform/ui/DBGrid.h"
#include "tests/windows/dialogs/GroupDialogsSupport.h"
#include "windows/dialogs/GroupItemForm.h"
#include "tests/windows/shared/BarLooks.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using namespace fw;
using fwtest::GroupDatabase;

class GroupListFormTest : public ::testing::Test {
protected:
  void Open() {
    list.reset(NewForm<TdlgGroupListForm>(nullptr, &Db.Connection));
    list->Show();
  }
  QString CurrentName() const { return list->GroupQuery->FieldByName(QStringLiteral("Name"))->AsString(); }
  QString LastMessage() const { return hooks.Messages.empty() ? QString() : hooks.Messages.back().Text; }

  fwtest::ScopedUserFolders folders;
  fwtest::ScriptedHooks hooks;
  GroupDatabase Db;
  std::unique_ptr<TdlgGroupListForm> list;
};

TEST_F(GroupListFormTest, ANewSchemeGetsIdAscAndOpensItsItemEditor) {
  Open();
  EXPECT_EQ(list->Caption(), QStringLiteral("自定义分组列表"));
  EXPECT_EQ(list->ClientWidth(), 553);
  EXPECT_EQ(list->ClientHeight(), 380);
  EXPECT_FALSE(list->tbRemove->Enabled());
  EXPECT_FALSE(list->tbEdit->Enabled());

  // An empty name and blanks are asked again; the apostrophe is kept.
  std::deque<QString> names{QString(), QStringLiteral("  "), QStringLiteral("工会'甲")};
  QStringList asked;
  int editorId = 0;
  QString editorName;
  {
    ScopedModalScript modal([&](TForm& form) {
      if (auto* editor = dynamic_cast<TdlgGroupItemForm*>(&form)) {
        editorId = editor->GroupID;
        editorName = editor->GroupName->Text();
        return int(mrCancel);
      }
      asked << form.Caption();
      fwtest::InputEditOf(form)->SetText(names.front());
      names.pop_front();
      return int(mrOk);
    });
    list->tbAdd->Click();
  }
  EXPECT_EQ(asked, QStringList(3, QStringLiteral("自定义分组")));
  EXPECT_EQ(Db.Count(QStringLiteral("select count(*) from ct_group")), 1);
  EXPECT_EQ(editorId, Db.Scalar(QStringLiteral("select id from ct_group")).toInt());
  EXPECT_EQ(editorName, QStringLiteral("工会'甲"));
  EXPECT_EQ(Db.Scalar(QStringLiteral("select name from ct_group")).toString(), QStringLiteral("工会'甲"));
  EXPECT_EQ(Db.Scalar(QStringLiteral("select orderstr from ct_group")).toString(), QStringLiteral("id ASC"));
  // Listed at once, and now it can be removed or edited.
  EXPECT_EQ(list->GroupQuery->RecordCount(), 1);
  EXPECT_EQ(CurrentName(), QStringLiteral("工会'甲"));
  EXPECT_TRUE(list->tbRemove->Enabled());
  EXPECT_TRUE(list->tbEdit->Enabled());

  // Cancelling the name adds nothing and opens nothing.
  {
    ScopedModalScript modal([&](TForm& form) {
      EXPECT_EQ(dynamic_cast<TdlgGroupItemForm*>(&form), nullptr);
      return int(mrCancel);
    });
    list->tbAdd->Click();
  }
  EXPECT_EQ(Db.Count(QStringLiteral("select count(*) from ct_group")), 1);
}

TEST_F(GroupListFormTest, EditAndDoubleClickOpenTheCurrentScheme) {
  const int first = Db.AddScheme(QStringLiteral("按地区"), fwtest::kThreeItems);
  const int second = Db.AddScheme(QStringLiteral("按行业"));
  Open();
  std::vector<std::pair<int, QString>> opened;
  ScopedModalScript modal([&](TForm& form) {
    auto& editor = dynamic_cast<TdlgGroupItemForm&>(form);
    opened.emplace_back(editor.GroupID, editor.GroupName->Text());
    return int(mrCancel);
  });
  list->GroupQuery->Last();
  list->tbEdit->Click();
  // A double click: its first press makes the row current.
  fwtest::ClickGridRow(list->DBGrid1->View(), 0);
  QTest::mouseDClick(list->DBGrid1->View()->viewport(), Qt::LeftButton, {},
                     list->DBGrid1->View()->visualRect(list->DBGrid1->View()->model()->index(0, 0)).center());
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], std::make_pair(second, QStringLiteral("按行业")));
  EXPECT_EQ(opened[1], std::make_pair(first, QStringLiteral("按地区")));
}

TEST_F(GroupListFormTest, RemovingASchemeAsksFirstAndTakesItsItems) {
  const int kept = Db.AddScheme(QStringLiteral("按行业"), {{QStringLiteral("工业"), 1, 5}});
  Db.AddScheme(QStringLiteral("按地区"), fwtest::kThreeItems);
  Open();
  list->GroupQuery->Last();

  hooks.MessageAnswers = {IDNO};
  list->tbRemove->Click();
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Text, QStringLiteral("数据将被彻底删除，确认么？"));
  // Enter on the question keeps the data.
  EXPECT_EQ(hooks.Messages[0].Flags & 0xF00, MB_DEFBUTTON2);
  EXPECT_EQ(Db.Count(QStringLiteral("select count(*) from ct_group")), 2);

  hooks.MessageAnswers = {IDYES};
  list->tbRemove->Click();
  EXPECT_EQ(Db.Count(QStringLiteral("select count(*) from ct_group")), 1);
  EXPECT_EQ(Db.Count(QStringLiteral("select count(*) from DT_GroupItem where GroupID not in (select id from ct_group)")), 0);
  EXPECT_EQ(Db.Count(QStringLiteral("select count(*) from DT_GroupItem where GroupID=") + QString::number(kept)), 1);
  EXPECT_EQ(list->GroupQuery->RecordCount(), 1);

  hooks.MessageAnswers = {IDYES};
  list->tbRemove->Click();
  EXPECT_EQ(Db.Count(QStringLiteral("select count(*) from DT_GroupItem")), 0);
  EXPECT_FALSE(list->tbRemove->Enabled());
  EXPECT_FALSE(list->tbEdit->Enabled());
  // Nothing left to remove: no question.
  const size_t asked = hooks.Messages.size();
  list->tbRemove->Click();
  EXPECT_EQ(hooks.Messages.size(), asked);
}

TEST_F(GroupListFormTest, ExportAndImportCarryTheSchemesIntoAnotherDatabase) {
  // The database file of the program folder has one scheme; the list shows another
  // database, as when an exchange file or a backup was opened.
  Db.AddScheme(QStringLiteral("按地区'甲"), fwtest::kThreeItems);
  GroupDatabase other;
  other.AddScheme(QStringLiteral("旧方案"), {{QStringLiteral("旧"), 1, 2}});
  Db.Activate();
  list.reset(NewForm<TdlgGroupListForm>(nullptr, &other.Connection));
  list->Show();
  EXPECT_EQ(CurrentName(), QStringLiteral("旧方案"));

  // The export writes the groups of the program folder's database file.
  const QString file = QDir(folders.DocumentsDir()).filePath(QStringLiteral("分组.mdb"));
  hooks.SaveAnswers.push_back(fwtest::Chosen(QDir(folders.DocumentsDir()).filePath(QStringLiteral("分组"))));
  list->btnExport->Click();
  EXPECT_EQ(LastMessage(), "数据已经被正确导出到：'" + file + "'！");

  // The import brings them into the database shown, and the list shows them.
  hooks.OpenAnswers.push_back(fwtest::Chosen(file));
  list->btnImport->Click();
  EXPECT_EQ(LastMessage(), QStringLiteral("数据分组导入操作完成！"));
  EXPECT_EQ(list->GroupQuery->RecordCount(), 1);
  EXPECT_EQ(CurrentName(), QStringLiteral("按地区'甲"));
  EXPECT_EQ(other.Count(QStringLiteral("select count(*) from view_group_item")), 3);
}

class GroupActionTest : public fwtest::MainFormFixture {};

TEST_F(GroupActionTest, TheMainWindowsGroupActionShowsTheSchemeList) {
  TMainForm* main = Start();
  ASSERT_NE(main, nullptr);
  main->ActionList1->UpdateActions();
  EXPECT_TRUE(main->actGroup->Enabled());
  QString shown;
  ScopedModalScript modal([&](TForm& form) {
    auto& list = dynamic_cast<TdlgGroupListForm&>(form);
    shown = list.Caption();
    EXPECT_TRUE(list.GroupQuery->Active());
    return int(mrCancel);
  });
  main->actGroup->Execute();
  EXPECT_EQ(shown, QStringLiteral("自定义分组列表"));
}

} // namespace

TEST_F(GroupListFormTest, ButtonsWithPicturesAndGapsOnABarAtTheBottom) {
  Open();
  fwtest::ExpectBars(*list, {{"FwToolbar1", TAlign::alBottom, TFwToolbarTextOptions::ttoCustom, true, TFrameStyleEx::fsNone, 5, 3, 0}});
  fwtest::ExpectButtons(*list, {{"tbAdd", 75, blkHot, false, false, true}, {"tbRemove", 75, blkHot, false, false, false},
                                {"tbEdit", 75, blkHot, false, false, false}, {"btnImport", 75, blkHot, false, false, false},
                                {"btnExport", 75, blkHot, false, false, false}, {"btnReturn", 75, blkHot, false, false, false}});
}
