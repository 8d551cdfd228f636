// The files the program shows the user (the check report, a summary workbook, a printed
// record): opened with the default program, or, when nothing can open them, kept in the
// documents folder and named in one plain notice.
#include "core/LogicCheck.h"
#include "core/Messages.h"
#include "core/PrintRecord.h"
#include "core/Progress.h"
#include "core/SumProcedure.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoQuery.h"
#include "platform/shell/Folders.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/DesktopHooks.h"
#include "tests/core/LogicCheckSupport.h"
#include "tests/core/SmallFileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>
#include <csignal>
#include <gtest/gtest.h>

namespace {

using namespace fw;

constexpr qint64 kCode = 110000000001;

class ShownFiles : public ::testing::Test {
public:
  ShownFiles() {
    Hooks.FixedNow = QDateTime(QDate(2014, 12, 31), QTime(10, 5, 30));
    Db.InsertClean(kCode, QStringLiteral("甲"), {{"z003", 11}});  // breaks a rule
  }

  void CheckReport() {
    RunLogicCheck(Db.Connection, QStringLiteral("select * from dt_data"), true, Progress);
  }
  void Summary() {
    BuildSummaryWorkbook(Db.Connection, Progress, 2, smLevels, 0);
    ShowSummaryWorkbook();
  }
  void Print() {
    PrintSurveyRecord(Db.Connection, double(kCode), Progress);
  }

  QString CacheFolder() const { return QDir(Folders.CacheDir()).filePath(QStringLiteral("fenwright")); }
  QStringList CachedWorkbooks() const { return QDir(CacheFolder()).entryList({QStringLiteral("*.xlsx")}); }
  void ClearCachedWorkbooks() const {
    for (const QString& name : CachedWorkbooks()) QFile::remove(QDir(CacheFolder()).filePath(name));
  }

  // The one message shown is the kept-file notice, naming a file in the documents folder;
  // no workbook is left in the cache folder. Returns the file named.
  QString ExpectKeptNotice() const {
    static const QRegularExpression named(QStringLiteral("'(.+)'"));
    EXPECT_EQ(Hooks.Messages.size(), 1u) << Hooks.MessageTexts().join('\n').toStdString();
    if (Hooks.Messages.empty()) return QString();
    const fwtest::RecordedMessage& notice = Hooks.Messages[0];
    EXPECT_EQ(notice.Caption, kProgramTitle);
    EXPECT_EQ(notice.Flags, MB_OK | MB_ICONINFORMATION);
    const QString kept = named.match(notice.Text).captured(1);
    EXPECT_EQ(notice.Text, FileKeptNotice(kept));
    EXPECT_TRUE(QFileInfo(kept).isFile()) << kept.toStdString();
    EXPECT_EQ(QFileInfo(kept).absolutePath(), QDir(Folders.DocumentsDir()).absolutePath());
    EXPECT_TRUE(CachedWorkbooks().isEmpty()) << CachedWorkbooks().join(' ').toStdString();
    return kept;
  }

  // The program's own opening hook in place of the scripted one; messages stay scripted.
  static void UseDesktopOpener() {
    fw::Hooks scripted = CurrentHooks();
    InstallDesktopHooks();
    scripted.OpenWithDefault = CurrentHooks().OpenWithDefault;
    InstallHooks(std::move(scripted));
  }

