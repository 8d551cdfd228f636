#include "controls/common/FwCustomTabbedListBox.h"
#include "controls/common/FwListBox.h"
#include "platform/ui/Button.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Form.h"
#include "PixelTools.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace fw;
using fwtest::At;

TColor Rgb(TColor c) { return ColorToRGB(c); }

template <class List>
struct Fixture {
  fwtest::ScriptedHooks hooks;
  TForm form{nullptr};
  List* list = new List(&form);
  TFwListBox* other = new TFwListBox(&form);
  Fixture() {
    hooks.FixedNow = QDateTime(QDate(2014, 3, 1), QTime(9, 0));
    form.SetBounds(0, 0, 400, 300);
    list->SetParent(&form);
    list->SetBounds(10, 10, 200, 120);
    other->SetParent(&form);
    other->SetBounds(10, 160, 100, 40);
    form.Show();
    form.activateWindow();
    QApplication::processEvents();
  }
  void Focus(TWinControl* c) {
    c->SetFocus();
    QApplication::processEvents();
  }
  void Type(const QString& keys) {
    for (QChar c : keys) QTest::keyClick(list->Widget(), c.toLatin1());
  }
  void Wait(int ms) { hooks.FixedNow = hooks.FixedNow.addMSecs(ms); }
  QImage Grab() {
    QApplication::processEvents();
    return list->grab().toImage();
  }
  void Hover(bool in) {
    QEvent event(in ? QEvent::Enter : QEvent::Leave);
    QCoreApplication::sendEvent(list, &event);
  }
};

const QStringList kFruit = {"apple", "Abacus", "banana", "berry", "beta", "cherry"};

TEST(FwCustomListBox, TypedKeysSelectByPrefixWithinTheInterval) {
  struct Step {
    int waitMs;     // clock moves before the key
    int key;        // a letter, or a Qt key
    int index;      // ItemIndex afterwards
    QString search; // search text afterwards
    int beeps;      // beeps so far
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"a then b quickly", {{0, 'a', 0, "a", 0}, {300, 'b', 1, "ab", 0}}},
      {"pause starts afresh", {{0, 'a', 0, "a", 0}, {100, 'b', 1, "ab", 0}, {1600, 'c', 5, "c", 0}}},
      {"no match beeps and keeps the prefix", {{0, 'b', 2, "b", 0}, {100, 'x', 2, "b", 1}, {100, 'e', 3, "be", 1}}},
      {"backspace shortens and searches again", {{0, 'b', 2, "b", 0}, {0, 'e', 3, "be", 0}, {0, 't', 4, "bet", 0},
                                                  {0, Qt::Key_Backspace, 3, "be", 0}}},
      {"backspace emptying selects the first", {{0, 'c', 5, "c", 0}, {0, Qt::Key_Backspace, 0, "", 0}}},
      // The empty prefix starts every item: the search lands on the first.
      {"backspace on nothing beeps", {{0, Qt::Key_Backspace, 0, "", 1}}},
      {"escape selects nothing", {{0, 'b', 2, "b", 0}, {0, Qt::Key_Escape, -1, "", 0}}},
      {"navigation clears the prefix", {{0, 'b', 2, "b", 0}, {0, Qt::Key_Down, 3, "", 0}, {0, 'a', 0, "a", 0}}},
  };
  for (const Case& c : cases) {
    Fixture<TFwListBox> f;
    f.list->SetItems(kFruit);
    int clicks = 0;
    f.list->OnClick = [&](TObject*) { ++clicks; };
    f.Focus(f.list);
    for (const Step& s : c.steps) {
      f.Wait(s.waitMs);
      if (s.key >= 'a' && s.key <= 'z')
        QTest::keyClick(f.list->Widget(), char(s.key));
      else
        QTest::keyClick(f.list->Widget(), Qt::Key(s.key));
      EXPECT_EQ(f.list->ItemIndex(), s.index) << c.name << " key " << s.key;
      EXPECT_EQ(f.list->SearchText(), s.search) << c.name << " key " << s.key;
      EXPECT_EQ(f.hooks.Beeps, s.beeps) << c.name << " key " << s.key;
    }
    if (std::string(c.name) == "backspace emptying selects the first") {
      EXPECT_EQ(clicks, 1);
    }
  }
}

TEST(FwCustomListBox, EventsOfASearchAndTheTimer) {
  Fixture<TFwListBox> f;
  f.list->SetItems(kFruit);
  QString pressed;
  int matches = 0;
  f.list->OnKeyPress = [&](TObject*, QChar& k) { pressed += k; };
  f.list->OnMatch = [&](TObject*) { ++matches; };
  f.Focus(f.list);
  f.Type("bez");
  EXPECT_EQ(pressed, "be");  // the refused z reaches no handler
  EXPECT_EQ(matches, 2);
  // The timer running out forgets the prefix even when the clock stood still.
  f.list->SearchTimerTick();
  EXPECT_EQ(f.list->SearchText(), "");
  f.Type("c");
  EXPECT_EQ(f.list->ItemIndex(), 5);
  // Without incremental search nothing is kept and nothing beeps.
  f.list->SetIncrementalSearch(false);
  f.Type("zz");
  EXPECT_EQ(f.list->SearchText(), "c");
  EXPECT_EQ(f.hooks.Beeps, 1);
}

