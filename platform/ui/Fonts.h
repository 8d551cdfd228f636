#pragma once
// Font names the program asks for ("宋体", "Tahoma", ...) resolve to the Noto CJK fonts
// installed on the system, so every text, Chinese or Latin, uses the same fonts on
// every desktop.

#include <QString>

namespace fw {

// Sets the Qt font substitutions; called once at start-up (and by tests that paint).
void InstallFontSubstitutions();

// The family the substitutions choose for a requested name (for tests and diagnostics).
QString SubstitutedFamily(const QString& requested);

} // namespace fw
