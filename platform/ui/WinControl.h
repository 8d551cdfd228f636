#pragma once
// TWinControl: a control that can hold other controls, take the focus and receive keys.
// Children with Align are laid out by the align layout (AlignLayout.h) over the client
// rectangle; the layout runs again when the control is resized and when an aligned
// child is shown, hidden, resized or realigned.

#include "platform/ui/Control.h"

#include <vector>

namespace fw {

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
  bool ContainsControl(const TControl* control) const;

  // Lays the aligned children out again (at once, or when the last EnableAlign comes).
  void Realign();
  void DisableAlign() { ++alignDisabled_; }
  void EnableAlign();

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value);
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int value);

  bool CanFocus() const;
  void SetFocus();
  bool Focused() const;

  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // The key steps, public so that a form with key preview can run its own. A form with
  // KeyPreview runs its own step first; a key set to 0 (or a character set to QChar())
  // goes no further, a changed character is delivered in place of the typed one. Keys
  // with Ctrl (copy, paste, select all) reach KeyDown but not KeyPress: they are
  // commands here, and the text a paste brings is filtered by the edit itself.
  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyPress(QChar& key);
  virtual void KeyUp(WORD& key, TShiftState shift);

protected:
  // Runs KeyPress over text that arrives in one piece (paste, drop, input method): each
  // character may be changed; one refused character refuses the whole text with a beep.
  // Line breaks pass unasked when KeepLineBreaks is set. Returns false when refused (or
  // when the control was freed by a handler).
  bool FilterTextByKeyPress(QString& text, bool keepLineBreaks);

  // Shrinks the client rectangle to the part the aligned children may use.
  virtual void AdjustClientRect(TRect& rect) const {}
  virtual void AlignControls();
  void FontChanged() override;
  void ColorChanged() override;
  virtual void DoEnter();
  virtual void DoExit();
  // Whether the control wants the key itself before the form's dialog keys (Enter for
  // the default button, Escape for the cancel button) are looked at.
  virtual bool WantsDialogKey(WORD key) const { return false; }
  // A key no control swallowed, on its way up to the form; `origin` is the widget it
  // was typed into. Returns true when it was used (the form's Enter and Escape).
  virtual bool DialogKey(QKeyEvent& event, QWidget* origin) { return false; }

  bool HandleKey(QKeyEvent& event) override;

  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  friend class TControl;
  friend class TForm;

private:
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void ChildLayoutChanged(TControl* child);
  void UpdateTabChain();
  bool HandleKeyRelease(QKeyEvent& event);
  void HandleFocusIn(QFocusEvent& event);
  void HandleFocusOut(QFocusEvent& event);
  // Makes this the form's entered control: the control entered before exits first when it
  // never saw its exit (the focus moved while the window was inactive or hidden).
  void EnterControl(TForm* form);

  std::vector<TControl*> controls_;
  // Keys pressed in this control and not yet released: a release is the control's only
  // when its press was (Enter that closed a message box is released over another window).
  std::vector<int> keysDown_;
  int alignDisabled_ = 0;
  bool aligning_ = false;
  bool alignPending_ = false;
  bool tabStop_ = false;
  int tabOrder_ = -1;
};

} // namespace fw
