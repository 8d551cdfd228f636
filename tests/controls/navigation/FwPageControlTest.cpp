#include "../common/ButtonTestHost.h"
#include "controls/common/FwButtonEdit.h"
#include "controls/common/FwEdit.h"
#include "controls/navigation/FwPageControl.h"
#include "controls/navigation/FwTabSheet.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListError.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <memory>
#include <gtest/gtest.h>

using namespace fw;

namespace {

// A shown form with a page control whose pages each hold one edit.
struct Book {
  TForm form{nullptr};
  TFwPageControl* pages = new TFwPageControl(&form);
  std::vector<TFwTabSheet*> sheets;
  std::vector<TFwEdit*> edits;
  std::vector<QString> log;
  QList<int> refuse;

  explicit Book(int count, bool load = false) {
    if (load) form.BeginLoad();
    form.SetBounds(0, 0, 500, 300);
    pages->SetParent(&form);
    pages->SetBounds(0, 0, 480, 260);
    for (int i = 0; i < count; ++i) AddSheet(QStringLiteral("P%1").arg(i));
    pages->OnChanging = [this](TObject*, int index, bool& allow) {
      const int active = pages->ActivePageIndex();
      log.push_back(QStringLiteral("changing%1(on %2)").arg(index).arg(active));
      if (refuse.contains(index)) allow = false;
    };
    pages->OnChange = [this](TObject*) { log.push_back(QStringLiteral("change(on %1)").arg(pages->ActivePageIndex())); };
    pages->OnPageChange = [this](TObject*) { log.push_back(QStringLiteral("page")); };
    pages->OnTabOrderChange = [this](TObject*, int from, int to) { log.push_back(QStringLiteral("move%1>%2").arg(from).arg(to)); };
    if (!load) Show();
  }
  TFwTabSheet* AddSheet(const QString& caption) {
    auto* sheet = new TFwTabSheet(&form);
    sheet->SetCaption(caption);
    sheet->SetPageControl(pages);
    auto* edit = new TFwEdit(&form);
    edit->SetParent(sheet);
    edit->SetTabStop(true);
    edit->SetBounds(10, 10, 100, 21);
    sheets.push_back(sheet);
    edits.push_back(edit);
    return sheet;
  }
  void Show() {
    form.Show();
    form.activateWindow();
    QApplication::processEvents();
  }
  QString Log() {
    const QString text = QStringList(log.begin(), log.end()).join(QLatin1Char(' '));
    log.clear();
    return text;
  }
  QStringList Captions() const {
    QStringList list;
    for (int i = 0; i < pages->Tabs().Count(); ++i) list << pages->Tabs().Items(i).Caption;
    return list;
  }
  int ShownPages() const {
    int shown = 0;
    for (auto* s : sheets) shown += s->isVisible() ? 1 : 0;
    return shown;
  }
  void Key(QWidget* target, Qt::Key key, Qt::KeyboardModifiers mods) {
    QTest::keyClick(target, key, mods);
    QApplication::processEvents();
  }
};

} // namespace

TEST(FwPageControl, TabsFollowPagesJoiningLeavingAndMoving) {
  Book b(4);
  EXPECT_EQ(b.Captions(), (QStringList{"P0", "P1", "P2", "P3"}));
  b.sheets[1]->SetTabVisible(false);
  EXPECT_EQ(b.Captions(), (QStringList{"P0", "P2", "P3"}));
  EXPECT_EQ(b.sheets[1]->TabIndex(), -1);
  EXPECT_EQ(b.sheets[3]->TabIndex(), 2);
  b.sheets[3]->SetPageIndex(0);
  EXPECT_EQ(b.Log(), "move3>0");
  EXPECT_EQ(b.Captions(), (QStringList{"P3", "P0", "P2"}));
  EXPECT_EQ(b.sheets[3]->PageIndex(), 0);
  b.sheets[2]->SetCaption("Two");
  b.sheets[2]->SetTabEnabled(false);
  EXPECT_EQ(b.Captions(), (QStringList{"P3", "P0", "Two"}));
  EXPECT_FALSE(b.pages->Tabs().Items(2).Enabled);
  b.sheets[0]->SetPageControl(nullptr);
  EXPECT_EQ(b.pages->PageCount(), 3);
  EXPECT_EQ(b.sheets[0]->PageIndex(), -1);
  EXPECT_EQ(b.Captions(), (QStringList{"P3", "Two"}));
  delete b.sheets[3];
  EXPECT_EQ(b.pages->PageCount(), 2);
  EXPECT_EQ(b.Captions(), (QStringList{"Two"}));
}

