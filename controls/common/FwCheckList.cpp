#include "controls/common/FwCheckList.h"

#include "controls/common/FwGraphics.h"
#include "platform/shell/GbkCodec.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/ListError.h"
#include "platform/ui/Setters.h"
#include "platform/ui/VirtualKeys.h"

#include <QFile>
#include <QFontMetrics>
#include <QListWidget>
#include <QMouseEvent>
#include <QSaveFile>


namespace fw {

namespace {

// An item's packet lives in its list widget item, so it moves and dies with its string.
constexpr int kStateRole = Qt::UserRole + 40;
constexpr int kDisabledRole = Qt::UserRole + 41;
constexpr int kObjectRole = Qt::UserRole + 42;
// What travels with an item's string.
constexpr int kPacketRoles[] = {kStateRole, kDisabledRole, kObjectRole};

// Reads one line: "&E S text " gives the enabled flag (E is "1"), the state (the digit S,
// kept as it stands even outside 0..2) and the text after the fifth character less the
// one space the writer appends (keeping it would lengthen the text on every save). Any
// other line, one whose fourth character is no digit among them, is an enabled,
// unchecked item with the whole line as its text: one odd line costs no other line.
TFwCheckListItem ReadLine(const QString& line) {
  TFwCheckListItem item{line};
  if (!line.startsWith(QLatin1Char('&')) || line.size() < 4) return item;
  const char16_t digit = line[3].unicode();
  if (digit < u'0' || digit > u'9') return item;
  item.Enabled = line[1] == QLatin1Char('1');
  item.State = static_cast<TCheckBoxState>(digit - u'0');
  item.Text = line.mid(5);
  if (item.Text.endsWith(QLatin1Char(' '))) item.Text.chop(1);
  return item;
}

// The file's lines, each decoded on its own (CR LF, CR or LF end a line; no GBK byte is
// either), so that bytes that are not GBK spoil only their own line.
QStringList FileLines(const QByteArray& bytes) {
  QStringList lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    lines.append(FromGbk(bytes.mid(start, i - start)));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.append(FromGbk(bytes.mid(start)));
  return lines;
}

} // namespace

TFwCheckList::TFwCheckList(TComponent* owner)
    : TFwCustomTabbedListBox(owner), customGlyphs_(std::make_unique<TBitmap>()) {
  SetGroupMode(true);
  FitItemHeight();
}

TFwCheckList::~TFwCheckList() = default;

void TFwCheckList::SetItems(const QStringList& lines) {
  Widget()->setUpdatesEnabled(false);
  ClearItems();
  AddStrings(lines);
  Widget()->setUpdatesEnabled(true);
  Invalidate();
}

void TFwCheckList::SetItems(const std::vector<TFwCheckListItem>& items) {
  Widget()->setUpdatesEnabled(false);
  ClearItems();
  AddStrings(items);
  Widget()->setUpdatesEnabled(true);
  Invalidate();
}

void TFwCheckList::AddStrings(const QStringList& lines) {
  for (const QString& line : lines) {
    const TFwCheckListItem item = ReadLine(line);
    AddItem(item.Text, item.State, item.Enabled);
  }
}

void TFwCheckList::AddStrings(const std::vector<TFwCheckListItem>& items) {
  for (const TFwCheckListItem& item : items) AddItem(item.Text, item.State, item.Enabled);
}

std::vector<TFwCheckListItem> TFwCheckList::CheckItems() const {
  std::vector<TFwCheckListItem> items;
  for (int i = 0; i < Count(); ++i) items.push_back({Item(i), ItemState(i), ItemEnabled(i)});
  return items;
}

void TFwCheckList::AddItem(const QString& text, TCheckBoxState state, bool enabled) {
  TListBox::AddItem(text);
  QListWidgetItem* item = Widget()->item(Count() - 1);
  item->setData(kStateRole, static_cast<int>(state));
  item->setData(kDisabledRole, !enabled);
}

QListWidgetItem* TFwCheckList::CheckedItem(int index) const {
  QListWidgetItem* item = Widget()->item(index);
  if (!item) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
  return item;
}

TCheckBoxState TFwCheckList::ItemState(int index) const {
  return static_cast<TCheckBoxState>(CheckedItem(index)->data(kStateRole).toInt());
}

void TFwCheckList::SetItemState(int index, TCheckBoxState value) {
  QListWidgetItem* item = CheckedItem(index);
  if (ItemState(index) == value) return;
  item->setData(kStateRole, static_cast<int>(value));
  Widget()->viewport()->update(GlyphCell(index).ToQt());
}

void TFwCheckList::SetItemChecked(int index, bool value) {
  SetItemState(index, value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
}

bool TFwCheckList::ItemEnabled(int index) const { return !CheckedItem(index)->data(kDisabledRole).toBool(); }

void TFwCheckList::SetItemEnabled(int index, bool value) {
  QListWidgetItem* item = CheckedItem(index);
  if (ItemEnabled(index) == value) return;
  item->setData(kDisabledRole, !value);
  Widget()->viewport()->update();
}

void TFwCheckList::CheckAll() {
  for (int i = 0; i < Count(); ++i) SetItemChecked(i, true);
}

void TFwCheckList::UncheckAll() {
  for (int i = 0; i < Count(); ++i) SetItemChecked(i, false);
}

int TFwCheckList::CheckedCount() const {
  int count = 0;
  for (int i = 0; i < Count(); ++i)
    if (ItemChecked(i) && !IsGroupItem(i)) ++count;
  return count;
}

TRect TFwCheckList::GlyphCell(int index) const {
  const QRect r = Widget()->visualRect(Widget()->model()->index(index, 0));
  const int inset = (ItemHeight() - glyphHeight_) / 2;
  return Rect(r.left(), r.top() + inset, r.left() + glyphWidth_ + 4, r.top() + r.height() - inset);
}

TFwCheckListGlyphLook TFwCheckList::GlyphLook(int index) const {
  TFwCheckListGlyphLook look;
  const bool enabled = ItemEnabled(index) && Enabled();
  if (useCustomGlyphs_) {
    // Cells 0-2 for an enabled item, 3-5 for a disabled one; a state read from a file
    // outside 0..2 shows unchecked, as the painted glyph shows it.
    const int state = int(ItemState(index));
    look.CustomCell = (state <= 2 ? state : 0) + (enabled ? 0 : 3);
    return look;
  }
  TFwGlyphFace& face = look.Face;
  face.State = ItemState(index);
  face.Look = enabled ? TFwGlyphLook::normal : TFwGlyphLook::disabled;
  face.Focused = Focused();
  face.FrameColor = itemFrameColor_;
  face.FillColor = itemFillColor_;
  face.FocusColor = itemFocusColor_;
  face.DisabledColor = DisabledColor();
  face.MarkColor = highlightColor_;
  return look;
}

void TFwCheckList::SetCustomGlyphs(const TBitmap& value) {
  customGlyphs_->Assign(value);
  useCustomGlyphs_ = !customGlyphs_->Empty();
  GlyphKindChanged();
}

void TFwCheckList::SetUseCustomGlyphs(bool value) {
  if (StoreIfChanged(useCustomGlyphs_, value)) GlyphKindChanged();
}

// The glyph size follows the kind of glyph, and the items' height the glyph. A strip
// that is still empty gives glyphs of no size.
void TFwCheckList::GlyphKindChanged() {
  glyphWidth_ = useCustomGlyphs_ ? customGlyphs_->Width() / kGlyphCells : kGlyphSize;
  glyphHeight_ = useCustomGlyphs_ ? customGlyphs_->Height() : kGlyphSize;
  FitItemHeight();
  Invalidate();
  Widget()->viewport()->update();
}

// File ---------------------------------------------------------------------------------

QByteArray TFwCheckList::SaveToBytes() const {
  QByteArray out;
  for (int i = 0; i < Count(); ++i) {
    out += '&';
    out += ItemEnabled(i) ? '1' : '0';
    out += ' ';
    out += QByteArray::number(static_cast<int>(ItemState(i)));
    out += ' ';
    out += ToGbk(Item(i));
    out += " \r\n";
  }
  return out;
}

void TFwCheckList::LoadFromBytes(const QByteArray& bytes) { SetItems(FileLines(bytes)); }

bool TFwCheckList::LoadFromFile(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return false;
  LoadFromBytes(file.readAll());
  return true;
}

bool TFwCheckList::SaveToFile(const QString& fileName) const {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(SaveToBytes());
  return file.commit();
}

// Toggling -----------------------------------------------------------------------------

void TFwCheckList::ToggleCurrent() {
  togglePending_ = false;
  const int index = ItemIndex();
  if (index < 0 || !ItemEnabled(index) || IsGroupItem(index)) return;
  TCheckBoxState next = TCheckBoxState::cbUnchecked;
  switch (ItemState(index)) {
  case TCheckBoxState::cbUnchecked:
    next = allowGrayed_ ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked;
    break;
  case TCheckBoxState::cbChecked:
    next = TCheckBoxState::cbUnchecked;
    break;
  case TCheckBoxState::cbGrayed:
    next = TCheckBoxState::cbChecked;
    break;
  }
  bool allow = true;
  DoChanging(index, next, allow);
  if (!allow) return;
  SetItemState(index, next);
  DoChange(index, next);
}

void TFwCheckList::DoChanging(int index, TCheckBoxState newState, bool& allowChange) {
  if (OnChanging) OnChanging(this, index, newState, allowChange);
}

void TFwCheckList::DoChange(int index, TCheckBoxState newState) {
  if (OnChange) OnChange(this, index, newState);
}

void TFwCheckList::KeyDown(WORD& key, TShiftState shift) {
  if (key == VK_SPACE) {
    togglePending_ = true;
    pressedIndex_ = ItemIndex();
  }
  TFwCustomTabbedListBox::KeyDown(key, shift);
}

void TFwCheckList::KeyUp(WORD& key, TShiftState shift) {
  if (key == VK_SPACE && togglePending_) ToggleCurrent();
  TFwCustomTabbedListBox::KeyUp(key, shift);
}

void TFwCheckList::KeyPress(QChar& key) {
  // A space toggles; it is not part of a typed search prefix.
  if (key == QLatin1Char(' ')) return;
  TFwCustomTabbedListBox::KeyPress(key);
}

bool TFwCheckList::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Widget()->viewport()) {
    if (event->type() == QEvent::MouseButtonPress) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      ViewportPress(mouse->position().toPoint(), mouse->button());
    } else if (event->type() == QEvent::MouseButtonRelease) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton) ViewportRelease(mouse->position().toPoint());
    }
  }
  return TFwCustomTabbedListBox::eventFilter(watched, event);
}

