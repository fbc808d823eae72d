// Reading dialog templates.
#include "platform/resource/dialog_template.h"

namespace resource {
namespace {

constexpr uint16_t kExtendedSignature = 0xFFFF;

void ReadFrame(ByteReader& in, short& x, short& y, short& cx, short& cy) {
  x = in.I16();
  y = in.I16();
  cx = in.I16();
  cy = in.I16();
}

void ReadHeaderNames(ByteReader& in, DialogTemplate& t) {
  t.menu = ReadResName(in);
  t.windowClass = ReadResName(in);
  const ResName title = ReadResName(in);
  t.title = title.text;  // an ordinal title is not meaningful for a dialog
}

void ReadFont(ByteReader& in, DialogTemplate& t) {
  t.hasFont = (t.style & kDsSetFont) != 0;
  if (!t.hasFont) return;
  t.pointSize = in.U16();
  if (t.extended) {
    t.weight = in.U16();
    t.italic = in.U8() != 0;
    t.charSet = in.U8();
  }
  t.faceName = in.Utf16z();
}

// The standard layout counts the size word in its creation data; the
// extended layout counts only the bytes after it. The model keeps the bytes
// after the size word for both.
bool ReadCreationData(ByteReader& in, bool extended, DialogItemTemplate& item) {
  const uint16_t size = in.U16();
  if (size == 0) return in.ok();
  if (extended) {
    item.creationData = in.Bytes(size);
    return in.ok();
  }
  if (size < 2) return false;
  item.creationData = in.Bytes(size - 2u);
  return in.ok();
}

bool ReadItem(ByteReader& in, bool extended, DialogItemTemplate& item) {
  in.Align(4);
  if (extended) {
    item.helpId = in.U32();
    item.exStyle = in.U32();
    item.style = in.U32();
  } else {
    item.style = in.U32();
    item.exStyle = in.U32();
  }
  ReadFrame(in, item.x, item.y, item.cx, item.cy);
  item.id = extended ? in.U32() : in.U16();
  item.windowClass = ReadResName(in);
  item.title = ReadResName(in);
  return in.ok() && ReadCreationData(in, extended, item);
}

}  // namespace

bool ParseDialogTemplate(std::span<const uint8_t> data, DialogTemplate& out) {
  out = DialogTemplate{};
  ByteReader in(data);
  DialogTemplate t;
  const uint16_t version = in.U16();
  const uint16_t signature = in.U16();
  t.extended = version == 1 && signature == kExtendedSignature;
  if (t.extended) {
    t.helpId = in.U32();
    t.exStyle = in.U32();
    t.style = in.U32();
  } else {
    t.style = static_cast<DWORD>(version) | (static_cast<DWORD>(signature) << 16);
    t.exStyle = in.U32();
  }
  const uint16_t count = in.U16();
  ReadFrame(in, t.x, t.y, t.cx, t.cy);
  ReadHeaderNames(in, t);
  ReadFont(in, t);
  if (!in.ok()) return false;
  // Each item takes at least 18 bytes plus its names; a count the data cannot
  // hold is refused before anything is reserved for it.
  if (count > in.remaining() / 18 + 1) return false;
  t.items.resize(count);
  for (DialogItemTemplate& item : t.items) {
    if (!ReadItem(in, t.extended, item)) return false;
  }
  out = std::move(t);
  return true;
}

}  // namespace resource
