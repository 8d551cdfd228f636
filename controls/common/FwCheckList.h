#pragma once
// TFwCheckList: a tabbed list box whose items each carry a check state (unchecked,
// checked, grayed) and an enabled flag, drawn as a check glyph in front of the text.
// Group headers ("//" prefix) are bands without a glyph: never toggled, never counted.
// The items with their states are saved to and loaded from a GBK text file, one line
// per item: "&<enabled> <state> <text> " followed by CR LF. The glyphs are painted, or
// cut from a strip of six custom cells (unchecked, checked, grayed; then the same for
// disabled items).

#include "controls/common/FwCustomGlyphButton.h"
#include "controls/common/FwCustomTabbedListBox.h"
#include "platform/ui/CheckBox.h"

#include <functional>
#include <memory>

class QListWidgetItem;

namespace fw {

class TBitmap;
class TFwCheckList;

// How one item's glyph is drawn: a cell of the custom strip, or the painted glyph.
struct TFwCheckListGlyphLook {
  // Cell of the custom strip (0-5), or -1 when the glyph is painted from Face.
  int CustomCell = -1;
  TFwGlyphFace Face;
};

// One item as the check list holds it.
struct TFwCheckListItem {
  QString Text;
  TCheckBoxState State = TCheckBoxState::cbUnchecked;
  bool Enabled = true;
};

// Asked before an item's state changes by the user; clearing allowChange refuses it.
using TStateChangingEvent =
    std::function<void(TObject* sender, int index, TCheckBoxState newState, bool& allowChange)>;
using TStateChangeEvent = std::function<void(TObject* sender, int index, TCheckBoxState newState)>;

// The check list's items as a string list. Each string carries its packet (check state
// and enabled flag) and its object: replacing the text keeps them, exchanging and moving
// take them along. An index outside the items throws EListError
// "List index out of bounds (<index>)".
class TFwCheckListStrings {
public:
  explicit TFwCheckListStrings(TFwCheckList& list) : list_(list) {}

  int Count() const;
  QString Get(int index) const;
  // A new text; the state, enabled flag and object stay, and so does the list's item index.
  void Put(int index, const QString& text);
  // Adds an unchecked, enabled item; its index.
  int Add(const QString& text);
  // An unchecked, enabled item before index (-1 or Count(): at the end); any other index
  // throws EOutOfResources "Unable to insert a line".
  void Insert(int index, const QString& text);
  void Delete(int index);
  void Clear();
  void Exchange(int index1, int index2);
  void Move(int from, int to);
  TObject* Objects(int index) const;
  void SetObjects(int index, TObject* object);
  // The list repaints once, at the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();

private:
  void CheckIndex(int index) const;

  TFwCheckList& list_;
  int updateCount_ = 0;
};

class TFwCheckList : public TFwCustomTabbedListBox {
public:
  explicit TFwCheckList(TComponent* owner);
  ~TFwCheckList() override;

  // Adds an item with its state and enabled flag (the plain AddItem adds it unchecked, enabled).
  void AddItem(const QString& text, TCheckBoxState state, bool enabled = true);
  using TListBox::AddItem;
  // Assigning the items: the list is cleared, then the lines are added as AddStrings does.
  void SetItems(const QStringList& lines);
  void SetItems(const std::vector<TFwCheckListItem>& items);
  // Adds lines: a line that begins with "&" is read as a line of the file ("&1 1 表一 ":
  // enabled, checked; the state digit is kept as it stands), any other is added
  // unchecked and enabled. A line starting with "&" whose fourth character is no digit
  // is added as it stands.
  void AddStrings(const QStringList& lines);
  // Adds items with their states and enabled flags (another check list's, say).
  void AddStrings(const std::vector<TFwCheckListItem>& items);
  // The items with their states and enabled flags.
  std::vector<TFwCheckListItem> CheckItems() const;
  // The items as a string list whose strings carry their states.
  TFwCheckListStrings& Strings() { return strings_; }
  const TFwCheckListStrings& Strings() const { return strings_; }

  // Item states and flags; an index outside the items throws EListError
  // "List index out of bounds (<index>)".
  TCheckBoxState ItemState(int index) const;
  virtual void SetItemState(int index, TCheckBoxState value);
  bool ItemChecked(int index) const { return ItemState(index) == TCheckBoxState::cbChecked; }
  void SetItemChecked(int index, bool value);
  bool ItemEnabled(int index) const;
  virtual void SetItemEnabled(int index, bool value);
  // Checks or unchecks every item, group headers included.
  void CheckAll();
  void UncheckAll();
  // Checked items that are not group headers.
  int CheckedCount() const;

