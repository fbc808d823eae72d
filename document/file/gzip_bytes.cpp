#include "document/file/gzip_bytes.h"

#include <zlib.h>

namespace {
constexpr int kGzipWindow = 15 + 16;  // zlib's window bits with a gzip wrapper
}

std::vector<uint8_t> GzipBytes(std::span<const uint8_t> bytes, int level) {
  z_stream z{};
  if (deflateInit2(&z, level, Z_DEFLATED, kGzipWindow, 9, Z_DEFAULT_STRATEGY) != Z_OK) return {};
  std::vector<uint8_t> out(deflateBound(&z, static_cast<uLong>(bytes.size())) + 32);
  z.next_in = const_cast<Bytef*>(bytes.data());
  z.avail_in = static_cast<uInt>(bytes.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  const int r = deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  if (r != Z_STREAM_END) return {};
  return out;
}

bool GunzipBytes(std::span<const uint8_t> gz, std::vector<uint8_t>& out, size_t limit) {
  out.clear();
  z_stream z{};
  if (inflateInit2(&z, kGzipWindow) != Z_OK) return false;
  z.next_in = const_cast<Bytef*>(gz.data());
  z.avail_in = static_cast<uInt>(gz.size());
  uint8_t block[16384];
  int r = Z_OK;
  while (r != Z_STREAM_END) {
    z.next_out = block;
    z.avail_out = sizeof block;
    r = inflate(&z, Z_NO_FLUSH);
    if (r != Z_OK && r != Z_STREAM_END) break;
    const size_t got = sizeof block - z.avail_out;
    if (out.size() + got > limit) {
      r = Z_MEM_ERROR;
      break;
    }
    out.insert(out.end(), block, block + got);
    if (r == Z_OK && got == 0 && z.avail_in == 0) break;  // the data ended early
  }
  inflateEnd(&z);
  if (r != Z_STREAM_END) out.clear();
  return r == Z_STREAM_END;
}
