#pragma once
// TFwTextBox<Base>: what the library's multi-line boxes (TFwMemo on TMemo, TFwRichEdit
// on TRichEdit) add to a framed text box, written once for both:
//  - the caret's line and column (1-based), readable and settable, with OnLineColChange
//    after every text change, click, key down and key up;
//  - OnClipboardChange (is text selected, does the clipboard hold text) after every
//    mouse button release (both events follow a click once the box has handled it);
//  - Enter as Tab (TabOnEnter);
//  - the wheel scrolling by the desktop's lines per notch, or by pages when the desktop
//    scrolls a page per notch, unless an OnMouseWheel handler takes the wheel.
// Lines are the lines the box shows: a long paragraph that wraps counts as several.

#include "controls/common/FwFramed.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScrollBar>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextCursor>
#include <QTextDocument>
#include <QWheelEvent>
#include <cstdlib>
#include <functional>

namespace fw {

// Lines per wheel notch at and above which the desktop scrolls a page per notch.
inline constexpr int kWheelPageScroll = 65535;

using TLineColChangeEvent = std::function<void(TObject*, int line, int column)>;
using TClipboardChangeEvent = std::function<void(TObject*, bool hasSelection, bool hasText)>;
// (Sender, Shift, WheelDelta, MousePos, Handled)
using TMouseWheelEvent = std::function<void(TObject*, TShiftState, int delta, TPoint, bool& handled)>;

template <class Base>
class TFwTextBox : public TFwFramed<Base> {
public:
  explicit TFwTextBox(TComponent* owner) : TFwFramed<Base>(owner) {
    this->Widget()->viewport()->installEventFilter(this);
  }

  bool TabOnEnter() const { return tabOnEnter_; }
  void SetTabOnEnter(bool value) { tabOnEnter_ = value; }

  // The caret's line: the display line of the selection's moving end, counted over the
  // whole text (a paragraph that wraps is several lines).
  int Line() const { return DisplayLineAt(this->Widget()->textCursor().position()).Number + 1; }
  // Puts the caret at the start of the display line and scrolls it to the top; a line
  // the text does not have leaves the caret where it was.
  void SetLine(int value) {
    const TDisplayLine line = DisplayLineNumbered(value - 1);
    if (line.Number < 0) return;
    QTextCursor cursor = this->Widget()->textCursor();
    cursor.setPosition(line.Start);
    this->Widget()->setTextCursor(cursor);
    ScrollLineToTop(line.Start);
    DoLineColChange();
  }
  // The caret's column within its display line.
  int Column() const {
    const int position = this->Widget()->textCursor().position();
    return position - DisplayLineAt(position).Start + 1;
  }
  // Moves the caret within its display line; a column past the line's end (and its
  // end + 1) is ignored.
  void SetColumn(int value) {
    QTextCursor cursor = this->Widget()->textCursor();
    const TDisplayLine line = DisplayLineAt(cursor.position());
    if (value < 1 || value > line.Length + 1) return;
    cursor.setPosition(line.Start + value - 1);
    this->Widget()->setTextCursor(cursor);
    DoLineColChange();
  }

  TLineColChangeEvent OnLineColChange;
  TClipboardChangeEvent OnClipboardChange;
  TMouseWheelEvent OnMouseWheel;

