// Data sets as a client-side static cursor: navigation, fields, bookmarks, locate,
// sort, filter, edits written back through tables and views, and notices.

#include "DbTestSupport.h"

#include "platform/db/AdoQuery.h"
#include "platform/db/AdoTable.h"
#include "platform/db/DataSource.h"
#include "platform/db/DbError.h"
#include "platform/db/Sql.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

class DataSetTest : public ::testing::Test, public fwtest::DbFixtureBase {
protected:
  std::unique_ptr<TADOQuery> Query(const QString& sql) {
    auto q = std::make_unique<TADOQuery>(&Db);
    q->SQL().Clear();
    q->SQL().Add(sql);
    q->Open();
    return q;
  }
  QStringList Column(TDataSet& ds, const QString& field) {
    QStringList values;
    for (ds.First(); !ds.Eof(); ds.Next()) values << ds.FieldByName(field)->AsString();
    return values;
  }
};

TEST_F(DataSetTest, NavigationCountsAndRecordNumbers) {
  auto q = Query("select * from dt_data order by c901");
  EXPECT_EQ(q->RecordCount(), 4);
  EXPECT_TRUE(q->Bof());
  EXPECT_FALSE(q->Eof());
  EXPECT_EQ(q->RecNo(), 1);
  q->Next();
  q->Next();
  EXPECT_EQ(q->RecNo(), 3);
  q->Last();
  EXPECT_TRUE(q->Eof());
  EXPECT_EQ(q->FieldByName("c902")->AsString(), "Delta's");
  q->Prior();
  EXPECT_EQ(q->RecNo(), 3);
  q->SetRecNo(2);
  EXPECT_EQ(q->FieldByName("C902")->AsString(), "beta");
  q->Next();
  q->Next();
  q->Next();
  EXPECT_TRUE(q->Eof());
  EXPECT_EQ(q->RecNo(), 4);

  auto empty = Query("select * from dt_data where c901 = 0");
  EXPECT_TRUE(empty->IsEmpty());
  EXPECT_TRUE(empty->Bof());
  EXPECT_TRUE(empty->Eof());
  EXPECT_EQ(empty->RecNo(), 0);
}

TEST_F(DataSetTest, FieldsReadAsJetReadsThem) {
  auto q = Query("select c901, c902, c904, z002, 1.0 * c901 as f901, RecordState from dt_data where c901 = 123456789012");
  EXPECT_EQ(q->FieldCount(), 6);
  EXPECT_EQ(q->FieldByName("c901")->AsString(), "123456789012");
  EXPECT_EQ(q->FieldByName("f901")->AsString(), "123456789012");
  EXPECT_EQ(q->FieldByName("c901")->AsFloat(), 123456789012.0);
  EXPECT_EQ(q->FieldByName("c901")->AsLargeInt(), 123456789012LL);
  EXPECT_THROW(q->FieldByName("c901")->AsInteger(), EDatabaseError);
  EXPECT_EQ(q->FieldByName("z002")->AsString(), "4.25");
  EXPECT_EQ(q->FieldByName("c904")->AsInteger(), 30);
  EXPECT_TRUE(q->FieldByName("recordstate")->AsBoolean());
  EXPECT_EQ(q->FieldByName("c902")->DataType(), ftWideString);
  EXPECT_EQ(q->FieldByName("c902")->Size(), 50);
  EXPECT_EQ(q->FieldByName("z002")->DataType(), ftFloat);
  EXPECT_EQ(q->FieldByName("c904")->DataType(), ftInteger);
  EXPECT_EQ(q->FieldByName("c901")->DataType(), ftLargeint);
  EXPECT_EQ(q->Fields(1)->FieldName(), "c902");
  EXPECT_EQ(q->FindField("nope"), nullptr);
  try {
    q->FieldByName("nope");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Field 'nope' not found");
  }
  auto nulls = Query("select z002 from dt_data where c901 = 100000000003");
  EXPECT_TRUE(nulls->Fields(0)->IsNull());
  EXPECT_EQ(nulls->Fields(0)->AsString(), "");
  EXPECT_EQ(nulls->Fields(0)->AsFloat(), 0.0);
  EXPECT_FALSE(nulls->Fields(0)->AsVariant().isValid());
}

