// The text of a self-drawn edit as the edit shows it: bytes of a code page,
// one character a unit of the system control's UTF-16 text, so a double-byte
// character is always whole and byte positions map to the control's
// positions both ways.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class EditExText {
 public:
  EditExText() = default;
  EditExText(std::u16string_view units, int codePage);

  const std::string& Bytes() const { return bytes_; }
  int ByteLength() const { return static_cast<int>(bytes_.size()); }
  int UnitCount() const { return static_cast<int>(starts_.size()); }
  // The byte where unit `unit` starts (the length past the end).
  int ByteOfUnit(int unit) const;
  // The unit of the character holding `byte` (the count past the end).
  int UnitOfByte(int byte) const;
  // The start of the character holding `byte`, clamped to the text.
  int CharStart(int byte) const;
  // Bytes of the character starting at `byte`; 0 at or past the end.
  int CharLength(int byte) const;
  std::string_view CharAt(int byte) const;
  // The character boundary before / after `byte` (0 and the length at the ends).
  int Previous(int byte) const;
  int Next(int byte) const;
  bool IsDoubleByte(int byte) const { return CharLength(byte) >= 2; }
  // The control's unit of the character holding `byte`.
  char16_t UnitAt(int byte) const;

 private:
  std::u16string units_;
  std::string bytes_;
  std::vector<int> starts_;  // the first byte of each unit's character
};

// UTF-16 text of bytes in a code page (1200: the bytes are UTF-16 already).
std::u16string DecodeEditText(std::string_view bytes, int codePage);