TEST(FwCustomListBox, EnterMovesOnLikeTabWhenAsked) {
  Fixture<TFwListBox> f;
  f.list->SetItems(kFruit);
  f.Focus(f.list);
  QTest::keyClick(f.list->Widget(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_TRUE(f.list->Focused());
  f.list->SetTabOnEnter(true);
  QTest::keyClick(f.list->Widget(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_TRUE(f.other->Focused());
}

TEST(FwCustomListBox, EnterAndEscapeReachTheDialogButtons) {
  Fixture<TFwListBox> f;
  f.list->SetItems(kFruit);
  f.list->SetItemIndex(2);
  auto* ok = new TButton(&f.form);
  ok->SetParent(&f.form);
  ok->SetTop(250);
  ok->SetDefault(true);
  auto* cancel = new TButton(&f.form);
  cancel->SetParent(&f.form);
  cancel->SetBounds(100, 250, 75, 25);
  cancel->SetCancel(true);
  QStringList clicks;
  ok->OnClick = [&](TObject*) { clicks << "ok"; };
  cancel->OnClick = [&](TObject*) { clicks << "cancel"; };
  f.Focus(f.list);
  QTest::keyClick(f.list->Widget(), Qt::Key_Return);
  QTest::keyClick(f.list->Widget(), Qt::Key_Escape);
  EXPECT_EQ(clicks.join(",").toStdString(), "ok,cancel");
  EXPECT_EQ(f.list->ItemIndex(), -1);
}

TEST(FwCustomListBox, GroupHeaderIsABandWithoutItsPrefix) {
  Fixture<TFwListBox> f;
  f.list->SetFramingPreference(TFramingPreference::fpCustomFraming);
  f.list->SetFrameVisible(true);
  f.list->SetGroupMode(true);
  f.list->SetUseGradients(false);
  f.list->SetGroupColor(clYellow);
  f.list->SetItemHeight(20);
  f.list->SetItems({"//Totals", "plain"});
  const QImage image = f.Grab();
  // The band fills the row; the header text is in GroupFont's colour on it.
  EXPECT_EQ(At(image, 190, 2 + 10), Rgb(clYellow));
  const QRect band(2, 2, 196, 20);
  EXPECT_GT(fwtest::Count(image, Rgb(clHighlight), band), 0);
  const QRect ink = fwtest::Inked(image.copy(band), Rgb(clYellow));
  TCanvas measure;
  measure.Font().Assign(f.list->GroupFont());
  // "Totals" without "//", starting 2 pixels in.
  EXPECT_NEAR(ink.width(), measure.TextWidth("Totals"), 2);
  EXPECT_NEAR(ink.left(), 2, 1);
  EXPECT_EQ(At(image, 190, 2 + 30), Rgb(clWindow));
}

TEST(FwCustomListBox, GroupBandIsAGradientOnlyOnAHighColourDisplay) {
  Fixture<TFwListBox> f;
  f.list->SetGroupMode(true);
  f.list->SetGroupColor(clBlue);
  f.list->SetItemHeight(20);
  f.list->SetItems({"//Totals"});
  QImage image = f.Grab();
  // From the control's colour at the left to the group colour at the right.
  const int y = f.list->Framing().FrameMargin() + 18;
  EXPECT_NE(At(image, 20, y), At(image, 150, y));
  EXPECT_NE(At(image, 20, y), Rgb(clBlue));

  const bool high = HighColorDisplay();
  SetHighColorDisplay(false);
  f.list->Widget()->viewport()->update();
  image = f.Grab();
  SetHighColorDisplay(high);
  EXPECT_EQ(At(image, 20, y), Rgb(clBlue));
  EXPECT_EQ(At(image, 150, y), Rgb(clBlue));
}

// A clipped item's whole text shows in a hint over the item, in the list's font, its
// text where the item's stands (one pixel left, centred on the item, two pixels up).
TEST(FwCustomListBox, ClippedItemShowsItsWholeTextOverTheItem) {
  Fixture<TFwListBox> f;
  const QString longItem = "long\t" + QString(40, QLatin1Char('W'));
  f.list->SetItems({"short", longItem, "next"});
  f.list->Font().SetHeight(-13);
  f.list->SetItemHeight(18);
  QWidget* viewport = f.list->Widget()->viewport();
  QTest::mouseMove(viewport, QPoint(20, 9));
  EXPECT_EQ(f.list->ItemHintWindow(), nullptr);  // "short" fits
  QTest::mouseMove(viewport, QPoint(20, 18 + 9));
  QWidget* hint = f.list->ItemHintWindow();
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(hint->isVisible());
  EXPECT_EQ(hint->font(), f.list->Font().ToQFont());
  const QFontMetrics metrics(hint->font());
  const QString shown = QString(longItem).replace("\t", QString(8, QLatin1Char(' ')));
  EXPECT_EQ(hint->size(), QSize(metrics.horizontalAdvance(shown) + 6, metrics.height() + 2));
  const QPoint item = viewport->mapToGlobal(QPoint(0, 18));
  EXPECT_EQ(hint->pos(), item + QPoint(-1, (18 - metrics.height()) / 2 - 2));
  EXPECT_LE(hint->geometry().bottom(), item.y() + 18);  // the next item stays clear

  QTest::mouseMove(viewport, QPoint(20, 9));
  EXPECT_FALSE(hint->isVisible());
  f.list->SetShowItemHints(false);
  QTest::mouseMove(viewport, QPoint(20, 18 + 9));
  EXPECT_FALSE(hint->isVisible());
}

TEST(FwCustomListBox, HorizontalExtentFollowsTheWidestItem) {
  Fixture<TFwListBox> f;
  f.list->SetItems({"short"});
  EXPECT_EQ(f.list->HorzExtent(), 0);
  f.list->SetHorzScrollBar(true);
  TCanvas measure;
  measure.Font().Assign(f.list->Font());
  EXPECT_EQ(f.list->HorzExtent(), measure.TextWidth("shortx"));
  const QString longItem = QString(60, QLatin1Char('W'));
  f.list->AddItem(longItem);
  EXPECT_EQ(f.list->HorzExtent(), measure.TextWidth(longItem + "x"));
  f.Grab();
  EXPECT_TRUE(f.list->Widget()->horizontalScrollBar()->isVisible());
}

// Left edges of the inked runs along row y between x0 and x1 (runs split by 3+ blank pixels).
std::vector<int> RunStarts(const QImage& image, int y0, int y1, int x0, int x1, TColor back) {
  std::vector<int> starts;
  int blank = 100;
  for (int x = x0; x < x1; ++x) {
    bool ink = false;
    for (int y = y0; y < y1 && !ink; ++y) ink = At(image, x, y) != back;
    if (ink && blank >= 3) starts.push_back(x);
    blank = ink ? 0 : blank + 1;
  }
  return starts;
}

TEST(FwCustomTabbedListBox, ColumnsStartAtTheTabStops) {
  Fixture<TFwCustomTabbedListBox> f;
  f.list->SetFrameVisible(true);
  f.list->SetFramingPreference(TFramingPreference::fpCustomFraming);
  f.list->SetItemHeight(18);
  f.list->SetItems({"M\tM\tM"});
  const int ave = f.list->AveCharWidth();
  struct Case {
    const char* name;
    std::vector<int> stops;
    std::vector<int> expected;  // pixels from the text origin
  };
  const Case cases[] = {
      {"two stops", {40, 80}, {0, (40 * ave + 2) / 4, (80 * ave + 2) / 4}},
      {"one stop repeats", {30}, {0, (30 * ave + 2) / 4, 2 * ((30 * ave + 2) / 4)}},
      {"no stops: every 32 units", {}, {0, (32 * ave + 2) / 4, 2 * ((32 * ave + 2) / 4)}},
  };
  for (const Case& c : cases) {
    f.list->TabStops().Clear();
    for (int s : c.stops) f.list->TabStops().Add(s);
    const QImage image = f.Grab();
    const std::vector<int> starts = RunStarts(image, 2, 20, 3, 198, Rgb(clWindow));
    ASSERT_EQ(starts.size(), 3u) << c.name;
    const int origin = starts[0];
    EXPECT_NEAR(origin, 2 + 2, 2) << c.name;  // frame, then 2 pixels in
    for (size_t i = 1; i < 3; ++i) EXPECT_EQ(starts[i] - origin, c.expected[i]) << c.name << " column " << i;
  }
}

TEST(FwCustomTabbedListBox, AutomaticStopsFitTheWidestColumn) {
  Fixture<TFwCustomTabbedListBox> f;
  f.list->SetItems({"ab\tc\td", "abcdefgh\tcc\te", "//Group header text"});
  f.list->SetTabStopsMode(TFwTabStopsMode::tsmAutomatic);
  TCanvas measure;
  measure.Font().Assign(f.list->Font());
  const int ave = f.list->AveCharWidth();
  ASSERT_EQ(f.list->TabStops().Count(), 2);
  // The header has no tab: it takes part in the first column only.
  TCanvas group;
  group.Font().Assign(f.list->GroupFont());
  const int first = std::max(measure.TextWidth("abcdefgh"), group.TextWidth("Group header text")) / ave + 4;
  EXPECT_EQ(f.list->TabStops().Items(0), first);
  EXPECT_EQ(f.list->TabStops().Items(1), first + measure.TextWidth("cc") / ave + 4);
  // A change of the items computes them again.
  f.list->AddItem("x\ty\tz\tw");
  EXPECT_EQ(f.list->TabStops().Count(), 3);
}

} // namespace
