#pragma once
// TRichEdit: a multi-line box of formatted text. The formatted text it reads is HTML
// (LoadFromFile of an .html or .htm file); any other file is read as plain UTF-8 text.
// OnKeyPress filters typed keys, pastes, drops and input-method commits as in TMemo.

#include "platform/ui/Memo.h"

class QTextEdit;

namespace fw {

class TRichEdit : public TWinControl {
public:
  explicit TRichEdit(TComponent* owner);

  bool ReadOnly() const;
  void SetReadOnly(bool value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool value) { wantReturns_ = value; }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  QStringList Lines() const;
  void Clear();

  // Replaces the content with the file's; false (and an empty box) when it cannot be
  // read.
  bool LoadFromFile(const QString& path);
  // The content as HTML, and replacing it with HTML.
  QString Html() const;
  void SetHtml(const QString& html);

  QTextEdit* Widget() const { return edit_; }

  std::function<void(TObject*)> OnChange;

  // As TEdit::FilterIncomingText.
  bool FilterIncomingText(QString& text);

protected:
  virtual void DoChange();
  bool WantsDialogKey(WORD key) const override { return key == VK_RETURN && wantReturns_; }
  QString GetText() const override;
  void StoreText(const QString& value) override;

private:
  QTextEdit* edit_;
  bool wordWrap_ = true;
  bool wantReturns_ = true;
  TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
};

} // namespace fw
