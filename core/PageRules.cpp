#include "core/PageRules.h"

#include "core/Messages.h"
#include "platform/db/DbError.h"
#include "platform/db/Field.h"
#include "platform/shell/Hooks.h"

#include <QLocale>

namespace fw {

namespace {

constexpr int kFirstRulePage = 1;
constexpr int kLastRulePage = 12;

bool IsExprDelimiter(QChar c) { return QStringView(u" ()*+-/<=>").contains(c); }

bool IsLogicalWord(const QString& identifier) {
  const QString upper = identifier.toUpper();
  return upper == QLatin1String("AND") || upper == QLatin1String("OR") || upper == QLatin1String("NOT");
}

// The database's complaint in words the person at the screen can read.
QString DatabaseProblem(const QString& message) {
  if (message.contains(QLatin1String("Division by zero"), Qt::CaseInsensitive)) return QStringLiteral("除数为零");
  return QStringLiteral("表达式有误：") + message;
}

} // namespace

QString RuleValueText(double value) {
  // Shortest text that reads back as the same double, never with an exponent, so that
  // the database compares the value the editor holds (2.5 stays 2.5).
  const QString text = QString::number(value, 'f', QLocale::FloatingPointShortest);
  return value < 0 ? QLatin1Char('(') + text + QLatin1Char(')') : text;
}

QString NotEvaluatedExplanation(const QString& problem) {
  return QStringLiteral("此逻辑关系无法计算（") + problem + QStringLiteral("），请与软件发行者联系。");
}

TPageRuleEngine::TPageRuleEngine(TADOConnection& connection, IRuleEditors& editors, IMessageList& messages)
    : editors_(editors), messages_(messages), toolQuery_(&connection), appQuery_(&connection),
      explainer_(connection) {}

bool TPageRuleEngine::CheckPageRules(int page, bool clear) {
  if (page < kFirstRulePage || page > kLastRulePage) return false;
  if (clear) messages_.ClearMessageList();
  CheckRuleRows(page);
  const bool empty = messages_.IsMessageListEmpty();
  if (!empty) messages_.ShowMessageList();
  return empty;
}

bool TPageRuleEngine::CheckAllPages() {
  CheckPageRules(kFirstRulePage, true);
  for (int page = kFirstRulePage + 1; page <= kLastRulePage; ++page) CheckPageRules(page, false);
  return messages_.IsMessageListEmpty();
}

void TPageRuleEngine::CheckRuleRows(int page) {
  try {
    toolQuery_.Close();
    toolQuery_.SQL().Clear();
    toolQuery_.SQL().Add(QStringLiteral("select * from dt_logic where page_id=") + QString::number(page));
    toolQuery_.Open();
    TField* expression = toolQuery_.FieldByName(QStringLiteral("expression"));
    TField* rule = toolQuery_.FieldByName(QStringLiteral("rule"));
    TField* explain = toolQuery_.FieldByName(QStringLiteral("explain"));
    TField* focus = toolQuery_.FieldByName(QStringLiteral("focus"));
    const int count = toolQuery_.RecordCount();
    for (int i = 0; i < count; ++i, toolQuery_.Next()) {
      const TRuleEvaluation result = EvalRuleExpr(expression->AsString());
      if (result.Verdict == TRuleVerdict::Broken)
        messages_.AddMessage(rule->AsString(), ExplainToText(explain->AsString()), focus->AsString(), page);
      else if (result.Verdict == TRuleVerdict::NotEvaluated)
        messages_.AddMessage(rule->AsString(), NotEvaluatedExplanation(result.Problem), focus->AsString(), page);
    }
    toolQuery_.Close();
  } catch (const EDatabaseError& e) {
    // The page's rules could not be read: say so, and keep the record from passing as
    // free of logic errors.
    toolQuery_.Close();
    ShowRuntimeError(e.Message());
    messages_.AddMessage(QStringLiteral("本页逻辑规则"), QStringLiteral("无法读取本页的逻辑规则：") + e.Message(),
                         QString(), page);
  }
}

TRuleEvaluation TPageRuleEngine::EvalRuleExpr(const QString& expression) {
  QStringList unknown;
  const QString substituted = SubstituteExpr(expression, &unknown);
  if (!unknown.isEmpty())
    return {TRuleVerdict::NotEvaluated, QStringLiteral("找不到变量 ") + unknown.join(QStringLiteral("、"))};
  try {
    appQuery_.Close();
    appQuery_.SQL().Clear();
    appQuery_.SQL().Add(QStringLiteral("select ") + substituted + QStringLiteral(" as rt"));
    appQuery_.Open();
    TField* rt = appQuery_.FieldByName(QStringLiteral("rt"));
    if (rt->IsNull()) {
      appQuery_.Close();
      return {TRuleVerdict::NotEvaluated, QStringLiteral("结果为空值")};
    }
    // Jet's true is -1; false and any other value mean the rule holds.
    const bool broken = rt->AsFloat() == -1.0;
    appQuery_.Close();
    return {broken ? TRuleVerdict::Broken : TRuleVerdict::Holds, QString()};
  } catch (const EDatabaseError& e) {
    appQuery_.Close();
    return {TRuleVerdict::NotEvaluated, DatabaseProblem(e.Message())};
  }
}

QString TPageRuleEngine::SubstituteExpr(const QString& expression, QStringList* unknown) {
  QString result;
  QString identifier;
  auto resolve = [&] {
    bool known = true;
    result += ResolveExprToken(identifier, &known);
    if (!known && unknown) unknown->append(identifier);
    identifier.clear();
  };
  // One character at a time (a QChar, never a byte of a multi-byte encoding), so that
  // Chinese text cannot pass for letters of an identifier.
  for (const QChar c : expression) {
    if (IsRuleLetter(c)) {
      identifier += c;
    } else if (IsExprDelimiter(c)) {
      if (!identifier.isEmpty()) resolve();
      result += c;
    } else {
      (identifier.isEmpty() ? result : identifier) += c;
    }
  }
  if (!identifier.isEmpty()) resolve();
  return result;
}

QString TPageRuleEngine::ResolveExprToken(const QString& identifier, bool* known) {
  if (known) *known = true;
  if (IsLogicalWord(identifier)) return identifier;
  double value = 0;
  if (editors_.RuleEditorValue(identifier, value)) return RuleValueText(value);
  if (known) *known = false;
  ShowMessage(QStringLiteral("Control name parse error : ") + identifier);
  return QString();
}

} // namespace fw
