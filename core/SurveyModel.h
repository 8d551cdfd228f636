#pragma once
// The records the program reads from the survey database and the process-wide globals
// that describe the open database.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace fw {

// One field descriptor, filled from one dt_fieldlist row.
struct TFieldData {
  std::int32_t ID = 0;
  QString ShowName;
  QString Hint;
  std::int32_t FieldWidth = 0;
  QString FieldType;
  bool Visible = false;
  bool QueryShow = false;
  std::uint8_t QueryType = 0; // 0 integer, 1 text, 2 real number, 3 integer-like code
};
using TFieldDataArray = std::vector<TFieldData>;

// QueryType read from the table: a value outside 0..3 leaves 0.
std::uint8_t NormalizeQueryType(long long stored);

// One entry of a code list.
struct TCode {
  std::int32_t Code = 0;
  QString Name;
};
using TMenuItemDataArray = std::vector<TCode>;

struct TProductVersion {
  QString ProductVersion;
  std::int32_t Build = -1; // -1: the program carries no version information
};

// Edition settings, fixed whenever a database is opened.
struct TEditionSettings {
  int OfflineMode = 1;
  int FullMenus = 1;
  int LevelCode = 2;
  int CheckScope = 0;
  int ExportMode = 2;
};

// Globals of the open database.
extern QString DatabasePath;
extern QString DatabaseLabel;
extern TFieldDataArray FieldDescs;
extern TMenuItemDataArray LevelCodeList;
extern TMenuItemDataArray StateCodeList;
extern QStringList GroupTables;
extern TEditionSettings EditionSettings;

// Sets the edition settings to their fixed values and GroupTables to the two group
// tables; called at every database open.
void FixEditionSettings();

// The default working database's file name, in the program folder.
inline constexpr const char* kDefaultDatabaseName = "2014NB_qz.mdb";
// The empty, password-protected template of the offline exchange file.
inline constexpr const char* kExchangeTemplateName = "view.dll";
// The label of a database that has not been given one.
inline const QString kDefaultDatabaseLabel = QStringLiteral("默认数据库");

} // namespace fw
