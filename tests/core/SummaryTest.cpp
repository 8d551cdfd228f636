// Summary definitions and summary workbooks: the select lists, the three row modes over a
// few crafted records in a private copy of the database, and the workbook shown.
#include "core/SumProcedure.h"
#include "core/SummaryDefs.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/DbError.h"
#include "platform/shell/Folders.h"
#include "platform/shell/ShownText.h"
#include "platform/sheet/SheetApplication.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <functional>
#include <map>
#include <gtest/gtest.h>

namespace {

using namespace fw;

TEST(SummaryDefs, SelectListsReadAsWritten) {
  InitSummaryDefs();
  EXPECT_EQ(SummarySelectList(19), "sum(g001) as sum_g001,sum(g002) as sum_g002,sum(g003) as sum_g003,"
                                   "sum(g004) as sum_g004 from dt_data where c901>0");
  EXPECT_TRUE(SummarySelectList(2).startsWith("count(*) as cnt,sum(z001) as sum_z001,sum(z002) as sum_z002"));
  EXPECT_TRUE(SummarySelectList(3).startsWith(
      "sum(z010*(2-z010)) as sum_z010_1,sum(int(z010/2) + (2-z010)*(1-z010)/2) as sum_z010_2,"
      "sum(int((5-z011)/4)*z011) as sum_z011_1,sum((z011-1)*(3-z011)*(4-z011)*z011/4) as sum_z011_2,"
      "sum((z011-1)*(z011-2)*(4-z011)*z011/6) as sum_z011_3,"));
  EXPECT_TRUE(SummarySelectList(14).contains(
      "sum((h009-1)*(h009-2)*(4-h009)*h009/6) as sum_h009_3,sum(int(h009/4)) as sum_h009_4,sum(int((5-h010)/4)"));
  EXPECT_TRUE(SummarySelectList(4).endsWith(" from dt_data where c904>=0"));
  EXPECT_TRUE(SummarySelectList(9).endsWith("sum(b039) as sum_b039 from dt_data where c904>0"));
  EXPECT_TRUE(SummarySelectList(1).isEmpty());
  EXPECT_TRUE(SummarySelectList(20).isEmpty());
}

TEST(SummaryDefs, EveryIndicatorIsSummedOnce) {
  // The 156 indicator columns, each on exactly one sheet.
  QStringList fields;
  for (const TSummarySheetDef& def : SummarySheetDefs())
    for (const TSummaryItem& item : def.Items)
      if (item.Kind != TSummaryKind::Count) fields << item.Field;
  EXPECT_EQ(fields.size(), 156);
  EXPECT_EQ(fields.removeDuplicates(), 0);
  EXPECT_EQ(SummaryColumnCount(2), 10);
  EXPECT_EQ(SummaryColumnCount(3), 2 + 3 + 3 + 4);
  EXPECT_EQ(SummaryColumnCount(14), 2 + 2 + 4 + 4 + 1);
}

TEST(SummaryDefs, InvertOrder) {
  const struct {
    const char* stored;
    const char* inverted;
  } cases[] = {
      {"id ASC", "id desc"},
      {"Title DESC", "Title asc"},
      {"LowBoundary DESC,id ASC", "LowBoundary asc,id ASC"},
      {"id asc", "id asc"}, // only capitals are recognised
      {"id", "id"},
  };
  for (const auto& c : cases) EXPECT_EQ(InvertOrder(c.stored), c.inverted) << c.stored;
}

class RecordingProgress : public ITwoBarProgress {
public:
  void ShowProgress() override {}
  void InitFirst(int) override {}
  void InitSecond(int total) override {
    Total = total;
    Steps = 0;
  }
  void IncFirst() override {}
  void IncSecond() override { ++Steps; }
  void HideProgress() override {}
  int Total = -1;
  int Steps = 0;
};

class SummaryWorkbook : public ::testing::Test {
protected:
  void SetUp() override {
    previousFolder_ = ProgramFolder();
    SetProgramFolder(copy_.Path());
    connection_.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + copy_.FilePath("2014NB_qz.mdb"));
    connection_.Open();
    // c901, level, state, z010 (yes/no), z011 and z012 (three-way), z013, h009 (four-way)
    const QVariantList records[] = {
        {110000000001LL, 1, 1, 1, 1, 2, 5, 1},
        {110000000002LL, 1, 2, 2, 3, 3, 7, 2},
        {110000000003LL, 3, 1, 0, 2, 1, 1, 3},
        {120000000001LL, 3, 1, 1, 1, 1, 0, 4},
    };
    for (const QVariantList& r : records)
      connection_.Execute("insert into dt_data (c901, c902, c904, c907, z010, z011, z012, z013, h009) "
                          "values (?, '单位', ?, ?, ?, ?, ?, ?, ?)",
                          r);
  }

