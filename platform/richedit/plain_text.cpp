// Plain text between code pages and the document's UTF-16.

#include "platform/richedit/plain_text.h"

#include <algorithm>
#include <cstring>

#include "platform/nls/nls.h"

namespace richedit {
namespace {

UINT Usable(UINT codePage) { return codePage == kUtf16CodePage || IsValidCodePage(codePage) ? codePage : GetACP(); }

}  // namespace

std::u16string DecodeText(std::span<const uint8_t> bytes, UINT codePage) {
  codePage = Usable(codePage);
  std::u16string out;
  if (codePage == kUtf16CodePage) {
    out.resize(bytes.size() / 2);
    for (size_t i = 0; i < out.size(); ++i) {
      out[i] = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    }
    return out;
  }
  if (bytes.empty() || bytes.size() > INT32_MAX) return out;
  const auto* text = reinterpret_cast<const char*>(bytes.data());
  const int length = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(codePage, 0, text, length, nullptr, 0);
  if (n <= 0) return out;
  out.resize(static_cast<size_t>(n));
  MultiByteToWideChar(codePage, 0, text, length, out.data(), n);
  return out;
}

std::string EncodeText(std::u16string_view text, UINT codePage, const char* defaultChar, BOOL* usedDefault) {
  codePage = Usable(codePage);
  if (usedDefault) *usedDefault = FALSE;
  std::string out;
  if (codePage == kUtf16CodePage) {
    out.reserve(text.size() * 2);
    for (char16_t c : text) {
      out += static_cast<char>(c & 0xFF);
      out += static_cast<char>(c >> 8);
    }
    return out;
  }
  if (text.empty() || text.size() > INT32_MAX / 4) return out;
  const int length = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, defaultChar, nullptr);
  if (n <= 0) return out;
  out.resize(static_cast<size_t>(n));
  WideCharToMultiByte(codePage, 0, text.data(), length, out.data(), n, defaultChar, usedDefault);
  return out;
}

std::u16string ImportLineEnds(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r') {
      out += kParagraphMark;
      if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else if (c == u'\n') {
      out += kParagraphMark;
    } else {
      out += c;
    }
  }
  return out;
}

std::u16string ExportLineEnds(std::u16string_view text, bool crlf) {
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    out += c;
    if (c == kParagraphMark && crlf) out += u'\n';
  }
  return out;
}

LONG CopyToBuffer(std::u16string_view text, UINT codePage, void* buffer, size_t bufferBytes,
                  const char* defaultChar, BOOL* usedDefault) {
  codePage = Usable(codePage);
  if (usedDefault) *usedDefault = FALSE;
  if (!buffer) return 0;
  auto* bytes = static_cast<char*>(buffer);
  if (codePage == kUtf16CodePage) {
    if (bufferBytes < 2) {
      if (bufferBytes == 1) bytes[0] = 0;
      return 0;
    }
    size_t units = std::min(text.size(), bufferBytes / 2 - 1);
    // Half a surrogate pair is not copied.
    if (units > 0 && units < text.size() && IsLeadSurrogate(text[units - 1])) --units;
    for (size_t i = 0; i < units; ++i) {
      bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
      bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    bytes[2 * units] = bytes[2 * units + 1] = 0;
    return static_cast<LONG>(units);
  }
  if (bufferBytes == 0) return 0;
  // The whole text when it fits; else whole characters, each converted on its own.
  if (text.size() < bufferBytes) {
    const std::string all = EncodeText(text, codePage, defaultChar, usedDefault);
    if (all.size() < bufferBytes) {
      std::memcpy(bytes, all.data(), all.size());
      bytes[all.size()] = 0;
      return static_cast<LONG>(all.size());
    }
  }
  // Whole characters only, each converted on its own, until the room runs out.
  size_t used = 0;
  BOOL anyDefault = FALSE;
  for (size_t i = 0; i < text.size();) {
    const size_t units = IsLeadSurrogate(text[i]) && i + 1 < text.size() && IsTrailSurrogate(text[i + 1]) ? 2 : 1;
    char piece[8];
    BOOL defaulted = FALSE;
    const int n = WideCharToMultiByte(codePage, 0, text.data() + i, static_cast<int>(units), piece, sizeof piece,
                                      defaultChar, &defaulted);
    if (n <= 0) break;
    if (used + static_cast<size_t>(n) + 1 > bufferBytes) break;
    std::memcpy(bytes + used, piece, static_cast<size_t>(n));
    used += static_cast<size_t>(n);
    anyDefault |= defaulted;
    i += units;
  }
  bytes[used] = 0;
  if (usedDefault) *usedDefault = anyDefault;
  return static_cast<LONG>(used);
}

}  // namespace richedit
