#include "platform/ui/DBGridColumns.h"

#include "platform/db/DataSet.h"
#include "platform/ui/DBGrid.h"

namespace fw {

// ---- title ---------------------------------------------------------------------

TColumnTitle::TColumnTitle(TColumn& column) : column_(column) {
  font_.OnChange = [this](TFont&) {
    if (syncingFont_) return;
    fontSet_ = true;
    Changed();
  };
}

QString TColumnTitle::Caption() const { return captionSet_ ? caption_ : column_.FieldName(); }

void TColumnTitle::SetCaption(const QString& value) {
  if (captionSet_ && value == caption_) return;
  caption_ = value;
  captionSet_ = true;
  Changed();
}

void TColumnTitle::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Changed();
}

TColor TColumnTitle::Color() const {
  if (colorSet_ || !column_.Grid()) return color_;
  return column_.Grid()->FixedColor();
}

void TColumnTitle::SetColor(TColor value) {
  if (colorSet_ && value == color_) return;
  color_ = value;
  colorSet_ = true;
  Changed();
}

const TFont& TColumnTitle::Font() const {
  if (fontSet_ || !column_.Grid()) return font_;
  return column_.Grid()->TitleFont();
}

TFont& TColumnTitle::Font() {
  // Handed out for changing: it starts as a copy of the grid's title font, and the first
  // change makes it the title's own.
  if (!fontSet_ && column_.Grid()) {
    syncingFont_ = true;
    font_.Assign(column_.Grid()->TitleFont());
    syncingFont_ = false;
  }
  return font_;
}

void TColumnTitle::Changed() { column_.Changed(false); }

// ---- column --------------------------------------------------------------------

TColumn::TColumn(TDBGrid* grid, int index) : grid_(grid), index_(index), title_(*this) {
  font_.OnChange = [this](TFont&) {
    if (syncingFont_) return;
    fontSet_ = true;
    Changed(false);
  };
}

void TColumn::SetFieldName(const QString& value) {
  if (value == fieldName_) return;
  fieldName_ = value;
  Changed(true);
}

TField* TColumn::Field() const {
  if (!grid_ || fieldName_.isEmpty()) return nullptr;
  TDataSet* dataSet = grid_->DataSet();
  return dataSet && dataSet->Active() ? dataSet->FindField(fieldName_) : nullptr;
}

void TColumn::SetWidth(int value) {
  value = std::max(0, value);
  if (value == width_) return;
  width_ = value;
  Changed(true);
}

void TColumn::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  Changed(true);
}

void TColumn::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Changed(false);
}

TColor TColumn::Color() const {
  if (colorSet_ || !grid_) return color_;
  return grid_->Color();
}

void TColumn::SetColor(TColor value) {
  if (colorSet_ && value == color_) return;
  color_ = value;
  colorSet_ = true;
  Changed(false);
}

const TFont& TColumn::Font() const {
  if (fontSet_ || !grid_) return font_;
  return grid_->Font();
}

TFont& TColumn::Font() {
  if (!fontSet_ && grid_) {
    syncingFont_ = true;
    font_.Assign(grid_->Font());
    syncingFont_ = false;
  }
  return font_;
}

void TColumn::Changed(bool layout) {
  if (grid_) grid_->ColumnChanged(layout);
}

// ---- columns -------------------------------------------------------------------

TColumn* TDBGridColumns::Add() {
  state_ = TDBGridColumnsState::csCustomized;
  items_.push_back(std::make_unique<TColumn>(grid_, Count()));
  Changed();
  return items_.back().get();
}

void TDBGridColumns::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

TColumn* TDBGridColumns::FindColumn(const QString& fieldName) const {
  for (const auto& c : items_)
    if (c->FieldName().compare(fieldName, Qt::CaseInsensitive) == 0) return c.get();
  return nullptr;
}

void TDBGridColumns::SetState(TDBGridColumnsState state) {
  if (state == state_) return;
  state_ = state;
  items_.clear();
  Changed();
}

void TDBGridColumns::EndUpdate() {
  if (updating_ > 0 && --updating_ == 0 && pending_) {
    pending_ = false;
    if (grid_) grid_->ColumnsChanged();
  }
}

void TDBGridColumns::RebuildDefault(const QStringList& fieldNames) {
  items_.clear();
  for (const QString& name : fieldNames) {
    auto column = std::make_unique<TColumn>(grid_, Count());
    column->fieldName_ = name;
    items_.push_back(std::move(column));
  }
}

void TDBGridColumns::Changed() {
  if (updating_ > 0) {
    pending_ = true;
    return;
  }
  if (grid_) grid_->ColumnsChanged();
}

} // namespace fw
