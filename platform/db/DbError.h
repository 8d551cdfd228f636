#pragma once
// The one exception type of the database layer: every failing engine call raises it, so
// callers can show "运行中发生错误：" + Message().
//
// The faults a user meets at the desk (a full disk, a read-only file or folder, a
// database held by another program, a damaged or missing file, no permission) read in
// Chinese; the engine's own words follow them in brackets, for whoever supports the user.

#include <QString>
#include <stdexcept>

namespace fw {

class EDatabaseError : public std::runtime_error {
public:
  // engineText: the engine's (or this layer's) own words; code: the engine's extended
  // result code when the engine raised the error, else 0; systemError: the system's error
  // number (errno) behind it, when the engine names one. A plain SQLITE_ERROR whose text
  // is the engine's own for one of the faults above (raised so from inside an SQL
  // function) counts as that fault.
  explicit EDatabaseError(const QString& engineText, const QString& sql = QString(), int code = 0,
                          int systemError = 0);

  // The text for a message: the reason in Chinese with the engine's words in brackets
  // for the faults above, the engine's words alone for any other. Never contains the
  // statement, which may carry a password.
  QString Message() const { return message_; }
  // The engine's own words.
  QString EngineText() const { return engineText_; }
  // The statement that failed, when there was one; for logs and tests only.
  QString Sql() const { return sql_; }
  int Code() const { return code_; }
  int SystemError() const { return systemError_; }

  // The disk (or the file's size limit) left no room for what had to be written.
  bool DiskFull() const;
  // The statement was stopped: it ran past the connection's time limit.
  bool Interrupted() const;
  // The file is damaged or no database at all.
  bool Damaged() const;
  // A value, a row or a statement was larger than the connection's size limit.
  bool TooBig() const;

private:
  QString message_;
  QString engineText_;
  QString sql_;
  int code_ = 0;
  int systemError_ = 0;
};

// The Chinese reason of an engine fault a user can act on, from the engine's result code
// and the system's error behind it; empty for any other fault.
QString EngineFaultReason(int code, int systemError);

} // namespace fw
