// Group files against real databases: export then import, an existing file keeping its
// other tables, files that lack a table, failures that must change nothing, and names
// and paths with quotes.
#include "core/DatabaseFiles.h"
#include "core/GroupFiles.h"
#include "core/ImportFileCheck.h"
#include "core/Progress.h"
#include "platform/db/Schema.h"
#include "platform/shell/FileWriter.h"
#include "tests/core/WorkingDatabase.h"

#include <QDir>
#include <cerrno>
#include <functional>
#include <utility>
#include <gtest/gtest.h>

namespace {

using namespace fw;
using fwtest::Chosen;
using fwtest::FileBytes;
using fwtest::WorkingDatabase;

using Rows = std::vector<QVariantList>;

Rows TableRows(TADOConnection& connection, const QString& table) {
  TADOQuery query(&connection);
  query.SetSQL("select * from " + table + " order by id");
  query.Open();
  Rows rows;
  for (; !query.Eof(); query.Next()) {
    QVariantList row;
    for (int i = 0; i < query.FieldCount(); ++i) row << query.Fields(i)->AsVariant();
    rows.push_back(row);
  }
  return rows;
}

// Both group tables, whole.
struct GroupRows {
  Rows Groups;
  Rows Items;
  friend bool operator==(const GroupRows&, const GroupRows&) = default;
};
GroupRows ReadGroups(TADOConnection& connection) {
  return {TableRows(connection, QStringLiteral("CT_Group")), TableRows(connection, QStringLiteral("DT_GroupItem"))};
}

// Two schemes, the first with three items; names carry quotes.
void AddGroups(TADOConnection& db, const QString& prefix) {
  db.Execute("delete from DT_GroupItem");
  db.Execute("delete from ct_group");
  db.Execute(QStringLiteral("insert into ct_group (id, name, orderstr) values (?, ?, ?)"),
             QVariantList{7, prefix + "按地区'分组", QStringLiteral("LowValue DESC")});
  db.Execute(QStringLiteral("insert into ct_group (id, name, orderstr) values (?, ?, ?)"),
             QVariantList{9, prefix + "第二\"方案", QStringLiteral("id ASC")});
  const char* titles[] = {"北京'市", "天津市", "河北省"};
  for (int i = 0; i < 3; ++i)
    db.Execute(QStringLiteral("insert into DT_GroupItem (GroupID, Title, LowBoundary, HighBoundary, LowSymbol, HighSymbol) "
                              "values (7, ?, ?, ?, '>=', '<')"),
               QVariantList{prefix + QString::fromUtf8(titles[i]), qint64(110000000000) + i * qint64(10000000000),
                            qint64(120000000000) + i * qint64(10000000000)});
}

// A plain database file made of the statements given.
void MakeFile(const QString& path, const QStringList& statements) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  TADOConnection db;
  db.SetConnectionString(JetConnectionString(path));
  db.Open();
  for (const QString& sql : statements) db.Execute(sql);
}

class GroupFiles : public ::testing::Test {
protected:
  void SetUp() override { FixEditionSettings(); }

  QString Docs(const QString& name) const { return QDir(folders.DocumentsDir()).filePath(name); }
  QString LastMessage() const { return hooks.Messages.empty() ? QString() : hooks.Messages.back().Text; }

  bool Export(WorkingDatabase& source, const QString& chosen) {
    hooks.SaveAnswers.push_back(Chosen(chosen));
    return ExportGroupTables(source.Path(), GroupTables, progress);
  }
  bool Import(WorkingDatabase& target, const QString& file) {
    target.Activate();
    hooks.OpenAnswers.push_back(Chosen(file));
    return ImportGroupTables(target.Connection, GroupTables, progress);
  }

  fwtest::ScopedUserFolders folders;
  fwtest::ScriptedHooks hooks;
  TSilentProgress progress;
};

