// Helpers of the rich-text tests: RTF from a string, text shown in UTF-8.
#pragma once

#include <algorithm>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "platform/nls/nls.h"
#include "platform/nls/nls_text.h"
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
  std::u16string marks(text);
  std::replace(marks.begin(), marks.end(), u'\r', u'\n');
  return nls::FromUtf16(CP_UTF8, marks);
}

// UTF-8 to UTF-16 ('\n' stays '\n').
inline std::u16string Utf16(std::string_view text) { return nls::ToUtf16(CP_UTF8, text); }

inline std::span<const uint8_t> Bytes(std::string_view s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

inline richedit::TextDocument Read(std::string_view rtf, richedit::RtfReadReport* report = nullptr) {
  richedit::TextDocument doc;
  richedit::ReadRtf(Bytes(rtf), doc, {}, report);
  return doc;
}

}  // namespace richtest
