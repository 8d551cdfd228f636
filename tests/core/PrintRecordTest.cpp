// Printing a record into the print template: values land in the cells the field list
// names, the workbook is shown with sheet 1 active, and the progress window is hidden on
// every path.
#include "core/PrintRecord.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/shell/Folders.h"
#include "platform/sheet/SheetApplication.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using namespace fw;

class RecordingProgress : public IProgress {
public:
  void ShowProgress(const QString&) override { Calls << "show"; }
  void StartProgress(int total, int position) override { Calls << QStringLiteral("start %1 %2").arg(total).arg(position); }
  void StepProgress() override { ++Steps; }
  void HideProgress() override { Calls << "hide"; }
  int Percent() const override { return 0; }
  QStringList Calls;
  int Steps = 0;
};

constexpr double kCode = 110000000001.0;

class PrintRecord : public ::testing::Test {
protected:
  void SetUp() override {
    previousFolder_ = ProgramFolder();
    SetProgramFolder(copy_.Path());
    connection_.SetConnectionString("Data Source=" + copy_.FilePath("2014NB_qz.mdb"));
    connection_.Open();
    connection_.Execute("insert into dt_data (c901, c902, c903, c904, c905, c906, c907, z001, z002, b039, g004) "
                        "values (110000000001, '北京市''测试''工会', 110101, 1, '张三', '010-12345678', 1, 3, NULL, "
                        "12.5, 7)");
  }
  void TearDown() override { SetProgramFolder(previousFolder_); }

  // The workbook the default program was given.
  TWorkbook& Shown() {
    EXPECT_EQ(hooks_.Opened.size(), 1);
    app_ = CreateOleObject("Excel.Application");
    return app_->Workbooks().Open(hooks_.Opened.value(0));
  }

  fwtest::ScopedUserFolders folders_;
  fwtest::ProgramFolderCopy copy_;
  fwtest::ScriptedHooks hooks_;
  TADOConnection connection_;
  RecordingProgress progress_;
  QString previousFolder_;
  std::unique_ptr<TSheetApplication> app_;
};

TEST_F(PrintRecord, ValuesLandInTheirPrintPlaces) {
  ASSERT_TRUE(PrintSurveyRecord(connection_, kCode, progress_));
  TWorkbook& book = Shown();
  EXPECT_EQ(book.ActiveSheet().Index(), 1);
  const struct {
    int sheet;
    const char* cell;
    QVariant value;
  } cells[] = {
      {1, "D5", 110000000001.0}, {1, "D6", "北京市'测试'工会"}, {1, "D8", 1.0},  {1, "D10", "010-12345678"},
      {1, "D9", "张三"},          {2, "D5", 3.0},                 {5, "D43", 12.5}, {12, "D8", 7.0},
  };
  for (const auto& c : cells)
    EXPECT_EQ(book.Sheets(c.sheet).Range(c.cell).Value(), c.value) << c.sheet << " " << c.cell;
  // An empty value leaves its cell empty; the labels of the template stay.
  EXPECT_FALSE(book.Sheets(2).Range("D6").Value().isValid());
  EXPECT_EQ(book.Sheets(2).Range("B6").Value().toString(), "配备专职主席的基层工会数");
  // The unit code is shown in full.
  EXPECT_EQ(book.Sheets(1).Range("D5").Text(), "110000000001");
  EXPECT_EQ(progress_.Calls, QStringList({"show", "start 12 0", "hide"}));
  EXPECT_EQ(progress_.Steps, 12);
  EXPECT_TRUE(hooks_.Messages.empty());
}

// Numbers reach the workbook as numbers at the spreadsheet's precision of 15 significant
// digits, never through a text the workbook would keep as text; texts stay texts.
TEST_F(PrintRecord, NumbersAreNumberCells) {
  connection_.Execute("update dt_data set b038 = 0.1 + 0.2, b039 = 1.0 / 3, c906 = '0123'");
  ASSERT_TRUE(PrintSurveyRecord(connection_, kCode, progress_));
  TWorkbook& book = Shown();
  const QVariant sum = book.Sheets(5).Range("D42").Value();
  const QVariant third = book.Sheets(5).Range("D43").Value();
  ASSERT_EQ(sum.typeId(), QMetaType::Double);
  ASSERT_EQ(third.typeId(), QMetaType::Double);
  EXPECT_EQ(sum.toDouble(), 0.3);
  EXPECT_EQ(third.toDouble(), 0.333333333333333);
  EXPECT_EQ(book.Sheets(1).Range("D5").Value(), QVariant(110000000001.0));
}

