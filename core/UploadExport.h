#pragma once
// The main window's "上报到网络版": every record of the working database written to the
// encrypted upload file (see UploadFile.h for the file itself).

#include "core/UploadFile.h"

#include <QStringList>
#include <vector>

namespace fw {

class IProgress;
class TADOConnection;
class TDataSet;

// The upload text's fields: "select fieldName,QueryType from dt_fieldlist where
// sequence>0 and sequence<1000 order by sequence".
TUploadFieldList ReadUploadFieldList(TADOConnection& connection);

// The rows of an open data set, read without moving its cursor. A field that the data set
// does not have reads as empty.
class TDataSetUploadRows : public IUploadRowSource {
public:
  explicit TDataSetUploadRows(const TDataSet& dataSet) : dataSet_(dataSet) {}
  void Prepare(const QStringList& fieldNames) override;
  bool Next() override;
  QVariant Value(int index) const override;

private:
  const TDataSet& dataSet_;
  std::vector<int> columns_; // data-set column of each prepared field, -1 when missing
  int row_ = -1;
};

// The export. Refuses with "存在临时保存或逻辑错误的数据，不能导出上报数据!" while a record is
// not in state 1; asks for the file (save dialog, proposal "yyyy-mm-dd(网络版)"; an existing
// file is replaced only when the person agrees); shows the progress window, captioned
// "导出上报数据..." with the bar's percent and "%", while the text is built and encrypted; shows
// "导出上报数据成功". On an error the reason is shown and nothing is left on disk; the
// plain text is built in memory and never written. Returns true when the file was written.
bool ExportUploadFile(TADOConnection& connection, IProgress& progress);

} // namespace fw
