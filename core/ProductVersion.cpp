#include "core/ProductVersion.h"

#include "FwVersion.h"

namespace fw {

TProductVersion ProgramVersion;

int BuildFromFileVersion(const QString& fileVersion) {
  const int dot = fileVersion.lastIndexOf('.');
  return fileVersion.mid(dot + 1).toInt();
}

void ReadProductVersion(TProductVersion& v) {
  const QString fileVersion = QStringLiteral(FW_FILE_VERSION);
  if (fileVersion.isEmpty()) {
    v.Build = -1;
    return;
  }
  v.Build = BuildFromFileVersion(fileVersion);
  v.ProductVersion = QStringLiteral(FW_PRODUCT_VERSION);
}

} // namespace fw
