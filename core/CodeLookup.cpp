#include "core/CodeLookup.h"

namespace fw {

QString GetCodeName(const TMenuItemDataArray& codes, int code) {
  for (const TCode& entry : codes) {
    if (entry.Code == code) return entry.Name;
  }
  return QString();
}

int GetCodeByName(const TMenuItemDataArray& codes, const QString& name) {
  for (const TCode& entry : codes) {
    if (entry.Name == name) return entry.Code;
  }
  return 0;
}

void SplitRegionCode(int code, int& province, int& city, int& county) {
  province = code / 10000;
  city = (code % 10000) / 100;
  county = code % 100;
}

} // namespace fw
