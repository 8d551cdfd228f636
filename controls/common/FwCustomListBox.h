#pragma once
// TFwCustomListBox: the library's framed list box. Its background follows its state
// (normal, focused, disabled colours) and with FrameVisible it draws its own frame, hot
// while hovered or focused when FrameHotTrack is on, like the framed edit; it can take
// its look from a frame controller. It draws its items itself: items whose text starts
// with "//" are group headers in group mode, drawn as a band in GroupFont. Typing
// selects the first item that starts with what was typed within the search interval
// (1.5 s); with HorzScrollBar the horizontal extent follows the widest item.

#include "controls/common/FwFramed.h"
#include "platform/ui/ListBox.h"

#include <QDateTime>
#include <QPointer>
#include <memory>

class QPainter;

namespace fw {

class TCanvas;
class TTimer;

// Owner-draw state of an item (a bit set).
using TOwnerDrawState = unsigned;
enum : unsigned { odSelected = 0x1, odDisabled = 0x4, odFocused = 0x10 };

class TFwCustomListBox;
using TFwDrawItemEvent =
    std::function<void(TFwCustomListBox* sender, TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state)>;

class TFwCustomListBox : public TFwFramed<TListBox> {
public:
  explicit TFwCustomListBox(TComponent* owner);
  ~TFwCustomListBox() override;

  bool IncrementalSearch() const { return incrementalSearch_; }
  void SetIncrementalSearch(bool value) { incrementalSearch_ = value; }
  bool BeepOnInvalidKey() const { return beepOnInvalidKey_; }
  void SetBeepOnInvalidKey(bool value) { beepOnInvalidKey_ = value; }
  bool TabOnEnter() const { return tabOnEnter_; }
  void SetTabOnEnter(bool value) { tabOnEnter_ = value; }
  // Whether an item whose text is clipped shows its whole text as a hint while the
  // pointer is over it (true for the plain list box, false for the tabbed one).
  bool ShowItemHints() const { return showItemHints_; }
  void SetShowItemHints(bool value) { showItemHints_ = value; }
  // The window that shows a clipped item's whole text over the item (none before the
  // first such hint).
  QWidget* ItemHintWindow() const { return itemHint_; }
  // The prefix typed so far, and how long it lasts without typing (1500 ms).
  QString SearchText() const { return searchText_; }
  int SearchInterval() const;
  void SetSearchInterval(int ms);
  // Runs the search timer's tick as if the interval had run out.
  void SearchTimerTick();

  // Pixel height of every item; 0 fits it to the font.
  int ItemHeight() const;
  void SetItemHeight(int value);
  int HorzExtent() const { return horzExtent_; }
  void SetHorzExtent(int value);
  bool HorzScrollBar() const { return horzScrollBar_; }
  void SetHorzScrollBar(bool value);

  TColor GroupColor() const { return groupColor_; }
  void SetGroupColor(TColor value);
  const TFont& GroupFont() const { return groupFont_; }
  void SetGroupFont(const TFont& value);
  bool UseGradients() const { return useGradients_; }
  void SetUseGradients(bool value);
  bool GroupMode() const { return groupMode_; }
  virtual void SetGroupMode(bool value);
  // The index is an item whose text starts with the group prefix "//".
  virtual bool IsGroupItem(int index) const;
  // First item starting with text (case ignored), or -1.
  virtual int FindString(const QString& text) const;

  // Enter-as-Tab and the incremental search run here.
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(QChar& key) override;

  TFwDrawItemEvent OnDrawItem;
  TNotifyEvent OnMatch;

protected:
  // Pixels the item text is moved in from the left (room for a glyph in descendants).
  virtual int TextIndent() const { return 0; }
  virtual void GroupFontChanged() {}
  // Paints one item into rect on canvas: OnDrawItem when assigned, else the text.
  virtual void DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state);
  virtual void DrawGroupItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state);
  // Writes an item's text with its top-left at (x, y); tabbed list boxes place columns.
  virtual void DrawItemText(TCanvas& canvas, int x, int y, const QString& text);
  // The items were added, removed or changed.
  virtual void ItemsChanged();
  virtual void FitWidestItem();
  virtual void DoMatch();
  // Width in pixels of text in font.
  int MeasureText(const TFont& font, const QString& text) const;

  void Loaded() override;
  void ColorChanged() override;
  void FontChanged() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Shows the whole text of a clipped item under the pointer as a hint.
  virtual void UpdateItemHint(QPoint viewportPos);

private:
  class Delegate;
  friend class Delegate;
  void PaintItem(QPainter& painter, int index, const QRect& rect, TOwnerDrawState state);
  void Search(const QString& candidate, QChar key);
  void ClearSearch();
  void ApplyItemSize();

  void HideItemHint();

  std::unique_ptr<QObject> itemWatch_;
  QPointer<QWidget> itemHint_;
  bool incrementalSearch_ = true;
  bool beepOnInvalidKey_ = true;
  bool tabOnEnter_ = false;
  bool showItemHints_ = true;
  QString searchText_;
  TTimer* searchTimer_;
  QDateTime lastSearchKey_;
  bool searching_ = false;
  int itemHeight_ = 0;
  int horzExtent_ = 0;
  bool horzScrollBar_ = false;
  TColor groupColor_ = clInactiveCaptionText;
  TFont groupFont_;
  bool groupFontChanged_ = false;
  bool useGradients_ = true;
  bool groupMode_ = false;
};

} // namespace fw
