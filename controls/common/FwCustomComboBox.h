#pragma once
// TFwCustomComboBox: the platform combo box in the library's framing scheme: state
// colours (normal, focus, disabled, read-only), its own frame, a flat drop-down button
// and a frame controller. A drop-down list searches its items by the keys typed within
// the search interval (1.5 s); an editable box completes what is typed from the items.
// ReadOnly refuses every change by the user and keeps the list closed.
// The drop-down events come in the platform's order: OnDropDown when the list opens;
// on closing OnSelEndOk (an item was chosen) or OnSelEndCancel, then OnCloseUp, then
// OnSelect and OnChange for the choice. OnDeleteItem tells of every item that leaves
// the list; OnNotInList of an editable box left with a text that is no item.

#include "controls/common/FwFramed.h"
#include "platform/ui/ComboBox.h"

#include <QDateTime>
#include <memory>

class QLineEdit;

namespace fw {

class TTimer;

// An item about to leave the list, with its index and text.
using TFwDeleteComboItemEvent = std::function<void(TObject* sender, int index, const QString& item)>;

class TFwCustomComboBox : public TFwFramed<TComboBox> {
public:
  explicit TFwCustomComboBox(TComponent* owner);
  ~TFwCustomComboBox() override;

  bool AllowEdit() const { return allowEdit_; }
  void SetAllowEdit(bool value) { allowEdit_ = value; }
  bool AutoComplete() const { return autoComplete_; }
  void SetAutoComplete(bool value) { autoComplete_ = value; }
  bool BeepOnInvalidKey() const { return beepOnInvalidKey_; }
  void SetBeepOnInvalidKey(bool value) { beepOnInvalidKey_ = value; }
  bool KeepSearchCase() const { return keepSearchCase_; }
  void SetKeepSearchCase(bool value) { keepSearchCase_ = value; }
  bool TabOnEnter() const { return tabOnEnter_; }
  void SetTabOnEnter(bool value) { tabOnEnter_ = value; }
  bool ReadOnly() const { return readOnly_; }
  virtual void SetReadOnly(bool value);
  bool FlatButtons() const { return flatButtons_; }
  virtual void SetFlatButtons(bool value);
  TColor FlatButtonColor() const { return flatButtonColor_; }
  virtual void SetFlatButtonColor(TColor value);
  // Width of the opened list (0: the control's width).
  int DropDownWidth() const { return dropDownWidth_; }
  virtual void SetDropDownWidth(int value);
  bool DroppedDown() const { return droppedDown_; }
  void SetDroppedDown(bool value);

  // The prefix typed so far in a drop-down list, and how long it lasts (1500 ms).
  QString SearchText() const { return searchText_; }
  int SearchInterval() const;
  void SetSearchInterval(int ms);
  void SearchTimerTick();

  // Index of the first item starting with text (case ignored), or -1.
  virtual int FindItemPrefix(const QString& text) const;
  // The drop-down button strip at the right, in the control's coordinates.
  TRect ButtonRect() const;

  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(QChar& key) override;

  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnSelEndOk;
  TNotifyEvent OnSelEndCancel;
  TNotifyEvent OnMatch;
  TFwDeleteComboItemEvent OnDeleteItem;
  TNotifyEvent OnNotInList;

protected:
  // The flat button shows the mouse and the focus too.
  void UpdateFrame(bool viaMouse, bool inFrame) override;
  // The platform box paints its face itself: it is repainted with the frame.
  void RepaintFrame() override;
  // The beep of a refused key (when BeepOnInvalidKey).
  virtual void Beep();
  // Selects the first item starting with text, with change and select events; beeps
  // and returns false when there is none.
  virtual bool SearchAndSelect(const QString& text);
  // Completes the edit text from the items after a typed character; false when the
  // character is to be refused.
  virtual bool AutoCompleteKey(QChar key);
  // Selects an item as the user would: OnSelect and OnChange follow.
  void SelectItem(int index);

  virtual void DoDropDown();
  virtual void DoCloseUp();
  virtual void DoSelEndOk();
  virtual void DoSelEndCancel();
  virtual void DoMatch();
  virtual void DoDeleteItem(int index, const QString& item);
  virtual void DoNotInList();
  // Leaving an editable box whose text is no item (letter case aside) raises OnNotInList.
  void DoExit() override;

  bool eventFilter(QObject* watched, QEvent* event) override;

  void ApplyFlatButtonColor(TColor value) override { SetFlatButtonColor(value); }
  void ApplyFlatButtons(bool value) override { SetFlatButtons(value); }
  bool FramingReadOnly() const override { return readOnly_; }

private:
  bool ListStyle() const { return Style() == TComboBoxStyle::csDropDownList; }
  bool PopupEvent(QObject* watched, QEvent* event);
  void PaintFlatButton();
  void WatchPopup();
  void FinishCloseUp(bool chosen);
  void ItemActivated();
  void WatchEdit(QLineEdit* edit);
  void WatchItems();
  void ItemsLeaving(int first, int last);

  bool allowEdit_ = true;
  bool autoComplete_ = true;
  bool beepOnInvalidKey_ = true;
  bool keepSearchCase_ = false;
  bool tabOnEnter_ = false;
  bool readOnly_ = false;
  bool flatButtons_ = false;
  TColor flatButtonColor_ = clBtnFace;
  int dropDownWidth_ = 0;
  bool droppedDown_ = false;
  bool closePending_ = false;
  std::unique_ptr<QObject> watch_;
  QObject* popup_ = nullptr;
  const QEvent* editKey_ = nullptr;
  QString searchText_;
  QDateTime lastSearchKey_;
  TTimer* searchTimer_;
};

} // namespace fw
