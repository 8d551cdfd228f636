#include "platform/db/Parameters.h"

#include "platform/db/VariantKinds.h"

#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"

#include <sqlite3.h>

namespace fw {

TParameter* TParameters::FindParam(const QString& name) {
  for (TParameter& p : items_)
    if (p.Name().compare(name, Qt::CaseInsensitive) == 0) return &p;
  return nullptr;
}

const TParameter* TParameters::FindParam(const QString& name) const {
  return const_cast<TParameters*>(this)->FindParam(name);
}

TParameter& TParameters::ParamByName(const QString& name) {
  if (TParameter* p = FindParam(name)) return *p;
  throw EDatabaseError(QStringLiteral("Parameter '%1' not found").arg(name));
}

TParameter& TParameters::AddParameter(const QString& name) {
  slots_.clear();
  items_.emplace_back(name);
  return items_.back();
}

void TParameters::ParseSQL(const QString& sql) {
  std::vector<TParameter> next;
  for (const QString& name : JetParameterNames(sql)) {
    TParameter p(name);
    if (const TParameter* old = FindParam(name)) p.SetValue(old->Value());
    next.push_back(p);
  }
  items_ = std::move(next);
  slots_.clear();
}

void BindValue(sqlite3_stmt* stmt, int index, const QVariant& value) {
  int rc = SQLITE_OK;
  // The common types straight from the variant's storage (this runs per cell when
  // many rows are appended).
  switch (value.typeId()) {
  case QMetaType::Int:
    rc = sqlite3_bind_int64(stmt, index, *static_cast<const int*>(value.constData()));
    break;
  case QMetaType::LongLong:
    rc = sqlite3_bind_int64(stmt, index, *static_cast<const qlonglong*>(value.constData()));
    break;
  case QMetaType::Double:
    rc = sqlite3_bind_double(stmt, index, *static_cast<const double*>(value.constData()));
    break;
  case QMetaType::QString: {
    const QByteArray text = static_cast<const QString*>(value.constData())->toUtf8();
    rc = sqlite3_bind_text(stmt, index, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    break;
  }
  default:
    rc = -1;
  }
  if (rc == SQLITE_OK) return;
  if (rc != -1) throw EDatabaseError(QString::fromUtf8(sqlite3_errstr(rc)));
  rc = SQLITE_OK;
  if (value.typeId() == QMetaType::QByteArray) {
    const QByteArray bytes = value.toByteArray();
    rc = sqlite3_bind_blob(stmt, index, bytes.constData(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
  } else {
    switch (VariantKind(value)) {
    case TVariantKind::Null:
      rc = sqlite3_bind_null(stmt, index);
      break;
    case TVariantKind::Boolean:
    case TVariantKind::Integer:
      rc = sqlite3_bind_int64(stmt, index, VariantStoredInteger(value));
      break;
    case TVariantKind::Real:
      rc = sqlite3_bind_double(stmt, index, value.toDouble());
      break;
    default: {
      const QByteArray text = value.toString().toUtf8();
      rc = sqlite3_bind_text(stmt, index, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    }
  }
  if (rc != SQLITE_OK)
    throw EDatabaseError(QString::fromUtf8(sqlite3_errstr(rc)));
}

void TParameters::Bind(sqlite3_stmt* stmt) const {
  const int count = sqlite3_bind_parameter_count(stmt);
  const char* sql = sqlite3_sql(stmt);
  if (!sql || slotsSql_ != sql || static_cast<int>(slots_.size()) < count) {
    slots_.assign(size_t(count), BindSlot());
    slotsSql_ = sql;
  }
  int positional = 0;
  for (int i = 1; i <= count; ++i) {
    BindSlot& slot = slots_[i - 1];
    if (!slot.Learned) {
      const char* rawName = sqlite3_bind_parameter_name(stmt, i);
      slot.Name = rawName ? QByteArray(rawName) : QByteArray();
      slot.Learned = true;
      slot.Item = -1;
      if (slot.Name.size() > 1) {
        const QString name = QString::fromUtf8(slot.Name.mid(1));
        for (int k = 0; k < Count(); ++k)
          if (items_[k].Name().compare(name, Qt::CaseInsensitive) == 0) slot.Item = k;
      }
    }
    if (slot.Name.size() > 4 && qstrncmp(slot.Name.constData() + 1, "fw_", 3) == 0) continue;  // the data set's own
    int item = slot.Name.size() > 1 ? slot.Item : -1;
    if (slot.Name.size() <= 1 && positional < Count()) item = positional++;
    if (item < 0 || item >= Count())
      throw EDatabaseError(
          QStringLiteral("No value given for parameter %1").arg(slot.Name.isEmpty() ? QString::number(i) : QString::fromUtf8(slot.Name)));
    BindValue(stmt, i, items_[item].Value());
  }
}

} // namespace fw
