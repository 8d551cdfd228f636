#pragma once
// Helpers shared by every test: private copies of the program folder, a private
// registry folder, and scripted hooks that answer message boxes, questions, input
// boxes and file dialogs without waiting.

#include "platform/shell/Hooks.h"

#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>

namespace fwtest {

// The built program folder (build/bin); tests copy from it and never write into it.
QString BuiltProgramDir();

// Pictures to look at after a change are opt-in: they are written only when the
// environment variable FW_SHOTS names a folder. ShotsFolder() is that folder (empty when
// unset); SaveShot writes image there as name and does nothing without it. A test that
// only makes pictures skips itself when ShotsFolder() is empty.
QString ShotsFolder();
void SaveShot(const QImage& image, const QString& name);

// A fresh temporary copy of the program folder (without the executable), removed when
// the object goes. Path() is the folder; FilePath(name) a file inside it.
class ProgramFolderCopy {
public:
  ProgramFolderCopy();
  QString Path() const;
  QString FilePath(const QString& name) const;

private:
  QTemporaryDir dir_;
};

// Points FENWRIGHT_REGISTRY_DIR (and the XDG folders) at private temporary folders for
// the lifetime of the object and restores the previous values afterwards.
class ScopedUserFolders {
public:
  ScopedUserFolders();
  ~ScopedUserFolders();
  QString RegistryDir() const;
  // Makes the settings file of HKEY_LOCAL_MACHINE one that cannot be written: a folder
  // takes its place, which stops root too (file modes do not).
  void MakeMachineSettingsUnwritable() const;
  QString DocumentsDir() const;
  QString CacheDir() const;

private:
  QTemporaryDir dir_;
  QByteArray oldRegistry_, oldConfig_, oldCache_, oldHome_;
};

// Points TMPDIR (the system's temporary folder) at a private folder for the lifetime of
// the object and restores the previous value afterwards.
class ScopedTempFolder {
public:
  ScopedTempFolder();
  ~ScopedTempFolder();
  QString Path() const { return dir_.path(); }
  QStringList Entries() const; // everything in it, hidden entries included

private:
  QTemporaryDir dir_;
  QByteArray old_;
};

// Sets an environment variable (unsets it when value is null) for the lifetime of the
// object and restores the previous value afterwards.
class ScopedEnvironment {
public:
  ScopedEnvironment(const char* name, const QByteArray& value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
  const char* name_;
  QByteArray old_;
};

// Runs the test that calls it once more, alone, in a new process of this test program,
// with the environment variable FW_TEST_CHILD set to role and the variables of changes
// set too; in that process ChildRole() tells the test its part. The process is returned
// started, its output and errors merged; it is killed when the object goes.
std::unique_ptr<QProcess> StartTestInChild(const QString& role, const QProcessEnvironment& changes = {});
QString ChildRole();

// The id of a process that has just ended (a child started and waited for).
qint64 EndedProcessId();

struct RecordedMessage {
  QString Text;
  QString Caption;
  int Flags = 0;
};

// Installs hooks that record every message and question and answer them from queues
// (an empty queue answers OK/Yes, cancels dialogs and input boxes). The previous hooks
// come back when the object goes.
class ScriptedHooks {
public:
  ScriptedHooks();
  ~ScriptedHooks();

  std::deque<int> MessageAnswers;
  std::deque<int> QuestionAnswers;
  std::deque<QString> InputAnswers;  // a null QString answers "cancel"
  std::deque<fw::FileDialogResult> OpenAnswers;
  std::deque<fw::FileDialogResult> SaveAnswers;
  QDateTime FixedNow;                // when valid, the clock reads this
  bool OpenSucceeds = true;          // false: no default program can open a file
  std::deque<std::int32_t> ColorAnswers;  // colours the colour dialog chooses (empty: cancel)
  // Runs while a message box is open (after it was recorded): what happens meanwhile.
  std::function<void(const QString& text)> WhileMessageOpen;

  std::vector<RecordedMessage> Messages;
  QStringList Questions;
  std::vector<int> QuestionButtons;  // the button bits of each question
  QStringList Opened;
  std::vector<fw::FileDialogRequest> OpenRequests;
  std::vector<fw::FileDialogRequest> SaveRequests;
  std::vector<std::int32_t> ColorRequests;  // the colour each colour dialog started at
  int Beeps = 0;

  // The texts of the messages shown, in order.
  QStringList MessageTexts() const {
    QStringList texts;
    for (const RecordedMessage& m : Messages) texts << m.Text;
    return texts;
  }

private:
  fw::Hooks previous_;
};

// A file's bytes (empty when it cannot be read), and a file written with bytes.
QByteArray FileBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);

// A file dialog's answer: accepted with the name and filter.
fw::FileDialogResult Chosen(const QString& name, int filterIndex = 1);

// Statements that make a database declare the virtual table `name` of `module` over
// `columns`, as a file from an engine with that module (full-text, r-tree) would; our
// engine has none of them, so the entry is written into the schema itself. The
// connection that runs them reads its schema afresh afterwards.
QStringList DeclareVirtualTable(const QString& name, const QString& module, const QString& columns);

} // namespace fwtest
