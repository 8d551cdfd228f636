#include "controls/common/FwCheckList.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListError.h"
#include "platform/ui/VirtualKeys.h"
#include "PixelTools.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace fw;
using S = TCheckBoxState;

struct CheckListFixture {
  fwtest::ScriptedHooks hooks;
  TForm form{nullptr};
  TFwCheckList* list = new TFwCheckList(&form);
  CheckListFixture() {
    form.SetBounds(0, 0, 300, 200);
    list->SetParent(&form);
    list->SetBounds(10, 10, 200, 150);
    for (const char* text : {"表一", "//基层", "表二", "表三"}) list->AddItem(QString::fromUtf8(text));
    form.Show();
    form.activateWindow();
    list->SetFocus();
    QApplication::processEvents();
  }
  QPoint ItemPoint(int index, int x) const {
    const QRect r = list->Widget()->visualRect(list->Widget()->model()->index(index, 0));
    return {x, r.center().y()};
  }
  void Click(int index, int x) {
    QTest::mouseClick(list->Widget()->viewport(), Qt::LeftButton, {}, ItemPoint(index, x));
  }
  void Space() { QTest::keyClick(list->Widget(), Qt::Key_Space); }
};

TEST(FwCheckList, ClickOnGlyphTogglesClickOnTextOnlySelects) {
  CheckListFixture f;
  // The first click on the glyph of an item that is not current only selects it; the
  // second toggles it.
  ASSERT_NE(f.list->ItemIndex(), 3);
  f.Click(3, 5);
  EXPECT_EQ(f.list->ItemIndex(), 3);
  EXPECT_EQ(f.list->ItemState(3), S::cbUnchecked);
  f.Click(3, 5);
  EXPECT_EQ(f.list->ItemState(3), S::cbChecked);
  f.Click(2, 80);
  EXPECT_EQ(f.list->ItemIndex(), 2);
  EXPECT_EQ(f.list->ItemState(2), S::cbUnchecked);
  f.list->SetToggleOnItemClick(true);
  f.Click(2, 80);
  EXPECT_EQ(f.list->ItemState(2), S::cbChecked);
}

TEST(FwCheckList, SpaceRunsTheStateCycle) {
  struct Case {
    bool allowGrayed;
    std::vector<S> states;
  };
  for (const Case& c : {Case{false, {S::cbChecked, S::cbUnchecked, S::cbChecked}},
                        Case{true, {S::cbGrayed, S::cbChecked, S::cbUnchecked}}}) {
    CheckListFixture f;
    f.list->SetAllowGrayed(c.allowGrayed);
    f.list->SetItemIndex(0);
    for (S expected : c.states) {
      f.Space();
      EXPECT_EQ(f.list->ItemState(0), expected) << c.allowGrayed;
    }
  }
}

TEST(FwCheckList, DisabledItemsAndGroupHeadersNeverToggle) {
  CheckListFixture f;
  f.list->SetItemEnabled(2, false);
  for (int index : {1, 2}) {
    f.list->SetItemIndex(index);
    f.Space();
    f.Click(index, 5);
    EXPECT_EQ(f.list->ItemState(index), S::cbUnchecked) << index;
  }
  f.list->CheckAll();
  EXPECT_TRUE(f.list->ItemChecked(1));
  EXPECT_EQ(f.list->CheckedCount(), 3);
  f.list->UncheckAll();
  EXPECT_EQ(f.list->CheckedCount(), 0);
}

TEST(FwCheckList, RefusedChangeKeepsTheStateAndRaisesNoChange) {
  CheckListFixture f;
  std::vector<std::pair<int, S>> asked, changed;
  bool allow = false;
  f.list->OnChanging = [&](TObject*, int i, S s, bool& a) {
    asked.emplace_back(i, s);
    a = allow;
  };
  f.list->OnChange = [&](TObject*, int i, S s) { changed.emplace_back(i, s); };
  f.list->SetItemIndex(3);
  f.Space();
  EXPECT_EQ(f.list->ItemState(3), S::cbUnchecked);
  EXPECT_TRUE(changed.empty());
  allow = true;
  f.Space();
  EXPECT_EQ(f.list->ItemState(3), S::cbChecked);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0], std::make_pair(3, S::cbChecked));
  EXPECT_EQ(asked.size(), 2u);
  // A change in code asks nobody.
  f.list->SetItemState(3, S::cbGrayed);
  EXPECT_EQ(asked.size(), 2u);
}

TEST(FwCheckList, DisablingTheControlCarriesOverToItems) {
  CheckListFixture f;
  f.list->SetItemEnabled(0, false);
  f.list->SetEnabled(false);
  EXPECT_FALSE(f.list->ItemEnabled(3));
  f.list->SetEnabled(true);
  for (int i = 0; i < f.list->Count(); ++i) EXPECT_TRUE(f.list->ItemEnabled(i)) << i;
}

