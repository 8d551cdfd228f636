#include "controls/common/FwButtonEdit.h"
#include "platform/ui/Form.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QTimer>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace fw;

// A shown form with a button edit set up as the entry form's code pickers are, and
// another edit to hold the focus.
struct Picker {
  fwtest::ScriptedHooks hooks;
  TForm form{nullptr};
  TFwButtonEdit* edit = new TFwButtonEdit(&form);
  TFwEdit* other = new TFwEdit(&form);
  int clicks = 0;
  int altClicks = 0;

  Picker() {
    form.SetBounds(0, 0, 300, 200);
    edit->SetParent(&form);
    edit->SetBounds(10, 10, 121, 21);
    other->SetParent(&form);
    other->SetBounds(10, 60, 121, 21);
    other->SetTabStop(true);
    edit->OnButtonClick = [this](TObject*) { ++clicks; };
    edit->OnAltBtnClick = [this](TObject*) { ++altClicks; };
    form.Show();
    form.activateWindow();
    QApplication::processEvents();
  }
  void Focus(TWinControl* c) {
    c->SetFocus();
    QApplication::processEvents();
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(edit->Widget(), key, mods);
    QApplication::processEvents();
  }
  void ClickButton(TFwControlButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(b->Width() / 2, b->Height() / 2));
    QApplication::processEvents();
  }
};

// The pair's place in the edit's coordinates.
TRect PairRect(TFwButtonEdit* e) { return e->ButtonPair()->BoundsRect(); }

} // namespace

TEST(FwButtonEdit, ButtonsStandInsideTheFrameAtTheRight) {
  struct Case {
    const char* name;
    bool button, alt;
    int buttonWidth, altWidth;
    int pairWidth;
  };
  const Case cases[] = {
      {"picker", true, false, 9, 17, 9},
      {"default", true, false, 17, 17, 17},
      {"both", true, true, 17, 12, 29},
      {"alt only", false, true, 17, 12, 12},
      {"none", false, false, 17, 17, 0},
  };
  for (const Case& c : cases) {
    Picker p;
    p.edit->SetButtonWidth(c.buttonWidth);
    p.edit->SetAltBtnWidth(c.altWidth);
    p.edit->SetButtonVisible(c.button);
    p.edit->SetAltBtnVisible(c.alt);
    const TRect pair = PairRect(p.edit);
    EXPECT_EQ(pair.Width(), c.pairWidth) << c.name;
    // Flush with the inside of the two-pixel sunken border at the right and top, one
    // pixel taller than the client (that row is clipped away).
    EXPECT_EQ(pair.Right, 121 - 2) << c.name;
    EXPECT_EQ(pair.Top, 2) << c.name;
    EXPECT_EQ(pair.Bottom, 21 - 1) << c.name;
    // Button first, AltBtn right of it, each one pixel less high than the pair: they end
    // at the client's bottom.
    if (c.button) {
      EXPECT_EQ(p.edit->Btn(2)->BoundsRect(), Rect(0, 0, c.buttonWidth, pair.Height() - 1)) << c.name;
    }
    if (c.alt) {
      const int left = c.button ? c.buttonWidth : 0;
      EXPECT_EQ(p.edit->Btn(1)->BoundsRect(), Rect(left, 0, left + c.altWidth, pair.Height() - 1)) << c.name;
    }
    // The text stops short of the buttons.
    const TRect text = p.edit->TextRect();
    EXPECT_EQ(text.Right, pair.Left - 2) << c.name;
    for (bool framed : {false, true}) {
      p.edit->SetFrameVisible(framed);
      EXPECT_EQ(PairRect(p.edit), pair) << c.name;
      EXPECT_EQ(p.edit->TextRect().Right, pair.Left - 2) << c.name << framed;
      const QRect inner = p.edit->Widget()->geometry();
      EXPECT_EQ(inner.x() + inner.width() - p.edit->Widget()->textMargins().right(), pair.Left - 2) << c.name << framed;
    }
  }
}

TEST(FwButtonEdit, ButtonsFollowResizing) {
  Picker p;
  p.edit->SetButtonWidth(9);
  p.edit->SetBounds(10, 10, 200, 30);
  EXPECT_EQ(PairRect(p.edit), Rect(200 - 2 - 9, 2, 200 - 2, 30 - 1));
  // The pair's last row lies on the border's inner line and is clipped away there: the
  // border shows under the button as it does under the text.
  QApplication::processEvents();
  const QImage image = p.edit->grab().toImage();
  fwtest::SaveShot(image.scaled(image.size() * 4), QStringLiteral("fw_button_edit_pair.png"));
  EXPECT_EQ(image.pixel(200 - 2 - 4, 30 - 2), image.pixel(20, 30 - 2));
}

