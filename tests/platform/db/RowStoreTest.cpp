// The packed row storage: every kind and size of value comes back as stored, through
// both the statement path and the value path, also after rows are replaced or removed.

#include "platform/db/RowStore.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <limits>

using namespace fw;

namespace {

const std::vector<QVariant>& SampleValues() {
  static const std::vector<QVariant> values = {
      QVariant(),
      QVariant(0LL),
      QVariant(-1LL),
      QVariant(127LL),
      QVariant(-129LL),
      QVariant(40000LL),
      QVariant(-2147483648LL),
      QVariant(123456789012LL),
      QVariant(std::numeric_limits<qlonglong>::min()),
      QVariant(2.5),
      QVariant(-0.1),
      QVariant(QString()),
      QVariant(QStringLiteral("工会 'quoted'")),
      QVariant(QString(300, QChar(0x4E2D))),  // longer than a one-byte length
  };
  return values;
}

void ExpectRow(const TRowStore& store, int row, const std::vector<QVariant>& values) {
  for (int c = 0; c < static_cast<int>(values.size()); ++c) {
    SCOPED_TRACE(c);
    const QVariant got = store.Cell(row, c).ToVariant();
    const QVariant& want = values[c];
    if (!want.isValid()) EXPECT_FALSE(got.isValid());
    else if (want.typeId() == QMetaType::QString) EXPECT_EQ(got.toString(), want.toString());
    else if (want.typeId() == QMetaType::Double) EXPECT_EQ(got.toDouble(), want.toDouble());
    else EXPECT_EQ(got.toLongLong(), want.toLongLong());
  }
}

TEST(RowStore, ValuesComeBackAsStored) {
  const auto& values = SampleValues();
  TRowStore store;
  store.Clear(static_cast<int>(values.size()));
  store.AddRow(values);
  ExpectRow(store, 0, values);

  // The same values read from a statement.
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
  QStringList marks;
  for (size_t i = 0; i < values.size(); ++i) marks << "?";
  sqlite3_stmt* stmt = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db, ("SELECT " + marks.join(",")).toUtf8().constData(), -1, &stmt, nullptr), SQLITE_OK);
  for (size_t i = 0; i < values.size(); ++i) {
    const QVariant& v = values[i];
    if (!v.isValid()) sqlite3_bind_null(stmt, int(i) + 1);
    else if (v.typeId() == QMetaType::Double) sqlite3_bind_double(stmt, int(i) + 1, v.toDouble());
    else if (v.typeId() == QMetaType::QString) {
      const QByteArray text = v.toString().toUtf8();
      sqlite3_bind_text(stmt, int(i) + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    } else sqlite3_bind_int64(stmt, int(i) + 1, v.toLongLong());
  }
  ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
  for (int r = 0; r < 3; ++r) store.AddRow(stmt);
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  for (int r = 1; r <= 3; ++r) ExpectRow(store, r, values);
  EXPECT_TRUE(store.Cell(1, 11).Type == TCellType::Text);  // empty text is not null

  // Replacing and removing rows leaves the others intact.
  std::vector<QVariant> changed = values;
  changed[7] = QVariant(7LL);
  store.ReplaceRow(1, changed);
  store.RemoveRow(0);
  ASSERT_EQ(store.RowCount(), 3);
  ExpectRow(store, 0, changed);
  ExpectRow(store, 2, values);
  EXPECT_EQ(store.Cell(5, 0).Type, TCellType::Null);  // outside: null, no crash
}

TEST(RowStore, TextFormOfNumbers) {
  struct Case {
    QVariant value;
    const char* text;
  };
  const Case cases[] = {{QVariant(123456789012.0), "123456789012"}, {QVariant(5.0), "5"},   {QVariant(-3.0), "-3"},
                        {QVariant(0.1), "0.1"},                     {QVariant(4.25), "4.25"}, {QVariant(1.0 / 3), "0.3333333333333333"},
                        {QVariant(123456789012LL), "123456789012"}, {QVariant(1e20), "1e+20"}};
  for (const Case& c : cases) {
    QByteArray storage;
    EXPECT_EQ(TCell::FromVariant(c.value, &storage).ToText(), QString::fromLatin1(c.text)) << c.text;
  }
}

} // namespace