// Runs before the list's own handling, which then moves the selection to the pressed item.
// The item current at the press is remembered: the release toggles only when the press
// left it current, so the first click on another item's glyph just selects that item.
void TFwCheckList::ViewportPress(QPoint pos, Qt::MouseButton button) {
  const int index = Widget()->indexAt(pos).row();
  if (index < 0) return;
  if (button == Qt::RightButton) {
    if (index != ItemIndex()) {
      SetItemIndex(index);
      Click();
    }
    return;
  }
  if (button != Qt::LeftButton) return;
  const bool onGlyph = pos.x() < GlyphCell(index).Right;
  if (!toggleOnItemClick_ && !onGlyph) return;
  togglePending_ = true;
  pressedIndex_ = ItemIndex();
}

void TFwCheckList::ViewportRelease(QPoint pos) {
  if (!togglePending_) return;
  togglePending_ = false;
  if (ItemIndex() == pressedIndex_ && Widget()->viewport()->rect().contains(pos)) ToggleCurrent();
}

// Look ---------------------------------------------------------------------------------

void TFwCheckList::DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state) {
  const bool enabled = ItemEnabled(index) && Enabled();
  // The glyph lies left of the text rectangle, outside the clip the list set for the
  // text, so it is drawn with that clip lifted.
  canvas.RestoreDC();
  const TColor brush = canvas.Brush().Color();
  const TRect zone = Rect(rect.Left - glyphWidth_ - 8, rect.Top, rect.Left, rect.Bottom);
  canvas.Brush().SetColor(Color());
  canvas.FillRect(zone);
  const int top = rect.Top + (rect.Height() - glyphHeight_) / 2;
  DrawGlyph(canvas, index, Rect(rect.Left - glyphWidth_ - 4, top, rect.Left - 4, top + glyphHeight_));
  canvas.SaveDC();
  canvas.IntersectClipRect(rect);
  canvas.Brush().SetColor(brush);
  if (!enabled && !(state & odSelected))
    canvas.Font().SetColor(Color() == clBtnShadow ? clBtnFace : clBtnShadow);
  TFwCustomTabbedListBox::DrawItem(canvas, index, rect, state);
}

