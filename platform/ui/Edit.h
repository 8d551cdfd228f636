#pragma once
// TEdit: a one-line text box. OnKeyPress filters every way text arrives: typed keys,
// input-method commits (the normal route for Chinese), paste (keys, context menu,
// middle click) and drops. A paste or commit holding a refused character is dropped
// whole with the beep hook; changed characters are taken as changed. With AutoSelect (on
// by default) the whole text is selected whenever the edit is entered other than by a
// mouse press on it, so that what is typed next replaces it; a press places the caret.

#include "platform/ui/WinControl.h"

class QLineEdit;

namespace fw {

class TEdit : public TWinControl {
public:
  explicit TEdit(TComponent* owner);

  int MaxLength() const { return maxLength_; }
  // 0 means no limit.
  void SetMaxLength(int value);
  bool ReadOnly() const;
  void SetReadOnly(bool value);
  QChar PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(QChar value);
  bool Modified() const;
  void SetModified(bool value);
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value) { autoSelect_ = value; }

  int SelStart() const;
  void SetSelStart(int value);
  int SelLength() const;
  void SetSelLength(int value);
  QString SelText() const;
  void SetSelText(const QString& value);
  void SelectAll();
  void Clear() { SetText(QString()); }

  QLineEdit* Widget() const { return edit_; }

  std::function<void(TObject*)> OnChange;

  // Runs OnKeyPress over text that arrives in one piece (paste, drop, input method).
  // Returns false, after a beep, when a character is refused; otherwise `text` holds the
  // characters as the handler left them.
  virtual bool FilterIncomingText(QString& text);
  // Whether the user may cut or delete text; the context menu offers Cut and Delete only
  // then. Keys that remove text are the control's own KeyDown business.
  virtual bool CanRemoveText() const { return true; }

protected:
  virtual void DoChange();
  // Selects the whole text (AutoSelect), then runs OnEnter.
  void DoEnter() override;
  QString GetText() const override;
  void StoreText(const QString& value) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QLineEdit* edit_;
  int maxLength_ = 0;
  QChar passwordChar_;
  bool autoSelect_ = true;
  // Set while the entry that a mouse press on the edit caused is handled.
  bool enteringByMouse_ = false;
};

} // namespace fw