TEST_F(GroupFiles, ExportThenImportIntoAnotherDatabaseBringsBackIdenticalRows) {
  WorkingDatabase source, target;
  AddGroups(source.Connection, QString());
  AddGroups(target.Connection, QStringLiteral("旧"));
  source.Activate();

  // A folder and a name with an apostrophe; ".mdb" is added.
  ASSERT_TRUE(QDir(folders.DocumentsDir()).mkpath(QStringLiteral("O'Neil's")));
  const QString file = Docs(QStringLiteral("O'Neil's/分组'方案.mdb"));
  ASSERT_TRUE(Export(source, Docs(QStringLiteral("O'Neil's/分组'方案")))) << LastMessage().toStdString();
  EXPECT_EQ(LastMessage(), "数据已经被正确导出到：'" + file + "'！");
  ASSERT_EQ(hooks.SaveRequests.size(), 1u);
  EXPECT_EQ(hooks.SaveRequests[0].Title, QStringLiteral("导出文件存放为"));
  EXPECT_EQ(hooks.SaveRequests[0].Filter, QStringLiteral("Access文件(*.mdb)|*.mdb"));
  EXPECT_EQ(hooks.SaveRequests[0].InitialDir, folders.DocumentsDir());
  EXPECT_TRUE(hooks.SaveRequests[0].FileName.isEmpty());
  // Nothing is left beside the file but the file.
  EXPECT_EQ(QDir(QFileInfo(file).path()).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(file).fileName()});

  {
    // A plain file holding the two tables and nothing else.
    TADOConnection group;
    group.SetConnectionString(JetConnectionString(file));
    group.Open();
    QStringList tables = group.TableNames();
    tables.removeAll(QStringLiteral("sqlite_sequence"));
    tables.sort(Qt::CaseInsensitive);
    EXPECT_EQ(tables, (QStringList{QStringLiteral("CT_Group"), QStringLiteral("DT_GroupItem")}));
    EXPECT_EQ(TableRows(group, QStringLiteral("CT_Group")), TableRows(source.Connection, QStringLiteral("ct_group")));
  }

  ASSERT_TRUE(Import(target, file)) << LastMessage().toStdString();
  EXPECT_EQ(LastMessage(), kGroupImportDoneMessage);
  EXPECT_EQ(hooks.OpenRequests[0].Title, QStringLiteral("选择导入文件"));
  EXPECT_EQ(hooks.OpenRequests[0].InitialDir, folders.DocumentsDir());
  for (const QString& table : GroupTables) {
    EXPECT_EQ(TableRows(target.Connection, table), TableRows(source.Connection, table)) << table.toStdString();
    EXPECT_FALSE(TableRows(target.Connection, table).empty());
  }
  // The file is released again: it can be removed and the database still works.
  EXPECT_TRUE(QFile::remove(file));
  EXPECT_EQ(target.Connection.Execute(QStringLiteral("update ct_group set name=name")), 2);
}

TEST_F(GroupFiles, ExportIntoAnExistingFileReplacesOnlyTheGroupTables) {
  WorkingDatabase source;
  AddGroups(source.Connection, QString());
  const QString file = Docs(QStringLiteral("groups.mdb"));
  MakeFile(file, {QStringLiteral("create table keepme (a integer)"), QStringLiteral("insert into keepme values (42)"),
                  QStringLiteral("create table CT_Group (id integer, name text)"),
                  QStringLiteral("insert into CT_Group values (1, 'old')")});

  ASSERT_TRUE(Export(source, file)) << LastMessage().toStdString();
  TADOConnection group;
  group.SetConnectionString(JetConnectionString(file));
  group.Open();
  EXPECT_EQ(TableRows(group, QStringLiteral("CT_Group")), TableRows(source.Connection, QStringLiteral("CT_Group")));
  EXPECT_EQ(TableRows(group, QStringLiteral("DT_GroupItem")).size(), 3u);
  TADOQuery keep(&group);
  keep.SetSQL(QStringLiteral("select a from keepme"));
  keep.Open();
  EXPECT_EQ(keep.Fields(0)->AsInteger(), 42);
}

