#include "SurveyRecordGenerator.h"

#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"

#include <QHash>
#include <array>

namespace fwbench {

namespace {

struct Sheet {
  char prefix;
  int items;
};

constexpr std::array<Sheet, 11> kSheets = {{{'z', 16}, {'x', 12}, {'p', 6}, {'b', 39}, {'f', 18}, {'l', 8},
                                           {'h', 11}, {'j', 21}, {'s', 10}, {'w', 11}, {'g', 4}}};

const QStringList kCoverColumns = {"c900", "c901", "c902", "c903", "c904", "c905", "c906",
                                   "c907", "c909", "c910", "c911", "c912", "RecordState"};

const QStringList kRegions = {"110101", "120102", "130102", "310104", "440106", "510104", "650102"};
const QStringList kFillers = {"张伟", "王芳", "李娜", "刘洋", "陈静"};

int IndicatorIndex(const QStringList& columns, const char* name) { return columns.indexOf(QString::fromLatin1(name)); }

} // namespace

QStringList GeneratedColumns() {
  QStringList columns = kCoverColumns;
  for (const Sheet& sheet : kSheets)
    for (int i = 1; i <= sheet.items; ++i) columns << QString("%1%2").arg(sheet.prefix).arg(i, 3, 10, QChar('0'));
  return columns;
}

void FillRecord(int index, std::vector<QVariant>& values) {
  static const QStringList columns = GeneratedColumns();
  values.assign(columns.size(), QVariant(0));
  const qint64 code = 110000000000LL + index;
  values[0] = QString();
  values[1] = code;
  values[2] = QString("第%1基层以上工会").arg(index + 1);
  values[3] = kRegions[index % kRegions.size()].toInt();
  values[4] = 10;
  values[5] = kFillers[index % kFillers.size()];
  values[6] = QString("010-%1").arg(60000000 + index % 39999999);
  values[7] = 1 + index % 2;
  values[8] = 0;
  values[9] = 0;
  values[10] = 0;
  values[11] = 0;
  values[12] = 1;

  // Members and their breakdown: z004..z007 add up to z001; other counts stay within it.
  const int members = 20 + index % 500;
  auto set = [&](const char* name, const QVariant& value) {
    // Column positions are looked up once per name, not once per record.
    static QHash<const char*, int> positions;
    auto it = positions.find(name);
    if (it == positions.end()) it = positions.insert(name, IndicatorIndex(columns, name));
    values[*it] = value;
  };
  set("z001", members);
  set("z002", members / 2);
  set("z003", members / 3);
  set("z004", members / 4);
  set("z005", members / 4);
  set("z006", members / 4);
  set("z007", members - 3 * (members / 4));
  set("z010", 2); // "no": its dependent items stay 0
  set("x001", members / 5);
  set("x002", members / 10);
  set("x003", members / 5); // organisations within x001
  set("b012", 3 + index % 7);
  set("b013", 1 + index % 3);
  set("f009", 1); // "yes": f010 must then be above 0
  set("f010", 5);
  set("f011", 12 + index % 40);
  set("f012", 2);
  set("w006", 8 + index % 9);
  set("w007", 3);
}

QString InsertStatement() {
  const QStringList columns = GeneratedColumns();
  return "insert into dt_data (" + columns.join(',') + ") values (:" + columns.join(",:") + ")";
}

void AppendRecords(fw::TADOConnection& db, int count) {
  fw::TADOQuery insert(&db);
  insert.SetSQL(InsertStatement());
  std::vector<QVariant> values;
  db.BeginTrans();
  for (int r = 0; r < count; ++r) {
    FillRecord(r, values);
    for (int c = 0; c < static_cast<int>(values.size()); ++c) insert.Parameters()[c].SetValue(values[c]);
    insert.ExecSQL();
  }
  db.CommitTrans();
}

} // namespace fwbench
