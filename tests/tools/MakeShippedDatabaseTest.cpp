// The shipped database and the exchange template, checked on a private copy of the built
// program folder through the plain SQLite interface.

#include "core/DatabasePassword.h"
#include "support/RuleRecords.h"
#include "support/TestSupport.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using Row = std::vector<std::string>;

class Db {
public:
  explicit Db(const QString& file, const std::string& key = {}) {
    open_ = sqlite3_open_v2(file.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
    if (open_ && !key.empty()) open_ = Exec("PRAGMA key = '" + key + "'");
  }
  ~Db() { sqlite3_close(db_); }

  bool IsOpen() const { return open_; }
  std::string Error() const { return sqlite3_errmsg(db_); }

  bool Exec(const std::string& sql) { return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK; }

  // All rows of a query as text (NULL reads as "<null>"); ok is false on any error.
  std::vector<Row> Query(const std::string& sql, bool* ok = nullptr) {
    std::vector<Row> rows;
    sqlite3_stmt* stmt = nullptr;
    bool good = sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK;
    int rc = SQLITE_DONE;
    while (good && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
      Row row;
      for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
        row.push_back(text ? text : "<null>");
      }
      rows.push_back(row);
    }
    good = good && rc == SQLITE_DONE;
    sqlite3_finalize(stmt);
    if (ok) *ok = good;
    return rows;
  }

  std::string Value(const std::string& sql) {
    auto rows = Query(sql);
    return rows.empty() || rows[0].empty() ? "<none>" : rows[0][0];
  }

  std::vector<std::string> Columns(const std::string& table) {
    std::vector<std::string> names;
    for (const auto& row : Query("PRAGMA table_info(" + table + ")")) names.push_back(row[1]);
    return names;
  }

  // Name, declared type and key position of every column.
  std::vector<Row> ColumnInfo(const std::string& table) {
    std::vector<Row> columns;
    for (const auto& row : Query("PRAGMA table_info(" + table + ")")) columns.push_back({row[1], row[2], row[5]});
    return columns;
  }

private:
  sqlite3* db_ = nullptr;
  bool open_ = false;
};

std::string Code(char prefix, int item) {
  char text[16];
  std::snprintf(text, sizeof text, "%c%03d", prefix, item);
  return text;
}

std::vector<std::string> AllIndicators() {
  const std::vector<std::pair<char, int>> sheets = {{'z', 16}, {'x', 12}, {'p', 6},  {'b', 39}, {'f', 18}, {'l', 8},
                                                    {'h', 11}, {'j', 21}, {'s', 10}, {'w', 11}, {'g', 4}};
  std::vector<std::string> codes;
  for (auto [prefix, count] : sheets)
    for (int i = 1; i <= count; ++i) codes.push_back(Code(prefix, i));
  return codes;
}

// The expression with every field code replaced by its value (absent codes by 0), the way
// the page rule engine hands it to the database.
std::string Substitute(const std::string& expression, const std::map<std::string, int>& values) {
  static const QRegularExpression identifier("[A-Za-z][A-Za-z0-9]*");
  QString text = QString::fromStdString(expression);
  QString result;
  qsizetype last = 0;
  for (auto it = identifier.globalMatch(text); it.hasNext();) {
    const auto match = it.next();
    result += text.mid(last, match.capturedStart() - last);
    const QString word = match.captured();
    const QString upper = word.toUpper();
    if (upper == "AND" || upper == "OR" || upper == "NOT") {
      result += word;
    } else {
      auto value = values.find(word.toLower().toStdString());
      result += QString::number(value == values.end() ? 0 : value->second);
    }
    last = match.capturedEnd();
  }
  return (result + text.mid(last)).toStdString();
}

class ShippedDatabase : public ::testing::Test {
protected:
  fwtest::ProgramFolderCopy folder;
  Db db{folder.FilePath("2014NB_qz.mdb")};

