#include "core/SheetValue.h"

#include "platform/db/VariantKinds.h"
#include "platform/sheet/CellText.h"

namespace fw {

QVariant SheetCellValue(const QVariant& value) {
  switch (VariantKind(value)) {
  case TVariantKind::Null:
    return QVariant();
  case TVariantKind::Boolean:
  case TVariantKind::Integer:
    return static_cast<double>(VariantStoredInteger(value));
  case TVariantKind::Real:
    return RoundToSpreadsheetPrecision(value.toDouble());
  case TVariantKind::Text:
    break;
  }
  return value.toString();
}

} // namespace fw
