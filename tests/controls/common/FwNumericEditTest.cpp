#include "controls/common/FwFormatFloat.h"
#include "controls/common/FwNumericEdit.h"
#include "platform/ui/Form.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace fw;

// A shown form with two numeric edits, so the focus can move from one to the other.
struct Fixture {
  TForm form{nullptr};
  TFwNumericEdit* edit = new TFwNumericEdit(&form);
  TFwNumericEdit* other = new TFwNumericEdit(&form);
  Fixture() {
    edit->SetParent(&form);
    other->SetParent(&form);
    other->SetTop(40);
    form.Show();
    form.activateWindow();
    QApplication::processEvents();
  }
  void Focus(TFwNumericEdit* e) {
    e->SetFocus();
    QApplication::processEvents();
  }
  // Types into the edit as it stands: caret at `caret`, `selection` characters selected.
  void Type(const QString& start, int caret, int selection, const QString& keys) {
    edit->SetText(start);
    edit->Widget()->setSelection(caret, selection);
    if (selection == 0) edit->Widget()->setCursorPosition(caret);
    QTest::keyClicks(edit->Widget(), keys);
  }
};

TEST(FwFormatFloat, FormatsAsTheFormsUseThem) {
  struct Case {
    const char* format;
    double value;
    const char* shown;
  };
  const Case cases[] = {
      {",0;(,0)", 1234567, "1,234,567"}, {",0;(,0)", -5, "(5)"},   {",0;(,0)", 0, "0"},
      {",#", 0, ""},                     {",#", 1234, "1,234"},    {"#", 0, ""},
      {"#", 99999999999999.0, "99999999999999"},
      {"000000", 42, "000042"},          {"0;(0)", -12, "(12)"},   {"#;(#)", 0, ""},
      {"#", -7, "-7"},                   {"0.00", 2.5, "2.50"},    {"0.##", 2.5, "2.5"},
      {"0", 2.5, "3"},                   {"#", -0.2, ""},          {",0", 999, "999"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatFloat(c.format, c.value), QString::fromUtf8(c.shown)) << c.format << " " << c.value;
}

TEST(FwNumericEdit, CreatedRightAlignedShowingZero) {
  TFwNumericEdit edit(nullptr);
  EXPECT_EQ(edit.Width(), 65);
  EXPECT_EQ(edit.Height(), 21);
  EXPECT_EQ(edit.Alignment(), TLeftRight::taRightJustify);
  EXPECT_EQ(edit.Text(), "0");
}

TEST(FwNumericEdit, KeyFilterTable) {
  fwtest::ScriptedHooks hooks;
  Fixture f;
  struct Case {
    const char* start;
    int caret;
    int selection;
    const char* keys;
    bool integersOnly;
    const char* result;
    int beeps;
  };
  const Case cases[] = {
      {"", 0, 0, "12a3", true, "123", 1},
      {"12", 2, 0, "-", true, "12", 1},         // sign away from the front
      {"-5", 0, 0, "-", true, "-5", 1},         // already signed
      {"-5", 0, 2, "-", true, "-", 0},          // all selected: replaced
      {"-5", 0, 1, "+", true, "+5", 0},         // the selected sign is replaced
      {"-5", 0, 0, "7", true, "-5", 1},         // nothing in front of the sign
      {"12", 0, 0, "-", true, "-12", 0},
      {"1", 1, 0, ".", true, "1", 1},           // integers only
      {"1", 1, 0, ".5.", false, "1.5", 1},      // one decimal point
      {"1.5", 0, 3, ".", false, ".", 0},        // the selection holds the point
      {"12", 2, 0, "\r", true, "12", 1},        // Enter beeps without TabOnEnter
  };
  for (const Case& c : cases) {
    f.edit->SetIntegersOnly(c.integersOnly);
    const int before = hooks.Beeps;
    f.Type(QString::fromUtf8(c.start), c.caret, c.selection, QString::fromUtf8(c.keys));
    EXPECT_EQ(f.edit->Text(), QString::fromUtf8(c.result)) << c.start << " + " << c.keys;
    EXPECT_EQ(hooks.Beeps - before, c.beeps) << c.start << " + " << c.keys;
  }
}

TEST(FwNumericEdit, BackspaceInFrontOfTheSignBeepsDeleteTakesTheSign) {
  fwtest::ScriptedHooks hooks;
  Fixture f;
  f.Type("-5", 0, 0, "");
  QTest::keyClick(f.edit->Widget(), Qt::Key_Backspace);
  EXPECT_EQ(hooks.Beeps, 1);
  f.Type("-5", 2, 0, "");
  QTest::keyClick(f.edit->Widget(), Qt::Key_Backspace);
  EXPECT_EQ(f.edit->Text(), "-");
  f.Type("-5", 0, 0, "");
  QTest::keyClick(f.edit->Widget(), Qt::Key_Delete);
  EXPECT_EQ(f.edit->Text(), "5");
  EXPECT_EQ(hooks.Beeps, 1);
}

// Pasted, dropped and input-method text keeps what is part of a number; the box then
// holds the plain number of its text with the arrival. Text without a digit beeps.
TEST(FwNumericEdit, ArrivingTextKeepsItsNumber) {
  fwtest::ScriptedHooks hooks;
  Fixture f;
  enum Route { Paste, Drop, InputMethod };
  struct Case {
    Route route;
    const char* start;
    int caret;
    int selection;
    const char* arriving;
    const char* result;
    int beeps;
  };
  const Case cases[] = {
      {Paste, "", 0, 0, "1,234", "1234", 0},        // a value copied from a ",#" cell
      {Paste, "1,234", 5, 0, "5", "12345", 0},      // into a box that shows separators
      {Paste, "1,234", 0, 5, "abc", "1,234", 1},    // no number: unchanged
      {Paste, "", 0, 0, "(1,234)", "-1234", 0},
      {Paste, "12", 2, 0, "3a", "123", 0},
      {Paste, "12", 2, 0, "-3", "-123", 0},         // a "-" anywhere makes it negative
      {Paste, "-5", 0, 0, "3", "-5", 1},            // nothing goes in front of the sign
      {Paste, "-5", 1, 0, "3", "-35", 0},
      {Paste, "-5", 0, 1, "3", "35", 0},
      {Paste, "12", 2, 0, "1.5", "121.5", 0},       // the point of a number is kept
      {Paste, "1.5", 3, 0, "2.5", "1.5", 1},        // two points are no number
      {Paste, "7", 1, 0, "-", "7", 1},
      {Drop, "1,234", 1, 0, "9", "19234", 0},       // lands at the drop point
      {Drop, "12", 2, 0, "x", "12", 1},
      {InputMethod, "1,234", 5, 0, "5", "12345", 0},
      {InputMethod, "1", 1, 0, "二", "1", 1},
      {InputMethod, "-5", 0, 0, "3", "-5", 1},
  };
  for (const Case& c : cases) {
    const QString arriving = QString::fromUtf8(c.arriving);
    const int before = hooks.Beeps;
    f.Type(QString::fromUtf8(c.start), c.caret, c.selection, QString());
    if (c.route == Paste) {
      QApplication::clipboard()->setText(arriving);
      QTest::keyClick(f.edit->Widget(), Qt::Key_V, Qt::ControlModifier);
    } else if (c.route == Drop) {
      QMimeData data;
      data.setText(arriving);
      // Dropped at the place of caret position `caret`, with the caret elsewhere.
      QLineEdit* line = f.edit->Widget();
      int x = 0;
      while (x < line->width() && line->cursorPositionAt(QPoint(x, 0)) != c.caret) ++x;
      const QPoint at(x, line->height() / 2);
      // The application hands a drop to the widget that a drag entered.
      QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(line, &enter);
      line->setCursorPosition(0);
      QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(f.edit->Widget(), &drop);
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(arriving);
      QCoreApplication::sendEvent(f.edit->Widget(), &commit);
    }
    EXPECT_EQ(f.edit->Text(), QString::fromUtf8(c.result)) << c.start << " + " << c.arriving;
    EXPECT_EQ(hooks.Beeps - before, c.beeps) << c.start << " + " << c.arriving;
  }
}

TEST(FwNumericEdit, TextToValueSkipsWhatIsNoNumber) {
  TFwNumericEdit edit(nullptr);
  edit.SetIntegersOnly(false);
  const std::pair<const char*, double> cases[] = {
      {"(1,234)", -1234}, {"12-3", -123}, {"abc", 0}, {"", 0}, {"1.5", 1.5}, {"1.2.3", 0}, {"+7", 7},
  };
  for (const auto& [text, value] : cases) {
    edit.SetText(QString::fromUtf8(text));
    EXPECT_DOUBLE_EQ(edit.TextToValue(), value) << text;
  }
}

TEST(FwNumericEdit, IntValueRoundsHalvesToEvenAndReachesFourteenDigits) {
  TFwNumericEdit edit(nullptr);
  edit.SetIntegersOnly(false);
  edit.SetDisplayFormat("0.0");
  const std::pair<double, qint64> cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.4, 2}, {2.6, 3}};
  for (const auto& [value, rounded] : cases) {
    edit.SetValue(value);
    EXPECT_EQ(edit.IntValue(), rounded) << value;
  }
  edit.SetDisplayFormat("#");
  edit.SetIntValue(99999999999999);
  EXPECT_EQ(edit.Text(), "99999999999999");
  EXPECT_EQ(edit.IntValue(), 99999999999999);
}

