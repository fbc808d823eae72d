// Metafile objects: the bytes of an enhanced or Windows metafile, checked
// once when loaded, with the enhanced header and palette taken out.
#include "platform/gdi/metafile.h"

#include <cmath>
#include <cstring>
#include <new>

#include "platform/gdi/metafile_internal.h"
#include "platform/kernel/handle_table.h"

namespace metafile_internal {

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
  const ByteReader bytes(data, size);
  h = ENHMETAHEADER{};
  h.iType = bytes.U32At(0);
  h.nSize = bytes.U32At(4);
  if (h.iType != EMR_HEADER || h.nSize < 88 || h.nSize > size || h.nSize % 4) return false;
  auto rect = [&](size_t at) {
    return RECTL{bytes.I32At(at), bytes.I32At(at + 4), bytes.I32At(at + 8), bytes.I32At(at + 12)};
  };
  h.rclBounds = rect(8);
  h.rclFrame = rect(24);
  h.dSignature = bytes.U32At(40);
  if (h.dSignature != ENHMETA_SIGNATURE) return false;
  h.nVersion = bytes.U32At(44);
  h.nBytes = bytes.U32At(48);
  h.nRecords = bytes.U32At(52);
  h.nHandles = bytes.U16At(56);
  h.sReserved = bytes.U16At(58);
  h.nDescription = bytes.U32At(60);
  h.offDescription = bytes.U32At(64);
  h.nPalEntries = bytes.U32At(68);
  h.szlDevice = SIZEL{LONG(bytes.U32At(72)), LONG(bytes.U32At(76))};
  h.szlMillimeters = SIZEL{LONG(bytes.U32At(80)), LONG(bytes.U32At(84))};
  if (h.nSize >= 100) {
    h.cbPixelFormat = bytes.U32At(88);
    h.offPixelFormat = bytes.U32At(92);
    h.bOpenGL = bytes.U32At(96);
  }
  if (h.nSize >= 108) h.szlMicrometers = SIZEL{LONG(bytes.U32At(100)), LONG(bytes.U32At(104))};
  return true;
}

}  // namespace metafile_internal

using namespace metafile_internal;

namespace {

// The palette of an enhanced metafile lives in its end-of-file record.
void ReadEnhPalette(MetafileData& m) {
  const ByteReader bytes(m.bytes.data(), m.bytes.size());
  const size_t size = bytes.size();
  size_t pos = 0;
  while (pos + 8 <= size) {
    const uint32_t type = bytes.U32At(pos);
    const uint32_t length = bytes.U32At(pos + 4);
    if (length < 8 || length % 4 || length > size - pos) return;
    if (type == kEmrEof && length >= 20) {
      const uint32_t count = bytes.U32At(pos + 8);
      const uint32_t offset = bytes.U32At(pos + 12);
      if (offset < 8 || offset > length || count > (length - offset) / 4 || count > 0x10000) return;
      for (uint32_t i = 0; i < count; ++i) {
        const size_t e = pos + offset + 4 * i;
        m.palette.push_back(PALETTEENTRY{bytes.U8At(e), bytes.U8At(e + 1), bytes.U8At(e + 2), bytes.U8At(e + 3)});
      }
      return;
    }
    pos += length;
  }
}

// The window extent a Windows metafile sets first, if any.
bool FindWindowExtent(const MetafileData& m, int& cx, int& cy) {
  const ByteReader bytes(m.bytes.data(), m.bytes.size());
  const size_t size = bytes.size();
  size_t pos = kWmfHeaderBytes;
  while (pos + 6 <= size) {
    const uint64_t length = uint64_t(bytes.U32At(pos)) * 2;
    const uint16_t function = bytes.U16At(pos + 4);
    if (length < 6 || length > size - pos || function == kMetaEof) return false;
    if (function == kMetaSetWindowExt && length >= 10) {
      cy = int16_t(bytes.U16At(pos + 6));
      cx = int16_t(bytes.U16At(pos + 8));
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
  const ByteReader bytes(data, size);
  const uint16_t type = bytes.U16At(0);
  const uint16_t headerWords = bytes.U16At(2);
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
