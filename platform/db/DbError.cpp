#include "platform/db/DbError.h"

namespace fw {

EDatabaseError::EDatabaseError(const QString& message, const QString& sql)
    : std::runtime_error(message.toStdString()), message_(message), sql_(sql) {}

} // namespace fw
