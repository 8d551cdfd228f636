#include "platform/db/Field.h"

#include "platform/db/DataSet.h"
#include "platform/db/DbError.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace fw {

TFieldType FieldTypeFromDeclared(const QString& declared, int* size) {
  *size = 0;
  const QString d = declared.trimmed().toUpper();
  static const QRegularExpression sizeRe(QStringLiteral("\\(\\s*(\\d+)"));
  const auto m = sizeRe.match(d);
  const int declaredSize = m.hasMatch() ? m.captured(1).toInt() : 0;
  const QString base = d.section(QLatin1Char('('), 0, 0).trimmed();
  auto is = [&](std::initializer_list<const char*> names) {
    for (const char* n : names)
      if (base == QLatin1String(n)) return true;
    return false;
  };
  if (is({"BIT", "BOOLEAN", "BOOL", "YESNO", "LOGICAL"})) return ftBoolean;
  if (is({"SMALLINT", "TINYINT", "BYTE", "SHORT", "INTEGER2"})) return ftSmallint;
  if (is({"BIGINT", "INT64", "LARGEINT", "INTEGER8"})) return ftLargeint;
  if (is({"CURRENCY", "MONEY"})) return ftCurrency;
  if (is({"DATETIME", "DATE", "TIME", "TIMESTAMP"})) return ftDateTime;
  if (is({"MEMO", "LONGTEXT", "CLOB", "NOTE", "LONGCHAR"})) return ftMemo;
  if (base.contains(QLatin1String("INT")) || is({"COUNTER", "AUTOINCREMENT", "LONG"})) return ftInteger;
  if (base.contains(QLatin1String("CHAR")) || base.contains(QLatin1String("TEXT")) || base.contains(QLatin1String("STRING"))) {
    *size = declaredSize > 0 ? declaredSize : 255;
    return ftWideString;
  }
  if (base.contains(QLatin1String("REAL")) || base.contains(QLatin1String("FLOA")) || base.contains(QLatin1String("DOUB")) ||
      base.contains(QLatin1String("NUM")) || base.contains(QLatin1String("DEC")) || base == QLatin1String("SINGLE"))
    return ftFloat;
  return ftUnknown;
}

TField::TField(TDataSet* dataSet, int index, const QString& name, TFieldType type, int size)
    : dataSet_(dataSet), index_(index), name_(name), type_(type), size_(size) {}

bool TField::IsNumeric() const {
  switch (type_) {
  case ftSmallint:
  case ftInteger:
  case ftLargeint:
  case ftBoolean:
  case ftFloat:
  case ftCurrency:
    return true;
  default:
    return false;
  }
}

bool TField::IsNull() const {
  QByteArray storage;
  return dataSet_->CurrentCell(index_, &storage).Type == TCellType::Null;
}

QString TField::AsString() const {
  QByteArray storage;
  const TCell cell = dataSet_->CurrentCell(index_, &storage);
  if (type_ == ftBoolean && (cell.Type == TCellType::Int || cell.Type == TCellType::Float))
    return (cell.Type == TCellType::Int ? cell.Int != 0 : cell.Float != 0) ? QStringLiteral("True") : QStringLiteral("False");
  return cell.ToText();
}

double TField::AsFloat() const {
  QByteArray storage;
  const TCell cell = dataSet_->CurrentCell(index_, &storage);
  switch (cell.Type) {
  case TCellType::Null:
    return 0;
  case TCellType::Int:
    return static_cast<double>(cell.Int);
  case TCellType::Float:
    return cell.Float;
  case TCellType::Text: {
    const QString text = cell.ToText().trimmed();
    if (text.isEmpty()) return 0;
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok) throw EDatabaseError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return v;
  }
  }
  return 0;
}

