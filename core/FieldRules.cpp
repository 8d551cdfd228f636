#include "core/FieldRules.h"

namespace fw {

namespace {

bool IsSeparator(QChar c) { return c.unicode() <= u' '; }

// Reads one item starting at `at` (no leading separators) and moves `at` past it.
QString ReadItem(const QString& text, qsizetype& at) {
  QString item;
  if (text[at] == QLatin1Char('"')) {
    ++at;
    while (at < text.size()) {
      const QChar c = text[at++];
      if (c != QLatin1Char('"')) {
        item += c;
        continue;
      }
      if (at < text.size() && text[at] == QLatin1Char('"')) {
        item += c;
        ++at;
        continue;
      }
      break;
    }
    // Whatever follows the closing quote up to the next separator belongs to the item.
  }
  while (at < text.size() && text[at] != QLatin1Char(',') && !IsSeparator(text[at])) item += text[at++];
  return item;
}

bool Compare(int level, const QString& op, int number) {
  if (op == QLatin1String(">")) return level > number;
  if (op == QLatin1String("=")) return level == number;
  if (op == QLatin1String("<")) return level < number;
  if (op == QLatin1String(">=")) return level >= number;
  if (op == QLatin1String("<=")) return level <= number;
  if (op == QLatin1String("<>")) return level != number;
  return false;
}

} // namespace

TValueSet ParseValueSet(const QString& text) {
  TValueSet set;
  qsizetype at = 0;
  while (at < text.size()) {
    while (at < text.size() && IsSeparator(text[at])) ++at;
    if (at >= text.size()) break;
    if (text[at] == QLatin1Char(',')) {
      ++at;
      continue;
    }
    bool ok = false;
    const int value = ReadItem(text, at).toInt(&ok);
    if (ok && value >= 0 && value <= 255) set.set(static_cast<size_t>(value));
    while (at < text.size() && IsSeparator(text[at])) ++at;
    if (at < text.size() && text[at] == QLatin1Char(',')) ++at;
  }
  return set;
}

bool ParseFieldRule(int level, const QString& rule) {
  if (rule.contains(QLatin1String("in"))) {
    const qsizetype open = rule.indexOf(QLatin1Char('['));
    if (open < 0) return false;
    QString list = rule.mid(open + 1).trimmed();
    const qsizetype close = list.lastIndexOf(QLatin1Char(']'));
    if (close >= 0) list = list.left(close).trimmed();
    return level >= 0 && level <= 255 && ParseValueSet(list).test(static_cast<size_t>(level));
  }
  qsizetype end = 0;
  while (end < rule.size() && QStringLiteral("<=>").contains(rule[end])) ++end;
  bool ok = false;
  const int number = rule.mid(end).trimmed().toInt(&ok);
  return ok && Compare(level, rule.left(end), number);
}

} // namespace fw
