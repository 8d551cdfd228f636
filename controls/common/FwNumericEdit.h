#pragma once
// TFwNumericEdit: a framed edit that holds a number. The text shows Value through
// DisplayFormat; typed keys are filtered to a signed number (digits, one decimal point
// unless IntegersOnly, a sign only in front); pasted, dropped and input-method text keeps
// only what is part of a number. Leaving the control corrects a value outside Min..Max (when Min
// and Max differ, or CheckRange is on) to the violated bound, unless an OnRangeError
// handler refuses the correction, which keeps the focus in the control. With
// AllowBlank an empty text is a legal state that reads as BlankValue.

#include "controls/common/FwEdit.h"

#include <QtGlobal>
#include <functional>

namespace fw {

// (Sender, EnteredValue, AdjustedValue, AutoCorrect): clearing AutoCorrect refuses the
// correction.
using TFwRangeErrorEvent = std::function<void(TObject*, double entered, double adjusted, bool& autoCorrect)>;

class TFwNumericEdit : public TFwEdit {
public:
  explicit TFwNumericEdit(TComponent* owner);

  bool AllowBlank() const { return allowBlank_; }
  void SetAllowBlank(bool value) { allowBlank_ = value; }
  double BlankValue() const { return blankValue_; }
  void SetBlankValue(double value) { blankValue_ = value; }
  bool CheckRange() const { return checkRange_; }
  void SetCheckRange(bool value) { checkRange_ = value; }
  bool IntegersOnly() const { return integersOnly_; }
  // Turning it on rounds the value (halves to even).
  virtual void SetIntegersOnly(bool value);
  double Min() const { return min_; }
  // Raising Min above Max raises Max with it, and the other way round.
  virtual void SetMin(double value);
  double Max() const { return max_; }
  virtual void SetMax(double value);
  QString DisplayFormat() const { return displayFormat_; }
  virtual void SetDisplayFormat(const QString& value);

  // The number shown. An empty text reads as BlankValue with AllowBlank; without it the
  // text is first reset to Min. Setting the value reformats the text when the number
  // differs; it does not clamp to Min..Max (only leaving the control does).
  virtual double Value();
  virtual void SetValue(double value);
  // Value rounded to the nearest integer, halves to even. 64 bits wide, because the
  // form's organisation codes have 14 digits.
  qint64 IntValue();
  void SetIntValue(qint64 value) { SetValue(double(value)); }

  // The number in the text: digits and the decimal point are collected, a "-" or "("
  // anywhere makes it negative, everything else is skipped; no number gives 0.
  double TextToValue() const;
  virtual QString FormatValue(double value) const;
  // Whether `key` may be typed at the caret with the current selection.
  virtual bool IsValidChar(QChar key) const;

  void KeyPress(QChar& key) override;
  // Pasted, dropped and input-method text: its number characters are kept (refused with
  // a beep when it holds no digit, or when the box would hold two decimal points), and
  // the whole box is replaced by the plain number its text and the arrival make.
  bool FilterIncomingText(QString& text) override;

  TFwRangeErrorEvent OnRangeError;

protected:
  // Corrects v to the violated bound (setting outOfRange when a handler refuses).
  virtual double RangeCheck(bool& outOfRange, double v);
  virtual void DoRangeError(double entered, double adjusted, bool& autoCorrect);
  void DoEnter() override;
  void DoExit() override;
  void DoChange() override;
  void Loaded() override;

private:
  // The caret stands at position 0, nothing selected, in front of a sign: nothing may go
  // there, typed or pasted.
  bool CaretBeforeSign() const;

  bool allowBlank_ = false;
  double blankValue_ = 0;
  bool checkRange_ = false;
  bool integersOnly_ = true;
  double min_ = 0;
  double max_ = 0;
  QString displayFormat_ = QStringLiteral(",0;(,0)");
  double lastValue_ = 0;
  bool reformatting_ = false;
  bool filteringText_ = false;
};

} // namespace fw
