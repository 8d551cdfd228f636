#pragma once
// Code-list lookups and the region code helpers.

#include "core/SurveyModel.h"

namespace fw {

class TADOConnection;

// Name of the first entry whose Code equals the code; empty text when none.
QString GetCodeName(const TMenuItemDataArray& codes, int code);
// Code of the first entry whose Name equals the text exactly; 0 when none.
int GetCodeByName(const TMenuItemDataArray& codes, const QString& name);

// Splits a six-digit region code into its two-digit parts: province, city, county.
void SplitRegionCode(int code, int& province, int& city, int& county);

// The combined full name of a region (CT_CityName.CombName); empty text when the code is
// below 100000 (no query is run) or no row matches. A database error is shown as a
// message and gives the empty text.
QString GetCityCombName(TADOConnection& connection, int code);

// True when the connection's list of tables and views holds the name (without regard to case).
bool TableExists(const TADOConnection& connection, const QString& table);

} // namespace fw
