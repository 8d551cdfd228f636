#include "platform/shell/DesktopOpener.h"

#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>

namespace fw {

namespace {

const QString kOpenerName = QStringLiteral("xdg-open");

// Turns the event loop until the opener ends or waitMs have passed.
void WatchOpener(QProcess& opener, int waitMs) {
  if (opener.state() == QProcess::NotRunning) return;
  QEventLoop loop;
  QTimer timeout;
  timeout.setSingleShot(true);
  QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
  QObject::connect(&opener, &QProcess::finished, &loop, &QEventLoop::quit);
  QObject::connect(&opener, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
  timeout.start(waitMs);
  // Input waits: a click now would start another action inside the one that opens the file.
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

bool OpenWithDesktopOpener(const QString& path, int waitMs) {
  const QString program = QStandardPaths::findExecutable(kOpenerName);
  if (program.isEmpty()) return false;
  // Not owned by anything: an opener (or the viewer it became) still running when the
  // program ends goes on running; one that ends later deletes its own watcher.
  auto* opener = new QProcess;
  opener->setProgram(program);
  opener->setArguments(QStringList{path});
  opener->setStandardInputFile(QProcess::nullDevice());
  opener->setStandardOutputFile(QProcess::nullDevice());
  // Its complaints ("no program for ...") stay readable on the program's error output.
  opener->setProcessChannelMode(QProcess::ForwardedErrorChannel);
  opener->start();
  if (!opener->waitForStarted()) {
    delete opener;
    return false;
  }
  WatchOpener(*opener, waitMs);
  if (opener->state() != QProcess::NotRunning) {
    QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
    return true;
  }
  const bool opened = opener->exitStatus() == QProcess::NormalExit && opener->exitCode() == 0;
  delete opener;
  return opened;
}

} // namespace fw