TEST(FwButtonEdit, ReadOnlyHidesTheButtonsAndGivesTheTextTheWidth) {
  Picker p;
  p.edit->SetReadOnly(true);
  EXPECT_FALSE(p.edit->ButtonPair()->isVisible());
  EXPECT_EQ(p.edit->Widget()->textMargins().right(), 0);
  EXPECT_EQ(p.edit->TextRect(), p.edit->ClientRect());
  p.edit->SetHideButtonsOnReadOnly(false);
  EXPECT_TRUE(p.edit->ButtonPair()->isVisible());
  EXPECT_EQ(p.edit->TextRect().Right, PairRect(p.edit).Left - 2);
}

TEST(FwButtonEdit, MouseClicksRaiseTheirButtonsEvents) {
  Picker p;
  p.edit->SetAltBtnVisible(true);
  p.ClickButton(p.edit->Btn(2));
  p.ClickButton(p.edit->Btn(1));
  p.ClickButton(p.edit->Btn(1));
  EXPECT_EQ(p.clicks, 1);
  EXPECT_EQ(p.altClicks, 2);
}

TEST(FwButtonEdit, APressTakesTheFocusIntoATabStopEdit) {
  Picker p;
  p.edit->SetTabStop(true);
  p.Focus(p.other);
  p.ClickButton(p.edit->Btn(2));
  EXPECT_TRUE(p.edit->Focused());
  EXPECT_EQ(p.clicks, 1);
  // Not a tab stop (the entry form's pickers): the focus stays where it was.
  p.edit->SetTabStop(false);
  p.Focus(p.other);
  p.ClickButton(p.edit->Btn(2));
  EXPECT_TRUE(p.other->Focused());
  EXPECT_EQ(p.clicks, 2);
}

TEST(FwButtonEdit, NoClickWhenTheFocusDoesNotArrive) {
  Picker p;
  p.edit->SetTabStop(true);
  p.Focus(p.other);
  // The edit sends the focus straight back, as a window refusing the change would.
  p.edit->OnEnter = [&p](TObject*) { p.other->SetFocus(); };
  p.ClickButton(p.edit->Btn(2));
  EXPECT_EQ(p.clicks, 0);
}

TEST(FwButtonEdit, ShortcutsClickVisibleEnabledButtons) {
  struct Case {
    const char* name;
    TShortCut buttonShortCut, altShortCut;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    bool buttonVisible;
    int clicks, altClicks;
    bool readOnly;
  };
  const Case cases[] = {
      {"F4 by default", VK_F4, 0, Qt::Key_F4, Qt::NoModifier, true, 1, 0, false},
      {"no shortcut", 0, 0, Qt::Key_F4, Qt::NoModifier, true, 0, 0, false},
      {"modifiers count", VK_F4, 0, Qt::Key_F4, Qt::ShiftModifier, true, 0, 0, false},
      {"ctrl+enter", ShortCut(VK_RETURN, ssCtrl), 0, Qt::Key_Return, Qt::ControlModifier, true, 1, 0, false},
      {"alt button", VK_F4, ShortCut(VK_F4, ssShift), Qt::Key_F4, Qt::ShiftModifier, true, 0, 1, false},
      {"hidden button", VK_F4, 0, Qt::Key_F4, Qt::NoModifier, false, 0, 0, false},
      // Read-only hides the pair: a picker out of sight changes no read-only data.
      {"read-only, pair hidden", VK_F4, 0, Qt::Key_F4, Qt::NoModifier, true, 0, 0, true},
  };
  for (const Case& c : cases) {
    Picker p;
    p.edit->SetTabStop(true);
    p.edit->SetAltBtnVisible(true);
    p.edit->SetButtonShortCut(c.buttonShortCut);
    p.edit->SetAltBtnShortCut(c.altShortCut);
    p.edit->SetButtonVisible(c.buttonVisible);
    p.edit->SetReadOnly(c.readOnly);
    p.Focus(p.edit);
    p.Key(c.key, c.mods);
    EXPECT_EQ(p.clicks, c.clicks) << c.name;
    EXPECT_EQ(p.altClicks, c.altClicks) << c.name;
  }
}

TEST(FwButtonEdit, WithoutKeyEditTypingBeepsAndChangesNothing) {
  Picker p;
  p.edit->SetTabStop(true);
  p.edit->SetAllowKeyEdit(false);
  p.edit->SetText("北京");
  p.Focus(p.edit);
  p.edit->Widget()->setCursorPosition(1);
  p.Key(Qt::Key_A);
  p.Key(Qt::Key_Backspace);
  p.Key(Qt::Key_Delete);
  EXPECT_EQ(p.edit->Text(), "北京");
  EXPECT_EQ(p.hooks.Beeps, 3);
  // Tab still moves on; F4 still opens the picker.
  p.Key(Qt::Key_F4);
  EXPECT_EQ(p.clicks, 1);
  p.Key(Qt::Key_Tab);
  EXPECT_TRUE(p.other->Focused());
}

