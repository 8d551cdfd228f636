#pragma once
// Graphic objects of the class-library layer: font, pen and brush. Each is a small
// property bag that reports a change through OnChange, so that a control or canvas that
// owns one can repaint or reselect it.

#include "platform/ui/Types.h"

#include <QFont>
#include <QString>
#include <functional>

namespace fw {

enum class TFontPitch { fpDefault, fpVariable, fpFixed };

class TFont {
public:
  TFont();

  QString Name() const { return name_; }
  void SetName(const QString& name);
  // Size in points; Height in pixels (negative for the character height, as the
  // desktop stores it). Setting one changes the other at 96 pixels per inch.
  int Size() const { return size_; }
  void SetSize(int points);
  int Height() const;
  void SetHeight(int pixels);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch);
  int Charset() const { return charset_; }
  void SetCharset(int charset);

  // Copies every property and raises one change.
  void Assign(const TFont& other);
  bool SameAs(const TFont& other) const;

  // The font as Qt draws it (name substitutions for the Windows font names are set up
  // at start-up).
  QFont ToQFont() const;

  std::function<void(TFont&)> OnChange;

private:
  void Changed();

  QString name_;
  int size_;
  TColor color_;
  TFontStyles style_;
  TFontPitch pitch_;
  int charset_;
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum class TPenMode { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmXor };

class TPen {
public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode mode);
  void Assign(const TPen& other);

  std::function<void(TPen&)> OnChange;

private:
  void Changed();

  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = TPenStyle::psSolid;
  TPenMode mode_ = TPenMode::pmCopy;
};

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush {
public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);
  void Assign(const TBrush& other);

  std::function<void(TBrush&)> OnChange;

private:
  void Changed();

  TColor color_ = clWhite;
  TBrushStyle style_ = TBrushStyle::bsSolid;
};

} // namespace fw
