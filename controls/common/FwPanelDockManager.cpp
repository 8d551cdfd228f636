#include "controls/common/FwPanelDockManager.h"

#include "controls/common/FwBorders.h"
#include "controls/common/FwCustomPanel.h"
#include "controls/common/FwGlyphs.h"
#include "platform/ui/Canvas.h"

#include <QApplication>
#include <QPainter>

namespace fw {

TFwPanelDockManager::TFwPanelDockManager(TFwCustomPanel& site) : site_(site) {
  // A change of focus changes which grabber shows the active colours.
  focusWatch_ = new QObject;
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) {
    QPointer<TFwCustomPanel> guard(&site_);
    QObject::connect(app, &QApplication::focusChanged, focusWatch_, [guard] {
      if (guard) guard->Invalidate();
    });
  }
}

TFwPanelDockManager::~TFwPanelDockManager() { delete focusWatch_; }

bool TFwPanelDockManager::GrabbersOnLeft() const {
  return site_.Align() == TAlign::alTop || site_.Align() == TAlign::alBottom;
}

void TFwPanelDockManager::AdjustDockRect(TRect& r) const {
  if (GrabbersOnLeft()) r.Left += GrabberSize;
  else r.Top += GrabberSize;
}

void TFwPanelDockManager::InsertControl(TControl* client, const TRect& r) {
  if (!client || Contains(client)) return;
  clients_.emplace_back(client);
  client->SetParent(&site_);
  TRect place = r;
  AdjustDockRect(place);
  client->SetBoundsRect(place);
  site_.Invalidate();
}

void TFwPanelDockManager::RemoveControl(TControl* client) {
  std::erase_if(clients_, [client](const QPointer<TControl>& c) { return c.isNull() || c == client; });
  site_.Invalidate();
}

int TFwPanelDockManager::ClientCount() const {
  return int(std::count_if(clients_.begin(), clients_.end(), [](const auto& c) { return !c.isNull(); }));
}

bool TFwPanelDockManager::Contains(const TControl* client) const {
  return std::any_of(clients_.begin(), clients_.end(), [client](const auto& c) { return c == client; });
}

TRect TFwPanelDockManager::GrabberRect(const TControl* client) const {
  const TRect r = client->BoundsRect();
  if (GrabbersOnLeft()) return Rect(r.Left - GrabberSize, r.Top, r.Left, r.Bottom);
  return Rect(r.Left, r.Top - GrabberSize, r.Right, r.Top);
}

TRect TFwPanelDockManager::CloseRect(const TControl* client) const {
  const TRect g = GrabberRect(client);
  if (GrabbersOnLeft()) return Rect(g.Left + 1, g.Top + 1, g.Left + 12, g.Top + 12);
  return Rect(g.Right - 15, g.Top + 1, g.Right - 2, g.Top + 12);
}

void TFwPanelDockManager::PaintSite(TCanvas& canvas) {
  for (const auto& client : clients_)
    if (client && client->Visible() && client->Parent() == &site_) PaintGrabber(canvas, client);
}

void TFwPanelDockManager::PaintGrabber(TCanvas& canvas, TControl* client) {
  const TRect g = GrabberRect(client);
  if (!site_.ShowDockClientCaptions()) {
    // Two raised lines along the grabber.
    if (GrabbersOnLeft()) {
      DrawBorderAll(canvas, Rect(g.Left + 3, g.Top + 2, g.Left + 6, g.Bottom - 2), TFrameStyleEx::fsPopup);
      DrawBorderAll(canvas, Rect(g.Left + 7, g.Top + 2, g.Left + 10, g.Bottom - 2), TFrameStyleEx::fsPopup);
    } else {
      DrawBorderAll(canvas, Rect(g.Left + 2, g.Top + 3, g.Right - 2, g.Top + 6), TFrameStyleEx::fsPopup);
      DrawBorderAll(canvas, Rect(g.Left + 2, g.Top + 7, g.Right - 2, g.Top + 10), TFrameStyleEx::fsPopup);
    }
    return;
  }
  QWidget* focus = QApplication::focusWidget();
  const bool active = focus && (focus == client || client->isAncestorOf(focus));
  canvas.Brush().SetColor(active ? clActiveCaption : clInactiveCaption);
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.FillRect(g);
  canvas.Font().SetName(QStringLiteral("Verdana"));
  canvas.Font().SetSize(8);
  canvas.Font().SetColor(active ? clCaptionText : clInactiveCaptionText);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  if (GrabbersOnLeft()) {
    // The caption runs upwards along a left grabber.
    if (QPainter* p = canvas.Painter()) {
      p->save();
      p->translate(g.Left + 1, g.Bottom - 2);
      p->rotate(-90);
      p->setFont(canvas.Font().ToQFont());
      p->setPen(ToQColor(canvas.Font().Color()));
      p->drawText(QRect(0, 0, g.Height() - 16, g.Width() - 2), Qt::AlignLeft | Qt::AlignVCenter, client->Caption());
      p->restore();
    }
  } else {
    TRect text = Rect(g.Left + 2, g.Top, g.Right - 16, g.Bottom);
    canvas.DrawText(client->Caption(), text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
  DrawCloseGlyph(canvas, CloseRect(client), fwGlyphClassic, true, false);
}

} // namespace fw
