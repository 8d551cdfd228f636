#include "platform/sheet/Workbook.h"

#include "platform/sheet/SheetApplication.h"
#include "platform/sheet/XlsxWriter.h"

#include <QFileInfo>

namespace fw {

int TSheets::Count() const { return static_cast<int>(book_->SheetList().size()); }

TWorksheet& TSheets::Item(int index) {
  if (index < 1 || index > Count())
    throw ESheetError(QStringLiteral("工作表序号%1超出范围：工作簿共有%2张工作表。").arg(index).arg(Count()));
  return *book_->SheetList()[index - 1];
}

TWorksheet& TSheets::Item(const QString& name) {
  for (const auto& sheet : book_->SheetList())
    if (sheet->Name().compare(name, Qt::CaseInsensitive) == 0) return *sheet;
  throw ESheetError(QStringLiteral("工作簿中没有名为“%1”的工作表。").arg(name));
}

TWorksheet& TSheets::Add() {
  TWorksheet& sheet = book_->AddSheet(book_->ActiveIndex(), book_->NewSheetName());
  sheet.Activate();
  return sheet;
}

TWorkbook::TWorkbook(TSheetApplication& app, const QString& name) : app_(&app), name_(name) {
  AddSheet(0, QStringLiteral("Sheet1"));
}

TWorksheet& TWorkbook::ActiveSheet() { return sheets_.Item(active_ + 1); }

void TWorkbook::Activate() { app_->SetActiveWorkbook(this); }

void TWorkbook::SetActiveIndex(int index) {
  if (index >= 0 && index < static_cast<int>(sheetList_.size())) active_ = index;
}

void TWorkbook::SetNames(const QString& name, const QString& fullName) {
  name_ = name;
  fullName_ = fullName;
}

void TWorkbook::SaveAs(const QString& path) {
  const bool asTemplate = path.endsWith(QStringLiteral(".xltx"), Qt::CaseInsensitive);
  Write(path, asTemplate);
  const QFileInfo info(path);
  name_ = info.fileName();
  fullName_ = info.absoluteFilePath();
  saved_ = true;
}

void TWorkbook::SaveCopyAs(const QString& path) const { Write(path, false); }

void TWorkbook::Write(const QString& path, bool asTemplate) const { WriteWorkbookPackage(*this, path, asTemplate); }

void TWorkbook::Close() { app_->RemoveWorkbook(*this); }

void TWorkbook::DeleteSheet(TWorksheet& sheet) {
  const int index = sheet.Index() - 1;
  if (index < 0) return;
  if (sheetList_.size() <= 1) throw ESheetError(QStringLiteral("工作簿中至少要保留一张工作表。"));
  sheetList_.erase(sheetList_.begin() + index);
  // Names that belonged to the sheet go; those of later sheets follow them up.
  std::erase_if(definedNames_, [index](const TDefinedName& n) { return n.LocalSheet == index; });
  for (TDefinedName& n : definedNames_)
    if (n.LocalSheet > index) --n.LocalSheet;
  if (active_ > index || active_ >= static_cast<int>(sheetList_.size())) --active_;
  saved_ = false;
}

TWorksheet& TWorkbook::AddSheet(int position, const QString& name) {
  position = std::clamp(position, 0, static_cast<int>(sheetList_.size()));
  auto it = sheetList_.insert(sheetList_.begin() + position, std::make_unique<TWorksheet>(*this, name));
  for (TDefinedName& n : definedNames_)
    if (n.LocalSheet >= position) ++n.LocalSheet;
  if (sheetList_.size() > 1 && active_ >= position) ++active_;
  saved_ = false;
  return **it;
}

QString TWorkbook::NewSheetName() const {
  for (int n = static_cast<int>(sheetList_.size()) + 1;; ++n) {
    const QString name = QStringLiteral("Sheet%1").arg(n);
    bool used = false;
    for (const auto& sheet : sheetList_) used = used || sheet->Name().compare(name, Qt::CaseInsensitive) == 0;
    if (!used) return name;
  }
}

} // namespace fw
