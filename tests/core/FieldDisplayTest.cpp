// The main list's field display: the fields by page, and saving the visible ones in one
// transaction.
#include "core/FieldDisplay.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "tests/core/WorkingDatabase.h"

#include <gtest/gtest.h>

namespace {

using namespace fw;
using fwtest::WorkingDatabase;

// The FieldName of every field row of dt_fieldlist that is visible.
QStringList VisibleFields(TADOConnection& connection) {
  TADOQuery query(&connection);
  query.SetSQL(QStringLiteral("select FieldName from dt_fieldlist where Visible<>0 order by sequence"));
  query.Open();
  QStringList names;
  for (; !query.Eof(); query.Next()) names << query.Fields(0)->AsString();
  return names;
}

TEST(FieldDisplay, ReadsTheFieldsOfEveryPageInOrder) {
  WorkingDatabase db;
  const std::vector<TFieldDisplayItem> items = ReadFieldDisplay(db.Connection);
  ASSERT_EQ(items.size(), 7u + 156u); // the cover and the indicators; the record state is on no page
  EXPECT_EQ(items.front().FieldName, QStringLiteral("c901"));
  EXPECT_EQ(items.front().SheetName, QStringLiteral("封面"));
  EXPECT_EQ(items.front().PageID, 0);
  EXPECT_EQ(items.back().FieldName, QStringLiteral("g004"));
  EXPECT_EQ(items.back().SheetName, QStringLiteral("表11"));
  for (size_t i = 1; i < items.size(); ++i) EXPECT_LE(items[i - 1].PageID, items[i].PageID);
  const auto filler = std::find_if(items.begin(), items.end(), [](const auto& f) { return f.FieldName == "c905"; });
  ASSERT_NE(filler, items.end());
  EXPECT_FALSE(filler->Visible);
  EXPECT_EQ(filler->Hint, QStringLiteral("填表人"));
}

TEST(FieldDisplay, SavingShowsExactlyTheChosenFields) {
  WorkingDatabase db;
  const std::vector<TFieldDisplayItem> items = ReadFieldDisplay(db.Connection);
  SaveVisibleFields(db.Connection, {});
  EXPECT_EQ(VisibleFields(db.Connection), QStringList{"RecordState"});

  std::vector<int> chosen;
  for (const auto& item : items)
    if (item.FieldName == "c902" || item.FieldName == "z003" || item.FieldName == "g004") chosen.push_back(item.Id);
  SaveVisibleFields(db.Connection, chosen);
  EXPECT_EQ(VisibleFields(db.Connection), (QStringList{"RecordState", "c902", "z003", "g004"}));
}

TEST(FieldDisplay, AFailedSaveKeepsThePreviousChoice) {
  WorkingDatabase db;
  const QStringList before = VisibleFields(db.Connection);
  db.Connection.Execute(QStringLiteral("create trigger refuse_z005 after update on dt_fieldlist "
                                       "when NEW.FieldName = 'z005' and NEW.Visible <> 0 "
                                       "begin select raise(abort, 'refused'); end"));
  std::vector<int> chosen;
  for (const auto& item : ReadFieldDisplay(db.Connection))
    if (item.FieldName == "c901" || item.FieldName == "z005") chosen.push_back(item.Id);
  EXPECT_THROW(SaveVisibleFields(db.Connection, chosen), EDatabaseError);
  EXPECT_FALSE(db.Connection.InTransaction());
  EXPECT_EQ(VisibleFields(db.Connection), before);
}

} // namespace
