// The main window's exchange and maintenance actions: each runs its core work and keeps
// the record list where the user expects it.
#include "MainFormFixture.h"
#include "controls/navigation/FwGroupItem.h"
#include "core/OfflineExchange.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/ui/Action.h"
#include "platform/ui/ActionList.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/PopupMenu.h"
#include "platform/sheet/SheetApplication.h"
#include "platform/shell/Folders.h"
#include "platform/shell/TempFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QTest>
#include <vector>

namespace {

using namespace fw;

class MainFormExchangeTest : public fwtest::MainFormFixture {
protected:
  TMainForm* Started(int currentRecNo) {
    TMainForm* form = Start();
    EXPECT_NE(form, nullptr);
    form->Data().ReportQuery->SetRecNo(currentRecNo);
    form->ActionList1->UpdateActions();
    return form;
  }

  static FileDialogResult Chosen(const QString& path) {
    FileDialogResult r;
    r.Accepted = true;
    r.FileName = path;
    return r;
  }

  bool Said(const QString& text) const {
    for (const auto& m : hooks.Messages)
      if (m.Text.contains(text)) return true;
    return false;
  }
};

TEST_F(MainFormExchangeTest, BackupProtectsTheCopyAndKeepsTheListOnItsRecord) {
  AddRecords({110000000001, 110000000002, 110000000003});
  TMainForm* form = Started(2);
  const QString backup = QDir(users.DocumentsDir()).filePath("备份.mdb");
  hooks.SaveAnswers.push_back(Chosen(backup));
  form->actBackup->Execute();
  EXPECT_TRUE(Said("备份成功"));
  EXPECT_TRUE(QFileInfo::exists(backup));
  EXPECT_TRUE(form->Data().ReportQuery->Active());
  EXPECT_EQ(form->Data().ReportQuery->RecNo(), 2);

  TADOConnection plain;
  plain.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + backup + ";Mode=ReadWrite;");
  EXPECT_THROW(plain.Open(), EDatabaseError);
}

TEST_F(MainFormExchangeTest, CompactionKeepsEveryRecordAndReturnsToTheFirst) {
  AddRecords({110000000001, 110000000002, 110000000003});
  TMainForm* form = Started(3);
  form->actCompress->Execute();
  EXPECT_TRUE(Said("压缩操作成功"));
  EXPECT_EQ(form->Data().ReportQuery->RecordCount(), 3);
  EXPECT_EQ(form->Data().ReportQuery->RecNo(), 1);
}

// Whatever interrupts a compaction (here the closing message itself), the connection is
// open again and the list back afterwards.
TEST_F(MainFormExchangeTest, AnInterruptedCompactionReopensTheList) {
  AddRecords({110000000001, 110000000002});
  TMainForm* form = Started(2);
  hooks.WhileMessageOpen = [](const QString& text) {
    if (text == "压缩操作成功") throw std::runtime_error("窗口已关闭");
  };
  EXPECT_THROW(form->actCompress->Execute(), std::runtime_error);
  EXPECT_TRUE(form->Data().SysADOConnection->Connected());
  ASSERT_TRUE(form->Data().ReportQuery->Active());
  EXPECT_EQ(form->Data().ReportQuery->RecordCount(), 2);
}

TEST_F(MainFormExchangeTest, ExportIsRefusedWhileARecordIsNotFinished) {
  AddRecords({110000000001});
  auto c = Connect();
  c->Execute("update dt_data set RecordState=2");
  c.reset();
  TMainForm* form = Started(1);
  form->actExport->Execute();
  EXPECT_TRUE(Said(kOfflineExportRefusal));
  EXPECT_TRUE(hooks.SaveRequests.empty());
}

TEST_F(MainFormExchangeTest, ExportThenImportBringsTheRecordsIntoTheList) {
  AddRecords({110000000001, 110000000002});
  TMainForm* form = Started(1);
  const QString file = QDir(users.DocumentsDir()).filePath("交换.dat");
  hooks.InputAnswers.push_back("上级工会");
  hooks.SaveAnswers.push_back(Chosen(file));
  form->actExport->Execute();
  ASSERT_TRUE(QFileInfo::exists(file));

  // Into a working database without those records: the list shows them after the import.
  Connect()->Execute("delete from dt_data");
  form->Data().ReportQuery->Requery();
  ASSERT_EQ(form->Data().ReportQuery->RecordCount(), 0);
  hooks.OpenAnswers.push_back(Chosen(file));
  hooks.MessageAnswers.push_back(IDYES); // the label question
  form->actFastImport->Execute();
  EXPECT_EQ(form->Data().ReportQuery->RecordCount(), 2);
}

