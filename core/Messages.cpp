#include "core/Messages.h"

#include "platform/shell/Hooks.h"

namespace fw {

namespace {

// The error's text without the full stop of its own sentence: the standard sentence goes
// on after it.
QString ErrorClause(QString error) {
  while (error.endsWith(QChar(0x3002))) error.chop(1); // 。
  return error;
}

} // namespace

QString RuntimeErrorText(const QString& error) {
  return QStringLiteral("运行中发生错误：") + ErrorClause(error) + QStringLiteral(",请与系统管理员或软件发行者联系。");
}

void ShowRuntimeError(const QString& error) { ShowMessage(RuntimeErrorText(error), QString(), MB_OK | MB_ICONERROR); }

QString PublisherErrorText(const QString& error) {
  return QStringLiteral("运行中发生错误：") + ErrorClause(error) + QStringLiteral(",请与软件发行者联系。");
}

} // namespace fw
