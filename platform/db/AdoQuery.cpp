#include "platform/db/AdoQuery.h"

#include "platform/db/AdoConnection.h"
#include "platform/db/DbError.h"

namespace fw {

TADOQuery::TADOQuery(TADOConnection* connection) : TDataSet(connection) {
  sql_.OnChange = [this]() {
    Close();
    parameters_.ParseSQL(sql_.Text());
  };
}

int TADOQuery::ExecSQL() {
  if (!Connection()) throw EDatabaseError(QStringLiteral("Missing Connection or ConnectionString"));
  if (!Connection()->Connected()) Connection()->Open();
  rowsAffected_ = Connection()->Execute(sql_.Text(), parameters_);
  return rowsAffected_;
}

} // namespace fw
