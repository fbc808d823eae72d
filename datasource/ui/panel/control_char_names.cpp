#include "datasource/ui/panel/control_char_names.h"

#include <array>
#include <cstring>
#include <string>

namespace {

// Byte 17 is "dc1": the names decode as they encode.
constexpr std::array<const char*, 32> kNames = {
    "nul", "soh", "stx", "etx", "eot", "enq", "ack", "bel", "bs",  "ht", "lf",  "vt",  "ff", "cr", "so", "si",
    "dle", "dc1", "dc2", "dc3", "dc4", "nak", "syn", "etb", "can", "em", "sub", "esc", "fs", "gs", "rs", "us"};
static_assert(kNames.size() == 32, "one name per byte below 32");

}  // namespace

const char* ControlCharName(int byte) { return byte >= 0 && byte < 32 ? kNames[byte] : nullptr; }

int ControlCharByName(std::string_view name) {
  for (int i = 0; i < 32; ++i)
    if (name == kNames[i]) return i;
  return -1;
}

void EncodeControlCharNames(AString& out, const AString& text, bool keepLineBreaks) {
  AString result;
  const char* p = text.GetData();
  for (int i = 0; i < text.GetLength(); ++i) {
    const auto byte = static_cast<unsigned char>(p[i]);
    const bool lineBreak = byte == '\r' || byte == '\n' || byte == '\t';
    if (byte < 32 && !(keepLineBreaks && lineBreak)) {
      AString name;
      name.Format("[%s]", kNames[byte]);
      result += name;
    } else {
      result += AString(1, p + i);
    }
  }
  out = result;
}

namespace {

// Decodes a run of units (bytes or UTF-16 units) into units of the same kind.
template <class Unit>
std::basic_string<Unit> DecodeUnits(std::basic_string_view<Unit> in) {
  std::basic_string<Unit> out;
  size_t i = 0;
  while (i < in.size()) {
    if (in[i] == Unit('[')) {
      const size_t close = in.find(Unit(']'), i + 1);
      const size_t length = close == std::basic_string_view<Unit>::npos ? 0 : close - i - 1;
      if (length == 2 || length == 3) {
        char name[4] = {};
        bool ascii = true;
        for (size_t k = 0; k < length; ++k) {
          const auto unit = static_cast<unsigned>(in[i + 1 + k]);
          ascii = ascii && unit < 128;
          name[k] = static_cast<char>(unit);
        }
        const int byte = ascii ? ControlCharByName(std::string_view(name, length)) : -1;
        if (byte >= 0) {
          out.push_back(static_cast<Unit>(byte));
          i = close + 1;
          continue;
        }
      }
    }
    out.push_back(in[i]);
    ++i;
  }
  return out;
}

}  // namespace

void DecodeControlCharNames(AString& out, const AString& text) {
  // A wide text decodes unit by unit, so a name never takes half a character.
  if (text.IsWide()) {
    const std::u16string units = DecodeUnits(std::u16string_view(
        reinterpret_cast<const char16_t*>(text.GetData()), static_cast<size_t>(text.GetLength() / 2)));
    AString result(static_cast<int>(units.size() * 2), reinterpret_cast<const char*>(units.data()));
    result.SetWide(true);
    result.SetCodePage(text.GetCodePage());
    out = result;
    return;
  }
  const std::string bytes =
      DecodeUnits(std::string_view(text.GetData(), static_cast<size_t>(text.GetLength())));
  AString result(static_cast<int>(bytes.size()), bytes.data());
  result.SetCodePage(text.GetCodePage());
  out = result;
}
