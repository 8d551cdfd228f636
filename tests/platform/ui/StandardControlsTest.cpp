#include "platform/ui/Button.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/GroupBox.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Memo.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/Panel.h"
#include "platform/ui/TabSheet.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using namespace fw;

TEST(StandardControls, TabOrderRenumbersAndChainsFocus) {
  TForm form(nullptr);
  std::vector<TEdit*> edits;
  for (int i = 0; i < 3; ++i) {
    edits.push_back(new TEdit(&form));
    edits.back()->SetParent(&form);
  }
  EXPECT_EQ(edits[2]->TabOrder(), 2);
  edits[2]->SetTabOrder(0);
  EXPECT_EQ(edits[2]->TabOrder(), 0);
  EXPECT_EQ(edits[0]->TabOrder(), 1);
  EXPECT_EQ(edits[1]->TabOrder(), 2);
  // Tab goes from the third edit's line edit to the first's.
  QWidget* next = edits[2]->Widget()->nextInFocusChain();
  while (next && next != edits[0]->Widget() && next != edits[1]->Widget()) next = next->nextInFocusChain();
  EXPECT_EQ(next, edits[0]->Widget());
  edits[0]->Free();
  EXPECT_EQ(edits[2]->TabOrder(), 0);
  EXPECT_EQ(edits[1]->TabOrder(), 1);
}

TEST(StandardControls, ComboBoxChangeFollowsTheUserNotTheCode) {
  TForm form(nullptr);
  auto* combo = new TComboBox(&form);
  combo->SetParent(&form);
  combo->SetStyle(TComboBoxStyle::csDropDownList);
  combo->SetItems({"是", "否"});
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), "否");
  EXPECT_EQ(changes, 0);
  emit combo->Widget()->activated(0); // what a choice in the list sends
  EXPECT_EQ(changes, 1);

  combo->SetStyle(TComboBoxStyle::csDropDown);
  combo->SetItemIndex(0);
  QTest::keyClicks(combo->Widget()->lineEdit(), "x");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(combo->ItemIndex(), -1); // the typed text is no item
}

TEST(StandardControls, ListBoxClickOnlyForTheUsersChoice) {
  TForm form(nullptr);
  auto* list = new TListBox(&form);
  list->SetParent(&form);
  list->SetItems({"一", "二", "三"});
  int clicks = 0;
  list->OnClick = [&](TObject*) { ++clicks; };
  list->SetItemIndex(2);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(list->Item(list->ItemIndex()), "三");
  list->Widget()->setCurrentRow(0); // as the keyboard or mouse would
  EXPECT_EQ(clicks, 1);
  list->SetMultiSelect(true);
  list->SetSelected(0, true);
  list->SetSelected(2, true);
  EXPECT_EQ(list->SelCount(), 2);
  list->DeleteItem(0);
  EXPECT_EQ(list->Count(), 2);
}

// The mouse reaches the list's viewport, not the list: a double click there is the list
// box's double click.
TEST(StandardControls, ListBoxDoubleClickOnAnItem) {
  TForm form(nullptr);
  auto* list = new TListBox(&form);
  list->SetParent(&form);
  list->SetItems({"一", "二"});
  form.Show();
  int doubles = 0;
  list->OnDblClick = [&](TObject*) { ++doubles; };
  QListWidget* view = list->Widget();
  const QPoint at = view->visualItemRect(view->item(1)).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(list->ItemIndex(), 1);
}

TEST(StandardControls, CheckBoxClicksOnEveryChangeButNotForItsAction) {
  TForm form(nullptr);
  auto* box = new TCheckBox(&form);
  box->SetParent(&form);
  box->SetCaption("显示网格");
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  box->SetChecked(true);
  QTest::mouseClick(box->Widget(), Qt::LeftButton, {}, QPoint(5, box->Widget()->height() / 2));
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 2);
  auto* action = new TAction(&form);
  box->SetAction(action);
  action->SetChecked(true);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 2);
}

class ValidatingForm : public TForm {
public:
  explicit ValidatingForm(TComponent* owner) : TForm(owner) {
    Ok = new TButton(this);
    Ok->SetParent(this);
    Ok->SetModalResult(mrOk);
    // The first click finds the input wanting and keeps the dialog open.
    Ok->OnClick = [this](TObject*) {
      if (++Clicks == 1) SetModalResult(mrNone);
    };
  }
  TButton* Ok;
  int Clicks = 0;
};