TEST_F(DataSetTest, BookmarksSurviveRequeryAndRefuseVanishedRows) {
  auto q = Query("select * from dt_data order by c901");
  q->SetRecNo(3);
  TBookmark third = q->GetBookmark();
  q->SetRecNo(2);
  TBookmark second = q->GetBookmark();
  Db.Execute("insert into dt_data (c901, c902) values (100000000000, 'first now')");
  Db.Execute("delete from dt_data where c901 = 100000000002");
  q->Requery();
  EXPECT_EQ(q->RecNo(), 1);
  EXPECT_TRUE(q->BookmarkValid(third));
  q->GotoBookmark(third);
  EXPECT_EQ(q->FieldByName("c902")->AsString(), "Gamma");
  EXPECT_EQ(q->RecNo(), 3);
  EXPECT_FALSE(q->BookmarkValid(second));
  EXPECT_THROW(q->GotoBookmark(second), EDatabaseError);
  EXPECT_EQ(q->FieldByName("c902")->AsString(), "Gamma");  // cursor stays
  q->FreeBookmark(third);
  EXPECT_TRUE(third.IsNull());

  // A row deleted through the data set itself.
  q->First();
  TBookmark gone = q->GetBookmark();
  q->Delete();
  EXPECT_THROW(q->GotoBookmark(gone), EDatabaseError);
}

TEST_F(DataSetTest, LocateSortAndFilter) {
  auto q = Query("select * from dt_data order by c901");
  EXPECT_TRUE(q->Locate("c902", "GAMMA", loCaseInsensitive));
  EXPECT_EQ(q->RecNo(), 3);
  EXPECT_FALSE(q->Locate("c902", "GAMMA", 0));
  EXPECT_EQ(q->RecNo(), 3);
  EXPECT_TRUE(q->Locate("c902", "del", loCaseInsensitive | loPartialKey));
  EXPECT_EQ(q->FieldByName("c901")->AsString(), "123456789012");
  EXPECT_TRUE(q->Locate("c901", 100000000002.0));
  EXPECT_TRUE(q->Locate("c904;RecordState", QVariantList{10, 0}));
  EXPECT_EQ(q->FieldByName("c902")->AsString(), "Gamma");

  struct SortCase {
    const char* sort;
    QStringList names;
  };
  const SortCase sorts[] = {
      {"c902 ASC", {"Alpha", "beta", "Delta's", "Gamma"}},
      {"c902 DESC", {"Gamma", "Delta's", "beta", "Alpha"}},
      {"c904 DESC, c902", {"Delta's", "beta", "Alpha", "Gamma"}},
      {"z002", {"Gamma", "Alpha", "beta", "Delta's"}},  // null first
      {"", {"Alpha", "beta", "Gamma", "Delta's"}},
  };
  for (const SortCase& s : sorts) {
    q->SetSort(s.sort);
    EXPECT_EQ(Column(*q, "c902"), s.names) << s.sort;
  }
  EXPECT_THROW(q->SetSort("nope ASC"), EDatabaseError);

  struct FilterCase {
    const char* filter;
    QStringList names;
  };
  const FilterCase filters[] = {
      {"c904=10", {"Alpha", "Gamma"}},
      {"c902 like 'b%'", {"beta"}},
      {"c902 = 'ALPHA' or c904 > 20", {"Alpha", "Delta's"}},
      {"c902 = 'Delta''s'", {"Delta's"}},
      {"not (c904 = 10) and z002 is not null", {"beta", "Delta's"}},
      {"z002 is null", {"Gamma"}},
  };
  for (const FilterCase& f : filters) {
    q->SetFilter(f.filter);
    q->SetFiltered(true);
    EXPECT_EQ(Column(*q, "c902"), f.names) << f.filter;
    EXPECT_EQ(q->RecordCount(), f.names.size());
  }
  q->SetFiltered(false);
  EXPECT_EQ(q->RecordCount(), 4);
  q->SetFilter("c902 = 'x'; drop table dt_data");
  EXPECT_THROW(q->SetFiltered(true), EDatabaseError);
}

