#pragma once
// The SQL text of a query kept as lines, so that callers can write
// SQL().Clear(); SQL().Add("select ..."); it converts to a QString where text is needed.

#include <QString>
#include <QStringList>
#include <functional>

namespace fw {

class TSqlText {
public:
  void Clear();
  void Add(const QString& line);
  QString Text() const { return lines_.join(QLatin1Char('\n')); }
  void SetText(const QString& text);
  int Count() const { return static_cast<int>(lines_.size()); }
  QString operator[](int index) const { return lines_.at(index); }
  operator QString() const { return Text(); }

  std::function<void()> OnChange;

private:
  void Changed();
  QStringList lines_;
};

} // namespace fw
