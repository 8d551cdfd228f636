#include "platform/ui/GuardedApplication.h"

#include "platform/ui/Application.h"

#include <QMetaObject>
#include <new>

namespace fw {

TGuardedApplication::TGuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TGuardedApplication::notify(QObject* receiver, QEvent* event) {
  const bool painting = event->type() == QEvent::Paint;
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (...) {
    // The receiver may be gone by now: the error is reported without a sender.
    if (painting) ReportPaintFailure(std::current_exception());
    else HandleEventException(nullptr);
    return true;
  }
}

void TGuardedApplication::ReportPaintFailure(std::exception_ptr error) {
  QString text;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    text = ExceptionMessage(e);
  } catch (...) {
  }
  if (paintFailures_.contains(text)) return;
  paintFailures_.insert(text);
  QMetaObject::invokeMethod(
      this,
      [error] {
        try {
          std::rethrow_exception(error);
        } catch (...) {
          HandleEventException(nullptr);
        }
      },
      Qt::QueuedConnection);
}

} // namespace fw
