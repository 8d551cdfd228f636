#include "core/DatabasePassword.h"

#include <utility>

namespace fw {

namespace {

// Each pair replaces every occurrence of the first character by the second, in order.
constexpr std::pair<char, char> kReplacements[] = {
    {'K', '7'}, {'3', 'q'}, {'e', 'X'}, {'9', 'd'}, {'W', '2'}, {'m', 'R'}, {'7', 'h'},
};

// Each pair exchanges the characters at two positions (0-based), in order.
constexpr std::pair<int, int> kExchanges[] = {
    {0, 7}, {2, 9}, {4, 5}, {1, 6}, {3, 8},
};

} // namespace

QString DatabasePasswordConstant() { return QStringLiteral("K3eW9mA4tZ"); }

QString ScrambleConstant(const QString& constant, std::span<const std::pair<char, char>> replacements,
                         std::span<const std::pair<int, int>> exchanges) {
  QString text = constant;
  for (const auto& [from, to] : replacements) text.replace(QChar(from), QChar(to));
  for (const auto& [a, b] : exchanges) {
    if (a < text.size() && b < text.size()) std::swap(text[a], text[b]);
  }
  return text;
}

QString BuildDatabasePassword(const QString& constant) { return ScrambleConstant(constant, kReplacements, kExchanges); }

QString DatabasePassword() { return BuildDatabasePassword(DatabasePasswordConstant()); }

} // namespace fw