  // Reads the items from fileName, one per line as AddStrings reads lines; an odd line
  // is an item like any other. A missing or unreadable file leaves the list as it was
  // and returns false.
  bool LoadFromFile(const QString& fileName);
  // Writes the items to fileName through a temporary file, so a failed write leaves the
  // old file whole. Returns false when the file cannot be written.
  bool SaveToFile(const QString& fileName) const;
  // The file's bytes for the items, and the items from such bytes (bytes that are not
  // GBK read as U+FFFD within their line).
  QByteArray SaveToBytes() const;
  void LoadFromBytes(const QByteArray& bytes);

  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool value) { allowGrayed_ = value; }
  bool ToggleOnItemClick() const { return toggleOnItemClick_; }
  void SetToggleOnItemClick(bool value) { toggleOnItemClick_ = value; }
  TColor HighlightColor() const { return highlightColor_; }
  void SetHighlightColor(TColor value) { SetColorField(highlightColor_, value); }
  TColor ItemFillColor() const { return itemFillColor_; }
  void SetItemFillColor(TColor value) { SetColorField(itemFillColor_, value); }
  TColor ItemFocusColor() const { return itemFocusColor_; }
  void SetItemFocusColor(TColor value) { SetColorField(itemFocusColor_, value); }
  TColor ItemFrameColor() const { return itemFrameColor_; }
  void SetItemFrameColor(TColor value) { SetColorField(itemFrameColor_, value); }
  // A strip of six glyph cells; a non-empty strip turns UseCustomGlyphs on, an empty
  // one off.
  const TBitmap& CustomGlyphs() const { return *customGlyphs_; }
  void SetCustomGlyphs(const TBitmap& value);
  // On: the glyph is a cell of the strip (strip width / 6 x strip height); off: 13 x 13.
  bool UseCustomGlyphs() const { return useCustomGlyphs_; }
  void SetUseCustomGlyphs(bool value);
  // The colour left out of the custom cells.
  TColor TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(TColor value) { SetColorField(transparentColor_, value); }
  int GlyphWidth() const override { return glyphWidth_ + 8; }
  int GlyphSizeX() const { return glyphWidth_; }
  int GlyphSizeY() const { return glyphHeight_; }
  // The zone at the left of an item (in viewport pixels) where a click toggles it.
  TRect GlyphCell(int index) const;
  // How an item's glyph is drawn now.
  TFwCheckListGlyphLook GlyphLook(int index) const;

  TStateChangingEvent OnChanging;
  TStateChangeEvent OnChange;

protected:
  // Toggles the current item as the user does: unchecked -> (grayed ->) checked -> unchecked.
  virtual void ToggleCurrent();
  virtual void DoChanging(int index, TCheckBoxState newState, bool& allowChange);
  virtual void DoChange(int index, TCheckBoxState newState);

  int TextIndent() const override { return glyphWidth_ + 8; }
  void DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state) override;
  void FontChanged() override;
  void EnabledChanged() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyUp(WORD& key, TShiftState shift) override;
  void KeyPress(QChar& key) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  static constexpr int kGlyphSize = 13;
  static constexpr int kGlyphCells = 6;
  void FitItemHeight();
  void DrawGlyph(TCanvas& canvas, int index, const TRect& glyph);
  // The list item at index; an index outside the items throws EListError.
  QListWidgetItem* CheckedItem(int index) const;
  void GlyphKindChanged();
  void SetColorField(TColor& field, TColor value);
  void ViewportPress(QPoint pos, Qt::MouseButton button);
  void ViewportRelease(QPoint pos);

  bool allowGrayed_ = false;
  bool toggleOnItemClick_ = false;
  TColor highlightColor_ = clHighlight;
  TColor itemFillColor_ = clWindow;
  TColor itemFocusColor_ = clWindow;
  TColor itemFrameColor_ = clBtnShadow;
  std::unique_ptr<TBitmap> customGlyphs_;
  bool useCustomGlyphs_ = false;
  TColor transparentColor_ = 0x00008080;
  int glyphWidth_ = kGlyphSize;
  int glyphHeight_ = kGlyphSize;
  bool togglePending_ = false;
  int pressedIndex_ = -1;
  TFwCheckListStrings strings_{*this};

  friend class TFwCheckListStrings;
};

} // namespace fw
