// Shared by the metafile loader and the record players.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi/metafile.h"

namespace metafile_internal {

struct MetafileData {
  std::vector<BYTE> bytes;
  bool windows = false;  // a Windows metafile rather than an enhanced one
  ENHMETAHEADER header{};
  std::vector<PALETTEENTRY> palette;
};

inline constexpr size_t kWmfHeaderBytes = 18;
inline constexpr uint32_t kEmrEof = 14;
inline constexpr uint16_t kMetaEof = 0x0000;
inline constexpr uint16_t kMetaSetWindowExt = 0x020C;

uint32_t Le32(const BYTE* p);
uint16_t Le16(const BYTE* p);

// The bytes of one record, or of a block inside it. Every read is checked
// against the end: a number read past it is 0, and Has says whether a
// range lies inside. Offsets and sizes come from files and may be anything.
struct RecordBytes {
  const BYTE* data;
  size_t size;

  bool Has(uint64_t offset, uint64_t count) const { return offset <= size && count <= size - offset; }
  uint32_t U32(size_t offset) const { return Has(offset, 4) ? Le32(data + offset) : 0; }
  uint16_t U16(size_t offset) const { return Has(offset, 2) ? Le16(data + offset) : 0; }
  const BYTE* At(size_t offset) const { return data + offset; }
  // A block inside; an empty one when the range does not lie inside.
  RecordBytes Sub(uint64_t offset, uint64_t count) const {
    return Has(offset, count) ? RecordBytes{data + offset, size_t(count)} : RecordBytes{data, 0};
  }
};
std::shared_ptr<const MetafileData> Find(HENHMETAFILE handle);
bool ReadEnhHeader(const BYTE* data, size_t size, ENHMETAHEADER& header);

// The record players; rect is the target in the context's logical units.
BOOL PlayEnhRecords(HDC dc, const MetafileData& m, const RECT& rect);
BOOL PlayWinRecords(HDC dc, const MetafileData& m, const RECT& rect);

}  // namespace metafile_internal
