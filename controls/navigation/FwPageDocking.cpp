// Docking of TFwPageControl: every control docked into the page control lives in a
// sheet of its own, and the sheet follows the control's caption and visibility until
// the control leaves it.

#include "controls/navigation/FwPageControl.h"

#include "controls/navigation/FwTabSheet.h"
#include "platform/ui/Form.h"

#include <QEvent>
#include <QRegularExpression>
#include <algorithm>

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
  const auto it = std::find_if(docked_.begin(), docked_.end(), [control](const TDocked& d) { return d.Control == control; });
  if (it == docked_.end()) return;
  const TPoint screen = control->ClientToScreen(Point(0, 0));
  control->SetAlign(TAlign::alNone);
  control->SetParent(nullptr);  // the sheet hears of it and goes
  control->move(screen.X, screen.Y);
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

} // namespace fw
