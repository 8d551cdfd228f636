#pragma once
// The real hooks of platform/shell/Hooks.h for the running program: Qt message boxes
// with Chinese buttons, input boxes, file dialogs, opening files with the desktop's
// default program, the beep and the clock. main() installs them; tests never do.

#include <QString>
#include <QStringList>

namespace fw {

void InstallDesktopHooks();

// Qt's own windows and texts (the file dialogs' labels and lists, the context menus of
// edits) speak the program's language: installs Qt's Chinese translation when the system
// has it. Returns whether it was found.
bool InstallQtTranslation();

// Turns the program's file filter "desc|*.a;*.b|desc|*.c" into Qt's name filters
// ("desc (*.a *.b)"); "*.*" becomes "*" so that names without a dot match too.
QStringList ConvertFileFilter(const QString& filter);

// The answer of each question-dialog button bit (1 是, 2 否, 4 全都是, 8 全都否).
int QuestionAnswerForBit(int bit);

} // namespace fw