TEST(FwCheckList, FileLinesInGbkRoundTrip) {
  CheckListFixture f;
  f.list->SetItemChecked(0, true);
  f.list->SetItemEnabled(2, false);
  f.list->SetItemState(3, S::cbGrayed);
  const QByteArray bytes = f.list->SaveToBytes();
  const QByteArray first = QByteArray("&1 1 ") + QByteArray("\xB1\xED\xD2\xBB") + " \r\n";
  EXPECT_TRUE(bytes.startsWith(first)) << bytes.toHex().toStdString();

  QTemporaryDir dir;
  const QString path = dir.filePath("sumtable.qz");
  ASSERT_TRUE(f.list->SaveToFile(path));
  CheckListFixture g;
  // Twice: the space the writer adds is not kept, so names do not grow per cycle.
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(g.list->LoadFromFile(path));
    ASSERT_TRUE(g.list->SaveToFile(path));
  }
  ASSERT_EQ(g.list->Count(), 4);
  EXPECT_EQ(g.list->Item(0), QString::fromUtf8("表一"));
  EXPECT_EQ(g.list->Item(1), QString::fromUtf8("//基层"));
  const std::vector<S> states = {S::cbChecked, S::cbUnchecked, S::cbUnchecked, S::cbGrayed};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(g.list->ItemState(i), states[i]) << i;
    EXPECT_EQ(g.list->ItemEnabled(i), i != 2) << i;
  }
}

// An item as read back: text, state and enabled flag.
struct LoadedItem {
  QString text;
  int state;
  bool enabled;
  bool operator==(const LoadedItem&) const = default;
};
void PrintTo(const LoadedItem& item, std::ostream* os) {
  *os << '"' << item.text.toStdString() << "\" " << item.state << (item.enabled ? " enabled" : " disabled");
}

// The file is read line by line: a hand-edited line is an item like the others and
// costs no other line; only a file that cannot be read leaves the list as it was.
TEST(FwCheckList, OddLinesAreItemsAndOnlyAMissingFileChangesNothing) {
  using Item = LoadedItem;
  struct Case {
    const char* name;
    QByteArray bytes;
    std::vector<Item> items;
  };
  const QString bad = QString(QChar(0xFFFD));
  const Case cases[] = {
      {"no state digit: as it stands", "&1 1 a \r\n&1 x b \r\n", {{"a", 1, true}, {"&1 x b ", 0, true}}},
      {"state out of range: as read", "&0 7 a \r\n", {{"a", 7, false}}},
      {"short lines", "&1 1\r\n&0\r\n&0 2x", {{"", 1, true}, {"&0", 0, true}, {"", 2, false}}},
      {"no spaces needed", "&1#1#ab \n", {{"ab", 1, true}}},
      {"bytes not gbk spoil their line only", "&1 1 \x81\r&1 1 b \r", {{bad, 1, true}, {"b", 1, true}}},
      {"plain line and empty line", "plain\n\n&0 2 x \n", {{"plain", 0, true}, {"", 0, true}, {"x", 2, false}}},
      {"empty file", "", {}},
  };
  for (const Case& c : cases) {
    CheckListFixture f;
    f.list->LoadFromBytes(c.bytes);
    std::vector<Item> items;
    for (int i = 0; i < f.list->Count(); ++i)
      items.push_back({f.list->Item(i), int(f.list->ItemState(i)), f.list->ItemEnabled(i)});
    EXPECT_EQ(items, c.items) << c.name;
  }
  // A state read from the file is written back as it was read.
  CheckListFixture f;
  f.list->LoadFromBytes("&0 7 a \r\n");
  EXPECT_EQ(f.list->SaveToBytes(), QByteArray("&0 7 a \r\n"));

  CheckListFixture g;
  g.list->SetItemChecked(0, true);
  EXPECT_FALSE(g.list->LoadFromFile("/nonexistent/sumtable.qz"));
  EXPECT_EQ(g.list->Count(), 4);
  EXPECT_TRUE(g.list->ItemChecked(0));
}

TEST(FwCheckList, GlyphIsPaintedLeftOfTheTextAndMarkFollowsTheState) {
  CheckListFixture f;
  f.list->SetColor(clWhite);
  f.list->SetHighlightColor(clRed);
  f.list->SetItemFrameColor(clBlue);
  const QRect item = f.list->Widget()->visualRect(f.list->Widget()->model()->index(0, 0));
  const auto grabGlyph = [&] {
    QApplication::processEvents();
    const QImage image = f.list->Widget()->viewport()->grab().toImage();
    return image.copy(item.left(), item.top(), 13 + 8, item.height());
  };
  const QImage before = grabGlyph();
  const QRect frame = fwtest::Inked(before, clWhite);
  EXPECT_EQ(frame.width(), 13);
  EXPECT_EQ(frame.height(), 13);
  EXPECT_EQ(frame.left(), 4);
  EXPECT_EQ(fwtest::Count(before, clRed), 0);
  f.list->SetItemChecked(0, true);
  EXPECT_GT(fwtest::Count(grabGlyph(), clRed), 5);
  EXPECT_GE(f.list->ItemHeight(), 17);
}