void TFwCheckList::DrawGlyph(TCanvas& canvas, int index, const TRect& glyph) {
  TFwCheckListGlyphLook look = GlyphLook(index);
  if (look.CustomCell >= 0) {
    const TRect source = Bounds(look.CustomCell * glyphWidth_, 0, glyphWidth_, glyphHeight_);
    StretchTransparentBitmapSimple(canvas, *customGlyphs_, glyph, transparentColor_, source);
    return;
  }
  look.Face.Rect = glyph;
  DrawCheckGlyph(canvas, look.Face);
}

void TFwCheckList::FitItemHeight() {
  const QFontMetrics metrics(Font().ToQFont());
  SetItemHeight(std::max(glyphHeight_ + 4, metrics.height() + 2));
}

void TFwCheckList::FontChanged() {
  TFwCustomTabbedListBox::FontChanged();
  FitItemHeight();
}

// Enabling or disabling the control carries over to every item.
void TFwCheckList::EnabledChanged() {
  TFwCustomTabbedListBox::EnabledChanged();
  for (int i = 0; i < Count(); ++i) SetItemEnabled(i, Enabled());
}

void TFwCheckList::SetColorField(TColor& field, TColor value) {
  if (field == value) return;
  field = value;
  Invalidate();
  Widget()->viewport()->update();
}

