#include "controls/common/FwComboBox.h"
#include "controls/common/FwListBox.h"
#include "platform/ui/Form.h"
#include "PixelTools.h"
#include "support/TestSupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace fw;
using fwtest::At;

TColor Rgb(TColor c) { return ColorToRGB(c); }

struct Fixture {
  fwtest::ScriptedHooks hooks;
  TForm form{nullptr};
  TFwComboBox* combo = new TFwComboBox(&form);
  TFwListBox* other = new TFwListBox(&form);
  QStringList log;
  Fixture(TComboBoxStyle style = TComboBoxStyle::csDropDownList) {
    hooks.FixedNow = QDateTime(QDate(2014, 3, 1), QTime(9, 0));
    form.SetBounds(0, 0, 400, 300);
    combo->SetParent(&form);
    combo->SetBounds(10, 10, 150, 24);
    combo->SetStyle(style);
    combo->SetItems({"北京", "apple", "Abacus", "banana", "berry", "cherry"});
    other->SetParent(&form);
    other->SetBounds(10, 160, 100, 40);
    const auto note = [this](const char* what) { return [this, what](TObject*) { log << what; }; };
    combo->OnDropDown = note("DropDown");
    combo->OnCloseUp = note("CloseUp");
    combo->OnSelEndOk = note("SelEndOk");
    combo->OnSelEndCancel = note("SelEndCancel");
    combo->OnSelect = note("Select");
    combo->OnChange = note("Change");
    form.Show();
    form.activateWindow();
    QApplication::processEvents();
  }
  void Focus(TWinControl* c) {
    c->SetFocus();
    QApplication::processEvents();
  }
  QWidget* KeyTarget() {
    return combo->Widget()->lineEdit() ? static_cast<QWidget*>(combo->Widget()->lineEdit()) : combo->Widget();
  }
  void Key(int key) {
    if (key >= 'a' && key <= 'z')
      QTest::keyClick(KeyTarget(), char(key));
    else
      QTest::keyClick(KeyTarget(), Qt::Key(key));
  }
  QImage Grab() {
    QApplication::processEvents();
    return combo->grab().toImage();
  }
  void Hover(bool in) {
    QEvent event(in ? QEvent::Enter : QEvent::Leave);
    QCoreApplication::sendEvent(combo, &event);
  }
};

TEST(FwCustomComboBox, DropDownListSearchesByTypedKeys) {
  struct Step {
    int waitMs, key, index;
    QString search;
    int beeps;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"b then e quickly", {{0, 'b', 3, "b", 0}, {500, 'e', 4, "be", 0}}},
      {"e after a pause", {{0, 'b', 3, "b", 0}, {1600, 'c', 5, "c", 0}}},
      {"no match beeps and keeps the prefix", {{0, 'a', 1, "a", 0}, {0, 'x', 1, "a", 1}, {0, 'b', 2, "ab", 1}}},
      {"backspace searches again", {{0, 'b', 3, "b", 0}, {0, 'e', 4, "be", 0}, {0, Qt::Key_Backspace, 3, "b", 0}}},
      {"backspace emptying selects the first", {{0, 'c', 5, "c", 0}, {0, Qt::Key_Backspace, 0, "", 0}}},
      {"backspace on nothing beeps", {{0, Qt::Key_Backspace, -1, "", 1}}},
      {"escape selects the first", {{0, 'c', 5, "c", 0}, {0, Qt::Key_Escape, 0, "", 0}}},
  };
  for (const Case& c : cases) {
    Fixture f;
    f.Focus(f.combo);
    for (const Step& s : c.steps) {
      f.hooks.FixedNow = f.hooks.FixedNow.addMSecs(s.waitMs);
      f.Key(s.key);
      EXPECT_EQ(f.combo->ItemIndex(), s.index) << c.name << " key " << s.key;
      EXPECT_EQ(f.combo->SearchText(), s.search) << c.name << " key " << s.key;
      EXPECT_EQ(f.hooks.Beeps, s.beeps) << c.name << " key " << s.key;
    }
  }
  // Each choice by a key raises select, then change.
  Fixture f;
  f.Focus(f.combo);
  f.Key('b');
  f.Key('x');
  EXPECT_EQ(f.log, QStringList({"Select", "Change"}));
}

