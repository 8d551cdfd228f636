#include "controls/navigation/FwClockStatus.h"

#include "platform/shell/Hooks.h"

#include <QLocale>
#include <QPointer>

namespace fw {

namespace {

QString Pad(int value, int width) { return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0')); }

int RunLength(const QString& s, int i) {
  int n = 1;
  while (i + n < s.size() && s[i + n].toLower() == s[i].toLower()) ++n;
  return n;
}

} // namespace

QString FormatDateTime(const QString& format, const QDateTime& time) {
  if (format.isEmpty()) return FormatDateTime(QStringLiteral("yyyy-m-d h:nn:ss"), time);
  const QDate date = time.date();
  const QTime clock = time.time();
  const QLocale locale(QLocale::Chinese, QLocale::China);
  QString out;
  bool afterHour = false;  // "m" right after an hour means minutes
  for (int i = 0; i < format.size();) {
    const QChar c = format[i];
    const QChar lower = c.toLower();
    if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
      const int end = format.indexOf(c, i + 1);
      out += format.mid(i + 1, (end < 0 ? format.size() : end) - i - 1);
      i = end < 0 ? format.size() : end + 1;
      continue;
    }
    const int n = RunLength(format, i);
    if (lower == QLatin1Char('y')) {
      out += n <= 2 ? Pad(date.year() % 100, 2) : Pad(date.year(), 4);
    } else if (lower == QLatin1Char('m') && afterHour && n <= 2) {
      out += n == 1 ? QString::number(clock.minute()) : Pad(clock.minute(), 2);
      afterHour = false;
    } else if (lower == QLatin1Char('m')) {
      if (n == 1) out += QString::number(date.month());
      else if (n == 2) out += Pad(date.month(), 2);
      else if (n == 3) out += locale.monthName(date.month(), QLocale::ShortFormat);
      else out += locale.monthName(date.month(), QLocale::LongFormat);
    } else if (lower == QLatin1Char('n')) {
      out += n == 1 ? QString::number(clock.minute()) : Pad(clock.minute(), 2);
    } else if (lower == QLatin1Char('d')) {
      if (n == 1) out += QString::number(date.day());
      else if (n == 2) out += Pad(date.day(), 2);
      else if (n == 3) out += locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
      else out += locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
    } else if (lower == QLatin1Char('h')) {
      out += n == 1 ? QString::number(clock.hour()) : Pad(clock.hour(), 2);
      afterHour = true;
      i += n;
      continue;
    } else if (lower == QLatin1Char('s')) {
      out += n == 1 ? QString::number(clock.second()) : Pad(clock.second(), 2);
    } else if (lower == QLatin1Char('z')) {
      out += n == 1 ? QString::number(clock.msec()) : Pad(clock.msec(), 3);
    } else if (c == QLatin1Char('/')) {
      out += QString(n, QLatin1Char('-'));
    } else {
      out += format.mid(i, n);
      i += n;
      continue;  // literal text keeps a pending hour
    }
    if (lower != QLatin1Char('m')) afterHour = false;
    i += n;
  }
  return out;
}

TFwClockStatus::TFwClockStatus(TComponent* owner) : TFwPollingStatus(owner) { SetWidth(150); }

void TFwClockStatus::SetFormat(const QString& value) {
  if (value == format_) return;
  format_ = value;
  UpdateClock();
}

void TFwClockStatus::Loaded() {
  TFwPollingStatus::Loaded();
  UpdateClock();
}

void TFwClockStatus::Poll() {
  QPointer<TFwClockStatus> self(this);
  UpdateClock();
  if (self) TFwPollingStatus::Poll();
}

void TFwClockStatus::DoGetDateTime(QDateTime& time) {
  if (OnGetDateTime) OnGetDateTime(this, time);
}

void TFwClockStatus::UpdateClock() {
  QDateTime now = fw::Now();
  // The handler may free the pane: nothing of it is touched after that.
  QPointer<TFwClockStatus> self(this);
  DoGetDateTime(now);
  if (!self) return;
  const QString text = FormatDateTime(format_, now);
  if (text == lastText_) return;
  lastText_ = text;
  SetCaption(text);
  AdjustSize();
  Invalidate();
}

TRect TFwClockStatus::TextRect() const {
  TRect r = TFwPollingStatus::TextRect();
  if (AtSizeGripEnd()) r.Right -= 3;
  return r;
}

} // namespace fw
