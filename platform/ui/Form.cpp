#include "platform/ui/Form.h"

#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/MainMenu.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <new>
#include <stdexcept>
#include <vector>

namespace fw {

namespace {

// The modal loops running now, innermost last.
std::vector<QEventLoop*>& ModalLoops() {
  static std::vector<QEventLoop*> loops;
  return loops;
}

TModalShowHook& ModalHookStorage() {
  static TModalShowHook hook = &TForm::RunModalLoop;
  return hook;
}

// The windowed control a key typed into `origin` belongs to.
TWinControl* KeyTarget(QWidget* origin) {
  for (QWidget* w = origin; w; w = w->parentWidget())
    if (auto* win = dynamic_cast<TWinControl*>(w)) return win;
  return nullptr;
}

} // namespace

TModalShowHook InstallModalShowHook(TModalShowHook hook) {
  TModalShowHook previous = ModalHookStorage();
  ModalHookStorage() = hook ? std::move(hook) : TModalShowHook(&TForm::RunModalLoop);
  return previous;
}

ScopedModalScript::ScopedModalScript(std::function<int(TForm&)> script)
    : previous_(InstallModalShowHook([script = std::move(script)](TForm& form) {
        return TForm::RunScriptedModal(form, script);
      })) {}

ScopedModalScript::~ScopedModalScript() { InstallModalShowHook(std::move(previous_)); }

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  SetVisibleFlag(false);
  setWindowFlag(Qt::Window, true);
  SetColor(clBtnFace);
  SetParentFont(false);
  resize(320, 240);
  ApplyWindowFlags();
}

TForm::~TForm() {
  // The modal loop of a form freed during its own modal show must not run on.
  if (modalLoop_) modalLoop_->quit();
  if (menu_) menu_->RemoveFreeNotification(this);
}

void TForm::AfterConstruction() {
  if (created_) return;
  created_ = true;
  try {
    DoCreate();
  } catch (const std::bad_alloc&) {
    throw;
  } catch (...) {
    HandleEventException(this);
  }
}

void TForm::BeforeDestruction() {
  TWinControl::BeforeDestruction();
  DoDestroy();
}

void TForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != TOperation::opRemove || component != menu_) return;
  // The menu (and its bar) went: the client area grows back to the top.
  menu_ = nullptr;
  if (!Destroying()) Realign();
}

void TForm::SetBorderStyle(TFormBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  ApplyWindowFlags();
  ApplySizeLimits();
}

bool TForm::FixedSize() const {
  return borderStyle_ == TFormBorderStyle::bsSingle || borderStyle_ == TFormBorderStyle::bsDialog ||
         borderStyle_ == TFormBorderStyle::bsToolWindow;
}

void TForm::SetBounds(int left, int top, int width, int height) {
  if (!FixedSize()) {
    TWinControl::SetBounds(left, top, width, height);
    return;
  }
  // The limits are lifted while the program sizes the window, then set to the new size.
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  TWinControl::SetBounds(left, top, width, height);
  ApplySizeLimits();
}

void TForm::ApplySizeLimits() {
  if (FixedSize()) {
    setFixedSize(size());
  } else {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
}

void TForm::SetBorderIcons(TBorderIcons value) {
  if (value == borderIcons_) return;
  borderIcons_ = value;
  ApplyWindowFlags();
}

void TForm::SetFormStyle(TFormStyle value) {
  if (value == formStyle_) return;
  formStyle_ = value;
  ApplyWindowFlags();
}

void TForm::ApplyWindowFlags() {
  Qt::WindowFlags flags = Qt::Window;
  switch (borderStyle_) {
  case TFormBorderStyle::bsNone: flags = Qt::Window | Qt::FramelessWindowHint; break;
  case TFormBorderStyle::bsDialog: flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint; break;
  case TFormBorderStyle::bsToolWindow:
  case TFormBorderStyle::bsSizeToolWin: flags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint; break;
  default: flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint; break;
  }
  if (borderStyle_ != TFormBorderStyle::bsNone && (borderIcons_ & biSystemMenu)) {
    flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    const bool plain = borderStyle_ == TFormBorderStyle::bsSizeable || borderStyle_ == TFormBorderStyle::bsSingle;
    if (plain && (borderIcons_ & biMinimize)) flags |= Qt::WindowMinimizeButtonHint;
    if (plain && (borderIcons_ & biMaximize)) flags |= Qt::WindowMaximizeButtonHint;
  }
  if (StaysOnTopNow()) flags |= Qt::WindowStaysOnTopHint;
  const bool wasVisible = isVisible();
  setWindowFlags(flags);
  if (wasVisible) QWidget::setVisible(true);
}

bool TForm::StaysOnTopNow() const {
  return formStyle_ == TFormStyle::fsStayOnTop && !(Application && Application->TopMostsNormalized());
}

void TForm::UpdateStayOnTop() {
  const bool onTop = StaysOnTopNow();
  if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) return;
  // Straight to the native window: setWindowFlags would hide the window and show it again.
  Qt::WindowFlags flags = windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
  overrideWindowFlags(flags);
  if (QWindow* window = windowHandle()) window->setFlags(flags);
}

