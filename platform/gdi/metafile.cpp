// Metafile objects: the bytes of an enhanced or Windows metafile, checked
// once when loaded, with the enhanced header and palette taken out.
#include "platform/gdi/metafile.h"

#include <cmath>
#include <cstring>
#include <new>

#include "platform/gdi/metafile_internal.h"
#include "platform/kernel/handle_table.h"

namespace metafile_internal {

uint32_t Le32(const BYTE* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Le16(const BYTE* p) { return uint16_t(p[0] | p[1] << 8); }

namespace {

// Metafiles live in the platform's handle table, which owns them from here on.
HENHMETAFILE Register(MetafileData* data) {
  return handles::Create<HENHMETAFILE>(HandleKind::EnhMetafile, std::shared_ptr<MetafileData>(data));
}

}  // namespace

std::shared_ptr<const MetafileData> Find(HENHMETAFILE handle) {
  return handles::Lookup<MetafileData>(handle, HandleKind::EnhMetafile);
}

bool ReadEnhHeader(const BYTE* data, size_t size, ENHMETAHEADER& h) {
  if (size < 88) return false;
  h = ENHMETAHEADER{};
  h.iType = Le32(data);
  h.nSize = Le32(data + 4);
  if (h.iType != EMR_HEADER || h.nSize < 88 || h.nSize > size || h.nSize % 4) return false;
  auto rect = [&](size_t at) {
    return RECTL{LONG(Le32(data + at)), LONG(Le32(data + at + 4)), LONG(Le32(data + at + 8)),
                 LONG(Le32(data + at + 12))};
  };
  h.rclBounds = rect(8);
  h.rclFrame = rect(24);
  h.dSignature = Le32(data + 40);
  if (h.dSignature != ENHMETA_SIGNATURE) return false;
  h.nVersion = Le32(data + 44);
  h.nBytes = Le32(data + 48);
  h.nRecords = Le32(data + 52);
  h.nHandles = Le16(data + 56);
  h.sReserved = Le16(data + 58);
  h.nDescription = Le32(data + 60);
  h.offDescription = Le32(data + 64);
  h.nPalEntries = Le32(data + 68);
  h.szlDevice = SIZEL{LONG(Le32(data + 72)), LONG(Le32(data + 76))};
  h.szlMillimeters = SIZEL{LONG(Le32(data + 80)), LONG(Le32(data + 84))};
  if (h.nSize >= 100) {
    h.cbPixelFormat = Le32(data + 88);
    h.offPixelFormat = Le32(data + 92);
    h.bOpenGL = Le32(data + 96);
  }
  if (h.nSize >= 108) h.szlMicrometers = SIZEL{LONG(Le32(data + 100)), LONG(Le32(data + 104))};
  return true;
}

}  // namespace metafile_internal

using namespace metafile_internal;

namespace {

// The palette of an enhanced metafile lives in its end-of-file record.
void ReadEnhPalette(MetafileData& m) {
  const BYTE* data = m.bytes.data();
  const size_t size = m.bytes.size();
  size_t pos = 0;
  while (pos + 8 <= size) {
    const uint32_t type = Le32(data + pos);
    const uint32_t length = Le32(data + pos + 4);
    if (length < 8 || length % 4 || length > size - pos) return;
    if (type == kEmrEof && length >= 20) {
      const uint32_t count = Le32(data + pos + 8);
      const uint32_t offset = Le32(data + pos + 12);
      if (offset < 8 || offset > length || count > (length - offset) / 4 || count > 0x10000) return;
      for (uint32_t i = 0; i < count; ++i) {
        const BYTE* e = data + pos + offset + 4 * i;
        m.palette.push_back(PALETTEENTRY{e[0], e[1], e[2], e[3]});
      }
      return;
    }
    pos += length;
  }
}

// The window extent a Windows metafile sets first, if any.
bool FindWindowExtent(const MetafileData& m, int& cx, int& cy) {
  const BYTE* data = m.bytes.data();
  const size_t size = m.bytes.size();
  size_t pos = kWmfHeaderBytes;
  while (pos + 6 <= size) {
    const uint64_t length = uint64_t(Le32(data + pos)) * 2;
    const uint16_t function = Le16(data + pos + 4);
    if (length < 6 || length > size - pos || function == kMetaEof) return false;
    if (function == kMetaSetWindowExt && length >= 10) {
      cy = int16_t(Le16(data + pos + 6));
      cx = int16_t(Le16(data + pos + 8));
      return true;
    }
    pos += size_t(length);
  }
  return false;
}

}  // namespace

HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data) {
  if (!data) return nullptr;
  ENHMETAHEADER header;
  if (!ReadEnhHeader(data, size, header)) return nullptr;
  auto* m = new (std::nothrow) MetafileData;
  if (!m) return nullptr;
  try {
    m->bytes.assign(data, data + size);
  } catch (const std::bad_alloc&) {
    delete m;
    return nullptr;
  }
  m->windows = false;
  m->header = header;
  ReadEnhPalette(*m);
  m->header.nPalEntries = DWORD(m->palette.size());
  return Register(m);
}

