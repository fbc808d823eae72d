#include "app/controls/edit_ex_text.h"

#include <algorithm>

#include "platform/nls/nls.h"

namespace {

std::string EncodeUnit(char16_t unit, int codePage) {
  char buffer[8];
  const WCHAR wide = unit;
  const int n = WideCharToMultiByte(static_cast<UINT>(codePage), 0, &wide, 1, buffer, sizeof buffer, nullptr, nullptr);
  return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string("?");
}

}  // namespace

EditExText::EditExText(std::u16string_view units, int codePage) : units_(units) {
  starts_.reserve(units.size());
  for (char16_t unit : units) {
    starts_.push_back(static_cast<int>(bytes_.size()));
    bytes_ += EncodeUnit(unit, codePage);
  }
}

int EditExText::ByteOfUnit(int unit) const {
  if (unit < 0) return 0;
  if (unit >= UnitCount()) return ByteLength();
  return starts_[static_cast<size_t>(unit)];
}

int EditExText::UnitOfByte(int byte) const {
  if (byte >= ByteLength()) return UnitCount();
  if (byte <= 0) return 0;
  const auto at = std::upper_bound(starts_.begin(), starts_.end(), byte);
  return static_cast<int>(at - starts_.begin()) - 1;
}

char16_t EditExText::UnitAt(int byte) const {
  const int unit = UnitOfByte(byte);
  return unit < UnitCount() ? units_[static_cast<size_t>(unit)] : u'\0';
}

int EditExText::CharStart(int byte) const { return ByteOfUnit(UnitOfByte(byte)); }

int EditExText::CharLength(int byte) const {
  if (byte < 0 || byte >= ByteLength()) return 0;
  const int unit = UnitOfByte(byte);
  return ByteOfUnit(unit + 1) - ByteOfUnit(unit);
}

std::string_view EditExText::CharAt(int byte) const {
  const int start = CharStart(byte);
  return std::string_view(bytes_).substr(static_cast<size_t>(start), static_cast<size_t>(CharLength(start)));
}

int EditExText::Previous(int byte) const {
  if (byte <= 0) return 0;
  return CharStart(std::min(byte, ByteLength()) - 1);
}

int EditExText::Next(int byte) const {
  if (byte >= ByteLength()) return ByteLength();
  const int start = CharStart(byte);
  return start + CharLength(start);
}

std::u16string DecodeEditText(std::string_view bytes, int codePage) {
  if (bytes.empty()) return {};
  if (codePage == 1200) {
    std::u16string out(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i)
      out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return out;
  }
  const int length = static_cast<int>(bytes.size());
  std::u16string out(bytes.size() + 1, u'\0');
  const int n = MultiByteToWideChar(static_cast<UINT>(codePage), 0, bytes.data(), length,
                                    reinterpret_cast<LPWSTR>(out.data()), static_cast<int>(out.size()));
  out.resize(static_cast<size_t>(std::max(n, 0)));
  return out;
}