TEST_F(PrintRecord, CurrentRecordOfADataSet) {
  connection_.Execute("insert into dt_data (c901, c902, c904, c907, z001) values (110000000002, '二', 1, 1, 9)");
  TADOQuery list(&connection_);
  list.SetSQL("select * from view_data order by c901");
  list.Open();
  list.Last();
  ASSERT_TRUE(PrintSurveyRecord(connection_, list, progress_));
  EXPECT_EQ(Shown().Sheets(2).Range("D5").Value().toDouble(), 9);
}

// The fallback server fills the same cells and fits the first four columns of the last
// filled sheet; the other sheets keep the template's widths.
TEST_F(PrintRecord, FallbackServerFitsTheLastSheetsColumns) {
  ASSERT_TRUE(PrintSurveyRecord(connection_, kCode, progress_));
  double templateWidths[2][4];
  {
    TWorkbook& book = Shown();
    for (int col = 1; col <= 4; ++col) {
      templateWidths[0][col - 1] = book.Sheets(11).Columns(col).ColumnWidth();
      templateWidths[1][col - 1] = book.Sheets(12).Columns(col).ColumnWidth();
    }
  }
  hooks_.Opened.clear();
  ASSERT_TRUE(PrintRecordViaEt(connection_, kCode, progress_));
  TWorkbook& book = Shown();
  EXPECT_EQ(book.Sheets(12).Range("D8").Value().toDouble(), 7);
  bool fitted = false;
  for (int col = 1; col <= 4; ++col) {
    EXPECT_EQ(book.Sheets(11).Columns(col).ColumnWidth(), templateWidths[0][col - 1]) << col;
    fitted = fitted || book.Sheets(12).Columns(col).ColumnWidth() != templateWidths[1][col - 1];
  }
  EXPECT_TRUE(fitted);
}

TEST_F(PrintRecord, TwoLetterColumnsAreAddressedInFull) {
  connection_.Execute("update dt_fieldlist set printplace='AB7' where FieldName='z001'");
  ASSERT_TRUE(PrintSurveyRecord(connection_, kCode, progress_));
  EXPECT_EQ(Shown().Sheets(2).Range("AB7").Value().toDouble(), 3);
}

TEST_F(PrintRecord, NoPagesStillShowsTheTemplate) {
  connection_.Execute("update dt_fieldlist set pageid=-1");
  ASSERT_TRUE(PrintSurveyRecord(connection_, kCode, progress_));
  TWorkbook& book = Shown();
  EXPECT_EQ(book.Sheets().Count(), 12);
  EXPECT_EQ(book.ActiveSheet().Index(), 1);
  EXPECT_TRUE(book.Sheets(1).Range("D5").IsEmpty());
  EXPECT_EQ(progress_.Calls, QStringList({"show", "start 0 0", "hide"}));
}

TEST_F(PrintRecord, MissingTemplateIsReported) {
  ASSERT_TRUE(QFile::remove(ProgramFile(kPrintTemplateName)));
  EXPECT_FALSE(PrintSurveyRecord(connection_, kCode, progress_));
  ASSERT_EQ(hooks_.Messages.size(), 1u);
  EXPECT_EQ(hooks_.Messages[0].Text, "打开汇总模版文件时发生错误，可能是没有安装MS Office或wps Office中的Excel");
  EXPECT_TRUE(hooks_.Opened.isEmpty());
  EXPECT_TRUE(progress_.Calls.isEmpty());
}

TEST_F(PrintRecord, ErrorsHideTheProgressAndShowNothing) {
  const struct {
    const char* change;
    bool sheetError;
  } cases[] = {
      {"update dt_fieldlist set printplace='D 5 x' where FieldName='z003'", true},
      {"update dt_fieldlist set printPageID=13 where FieldName='g004'", true},
      {"update dt_fieldlist set FieldName='z999' where FieldName='z004'", false},
  };
  for (const auto& c : cases) {
    connection_.BeginTrans();
    connection_.Execute(c.change);
    RecordingProgress progress;
    if (c.sheetError)
      EXPECT_THROW(PrintSurveyRecord(connection_, kCode, progress), ESheetError) << c.change;
    else
      EXPECT_THROW(PrintSurveyRecord(connection_, kCode, progress), EDatabaseError) << c.change;
    EXPECT_EQ(progress.Calls.value(progress.Calls.size() - 1), "hide") << c.change;
    connection_.RollbackTrans();
  }
  EXPECT_TRUE(hooks_.Opened.isEmpty());
}

TEST_F(PrintRecord, UnknownRecordIsAnError) {
  EXPECT_THROW(PrintSurveyRecord(connection_, 999999999999.0, progress_), EDatabaseError);
  EXPECT_TRUE(progress_.Calls.isEmpty());
  EXPECT_TRUE(hooks_.Opened.isEmpty());
}

} // namespace
