#pragma once
// Survey records for the logic rules, and stand-ins for the entry form's editors and the
// message list, shared by the tests of the shipped rules, the page rule engine and the
// message list window.

#include "core/PageRuleLinks.h"
#include "core/PageRules.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/Field.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace fwtest {

using RuleRecord = std::map<std::string, int>;

// A record that breaks none of the shipped logic rules; every field not named is 0.
inline const RuleRecord& CleanRuleRecord() {
  static const RuleRecord record = {
      {"z001", 10}, {"z004", 10}, {"z008", 2}, {"c904", 10}, {"z010", 2}};
  return record;
}

// The entry form's editors: every name given at construction holds a value (0 until
// set); names compare without regard to case, as the form's component names do.
class FakeRuleEditors : public fw::IRuleEditors {
public:
  explicit FakeRuleEditors(const QStringList& names = {}) {
    for (const QString& name : names) values_.insert(name.toLower(), 0.0);
  }
  bool RuleEditorValue(const QString& name, double& value) const override {
    const auto found = values_.constFind(name.toLower());
    if (found == values_.constEnd()) return false;
    value = *found;
    return true;
  }
  void Set(const QString& name, double value) { values_.insert(name.toLower(), value); }
  void Remove(const QString& name) { values_.remove(name.toLower()); }
  // Every editor back to 0, then the record's values.
  void Load(const std::map<std::string, int>& record) {
    for (auto it = values_.begin(); it != values_.end(); ++it) *it = 0.0;
    for (const auto& [name, value] : record) Set(QString::fromStdString(name), value);
  }

private:
  QHash<QString, double> values_;
};

struct ListedRule {
  QString Rule, Explanation, Focus;
  int Page = 0;
  friend bool operator==(const ListedRule&, const ListedRule&) = default;
};

// A message list that records what it is told.
class RecordingMessageList : public fw::IMessageList {
public:
  void ClearMessageList() override {
    Rows.clear();
    Shown = false;
    ++Clears;
  }
  void AddMessage(const QString& rule, const QString& explanation, const QString& focus, int page) override {
    Rows.push_back({rule, explanation, focus, page});
  }
  bool IsMessageListEmpty() const override { return Rows.empty(); }
  void ShowMessageList() override { Shown = true; }
  void HideMessageList() override { Shown = false; }
  bool JumpInProgress() const override { return false; }

  std::vector<ListedRule> Rows;
  bool Shown = false;
  int Clears = 0;
};

// One row of dt_logic, with the field codes its expression reads.
struct RuleRow {
  int Page = 0;
  QString Expression, Rule, Explain, Focus;
  QStringList Fields;
};

// The rows of dt_logic in the order given ("id", "page_id, id").
inline std::vector<RuleRow> ReadRuleRows(fw::TADOConnection& connection, const QString& order) {
  static const QRegularExpression code(QStringLiteral("\\b[a-z][0-9]{3}\\b"));
  fw::TADOQuery query(&connection);
  query.SetSQL(QStringLiteral("select * from dt_logic order by ") + order);
  query.Open();
  std::vector<RuleRow> rows;
  for (; !query.Eof(); query.Next()) {
    RuleRow row{query.FieldByName("page_id")->AsInteger(), query.FieldByName("expression")->AsString(),
                query.FieldByName("rule")->AsString(),     query.FieldByName("explain")->AsString(),
                query.FieldByName("focus")->AsString(),    {}};
    for (auto it = code.globalMatch(row.Expression); it.hasNext();) row.Fields << it.next().captured();
    row.Fields.removeDuplicates();
    rows.push_back(row);
  }
  return rows;
}

// Which expressions the editors' values make true, all put in place by the page rule
// engine and evaluated by the database in one statement (much faster than one each).
inline std::vector<bool> TrueThroughDatabase(fw::TPageRuleEngine& engine, fw::TADOConnection& connection,
                                             const QStringList& expressions) {
  QStringList items;
  for (int i = 0; i < expressions.size(); ++i)
    items << QStringLiteral("(%1) as r%2").arg(engine.SubstituteExpr(expressions[i])).arg(i);
  fw::TADOQuery query(&connection);
  query.SetSQL("select " + items.join(", "));
  query.Open();
  std::vector<bool> fired;
  for (int i = 0; i < expressions.size(); ++i) fired.push_back(query.Fields(i)->AsFloat() == -1.0);
  return fired;
}

// Which rule rows a record breaks, one flag per row.
using RuleRowsFired = std::function<std::vector<bool>(const RuleRecord&)>;

// A record that breaks rule row `target` and no other, found by a seeded local search
// from the clean record: values of the target's fields (rowFields[target]) are tried
// until it fires, then values of the fields of the other rows that fire, one or two
// fields at a time and mostly 0 or 1 (most rules hold when their fields are empty),
// keeping every change that makes things no worse (so that chains of rules such as
// j015..j021 can be walked). A few fresh starts with other seeds before giving up;
// empty when no record was found.
inline RuleRecord BreakingOnly(const std::vector<QStringList>& rowFields, size_t target, const RuleRowsFired& fired) {
  // Half of the time 0, a quarter 1 (yes of a yes/no item), else a count up to 25.
  auto value = [](std::mt19937& random) {
    const unsigned pick = random() % 4;
    return pick < 2 ? 0 : pick == 2 ? 1 : 2 + int(random() % 24);
  };
  auto score = [&](const std::vector<bool>& rows) {
    int s = rows[target] ? 0 : 100;
    for (size_t i = 0; i < rows.size(); ++i) s += i != target && rows[i];
    return s;
  };
  for (unsigned attempt = 0; attempt < 8; ++attempt) {
    std::mt19937 random(unsigned(target) * 8 + attempt);
    RuleRecord record = CleanRuleRecord();
    std::vector<bool> rows = fired(record);
    int current = score(rows);
    for (int step = 0; step < 300 && current > 0; ++step) {
      QStringList pool = rowFields[target];
      if (rows[target]) {
        pool.clear();
        for (size_t i = 0; i < rows.size(); ++i)
          if (i != target && rows[i]) pool << rowFields[i];
      }
      RuleRecord trial = record;
      for (int n = 1 + int(random() % 2); n > 0; --n) trial[pool[int(random() % pool.size())].toStdString()] = value(random);
      if (trial == record) continue;
      const std::vector<bool> trialRows = fired(trial);
      const int s = score(trialRows);
      if (s > current) continue;
      record = trial;
      rows = trialRows;
      current = s;
    }
    if (current == 0) return record;
  }
  return {};
}

} // namespace fwtest
