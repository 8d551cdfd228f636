#include "controls/common/FwNumericEdit.h"

#include "controls/common/FwFormatFloat.h"
#include "platform/shell/Hooks.h"

#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <limits>

namespace fw {

namespace {

constexpr QChar kDecimal = QLatin1Char('.');

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool IsSign(QChar c) { return c == QLatin1Char('+') || c == QLatin1Char('-'); }
bool HasSign(const QString& s) { return s.contains(QLatin1Char('+')) || s.contains(QLatin1Char('-')); }
// Control keys (Backspace, Tab, Escape) edit or move; Enter is not one of them.
bool IsControlKey(QChar c) { return c.unicode() < 32 && c != QLatin1Char('\r'); }
// Delete arrives here as a character; it removes text after the caret and is always let
// through, so it may also take the sign away.
constexpr char16_t kDelete = 127;

// A "-" or "(" anywhere makes the number in a text negative.
bool MarksNegative(const QString& text) { return text.contains(QLatin1Char('-')) || text.contains(QLatin1Char('(')); }

// The characters of a number in a text, in order: its digits and decimal points.
QString NumberCharacters(const QString& text) {
  QString number;
  for (QChar c : text)
    if (IsDigit(c) || c == kDecimal) number += c;
  return number;
}

// Halves to even, as the rule engine reads a value.
double RoundHalfEven(double v) {
  const double r = std::round(v);
  if (std::fabs(v - std::trunc(v)) == 0.5) return 2.0 * std::round(v / 2.0);
  return r;
}

} // namespace

TFwNumericEdit::TFwNumericEdit(TComponent* owner) : TFwEdit(owner) {
  resize(65, 21);
  SetAlignment(TLeftRight::taRightJustify);
  reformatting_ = true;
  SetText(FormatValue(0));
  reformatting_ = false;
}

void TFwNumericEdit::SetIntegersOnly(bool value) {
  if (value == integersOnly_) return;
  integersOnly_ = value;
  if (value) SetValue(RoundHalfEven(Value()));
}

void TFwNumericEdit::SetMin(double value) {
  if (value == min_) return;
  min_ = value;
  if (min_ > max_) max_ = min_;
  Invalidate();
}

void TFwNumericEdit::SetMax(double value) {
  if (value == max_) return;
  max_ = value;
  if (max_ < min_) min_ = max_;
  Invalidate();
}

void TFwNumericEdit::SetDisplayFormat(const QString& value) {
  if (value == displayFormat_) return;
  displayFormat_ = value;
  const double v = Value();
  SetValue(v);
  if (!Loading()) SetText(FormatValue(v));
}

QString TFwNumericEdit::FormatValue(double value) const { return FormatFloat(displayFormat_, value); }

double TFwNumericEdit::TextToValue() const {
  const QString text = Text();
  if (text.isEmpty()) return 0;
  QString number = NumberCharacters(text);
  if (number.isEmpty()) return 0;
  if (MarksNegative(text)) number.prepend(QLatin1Char('-'));
  return StrToFloatDef(number, 0);
}

double TFwNumericEdit::Value() {
  if (!Text().isEmpty()) return TextToValue();
  if (allowBlank_) return blankValue_;
  SetText(FormatValue(min_));
  return TextToValue();
}

void TFwNumericEdit::SetValue(double value) {
  if (TextToValue() != value) SetText(FormatValue(value));
}

qint64 TFwNumericEdit::IntValue() {
  const double r = RoundHalfEven(Value());
  constexpr double limit = 9.2e18;
  if (!(r > -limit)) return -qint64(limit);
  if (!(r < limit)) return qint64(limit);
  return qint64(r);
}

bool TFwNumericEdit::IsValidChar(QChar key) const {
  if (key.unicode() == kDelete) return true;
  const bool decimal = !integersOnly_ && key == kDecimal;
  bool result = IsDigit(key) || IsSign(key) || decimal || IsControlKey(key);
  if (!result) return false;
  const QString text = Text();
  const int selStart = SelStart();
  const int selLength = SelLength();
  const QString selText = SelText();
  if (key == kDecimal) return !text.contains(kDecimal) || (selLength > 0 && selText.contains(kDecimal));
  if (IsSign(key))
    return (selStart == 0 && !HasSign(text)) || selLength == text.size() ||
           (selStart == 0 && selLength > 0 && HasSign(selText));
  return !CaretBeforeSign();
}

bool TFwNumericEdit::CaretBeforeSign() const {
  const QString text = Text();
  return SelStart() == 0 && SelLength() == 0 && !text.isEmpty() && IsSign(text.at(0));
}

void TFwNumericEdit::KeyPress(QChar& key) {
  TFwEdit::KeyPress(key);
  if (key.isNull() || filteringText_) return;
  if (!IsValidChar(key)) {
    key = QChar();
    Beep();
  }
}

bool TFwNumericEdit::FilterIncomingText(QString& text) {
  // Text that arrives in one piece is read the way TextToValue reads the box: the
  // characters of a number are kept and the rest is dropped, so a value copied as
  // "1,234" or "(5)" comes in as its number. Text that holds no digit is refused, and so
  // is any text in front of a sign, as a typed digit is.
  QString arriving = NumberCharacters(text);
  if (CaretBeforeSign() || !std::any_of(arriving.cbegin(), arriving.cend(), IsDigit)) {
    Beep();
    return false;
  }
  // The handlers see each character that arrives; typed-key rules do not apply here.
  filteringText_ = true;
  const bool passed = TFwEdit::FilterIncomingText(arriving);
  filteringText_ = false;
  if (!passed) return false;
  // The box then holds, written plainly, the number that its text and the arrival make
  // together, so separators of a formatted value do not stay in the way of typing.
  const QString box = Text();
  const QString before = box.left(SelStart());
  const QString after = box.mid(SelStart() + SelLength());
  QString number = NumberCharacters(before) + arriving + NumberCharacters(after);
  if (number.count(kDecimal) > 1) {
    Beep();
    return false;
  }
  if (MarksNegative(before) || MarksNegative(text) || MarksNegative(after)) number.prepend(QLatin1Char('-'));
  SelectAll();
  text = number;
  return true;
}

double TFwNumericEdit::RangeCheck(bool& outOfRange, double v) {
  double result = v;
  if (min_ != max_ || checkRange_) {
    const double bound = v < min_ ? min_ : v > max_ ? max_ : v;
    if (bound != v) {
      bool autoCorrect = true;
      DoRangeError(v, bound, autoCorrect);
      if (autoCorrect) result = bound;
      else outOfRange = true;
    }
  }
  lastValue_ = result;
  return result;
}

void TFwNumericEdit::DoRangeError(double entered, double adjusted, bool& autoCorrect) {
  if (OnRangeError) OnRangeError(this, entered, adjusted, autoCorrect);
}

void TFwNumericEdit::DoEnter() {
  lastValue_ = TextToValue();
  if (!allowBlank_) SetText(FormatValue(lastValue_));
  TFwEdit::DoEnter();
}

void TFwNumericEdit::DoExit() {
  if (allowBlank_ && Text().isEmpty()) {
    TFwEdit::DoExit();
    return;
  }
  QPointer<QWidget> self(this);
  bool outOfRange = false;
  const double v = RangeCheck(outOfRange, TextToValue());
  if (!self) return;
  if (outOfRange) {
    // The focus is still on its way out; bring it back once it has arrived elsewhere.
    QTimer::singleShot(0, this, [this] { SetFocus(); });
    return;
  }
  SetText(FormatValue(v));
  TFwEdit::DoExit();
}

void TFwNumericEdit::DoChange() {
  if (Loading() || reformatting_) return;
  TFwEdit::DoChange();
}

void TFwNumericEdit::Loaded() {
  TFwEdit::Loaded();
  reformatting_ = true;
  lastValue_ = TextToValue();
  SetText(FormatValue(lastValue_));
  reformatting_ = false;
}

} // namespace fw
