#pragma once
// The columns of a data-aware grid (TDBGrid): each column shows one field of the grid's
// data set with its width, alignment, visibility and title (caption, alignment, colour,
// font). A title's colour and font follow the grid's FixedColor and TitleFont, and a
// column's colour and font follow the grid's, until they are set.
//
// Columns made by code are the grid's own ("customized"); a grid without any shows one
// default column per field of its data set, rebuilt whenever the data set changes.

#include "platform/ui/Graphics.h"
#include "platform/ui/Types.h"

#include <QString>
#include <memory>
#include <vector>

namespace fw {

class TColumn;
class TDBGrid;
class TField;

class TColumnTitle {
public:
  explicit TColumnTitle(TColumn& column);

  QString Caption() const;  // the field name until set
  void SetCaption(const QString& value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TColor Color() const;     // the grid's FixedColor until set
  void SetColor(TColor value);
  // The grid's TitleFont until this font is changed.
  const TFont& Font() const;
  TFont& Font();
  void SetFont(const TFont& font) { Font().Assign(font); }

private:
  void Changed();

  TColumn& column_;
  QString caption_;
  bool captionSet_ = false;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TColor color_ = clBtnFace;
  bool colorSet_ = false;
  TFont font_;
  bool fontSet_ = false;
  bool syncingFont_ = false;
};

class TColumn {
public:
  TColumn(TDBGrid* grid, int index);

  TDBGrid* Grid() const { return grid_; }
  int Index() const { return index_; }

  QString FieldName() const { return fieldName_; }
  void SetFieldName(const QString& value);
  // The field of the grid's open data set with this name (nullptr when none).
  TField* Field() const;
  int Width() const { return width_; }
  void SetWidth(int value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TColor Color() const;     // the grid's Color until set
  void SetColor(TColor value);
  const TFont& Font() const; // the grid's Font until changed
  TFont& Font();

  TColumnTitle& Title() { return title_; }
  const TColumnTitle& Title() const { return title_; }

private:
  friend class TDBGridColumns;
  friend class TColumnTitle;
  friend class TDBGrid;
  void Changed(bool layout);

  TDBGrid* grid_;
  int index_;
  QString fieldName_;
  int width_ = 64;
  bool visible_ = true;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TColor color_ = clWindow;
  bool colorSet_ = false;
  TFont font_;
  bool fontSet_ = false;
  bool syncingFont_ = false;
  TColumnTitle title_;
};

enum class TDBGridColumnsState { csDefault, csCustomized };

class TDBGridColumns {
public:
  explicit TDBGridColumns(TDBGrid* grid) : grid_(grid) {}

  int Count() const { return static_cast<int>(items_.size()); }
  TColumn* Items(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
  TColumn* operator[](int index) const { return Items(index); }
  // Adds a column at the end; the grid's columns are then its own.
  TColumn* Add();
  void Clear();
  // The first column showing this field (without regard to case), nullptr when none.
  TColumn* FindColumn(const QString& fieldName) const;

  TDBGridColumnsState State() const { return state_; }
  // Back to csDefault: the columns go and the data set's fields show again.
  void SetState(TDBGridColumnsState state);

  // Grouped changes: the grid lays its columns out once, when the last update ends.
  void BeginUpdate() { ++updating_; }
  void EndUpdate();
  bool Updating() const { return updating_ > 0; }
  // A change made during an update, laid out when the update ends.
  void MarkPending() { pending_ = true; }

  // Used by the grid: one default column per field.
  void RebuildDefault(const QStringList& fieldNames);

private:
  void Changed();

  TDBGrid* grid_;
  std::vector<std::unique_ptr<TColumn>> items_;
  TDBGridColumnsState state_ = TDBGridColumnsState::csDefault;
  int updating_ = 0;
  bool pending_ = false;
};

} // namespace fw
