#include "core/Messages.h"

#include "platform/shell/Hooks.h"

namespace fw {

QString RuntimeErrorText(const QString& error) {
  return QStringLiteral("运行中发生错误：") + error + QStringLiteral(",请与系统管理员或软件发行者联系。");
}

void ShowRuntimeError(const QString& error) { ShowMessage(RuntimeErrorText(error), QString(), MB_OK | MB_ICONERROR); }

QString PublisherErrorText(const QString& error) {
  return QStringLiteral("运行中发生错误：") + error + QStringLiteral(",请与软件发行者联系。");
}

} // namespace fw