TEST(StandardControls, AButtonsHandlerCanKeepTheModalDialogOpen) {
  ValidatingForm form(nullptr);
  QTimer::singleShot(0, [&] {
    form.Ok->Click();
    QTimer::singleShot(0, [&] { form.Ok->Click(); });
  });
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_EQ(form.Clicks, 2);
}

TEST(StandardControls, MemoWithoutWantReturnsLeavesEnterToTheForm) {
  TForm form(nullptr);
  auto* memo = new TMemo(&form);
  memo->SetParent(&form);
  auto* ok = new TButton(&form);
  ok->SetParent(&form);
  ok->SetDefault(true);
  int clicks = 0;
  ok->OnClick = [&](TObject*) { ++clicks; };
  form.Show();
  QTest::keyClick(memo->Widget(), Qt::Key_Return);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(memo->Lines().size(), 2);
  memo->SetWantReturns(false);
  QTest::keyClick(memo->Widget(), Qt::Key_Return);
  EXPECT_EQ(clicks, 1);
}

TEST(StandardControls, ImagePlacement) {
  TImage image(nullptr);
  image.SetBounds(0, 0, 100, 50);
  image.SetPicture(QImage(40, 40, QImage::Format_RGB32));
  struct Case {
    bool Stretch, Proportional, Center;
    TRect Expected;
  };
  const std::vector<Case> cases = {
      {false, false, false, Rect(0, 0, 40, 40)},  {false, false, true, Rect(30, 5, 70, 45)},
      {true, false, false, Rect(0, 0, 100, 50)},  {true, true, false, Rect(0, 0, 50, 50)},
      {true, true, true, Rect(25, 0, 75, 50)},    {false, true, false, Rect(0, 0, 40, 40)},
  };
  for (const Case& c : cases) {
    image.SetStretch(c.Stretch);
    image.SetProportional(c.Proportional);
    image.SetCenter(c.Center);
    EXPECT_EQ(image.DestRect(), c.Expected) << c.Stretch << c.Proportional << c.Center;
  }
  EXPECT_FALSE(image.LoadFromFile("/nonexistent/background.jpg"));
  EXPECT_TRUE(image.Picture().isNull());
}

TEST(StandardControls, ImageListScalesAndSplitsStrips) {
  TImageList images(nullptr);
  images.SetWidth(32);
  images.SetHeight(32);
  QImage strip(96, 32, QImage::Format_ARGB32);
  strip.fill(Qt::blue);
  EXPECT_EQ(images.AddStrip(strip), 0);
  EXPECT_EQ(images.Count(), 3);
  QImage big(64, 64, QImage::Format_ARGB32);
  big.fill(Qt::red);
  EXPECT_EQ(images.Add(big), 3);
  EXPECT_EQ(images.Image(3).size(), QSize(32, 32));
  EXPECT_TRUE(images.Image(4).isNull());
  EXPECT_TRUE(images.Icon(-1).isNull());
}

TEST(StandardControls, RaisedPanelPaintsItsBevel) {
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 40, 20);
  panel.SetColor(RGB(193, 216, 249));
  const QImage image = panel.grab().toImage();
  EXPECT_EQ(image.pixelColor(0, 0), ToQColor(clBtnHighlight));
  EXPECT_EQ(image.pixelColor(39, 19), ToQColor(clBtnShadow));
  EXPECT_EQ(image.pixelColor(20, 3), QColor(193, 216, 249));
}