  struct LogicRow {
    int id;
    int page;
    std::string expression, focus, explain, rule;
  };
  std::vector<LogicRow> Rules() {
    std::vector<LogicRow> rules;
    for (const auto& r : db.Query("SELECT id, page_id, expression, focus, explain, rule FROM dt_logic ORDER BY id"))
      rules.push_back({std::stoi(r[0]), std::stoi(r[1]), r[2], r[3], r[4], r[5]});
    return rules;
  }
  // True when the substituted expression evaluates to true.
  bool Evaluate(const std::string& expression, const std::map<std::string, int>& values) {
    bool ok = false;
    const std::string value = db.Query("select " + Substitute(expression, values) + " as rt", &ok).at(0).at(0);
    EXPECT_TRUE(ok) << expression;
    return value != "0";
  }
  // The explanations of the rows that a record breaks.
  std::vector<std::string> Broken(const std::map<std::string, int>& values) {
    std::vector<std::string> explains;
    for (const auto& rule : Rules())
      if (Evaluate(rule.expression, values)) explains.push_back(rule.explain);
    return explains;
  }
};

TEST_F(ShippedDatabase, IsPlainAndHoldsEveryObject) {
  ASSERT_TRUE(db.IsOpen()) << db.Error();
  for (const char* name : {"dt_data", "dt_data_", "dt_fieldlist", "dt_logic", "CT_CityName", "CT_LevelCode", "ct_state",
                           "ct_sheetName", "ct_label", "ct_group", "DT_GroupItem", "view_data", "view_FieldList",
                           "view_datasearch", "view_group_item"})
    EXPECT_EQ(db.Value(std::string("SELECT count(*) FROM sqlite_master WHERE name = '") + name + "'"), "1") << name;
  EXPECT_EQ(db.Value("SELECT db_name FROM ct_label"), "默认数据库");
  EXPECT_EQ(db.Value("SELECT count(*) FROM ct_label"), "1");
  EXPECT_EQ(db.Value("SELECT count(*) FROM dt_data"), "0");
  EXPECT_EQ(db.Value("SELECT count(*) FROM ct_group"), "0");
  EXPECT_EQ(db.Value("SELECT count(*) FROM DT_GroupItem"), "0");
  // Names are case-insensitive, as the program writes some of them in two forms.
  EXPECT_EQ(db.Value("SELECT count(*) FROM DT_FieldList"), db.Value("SELECT count(*) FROM dt_fieldlist"));
}

TEST_F(ShippedDatabase, DataTablesHaveTheSurveyColumns) {
  std::vector<std::string> expected = {"c900", "c901", "c902", "c903", "c904", "c905", "c906",
                                       "c907", "c909", "c910", "c911", "c912", "RecordState"};
  for (const auto& code : AllIndicators()) expected.push_back(code);
  ASSERT_EQ(expected.size(), 169u);
  EXPECT_EQ(db.Columns("dt_data"), expected);
  EXPECT_EQ(db.Columns("dt_data_"), expected);
}

