#include "foundation/util/file_io.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

FOUNDATION_BEGIN

namespace {

constexpr int kReadSlack = 32;
constexpr long kMaxFileBytes = 0x7FFFFFFF - 64;  // the most an AString or an int size can hold

// The whole file, or nothing when it cannot be opened or read in full.
bool ReadAll(const char* path, const char* mode, std::string& out) {
  if (!path) return false;
  FilePtr f = OpenFile(path, mode);
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

}  // namespace

std::unique_ptr<uint8_t[]> ReadWholeFile(const char* path, int* size) {
  if (size) *size = 0;
  if (!path) return nullptr;
  FilePtr f = OpenFile(path, "rb");
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
  FilePtr f = OpenFile(path, "rb");
  if (!f) return kBomNone;
  char head[2];
  if (std::fread(head, 1, 2, f.get()) != 2) return kBomNone;
  return BomOf(std::string_view(head, 2));
}

int WriteTextFile(const char* path, const AString& text, int kind) {
  if (!path) return 0;
  FilePtr f = OpenFile(path, "wb");
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
  const int n = s.GetLength();
  if (!WriteInt32(file, n) || !WriteBytes(file, s.GetData(), static_cast<size_t>(n))) return -1;
  return n;
}

int ReadStringFromFile(AString& s, FILE* file) {
  s.Clear();
  int32_t n = 0;
  if (!file || !ReadInt32(file, &n)) return -1;
  if (n <= 0) return 0;
  return ReadTextRecord(file, n, 0, s) ? n : -1;
}

FOUNDATION_END
