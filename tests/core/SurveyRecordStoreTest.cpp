// One survey record as the entry form reads and stores it: the field list, the code
// proposed for a new record, and the store in one transaction that leaves the row as it
// was when any part of it fails.
#include "core/SurveyRecordStore.h"

#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "tests/core/WorkingDatabase.h"

#include <gtest/gtest.h>

namespace {

using namespace fw;

class SurveyRecordStoreTest : public ::testing::Test {
protected:
  SurveyRecordStoreTest() : Record(&Db.Connection), Tool(&Db.Connection) {
    Record.SetSQL(QStringLiteral("SELECT * from dt_data Where c901=:ReocrdID"));
  }
  void OpenRecord(qint64 code) {
    Record.Close();
    Record.ParamByName(QStringLiteral("ReocrdID")).SetValue(QVariant::fromValue(code));
    Record.Open();
  }

  fwtest::WorkingDatabase Db;
  TADOQuery Record;
  TADOQuery Tool;
};

TEST_F(SurveyRecordStoreTest, FieldListFollowsSequenceWithTypesAndRules) {
  const TEntryFieldList fields = LoadEntryFields(Db.Connection);
  ASSERT_EQ(fields.size(), 164u);
  EXPECT_EQ(fields.front().FieldName, "RecordState"); // sequence 0
  EXPECT_EQ(fields[1].FieldName, "c901");
  EXPECT_EQ(fields[1].QueryType, 2);
  EXPECT_EQ(fields[2].QueryType, 1); // c902 text
  int sheetFields = 0;
  for (const TEntryField& f : fields) {
    if (f.PageID >= 1) ++sheetFields;
    if (f.FieldName == "x001") {
      EXPECT_EQ(f.Rule, "<4");
    }
    if (f.FieldName == "g001") {
      EXPECT_EQ(f.Rule, "in [1,2,4]");
    }
    if (f.FieldName == "z010") {
      EXPECT_EQ(f.QueryType, 3);
    }
  }
  EXPECT_EQ(sheetFields, 156);
}

TEST_F(SurveyRecordStoreTest, NextCodeIsLargestPlusOneOrZero) {
  EXPECT_EQ(NextUnitCode(Tool), 0);
  Db.Add({{110101000007LL, "甲"}, {110101000003LL, "乙"}});
  EXPECT_EQ(NextUnitCode(Tool), 110101000008.0);
}

TEST_F(SurveyRecordStoreTest, StoreWritesValuesAndTheModesState) {
  OpenRecord(0);
  StoreSurveyRecord(Record, true, {{"c901", 110101000001LL}, {"c902", "工会'名\""}, {"z001", 12}}, TStoreMode::smHold);
  ASSERT_EQ(Db.Rows().size(), 1u);
  OpenRecord(110101000001LL);
  EXPECT_EQ(Record.FieldByName("c902")->AsString(), "工会'名\"");
  EXPECT_EQ(Record.FieldByName("RecordState")->AsInteger(), 0);
  StoreSurveyRecord(Record, false, {{"z001", 13}}, TStoreMode::smSaveWithErrors);
  OpenRecord(110101000001LL);
  EXPECT_EQ(Record.FieldByName("z001")->AsInteger(), 13);
  EXPECT_EQ(Record.FieldByName("RecordState")->AsInteger(), 2);
  StoreSurveyRecord(Record, false, {}, TStoreMode::smSaveClean);
  OpenRecord(110101000001LL);
  EXPECT_EQ(Record.FieldByName("RecordState")->AsInteger(), 1);
}

// Any failure - the engine refusing the row, or a column the table does not have - leaves
// every row as it was, and the data set browsing again.
TEST_F(SurveyRecordStoreTest, FailureLeavesTheRowsAsTheyWere) {
  Db.Add({{110101000001LL, "甲", 1, 5, 2.5}});
  Db.Connection.Execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON dt_data WHEN NEW.z002 = 9 "
                                       "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
  const auto before = Db.Rows();
  OpenRecord(110101000001LL);
  EXPECT_THROW(StoreSurveyRecord(Record, false, {{"z001", 6}, {"z002", 9}}, TStoreMode::smSaveClean), EDatabaseError);
  EXPECT_EQ(Db.Rows(), before);
  EXPECT_EQ(Record.State(), dsBrowse);
  EXPECT_FALSE(Db.Connection.InTransaction());
  EXPECT_THROW(StoreSurveyRecord(Record, false, {{"z001", 6}, {"nosuchcolumn", 1}}, TStoreMode::smSaveClean),
               EDatabaseError);
  EXPECT_EQ(Db.Rows(), before);
  EXPECT_THROW(StoreSurveyRecord(Record, true, {{"c901", 110101000001LL}}, TStoreMode::smHold), EDatabaseError);
  EXPECT_EQ(Db.Rows(), before);
  // The data set still stores once the cause is gone.
  StoreSurveyRecord(Record, false, {{"z001", 6}}, TStoreMode::smSaveClean);
  EXPECT_EQ(Db.Rows().size(), 1u);
}

} // namespace
