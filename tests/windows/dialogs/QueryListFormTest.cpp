// The query list: the records of a search with the main list's columns and their count,
// sorting by title clicks across showings, opening a record in the entry form, deleting
// marked records (those shown selected), and the two exports.
#include "ListDialogsFixture.h"

#include "controls/common/FwCustomPanel.h"
#include "controls/common/FwToolButton.h"
#include "platform/db/AdoQuery.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/Label.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/VirtualKeys.h"
#include "windows/dialogs/QueryListForm.h"
#include "windows/entry/SurveyDataForm.h"
#include "windows/shared/GridProcedures.h"
#include "tests/windows/shared/BarLooks.h"

#include <QTableView>
#include <QTest>

namespace {

using namespace fw;
using fwtest::ListDialogsFixture;

class QueryListFormTest : public ListDialogsFixture {
protected:
  TdlgQueryListForm* Dialog(const QString& where = QString(), const QVariantMap& params = {}) {
    main_ = Main();
    dialog_.reset(NewForm<TdlgQueryListForm>(nullptr));
    dialog_->RunQueryList(where, params);
    dialog_->Show();
    return dialog_.get();
  }

  QStringList Codes(TDataSet& data) {
    QStringList codes;
    for (int row = 0; row < data.RowCount(); ++row) codes << data.Text(row, data.FieldByName("c901")->Index());
    return codes;
  }

