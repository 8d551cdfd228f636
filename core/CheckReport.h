#pragma once
// The report of a batch logic check: a text file in GBK with CR LF line ends, written
// from the header to the totals into a working file beside it (core/SiblingTempFile.h),
// which replaces the old report only once complete: a failed write (a full disk) leaves
// the old report, or none, never an empty or cut one, and a link planted at the report's
// name is replaced, never written through.
//
//   #2014基层以上调查表逻辑检查结果
//   #检查时间：2014年12月31日 10:05
//   (two empty lines)
//   <code>  <name>的数据有错误            once per failing record
//   -------- (80)
//     判断规则：<rule>                    per broken rule of that record
//     规则说明：<explanation>
//   (empty line)
//   ======== (49)                          only when a record failed
//   共有<n>个单位的数据存在逻辑错误！
//   共有<m>个逻辑错误项！

#include "platform/shell/FileWriter.h"
#include "platform/shell/GbkCodec.h"

#include <QDateTime>
#include <QString>
#include <memory>

namespace fw {

class TSiblingTempFile;

inline const QString kLogicReportTitle = QStringLiteral("#2014基层以上调查表逻辑检查结果");

// The report file for a database label: "2014基层以上-" + label + "-逻辑检查结果.txt" in
// the user's documents folder, with every character of the label that a file name
// cannot hold replaced.
QString LogicReportPath(const QString& databaseLabel);

// A unit code as the report writes it: the shortest decimal form, never an exponent.
QString ReportCodeText(double code);

class TCheckReport {
public:
  TCheckReport();
  ~TCheckReport();
  TCheckReport(const TCheckReport&) = delete;
  TCheckReport& operator=(const TCheckReport&) = delete;

  // Starts the report that is to replace path and writes the header with the time given.
  // False when it cannot be created or written; ErrorString() says why (a full disk as
  // "磁盘空间不足").
  bool Create(const QString& path, const QDateTime& checkTime);

  // Starts a record: its header comes before its first broken rule.
  void BeginRecord(double code, const QString& name);
  // One broken rule of the current record (with the record's header first when due).
  void WriteLogicError(const QString& rule, const QString& explanation);
  // Whether the current record has had no broken rule written.
  bool HeaderDue() const { return headerDue_; }
  qint64 ErrorCount() const { return errorCount_; }

  // The closing lines: the separator and the two totals.
  void WriteTotals(qint64 failedUnits);

  // Hands what is written so far to the file system; false when writing failed.
  bool Flush();
  // Flushes, closes and puts the report in place of the old one; false when writing
  // failed (then nothing replaces the old report).
  bool Close();
  // Drops what was written: the old report stays as it was.
  void Discard();
  // Why creating or writing failed.
  QString ErrorString() const { return error_; }

private:
  void Line(const QString& text = QString());
  void Fail(const QString& cause);

  std::unique_ptr<TSiblingTempFile> temp_;
  TFileWriter file_;
  TGbkEncoder encoder_;
  QByteArray buffer_;  // GBK bytes not yet handed to the file
  bool failed_ = false;
  QString error_;
  bool headerDue_ = false;
  double code_ = 0;
  QString name_;
  qint64 errorCount_ = 0;
};

} // namespace fw