// Cells without variants follow the current order, and the record being edited.
TEST_F(DataSetTest, CellsByRowInTheCurrentOrder) {
  auto q = Query("select c901, c902, c904 from dt_data order by c901");
  q->SetSort("c902 DESC");
  QByteArray storage;
  EXPECT_EQ(q->Cell(0, 1, &storage).ToText(), "Gamma");
  EXPECT_EQ(q->Cell(3, 1, &storage).ToText(), "Alpha");
  EXPECT_EQ(q->Cell(0, 2, &storage).Type, TCellType::Int);
  EXPECT_EQ(q->Cell(4, 1, &storage).Type, TCellType::Null);  // past the last row
  EXPECT_EQ(q->Cell(0, 9, &storage).Type, TCellType::Null);  // no such field
  q->First();
  q->Edit();
  q->FieldByName("c902")->SetAsString("Omega");
  EXPECT_EQ(q->Cell(0, 1, &storage).ToText(), "Omega");
  EXPECT_EQ(q->Cell(1, 1, &storage).ToText(), "Delta's");
  q->Cancel();
}

TEST_F(DataSetTest, EditPostAndAppendThroughATable) {
  auto q = Query("select c901, c902, z001 from dt_data where c904 = 10 order by c901");
  q->Last();
  q->Edit();
  EXPECT_EQ(q->State(), dsEdit);
  q->FieldByName("c902")->SetAsString("Gamma 'quoted'");
  q->FieldByName("z001")->SetAsInteger(42);
  q->Post();
  EXPECT_EQ(q->State(), dsBrowse);
  EXPECT_EQ(q->FieldByName("c902")->AsString(), "Gamma 'quoted'");
  EXPECT_EQ(fwtest::ScalarOf(Db, "select z001 from dt_data where c901 = 100000000003").toInt(), 42);

  q->Append();
  EXPECT_EQ(q->State(), dsInsert);
  q->FieldByName("c901")->SetAsFloat(100000000009.0);
  q->FieldByName("c902")->SetAsString("Appended");
  q->Post();
  EXPECT_EQ(q->RecordCount(), 3);
  EXPECT_EQ(q->RecNo(), 3);
  EXPECT_EQ(q->FieldByName("c901")->AsString(), "100000000009");
  EXPECT_EQ(fwtest::ScalarOf(Db, "select c904 is null from dt_data where c901 = 100000000009").toInt(), 1);

  q->Edit();
  q->FieldByName("z001")->SetAsInteger(1);
  q->Cancel();
  EXPECT_TRUE(q->FieldByName("z001")->IsNull());
  EXPECT_THROW(q->FieldByName("z001")->SetAsInteger(1), EDatabaseError);

  // A table with a row-id key gets the real key of an appended row back.
  TADOTable groups(&Db);
  groups.SetTableName("ct_group");
  groups.SetIndexFieldNames("id");
  groups.Open();
  groups.Append();
  groups.FieldByName("name")->SetAsString("Second");
  groups.Post();
  EXPECT_EQ(groups.FieldByName("id")->AsInteger(), 2);
  groups.First();
  groups.Delete();
  EXPECT_EQ(groups.RecordCount(), 1);
  EXPECT_EQ(fwtest::ScalarOf(Db, "select count(*) from ct_group").toInt(), 1);
}

TEST_F(DataSetTest, PostThroughAViewWithInsteadOfTriggers) {
  auto q = Query("select * from view_group_item where GroupID = 1 order by id");
  EXPECT_EQ(q->UpdateTable(), "view_group_item");
  q->Edit();
  q->FieldByName("Title")->SetAsString("Renamed");
  q->FieldByName("LowBoundary")->SetAsFloat(100000000001.0);
  q->Post();
  EXPECT_EQ(q->FieldByName("LowValue")->AsString(), ">=100000000001");  // read back through the view
  EXPECT_EQ(fwtest::ScalarOf(Db, "select Title from DT_GroupItem where id = 1").toString(), "Renamed");

  q->Append();
  q->FieldByName("GroupID")->SetAsInteger(1);
  q->FieldByName("Title")->SetAsString("High");
  q->FieldByName("LowSymbol")->SetAsString(">");
  q->Post();
  EXPECT_EQ(q->FieldByName("id")->AsInteger(), 2);
  q->Edit();
  q->FieldByName("Title")->SetAsString("Higher");
  q->Post();
  EXPECT_EQ(fwtest::ScalarOf(Db, "select Title from DT_GroupItem where id = 2").toString(), "Higher");
  q->Delete();
  EXPECT_EQ(fwtest::ScalarOf(Db, "select count(*) from DT_GroupItem").toInt(), 1);
}