TWindowState TForm::WindowState() const {
  if (!isVisible()) return windowState_;
  if (isMaximized()) return TWindowState::wsMaximized;
  if (isMinimized()) return TWindowState::wsMinimized;
  return TWindowState::wsNormal;
}

void TForm::SetWindowState(TWindowState value) {
  windowState_ = value;
  if (!isVisible()) return;
  switch (value) {
  case TWindowState::wsMaximized: showMaximized(); break;
  case TWindowState::wsMinimized: showMinimized(); break;
  default: showNormal(); break;
  }
}

void TForm::SetActiveControl(TWinControl* control) {
  if (control == activeControl_) return;
  activeControl_ = control;
  if (control && isVisible()) control->SetFocus();
}

void TForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  if (menu_) {
    menu_->RemoveFreeNotification(this);
    if (QMenuBar* bar = menu_->MenuBar()) bar->setParent(nullptr);
  }
  menu_ = menu;
  if (menu_) {
    menu_->FreeNotification(this);
    QMenuBar* bar = menu_->MenuBar();
    bar->setParent(this);
    bar->setGeometry(0, 0, width(), bar->sizeHint().height());
    bar->show();
  }
  Realign();
}

TRect TForm::ClientRect() const {
  TRect r = TWinControl::ClientRect();
  if (menu_ && menu_->MenuBar() && menu_->MenuBar()->parentWidget() == this)
    r.Top = std::min(r.Bottom, r.Top + menu_->MenuBar()->sizeHint().height());
  return r;
}

void TForm::AlignControls() {
  if (menu_ && menu_->MenuBar()) menu_->MenuBar()->setGeometry(0, 0, width(), menu_->MenuBar()->sizeHint().height());
  TWinControl::AlignControls();
}

void TForm::SetVisible(bool value) {
  if (value == Visible() && value == isVisible()) return;
  if (value) {
    AfterConstruction(); // a form made with plain new still runs OnCreate before it shows
    PlaceOnFirstShow();
    switch (windowState_) {
    case TWindowState::wsMaximized: showMaximized(); break;
    case TWindowState::wsMinimized: showMinimized(); break;
    default: show(); break;
    }
  } else {
    hide();
  }
}

void TForm::setVisible(bool visible) {
  SetVisibleFlag(visible);
  const bool changed = visible != isVisible();
  QWidget::setVisible(visible);
  if (changed) Perform(CM_VISIBLECHANGED, visible);
}

void TForm::PlaceOnFirstShow() {
  if (placed_) return;
  placed_ = true;
  QRect area;
  switch (position_) {
  case TPosition::poScreenCenter:
  case TPosition::poDesktopCenter:
    if (QScreen* screen = QGuiApplication::primaryScreen()) area = screen->availableGeometry();
    break;
  case TPosition::poMainFormCenter:
    if (Application && Application->MainForm() && Application->MainForm() != this)
      area = Application->MainForm()->geometry();
    break;
  case TPosition::poOwnerFormCenter:
    if (auto* owner = dynamic_cast<TForm*>(Owner())) area = owner->geometry();
    break;
  default:
    break;
  }
  if (area.isValid()) move(area.center() - QPoint(width() / 2, height() / 2));
}

