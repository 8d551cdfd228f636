#include "core/SearchConditions.h"

#include "core/CodeLookup.h"

#include <QRegularExpression>

namespace fw {

namespace {

const QString kOrdinals[] = {QStringLiteral("第一个"), QStringLiteral("第二个")};

TSearchCondition Refused(const QString& message, int bound = 0) {
  TSearchCondition condition;
  condition.Error = message;
  condition.Bound = bound;
  return condition;
}

// A whole number of at most 15 digits (exact in the engine's numbers), perhaps negative.
bool IsWholeNumber(const QString& text) {
  static const QRegularExpression number(QStringLiteral(R"(^-?\d{1,15}$)"));
  return number.match(text).hasMatch();
}

// A column name as the field list spells them ("z001", "c901").
bool IsColumnName(const QString& text) {
  static const QRegularExpression name(QStringLiteral(R"(^[A-Za-z][A-Za-z0-9_]{0,63}$)"));
  return name.match(text).hasMatch();
}

// "<column><operator><number>", or the message refusing the bound (numbered from 1).
TSearchCondition Comparison(const QString& column, const TSearchBound& bound, int index) {
  const QString& ordinal = kOrdinals[index - 1];
  const QString number = bound.Number.trimmed();
  const QString op = GetCodeName(SearchOperators(), bound.Operator);
  if (op.isEmpty()) return Refused(ordinal + QStringLiteral("条件缺少比较符"), index);
  if (number.isEmpty()) return Refused(ordinal + QStringLiteral("条件缺少数值"), index);
  if (!IsWholeNumber(number)) return Refused(ordinal + QStringLiteral("条件的数值只能是数字"), index);
  TSearchCondition condition;
  condition.Where = column + op + number;
  return condition;
}

bool IsEmpty(const TSearchBound& bound) { return bound.Number.trimmed().isEmpty(); }

} // namespace

const TMenuItemDataArray& SearchOperators() {
  static const TMenuItemDataArray operators = {{1, QStringLiteral("=")},
                                               {2, QStringLiteral(">")},
                                               {3, QStringLiteral("<")},
                                               {4, QStringLiteral(">=")},
                                               {5, QStringLiteral("<=")}};
  return operators;
}

const TMenuItemDataArray& SearchConnectors() {
  static const TMenuItemDataArray connectors = {{1, QStringLiteral("和")}, {2, QStringLiteral("或")}};
  return connectors;
}

QString ConnectorSql(int code) {
  switch (code) {
  case 1:
    return QStringLiteral(" AND ");
  case 2:
    return QStringLiteral(" OR ");
  }
  return QString();
}

TSearchCondition CodeRangeCondition(const TSearchBound& first, int connector, const TSearchBound& second) {
  if (IsEmpty(first) && IsEmpty(second)) return Refused(kNoConditionMessage);
  const QString column = QStringLiteral("c901");
  TSearchCondition result;
  result.Where = QStringLiteral("where ");
  if (!IsEmpty(first)) {
    const TSearchCondition one = Comparison(column, first, 1);
    if (!one.Ok()) return one;
    result.Where += one.Where;
  }
  if (!IsEmpty(second)) {
    const TSearchCondition two = Comparison(column, second, 2);
    if (!two.Ok()) return two;
    if (!IsEmpty(first)) {
      const QString join = ConnectorSql(connector);
      if (join.isEmpty()) return Refused(QStringLiteral("请选择两个条件之间的连接方式"));
      result.Where += join;
    }
    result.Where += two.Where;
  }
  return result;
}

TSearchCondition IndicatorCondition(const QString& indicator, const TSearchBound& first, const TSearchBound& second) {
  const QString column = indicator.trimmed();
  if (column.isEmpty()) return Refused(kNoIndicatorMessage);
  if (!IsColumnName(column)) return Refused(QStringLiteral("指标“%1”无效，请重新选择指标").arg(column));
  if (IsEmpty(first) && IsEmpty(second)) return Refused(kNoConditionMessage, 1);
  const TSearchBound* bounds[] = {&first, &second};
  if (column.compare(QLatin1String("c901"), Qt::CaseInsensitive) == 0)
    for (int i = 0; i < 2; ++i)
      if (!IsEmpty(*bounds[i]) && bounds[i]->Number.trimmed().size() != 12) return Refused(kCodeBoundLengthMessage, i + 1);

  QStringList parts;
  for (int i = 0; i < 2; ++i) {
    // A bound left out entirely (no number, no operator) is no condition.
    if (IsEmpty(*bounds[i]) && bounds[i]->Operator == -1) continue;
    const TSearchCondition part = Comparison(column, *bounds[i], i + 1);
    if (!part.Ok()) return part;
    parts << part.Where;
  }
  TSearchCondition result;
  result.Where = QStringLiteral("where ") + parts.join(QStringLiteral(" and "));
  return result;
}

} // namespace fw
