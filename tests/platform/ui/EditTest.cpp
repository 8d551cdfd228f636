#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/Memo.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace fw;

// Digits only; a lower-case x becomes an upper-case X (as a code edit would).
void DigitFilter(TObject*, QChar& key) {
  if (key == QLatin1Char('x')) {
    key = QLatin1Char('X');
    return;
  }
  if (!key.isDigit() && key != QChar(8)) key = QChar();
}

struct Fixture {
  TForm form{nullptr};
  TEdit* edit = new TEdit(&form);
  Fixture() {
    edit->SetParent(&form);
    edit->OnKeyPress = DigitFilter;
  }
};

TEST(Edit, KeyFilterRefusesAndChangesTypedCharacters) {
  Fixture f;
  QTest::keyClicks(f.edit->Widget(), "1a2x");
  EXPECT_EQ(f.edit->Text(), "12X");
}

// Tab moves the focus, as it does in a dialog: it is no typed character that a key
// filter could refuse (a digits-only edit would otherwise keep the focus for ever).
TEST(Edit, TabLeavesAFilteredEditForTheNextOne) {
  Fixture f;
  auto* next = new TEdit(&f.form);
  next->SetParent(&f.form);
  next->SetTop(30);
  std::vector<QChar> pressed;
  f.edit->OnKeyPress = [&](TObject* sender, QChar& key) {
    pressed.push_back(key);
    DigitFilter(sender, key);
  };
  f.form.Show();
  QApplication::setActiveWindow(&f.form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f.form));
  f.edit->SetFocus();
  QTest::keyClick(f.edit->Widget(), Qt::Key_Tab);
  EXPECT_TRUE(next->Focused());
  EXPECT_TRUE(pressed.empty());
  QTest::keyClick(next->Widget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(f.edit->Focused());
}

TEST(Edit, PasteWithARefusedCharacterIsDroppedWithABeep) {
  fwtest::ScriptedHooks hooks;
  Fixture f;
  struct Case {
    QString Clipboard;
    QString Expected;
    int Beeps;
  };
  const std::vector<Case> cases = {
      {"123", "123", 0},
      {"12a", "123", 1},       // refused whole
      {"4x\n999", "1234X", 1}, // first line only, x changed
  };
  for (const Case& c : cases) {
    QApplication::clipboard()->setText(c.Clipboard);
    f.edit->Widget()->setCursorPosition(f.edit->Text().size());
    QTest::keyClick(f.edit->Widget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.edit->Text(), c.Expected) << c.Clipboard.toStdString();
  }
  EXPECT_EQ(hooks.Beeps, 1);
}

// Opens the edit's context menu and triggers the item with this caption.
void ChooseFromContextMenu(TEdit* edit, const QString& caption) {
  QTimer::singleShot(0, [caption] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* menu = qobject_cast<QMenu*>(w);
      if (!menu || !menu->isVisible()) continue;
      for (QAction* action : menu->actions())
        if (action->text() == caption && action->isEnabled()) action->trigger();
      menu->close();
    }
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), edit->Widget()->mapToGlobal(QPoint(2, 2)));
  QCoreApplication::sendEvent(edit->Widget(), &event);
}

TEST(Edit, ContextMenuPastePassesTheFilter) {
  fwtest::ScriptedHooks hooks;
  Fixture f;
  f.form.Show();
  QApplication::clipboard()->setText("12a");
  ChooseFromContextMenu(f.edit, QLineEdit::tr("&Paste"));
  EXPECT_EQ(f.edit->Text(), "");
  EXPECT_EQ(hooks.Beeps, 1);
  QApplication::clipboard()->setText("4x");
  ChooseFromContextMenu(f.edit, QLineEdit::tr("&Paste"));
  EXPECT_EQ(f.edit->Text(), "4X");
  f.edit->Widget()->selectAll();
  ChooseFromContextMenu(f.edit, QLineEdit::tr("Delete"));
  EXPECT_EQ(f.edit->Text(), "");
}

TEST(Edit, InputMethodCommitPassesTheFilter) {
  fwtest::ScriptedHooks hooks;
  Fixture f;
  QInputMethodEvent refused;
  refused.setCommitString("中");
  QCoreApplication::sendEvent(f.edit->Widget(), &refused);
  QInputMethodEvent accepted;
  accepted.setCommitString("7");
  QCoreApplication::sendEvent(f.edit->Widget(), &accepted);
  EXPECT_EQ(f.edit->Text(), "7");
  EXPECT_EQ(hooks.Beeps, 1);
}

TEST(Edit, MaxLengthAndChangeEvent) {
  Fixture f;
  f.edit->OnKeyPress = nullptr;
  int changes = 0;
  f.edit->OnChange = [&](TObject*) { ++changes; };
  f.edit->SetMaxLength(3);
  QTest::keyClicks(f.edit->Widget(), "abcd");
  EXPECT_EQ(f.edit->Text(), "abc");
  f.edit->SetText("xy");
  EXPECT_EQ(changes, 4);
  f.edit->SetMaxLength(0);
  f.edit->SetText(QString(300, QLatin1Char('9')));
  EXPECT_EQ(f.edit->Text().size(), 300);
}

TEST(Memo, PasteAndTypingPassTheFilter) {
  fwtest::ScriptedHooks hooks;
  TForm form(nullptr);
  auto* memo = new TMemo(&form);
  memo->SetParent(&form);
  memo->OnKeyPress = DigitFilter;
  QTest::keyClicks(memo->Widget(), "1b2");
  QApplication::clipboard()->setText("3\n4");
  QTest::keyClick(memo->Widget(), Qt::Key_V, Qt::ControlModifier);
  QApplication::clipboard()->setText("5z");
  QTest::keyClick(memo->Widget(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(memo->Lines(), (QStringList{"123", "4"}));
  EXPECT_EQ(hooks.Beeps, 1);
}

} // namespace