TEST_F(DataSetTest, NamedParameterAndQuotesInValues) {
  TADOQuery q(&Db);
  q.SQL().Clear();
  q.SQL().Add("select * from dt_data");
  q.SQL().Add("where c901 = :ReocrdID");
  ASSERT_EQ(q.Parameters().Count(), 1);
  q.Parameters().ParamByName("ReocrdID").SetValue(123456789012.0);
  q.Open();
  EXPECT_EQ(q.RecordCount(), 1);
  EXPECT_EQ(q.FieldByName("c902")->AsString(), "Delta's");
  EXPECT_THROW(q.ParamByName("RecordID"), EDatabaseError);

  const QString tricky = "x' or '1'='1";
  TADOQuery byQuote(&Db);
  byQuote.SetSQL("select count(*) as n from dt_data where c902 = " + QuotedStr("Delta's") + " or c902 = " + QuotedStr(tricky));
  byQuote.Open();
  EXPECT_EQ(byQuote.FieldByName("n")->AsInteger(), 1);
  EXPECT_EQ(QuotedStr("a'b"), "'a''b'");

  TADOQuery update(&Db);
  update.SetSQL("update dt_data set c902 = :name where c901 = :ReocrdID");
  update.ParamByName("name").SetValue(tricky);
  update.ParamByName("ReocrdID").SetValue(100000000001LL);
  EXPECT_EQ(update.ExecSQL(), 1);
  EXPECT_EQ(fwtest::ScalarOf(Db, "select c902 from dt_data where c901 = 100000000001").toString(), tricky);
}

TEST_F(DataSetTest, FailedPostKeepsTheEditAndChangesNothing) {
  auto q = Query("select * from dt_data order by c901");
  q->Insert();
  q->FieldByName("c901")->SetAsFloat(100000000002.0);  // exists already
  q->FieldByName("c902")->SetAsString("Duplicate");
  EXPECT_THROW(q->Post(), EDatabaseError);
  EXPECT_EQ(q->State(), dsInsert);
  EXPECT_EQ(q->RecordCount(), 4);
  q->FieldByName("c901")->SetAsFloat(100000000005.0);
  q->Post();
  EXPECT_EQ(q->RecNo(), 1);  // Insert places the row at the cursor
  EXPECT_EQ(q->FieldByName("c902")->AsString(), "Duplicate");
  EXPECT_EQ(fwtest::ScalarOf(Db, "select count(*) from dt_data").toInt(), 5);
}

TEST_F(DataSetTest, KeyFieldsAndTablesInIndexOrder) {
  // A join has no single table: reading works, writing is refused.
  auto join = Query("select d.c901, g.name from dt_data d, CT_Group g where d.c904 = 10");
  EXPECT_EQ(join->RecordCount(), 2);
  join->Edit();
  join->FieldByName("name")->SetAsString("x");
  EXPECT_THROW(join->Post(), EDatabaseError);
  join->Cancel();

  // KeyFields names the key explicitly; bookmarks then follow it across a requery.
  TADOQuery q(&Db);
  q.SetKeyFields("c902");
  q.SetSQL("select c902, z001 from dt_data order by z001");
  q.Open();
  q.Last();
  TBookmark bm = q.GetBookmark();
  Db.Execute("update dt_data set z001 = 0 where c902 = 'Delta''s'");
  q.Requery();
  q.GotoBookmark(bm);
  EXPECT_EQ(q.RecNo(), 1);
  q.Edit();
  q.FieldByName("z001")->SetAsInteger(3);
  q.Post();
  EXPECT_EQ(fwtest::ScalarOf(Db, "select z001 from dt_data where c902 = 'Delta''s'").toInt(), 3);

  TADOTable t(&Db);
  t.SetTableName("DT_DATA");
  t.SetIndexFieldNames("c904;c901");
  t.Open();
  EXPECT_EQ(Column(t, "c902"), (QStringList{"Alpha", "Gamma", "beta", "Delta's"}));
  TField* name = t.FieldByName("c902");
  t.Requery();
  EXPECT_EQ(t.FieldByName("c902"), name);  // fields stay across a requery
}

