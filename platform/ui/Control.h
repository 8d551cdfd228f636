#pragma once
// TControl: the base of every visible control, a QWidget that is also a TComponent.
//
// Properties are plain getters and setters named as the class library names them.
// Events are std::function members raised through protected virtual Do... methods.
// Qt events arrive as the class library's virtual methods (MouseDown, KeyDown, Click,
// Resize, ...); the layer's notices (mouse enter and leave, font, colour, enabled,
// visible and text changes) travel through Perform and the virtual WndProc, so a
// control can catch them either way.
//
// Ownership: the TComponent owner frees the control; when the parent widget goes first
// Qt deletes the control and it leaves its owner's list, so nothing is deleted twice.

#include "platform/ui/Action.h"
#include "platform/ui/ActionLink.h"
#include "platform/ui/Component.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Types.h"
#include "platform/ui/VirtualKeys.h"

#include <QWidget>
#include <functional>

class QKeyEvent;
class QMouseEvent;

namespace fw {

class TWinControl;
class TForm;
class TPopupMenu;

// Cursor identifiers.
using TCursor = int;
enum : int {
  crDefault = 0,
  crNone = -1,
  crArrow = -2,
  crCross = -3,
  crIBeam = -4,
  crSizeNESW = -6,
  crSizeNS = -7,
  crSizeNWSE = -8,
  crSizeWE = -9,
  crUpArrow = -10,
  crHourGlass = -11,
  crDrag = -12,
  crNoDrop = -13,
  crHSplit = -14,
  crVSplit = -15,
  crMultiDrag = -16,
  crSQLWait = -17,
  crNo = -18,
  crAppStart = -19,
  crHelp = -20,
  crHandPoint = -21,
  crSizeAll = -22,
};
Qt::CursorShape CursorShape(TCursor cursor);

// "short|long" hints: the part before the bar is the tool tip, the part after it the
// status-bar text; a hint without a bar is both.
QString GetShortHint(const QString& hint);
QString GetLongHint(const QString& hint);

// A tool tip that shows text as it is. Qt reads a tip that looks like markup as rich text
// (and would load the pictures it names): such a tip is given as escaped rich text that
// shows the same characters; any other tip stays as it is.
QString PlainToolTip(const QString& text);

using TNotifyEvent = std::function<void(TObject*)>;
using TMouseEvent = std::function<void(TObject*, TMouseButton, TShiftState, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject*, TShiftState, int x, int y)>;
using TKeyEvent = std::function<void(TObject*, WORD& key, TShiftState)>;
using TKeyPressEvent = std::function<void(TObject*, QChar& key)>;

class TControl : public QWidget, public TComponent, public TActionClient {
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  // Parent and place.
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  int Left() const { return x(); }
  int Top() const { return y(); }
  int Width() const { return width(); }
  int Height() const { return height(); }
  void SetLeft(int value) { SetBounds(value, Top(), Width(), Height()); }
  void SetTop(int value) { SetBounds(Left(), value, Width(), Height()); }
  void SetWidth(int value) { SetBounds(Left(), Top(), value, Height()); }
  void SetHeight(int value) { SetBounds(Left(), Top(), Width(), value); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(Left(), Top(), Width(), Height()); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  // The area children and painting use, in the control's own coordinates.
  virtual TRect ClientRect() const;
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  void SetClientWidth(int value) { SetWidth(Width() - ClientWidth() + value); }
  void SetClientHeight(int value) { SetHeight(Height() - ClientHeight() + value); }
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  // Visible is the control's own flag; Showing also needs every parent visible.
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Showing() const { return isVisible(); }
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool value);

  // Caption and Text are one string.
  QString Caption() const { return GetText(); }
  void SetCaption(const QString& value) { SetText(value); }
  QString Text() const { return GetText(); }
  void SetText(const QString& value);

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font) { font_.Assign(font); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);

  QString Hint() const { return hint_; }
  void SetHint(const QString& hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);

