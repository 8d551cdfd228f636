#pragma once
// The program speaks Chinese whatever the desktop's language: the texts Qt itself shows
// (the edits' context menus, the file and colour dialogs) and the dates and numbers it
// writes follow zh_CN, like the rest of the program.

class QTranslator;

namespace fw {

// Loads Qt's own Chinese translations when they are installed; without them Qt's texts
// stay English and nothing else changes. Returns the installed translator (owned by the
// application object), or nullptr when there was none to load.
QTranslator* InstallQtTranslations();

// The program's locale, zh_CN, in place of the system's. Qt reads the system's locale
// (which its dialogs use for dates and sizes) from the environment once, while the
// application object is made: PrepareProgramLocale, called before it is made, sets that
// environment to zh_CN; InstallProgramLocale, called after, fixes Qt's system locale,
// gives the environment back (so the programs started from this one, such as the one that
// opens a workbook, keep the user's language) and makes zh_CN the default locale.
// The C library runs in zh_CN.UTF-8 where the system has it, else in C.UTF-8; Qt's
// locales are zh_CN either way.
void PrepareProgramLocale();
void InstallProgramLocale();

} // namespace fw
