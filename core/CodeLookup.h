#pragma once
// Code-list lookups and the region code helpers.

#include "core/SurveyModel.h"

namespace fw {

// Name of the first entry whose Code equals the code; empty text when none.
QString GetCodeName(const TMenuItemDataArray& codes, int code);
// Code of the first entry whose Name equals the text exactly; 0 when none.
int GetCodeByName(const TMenuItemDataArray& codes, const QString& name);

// Splits a six-digit region code into its two-digit parts: province, city, county.
void SplitRegionCode(int code, int& province, int& city, int& county);

} // namespace fw
