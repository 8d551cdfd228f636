// Start-up of the main window: the database opening (keyed, plain, missing, damaged),
// the field list, the caption and the version text.
#include "MainFormFixture.h"

#include "controls/navigation/FwCustomStatusPane.h"
#include "core/DatabaseOpening.h"
#include "core/ProductVersion.h"
#include "core/RegistrySettings.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/shell/FileLock.h"
#include "tests/core/SmallFileSystem.h"
#include "windows/shared/ToolForm.h"

#include <QDir>

namespace {

using namespace fw;
using fwtest::MainFormFixture;

class MainFormTest : public MainFormFixture {};

bool IsPlainDatabaseFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) && f.read(15) == "SQLite format 3";
}

TEST_F(MainFormTest, KeyedDatabaseOpensAndLosesItsKey) {
  AddRecords({110000000001, 110000000002, 110000000003});
  {
    auto c = Connect(QString(), true);
    c->Execute("ALTER DATABASE PASSWORD [" + DatabasePassword() + "] null");
  }
  ASSERT_FALSE(IsPlainDatabaseFile(DatabaseFile()));
  EXPECT_THROW(Connect(), EDatabaseError);

  TMainForm* form = Start();
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(hooks.Messages.empty());
  EXPECT_FALSE(app->Terminated());
  EXPECT_EQ(DatabasePath, DatabaseFile());
  ASSERT_TRUE(form->Data().ReportQuery->Active());
  EXPECT_EQ(form->Data().ReportQuery->RecordCount(), 3);
  EXPECT_FALSE(form->Data().SysADOConnection->Exclusive());

  EXPECT_TRUE(IsPlainDatabaseFile(DatabaseFile()));
  EXPECT_EQ(Count("select count(*) from dt_data"), 3);
  // Nothing of the re-encryption is left beside the file.
  const QStringList left = QDir(folder.Path()).entryList(QDir::Files | QDir::Hidden);
  EXPECT_TRUE(left.filter("rekey").isEmpty()) << left.join(",").toStdString();
}

TEST_F(MainFormTest, PlainDatabaseStaysPlain) {
  AddRecords({110000000001});
  TMainForm* form = Start();
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(hooks.Messages.empty());
  EXPECT_EQ(form->Data().ReportQuery->RecordCount(), 1);
  EXPECT_TRUE(IsPlainDatabaseFile(DatabaseFile()));
  EXPECT_EQ(EditionSettings.OfflineMode, 1);
  EXPECT_EQ(GroupTables, (QStringList{"CT_Group", "DT_GroupItem"}));
  EXPECT_TRUE(form->RecordGrid->Visible());
  EXPECT_EQ(RegReadInteger("ShowGrid", 0, TRootKey::HKEY_LOCAL_MACHINE, ProductKey(kProductName)), 1);
}

// The record-list switch cannot be stored: the registry's error names the value once, and
// the start goes on to a usable main window.
TEST_F(MainFormTest, AnUnwritableSettingsFileIsShownAndTheStartGoesOn) {
  AddRecords({110000000001, 110000000002});
  users.MakeMachineSettingsUnwritable();
  GroupTables.clear();
  TMainForm* form = Start();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(hooks.MessageTexts(), QStringList{"Failed to set data for 'ShowGrid'"});
  EXPECT_FALSE(app->Terminated());
  EXPECT_TRUE(form->Caption().startsWith(kMainCaptionPrefix));
  EXPECT_TRUE(form->RecordGrid->Visible());
  ASSERT_TRUE(form->Data().ReportQuery->Active());
  EXPECT_EQ(form->Data().ReportQuery->RecordCount(), 2);
  EXPECT_EQ(form->StatusVersion->Text(), VersionStatusText(ProgramVersion.Build));
  EXPECT_EQ(GroupTables, (QStringList{"CT_Group", "DT_GroupItem"}));
}

// A working database on a read-only disk: the start says so at once, naming the file,
// and goes on with the database open for reading.
TEST_F(MainFormTest, AReadOnlyDatabaseIsToldAtTheStart) {
  AddRecords({110000000001});
  const QByteArray database = fwtest::FileBytes(DatabaseFile());
  fwtest::SmallFileSystem disk(database.size() + 1024 * 1024);
  if (!disk.Mounted()) GTEST_SKIP() << "a file system of the test's own cannot be mounted here";
  const QString file = disk.FilePath(kDefaultDatabaseName);
  fwtest::WriteBytes(file, database);
  ASSERT_TRUE(disk.MakeReadOnly());
  app->SetProgramDir(QFileInfo(file).absolutePath());

  TMainForm* form = Start();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(hooks.MessageTexts(), QStringList{ReadOnlyDatabaseMessage(file)});
  EXPECT_TRUE(ReadOnlyDatabaseMessage(file).contains(QDir::toNativeSeparators(file)));
  EXPECT_FALSE(app->Terminated());
  ASSERT_TRUE(form->Data().ReportQuery->Active());
  EXPECT_EQ(form->Data().ReportQuery->RecordCount(), 1);
}

