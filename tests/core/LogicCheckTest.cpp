// The batch logic check: the report as laid out (a golden file), the record states, the
// empty set, stopping and pausing, the pumping of messages, the report's file name and
// the failures that end a run.
#include "core/CheckReport.h"
#include "core/LogicCheck.h"
#include "core/Messages.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoQuery.h"
#include "platform/shell/FileWriter.h"
#include "platform/shell/Folders.h"
#include "tests/core/LogicCheckSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <cerrno>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace fw;
using fwtest::ReportEntry;

class LogicCheckTest : public ::testing::Test {
protected:
  LogicCheckTest() { Hooks.FixedNow = QDateTime(QDate(2014, 12, 31), QTime(10, 5, 30)); }

  // Runs the check over the records with c907 <= 2, as the check dialog selects them.
  TLogicCheckOutcome Run(bool setPassed = true, int pumpIntervalMs = kCheckPumpIntervalMs) {
    return RunLogicCheck(Db.Connection, QStringLiteral("select * from dt_data where c907<=2"), setPassed, Progress,
                         pumpIntervalMs);
  }

  QString ReportPath() const { return LogicReportPath(DatabaseLabel); }
  fwtest::LogicReport Report() const { return fwtest::ReadLogicReport(ReportPath()); }

  QStringList MessageTexts() const { return Hooks.MessageTexts(); }

  // Five records that each break z003<=z001 (codes 110000000001..5).
  void InsertFiveFailing() {
    for (int i = 1; i <= 5; ++i)
      Db.InsertClean(110000000000 + i, QStringLiteral("单位%1").arg(i), {{"z003", 11}}, 1);
  }

  fwtest::ScopedUserFolders Folders;
  fwtest::ScriptedHooks Hooks;
  fwtest::CheckDatabase Db;
  fwtest::ScriptedCheckProgress Progress;
};

// The report of a fixture compared byte for byte with the golden file (kept in UTF-8
// with LF line ends beside this test, written by the check in GBK with CR LF).
TEST_F(LogicCheckTest, ReportMatchesTheGoldenFile) {
  Db.InsertClean(110000000001, QStringLiteral("甲市总工会"), {}, 0);
  Db.InsertClean(110000000002, QStringLiteral("乙县总工会"), {{"z003", 11}, {"z002", 12}}, 0);
  Db.InsertClean(110000000003, QStringLiteral("丙区总工会"), {{"z010", 2}, {"z013", 5}}, 0);
  Db.InsertClean(110000000004, QStringLiteral("丁镇总工会"), {{"z010", 1}, {"z013", 0}, {"z014", 0}}, 0);
  Db.Insert(110000000005, QStringLiteral("戊产业工会"), {{"z003", 50}}, 0, 3);  // filed: not checked

  const TLogicCheckOutcome outcome = Run();
  EXPECT_EQ(outcome.Checked, 4);
  EXPECT_EQ(outcome.FailedUnits, 3);
  EXPECT_EQ(outcome.ErrorCount, 4);
  EXPECT_FALSE(outcome.Stopped || outcome.Failed);

  QFile golden(QStringLiteral(FW_TEST_SOURCE_DIR "/data/LogicCheckReport.txt"));
  ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << golden.fileName().toStdString();
  const QString expected = QString::fromUtf8(golden.readAll()).replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  const fwtest::LogicReport report = Report();
  EXPECT_EQ(report.Bytes, ToGbk(expected)) << fw::FromGbk(report.Bytes).toStdString();

  // The report is opened at the end; the states are marked: 1 clean, 2 broken, and the
  // record out of the check's scope keeps its state.
  EXPECT_EQ(Hooks.Opened, QStringList{ReportPath()});
  EXPECT_TRUE(Hooks.Messages.empty());
  EXPECT_EQ(Db.State(110000000001), 1);
  EXPECT_EQ(Db.State(110000000002), 2);
  EXPECT_EQ(Db.State(110000000004), 2);
  EXPECT_EQ(Db.State(110000000005), 0);
  EXPECT_EQ(Progress.Total, 4);
  EXPECT_EQ(Progress.Position, 0);
  EXPECT_EQ(Progress.Steps, 4);
}

TEST_F(LogicCheckTest, EmptySetGetsTheHeaderAndTheCongratulation) {
  const TLogicCheckOutcome outcome = Run();
  EXPECT_EQ(outcome.Checked, 0);
  EXPECT_EQ(MessageTexts(), QStringList{kNoLogicErrorsMessage});
  EXPECT_TRUE(Hooks.Opened.isEmpty());
  const fwtest::LogicReport report = Report();
  EXPECT_EQ(report.Lines, (QStringList{kLogicReportTitle, "#检查时间：2014年12月31日 10:05", "", "", ""}));
  EXPECT_EQ(Progress.Total, 0);
}