// An existing file is written into only after the question every export asks about one:
// No leaves a group file and a query result byte for byte as they were. A file the export
// cannot write into, here a backup protected by the database password, is named as such
// after Yes and is left as it was too.
TEST_F(GroupFiles, ExistingFileIsWrittenIntoOnlyAfterAsking) {
  WorkingDatabase source;
  AddGroups(source.Connection, QString());
  const QString group = Docs(QStringLiteral("分组.mdb"));
  MakeFile(group, {QStringLiteral("create table CT_Group (id integer, name text)")});
  const QString result = Docs(QStringLiteral("查询结果.mdb"));
  MakeFile(result, {QStringLiteral("create table Fenwright查询结果 (c901 integer)")});
  const QString backup = Docs(QStringLiteral("备份.mdb"));
  ASSERT_TRUE(QFile::copy(source.Folder.FilePath(QStringLiteral("view.dll")), backup));
  const struct {
    QString file;
    int answer;
    QString said;
  } cases[] = {
      {group, IDNO, QString()},
      {result, IDNO, QString()},
      {backup, IDYES, kGroupFileNotWritableMessage.arg(backup)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file.toStdString());
    const QByteArray before = FileBytes(c.file);
    hooks.Messages.clear();
    hooks.MessageAnswers.push_back(c.answer);
    EXPECT_FALSE(Export(source, c.file));
    ASSERT_FALSE(hooks.Messages.empty());
    EXPECT_EQ(hooks.Messages[0].Text, c.file + QStringLiteral(" 已存在。\n要替换它吗？"));
    EXPECT_EQ(hooks.Messages[0].Caption, QStringLiteral("导出文件存放为"));
    EXPECT_EQ(hooks.Messages[0].Flags & 0xF0F, MB_YESNO | MB_DEFBUTTON2);
    EXPECT_EQ(hooks.MessageTexts().mid(1), c.said.isEmpty() ? QStringList() : QStringList{c.said});
    EXPECT_EQ(FileBytes(c.file), before);
  }
}

TEST_F(GroupFiles, FailedOrRefusedExportLeavesTheFileAsItWas) {
  WorkingDatabase source;
  const QString file = Docs(QStringLiteral("groups.mdb"));
  MakeFile(file, {QStringLiteral("create table keepme (a integer)")});
  const QByteArray before = FileBytes(file);

  // A source without the item table fails after the first table was copied.
  const QString broken = Docs(QStringLiteral("broken source.mdb"));
  MakeFile(broken, {QStringLiteral("create table CT_Group (id integer primary key, name text)")});
  hooks.SaveAnswers.push_back(Chosen(file));
  EXPECT_FALSE(ExportGroupTables(broken, GroupTables, progress));
  EXPECT_TRUE(LastMessage().startsWith(QStringLiteral("运行中发生错误："))) << LastMessage().toStdString();
  EXPECT_TRUE(LastMessage().endsWith(QStringLiteral(",请与软件发行者联系。")));
  EXPECT_EQ(FileBytes(file), before);

  // A source that is no database stops before the dialog.
  const QString junk = Docs(QStringLiteral("junk.mdb"));
  fwtest::WriteBytes(junk, QByteArray(4096, 'x'));
  hooks.SaveAnswers.push_back(Chosen(file));
  EXPECT_FALSE(ExportGroupTables(junk, GroupTables, progress));
  EXPECT_EQ(hooks.SaveRequests.size(), 1u);
  hooks.SaveAnswers.clear();

  // The databases in use are never the group file.
  source.Activate();
  const QByteArray database = FileBytes(source.Path());
  EXPECT_FALSE(Export(source, source.Path()));
  EXPECT_EQ(LastMessage(), kGroupFileInUseMessage);
  EXPECT_EQ(FileBytes(source.Path()), database);
  EXPECT_EQ(QDir(folders.DocumentsDir()).entryList(QDir::Files | QDir::Hidden),
            (QStringList{QStringLiteral("broken source.mdb"), QStringLiteral("groups.mdb"), QStringLiteral("junk.mdb")}));

  // An existing file with a virtual table is not written into.
  const QString virtualFile = Docs(QStringLiteral("virtual.mdb"));
  MakeFile(virtualFile, fwtest::DeclareVirtualTable(QStringLiteral("CT_Group"), QStringLiteral("fts4"), QStringLiteral("name")));
  const QByteArray virtualBytes = FileBytes(virtualFile);
  source.Activate();
  EXPECT_FALSE(Export(source, virtualFile));
  EXPECT_TRUE(LastMessage().contains(kVirtualTableRefusal)) << LastMessage().toStdString();
  EXPECT_EQ(FileBytes(virtualFile), virtualBytes);
  QFile::remove(virtualFile);

  // Cancelling writes nothing and says nothing.
  const size_t messages = hooks.Messages.size();
  EXPECT_FALSE(ExportGroupTables(source.Path(), GroupTables, progress));
  EXPECT_EQ(hooks.Messages.size(), messages);
}

