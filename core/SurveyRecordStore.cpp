#include "core/SurveyRecordStore.h"

#include "core/SurveyModel.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/db/Field.h"

namespace fw {

namespace {

int IntOf(const TField* field) { return field->IsNull() ? 0 : field->AsInteger(); }

} // namespace

TEntryFieldList LoadEntryFields(TADOConnection& connection) {
  TADOQuery query(&connection);
  query.SetSQL(QStringLiteral("select ID, FieldName, Hint, QueryType, Rule, PageID from dt_fieldlist order by sequence"));
  query.Open();
  TEntryFieldList fields;
  fields.reserve(static_cast<size_t>(query.RecordCount()));
  TField* id = query.FieldByName(QStringLiteral("ID"));
  TField* name = query.FieldByName(QStringLiteral("FieldName"));
  TField* hint = query.FieldByName(QStringLiteral("Hint"));
  TField* type = query.FieldByName(QStringLiteral("QueryType"));
  TField* rule = query.FieldByName(QStringLiteral("Rule"));
  TField* page = query.FieldByName(QStringLiteral("PageID"));
  for (; !query.Eof(); query.Next()) {
    TEntryField f;
    f.ID = IntOf(id);
    f.FieldName = name->AsString().trimmed();
    f.Hint = hint->AsString();
    f.QueryType = NormalizeQueryType(type->IsNull() ? 0 : type->AsLargeInt());
    f.Rule = rule->AsString().trimmed();
    f.PageID = page->IsNull() ? -1 : page->AsInteger();
    fields.push_back(std::move(f));
  }
  return fields;
}

double NextUnitCode(TADOQuery& queryTool) {
  queryTool.Close();
  queryTool.SetSQL(QStringLiteral("SELECT MAX(c901)+1 as NSI FROM dt_data"));
  queryTool.Open();
  TField* next = queryTool.FieldByName(QStringLiteral("NSI"));
  const double code = next->IsNull() ? 0 : next->AsFloat();
  queryTool.Close();
  return code;
}

int RecordStateOf(TStoreMode mode) {
  switch (mode) {
  case TStoreMode::smHold: return 0;
  case TStoreMode::smSaveWithErrors: return 2;
  case TStoreMode::smSaveClean: return 1;
  }
  return 0;
}

void StoreSurveyRecord(TDataSet& record, bool appending, const std::vector<TFieldValue>& values, TStoreMode mode) {
  TADOConnection* connection = record.Connection();
  if (!connection) throw EDatabaseError(QStringLiteral("The record has no connection."));
  connection->BeginTrans();
  bool posted = false;
  try {
    if (appending) record.Append();
    else record.Edit();
    for (const TFieldValue& v : values) record.FieldByName(v.FieldName)->SetValue(v.Value);
    record.FieldByName(QStringLiteral("RecordState"))->SetAsInteger(RecordStateOf(mode));
    record.Post();
    posted = true;
    connection->CommitTrans();
  } catch (const std::exception& e) {
    const auto* dbError = dynamic_cast<const EDatabaseError*>(&e);
    const QString message = dbError ? dbError->Message() : QString::fromLocal8Bit(e.what());
    try {
      record.Cancel();
    } catch (const std::exception&) {
    }
    if (connection->InTransaction()) connection->RollbackTrans();
    // A row posted but not committed is held by the data set with values the file does
    // not have: read it again.
    if (posted) {
      try {
        record.Requery();
      } catch (const std::exception&) {
      }
    }
    throw EDatabaseError(message);
  }
}

} // namespace fw
