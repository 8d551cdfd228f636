#pragma once
// The conditions of the two searches that show their records in the query list: the
// code-range search (c901 against one or two numbers, joined by 和 or 或) and the
// indicator query (one indicator between up to two bounds). Each gives the WHERE clause
// ("where c901>=110000000000 AND c901<120000000000") or the message that refuses the
// input. Operators and connectors come from their code lists by code and numbers must be
// digits, so no typed text reaches the statement.

#include "core/SurveyModel.h"

#include <QString>

namespace fw {

inline const QString kNoConditionMessage = QStringLiteral("请至少输入一个条件");
inline const QString kNoIndicatorMessage = QStringLiteral("请选择指标");
inline const QString kCodeBoundLengthMessage = QStringLiteral("c901必须为12位");

// The comparison operators: (1 "="), (2 ">"), (3 "<"), (4 ">="), (5 "<=").
const TMenuItemDataArray& SearchOperators();
// The connectors as shown, (1 "和"), (2 "或"), and as written into SQL, " AND " and " OR ".
const TMenuItemDataArray& SearchConnectors();
QString ConnectorSql(int code);

// One comparison: the number as entered (blanks around it ignored, empty when none) and
// the operator's code (-1 when none was chosen).
struct TSearchBound {
  QString Number;
  int Operator = -1;
};

// The WHERE clause, or the message that refuses the input with the bound it concerns
// (1 or 2; 0 when it concerns no single bound).
struct TSearchCondition {
  QString Where;
  QString Error;
  int Bound = 0;
  bool Ok() const { return Error.isEmpty(); }
};

// The code-range search: "where c901<op1><n1>[<connector>c901<op3><n2>]", or with the
// second number alone "where c901<op3><n2>".
TSearchCondition CodeRangeCondition(const TSearchBound& first, int connector, const TSearchBound& second);

// The indicator query: "where <indicator><op1><n1>[ and <indicator><op3><n2>]". Every
// number given needs its operator and every operator chosen its number; bounds of c901
// have twelve digits.
TSearchCondition IndicatorCondition(const QString& indicator, const TSearchBound& first, const TSearchBound& second);

} // namespace fw
