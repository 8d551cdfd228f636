#pragma once
// Normalisation of the texts stored in number, date and time cells of the report grid.
// Each function answers nothing (std::nullopt) when the text cannot be read, so that the
// grid can refuse it and keep the cell's previous text.

#include <QString>
#include <optional>

namespace fw {

// Text without any thousand separator of the user's locale, trimmed of spaces.
QString RemoveThousandSeparators(const QString& text);

// The display text of a number: empty for "" and "-", and for any zero when zeroNull;
// else the value with decLength decimals, thousand separators when asked, and trailing
// zeros of the decimal part cut unless trailingZero.
std::optional<QString> FormatCellNumber(const QString& text, int intLength, int decLength, bool thousandSep,
                                        bool zeroNull, bool trailingZero);

// A date read in the order of the locale's short date format, as "yyyy-MM-dd".
std::optional<QString> NormalizeDateText(const QString& text);
// A time read as hours:minutes[:seconds], as "hh:mm:ss".
std::optional<QString> NormalizeTimeText(const QString& text);

} // namespace fw
