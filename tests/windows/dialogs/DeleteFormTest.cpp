// The delete dialog: ranges of codes (refused bounds, From above To, a bound below 1,
// text that is no number), all records behind the warning question, the marked
// records, one transaction for a deletion that fails half way, and where the list
// stands afterwards.
#include "windows/dialogs/DeleteForm.h"

#include "controls/common/FwRadioButton.h"
#include "platform/db/AdoQuery.h"
#include "platform/ui/GroupBox.h"
#include "tests/windows/main/MainFormFixture.h"
#include "windows/shared/GridProcedures.h"
#include "windows/shared/VKValidEdit.h"
#include "tests/windows/shared/BarLooks.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QTest>

namespace {

using namespace fw;

constexpr qint64 kFirst = 110000000001;

class DeleteFormTest : public fwtest::MainFormFixture {
protected:
  void SetUp() override {
    MainFormFixture::SetUp();
    AddRecords({kFirst, kFirst + 1, kFirst + 2, kFirst + 3, kFirst + 4, kFirst + 5});
    main = Start();
    ASSERT_NE(main, nullptr);
    dialog.reset(NewForm<TdlgDeleteForm>(main, main->RecordGrid));
  }
  // The dialog goes before its owner, the main window.
  void TearDown() override {
    dialog.reset();
    MainFormFixture::TearDown();
  }

  // The codes left, numbered from 1 for kFirst (0 for 100000000000).
  QString Codes() {
    auto c = Connect();
    TADOQuery q(c.get());
    q.SetSQL("select c901 from dt_data order by c901");
    q.Open();
    QStringList codes;
    for (; !q.Eof(); q.Next()) {
      const qint64 code = q.Fields(0)->AsLargeInt();
      codes << QString::number(code < kFirst ? 0 : code - kFirst + 1);
    }
    return codes.join(',');
  }

  qint64 ListCode() { return main->Data().ReportQuery->FieldByName("c901")->AsLargeInt(); }

  void DeleteRange(const QString& from, const QString& to) {
    dialog->Range->SetChecked(true);
    dialog->c901_1->SetText(from);
    dialog->c901_2->SetText(to);
    dialog->tbDeleteClick();
  }

