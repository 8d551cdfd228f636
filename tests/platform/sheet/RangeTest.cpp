#include "platform/sheet/SheetApplication.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using fw::TWorksheet;

class Range : public ::testing::Test {
protected:
  std::unique_ptr<fw::TSheetApplication> app_ = fw::CreateOleObject("Excel.Application");
  TWorksheet& sheet_ = app_->Workbooks().Add().Sheets(1);

  TWorksheet& SaveAndReopen() {
    sheet_.Parent().SaveAs(dir_.filePath("range.xlsx"));
    return app_->Workbooks().Open(dir_.filePath("range.xlsx")).Sheets(1);
  }

  QTemporaryDir dir_;
};

TEST_F(Range, AddressesOfSubRanges) {
  const fw::TRange block = sheet_.Range("B2:D4");
  const struct {
    fw::TRange Range;
    const char* Address;
  } cases[] = {
      {block, "B2:D4"},
      {block.Cells(2, 2), "C3"},
      {block.Rows(2), "B3:D3"},
      {block.Columns(3), "D2:D4"},
      {block.EntireRow(), "2:4"},
      {block.EntireColumn(), "B:D"},
      {sheet_.Range("c:a"), "A:C"},
      {sheet_.Range("$AB$12"), "AB12"},
      {sheet_.Columns("AB"), "AB:AB"},
      {sheet_.Rows(7), "7:7"},
      {sheet_.Range(sheet_.Cells(5, 5), sheet_.Cells(1, 2)), "B1:E5"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Range.Address(), c.Address);
  EXPECT_EQ(block.Cells(0, 1).Address(), "B1"); // offsets may leave the range, as before it
  EXPECT_THROW(block.Cells(-1, 1), fw::ESheetError);
  EXPECT_THROW(block.Cells(2147483647, 1), fw::ESheetError);
}

TEST_F(Range, RowAndColumnFormatsReachCellsWrittenLater) {
  sheet_.Columns(2).SetNumberFormatLocal("@");
  sheet_.Rows(3).Font().SetBold(true);
  sheet_.Cells(5, 2).SetValue("007");
  sheet_.Cells(3, 4).SetValue("12");
  sheet_.Cells(3, 2).SetValue("008");
  sheet_.Cells(5, 1).SetValue("9");
  TWorksheet& back = SaveAndReopen();
  EXPECT_EQ(back.Cells(5, 2).Value(), "007");
  EXPECT_EQ(back.Cells(3, 4).Value(), 12.0);
  EXPECT_TRUE(back.Cells(3, 4).Font().Bold());
  EXPECT_EQ(back.Cells(3, 2).Value(), "008"); // where both meet, both formats hold
  EXPECT_TRUE(back.Cells(3, 2).Font().Bold());
  EXPECT_EQ(back.Cells(5, 1).Value(), 9.0);
  EXPECT_FALSE(back.Cells(5, 1).Font().Bold());
  EXPECT_EQ(back.Columns(2).NumberFormatLocal(), "@");
}

TEST_F(Range, AlignmentsFontsAndSizesSurviveSaving) {
  const int alignments[] = {fw::xlLeft, fw::xlCenter, fw::xlRight, fw::xlJustify, fw::xlGeneral};
  for (int i = 0; i < 5; ++i) {
    sheet_.Cells(1, i + 1).SetValue(i);
    sheet_.Cells(1, i + 1).SetHorizontalAlignment(alignments[i]);
  }
  sheet_.Range("A2").SetVerticalAlignment(fw::xlTop);
  sheet_.Range("A3").SetWrapText(true);
  sheet_.Range("A4").Font().SetName("黑体");
  sheet_.Range("A4").Font().SetSize(18);
  sheet_.Range("A4").Font().SetItalic(true);
  sheet_.Range("A5:B6").Borders().SetLineStyle(fw::xlContinuous);
  sheet_.Range("A5").Borders().SetLineStyle(fw::xlLineStyleNone);
  TWorksheet& back = SaveAndReopen();
  for (int i = 0; i < 5; ++i) EXPECT_EQ(back.Cells(1, i + 1).HorizontalAlignment(), alignments[i]) << i;
  EXPECT_EQ(back.Range("A2").VerticalAlignment(), fw::xlTop);
  EXPECT_EQ(back.Range("B2").VerticalAlignment(), fw::xlBottom);
  EXPECT_TRUE(back.Range("A3").WrapText());
  EXPECT_EQ(back.Range("A4").Font().Name(), "黑体");
  EXPECT_DOUBLE_EQ(back.Range("A4").Font().Size(), 18);
  EXPECT_TRUE(back.Range("A4").Font().Italic());
  EXPECT_EQ(back.Range("A5").Borders().LineStyle(), fw::xlLineStyleNone);
  EXPECT_EQ(back.Range("B6").Borders().LineStyle(), fw::xlContinuous);
  EXPECT_THROW(back.Range("A1").Font().SetSize(0), fw::ESheetError);
  EXPECT_THROW(back.Columns(1).SetColumnWidth(300), fw::ESheetError);
}

TEST_F(Range, MergingAbsorbsOverlappingAreasAndKeepsTheFirstValue) {
  const struct {
    std::vector<const char*> Existing;
    const char* Merged;
    const char* Area; // the merge area of the merged range's first cell afterwards
    size_t Count;
  } cases[] = {
      {{}, "A1:C1", "A1:C1", 1},
      {{"A1:B2"}, "B2:C3", "A1:C3", 1},
      {{"A1:B2", "D1:E1"}, "B1:D1", "A1:E2", 1},
      {{"A5:B5"}, "A1:C1", "A1:C1", 2},
      {{}, "B2", "B2", 0}, // a single cell is no merged area
  };
  for (const auto& c : cases) {
    TWorksheet& sheet = app_->Workbooks().Add().Sheets(1);
    for (const char* area : c.Existing) sheet.Range(area).Merge();
    sheet.Range(c.Merged).Merge();
    EXPECT_EQ(sheet.Range(c.Merged).MergeArea().Address(), c.Area) << c.Merged;
    EXPECT_EQ(sheet.Content().Merges().size(), c.Count) << c.Merged;
  }
  sheet_.Range("A1").SetValue("留");
  sheet_.Range("B1").SetValue("去");
  sheet_.Range("A1:B1").SetMergeCells(true);
  EXPECT_EQ(sheet_.Range("A1").Value(), "留");
  EXPECT_TRUE(sheet_.Range("B1").IsEmpty());
  sheet_.Range("B1").UnMerge();
  EXPECT_FALSE(sheet_.Range("A1:B1").MergeCells());
}

TEST_F(Range, BlockValuesAndClearing) {
  sheet_.Range("A1:B2").SetValue(5);
  sheet_.Range("A1:B2").SetNumberFormatLocal("0.00");
  EXPECT_EQ(sheet_.Range("B2").Text(), "5.00");
  sheet_.Range("A1:A2").ClearContents();
  EXPECT_TRUE(sheet_.Range("A2").IsEmpty());
  EXPECT_EQ(sheet_.Range("A2").NumberFormatLocal(), "0.00"); // the format stays
  sheet_.Columns(2).SetValue("列"); // on a whole column: the used cells only
  EXPECT_EQ(sheet_.Range("B1").Value(), "列");
  EXPECT_TRUE(sheet_.Range("B3").IsEmpty());
  EXPECT_EQ(sheet_.UsedRange().Address(), "A1:B2");
}

TEST_F(Range, InsertingPastTheLastRowIsRefused) {
  sheet_.Cells(fw::kMaxSheetRows, 1).SetValue("末行");
  sheet_.Cells(5, 1).SetValue("五");
  EXPECT_THROW(sheet_.Rows(5).Insert(), fw::ESheetError);
  EXPECT_EQ(sheet_.Cells(5, 1).Value(), "五");
  EXPECT_EQ(sheet_.Cells(fw::kMaxSheetRows, 1).Value(), "末行");
  sheet_.Cells(fw::kMaxSheetRows, 1).ClearContents();
  sheet_.Rows(fw::kMaxSheetRows).AutoFit();
  sheet_.Content().Rows().erase(fw::kMaxSheetRows);
  sheet_.Rows(5, 6).Insert(); // two rows at once
  EXPECT_EQ(sheet_.Cells(7, 1).Value(), "五");
}

} // namespace
