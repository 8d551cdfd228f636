// A gallery, run only when FW_SHOTS names a folder: the question dialog, the input box,
// both progress windows, the region picker with its confirm button under the pointer, a
// toolbar with a status bar (fw_small_windows_*.png) and the
// message boxes of a full disk and of a file kept for the user (fw_message_*.png),
// painted into pictures there to be looked at after a change.
#include "windows/shared/ProgressBar2LineForm.h"
#include "windows/shared/ProgressBarForm.h"
#include "windows/shared/InputQueryEx.h"
#include "windows/shared/QuestionDlg.h"
#include "windows/shared/CityNameForm.h"

#include "controls/common/FwGroupBox.h"
#include "controls/common/FwSpacer.h"
#include "controls/common/FwStatusBar.h"
#include "controls/common/FwToolbar.h"
#include "controls/navigation/FwClockStatus.h"
#include "controls/navigation/FwProgressBar.h"
#include "core/Messages.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/DbError.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/DesktopHooks.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Timer.h"
#include "tests/core/WorkingDatabase.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPainter>
#include <gtest/gtest.h>

using namespace fw;

namespace {
void Save(QWidget& widget, const char* name) { fwtest::SaveShot(widget.grab().toImage(), QString::fromUtf8(name)); }

QImage Square(QColor color) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.fillRect(2, 2, 12, 12, color);
  return image;
}
} // namespace

TEST(SmallWindowsPicture, QuestionAndProgressWindows) {
  if (fwtest::ShotsFolder().isEmpty()) GTEST_SKIP() << "pictures only with FW_SHOTS";
  ScopedModalScript script([](TForm& form) {
    Save(form, "fw_small_windows_question.png");
    return int(mrYes);
  });
  AskQuestion(QStringLiteral("当前记录已修改，是否保存？"), 15);
  {
    ScopedModalScript input([](TForm& form) {
      Save(form, "fw_small_windows_input.png");
      return int(mrCancel);
    });
    QString value = QStringLiteral("工会");
    InputQueryEx(QStringLiteral("输入"), QStringLiteral("请输入新的分组名称："), value);
  }

  TProgressBarForm progress(nullptr);
  progress.ShowProgress(QStringLiteral("正在检查数据"));
  progress.StartProgress(10, 0);
  for (int i = 0; i < 3; ++i) progress.StepProgress();
  for (int i = 0; i < 60; ++i) progress.Timer1->Tick();
  Save(progress, "fw_small_windows_progress.png");

  TProgressBar2LineForm two(nullptr);
  two.ShowProgress();
  two.InitFirst(4);
  two.IncFirst();
  two.InitSecond(3);
  two.IncSecond();
  two.IncSecond();
  Save(two, "fw_small_windows_progress2.png");
}

TEST(SmallWindowsPicture, ToolbarAndStatusBar) {
  if (fwtest::ShotsFolder().isEmpty()) GTEST_SKIP() << "pictures only with FW_SHOTS";
  fwtest::ScriptedHooks hooks;
  hooks.FixedNow = QDateTime(QDate(2014, 12, 31), QTime(10, 0, 0));
  TForm form(nullptr);
  form.SetBounds(0, 0, 420, 160);
  TImageList images(&form);
  for (QColor c : {QColor(Qt::darkGreen), QColor(Qt::darkBlue), QColor(Qt::darkRed)}) images.Add(Square(c));
  auto* bar = new TFwToolbar(&form);
  bar->SetParent(&form);
  bar->SetImages(&images);
  bar->SetVisualStyle(TFwVisualStyle::vsClassic);
  bar->SetButtonWidth(60);
  bar->SetShowButtonCaptions(true);
  const char* captions[] = {"保存", "检查", "返  回"};
  for (int i = 0; i < 3; ++i) {
    auto* b = new TFwToolButton(&form);
    b->SetImages(&images);
    b->SetImageIndex(i);
    b->SetCaption(QString::fromUtf8(captions[i]));
    b->SetParent(bar);
    if (i == 0) b->Perform(CM_MOUSEENTER);
    if (i == 1) {
      auto* spacer = new TFwSpacer(&form);
      spacer->SetGrooved(true);
      spacer->SetParent(bar);
    }
  }
  auto* status = new TFwStatusBar(&form);
  status->SetParent(&form);
  auto* pane = new TFwStatusPane(&form);
  pane->SetParent(status);
  pane->SetAlign(TAlign::alClient);
  pane->SetCaption(QStringLiteral("2014年工会统计年报"));
  auto* clock = new TFwClockStatus(&form);
  clock->SetParent(status);
  clock->SetAlign(TAlign::alRight);
  clock->SetWidth(104);
  clock->SetAlignment(TAlignment::taCenter);
  clock->SetFormat(QStringLiteral("yyyy年mm月dd日"));
  auto* progress = new TFwProgressBar(&form);
  progress->SetParent(&form);
  progress->SetBounds(20, 80, 200, 20);
  progress->SetTotalParts(3);
  progress->SetPartsComplete(2);
  auto* group = new TFwGroupBox(&form);
  group->SetParent(&form);
  group->SetBounds(240, 40, 160, 70);
  group->SetCaption(QStringLiteral("编号范围"));
  form.Show();
  Save(form, "fw_small_windows_toolbar.png");
}