  void KeyDown(WORD& key, TShiftState shift) override {
    QPointer<QWidget> self(this);
    Base::KeyDown(key, shift);
    if (self) DoLineColChange();
  }
  void KeyUp(WORD& key, TShiftState shift) override {
    QPointer<QWidget> self(this);
    Base::KeyUp(key, shift);
    if (self) DoLineColChange();
  }
  // Enter as Tab: the Enter is swallowed and a Tab follows it, as the next key the user
  // typed would.
  void KeyPress(QChar& key) override {
    if (tabOnEnter_ && key == QLatin1Char('\r')) {
      key = QChar();
      QCoreApplication::postEvent(this->Widget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
      return;
    }
    Base::KeyPress(key);
  }

  // One wheel turn by `delta` (120 a notch) as the box scrolls it without a handler;
  // the number of steps taken.
  int ScrollByWheel(int delta) {
    const int lines = QApplication::wheelScrollLines();
    const bool pages = lines >= kWheelPageScroll;
    const int count = pages ? delta / 120 : delta / 120 * lines;
    QScrollBar* bar = this->Widget()->verticalScrollBar();
    const auto action = count > 0 ? (pages ? QAbstractSlider::SliderPageStepSub : QAbstractSlider::SliderSingleStepSub)
                                  : (pages ? QAbstractSlider::SliderPageStepAdd : QAbstractSlider::SliderSingleStepAdd);
    int steps = 0;
    for (int i = 0; i < std::abs(count); ++i) {
      const int before = bar->value();
      bar->triggerAction(action);
      if (bar->value() == before) break;
      ++steps;
    }
    return steps;
  }

protected:
  virtual void DoLineColChange() {
    QPointer<QWidget> self(this);
    if (OnLineColChange) OnLineColChange(this, Line(), Column());
    if (self) DoClipboardChange();
  }
  virtual void DoClipboardChange() {
    if (!OnClipboardChange) return;
    const bool hasText = QApplication::clipboard() && !QApplication::clipboard()->text().isEmpty();
    OnClipboardChange(this, this->Widget()->textCursor().hasSelection(), hasText);
  }
  // Scrolls so that the display line holding position is the first line shown.
  virtual void ScrollLineToTop(int position) = 0;

  // One line as the box shows it: its number over the whole text (0-based; -1 for none),
  // its first character and its length.
  struct TDisplayLine {
    int Number = -1;
    int Start = 0;
    int Length = 0;
  };
  // The block laid out at the box's width (its layout made now when it had none yet).
  QTextLayout* LaidOut(const QTextBlock& block) const {
    this->Widget()->document()->documentLayout()->blockBoundingRect(block);
    QTextLayout* layout = block.layout();
    return layout && layout->lineCount() > 0 ? layout : nullptr;
  }
  TDisplayLine LineOf(const QTextBlock& block, int number, int lineInBlock) const {
    QTextLayout* layout = LaidOut(block);
    if (!layout) return {number, block.position(), block.length() - 1};
    const QTextLine line = layout->lineAt(lineInBlock);
    return {number, block.position() + line.textStart(), line.textLength()};
  }
  int LinesIn(const QTextBlock& block) const {
    QTextLayout* layout = LaidOut(block);
    return layout ? layout->lineCount() : 1;
  }
  TDisplayLine DisplayLineAt(int position) const {
    const QTextDocument* document = this->Widget()->document();
    const QTextBlock block = document->findBlock(position);
    int number = 0;
    for (QTextBlock b = document->begin(); b.isValid() && b != block; b = b.next()) number += LinesIn(b);
    QTextLayout* layout = LaidOut(block);
    const QTextLine line = layout ? layout->lineForTextPosition(position - block.position()) : QTextLine();
    const int inBlock = line.isValid() ? line.lineNumber() : 0;
    return LineOf(block, number + inBlock, inBlock);
  }
  TDisplayLine DisplayLineNumbered(int number) const {
    if (number < 0) return {};
    int first = 0;
    for (QTextBlock b = this->Widget()->document()->begin(); b.isValid(); b = b.next()) {
      const int count = LinesIn(b);
      if (number < first + count) return LineOf(b, number, number - first);
      first += count;
    }
    return {};
  }

  void DoChange() override {
    QPointer<QWidget> self(this);
    Base::DoChange();
    if (self) DoLineColChange();
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool inViewport = watched == this->Widget()->viewport();
    if (inViewport && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
      // Told once the box has moved the caret or the selection for the click.
      const bool press = event->type() == QEvent::MouseButtonPress;
      QPointer<QWidget> self(this);
      QMetaObject::invokeMethod(
          this,
          [self, this, press] {
            if (!self) return;
            if (press) DoLineColChange();
            else DoClipboardChange();
          },
          Qt::QueuedConnection);
    }
    if (event->type() == QEvent::Wheel && inViewport) {
      auto* wheel = static_cast<QWheelEvent*>(event);
      const int delta = wheel->angleDelta().y();
      if (OnMouseWheel) {
        bool handled = false;
        const QPoint at = wheel->position().toPoint();
        OnMouseWheel(this, ShiftStateFromQt(wheel->modifiers()), delta, TPoint{at.x(), at.y()}, handled);
        return handled || Base::eventFilter(watched, event);
      }
      ScrollByWheel(delta);
      return true;
    }
    return Base::eventFilter(watched, event);
  }

private:
  bool tabOnEnter_ = false;
};

} // namespace fw
