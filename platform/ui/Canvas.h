#pragma once
// TCanvas: the drawing surface every control paints through. It sits on a QPainter over
// a QPaintDevice (an off-screen image or a widget inside its paint event) and keeps the
// desktop's pixel rules, because the control library's painters are written for them:
//  - rectangles are half-open (Right and Bottom are not painted);
//  - a line from A to B paints A but not B;
//  - Rectangle() outlines with the pen and fills the inside with the brush; with a clear
//    pen the filled area is one pixel smaller on the right and bottom;
//  - polygons fill the pixels whose top-left corner lies inside (left and top edges in,
//    right and bottom edges out), so adjacent polygons tile without gaps or overlap.
// Anti-aliasing is off everywhere, so painted pixels can be tested exactly.

#include "platform/ui/Graphics.h"
#include "platform/ui/Types.h"

#include <QImage>
#include <QRegion>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QPainter;
class QPaintDevice;

namespace fw {

class TBitmap;

// DrawText flags (values as the desktop's).
enum : unsigned {
  DT_TOP = 0x0,
  DT_LEFT = 0x0,
  DT_CENTER = 0x1,
  DT_RIGHT = 0x2,
  DT_VCENTER = 0x4,
  DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10,
  DT_SINGLELINE = 0x20,
  DT_EXPANDTABS = 0x40,
  DT_NOCLIP = 0x100,
  DT_CALCRECT = 0x400,
  DT_NOPREFIX = 0x800,
  DT_PATH_ELLIPSIS = 0x4000,
  DT_END_ELLIPSIS = 0x8000,
};

class TCanvas {
public:
  // A canvas on nothing: every drawing call does nothing.
  TCanvas();
  // A canvas on a device (a QImage, or a widget while it handles its paint event). The
  // painter is started on the first drawing call and ended by Flush() or destruction.
  explicit TCanvas(QPaintDevice* device);
  // A canvas over a painter that is already active; the caller keeps ownership.
  explicit TCanvas(QPainter* painter);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // Drawing objects. Changing them takes effect on the next drawing call.
  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }
  TFont& Font() { return font_; }
  const TPen& Pen() const { return pen_; }
  const TBrush& Brush() const { return brush_; }
  const TFont& Font() const { return font_; }

  TPoint PenPos() const { return penPos_; }
  void SetPenPos(TPoint p) { penPos_ = p; }

  // Rectangles.
  void FillRect(const TRect& r);               // brush, half-open
  void FrameRect(const TRect& r);              // 1-pixel frame in the brush colour
  void Rectangle(const TRect& r);              // pen outline, brush inside
  void Rectangle(int left, int top, int right, int bottom) { Rectangle(TRect{left, top, right, bottom}); }

  // Lines and polygons.
  void MoveTo(int x, int y) { penPos_ = {x, y}; }
  void LineTo(int x, int y);                   // end point excluded; the pen moves there
  void Polyline(const std::vector<TPoint>& points);
  void Polygon(const std::vector<TPoint>& points);

  // Single pixels. Reading works on image-backed canvases only; outside the image (or on
  // a widget) it answers clNone.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  // Text in the canvas font. With a solid brush the text background is filled with the
  // brush colour, with a clear brush it is left alone.
  void TextOut(int x, int y, const QString& text);  // top-left at (x, y); the pen moves to the right end
  // Fills r with the brush (unless clear) and draws the text clipped to r; x is the left
  // edge, the centre or the right edge of the text according to the alignment.
  void TextRect(const TRect& r, int x, int y, const QString& text, TAlignment alignment = TAlignment::taLeftJustify);
  int TextWidth(const QString& text) const;
  int TextHeight(const QString& text) const;
  // Draws text in r with the DT_* flags and returns the height of the text. With
  // DT_CALCRECT nothing is drawn; r's Right and Bottom are set to the text's extent.
  int DrawText(const QString& text, TRect& r, unsigned flags);

  // Clipping. The clip is held in device pixels; SaveDC/RestoreDC keep and restore it
  // (with the pen position), so a painter can clip freely and give back what it found.
  void IntersectClipRect(const TRect& r);
  void ExcludeClipRect(const TRect& r);
  void SelectClipRect(const TRect& r);
  void SelectClipRegion(const QRegion& region);
  void ClearClip();
  bool HasClip() const { return clip_.has_value(); }
  QRegion ClipRegion() const;
  TRect ClipRect() const;                      // bounding rectangle of the clip (or the device)
  int SaveDC();                                // returns the saved level (1, 2, ...)
  bool RestoreDC(int level = -1);              // negative: relative to the top; positive: that level

  // Bitmaps. A bitmap whose Transparent() is set leaves its transparent colour out.
  void Draw(int x, int y, const TBitmap& bitmap);
  void StretchDraw(const TRect& dest, const TBitmap& bitmap);
  void DrawImage(int x, int y, const QImage& image);
  // Copies source (a rectangle of an image-backed canvas) stretched onto dest.
  void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);
  // Copies source of the bitmap stretched onto dest with every pixel of colour
  // `transparent` replaced by the brush colour.
  void BrushCopy(const TRect& dest, const TBitmap& bitmap, const TRect& source, TColor transparent);

  // Size of the device (0 x 0 when there is none).
  int DeviceWidth() const;
  int DeviceHeight() const;
  // The image painted on, when the canvas is on an image.
  const QImage* Image() const;

  // Ends an owned painter so that the device can be read, resized or painted elsewhere;
  // the next drawing call starts it again with the same clip.
  void Flush();
  // The active painter (started when needed), for the rare drawing the canvas has no call
  // for; nullptr when the canvas is on nothing.
  QPainter* Painter();

private:
  friend class TBitmap;
  void Attach(QPaintDevice* device);
  QPainter* Begin();
  void ApplyClip();
  void ApplyMode(QPainter& p, TPenMode mode) const;
  void FillSpan(QPainter& p, const QRect& r, const QColor& color);
  void FillWithBrush(QPainter& p, const QRect& r);
  void StrokeLine(QPainter& p, TPoint a, TPoint b, int& dashPos);
  void FillPolygon(QPainter& p, const std::vector<TPoint>& points);
  void DrawTextLine(QPainter& p, const QRect& r, int qtFlags, const QString& text, bool opaque);
  QRect DeviceRect() const;

  QPaintDevice* device_ = nullptr;
  QPainter* painter_ = nullptr;
  std::unique_ptr<QPainter> owned_;
  TPen pen_;
  TBrush brush_;
  TFont font_;
  TPoint penPos_;
  std::optional<QRegion> clip_;
  struct SavedState {
    std::optional<QRegion> clip;
    TPoint penPos;
  };
  std::vector<SavedState> saved_;
};

} // namespace fw
