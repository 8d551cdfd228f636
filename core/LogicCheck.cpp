#include "core/LogicCheck.h"

#include "core/CheckReport.h"
#include "core/CompiledRules.h"
#include "core/Messages.h"
#include "core/Progress.h"
#include "core/RuleExplain.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/db/RecordReader.h"
#include "platform/shell/Hooks.h"

#include <QElapsedTimer>
#include <cmath>
#include <optional>

namespace fw {

namespace {

constexpr int kFailedState = 2;
constexpr int kPassedState = 1;
// Records whose rules are evaluated together ahead of the one being reported.
constexpr int kBlockRecords = 256;
// Records marked by one statement.
constexpr int kMarksPerStatement = 250;

// A cell as a floating-point number; a text that is no number counts as empty, as an
// editor that cannot show it.
double CellNumber(const TCell& cell) {
  switch (cell.Type) {
  case TCellType::Int: return double(cell.Int);
  case TCellType::Float: return cell.Float;
  case TCellType::Text: return cell.ToText().trimmed().toDouble();
  default: return 0;
  }
}

// A stored state as a number: NaN when it is empty or no number.
double StateNumber(const TCell& cell) {
  if (cell.Type != TCellType::Text) return cell.Type == TCellType::Null ? std::nan("") : CellNumber(cell);
  bool ok = false;
  const double value = cell.ToText().trimmed().toDouble(&ok);
  return ok ? value : std::nan("");
}

// RecordState of the records checked, written in groups (one statement marks many
// records of one state) inside one transaction that is committed when the writer goes:
// a run that stops or fails keeps what it has marked. A record that already has its new
// state is not written again.
class TStateWriter {
public:
  explicit TStateWriter(TADOConnection& connection) : connection_(connection), group_(&connection_), single_(&connection_) {
    group_.SetSQL(Statement(kMarksPerStatement));
    single_.SetSQL(Statement(1));
    connection_.BeginTrans();
  }
  ~TStateWriter() {
    try {
      connection_.CommitTrans();
    } catch (const EDatabaseError& e) {
      connection_.RollbackTrans();
      ShowRuntimeError(e.Message());
    }
  }
  TStateWriter(const TStateWriter&) = delete;
  TStateWriter& operator=(const TStateWriter&) = delete;

  // The current record of the check gets `state`.
  void Mark(const TLogicCheck& check, int state) {
    if (check.HasState(state)) return;
    std::vector<qint64>& pending = Pending(state);
    pending.push_back(check.Code());
    if (int(pending.size()) == kMarksPerStatement) Write(group_, state, pending);
  }

  // Writes the marks still pending.
  void Flush() {
    for (const int state : {kFailedState, kPassedState}) {
      std::vector<qint64> pending;
      pending.swap(Pending(state));
      for (const qint64 code : pending) {
        std::vector<qint64> one{code};
        Write(single_, state, one);
      }
    }
  }

private:
  std::vector<qint64>& Pending(int state) { return state == kFailedState ? failed_ : passed_; }

  static QString Statement(int codes) {
    QStringList names;
    for (int i = 0; i < codes; ++i) names << QStringLiteral(":c%1").arg(i);
    return QStringLiteral("update dt_data set RecordState = :state where c901 in (") + names.join(',') + ')';
  }

  // A statement that fails marks none of its records; they are pending no more.
  static void Write(TADOQuery& statement, int state, std::vector<qint64>& codes) {
    TParameters& parameters = statement.Parameters();
    parameters[0].SetValue(state);
    for (size_t i = 0; i < codes.size(); ++i) parameters[int(i) + 1].SetValue(codes[i]);
    codes.clear();
    statement.ExecSQL();
  }

  TADOConnection& connection_;
  TADOQuery group_;   // kMarksPerStatement records
  TADOQuery single_;  // one
  std::vector<qint64> failed_, passed_;
};

// The report could not be created or written.
struct TReportNotWritten {};

// The loop over the records; throws what the database or the report raise.
void CheckRecords(TADOConnection& connection, int total, bool setPassed, ICheckProgress& progress, int pumpIntervalMs,
                  TLogicCheck& check, TCheckReport& report, TLogicCheckOutcome& outcome) {
  TStateWriter states(connection);
  progress.StartCheckProgress(total, 0);
  QElapsedTimer sincePump;
  sincePump.start();
  bool more = check.NextRecord();
  while (more) {
    if (!check.CheckRecordLogic()) {
      states.Mark(check, kFailedState);
      ++outcome.FailedUnits;
    } else if (setPassed) {
      states.Mark(check, kPassedState);
    }
    more = check.NextRecord();
    progress.StepCheckProgress();
    ++outcome.Checked;
    if (pumpIntervalMs > 0 && sincePump.elapsed() < pumpIntervalMs && more) continue;
    // The report so far is on disk before the windows get their turn. When it cannot be
    // written the run ends, the records checked keeping their marks.
    if (!report.Flush()) {
      states.Flush();
      throw TReportNotWritten();
    }
    if (!more) break;
    progress.ProcessMessages();
    while (progress.Paused() && !progress.Cancelled()) progress.WaitForMessages();
    sincePump.restart();
    if (progress.Cancelled()) {
      outcome.Stopped = true;
      break;
    }
  }
  states.Flush();
}

// What a run reads: how many records the query gives, the rules compiled for its
// columns and a reader of the columns the check needs. Throws EDatabaseError.
struct TCheckSource {
  TCheckSource(TADOConnection& connection, const QString& sql)
      : Total(TRecordReader::CountRows(connection, sql)), Columns(TRecordReader(connection, sql).ColumnNames()),
        Rules(Compile(connection, Columns)), Records(connection, sql, TLogicCheck::CheckedColumns(Rules, Columns)) {}

