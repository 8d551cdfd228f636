#pragma once
// Small routines the windows share: an input dialog sized by the font's average
// character width, that average itself, and a test for Latin letters and digits.

#include "platform/ui/Types.h"

#include <QString>

namespace fw {

class TCanvas;

// Asks for a text. True when confirmed with OK; Value then holds the typed text.
// Cancelled, Value is left as it was.
bool InputQueryEx(const QString& caption, const QString& prompt, QString& value);

// Average character size of the canvas font: the width of the 52 Latin letters div 52,
// and their height.
void GetAveCharSize(TCanvas& canvas, TPoint& size);

// True when the text holds at least one of 0-9, A-Z, a-z.
bool HasAlnum(const QString& text);

} // namespace fw