TEST_F(LogicCheckTest, CleanRecordsKeepTheirStateUnlessPassedAreMarked) {
  Db.InsertClean(110000000001, QStringLiteral("甲"), {}, 0);
  Db.InsertClean(110000000002, QStringLiteral("乙"), {}, 2);
  Db.InsertClean(110000000003, QStringLiteral("丙"), {{"z003", 11}}, 1);
  Run(false);
  EXPECT_EQ(Db.State(110000000001), 0);
  EXPECT_EQ(Db.State(110000000002), 2);
  EXPECT_EQ(Db.State(110000000003), 2);

  Db.Connection.Execute(QStringLiteral("update dt_data set z003 = 0"));
  Run(true);
  EXPECT_EQ(Db.State(110000000001), 1);
  EXPECT_EQ(Db.State(110000000002), 1);
  EXPECT_EQ(Db.State(110000000003), 1);
  EXPECT_EQ(MessageTexts(), (QStringList{kNoLogicErrorsMessage}));  // the first run found an error
}

TEST_F(LogicCheckTest, StatesAlreadyStoredAreNotWrittenAgain) {
  Db.InsertClean(110000000001, QStringLiteral("甲"), {}, 1);
  Db.InsertClean(110000000002, QStringLiteral("乙"), {{"z003", 11}}, 2);
  Db.InsertClean(110000000003, QStringLiteral("丙"), {{"z003", 11}}, 1);
  Db.Connection.Execute(QStringLiteral("create trigger no_rewrite before update on dt_data when old.c901 <> 110000000003 "
                                       "begin select raise(abort, 'written again'); end"));
  const TLogicCheckOutcome outcome = Run();
  EXPECT_FALSE(outcome.Failed);
  EXPECT_EQ(outcome.FailedUnits, 2);
  EXPECT_EQ(Db.State(110000000003), 2);
  EXPECT_EQ(Hooks.Opened.size(), 1);
}

TEST_F(LogicCheckTest, RealValuesAreComparedAsTheyAre) {
  // b004 (an amount) of 0.5 without b003: compared as 0.5, not as its nearest integer 0.
  Db.InsertClean(110000000001, QStringLiteral("甲"), {{"b004", 0.5}});
  Db.InsertClean(110000000002, QStringLiteral("乙"), {{"b003", 1}, {"b004", 0.5}});
  Run();
  const fwtest::LogicReport report = Report();
  ASSERT_EQ(report.Codes, QStringList{"110000000001"});
  EXPECT_EQ(report.EntriesOf("110000000001").at(0).Rule, QStringLiteral("(b003=1) or (b003<>1  and b004=0)"));
}

TEST_F(LogicCheckTest, StoppedRunKeepsTheReportAndTheStatesSoFar) {
  InsertFiveFailing();
  // Stopped at the second pump: two records are done. The states are written inside
  // the run's transaction, which the stop commits.
  bool inTransaction = false;
  Progress.OnPump = [&](fwtest::ScriptedCheckProgress& p) {
    inTransaction = Db.Connection.InTransaction();
    if (p.Pumps == 2) p.IsCancelled = true;
  };
  const TLogicCheckOutcome outcome = Run(true, 0);
  EXPECT_TRUE(inTransaction);
  EXPECT_TRUE(outcome.Stopped);
  EXPECT_EQ(outcome.Checked, 2);
  EXPECT_FALSE(Db.Connection.InTransaction());

  const fwtest::LogicReport report = Report();
  EXPECT_EQ(report.Codes, (QStringList{"110000000001", "110000000002"}));
  EXPECT_FALSE(report.Lines.join('\n').contains(QStringLiteral("共有")));  // no totals
  EXPECT_TRUE(Hooks.Messages.empty());
  EXPECT_TRUE(Hooks.Opened.isEmpty());

  // Read through a connection of its own: the marks of the first two are committed.
  TADOConnection other;
  other.SetConnectionString(WorkingConnectionString(Db.Path()));
  other.Open();
  TADOQuery states(&other);
  states.SetSQL(QStringLiteral("select c901, RecordState from dt_data order by c901"));
  states.Open();
  std::vector<int> marks;
  for (; !states.Eof(); states.Next()) marks.push_back(states.Fields(1)->AsInteger());
  EXPECT_EQ(marks, (std::vector<int>{2, 2, 1, 1, 1}));
}

