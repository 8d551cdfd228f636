// File names that hold the characters of a connection string reach exactly the file
// chosen, through every routine that opens one.
#include "core/DatabaseFiles.h"
#include "core/DatabaseMaintenance.h"
#include "core/GroupFiles.h"
#include "core/ListExport.h"
#include "core/OfflineExchange.h"
#include "core/Progress.h"
#include "tests/core/WorkingDatabase.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using namespace fw;
using fwtest::Chosen;
using fwtest::WorkingDatabase;

class QuietMainConnectionUser : public IMainConnectionUser {
public:
  void MainConnectionClosing() override {}
  void MainConnectionReopened() override {}
};

QString Scalar(TADOConnection& connection, const QString& sql) {
  TADOQuery query(&connection);
  query.SetSQL(sql);
  query.Open();
  return query.IsEmpty() ? QString() : query.Fields(0)->AsString();
}

// Quotes, ";", "=", brackets, apostrophes, spaces and Chinese in the folder and the file
// name (the working copies are written beside the file): the exchange file, the backup,
// the group file and the list's database file are written and read back under exactly
// the names chosen, and nothing else appears.
TEST(DatabaseFiles, HostileFileNamesReachExactlyTheChosenFile) {
  FixEditionSettings();
  fwtest::ScopedUserFolders folders;
  fwtest::ScriptedHooks hooks;
  TSilentProgress progress;
  QuietMainConnectionUser user;
  WorkingDatabase source, target;
  source.Add({{110101000001, "一", 1, 1, 1.5}, {110101000002, "二", 1, 2, 2.5}});
  source.Connection.Execute(QStringLiteral("insert into CT_Group (id, name, orderstr) values (5, '按''地区', 'id ASC')"));
  const auto lastMessage = [&hooks] { return hooks.Messages.empty() ? std::string() : hooks.Messages.back().Text.toStdString(); };

  const QStringList names = {QStringLiteral("p\";x="), QStringLiteral("a;Mode=Read;b="),
                             QStringLiteral("x=\"y\";Data Source=p"), QStringLiteral("[方括号]"),
                             QStringLiteral("O'Neil's ]"), QStringLiteral("带 空 格 "), QStringLiteral("\"\"")};
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    const QString folder = QDir(folders.DocumentsDir()).filePath(name);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString base = QDir(folder).filePath(name);
    const auto importInto = [&target](const QString& file) {
      target.Activate();
      target.Connection.Execute(QStringLiteral("delete from dt_data"));
      return ImportOfflineFile(target.Connection, file, [](const QString&) { return true; });
    };

    source.Activate();
    hooks.InputAnswers.push_back(QStringLiteral("上级'单位"));
    hooks.SaveAnswers.push_back(Chosen(base));
    ASSERT_TRUE(ExportOfflineDat(source.Connection)) << lastMessage();
    TImportOutcome imported = importInto(base + ".dat");
    EXPECT_EQ(imported.Result, TImportResult::Imported) << imported.Error.toStdString();
    EXPECT_EQ(imported.ImportedCount, 2);
    EXPECT_EQ(imported.Label, QStringLiteral("上级'单位"));

    source.Activate();
    hooks.SaveAnswers.push_back(Chosen(base + "备份"));
    ASSERT_TRUE(BackupDatabase(source.Connection, user)) << lastMessage();
    imported = importInto(base + "备份.mdb");
    EXPECT_EQ(imported.Result, TImportResult::Imported) << imported.Error.toStdString();
    EXPECT_EQ(imported.ImportedCount, 2);

    source.Activate();
    hooks.SaveAnswers.push_back(Chosen(base + "分组"));
    ASSERT_TRUE(ExportGroupTables(source.Path(), GroupTables, progress)) << lastMessage();
    target.Activate();
    target.Connection.Execute(QStringLiteral("delete from CT_Group"));
    hooks.OpenAnswers.push_back(Chosen(base + "分组.mdb"));
    ASSERT_TRUE(ImportGroupTables(target.Connection, GroupTables, progress)) << lastMessage();
    EXPECT_EQ(Scalar(target.Connection, QStringLiteral("select name from CT_Group")), QStringLiteral("按'地区"));

    TADOQuery list(&source.Connection);
    list.SetSQL(QStringLiteral("select c901, c902 from dt_data"));
    list.Open();
    hooks.SaveAnswers.push_back(Chosen(base + "名单"));
    ASSERT_TRUE(SaveQueryAsAccess(list, QStringLiteral("名单"), progress)) << lastMessage();
    {
      TADOConnection written;
      written.SetConnectionString(JetConnectionString(base + "名单.mdb", QStringLiteral("Mode=Read;")));
      written.Open();
      EXPECT_EQ(Scalar(written, QStringLiteral("select count(*) from [名单]")), QStringLiteral("2"));
    }

    QStringList expected = {name + ".dat", name + "备份.mdb", name + "分组.mdb", name + "名单.mdb"};
    expected.sort();
    QStringList written = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    written.sort();
    EXPECT_EQ(written, expected);
  }
  QStringList folderNames = names;
  folderNames.sort();
  QStringList documents = QDir(folders.DocumentsDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  documents.sort();
  EXPECT_EQ(documents, folderNames);
}

} // namespace
