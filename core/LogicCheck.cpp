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
#include "platform/db/Field.h"
#include "platform/shell/Hooks.h"

#include <QElapsedTimer>
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

// RecordState of the records checked, written in groups (one statement marks many
// records of one state) inside one transaction that is committed when the writer goes:
// a run that stops or fails keeps what it has marked. A record that already has its new
// state is not written again.
class TStateWriter {
public:
  explicit TStateWriter(TDataSet& dataSet)
      : connection_(*dataSet.Connection()), code_(dataSet.FieldByName(QStringLiteral("c901"))),
        state_(dataSet.FindField(QStringLiteral("RecordState"))), group_(&connection_), single_(&connection_) {
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

  // The current record of the data set gets `state`.
  void Mark(int state) {
    if (Stored(state)) return;
    std::vector<qint64>& pending = Pending(state);
    pending.push_back(code_->AsLargeInt());
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

  // Whether the current record holds `state` already (false when the data set does not
  // read the state, or the stored value is empty or no number).
  bool Stored(int state) const {
    if (!state_ || state_->IsNull()) return false;
    try {
      return state_->AsFloat() == state;
    } catch (const EDatabaseError&) {
      return false;
    }
  }

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
  TField* code_;
  TField* state_;  // none when the data set does not read it: every record is written
  TADOQuery group_;   // kMarksPerStatement records
  TADOQuery single_;  // one
  std::vector<qint64> failed_, passed_;
};

// The rules compiled for the data set's fields, or nothing (the error shown).
std::optional<TCompiledRuleSet> CompileRules(TDataSet& dataSet) {
  try {
    TRuleExplainer explainer(*dataSet.Connection());
    return TCompiledRuleSet::Load(*dataSet.Connection(), dataSet.FieldNames(), explainer);
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
    return std::nullopt;
  }
}

// The report could not be created or written.
struct TReportNotWritten {};

// The loop over the records; throws what the database or the report raise.
void CheckRecords(TDataSet& dataSet, bool setPassed, ICheckProgress& progress, int pumpIntervalMs,
                  TLogicCheck& check, TCheckReport& report, TLogicCheckOutcome& outcome) {
  TStateWriter states(dataSet);
  dataSet.First();
  const int total = dataSet.RecordCount();
  progress.StartCheckProgress(total, 0);
  QElapsedTimer sincePump;
  sincePump.start();
  while (outcome.Checked < total) {
    if (!check.CheckRecordLogic()) {
      states.Mark(kFailedState);
      ++outcome.FailedUnits;
    } else if (setPassed) {
      states.Mark(kPassedState);
    }
    dataSet.Next();
    progress.StepCheckProgress();
    ++outcome.Checked;
    if (pumpIntervalMs > 0 && sincePump.elapsed() < pumpIntervalMs && outcome.Checked < total) continue;
    // The report so far is on disk before the windows get their turn. When it cannot be
    // written the run ends, the records checked keeping their marks.
    if (!report.Flush()) {
      states.Flush();
      throw TReportNotWritten();
    }
    if (outcome.Checked == total) break;
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

} // namespace

TLogicCheck::TLogicCheck(TDataSet& dataSet, const TCompiledRuleSet& rules, TCheckReport& report)
    : dataSet_(dataSet), rules_(rules), report_(report), code_(dataSet.FieldByName(QStringLiteral("c901"))),
      name_(dataSet.FieldByName(QStringLiteral("c902"))) {
  const QStringList fields = dataSet.FieldNames();
  for (const QString& field : rules.SlotFields()) slotColumns_.push_back(int(fields.indexOf(field)));
}

void TLogicCheck::EvaluateBlockFrom(int row) {
  blockStart_ = row;
  blockCount_ = std::max(1, std::min(kBlockRecords, dataSet_.RowCount() - row));
  const size_t n = size_t(blockCount_);
  values_.resize(slotColumns_.size() * n);
  QByteArray storage;
  for (size_t r = 0; r < n; ++r)
    for (size_t slot = 0; slot < slotColumns_.size(); ++slot)
      values_[slot * n + r] = CellNumber(dataSet_.Cell(row + int(r), slotColumns_[slot], &storage));
  rules_.CheckBlock(values_.data(), blockCount_, broken_, room_);
}

bool TLogicCheck::CheckRecordLogic() {
  const int row = dataSet_.CurrentRow();
  if (row < blockStart_ || row >= blockStart_ + blockCount_) EvaluateBlockFrom(row);
  const std::vector<TBrokenRule>& brokenRules = broken_[size_t(row - blockStart_)];
  if (brokenRules.empty()) return true;  // nothing to write, not even the record's header
  report_.BeginRecord(code_->AsFloat(), name_->AsString());
  for (const TBrokenRule& broken : brokenRules) {
    const TCompiledRule& rule = rules_.Rules()[size_t(broken.Rule)];
    WriteLogicError(rule.Rule, rules_.Explanation(broken), rule.Page, rule.Rows[size_t(broken.Row)].Focus);
  }
  return report_.HeaderDue();
}

void TLogicCheck::WriteLogicError(const QString& rule, const QString& explanation, int, const QString&) {
  report_.WriteLogicError(rule, explanation);
}

TLogicCheckOutcome RunLogicCheck(TDataSet& dataSet, bool setPassed, ICheckProgress& progress, int pumpIntervalMs) {
  TLogicCheckOutcome outcome;
  outcome.ReportPath = LogicReportPath(DatabaseLabel);
  const std::optional<TCompiledRuleSet> rules = CompileRules(dataSet);
  if (!rules) {
    outcome.Failed = true;
    return outcome;
  }
  TCheckReport report;
  try {
    if (!report.Create(outcome.ReportPath, Now())) throw TReportNotWritten();
    TLogicCheck check(dataSet, *rules, report);
    CheckRecords(dataSet, setPassed, progress, pumpIntervalMs, check, report, outcome);
    if (!outcome.Stopped && outcome.FailedUnits > 0) report.WriteTotals(outcome.FailedUnits);
    if (!report.Close()) throw TReportNotWritten();
  } catch (const EDatabaseError& e) {
    report.Close();
    ShowRuntimeError(e.Message());
    outcome.Failed = true;
  } catch (const TReportNotWritten&) {
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
