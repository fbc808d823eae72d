#include "fields/records/field_list_stream.h"

#include <algorithm>
#include <cstring>

#include "fields/geometry/field_outline.h"
#include "fields/geometry/units.h"
#include "fields/model/field_kinds.h"
#include "fields/records/record_layout.h"
#include "fields/services/label_setup.h"

namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutString(std::vector<uint8_t>& out, const AString& s, StringForm form) {
  const int n = s.GetLength();
  PutU32(out, static_cast<uint32_t>(n));
  out.insert(out.end(), s.GetData(), s.GetData() + n);
  if (form == StringForm::kS) {
    const AStringHeader* h = s.GetHeader();
    out.push_back(h->wide);
    out.push_back(h->flags);
    out.push_back(static_cast<uint8_t>(h->codePage & 0xFF));
    out.push_back(static_cast<uint8_t>((h->codePage >> 8) & 0xFF));
  }
}

void PutSlots(std::span<const RecordSlot> slots, const CField& f, std::vector<uint8_t>& block) {
  for (const RecordSlot& s : slots) s.put(f, block.data() + s.offset);
}

// One string of either form; false when the bytes end inside it.
bool ReadString(ByteReader& r, StringForm form, AString& out) {
  const int32_t n = r.I32();
  if (!r.ok()) return false;
  if (form == StringForm::kW) {
    if (n <= 0) {
      out = AString();
      return true;
    }
    const auto bytes = r.Bytes(static_cast<uint32_t>(n));
    if (!r.ok()) return false;
    out = AString(n, reinterpret_cast<const char*>(bytes.data()));
    return true;
  }
  if (n < 0) {  // "no string"
    out = AString();
    return true;
  }
  const auto bytes = r.Bytes(static_cast<uint32_t>(n));
  const uint8_t wide = r.U8(), flags = r.U8();
  const int16_t codePage = r.I16();
  if (!r.ok()) return false;
  if (n == 0 && wide == 0 && flags == 0 && codePage == 0) {
    out = AString();
    return true;
  }
  AString text(n, reinterpret_cast<const char*>(bytes.data()));
  AStringHeader* h = text.GetHeader();
  // A wide text is whole UTF-16 units; anything else is kept as bytes.
  h->wide = (wide == 1 && n % 2 == 0) ? 1 : 0;
  h->flags = flags;
  h->codePage = codePage;
  out = std::move(text);
  return true;
}

void GetSlots(std::span<const RecordSlot> slots, CField& f, const ByteReader& block) {
  for (const RecordSlot& s : slots) {
    if (s.copy != SlotCopy::kCopied) continue;
    const auto bytes = block.BytesAt(s.offset, s.width);
    if (!bytes.empty()) s.get(f, bytes.data());
  }
}

bool ReadStrings(std::span<const StringSlot> strings, CField& f, ByteReader& r, int16_t version) {
  for (const StringSlot& s : strings) {
    if (version < s.minVersion) continue;
    if (!ReadString(r, s.form, s.member(f))) return false;
  }
  return true;
}

// A file's geometry held to what a label can use (the file is untrusted).
void BoundGeometry(CField& f) {
  for (int32_t* v : {&f.offset.x, &f.offset.y, &f.width, &f.height, &f.savedOffset.x, &f.savedOffset.y, &f.savedWidth,
                     &f.savedHeight, &f.position[0], &f.position[1], &f.position[2], &f.position[3]})
    *v = ClampFileCoordinate(*v);
  if (auto* box = dynamic_cast<CBoxField*>(&f)) {
    box->horizontalLineWidth = ClampFileCoordinate(box->horizontalLineWidth);
    box->verticalLineWidth = ClampFileCoordinate(box->verticalLineWidth);
  }
  if (auto* line = dynamic_cast<CLineField*>(&f)) line->line.width = ClampFileCoordinate(line->line.width);
  if (auto* shape = dynamic_cast<CEllipseField*>(&f)) {
    shape->line.width = ClampFileCoordinate(shape->line.width);
    shape->cornerRadius = ClampFileCoordinate(shape->cornerRadius);
  }
}

// What a kind does after its record is read.
void FinishRead(CField& f, int16_t version) {
  BoundGeometry(f);
  if (auto* t = dynamic_cast<CTextField*>(&f); t && version < 3) {
    t->currencyFormat = 0;
    t->numberFormat = 0;
    t->decimalPlaces = 2;
    t->showSign = 0;
  }
  if (auto* b = dynamic_cast<CBarcodeField*>(&f); b && b->designerDrawsText && !b->hrFontFace.IsEmpty()) {
    std::memset(b->hrLogFont.lfFaceName, 0, LF_FACESIZE);
    std::strncpy(b->hrLogFont.lfFaceName, b->hrFontFace.GetData(),
                 static_cast<size_t>(std::min(b->hrFontFace.GetLength(), LF_FACESIZE - 1)));
  }
}

