#pragma once
// TApplication: the program's application object (the global `Application`). It
// creates and owns the forms in order, runs the message loop until the main form
// closes or the end is requested, pumps messages on request, keeps the hint settings
// and is the program's general error display. It sits on the QApplication that main()
// creates (a TGuardedApplication, which hands every exception that leaves an event to
// HandleException).

#include "platform/shell/Hooks.h"
#include "platform/ui/Component.h"
#include "platform/ui/Types.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

class QTimer;

namespace fw {

class TForm;

class TApplication : public TComponent {
public:
  // Becomes the global Application (a QApplication must exist already).
  TApplication();
  ~TApplication() override;

  void Initialize() {}

  // Creates a form owned by the application, sets `reference` to it, then runs its
  // creation handler; the first form created is the main form. After the end of the
  // program was requested nothing more is created and `reference` stays empty.
  template <class T>
  T* CreateForm(T*& reference) {
    reference = nullptr;
    if (terminated_) return nullptr;
    T* form = new T(this);
    reference = form;
    FormCreated(form);
    return form;
  }
  TForm* MainForm() const { return mainForm_; }
  void SetMainForm(TForm* form);

  // Shows the main form and runs the message loop until the main form closes or
  // Terminate is called; returns at once when the end was requested before. Returns
  // the exit code.
  int Run();
  // Requests the end of the program: Run returns (or does not start), modal loops end,
  // and CreateForm creates nothing more.
  void Terminate();
  bool Terminated() const { return terminated_; }
  int ExitCode() const { return exitCode_; }
  void SetExitCode(int code) { exitCode_ = code; }
  void ProcessMessages();
  // Handles the pending messages, first waiting for one when none is pending: what a
  // loop that has nothing to do until the user acts calls, instead of turning.
  void HandleMessage();
  // Brings every action of the visible forms up to date (what the idle time does).
  void UpdateActions();

  QString Title() const { return title_; }
  void SetTitle(const QString& value);
  bool ShowMainForm() const { return showMainForm_; }
  void SetShowMainForm(bool value) { showMainForm_ = value; }

  // Hints: tool-tip colour and timing, and the long hint of the control under the mouse.
  TColor HintColor() const { return hintColor_; }
  void SetHintColor(TColor value);
  int HintPause() const { return hintPause_; }
  void SetHintPause(int ms) { hintPause_ = ms; }
  int HintHidePause() const { return hintHidePause_; }
  void SetHintHidePause(int ms) { hintHidePause_ = ms; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value) { showHint_ = value; }
  QString Hint() const { return hint_; }
  // A new hint raises OnHint; without a handler it runs the hint action: the hint is
  // offered to the hint receivers (status panes with AutoHint), the latest first, until
  // one takes it.
  void SetHint(const QString& value);
  std::function<void(TObject*)> OnHint;
  using THintReceiver = std::function<bool(const QString& hint)>;
  void AddHintReceiver(const void* owner, THintReceiver receiver);
  void RemoveHintReceiver(const void* owner);

  // The executable's full name and its folder (with a trailing "/"). Tests point the
  // folder at a private copy with SetProgramDir.
  QString ExeName() const;
  QString ProgramDir() const;
  void SetProgramDir(const QString& folder);

  // Message box through the message-box hook (MB_* flags, ID* answer).
  int MessageBox(const QString& text, const QString& caption, int flags);

  // Forms that stay on top (TForm::fsStayOnTop) stay above the program's other windows,
  // never above other programs nor above the boxes and dialogs the hooks show: while the
  // program is not the active one, and between NormalizeTopMosts and its RestoreTopMosts
  // (calls nest), they stack as any other window.
  void NormalizeTopMosts();
  void RestoreTopMosts();
  bool TopMostsNormalized() const { return normalizedTopMosts_ > 0 || !active_; }

  // The general error display, called inside a catch block for the exception in flight:
  // OnException receives it when set, else ShowException shows it; then the program goes
  // on. Out of memory is thrown on (it ends the program). Never throws itself.
  void HandleException(TObject* sender);
  // The exception's text in an error box (application title, OK) through the message
  // hook. The same text raised again while its box is open (a timer failing on every
  // tick) is not shown a second time.
  void ShowException(const std::exception& error);
  std::function<void(TObject* sender, const std::exception& error)> OnException;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  void FormCreated(TForm* form);
  void SetActive(bool value);
  void UpdateTopMosts();
  class EventWatcher;

  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool running_ = false;
  int exitCode_ = 0;
  QString title_ = kProgramTitle;  // the caption of message boxes that name none
  bool showMainForm_ = true;
  TColor hintColor_ = clInfoBk;
  int hintPause_ = 500;
  int hintHidePause_ = 2500;
  bool showHint_ = true;
  QString hint_;
  std::vector<std::pair<const void*, THintReceiver>> hintReceivers_;
  std::unique_ptr<EventWatcher> watcher_;
  std::unique_ptr<QTimer> idleTimer_;
  QSet<QString> errorsOnScreen_;
  int normalizedTopMosts_ = 0;
  bool active_ = false;
};

// Normalises the program's top-most forms while it lives: a box or dialog is up.
class TNormalizedTopMosts {
public:
  TNormalizedTopMosts();
  ~TNormalizedTopMosts();
  TNormalizedTopMosts(const TNormalizedTopMosts&) = delete;
  TNormalizedTopMosts& operator=(const TNormalizedTopMosts&) = delete;

private:
  TApplication* app_;
};

// The application object of the running program (nullptr before it is made).
extern TApplication* Application;

// The text of an exception as the user reads it (what() is UTF-8 throughout the program).
QString ExceptionMessage(const std::exception& error);

// Called inside a catch block: the exception in flight goes to Application's
// HandleException, or straight into an error box while no application object exists.
void HandleEventException(TObject* sender);

} // namespace fw
