// The field display dialog: a page per sheet with a check box per field, and saving the
// visible fields, which reloads the main list (all of it or nothing).
#include "ListDialogsFixture.h"

#include "controls/common/FwCheckBox.h"
#include "controls/navigation/FwPageControl.h"
#include "controls/navigation/FwTabSheet.h"
#include "platform/ui/Action.h"
#include "platform/ui/DBGrid.h"
#include "windows/dialogs/ShowForm.h"
#include "tests/windows/shared/BarLooks.h"

namespace {

using namespace fw;
using fwtest::ListDialogsFixture;

class ShowFormTest : public ListDialogsFixture {
protected:
  TdlgShowForm* Dialog() {
    main_ = Main();
    dialog_.reset(NewForm<TdlgShowForm>(nullptr));
    dialog_->Show();
    return dialog_.get();
  }

  TFwCheckBox* Box(const QString& field) {
    for (TFwCheckBox* box : dialog_->FieldBoxes)
      if (box->Caption().startsWith(field + "--")) return box;
    ADD_FAILURE() << field.toStdString();
    return nullptr;
  }

  // The fields shown as columns of the main list.
  QStringList ShownColumns() {
    QStringList shown;
    const TDBGridColumns& columns = main_->RecordGrid->Columns();
    for (int i = 0; i < columns.Count(); ++i)
      if (columns.Items(i)->Visible()) shown << columns.Items(i)->FieldName();
    return shown;
  }

  TMainForm* main_ = nullptr;
  std::unique_ptr<TdlgShowForm> dialog_;
};

TEST_F(ShowFormTest, OneCheckBoxPerFieldOnThePageOfItsSheet) {
  TdlgShowForm* dialog = Dialog();
  EXPECT_EQ(dialog->Caption(), QStringLiteral("自定义列表项"));
  ASSERT_EQ(dialog->DataPage->PageCount(), 13);
  EXPECT_EQ(dialog->DataPage->Pages(0)->Caption(), QStringLiteral("封面"));
  EXPECT_EQ(dialog->DataPage->Pages(5)->Caption(), QStringLiteral("表4续"));
  EXPECT_EQ(dialog->DataPage->Pages(12)->Caption(), QStringLiteral("表11"));
  EXPECT_EQ(dialog->FieldBoxes.size(), 7u + 156u);

  TFwCheckBox* code = Box("c901");
  EXPECT_EQ(code->Caption(), QStringLiteral("c901--本级工会统计编码"));
  EXPECT_EQ(code->Parent(), dialog->DataPage->Pages(0));
  EXPECT_TRUE(code->Checked());
  EXPECT_FALSE(Box("c905")->Checked()); // the form filler is not shown at first
  // The i-th field of a page: two columns 438 wide, rows 30 apart.
  for (const auto& [field, i] : std::vector<std::pair<QString, int>>{{"z001", 0}, {"z002", 1}, {"z005", 4}, {"g004", 3}}) {
    const TFwCheckBox* box = Box(field);
    EXPECT_EQ(box->Left(), (i % 2) * 438 + 4) << field.toStdString();
    EXPECT_EQ(box->Top(), (i / 2) * 30 + 6) << field.toStdString();
    EXPECT_EQ(box->Width(), 438);
    EXPECT_EQ(box->Height(), 35);
  }
}

// Through the main window's 自定义列表显示, which reloads its list after a save.
TEST_F(ShowFormTest, SavingNoneHidesEveryFieldColumn) {
  main_ = Main();
  ASSERT_GT(ShownColumns().size(), 100);
  QStringList shownAfterNone, shownAfterTwo;
  ScopedModalScript script([&](TForm& form) {
    auto& dialog = dynamic_cast<TdlgShowForm&>(form);
    for (TFwCheckBox* box : dialog.FieldBoxes) box->SetChecked(false);
    dialog.tbSaveClick();
    shownAfterNone = ShownColumns();
    for (TFwCheckBox* box : dialog.FieldBoxes)
      if (box->Caption().startsWith("c902--") || box->Caption().startsWith("b035--")) box->SetChecked(true);
    dialog.tbSaveClick();
    shownAfterTwo = ShownColumns();
    return int(mrOk);
  });
  main_->actRecordGrid->Execute();
  EXPECT_EQ(MessageTexts(), (QStringList{"保存成功", "保存成功"}));
  // Only the record state, which is on no page, stays.
  EXPECT_EQ(shownAfterNone, QStringList{"RecordState"});
  EXPECT_EQ(shownAfterTwo, (QStringList{"RecordState", "c902", "b035"}));
  EXPECT_EQ(dlgShowForm, nullptr);
}

TEST_F(ShowFormTest, AFailedSaveKeepsTheListAsItWas) {
  TdlgShowForm* dialog = Dialog();
  const QStringList before = ShownColumns();
  Connect()->Execute("create trigger refuse_c905 after update on dt_fieldlist when NEW.FieldName = 'c905' and "
                     "NEW.Visible <> 0 begin select raise(abort, 'refused'); end");
  Box("c905")->SetChecked(true);
  Box("c901")->SetChecked(false);
  dialog->tbSaveClick();
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_TRUE(hooks.Messages[0].Text.startsWith(QStringLiteral("运行中发生错误：")));
  EXPECT_EQ(ShownColumns(), before);
  EXPECT_EQ(Count("select count(*) from dt_fieldlist where Visible<>0 and FieldName='c901'"), 1);
}

} // namespace

TEST_F(ShowFormTest, ButtonsWithPicturesOnABarAtTheBottom) {
  TdlgShowForm* dialog = Dialog();
  fwtest::ExpectBars(*dialog, {{"FwToolbar1", TAlign::alBottom, TFwToolbarTextOptions::ttoCustom, true, TFrameStyleEx::fsNone, 1, 0, 0}});
  fwtest::ExpectButtons(*dialog, {{"tbReturn", 75, blkHot, false, false, false}, {"tbSave", 75, blkHot, false, false, true}});
}
