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

// A field as a floating-point number; what cannot be read as one counts as empty, as
// an editor that cannot show it.
double ReadNumber(const TField* field) {
  try {
    return field->AsFloat();
  } catch (const EDatabaseError&) {
    return 0;
  }
}

// RecordState of one record after another, through one prepared statement, inside one
// transaction that is committed when the writer goes: a run that stops or fails keeps
// what it has marked.
class TStateWriter {
public:
  explicit TStateWriter(TADOConnection& connection) : connection_(connection), update_(&connection) {
    update_.SetSQL(QStringLiteral("update dt_data set RecordState = :RecordState where c901 = :c901"));
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

  void Write(qint64 code, int state) {
    update_.Parameters()[0].SetValue(state);
    update_.Parameters()[1].SetValue(code);
    update_.ExecSQL();
  }

private:
  TADOConnection& connection_;
  TADOQuery update_;
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
  TField* code = dataSet.FieldByName(QStringLiteral("c901"));
  TStateWriter states(*dataSet.Connection());
  dataSet.First();
  const int total = dataSet.RecordCount();
  progress.StartCheckProgress(total, 0);
  QElapsedTimer sincePump;
  sincePump.start();
  while (outcome.Checked < total) {
    if (!check.CheckRecordLogic()) {
      states.Write(code->AsLargeInt(), kFailedState);
      ++outcome.FailedUnits;
    } else if (setPassed) {
      states.Write(code->AsLargeInt(), kPassedState);
    }
    dataSet.Next();
    progress.StepCheckProgress();
    ++outcome.Checked;
    if (pumpIntervalMs > 0 && sincePump.elapsed() < pumpIntervalMs) continue;
    // What the report holds so far is on disk before the windows get their turn.
    if (!report.Flush()) throw TReportNotWritten();
    progress.ProcessMessages();
    while (progress.Paused() && !progress.Cancelled()) progress.WaitForMessages();
    sincePump.restart();
    if (progress.Cancelled()) {
      outcome.Stopped = true;
      return;
    }
  }
}

} // namespace

TLogicCheck::TLogicCheck(TDataSet& dataSet, const TCompiledRuleSet& rules, TCheckReport& report)
    : rules_(rules), report_(report), code_(dataSet.FieldByName(QStringLiteral("c901"))),
      name_(dataSet.FieldByName(QStringLiteral("c902"))) {
  for (const QString& field : rules.SlotFields()) slotFields_.push_back(dataSet.FieldByName(field));
  values_.resize(slotFields_.size());
}

bool TLogicCheck::CheckRecordLogic() {
  report_.BeginRecord(ReadNumber(code_), name_->AsString());
  for (size_t slot = 0; slot < slotFields_.size(); ++slot) values_[slot] = ReadNumber(slotFields_[slot]);
  rules_.Check(values_.data(), broken_);
  for (const TBrokenRule& broken : broken_) {
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
  if (outcome.FailedUnits > 0) OpenWithDefaultProgram(outcome.ReportPath);
  else ShowMessage(kNoLogicErrorsMessage);
  return outcome;
}

} // namespace fw
