#pragma once
// The one exception type of the database layer: every failing engine call raises it
// with the engine's own message, so callers can show "运行中发生错误：" + Message().

#include <QString>
#include <stdexcept>

namespace fw {

class EDatabaseError : public std::runtime_error {
public:
  // code: the engine's result code when the engine raised the error, else 0.
  explicit EDatabaseError(const QString& message, const QString& sql = QString(), int code = 0);

  // The engine's message (never contains the statement, which may carry a password).
  QString Message() const { return message_; }
  // The statement that failed, when there was one; for logs and tests only.
  QString Sql() const { return sql_; }
  int Code() const { return code_; }

  // The disk (or the file's size limit) left no room for what had to be written.
  bool DiskFull() const;
  // The statement was stopped: it ran past the connection's time limit.
  bool Interrupted() const;
  // The file is damaged or no database at all.
  bool Damaged() const;

private:
  QString message_;
  QString sql_;
  int code_ = 0;
};

} // namespace fw
