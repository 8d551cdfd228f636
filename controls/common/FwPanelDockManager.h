#pragma once
// TFwPanelDockManager: the dock manager of a panel that is a dock site. Every docked
// client gets a 14-pixel grabber, on its left when the site is aligned to the top or
// bottom, else above it; with ShowDockClientCaptions the grabber shows the client's
// caption (active colours while the client has the focus) and a close cross.

#include "platform/ui/Types.h"

#include <QPointer>
#include <QString>
#include <vector>

class QObject;

namespace fw {

class TCanvas;
class TControl;
class TFwCustomPanel;

class TFwPanelDockManager {
public:
  explicit TFwPanelDockManager(TFwCustomPanel& site);
  virtual ~TFwPanelDockManager();

  static constexpr int GrabberSize = 14;

  // Takes a client in (it becomes a child of the site) and places it in `r`, moved
  // away from its grabber.
  void InsertControl(TControl* client, const TRect& r);
  void RemoveControl(TControl* client);
  int ClientCount() const;
  bool Contains(const TControl* client) const;

  // Moves a client's rectangle away from its grabber.
  virtual void AdjustDockRect(TRect& r) const;
  // The grabber of a docked client, and the close cross inside it.
  TRect GrabberRect(const TControl* client) const;
  TRect CloseRect(const TControl* client) const;
  // Whether grabbers sit on the left (site aligned to the top or bottom).
  bool GrabbersOnLeft() const;

  void PaintSite(TCanvas& canvas);

protected:
  TFwCustomPanel& Site() const { return site_; }

private:
  void PaintGrabber(TCanvas& canvas, TControl* client);

  TFwCustomPanel& site_;
  std::vector<QPointer<TControl>> clients_;
  QObject* focusWatch_ = nullptr;
};

} // namespace fw
