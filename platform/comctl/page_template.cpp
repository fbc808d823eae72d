#include "platform/comctl/page_template.h"

#include "platform/kernel/byte_reader.h"

namespace comctl {
namespace {

// A menu or class field: none (0), an ordinal (0xFFFF and a number), or a string.
size_t SkipNameOrOrdinal(const ByteReader& r, size_t at) {
  const uint16_t first = r.U16At(at);
  if (first == 0) return at + 2;
  if (first == 0xFFFF) return at + 4;
  while (r.Has(at, 2) && r.U16At(at) != 0) at += 2;
  return at + 2;
}

}  // namespace

PageTemplateInfo ReadPageTemplate(const void* bytes, size_t size) {
  PageTemplateInfo info;
  const ByteReader r(bytes, size);
  const bool extended = r.U16At(0) == 1 && r.U16At(2) == 0xFFFF;
  const size_t styleAt = extended ? 12 : 0, sizeAt = extended ? 22 : 14, fieldsAt = extended ? 26 : 18;
  if (!r.Has(0, fieldsAt)) return info;
  info.style = r.U32At(styleAt);
  info.cx = r.I16At(sizeAt);
  info.cy = r.I16At(sizeAt + 2);
  size_t at = SkipNameOrOrdinal(r, fieldsAt);  // menu
  at = SkipNameOrOrdinal(r, at);               // class
  while (r.Has(at, 2) && r.U16At(at) != 0) {
    info.caption.push_back(static_cast<char16_t>(r.U16At(at)));
    at += 2;
  }
  info.ok = r.Has(at, 2);
  return info;
}

}  // namespace comctl
