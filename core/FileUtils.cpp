#include "core/FileUtils.h"

#include "core/SiblingTempFile.h"

namespace fw {

void CopyFileStream(const QString& source, const QString& destination) {
  TSiblingTempFile temp(destination);
  temp.CopyFrom(source);
  temp.MoveIntoPlace();
}

QString WithEndingWhenLong(const QString& chosen, const QString& ending) {
  if (chosen.size() > 4 && !chosen.endsWith(ending, Qt::CaseSensitive)) return chosen + ending;
  return chosen;
}

} // namespace fw