TEST_F(ShippedDatabase, FieldListDescribesDataAndView) {
  const auto dataColumns = db.Columns("dt_data");
  const auto viewColumns = db.Columns("view_data");
  const std::set<std::string> data(dataColumns.begin(), dataColumns.end());
  const std::set<std::string> view(viewColumns.begin(), viewColumns.end());
  EXPECT_TRUE(view.count("c901") && view.count("RecordState"));

  std::map<std::string, int> seen;
  std::set<std::pair<std::string, std::string>> printCells;
  for (const auto& r : db.Query("SELECT FieldName, ShowName, QueryType, PageID, sequence, printPageID, printplace, "
                                "Visible, QueryShow, Hint FROM dt_fieldlist")) {
    const std::string& field = r[0];
    ++seen[field];
    EXPECT_TRUE(data.count(field)) << field;
    EXPECT_TRUE(view.count(r[1])) << r[1];
    EXPECT_NE(r[9], "<null>") << field;
    EXPECT_TRUE(r[7] == "-1" || r[7] == "0") << field;
    EXPECT_TRUE(r[8] == "-1" || r[8] == "0") << field;
    const int queryType = std::stoi(r[2]), page = std::stoi(r[3]), sequence = std::stoi(r[4]);
    EXPECT_GE(queryType, 0);
    EXPECT_LE(queryType, 3);
    if (field == "RecordState") {
      EXPECT_EQ(page, -1);  // on no page: not printed, not offered in the field display
      continue;
    }
    const bool cover = field[0] == 'c';
    EXPECT_EQ(page == 0, cover) << field;
    EXPECT_TRUE(cover ? sequence >= 1 && sequence <= 7 : sequence > 7 && sequence < 1000) << field;
    EXPECT_TRUE(QRegularExpression("^[A-Z][0-9]+$").match(QString::fromStdString(r[6])).hasMatch()) << field;
    EXPECT_TRUE(printCells.insert({r[5], r[6]}).second) << "two fields print into " << r[5] << "!" << r[6];
  }
  for (const auto& code : AllIndicators()) EXPECT_EQ(seen[code], 1) << code;
  EXPECT_EQ(seen.size(), 156u + 7u + 1u);
  // Every view column is described, so the record list never misses a title.
  EXPECT_EQ(viewColumns.size(), seen.size());
}

TEST_F(ShippedDatabase, FieldTypesFollowTheValues) {
  // Yes/no items are codes (3); the choice items 1..3 and 1..4 and the counts are integers (0);
  // the amounts are real numbers (2); the cover's texts are text (1).
  const std::map<std::string, std::string> expected = {
      {"z010", "3"}, {"b035", "3"}, {"s010", "3"}, {"z011", "0"}, {"z012", "0"}, {"h009", "0"}, {"h010", "0"},
      {"z001", "0"}, {"b004", "2"}, {"j021", "2"}, {"c902", "1"}, {"c905", "1"}, {"c906", "1"}, {"c901", "2"}};
  for (const auto& [field, type] : expected)
    EXPECT_EQ(db.Value("SELECT QueryType FROM dt_fieldlist WHERE FieldName = '" + field + "'"), type) << field;
  EXPECT_EQ(db.Value("SELECT count(*) FROM dt_fieldlist WHERE QueryType = 3"), "26");
  // Real numbers (other than the unit code) are exactly the DOUBLE columns.
  std::map<std::string, std::string> declared;
  for (const auto& column : db.ColumnInfo("dt_data")) declared[column[0]] = column[1];
  for (const auto& r : db.Query("SELECT FieldName, QueryType FROM dt_fieldlist WHERE FieldName <> 'c901'"))
    EXPECT_EQ(declared.at(r[0]) == "DOUBLE", r[1] == "2") << r[0];
}

TEST_F(ShippedDatabase, EveryRuleEvaluatesOnAZeroRecord) {
  const auto dataColumns = db.Columns("dt_data");
  const std::set<std::string> data(dataColumns.begin(), dataColumns.end());
  const QRegularExpression identifier("[A-Za-z][A-Za-z0-9]*");
  const auto rules = Rules();
  ASSERT_GE(rules.size(), 83u);
  for (const auto& rule : rules) {
    EXPECT_GE(rule.page, 1);
    EXPECT_LE(rule.page, 12);
    EXPECT_TRUE(data.count(rule.focus)) << rule.id;
    // Only field codes and and/or/not: the page engine resolves every other word as an editor.
    for (auto it = identifier.globalMatch(QString::fromStdString(rule.expression)); it.hasNext();) {
      const std::string word = it.next().captured().toStdString();
      const QString upper = QString::fromStdString(word).toUpper();
      EXPECT_TRUE(data.count(word) || upper == "AND" || upper == "OR" || upper == "NOT") << rule.id << ": " << word;
    }
    bool ok = false;
    db.Query("select " + Substitute(rule.expression, {}) + " as rt", &ok);
    EXPECT_TRUE(ok) << rule.id << ": " << rule.expression;
  }
}