  static TCompiledRuleSet Compile(TADOConnection& connection, const QStringList& columns) {
    TRuleExplainer explainer(connection);
    return TCompiledRuleSet::Load(connection, columns, explainer);
  }

  int Total;
  QStringList Columns;
  TCompiledRuleSet Rules;
  TRecordReader Records;
};

} // namespace

TLogicCheck::TLogicCheck(TRecordReader& records, const TCompiledRuleSet& rules, TCheckReport& report)
    : records_(records), rules_(rules), report_(report), code_(records.ColumnIndex(QStringLiteral("c901"))),
      name_(records.ColumnIndex(QStringLiteral("c902"))), state_(records.ColumnIndex(QStringLiteral("RecordState"))) {
  if (code_ < 0 || name_ < 0) throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(code_ < 0 ? "c901" : "c902"));
  for (const QString& field : rules.SlotFields()) slotColumns_.push_back(records.ColumnIndex(field));
}

QStringList TLogicCheck::CheckedColumns(const TCompiledRuleSet& rules, const QStringList& available) {
  QStringList columns{QStringLiteral("c901"), QStringLiteral("c902")};
  if (available.contains(QStringLiteral("RecordState"), Qt::CaseInsensitive)) columns << QStringLiteral("RecordState");
  for (const QString& field : rules.SlotFields())
    if (!columns.contains(field, Qt::CaseInsensitive)) columns << field;
  return columns;
}

void TLogicCheck::ReadBlock() {
  block_.clear();
  current_ = 0;
  const size_t slotCount = slotColumns_.size();
  values_.resize(slotCount * kBlockRecords);
  while (int(block_.size()) < kBlockRecords && records_.Next()) {
    const size_t r = block_.size();
    TRecord& record = block_.emplace_back();
    const TCell code = records_.Cell(code_);
    record.ReportCode = CellNumber(code);
    record.Code = code.Type == TCellType::Int ? code.Int : qint64(record.ReportCode);
    record.Name = records_.Cell(name_).ToText();
    record.State = state_ < 0 ? std::nan("") : StateNumber(records_.Cell(state_));
    for (size_t slot = 0; slot < slotCount; ++slot) values_[slot * kBlockRecords + r] = CellNumber(records_.Cell(slotColumns_[slot]));
  }
  const size_t n = block_.size();
  if (n == 0) return;
  // The rules take the values field by field for exactly the records read: a short last
  // block closes up.
  if (n < size_t(kBlockRecords))
    for (size_t slot = 1; slot < slotCount; ++slot)
      std::copy_n(values_.begin() + std::ptrdiff_t(slot * kBlockRecords), n, values_.begin() + std::ptrdiff_t(slot * n));
  rules_.CheckBlock(values_.data(), int(n), broken_, room_);
}

bool TLogicCheck::NextRecord() {
  if (current_ < 0 || ++current_ >= int(block_.size())) ReadBlock();
  return current_ < int(block_.size());
}

bool TLogicCheck::CheckRecordLogic() {
  const std::vector<TBrokenRule>& brokenRules = broken_[size_t(current_)];
  if (brokenRules.empty()) return true;  // nothing to write, not even the record's header
  const TRecord& record = block_[size_t(current_)];
  report_.BeginRecord(record.ReportCode, record.Name);
  for (const TBrokenRule& broken : brokenRules) {
    const TCompiledRule& rule = rules_.Rules()[size_t(broken.Rule)];
    WriteLogicError(rule.Rule, rules_.Explanation(broken), rule.Page, rule.Rows[size_t(broken.Row)].Focus);
  }
  return report_.HeaderDue();
}

void TLogicCheck::WriteLogicError(const QString& rule, const QString& explanation, int, const QString&) {
  report_.WriteLogicError(rule, explanation);
}

TLogicCheckOutcome RunLogicCheck(TADOConnection& connection, const QString& sql, bool setPassed,
                                 ICheckProgress& progress, int pumpIntervalMs) {
  TLogicCheckOutcome outcome;
  outcome.ReportPath = LogicReportPath(DatabaseLabel);
  std::optional<TCheckSource> source;
  try {
    source.emplace(connection, sql);
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
    outcome.Failed = true;
    return outcome;
  }
  TCheckReport report;
  try {
    if (!report.Create(outcome.ReportPath, Now())) throw TReportNotWritten();
    TLogicCheck check(source->Records, source->Rules, report);
    CheckRecords(connection, source->Total, setPassed, progress, pumpIntervalMs, check, report, outcome);
    if (!outcome.Stopped && outcome.FailedUnits > 0) report.WriteTotals(outcome.FailedUnits);
    if (!report.Close()) throw TReportNotWritten();
  } catch (const EDatabaseError& e) {
    report.Discard();
    ShowRuntimeError(e.Message());
    outcome.Failed = true;
  } catch (const TReportNotWritten&) {
    report.Discard();
    ShowRuntimeError(QStringLiteral("无法写入逻辑检查结果文件“") + outcome.ReportPath + QStringLiteral("”：") +
                     report.ErrorString());
    outcome.Failed = true;
  }
  outcome.ErrorCount = report.ErrorCount();
  if (outcome.Failed || outcome.Stopped) return outcome;
  if (outcome.FailedUnits > 0) ShowFileToUser(outcome.ReportPath);
  else ShowMessage(kNoLogicErrorsMessage);
  return outcome;
}

} // namespace fw
