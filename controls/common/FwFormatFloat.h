#pragma once
// Number formatting by a format string, as the numeric edit shows its value:
//  - up to three sections separated by ";" for positive, negative and zero values (a
//    negative value shown by the second section gets no minus sign of its own; an empty
//    or missing section falls back to the first);
//  - "0" is a digit always shown, "#" a digit shown only when significant;
//  - a "," among the integer placeholders turns thousands separators on;
//  - "." starts the decimals ("0" kept, "#" dropped when trailing zero); without it the
//    value is rounded to a whole number (halves away from zero);
//  - any other character, and text in quotes, is copied as it stands.
// The decimal separator is "." and the thousands separator ",".

#include <QString>

namespace fw {

QString FormatFloat(const QString& format, double value);
// The number in `text` ("." as decimal separator), or `fallback` when it is no number.
double StrToFloatDef(const QString& text, double fallback);

} // namespace fw
