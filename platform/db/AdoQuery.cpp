#include "platform/db/AdoQuery.h"

#include "platform/db/AdoConnection.h"
#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/db/SqlStatement.h"

#include <sqlite3.h>

namespace fw {

TADOQuery::TADOQuery(TADOConnection* connection) : TDataSet(connection) {
  sql_.OnChange = [this]() {
    Close();
    prepared_.reset();
    parameters_.ParseSQL(sql_.Text());
  };
}

TADOQuery::~TADOQuery() = default;

void TADOQuery::ReleaseStatements() { prepared_.reset(); }

int TADOQuery::ExecSQL() {
  TADOConnection* connection = Connection();
  if (!connection) throw EDatabaseError(QStringLiteral("Missing Connection or ConnectionString"));
  if (!connection->Connected()) connection->Open();
  if (!prepared_) {
    // Plain single statements stay prepared; anything else (other files, several
    // statements, errors) goes the general way, which also reports the errors.
    try {
      bool namesOtherFile = false;
      const TJetStatement st = TranslateJetStatement(sql_.Text(), [&namesOtherFile](const TJetFileRef&) {
        namesOtherFile = true;
        return QStringLiteral("main");
      });
      if (!namesOtherFile && st.StatementKind == TJetStatement::Kind::Plain) {
        const QByteArray text = st.Sql.toUtf8();
        int tail = 0;
        auto stmt = std::make_unique<TSqlStatement>(connection->Handle(), text, &tail);
        const QByteArray rest = text.mid(tail).trimmed();
        if (!stmt->IsNull() && (rest.isEmpty() || rest == ";")) prepared_ = std::move(stmt);
      }
    } catch (const EDatabaseError&) {
      prepared_.reset();
    }
  }
  if (!prepared_) {
    rowsAffected_ = connection->Execute(sql_.Text(), parameters_);
    return rowsAffected_;
  }
  prepared_->Reset();
  sqlite3_clear_bindings(prepared_->Handle());
  parameters_.Bind(prepared_->Handle());
  while (prepared_->Step()) {
  }
  rowsAffected_ = sqlite3_stmt_readonly(prepared_->Handle()) ? 0 : sqlite3_changes(connection->Handle());
  prepared_->Reset();
  return rowsAffected_;
}

} // namespace fw