TEST_F(GroupFiles, ImportRefusesAFileThatLacksATableAndChangesNothing) {
  WorkingDatabase target;
  AddGroups(target.Connection, QString());
  const GroupRows before = ReadGroups(target.Connection);

  const QString file = Docs(QStringLiteral("only groups.mdb"));
  MakeFile(file, {QStringLiteral("create table CT_Group (id integer primary key, name text, orderstr text)"),
                  QStringLiteral("insert into CT_Group values (1, 'new', 'id ASC')")});
  EXPECT_FALSE(Import(target, file));
  EXPECT_EQ(LastMessage(), QStringLiteral("您选择的文件中不存在名字为\"DT_GroupItem\"的数据表"));
  EXPECT_TRUE(ReadGroups(target.Connection) == before);

  // A file that does not exist, the open database itself, and a cancelled dialog.
  EXPECT_FALSE(Import(target, Docs(QStringLiteral("none.mdb"))));
  EXPECT_EQ(LastMessage(), QStringLiteral("您选择的文件并不存在，请选择其它文件。"));
  EXPECT_FALSE(Import(target, target.Path()));
  EXPECT_EQ(LastMessage(), kGroupFileInUseMessage);
  const size_t messages = hooks.Messages.size();
  EXPECT_FALSE(ImportGroupTables(target.Connection, GroupTables, progress));
  EXPECT_EQ(hooks.Messages.size(), messages);
  EXPECT_TRUE(ReadGroups(target.Connection) == before);
}

