#include "platform/db/DbError.h"

#include <cerrno>
#include <sqlite3.h>

namespace fw {

namespace {

const QString kDiskFull = QStringLiteral("磁盘空间不足");
const QString kReadOnly = QStringLiteral("文件或它所在的文件夹是只读的，不能写入");
const QString kInUse = QStringLiteral("数据库文件正被其他程序使用");
const QString kDamaged = QStringLiteral("数据库文件已损坏或不是有效的数据库文件");
const QString kMissing = QStringLiteral("找不到数据库文件");
const QString kNoPermission = QStringLiteral("没有访问该文件的权限");

// What the system's error says of a file the engine could not open, read or write;
// empty when it says nothing a user can act on.
QString SystemReason(int systemError) {
  switch (systemError) {
  case ENOSPC:
  case EDQUOT: return kDiskFull;
  case EROFS: return kReadOnly;
  case EACCES:
  case EPERM: return kNoPermission;
  case ENOENT:
  case ENOTDIR: return kMissing;
  case EBUSY:
  case ETXTBSY: return kInUse;
  default: return QString();
  }
}

} // namespace

QString EngineFaultReason(int code, int systemError) {
  switch (code & 0xFF) {
  case SQLITE_FULL: return kDiskFull;
  case SQLITE_READONLY: return kReadOnly;
  case SQLITE_BUSY:
  case SQLITE_LOCKED: return kInUse;
  case SQLITE_CORRUPT:
  case SQLITE_NOTADB: return kDamaged;
  case SQLITE_PERM:
  case SQLITE_AUTH: return kNoPermission;
  case SQLITE_CANTOPEN: {
    const QString reason = SystemReason(systemError);
    return reason.isEmpty() ? QStringLiteral("无法打开数据库文件") : reason;
  }
  case SQLITE_IOERR: {
    const QString reason = SystemReason(systemError);
    return reason.isEmpty() ? QStringLiteral("磁盘读写错误") : reason;
  }
  default: return QString();
  }
}

namespace {

// A fault met inside an SQL function (the export behind compaction and password changes)
// reaches the statement as a plain SQLITE_ERROR carrying only the engine's text of the
// fault; that text gives the fault back.
int FaultCode(const QString& engineText, int code) {
  if ((code & 0xFF) != SQLITE_ERROR) return code;
  for (const int fault : {SQLITE_FULL, SQLITE_READONLY, SQLITE_BUSY, SQLITE_LOCKED, SQLITE_CORRUPT, SQLITE_NOTADB,
                          SQLITE_PERM, SQLITE_CANTOPEN, SQLITE_IOERR})
    if (engineText == QLatin1String(sqlite3_errstr(fault))) return fault;
  return code;
}

QString MessageFor(const QString& engineText, int code, int systemError) {
  const QString reason = EngineFaultReason(code, systemError);
  return reason.isEmpty() ? engineText : reason + QStringLiteral("（") + engineText + QStringLiteral("）");
}

} // namespace

EDatabaseError::EDatabaseError(const QString& engineText, const QString& sql, int code, int systemError)
    : std::runtime_error(MessageFor(engineText, FaultCode(engineText, code), systemError).toStdString()),
      message_(QString::fromUtf8(what())), engineText_(engineText), sql_(sql), code_(FaultCode(engineText, code)),
      systemError_(systemError) {}

bool EDatabaseError::DiskFull() const { return (code_ & 0xFF) == SQLITE_FULL; }

bool EDatabaseError::Interrupted() const { return (code_ & 0xFF) == SQLITE_INTERRUPT; }

bool EDatabaseError::TooBig() const { return (code_ & 0xFF) == SQLITE_TOOBIG; }

bool EDatabaseError::Damaged() const {
  const int primary = code_ & 0xFF;
  return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

} // namespace fw
