#pragma once
// The list-error family of the class library: a list refuses a bad index, a duplicate it
// does not accept or an operation its order forbids by throwing EListError with a fixed
// English message. TDuplicates is the duplicates rule that lists share.

#include <QString>
#include <stdexcept>

namespace fw {

class EListError : public std::runtime_error {
public:
  explicit EListError(const QString& message) : std::runtime_error(message.toStdString()) {}
  QString Message() const { return QString::fromStdString(what()); }
};

// A list that could not take a new line.
class EOutOfResources : public std::runtime_error {
public:
  explicit EOutOfResources(const QString& message) : std::runtime_error(message.toStdString()) {}
  QString Message() const { return QString::fromStdString(what()); }
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

} // namespace fw