  // The action the control follows (caption, enabled, visible, hint) and runs on click.
  TBasicAction* Action() const { return action_; }
  void SetAction(TBasicAction* action);

  void Invalidate() { update(); }
  void Repaint() { repaint(); }
  void Update() { repaint(); }
  void BringToFront() { raise(); }
  void SendToBack() { lower(); }
  // The form the control sits on (nullptr while it has none).
  TForm* ParentForm() const;

  // Sends a notice to the control and returns its result.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

  // Runs the click as a mouse click would (OnClick, else the action).
  virtual void Click();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnResize;

protected:
  // Notices: the default handler turns the layer's CM_ notices into the virtual methods
  // below. Overrides call the base for what they do not handle.
  virtual void WndProc(TMessage& message);

  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void EnabledChanged() { Invalidate(); }
  virtual void VisibleChanged();
  virtual void TextChanged() { Invalidate(); }
  virtual void ParentFontChanged();
  virtual void ParentColorChanged();
  // Align took a new value (the parent has laid its children out again).
  virtual void AlignChanged() {}

  // Keeps the Visible flag in step when a subclass shows or hides the widget itself.
  void SetVisibleFlag(bool value) { visible_ = value; }

  virtual QString GetText() const { return text_; }
  // Stores a new text; controls that keep their text in a Qt widget override this.
  virtual void StoreText(const QString& value) { text_ = value; }

  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void DblClick();
  virtual void Resize();
  virtual void DoContextPopup(TPoint screenPos, bool& handled);

  void Notification(TComponent* component, TOperation operation) override;

  // Action client: a freed action leaves no pointer; a change of the action reaches
  // FollowAction with the values seen before and now.
  void ActionChanged(TBasicAction& action) final;
  void ActionFreed(TBasicAction& action) override;
  // The action was just linked: the control takes its caption, enabled, visible and
  // hint (with checkDefaults, while loading, only those still at their default).
  virtual void ActionLinked(const TAction& action, bool checkDefaults);
  // The action changed: each value follows it while the control still showed the old one.
  virtual void FollowAction(const TActionChange& change);

  // Applies the font, colour and hint to a Qt widget (the control itself or the Qt
  // widget a standard control wraps).
  virtual void ApplyFontTo(QWidget& widget) const;
  virtual void ApplyColorTo(QWidget& widget) const;
  // A standard control that wraps a Qt widget hands it over here: it fills the client
  // area, takes the focus for the control, and its mouse, key and focus events reach
  // the control's virtual methods and events.
  void AdoptInner(QWidget* inner);
  QWidget* Inner() const { return inner_; }
  void LayOutInner();
  // Moves and sizes the widget; a hidden widget gets its resize handling at once (Qt
  // would hold it back until the widget is shown), so aligned children follow.
  void ApplyBounds(const QRect& rect);

  // Qt event entry points.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

  // Key handling shared by windowed controls and wrapped Qt widgets; returns true when a
  // handler swallowed the key. Defined by TWinControl; plain controls take no keys.
  virtual bool HandleKey(QKeyEvent& event) { return false; }

  friend class TWinControl;

private:
  void HandleMousePress(QMouseEvent& event, QWidget* from);
  void HandleMouseRelease(QMouseEvent& event, QWidget* from);
  void HandleMouseMove(QMouseEvent& event, QWidget* from);
  void ApplyHint();

  TWinControl* parent_ = nullptr;
  QWidget* inner_ = nullptr;
  TAlign align_ = TAlign::alNone;
  bool visible_ = true;
  bool enabled_ = true;
  QString text_;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  TFont font_;
  bool parentFont_ = true;
  QString hint_;
  bool showHint_ = true;
  TCursor cursor_ = crDefault;
  TPopupMenu* popupMenu_ = nullptr;
  TBasicAction* action_ = nullptr;
  TActionLink actionLink_;
  bool clickPressed_ = false;
  bool applyingParentFont_ = false;
  bool mouseInside_ = false;
  bool leftByHiding_ = false; // the mouse leave was sent when the control was hidden
};

} // namespace fw
