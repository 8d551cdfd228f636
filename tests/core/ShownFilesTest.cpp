// The files the program shows the user (the check report, a summary workbook, a printed
// record): opened with the default program, or, when nothing can open them, kept in the
// documents folder and named in one plain notice.
#include "core/LogicCheck.h"
#include "core/PrintRecord.h"
#include "core/Progress.h"
#include "core/SumProcedure.h"
#include "platform/db/AdoQuery.h"
#include "platform/shell/Hooks.h"
#include "tests/core/LogicCheckSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <functional>
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
  static const QRegularExpression named(QStringLiteral("'(.+)'"));
  for (const auto& producer : producers) {
    for (const bool opens : {true, false}) {
      SCOPED_TRACE(std::string(producer.name) + (opens ? " opened" : " not opened"));
      Hooks.Messages.clear();
      Hooks.Opened.clear();
      Hooks.OpenSucceeds = opens;
      for (const QString& name : CachedWorkbooks()) QFile::remove(QDir(CacheFolder()).filePath(name));
      producer.run(*this);
      ASSERT_EQ(Hooks.Opened.size(), 1u);
      const QString tried = Hooks.Opened[0];
      if (opens) {
        EXPECT_TRUE(Hooks.Messages.empty());
        EXPECT_TRUE(QFileInfo::exists(tried));
        continue;
      }
      ASSERT_EQ(Hooks.Messages.size(), 1u);
      const fwtest::RecordedMessage& notice = Hooks.Messages[0];
      EXPECT_EQ(notice.Caption, kProgramTitle);
      EXPECT_EQ(notice.Flags, MB_OK | MB_ICONINFORMATION);
      const QString kept = named.match(notice.Text).captured(1);
      EXPECT_EQ(notice.Text, FileKeptNotice(kept));
      EXPECT_TRUE(QFileInfo(kept).isFile()) << kept.toStdString();
      EXPECT_EQ(QFileInfo(kept).absolutePath(), QDir(Folders.DocumentsDir()).absolutePath());
      // Named as the workbook shown from the cache folder would be; none is left there.
      EXPECT_EQ(QFileInfo(kept).fileName(), QFileInfo(tried).fileName());
      EXPECT_TRUE(CachedWorkbooks().isEmpty()) << CachedWorkbooks().join(' ').toStdString();
    }
  }
}

} // namespace