TEST_F(LogicCheckTest, PausedRunWaitsForMessagesWithoutAdvancing) {
  InsertFiveFailing();
  Progress.OnPump = [](fwtest::ScriptedCheckProgress& p) {
    if (p.Pumps == 1) p.IsPaused = true;
  };
  Progress.OnWait = [](fwtest::ScriptedCheckProgress& p) {
    if (p.Waits == 3) p.IsPaused = false;
  };
  const TLogicCheckOutcome outcome = Run(true, 0);
  EXPECT_EQ(outcome.Checked, 5);
  EXPECT_EQ(Progress.Waits, 3);             // one wait per message, no turning in between
  EXPECT_EQ(Progress.StepsWhilePaused, 0);  // nothing advances while paused
  EXPECT_EQ(Progress.PumpsWhilePaused, 0);  // and no pumping in a loop either
  EXPECT_EQ(Report().Codes.size(), 5u);

  // Stopped while paused: the run ends at once, without totals.
  Progress = fwtest::ScriptedCheckProgress();
  Progress.OnPump = [](fwtest::ScriptedCheckProgress& p) { p.IsPaused = true; };
  Progress.OnWait = [](fwtest::ScriptedCheckProgress& p) { p.IsCancelled = true; };
  EXPECT_TRUE(Run(true, 0).Stopped);
  EXPECT_EQ(Progress.Waits, 1);
  EXPECT_EQ(Report().Codes.size(), 1u);
}

TEST_F(LogicCheckTest, MessagesArePumpedEveryFewMillisecondsNotPerRecord) {
  Db.Connection.BeginTrans();
  for (int i = 0; i < 3000; ++i) Db.InsertClean(110000000000 + i, QStringLiteral("单位"), {{"z003", double(i % 2) * 20}});
  Db.Connection.CommitTrans();
  QElapsedTimer clock;
  clock.start();
  const TLogicCheckOutcome outcome = Run();
  const qint64 elapsed = clock.elapsed();
  EXPECT_EQ(outcome.Checked, 3000);
  EXPECT_EQ(outcome.FailedUnits, 1500);
  EXPECT_LE(Progress.Pumps, elapsed / kCheckPumpIntervalMs + 1);
  EXPECT_LT(Progress.Pumps, outcome.Checked / 10);
}

TEST_F(LogicCheckTest, ReportGoesToTheDocumentsFolderUnderASafeName) {
  DatabaseLabel = QStringLiteral("华北/分会:*?\"<>|\\");
  Db.InsertClean(110000000001, QStringLiteral("甲"), {{"z003", 11}});
  const TLogicCheckOutcome outcome = Run();
  EXPECT_EQ(QFileInfo(outcome.ReportPath).absolutePath(), QDir(Folders.DocumentsDir()).absolutePath());
  EXPECT_EQ(QFileInfo(outcome.ReportPath).fileName(), QStringLiteral("2014基层以上-华北_分会________-逻辑检查结果.txt"));
  EXPECT_EQ(Report().Codes.size(), 1u);
  EXPECT_EQ(Hooks.Opened, QStringList{outcome.ReportPath});
}

TEST_F(LogicCheckTest, ReportThatCannotBeCreatedEndsTheRunBeforeAnyMark) {
  Db.InsertClean(110000000001, QStringLiteral("甲"), {{"z003", 11}});
  QDir().mkpath(ReportPath());  // a folder where the file should go
  const TLogicCheckOutcome outcome = Run();
  EXPECT_TRUE(outcome.Failed);
  EXPECT_EQ(outcome.Checked, 0);
  ASSERT_EQ(Hooks.Messages.size(), 1u);
  EXPECT_TRUE(Hooks.Messages[0].Text.startsWith(QStringLiteral("运行中发生错误：无法写入逻辑检查结果文件")));
  EXPECT_EQ(Db.State(110000000001), 0);
}