TEST(FwCheckList, CustomGlyphCellsByStateAndEnabledFlag) {
  CheckListFixture f;
  f.list->SetColor(clWhite);
  // Six 16 x 16 cells, each of its own colour, an olive corner left out.
  const TColor cells[6] = {clRed, clLime, clBlue, clMaroon, clGreen, clNavy};
  TBitmap strip(96, 16);
  for (int c = 0; c < 6; ++c) {
    strip.Canvas().Brush().SetColor(cells[c]);
    strip.Canvas().FillRect(Bounds(c * 16, 0, 16, 16));
    strip.Canvas().Brush().SetColor(0x00008080);
    strip.Canvas().FillRect(Bounds(c * 16, 0, 4, 4));
  }
  f.list->SetCustomGlyphs(strip);
  EXPECT_TRUE(f.list->UseCustomGlyphs());
  EXPECT_EQ(f.list->GlyphSizeX(), 16);
  EXPECT_EQ(f.list->GlyphSizeY(), 16);
  EXPECT_GE(f.list->ItemHeight(), 20);  // glyph height + 4

  f.list->SetItemState(0, S::cbChecked);
  f.list->SetItemState(2, S::cbGrayed);
  f.list->SetItemEnabled(2, false);
  EXPECT_EQ(f.list->GlyphLook(0).CustomCell, 1);
  EXPECT_EQ(f.list->GlyphLook(2).CustomCell, 5);
  EXPECT_EQ(f.list->GlyphLook(3).CustomCell, 0);
  // A state read from a file outside 0..2 looks unchecked, as the painted glyph does.
  f.list->SetItemState(3, TCheckBoxState(7));
  EXPECT_EQ(f.list->GlyphLook(3).CustomCell, 0);
  f.list->SetItemState(3, S::cbUnchecked);

  QApplication::processEvents();
  const QImage image = f.list->Widget()->viewport()->grab().toImage();
  const QRect item = f.list->Widget()->visualRect(f.list->Widget()->model()->index(0, 0));
  const QImage glyph = image.copy(item.left(), item.top(), 16 + 8, item.height());
  EXPECT_EQ(fwtest::Count(glyph, clLime), 16 * 16 - 16);  // the olive corner is left out
  EXPECT_EQ(fwtest::Count(glyph, 0x00008080), 0);
  EXPECT_EQ(fwtest::Inked(glyph, clWhite).left(), 4);

  // Off again: the painted 13 x 13 glyph.
  f.list->SetUseCustomGlyphs(false);
  EXPECT_EQ(f.list->GlyphSizeX(), 13);
  EXPECT_EQ(f.list->GlyphLook(0).CustomCell, -1);
  EXPECT_EQ(f.list->GlyphLook(0).Face.State, S::cbChecked);

  // On with an empty strip: glyphs of no size, and nothing painted in their place.
  f.list->SetCustomGlyphs(TBitmap());
  f.list->SetUseCustomGlyphs(true);
  EXPECT_EQ(f.list->GlyphSizeX(), 0);
  EXPECT_EQ(f.list->GlyphSizeY(), 0);
  QApplication::processEvents();
  const QImage bare = f.list->Widget()->viewport()->grab().toImage();
  const QRect first = f.list->Widget()->visualRect(f.list->Widget()->model()->index(0, 0));
  EXPECT_EQ(fwtest::Inked(bare.copy(first.left(), first.top(), 8, first.height()), clWhite), QRect());
}

TEST(FwCheckList, AnIndexOutsideTheItemsIsAListError) {
  CheckListFixture f;
  try {
    f.list->SetItemChecked(4, true);
    FAIL() << "no error";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("List index out of bounds (4)"));
  }
  EXPECT_THROW(f.list->ItemEnabled(-1), EListError);
  EXPECT_EQ(f.list->CheckedCount(), 0);
}

