#include "core/ListSelection.h"

#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"

namespace fw {

namespace {

const char kSheetLetters[kExportSheetCount + 1] = "zxpbflhjswgc";

// Column names come from the field list; quoted, a name can only ever be a name.
QString SelectHead(const QStringList& columns) {
  QStringList quoted;
  for (const QString& c : columns) quoted << QLatin1Char('[') + c + QLatin1Char(']');
  return QStringLiteral("select ") + quoted.join(QLatin1Char(',')) + QStringLiteral(" from dt_data");
}

const QString kOrder = QStringLiteral(" order by c901");

} // namespace

QChar ExportSheetLetter(int item) {
  return item >= 0 && item < kExportSheetCount ? QLatin1Char(kSheetLetters[item]) : QChar();
}

QStringList ListCoverColumns() {
  return {QStringLiteral("c901"), QStringLiteral("c902"), QStringLiteral("c903"), QStringLiteral("c904"),
          QStringLiteral("c905"), QStringLiteral("c906"), QStringLiteral("c907"), QStringLiteral("RecordState")};
}

QStringList SheetColumns(TADOConnection& connection, QChar letter) {
  TADOQuery query(&connection);
  query.SetSQL(QStringLiteral("select FieldName from dt_fieldlist where FieldName like :pattern and sequence>7 and "
                              "sequence<1000 order by sequence"));
  query.ParamByName(QStringLiteral("pattern")).SetValue(QStringLiteral("%") + letter + QStringLiteral("%"));
  query.Open();
  QStringList names;
  for (TField* name = query.Fields(0); !query.Eof(); query.Next()) {
    // A name that could end the quoting is no column of ours.
    if (!name->AsString().contains(QLatin1Char(']'))) names << name->AsString();
  }
  return names;
}

bool ReadCodeRange(const QString& fromText, const QString& toText, TCodeRange& range) {
  bool fromOk = false, toOk = false;
  const double from = fromText.trimmed().toDouble(&fromOk);
  const double to = toText.trimmed().toDouble(&toOk);
  if (!fromOk || !toOk || from == 0 || to == 0) return false;
  range.From = from;
  range.ToRaised = from > to;
  range.To = range.ToRaised ? from : to;
  return true;
}

bool IsBoundSymbol(const QString& symbol) {
  return symbol == QLatin1String(">") || symbol == QLatin1String(">=") || symbol == QLatin1String("<") ||
         symbol == QLatin1String("<=");
}

TListStatement AllRecordsStatement(const QStringList& columns) { return {SelectHead(columns) + kOrder, {}}; }

TListStatement RangeStatement(const QStringList& columns, const TCodeRange& range) {
  return {SelectHead(columns) + QStringLiteral(" where c901>=:low and c901<=:high") + kOrder,
          {{QStringLiteral("low"), range.From}, {QStringLiteral("high"), range.To}}};
}

bool GroupStatement(const QStringList& columns, const TGroupBounds& group, TListStatement& statement) {
  const QString low = group.LowSymbol.trimmed();
  const QString high = group.HighSymbol.trimmed();
  if (!IsBoundSymbol(low) || !IsBoundSymbol(high)) return false;
  statement.Sql = SelectHead(columns) + QStringLiteral(" where c901") + low + QStringLiteral(":low and c901") + high +
                  QStringLiteral(":high") + kOrder;
  statement.Params = {{QStringLiteral("low"), QVariant::fromValue<qint64>(group.LowBoundary)},
                      {QStringLiteral("high"), QVariant::fromValue<qint64>(group.HighBoundary)}};
  return true;
}

} // namespace fw
