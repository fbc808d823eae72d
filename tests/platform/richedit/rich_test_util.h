// Helpers of the rich-text tests: RTF from a string, text shown in UTF-8.
#pragma once

#include <string>
#include <ostream>
#include <span>
#include <string_view>

#include "platform/richedit/rtf.h"

namespace richedit {
// Readable formats in test failures.
inline void PrintTo(const ParaFormat& p, std::ostream* os) {
  *os << "{align " << p.alignment << " start " << p.startIndent << " right " << p.rightIndent << " offset "
      << p.offset << " before " << p.spaceBefore << " after " << p.spaceAfter << " rule "
      << int(p.lineSpacingRule) << " spacing " << p.lineSpacing << " style " << p.style << " tabs";
  for (const auto& t : p.tabs) *os << " " << t.position << "/" << t.alignment;
  *os << "}";
}
inline void PrintTo(const CharFormat& f, std::ostream* os) {
  *os << "{face " << std::string(f.face.begin(), f.face.end()) << " height " << f.height << " effects 0x" << std::hex
      << f.effects << std::dec << " offset " << f.offset << " colour 0x" << std::hex << f.colour << " back 0x"
      << f.backColour << std::dec << " charset " << int(f.charset) << " pitch " << int(f.pitchAndFamily)
      << " weight " << f.weight << " spacing " << f.spacing << " lcid " << f.lcid << " style " << f.style
      << " ul " << int(f.underlineType) << "}";
}
}  // namespace richedit

namespace richtest {

// UTF-16 as UTF-8, paragraph marks as '\n', line breaks as '\v'.
inline std::string Utf8(std::u16string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    if (c == u'\r') c = '\n';
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// UTF-8 to UTF-16 ('\n' stays '\n').
inline std::u16string Utf16(std::string_view text) {
  std::u16string out;
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    char32_t c;
    int extra;
    if (b < 0x80) c = b, extra = 0;
    else if (b < 0xE0) c = b & 0x1F, extra = 1;
    else if (b < 0xF0) c = b & 0x0F, extra = 2;
    else c = b & 0x07, extra = 3;
    ++i;
    for (int k = 0; k < extra && i < text.size(); ++k, ++i) c = (c << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

inline std::span<const uint8_t> Bytes(std::string_view s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

inline richedit::TextDocument Read(std::string_view rtf, richedit::RtfReadReport* report = nullptr) {
  richedit::TextDocument doc;
  richedit::ReadRtf(Bytes(rtf), doc, {}, report);
  return doc;
}

}  // namespace richtest