  void TearDown() override {
    if (SummaryServer()) ShowSummaryWorkbook();
    SetProgramFolder(previousFolder_);
  }

  TWorksheet& Sheet(int n) { return SummaryServer()->ActiveWorkbook().Worksheets(n); }
  QVariant Cell(int sheet, int row, int col) { return Sheet(sheet).Cells(row, col).Value(); }

  void AddGroup(int id, const QString& order) {
    connection_.Execute("insert into ct_group (id, name, orderstr) values (?, '组', ?)", QVariantList{id, order});
  }
  void AddItem(int id, int group, const QString& title, const QString& lowSymbol, qint64 low, qint64 high) {
    connection_.Execute("insert into DT_GroupItem (id, GroupID, Title, LowSymbol, LowBoundary, HighSymbol, HighBoundary)"
                        " values (?, ?, ?, ?, ?, '<', ?)",
                        QVariantList{id, group, title, lowSymbol, low, high});
  }

  fwtest::ScopedUserFolders folders_;
  fwtest::ProgramFolderCopy copy_;
  fwtest::ScriptedHooks hooks_;
  TADOConnection connection_;
  RecordingProgress progress_;
  QString previousFolder_;
};

TEST_F(SummaryWorkbook, LevelRowsCountAnswersAndKeepEmptyLevels) {
  BuildSummaryWorkbook(connection_, progress_, 3, smLevels, 0);
  BuildSummaryWorkbook(connection_, progress_, 14, smLevels, 0);
  ASSERT_NE(SummaryServer(), nullptr);
  EXPECT_EQ(Cell(3, 2, 1).toString(), "工会层次");
  // Levels in ascending sequence from row 9: 未确定 (0), 省级总工会 (1), ... 其他基层以上工会 (11).
  EXPECT_EQ(Cell(3, 9, 1).toString(), "未确定");
  EXPECT_EQ(Cell(3, 10, 1).toString(), "省级总工会");
  EXPECT_EQ(Cell(3, 20, 1).toString(), "其他基层以上工会");
  EXPECT_FALSE(Cell(3, 21, 1).isValid());

  // Columns: z010 yes, no | z011 1, 2, 3 | z012 1, 2, 3 | z013 .. z016.
  const struct {
    int row;
    std::vector<double> values;
  } rows[] = {
      {10, {1, 1, 1, 0, 1, 0, 1, 1, 12}}, // level 1: answers 1 and 2
      {12, {1, 1, 1, 1, 0, 2, 0, 0, 1}},  // level 3: an answer 0 counts as "no"
  };
  for (const auto& r : rows)
    for (int i = 0; i < static_cast<int>(r.values.size()); ++i)
      EXPECT_EQ(Cell(3, r.row, 2 + i).toDouble(), r.values[i]) << "row " << r.row << " column " << 2 + i;
  // A level without records keeps its row with its name and empty cells.
  EXPECT_EQ(Cell(3, 11, 1).toString(), "地(市)级总工会");
  EXPECT_FALSE(Cell(3, 11, 2).isValid());
  // h009 four-way on sheet 14 (columns F..I): level 1 has a 1 and a 2, level 3 a 3 and a 4.
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Cell(14, 10, 6 + i).toDouble(), i < 2 ? 1 : 0) << i;
    EXPECT_EQ(Cell(14, 12, 6 + i).toDouble(), i < 2 ? 0 : 1) << i;
  }
  // Inserted rows keep the frame of the template's first data row; names are left-aligned.
  EXPECT_EQ(Sheet(3).Cells(20, 5).Borders().LineStyle(), xlContinuous);
  EXPECT_EQ(Sheet(3).Cells(15, 1).HorizontalAlignment(), xlLeft);
  EXPECT_GE(progress_.Total, progress_.Steps);
  EXPECT_EQ(progress_.Steps, 12 * (1 + SummaryColumnCount(14)));
  EXPECT_TRUE(hooks_.Messages.empty());
}

