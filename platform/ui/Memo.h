#pragma once
// TMemo: a multi-line text box. OnKeyPress filters typed keys, pastes, drops and
// input-method commits as in TEdit.

#include "platform/ui/WinControl.h"

#include <QStringList>

class QPlainTextEdit;

namespace fw {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TWinControl {
public:
  explicit TMemo(TComponent* owner);

  QStringList Lines() const;
  void SetLines(const QStringList& lines);
  void AddLine(const QString& line);
  bool ReadOnly() const;
  void SetReadOnly(bool value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool value) { wantReturns_ = value; }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  void Clear() { SetText(QString()); }

  QPlainTextEdit* Widget() const { return memo_; }

  std::function<void(TObject*)> OnChange;

  // As TEdit::FilterIncomingText.
  bool FilterIncomingText(QString& text);

protected:
  virtual void DoChange();
  bool WantsDialogKey(WORD key) const override { return key == VK_RETURN && wantReturns_; }
  QString GetText() const override;
  void StoreText(const QString& value) override;

private:
  QPlainTextEdit* memo_;
  bool wordWrap_ = true;
  bool wantReturns_ = true;
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
};

} // namespace fw
