#pragma once
// Small dialog conveniences over the hooks of platform/shell/Hooks.h.

#include "platform/ui/Types.h"

#include <QString>

namespace fw {

// A message box with MB_* flags; returns the ID* answer. An empty caption shows the
// application's title.
int MessageBox(const QString& text, const QString& caption, int flags);
// Asks for a text; true with `value` set when confirmed, false (value untouched) when
// cancelled.
bool InputQuery(const QString& caption, const QString& prompt, QString& value);
// Asks for a text; the default when cancelled.
QString InputBox(const QString& caption, const QString& prompt, const QString& defaultValue);
// The colour dialog, starting at `color`; true with `color` set to the chosen colour
// (0x00BBGGRR) when confirmed, false (color untouched) when cancelled.
bool ExecuteColorDialog(TColor& color);

} // namespace fw
