#pragma once
// Quoting for the few places that must build SQL text around a value: the value is
// enclosed in single quotes and every single quote inside it doubled.

#include <QString>

namespace fw {

QString QuotedStr(const QString& value, QChar quote = QLatin1Char('\''));

} // namespace fw
