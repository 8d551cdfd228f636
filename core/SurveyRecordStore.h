#pragma once
// Reading and storing one survey record as the entry form does it: the field list that
// ties editors to dt_data columns, the unit code proposed for a new record, and the
// store of a record's values in one transaction, so that a failure leaves the stored
// row exactly as it was.

#include <QString>
#include <QVariant>
#include <cstdint>
#include <vector>

namespace fw {

class TADOConnection;
class TADOQuery;
class TDataSet;

// One dt_fieldlist row as the entry form uses it.
struct TEntryField {
  int ID = 0;
  QString FieldName;  // the dt_data column and the editor's name
  QString Hint;       // the field's title
  std::uint8_t QueryType = 0; // 0 integer, 1 text, 2 real number, 3 yes/no code
  QString Rule;       // field rule against the level (FieldRules.h); empty: always open
  int PageID = -1;    // entry-form page, -1 on none
};
using TEntryFieldList = std::vector<TEntryField>;

// The field list in sequence order. Throws EDatabaseError.
TEntryFieldList LoadEntryFields(TADOConnection& connection);

// The unit code proposed for a new record: the largest stored code plus one, 0 when
// dt_data is empty. Runs on queryTool (its SQL is replaced). Throws EDatabaseError.
double NextUnitCode(TADOQuery& queryTool);

// How a record is stored: held without checks, or saved with or without logic errors.
enum class TStoreMode { smHold = 0, smSaveWithErrors = 1, smSaveClean = 2 };
// The RecordState a mode stores: 0 held, 2 saved with errors, 1 saved clean.
int RecordStateOf(TStoreMode mode);

struct TFieldValue {
  QString FieldName;
  QVariant Value;
};

// Stores the values and the RecordState of the mode into the current record of `record`
// (a data set on dt_data), as a new row when `appending`, in one transaction of its
// connection. On any failure the edit is cancelled, the transaction rolled back and
// EDatabaseError raised: the stored row stays as it was and no new row is left behind.
void StoreSurveyRecord(TDataSet& record, bool appending, const std::vector<TFieldValue>& values, TStoreMode mode);

} // namespace fw
