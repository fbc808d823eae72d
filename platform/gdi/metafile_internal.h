// Shared by the metafile loader and the record players.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi/metafile.h"
#include "platform/kernel/byte_reader.h"

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

std::shared_ptr<const MetafileData> Find(HENHMETAFILE handle);
bool ReadEnhHeader(const BYTE* data, size_t size, ENHMETAHEADER& header);

// The record players; rect is the target in the context's logical units.
BOOL PlayEnhRecords(HDC dc, const MetafileData& m, const RECT& rect);
BOOL PlayWinRecords(HDC dc, const MetafileData& m, const RECT& rect);

}  // namespace metafile_internal