// A group file is judged from its schema alone before anything of it runs: a view in
// place of a group table (here one that computes its row), or a virtual table anywhere in
// the file, is refused at once and the groups stay as they were; so is a view whose
// schema entry says it is a table (the engine finds the schema damaged).
TEST_F(GroupFiles, ImportRefusesViewsAndVirtualTables) {
  WorkingDatabase target;
  AddGroups(target.Connection, QString());
  const GroupRows before = ReadGroups(target.Connection);
  const QString groups = QStringLiteral("create table CT_Group (id integer primary key, name text, orderstr text)");
  const QString items = QStringLiteral("create table DT_GroupItem (id integer, GroupID integer, Title text)");
  struct Case {
    const char* name;
    QStringList statements;
  };
  const std::vector<Case> cases = {
      {"a recursive view",
       {items, "create view CT_Group as with recursive n(i) as (select 1 union all select i + 1 from n where i < 100000) "
               "select max(i) as id, 'computed' as name, 'id ASC' as orderstr from n"}},
      {"the items a view", {groups, "create view DT_GroupItem as select 1 as id, 1 as GroupID, 'x' as Title"}},
      {"a view stored as a table",
       {items, "create view CT_Group as select 1 as id, 'x' as name, 'id ASC' as orderstr", "PRAGMA writable_schema = 1",
        "update sqlite_master set type = 'table' where name = 'CT_Group'"}},
      {"a full-text group table", QStringList{items} + fwtest::DeclareVirtualTable("CT_Group", "fts4", "id, name, orderstr")},
      {"an r-tree beside", QStringList{groups, items, "insert into CT_Group values (1, 'new', 'id ASC')"} +
                               fwtest::DeclareVirtualTable("boxes", "rtree", "id, x0, x1")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString file = Docs(QStringLiteral("hostile.mdb"));
    MakeFile(file, c.statements);
    const QByteArray bytes = FileBytes(file);
    EXPECT_FALSE(Import(target, file));
    EXPECT_EQ(LastMessage(), kFileFormatErrorMessage);
    EXPECT_TRUE(ReadGroups(target.Connection) == before);
    EXPECT_EQ(FileBytes(file), bytes);
    QFile::remove(file);
  }
}

// Calls Swap once, when the import shows its progress (after the checks, before the rows
// are copied).
struct SwappingProgress : TSilentProgress {
  std::function<void()> Swap;
  void ShowProgress(const QString&) override {
    if (Swap) std::exchange(Swap, nullptr)();
  }
};

// The file can change under its name (here rewritten in place) after it was checked: the
// groups copied are those of the file that was checked, never a view put there since, be
// it one that computes a group or one without end. A file far larger than any group file
// (a sparse one of 3 GiB) is refused from its size: with every write past 16 MiB failing,
// the message is still the format error.
TEST_F(GroupFiles, ImportCopiesWhatWasCheckedAndRefusesAHugeFile) {
  WorkingDatabase source, target;
  AddGroups(source.Connection, QString());
  const QString items = QStringLiteral("create table DT_GroupItem (id integer, GroupID integer, Title text)");
  const std::vector<QStringList> hostile = {
      {items, "create view CT_Group as select 1 as id, '换过' as name, 'id ASC' as orderstr"},
      {items, "create view CT_Group as with recursive n(i) as (select 1 union all select i + 1 from n) "
              "select i as id, 'endless' as name, 'id ASC' as orderstr from n"},
  };
  const QString file = Docs(QStringLiteral("shared.mdb"));
  for (const QStringList& statements : hostile) {
    const QString other = Docs(QStringLiteral("other.mdb"));
    MakeFile(other, statements);
    const QByteArray otherBytes = FileBytes(other);
    QFile::remove(other);
    QFile::remove(file);
    ASSERT_TRUE(QFile::copy(source.Path(), file));
    SwappingProgress swapping;
    swapping.Swap = [&] { fwtest::WriteBytes(file, otherBytes); };
    target.Activate();
    hooks.OpenAnswers.push_back(Chosen(file));
    EXPECT_TRUE(ImportGroupTables(target.Connection, GroupTables, swapping)) << LastMessage().toStdString();
    EXPECT_FALSE(swapping.Swap) << "the file was swapped";
    EXPECT_TRUE(ReadGroups(target.Connection) == ReadGroups(source.Connection));
  }

  AddGroups(target.Connection, QStringLiteral("旧"));
  const GroupRows before = ReadGroups(target.Connection);
  QFile::remove(file);
  ASSERT_TRUE(QFile::copy(source.Path(), file));
  ASSERT_TRUE(QFile::resize(file, qint64(3) << 30));
  InjectWriteFault(qint64(16) << 20, ENOSPC);
  EXPECT_FALSE(Import(target, file));
  ClearWriteFault();
  EXPECT_EQ(LastMessage(), kFileFormatErrorMessage);
  EXPECT_TRUE(ReadGroups(target.Connection) == before);
  QFile::remove(file);
}

TEST_F(GroupFiles, AFailureDuringTheImportRollsItBackCompletely) {
  WorkingDatabase target;
  AddGroups(target.Connection, QString());
  const GroupRows before = ReadGroups(target.Connection);

  // The groups copy well; the item without a scheme breaks the second table's copy.
  const QString file = Docs(QStringLiteral("damaged.mdb"));
  MakeFile(file, {QStringLiteral("create table CT_Group (id integer primary key, name text, orderstr text)"),
                  QStringLiteral("insert into CT_Group values (1, 'new', 'id ASC')"),
                  QStringLiteral("create table DT_GroupItem (id integer, GroupID integer, Title text)"),
                  QStringLiteral("insert into DT_GroupItem values (1, null, 'orphan')")});
  EXPECT_FALSE(Import(target, file));
  EXPECT_TRUE(LastMessage().startsWith(QStringLiteral("运行中发生错误："))) << LastMessage().toStdString();
  EXPECT_FALSE(target.Connection.InTransaction());
  EXPECT_TRUE(ReadGroups(target.Connection) == before);

  // Columns in another order are copied by name.
  const QString shuffled = Docs(QStringLiteral("shuffled.mdb"));
  MakeFile(shuffled, {QStringLiteral("create table CT_Group (orderstr text, name text, id integer primary key)"),
                      QStringLiteral("insert into CT_Group values ('id ASC', 'it''s', 3)"),
                      QStringLiteral("create table DT_GroupItem (Title text, GroupID integer, id integer)"),
                      QStringLiteral("insert into DT_GroupItem values ('甲', 3, 5)")});
  ASSERT_TRUE(Import(target, shuffled)) << LastMessage().toStdString();
  const Rows now = TableRows(target.Connection, QStringLiteral("CT_Group"));
  ASSERT_EQ(now.size(), 1u);
  TADOQuery item(&target.Connection);
  item.SetSQL(QStringLiteral("select name from ct_group where id=3"));
  item.Open();
  EXPECT_EQ(item.Fields(0)->AsString(), QStringLiteral("it's"));
}

} // namespace
