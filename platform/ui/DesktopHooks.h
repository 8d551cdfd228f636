#pragma once
// The real hooks of platform/shell/Hooks.h for the running program: Qt message boxes
// with Chinese buttons, input boxes, file dialogs, opening files with the desktop's
// default program (platform/shell/DesktopOpener.h; while the environment variable
// FENWRIGHT_NO_OPEN is set nothing is started and the file counts as opened), the beep
// and the clock. main() installs them; tests install scripted ones. While a box or dialog
// of theirs is up, the program's top-most forms step back behind it
// (TApplication::NormalizeTopMosts).

#include <QString>
#include <QStringList>
#include <memory>

class QFileDialog;
class QInputDialog;
class QMessageBox;

namespace fw {

struct FileDialogRequest;

void InstallDesktopHooks();

// The box the message and question hooks show (MB_* flags choose the icon), built and not
// yet run: its caption is the one given, else the program's title, and is never cut short;
// its text is plain text (never markup), cut to kShownTextLength, and can be selected and
// copied. The hook adds the buttons.
std::unique_ptr<QMessageBox> MakeMessageBox(const QString& text, const QString& caption, int flags);

// The input box the input hook runs, built and not yet run: its prompt is plain text.
std::unique_ptr<QInputDialog> MakeInputDialog(const QString& caption, const QString& prompt, const QString& value);

// The file dialog the open (save: false) and save hooks run, built and not yet run: Qt's
// own dialog, so that it speaks the program's language whatever the desktop's.
std::unique_ptr<QFileDialog> MakeFileDialog(const FileDialogRequest& request, bool save);

// Turns the program's file filter "desc|*.a;*.b|desc|*.c" into Qt's name filters
// ("desc (*.a *.b)"); "*.*" becomes "*" so that names without a dot match too.
QStringList ConvertFileFilter(const QString& filter);

// The answer of each question-dialog button bit (1 是, 2 否, 4 全都是, 8 全都否).
int QuestionAnswerForBit(int bit);

} // namespace fw
