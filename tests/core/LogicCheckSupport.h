#pragma once
// What the tests of the batch logic check share: a working database with survey records
// put in field by field, a progress that a test scripts (pause, stop, pumps counted), and
// the check report read back record by record.

#include "core/CheckReport.h"
#include "core/LogicCheck.h"
#include "core/Progress.h"
#include "platform/shell/GbkCodec.h"
#include "tests/core/WorkingDatabase.h"
#include "tests/support/RuleRecords.h"

#include <QFile>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace fwtest {

// A record's fields by name; fields not named keep their defaults (0).
using FieldValues = std::map<std::string, double>;

class CheckDatabase : public WorkingDatabase {
public:
  // Appends a record with its code, name, state, filling state and field values.
  void Insert(qint64 code, const QString& name, const FieldValues& values, int state = 0, int c907 = 1) {
    QStringList names = {"c901", "c902", "RecordState", "c907"};
    QVariantList params = {code, name, state, c907};
    for (const auto& [field, value] : values) {
      names << QString::fromStdString(field);
      params << value;
    }
    QStringList marks;
    for (int i = 0; i < names.size(); ++i) marks << QStringLiteral("?");
    Connection.Execute("insert into dt_data (" + names.join(',') + ") values (" + marks.join(',') + ")", params);
  }

  // Many records with consecutive codes from `firstCode`, named "单位<n>", in state 0,
  // through one prepared statement in one transaction; `fields` lists every field any of
  // them sets.
  void InsertMany(qint64 firstCode, const std::vector<FieldValues>& records, const QStringList& fields) {
    fw::TADOQuery insert(&Connection);
    insert.SetSQL("insert into dt_data (c901, c902, RecordState, c907, " + fields.join(',') + ") values (:c901, :c902, 0, 1, :" +
                  fields.join(QStringLiteral(", :")) + ")");
    Connection.BeginTrans();
    for (size_t r = 0; r < records.size(); ++r) {
      insert.Parameters()[0].SetValue(firstCode + qint64(r));
      insert.Parameters()[1].SetValue(QStringLiteral("单位%1").arg(r));
      for (int f = 0; f < fields.size(); ++f) {
        const auto found = records[r].find(fields[f].toStdString());
        insert.Parameters()[f + 2].SetValue(found == records[r].end() ? 0.0 : found->second);
      }
      insert.ExecSQL();
    }
    Connection.CommitTrans();
  }

  // A clean record (CleanRuleRecord) with some fields changed.
  void InsertClean(qint64 code, const QString& name, const FieldValues& changes = {}, int state = 0) {
    FieldValues values;
    for (const auto& [field, value] : CleanRuleRecord()) values[field] = value;
    for (const auto& [field, value] : changes) values[field] = value;
    Insert(code, name, values, state);
  }

  int State(qint64 code) {
    fw::TADOQuery query(&Connection);
    query.SetSQL(QStringLiteral("select RecordState from dt_data where c901 = :c"));
    query.ParamByName(QStringLiteral("c")).SetValue(code);
    query.Open();
    return query.Fields(0)->AsInteger();
  }
};

// A progress whose pause and stop a test scripts from its pumps.
class ScriptedCheckProgress : public fw::ICheckProgress {
public:
  void StartCheckProgress(int total, int position) override {
    Total = total;
    Position = position;
  }
  void StepCheckProgress() override {
    ++Steps;
    if (IsPaused) ++StepsWhilePaused;
  }
  bool Paused() const override { return IsPaused; }
  bool Cancelled() const override { return IsCancelled; }
  void ProcessMessages() override {
    ++Pumps;
    if (IsPaused) ++PumpsWhilePaused;
    if (OnPump) OnPump(*this);
  }
  void WaitForMessages() override {
    ++Waits;
    if (OnWait) OnWait(*this);
  }

  std::function<void(ScriptedCheckProgress&)> OnPump, OnWait;
  bool IsPaused = false, IsCancelled = false;
  int Total = -1, Position = -1, Steps = 0, Pumps = 0, Waits = 0;
  int StepsWhilePaused = 0, PumpsWhilePaused = 0;
};

// One broken rule as the report lists it.
struct ReportEntry {
  QString Rule, Explanation;
  friend bool operator==(const ReportEntry&, const ReportEntry&) = default;
};

// The report read back: its lines, the codes of the failing records in the order
// written (as written), and each one's entries.
struct LogicReport {
  QByteArray Bytes;
  QStringList Lines;
  QStringList Codes;
  std::map<QString, std::vector<ReportEntry>> Entries;

  std::vector<ReportEntry> EntriesOf(const QString& code) const {
    const auto found = Entries.find(code);
    return found == Entries.end() ? std::vector<ReportEntry>() : found->second;
  }
};

inline LogicReport ReadLogicReport(const QString& path) {
  LogicReport report;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return report;
  report.Bytes = file.readAll();
  report.Lines = fw::FromGbk(report.Bytes).split(QStringLiteral("\r\n"));
  const QString ruleMark = QStringLiteral("  判断规则："), explanationMark = QStringLiteral("  规则说明：");
  const QString headerEnd = QStringLiteral("的数据有错误");
  for (int i = 0; i < report.Lines.size(); ++i) {
    const QString& line = report.Lines[i];
    if (line.endsWith(headerEnd) && !line.startsWith(QLatin1Char(' '))) {
      report.Codes << line.section(QStringLiteral("  "), 0, 0);
    } else if (line.startsWith(ruleMark) && i + 1 < report.Lines.size() && !report.Codes.isEmpty()) {
      report.Entries[report.Codes.back()].push_back(
          {line.mid(ruleMark.size()), report.Lines[i + 1].mid(explanationMark.size())});
      ++i;
    }
  }
  return report;
}

} // namespace fwtest
