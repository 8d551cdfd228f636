#pragma once
// The real hooks of platform/shell/Hooks.h for the running program: Qt message boxes
// with Chinese buttons, input boxes, file dialogs, opening files with the desktop's
// default program, the beep and the clock. main() installs them; tests never do.

#include <QString>
#include <QStringList>

namespace fw {

void InstallDesktopHooks();

// Turns the program's file filter "desc|*.a;*.b|desc|*.c" into Qt's name filters
// ("desc (*.a *.b)"); "*.*" becomes "*" so that names without a dot match too.
QStringList ConvertFileFilter(const QString& filter);

// The answer of each question-dialog button bit (1 是, 2 否, 4 全都是, 8 全都否).
int QuestionAnswerForBit(int bit);

} // namespace fw
