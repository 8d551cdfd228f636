#pragma once
// The replaceable hooks through which the program talks to the person at the screen:
// message boxes, questions, input boxes, file dialogs, opening a file with its default
// program, the beep and the clock. The windows layer installs real implementations at
// start-up; tests install scripted ones so that nothing waits for a click.
//
// This header needs only Qt Core, so the core can raise a message without linking any
// widget code.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace fw {

// Message box buttons and icons, combined with "|" (values as the desktop's message box flags).
enum : int {
  MB_OK = 0x0,
  MB_OKCANCEL = 0x1,
  MB_YESNOCANCEL = 0x3,
  MB_YESNO = 0x4,
  MB_ICONERROR = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONWARNING = 0x30,
  MB_ICONINFORMATION = 0x40,
  // The button that Enter presses; a question that discards data makes the safe answer
  // the default.
  MB_DEFBUTTON1 = 0x000,
  MB_DEFBUTTON2 = 0x100,
  MB_DEFBUTTON3 = 0x200,
};

// Answers of message boxes and of the question dialog.
enum : int {
  IDOK = 1,
  IDCANCEL = 2,
  IDABORT = 3,
  IDYES = 6,
  IDNO = 7,
  IDNOTOALL = 9,   // question dialog: "全都否"
  IDYESTOALL = 10, // question dialog: "全都是"
};

struct FileDialogRequest {
  QString Title;
  QString Filter;      // "描述|*.ext|描述|*.ext", as the program writes it
  int FilterIndex = 1; // 1-based
  QString InitialDir;
  QString FileName;    // proposed name
  QString DefaultExt;
};

struct FileDialogResult {
  bool Accepted = false;
  QString FileName;
  int FilterIndex = 1;
};

struct Hooks {
  // Shows a message box; returns one of the ID* answers.
  std::function<int(const QString& text, const QString& caption, int flags)> MessageBox;
  // Asks a question with the question dialog's buttons (a bit set of its own: 1 是, 2 否,
  // 4 全都是, 8 全都否), with MB_DEFBUTTON* naming which of the shown buttons Enter presses;
  // returns an ID* answer.
  std::function<int(const QString& text, int buttons)> Question;
  // Input box: returns false when cancelled; Value holds the proposal and receives the answer.
  std::function<bool(const QString& caption, const QString& prompt, QString& value)> InputBox;
  std::function<FileDialogResult(const FileDialogRequest&)> OpenFileDialog;
  std::function<FileDialogResult(const FileDialogRequest&)> SaveFileDialog;
  // Opens a file with the desktop's default program; returns false when that failed.
  std::function<bool(const QString& path)> OpenWithDefault;
  // Colour dialog: color holds the proposal (a colour value, 0x00BBGGRR or a system
  // colour) and receives the choice as 0x00BBGGRR; false when cancelled.
  std::function<bool(std::int32_t& color)> ChooseColor;
  std::function<void()> Beep;
  std::function<QDateTime()> Now;
};

// The hooks in force. Before anything is installed every hook has a harmless default:
// messages are written to standard error and answered with OK/Yes, dialogs are
// cancelled (the colour dialog too), files are not opened, the beep is silent and the
// clock is the system's.
Hooks& CurrentHooks();

// Replaces the hooks in force and returns the previous set, so that a caller can put
// them back.
Hooks InstallHooks(Hooks hooks);

// The program's title: the caption of every message box that names none of its own, so
// that all of them read alike (never the executable's name).
inline const QString kProgramTitle = QStringLiteral("Fenwright");

// Convenience wrappers around the hooks in force. A message without a caption of its own
// carries the program's title.
int ShowMessage(const QString& text, const QString& caption = QString(), int flags = MB_OK);
bool OpenWithDefaultProgram(const QString& path);

// What the user is told when a file that the program wrote for them (a report, a
// workbook) cannot be opened with its default program: where the file is, as a plain
// information message whose path can be copied. When the file is not where such files
// go (the documents folder took none), `whyHere` says why, right after the path.
QString FileKeptNotice(const QString& path, const QString& whyHere = QString());
void TellWhereFileIs(const QString& path, const QString& whyHere = QString());

// Opens a file the program wrote for the user with its default program; when that cannot
// be done, tells the user where it is (TellWhereFileIs) and returns false.
bool ShowFileToUser(const QString& path);
void Beep();
QDateTime Now();

// The save dialogs' overwrite prompt, asked about the file that will really be written
// (the name chosen with the ending the program adds): true when no such file exists or
// the person agrees to replace it. The question carries the dialog's title and defaults
// to No.
bool ConfirmOverwrite(const QString& path, const QString& dialogTitle);

} // namespace fw
