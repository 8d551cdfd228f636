#pragma once
// The texts Qt itself shows (the edits' context menus, the file and colour dialogs) in
// Chinese, like the rest of the program.

class QTranslator;

namespace fw {

// Loads Qt's own Chinese translations when they are installed; without them Qt's texts
// stay English and nothing else changes. Returns the installed translator (owned by the
// application object), or nullptr when there was none to load.
QTranslator* InstallQtTranslations();

} // namespace fw
