#include "core/SummaryDefs.h"

#include <array>

namespace fw {

namespace {

using K = TSummaryKind;

// A run of consecutive fields of one kind: prefix letter and item numbers from..to.
struct TRun {
  K Kind;
  char Prefix = 0;
  int From = 0;
  int To = 0;
};

struct TSheetSource {
  int SheetNo;
  const char* Title;
  std::vector<TRun> Runs;
  const char* Filter;
};

const std::vector<TSheetSource>& Sources() {
  static const std::vector<TSheetSource> sources = {
      {2, "表一  工会组织建设状况(1)", {{K::Count}, {K::Numeric, 'z', 1, 9}}, "c901>0"},
      {3,
       "表一  工会组织建设状况(2)",
       {{K::YesNo, 'z', 10, 10}, {K::ThreeWay, 'z', 11, 12}, {K::Numeric, 'z', 13, 16}},
       "c901>0"},
      {4,
       "表二  工会干部协管工作",
       {{K::Numeric, 'x', 1, 3}, {K::YesNo, 'x', 4, 7}, {K::Numeric, 'x', 8, 12}},
       "c904>=0"},
      {5, "表三  工会干部教育培训工作", {{K::Numeric, 'p', 1, 6}}, "c901>0"},
      {6,
       "表四  工会保障工作(1)",
       {{K::Numeric, 'b', 1, 2}, {K::YesNo, 'b', 3, 3}, {K::Numeric, 'b', 4, 11}},
       "c901>0"},
      {7, "表四  工会保障工作(2)", {{K::Numeric, 'b', 12, 25}}, "c901>0"},
      {8, "表四  工会保障工作(3)", {{K::Numeric, 'b', 26, 32}}, "c901>0"},
      {9,
       "表四  工会保障工作(4)",
       {{K::Numeric, 'b', 33, 34}, {K::YesNo, 'b', 35, 35}, {K::Numeric, 'b', 36, 39}},
       "c904>0"},
      {10,
       "表五  工会法律工作(1)",
       {{K::Numeric, 'f', 1, 1},
        {K::YesNo, 'f', 2, 2},
        {K::Numeric, 'f', 3, 4},
        {K::YesNo, 'f', 5, 5},
        {K::Numeric, 'f', 6, 7},
        {K::YesNo, 'f', 8, 8}},
       "c901>0"},
      {11,
       "表五  工会法律工作(2)",
       {{K::YesNo, 'f', 9, 9}, {K::Numeric, 'f', 10, 16}, {K::YesNo, 'f', 17, 17}, {K::Numeric, 'f', 18, 18}},
       "c901>0"},
      {12, "表六  工会劳动保护工作", {{K::YesNo, 'l', 1, 1}, {K::Numeric, 'l', 2, 8}}, "c901>0"},
      {13,
       "表七  工会民主参与及开展创建劳动关系和谐企业与工业园区活动工作(1)",
       {{K::YesNo, 'h', 1, 2}, {K::Numeric, 'h', 3, 5}},
       "c904>0"},
      {14,
       "表七  工会民主参与及开展创建劳动关系和谐企业与工业园区活动工作(2)",
       {{K::Numeric, 'h', 6, 7}, {K::YesNo, 'h', 8, 8}, {K::FourWay, 'h', 9, 10}, {K::Numeric, 'h', 11, 11}},
       "c904>0"},
      {15, "表八  工会经济技术工作(1)", {{K::Numeric, 'j', 1, 11}}, "c901>0"},
      {16,
       "表八  工会经济技术工作(2)",
       {{K::Numeric, 'j', 12, 14}, {K::YesNo, 'j', 15, 16}, {K::Numeric, 'j', 17, 21}},
       "c901>0"},
      {17,
       "表九  工会财务和经费审查工作",
       {{K::YesNo, 's', 1, 6}, {K::Numeric, 's', 7, 8}, {K::YesNo, 's', 9, 10}},
       "c901>0"},
      {18, "表十  工会宣传教育和职工文化体育工作", {{K::Numeric, 'w', 1, 11}}, "c901>0"},
      {19, "表十一  工会对外交流工作", {{K::Numeric, 'g', 1, 4}}, "c901>0"},
  };
  return sources;
}

std::vector<TSummarySheetDef> BuildDefs() {
  std::vector<TSummarySheetDef> defs;
  for (const TSheetSource& source : Sources()) {
    TSummarySheetDef def;
    def.SheetNo = source.SheetNo;
    def.Title = QString::fromUtf8(source.Title);
    def.Filter = QString::fromUtf8(source.Filter);
    for (const TRun& run : source.Runs) {
      if (run.Kind == K::Count) {
        def.Items.push_back({K::Count, QString()});
        continue;
      }
      for (int n = run.From; n <= run.To; ++n)
        def.Items.push_back({run.Kind, QStringLiteral("%1%2").arg(QLatin1Char(run.Prefix)).arg(n, 3, 10, QLatin1Char('0'))});
    }
    defs.push_back(std::move(def));
  }
  return defs;
}

QString ThreeWaySql(const QString& f) {
  return QStringLiteral("sum(int((5-%1)/4)*%1) as sum_%1_1,"
                        "sum((%1-1)*(3-%1)*(4-%1)*%1/4) as sum_%1_2,"
                        "sum((%1-1)*(%1-2)*(4-%1)*%1/6) as sum_%1_3")
      .arg(f);
}

// The select lists of sheets 2..19, indexed by sheet number.
std::array<QString, kLastSummarySheet + 1> SumSQL;
bool SumSQLReady = false;

} // namespace

const std::vector<TSummarySheetDef>& SummarySheetDefs() {
  static const std::vector<TSummarySheetDef> defs = BuildDefs();
  return defs;
}

const TSummarySheetDef* FindSummarySheetDef(int sheetNo) {
  if (sheetNo < kFirstSummarySheet || sheetNo > kLastSummarySheet) return nullptr;
  return &SummarySheetDefs()[sheetNo - kFirstSummarySheet];
}

QString SummaryItemSql(const TSummaryItem& item) {
  const QString& f = item.Field;
  switch (item.Kind) {
  case K::Count:
    return QStringLiteral("count(*) as cnt");
  case K::Numeric:
    return QStringLiteral("sum(%1) as sum_%1").arg(f);
  case K::YesNo:
    return QStringLiteral("sum(%1*(2-%1)) as sum_%1_1,sum(int(%1/2) + (2-%1)*(1-%1)/2) as sum_%1_2").arg(f);
  case K::ThreeWay:
    return ThreeWaySql(f);
  case K::FourWay:
    return ThreeWaySql(f) + QStringLiteral(",sum(int(%1/4)) as sum_%1_4").arg(f);
  }
  return QString();
}

QStringList SummaryItemColumns(const TSummaryItem& item) {
  const QString base = QStringLiteral("sum_") + item.Field;
  switch (item.Kind) {
  case K::Count:
    return {QStringLiteral("cnt")};
  case K::Numeric:
    return {base};
  case K::YesNo:
    return {base + QStringLiteral("_1"), base + QStringLiteral("_2")};
  case K::ThreeWay:
    return {base + QStringLiteral("_1"), base + QStringLiteral("_2"), base + QStringLiteral("_3")};
  case K::FourWay:
    return {base + QStringLiteral("_1"), base + QStringLiteral("_2"), base + QStringLiteral("_3"),
            base + QStringLiteral("_4")};
  }
  return {};
}

int SummaryColumnCount(int sheetNo) {
  const TSummarySheetDef* def = FindSummarySheetDef(sheetNo);
  if (!def) return 0;
  int count = 0;
  for (const TSummaryItem& item : def->Items) count += static_cast<int>(SummaryItemColumns(item).size());
  return count;
}

void InitSummaryDefs() {
  if (SumSQLReady) return;
  for (const TSummarySheetDef& def : SummarySheetDefs()) {
    QStringList items;
    for (const TSummaryItem& item : def.Items) items << SummaryItemSql(item);
    SumSQL[def.SheetNo] = items.join(QLatin1Char(',')) + QStringLiteral(" from dt_data where ") + def.Filter;
  }
  SumSQLReady = true;
}

QString SummarySelectList(int sheetNo) {
  if (sheetNo < kFirstSummarySheet || sheetNo > kLastSummarySheet) return QString();
  return SumSQL[sheetNo];
}

} // namespace fw
