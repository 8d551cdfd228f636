#pragma once
// TForm: a top-level window. Forms are built in code: the constructor creates the
// controls, and OnCreate runs once the form exists (TApplication::CreateForm or
// NewForm call AfterConstruction), so a creation handler can rely on the global that
// holds the form being set.
//
// ShowModal runs through a replaceable hook: the program's hook runs a real modal loop,
// tests install one that drives the shown form and returns its result without waiting.

#include "platform/ui/WinControl.h"

#include <QPointer>
#include <functional>

class QEventLoop;

namespace fw {

class TMainMenu;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
                       poMainFormCenter, poOwnerFormCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TFormStyle { fsNormal, fsStayOnTop };
enum TBorderIconBits : unsigned { biSystemMenu = 1u, biMinimize = 2u, biMaximize = 4u, biHelp = 8u };
using TBorderIcons = unsigned;

using TModalResult = int;
enum : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
  mrAll = 8,
  mrNoToAll = 9,
  mrYesToAll = 10,
};

class TForm : public TWinControl {
public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  // Runs the creation handler (OnCreate) once. TApplication::CreateForm and NewForm call
  // it right after construction; a form made with plain new runs it at its first show.
  // An exception from the handler goes to the general error display and the form is
  // made all the same.
  void AfterConstruction();

  // bsSingle, bsDialog and bsToolWindow give a window a fixed size: its frame does not
  // size it (the window manager is told its least and largest size are its size), while
  // the program still sizes it through SetBounds and the client-size setters.
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle value);
  bool FixedSize() const;
  void SetBounds(int left, int top, int width, int height) override;
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons value);
  // fsStayOnTop keeps the form above the program's other windows while the application
  // does not normalise its top-most forms (TApplication::NormalizeTopMosts).
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle value);
  // Tells the desktop again whether the form is above the others now; the application
  // calls it when its top-most forms are normalised or restored.
  void UpdateStayOnTop();
  TPosition Position() const { return position_; }
  void SetPosition(TPosition value) { position_ = value; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState value);
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool value) { keyPreview_ = value; }
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);

  void SetVisible(bool value) override;
  // Asks OnCloseQuery, then OnClose decides: hide (the default), free, minimise or
  // nothing. Closing the main form ends the program; closing a modal form sets
  // ModalResult to mrCancel.
  void Close();
  bool CloseQuery();
  // Frees the form once the event being handled is done.
  void Release();

  // Shows the form modally through the modal-show hook and returns its ModalResult.
  int ShowModal();
  bool Modal() const { return modal_; }
  TModalResult ModalResult() const { return modalResult_; }
  // A non-zero result ends the modal show.
  void SetModalResult(TModalResult value);

  TRect ClientRect() const override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnDestroy;
  std::function<void(TObject*, TCloseAction&)> OnClose;
  std::function<void(TObject*, bool& canClose)> OnCloseQuery;

  // The modal show the hook of the running program uses: a real modal event loop.
  static int RunModalLoop(TForm& form);
  // A modal show without an event loop, for tests: shows the form, runs `script`
  // (which may click buttons or set fields), takes its return value as the modal
  // result when the script did not set one, then closes the form as a modal form
  // closes (OnCloseQuery, OnClose, hidden). Returns mrNone when OnCloseQuery refused.
  static int RunScriptedModal(TForm& form, const std::function<int(TForm&)>& script);
  // Ends every running modal loop (the end of the program was requested).
  static void EndModalLoops();

protected:
  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  virtual void DoDestroy();
  virtual void Activate();
  virtual void Deactivate();
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;

  QString GetText() const override { return windowTitle(); }
  void StoreText(const QString& value) override { setWindowTitle(value); }
  bool DialogKey(QKeyEvent& event, QWidget* origin) override;
  void AlignControls() override;

  void setVisible(bool visible) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  friend class TWinControl;
  void ApplyWindowFlags();
  bool StaysOnTopNow() const;
  void ApplySizeLimits();
  void PlaceOnFirstShow();
  void CloseModal();

  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TFormStyle formStyle_ = TFormStyle::fsNormal;
  TPosition position_ = TPosition::poDesigned;
  TWindowState windowState_ = TWindowState::wsNormal;
  bool keyPreview_ = false;
  QPointer<TWinControl> activeControl_;
  // The control that last had OnEnter: getting the window back does not enter it again.
  QPointer<TWinControl> enteredControl_;
  TMainMenu* menu_ = nullptr;
  bool modal_ = false;
  TModalResult modalResult_ = mrNone;
  QEventLoop* modalLoop_ = nullptr;
  bool created_ = false;
  bool placed_ = false;
};

// The modal-show hook: how ShowModal shows a form and obtains its result.
using TModalShowHook = std::function<int(TForm&)>;
// Installs a hook and returns the previous one; an empty hook restores the real loop.
TModalShowHook InstallModalShowHook(TModalShowHook hook);

// Installs a scripted modal show for the lifetime of the object (tests): every
// ShowModal runs TForm::RunScriptedModal with the script.
class ScopedModalScript {
public:
  explicit ScopedModalScript(std::function<int(TForm&)> script);
  ~ScopedModalScript();
  ScopedModalScript(const ScopedModalScript&) = delete;
  ScopedModalScript& operator=(const ScopedModalScript&) = delete;

private:
  TModalShowHook previous_;
};

// Creates a form owned by `owner` and runs its creation handler.
template <class T, class... Args>
T* NewForm(Args&&... args) {
  T* form = new T(std::forward<Args>(args)...);
  form->AfterConstruction();
  return form;
}

} // namespace fw
