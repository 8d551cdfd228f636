#pragma once
// Deflate compression in runs that can be joined: each run is compressed on its own and
// ends on a byte boundary without closing the stream, so runs made at different times,
// or at the same time on several threads, placed one after the other and closed by a
// last run, form one valid deflate stream. A zip entry can so be put together from a
// head written last and a long body compressed as it was produced.

#include <QByteArray>
#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <vector>

namespace fw {

struct TDeflateRun {
  QByteArray Data;         // compressed
  std::uint32_t Crc = 0;   // CRC-32 of the bytes it holds
  std::uint64_t Size = 0;  // how many bytes it holds
};

// Compresses data into one run; `last` closes the stream with it. Fast rather than small:
// sheet XML still shrinks about tenfold.
TDeflateRun DeflateRun(const char* data, std::size_t size, bool last);

// The check sum and lengths of runs joined in order.
struct TDeflateTotals {
  std::uint32_t Crc = 0;
  std::uint64_t Size = 0;
  std::uint64_t CompressedSize = 0;

  void Add(const TDeflateRun& run) { Add(run.Crc, run.Size, std::uint64_t(run.Data.size())); }
  void Add(const TDeflateTotals& more) { Add(more.Crc, more.Size, more.CompressedSize); }
  void Add(std::uint32_t crc, std::uint64_t size, std::uint64_t compressedSize);
};

// A long stream of bytes compressed in runs of about a mebibyte on worker threads while
// the caller goes on producing: the caller appends into Buffer(), hands a full buffer on
// with Flush() and receives the runs, in order, on its own thread through `sink`, which
// may throw (the rest is then dropped). At most a few runs are in the works at a time,
// so memory stays small whatever the length.
class TParallelDeflate {
public:
  using TSink = std::function<void(const TDeflateRun&)>;
  explicit TParallelDeflate(TSink sink);
  ~TParallelDeflate();  // waits for the runs in the works (their results are dropped)
  TParallelDeflate(const TParallelDeflate&) = delete;
  TParallelDeflate& operator=(const TParallelDeflate&) = delete;

  // What the caller appends to; Flush() when it has grown to ChunkSize() or more.
  std::vector<char>& Buffer() { return buffer_; }
  static std::size_t ChunkSize() { return kChunk; }
  void FlushWhenFull() {
    if (buffer_.size() >= kChunk) Flush();
  }
  void Flush();
  // Compresses what is left and hands out every run (none is the last of a stream).
  void Finish();
  const TDeflateTotals& Totals() const { return totals_; }

private:
  static constexpr std::size_t kChunk = 1 << 20;
  void HandOutOldest();

  TSink sink_;
  std::vector<char> buffer_;
  std::deque<std::future<TDeflateRun>> running_;
  std::size_t limit_;
  TDeflateTotals totals_;
};

} // namespace fw
