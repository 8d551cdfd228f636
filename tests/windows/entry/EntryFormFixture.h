#pragma once
// The entry form on a private working database: a source query over view_data as the
// record list holds it, a message list and a rule checker that stand in for the real
// ones (or, in EntryFormWithRulesFixture, the real page rules and message list window),
// the tool window for the code menus, and helpers to add records and to read dt_data
// back.
#include "controls/common/FwToolButton.h"
#include "core/PageRuleLinks.h"
#include "core/PageRules.h"
#include "core/RegistrySettings.h"
#include "core/SurveyModel.h"
#include "grid/EasyGrid.h"
#include "platform/ui/Fonts.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/Field.h"
#include "support/RuleRecords.h"
#include "tests/core/WorkingDatabase.h"
#include "windows/entry/SurveyDataForm.h"
#include "windows/shared/MessageListWinForm.h"
#include "windows/shared/ToolForm.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace fwtest {

// The recording message list, with a double-click jump that tests switch on.
class FakeMessageList : public RecordingMessageList {
public:
  bool JumpInProgress() const override { return Jumping; }
  bool Jumping = false;
};

// Lists one broken rule for each page named in BrokenPages.
class FakeRuleChecker : public fw::IPageRuleChecker {
public:
  explicit FakeRuleChecker(FakeMessageList& list) : list_(list) {}
  bool CheckPageRules(int page, bool clear) override {
    if (page < 1 || page > 12) return false;
    if (clear) list_.ClearMessageList();
    Checked.push_back(page);
    if (BrokenPages.count(page)) list_.AddMessage(QStringLiteral("rule"), QStringLiteral("explain"), BrokenPages[page], page);
    if (!list_.IsMessageListEmpty()) list_.ShowMessageList();
    return list_.IsMessageListEmpty();
  }
  bool CheckAllPages() override {
    ++AllChecks;
    CheckPageRules(1, true);
    for (int page = 2; page <= 12; ++page) CheckPageRules(page, false);
    return list_.IsMessageListEmpty();
  }
  std::map<int, QString> BrokenPages; // page -> field of the broken rule
  std::vector<int> Checked;
  int AllChecks = 0;

private:
  FakeMessageList& list_;
};

class EntryFormFixture : public ::testing::Test {
protected:
  void SetUp() override {
    // The fonts as the program maps them at start, before any window exists.
    fw::InstallFontSubstitutions();
    fw::ImePrefer.clear();
    fw::ToolForm = nullptr;
    tool = std::make_unique<fw::TToolForm>(nullptr);
    source = std::make_unique<fw::TADOQuery>(&db.Connection);
    source->SetSQL(QStringLiteral("SELECT * from view_data order by c901 asc"));
    form = std::make_unique<fw::TdlgSurveyDataForm>(nullptr);
    form->SetMessageList(&messages);
    form->SetRuleChecker(&checker);
  }

  void TearDown() override {
    // 返回: closes unasked, dropping what a test left unstored.
    if (form && form->isVisible()) form->tbReturnClick();
    form.reset();
    source.reset();
    tool.reset();
  }

  // A complete, valid record (cover and a few indicators).
  void AddRecord(qint64 code, const QString& name = QString(), int state = 1, int level = 10) {
    db.Connection.Execute(
        QStringLiteral("insert into dt_data (c901, c902, c903, c904, c905, c906, c907, RecordState, z001, z002, b004) "
                       "values (?, ?, 110101, ?, '张三', '01065001234', ?, 1, 120, 30, 1234.5)"),
        QVariantList{code, name.isEmpty() ? QStringLiteral("测试工会%1").arg(code) : name, level, state});
  }

  // Shows the form on the source's record number recNo (1-based), or adding.
  void Open(bool addNew, int recNo = 1) {
    source->Close();
    source->Open();
    if (!addNew && recNo > 0) source->SetRecNo(recNo);
    form->IsAddNew = addNew;
    form->CurrentCode = addNew ? 0 : source->FieldByName(QStringLiteral("c901"))->AsFloat();
    form->SetSourceDataset(source.get());
    form->Show();
    QApplication::setActiveWindow(form.get());
    form->activateWindow();
    (void)QTest::qWaitForWindowActive(form.get());
  }

  // One column of the stored row with the code.
  QVariant Stored(qint64 code, const QString& column) {
    fw::TADOQuery q(&db.Connection);
    q.SetSQL(QStringLiteral("select ") + column + QStringLiteral(" from dt_data where c901=") + QString::number(code));
    q.Open();
    return q.IsEmpty() ? QVariant() : q.Fields(0)->AsVariant();
  }

  int Count(const QString& where = QString()) {
    fw::TADOQuery q(&db.Connection);
    q.SetSQL(QStringLiteral("select count(*) from dt_data") + (where.isEmpty() ? QString() : " where " + where));
    q.Open();
    return q.Fields(0)->AsInteger();
  }

  QStringList MessageTexts() const { return hooks.MessageTexts(); }

  WorkingDatabase db;
  ScopedUserFolders users;
  ScriptedHooks hooks;
  FakeMessageList messages;
  FakeRuleChecker checker{messages};
  std::unique_ptr<fw::TToolForm> tool;
  std::unique_ptr<fw::TADOQuery> source;
  std::unique_ptr<fw::TdlgSurveyDataForm> form;
};

// The entry form with the page rules of the core and the message list window, wired as
// the main window wires them, on the shipped rules of the working database.
class EntryFormWithRulesFixture : public EntryFormFixture {
protected:
  void SetUp() override {
    EntryFormFixture::SetUp();
    list = std::make_unique<fw::TMessageListWinForm>(nullptr);
    rules = std::make_unique<fw::TPageRuleEngine>(db.Connection, *form, *list);
    form->SetMessageList(list.get());
    form->SetRuleChecker(rules.get());
    list->SetJumpTarget(form.get());
  }

  void TearDown() override {
    EntryFormFixture::TearDown();
    rules.reset();
    list.reset();
  }

  // A record with a valid cover whose indicators are the values given (every other one 0).
  void AddRuleRecord(qint64 code, const std::map<std::string, int>& values) {
    QStringList columns{"c901", "c902", "c903", "c905", "c906", "c907", "RecordState"};
    QVariantList row{code, QStringLiteral("测试工会%1").arg(code), 110101, QStringLiteral("张三"),
                     QStringLiteral("01065001234"), 1, 0};
    for (const auto& [name, value] : values) {
      columns << QString::fromStdString(name);
      row << value;
    }
    const QString marks = QStringLiteral("?,").repeated(int(columns.size())).chopped(1);
    db.Connection.Execute("insert into dt_data (" + columns.join(',') + ") values (" + marks + ")", row);
  }

  // The clean record with changes.
  static std::map<std::string, int> CleanWith(const std::map<std::string, int>& changes) {
    std::map<std::string, int> record = CleanRuleRecord();
    for (const auto& [name, value] : changes) record[name] = value;
    return record;
  }

  // The texts of the list's data rows: rule, explanation, page, field.
  std::vector<QStringList> ListedRows() const {
    std::vector<QStringList> rows;
    if (list->IsMessageListEmpty()) return rows;
    for (int row = 1; row < list->Grid->RowCount(); ++row) {
      QStringList texts;
      for (int col = fw::TMessageListWinForm::colRule; col <= fw::TMessageListWinForm::colFocus; ++col)
        texts << list->Grid->GetForeText(col, row);
      rows.push_back(texts);
    }
    return rows;
  }

  std::unique_ptr<fw::TMessageListWinForm> list;
  std::unique_ptr<fw::TPageRuleEngine> rules;
};

} // namespace fwtest