// Each rule's rows fire exactly when its rule text is false, and at most one of them.
TEST_F(ShippedDatabase, RuleRowsAgreeWithTheRuleTexts) {
  std::map<std::string, std::vector<LogicRow>> byRule;
  for (const auto& rule : Rules()) byRule[rule.rule].push_back(rule);
  EXPECT_EQ(byRule.size(), 83u);

  std::mt19937 random(2014);
  const QRegularExpression code("\\b[a-z][0-9]{3}\\b");
  for (const auto& [text, rows] : byRule) {
    std::set<std::string> names;
    for (auto it = code.globalMatch(QString::fromStdString(text)); it.hasNext();)
      names.insert(it.next().captured().toStdString());
    for (int trial = 0; trial < 60; ++trial) {
      std::map<std::string, int> values;
      for (const auto& name : names)
        values[name] = name == "c904" ? 1 + static_cast<int>(random() % 11) : static_cast<int>(random() % 5);
      const bool broken = !Evaluate(text, values);
      int fired = 0;
      for (const auto& row : rows) fired += Evaluate(row.expression, values) ? 1 : 0;
      ASSERT_EQ(fired, broken ? 1 : 0) << text;
    }
  }
}

TEST_F(ShippedDatabase, CraftedRecordsBreakTheExpectedRules) {
  const std::map<std::string, int>& valid = fwtest::CleanRuleRecord();
  struct Case {
    const char* what;
    std::map<std::string, int> changes;
    std::vector<std::string> explains;
  };
  const std::vector<Case> cases = {
      {"a valid record", {}, {}},
      {"z003 and z002 above z001", {{"z003", 11}, {"z002", 12}}, {"z003[<=]z001", "z002[<=]z001"}},
      {"z010 no with z013", {{"z013", 5}}, {"如果不是z010，那么z013+z014[=]0"}},
      {"z010 yes without z013, z014",
       {{"z010", 1}},
       {"如果z010，那么z013+z014[>]0并且z013+z014[<=]z001+z008"}},
      {"a federation without co-managed unions",
       {{"c904", 2}},
       {"如果c904<4，那么x001[>]0并且x001[<=]z001+z008"}},
      {"x003 without x001", {{"x003", 1}}, {"如果x001=0，那么x003[=]0"}},
      {"x003 above x001", {{"x001", 1}, {"x003", 2}}, {"如果x001>0，那么x003[<=]x001"}},
      {"two co-management modes", {{"x004", 1}, {"x006", 1}}, {"x004、x005、x006、x007只能一个为1"}},
      {"amount below the count", {{"b023", 5}, {"b025", 3}}, {"如果b023>0,那么b025[>]b023"}},
      {"empty record", {{"z001", 0}, {"z004", 0}, {"z008", 0}}, {"z001、z008的和[>]0"}},
  };
  for (const auto& c : cases) {
    auto values = valid;
    for (const auto& [name, value] : c.changes) values[name] = value;
    auto broken = Broken(values);
    auto expected = c.explains;
    std::sort(broken.begin(), broken.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(broken, expected) << c.what;
  }
}

TEST_F(ShippedDatabase, UnitCodeIsAUniqueKey) {
  for (const char* table : {"dt_data", "dt_data_"}) {
    const std::string insert = std::string("INSERT INTO ") + table + " (c901, c902) VALUES (";
    EXPECT_TRUE(db.Exec(insert + "440106123456, 'a')")) << table;
    EXPECT_FALSE(db.Exec(insert + "440106123456, 'b')")) << table;
    EXPECT_TRUE(db.Exec(insert + "440106123457, 'b')")) << table;
    EXPECT_EQ(db.Value(std::string("SELECT typeof(c901) || ' ' || c901 || ' ' || z001 FROM ") + table +
                       " ORDER BY c901 LIMIT 1"),
              "integer 440106123456 0");
  }
  // Text compares without regard to case, as the program expects.
  EXPECT_EQ(db.Value("SELECT count(*) FROM dt_data WHERE c902 = 'A'"), "1");
}

TEST_F(ShippedDatabase, FieldDisplayWritesThroughTheView) {
  EXPECT_EQ(db.Value("SELECT SheetName FROM view_FieldList WHERE FieldName = 'b033'"), "表4续");
  // Any true value is stored as -1, whatever form the literal takes.
  ASSERT_TRUE(db.Exec("update view_fieldlist set visible=0"));
  EXPECT_EQ(db.Value("SELECT count(*) FROM dt_fieldlist WHERE Visible <> 0 AND PageID >= 0"), "0");
  ASSERT_TRUE(db.Exec("update view_fieldlist set visible=1 where id=9"));
  ASSERT_TRUE(db.Exec("update view_fieldlist set visible=-1 where id=10"));
  EXPECT_EQ(db.Value("SELECT group_concat(ID || ':' || Visible) FROM dt_fieldlist WHERE Visible <> 0 AND PageID >= 0"),
            "9:-1,10:-1");
  // The record state is on no page: the field display neither shows nor hides it.
  EXPECT_EQ(db.Value("SELECT Visible FROM dt_fieldlist WHERE FieldName = 'RecordState'"), "-1");
}

TEST_F(ShippedDatabase, GroupItemsWriteThroughTheView) {
  ASSERT_TRUE(db.Exec("INSERT INTO ct_group (name) VALUES ('按地区')"));
  EXPECT_EQ(db.Value("SELECT orderstr FROM ct_group"), "id ASC");
  ASSERT_TRUE(db.Exec("INSERT INTO view_group_item (GroupID, Title, LowBoundary, HighBoundary, LowSymbol, HighSymbol) "
                      "VALUES (1, '广州', 440100000000, 440200000000.0, '>=', '<')"));
  EXPECT_EQ(db.Value("SELECT id || Title || LowBoundary || HighBoundary FROM DT_GroupItem"), "1广州440100000000440200000000");
  EXPECT_EQ(db.Value("SELECT LowValue || ' ' || HighValue FROM view_group_item"), ">=440100000000 <440200000000");
  ASSERT_TRUE(db.Exec("UPDATE view_group_item SET Title = '广州市', HighSymbol = '<=' WHERE id = 1"));
  EXPECT_EQ(db.Value("SELECT Title || HighSymbol FROM DT_GroupItem WHERE id = 1"), "广州市<=");
  ASSERT_TRUE(db.Exec("DELETE FROM view_group_item WHERE id = 1"));
  EXPECT_EQ(db.Value("SELECT count(*) FROM DT_GroupItem"), "0");
}

TEST_F(ShippedDatabase, RegionsAreSixDigitCodesWithConsistentParts) {
  EXPECT_EQ(db.Value("SELECT count(*) FROM CT_CityName WHERE ID < 110000 OR ID > 999999 OR Code1 <> ID / 10000 "
                     "OR Code2 <> (ID % 10000) / 100 OR Code3 <> ID % 100 OR ifnull(Name, '') = '' "
                     "OR ifnull(CombName, '') = ''"),
            "0");
  // Every county has its city row and every city its province row, as the picker walks them.
  EXPECT_EQ(db.Value("SELECT count(*) FROM CT_CityName c WHERE c.Code3 <> 0 AND NOT EXISTS "
                     "(SELECT 1 FROM CT_CityName p WHERE p.ID = c.ID - c.Code3)"),
            "0");
  EXPECT_EQ(db.Value("SELECT count(*) FROM CT_CityName c WHERE c.Code2 <> 0 AND NOT EXISTS "
                     "(SELECT 1 FROM CT_CityName p WHERE p.ID = c.Code1 * 10000)"),
            "0");
  EXPECT_EQ(db.Value("SELECT count(*) FROM CT_CityName WHERE Code2 = 0 AND Code3 <> 0"), "0");
  EXPECT_EQ(db.Value("SELECT CombName FROM CT_CityName WHERE ID = 110100"), "北京市");
  EXPECT_EQ(db.Value("SELECT CombName FROM CT_CityName WHERE ID = 130102"), "河北省石家庄市长安区");
  EXPECT_GT(std::stoi(db.Value("SELECT count(*) FROM CT_CityName WHERE Code3 <> 0")), 2800);
}

TEST_F(ShippedDatabase, CodeTablesHoldTheListedCodes) {
  EXPECT_EQ(db.Value("SELECT group_concat(id) FROM (SELECT id FROM CT_LevelCode WHERE id IN (0, 1, 2, 3, 10))"),
            "0,1,2,3,10");
  EXPECT_EQ(db.Value("SELECT count(*) FROM ct_state WHERE id IN (0, 1, 2)"), "3");
  EXPECT_GT(std::stoi(db.Value("SELECT count(*) FROM ct_state WHERE id > 2")), 0);
  EXPECT_EQ(db.Value("SELECT count(*) FROM CT_LevelCode WHERE ifnull(name, '') = ''"), "0");
  EXPECT_EQ(db.Value("SELECT group_concat(CodeID) FROM ct_sheetName"), "0,1,2,3,4,5,6,7,8,9,10,11,12");
  EXPECT_EQ(db.Value("SELECT name FROM ct_sheetName WHERE CodeID = 5"), "表4续");
  EXPECT_EQ(db.Value("SELECT group_concat(codename) FROM view_datasearch WHERE PageID = 0"), "c901,c903,c904,c907");
  EXPECT_EQ(db.Value("SELECT count(*) FROM view_datasearch WHERE PageID > 0"), "156");
}

TEST(ExchangeTemplate, IsKeyedAndMatchesTheWorkingDatabase) {
  fwtest::ProgramFolderCopy folder;
  const std::string key = fw::DatabasePassword().toStdString();
  {
    Db plain(folder.FilePath("view.dll"));
    bool ok = true;
    plain.Query("SELECT count(*) FROM sqlite_master", &ok);
    EXPECT_FALSE(ok) << "view.dll opens without the key";
  }
  Db keyed(folder.FilePath("view.dll"), key);
  ASSERT_TRUE(keyed.IsOpen()) << keyed.Error();
  EXPECT_EQ(keyed.Value("SELECT count(*) FROM dt_data"), "0");
  EXPECT_EQ(keyed.Value("SELECT group_concat(db_name) FROM ct_label"), "默认数据库");
  Db working(folder.FilePath("2014NB_qz.mdb"));
  EXPECT_EQ(keyed.ColumnInfo("dt_data"), working.ColumnInfo("dt_data"));
  EXPECT_EQ(keyed.Value("SELECT group_concat(name) FROM sqlite_master"), "dt_data,ct_label");
}

#ifdef FW_MAKE_DATABASE
TEST(MakeShippedDatabase, FailedRunLeavesThePreviousFiles) {
  QTemporaryDir work;
  const QString sources = work.filePath("sources"), output = work.filePath("out");
  QDir().mkpath(sources);
  QDir().mkpath(output);
  for (const QString& name : QDir(FW_DATABASE_SOURCES).entryList(QDir::Files))
    ASSERT_TRUE(QFile::copy(QString(FW_DATABASE_SOURCES) + "/" + name, sources + "/" + name));
  QFile previous(output + "/2014NB_qz.mdb");
  ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
  previous.write("previous");
  previous.close();
  QFile broken(sources + "/dt_logic.tsv");
  ASSERT_TRUE(broken.open(QIODevice::Append));
  broken.write("999\t1\tz001 > 0\n");  // too few cells
  broken.close();

  QProcess tool;
  tool.start(FW_MAKE_DATABASE, {sources, output});
  ASSERT_TRUE(tool.waitForFinished(60000));
  EXPECT_NE(tool.exitCode(), 0);
  EXPECT_TRUE(tool.readAllStandardError().contains("dt_logic.tsv"));
  EXPECT_EQ(QDir(output).entryList(QDir::Files), QStringList{"2014NB_qz.mdb"});
  ASSERT_TRUE(previous.open(QIODevice::ReadOnly));
  EXPECT_EQ(previous.readAll(), "previous");
}
#endif

} // namespace
