#pragma once
// The one exception type of the database layer: every failing engine call raises it
// with the engine's own message, so callers can show "运行中发生错误：" + Message().

#include <QString>
#include <stdexcept>

namespace fw {

class EDatabaseError : public std::runtime_error {
public:
  explicit EDatabaseError(const QString& message, const QString& sql = QString());

  // The engine's message (never contains the statement, which may carry a password).
  QString Message() const { return message_; }
  // The statement that failed, when there was one; for logs and tests only.
  QString Sql() const { return sql_; }

private:
  QString message_;
  QString sql_;
};

} // namespace fw
