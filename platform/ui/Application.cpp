#include "platform/ui/Application.h"

#include <algorithm>

#include "platform/shell/Folders.h"

#include "platform/shell/Hooks.h"
#include "platform/ui/ActionList.h"
#include "platform/ui/Form.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolTip>
#include <cstdio>
#include <new>
#include <stdexcept>

namespace fw {

TApplication* Application = nullptr;

namespace {

// Hands the exception in flight to `use` as a std::exception (an exception of any other
// type as an unknown error). Out of memory is thrown on; so is nothing when no exception
// is in flight.
void WithExceptionInFlight(const std::function<void(const std::exception&)>& use) {
  const std::exception_ptr error = std::current_exception();
  if (!error) return;
  try {
    std::rethrow_exception(error);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    use(e);
  } catch (...) {
    use(std::runtime_error("发生了未知的错误"));
  }
}

// Runs the display of an error; a display that fails itself can only be written to
// standard error.
void DisplaySafely(const std::function<void()>& display, const std::exception& error) {
  try {
    display();
  } catch (const std::bad_alloc&) {
    throw;
  } catch (...) {
    std::fprintf(stderr, "%s\n", error.what());
  }
}

} // namespace

QString ExceptionMessage(const std::exception& error) { return QString::fromUtf8(error.what()); }

void HandleEventException(TObject* sender) {
  if (Application) {
    Application->HandleException(sender);
    return;
  }
  WithExceptionInFlight([](const std::exception& e) {
    DisplaySafely([&e] { ShowMessage(ExceptionMessage(e), QString(), MB_OK | MB_ICONERROR); }, e);
  });
}

// Watches the whole program for status tips (the long part of hints), which become the
// application's Hint and raise OnHint, and for the program becoming the active one or
// another program taking over.
class TApplication::EventWatcher : public QObject {
public:
  explicit EventWatcher(TApplication& app) : app_(app) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::StatusTip && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow())
      app_.SetHint(static_cast<QStatusTipEvent*>(event)->tip());
    if (event->type() == QEvent::ApplicationStateChange && watched == qApp)
      app_.SetActive(static_cast<QApplicationStateChangeEvent*>(event)->applicationState() == Qt::ApplicationActive);
    return false;
  }

private:
  TApplication& app_;
};

TApplication::TApplication() : TComponent(nullptr) {
  if (!Application) Application = this;
  // Hiding the last window must not end the program: only the main form's close does.
  QApplication::setQuitOnLastWindowClosed(false);
  active_ = QGuiApplication::applicationState() == Qt::ApplicationActive;
  watcher_ = std::make_unique<EventWatcher>(*this);
  qApp->installEventFilter(watcher_.get());
  idleTimer_ = std::make_unique<QTimer>();
  idleTimer_->setInterval(100);
  QObject::connect(idleTimer_.get(), &QTimer::timeout, [this] { UpdateActions(); });
}

TApplication::~TApplication() {
  idleTimer_->stop();
  if (qApp) qApp->removeEventFilter(watcher_.get());
  // The forms go before the application object stops being the global.
  SetDestroying();
  DestroyComponents();
  mainForm_ = nullptr;
  if (Application == this) Application = nullptr;
}

void TApplication::FormCreated(TForm* form) {
  if (!mainForm_) mainForm_ = form;
  form->FreeNotification(this);
  form->AfterConstruction();
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == mainForm_) mainForm_ = nullptr;
}

void TApplication::SetMainForm(TForm* form) { mainForm_ = form; }

int TApplication::Run() {
  if (terminated_) return exitCode_;
  if (mainForm_ && showMainForm_) mainForm_->Show();
  running_ = true;
  idleTimer_->start();
  if (!terminated_) {
    const int code = QApplication::exec();
    if (code != 0 && exitCode_ == 0) exitCode_ = code;
  }
  idleTimer_->stop();
  running_ = false;
  terminated_ = true;
  return exitCode_;
}

