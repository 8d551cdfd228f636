#include "platform/sheet/DeflateRuns.h"

#include <algorithm>
#include <new>
#include <thread>
#include <zlib.h>

namespace fw {

namespace {

// The fastest level: the sheet XML of a big list is hundreds of mebibytes.
constexpr int kLevel = 1;

} // namespace

TDeflateRun DeflateRun(const char* data, std::size_t size, bool last) {
  z_stream z{};
  // Raw deflate (negative window bits): the zip entry carries no zlib header.
  if (deflateInit2(&z, kLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) throw std::bad_alloc();
  TDeflateRun run;
  run.Size = size;
  run.Crc = std::uint32_t(crc32_z(0, reinterpret_cast<const Bytef*>(data), size));
  // Room for the worst case and the flush marks; grown should it not do.
  run.Data.resize(qsizetype(deflateBound(&z, uLong(size)) + 16));
  const char* next = data;
  std::size_t left = size;
  std::size_t written = 0;
  for (;;) {
    if (z.avail_in == 0 && left > 0) {
      // Fed in pieces that the engine's 32-bit counts can hold.
      const std::size_t piece = std::min<std::size_t>(left, 1u << 30);
      z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(next));
      z.avail_in = uInt(piece);
      next += piece;
      left -= piece;
    }
    if (written == std::size_t(run.Data.size())) run.Data.resize(run.Data.size() * 2);
    z.next_out = reinterpret_cast<Bytef*>(run.Data.data() + written);
    z.avail_out = uInt(std::min<std::size_t>(std::size_t(run.Data.size()) - written, 1u << 30));
    const bool all = left == 0;
    // A sync flush ends the run on a byte boundary, leaving the stream open for the next.
    const int status = deflate(&z, all ? (last ? Z_FINISH : Z_SYNC_FLUSH) : Z_NO_FLUSH);
    written = std::size_t(reinterpret_cast<char*>(z.next_out) - run.Data.data());
    if (status == Z_STREAM_ERROR) {
      deflateEnd(&z);
      throw std::bad_alloc();
    }
    if (!all || z.avail_in > 0) continue;
    if (last ? status == Z_STREAM_END : z.avail_out > 0) break;
  }
  deflateEnd(&z);
  run.Data.resize(qsizetype(written));
  return run;
}

void TDeflateTotals::Add(std::uint32_t crc, std::uint64_t size, std::uint64_t compressedSize) {
  Crc = std::uint32_t(crc32_combine(Crc, crc, z_off_t(size)));
  Size += size;
  CompressedSize += compressedSize;
}

TParallelDeflate::TParallelDeflate(TSink sink) : sink_(std::move(sink)) {
  // The writing thread keeps one processor; the rest of a few compress.
  limit_ = std::size_t(std::clamp(int(std::thread::hardware_concurrency()) - 1, 1, 4));
  buffer_.reserve(kChunk + kChunk / 8);
}

TParallelDeflate::~TParallelDeflate() {
  for (auto& run : running_)
    if (run.valid()) run.wait();
}

void TParallelDeflate::Flush() {
  if (buffer_.empty()) return;
  if (running_.size() >= limit_) HandOutOldest();
  std::vector<char> chunk;
  chunk.reserve(kChunk + kChunk / 8);
  chunk.swap(buffer_);
  running_.push_back(std::async(std::launch::async, [data = std::move(chunk)] {
    return DeflateRun(data.data(), data.size(), false);
  }));
}

void TParallelDeflate::Finish() {
  Flush();
  while (!running_.empty()) HandOutOldest();
}

void TParallelDeflate::HandOutOldest() {
  const TDeflateRun run = running_.front().get();
  running_.pop_front();
  totals_.Add(run);
  sink_(run);
}

} // namespace fw