TEST(FwPageControl, PageIndexOutsideThePagesIsRefused) {
  Book b(3);
  try {
    b.sheets[0]->SetPageIndex(3);
    FAIL() << "no error";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "3 is an invalid PageIndex value. PageIndex must be between 0 and 2");
  }
  EXPECT_THROW(b.sheets[0]->SetPageIndex(-1), EListError);
  EXPECT_EQ(b.sheets[0]->PageIndex(), 0);
  EXPECT_EQ(b.Log(), "");
}

TEST(FwPageControl, ChangingSeesTheOldPageAndChangeTheNew) {
  Book b(3);
  b.pages->SetActivePageIndex(0);
  b.Log();
  b.pages->SetActivePageIndex(2);
  EXPECT_EQ(b.Log(), "changing2(on 0) change(on 2) page");
  EXPECT_EQ(b.pages->ActivePage(), b.sheets[2]);
  EXPECT_EQ(b.pages->TabIndex(), 2);
  EXPECT_EQ(b.ShownPages(), 1);
  EXPECT_TRUE(b.sheets[2]->isVisible());
  // By tab index, as a mouse click or a key selects.
  b.pages->SetTabIndex(1);
  EXPECT_EQ(b.Log(), "changing1(on 2) change(on 1) page");
  EXPECT_EQ(b.pages->ActivePage(), b.sheets[1]);
  // By the mouse on a tab.
  const TRect tab = b.pages->TabDrawRect(0);
  QTest::mouseClick(b.pages, Qt::LeftButton, Qt::NoModifier, QPoint((tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2));
  QApplication::processEvents();
  EXPECT_EQ(b.Log(), "changing0(on 1) change(on 0) page");
  EXPECT_EQ(b.pages->ActivePage(), b.sheets[0]);
  EXPECT_EQ(b.ShownPages(), 1);
}

TEST(FwPageControl, RefusedChangeKeepsThePage) {
  Book b(3);
  b.pages->SetActivePageIndex(0);
  b.Log();
  b.refuse = {1};
  b.pages->SetActivePageIndex(1);
  b.pages->SetTabIndex(1);
  EXPECT_EQ(b.Log(), "changing1(on 0) changing1(on 0)");
  EXPECT_EQ(b.pages->ActivePage(), b.sheets[0]);
  EXPECT_EQ(b.pages->TabIndex(), 0);
  EXPECT_TRUE(b.sheets[0]->isVisible());
  EXPECT_FALSE(b.sheets[1]->isVisible());
}

TEST(FwPageControl, PagesWithoutATabAreShownDirectly) {
  Book b(3);
  b.pages->SetActivePageIndex(0);
  b.Log();
  b.sheets[2]->SetTabVisible(false);
  b.pages->SetActivePage(b.sheets[2]);
  EXPECT_EQ(b.Log(), "page");
  EXPECT_EQ(b.pages->TabIndex(), -1);
  EXPECT_TRUE(b.sheets[2]->isVisible());
  EXPECT_EQ(b.ShownPages(), 1);
  // Hiding the active page's tab leaves the page shown without a selected tab.
  b.pages->SetActivePageIndex(1);
  b.Log();
  b.sheets[1]->SetTabVisible(false);
  EXPECT_EQ(b.pages->ActivePage(), b.sheets[1]);
  EXPECT_TRUE(b.sheets[1]->isVisible());
  EXPECT_EQ(b.pages->TabIndex(), -1);
  // Showing it again selects its tab without events: nothing was left.
  b.sheets[1]->SetTabVisible(true);
  EXPECT_EQ(b.pages->TabIndex(), 1);
  EXPECT_EQ(b.Log(), "");
}

TEST(FwPageControl, SheetsOfAnotherControlAreIgnored) {
  Book b(2);
  b.pages->SetActivePageIndex(0);
  Book other(1);
  b.pages->SetActivePage(other.sheets[0]);
  EXPECT_EQ(b.pages->ActivePage(), b.sheets[0]);
}

TEST(FwPageControl, CtrlTabCyclesThroughPagesWithATab) {
  struct Case {
    int start;
    bool backwards;
    std::vector<int> expected;
  };
  // Page 2 has no tab and is never chosen by the keys.
  const Case cases[] = {
      {0, false, {1, 3, 4, 0, 1}},
      {0, true, {4, 3, 1, 0, 4}},
      {3, false, {4, 0}},
  };
  for (const Case& c : cases) {
    Book b(5);
    b.sheets[2]->SetTabVisible(false);
    b.pages->SetActivePageIndex(c.start);
    b.edits[size_t(c.start)]->SetFocus();
    QApplication::processEvents();
    for (int expected : c.expected) {
      QWidget* focus = QApplication::focusWidget();
      ASSERT_NE(focus, nullptr);
      b.Key(focus, Qt::Key_Tab, c.backwards ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
      EXPECT_EQ(b.pages->ActivePageIndex(), expected) << c.start << (c.backwards ? " back" : " forward");
    }
  }
}

TEST(FwPageControl, FocusMovesIntoTheNewPage) {
  Book b(3);
  b.pages->SetActivePageIndex(0);
  b.edits[0]->SetFocus();
  QApplication::processEvents();
  ASSERT_TRUE(b.edits[0]->Focused());
  b.pages->SetActivePageIndex(2);
  QApplication::processEvents();
  EXPECT_TRUE(b.edits[2]->Focused());
  // A page with nothing to focus hands the focus to the page control.
  b.edits[1]->SetEnabled(false);
  b.pages->SetActivePageIndex(1);
  QApplication::processEvents();
  EXPECT_TRUE(b.pages->Focused());
}

TEST(FwPageControl, ActivePageFillsTheDisplayRect) {
  Book b(13);
  b.pages->SetTabOrientation(TFwTabOrientation::toBottom);
  b.pages->SetMultiLine(true);
  b.pages->SetActivePageIndex(5);
  QApplication::processEvents();
  const TRect d = b.pages->DisplayRect();
  EXPECT_EQ(b.sheets[5]->BoundsRect(), d);
  b.pages->SetBounds(0, 0, 200, 240);
  QApplication::processEvents();
  EXPECT_EQ(b.sheets[5]->BoundsRect(), b.pages->DisplayRect());
  EXPECT_GT(b.pages->RowCount(), 1);
}

TEST(FwPageControl, ClosingTheActivePageSelectsTheOneBefore) {
  Book b(3);
  b.pages->SetActivePageIndex(2);
  b.pages->CloseActivePage();
  EXPECT_EQ(b.pages->PageCount(), 2);
  EXPECT_EQ(b.pages->ActivePage(), b.sheets[1]);
  b.pages->SetActivePageIndex(0);
  b.pages->CloseActivePage();
  EXPECT_EQ(b.pages->ActivePage(), b.sheets[1]);
  EXPECT_EQ(b.pages->TabIndex(), 0);
}

TEST(FwPageControl, LoadingShowsTheDefaultPageWithoutEvents) {
  Book b(3, true);
  b.pages->SetActivePage(b.sheets[0]);
  b.pages->SetActivePageDefault(b.sheets[1]);
  b.form.EndLoad();
  b.Show();
  EXPECT_EQ(b.Log(), "");
  EXPECT_EQ(b.pages->ActivePage(), b.sheets[1]);
  EXPECT_EQ(b.pages->TabIndex(), 1);
  EXPECT_EQ(b.ShownPages(), 1);
  delete b.sheets[1];
  EXPECT_EQ(b.pages->ActivePageDefault(), nullptr);
}

TEST(FwPageControl, SheetColoursFollowTheControlUntilOneDiffers) {
  Book b(2);
  b.pages->SetColor(0x00F5F6F7);
  EXPECT_EQ(b.sheets[0]->Color(), TColor(0x00F5F6F7));
  EXPECT_FALSE(b.pages->UseColoredTabs());
  b.sheets[1]->SetColor(clYellow);
  EXPECT_TRUE(b.pages->UseColoredTabs());
  EXPECT_EQ(b.pages->Tabs().Items(1).Color, clYellow);
  b.pages->SetUseColoredTabs(false);
  EXPECT_EQ(b.sheets[1]->Color(), TColor(0x00F5F6F7));
}

TEST(FwPageControl, FreeingTheWindowRaisesNoPageEvents) {
  auto calls = std::make_shared<int>(0);
  {
    auto* form = new TForm(nullptr);
    auto* pages = new TFwPageControl(form);
    pages->SetParent(form);
    for (int i = 0; i < 3; ++i) (new TFwTabSheet(form))->SetPageControl(pages);
    pages->SetActivePageIndex(1);
    pages->OnChanging = [calls](TObject*, int, bool&) { ++*calls; };
    pages->OnChange = [calls](TObject*) { ++*calls; };
    pages->OnPageChange = [calls](TObject*) { ++*calls; };
    form->Free();
  }
  EXPECT_EQ(*calls, 0);
}

// The entry form's page control with its thirteen pages and a code picker on the cover;
// saved for a look when FW_SHOTS names a folder.
TEST(FwPageControl, EntryFormPagesScreenshot) {
  TForm form{nullptr};
  form.SetBounds(0, 0, 560, 260);
  auto* pages = new TFwPageControl(&form);
  pages->SetParent(&form);
  pages->SetBounds(4, 4, 540, 240);
  pages->SetTabOrientation(TFwTabOrientation::toBottom);
  pages->SetMultiLine(true);
  pages->SetTabHints(true);
  pages->SetFlatColor(0x009C9B91);
  pages->SetColor(0x00F5F6F7);
  pages->TabColors().SetHighlightBar(0x00149BF0);
  pages->SetTabStop(false);
  pages->SetFixedDimension(19);
  QStringList captions{QStringLiteral("封面")};
  for (int i = 1; i <= 11; ++i) {
    captions << QStringLiteral("表%1").arg(i);
    if (i == 4) captions << QStringLiteral("表4续");
  }
  for (const QString& caption : captions) {
    auto* sheet = new TFwTabSheet(&form);
    sheet->SetCaption(caption);
    sheet->SetColor(0x00F5F6F7);
    sheet->SetPageControl(pages);
  }
  auto* picker = new TFwButtonEdit(&form);
  picker->SetParent(pages->Pages(0));
  picker->SetBounds(20, 20, 180, 21);
  picker->SetButtonKind(TButtonKind::bkDropDown);
  picker->SetButtonWidth(9);
  picker->SetAllowKeyEdit(false);
  picker->SetText(QStringLiteral("北京市东城区"));
  auto* lookup = new TFwButtonEdit(&form);
  lookup->SetParent(pages->Pages(0));
  lookup->SetBounds(20, 60, 180, 21);
  lookup->SetAltBtnVisible(true);
  lookup->SetAltBtnKind(TButtonKind::bkFind);
  lookup->SetText(QStringLiteral("查找"));
  pages->SetActivePageIndex(0);
  form.Show();
  QApplication::processEvents();
  EXPECT_EQ(pages->Tabs().Count(), 13);
  EXPECT_EQ(pages->Pages(0)->BoundsRect(), pages->DisplayRect());
  const QImage image = form.grab().toImage();
  fwtest::SaveShot(image, "pages-entry.png");
  fwtest::SaveShot(image.copy(0, 0, 240, 100).scaled(720, 300), "pages-entry-zoom.png");
}

namespace {

QPoint Centre(const TRect& r) { return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

using fwtest::SendMouse;

} // namespace

TEST(FwPageControl, TheCloseButtonClosesTheActivePageOnlyWhenOnCloseAllows) {
  Book b(3);
  b.pages->SetShowCloseButton(true);
  b.pages->SetActivePageIndex(1);
  b.pages->DisplayRect();  // lays out, which places the button
  TFwTabCloseButton* close = b.pages->CloseButton();
  ASSERT_NE(close, nullptr);
  ASSERT_TRUE(close->isVisible());
  const QPoint middle(close->width() / 2, close->height() / 2);

  // Without a handler, or with one that keeps AllowClose false, nothing closes.
  QTest::mouseClick(close, Qt::LeftButton, {}, middle);
  int asked = 0;
  bool allow = false;
  b.pages->OnClose = [&](TObject* sender, bool& allowClose) {
    ++asked;
    EXPECT_EQ(sender, b.pages);
    EXPECT_FALSE(allowClose);
    allowClose = allow;
  };
  QTest::mouseClick(close, Qt::LeftButton, {}, middle);
  EXPECT_EQ(b.pages->PageCount(), 3);
  EXPECT_EQ(asked, 1);

  // A press that leaves the button before the release is no click.
  allow = true;
  QTest::mousePress(close, Qt::LeftButton, {}, middle);
  QTest::mouseMove(close, QPoint(-20, -20));
  QTest::mouseRelease(close, Qt::LeftButton, {}, QPoint(-20, -20));
  EXPECT_EQ(asked, 1);

  QTest::mouseClick(close, Qt::LeftButton, {}, middle);
  EXPECT_EQ(b.pages->PageCount(), 2);
  EXPECT_EQ(b.pages->ActivePage(), b.sheets[0]);  // the page before the closed one
}

TEST(FwPageControl, ATabDraggedToANewPlaceTakesItsPageThere) {
  Book b(4);
  b.pages->SetAllowTabDragging(true);
  b.pages->SetActivePageIndex(0);
  b.Log();
  const QPoint from = Centre(b.pages->TabDrawRect(0));
  const QPoint to = Centre(b.pages->TabDrawRect(2));
  SendMouse(b.pages, QEvent::MouseButtonPress, from);
  SendMouse(b.pages, QEvent::MouseMove, from + QPoint(12, 0));
  EXPECT_TRUE(b.pages->Dragging());
  SendMouse(b.pages, QEvent::MouseMove, to);
  // The marker stands at the far side of the target, away from the dragged tab.
  ASSERT_TRUE(b.pages->DragMarkerShown());
  const TRect target = b.pages->TabDrawRect(2);
  EXPECT_NEAR(Centre(b.pages->DragMarkerRect()).x(), target.Right, 2);
  SendMouse(b.pages, QEvent::MouseButtonRelease, to);

  EXPECT_FALSE(b.pages->Dragging());
  EXPECT_FALSE(b.pages->DragMarkerShown());
  EXPECT_EQ(b.Captions(), (QStringList{"P1", "P2", "P0", "P3"}));
  EXPECT_EQ(b.pages->ActivePage(), b.sheets[0]);
  EXPECT_EQ(b.pages->TabIndex(), 2);
  EXPECT_EQ(b.Log(), QStringLiteral("move0>2"));

  // Escape ends a drag where it began.
  const QPoint back = Centre(b.pages->TabDrawRect(2));
  SendMouse(b.pages, QEvent::MouseButtonPress, back);
  SendMouse(b.pages, QEvent::MouseMove, Centre(b.pages->TabDrawRect(0)));
  ASSERT_TRUE(b.pages->Dragging());
  b.Key(b.pages, Qt::Key_Escape, Qt::NoModifier);
  SendMouse(b.pages, QEvent::MouseButtonRelease, Centre(b.pages->TabDrawRect(0)));
  EXPECT_EQ(b.Captions(), (QStringList{"P1", "P2", "P0", "P3"}));
}

TEST(FwPageControl, WithoutTabDraggingAPressAndMoveOnlySelects) {
  Book b(3);
  const QPoint from = Centre(b.pages->TabDrawRect(0));
  SendMouse(b.pages, QEvent::MouseButtonPress, from);
  SendMouse(b.pages, QEvent::MouseMove, Centre(b.pages->TabDrawRect(2)));
  EXPECT_FALSE(b.pages->Dragging());
  SendMouse(b.pages, QEvent::MouseButtonRelease, Centre(b.pages->TabDrawRect(2)));
  EXPECT_EQ(b.Captions(), (QStringList{"P0", "P1", "P2"}));
}

TEST(FwPageControl, AltAndATabsAcceleratorSelectItsPage) {
  Book b(3);
  b.sheets[2]->SetCaption(QStringLiteral("汇总(&S)"));
  b.sheets[1]->SetCaption(QStringLiteral("表&1"));
  b.sheets[1]->SetTabEnabled(false);
  b.pages->SetActivePageIndex(0);
  b.Log();
  int clicks = 0;
  b.pages->OnTabClick = [&](TObject*) { ++clicks; };
  b.pages->DisplayRect();
  b.Key(&b.form, Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(b.pages->ActivePage(), b.sheets[2]);
  EXPECT_TRUE(b.pages->Focused());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(b.Log(), QStringLiteral("changing2(on 0) change(on 2) page"));
  // A disabled tab takes no accelerator.
  b.Key(&b.form, Qt::Key_1, Qt::AltModifier);
  EXPECT_EQ(b.pages->ActivePage(), b.sheets[2]);
}

TEST(FwPageControl, DockedControlsLiveInSheetsOfTheirOwn) {
  Book b(2);
  auto* tool = new TForm(nullptr);
  tool->SetCaption(QStringLiteral("字段列表\r\n第二行"));
  tool->Show();
  EXPECT_EQ(b.pages->DockClient(tool), nullptr);  // not a dock site yet
  b.pages->SetDockSite(true);
  TFwTabSheet* sheet = b.pages->DockClient(tool);
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(b.pages->PageCount(), 3);
  EXPECT_EQ(b.pages->DockedControl(sheet), tool);
  EXPECT_EQ(sheet->Caption(), QStringLiteral("字段列表"));  // the first line
  EXPECT_EQ(b.pages->ActivePage(), sheet);
  EXPECT_EQ(tool->Parent(), sheet);
  EXPECT_EQ(tool->BoundsRect(), sheet->ClientRect());

  tool->SetCaption(QStringLiteral("查询列表"));
  EXPECT_EQ(sheet->Caption(), QStringLiteral("查询列表"));
  tool->SetVisible(false);
  EXPECT_FALSE(sheet->TabVisible());
  tool->SetVisible(true);
  EXPECT_TRUE(sheet->TabVisible());

  // A double click on its tab floats the control; its sheet goes, the next page shows.
  b.pages->SetActivePage(sheet);
  const QPoint tab = QPoint((b.pages->TabDrawRect(2).Left + b.pages->TabDrawRect(2).Right) / 2,
                            (b.pages->TabDrawRect(2).Top + b.pages->TabDrawRect(2).Bottom) / 2);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                            QEvent::MouseButtonRelease})
    SendMouse(b.pages, type, tab);
  EXPECT_EQ(tool->Parent(), nullptr);
  EXPECT_TRUE(tool->isWindow());
  EXPECT_EQ(b.pages->PageCount(), 2);
  EXPECT_EQ(b.pages->ActivePage(), b.sheets[0]);

  // Dragged by its tab (a press on another page's tab drags nothing): dropped on its own
  // page control it stays, on another dock site it moves there, elsewhere it floats with
  // its corner at the pointer.
  auto* other = new TFwPageControl(&b.form);
  other->SetParent(&b.form);
  other->SetBounds(0, 262, 480, 36);
  other->SetDockSite(true);
  other->show();
  const auto drag = [&](TFwPageControl* from, QPoint to) {
    const QPoint grip = Centre(from->TabDrawRect(from->PageCount() - 1));
    SendMouse(from, QEvent::MouseButtonPress, grip);
    EXPECT_EQ(from->DockDragControl(), tool);
    SendMouse(from, QEvent::MouseMove, to);
    EXPECT_TRUE(from->DockDragging());
    SendMouse(from, QEvent::MouseButtonRelease, to);
  };
  TFwTabSheet* home = b.pages->DockClient(tool);
  SendMouse(b.pages, QEvent::MouseButtonPress, Centre(b.pages->TabDrawRect(0)));
  EXPECT_EQ(b.pages->DockDragControl(), nullptr);
  SendMouse(b.pages, QEvent::MouseButtonRelease, Centre(b.pages->TabDrawRect(0)));
  drag(b.pages, QPoint(200, 100));
  EXPECT_EQ(tool->Parent(), home);
  drag(b.pages, b.pages->mapFromGlobal(other->mapToGlobal(QPoint(200, 18))));
  ASSERT_EQ(other->PageCount(), 1);
  EXPECT_EQ(other->DockedControl(other->Pages(0)), tool);
  EXPECT_EQ(b.pages->PageCount(), 2);
  const QPoint away = other->mapToGlobal(QPoint(700, 300));
  drag(other, other->mapFromGlobal(away));
  EXPECT_EQ(tool->Parent(), nullptr);
  EXPECT_EQ(tool->pos(), away);
  EXPECT_EQ(other->PageCount(), 0);

  // Freed while docked, a control takes its sheet along.
  TFwTabSheet* again = b.pages->DockClient(tool);
  ASSERT_NE(again, nullptr);
  delete tool;
  EXPECT_EQ(b.pages->PageCount(), 2);
}
