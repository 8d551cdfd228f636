#pragma once
// A client-side static cursor: the rows of a query taken as a snapshot at Open or
// Requery and kept compactly (RowStore), with record number, bookmarks, Locate,
// client-side Sort and Filter, and edits written back through the base table's key.
//
// Key of a data set (for bookmarks across Requery and for writing back):
// - KeyFields when set ("c901" or "a;b");
// - for a simple single-table select (and TADOTable): the table's primary key when its
//   columns are all in the result, else the row id (fetched as a hidden column);
// - for a view: the first result column that is the primary key of a base table, else
//   a column named "id" or "c901". Edits go to the view itself (INSTEAD OF triggers).
//
// GotoBookmark of a row that no longer exists (deleted, or gone after Requery) throws
// EDatabaseError and leaves the cursor where it was; BookmarkValid tells beforehand.

#include "platform/db/Field.h"
#include "platform/db/RowStore.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

struct sqlite3_stmt;

namespace fw {

class TADOConnection;
class TDataSet;
struct TSortKey;

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

enum TLocateOption : unsigned { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = unsigned;

// A remembered record. Free with FreeBookmark (or just let it go).
class TBookmark {
public:
  bool IsNull() const { return !valid_; }

private:
  friend class TDataSet;
  bool valid_ = false;
  quint64 serial_ = 0;   // the row's identity within one snapshot
  QVariantList key_;     // the row's key values, to find it after a Requery
  int recNo_ = 0;        // fallback when the data set has no key
};

enum class TDataEvent {
  DataSetChange,   // opened, closed, requeried, sorted, filtered: everything may differ
  Scroll,          // the current record moved
  RecordChange,    // the current record's values changed (field set, post, cancel)
  RecordInserted,  // a row appeared at Row (0-based, current order)
  RecordDeleted,   // the row at Row was removed
  StateChange      // State() changed
};

struct TDataNotice {
  TDataEvent Event;
  int Row = -1;
  TField* Field = nullptr;  // RecordChange of one field
};

class TDataSetListener {
public:
  virtual ~TDataSetListener() = default;
  virtual void DataSetNotify(TDataSet& dataSet, const TDataNotice& notice) = 0;
  virtual void DataSetDestroyed(TDataSet&) {}
};

class TDataSet {
public:
  explicit TDataSet(TADOConnection* connection = nullptr);
  virtual ~TDataSet();
  TDataSet(const TDataSet&) = delete;
  TDataSet& operator=(const TDataSet&) = delete;

  TADOConnection* Connection() const { return connection_; }
  void SetConnection(TADOConnection* connection);

  // Opening connects a closed connection first, as ADO does.
  void Open();
  void Close();
  bool Active() const { return active_; }
  void SetActive(bool value) { value ? Open() : Close(); }
  void Requery();  // new snapshot, sort and filter kept, cursor on the first record
  // Reads again, through the data set's own query, the records whose `fieldName` holds
  // one of `values`, after a store elsewhere changed, added or re-keyed them: a record
  // takes its stored values, leaves when it no longer answers the query, and joins at
  // the place the client-side sort, else the query's ORDER BY, gives it. The cursor stays
  // on its record, or on the one now in its place when its record left. What else
  // changed since the last Requery is not seen: a Requery for a few known records.
  void RefreshRecords(const QString& fieldName, const QVariantList& values);
  TDataSetState State() const { return state_; }

  // Navigation (edits in progress are posted first).
  void First();
  void Next();
  void Prior();
  void Last();
  int MoveBy(int distance);
  bool Eof() const { return eof_; }
  bool Bof() const { return bof_; }
  int RecordCount() const;
  int RecNo() const;              // 1-based, 0 when empty
  void SetRecNo(int recNo);
  bool IsEmpty() const { return RecordCount() == 0; }

  // Random access for grid models, without moving the cursor; row 0-based in the
  // current sort and filter order, column = field index.
  int RowCount() const { return RecordCount(); }
  QVariant Value(int row, int column) const;
  QString Text(int row, int column) const;
  // The same without a variant, for readers of many values: a text cell points into the
  // data set's store or into `storage`; use it before either changes. Null outside.
  TCell Cell(int row, int column, QByteArray* storage) const;
  int CurrentRow() const { return cursor_; }

  TBookmark GetBookmark() const;
  void GotoBookmark(const TBookmark& bookmark);
  bool BookmarkValid(const TBookmark& bookmark) const;
  void FreeBookmark(TBookmark& bookmark) { bookmark = TBookmark(); }
  // Without moving the cursor, for grids that mark rows: the bookmark of the row at
  // 0-based position `row` (null when out of range), and the position of a bookmarked
  // row (-1 when it no longer exists).
  TBookmark RowBookmark(int row) const;
  int BookmarkRow(const TBookmark& bookmark) const;
  // BookmarkRow of many bookmarks in one pass over the rows (a grid's marks after a sort
  // or a Requery), rather than one search of the rows per bookmark.
  std::vector<int> BookmarkRows(const std::vector<TBookmark>& bookmarks) const;

