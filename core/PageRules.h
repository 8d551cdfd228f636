#pragma once
// The logic rules of the entry form's pages. Each dt_logic row holds, for one sheet page,
// an expression over field codes that is true when the rule is broken. The engine puts
// the values of the form's editors in place of the codes, lets the database evaluate
// the result as "select <expression> as rt" and lists every broken rule, explained in
// words, in the message list.
//
// A rule that cannot be evaluated (a syntax error, a code that names no editor, a
// division by zero, no result) is listed too, with an explanation saying so: such a
// record must not pass as free of logic errors. The rest of the page is still checked.

#include "core/PageRuleLinks.h"
#include "core/RuleExplain.h"
#include "platform/db/AdoQuery.h"

#include <QString>
#include <QStringList>

namespace fw {

class TADOConnection;

// What the evaluation of one rule gave.
enum class TRuleVerdict { Holds, Broken, NotEvaluated };

struct TRuleEvaluation {
  TRuleVerdict Verdict = TRuleVerdict::Holds;
  QString Problem;  // NotEvaluated: why, in words
};

// A number as it takes part in a rule: exact, with "." as decimal point and no exponent;
// a negative value in parentheses so that it stays one operand after any operator.
QString RuleValueText(double value);

// The text shown in the explanation column for a rule that could not be evaluated.
QString NotEvaluatedExplanation(const QString& problem);

class TPageRuleEngine : public IPageRuleChecker {
public:
  // The rules are read and evaluated on queries of the engine's own on `connection`;
  // the editors give the values; broken rules go to `messages`.
  TPageRuleEngine(TADOConnection& connection, IRuleEditors& editors, IMessageList& messages);

  // Pages outside 1..12 give false and leave the list alone. Otherwise every rule of the
  // page is evaluated in table order; the list is shown when it is not empty afterwards.
  bool CheckPageRules(int page, bool clear) override;
  bool CheckAllPages() override;

  TRuleEvaluation EvalRuleExpr(const QString& expression);

  // The expression with every identifier replaced by ResolveExprToken, scanned one
  // character at a time: a letter starts an identifier, which runs to the next blank
  // or one of ( ) * + - / < = > (so "z001" and "a,b" are one identifier each); numbers
  // and other text pass unchanged. Identifiers that name no editor are added to
  // `unknown` when given.
  QString SubstituteExpr(const QString& expression, QStringList* unknown = nullptr);
  // AND, OR and NOT (in any case) stay as written; the name of an editor gives its exact
  // value; any other name is reported ("Control name parse error : ") and gives "".
  QString ResolveExprToken(const QString& identifier, bool* known = nullptr);

  QString ExplainToText(const QString& explain) { return explainer_.ExplainToText(explain); }
  QString TranslateExplainToken(const QString& token) { return explainer_.TranslateExplainToken(token); }

private:
  void CheckRuleRows(int page);

  IRuleEditors& editors_;
  IMessageList& messages_;
  TADOQuery toolQuery_;  // the page's rule rows
  TADOQuery appQuery_;   // one evaluation
  TRuleExplainer explainer_;
};

} // namespace fw
