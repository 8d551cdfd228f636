#pragma once
// What the dialogs around the record lists take from the main window: the connection to
// the working database, the shared scratch query, reloading the field list and requerying
// the record list. Kept in one place, so that the dialogs do not reach into the window.

namespace fw {

class TADOConnection;
class TADOQuery;

// The main window's connection (SysADOConnection); nullptr before the window exists.
TADOConnection* MainConnection();
// The main window's shared query (AppQuery); nullptr before the window exists.
TADOQuery* MainAppQuery();
// Reloads the record list's columns from the field list (LoadFieldList).
void ReloadMainFieldList();
// Requeries the record list and keeps it on its record, after records were changed elsewhere.
void RequeryMainList();

} // namespace fw
