#pragma once
// Survey records for the logic rules, and stand-ins for the entry form's editors and the
// message list, shared by the tests of the shipped rules, the page rule engine and the
// message list window.

#include "core/PageRuleLinks.h"

#include <QHash>
#include <QStringList>
#include <map>
#include <string>
#include <vector>

namespace fwtest {

// A record that breaks none of the shipped logic rules; every field not named is 0.
inline const std::map<std::string, int>& CleanRuleRecord() {
  static const std::map<std::string, int> record = {
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

} // namespace fwtest
