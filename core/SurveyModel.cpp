#include "core/SurveyModel.h"

namespace fw {

QString DatabasePath;
QString DatabaseLabel;
TFieldDataArray FieldDescs;
TMenuItemDataArray LevelCodeList;
TMenuItemDataArray StateCodeList;
QStringList GroupTables;
TEditionSettings EditionSettings;

std::uint8_t NormalizeQueryType(long long stored) {
  return stored >= 0 && stored <= 3 ? static_cast<std::uint8_t>(stored) : 0;
}

void FixEditionSettings() {
  EditionSettings = TEditionSettings{};
  GroupTables = QStringList{QStringLiteral("CT_Group"), QStringLiteral("DT_GroupItem")};
}

} // namespace fw