// Sums of amounts with two decimals: the engine adds them in binary and gives values
// such as 1549404.0200000003; every sum reaches the workbook as a number cell equal to the
// exact sum (computed here in whole cents) at the spreadsheet's 15 significant digits.
TEST_F(SummaryWorkbook, AmountSumsAreNumberCellsAtSpreadsheetPrecision) {
  connection_.Execute("delete from dt_data");
  quint32 seed = 12345;
  const auto nextCents = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<qint64>(seed % 500000000u); // up to 5,000,000.00
  };
  std::map<int, std::pair<qint64, qint64>> centsByLevel; // level -> (b004, b007) sums
  connection_.BeginTrans();
  for (int i = 0; i < 400; ++i) {
    const int level = 1 + i % 11;
    const qint64 b004 = nextCents(), b007 = nextCents();
    centsByLevel[level].first += b004;
    centsByLevel[level].second += b007;
    connection_.Execute("insert into dt_data (c901, c902, c904, c907, b004, b007) values (?, '单位', ?, 1, ?, ?)",
                        QVariantList{110000000001LL + i, level, b004 / 100.0, b007 / 100.0});
  }
  connection_.CommitTrans();
  const auto exact = [](qint64 cents) {
    return QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0')).toDouble();
  };

  BuildSummaryWorkbook(connection_, progress_, 6, smLevels, 0);
  // Levels 1..11 lie in rows 10..20; b004 in column F, b007 in column I.
  int checked = 0;
  for (const auto& [level, sums] : centsByLevel) {
    const int row = 9 + level;
    for (const auto& [column, cents] : {std::pair{6, sums.first}, std::pair{9, sums.second}}) {
      const QVariant value = Cell(6, row, column);
      ASSERT_EQ(value.typeId(), QMetaType::Double) << "row " << row << " column " << column;
      EXPECT_EQ(value.toDouble(), exact(cents)) << "row " << row << " column " << column;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 22);
}

TEST_F(SummaryWorkbook, StateRowsAndCounts) {
  BuildSummaryWorkbook(connection_, progress_, 2, smStates, 0);
  EXPECT_EQ(Cell(2, 2, 1).toString(), "填报状态");
  EXPECT_EQ(Cell(2, 10, 1).toString(), "正常填报");
  EXPECT_EQ(Cell(2, 10, 2).toDouble(), 3);
  EXPECT_EQ(Cell(2, 11, 2).toDouble(), 1);
  EXPECT_EQ(Cell(2, 14, 1).toString(), "本年度暂停活动");
  EXPECT_FALSE(Cell(2, 15, 1).isValid());
}

TEST_F(SummaryWorkbook, GroupItemsInTheGroupsOwnOrder) {
  const struct {
    const char* order;
    QStringList rows;
  } cases[] = {
      {"id ASC", {"北京's 单位", "天津", "全部"}},
      {"", {"北京's 单位", "天津", "全部"}},
      {"id DESC", {"全部", "天津", "北京's 单位"}},
      {"LowBoundary DESC", {"天津", "北京's 单位", "全部"}},
  };
  AddItem(1, 1, "北京's 单位", ">=", 110000000000LL, 120000000000LL);
  AddItem(2, 1, "天津", ">=", 120000000000LL, 130000000000LL);
  AddItem(3, 1, "全部", ">", 0, 999999999999LL);
  AddGroup(1, "id ASC");
  for (const auto& c : cases) {
    connection_.Execute("update ct_group set orderstr=? where id=1", QVariantList{QString::fromUtf8(c.order)});
    BuildSummaryWorkbook(connection_, progress_, 2, smGroup, 1);
    EXPECT_EQ(Cell(2, 2, 1).toString(), "分    组");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Cell(2, 9 + i, 1).toString(), c.rows[i]) << c.order << " row " << 9 + i;
    EXPECT_FALSE(Cell(2, 12, 1).isValid()) << c.order;
    ShowSummaryWorkbook();
  }
}

