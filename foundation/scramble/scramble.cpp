#include "foundation/scramble/scramble.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "foundation/string/file_records.h"

FOUNDATION_BEGIN

int ScrambleBuffer(const uint8_t* src, uint8_t* dst, int len) {
  size_t keyLength = std::strlen(reinterpret_cast<const char*>(kScrambleKey));
  for (int i = 0; i < len; ++i) dst[i] = src[i] ^ kScrambleKey[static_cast<size_t>(i) % keyLength];
  return 1;
}

int ScrambleFile(AString srcPath, AString dstPath) {
  std::vector<uint8_t> data;
  {
    FilePtr src = OpenFile(srcPath.GetData(), "rb");
    if (!src) return 0;
    if (std::fseek(src.get(), 0, SEEK_END) != 0) return 0;
    long size = std::ftell(src.get());
    if (size < 0 || size > INT32_MAX || std::fseek(src.get(), 0, SEEK_SET) != 0) return 0;
    data.resize(static_cast<size_t>(size));
    if (size > 0 && std::fread(data.data(), 1, data.size(), src.get()) != data.size()) return 0;
  }
  ScrambleBuffer(data.data(), data.data(), static_cast<int>(data.size()));
  FilePtr dst = OpenFile(dstPath.GetData(), "wb");
  if (!dst) return 0;
  if (!data.empty() && std::fwrite(data.data(), 1, data.size(), dst.get()) != data.size()) return 0;
  return std::fclose(dst.release()) == 0 ? 1 : 0;
}

FOUNDATION_END
