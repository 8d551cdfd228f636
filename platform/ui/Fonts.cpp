#include "platform/ui/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace fw {

namespace {

const QStringList kSans = {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans CJK TC"),
                           QStringLiteral("DejaVu Sans")};
const QStringList kSerif = {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
                            QStringLiteral("DejaVu Serif")};
const QStringList kMono = {QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("DejaVu Sans Mono")};

struct Mapping {
  const char* Name;
  const QStringList* Families;
};

// 宋体 is the program's working font; at its small sizes the sans face reads best, so it
// maps to the sans family like the interface fonts.
const Mapping kMappings[] = {
    {"宋体", &kSans},          {"SimSun", &kSans},         {"新宋体", &kSans},        {"NSimSun", &kSans},
    {"黑体", &kSans},          {"SimHei", &kSans},         {"微软雅黑", &kSans},      {"Microsoft YaHei", &kSans},
    {"楷体_GB2312", &kSerif},  {"楷体", &kSerif},          {"KaiTi", &kSerif},        {"仿宋_GB2312", &kSerif},
    {"仿宋", &kSerif},         {"FangSong", &kSerif},      {"隶书", &kSerif},         {"Times New Roman", &kSerif},
    {"Tahoma", &kSans},        {"MS Sans Serif", &kSans},  {"MS Shell Dlg", &kSans},  {"MS Shell Dlg 2", &kSans},
    {"Arial", &kSans},         {"Verdana", &kSans},        {"System", &kSans},        {"Courier New", &kMono},
    {"Courier", &kMono},       {"Fixedsys", &kMono},       {"Terminal", &kMono},
};

} // namespace

void InstallFontSubstitutions() {
  for (const Mapping& m : kMappings) QFont::insertSubstitutions(QString::fromUtf8(m.Name), *m.Families);
}

QStringList SubstitutedNames() {
  QStringList names;
  for (const Mapping& m : kMappings) names << QString::fromUtf8(m.Name);
  return names;
}

QString SubstitutedFamily(const QString& requested) {
  const QStringList families = QFontDatabase::families();
  // Qt keeps substitutes in lower case; answer with the database's spelling.
  for (const QString& candidate : QFont::substitutes(requested))
    for (const QString& family : families)
      if (family.compare(candidate, Qt::CaseInsensitive) == 0) return family;
  return requested;
}

} // namespace fw
