#pragma once
// One column of a data set, read and written through the data set's current record.

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace fw {

class TDataSet;

enum TFieldType {
  ftUnknown,
  ftString,
  ftWideString,
  ftSmallint,
  ftInteger,
  ftLargeint,
  ftBoolean,
  ftFloat,
  ftCurrency,
  ftDateTime,
  ftMemo
};

// Maps a declared column type ("VARCHAR(50)", "INTEGER", "BIT", ...) to a field type
// and its declared text size (0 when none).
TFieldType FieldTypeFromDeclared(const QString& declared, int* size);

class TField {
public:
  TField(TDataSet* dataSet, int index, const QString& name, TFieldType type, int size);

  TDataSet* DataSet() const { return dataSet_; }
  int Index() const { return index_; }
  QString FieldName() const { return name_; }
  TFieldType DataType() const { return type_; }
  int Size() const { return size_; }
  bool IsNumeric() const;

  bool IsNull() const;
  // Text as Jet converts it: whole floats without decimals, a 12-digit number in full.
  QString AsString() const;
  int AsInteger() const;          // throws when the value is no number or out of range
  qint64 AsLargeInt() const;
  double AsFloat() const;
  bool AsBoolean() const;         // nonzero numbers and "True"/"-1" are true
  QDateTime AsDateTime() const;
  QVariant AsVariant() const;     // null QVariant for Null
  QVariant Value() const { return AsVariant(); }

  // Setters need the data set in dsEdit or dsInsert.
  void SetAsString(const QString& value);
  void SetAsInteger(int value);
  void SetAsLargeInt(qint64 value);
  void SetAsFloat(double value);
  void SetAsBoolean(bool value);  // stored as Jet's -1 / 0
  void SetAsDateTime(const QDateTime& value);
  void SetAsVariant(const QVariant& value);
  void SetValue(const QVariant& value) { SetAsVariant(value); }
  void Clear();

private:
  TDataSet* dataSet_;
  int index_;
  QString name_;
  TFieldType type_;
  int size_;
};

} // namespace fw