namespace {
// Opens the edit's context menu and reports whether its Cut and Delete items are offered.
std::pair<bool, bool> ContextMenuOffersCutAndDelete(TFwButtonEdit* edit) {
  std::pair<bool, bool> offered{false, false};
  QTimer::singleShot(0, [&offered] {
    QMenu* menu = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible()) menu = m;
    if (!menu) return;
    for (QAction* action : menu->actions()) {
      if (action->text() == QLineEdit::tr("Cu&t")) offered.first = action->isEnabled();
      if (action->text() == QLineEdit::tr("Delete")) offered.second = action->isEnabled();
    }
    menu->close();
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), edit->Widget()->mapToGlobal(QPoint(5, 5)));
  QCoreApplication::sendEvent(edit->Widget(), &event);
  return offered;
}
} // namespace

TEST(FwButtonEdit, WithoutKeyEditTheContextMenuCannotCutOrDelete) {
  Picker p;
  p.edit->SetText("北京");
  p.Focus(p.edit);
  p.edit->Widget()->selectAll();
  EXPECT_EQ(ContextMenuOffersCutAndDelete(p.edit), std::make_pair(true, true));
  p.edit->SetAllowKeyEdit(false);
  p.edit->Widget()->selectAll();
  EXPECT_EQ(ContextMenuOffersCutAndDelete(p.edit), std::make_pair(false, false));
  EXPECT_EQ(p.edit->Text(), "北京");
}

TEST(FwButtonEdit, ControllersFlatButtonsLieFlatUntilTheMouseOrTheFocusComes) {
  Picker p;
  p.edit->SetTabStop(true);
  p.Focus(p.other);
  TFwFrameController line;
  line.SetFlatButtonColor(clYellow);
  p.edit->SetFrameController(&line);  // FlatButtons is on by default
  EXPECT_TRUE(p.edit->FlatButtons());
  TFwButtonPair* pair = p.edit->ButtonPair();
  EXPECT_TRUE(pair->Flat());
  EXPECT_EQ(pair->Color(), p.edit->Color());

  QEvent enter(QEvent::Enter);
  QCoreApplication::sendEvent(p.edit, &enter);
  EXPECT_FALSE(pair->Flat());
  EXPECT_EQ(pair->Color(), clYellow);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(p.edit, &leave);
  EXPECT_TRUE(pair->Flat());

  p.Focus(p.edit);
  EXPECT_FALSE(pair->Flat());
  EXPECT_EQ(pair->Color(), clYellow);
  p.Focus(p.other);
  EXPECT_TRUE(pair->Flat());
  fwtest::SaveShot(p.form.grab().toImage(), QStringLiteral("fw_button_edit_flat.png"));
  p.edit->SetFrameController(nullptr);
}

TEST(FwButtonEdit, DisabledEditDisablesItsButtons) {
  Picker p;
  p.edit->SetTabStop(true);
  p.edit->SetEnabled(false);
  EXPECT_FALSE(p.edit->Btn(2)->Enabled());
  p.ClickButton(p.edit->Btn(2));
  EXPECT_EQ(p.clicks, 0);
  p.edit->SetEnabled(true);
  EXPECT_TRUE(p.edit->Btn(2)->Enabled());
  p.Focus(p.edit);
  p.edit->Btn(2)->SetEnabled(false);
  p.Key(Qt::Key_F4);
  EXPECT_EQ(p.clicks, 0);
}

TEST(FwButtonEdit, KindsGiveTheirFaces) {
  Picker p;
  EXPECT_EQ(p.edit->Btn(2)->Style(), TFwControlButtonStyle::cbsNone);
  EXPECT_FALSE(p.edit->ButtonGlyph().Empty());
  EXPECT_EQ(p.edit->ButtonNumGlyphs(), 2);
  p.edit->SetButtonKind(TButtonKind::bkDropDown);
  EXPECT_EQ(p.edit->Btn(2)->Style(), TFwControlButtonStyle::cbsDropDown);
  EXPECT_TRUE(p.edit->ButtonGlyph().Empty());
  // A custom kind keeps the glyph it is given.
  TBitmap own(16, 8);
  p.edit->SetButtonKind(TButtonKind::bkCustom);
  p.edit->SetButtonGlyph(own);
  p.edit->SetButtonKind(TButtonKind::bkCustom);
  EXPECT_EQ(p.edit->ButtonGlyph().Width(), 16);
}