  fwtest::ScopedUserFolders Folders;
  fwtest::ScriptedHooks Hooks;
  fwtest::CheckDatabase Db;
  TSilentProgress Progress;
};

TEST_F(ShownFiles, AFileNothingCanOpenIsKeptInTheDocumentsFolderAndNamed) {
  const struct {
    const char* name;
    std::function<void(ShownFiles&)> run;
  } producers[] = {
      {"check report", &ShownFiles::CheckReport},
      {"summary", &ShownFiles::Summary},
      {"print", &ShownFiles::Print},
  };
  for (const auto& producer : producers) {
    for (const bool opens : {true, false}) {
      SCOPED_TRACE(std::string(producer.name) + (opens ? " opened" : " not opened"));
      Hooks.Messages.clear();
      Hooks.Opened.clear();
      Hooks.OpenSucceeds = opens;
      ClearCachedWorkbooks();
      producer.run(*this);
      ASSERT_EQ(Hooks.Opened.size(), 1u);
      const QString tried = Hooks.Opened[0];
      if (opens) {
        EXPECT_TRUE(Hooks.Messages.empty());
        EXPECT_TRUE(QFileInfo::exists(tried));
        continue;
      }
      const QString kept = ExpectKeptNotice();
      // Named as the workbook shown from the cache folder would be.
      EXPECT_EQ(QFileInfo(kept).fileName(), QFileInfo(tried).fileName());
    }
  }
}

// A documents folder on a full disk: the check report leaves no file behind, not even an
// empty one, and its message gives the cause; a summary or a printed record that nothing
// can open stays in the cache folder, and the notice naming it says why.
TEST_F(ShownFiles, AFullDocumentsFolderLeavesNoReportAndSaysWhy) {
  const fwtest::SmallFileSystem disk(64 * 1024, Folders.DocumentsDir());
  if (!disk.Mounted()) GTEST_SKIP() << "a file system of the test's own cannot be mounted here";
  disk.Fill(QStringLiteral("filler.bin"));
  const auto documents = [&] { return QDir(Folders.DocumentsDir()).entryList(QDir::Files | QDir::Hidden); };
  Hooks.OpenSucceeds = false;

  CheckReport();
  EXPECT_EQ(documents(), QStringList{"filler.bin"});
  EXPECT_TRUE(Hooks.Opened.empty());
  EXPECT_EQ(Hooks.MessageTexts(), QStringList{RuntimeErrorText(QStringLiteral("无法写入逻辑检查结果文件“") +
                                                               LogicReportPath(DatabaseLabel) +
                                                               QStringLiteral("”：磁盘空间不足"))});

  const QString why = QStringLiteral("文档文件夹“%1”无法保存文件（磁盘空间不足），所以文件保存在了上面的位置。")
                          .arg(QDir::toNativeSeparators(PersonalFolder()));
  for (const auto& [name, run] : {std::pair<const char*, std::function<void(ShownFiles&)>>{"summary", &ShownFiles::Summary},
                                  {"print", &ShownFiles::Print}}) {
    SCOPED_TRACE(name);
    Hooks.Messages.clear();
    ClearCachedWorkbooks();
    run(*this);
    ASSERT_EQ(CachedWorkbooks().size(), 1);
    const QString kept = QDir(CacheFolder()).filePath(CachedWorkbooks()[0]);
    EXPECT_EQ(Hooks.MessageTexts(), QStringList{FileKeptNotice(kept, why)});
    EXPECT_EQ(documents(), QStringList{"filler.bin"});
  }
}

// The desktop's own opener, xdg-open, judged by how it ends: a fake one first on the PATH
// fails at once or after a second, ends well, or stays running (a viewer that stays); or
// there is none. Only an opener that ended well or still runs counts as opened.
TEST_F(ShownFiles, TheDesktopsOpenerIsJudgedByHowItEnds) {
  QTemporaryDir bin;
  const QString given = bin.filePath(QStringLiteral("given.txt"));
  const fwtest::ScopedEnvironment path("PATH", QFile::encodeName(bin.path()));
  const fwtest::ScopedEnvironment noOpen("FENWRIGHT_NO_OPEN", QByteArray());
  UseDesktopOpener();
  const struct {
    const char* name;
    const char* script;  // nullptr: no opener at all
    std::function<void(ShownFiles&)> run;
    bool opened;
  } cases[] = {
      {"exits 3 at once", "exit 3", &ShownFiles::CheckReport, false},
      {"fails after a second", "/bin/sleep 1; exit 4", &ShownFiles::Print, false},
      {"exits 0", "exit 0", &ShownFiles::Summary, true},
      {"stays running", "echo $$ > \"$0.pid\"; exec /bin/sleep 60", &ShownFiles::Print, true},
      {"none at all", nullptr, &ShownFiles::Summary, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Hooks.Messages.clear();
    ClearCachedWorkbooks();
    QFile::remove(given);
    const QString opener = bin.filePath(QStringLiteral("xdg-open"));
    QFile::remove(opener);
    if (c.script) {
      fwtest::WriteBytes(opener, QByteArray("#!/bin/sh\necho \"$1\" > '") + QFile::encodeName(given) + "'\n" + c.script + "\n");
      QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    c.run(*this);
    if (c.opened) {
      EXPECT_TRUE(Hooks.Messages.empty()) << Hooks.MessageTexts().join('\n').toStdString();
      EXPECT_TRUE(QFileInfo::exists(QString::fromLocal8Bit(fwtest::FileBytes(given).trimmed())));
    } else {
      ExpectKeptNotice();
    }
  }
  // The viewer that stayed is not left behind.
  const qint64 viewer = fwtest::FileBytes(bin.filePath(QStringLiteral("xdg-open.pid"))).trimmed().toLongLong();
  ASSERT_GT(viewer, 0);
  ::kill(pid_t(viewer), SIGKILL);
}

} // namespace
