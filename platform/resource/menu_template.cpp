// Reading menu templates.
#include "platform/resource/menu_template.h"

#include "platform/kernel/byte_reader.h"

namespace resource {
namespace {

constexpr uint16_t kPopup = 0x0010;  // MF_POPUP in the standard layout
constexpr uint16_t kEnd = 0x0080;    // MF_END: the last item of its level
constexpr uint16_t kExPopup = 0x01;  // extended layout's resource-info bits
constexpr uint16_t kExEnd = 0x80;

bool ReadLevel(ByteReader& in, int depth, std::vector<MenuItemTemplate>& items);

bool ReadItem(ByteReader& in, int depth, MenuItemTemplate& item, bool& last) {
  const uint16_t option = in.U16();
  item.popup = (option & kPopup) != 0;
  last = (option & kEnd) != 0;
  item.flags = option & ~(kPopup | kEnd);
  if (!item.popup) item.id = in.U16();
  item.text = in.Utf16z();
  if (!in.ok()) return false;
  return !item.popup || ReadLevel(in, depth + 1, item.children);
}

bool ReadLevel(ByteReader& in, int depth, std::vector<MenuItemTemplate>& items) {
  if (depth > kMenuMaxDepth) return false;
  for (bool last = false; !last;) {
    MenuItemTemplate item;
    if (!ReadItem(in, depth, item, last)) return false;
    items.push_back(std::move(item));
  }
  return true;
}

bool ReadLevelEx(ByteReader& in, int depth, std::vector<MenuItemTemplate>& items);

bool ReadItemEx(ByteReader& in, int depth, MenuItemTemplate& item, bool& last) {
  in.Align(4);
  item.flags = in.U32();
  item.state = in.U32();
  item.id = in.U32();
  const uint16_t info = in.U16();
  item.popup = (info & kExPopup) != 0;
  last = (info & kExEnd) != 0;
  item.text = in.Utf16z();
  if (!in.ok()) return false;
  if (!item.popup) return true;
  in.Align(4);
  item.helpId = in.U32();
  return in.ok() && ReadLevelEx(in, depth + 1, item.children);
}

bool ReadLevelEx(ByteReader& in, int depth, std::vector<MenuItemTemplate>& items) {
  if (depth > kMenuMaxDepth) return false;
  for (bool last = false; !last;) {
    MenuItemTemplate item;
    if (!ReadItemEx(in, depth, item, last)) return false;
    items.push_back(std::move(item));
  }
  return true;
}

}  // namespace

bool ParseMenuTemplate(std::span<const uint8_t> data, MenuTemplate& out) {
  out = MenuTemplate{};
  ByteReader in(data);
  MenuTemplate t;
  const uint16_t version = in.U16();
  const uint16_t offset = in.U16();
  if (!in.ok() || version > 1) return false;
  t.extended = version == 1;
  // The offset counts from the end of its own field to the first item.
  in.Skip(offset);
  if (t.extended && offset >= 4) {
    // The first four bytes of the skipped header hold the help id.
    ByteReader help(data.subspan(4));
    t.helpId = help.U32();
  }
  // An empty menu has no items at all.
  if (in.AtEnd() && in.ok()) {
    out = std::move(t);
    return true;
  }
  if (!in.ok()) return false;
  const bool read = t.extended ? ReadLevelEx(in, 0, t.items) : ReadLevel(in, 0, t.items);
  if (!read) return false;
  out = std::move(t);
  return true;
}

}  // namespace resource