// A start that cannot open its database shows one message and ends: no later step runs,
// no further window is made and the program's exit status is not 0. A database another
// running copy holds is named in the message.
TEST(MainFormStartup, FailedOpeningEndsTheStartAtOnce) {
  struct Case {
    const char* name;
    std::function<void(const QString&)> damage;
    QString message;  // empty: the message that the database is in use
  };
  TFileLock otherCopy;
  const std::vector<Case> cases = {
      {"missing", [](const QString& path) { QFile::remove(path); }, kDataFileMissingMessage},
      {"held by another running copy",
       [&otherCopy](const QString& path) { ASSERT_EQ(otherCopy.Lock(path), TFileLock::TOutcome::Locked); },
       QString()},
      {"not a database",
       [](const QString& path) {
         QFile f(path);
         ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
         f.write(QByteArray(4096, 'x'));
       },
       kBadInstallationMessage},
      {"no survey tables",
       [](const QString& path) {
         TADOConnection c;
         c.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";Mode=ReadWrite;");
         c.Open();
         c.Execute("drop table ct_label");
       },
       kBadInstallationMessage},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    fwtest::ProgramFolderCopy folder;
    fwtest::ScopedUserFolders users;
    fwtest::ScriptedHooks hooks;
    TApplication application;
    application.SetProgramDir(folder.Path());
    test.damage(folder.FilePath(kDefaultDatabaseName));

    TMainForm* form = nullptr;
    application.CreateForm(form);
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(hooks.Messages.size(), 1u);
    const QString database = folder.FilePath(kDefaultDatabaseName);
    EXPECT_EQ(hooks.Messages[0].Text, test.message.isEmpty() ? DatabaseInUseMessage(database) : test.message);
    EXPECT_TRUE(application.Terminated());
    EXPECT_EQ(application.ExitCode(), kStartupFailureExitCode);
    // Nothing after the opening ran.
    EXPECT_FALSE(form->Data().SysADOConnection->Connected());
    EXPECT_FALSE(form->Data().ReportQuery->Active());
    EXPECT_FALSE(form->Caption().startsWith(kMainCaptionPrefix));
    EXPECT_EQ(form->StatusVersion->Text(), "");
    EXPECT_EQ(RegReadInteger("ShowGrid", -5, TRootKey::HKEY_LOCAL_MACHINE, ProductKey(kProductName)), -5);

    TToolForm* tool = nullptr;
    EXPECT_EQ(application.CreateForm(tool), nullptr);
    EXPECT_EQ(application.Run(), kStartupFailureExitCode);
  }
}

// Dialogs reach the main window's data through MainData() while the window exists; the
// window goes with its data sets still open.
TEST_F(MainFormTest, MainDataIsTheWindowsWhileItExists) {
  AddRecords({110000000001});
  EXPECT_EQ(MainData(), nullptr);
  TMainForm* form = Start();
  EXPECT_EQ(MainData(), &form->Data());
  {
    TMainData other;
    EXPECT_EQ(MainData(), &form->Data());
  }
  MainData()->AppQuery->SetSQL("select * from dt_data");
  MainData()->AppQuery->Open();
  ASSERT_TRUE(form->Data().ReportQuery->Active());
  delete form;
  EXPECT_EQ(MainData(), nullptr);
  EXPECT_EQ(Count("select count(*) from dt_data"), 1);
}

TEST_F(MainFormTest, FieldListBuildsTheColumns) {
  TMainForm* form = Start();
  ASSERT_NE(form, nullptr);
  const int fields = Count("select count(*) from dt_fieldlist");
  TDBGridColumns& columns = form->RecordGrid->Columns();
  ASSERT_EQ(columns.Count(), fields);
  ASSERT_EQ(static_cast<int>(FieldDescs.size()), fields);

  // The state column comes first (sequence 0) and is the only centred one.
  EXPECT_EQ(columns[0]->FieldName(), "RecordState");
  EXPECT_EQ(columns[0]->Alignment(), TAlignment::taCenter);
  EXPECT_EQ(columns[0]->Title().Caption(), "数据状态");
  EXPECT_EQ(columns[0]->Width(), 70);
  int centred = 0;
  for (int i = 0; i < columns.Count(); ++i) {
    centred += columns[i]->Alignment() == TAlignment::taCenter;
    EXPECT_EQ(columns[i]->Title().Alignment(), TAlignment::taCenter);
    EXPECT_EQ(columns[i]->FieldName(), FieldDescs[i].ShowName);
    EXPECT_EQ(columns[i]->Visible(), FieldDescs[i].Visible);
  }
  EXPECT_EQ(centred, 1);

  TColumn* c902 = columns.FindColumn("c902");
  ASSERT_NE(c902, nullptr);
  EXPECT_EQ(c902->Title().Caption(), "本级工会名称");
  EXPECT_EQ(c902->Width(), 220);
  ASSERT_NE(columns.FindColumn("c905"), nullptr);
  EXPECT_FALSE(columns.FindColumn("c905")->Visible());
  EXPECT_EQ(FieldDescs[1].ShowName, "c901");
  EXPECT_EQ(FieldDescs[1].QueryType, 2);
  EXPECT_EQ(form->Data().ReportQuery->SQL().Text().trimmed(), kReportQuerySql);
  EXPECT_EQ(form->ListSortState(), 1);
  EXPECT_EQ(form->ListSortedColumn(), nullptr);
}