  // keyFields "a" or "a;b" (then values is a QVariantList). Moves on success.
  bool Locate(const QString& keyFields, const QVariant& keyValues, TLocateOptions options = 0);

  QString Sort() const { return sort_; }
  void SetSort(const QString& sort);  // "f ASC", "f DESC", "a, b DESC"; empty = query order
  QString Filter() const { return filter_; }
  void SetFilter(const QString& filter);  // "f=1", "f like 'x%'", and/or/not, parentheses
  bool Filtered() const { return filtered_; }
  void SetFiltered(bool value);

  int FieldCount() const { return static_cast<int>(fields_.size()); }
  TField* Fields(int index) const;
  TField* FieldByName(const QString& name) const;  // throws "Field 'x' not found"
  TField* FindField(const QString& name) const;
  QStringList FieldNames() const;

  void Append();
  void Insert();
  void Edit();
  void Post();
  void Cancel();
  void Delete();

  QString KeyFields() const { return keyFields_; }
  void SetKeyFields(const QString& fields) { keyFields_ = fields; }
  // The table or view that edits are written to; empty when the data set is read-only.
  QString UpdateTable() const { return updateTable_; }

  void AddListener(TDataSetListener* listener);
  void RemoveListener(TDataSetListener* listener);
  void DisableControls();
  void EnableControls();  // one DataSetChange when the last disable ends
  bool ControlsDisabled() const { return disableCount_ > 0; }

  std::function<void(TDataSet&)> AfterOpen;
  std::function<void(TDataSet&)> AfterScroll;
  std::function<void(TDataSet&)> BeforePost;
  std::function<void(TDataSet&)> AfterPost;

  // Used by TField.
  TCell CurrentCell(int column, QByteArray* storage) const;
  void SetFieldValue(int column, const QVariant& value);
  // Used by the connection when it closes or goes.
  void ConnectionGone();
  // Statements kept prepared on the connection are finalized before it closes.
  virtual void ReleaseStatements() {}

protected:
  // The Jet SQL of the data set and its parameters.
  virtual QString CommandText() const = 0;
  virtual void BindParameters(sqlite3_stmt* stmt) const;
  // The table named by the data set itself (TADOTable), else empty.
  virtual QString KnownTable() const { return QString(); }

  void CheckInactive() const;
  void CheckActive() const;

private:
  struct Column {
    QString Name;
    QString OriginTable;   // base table of the column, when a plain column
    QString OriginColumn;
    bool Hidden = false;   // the row id added for writing back
  };

  void Fetch();
  std::vector<int> ResolveKey(sqlite3_stmt* stmt) const;
  QString AddRowIdColumn(const QString& sql, const QString& table) const;
  void BuildOrder();
  void OrderFromTheFirst();
  void ApplySort();
  void ApplyFilter();
  void CheckBrowseMode();
  void SetState(TDataSetState state);
  void Notify(TDataEvent event, int row = -1, TField* field = nullptr);
  void Scrolled();
  int PhysicalRow(int row) const { return order_[row]; }
  QVariantList KeyValuesOf(int physical) const;
  QVariantList KeyAfterUpdate(int physical, const std::vector<int>& changed) const;
  int FindByKey(const QVariantList& key) const;
  int FindBySerial(quint64 serial) const;
  std::vector<QVariant> ReadBack(const QVariantList& key, bool* found);
  std::vector<std::vector<QVariant>> SelectRows(const std::vector<int>& columns, const QVariantList& values) const;
  std::vector<TSortKey> OrderKeys() const;
  std::function<bool(int)> RowFilter() const;
  std::function<bool(int, int)> RowsInOrder(const std::vector<TSortKey>& keys) const;
  void PlaceRow(int physical, int fallbackPosition, const std::vector<TSortKey>& keys);
  void RemovePhysicalRow(int physical);
  QString TargetColumn(int column) const;
  void ClearFields();

  TADOConnection* connection_ = nullptr;
  bool active_ = false;
  TDataSetState state_ = dsInactive;
  std::vector<Column> columns_;
  std::vector<std::unique_ptr<TField>> fields_;
  TRowStore store_;
  std::vector<quint64> serials_;   // per physical row
  std::vector<int> order_;         // physical rows in sort and filter order
  quint64 nextSerial_ = 1;
  int cursor_ = -1;
  bool bof_ = true;
  bool eof_ = true;

  QString sort_;
  QString filter_;
  bool filtered_ = false;
  QString keyFields_;

  QString fetchSql_;               // translated SQL of the last fetch (with hidden row id)
  QString updateTable_;            // quoted target of edits
  std::vector<int> keyColumns_;    // store columns forming the key
  bool updateIsView_ = false;

  std::vector<QVariant> buffer_;   // the record being edited or inserted
  std::vector<bool> modified_;
  int insertAt_ = -1;              // order position of an inserted record

  std::vector<TDataSetListener*> listeners_;
  int disableCount_ = 0;
  bool pendingChange_ = false;
};

} // namespace fw
