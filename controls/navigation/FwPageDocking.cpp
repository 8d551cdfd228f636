// Docking of TFwPageControl: every control docked into the page control lives in a
// sheet of its own, and the sheet follows the control's caption and visibility until
// the control leaves it: floated by a double click on its tab, dragged by its tab to
// another dock site or out into a window of its own, or freed.

#include "controls/navigation/FwPageControl.h"

#include "controls/navigation/FwTabSheet.h"
#include "platform/ui/Form.h"

#include <QApplication>
#include <QEvent>
#include <QRegularExpression>
#include <algorithm>
#include <cstdlib>
#include <utility>

namespace fw {

namespace {
QString FirstLine(const QString& text) { return text.section(QRegularExpression(QStringLiteral("[\r\n]")), 0, 0); }
} // namespace

TFwTabSheet* TFwPageControl::DockClient(TControl* control) {
  const bool docked = std::any_of(docked_.begin(), docked_.end(), [control](const TDocked& d) { return d.Control == control; });
  if (!dockSite_ || !control || docked) return nullptr;
  // A window that changes parent is hidden on the way: its visibility is taken first.
  const bool visible = control->Visible();
  auto* sheet = new TFwTabSheet(Owner() ? Owner() : this);
  if (dynamic_cast<TForm*>(control)) sheet->SetCaption(FirstLine(control->Caption()));
  sheet->SetTabVisible(visible);
  sheet->SetPageControl(this);
  docked_.push_back({control, control, sheet});
  control->SetParent(sheet);
  control->SetAlign(TAlign::alClient);
  control->FreeNotification(this);
  control->installEventFilter(this);
  if (visible) {
    control->show();
    SetActivePage(sheet);
  }
  return sheet;
}

TControl* TFwPageControl::DockedControl(const TFwTabSheet* sheet) const {
  for (const TDocked& d : docked_)
    if (d.Sheet == sheet) return d.Control;
  return nullptr;
}

void TFwPageControl::Undock(TControl* control) {
  if (control) Undock(control, control->ClientToScreen(Point(0, 0)));
}

void TFwPageControl::Undock(TControl* control, TPoint screenPos) {
  const auto it = std::find_if(docked_.begin(), docked_.end(), [control](const TDocked& d) { return d.Control == control; });
  if (it == docked_.end()) return;
  control->SetAlign(TAlign::alNone);
  control->SetParent(nullptr);  // the sheet hears of it and goes
  control->move(screenPos.X, screenPos.Y);
  control->show();
}

void TFwPageControl::DockedControlLeft(const TComponent* component, bool freeing) {
  const auto it =
      std::find_if(docked_.begin(), docked_.end(), [component](const TDocked& d) { return d.Component == component; });
  if (it == docked_.end()) return;
  TControl* control = it->Control;
  TFwTabSheet* sheet = it->Sheet;
  docked_.erase(it);
  if (!freeing) {
    control->removeEventFilter(this);
    control->RemoveFreeNotification(this);
  }
  // A sheet that is going already (it took the control with it) is left alone.
  if (Closing() || IndexOfPage(sheet) < 0) return;
  TFwTabSheet* next = sheet == activePage_ ? FindNextPage(sheet, true, true) : nullptr;
  if (freeing) {
    // The control being freed is still the sheet's child: the sheet leaves the pages now
    // and goes once the control is gone.
    RemovePage(sheet);
    sheet->hide();
    sheet->deleteLater();
  } else {
    sheet->Free();
  }
  if (next && next != sheet) SetActivePage(next);
}

void TFwPageControl::DockedCaptionChanged(const TDocked& docked) {
  if (dynamic_cast<TForm*>(docked.Control)) docked.Sheet->SetCaption(FirstLine(docked.Control->Caption()));
}

bool TFwPageControl::eventFilter(QObject* watched, QEvent* event) {
  const auto it = std::find_if(docked_.begin(), docked_.end(), [watched](const TDocked& d) {
    return static_cast<QObject*>(d.Control) == watched;
  });
  if (it != docked_.end() && !Closing()) {
    switch (event->type()) {
    case QEvent::ParentChange:
      if (it->Control->parent() != it->Sheet) DockedControlLeft(it->Component, false);
      break;
    case QEvent::WindowTitleChange: DockedCaptionChanged(*it); break;
    case QEvent::ShowToParent:
    case QEvent::HideToParent: it->Sheet->SetTabVisible(event->type() == QEvent::ShowToParent); break;
    default: break;
    }
  }
  return TFwCustomTabControl::eventFilter(watched, event);
}

void TFwPageControl::DblClick() {
  QPointer<TFwPageControl> guard(this);
  TFwCustomTabControl::DblClick();
  if (!guard || !dockSite_ || !dblClickUndocks_) return;
  if (TControl* control = DockedControl(PageForTab(TabAtPos(LastPress())))) Undock(control);
}

// ---- dragging a docked control by its tab ---------------------------------------------

void TFwPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  QPointer<TFwPageControl> guard(this);
  dockDrag_ = {};
  // The sheet is found before the click selects its tab, which may turn the rows.
  const TFwTabSheet* pressed = PageForTab(TabAtPos({x, y}));
  TFwCustomTabControl::MouseDown(button, shift, x, y);
  if (!guard || button != TMouseButton::mbLeft || !dockSite_) return;
  // The drag is not immediate: it gets under way once the pointer moves far enough.
  if (TControl* control = DockedControl(pressed)) dockDrag_ = {control, {x, y}, false};
}

void TFwPageControl::MouseMove(TShiftState shift, int x, int y) {
  if (!dockDrag_.Control || !(shift & ssLeft)) {
    dockDrag_ = {};
    TFwCustomTabControl::MouseMove(shift, x, y);
    return;
  }
  // While a docked control is held the strip neither tracks the pointer nor drags tabs.
  if (std::abs(x - dockDrag_.Start.X) + std::abs(y - dockDrag_.Start.Y) >= QApplication::startDragDistance())
    dockDrag_.Moved = true;
}

void TFwPageControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  QPointer<TFwPageControl> guard(this);
  TFwCustomTabControl::MouseUp(button, shift, x, y);
  if (!guard || button != TMouseButton::mbLeft) return;
  const TDockDrag drag = std::exchange(dockDrag_, {});
  if (drag.Control && drag.Moved) EndDockDrag(drag.Control, ClientToScreen(Point(x, y)));
}

// The page control under the pointer that is a dock site takes the control (this one
// keeps it); anywhere else the control floats with its corner at the pointer.
void TFwPageControl::EndDockDrag(TControl* control, TPoint screenPos) {
  TFwPageControl* site = nullptr;
  for (QWidget* w = QApplication::widgetAt(screenPos.X, screenPos.Y); w && !site; w = w->parentWidget())
    if (auto* pages = dynamic_cast<TFwPageControl*>(w); pages && pages->DockSite()) site = pages;
  if (site == this) return;
  if (site) site->DockClient(control);
  else Undock(control, screenPos);
}

} // namespace fw
