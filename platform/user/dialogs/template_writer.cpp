// Writing extended dialog templates.
#include "platform/user/dialogs/template_writer.h"

#include <cstring>

namespace dialogs {

TemplateWriter::TemplateWriter(DWORD style, DWORD exStyle, short x, short y, short cx, short cy,
                               std::u16string_view title, WORD pointSize, std::u16string_view face) {
  U16(1);
  U16(0xFFFF);
  U32(0);  // help id
  U32(exStyle);
  U32(style | 0x40);  // DS_SETFONT: the font below is always there
  countOffset_ = bytes_.size();
  U16(0);
  U16(static_cast<uint16_t>(x));
  U16(static_cast<uint16_t>(y));
  U16(static_cast<uint16_t>(cx));
  U16(static_cast<uint16_t>(cy));
  U16(0);  // no menu
  U16(0);  // the dialog class
  Text(title);
  U16(pointSize);
  U16(400);  // weight
  bytes_.push_back(0);  // italic
  bytes_.push_back(1);  // DEFAULT_CHARSET
  Text(face);
}

void TemplateWriter::U16(uint32_t v) {
  bytes_.push_back(static_cast<uint8_t>(v));
  bytes_.push_back(static_cast<uint8_t>(v >> 8));
}

void TemplateWriter::U32(uint32_t v) {
  U16(v & 0xFFFF);
  U16(v >> 16);
}

void TemplateWriter::Text(std::u16string_view s) {
  for (char16_t c : s) U16(c);
  U16(0);
}

void TemplateWriter::Align4() {
  while (bytes_.size() % 4) bytes_.push_back(0);
}

void TemplateWriter::Item(DWORD style, DWORD exStyle, short x, short y, short cx, short cy, DWORD id) {
  Align4();
  U32(0);
  U32(exStyle);
  U32(style);
  U16(static_cast<uint16_t>(x));
  U16(static_cast<uint16_t>(y));
  U16(static_cast<uint16_t>(cx));
  U16(static_cast<uint16_t>(cy));
  U32(id);
  ++count_;
  bytes_[countOffset_] = static_cast<uint8_t>(count_);
  bytes_[countOffset_ + 1] = static_cast<uint8_t>(count_ >> 8);
}

void TemplateWriter::Add(WORD classAtom, DWORD style, DWORD exStyle, short x, short y, short cx, short cy, DWORD id,
                         std::u16string_view title) {
  Item(style, exStyle, x, y, cx, cy, id);
  U16(0xFFFF);
  U16(classAtom);
  Text(title);
  U16(0);  // no creation data
}

void TemplateWriter::Add(std::u16string_view className, DWORD style, DWORD exStyle, short x, short y, short cx,
                         short cy, DWORD id, std::u16string_view title) {
  Item(style, exStyle, x, y, cx, cy, id);
  Text(className);
  Text(title);
  U16(0);
}

const std::vector<uint32_t>& TemplateWriter::words() {
  Align4();
  words_.assign(bytes_.size() / 4, 0);
  std::memcpy(words_.data(), bytes_.data(), bytes_.size());
  return words_;
}

}  // namespace dialogs