TEST(FwNumericEdit, BlankValueAndMinForAnEmptyText) {
  TFwNumericEdit edit(nullptr);
  edit.SetDisplayFormat(",#");
  edit.SetAllowBlank(true);
  edit.SetValue(0);
  EXPECT_EQ(edit.Text(), "");
  EXPECT_EQ(edit.IntValue(), 0);
  edit.SetBlankValue(10);
  EXPECT_EQ(edit.IntValue(), 10);
  edit.SetAllowBlank(false);
  edit.SetDisplayFormat("0");
  edit.SetMax(50);
  edit.SetMin(5);
  edit.SetText("");
  EXPECT_EQ(edit.IntValue(), 5);
  EXPECT_EQ(edit.Text(), "5");
}

TEST(FwNumericEdit, MinAndMaxPushEachOther) {
  TFwNumericEdit edit(nullptr);
  edit.SetMax(5);
  edit.SetMin(10);
  EXPECT_EQ(edit.Max(), 10);
  edit.SetMax(1);
  EXPECT_EQ(edit.Min(), 1);
}

TEST(FwNumericEdit, SettingValueDoesNotClampLeavingDoes) {
  Fixture f;
  f.edit->SetDisplayFormat(",#");
  f.edit->SetAllowBlank(true);
  f.edit->SetCheckRange(true);
  f.edit->SetMax(2);
  f.edit->SetValue(7);
  EXPECT_EQ(f.edit->Text(), "7");
  struct Case {
    const char* typed;
    const char* shown;
  };
  const Case cases[] = {{"3", "2"}, {"-1", ""}, {"1", "1"}, {"", ""}};
  for (const Case& c : cases) {
    f.Focus(f.edit);
    f.edit->SetText(QString::fromUtf8(c.typed));
    f.Focus(f.other);
    EXPECT_EQ(f.edit->Text(), QString::fromUtf8(c.shown)) << c.typed;
  }
}

