// Text in a framework archive: as its bytes (mode 0), or as UTF-16 converted
// from and to code page 936, little-endian (mode 1) or big-endian (mode 2).
// The archive type provides Read(void*, UINT) returning the bytes read and
// Write(const void*, UINT), as the framework's CArchive does.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/build.h"
#include "foundation/codepage/codepage.h"
#include "platform/nls/nls.h"
#include "platform/kernel/types.h"

FOUNDATION_BEGIN

namespace archive_text {

inline constexpr int kCodePage = 936;

inline void PutUnit(std::vector<uint8_t>& out, WCHAR unit, bool bigEndian) {
  uint8_t lo = static_cast<uint8_t>(unit & 0xFF), hi = static_cast<uint8_t>(unit >> 8);
  out.push_back(bigEndian ? hi : lo);
  out.push_back(bigEndian ? lo : hi);
}

}  // namespace archive_text

// Writes len bytes of text. Returns the bytes written to the archive.
template <class Archive>
int WriteArchiveText(Archive& ar, const char* text, int len, int mode) {
  if (!text || len <= 0) return 0;
  if (mode != 1 && mode != 2) {
    ar.Write(text, static_cast<UINT>(len));
    return len;
  }
  const std::u16string wide =
      DecodeCodePageText(std::string_view(text, static_cast<size_t>(len)), archive_text::kCodePage, 0);
  if (wide.empty()) return 0;
  std::vector<uint8_t> bytes;
  bytes.reserve(wide.size() * 2);
  for (char16_t u : wide) archive_text::PutUnit(bytes, u, mode == 2);
  ar.Write(bytes.data(), static_cast<UINT>(bytes.size()));
  return static_cast<int>(bytes.size());
}

// Reads until len bytes of text are in buf. Mode 0 reads them as they are;
// modes 1 and 2 read UTF-16 units one by one and convert each to code page
// 936 (a character that no longer fits in buf ends the text early). Returns
// the bytes stored, or -1 when the archive ends first.
template <class Archive>
int ReadArchiveText(Archive& ar, char* buf, int len, int mode) {
  if (!buf || len <= 0) return 0;
  if (mode != 1 && mode != 2) return ar.Read(buf, static_cast<UINT>(len)) == static_cast<UINT>(len) ? len : -1;
  int produced = 0;
  while (produced < len) {
    uint8_t pair[2];
    if (ar.Read(pair, 2) != 2) return -1;
    WCHAR unit = mode == 2 ? static_cast<WCHAR>((pair[0] << 8) | pair[1]) : static_cast<WCHAR>(pair[0] | (pair[1] << 8));
    char bytes[4];
    const auto cp = static_cast<UINT>(archive_text::kCodePage);
    int n = WideCharToMultiByte(cp, 0, &unit, 1, bytes, sizeof bytes, nullptr, nullptr);
    if (n <= 0) return -1;
    if (produced + n > len) break;
    for (int i = 0; i < n; ++i) buf[produced++] = bytes[i];
  }
  return produced;
}

FOUNDATION_END
