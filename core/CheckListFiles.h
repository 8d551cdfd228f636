#pragma once
// The check-list files (".qz") beside the program: the sheets the list export offers
// ("exporttable.qz") and the summary's ticked sheets ("sumtable.qz"). The program folder
// holds the shipped copies; a user's own copy in the configuration folder comes first.

#include <QString>

namespace fw {

inline const QString kExportTableListName = QStringLiteral("exporttable.qz");
inline const QString kSumTableListName = QStringLiteral("sumtable.qz");

// The copy of a list to read: the user's copy when there is one, else the shipped one.
QString CheckListReadPath(const QString& name);

} // namespace fw
