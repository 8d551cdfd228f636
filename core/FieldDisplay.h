#pragma once
// The fields the main record list can show as columns, by entry-form page, and saving the
// user's choice of the visible ones.

#include <QString>
#include <vector>

namespace fw {

class TADOConnection;

// One field of an entry-form page: a row of view_FieldList.
struct TFieldDisplayItem {
  int Id = 0;
  int PageID = 0;
  QString SheetName; // the page's caption
  QString FieldName;
  QString Hint;
  bool Visible = false;
};

// "select * from view_FieldList where PageID >=0 order by PageID,sequence".
std::vector<TFieldDisplayItem> ReadFieldDisplay(TADOConnection& connection);

// Makes exactly the fields of `visibleIds` visible: every field hidden, then those shown,
// in one transaction, so a failure leaves the previous choice. Throws EDatabaseError.
void SaveVisibleFields(TADOConnection& connection, const std::vector<int>& visibleIds);

} // namespace fw
