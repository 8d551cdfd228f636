#pragma once
// A deterministic generator of valid survey records for benchmarks and tests: every
// record passes the cover checks (twelve-digit unique code, name, region, level, state,
// Chinese form filler, telephone) and the survey's logic rules.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace fw {
class TADOConnection;
}

namespace fwbench {

// The dt_data columns the generator fills, in a fixed order.
QStringList GeneratedColumns();

// Fills Values (resized to GeneratedColumns().size()) with record number Index (0-based).
void FillRecord(int index, std::vector<QVariant>& values);

// "insert into dt_data (<columns>) values (:<column>, ...)": one named parameter per
// column, in the order of GeneratedColumns().
QString InsertStatement();

// Appends records 0 .. count-1 to dt_data in one transaction, through one prepared
// statement.
void AppendRecords(fw::TADOConnection& db, int count);

} // namespace fwbench
