#pragma once
// What the list export dialog exports: the cover columns and the indicator columns of the
// sheets ticked, of all records, of a range of unit codes, or of the units of one user
// group. Codes and bounds reach the statement as bound values; a group's comparison
// symbols are checked against the four the group editor writes.

#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <cstdint>

namespace fw {

class TADOConnection;

// The sheets of the export list, by position: z x p b f l h j s w g c.
constexpr int kExportSheetCount = 12;
// The field-code letter of an item of the export list; a null character outside the list.
QChar ExportSheetLetter(int item);

// The columns every list export starts with: the cover and the record state.
QStringList ListCoverColumns();

// The indicator columns of the sheet of a letter, in field-list order: the FieldName of
// dt_fieldlist rows whose name holds the letter, with 7 < sequence < 1000.
QStringList SheetColumns(TADOConnection& connection, QChar letter);

inline const QString kRangeMissingMessage = QStringLiteral("请输入单位编号的范围");
inline const QString kGroupConditionMessage = QStringLiteral("所选分组的编号范围不正确，请在数据分组中检查该分组。");

// A range of unit codes as typed in the two edits.
struct TCodeRange {
  double From = 0;
  double To = 0;
  bool ToRaised = false; // From was above To: To was raised to From
};

// Reads the two bounds: false when one is empty, no number or zero. When From is above
// To, To takes From's value (and ToRaised is set).
bool ReadCodeRange(const QString& fromText, const QString& toText, TCodeRange& range);

// A user group: one row of DT_GroupItem.
struct TGroupBounds {
  int Id = 0;
  QString Title;
  std::int64_t LowBoundary = 0;
  std::int64_t HighBoundary = 0;
  QString LowSymbol;
  QString HighSymbol;
};

// Whether a comparison symbol is one of ">", ">=", "<", "<=".
bool IsBoundSymbol(const QString& symbol);

// A statement with its bound values, for a query's SQL and Parameters.
struct TListStatement {
  QString Sql;
  QVariantMap Params;
};

// "select <columns> from dt_data [where ...] order by c901" for each choice of records.
TListStatement AllRecordsStatement(const QStringList& columns);
TListStatement RangeStatement(const QStringList& columns, const TCodeRange& range);
// False (statement untouched) when a symbol of the group is not a bound symbol.
bool GroupStatement(const QStringList& columns, const TGroupBounds& group, TListStatement& statement);

} // namespace fw
