#pragma once
// The main window started on a private working database with a few records, for the
// dialogs around the record lists; helpers to read back an exported workbook.
#include "platform/sheet/SheetApplication.h"
#include "tests/windows/main/MainFormFixture.h"

#include <QDir>
#include <memory>

namespace fwtest {

class ListDialogsFixture : public MainFormFixture {
protected:
  void SetUp() override {
    MainFormFixture::SetUp();
    hooks.FixedNow = QDateTime(QDate(2015, 1, 20), QTime(9, 0));
  }

  // Records 110000000001.., 120000000001.. and 130000000001 with z001 set to their number.
  void AddSurvey() {
    AddRecords({110000000001, 110000000002, 120000000001, 130000000001});
    auto c = Connect();
    c->Execute("update dt_data set z001 = c901 % 1000, g004 = 7, c902 = 'O''Neil 工会' where c901 = 110000000002");
  }

  fw::TMainForm* Main() {
    fw::TMainForm* form = Start();
    EXPECT_NE(form, nullptr);
    return form;
  }

  QString Docs(const QString& name) const { return QDir(users.DocumentsDir()).filePath(name); }

  // The first sheet of a workbook file.
  fw::TWorksheet& Sheet(const QString& file) {
    sheetApp_ = fw::CreateOleObject(QStringLiteral("Excel.Application"));
    return sheetApp_->Workbooks().Open(file).Sheets(1);
  }

  // The values of a row of a sheet, from column 1 to the last filled one.
  static QStringList RowTexts(fw::TWorksheet& sheet, int row) {
    QStringList texts;
    for (int c = 1; !sheet.Cells(row, c).IsEmpty(); ++c) texts << sheet.CellValue(row, c).toString();
    return texts;
  }

  QStringList MessageTexts() const {
    QStringList texts;
    for (const auto& m : hooks.Messages) texts << m.Text;
    return texts;
  }

private:
  std::unique_ptr<fw::TSheetApplication> sheetApp_;
};

} // namespace fwtest
