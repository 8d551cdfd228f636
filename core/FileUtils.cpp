#include "core/FileUtils.h"

#include "core/SiblingTempFile.h"

namespace fw {

void CopyFileStream(const QString& source, const QString& destination) {
  TSiblingTempFile temp(destination);
  temp.CopyFrom(source);
  temp.MoveIntoPlace();
}

} // namespace fw