  TMainForm* main = nullptr;
  std::unique_ptr<TdlgDeleteForm> dialog;
};

TEST_F(DeleteFormTest, LayoutAndDigitsOnly) {
  EXPECT_EQ(dialog->Caption(), QStringLiteral("选择删除的方式"));
  EXPECT_EQ(dialog->ClientWidth(), 265);
  EXPECT_EQ(dialog->ClientHeight(), 177);
  EXPECT_EQ(dialog->GroupBox1->Widget()->title(), QStringLiteral("删除的内容"));
  EXPECT_TRUE(dialog->Selected->Checked());
  EXPECT_FALSE(dialog->AllRecord->Checked());
  dialog->Show();
  dialog->c901_1->SetFocus();
  QTest::keyClicks(dialog->c901_1->Widget(), "12a-3");
  EXPECT_EQ(dialog->c901_1->Text(), QStringLiteral("123"));
  EXPECT_EQ(hooks.Beeps, 0);
  dialog->c901_1->Clear();
  dialog->Range->SetChecked(true);
  fwtest::SaveShot(dialog->grab().toImage(), QStringLiteral("fw_delete.png"));
}

// Bounds that are empty, zero or no number are refused before any question; From above
// To deletes exactly From and shows From's text in both edits; a lower bound below 1
// stands for 100000000000.
TEST_F(DeleteFormTest, RangeBounds) {
  struct Case {
    const char* name;
    QString from, to;
    bool refused;
    QString left;
    QString toAfter;
  };
  const QString c3 = QString::number(kFirst + 2), c5 = QString::number(kFirst + 4);
  const std::vector<Case> cases = {
      {"empty lower", "", c3, true, "0,1,2,3,4,5,6", c3},
      {"zero upper", c3, "000", true, "0,1,2,3,4,5,6", "000"},
      {"no number", QString::number(kFirst), c3 + ") or (1=1", true, "0,1,2,3,4,5,6", c3 + ") or (1=1"},
      {"from above to", c5, c3, false, "0,1,2,3,4,6", c5},
      {"ordinary", c3, c5, false, "0,1,2,6", c5},
      {"below one", "-1", "5", false, "1,2,3,4,5,6", "-1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Connect()->Execute("delete from dt_data");
    AddRecords({100000000000, kFirst, kFirst + 1, kFirst + 2, kFirst + 3, kFirst + 4, kFirst + 5});
    RequeryKeepingPlace(*main->Data().ReportQuery);
    DeleteRange(c.from, c.to);
    if (c.refused) {
      ASSERT_EQ(hooks.Messages.size(), 1u);
      EXPECT_EQ(hooks.Messages[0].Text, kDeleteRangeMissing);
    } else {
      ASSERT_EQ(hooks.Messages.size(), 1u);
      EXPECT_EQ(hooks.Messages[0].Text, kDeleteWarningText);
      EXPECT_EQ(hooks.Messages[0].Caption, kDeleteWarningCaption);
    }
    // Code 0 stands for 100000000000.
    EXPECT_EQ(Codes(), c.left);
    EXPECT_EQ(dialog->c901_2->Text(), c.toAfter);
    if (c.from.isEmpty()) {
      EXPECT_EQ(dialog->c901_1->Text(), QStringLiteral("0"));
    }
    hooks.Messages.clear();
  }
}

// The warning's default button is 否, and 否 deletes nothing, for all records and a range.
TEST_F(DeleteFormTest, NoDeletesNothingAndIsTheDefault) {
  for (TFwRadioButton* choice : {dialog->AllRecord, dialog->Range}) {
    hooks.MessageAnswers = {IDNO};
    choice->SetChecked(true);
    dialog->c901_1->SetText(QString::number(kFirst));
    dialog->c901_2->SetText(QString::number(kFirst + 5));
    dialog->tbDeleteClick();
    ASSERT_EQ(hooks.Messages.size(), 1u);
    EXPECT_EQ(hooks.Messages[0].Flags & MB_DEFBUTTON2, MB_DEFBUTTON2);
    EXPECT_EQ(Count("select count(*) from dt_data"), 6);
    hooks.Messages.clear();
  }
  dialog->AllRecord->SetChecked(true);
  dialog->tbDeleteClick();
  EXPECT_EQ(Count("select count(*) from dt_data"), 0);
  EXPECT_TRUE(main->Data().ReportQuery->IsEmpty());
}

TEST_F(DeleteFormTest, MarkedRecordsGoAndTheListStaysNearby) {
  ASSERT_TRUE(main->Data().ReportQuery->Locate("c901", kFirst + 5));
  for (int row : {1, 3}) main->RecordGrid->SelectedRows().SetRowSelected(row, true);
  hooks.QuestionAnswers = {IDYESTOALL};
  dialog->tbDeleteClick();
  EXPECT_EQ(Codes(), QStringLiteral("1,3,5,6"));
  EXPECT_EQ(ListCode(), kFirst + 5);

  // The record the list is on goes: the list stands on the one that took its place.
  ASSERT_TRUE(main->Data().ReportQuery->Locate("c901", kFirst + 2));
  DeleteRange(QString::number(kFirst + 2), QString::number(kFirst + 4));
  EXPECT_EQ(Codes(), QStringLiteral("1,6"));
  EXPECT_EQ(ListCode(), kFirst + 5);
}

// A deletion that fails half way leaves every record: the rows deleted before the
// failure come back with the transaction.
TEST_F(DeleteFormTest, AFailedDeletionLeavesEveryRecord) {
  Connect()->Execute(QStringLiteral("create trigger keep_four before delete on dt_data when old.c901=%1 "
                                    "begin select raise(fail, 'kept'); end")
                         .arg(kFirst + 3));
  for (TFwRadioButton* choice : {dialog->AllRecord, dialog->Range}) {
    choice->SetChecked(true);
    dialog->c901_1->SetText(QString::number(kFirst));
    dialog->c901_2->SetText(QString::number(kFirst + 5));
    dialog->tbDeleteClick();
    EXPECT_EQ(Count("select count(*) from dt_data"), 6);
    ASSERT_EQ(hooks.Messages.size(), 2u);
    EXPECT_TRUE(hooks.Messages[1].Text.startsWith(QStringLiteral("运行中发生错误："))) << hooks.Messages[1].Text.toStdString();
    hooks.Messages.clear();
  }
  EXPECT_FALSE(main->Data().SysADOConnection->InTransaction());
}

// More marked records than one statement takes values go, all in one transaction: a
// failure on the last of them keeps every one.
TEST_F(DeleteFormTest, ThousandsOfMarkedRecordsGoTogetherOrNotAtAll) {
  std::vector<qint64> codes;
  for (qint64 code = kFirst + 6; code < kFirst + 1200; ++code) codes.push_back(code);
  AddRecords(codes);
  TADOQuery& list = *main->Data().ReportQuery;
  auto markAndDelete = [&] {
    RequeryKeepingPlace(list);
    ASSERT_EQ(list.RecordCount(), 1200);
    for (int row = 50; row < 1150; ++row) main->RecordGrid->SelectedRows().SetRowSelected(row, true);
    hooks.QuestionAnswers = {IDYESTOALL};
    dialog->tbDeleteClick();
  };
  Connect()->Execute(QStringLiteral("create trigger keep_last before delete on dt_data when old.c901=%1 "
                                    "begin select raise(fail, 'kept'); end")
                         .arg(kFirst + 1149));
  markAndDelete();
  EXPECT_EQ(Count("select count(*) from dt_data"), 1200);
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_TRUE(hooks.Messages[0].Text.startsWith(QStringLiteral("运行中发生错误："))) << hooks.Messages[0].Text.toStdString();
  EXPECT_FALSE(main->Data().SysADOConnection->InTransaction());

  Connect()->Execute(QStringLiteral("drop trigger keep_last"));
  markAndDelete();
  EXPECT_EQ(Count("select count(*) from dt_data"), 100);
  EXPECT_EQ(Count(QStringLiteral("select count(*) from dt_data where c901 between %1 and %2").arg(kFirst + 50).arg(kFirst + 1149)), 0);
  EXPECT_EQ(list.RecordCount(), 100);
}

} // namespace

TEST_F(DeleteFormTest, ButtonsWithPicturesAndHints) {
  fwtest::ExpectBars(*dialog, {{"FwToolbar1", TAlign::alNone, TFwToolbarTextOptions::ttoSelectiveTextOnRight, true, TFrameStyleEx::fsNone, 1, 0, 0}});
  fwtest::ExpectButtons(*dialog, {{"tbDelete", 0, blkHot, false, true, true}, {"tbReturn", 0, blkHot, false, true, false}});
}
