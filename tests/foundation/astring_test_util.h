// Small builders for AString tests (shared by both builds' test files).
#pragma once

#include <string>
#include <string_view>

#include "foundation/string/astring.h"

namespace astring_test {

// A wide string holding the given UTF-16 units.
inline AString Wide(std::u16string_view units) {
  AString s(static_cast<int>(units.size() * 2), reinterpret_cast<const char*>(units.data()));
  s.SetWide(true);
  s.SetCodePage(0);
  return s;
}

// A narrow string of bytes in a code page.
inline AString Narrow(std::string_view bytes, int codePage) {
  AString s(static_cast<int>(bytes.size()), bytes.data());
  s.SetCodePage(codePage);
  return s;
}

inline std::string Bytes(const AString& s) { return std::string(s.GetData(), static_cast<size_t>(s.GetLength())); }

inline std::u16string Units(const AString& s) {
  std::u16string u(static_cast<size_t>(s.GetLength() / 2), u'\0');
  for (size_t i = 0; i < u.size(); ++i) {
    u[i] = static_cast<char16_t>(static_cast<unsigned char>(s.GetData()[2 * i]) |
                                 (static_cast<unsigned char>(s.GetData()[2 * i + 1]) << 8));
  }
  return u;
}

}  // namespace astring_test