// The page control and the group box are the desktop's: the sheets' captions are the
// tabs, one page shows at a time, and the group box's caption is its frame's title with
// its children drawn over it in its own coordinates.
TEST(StandardControls, PageControlAndGroupBoxAreTheDesktops) {
  TForm form(nullptr);
  auto* pages = new TPageControl(&form);
  pages->SetParent(&form);
  pages->SetBounds(0, 0, 300, 200);
  std::vector<TTabSheet*> sheets;
  for (const char* caption : {"类 型", "对 齐", "字 体"}) {
    sheets.push_back(new TTabSheet(&form));
    sheets.back()->SetCaption(QString::fromUtf8(caption));
    sheets.back()->SetPageControl(pages);
  }
  sheets[1]->SetCaption(QStringLiteral("其 他"));
  ASSERT_EQ(pages->PageCount(), 3);
  EXPECT_EQ(pages->Widget()->tabText(1), QStringLiteral("其 他"));
  EXPECT_EQ(sheets[2]->PageIndex(), 2);
  EXPECT_EQ(sheets[0]->ParentForm(), &form);
  EXPECT_EQ(pages->ActivePage(), sheets[0]);
  pages->SetActivePageIndex(2);
  pages->SetActivePageIndex(3);  // no such page: nothing changes
  EXPECT_EQ(pages->ActivePageIndex(), 2);
  form.Show();
  EXPECT_TRUE(sheets[2]->isVisible());
  EXPECT_FALSE(sheets[0]->isVisible());

  auto* group = new TGroupBox(&form);
  group->SetParent(sheets[2]);
  group->SetBounds(10, 10, 200, 80);
  group->SetCaption(QStringLiteral("边框风格"));
  auto* box = new TCheckBox(&form);
  box->SetParent(group);
  box->SetBounds(12, 24, 100, 18);
  EXPECT_EQ(group->Widget()->title(), QStringLiteral("边框风格"));
  EXPECT_EQ(group->Caption(), QStringLiteral("边框风格"));
  EXPECT_EQ(box->mapTo(group, QPoint(0, 0)), QPoint(12, 24));
  QWidget* over = group->childAt(14, 26);
  EXPECT_TRUE(over == box || box->isAncestorOf(over));
  EXPECT_EQ(group->Widget()->focusPolicy(), Qt::NoFocus);
}

} // namespace

namespace {

using namespace fw;

// A shown, active form with two edits that log their entries and exits.
struct TwoEditsForm {
  TForm form{nullptr};
  TEdit* first = new TEdit(&form);
  TEdit* second = new TEdit(&form);
  std::vector<std::string> log;
  TwoEditsForm() {
    first->SetParent(&form);
    second->SetParent(&form);
    second->SetTop(30);
    first->OnEnter = [this](TObject*) { log.push_back("enter1"); };
    first->OnExit = [this](TObject*) { log.push_back("exit1"); };
    second->OnEnter = [this](TObject*) { log.push_back("enter2"); };
    second->OnExit = [this](TObject*) { log.push_back("exit2"); };
    form.Show();
    QApplication::setActiveWindow(&form);
  }
};

TEST(StandardControls, FocusMovesRaiseExitAndEnter) {
  TwoEditsForm f;
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f.form));
  f.first->SetFocus();
  f.second->SetFocus();
  EXPECT_EQ(f.log, (std::vector<std::string>{"enter1", "exit1", "enter2"}));
  EXPECT_TRUE(f.second->Focused());
  EXPECT_FALSE(f.first->Focused());
  EXPECT_EQ(f.form.ActiveControl(), f.second);

  // Another window comes and goes: no exit, no second entry.
  TForm other(nullptr);
  other.Show();
  QApplication::setActiveWindow(&other);
  QApplication::setActiveWindow(&f.form);
  EXPECT_EQ(f.log.size(), 3u);
}

// A control focused while its window is not active (a message box has just closed, the
// window is hidden between two showings) exits the control entered before at once, as
// when the window is active; the window's return then enters nothing a second time.
TEST(StandardControls, FocusMovedWhileTheWindowIsInactiveStillExitsAndEnters) {
  TwoEditsForm f;
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f.form));
  f.first->SetFocus();

  TForm box(nullptr);
  box.Show();
  QApplication::setActiveWindow(&box);
  box.Hide();
  f.second->SetFocus(); // before the window is active again
  EXPECT_EQ(f.log, (std::vector<std::string>{"enter1", "exit1", "enter2"}));
  QApplication::setActiveWindow(&f.form);
  EXPECT_EQ(f.log, (std::vector<std::string>{"enter1", "exit1", "enter2"}));
  EXPECT_TRUE(f.second->Focused());

  // Hidden with the second entered, shown again with the first focused.
  f.log.clear();
  f.form.Hide();
  f.form.Show();
  f.first->SetFocus();
  QApplication::setActiveWindow(&f.form);
  EXPECT_EQ(f.log, (std::vector<std::string>{"exit2", "enter1"}));
}

} // namespace