TEST_F(LogicCheckTest, FullDiskEndsTheRunKeepingTheMarksOfTheRecordsChecked) {
  InsertFiveFailing();
  fwtest::WriteBytes(ReportPath(), "old report");
  // Room for the header and a little more: some record's entries no longer fit. The
  // records checked up to it keep their marks, the others their states; the report of
  // the run before stays as it was, and nothing else is left beside it.
  InjectWriteFault(ToGbk(kLogicReportTitle).size() + 300, ENOSPC);
  const TLogicCheckOutcome outcome = Run(true, 0);
  ClearWriteFault();
  EXPECT_TRUE(outcome.Failed);
  ASSERT_GE(outcome.Checked, 1);
  ASSERT_LT(outcome.Checked, 5);
  EXPECT_EQ(MessageTexts(), QStringList{RuntimeErrorText(QStringLiteral("无法写入逻辑检查结果文件“") + ReportPath() +
                                                         QStringLiteral("”：磁盘空间不足"))});
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(Db.State(110000000000 + i), i <= outcome.Checked ? 2 : 1) << i;
  EXPECT_TRUE(Hooks.Opened.isEmpty());
  EXPECT_EQ(fwtest::FileBytes(ReportPath()), "old report");
  EXPECT_EQ(QDir(Folders.DocumentsDir()).entryList(QDir::Files | QDir::Hidden),
            QStringList{QFileInfo(ReportPath()).fileName()});
}

// A link planted at the report's name is replaced by the report; the file it points to
// is left as it was.
TEST_F(LogicCheckTest, ReportReplacesALinkAtItsNameLeavingItsTargetAlone) {
  Db.InsertClean(110000000001, QStringLiteral("甲"), {{"z003", 11}});
  const QTemporaryDir elsewhere;
  const QString target = elsewhere.filePath(QStringLiteral("重要.txt"));
  fwtest::WriteBytes(target, "keep me");
  ASSERT_TRUE(QFile::link(target, ReportPath()));
  Run();
  EXPECT_EQ(fwtest::FileBytes(target), "keep me");
  EXPECT_FALSE(QFileInfo(ReportPath()).isSymLink());
  EXPECT_EQ(Report().Codes, QStringList{"110000000001"});
}

TEST_F(LogicCheckTest, DatabaseErrorWhileMarkingKeepsTheMarksBefore) {
  // Marks are written 250 records to a statement, and what is left one by one at the
  // end: a refused mark of the 260th record ends the run after the first 259 are marked.
  Db.Connection.BeginTrans();
  for (int i = 1; i <= 300; ++i) Db.InsertClean(110000000000 + i, QStringLiteral("单位"), {{"z003", 11}});
  Db.Connection.CommitTrans();
  Db.Connection.Execute(QStringLiteral("create trigger refuse_mark before update on dt_data when new.c901 = 110000000260 "
                                       "begin select raise(abort, 'marking refused'); end"));
  const TLogicCheckOutcome outcome = Run();
  EXPECT_TRUE(outcome.Failed);
  ASSERT_EQ(Hooks.Messages.size(), 1u);
  EXPECT_TRUE(Hooks.Messages[0].Text.contains(QStringLiteral("marking refused")));
  EXPECT_EQ(Db.State(110000000001), 2);
  EXPECT_EQ(Db.State(110000000259), 2);
  EXPECT_EQ(Db.State(110000000260), 0);
  EXPECT_EQ(Db.State(110000000300), 0);
  EXPECT_FALSE(Db.Connection.InTransaction());
  EXPECT_TRUE(Hooks.Opened.isEmpty());
  EXPECT_FALSE(Report().Lines.join('\n').contains(QStringLiteral("共有")));
}

TEST_F(LogicCheckTest, RulesThatCannotBeReadEndTheRunBeforeAnyMark) {
  Db.InsertClean(110000000001, QStringLiteral("甲"), {{"z003", 11}});
  Db.Connection.Execute(QStringLiteral("drop table dt_logic"));
  EXPECT_TRUE(Run().Failed);
  ASSERT_EQ(Hooks.Messages.size(), 1u);
  EXPECT_TRUE(Hooks.Messages[0].Text.startsWith(QStringLiteral("运行中发生错误：")));
  EXPECT_EQ(Db.State(110000000001), 0);
  EXPECT_FALSE(QFileInfo::exists(ReportPath()));
}

TEST_F(LogicCheckTest, ReportCodesInTheirShortestForm) {
  EXPECT_EQ(ReportCodeText(110000000002.0), QStringLiteral("110000000002"));
  EXPECT_EQ(ReportCodeText(999999999999.0), QStringLiteral("999999999999"));
  EXPECT_EQ(ReportCodeText(12.5), QStringLiteral("12.5"));
  EXPECT_EQ(SafeFileNamePart(QString(100, QChar(0x4E2D))).size(), 60);
  EXPECT_EQ(SafeFileNamePart(QStringLiteral("a\tb\x7f")), QStringLiteral("a_b_"));
}

} // namespace