void TApplication::Terminate() {
  terminated_ = true;
  // Ends any modal loop and then the message loop. Other event loops are left alone.
  TForm::EndModalLoops();
  if (running_) QCoreApplication::exit(exitCode_);
}

void TApplication::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void TApplication::HandleMessage() { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); }

void TApplication::UpdateActions() {
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* form = dynamic_cast<TForm*>(Components(i));
    if (!form || !form->isVisible()) continue;
    for (int j = 0; j < form->ComponentCount(); ++j)
      if (auto* list = dynamic_cast<TActionList*>(form->Components(j))) list->UpdateActions();
  }
}

void TApplication::SetTitle(const QString& value) {
  title_ = value;
  QApplication::setApplicationDisplayName(value);
}

void TApplication::SetHintColor(TColor value) {
  hintColor_ = value;
  QPalette palette = QToolTip::palette();
  palette.setColor(QPalette::ToolTipBase, ToQColor(value));
  QToolTip::setPalette(palette);
}

void TApplication::SetHint(const QString& value) {
  if (value == hint_) return;
  hint_ = value;
  if (OnHint) {
    OnHint(this);
    return;
  }
  // A receiver may leave while it takes the hint: walk a copy.
  const auto receivers = hintReceivers_;
  for (auto it = receivers.rbegin(); it != receivers.rend(); ++it) {
    const void* owner = it->first;
    const bool registered = std::any_of(hintReceivers_.begin(), hintReceivers_.end(),
                                        [owner](const auto& entry) { return entry.first == owner; });
    if (registered && it->second(value)) return;
  }
}

void TApplication::AddHintReceiver(const void* owner, THintReceiver receiver) {
  RemoveHintReceiver(owner);
  hintReceivers_.emplace_back(owner, std::move(receiver));
}

void TApplication::RemoveHintReceiver(const void* owner) {
  std::erase_if(hintReceivers_, [owner](const auto& entry) { return entry.first == owner; });
}

QString TApplication::ExeName() const { return QCoreApplication::applicationFilePath(); }

QString TApplication::ProgramDir() const {
  QString dir = ProgramFolder();
  if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
  return dir;
}

// One program folder serves the windows and the core alike.
void TApplication::SetProgramDir(const QString& folder) { SetProgramFolder(folder); }

int TApplication::MessageBox(const QString& text, const QString& caption, int flags) {
  return CurrentHooks().MessageBox(text, caption.isEmpty() ? title_ : caption, flags);
}

void TApplication::NormalizeTopMosts() {
  if (++normalizedTopMosts_ == 1) UpdateTopMosts();
}

void TApplication::RestoreTopMosts() {
  if (normalizedTopMosts_ == 0) return;
  if (--normalizedTopMosts_ == 0) UpdateTopMosts();
}

void TApplication::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  UpdateTopMosts();
}

// Every form decides for itself whether it is a top-most one.
void TApplication::UpdateTopMosts() {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* form = dynamic_cast<TForm*>(window)) form->UpdateStayOnTop();
}

TNormalizedTopMosts::TNormalizedTopMosts() : app_(Application) {
  if (app_) app_->NormalizeTopMosts();
}

TNormalizedTopMosts::~TNormalizedTopMosts() {
  if (app_ && app_ == Application) app_->RestoreTopMosts();
}

void TApplication::HandleException(TObject* sender) {
  WithExceptionInFlight([this, sender](const std::exception& e) {
    DisplaySafely(
        [&] {
          if (OnException) OnException(sender, e);
          else ShowException(e);
        },
        e);
  });
}

void TApplication::ShowException(const std::exception& error) {
  const QString text = ExceptionMessage(error);
  if (errorsOnScreen_.contains(text)) return;
  errorsOnScreen_.insert(text);
  struct OffScreen {
    QSet<QString>& shown;
    const QString& text;
    ~OffScreen() { shown.remove(text); }
  } offScreen{errorsOnScreen_, text};
  MessageBox(text, QString(), MB_OK | MB_ICONERROR);
}

} // namespace fw