TEST_F(SummaryWorkbook, GroupItemSumsAndAllGroups) {
  AddGroup(1, "id ASC");
  AddGroup(2, "id ASC");
  AddItem(1, 1, "北京's 单位", ">=", 110000000000LL, 120000000000LL);
  AddItem(2, 2, "天津", ">=", 120000000000LL, 130000000000LL);
  BuildSummaryWorkbook(connection_, progress_, 3, smGroup, 1);
  EXPECT_EQ(Cell(3, 9, 1).toString(), "北京's 单位");
  EXPECT_EQ(Cell(3, 9, 2).toDouble(), 1);   // z010 yes
  EXPECT_EQ(Cell(3, 9, 3).toDouble(), 2);   // z010 no, the unanswered one included
  EXPECT_EQ(Cell(3, 9, 10).toDouble(), 13); // z013
  EXPECT_FALSE(Cell(3, 10, 1).isValid());
  EXPECT_EQ(progress_.Steps, progress_.Total);

  // Group 0: the items of every group.
  BuildSummaryWorkbook(connection_, progress_, 2, smGroup, 0);
  EXPECT_EQ(Cell(2, 9, 1).toString(), "北京's 单位");
  EXPECT_EQ(Cell(2, 9, 2).toDouble(), 3);
  EXPECT_EQ(Cell(2, 10, 1).toString(), "天津");
  EXPECT_EQ(Cell(2, 10, 2).toDouble(), 1);
}

TEST_F(SummaryWorkbook, DamagedGroupDataIsRefusedNotRun) {
  AddGroup(1, "id ASC; drop table dt_data");
  AddItem(1, 1, "甲", ">=", 110000000000LL, 120000000000LL);
  BuildSummaryWorkbook(connection_, progress_, 2, smGroup, 1); // the order falls back to id
  EXPECT_EQ(Cell(2, 9, 1).toString(), "甲");
  connection_.Execute("update DT_GroupItem set LowSymbol='>0 or 1=1 or c901' where id=1");
  EXPECT_THROW(BuildSummaryWorkbook(connection_, progress_, 2, smGroup, 1), EDatabaseError);
  // The message names the item by its title from the group file: one short line.
  connection_.Execute("update DT_GroupItem set Title=? where id=1",
                      QVariantList{QStringLiteral("<br>甲\n") + QString(1 << 18, QLatin1Char('x'))});
  try {
    BuildSummaryWorkbook(connection_, progress_, 2, smGroup, 1);
    ADD_FAILURE() << "not refused";
  } catch (const EDatabaseError& e) {
    EXPECT_TRUE(e.Message().startsWith(QStringLiteral("分组项“<br>甲 xxx"))) << e.Message().left(40).toStdString();
    EXPECT_LT(e.Message().size(), 2 * kShownLabelLength);
  }
}

