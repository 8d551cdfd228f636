#include "platform/sheet/SheetApplication.h"

#include "platform/shell/Folders.h"

#include "platform/shell/Hooks.h"
#include "platform/shell/TempFiles.h"
#include "platform/sheet/XlsxReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace fw {

int TWorkbooks::Count() const { return static_cast<int>(app_->BookList().size()); }

TWorkbook& TWorkbooks::Item(int index) {
  if (index < 1 || index > Count())
    throw ESheetError(QStringLiteral("工作簿序号%1超出范围：共打开了%2个工作簿。").arg(index).arg(Count()));
  return *app_->BookList()[index - 1];
}

namespace {

TWorkbook& Adopt(TSheetApplication& app, std::unique_ptr<TWorkbook> book) {
  TWorkbook& added = *book;
  app.BookList().push_back(std::move(book));
  added.Activate();
  return added;
}

} // namespace

TWorkbook& TWorkbooks::Open(const QString& path) {
  auto book = std::make_unique<TWorkbook>(*app_, QString());
  const bool isTemplate = ReadWorkbookPackage(path, *book);
  const QFileInfo info(path);
  if (isTemplate || info.suffix().compare(QStringLiteral("xltx"), Qt::CaseInsensitive) == 0)
    book->SetNames(info.completeBaseName() + QString::number(app_->NextBookNumber(info.completeBaseName())),
                   QString());
  else
    book->SetNames(info.fileName(), info.absoluteFilePath());
  book->SetSaved(true);
  return Adopt(*app_, std::move(book));
}

TWorkbook& TWorkbooks::Add() {
  const QString base = QStringLiteral("工作簿");
  auto book = std::make_unique<TWorkbook>(*app_, base + QString::number(app_->NextBookNumber(base)));
  book->SetSaved(true);
  return Adopt(*app_, std::move(book));
}

TWorkbook& TWorkbooks::Add(const QString& templatePath) {
  auto book = std::make_unique<TWorkbook>(*app_, QString());
  ReadWorkbookPackage(templatePath, *book);
  const QString base = QFileInfo(templatePath).completeBaseName();
  book->SetNames(base + QString::number(app_->NextBookNumber(base)), QString());
  book->SetSaved(true);
  return Adopt(*app_, std::move(book));
}

TSheetApplication::TSheetApplication(const QString& progId) : progId_(progId) {}

TSheetApplication::~TSheetApplication() = default;

TWorkbook& TSheetApplication::ActiveWorkbook() {
  if (!active_) throw ESheetError(QStringLiteral("没有打开的工作簿。"));
  return *active_;
}

TWorksheet& TSheetApplication::ActiveSheet() { return ActiveWorkbook().ActiveSheet(); }

void TSheetApplication::RemoveWorkbook(TWorkbook& book) {
  std::erase_if(books_, [&book](const std::unique_ptr<TWorkbook>& b) { return b.get() == &book; });
  if (active_ == &book) active_ = books_.empty() ? nullptr : books_.back().get();
}

void TSheetApplication::Quit() {
  books_.clear();
  active_ = nullptr;
  visible_ = false;
}

QString TSheetApplication::CacheFolder() { return UserCacheFolder(); }

namespace {

// A fresh name in folder for the shown copy of a workbook: its name without the ending,
// made fit for a file name, and the time it is shown ("<name>-yyyyMMdd-HHmmss.xlsx", with
// "-2", "-3", ... when that exists).
QString ShownFilePath(const QString& folder, const TWorkbook& book) {
  static const QRegularExpression unsafe(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f])"));
  QString base = book.Name();
  if (base.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive) ||
      base.endsWith(QStringLiteral(".xltx"), Qt::CaseInsensitive))
    base.chop(5);
  base.replace(unsafe, QStringLiteral("_"));
  if (base.isEmpty()) base = QStringLiteral("工作簿");
  const QString stem = folder + u'/' + base + u'-' + Now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  QString path = stem + QStringLiteral(".xlsx");
  for (int n = 2; QFileInfo::exists(path); ++n) path = stem + QStringLiteral("-%1.xlsx").arg(n);
  return path;
}

// Why the documents folder took no copy of a workbook, for the notice that names the
// copy kept in the cache folder instead.
QString DocumentsRefusal(const ESheetError& error) {
  const QString cause = error.SystemError() ? FileErrorCause(error.SystemError()) : error.Message();
  return QStringLiteral("文档文件夹“%1”无法保存文件（%2），所以文件保存在了上面的位置。")
      .arg(QDir::toNativeSeparators(PersonalFolder()), cause);
}

} // namespace

void TSheetApplication::SetVisible(bool visible) {
  if (!visible) {
    visible_ = false;
    return;
  }
  TWorkbook& book = ActiveWorkbook();
  const QString folder = CacheFolder();
  if (!QDir().mkpath(folder))
    throw ESheetError(QStringLiteral("无法创建文件夹“%1”，工作簿不能显示。").arg(QDir::toNativeSeparators(folder)));
  const QString path = ShownFilePath(folder, book);
  book.SaveCopyAs(path);
  visible_ = true;
  lastShown_ = path;
  if (OpenWithDefaultProgram(path)) return;
  // Nothing can show it: the workbook goes where the user keeps their files, not into a
  // hidden folder, and the user is told where.
  QString whyHere;
  try {
    const QString kept = ShownFilePath(PersonalFolder(), book);
    book.SaveCopyAs(kept);
    QFile::remove(path);
    lastShown_ = kept;
  } catch (const ESheetError& e) {
    // The documents folder takes no file: the copy in the cache folder is the one to find,
    // and the user learns why it is there.
    whyHere = DocumentsRefusal(e);
  }
  TellWhereFileIs(lastShown_, whyHere);
}

std::unique_ptr<TSheetApplication> CreateOleObject(const QString& progId) {
  const QString id = progId.trimmed();
  if (id.compare(QStringLiteral("Excel.Application"), Qt::CaseInsensitive) == 0 ||
      id.compare(QStringLiteral("et.Application"), Qt::CaseInsensitive) == 0)
    return std::make_unique<TSheetApplication>(id);
  throw ESheetError(QStringLiteral("无法创建自动化对象“%1”。").arg(progId));
}

} // namespace fw
