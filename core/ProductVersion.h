#pragma once
// The program's own version: the product version text and the build number.

#include "core/SurveyModel.h"

namespace fw {

// The program's version record, filled at start-up.
extern TProductVersion ProgramVersion;

// Fills V from the version the build stamped into the program. Build is the number
// after the last "." of the file version.
void ReadProductVersion(TProductVersion& v);

// The decimal number after the last "." of a file version text (0 when it is not a number).
int BuildFromFileVersion(const QString& fileVersion);

} // namespace fw