TEST_F(MainFormTest, EmptyFieldListKeepsTheDesignColumns) {
  Connect()->Execute("delete from dt_fieldlist");
  FieldDescs = {TFieldData{}};
  TMainForm* form = Start();
  ASSERT_NE(form, nullptr);
  TDBGridColumns& columns = form->RecordGrid->Columns();
  ASSERT_EQ(columns.Count(), 2);
  EXPECT_EQ(columns[0]->FieldName(), "c901");
  EXPECT_EQ(columns[1]->FieldName(), "c902");
  EXPECT_EQ(FieldDescs.size(), 1u);  // unchanged
  EXPECT_TRUE(form->Data().ReportQuery->Active());
}

TEST_F(MainFormTest, CaptionCarriesTheDatabaseLabel) {
  struct Case {
    QString label;
    QString caption;
  };
  for (const Case& test : {Case{"", kMainCaptionPrefix}, Case{"县总工会", kMainCaptionPrefix + "县总工会"}}) {
    Connect()->Execute("update ct_label set db_name = ?", {test.label});
    TMainForm* form = Start();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Caption(), test.caption);
    EXPECT_TRUE(form->Caption().contains(" - "));
    EXPECT_EQ(DatabaseLabel, test.label);
    form->Free();
  }
}

TEST_F(MainFormTest, VersionTextInTheStatusBar) {
  TMainForm* form = Start();
  ASSERT_NE(form, nullptr);
  TProductVersion version;
  ReadProductVersion(version);
  EXPECT_EQ(form->StatusVersion->Text(),
            QString("开发单位：Brackwater\u3000软件版本：1.0 (Build %1)").arg(version.Build));
  EXPECT_GE(version.Build, 0);
  EXPECT_EQ(VersionStatusText(-1), "开发单位：Brackwater　软件版本：1.0 (Build -1)");
  EXPECT_EQ(VersionStatusText(-1).count(QChar(0x3000)), 1);
}

TEST_F(MainFormTest, WindowLooksAndFirstTitleClickSortsDescending) {
  AddRecords({110000000003, 110000000001, 110000000002});
  TMainForm* form = Start();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Color(), kMainWindowColor);
  EXPECT_EQ(form->WindowState(), TWindowState::wsMaximized);
  EXPECT_EQ(form->RecordGrid->FixedColor(), kMainWindowColor);
  const TDBGridOptions wanted = dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgRowSelect |
                                dgAlwaysShowSelection | dgMultiSelect;
  EXPECT_EQ(form->RecordGrid->Options() & wanted, wanted);
  for (const char* name : {"RecordGrid", "FwStatusBar1", "FwPanel1", "FwPanel2", "FwSizePanel1", "FwGroupBar1", "Image1"})
    EXPECT_NE(form->FindComponent(name), nullptr) << name;

  TColumn* c901 = form->RecordGrid->Columns().FindColumn("c901");
  form->RecordGrid->OnTitleClick(c901);
  EXPECT_EQ(form->Data().ReportQuery->Sort(), "c901 DESC");
  const int code = form->Data().ReportQuery->FieldByName("c901")->Index();
  EXPECT_EQ(form->Data().ReportQuery->Text(0, code), "110000000003");
  EXPECT_EQ(form->Data().ReportQuery->Text(2, code), "110000000001");
  EXPECT_TRUE(c901->Title().Caption().endsWith("▼"));
  // A new load resets the state: the next click sorts descending again.
  form->LoadFieldList();
  c901 = form->RecordGrid->Columns().FindColumn("c901");
  form->RecordGrid->OnTitleClick(c901);
  EXPECT_EQ(form->Data().ReportQuery->Sort(), "c901 DESC");
  EXPECT_EQ(c901->Title().Caption(), "本级工会统计编码▼");
}

} // namespace