// The row id of dt_data is c901 itself: a post that changes it must leave the data set
// able to find the same row for the next post and for a delete.
TEST_F(DataSetTest, PostsAfterAKeyChangeReachTheSameRow) {
  struct Case {
    const char* sql;
    qint64 oldCode, newCode;
  };
  const Case cases[] = {{"select * from dt_data where c901 = :ReocrdID", 100000000001, 100000000077},
                        {"select * from dt_data where c904 = 20", 100000000002, 100000000088}};
  int left = 4;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sql);
    TADOQuery q(&Db);
    q.SetSQL(c.sql);
    if (q.Parameters().Count() > 0) q.ParamByName("ReocrdID").SetValue(double(c.oldCode));
    q.Open();
    q.Edit();
    q.FieldByName("c901")->SetAsFloat(double(c.newCode));
    q.Post();
    q.Edit();
    q.FieldByName("c902")->SetAsString("Renamed");
    q.Post();
    const QString byNew = QString("from dt_data where c901 = %1").arg(c.newCode);
    EXPECT_EQ(fwtest::ScalarOf(Db, "select c902 " + byNew).toString(), "Renamed");
    EXPECT_EQ(fwtest::ScalarOf(Db, QString("select count(*) from dt_data where c901 = %1").arg(c.oldCode)).toInt(), 0);
    q.Delete();
    EXPECT_EQ(fwtest::ScalarOf(Db, "select count(*) " + byNew).toInt(), 0);
    EXPECT_EQ(fwtest::ScalarOf(Db, "select count(*) from dt_data").toInt(), --left);
  }
}

// Records changed behind a data set's back are read again by their code: a re-keyed
// record moves to its place in the query's order (or the client-side sort), a new one
// joins, one that no longer answers the query or the filter leaves, and the cursor stays
// on its record.
TEST_F(DataSetTest, RefreshRecordsReadsChangedRecordsIntoTheirPlaces) {
  auto q = Query("select c901, c902 from dt_data where c904 <> 30 order by c901");
  ASSERT_EQ(Column(*q, "c901"), QStringList({"100000000001", "100000000002", "100000000003"}));
  q->SetRecNo(2);
  Db.Execute("update dt_data set c901 = 100000000000, c902 = 'Moved' where c901 = 100000000003");
  Db.Execute("insert into dt_data (c901, c902, c904) values (100000000005, 'New', 10)");
  Db.Execute("update dt_data set c904 = 30 where c901 = 100000000001");  // leaves the query
  q->RefreshRecords("c901", {100000000003LL, 100000000000LL, 100000000005LL, 100000000001LL, 99LL});
  EXPECT_EQ(q->FieldByName("c901")->AsString(), "100000000002");
  EXPECT_EQ(q->RecNo(), 2);
  EXPECT_EQ(Column(*q, "c902"), QStringList({"Moved", "beta", "New"}));

  q->SetSort("c902 DESC");
  q->SetFiltered(false);
  Db.Execute("update dt_data set c902 = 'Zeta' where c901 = 100000000005");
  q->RefreshRecords("c901", {100000000005LL});
  EXPECT_EQ(Column(*q, "c902"), QStringList({"Zeta", "Moved", "beta"}));
  q->SetFilter("c902 <> 'Zeta'");
  q->SetFiltered(true);
  Db.Execute("update dt_data set c902 = 'Alpha' where c901 = 100000000002");
  q->RefreshRecords("c901", {100000000002LL});
  EXPECT_EQ(Column(*q, "c902"), QStringList({"Moved", "Alpha"}));
}

TEST_F(DataSetTest, FailedRequeryKeepsTheSnapshot) {
  auto q = Query("select * from CT_Group");
  Db.Execute("drop table CT_Group");
  EXPECT_THROW(q->Requery(), EDatabaseError);
  EXPECT_TRUE(q->Active());
  EXPECT_EQ(q->RecordCount(), 1);
  EXPECT_EQ(q->FieldByName("name")->AsString(), "First");
  EXPECT_TRUE(q->BookmarkValid(q->GetBookmark()));
}

