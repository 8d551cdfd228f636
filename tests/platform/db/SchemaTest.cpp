// What a schema declares, read without running anything the file defines.

#include "DbTestSupport.h"

#include "platform/db/DbError.h"
#include "platform/db/Schema.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

class SchemaTest : public ::testing::Test, public fwtest::DbFixtureBase {};

TEST_F(SchemaTest, KindsOfObjects) {
  Db.Execute("create view endless as with recursive n(x) as (select 1 union all select x + 1 from n) select x from n");
  for (const QString& sql : fwtest::DeclareVirtualTable("words", "fts4", "text")) Db.Execute(sql);
  Db.Execute("create table keyed (k text primary key) without rowid");
  EXPECT_EQ(SchemaObjectKind(Db, "DT_DATA"), TSchemaObjectKind::Table);
  EXPECT_EQ(SchemaObjectKind(Db, "Keyed"), TSchemaObjectKind::TableWithoutRowid);
  EXPECT_EQ(SchemaObjectKind(Db, "endless"), TSchemaObjectKind::View);
  EXPECT_EQ(SchemaObjectKind(Db, "words"), TSchemaObjectKind::VirtualTable);
  EXPECT_EQ(SchemaObjectKind(Db, "nothing"), TSchemaObjectKind::Missing);
  EXPECT_EQ(SchemaObjectKind(Db, "x' or '1'='1"), TSchemaObjectKind::Missing);
}

// A file that declares a virtual table, openly or disguised (a comment between the words:
// the engine still reads it as one), is found from the schema alone and refused as an
// attachment however a statement names it; tables, indexes, views and triggers are not.
TEST_F(SchemaTest, VirtualTablesAreFoundAndRefusedAsAttachments) {
  Db.Execute("create unique index by_name on dt_data (c902)");
  EXPECT_FALSE(DeclaresVirtualTable(Db));
  const QString plain = Path("plain.mdb");
  fwtest::CreateDatabase(plain, QString(), {"create table t (a)", "create index t_a on t (a)"});
  Db.DetachDatabase(Db.AttachDatabase(plain));

  const QStringList words = QStringList{"create table t (a)"} + fwtest::DeclareVirtualTable("words", "fts4", "body");
  const std::vector<QStringList> files = {
      words,
      QStringList{"create table t (a)"} + fwtest::DeclareVirtualTable("boxes", "rtree", "id, x0, x1"),
      words + QStringList{"PRAGMA writable_schema = 1",
                          "update sqlite_master set sql = 'create /* */ virtual table words using fts4(body)' "
                          "where name = 'words'"},
  };
  for (size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(i);
    const QString file = Path(QStringLiteral("v'%1.mdb").arg(i));
    fwtest::CreateDatabase(file, QString(), files[i]);
    EXPECT_TRUE(DeclaresVirtualTable(*Connect(file)));
    for (const QString& sql : {"select count(*) from t in '" + QString(file).replace("'", "''") + "'",
                               "select count(*) from [;DATABASE=" + file + ";].t"})
      EXPECT_THROW(Db.Execute(sql), EDatabaseError) << sql.toStdString();
    try {
      Db.AttachDatabase(file);
      ADD_FAILURE() << "attached";
    } catch (const EDatabaseError& e) {
      EXPECT_EQ(e.Message(), kVirtualTableRefusal);
    }
  }
}

TEST_F(SchemaTest, ColumnsWithTheirDeclaredTypes) {
  const std::vector<TColumnDefinition> columns = TableDefinition(Db, "dt_data");
  ASSERT_EQ(columns.size(), 6u);
  EXPECT_EQ(columns[0].Name, "c901");
  EXPECT_EQ(columns[0].DeclaredType, "INTEGER");
  EXPECT_EQ(columns[1].DeclaredType, "VARCHAR(50)");
  EXPECT_EQ(columns[4].Name, "z002");
  EXPECT_TRUE(TableDefinition(Db, "nothing").empty());
}

TEST(TypeAffinity, TheEnginesRules) {
  struct Case {
    const char* declared;
    TTypeAffinity affinity;
  };
  for (const Case& c : {Case{"INTEGER", TTypeAffinity::Integer}, Case{"bigint", TTypeAffinity::Integer},
                        Case{"VARCHAR(50)", TTypeAffinity::Text}, Case{"nchar(2)", TTypeAffinity::Text},
                        Case{"TEXT", TTypeAffinity::Text}, Case{"DOUBLE", TTypeAffinity::Real},
                        Case{"float", TTypeAffinity::Real}, Case{"BLOB", TTypeAffinity::Blob},
                        Case{"", TTypeAffinity::Blob}, Case{"BOOLEAN", TTypeAffinity::Numeric},
                        Case{"DECIMAL(10,2)", TTypeAffinity::Numeric}, Case{"CHARINT", TTypeAffinity::Integer}})
    EXPECT_EQ(TypeAffinity(c.declared), c.affinity) << c.declared;
  EXPECT_TRUE(IsNumberAffinity(TTypeAffinity::Numeric));
  EXPECT_FALSE(IsNumberAffinity(TTypeAffinity::Text));
}

} // namespace