// A run killed while writing leaves its working files, an import killed part way its work
// folder with the copy of the chosen file; the next start removes those no process holds
// any more wherever the program puts them (program, temporary, documents, cache and
// configuration folders; work folders in the private temporary folder) and leaves those
// a running process holds alone.
TEST_F(MainFormExchangeTest, StartRemovesWhatEndedRunsLeftBehind) {
  fwtest::ScopedTempFolder temp;
  const qint64 ended = fwtest::EndedProcessId();
  const QString staleName = QStringLiteral(".fenwright-%1-0000abcd.tmp").arg(ended);
  const QString cache = QDir(users.CacheDir()).filePath("fenwright");
  ASSERT_TRUE(QDir().mkpath(cache));
  const QStringList folders = {folder.Path(), temp.Path(), users.DocumentsDir(), cache, users.RegistryDir()};
  QStringList stale, living;
  std::vector<TTemporary> held;
  for (const QString& f : folders) {
    stale << QDir(f).filePath(staleName) << QDir(f).filePath(staleName + "-journal");
    held.push_back(CreateTempFile(f, nullptr));
    living << held.back().Path();
  }
  for (const QString& file : stale) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << file.toStdString();
  }
  const QString staleWork = QDir(PrivateTempFolder()).filePath(QStringLiteral("fenwright-%1-QwErTy").arg(ended));
  ASSERT_TRUE(QDir().mkpath(staleWork));
  fwtest::WriteBytes(staleWork + "/temp.dat", QByteArray(100000, 'd'));
  const TWorkFolder livingWork;
  ASSERT_TRUE(livingWork.IsValid());

  ASSERT_NE(Start(), nullptr);
  for (const QString& file : stale + QStringList{staleWork}) EXPECT_FALSE(QFileInfo::exists(file)) << file.toStdString();
  for (const QString& file : living + QStringList{livingWork.Path()})
    EXPECT_TRUE(QFileInfo::exists(file)) << file.toStdString();
}

TEST_F(MainFormExchangeTest, PrintAndUploadShowTheirResults) {
  AddRecords({110000000001});
  TMainForm* form = Started(1);
  form->actPrint->Execute();
  ASSERT_EQ(hooks.Opened.size(), 1);
  EXPECT_TRUE(hooks.Opened[0].endsWith(".xlsx"));

  const QString upload = QDir(users.DocumentsDir()).filePath("上报.dat");
  hooks.SaveAnswers.push_back(Chosen(upload));
  ASSERT_TRUE(form->UploadItem->OnClick);
  form->UploadItem->OnClick(form->UploadItem);
  EXPECT_TRUE(QFileInfo::exists(upload));
  EXPECT_TRUE(Said("导出上报数据成功"));
}

// A print page naming a worksheet the template lacks: the error reaches the general
// error display, no workbook is written or opened, and the program goes on.
TEST_F(MainFormExchangeTest, APrintWithADamagedPageShowsItsErrorAndWritesNoWorkbook) {
  AddRecords({110000000001, 110000000002});
  Connect()->Execute("update dt_fieldlist set printPageID=13 where printPageID=12");
  TMainForm* form = Started(2);
  form->Show();
  hooks.Messages.clear();
  // Chosen from the list's popup menu, as the user would.
  QMenu* menu = form->GridPopupMenu->Menu();
  TMenuItem* print = form->GridPopupMenu->Items()->Items(10);
  ASSERT_EQ(print->Action(), form->actPrint);
  form->GridPopupMenu->Popup(10, 10);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(print->QtAction()).center());

  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_TRUE(hooks.Messages[0].Text.startsWith("工作表序号13超出范围")) << hooks.Messages[0].Text.toStdString();
  EXPECT_EQ(hooks.Messages[0].Flags, MB_OK | MB_ICONERROR);
  EXPECT_TRUE(hooks.Opened.isEmpty());
  EXPECT_TRUE(QDir(TSheetApplication::CacheFolder()).entryList(QDir::Files).isEmpty());
  EXPECT_FALSE(app->Terminated());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->Data().ReportQuery->RecNo(), 2);
  EXPECT_EQ(Count("select count(*) from dt_data"), 2);
}

} // namespace
