#pragma once
// TFwClockStatus: a polling pane that shows the date and time of the clock hook in its
// Format. The caption is set (and the pane repainted) only when the text changes, so a
// date-only clock repaints once a day although it is polled every tick.
//
// Format uses the program's date-time letters (yyyy year, mm month, dd day, hh hour, nn
// minutes, ss seconds, "..." literal text); they are translated here, not handed to Qt,
// whose letters mean other things (Qt's "mm" is minutes).

#include "controls/navigation/FwPollingStatus.h"

#include <QDateTime>

namespace fw {

// Formats a time with the program's date-time letters; an empty format gives the
// default date and time text.
QString FormatDateTime(const QString& format, const QDateTime& time);

using TFwGetDateTimeEvent = std::function<void(TObject*, QDateTime&)>;

class TFwClockStatus : public TFwPollingStatus {
public:
  explicit TFwClockStatus(TComponent* owner);

  QString Format() const { return format_; }
  void SetFormat(const QString& value);

  void Poll() override;

  TFwGetDateTimeEvent OnGetDateTime;

protected:
  TRect TextRect() const override;
  void Loaded() override;
  virtual void DoGetDateTime(QDateTime& time);
  // Reads the clock and updates the caption when the text changed.
  void UpdateClock();

private:
  QString format_;
  QString lastText_;
};

} // namespace fw
