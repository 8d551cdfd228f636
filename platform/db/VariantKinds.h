#pragma once
// How the database layer stores a QVariant: as a 64-bit integer, a real number or text.
// Booleans are integers (true -1, false 0), as the original engine stores them.

#include <QVariant>

namespace fw {

enum class TVariantKind { Null, Boolean, Integer, Real, Text };

inline TVariantKind VariantKind(const QVariant& value) {
  if (!value.isValid() || value.isNull()) return TVariantKind::Null;
  switch (value.typeId()) {
  case QMetaType::Bool:
    return TVariantKind::Boolean;
  case QMetaType::Int:
  case QMetaType::UInt:
  case QMetaType::LongLong:
  case QMetaType::ULongLong:
  case QMetaType::Short:
  case QMetaType::UShort:
  case QMetaType::Long:
  case QMetaType::ULong:
  case QMetaType::Char:
  case QMetaType::SChar:
  case QMetaType::UChar:
    return TVariantKind::Integer;
  case QMetaType::Double:
  case QMetaType::Float:
    return TVariantKind::Real;
  default:
    return TVariantKind::Text;
  }
}

// The integer a boolean or integer variant is stored as.
inline qint64 VariantStoredInteger(const QVariant& value) {
  return value.typeId() == QMetaType::Bool ? (value.toBool() ? -1 : 0) : value.toLongLong();
}

} // namespace fw
