#include "grid/CellClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtEndian>

namespace fw {

const char* const kCellBlockMimeType = "application/x-meridane-easygrid";

namespace {

// Blocks larger than this are taken as damaged: no grid holds that many cells.
constexpr qint64 kMaxBlockCells = 256LL * 65536LL;
// A block's top-left lies in the data cells: columns 1..255, rows from 1 on; its last
// row stays far from the integer limit, so that places and merge ranges computed from
// it cannot overflow.
constexpr int kMaxBlockColumn = 255;
constexpr qint64 kMaxBlockRow = 1LL << 28;
// Line widths and font sizes beyond these are damage: no format the grid offers comes
// near them, and painting them would take the program down.
constexpr int kMaxLineWidth = 255;
constexpr int kMaxFontSize = 409;

bool ValuesInRange(const TCellInfo& c) {
  auto inside = [](qint64 v, qint64 lo, qint64 hi) { return v >= lo && v <= hi; };
  const TGridRect& m = c.MergeRect;
  return inside(c.LineWidth, 0, kMaxLineWidth) && inside(c.FontSize, 0, kMaxFontSize) &&
         inside(m.Left, 0, kMaxBlockColumn) && inside(m.Right, 0, kMaxBlockColumn) && inside(m.Top, 0, kMaxBlockRow) &&
         inside(m.Bottom, 0, kMaxBlockRow);
}

void PutInt(QByteArray& out, std::int32_t v) {
  char b[4];
  qToLittleEndian<std::int32_t>(v, b);
  out.append(b, 4);
}

void PutByte(QByteArray& out, int v) { out.append(char(v & 0xFF)); }

void PutText(QByteArray& out, const QString& text) {
  const QByteArray bytes = text.toUtf8();
  PutInt(out, std::int32_t(bytes.size()));
  out.append(bytes);
}

// A bounds-checked reader over the block's bytes.
class TReader {
public:
  TReader(const QByteArray& data, qsizetype offset) : data_(data), pos_(offset) {}
  bool Has(qsizetype n) const { return n >= 0 && pos_ <= data_.size() && data_.size() - pos_ >= n; }
  std::int32_t Int() {
    const auto v = qFromLittleEndian<std::int32_t>(data_.constData() + pos_);
    pos_ += 4;
    return v;
  }
  std::uint8_t Byte() { return std::uint8_t(data_[pos_++]); }
  void Skip(qsizetype n) { pos_ += n; }
  bool Text(QString& out) {
    if (!Has(4)) return false;
    const std::int32_t len = Int();
    if (len < 0 || !Has(len)) return false;
    out = QString::fromUtf8(data_.constData() + pos_, len);
    pos_ += len;
    return true;
  }
  qsizetype Pos() const { return pos_; }

private:
  const QByteArray& data_;
  qsizetype pos_;
};

} // namespace

int CellInfoSize(const TCellInfo& cell) {
  return kCellInfoFixedSize + int(cell.FontName.toUtf8().size() + cell.ForeText.toUtf8().size() +
                                  cell.BackText.toUtf8().size());
}

void SerializeCellInfo(const TCellInfo& c, QByteArray& out) {
  PutInt(out, CellInfoSize(c));
  PutByte(out, int(c.DataStyle));
  PutByte(out, int(c.AlignMode));
  PutInt(out, c.MergeRect.Left);
  PutInt(out, c.MergeRect.Top);
  PutInt(out, c.MergeRect.Right);
  PutInt(out, c.MergeRect.Bottom);
  for (bool flag : {c.ReadOnly, c.AutoWordBreak, c.ShowForeText, c.DrawTop, c.DrawLeft, c.DrawBottom, c.DrawRight,
                    c.AllowNegative, c.TrailingZero, c.ZeroNull, c.ThousandSep})
    PutByte(out, flag ? 1 : 0);
  out.append(3, '\0');
  PutInt(out, c.MaxLength);
  PutInt(out, c.IntLength);
  PutInt(out, c.DecLength);
  PutInt(out, c.LineWidth);
  PutByte(out, int(c.PenStyle));
  out.append(3, '\0');
  PutInt(out, c.Reserved);
  PutInt(out, std::int32_t(c.Color));
  PutInt(out, c.FontSize);
  PutInt(out, std::int32_t(c.FontColor));
  PutByte(out, int(c.FontStyle));
  out.append(3, '\0');
  PutText(out, c.FontName);
  PutText(out, c.ForeText);
  PutText(out, c.BackText);
}

bool DeserializeCellInfo(const QByteArray& data, qsizetype& offset, TCellInfo& cell) {
  TReader in(data, offset);
  if (!in.Has(kCellInfoFixedSize - 8)) return false;  // the fixed part before the last two lengths
  const std::int32_t total = in.Int();
  if (total < kCellInfoFixedSize || !TReader(data, offset).Has(total)) return false;
  TCellInfo c;
  // Enum values go through the property setter, which brings them back into range.
  const int dataStyle = in.Byte();
  const int alignMode = in.Byte();
  SetCellProp(c, TCellProp::DataStyle, dataStyle);
  SetCellProp(c, TCellProp::AlignMode, alignMode);
  c.MergeRect.Left = in.Int();
  c.MergeRect.Top = in.Int();
  c.MergeRect.Right = in.Int();
  c.MergeRect.Bottom = in.Int();
  for (bool* flag : {&c.ReadOnly, &c.AutoWordBreak, &c.ShowForeText, &c.DrawTop, &c.DrawLeft, &c.DrawBottom,
                     &c.DrawRight, &c.AllowNegative, &c.TrailingZero, &c.ZeroNull, &c.ThousandSep})
    *flag = in.Byte() != 0;
  in.Skip(3);
  c.MaxLength = in.Int();
  c.IntLength = in.Int();
  c.DecLength = in.Int();
  c.LineWidth = in.Int();
  SetCellProp(c, TCellProp::PenStyle, int(in.Byte()));
  in.Skip(3);
  c.Reserved = in.Int();
  c.Color = TColor(in.Int());
  c.FontSize = in.Int();
  c.FontColor = TColor(in.Int());
  c.FontStyle = TFontStyles(in.Byte() & 0x0F);
  in.Skip(3);
  if (!in.Text(c.FontName) || !in.Text(c.ForeText) || !in.Text(c.BackText)) return false;
  if (in.Pos() - offset != total) return false;
  if (!ValuesInRange(c)) return false;
  cell = std::move(c);
  offset = in.Pos();
  return true;
}

QByteArray WriteCellBlock(const TCellBlock& block) {
  QByteArray out;
  PutInt(out, block.Left);
  PutInt(out, block.Top);
  PutInt(out, block.Columns);
  PutInt(out, block.Rows);
  for (const TCellInfo& cell : block.Cells) SerializeCellInfo(cell, out);
  return out;
}

std::optional<TCellBlock> ParseCellBlock(const QByteArray& data) {
  TReader in(data, 0);
  if (!in.Has(16)) return std::nullopt;
  TCellBlock block;
  block.Left = in.Int();
  block.Top = in.Int();
  block.Columns = in.Int();
  block.Rows = in.Int();
  const qint64 count = qint64(block.Columns) * block.Rows;
  if (block.Columns < 1 || block.Rows < 1 || count > kMaxBlockCells) return std::nullopt;
  if (block.Left < 1 || block.Top < 1 || qint64(block.Left) + block.Columns - 1 > kMaxBlockColumn ||
      qint64(block.Top) + block.Rows - 1 > kMaxBlockRow)
    return std::nullopt;
  // Every cell takes at least its fixed part: a count the bytes cannot hold is damage.
  if (count * kCellInfoFixedSize > data.size() - 16) return std::nullopt;
  block.Cells.resize(std::size_t(count));
  qsizetype offset = 16;
  for (TCellInfo& cell : block.Cells)
    if (!DeserializeCellInfo(data, offset, cell)) return std::nullopt;
  if (offset != data.size()) return std::nullopt;
  return block;
}

bool CellBlockMergesSound(const TCellBlock& block) {
  const TGridRect source = block.SourceRect();
  for (int i = 0; i < block.Columns; ++i)
    for (int j = 0; j < block.Rows; ++j) {
      const TGridRect m = block.At(i, j).MergeRect;
      const int c = block.Left + i, r = block.Top + j;
      if (m == TGridRect{c, r, c, r}) continue;
      if (!m.Contains(c, r) || !source.Contains(m.Left, m.Top) || !source.Contains(m.Right, m.Bottom)) return false;
      for (int mc = m.Left; mc <= m.Right; ++mc)
        for (int mr = m.Top; mr <= m.Bottom; ++mr)
          if (!(block.At(mc - block.Left, mr - block.Top).MergeRect == m)) return false;
    }
  return true;
}

void PutCellBlockOnClipboard(const QByteArray& bytes) {
  auto* mime = new QMimeData;
  mime->setData(QString::fromLatin1(kCellBlockMimeType), bytes);
  QGuiApplication::clipboard()->setMimeData(mime);
}

QByteArray CellBlockFromClipboard() {
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (!mime) return {};
  return mime->data(QString::fromLatin1(kCellBlockMimeType));
}

} // namespace fw
