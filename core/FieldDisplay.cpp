#include "core/FieldDisplay.h"

#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"

namespace fw {

std::vector<TFieldDisplayItem> ReadFieldDisplay(TADOConnection& connection) {
  TADOQuery query(&connection);
  query.SetSQL(QStringLiteral("select * from view_FieldList where PageID >=0 order by PageID,sequence"));
  query.Open();
  std::vector<TFieldDisplayItem> items;
  auto field = [&query](const char* name) { return query.FieldByName(QString::fromLatin1(name)); };
  for (; !query.Eof(); query.Next())
    items.push_back({field("id")->AsInteger(), field("PageID")->AsInteger(), field("SheetName")->AsString(),
                     field("FieldName")->AsString(), field("Hint")->AsString(), field("visible")->AsBoolean()});
  return items;
}

void SaveVisibleFields(TADOConnection& connection, const std::vector<int>& visibleIds) {
  connection.BeginTrans();
  try {
    connection.Execute(QStringLiteral("update view_fieldlist set visible=false"));
    TADOQuery show(&connection);
    show.SetSQL(QStringLiteral("update view_fieldlist set visible=true where id=:id"));
    for (int id : visibleIds) {
      show.ParamByName(QStringLiteral("id")).SetValue(id);
      show.ExecSQL();
    }
  } catch (...) {
    connection.RollbackTrans();
    throw;
  }
  connection.CommitTrans();
}

} // namespace fw
