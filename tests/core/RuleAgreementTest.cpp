// The batch check and the entry form's page rules find the same broken rules: every
// shipped rule row fires alone in the batch check's report on a record built to break
// only it, and on 10,000 generated records with faults put in at random the report lists
// for each record exactly the rules the page rule engine lists (through the database).
#include "core/CompiledRules.h"
#include "core/RuleExplain.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/JetSql.h"
#include "platform/db/SqlStatement.h"
#include "tests/core/LogicCheckSupport.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <random>

namespace {

using namespace fw;
using fwtest::ReportEntry;

using fwtest::RuleRow;

// All rule rows as one statement of the database, translated and prepared once, with a
// record's values bound where the page rules write them into the text: the same
// translation and the same evaluation by the database, without preparing a statement
// per record (which takes the page rules milliseconds). Whole values are bound as
// integers and others as reals, as the page rules write them with or without a point.
class BoundRuleRows {
public:
  BoundRuleRows(TADOConnection& connection, const QStringList& expressions) {
    static const QRegularExpression code(QStringLiteral("\\b([a-z][0-9]{3})\\b"));
    QStringList items;
    for (int i = 0; i < expressions.size(); ++i)
      items << QStringLiteral("(%1) as r%2").arg(QString(expressions[i]).replace(code, QStringLiteral(":\\1"))).arg(i);
    statement_ = TSqlStatement(connection.Handle(), TranslateJetStatement("select " + items.join(", ")).Sql.toUtf8());
    for (int p = 1; p <= sqlite3_bind_parameter_count(statement_.Handle()); ++p)
      fields_ << QString::fromUtf8(sqlite3_bind_parameter_name(statement_.Handle(), p)).mid(1);
    rows_ = int(expressions.size());
  }

  std::vector<bool> Fired(const fwtest::FieldValues& record) {
    statement_.Reset();
    for (int p = 0; p < fields_.size(); ++p) {
      const auto found = record.find(fields_[p].toStdString());
      const double value = found == record.end() ? 0 : found->second;
      if (value == std::floor(value) && std::fabs(value) < 9e18) sqlite3_bind_int64(statement_.Handle(), p + 1, qint64(value));
      else sqlite3_bind_double(statement_.Handle(), p + 1, value);
    }
    statement_.Step();
    std::vector<bool> fired;
    for (int i = 0; i < rows_; ++i)
      fired.push_back(sqlite3_column_type(statement_.Handle(), i) != SQLITE_NULL &&
                      sqlite3_column_double(statement_.Handle(), i) == -1.0);
    return fired;
  }

private:
  TSqlStatement statement_;
  QStringList fields_;
  int rows_ = 0;
};

class RuleAgreementTest : public ::testing::Test {
protected:
  RuleAgreementTest() : Editors(DataColumns()) {}

  QStringList DataColumns() {
    TADOQuery query(&Db.Connection);
    query.SetSQL(QStringLiteral("select * from dt_data where 1=0"));
    query.Open();
    return query.FieldNames();
  }

  // The shipped rows in the order of their ids.
  std::vector<RuleRow> Rows() { return fwtest::ReadRuleRows(Db.Connection, QStringLiteral("id")); }

  // What the page rules list when the database finds these rows broken, as report
  // entries: a rule of two rows once (its rows exclude each other).
  std::vector<ReportEntry> PageRuleEntries(const std::vector<RuleRow>& rows, const std::vector<bool>& fired) {
    std::vector<ReportEntry> entries;
    for (size_t i = 0; i < rows.size(); ++i) {
      if (!fired[i]) continue;
      const bool sameRuleAsBefore = i > 0 && fired[i - 1] && rows[i - 1].Rule == rows[i].Rule;
      if (!sameRuleAsBefore) entries.push_back({rows[i].Rule, Engine.ExplainToText(rows[i].Explain)});
    }
    return entries;
  }

  TLogicCheckOutcome RunCheck() {
    TSilentProgress progress;
    return RunLogicCheck(Db.Connection, QStringLiteral("select * from dt_data where c907<=2"), true, progress);
  }

  void LoadEditors(const fwtest::FieldValues& record) {
    Editors.Load({});
    for (const auto& [field, value] : record) Editors.Set(QString::fromStdString(field), value);
  }

