#include "core/CheckReport.h"

#include "core/SiblingTempFile.h"
#include "platform/shell/Folders.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <cerrno>

namespace fw {

namespace {

// Bytes gathered before they are handed to the file.
constexpr qsizetype kBufferBytes = 64 * 1024;

const QString kRecordSeparator(80, QLatin1Char('-'));
const QString kTotalsSeparator(49, QLatin1Char('='));

} // namespace

QString LogicReportPath(const QString& databaseLabel) {
  return QDir(PersonalFolder())
      .filePath(QStringLiteral("2014基层以上-") + SafeFileNamePart(databaseLabel) + QStringLiteral("-逻辑检查结果.txt"));
}

QString ReportCodeText(double code) { return QString::number(code, 'f', QLocale::FloatingPointShortest); }

TCheckReport::TCheckReport() = default;

TCheckReport::~TCheckReport() = default;

void TCheckReport::Fail(const QString& cause) {
  if (failed_) return;
  failed_ = true;
  error_ = cause;
}

bool TCheckReport::Create(const QString& path, const QDateTime& checkTime) {
  // The report replaces its name only at the end: a folder there, which nothing replaces,
  // ends the run before it starts.
  if (const QFileInfo there(path); there.isDir() && !there.isSymLink()) {
    Fail(FileErrorCause(EISDIR));
    return false;
  }
  try {
    temp_ = std::make_unique<TSiblingTempFile>(path);
  } catch (const EFileWriteError& e) {
    Fail(e.Cause());
    return false;
  }
  if (const int error = temp_->OpenWriter(file_)) {
    Fail(FileErrorCause(error));
    return false;
  }
  Line(kLogicReportTitle);
  Line(QStringLiteral("#检查时间：") + checkTime.toString(QStringLiteral("yyyy年MM月dd日 hh:mm")));
  Line();
  Line();
  return Flush();
}

void TCheckReport::Line(const QString& text) {
  encoder_.AppendTo(buffer_, text);
  buffer_.append("\r\n");
  if (buffer_.size() >= kBufferBytes) Flush();
}

void TCheckReport::BeginRecord(double code, const QString& name) {
  code_ = code;
  name_ = name;
  headerDue_ = true;
}

void TCheckReport::WriteLogicError(const QString& rule, const QString& explanation) {
  if (headerDue_) {
    Line(ReportCodeText(code_) + QStringLiteral("  ") + name_ + QStringLiteral("的数据有错误"));
    Line(kRecordSeparator);
    headerDue_ = false;
  }
  Line(QStringLiteral("  判断规则：") + rule);
  Line(QStringLiteral("  规则说明：") + explanation);
  Line();
  ++errorCount_;
}

void TCheckReport::WriteTotals(qint64 failedUnits) {
  Line(kTotalsSeparator);
  Line(QStringLiteral("共有") + QString::number(failedUnits) + QStringLiteral("个单位的数据存在逻辑错误！"));
  Line(QStringLiteral("共有") + QString::number(errorCount_) + QStringLiteral("个逻辑错误项！"));
}

bool TCheckReport::Flush() {
  if (!failed_ && !buffer_.isEmpty()) {
    if (const int error = file_.Write(buffer_)) Fail(FileErrorCause(error));
  }
  buffer_.clear();
  return !failed_;
}

bool TCheckReport::Close() {
  Flush();
  if (const int error = file_.Close()) Fail(FileErrorCause(error));
  if (!failed_ && temp_) {
    try {
      temp_->MoveIntoPlace();
    } catch (const EFileWriteError& e) {
      Fail(e.Cause());
    }
  }
  temp_.reset();
  return !failed_;
}

void TCheckReport::Discard() {
  file_.Close();
  temp_.reset();
}

} // namespace fw
