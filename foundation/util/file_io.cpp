#include "foundation/util/file_io.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

FOUNDATION_BEGIN

namespace {

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

constexpr int kReadSlack = 32;
constexpr long kMaxFileBytes = 0x7FFFFFFF - 64;  // the most an AString or an int size can hold

// The whole file, or nothing when it cannot be opened or read in full.
bool ReadAll(const char* path, const char* mode, std::string& out) {
  if (!path) return false;
  FilePtr f(std::fopen(path, mode));
  if (!f) return false;
  long size = FileSize(f.get());
  if (size < 0 || size > kMaxFileBytes) return false;
  out.resize(static_cast<size_t>(size));
  return size == 0 || std::fread(out.data(), 1, out.size(), f.get()) == out.size();
}

void SwapPairs(std::string& bytes) {
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) std::swap(bytes[i], bytes[i + 1]);
}

int BomOf(std::string_view bytes) {
  if (bytes.size() < 2) return kBomNone;
  auto b0 = static_cast<unsigned char>(bytes[0]), b1 = static_cast<unsigned char>(bytes[1]);
  if (b0 == 0xFF && b1 == 0xFE) return kBomUtf16Le;
  if (b0 == 0xFE && b1 == 0xFF) return kBomUtf16Be;
  return kBomNone;
}

AString ReadText(const char* path, bool binary, bool detectBom, int* bomKind, bool markWide) {
  if (bomKind) *bomKind = kBomNone;
  std::string bytes;
  if (!ReadAll(path, binary ? "rb" : "rt", bytes)) return AString();
  int kind = detectBom ? BomOf(bytes) : kBomNone;
  if (bomKind) *bomKind = kind;
  if (kind != kBomNone) {
    bytes.erase(0, 2);
    // UTF-16 text is whole units: an odd length is refused.
    if (bytes.size() % 2) return AString();
    if (kind == kBomUtf16Be) SwapPairs(bytes);
  }
  AString s(static_cast<int>(bytes.size()), bytes.data());
  if (markWide && kind != kBomNone) s.SetWide(true);
  return s;
}

bool ReadInt32(FILE* f, int32_t* v) {
  unsigned char b[4];
  if (std::fread(b, 1, 4, f) != 4) return false;
  *v = static_cast<int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24));
  return true;
}

}  // namespace

long FileSize(FILE* file) {
  if (!file) return -1;
  long here = std::ftell(file);
  if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return -1;
  long end = std::ftell(file);
  if (std::fseek(file, here, SEEK_SET) != 0) return -1;
  return end;
}

long BytesLeftInFile(FILE* file) {
  if (!file) return -1;
  long here = std::ftell(file);
  long size = FileSize(file);
  if (here < 0 || size < here) return -1;
  return size - here;
}

std::unique_ptr<uint8_t[]> ReadWholeFile(const char* path, int* size) {
  if (size) *size = 0;
  if (!path) return nullptr;
  FilePtr f(std::fopen(path, "rb"));
  if (!f) return nullptr;
  long n = FileSize(f.get());
  if (n < 0 || n > kMaxFileBytes) return nullptr;
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[static_cast<size_t>(n) + kReadSlack]());
  if (n > 0 && std::fread(buffer.get(), 1, static_cast<size_t>(n), f.get()) != static_cast<size_t>(n)) return nullptr;
  if (size) *size = static_cast<int>(n);
  return buffer;
}

AString ReadFileToString(const char* path, bool binary, bool detectBom, int* bomKind) {
  return ReadText(path, binary, detectBom, bomKind, false);
}

AString ReadFileToStringWide(const char* path, bool binary, bool detectBom, int* bomKind) {
  return ReadText(path, binary, detectBom, bomKind, true);
}

int DetectByteOrderMark(const char* path) {
  if (!path) return kBomNone;
  FilePtr f(std::fopen(path, "rb"));
  if (!f) return kBomNone;
  char head[2];
  if (std::fread(head, 1, 2, f.get()) != 2) return kBomNone;
  return BomOf(std::string_view(head, 2));
}

int WriteTextFile(const char* path, const AString& text, int kind) {
  if (!path) return 0;
  FilePtr f(std::fopen(path, "wb"));
  if (!f) return 0;
  std::string bytes(text.GetData(), static_cast<size_t>(text.GetLength()));
  if (kind == kBomUtf16Le) {
    bytes.insert(0, "\xFF\xFE");
  } else if (kind == kBomUtf16Be) {
    SwapPairs(bytes);
    bytes.insert(0, "\xFE\xFF");
  }
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size()) return 0;
  return std::fclose(f.release()) == 0 ? 1 : 0;
}

long AppendFileTo(FILE* dst, FILE* src) {
  if (!dst || !src || std::fseek(dst, 0, SEEK_END) != 0) return 0;
  char block[1024];
  long written = 0;
  size_t n;
  while ((n = std::fread(block, 1, sizeof block, src)) > 0) {
    size_t w = std::fwrite(block, 1, n, dst);
    written += static_cast<long>(w);
    if (w != n) break;
  }
  return written;
}

int WriteStringToFile(const AString& s, FILE* file) {
  if (!file) return -1;
  auto n = static_cast<uint32_t>(s.GetLength());
  const unsigned char length[4] = {static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 8),
                                   static_cast<unsigned char>(n >> 16), static_cast<unsigned char>(n >> 24)};
  if (std::fwrite(length, 1, 4, file) != 4) return -1;
  if (n && std::fwrite(s.GetData(), 1, n, file) != n) return -1;
  return static_cast<int>(n);
}

int ReadStringFromFile(AString& s, FILE* file) {
  s.Clear();
  int32_t n = 0;
  if (!file || !ReadInt32(file, &n)) return -1;
  if (n <= 0) return 0;
  // The length is bounded by what the file still holds before anything is allocated.
  long left = BytesLeftInFile(file);
  if (left >= 0 && n > left) return -1;
  std::vector<char> bytes;
  size_t have = 0;
  while (have < static_cast<size_t>(n)) {
    // Unknown sizes (pipes) grow in steps, so a short stream costs what it held.
    size_t want = left >= 0 ? static_cast<size_t>(n) - have : std::min<size_t>(65536, static_cast<size_t>(n) - have);
    bytes.resize(have + want);
    if (std::fread(bytes.data() + have, 1, want, file) != want) return -1;
    have += want;
  }
  s = AString(n, bytes.data());
  return n;
}

FOUNDATION_END