// ---- Items as a string list ------------------------------------------------------------

int TFwCheckListStrings::Count() const { return list_.Count(); }

void TFwCheckListStrings::CheckIndex(int index) const { list_.CheckedItem(index); }

QString TFwCheckListStrings::Get(int index) const { return list_.CheckedItem(index)->text(); }

void TFwCheckListStrings::Put(int index, const QString& text) { list_.CheckedItem(index)->setText(text); }

int TFwCheckListStrings::Add(const QString& text) {
  list_.AddItem(text, TCheckBoxState::cbUnchecked, true);
  return Count() - 1;
}

void TFwCheckListStrings::Insert(int index, const QString& text) {
  if (index == -1) index = Count();
  if (index < 0 || index > Count()) throw EOutOfResources(QStringLiteral("Unable to insert a line"));
  list_.InsertItem(index, text);
  QListWidgetItem* item = list_.Widget()->item(index);
  item->setData(kStateRole, static_cast<int>(TCheckBoxState::cbUnchecked));
  item->setData(kDisabledRole, false);
}

void TFwCheckListStrings::Delete(int index) {
  CheckIndex(index);
  list_.DeleteItem(index);
}

void TFwCheckListStrings::Clear() { list_.ClearItems(); }

void TFwCheckListStrings::Exchange(int index1, int index2) {
  QListWidgetItem* a = list_.CheckedItem(index1);
  QListWidgetItem* b = list_.CheckedItem(index2);
  const QString text = a->text();
  a->setText(b->text());
  b->setText(text);
  for (const int role : kPacketRoles) {
    const QVariant value = a->data(role);
    a->setData(role, b->data(role));
    b->setData(role, value);
  }
}

void TFwCheckListStrings::Move(int from, int to) {
  CheckIndex(from);
  CheckIndex(to);
  list_.MoveItem(from, to);
}

TObject* TFwCheckListStrings::Objects(int index) const {
  return reinterpret_cast<TObject*>(list_.CheckedItem(index)->data(kObjectRole).value<quintptr>());
}

void TFwCheckListStrings::SetObjects(int index, TObject* object) {
  list_.CheckedItem(index)->setData(kObjectRole, QVariant::fromValue(reinterpret_cast<quintptr>(object)));
}

void TFwCheckListStrings::BeginUpdate() {
  if (updateCount_++ == 0) list_.Widget()->setUpdatesEnabled(false);
}

void TFwCheckListStrings::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ > 0) return;
  list_.Widget()->setUpdatesEnabled(true);
  list_.Invalidate();
  list_.Widget()->viewport()->update();
}

} // namespace fw