  TMainForm* main_ = nullptr;
  std::unique_ptr<TdlgQueryListForm> dialog_;
};

// The rows a statement reads from an exported database file.
struct ExportedRows {
  TADOConnection out;
  TADOQuery rows{&out};
  ExportedRows(const QString& file, const QString& sql) {
    out.SetConnectionString(QStringLiteral("Data Source=") + file);
    out.Open();
    rows.SetSQL(sql);
    rows.Open();
  }
};

TEST_F(QueryListFormTest, ShowsTheFoundRecordsWithTheMainListsColumns) {
  AddSurvey();
  TdlgQueryListForm* dialog = Dialog(QStringLiteral("where c901>=:low"), {{QStringLiteral("low"), 110000000002LL}});
  EXPECT_EQ(dialog->Caption(), QStringLiteral("查询结果列表"));
  EXPECT_EQ(Codes(*dialog->ReportQuery), (QStringList{"110000000002", "120000000001", "130000000001"}));
  EXPECT_EQ(dialog->DetailQuery->RecordCount(), 3);
  EXPECT_EQ(dialog->CountLabel->Caption(), QString::number(dialog->DBGrid1->View()->model()->rowCount()));
  EXPECT_EQ(dialog->CountLabel->Caption(), QStringLiteral("3"));
  EXPECT_EQ(dialog->CountPanel->BorderOuter(), fw::TFrameStyleEx::fsNone);

  // The visible fields of the field list, in its order; the record state centred.
  int visibleFields = 0;
  for (int i = 0; i < main_->RecordGrid->Columns().Count(); ++i)
    if (main_->RecordGrid->Columns().Items(i)->Visible()) ++visibleFields;
  const TDBGridColumns& columns = dialog->DBGrid1->Columns();
  ASSERT_EQ(columns.Count(), visibleFields);
  TColumn* first = columns.Items(0);
  EXPECT_EQ(first->FieldName(), QStringLiteral("RecordState"));
  EXPECT_EQ(first->Alignment(), TAlignment::taCenter);
  EXPECT_EQ(first->Title().Caption(), QStringLiteral("数据状态▲"));
  EXPECT_EQ(first->Title().Color(), clLime);
  EXPECT_EQ(columns.Items(1)->FieldName(), QStringLiteral("c901"));
  EXPECT_EQ(columns.Items(1)->Alignment(), TAlignment::taLeftJustify);
  EXPECT_EQ(columns.Items(1)->Title().Caption(), QStringLiteral("本级工会统计编码"));
}

TEST_F(QueryListFormTest, SortingSurvivesShowingTheListAgain) {
  AddSurvey();
  TdlgQueryListForm* dialog = Dialog();
  TColumn* code = dialog->DBGrid1->Columns().Items(1);
  dialog->DBGrid1->OnTitleClick(code);
  EXPECT_EQ(code->Title().Caption(), QStringLiteral("本级工会统计编码▼"));
  EXPECT_EQ(dialog->DBGrid1->Columns().Items(0)->Title().Caption(), QStringLiteral("数据状态"));
  EXPECT_EQ(Codes(*dialog->ReportQuery).first(), QStringLiteral("130000000001"));

  // A new search and a new showing rebuild the columns: the column sorted before is gone
  // with them, and a title click afterwards works on the new ones.
  dialog->Hide();
  dialog->RunQueryList(QString());
  dialog->Show();
  EXPECT_EQ(Codes(*dialog->ReportQuery).first(), QStringLiteral("110000000001"));
  TColumn* name = dialog->DBGrid1->Columns().Items(2);
  dialog->DBGrid1->OnTitleClick(name);
  EXPECT_EQ(name->Title().Caption(), QStringLiteral("本级工会名称▼"));
  EXPECT_EQ(dialog->DBGrid1->Columns().Items(0)->Title().Caption(), QStringLiteral("数据状态"));
  EXPECT_EQ(dialog->SortedColumn(), name);
}

TEST_F(QueryListFormTest, OpensTheChosenRecordInTheEntryForm) {
  AddSurvey();
  TdlgQueryListForm* dialog = Dialog();
  dialog->tbEditClick(); // without an entry form nothing happens
  QStringList opened;
  dialog->OnEditRecord = [&opened](TADOQuery& source) { opened << source.FieldByName("c901")->AsString(); };
  dialog->ReportQuery->SetRecNo(3);
  dialog->tbEditClick();
  dialog->ReportQuery->SetRecNo(2);
  dialog->DBGrid1->OnDblClick(dialog->DBGrid1);
  WORD enter = VK_RETURN;
  dialog->DBGrid1->OnKeyUp(dialog->DBGrid1, enter, 0);
  EXPECT_EQ(opened, (QStringList{"120000000001", "110000000002", "110000000002"}));

  // An empty result opens nothing.
  dialog->RunQueryList(QStringLiteral("where c901<0"));
  dialog->tbEditClick();
  EXPECT_EQ(opened.size(), 3);
}

// As the program connects them: the entry form on the query list's record, not adding.
TEST_F(QueryListFormTest, TheMainWindowOpensTheRecordInItsEntryForm) {
  AddSurvey();
  TdlgQueryListForm* dialog = Dialog(QStringLiteral("where c901>:low"), {{QStringLiteral("low"), 110000000001LL}});
  main_->ConnectQueryList(*dialog);
  dialog->ReportQuery->SetRecNo(2);
  bool adding = true;
  double code = 0;
  TDataSet* source = nullptr;
  ScopedModalScript script([&](TForm& form) {
    auto& entry = dynamic_cast<TdlgSurveyDataForm&>(form);
    adding = entry.IsAddNew;
    code = entry.CurrentCode;
    source = entry.SourceDataset();
    return int(mrCancel);
  });
  dialog->tbEditClick();
  EXPECT_FALSE(adding);
  EXPECT_EQ(code, 120000000001.0);
  EXPECT_EQ(source, dialog->ReportQuery);
}

TEST_F(QueryListFormTest, DeletesTheMarkedRecordsEverywhere) {
  AddSurvey();
  TdlgQueryListForm* dialog = Dialog();
  dialog->DBGrid1->SelectedRows().SetRowSelected(1, true);
  dialog->DBGrid1->SelectedRows().SetRowSelected(3, true);
  hooks.QuestionAnswers.push_back(IDYESTOALL);
  dialog->tbDeleteClick();
  EXPECT_EQ(hooks.Questions, QStringList{kDeleteSelectedQuestion});
  EXPECT_EQ(Count("select count(*) from dt_data"), 2);
  EXPECT_EQ(Codes(*dialog->ReportQuery), (QStringList{"110000000001", "120000000001"}));
  EXPECT_EQ(Codes(*dialog->DetailQuery), (QStringList{"110000000001", "120000000001"}));
  EXPECT_EQ(dialog->CountLabel->Caption(), QStringLiteral("2"));
  EXPECT_EQ(main_->Data().ReportQuery->RecordCount(), 2);

  // The Delete key asks for the current record; 否 keeps it.
  hooks.QuestionAnswers.push_back(IDNO);
  WORD del = VK_DELETE;
  dialog->DBGrid1->OnKeyUp(dialog->DBGrid1, del, 0);
  EXPECT_EQ(Count("select count(*) from dt_data"), 2);
  EXPECT_EQ(dialog->CountLabel->Caption(), QStringLiteral("2"));
}

// A click on the second record, then on the code title: the list is sorted and the
// record stays current and painted; Shift+Ctrl+End then marks from it down to the last
// record. Each time 修改数据信息 opens the current record, one of those painted, and in
// the end 删除数据信息 deletes exactly the records painted.
TEST_F(QueryListFormTest, TheRecordsShownSelectedAreThoseItsButtonsTake) {
  AddSurvey();
  TdlgQueryListForm* dialog = Dialog();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
  TDBGrid& grid = *dialog->DBGrid1;
  QStringList opened;
  dialog->OnEditRecord = [&opened](TADOQuery& source) { opened << source.FieldByName("c901")->AsString(); };
  struct Step {
    std::function<void()> act;
    QStringList selected;
    QString current;
  };
  const Step steps[] = {
      {[&] {
         QTest::mouseClick(grid.View()->viewport(), Qt::LeftButton, {}, fwtest::RecordRowRect(grid, 1).center());
         fwtest::ClickTitle(grid, "c901"); // by code, descending
         EXPECT_EQ(Codes(*dialog->ReportQuery).first(), "130000000001");
       },
       {"110000000002"},
       "110000000002"},
      {[&] { QTest::keyClick(grid.View(), Qt::Key_End, Qt::ShiftModifier | Qt::ControlModifier); },
       {"110000000001", "110000000002"},
       "110000000001"},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(fwtest::PaintedCodes(grid), step.selected);
    dialog->tbEdit->Click();
    EXPECT_EQ(opened.value(opened.size() - 1), step.current);
  }
  hooks.QuestionAnswers.push_back(IDYESTOALL);
  dialog->tbDelete->Click();
  EXPECT_EQ(Codes(*dialog->DetailQuery), (QStringList{"120000000001", "130000000001"}));
}

// More marked records than one statement takes values.
TEST_F(QueryListFormTest, DeletesThousandsOfMarkedRecords) {
  std::vector<qint64> codes;
  for (qint64 code = 110000000001; code <= 110000001200; ++code) codes.push_back(code);
  AddRecords(codes);
  TdlgQueryListForm* dialog = Dialog();
  ASSERT_EQ(dialog->ReportQuery->RecordCount(), 1200);
  for (int row = 0; row < 1100; ++row) dialog->DBGrid1->SelectedRows().SetRowSelected(row, true);
  hooks.QuestionAnswers.push_back(IDYESTOALL);
  dialog->tbDeleteClick();
  EXPECT_TRUE(hooks.Messages.empty());
  EXPECT_EQ(Count("select count(*) from dt_data"), 100);
  EXPECT_EQ(Count("select min(c901) - 110000000000 from dt_data"), 1101);
  EXPECT_EQ(dialog->CountLabel->Caption(), QStringLiteral("100"));
  EXPECT_EQ(main_->Data().ReportQuery->RecordCount(), 100);
}

TEST_F(QueryListFormTest, ExportsTheDetailsAndTheListAsShown) {
  AddSurvey();
  TdlgQueryListForm* dialog = Dialog(QStringLiteral("where c901<:high"), {{QStringLiteral("high"), 120000000001LL}});
  dialog->DBGrid1->OnTitleClick(dialog->DBGrid1->Columns().Items(1)); // by code, descending

  hooks.SaveAnswers.push_back(fwtest::Chosen(Docs(QStringLiteral("结果"))));
  dialog->mnSaveAsExecel->Click();
  TWorksheet& sheet = Sheet(Docs(QStringLiteral("结果.xlsx")));
  EXPECT_EQ(sheet.Name(), QStringLiteral("Fenwright查询结果"));
  const QStringList titles = RowTexts(sheet, 3);
  ASSERT_EQ(titles.size(), dialog->DBGrid1->Columns().Count());
  EXPECT_EQ(titles[0], QStringLiteral("数据状态"));
  EXPECT_EQ(titles[1], QStringLiteral("本级工会统计编码"));
  EXPECT_EQ(sheet.CellValue(5, 2).toLongLong(), 110000000002LL);
  EXPECT_EQ(sheet.CellValue(6, 2).toLongLong(), 110000000001LL);
  EXPECT_TRUE(sheet.Cells(7, 1).IsEmpty());

  hooks.SaveAnswers.push_back(fwtest::Chosen(Docs(QStringLiteral("详细"))));
  dialog->mnSaveAsAccess->Click();
  EXPECT_EQ(MessageTexts().last(), QStringLiteral("Access文件已经正确导出到：'") + Docs(QStringLiteral("详细.mdb")) + QStringLiteral("'！"));
  ExportedRows exported(Docs(QStringLiteral("详细.mdb")), QStringLiteral("select * from Fenwright查询结果 order by c901"));
  TADOQuery& rows = exported.rows;
  EXPECT_EQ(Codes(rows), (QStringList{"110000000001", "110000000002"}));
  EXPECT_EQ(rows.FieldNames(), dialog->DetailQuery->FieldNames());
  rows.Last();
  EXPECT_EQ(rows.FieldByName("c902")->AsString(), QStringLiteral("O'Neil 工会"));
}

// A record whose code is changed in the entry form so that the search no longer finds it
// leaves the list, and the count follows.
TEST_F(QueryListFormTest, TheCountFollowsARecordChangedOutOfTheSearch) {
  AddSurvey();
  TdlgQueryListForm* dialog = Dialog(QStringLiteral("where c901<:high"), {{QStringLiteral("high"), 120000000001LL}});
  ASSERT_EQ(dialog->CountLabel->Caption(), QStringLiteral("2"));
  dialog->OnEditRecord = [this](TADOQuery& source) {
    Connect()->Execute("update dt_data set c901 = 150000000001 where c901 = 110000000002");
    source.Requery(); // as the entry form does after storing
  };
  dialog->ReportQuery->Next();
  dialog->tbEdit->Click();
  EXPECT_EQ(dialog->ReportQuery->RecordCount(), 1);
  EXPECT_EQ(dialog->CountLabel->Caption(), QStringLiteral("1"));
}

// A record changed in the entry form after the search is exported as it is stored now.
TEST_F(QueryListFormTest, TheDetailsExportedAreThoseStoredNow) {
  AddSurvey();
  TdlgQueryListForm* dialog = Dialog();
  dialog->OnEditRecord = [this](TADOQuery& source) {
    Connect()->Execute("update dt_data set c902 = '改过的工会' where c901 = 110000000002");
    source.Requery(); // as the entry form does after storing
  };
  dialog->ReportQuery->Next();
  dialog->tbEdit->Click();

  hooks.SaveAnswers.push_back(fwtest::Chosen(Docs(QStringLiteral("详细"))));
  dialog->mnSaveAsAccess->Click();
  ExportedRows exported(Docs(QStringLiteral("详细.mdb")),
                        QStringLiteral("select c902 from Fenwright查询结果 where c901 = 110000000002"));
  ASSERT_FALSE(exported.rows.IsEmpty());
  EXPECT_EQ(exported.rows.FieldByName("c902")->AsString(), QStringLiteral("改过的工会"));
}

} // namespace

TEST_F(QueryListFormTest, ButtonsWithPicturesAndGapsOnABarAtTheBottom) {
  TdlgQueryListForm* dialog = Dialog();
  fwtest::ExpectBars(*dialog, {{"FwToolbar1", TAlign::alBottom, TFwToolbarTextOptions::ttoCustom, true, TFrameStyleEx::fsNone, 3, 1, 0}});
  fwtest::ExpectButtons(*dialog, {{"tbDelete", 105, blkHot, false, false, true}, {"tbEdit", 105, blkHot, false, false, true},
                                  {"tbReturn", 75, blkHot, false, false, false}, {"tbDataExport", 110, blkHot, true, false, true}});
}