HENHMETAFILE SetWinMetaFileBits(UINT size, const BYTE* data, HDC reference, const METAFILEPICT* picture) {
  if (!data || size < kWmfHeaderBytes) return nullptr;
  const uint16_t type = Le16(data);
  const uint16_t headerWords = Le16(data + 2);
  if ((type != 1 && type != 2) || headerWords != kWmfHeaderBytes / 2) return nullptr;
  auto* m = new (std::nothrow) MetafileData;
  if (!m) return nullptr;
  try {
    m->bytes.assign(data, data + size);
  } catch (const std::bad_alloc&) {
    delete m;
    return nullptr;
  }
  m->windows = true;

  HDC screen = reference ? nullptr : GetDC(nullptr);
  HDC dc = reference ? reference : screen;
  const int horzRes = dc ? GetDeviceCaps(dc, HORZRES) : 0;
  const int vertRes = dc ? GetDeviceCaps(dc, VERTRES) : 0;
  const int horzSize = dc ? GetDeviceCaps(dc, HORZSIZE) : 0;
  const int vertSize = dc ? GetDeviceCaps(dc, VERTSIZE) : 0;
  if (screen) ReleaseDC(nullptr, screen);

  ENHMETAHEADER& h = m->header;
  h = ENHMETAHEADER{};
  h.iType = EMR_HEADER;
  h.nSize = sizeof(ENHMETAHEADER);
  h.dSignature = ENHMETA_SIGNATURE;
  h.nVersion = 0x10000;
  h.nBytes = size;
  h.szlDevice = SIZEL{horzRes, vertRes};
  h.szlMillimeters = SIZEL{horzSize, vertSize};
  if (picture && (picture->mm == MM_ANISOTROPIC || picture->mm == MM_ISOTROPIC) && picture->xExt > 0 &&
      picture->yExt > 0) {
    h.rclFrame = RECTL{0, 0, picture->xExt, picture->yExt};
  } else {
    int cx = 0, cy = 0;
    if (FindWindowExtent(*m, cx, cy) && horzRes > 0 && vertRes > 0) {
      // Pixels of the reference context in hundredths of a millimetre,
      // rounded up so that converting back gives the same pixel count.
      auto toFrame = [](int px, int mm, int res) {
        return LONG(std::ceil(double(std::abs(px)) * mm * 100.0 / res));
      };
      h.rclFrame = RECTL{0, 0, toFrame(cx, horzSize, horzRes), toFrame(cy, vertSize, vertRes)};
      h.rclBounds = RECTL{0, 0, std::abs(cx) - 1, std::abs(cy) - 1};
    }
  }
  return Register(m);
}

BOOL DeleteEnhMetaFile(HENHMETAFILE metafile) {
  return handles::Destroy(metafile, HandleKind::EnhMetafile) ? TRUE : FALSE;
}

UINT GetEnhMetaFileHeader(HENHMETAFILE metafile, UINT size, ENHMETAHEADER* header) {
  auto m = Find(metafile);
  if (!m) return 0;
  if (!header) return sizeof(ENHMETAHEADER);
  const UINT n = size < sizeof(ENHMETAHEADER) ? size : UINT(sizeof(ENHMETAHEADER));
  std::memcpy(header, &m->header, n);
  return n;
}

UINT GetEnhMetaFilePaletteEntries(HENHMETAFILE metafile, UINT count, PALETTEENTRY* entries) {
  auto m = Find(metafile);
  if (!m) return UINT(-1);
  if (!entries) return UINT(m->palette.size());
  const UINT n = count < m->palette.size() ? count : UINT(m->palette.size());
  for (UINT i = 0; i < n; ++i) entries[i] = m->palette[i];
  return n;
}
