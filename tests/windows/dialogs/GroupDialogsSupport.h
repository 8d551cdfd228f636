#pragma once
// What the tests of the two grouping dialogs share: a private working database with
// schemes and items, reading them back, and answering the input box of a new scheme.

#include "core/SurveyModel.h"
#include "platform/db/AdoQuery.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "tests/core/WorkingDatabase.h"
// Also gives readable QStrings in failure messages.
#include "tests/windows/main/MainFormFixture.h"

#include <QTableView>
#include <QTest>
#include <deque>

namespace fwtest {

struct TGroupItemRow {
  QString Title;
  qint64 Low = 0;
  qint64 High = 0;
  QString LowSymbol = QStringLiteral(">=");
  QString HighSymbol = QStringLiteral("<");
};

// The scheme of three items the pictures and several tests use.
inline const std::vector<TGroupItemRow> kThreeItems = {
    {QStringLiteral("北京市"), 110000000000, 120000000000},
    {QStringLiteral("天津市"), 120000000000, 130000000000, QStringLiteral(">"), QStringLiteral("<=")},
    {QStringLiteral("河北省"), 130000000000, 140000000000}};

class GroupDatabase : public WorkingDatabase {
public:
  GroupDatabase() { fw::FixEditionSettings(); }

  // A scheme with its items; returns its id.
  int AddScheme(const QString& name, const std::vector<TGroupItemRow>& items = {}) {
    Connection.Execute(QStringLiteral("insert into ct_group (name, orderstr) values (?, 'id ASC')"), QVariantList{name});
    const int id = Scalar(QStringLiteral("select max(id) from ct_group")).toInt();
    for (const TGroupItemRow& item : items)
      Connection.Execute(QStringLiteral("insert into DT_GroupItem (GroupID, Title, LowBoundary, HighBoundary, LowSymbol, "
                                        "HighSymbol) values (?, ?, ?, ?, ?, ?)"),
                         QVariantList{id, item.Title, item.Low, item.High, item.LowSymbol, item.HighSymbol});
    return id;
  }

  QVariant Scalar(const QString& sql) {
    fw::TADOQuery query(&Connection);
    query.SetSQL(sql);
    query.Open();
    return query.IsEmpty() ? QVariant() : query.Fields(0)->AsVariant();
  }

  int Count(const QString& sql) { return Scalar(sql).toInt(); }
};

// The plain edit of an input box (InputQueryEx).
inline fw::TEdit* InputEditOf(fw::TForm& form) {
  for (int i = 0; i < form.ControlCount(); ++i)
    if (auto* edit = dynamic_cast<fw::TEdit*>(form.Controls(i))) return edit;
  return nullptr;
}

// Clicks the data row `row` (0-based) of a grid view.
inline void ClickGridRow(QTableView* view, int row) {
  const QRect rect = view->visualRect(view->model()->index(row, 0));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

} // namespace fwtest
