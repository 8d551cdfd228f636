#include "platform/ui/Graphics.h"

#include <cmath>

namespace fw {

namespace {
constexpr int kPixelsPerInch = 96;
}

TFont::TFont()
    : name_(QStringLiteral("宋体")), size_(9), color_(clWindowText), style_(0), pitch_(TFontPitch::fpDefault),
      charset_(1) {}

void TFont::SetName(const QString& name) {
  if (name == name_) return;
  name_ = name;
  Changed();
}

void TFont::SetSize(int points) {
  if (points == size_) return;
  size_ = points;
  Changed();
}

int TFont::Height() const { return -static_cast<int>(std::lround(size_ * kPixelsPerInch / 72.0)); }

void TFont::SetHeight(int pixels) {
  SetSize(static_cast<int>(std::lround(std::abs(pixels) * 72.0 / kPixelsPerInch)));
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == pitch_) return;
  pitch_ = pitch;
  Changed();
}

void TFont::SetCharset(int charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

void TFont::Assign(const TFont& other) {
  if (SameAs(other)) return;
  name_ = other.name_;
  size_ = other.size_;
  color_ = other.color_;
  style_ = other.style_;
  pitch_ = other.pitch_;
  charset_ = other.charset_;
  Changed();
}

bool TFont::SameAs(const TFont& other) const {
  return name_ == other.name_ && size_ == other.size_ && color_ == other.color_ && style_ == other.style_ &&
         pitch_ == other.pitch_ && charset_ == other.charset_;
}

QFont TFont::ToQFont() const {
  QFont font(name_);
  font.setPixelSize(std::abs(Height()));
  font.setBold(style_ & fsBold);
  font.setItalic(style_ & fsItalic);
  font.setUnderline(style_ & fsUnderline);
  font.setStrikeOut(style_ & fsStrikeOut);
  if (pitch_ == TFontPitch::fpFixed) font.setFixedPitch(true);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

void TFont::Changed() {
  if (OnChange) OnChange(*this);
}

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TPen::SetWidth(int width) {
  if (width == width_) return;
  width_ = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TPen::SetMode(TPenMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
  Changed();
}

void TPen::Assign(const TPen& other) {
  color_ = other.color_;
  width_ = other.width_;
  style_ = other.style_;
  mode_ = other.mode_;
  Changed();
}

void TPen::Changed() {
  if (OnChange) OnChange(*this);
}

void TBrush::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  // Choosing a colour makes a clear brush solid again, as the desktop does.
  if (style_ == TBrushStyle::bsClear) style_ = TBrushStyle::bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TBrush::Assign(const TBrush& other) {
  color_ = other.color_;
  style_ = other.style_;
  Changed();
}

void TBrush::Changed() {
  if (OnChange) OnChange(*this);
}

} // namespace fw