qint64 TField::AsLargeInt() const {
  QByteArray storage;
  const TCell cell = dataSet_->CurrentCell(index_, &storage);
  switch (cell.Type) {
  case TCellType::Null:
    return 0;
  case TCellType::Int:
    return cell.Int;
  case TCellType::Float:
    if (!std::isfinite(cell.Float) || std::fabs(cell.Float) >= 9.2e18)
      throw EDatabaseError(QStringLiteral("Value %1 is out of range").arg(cell.ToText()));
    return static_cast<qint64>(std::nearbyint(cell.Float));
  case TCellType::Text: {
    const QString text = cell.ToText().trimmed();
    if (text.isEmpty()) return 0;
    bool ok = false;
    const qint64 v = text.toLongLong(&ok);
    if (ok) return v;
    const double d = text.toDouble(&ok);
    if (!ok) throw EDatabaseError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return static_cast<qint64>(std::nearbyint(d));
  }
  }
  return 0;
}

int TField::AsInteger() const {
  const qint64 v = AsLargeInt();
  if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
    throw EDatabaseError(QStringLiteral("Value %1 is out of range for field '%2'").arg(v).arg(name_));
  return static_cast<int>(v);
}

bool TField::AsBoolean() const {
  QByteArray storage;
  const TCell cell = dataSet_->CurrentCell(index_, &storage);
  switch (cell.Type) {
  case TCellType::Null:
    return false;
  case TCellType::Int:
    return cell.Int != 0;
  case TCellType::Float:
    return cell.Float != 0;
  case TCellType::Text: {
    const QString text = cell.ToText().trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || text.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0) return true;
    bool ok = false;
    const double v = text.toDouble(&ok);
    return ok && v != 0;
  }
  }
  return false;
}

QDateTime TField::AsDateTime() const {
  QByteArray storage;
  const TCell cell = dataSet_->CurrentCell(index_, &storage);
  if (cell.Type == TCellType::Text) return QDateTime::fromString(cell.ToText(), Qt::ISODate);
  return QDateTime();
}

QVariant TField::AsVariant() const {
  QByteArray storage;
  QVariant v = dataSet_->CurrentCell(index_, &storage).ToVariant();
  if ((type_ == ftInteger || type_ == ftSmallint) && v.typeId() == QMetaType::LongLong) {
    const qlonglong x = v.toLongLong();
    if (x >= std::numeric_limits<int>::min() && x <= std::numeric_limits<int>::max()) return QVariant(static_cast<int>(x));
  }
  return v;
}

void TField::SetAsString(const QString& value) {
  if (IsNumeric()) {
    const QString text = value.trimmed();
    if (text.isEmpty()) return dataSet_->SetFieldValue(index_, QVariant());
    bool ok = false;
    const qlonglong i = text.toLongLong(&ok);
    if (ok) return dataSet_->SetFieldValue(index_, QVariant(i));
    const double d = text.toDouble(&ok);
    if (ok) return dataSet_->SetFieldValue(index_, QVariant(d));
    if (type_ == ftBoolean) {
      if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return SetAsBoolean(true);
      if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return SetAsBoolean(false);
    }
    throw EDatabaseError(QStringLiteral("'%1' is not a valid value for field '%2'").arg(value, name_));
  }
  dataSet_->SetFieldValue(index_, QVariant(value));
}

void TField::SetAsInteger(int value) { dataSet_->SetFieldValue(index_, QVariant(static_cast<qlonglong>(value))); }
void TField::SetAsLargeInt(qint64 value) { dataSet_->SetFieldValue(index_, QVariant(static_cast<qlonglong>(value))); }
void TField::SetAsFloat(double value) { dataSet_->SetFieldValue(index_, QVariant(value)); }
void TField::SetAsBoolean(bool value) { dataSet_->SetFieldValue(index_, QVariant(static_cast<qlonglong>(value ? -1 : 0))); }
void TField::SetAsDateTime(const QDateTime& value) {
  dataSet_->SetFieldValue(index_, value.isValid() ? QVariant(value.toString(Qt::ISODate)) : QVariant());
}
void TField::SetAsVariant(const QVariant& value) {
  if (value.typeId() == QMetaType::Bool) return SetAsBoolean(value.toBool());
  dataSet_->SetFieldValue(index_, value);
}
void TField::Clear() { dataSet_->SetFieldValue(index_, QVariant()); }

} // namespace fw
