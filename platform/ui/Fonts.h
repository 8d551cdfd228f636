#pragma once
// Font names the program asks for ("宋体", "Tahoma", ...) resolve to the Noto CJK fonts
// installed on the system, so every text, Chinese or Latin, uses the same fonts on
// every desktop.

#include <QString>
#include <QStringList>

namespace fw {

// Sets the Qt font substitutions; called once at start-up (and by tests that paint).
void InstallFontSubstitutions();

// The family the substitutions choose for a requested name (for tests and diagnostics).
QString SubstitutedFamily(const QString& requested);

// The names the substitutions answer to ("宋体", "Tahoma", ...), spelled as the program
// writes them: font lists offer them beside the installed families.
QStringList SubstitutedNames();

} // namespace fw
