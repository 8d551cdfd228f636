// The main window's behaviour: enabling of the actions with an empty and a full list,
// the window and list keys, the statement of the check of marked records, the export
// refusal, keeping the list position over a requery, the mouse wheel as keys, the group
// bar's and menus' items, and a picture of the whole window.
#include "MainFormFixture.h"

#include "controls/common/FwStatusBar.h"
#include "controls/navigation/FwCustomStatusPane.h"
#include "controls/navigation/FwBalloonHints.h"
#include "controls/navigation/FwClockStatus.h"
#include "controls/navigation/FwCustomHintWindow.h"
#include "controls/navigation/FwGroup.h"
#include "controls/navigation/FwGroupBar.h"
#include "controls/navigation/FwGroupItem.h"
#include "controls/navigation/FwSizePanel.h"
#include "core/OfflineExchange.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/ActionList.h"
#include "platform/ui/DesktopHooks.h"
#include "platform/ui/Edit.h"
#include "platform/ui/MainMenu.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/Timer.h"
#include "windows/app/MouseWheelKeys.h"
#include "windows/shared/GridProcedures.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <map>

namespace {

using namespace fw;
using fwtest::MainFormFixture;

class MainWindowTest : public MainFormFixture {
protected:
  TMainForm* Shown() {
    TMainForm* form = Start();
    EXPECT_NE(form, nullptr);
    form->Show();
    QApplication::setActiveWindow(form);
    EXPECT_TRUE(QTest::qWaitForWindowActive(form));
    form->RecordGrid->SetFocus();
    return form;
  }

  // What the later parts of the program do: a handler on every action, counting runs.
  void WireAll(TMainForm& form) {
    for (int i = 0; i < form.ActionList1->ActionCount(); ++i) {
      TAction* a = form.ActionList1->Actions(i);
      a->OnExecute = [this](TBasicAction* b) { ++runs[b->Name()]; };
    }
    form.ActionList1->UpdateActions();
  }

  void Record(qint64 code, int c907, int state) {
    auto c = Connect();
    c->Execute("insert into dt_data (c901, c902, c903, c904, c907, RecordState) values (?, ?, 110101, 10, ?, ?)",
               {code, QString("单位%1").arg(code), c907, state});
  }

  QPoint CellCentre(TMainForm& form, int row) {
    QTableView* view = form.RecordGrid->View();
    return view->visualRect(view->model()->index(row, 1)).center();
  }

