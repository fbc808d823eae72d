#include "foundation/scramble/scramble.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "foundation/util/file_io.h"

FOUNDATION_BEGIN

int ScrambleBuffer(const uint8_t* src, uint8_t* dst, int len) {
  size_t keyLength = std::strlen(reinterpret_cast<const char*>(kScrambleKey));
  for (int i = 0; i < len; ++i) dst[i] = src[i] ^ kScrambleKey[static_cast<size_t>(i) % keyLength];
  return 1;
}

int ScrambleFile(AString srcPath, AString dstPath) {
  int size = 0;
  const std::unique_ptr<uint8_t[]> data = ReadWholeFile(srcPath.GetData(), &size);
  if (!data) return 0;
  ScrambleBuffer(data.get(), data.get(), size);
  FilePtr dst = OpenFile(dstPath.GetData(), "wb");
  if (!dst) return 0;
  const auto bytes = static_cast<size_t>(size);
  if (bytes > 0 && std::fwrite(data.get(), 1, bytes, dst.get()) != bytes) return 0;
  return std::fclose(dst.release()) == 0 ? 1 : 0;
}

FOUNDATION_END
