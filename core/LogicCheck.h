#pragma once
// The batch logic check: the stored records a query gives tested against the logic
// rules of dt_logic, compiled once per run (CompiledRules.h), with every broken rule
// written into the check report (CheckReport.h) and each record's RecordState marked:
// 2 when it breaks a rule, 1 when it is clean and the caller asks for that. At the end
// the report is opened with its default program (or, when nothing can open it, the user
// is told where it is), or, when nothing was wrong, the user is told so.
//
// The run reports to the window through ICheckProgress and lets it handle its messages
// every few milliseconds (not after every record); while the window says paused the
// run waits for messages without using the processor, and when it says cancelled the
// run stops at once, keeping the report and the states written so far. All states of
// a run are written in one transaction, committed when the run ends or stops.

#include "core/CompiledRules.h"

#include <QString>
#include <vector>

namespace fw {

class ICheckProgress;
class TCheckReport;
class TADOConnection;
class TRecordReader;

inline const QString kNoLogicErrorsMessage = QStringLiteral("恭喜你，所检查的数据没有逻辑错误");

// How often a run lets the windows handle their messages, in milliseconds.
constexpr int kCheckPumpIntervalMs = 5;

struct TLogicCheckOutcome {
  int Checked = 0;           // records checked (and marked)
  qint64 FailedUnits = 0;    // records that broke a rule
  qint64 ErrorCount = 0;     // broken rules written
  bool Stopped = false;      // the window cancelled the run
  bool Failed = false;       // an error ended the run (and was shown)
  QString ReportPath;
};

// The check of one record after another, read forward from the database: only the
// values the rules and the report need (c901, c902, RecordState and the rules' fields),
// never the whole record list at once. The rules are evaluated ahead over blocks of the
// records that follow, which is many times faster than one record at a time; what is
// reported and marked still goes record by record.
class TLogicCheck {
public:
  // `records` reads c901, c902 and every field of the rules' slots, and RecordState when
  // the records have it (CheckedColumns).
  TLogicCheck(TRecordReader& records, const TCompiledRuleSet& rules, TCheckReport& report);

  // The columns a check reads from records whose columns are `available`.
  static QStringList CheckedColumns(const TCompiledRuleSet& rules, const QStringList& available);

  // Moves to the next record; false after the last.
  bool NextRecord();

  // Applies every rule to the current record, each field read as a floating-point value
  // (empty as 0), and writes each broken rule; true when none is broken.
  bool CheckRecordLogic();

  // One broken rule into the report, under the record's header when it is the first.
  // The page and field of the rule are passed for the report's readers to come; the
  // report does not show them.
  void WriteLogicError(const QString& rule, const QString& explanation, int page, const QString& focus);

  // The current record's unit code, and whether it holds `state` already (false when
  // the records have no state, or it is empty or no number).
  qint64 Code() const { return block_[size_t(current_)].Code; }
  bool HasState(int state) const { return block_[size_t(current_)].State == state; }

private:
  struct TRecord {
    qint64 Code = 0;
    double ReportCode = 0;
    QString Name;
    double State = 0;  // NaN when there is none
  };
  void ReadBlock();

  TRecordReader& records_;
  const TCompiledRuleSet& rules_;
  TCheckReport& report_;
  int code_, name_, state_;       // places in the reader; state_ -1 when not read
  std::vector<int> slotColumns_;  // the reader's place of each slot
  // The block read ahead: its records, their values field by field, and the rules each
  // breaks.
  std::vector<TRecord> block_;
  int current_ = -1;
  std::vector<double> values_;
  std::vector<std::vector<TBrokenRule>> broken_;
  TRuleBlockRoom room_;
};

// Checks every record that the query `sql` (Jet SQL over dt_data, such as "select *
// from dt_data where c907<=2") gives, in its order, and marks it; `setPassed` also marks
// clean records as passed. The report is "2014基层以上-<label>-逻辑检查结果.txt" in the
// documents folder (LogicReportPath of DatabaseLabel), put in place of the old one when
// the run ends or stops. Errors are shown as messages and end the run, leaving the old
// report as it was. `pumpIntervalMs` 0 lets the window handle its messages after every record.
TLogicCheckOutcome RunLogicCheck(TADOConnection& connection, const QString& sql, bool setPassed,
                                 ICheckProgress& progress, int pumpIntervalMs = kCheckPumpIntervalMs);

} // namespace fw