// The items as a string list: every operation keeps each string's state, enabled flag
// and object with it.
TEST(FwCheckList, StringsCarryTheirStatesThroughEveryOperation) {
  struct Case {
    const char* name;
    std::function<void(TFwCheckListStrings&)> op;
    const char* expected;  // text, state digit, E(nabled) or D(isabled), * with the object
  };
  const Case cases[] = {
      {"put keeps the packet", [](TFwCheckListStrings& s) { s.Put(1, "B"); }, "a1E* B2D c0E"},
      {"insert", [](TFwCheckListStrings& s) { s.Insert(1, "x"); }, "a1E* x0E b2D c0E"},
      {"insert at the end", [](TFwCheckListStrings& s) { s.Insert(3, "x"); }, "a1E* b2D c0E x0E"},
      {"add", [](TFwCheckListStrings& s) { EXPECT_EQ(s.Add("x"), 3); }, "a1E* b2D c0E x0E"},
      {"exchange", [](TFwCheckListStrings& s) { s.Exchange(0, 2); }, "c0E b2D a1E*"},
      {"move down", [](TFwCheckListStrings& s) { s.Move(0, 2); }, "b2D c0E a1E*"},
      {"move up", [](TFwCheckListStrings& s) { s.Move(2, 0); }, "c0E a1E* b2D"},
      {"delete", [](TFwCheckListStrings& s) { s.Delete(1); }, "a1E* c0E"},
      {"clear", [](TFwCheckListStrings& s) { s.Clear(); }, ""},
  };
  for (const Case& c : cases) {
    CheckListFixture f;
    TComponent object(nullptr);
    f.list->SetItems(std::vector<TFwCheckListItem>{{"a", S::cbChecked, true}, {"b", S::cbGrayed, false}, {"c"}});
    TFwCheckListStrings& strings = f.list->Strings();
    strings.SetObjects(0, &object);
    f.list->SetItemIndex(1);
    c.op(strings);
    QStringList items;
    for (int i = 0; i < strings.Count(); ++i)
      items << strings.Get(i) + QString::number(int(f.list->ItemState(i))) + (f.list->ItemEnabled(i) ? "E" : "D") +
                   (strings.Objects(i) == &object ? "*" : "");
    EXPECT_EQ(items.join(' '), QString::fromUtf8(c.expected)) << c.name;
  }

  CheckListFixture f;
  TFwCheckListStrings& strings = f.list->Strings();
  f.list->SetItemIndex(2);
  strings.Put(2, "表二乙");
  EXPECT_EQ(f.list->ItemIndex(), 2);
  for (const auto& read : std::vector<std::function<void()>>{[&] { strings.Get(4); }, [&] { strings.Put(-1, "x"); },
                                                             [&] { strings.Exchange(0, 4); }, [&] { strings.Move(4, 0); },
                                                             [&] { strings.Objects(4); }}) {
    try {
      read();
      ADD_FAILURE() << "no error";
    } catch (const EListError& e) {
      EXPECT_TRUE(e.Message().startsWith("List index out of bounds ("));
    }
  }
  EXPECT_THROW(strings.Insert(6, "x"), EOutOfResources);
  EXPECT_EQ(f.list->Count(), 4);
  strings.BeginUpdate();
  strings.BeginUpdate();
  strings.EndUpdate();
  EXPECT_FALSE(f.list->Widget()->updatesEnabled());
  strings.EndUpdate();
  EXPECT_TRUE(f.list->Widget()->updatesEnabled());
}

TEST(FwCheckList, AssignedLinesAreReadAsFileLines) {
  CheckListFixture f;
  f.list->SetItems(QStringList{QStringLiteral("&1 1 表一 "), QStringLiteral("&0 2 表二"), QStringLiteral("//基层"),
                               QStringLiteral("&x 表三")});
  ASSERT_EQ(f.list->Count(), 4);
  EXPECT_EQ(f.list->Item(0), QStringLiteral("表一"));
  EXPECT_TRUE(f.list->ItemChecked(0));
  EXPECT_TRUE(f.list->ItemEnabled(0));
  EXPECT_EQ(f.list->ItemState(1), S::cbGrayed);
  EXPECT_FALSE(f.list->ItemEnabled(1));
  EXPECT_EQ(f.list->Item(2), QStringLiteral("//基层"));
  EXPECT_EQ(f.list->Item(3), QStringLiteral("&x 表三"));  // not a file line: as it stands
  EXPECT_EQ(f.list->ItemState(3), S::cbUnchecked);

  // Items of another list keep their states and flags.
  TFwCheckList copy(&f.form);
  copy.AddItem(QStringLiteral("旧"));
  copy.SetItems(f.list->CheckItems());
  ASSERT_EQ(copy.Count(), 4);
  EXPECT_EQ(copy.ItemState(1), S::cbGrayed);
  EXPECT_FALSE(copy.ItemEnabled(1));
  copy.AddStrings(QStringList{QStringLiteral("&1 1 表四 ")});
  EXPECT_EQ(copy.Count(), 5);
  EXPECT_TRUE(copy.ItemChecked(4));
}

} // namespace
