#pragma once
// The program's standard error messages, shown through the message hook.

#include <QString>

namespace fw {

// "运行中发生错误：" + the error's text + ",请与系统管理员或软件发行者联系。"
QString RuntimeErrorText(const QString& error);
void ShowRuntimeError(const QString& error);

// The same with ",请与软件发行者联系。" behind the error's text.
QString PublisherErrorText(const QString& error);

} // namespace fw
