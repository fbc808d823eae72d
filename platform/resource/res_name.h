// A resource type, resource name, window class or menu named either by a
// 16-bit ordinal or by a UTF-16 text, as resource data stores them.
#pragma once

#include <string>

#include "platform/kernel/types.h"
#include "platform/kernel/byte_reader.h"

namespace resource {

struct ResName {
  WORD ordinal = 0;      // meaningful when text is empty
  std::u16string text;   // empty for an ordinal
  bool IsOrdinal() const { return text.empty(); }
  bool operator==(const ResName&) const = default;
};

// The stored form: 0xFFFF then the ordinal, or a zero-terminated UTF-16 text.
// A lone 0x0000 (an absent name in a dialog template) reads as ordinal 0.
inline ResName ReadResName(ByteReader& in) {
  ResName name;
  const uint16_t first = in.U16();
  if (first == 0xFFFF) {
    name.ordinal = in.U16();
  } else if (first != 0) {
    name.text.push_back(static_cast<char16_t>(first));
    name.text += in.Utf16z();
  }
  return name;
}

// Comparison of texts without ASCII case, as resource names are matched.
inline bool SameNameNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const char16_t x = (a[i] >= u'a' && a[i] <= u'z') ? static_cast<char16_t>(a[i] - 32) : a[i];
    const char16_t y = (b[i] >= u'a' && b[i] <= u'z') ? static_cast<char16_t>(b[i] - 32) : b[i];
    if (x != y) return false;
  }
  return true;
}

}  // namespace resource
