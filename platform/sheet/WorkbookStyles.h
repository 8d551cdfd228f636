#pragma once
// The style sheet of a workbook (styles.xml). The document read from a template is kept
// whole, so that every cell style index of the template stays valid and nothing the model
// does not know about is lost. A change of format on a cell never edits a shared entry: it
// derives a new cell format (xf) from the cell's present one, reusing an equal entry
// when there is one.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <functional>
#include <pugixml.hpp>
#include <vector>

namespace fw {

struct TSheetFontInfo {
  QString Name;
  double Size = 11;
  bool Bold = false;
  bool Italic = false;
};

class TWorkbookStyles {
public:
  // The styles of a new workbook: one font (宋体, 11), the two required fills, one empty
  // border and the general cell format 0.
  TWorkbookStyles();

  // Replaces the styles by a styles.xml part; throws ESheetError when it is not readable.
  void Load(const QByteArray& xml);
  QByteArray Save() const;

  int XfCount() const { return static_cast<int>(xfs_.size()); }
  // An index that is safe to use: out-of-range indexes (a damaged file) read as 0.
  int ValidXf(int xf) const { return xf >= 0 && xf < XfCount() ? xf : 0; }

  QString NumberFormat(int xf) const;  // format code, "General" for the general format
  bool IsTextFormat(int xf) const;     // format "@": values written stay text
  int HorizontalAlignment(int xf) const; // xlGeneral, xlLeft, xlCenter, xlRight, xlJustify
  int VerticalAlignment(int xf) const;   // xlBottom when not set
  bool WrapText(int xf) const;
  TSheetFontInfo Font(int xf) const;
  TSheetFontInfo DefaultFont() const { return Font(0); }
  bool HasBorders(int xf) const;

  // Each returns the index of a cell format equal to xf but for the one change.
  int WithNumberFormat(int xf, const QString& code);
  int WithHorizontalAlignment(int xf, int value);
  int WithVerticalAlignment(int xf, int value);
  int WithWrapText(int xf, bool wrap);
  int WithFontBold(int xf, bool bold);
  int WithFontItalic(int xf, bool italic);
  int WithFontSize(int xf, double size);
  int WithFontName(int xf, const QString& name);
  // Sets all four edges of the cell to the line style and weight (xlLineStyleNone clears).
  int WithBorders(int xf, int lineStyle, int weight);

private:
  pugi::xml_node Section(const char* name, bool create);
  void Index();
  int DeriveXf(int xf, const std::function<void(pugi::xml_node)>& edit);
  int DeriveFont(int xf, const std::function<void(pugi::xml_node)>& edit);
  int AddUnique(pugi::xml_node section, std::vector<pugi::xml_node>& entries, QHash<QByteArray, int>& keys,
                pugi::xml_node candidate);
  int NumFmtIdFor(const QString& code);
  pugi::xml_node FontNode(int xf) const;

  pugi::xml_document doc_;
  std::vector<pugi::xml_node> xfs_, fonts_, borders_;
  QHash<QByteArray, int> xfKeys_, fontKeys_, borderKeys_;
  QHash<int, QString> customFormats_;
};

} // namespace fw