// A run that fails on the database or on the workbook lets go of its half-filled
// workbook: nothing is shown, and the next run writes into a fresh one.
TEST_F(SummaryWorkbook, AFailedRunLeavesTheNextRunAFreshWorkbook) {
  AddGroup(1, "id ASC");
  AddItem(1, 1, "甲", ">=", 110000000000LL, 120000000000LL);
  connection_.Execute("update DT_GroupItem set LowSymbol='>0 or 1=1 or c901' where id=1");
  struct Case {
    const char* name;
    std::function<void()> failingSheet;
  };
  const Case cases[] = {
      {"database error",
       [&] { EXPECT_THROW(BuildSummaryWorkbook(connection_, progress_, 2, smGroup, 1), EDatabaseError); }},
      {"sheet error",
       [&] {
         // The run's workbook has lost the sheet to be filled.
         SummaryServer()->ActiveWorkbook().Sheets(19).Delete();
         EXPECT_THROW(BuildSummaryWorkbook(connection_, progress_, 19, smLevels, 0), ESheetError);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BuildSummaryWorkbook(connection_, progress_, 2, smLevels, 0);
    ASSERT_EQ(Cell(2, 2, 1).toString(), "工会层次");
    c.failingSheet();
    EXPECT_EQ(SummaryServer(), nullptr);
    ShowSummaryWorkbook();
    EXPECT_TRUE(hooks_.Opened.isEmpty());

    BuildSummaryWorkbook(connection_, progress_, 3, smStates, 0);
    // The first run's sheet 2 is not in the new workbook.
    EXPECT_TRUE(Sheet(2).Cells(2, 1).IsEmpty());
    EXPECT_TRUE(Sheet(2).Cells(9, 1).IsEmpty());
    EXPECT_EQ(Cell(3, 2, 1).toString(), "填报状态");
    DiscardSummaryWorkbook();
  }
}

// The run's guard lets go of the workbook on a path that never reaches the showing.
TEST_F(SummaryWorkbook, TheRunsGuardLetsGoOfAnUnshownWorkbook) {
  {
    TSummaryRun run;
    BuildSummaryWorkbook(connection_, progress_, 2, smLevels, 0);
    ASSERT_NE(SummaryServer(), nullptr);
  }
  EXPECT_EQ(SummaryServer(), nullptr);
  EXPECT_TRUE(hooks_.Opened.isEmpty());
}

TEST_F(SummaryWorkbook, SheetsOutsideTwoToNineteenChangeNothing) {
  for (int sheet : {0, 1, 20}) BuildSummaryWorkbook(connection_, progress_, sheet, smLevels, 0);
  EXPECT_EQ(SummaryServer(), nullptr);
  BuildSummaryWorkbook(connection_, progress_, 2, smLevels, 0);
  const QVariant before = Cell(1, 5, 1);
  BuildSummaryWorkbook(connection_, progress_, 1, smLevels, 0);
  EXPECT_EQ(Cell(1, 5, 1), before);
  EXPECT_TRUE(Sheet(1).Cells(2, 1).IsEmpty());
}

TEST_F(SummaryWorkbook, CaptionGoesToA3WhenA2HoldsText) {
  const QString path = ProgramFile(kSummaryTemplateName);
  {
    auto app = CreateOleObject("Excel.Application");
    TWorkbook& book = app->Workbooks().Open(path);
    book.Sheets(5).Range("A2").SetValue("单位：个");
    book.SaveAs(path);
  }
  BuildSummaryWorkbook(connection_, progress_, 5, smStates, 0);
  EXPECT_EQ(Cell(5, 2, 1).toString(), "单位：个");
  EXPECT_EQ(Cell(5, 3, 1).toString(), "填报状态");
}

TEST_F(SummaryWorkbook, MissingTemplateIsReportedAndTheNextSheetTriesAgain) {
  const QString path = ProgramFile(kSummaryTemplateName);
  ASSERT_TRUE(QFile::rename(path, path + ".away"));
  BuildSummaryWorkbook(connection_, progress_, 2, smLevels, 0);
  ASSERT_EQ(hooks_.Messages.size(), 1u);
  EXPECT_EQ(hooks_.Messages[0].Text, "打开汇总模版文件时发生错误，可能是没有安装MS Office或者WPS Office中的Excel");
  EXPECT_EQ(SummaryServer(), nullptr);
  ShowSummaryWorkbook(); // nothing to show
  EXPECT_TRUE(hooks_.Opened.isEmpty());

  ASSERT_TRUE(QFile::rename(path + ".away", path));
  BuildSummaryWorkbook(connection_, progress_, 2, smLevels, 0);
  EXPECT_NE(SummaryServer(), nullptr);
  EXPECT_EQ(hooks_.Messages.size(), 1u);
}

TEST_F(SummaryWorkbook, ShownWorkbookHoldsTheSheetsAndTheServerIsReleased) {
  connection_.Execute("update dt_data set g002 = 40 where c901 = 110000000001");
  BuildSummaryWorkbook(connection_, progress_, 2, smLevels, 0);
  BuildSummaryWorkbook(connection_, progress_, 19, smLevels, 0);
  ShowSummaryWorkbook();
  EXPECT_EQ(SummaryServer(), nullptr);
  ASSERT_EQ(hooks_.Opened.size(), 1);
  EXPECT_TRUE(hooks_.Opened[0].startsWith(folders_.CacheDir()));

  auto app = CreateOleObject("Excel.Application");
  TWorkbook& shown = app->Workbooks().Open(hooks_.Opened[0]);
  EXPECT_EQ(shown.Sheets().Count(), 19);
  EXPECT_EQ(shown.Sheets(2).Range("B10").Value().toDouble(), 2);
  EXPECT_EQ(shown.Sheets(19).Range("C10").Value().toDouble(), 40);
  EXPECT_EQ(shown.Sheets(19).Range("A2").Value().toString(), "工会层次");
}

} // namespace