  fwtest::ScopedUserFolders Folders;
  fwtest::ScriptedHooks Hooks;
  fwtest::CheckDatabase Db;
  fwtest::FakeRuleEditors Editors;
  fwtest::RecordingMessageList List;
  TPageRuleEngine Engine{Db.Connection, Editors, List};
};

TEST_F(RuleAgreementTest, EveryRuleRowFiresAloneInTheReport) {
  const std::vector<RuleRow> rows = Rows();
  ASSERT_EQ(rows.size(), 92u);
  TRuleExplainer explainer(Db.Connection);
  const TCompiledRuleSet set = TCompiledRuleSet::Load(Db.Connection, DataColumns(), explainer);
  std::vector<const TRuleProgram*> conditions;
  for (const TCompiledRule& rule : set.Rules())
    for (const TCompiledRuleRow& row : rule.Rows) conditions.push_back(&row.Condition);
  ASSERT_EQ(conditions.size(), rows.size());

  // The search for a record runs on the compiled rows (fast); the database then confirms
  // that the record breaks that row and no other.
  std::vector<double> values(size_t(set.SlotFields().size()));
  auto compiledFired = [&](const fwtest::RuleRecord& record) {
    for (size_t slot = 0; slot < values.size(); ++slot) {
      const auto found = record.find(set.SlotFields()[int(slot)].toStdString());
      values[slot] = found == record.end() ? 0 : found->second;
    }
    std::vector<bool> fired;
    for (const TRuleProgram* condition : conditions) fired.push_back(condition->Evaluate(values.data()).Verdict == TRuleVerdict::Broken);
    return fired;
  };
  std::vector<QStringList> fields;
  for (const RuleRow& row : rows) fields.push_back(row.Fields);
  QStringList expressions;
  for (const RuleRow& row : rows) expressions << row.Expression;

  Db.Connection.BeginTrans();
  for (size_t target = 0; target < rows.size(); ++target) {
    const fwtest::RuleRecord record = fwtest::BreakingOnly(fields, target, compiledFired);
    ASSERT_FALSE(record.empty()) << "no record breaks only: " << rows[target].Expression.toStdString();
    fwtest::FieldValues values;
    for (const auto& [field, value] : record) values[field] = value;
    LoadEditors(values);
    std::vector<bool> expected(rows.size());
    expected[target] = true;
    ASSERT_EQ(fwtest::TrueThroughDatabase(Engine, Db.Connection, expressions), expected) << target;
    Db.Insert(120000000000 + qint64(target), QStringLiteral("单位%1").arg(target), values);
  }
  Db.Connection.CommitTrans();

  const TLogicCheckOutcome outcome = RunCheck();
  EXPECT_EQ(outcome.FailedUnits, qint64(rows.size()));
  EXPECT_EQ(outcome.ErrorCount, qint64(rows.size()));
  const fwtest::LogicReport report = fwtest::ReadLogicReport(outcome.ReportPath);
  for (size_t target = 0; target < rows.size(); ++target) {
    const QString code = QString::number(120000000000 + qint64(target));
    const std::vector<ReportEntry> entries = report.EntriesOf(code);
    ASSERT_EQ(entries.size(), 1u) << rows[target].Expression.toStdString();
    EXPECT_EQ(entries[0], (ReportEntry{rows[target].Rule, Engine.ExplainToText(rows[target].Explain)}));
  }
}

// A value for a field with a fault: mostly small counts and yes/no codes, sometimes a
// real amount, a large number or a negative one.
double FaultValue(std::mt19937& random) {
  const unsigned pick = random() % 20;
  if (pick < 9) return double(random() % 6);
  if (pick < 14) return double(random() % 40);
  if (pick < 16) return (random() % 100) / 4.0;
  if (pick < 18) return double(1000000 + random() % 1000000000);
  if (pick < 19) return -double(1 + random() % 5);
  return 1e10 + random() % 1000;
}

TEST_F(RuleAgreementTest, TenThousandRecordsWithFaultsAgreeRecordByRecord) {
  constexpr int kRecords = 10000;
  constexpr qint64 kFirstCode = 130000000000;
  const std::vector<RuleRow> rows = Rows();
  QStringList ruleFields;
  for (const RuleRow& row : rows) ruleFields << row.Fields;
  ruleFields.removeDuplicates();

  std::mt19937 random(2014);
  std::vector<fwtest::FieldValues> records;
  for (int r = 0; r < kRecords; ++r) {
    fwtest::FieldValues record;
    for (const auto& [field, value] : fwtest::CleanRuleRecord()) record[field] = value;
    record["z001"] = record["z004"] = 10 + random() % 300;  // records differ even without a fault
    for (int faults = int(random() % 4); faults > 0; --faults)
      record[ruleFields[int(random() % ruleFields.size())].toStdString()] = FaultValue(random);
    records.push_back(std::move(record));
  }
  Db.InsertMany(kFirstCode, records, ruleFields);

  const TLogicCheckOutcome outcome = RunCheck();
  ASSERT_EQ(outcome.Checked, kRecords);
  const fwtest::LogicReport report = fwtest::ReadLogicReport(outcome.ReportPath);
  EXPECT_GT(outcome.FailedUnits, kRecords / 2);
  EXPECT_LT(outcome.FailedUnits, kRecords);

  // Every record through the database with its values bound, and every 50th through the
  // page engine's own substitution of the values into the text.
  QStringList expressions;
  for (const RuleRow& row : rows) expressions << row.Expression;
  BoundRuleRows bound(Db.Connection, expressions);
  for (int r = 0; r < kRecords; ++r) {
    const std::vector<ReportEntry> listed = report.EntriesOf(QString::number(kFirstCode + r));
    ASSERT_EQ(listed, PageRuleEntries(rows, bound.Fired(records[size_t(r)]))) << "record " << r;
    if (r % 50) continue;
    LoadEditors(records[size_t(r)]);
    ASSERT_EQ(listed, PageRuleEntries(rows, fwtest::TrueThroughDatabase(Engine, Db.Connection, expressions)))
        << "record " << r;
  }

  // A sample through the page engine's own run over all pages (page order, one query per
  // rule), compared as sets: the report follows the order of the rule ids.
  auto sorted = [](std::vector<ReportEntry> entries) {
    std::sort(entries.begin(), entries.end(), [](const ReportEntry& a, const ReportEntry& b) {
      return std::tie(a.Rule, a.Explanation) < std::tie(b.Rule, b.Explanation);
    });
    return entries;
  };
  for (int r = 0; r < kRecords; r += 199) {
    LoadEditors(records[size_t(r)]);
    Engine.CheckAllPages();
    std::vector<ReportEntry> listed;
    for (const fwtest::ListedRule& row : List.Rows) listed.push_back({row.Rule, row.Explanation});
    EXPECT_EQ(sorted(report.EntriesOf(QString::number(kFirstCode + r))), sorted(listed)) << "record " << r;
  }
  EXPECT_TRUE(Hooks.Messages.empty());
}

} // namespace