// The boxes a clerk meets when the disk is full (the engine's fault in Chinese inside the
// program's error sentence) and when no program can open a file the program wrote.
TEST(SmallWindowsPicture, FullDiskAndKeptFileMessages) {
  if (fwtest::ShotsFolder().isEmpty()) GTEST_SKIP() << "pictures only with FW_SHOTS";
  fwtest::ProgramFolderCopy folder;
  TADOConnection db;
  db.SetConnectionString("Data Source=" + folder.FilePath(QString::fromLatin1(kDefaultDatabaseName)));
  db.Open();
  QString fault;
  try {
    db.Execute(QStringLiteral("PRAGMA max_page_count = 1"));
    db.Execute("insert into dt_data (c901, c902) values (110000000001, ?)", QVariantList{QString(4000, QChar(0x5DE5))});
  } catch (const EDatabaseError& e) {
    fault = e.Message();
  }
  ASSERT_TRUE(fault.startsWith(QStringLiteral("磁盘空间不足（"))) << fault.toStdString();
  const struct {
    QString text;
    int flags;
    const char* name;
  } boxes[] = {
      {RuntimeErrorText(fault), MB_OK | MB_ICONERROR, "fw_message_full_disk.png"},
      {FileKeptNotice(QStringLiteral("/home/clerk/Documents/2014基层以上-默认数据库-逻辑检查结果.txt")),
       MB_OK | MB_ICONINFORMATION, "fw_message_file_kept.png"},
  };
  for (const auto& b : boxes) {
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(b.text, QString(), b.flags);
    box->addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box->show();
    QCoreApplication::processEvents();
    // The title bar is the window manager's: drawn here above the box, as it reads.
    const QImage body = box->grab().toImage();
    QImage shot(body.width(), body.height() + 24, QImage::Format_RGB32);
    shot.fill(QColor(0x3A, 0x5F, 0xA0));
    QPainter p(&shot);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, shot.width(), 24), Qt::AlignCenter, box->windowTitle());
    p.drawImage(0, 24, body);
    p.end();
    fwtest::SaveShot(shot, QString::fromUtf8(b.name));
  }
}

TEST(SmallWindowsPicture, RegionPickerWithTheConfirmButtonHot) {
  if (fwtest::ShotsFolder().isEmpty()) GTEST_SKIP() << "pictures only with FW_SHOTS";
  fwtest::ScriptedHooks hooks;
  fwtest::WorkingDatabase db;
  TCityNameForm picker(nullptr, &db.Connection);
  ScopedModalScript script([](TForm& form) {
    auto& shown = static_cast<TCityNameForm&>(form);
    shown.tbOK->Perform(CM_MOUSEENTER);
    Save(form, "fw_small_windows_region.png");
    return int(mrCancel);
  });
  picker.ShowModal();
}
