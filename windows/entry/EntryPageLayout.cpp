#include "windows/entry/EntryPageLayout.h"

#include <QFile>
#include <QStringList>

namespace fw {

namespace {

const QString kLayoutResource = QStringLiteral(":/entry/EntryLayout.tsv");

bool ReadNumber(const QString& text, int& value) {
  bool ok = false;
  value = text.trimmed().toInt(&ok);
  return ok;
}

} // namespace

TEntryLayout ParseEntryLayout(const QString& text) {
  TEntryLayout layout;
  bool headerSeen = false;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'))) continue;
    if (!headerSeen) {
      headerSeen = true; // the first other line names the columns
      continue;
    }
    const QStringList cells = line.split(QLatin1Char('\t'));
    if (cells.size() < 5) continue;
    TEntryLayoutItem item;
    item.Field = cells[1].trimmed();
    if (item.Field.isEmpty() || !ReadNumber(cells[0], item.Page) || !ReadNumber(cells[2], item.Row) ||
        !ReadNumber(cells[3], item.Column) || !ReadNumber(cells[4], item.Span))
      continue;
    if (item.Page < 0 || item.Row < 0 || item.Column < 0 || item.Span < 1) continue;
    if (cells.size() > 5) item.Unit = cells[5].trimmed();
    if (cells.size() > 6) item.Caption = cells[6].trimmed();
    layout.push_back(std::move(item));
  }
  return layout;
}

const TEntryLayout& EntryPageLayout() {
  static const TEntryLayout layout = [] {
    QFile file(kLayoutResource);
    return file.open(QIODevice::ReadOnly) ? ParseEntryLayout(QString::fromUtf8(file.readAll())) : TEntryLayout{};
  }();
  return layout;
}

std::vector<const TEntryLayoutItem*> PageItems(const TEntryLayout& layout, int page) {
  std::vector<const TEntryLayoutItem*> items;
  for (const TEntryLayoutItem& item : layout)
    if (item.Page == page) items.push_back(&item);
  return items;
}

} // namespace fw