void TForm::Close() {
  if (modal_) {
    SetModalResult(mrCancel);
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  QPointer<TForm> self(this);
  DoClose(action);
  if (!self || action == TCloseAction::caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  switch (action) {
  case TCloseAction::caHide: Hide(); break;
  case TCloseAction::caMinimize: showMinimized(); break;
  case TCloseAction::caFree: Release(); break;
  default: break;
  }
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TForm::Release() {
  QPointer<TForm> self(this);
  QTimer::singleShot(0, qApp, [self] {
    if (self) self->Free();
  });
}

int TForm::ShowModal() {
  if (modal_ || isVisible()) throw std::logic_error("Cannot make a visible window modal");
  AfterConstruction(); // a form made with plain new still runs OnCreate before it shows
  modalResult_ = mrNone;
  modal_ = true;
  QPointer<TForm> self(this);
  const int result = ModalHookStorage()(*this);
  if (self) modal_ = false;
  return result;
}

void TForm::SetModalResult(TModalResult value) {
  modalResult_ = value;
  if (value != mrNone && modalLoop_) modalLoop_->quit();
}

void TForm::CloseModal() {
  TCloseAction action = modalResult_ == mrNone ? TCloseAction::caNone : TCloseAction::caHide;
  QPointer<TForm> self(this);
  if (CloseQuery())
    DoClose(action);
  else
    action = TCloseAction::caNone;
  if (!self) return;
  if (action == TCloseAction::caNone)
    modalResult_ = mrNone;
  else if (action == TCloseAction::caFree)
    Release();
}

int TForm::RunModalLoop(TForm& form) {
  QPointer<TForm> self(&form);
  QEventLoop loop;
  form.setWindowModality(Qt::ApplicationModal);
  form.Show();
  for (;;) {
    if (form.modalResult_ == mrNone && !(Application && Application->Terminated())) {
      form.modalLoop_ = &loop;
      ModalLoops().push_back(&loop);
      loop.exec(QEventLoop::DialogExec);
      ModalLoops().erase(std::find(ModalLoops().begin(), ModalLoops().end(), &loop));
      if (!self) return mrCancel;
      form.modalLoop_ = nullptr;
    }
    if (Application && Application->Terminated()) {
      form.modalResult_ = mrCancel;
      break;
    }
    if (form.modalResult_ != mrNone) {
      form.CloseModal();
      if (!self) return mrCancel;
      if (form.modalResult_ != mrNone) break;
    }
  }
  const int result = form.modalResult_;
  form.Hide();
  form.setWindowModality(Qt::NonModal);
  return result;
}

void TForm::EndModalLoops() {
  for (QEventLoop* loop : ModalLoops()) loop->quit();
}

int TForm::RunScriptedModal(TForm& form, const std::function<int(TForm&)>& script) {
  QPointer<TForm> self(&form);
  form.Show();
  const int answer = script ? script(form) : mrCancel;
  if (!self) return answer;
  if (form.modalResult_ == mrNone) form.modalResult_ = answer;
  if (form.modalResult_ != mrNone) form.CloseModal();
  if (!self) return answer;
  const int result = form.modalResult_;
  form.Hide();
  return result;
}

void TForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TForm::DoDestroy() {
  if (OnDestroy) OnDestroy(this);
}

void TForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

bool TForm::DialogKey(QKeyEvent& event, QWidget* origin) {
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
  const WORD key = VirtualKeyFromEvent(event);
  if (key != VK_RETURN && key != VK_ESCAPE) return false;
  TWinControl* target = KeyTarget(origin);
  if (target && target != this && target->WantsDialogKey(key)) return false;
  if (key == VK_RETURN) {
    if (auto* button = dynamic_cast<TButton*>(target)) {
      button->Click();
      return true;
    }
  }
  // TButton has no meta-object of its own, so look the buttons up by their C++ type.
  for (QWidget* widget : findChildren<QWidget*>()) {
    auto* button = dynamic_cast<TButton*>(widget);
    if (!button) continue;
    const bool wanted = key == VK_RETURN ? button->Default() : button->Cancel();
    if (wanted && button->isVisible() && button->isEnabled()) {
      button->Click();
      return true;
    }
  }
  return false;
}

void TForm::showEvent(QShowEvent* event) {
  TWinControl::showEvent(event);
  if (event->spontaneous()) return;
  QPointer<TForm> self(this);
  DoShow();
  if (self && activeControl_) activeControl_->SetFocus();
}

void TForm::hideEvent(QHideEvent* event) {
  TWinControl::hideEvent(event);
  if (!event->spontaneous()) DoHide();
}

void TForm::closeEvent(QCloseEvent* event) {
  // The window's close button: the form decides through Close().
  event->ignore();
  Close();
}

void TForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange) {
    if (isActiveWindow())
      Activate();
    else
      Deactivate();
  }
  TWinControl::changeEvent(event);
}

} // namespace fw
