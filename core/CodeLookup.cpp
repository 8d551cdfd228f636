#include "core/CodeLookup.h"

#include "core/Messages.h"
#include "platform/db/AdoConnection.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"

namespace fw {

QString GetCodeName(const TMenuItemDataArray& codes, int code) {
  for (const TCode& entry : codes) {
    if (entry.Code == code) return entry.Name;
  }
  return QString();
}

int GetCodeByName(const TMenuItemDataArray& codes, const QString& name) {
  for (const TCode& entry : codes) {
    if (entry.Name == name) return entry.Code;
  }
  return 0;
}

void SplitRegionCode(int code, int& province, int& city, int& county) {
  province = code / 10000;
  city = (code % 10000) / 100;
  county = code % 100;
}

QString GetCityCombName(TADOConnection& connection, int code) {
  if (code < 100000) return QString();
  try {
    TADOQuery query(&connection);
    query.SQL().Add("Select CombName from CT_CityName where ID=" + QString::number(code));
    query.Open();
    return query.IsEmpty() ? QString() : query.FieldByName("CombName")->AsString();
  } catch (const EDatabaseError& e) {
    ShowRuntimeError(e.Message());
    return QString();
  }
}

bool TableExists(const TADOConnection& connection, const QString& table) {
  return connection.TableNames().contains(table, Qt::CaseInsensitive);
}

} // namespace fw