TEST_F(DataSetTest, PreparedExecSqlRunsRepeatedlyWithNewValues) {
  TADOQuery insert(&Db);
  insert.SetSQL("insert into CT_Group (id, name) values (:id, :name)");
  Db.BeginTrans();
  for (int i = 10; i < 20; ++i) {
    insert.ParamByName("id").SetValue(i);
    insert.ParamByName("name").SetValue(QStringLiteral("g'%1").arg(i));
    EXPECT_EQ(insert.ExecSQL(), 1);
  }
  Db.CommitTrans();
  insert.SetSQL("delete from CT_Group where id >= :id");
  insert.ParamByName("id").SetValue(15);
  EXPECT_EQ(insert.ExecSQL(), 5);
  EXPECT_EQ(fwtest::ScalarOf(Db, "select count(*) from CT_Group").toInt(), 6);
  EXPECT_EQ(fwtest::ScalarOf(Db, "select name from CT_Group where id = 14").toString(), "g'14");
}

// Bracket-quoted names stay on the prepared path; a table of another file (also written
// in brackets) still reaches that file.
TEST_F(DataSetTest, PreparedExecSqlTakesQuotedNamesAndOtherFiles) {
  TADOQuery insert(&Db);
  insert.SetSQL("insert into [CT_Group] ([id], [name]) values (:id, :name)");
  for (int i = 30; i < 33; ++i) {
    insert.ParamByName("id").SetValue(i);
    insert.ParamByName("name").SetValue(QStringLiteral("[g%1]").arg(i));
    EXPECT_EQ(insert.ExecSQL(), 1);
  }
  EXPECT_EQ(fwtest::ScalarOf(Db, "select name from CT_Group where id = 32").toString(), "[g32]");

  fwtest::CreateDatabase(Path("other.mdb"), QString(), {"CREATE TABLE t (a INTEGER)"});
  TADOQuery across(&Db);
  across.SetSQL("insert into [;DATABASE=" + Path("other.mdb") + ";].t (a) values (:a)");
  for (int a : {1, 2}) {
    across.ParamByName("a").SetValue(a);
    EXPECT_EQ(across.ExecSQL(), 1);
  }
  auto other = Connect(Path("other.mdb"));
  EXPECT_EQ(fwtest::ScalarOf(*other, "select count(*) from t").toInt(), 2);
  EXPECT_FALSE(fwtest::ScalarOf(Db, "select count(*) from sqlite_master where name = 't'").toBool());
}

struct RecordingListener : TDataSetListener {
  std::vector<TDataEvent> events;
  void DataSetNotify(TDataSet&, const TDataNotice& n) override { events.push_back(n.Event); }
};

TEST_F(DataSetTest, NoticesAndDisableControls) {
  TADOQuery q(&Db);
  q.SetSQL("select * from dt_data order by c901");
  RecordingListener listener;
  q.AddListener(&listener);
  int scrolls = 0;
  q.AfterScroll = [&](TDataSet&) { ++scrolls; };
  TDataSource source(&q);
  int dataChanges = 0, stateChanges = 0;
  source.OnDataChange = [&](TDataSource&, TField*) { ++dataChanges; };
  source.OnStateChange = [&](TDataSource&) { ++stateChanges; };

  q.Open();
  EXPECT_EQ(stateChanges, 1);
  q.Next();
  EXPECT_EQ(listener.events.back(), TDataEvent::Scroll);
  q.Edit();
  EXPECT_EQ(stateChanges, 2);
  q.Cancel();

  listener.events.clear();
  q.DisableControls();
  for (q.First(); !q.Eof(); q.Next()) {
  }
  EXPECT_TRUE(listener.events.empty());
  q.EnableControls();
  EXPECT_EQ(listener.events.front(), TDataEvent::DataSetChange);
  EXPECT_GT(scrolls, 4);  // events still run while controls are disabled
  EXPECT_GT(dataChanges, 0);

  // Grid access does not move the cursor.
  q.First();
  EXPECT_EQ(q.Value(3, 1).toString(), "Delta's");
  EXPECT_EQ(q.Text(3, 0), "123456789012");
  EXPECT_EQ(q.RecNo(), 1);
  q.RemoveListener(&listener);
}

} // namespace