void UniteBounds(RECT* bounds, const RECT& r, bool first) {
  if (first) {
    *bounds = r;
    return;
  }
  bounds->left = std::min(bounds->left, r.left);
  bounds->top = std::min(bounds->top, r.top);
  bounds->right = std::max(bounds->right, r.right);
  bounds->bottom = std::max(bounds->bottom, r.bottom);
}

}  // namespace

bool AppendFieldRecord(std::vector<uint8_t>& out, const CField& field) {
  const FieldRecordLayout* layout = RecordLayoutFor(field.kind);
  if (!layout || layout->kind == FieldKind::kOle) return false;
  // Unused bytes and the slots of strings and pointers are written as zero.
  // Geometry leaves in the bounds it is read with: a field that grew past them
  // since (a turned outline, a measured size) would read back as another.
  BoundGeometry(const_cast<CField&>(field));
  std::vector<uint8_t> block(layout->recordSize, 0);
  PutSlots(BaseRecordSlots(), field, block);
  PutSlots(layout->slots, field, block);
  // The size word is the kind's, whatever the object says.
  block[0] = static_cast<uint8_t>(layout->recordSize & 0xFF);
  block[1] = static_cast<uint8_t>(layout->recordSize >> 8);
  out.insert(out.end(), block.begin(), block.end());
  auto& f = const_cast<CField&>(field);
  for (const StringSlot& s : BaseRecordStrings()) PutString(out, s.member(f), s.form);
  for (const StringSlot& s : layout->strings) PutString(out, s.member(f), s.form);
  return true;
}

std::vector<uint8_t> FieldListBytes(const CFieldList& list) {
  std::vector<uint8_t> out(4, 0);
  uint32_t count = 0;
  for (const auto& f : list)
    if (f && AppendFieldRecord(out, *f)) ++count;
  for (int i = 0; i < 4; ++i) out[static_cast<size_t>(i)] = static_cast<uint8_t>(count >> (8 * i));
  return out;
}

int WriteFieldList(const CFieldList& list, FILE* file) {
  if (!file) return 0;
  const std::vector<uint8_t> bytes = FieldListBytes(list);
  if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) return 0;
  return std::ferror(file) ? 0 : 1;
}

int ReadFieldListBytes(CFieldList& list, ByteReader& r, int16_t version, RECT* boundsOut) {
  uint32_t count = r.U32();
  if (!r.ok()) return 0;
  bool first = true;
  while (count != 0) {
    const size_t start = r.position();
    const uint16_t size = r.U16At(start);
    const uint16_t kind = r.U16At(start + 2);
    if (!r.Has(start, 2)) return 0;  // the list ends before its count
    if (size < 10) return 1;
    if (!r.Has(start, size)) return 0;
    ByteReader block = r.Sub(size);
    if (kind == ToWord(FieldKind::kOle)) {
      --count;  // no OLE item can be made here: the record is passed over
      continue;
    }
    const FieldRecordLayout* layout = RecordLayoutFor(kind);
    std::unique_ptr<CField> field = NewFieldOfKind(kind);
    if (!layout || !field) return 0;
    GetSlots(BaseRecordSlots(), *field, block);
    GetSlots(layout->slots, *field, block);
    if (!ReadStrings(BaseRecordStrings(), *field, r, version) || !ReadStrings(layout->strings, *field, r, version))
      return 0;
    FinishRead(*field, version);
    if (boundsOut) UniteBounds(boundsOut, GetFieldBoundingRect(*field, 0, 0, 0, 0), first);
    first = false;
    list.push_back(std::move(field));
    --count;
  }
  return 1;
}

int ReadFieldList(CFieldList& list, FILE* file, const CLabelSetup& setup, RECT* boundsOut, void*) {
  if (!file) return 0;
  const long start = std::ftell(file);
  if (start < 0 || std::fseek(file, 0, SEEK_END) != 0) return 0;
  const long end = std::ftell(file);
  if (end < start || std::fseek(file, start, SEEK_SET) != 0) return 0;
  std::vector<uint8_t> bytes(static_cast<size_t>(end - start));
  if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) return 0;
  ByteReader r(bytes.data(), bytes.size());
  const int result = ReadFieldListBytes(list, r, setup.streamVersion, boundsOut);
  std::fseek(file, start + static_cast<long>(r.position()), SEEK_SET);
  return result;
}
