#pragma once
// Named (":Name") and positional ("?") parameters of a query, bound as SQLite
// parameters so that no value is ever pasted into SQL text.

#include <QString>
#include <QVariant>
#include <vector>

struct sqlite3_stmt;

namespace fw {

class TParameter {
public:
  explicit TParameter(const QString& name = QString()) : name_(name) {}

  QString Name() const { return name_; }
  const QVariant& Value() const { return value_; }
  void SetValue(const QVariant& value) { value_ = value; }
  void SetValue(QVariant&& value) { value_ = std::move(value); }

private:
  QString name_;
  QVariant value_;
};

class TParameters {
public:
  int Count() const { return static_cast<int>(items_.size()); }
  TParameter& Items(int index) { return items_.at(index); }
  const TParameter& Items(int index) const { return items_.at(index); }
  TParameter& operator[](int index) { return items_.at(index); }

  TParameter* FindParam(const QString& name);
  const TParameter* FindParam(const QString& name) const;
  // Throws EDatabaseError "Parameter 'x' not found".
  TParameter& ParamByName(const QString& name);
  TParameter& AddParameter(const QString& name);
  void Clear() {
    items_.clear();
    slots_.clear();
  }

  // Rebuilds the list from the names in SQL text, keeping values of names still used.
  void ParseSQL(const QString& sql);

  // Binds every parameter of the statement: by name where it has one, else by position.
  void Bind(sqlite3_stmt* stmt) const;

private:
  // Which item each parameter index of the last bound statement took, with the name it
  // had, so that binding a statement of the same text again skips the name lookups (the
  // engine finds a parameter's name by walking the list of all of them).
  struct BindSlot {
    QByteArray Name;  // as the engine gives it, with its ':'; empty for a "?"
    bool Learned = false;
    int Item = -1;
  };
  std::vector<TParameter> items_;
  mutable std::vector<BindSlot> slots_;
  mutable QByteArray slotsSql_;  // the text of the statement the slots were learned from
};

// Binds one value to a parameter index (bool as Jet's -1/0).
void BindValue(sqlite3_stmt* stmt, int index, const QVariant& value);

} // namespace fw