TEST(FwNumericEdit, RangeErrorHandlerMayRefuseTheCorrection) {
  Fixture f;
  f.edit->SetMax(100);
  double entered = 0, adjusted = 0;
  int exits = 0;
  f.edit->OnExit = [&](TObject*) { ++exits; };
  f.edit->OnRangeError = [&](TObject*, double e, double a, bool& autoCorrect) {
    entered = e;
    adjusted = a;
    autoCorrect = false;
  };
  f.Focus(f.edit);
  f.edit->SetText("250");
  f.Focus(f.other);
  QApplication::processEvents();
  EXPECT_EQ(entered, 250);
  EXPECT_EQ(adjusted, 100);
  EXPECT_EQ(f.edit->Text(), "250");
  EXPECT_EQ(exits, 0);
  EXPECT_TRUE(f.edit->Focused());
}

TEST(FwNumericEdit, ChangeEventQuietWhileLoading) {
  TForm form(nullptr);
  form.BeginLoad();
  auto* edit = new TFwNumericEdit(&form);
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  edit->SetText("1234");
  form.EndLoad();
  EXPECT_EQ(edit->Text(), "1,234");
  EXPECT_EQ(changes, 0);
  edit->SetValue(5);
  EXPECT_EQ(changes, 1);
}

} // namespace
