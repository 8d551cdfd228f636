#pragma once
// A private program folder, registry and hooks, an application object, and the main
// window started on the folder's working database.
#include "core/DatabasePassword.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoConnection.h"
#include "platform/ui/Application.h"
#include "support/TestSupport.h"
#include "platform/ui/DBGrid.h"
#include "windows/main/MainForm.h"

#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace fwtest {

// The place of a record list's row in the view, in its name column (c902).
inline QRect RecordRowRect(fw::TDBGrid& grid, int row) {
  return grid.View()->visualRect(grid.View()->model()->index(row, grid.Columns().FindColumn("c902")->Index()));
}

// The codes (c901) of the rows a shown record list paints in the highlight colour, sorted.
inline QStringList PaintedCodes(fw::TDBGrid& grid) {
  const QImage image = grid.View()->viewport()->grab().toImage();
  fw::TDataSet& list = *grid.DataSet();
  QStringList codes;
  for (int row = 0; row < list.RowCount(); ++row) {
    const QRect r = RecordRowRect(grid, row);
    const QRgb c = image.pixel(r.right() - 4, r.center().y());
    if (fw::RGB(qRed(c), qGreen(c), qBlue(c)) == fw::ColorToRGB(fw::clHighlight))
      codes << list.Text(row, list.FieldByName("c901")->Index());
  }
  codes.sort();
  return codes;
}

// A click of the mouse on the title of a grid's column.
inline void ClickTitle(fw::TDBGrid& grid, const QString& field) {
  QHeaderView* titles = grid.View()->horizontalHeader();
  const int section = grid.Columns().FindColumn(field)->Index();
  const QPoint inTitle(titles->sectionViewportPosition(section) + 5, titles->height() / 2);
  QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, inTitle);
}

class MainFormFixture : public ::testing::Test {
protected:
  void SetUp() override {
    app = std::make_unique<fw::TApplication>();
    app->SetProgramDir(folder.Path());
  }

  void TearDown() override { app.reset(); }

  QString DatabaseFile() const { return folder.FilePath(fw::kDefaultDatabaseName); }

  // A connection of the test's own to the working database (plain, or with a key).
  std::unique_ptr<fw::TADOConnection> Connect(const QString& password = QString(), bool exclusive = false) {
    auto c = std::make_unique<fw::TADOConnection>();
    QString text = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + DatabaseFile() +
                   (exclusive ? ";Mode=Share Exclusive;" : ";Mode=ReadWrite;");
    if (!password.isEmpty()) text += "Jet OLEDB:Database Password=" + password;
    c->SetConnectionString(text);
    c->Open();
    return c;
  }

  // Survey records with the codes given (names "单位<code>"), in one transaction.
  void AddRecords(const std::vector<qint64>& codes) {
    auto c = Connect();
    c->BeginTrans();
    for (qint64 code : codes)
      c->Execute("insert into dt_data (c901, c902, c903, c904, c907, RecordState) values (?, ?, 110101, 10, 1, 1)",
                 {code, QString("单位%1").arg(code)});
    c->CommitTrans();
  }

  int Count(const QString& sql) {
    auto c = Connect();
    fw::TADOQuery q(c.get());
    q.SetSQL(sql);
    q.Open();
    return q.Fields(0)->AsInteger();
  }

  fw::TMainForm* Start() {
    fw::TMainForm* form = nullptr;
    app->CreateForm(form);
    return form;
  }

  ProgramFolderCopy folder;
  ScopedUserFolders users;
  ScriptedHooks hooks;
  std::unique_ptr<fw::TApplication> app;
};

} // namespace fwtest
