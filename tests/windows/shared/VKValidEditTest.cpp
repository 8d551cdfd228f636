// The validated edit: forbidden or unlisted characters are refused from typed keys (without
// a sound), paste and input-method commits (dropped whole, with one beep); Backspace
// always works.
#include "windows/shared/VKValidEdit.h"
#include "platform/ui/Form.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace fw;

struct Fixture {
  fwtest::ScriptedHooks hooks;
  TForm form{nullptr};
  TVKValidEdit* edit = new TVKValidEdit(&form);
  Fixture() { edit->SetParent(&form); }
  void Paste(const QString& text) {
    QApplication::clipboard()->setText(text);
    edit->Widget()->setCursorPosition(edit->Text().size());
    QTest::keyClick(edit->Widget(), Qt::Key_V, Qt::ControlModifier);
  }
  void Commit(const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(edit->Widget(), &event);
  }
};

TEST(VKValidEdit, ForbidsByDefaultWithAnEmptyListAdmittingEverything) {
  Fixture f;
  EXPECT_EQ(f.edit->CheckType(), TCheckType::tcForbid);
  QTest::keyClicks(f.edit->Widget(), "a'\"`");
  EXPECT_EQ(f.edit->Text(), "a'\"`");
  EXPECT_EQ(f.hooks.Beeps, 0);
}

TEST(VKValidEdit, QuotesRefusedFromKeysPasteAndInputMethod) {
  Fixture f;
  f.edit->SetForbidChars(kQuoteChars);
  struct Case { const char* how; QString text; QString expected; int beeps; };
  const Case cases[] = {
      {"keys", "O'Bri`en\"", "OBrien", 0},
      {"paste", "工会", "OBrien工会", 0},
      {"paste", "红'星", "OBrien工会", 1}, // refused whole
      {"paste", "\"", "OBrien工会", 1},
      {"commit", "中`", "OBrien工会", 1},
      {"commit", "中华", "OBrien工会中华", 0},
  };
  for (const Case& c : cases) {
    const int before = f.hooks.Beeps;
    const QString how = QString::fromLatin1(c.how);
    if (how == "keys") QTest::keyClicks(f.edit->Widget(), c.text);
    else if (how == "paste") f.Paste(c.text);
    else f.Commit(c.text);
    EXPECT_EQ(f.edit->Text(), c.expected) << c.how << " " << c.text.toStdString();
    EXPECT_EQ(f.hooks.Beeps - before, c.beeps) << c.how << " " << c.text.toStdString();
  }
}

TEST(VKValidEdit, ValidListAdmitsOnlyItsCharactersAndBackspace) {
  Fixture f;
  f.edit->SetCheckType(TCheckType::tcValidate);
  QTest::keyClicks(f.edit->Widget(), "12");
  EXPECT_EQ(f.edit->Text(), ""); // an empty list admits nothing
  f.edit->SetValidChars("0123456789");
  QTest::keyClicks(f.edit->Widget(), "4-2a");
  EXPECT_EQ(f.edit->Text(), "42");
  QTest::keyClick(f.edit->Widget(), Qt::Key_Backspace);
  EXPECT_EQ(f.edit->Text(), "4");
  f.Paste("-5");
  EXPECT_EQ(f.edit->Text(), "4");
  f.Paste("56");
  EXPECT_EQ(f.edit->Text(), "456");
  EXPECT_EQ(f.hooks.Beeps, 1);  // the refused paste
}

// Enter passes with TabOnEnter; without it, it is a character like any other: refused
// when not listed as valid, passed when not forbidden.
TEST(VKValidEdit, EnterPassesWithTabOnEnterOrByTheLists) {
  Fixture f;
  f.edit->SetCheckType(TCheckType::tcValidate);
  f.edit->SetValidChars("0123456789");
  EXPECT_FALSE(f.edit->Admits(QLatin1Char('\r')));
  f.edit->SetTabOnEnter(true);
  EXPECT_TRUE(f.edit->Admits(QLatin1Char('\r')));
  EXPECT_TRUE(f.edit->Admits(QChar(8)));
  f.edit->SetTabOnEnter(false);
  f.edit->SetCheckType(TCheckType::tcForbid);
  f.edit->SetForbidChars(kQuoteChars);
  EXPECT_TRUE(f.edit->Admits(QLatin1Char('\r')));
}

} // namespace