  std::map<QString, int> runs;
};

TEST_F(MainWindowTest, ActionsWithoutHandlersStayDisabled) {
  AddRecords({110000000001});
  TMainForm* form = Shown();
  form->ActionList1->UpdateActions();
  // The exchange files, backup, compaction, printing, grouping, deletion, the options,
  // the about box, adding, modifying, the list dialogs, the summary, locating, the
  // searches and the two logic checks have handlers; every other action has none and is
  // disabled.
  const std::set<TAction*> wired = {form->actFastImport, form->actExport,   form->actBackup,  form->actCompress,
                                    form->actPrint,      form->actGroup,    form->actDelete,  form->actOptions,
                                    form->actAbout,      form->actAddNew,   form->actModify,  form->actSaveList,
                                    form->actRecordGrid, form->actSum,      form->actLocate,  form->actSearch,
                                    form->actConditionSearch, form->actCheck, form->actCheckSelected};
  for (int i = 0; i < form->ActionList1->ActionCount(); ++i) {
    TAction* action = form->ActionList1->Actions(i);
    EXPECT_EQ(action->Enabled(), wired.count(action) == 1) << action->Name().toStdString();
  }
  EXPECT_TRUE(form->UploadItem->Enabled());
  // 退出 works from the start: closing the main window ends the program.
  EXPECT_TRUE(form->mnuExit->Enabled());
  form->mnuExit->Click();
  EXPECT_TRUE(app->Terminated());
}

// Modify, delete, locate, search and print need a record; on an empty list Ctrl+L,
// Ctrl+F, Enter and a double click do nothing, while Delete still runs the deletion.
TEST_F(MainWindowTest, EnablingAndKeysFollowTheList) {
  for (const bool full : {false, true}) {
    SCOPED_TRACE(full ? "full list" : "empty list");
    if (full) AddRecords({110000000001, 110000000002});
    runs.clear();
    TMainForm* form = Shown();
    WireAll(*form);
    for (TAction* a : {form->actModify, form->actDelete, form->actLocate, form->actSearch, form->actPrint})
      EXPECT_EQ(a->Enabled(), full) << a->Name().toStdString();
    for (TAction* a : {form->actAddNew, form->actCheck, form->actSum, form->actRecordGrid, form->actExport})
      EXPECT_TRUE(a->Enabled()) << a->Name().toStdString();

    QWidget* view = form->RecordGrid->View();
    QTest::keyClick(view, Qt::Key_L, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Return);
    QTest::keyClick(view, Qt::Key_Insert);
    QTest::keyClick(view, Qt::Key_Delete);
    QTest::mouseDClick(form->RecordGrid->View()->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(*form, 0));
    const int n = full ? 1 : 0;
    EXPECT_EQ(runs["actLocate"], n);
    EXPECT_EQ(runs["actConditionSearch"], n);
    EXPECT_EQ(runs["actModify"], 2 * n); // Enter and the double click
    EXPECT_EQ(runs["actAddNew"], 1);
    EXPECT_EQ(runs["actDelete"], 1);
    delete form;
  }
}

// An action whose handler fails shows the error's text through the message hook; the
// window goes on, and the action runs again the next time.
TEST_F(MainWindowTest, AFailingActionIsShownAndTheWindowGoesOn) {
  AddRecords({110000000001, 110000000002});
  TMainForm* form = Shown();
  int runs = 0;
  form->actLocate->OnExecute = [&](TBasicAction*) {
    ++runs;
    throw EDatabaseError("数据库已被锁定");
  };
  form->ActionList1->UpdateActions();
  hooks.Messages.clear();
  QWidget* view = form->RecordGrid->View();
  QTest::keyClick(view, Qt::Key_L, Qt::ControlModifier);
  QTest::keyClick(view, Qt::Key_Down);
  QTest::keyClick(view, Qt::Key_L, Qt::ControlModifier);
  EXPECT_EQ(runs, 2);
  ASSERT_EQ(hooks.Messages.size(), 2u);
  EXPECT_EQ(hooks.Messages[0].Text, "数据库已被锁定");
  EXPECT_EQ(hooks.Messages[0].Flags, MB_OK | MB_ICONERROR);
  EXPECT_FALSE(app->Terminated());
  EXPECT_TRUE(form->isVisible());
  // The list still follows the keys between the failures.
  EXPECT_EQ(form->Data().ReportQuery->RecNo(), 2);
}

TEST_F(MainWindowTest, CheckSelectedStatementTakesTheMarkedRowsWithinTheScope) {
  AddRecords({110000000001, 110000000002});
  Record(110000000003, 3, 1); // outside the check scope
  AddRecords({110000000004, 110000000005});
  TMainForm* form = Start();
  form->Data().ReportQuery->SetRecNo(2);
  EXPECT_EQ(form->CheckSelectedStatement(), "select * from dt_data where c901=110000000002 and c907<=2");

  // Marked where the list stands (a move from elsewhere to an unmarked row drops marks).
  form->Data().ReportQuery->SetRecNo(4);
  TBookmarkList& marks = form->RecordGrid->SelectedRows();
  for (int row : {0, 2, 4}) marks.SetRowSelected(row, true);
  const QString sql = form->CheckSelectedStatement();
  EXPECT_EQ(sql, "select * from dt_data where c901 in (110000000001,110000000003,110000000005) and c907<=2");
  EXPECT_EQ(form->Data().ReportQuery->RecNo(), 4);
  EXPECT_EQ(marks.Count(), 3);

  form->Data().AppQuery->SetSQL(sql);
  form->Data().AppQuery->Open();
  QStringList checked;
  for (; !form->Data().AppQuery->Eof(); form->Data().AppQuery->Next()) checked << form->Data().AppQuery->FieldByName("c901")->AsString();
  form->Data().AppQuery->Close();
  EXPECT_EQ(checked, (QStringList{"110000000001", "110000000005"}));
}

TEST_F(MainWindowTest, CheckSelectedStatementIsEmptyWithoutRecords) {
  TMainForm* form = Start();
  EXPECT_EQ(form->CheckSelectedStatement(), "");
}

TEST_F(MainWindowTest, ExportIsRefusedWhileARecordIsNotFinished) {
  struct Case {
    std::vector<int> states;
    bool refused;
  };
  const Case cases[] = {{{}, false}, {{1, 1}, false}, {{1, 0}, true}, {{2, 1}, true}};
  for (const Case& c : cases) {
    {
      auto db = Connect();
      db->Execute("delete from dt_data");
    }
    qint64 code = 110000000001;
    for (int state : c.states) Record(code++, 1, state);
    TMainForm* form = Start();
    hooks.Messages.clear();
    const QStringList before = QDir(users.DocumentsDir()).entryList(QDir::Files);
    EXPECT_EQ(form->ExportRefused(), c.refused);
    if (c.refused) {
      ASSERT_EQ(hooks.Messages.size(), 1u);
      EXPECT_EQ(hooks.Messages[0].Text, "存在临时保存或逻辑错误的数据，不能上报!");
    } else {
      EXPECT_TRUE(hooks.Messages.empty());
    }
    EXPECT_TRUE(hooks.SaveRequests.empty());
    EXPECT_EQ(QDir(users.DocumentsDir()).entryList(QDir::Files), before);
    delete form;
  }
}

TEST_F(MainWindowTest, RequeryReturnsToTheBookmarkedRecord) {
  AddRecords({110000000010, 110000000020, 110000000030, 110000000040});
  TMainForm* form = Start();
  form->Data().ReportQuery->SetRecNo(3);
  // Records that come before it move it down the list.
  AddRecords({110000000001, 110000000002});
  RequeryKeepingPlace(*form->Data().ReportQuery);
  EXPECT_EQ(form->Data().ReportQuery->RecordCount(), 6);
  EXPECT_EQ(form->Data().ReportQuery->FieldByName("c901")->AsString(), "110000000030");
  EXPECT_EQ(form->Data().ReportQuery->RecNo(), 5);

  // When the record itself is gone, the list stands on the one now in its place.
  Connect()->Execute("delete from dt_data where c901=110000000030");
  RequeryKeepingPlace(*form->Data().ReportQuery);
  EXPECT_EQ(form->Data().ReportQuery->RecordCount(), 5);
  EXPECT_EQ(form->Data().ReportQuery->RecNo(), 5);
  EXPECT_EQ(form->Data().ReportQuery->FieldByName("c901")->AsString(), "110000000040");
}

TEST(MouseWheelKeys, DeltasAreSummedToWholeNotches) {
  struct Case {
    const char* name;
    std::vector<QPoint> deltas;
    std::vector<int> notches;
  };
  const Case cases[] = {
      {"away from the user", {{0, 120}}, {1}},
      {"towards the user", {{0, -120}}, {-1}},
      {"zero does nothing", {{0, 0}}, {0}},
      {"horizontal does nothing", {{120, 0}, {-120, 10}}, {0, 0}},
      {"parts of a notch", {{0, 40}, {0, 40}, {0, 40}, {0, 40}}, {0, 0, 1, 0}},
      {"two notches at once", {{0, -240}}, {-2}},
      {"a turn back drops the rest", {{0, 100}, {0, -100}, {0, -20}}, {0, 0, -1}},
  };
  for (const Case& c : cases) {
    TMouseWheelKeys keys;
    std::vector<int> got;
    for (QPoint d : c.deltas) got.push_back(keys.TakeNotches(d));
    EXPECT_EQ(got, c.notches) << c.name;
  }
}

// A wheel turn over any window moves the focused list one record per notch.
TEST_F(MainWindowTest, WheelMovesTheFocusedList) {
  AddRecords({110000000001, 110000000002, 110000000003});
  TMainForm* form = Shown();
  ASSERT_EQ(TMouseWheelKeys::KeyTarget(), form->RecordGrid->View());
  auto turn = [&](QWidget* over, QPoint delta) {
    QWheelEvent wheel(QPointF(5, 5), over->mapToGlobal(QPointF(5, 5)), QPoint(), delta, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(over, &wheel);
    return form->Data().ReportQuery->RecNo();
  };
  QWidget* bar = form->FwGroupBar1;
  EXPECT_EQ(form->Data().ReportQuery->RecNo(), 1);
  EXPECT_EQ(turn(form->RecordGrid->View()->viewport(), {0, -120}), 2);
  EXPECT_EQ(turn(bar, {0, -120}), 3);
  EXPECT_EQ(turn(bar, {0, 120}), 2);
  EXPECT_EQ(turn(bar, {0, 0}), 2);
  EXPECT_EQ(turn(bar, {120, 0}), 2);
}

// The file dialogs scroll with the wheel as the desktop's own do: with the hook on, a
// wheel turn over the list of a folder of 300 files, handed to the dialog's window as the
// system hands it, moves the list.
TEST(MouseWheelKeys, FileDialogsScrollWithTheWheel) {
  QTemporaryDir folder;
  for (int i = 0; i < 300; ++i)
    QFile(folder.filePath(QString("file%1.dat").arg(i, 3, 10, QChar('0')))).open(QIODevice::WriteOnly);
  TMouseWheelKeys keys;
  FileDialogRequest request;
  request.InitialDir = folder.path();
  request.Filter = QStringLiteral("所有文件(*.*)|*.*");
  const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(request, false);
  dialog->resize(640, 420);
  dialog->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
  // The list of files, in whichever of its two views the dialog shows.
  QAbstractItemView* list = nullptr;
  for (const char* name : {"listView", "treeView"})
    if (auto* view = dialog->findChild<QAbstractItemView*>(name); view && view->isVisible()) list = view;
  ASSERT_NE(list, nullptr);
  auto bar = [&] {
    return list->verticalScrollBar()->maximum() > 0 ? list->verticalScrollBar() : list->horizontalScrollBar();
  };
  ASSERT_TRUE(QTest::qWaitFor([&] { return bar()->maximum() > 0; }));
  const QPoint at = list->viewport()->mapTo(dialog.get(), list->viewport()->rect().center());
  QWheelEvent wheel(at, dialog->mapToGlobal(at), QPoint(), {0, -360}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                    false);
  QApplication::sendEvent(dialog->windowHandle(), &wheel);
  EXPECT_GT(bar()->value(), 0);
}

TEST_F(MainWindowTest, GroupBarAndMenusHoldTheirItems) {
  TMainForm* form = Start();
  auto captions = [](TFwGroup* g) {
    QStringList list;
    for (int i = 0; i < g->Items().Count(); ++i)
      if (g->Items()[i]->Visible()) list << g->Items()[i]->Caption();
    return list;
  };
  ASSERT_EQ(form->FwGroupBar1->GroupCount(), 3);
  EXPECT_EQ(form->FwGroupBar1->Groups(0), form->FwGroup1);
  EXPECT_EQ(form->FwGroup1->Caption(), "数据操作");
  EXPECT_EQ(captions(form->FwGroup1), (QStringList{"添加新记录", "修改选中的记录", "删除记录", "检查数据的逻辑", "指标查询",
                                                   "数据汇总", "数据分组", "导出数据列表", "打印选中记录的年报表"}));
  EXPECT_EQ(form->FwGroup2->Caption(), "备份与上报");
  EXPECT_EQ(captions(form->FwGroup2), (QStringList{"数据导入", "数据备份", "上报到离线版", "上报到网络版"}));
  EXPECT_EQ(form->FwGroup2->Items()[6], form->ExportItem);
  EXPECT_EQ(form->ExportItem->Action(), form->actExport);
  EXPECT_EQ(form->UploadItem->ImageIndex(), 6);
  EXPECT_EQ(form->FwGroup3->Caption(), "系统工具");
  EXPECT_EQ(captions(form->FwGroup3), (QStringList{"压缩数据库文件", "参数设置", "自定义列表显示"}));
  EXPECT_TRUE(form->FwGroup1->Opened());
  EXPECT_FALSE(form->FwGroup2->Opened());
  EXPECT_FALSE(form->FwGroup3->Opened());
  EXPECT_EQ(form->FwGroupBar1->OpenGroup(), form->FwGroup1);
  EXPECT_EQ(form->FwGroup1->CaptionColor(), clBtnFace);
  EXPECT_EQ(form->FwGroup2->CaptionColor(), clBtnFace);
  // The functions this edition hides keep their items: never shown, never clickable.
  auto hidden = [](TFwGroup* g) {
    QStringList list;
    for (int i = 0; i < g->Items().Count(); ++i) {
      const TFwGroupItem* item = g->Items()[i];
      if (item->Visible()) continue;
      list << item->Caption();
      EXPECT_FALSE(item->Action() || item->OnClick) << item->Caption().toStdString();
    }
    return list;
  };
  struct GroupCase {
    TFwGroup* group;
    int count, captionImage;
    QStringList hiddenItems;
  };
  for (const GroupCase& c : {GroupCase{form->FwGroup1, 11, 4, {"逐条导入", "规则导出"}},
                             GroupCase{form->FwGroup2, 10, 21, {"CSV数据导入", "多文件导入", "打开默认数据库", "数据恢复", "分组导出", "分组导入"}},
                             GroupCase{form->FwGroup3, 7, 7, {"数据整理", "10年导11年", "打开数据库", "修改数据库标签"}}}) {
    EXPECT_EQ(c.group->Items().Count(), c.count) << c.group->Caption().toStdString();
    EXPECT_EQ(c.group->CaptionImageIndex(), c.captionImage);
    EXPECT_EQ(hidden(c.group), c.hiddenItems);
    EXPECT_EQ(c.group->OpenedHeight(), 668);
    EXPECT_FALSE(c.group->CaptionColorDefault());
    EXPECT_FALSE(c.group->ColorDefault());
  }

  auto entries = [](TMenuItem* item) {
    QStringList list;
    for (int i = 0; i < item->Count(); ++i) list << item->Items(i)->Caption();
    return list;
  };
  TMenuItem* bar = form->MainMenu1->Items();
  EXPECT_EQ(entries(bar), (QStringList{"数据记录", "查找", "逻辑检查", "数据处理", "工具", "关于", "退出"}));
  EXPECT_EQ(entries(bar->Items(0)), (QStringList{"添加新记录", "修改选中的记录", "删除记录", "打印选中记录的年报表"}));
  EXPECT_EQ(entries(bar->Items(2)), (QStringList{"检查选中数据的逻辑", "检查数据的逻辑"}));
  EXPECT_EQ(entries(bar->Items(4)), (QStringList{"参数设置", "压缩数据库文件", "自定义列表显示"}));
  EXPECT_EQ(entries(form->GridPopupMenu->Items()),
            (QStringList{"添加新记录", "修改选中的记录", "删除记录", "-", "按条件查找定位数据", "按编号范围查找数据", "-",
                         "检查选中数据的逻辑", "-", "自定义列表显示", "打印选中记录的年报表"}));
  EXPECT_EQ(form->RecordGrid->PopupMenu(), form->GridPopupMenu);
}

// The maximised window with 20 records at a common laptop size: the clock, the
// background picture and the striped list are painted (pictures for looking at go to
// FW_SHOTS when it is set).
TEST_F(MainWindowTest, WindowPaintsItsListClockAndBackground) {
  std::vector<qint64> codes;
  for (int i = 1; i <= 20; ++i) codes.push_back(110000000000 + i * 7);
  AddRecords(codes);
  hooks.FixedNow = QDateTime(QDate(2026, 12, 8), QTime(9, 30));
  TMainForm* form = Shown();
  EXPECT_EQ(form->WindowState(), TWindowState::wsMaximized);
  // The offscreen screen is small: the picture is taken at a common laptop size, still
  // marked maximised (no size grip).
  form->resize(1280, 800);
  form->overrideWindowState(Qt::WindowMaximized);
  ASSERT_EQ(form->WindowState(), TWindowState::wsMaximized);
  form->Data().ReportQuery->SetRecNo(3);
  FwPollingTimer()->Tick();
  QApplication::processEvents();
  EXPECT_EQ(form->FwClockStatus1->Caption(), "2026年12月08日");
  EXPECT_FALSE(form->Image1->Picture().isNull());
  // The pane is 104 wide, and the whole date shows inside its frame.
  const int dateWidth =
      QFontMetrics(form->FwClockStatus1->Font().ToQFont()).horizontalAdvance(QStringLiteral("0000年00月00日"));
  const TFwCustomStatusPane& clock = *form->FwClockStatus1;
  const int frame = clock.Width() - clock.TextRect().Width();
  EXPECT_GE(clock.TextRect().Width(), dateWidth);
  if (dateWidth + frame <= 104) {
    EXPECT_EQ(form->FwClockStatus1->Width(), 104);
  }
  const QImage image = form->grab().toImage();
  // Both stripes of the list are painted, over many rows.
  const QImage list = form->RecordGrid->grab().toImage();
  auto count = [&list](TColor color) {
    const QRgb wanted = ToQColor(color).rgb();
    int n = 0;
    for (int y = 0; y < list.height(); ++y)
      for (int x = 0; x < list.width(); ++x) n += (list.pixel(x, y) | 0xFF000000) == (wanted | 0xFF000000);
    return n;
  };
  EXPECT_GT(count(kOddRowColor), 5000);
  EXPECT_GT(count(kEvenRowColor), 5000);
  fwtest::SaveShot(image, "fw_main_window.png");
  // The left pane with the second group open.
  form->FwGroup2->SetOpened(true);
  QApplication::processEvents();
  EXPECT_TRUE(form->FwGroup2->Opened());
  fwtest::SaveShot(form->FwSizePanel1->grab().toImage(), "fw_main_window_group2.png");
}

// While the main window lives, every hint of the program (here an edit's on the window)
// shows as a shadowed balloon after a short rest of the pointer.
TEST_F(MainWindowTest, EveryHintOfTheProgramIsABalloon) {
  TMainForm* form = Shown();
  TFwBalloonHints& hints = *form->FwBalloonHints1;
  ASSERT_TRUE(hints.InCharge());
  auto* edit = new TEdit(form);
  edit->SetParent(form->FwPanel1);
  edit->SetBounds(10, 30, 120, 22);
  edit->SetHint(QStringLiteral("联系电话"));
  edit->raise();
  QCoreApplication::processEvents();
  QTest::mouseMove(edit, {21, 11});
  QTest::mouseMove(edit, {20, 10});
  ASSERT_TRUE(hints.ShowTimer().Running());
  EXPECT_EQ(hints.ShowTimer().Interval(), 250);
  hints.ShowTimer().Tick();
  ASSERT_TRUE(hints.HintWindow()->HintActive());
  EXPECT_TRUE(hints.Shadow());
  EXPECT_EQ(hints.HintWindow()->Color(), clInfoBk);
  EXPECT_EQ(hints.HintWindow()->FrameColor(), clBlack);
  EXPECT_EQ(hints.HintWindow()->CaptionWidth(), 100);
  hints.CancelHint();
}

// At start-up on a database of 5,000 records the list shows its vertical scroll bar at
// once, before any click or wheel turn.
TEST_F(MainWindowTest, ALongListShowsItsScrollBarAtStart) {
  {
    auto c = Connect();
    c->BeginTrans();
    for (int i = 1; i <= 5000; ++i)
      c->Execute("insert into dt_data (c901, c902, c903, c904, c907, RecordState) values (?, ?, 110101, 10, 1, 1)",
                 {110000000000LL + i, QString("单位%1").arg(i)});
    c->CommitTrans();
  }
  TMainForm* form = Start();
  ASSERT_NE(form, nullptr);
  form->Show();
  QApplication::processEvents();
  QScrollBar* bar = form->RecordGrid->View()->verticalScrollBar();
  EXPECT_TRUE(bar->isVisible());
  EXPECT_GT(bar->maximum(), 4900);
  fwtest::SaveShot(form->grab().toImage(), "fw_main_window_5000_records.png");
}

} // namespace
