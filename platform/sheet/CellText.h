#pragma once
// How a cell's content reads on screen, as far as the model needs it: numbers in a
// number format (for Text and for the width estimate of AutoFit), the width of a text in
// character units (CJK and full-width characters count double), and the recognition of
// a numeric text that is stored as a number when written as a value.

#include <QString>
#include <optional>

namespace fw {

// The shortest text that reads back as the same double ("0.1", "12", "1.5E+20").
QString NumberToText(double value);

// value rounded to 15 significant digits, the precision a spreadsheet keeps: a sum that
// the engine gives as 1549404.0200000003 becomes 1549404.02, 0.1 + 0.2 becomes 0.3.
double RoundToSpreadsheetPrecision(double value);

// The number a value text stands for: optional blanks, sign, digits with an optional
// decimal point, optional exponent. Texts with more than 15 significant digits are not
// numbers here: a double would lose digits (identity card and account numbers).
std::optional<double> NumericTextValue(const QString& text);

// The value as a spreadsheet shows it in the format code (first section; grouping,
// decimals, percent and literal text are honoured; a date or time format gives a text of
// the format's own length). "General" and "" give the general form.
QString FormatCellNumber(double value, const QString& formatCode);

// Width of the text in units of one Latin digit: East Asian wide and full-width
// characters count 2, everything else 1; of several lines the longest counts.
int TextWidthUnits(const QString& text);

} // namespace fw