TEST(FwCustomComboBox, DropDownEventsInOrder) {
  Fixture f;
  f.Focus(f.combo);
  f.combo->SetDroppedDown(true);
  QApplication::processEvents();
  EXPECT_TRUE(f.combo->DroppedDown());
  QAbstractItemView* view = f.combo->Widget()->view();
  view->setCurrentIndex(view->model()->index(3, 0));
  QTest::keyClick(view, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_FALSE(f.combo->DroppedDown());
  EXPECT_EQ(f.log.join(",").toStdString(), "DropDown,SelEndOk,CloseUp,Select,Change");
  EXPECT_EQ(f.combo->ItemIndex(), 3);

  f.log.clear();
  f.combo->SetDroppedDown(true);
  QApplication::processEvents();
  QTest::keyClick(view, Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_EQ(f.log.join(",").toStdString(), "DropDown,SelEndCancel,CloseUp");
  EXPECT_EQ(f.combo->ItemIndex(), 3);
}

TEST(FwCustomComboBox, ReadOnlyRefusesKeysAndKeepsTheListClosed) {
  Fixture f;
  f.combo->SetItemIndex(2);
  f.combo->SetReadOnly(true);
  f.Focus(f.combo);
  for (int key : {int('b'), int(Qt::Key_Down), int(Qt::Key_End), int(Qt::Key_Escape), int(Qt::Key_Backspace)}) f.Key(key);
  EXPECT_EQ(f.combo->ItemIndex(), 2);
  QTest::mouseClick(f.combo->Widget(), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_FALSE(f.combo->DroppedDown());
  EXPECT_TRUE(f.log.isEmpty());
}

TEST(FwCustomComboBox, EditableBoxCompletesFromTheItems) {
  struct Case {
    const char* name;
    bool allowEdit, keepCase;
    QString keys, text, selected;
    int beeps;
  };
  const Case cases[] = {
      {"completes", true, false, "ab", "Abacus", "acus", 0},
      {"keeps the typed case", true, true, "ab", "abacus", "acus", 0},
      {"free text passes", true, false, "zq", "zq", "", 0},
      {"only items when edit is not allowed", false, false, "bz", "banana", "anana", 1},
  };
  for (const Case& c : cases) {
    Fixture f(TComboBoxStyle::csDropDown);
    f.combo->SetAllowEdit(c.allowEdit);
    f.combo->SetKeepSearchCase(c.keepCase);
    f.Focus(f.combo);
    for (QChar k : c.keys) f.Key(k.toLatin1());
    QLineEdit* edit = f.combo->Widget()->lineEdit();
    EXPECT_EQ(edit->text(), c.text) << c.name;
    EXPECT_EQ(edit->selectedText(), c.selected) << c.name;
    EXPECT_EQ(f.hooks.Beeps, c.beeps) << c.name;
  }
  // Backspace never completes.
  Fixture f(TComboBoxStyle::csDropDown);
  f.Focus(f.combo);
  f.Key('b');
  f.Key(Qt::Key_Delete);
  f.Key(Qt::Key_Backspace);
  EXPECT_EQ(f.combo->Widget()->lineEdit()->text(), "");
}

TEST(FwCustomComboBox, ValuesBesideTheItems) {
  Fixture f;
  f.combo->SetValues({"BJ", "", "AB"});
  EXPECT_EQ(f.combo->GetItemValue(0), "BJ");
  EXPECT_EQ(f.combo->GetItemValue(1), "apple");   // empty value: the text
  EXPECT_EQ(f.combo->GetItemValue(4), "berry");   // beyond the values: the text
  EXPECT_EQ(f.combo->GetItemValue(9), "");
  f.combo->SetItemIndex(4);
  EXPECT_EQ(f.combo->Value(), "berry");
  f.combo->SetValue("AB");
  EXPECT_EQ(f.combo->ItemIndex(), 2);
  EXPECT_EQ(f.combo->Value(), "AB");
  f.combo->SetValue("nowhere");
  EXPECT_EQ(f.combo->ItemIndex(), -1);
  // New values choose the stored value again.
  f.combo->SetValue("BJ");
  f.combo->SetValues({"", "", "", "BJ"});
  EXPECT_EQ(f.combo->ItemIndex(), 3);
  // With an edit field the typed text finds its item regardless of letter case.
  Fixture typed(TComboBoxStyle::csDropDown);
  typed.combo->SetValues({"", "", "AB"});
  typed.combo->SetText("ABACUS");
  EXPECT_EQ(typed.combo->Value(), "AB");
}

TEST(FwCustomComboBox, EveryItemLeavingIsToldOnce) {
  Fixture f;
  QStringList gone;
  f.combo->OnDeleteItem = [&](TObject*, int index, const QString& item) { gone << QStringLiteral("%1 %2").arg(index).arg(item); };
  f.combo->Widget()->removeItem(1);
  EXPECT_EQ(gone, QStringList{"1 apple"});
  gone.clear();
  f.combo->SetItems({"一", "二"});  // the old items leave, the new ones do not
  EXPECT_EQ(gone, (QStringList{"0 北京", "1 Abacus", "2 banana", "3 berry", "4 cherry"}));
  gone.clear();
  f.combo->ClearItems();
  EXPECT_EQ(gone, (QStringList{"0 一", "1 二"}));
}

TEST(FwCustomComboBox, LeavingWithATextThatIsNoItemRaisesNotInList) {
  Fixture f(TComboBoxStyle::csDropDown);
  f.combo->SetAllowEdit(true);
  f.combo->SetAutoComplete(false);
  int notInList = 0;
  f.combo->OnNotInList = [&](TObject*) { ++notInList; };
  f.Focus(f.combo);
  f.combo->SetText(QStringLiteral("BANANA"));  // an item, letter case aside
  f.Focus(f.other);
  EXPECT_EQ(notInList, 0);
  f.Focus(f.combo);
  f.combo->SetText(QStringLiteral("葡萄"));
  f.Focus(f.other);
  EXPECT_EQ(notInList, 1);
  f.Focus(f.combo);
  f.combo->SetText(QString());  // an empty box is no choice at all
  f.Focus(f.other);
  EXPECT_EQ(notInList, 1);
}

TEST(FwCustomComboBox, FlatButtonAndControllerPush) {
  Fixture f;
  TFwFrameController controller;
  controller.BeginLoad();
  controller.SetFlatButtons(true);
  controller.SetFlatButtonColor(clLime);
  controller.SetFrameVisible(true);
  controller.SetFrameColor(clBlue);
  controller.SetFramingPreference(TFramingPreference::fpCustomFraming);
  controller.EndLoad();
  f.combo->SetFrameController(&controller);
  EXPECT_TRUE(f.combo->FlatButtons());
  QImage image = f.Grab();
  const TRect b = f.combo->ButtonRect();
  EXPECT_EQ(At(image, b.Left + 2, b.Top + 2), Rgb(clLime));
  EXPECT_EQ(At(image, 0, 12), Rgb(clBlue));
  // With neither frame nor flat button, hovering repaints nothing of ours.
  controller.SetFlatButtons(false);
  controller.SetFrameVisible(false);
  image = f.Grab();
  f.Hover(true);
  EXPECT_EQ(f.Grab(), image);
}

} // namespace
