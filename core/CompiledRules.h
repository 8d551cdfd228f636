#pragma once
// The logic rules compiled once for checking many stored records. Every dt_logic
// expression (true when its rule is broken) becomes a small program over a record's
// values, evaluated as the database evaluates the page rules' expressions once the
// editors' values are in place: a true comparison is -1 and a false one 0, and/or/not
// take any number but 0 as true (an amount of 0.5 is filled), NULL (here a NaN) passes
// through arithmetic and comparisons, and a division by zero is an error. So the batch
// check and the entry form's page rules read the same rows and find the same broken
// rules.
//
// Evaluation order and short cuts follow the database too: every operand that can fail
// is evaluated (a division by zero anywhere fails the expression), except beside a
// whole number that the statement holds as written (a field or a number from 0 to
// 2^31 - 1, not negated): an "and" beside a 0 is 0 and an "or" beside any other such
// number is true at once, the other side unevaluated. An operand that cannot fail is
// skipped when the other already decides the result, which gives the same answer faster.

#include "core/PageRules.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

namespace fw {

class TADOConnection;
class TRuleExplainer;

// The slot of a record value that an identifier of an expression names, or -1 when the
// record has no such value.
using TSlotResolver = std::function<int(const QString& identifier)>;

// One compiled expression.
class TRuleProgram {
public:
  // Identifiers are scanned as the page rules scan them (a letter starts a name, which
  // runs to the next blank or one of ( ) * + - / < = >); "and", "or" and "not" in any
  // case are the logical words, any other name goes through `resolve`. An expression
  // that cannot be compiled keeps the reason, and every evaluation gives it.
  static TRuleProgram Compile(const QString& expression, const TSlotResolver& resolve);

  bool Compiled() const { return problem_.isEmpty(); }
  QString Problem() const { return problem_; }

  // The verdict over values[slot]; NotEvaluated comes with the reason in words.
  TRuleEvaluation Evaluate(const double* values) const;

  // Whether the program can be evaluated over many records at once: it compiled and
  // holds no division, so nothing can fail and no operand has to be left out.
  bool EvaluatesInBlocks() const { return Compiled() && !canFail_; }
  // For such a program: the results for `count` records whose values lie field by field,
  // values[slot * count + record], into results[record]: -1 when the rule is broken,
  // NaN (NULL) when it cannot be evaluated, anything else when it holds. `stack` is room
  // the evaluation may use.
  void EvaluateBlock(const double* values, int count, double* results, std::vector<double>& stack) const;

  enum class TOp : std::uint8_t;
  struct TInstruction {
    TOp Op;
    std::int32_t Arg;  // slot, or jump target
    double Value;      // constant
  };

private:
  enum class TOutcome { Value, Failed };
  TOutcome Run(const double* values, double& result) const;

  std::vector<TInstruction> code_;
  int depth_ = 0;
  bool canFail_ = false;
  QString problem_;
};

// One row of a rule: the condition that breaks it and the explanation shown then.
struct TCompiledRuleRow {
  TRuleProgram Condition;
  QString Focus;        // the field the entry form goes to
  QString Explanation;  // in words (field hints and operator words)
};

// One rule: consecutive dt_logic rows with the same rule text on the same page. A rule
// with two explanations has two rows whose conditions exclude each other.
struct TCompiledRule {
  QString Rule;  // as shown to the user
  int Page = 0;  // the entry-form page of its rows
  std::vector<TCompiledRuleRow> Rows;
};

// A rule a record breaks: which rule, which of its rows (its explanation) and, for a
// row that could not be evaluated, why.
struct TBrokenRule {
  int Rule = 0;
  int Row = 0;
  QString Problem;  // empty when the row's condition held true

  bool NotEvaluated() const { return !Problem.isEmpty(); }
};

// Working room of block checks, kept between blocks so that they allocate nothing.
struct TRuleBlockRoom {
  std::vector<double> Stack, Results, Record;
  std::vector<char> Decided;
};

class TCompiledRuleSet {
public:
  // Reads dt_logic in the order of its ids and compiles every row; identifiers resolve
  // among `fields` (names compare without regard to case) and become slots of the
  // values a record is checked with. Explanations are put in words with `explainer`.
  // Throws EDatabaseError when the rules cannot be read.
  static TCompiledRuleSet Load(TADOConnection& connection, const QStringList& fields, TRuleExplainer& explainer);

  // Builds the set from rows given as (page, expression, focus, explanation in words,
  // rule), in order.
  struct TSourceRow {
    int Page = 0;
    QString Expression, Focus, Explanation, Rule;
  };
  static TCompiledRuleSet Build(const std::vector<TSourceRow>& rows, const QStringList& fields);

  const std::vector<TCompiledRule>& Rules() const { return rules_; }
  // The field each slot is read from, slot by slot.
  const QStringList& SlotFields() const { return slotFields_; }

  // The rules a record breaks, in order, into `broken` (cleared first): per rule the
  // first row whose condition is true or cannot be evaluated, so that a rule is reported
  // once at most. Returns whether the record breaks none.
  bool Check(const double* values, std::vector<TBrokenRule>& broken) const;

  // The same for `count` records at once, their values field by field
  // (values[slot * count + record]), into broken[record].
  void CheckBlock(const double* values, int count, std::vector<std::vector<TBrokenRule>>& broken,
                  TRuleBlockRoom& room) const;

  // The explanation of a broken rule as it is reported.
  QString Explanation(const TBrokenRule& broken) const;

private:
  std::vector<TCompiledRule> rules_;
  QStringList slotFields_;
};

} // namespace fw
