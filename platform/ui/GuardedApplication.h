#pragma once
// TGuardedApplication: the QApplication of the program (and of the tests). Every event
// the message loop delivers — clicks, keys, menu items, actions, timers, queued calls —
// passes through its notify, which is the one place where an exception that leaves an
// event handler is caught: it goes to the application's general error display
// (HandleEventException) and the program goes on. No handler needs a try/catch of its
// own for that.
//
// Two exceptions to the rule: out of memory is thrown on and ends the program, and an
// error raised while a control paints is shown after the paint has finished (a modal
// box inside a paint would paint recursively), once per text, because the control
// fails again whenever it repaints.

#include <QApplication>
#include <QSet>
#include <QString>
#include <exception>

namespace fw {

class TGuardedApplication : public QApplication {
public:
  TGuardedApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

private:
  void ReportPaintFailure(std::exception_ptr error);

  QSet<QString> paintFailures_;
};

} // namespace fw
