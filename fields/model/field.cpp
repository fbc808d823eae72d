#include "fields/model/field.h"

#include <atomic>

#include "fields/model/field_kinds.h"
#include "fields/records/record_layout.h"

namespace {
// Every construction takes the next serial number (a read field too).
std::atomic<uint32_t> g_nextSerial{1};
}  // namespace

uint32_t PeekNextFieldSerial() { return g_nextSerial.load(); }

CField::CField(FieldKind k, uint16_t size) : recordSize(size), kind(ToWord(k)), serialId(g_nextSerial++) {}

CField::~CField() = default;

int CField::CopyFrom(const CField* src, int skipStrings) {
  if (!src) return 0;
  CopySlots(BaseRecordSlots(), *this, *src);
  savedData.reset();
  if (!skipStrings) CopyStrings(BaseRecordStrings(), *this, *src);
  layoutFolder = src->layoutFolder;
  // A source of another class has none of this kind's own members.
  if (src->kind != kind) return 1;
  if (const FieldRecordLayout* layout = RecordLayoutFor(kind)) {
    CopySlots(layout->slots, *this, *src);
    if (!skipStrings) CopyStrings(layout->strings, *this, *src);
  }
  return 1;
}

int16_t CField::SetDataSourceType(int16_t type, int keepOld) {
  const int16_t old = dataSourceType;
  dataSourceType = type;
  if (keepOld) previousDataSourceType = old;
  return old;
}

CFieldSavedData& CField::NewStash() {
  savedData = std::make_unique<CFieldSavedData>();
  savedData->savedSourceType = dataSourceType;
  return *savedData;
}

int CField::StashData() {
  NewStash();
  return 1;
}

int CField::RestoreData() {
  if (!savedData) return 0;
  dataSourceType = savedData->savedSourceType;
  savedData.reset();
  return 1;
}

int CField::GetResizeMode(int* second) const {
  if (second) *second = -1;
  return kResizeAny;
}

int32_t CField::SetRotation(int32_t r) {
  const int32_t old = rotation;
  rotation = NormalizeRotation(r);
  // The font turns with the field, in tenths of a degree.
  LOGFONTA* font = nullptr;
  if (auto* t = dynamic_cast<CTextField*>(this)) font = &t->logFont;
  if (auto* b = dynamic_cast<CBarcodeField*>(this)) font = &b->hrLogFont;
  if (auto* p = dynamic_cast<CParagraphField*>(this)) font = &p->logFont;
  if (font) font->lfEscapement = font->lfOrientation = rotation / 100;
  return old;
}

void CField::CopyGeometryFrom(const CField* src) {
  if (!src) return;
  position = src->position;
  offset = src->offset;
  width = src->width;
  height = src->height;
  savedWidth = src->savedWidth;
  savedHeight = src->savedHeight;
  savedRotation = src->savedRotation;
  savedOffset = src->savedOffset;
  rotation = src->rotation;
  if (src->kind != kind) return;
  if (auto* box = dynamic_cast<CBoxField*>(this)) {
    const auto* s = static_cast<const CBoxField*>(src);
    box->horizontalLineWidth = s->horizontalLineWidth;
    box->verticalLineWidth = s->verticalLineWidth;
  } else if (auto* e = dynamic_cast<CEllipseField*>(this)) {
    const auto* s = static_cast<const CEllipseField*>(src);
    e->line = s->line;
    e->cornerRadius = s->cornerRadius;
  } else if (auto* l = dynamic_cast<CLineField*>(this)) {
    l->line = static_cast<const CLineField*>(src)->line;
  }
}

void CField::SaveGeometry() {
  savedWidth = width;
  savedHeight = height;
  savedRotation = rotation;
  savedOffset = offset;
}
