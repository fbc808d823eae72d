// Recording enhanced metafiles: a metafile device context keeps the records
// of the calls made on it (mapping mode, window and viewport, bit-block
// transfers with the source pixels) and CloseEnhMetaFile turns them into a
// metafile with its header, description and end record, in memory and, when
// a file name was given, in that file.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/metafile_internal.h"
#include "platform/nls/nls.h"
#include "platform/nls/nls_text.h"

namespace gdi {

struct MetafileRecording {
  std::string fileName;  // empty: in memory only
  RECTL frame{};         // 0.01 mm; all zeros: from the bounds
  std::u16string description;
  SIZEL device{};  // the reference device, pixels and millimetres
  SIZEL millimetres{};
  std::vector<BYTE> records;  // after the header
  DWORD count = 0;
  RECTL bounds{0, 0, -1, -1};  // device pixels, inclusive; empty while right < left
};

namespace {

constexpr DWORD kEmrSetWindowExtEx = 9, kEmrSetWindowOrgEx = 10, kEmrSetViewportExtEx = 11,
                kEmrSetViewportOrgEx = 12, kEmrSetMapMode = 17, kEmrBitBlt = 76, kEmrStretchBlt = 77;
constexpr size_t kHeaderBytes = 108;
// The largest block of source pixels one transfer record holds.
constexpr uint64_t kMaxRecordedPixelBytes = uint64_t(1) << 30;

class RecordWriter {
 public:
  explicit RecordWriter(DWORD type) { U32(type).U32(0); }
  RecordWriter& U32(DWORD v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<BYTE>(v >> (8 * i)));
    return *this;
  }
  RecordWriter& I32(LONG v) { return U32(static_cast<DWORD>(v)); }
  RecordWriter& F32(float v) {
    DWORD bits;
    std::memcpy(&bits, &v, sizeof bits);
    return U32(bits);
  }
  RecordWriter& Rect(const RECTL& r) { return I32(r.left).I32(r.top).I32(r.right).I32(r.bottom); }
  RecordWriter& Bytes(const std::vector<BYTE>& b) {
    bytes_.insert(bytes_.end(), b.begin(), b.end());
    return *this;
  }
  size_t Size() const { return bytes_.size(); }
  std::vector<BYTE> Finish() {
    while (bytes_.size() % 4) bytes_.push_back(0);
    const DWORD size = static_cast<DWORD>(bytes_.size());
    for (int i = 0; i < 4; ++i) bytes_[4 + i] = static_cast<BYTE>(size >> (8 * i));
    return std::move(bytes_);
  }

 private:
  std::vector<BYTE> bytes_;
};

void Append(MetafileRecording& m, std::vector<BYTE> record) {
  m.records.insert(m.records.end(), record.begin(), record.end());
  ++m.count;
}

void AddBounds(MetafileRecording& m, const RECTL& r) {
  if (m.bounds.right < m.bounds.left) {
    m.bounds = r;
    return;
  }
  m.bounds.left = std::min(m.bounds.left, r.left);
  m.bounds.top = std::min(m.bounds.top, r.top);
  m.bounds.right = std::max(m.bounds.right, r.right);
  m.bounds.bottom = std::max(m.bounds.bottom, r.bottom);
}

void PutLe32(std::vector<BYTE>& bytes, size_t offset, DWORD value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<BYTE>(value >> (8 * i));
}

// The source rectangle's pixels as a bottom-up 32-bit device-independent
// bitmap: its 40-byte header and its rows.
bool SourcePixels(const DeviceContext& src, int x, int y, int w, int h, std::vector<BYTE>& header,
                  std::vector<BYTE>& bits) {
  const Bitmap* b = src.Target();
  if (!b || w <= 0 || h <= 0 || uint64_t(w) * uint64_t(h) * 4 > kMaxRecordedPixelBytes) return false;
  const Matrix m = src.LogicalToDevice();
  const PointD origin = m.Apply({double(x), double(y)});
  const int ox = static_cast<int>(std::lround(origin.x)), oy = static_cast<int>(std::lround(origin.y));
  const DWORD imageBytes = static_cast<DWORD>(w) * static_cast<DWORD>(h) * 4;
  header.assign(40, 0);
  PutLe32(header, 0, 40);  // biSize
  PutLe32(header, 4, static_cast<DWORD>(w));
  PutLe32(header, 8, static_cast<DWORD>(h));  // bottom-up
  header[12] = 1;                             // planes
  header[14] = 32;                            // bits per pixel, BI_RGB
  PutLe32(header, 20, imageBytes);
  bits.assign(static_cast<size_t>(imageBytes), 0);
  const auto hold = b->pixels.Hold();
  for (int row = 0; row < h; ++row) {
    BYTE* out = bits.data() + static_cast<size_t>(h - 1 - row) * static_cast<size_t>(w) * 4;
    const int sy = oy + row;
    for (int col = 0; col < w; ++col) {
      const int sx = ox + col;
      COLORREF c = RGB(0, 0, 0);
      if (sx >= 0 && sy >= 0 && sx < b->width && sy < b->height) c = b->ValueToColour(b->ReadValue(sx, sy));
      out[col * 4 + 0] = GetBValue(c);
      out[col * 4 + 1] = GetGValue(c);
      out[col * 4 + 2] = GetRValue(c);
    }
  }
  return true;
}

RECTL DeviceBounds(const DeviceContext& dc, int x, int y, int w, int h) {
  const Matrix m = dc.LogicalToDevice();
  const PointD a = m.Apply({double(x), double(y)});
  const PointD b = m.Apply({double(x) + w, double(y) + h});
  const LONG l = static_cast<LONG>(std::lround(std::min(a.x, b.x)));
  const LONG t = static_cast<LONG>(std::lround(std::min(a.y, b.y)));
  const LONG r = static_cast<LONG>(std::lround(std::max(a.x, b.x)));
  const LONG btm = static_cast<LONG>(std::lround(std::max(a.y, b.y)));
  return RECTL{l, t, std::max(l, r - 1), std::max(t, btm - 1)};
}

std::vector<BYTE> HeaderRecord(const MetafileRecording& m, DWORD totalBytes, DWORD records) {
  RECTL bounds = m.bounds.right < m.bounds.left ? RECTL{0, 0, -1, -1} : m.bounds;
  RECTL frame = m.frame;
  if (frame.right <= frame.left || frame.bottom <= frame.top) {
    // From the bounds in reference pixels.
    const double mmX = double(m.millimetres.cx) / std::max(1L, long(m.device.cx));
    const double mmY = double(m.millimetres.cy) / std::max(1L, long(m.device.cy));
    frame = RECTL{LONG(std::lround(bounds.left * mmX * 100)), LONG(std::lround(bounds.top * mmY * 100)),
                  LONG(std::lround((bounds.right + 1) * mmX * 100)),
                  LONG(std::lround((bounds.bottom + 1) * mmY * 100))};
  }
  const DWORD descriptionUnits = static_cast<DWORD>(m.description.size());
  RecordWriter w(EMR_HEADER);
  w.Rect(bounds).Rect(frame).U32(ENHMETA_SIGNATURE).U32(0x10000).U32(totalBytes).U32(records);
  w.U32(1);  // nHandles (the reserved handle 0) and sReserved
  w.U32(descriptionUnits).U32(descriptionUnits ? static_cast<DWORD>(kHeaderBytes) : 0);
  w.U32(0);  // nPalEntries
  w.I32(m.device.cx).I32(m.device.cy).I32(m.millimetres.cx).I32(m.millimetres.cy);
  w.U32(0).U32(0).U32(0);  // no pixel format, no OpenGL
  w.I32(m.millimetres.cx * 1000).I32(m.millimetres.cy * 1000);
  std::vector<BYTE> text;
  for (char16_t c : m.description) {
    text.push_back(static_cast<BYTE>(c & 0xFF));
    text.push_back(static_cast<BYTE>(c >> 8));
  }
  w.Bytes(text);
  return w.Finish();
}

}  // namespace

void RecordMapMode(DeviceContext& dc, int mode) {
  Append(*dc.recording, RecordWriter(kEmrSetMapMode).U32(static_cast<DWORD>(mode)).Finish());
}

void RecordExtent(DeviceContext& dc, bool window, SIZE extent) {
  Append(*dc.recording,
         RecordWriter(window ? kEmrSetWindowExtEx : kEmrSetViewportExtEx).I32(extent.cx).I32(extent.cy).Finish());
}

void RecordOrigin(DeviceContext& dc, bool window, POINT origin) {
  Append(*dc.recording,
         RecordWriter(window ? kEmrSetWindowOrgEx : kEmrSetViewportOrgEx).I32(origin.x).I32(origin.y).Finish());
}

BOOL RecordStretchBlt(DeviceContext& dest, int x, int y, int w, int h, const DeviceContext* src, int xSrc, int ySrc,
                      int wSrc, int hSrc, DWORD rop) {
  if (!src || w == 0 || h == 0) return FALSE;
  std::vector<BYTE> info, bits;
  if (!SourcePixels(*src, xSrc, ySrc, wSrc, hSrc, info, bits)) return FALSE;
  const bool stretched = w != wSrc || h != hSrc;
  const RECTL bounds = DeviceBounds(dest, x, y, w, h);
  RecordWriter r(stretched ? kEmrStretchBlt : kEmrBitBlt);
  r.Rect(bounds).I32(x).I32(y).I32(w).I32(h).U32(rop).I32(0).I32(0);
  r.F32(1).F32(0).F32(0).F32(1).F32(0).F32(0);  // the source's transform
  r.U32(dest.state.bkColour).U32(DIB_RGB_COLORS);
  const DWORD fixed = stretched ? 108 : 100;
  r.U32(fixed).U32(static_cast<DWORD>(info.size()));
  r.U32(fixed + static_cast<DWORD>(info.size())).U32(static_cast<DWORD>(bits.size()));
  if (stretched) r.I32(wSrc).I32(hSrc);
  r.Bytes(info).Bytes(bits);
  Append(*dest.recording, r.Finish());
  AddBounds(*dest.recording, bounds);
  return TRUE;
}

}  // namespace gdi

using namespace gdi;

namespace {

HDC CreateRecordingDc(HDC reference, std::string fileName, const RECT* frame, std::u16string description) {
  auto ref = reference ? FindDC(reference) : nullptr;
  if (reference && !ref) return nullptr;
  HDC screen = reference ? nullptr : GetDC(nullptr);
  HDC measured = reference ? reference : screen;
  auto recording = std::make_shared<MetafileRecording>();
  recording->fileName = std::move(fileName);
  if (frame) recording->frame = RECTL{frame->left, frame->top, frame->right, frame->bottom};
  recording->description = std::move(description);
  recording->device = SIZEL{GetDeviceCaps(measured, HORZRES), GetDeviceCaps(measured, VERTRES)};
  recording->millimetres = SIZEL{GetDeviceCaps(measured, HORZSIZE), GetDeviceCaps(measured, VERTSIZE)};
  if (screen) ReleaseDC(nullptr, screen);
  // A metafile context measures like its reference device and draws on no
  // surface of its own.
  HDC dc = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
  auto made = FindDC(dc);
  if (!made) return nullptr;
  made->kind = DcKind::Metafile;
  if (ref) {
    made->deviceName = ref->deviceName;
    made->dpiX = ref->dpiX;
    made->dpiY = ref->dpiY;
    made->printableSize = ref->printableSize;
    made->physicalSize = ref->physicalSize;
  }
  made->recording = std::move(recording);
  return dc;
}

// The description: the texts up to two null characters.
std::u16string DescriptionOf(LPCWSTR text) {
  std::u16string d;
  if (!text) return d;
  for (size_t i = 0; i < 4096; ++i) {
    d.push_back(text[i]);
    if (text[i] == 0 && i > 0 && text[i - 1] == 0) break;
  }
  return d;
}

bool WriteFileBytes(const std::string& osPath, const std::vector<BYTE>& bytes) {
  std::FILE* f = std::fopen(osPath.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && written;
}

std::string OsName(LPCSTR name) { return nls::FromUtf16(CP_UTF8, nls::ToUtf16(CP_ACP, nls::OrEmpty(name))); }

std::string OsName(LPCWSTR name) { return nls::FromUtf16(CP_UTF8, nls::OrEmpty(name)); }

}  // namespace

HDC CreateEnhMetaFileW(HDC reference, LPCWSTR fileName, const RECT* frame, LPCWSTR description) {
  return CreateRecordingDc(reference, OsName(fileName), frame, DescriptionOf(description));
}

HDC CreateEnhMetaFileA(HDC reference, LPCSTR fileName, const RECT* frame, LPCSTR description) {
  std::u16string text;
  if (description) {
    // Two texts ended by two null characters.
    size_t len = 0;
    while (len < 4096 && !(description[len] == 0 && len > 0 && description[len - 1] == 0)) ++len;
    const int n = MultiByteToWideChar(CP_ACP, 0, description, static_cast<int>(len + 1), nullptr, 0);
    text.resize(static_cast<size_t>(std::max(n, 0)));
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, description, static_cast<int>(len + 1), text.data(), n);
  }
  return CreateRecordingDc(reference, OsName(fileName), frame, std::move(text));
}

HENHMETAFILE CloseEnhMetaFile(HDC dc) {
  auto d = FindDC(dc);
  if (!d || !d->recording) return nullptr;
  const MetafileRecording& m = *d->recording;
  const std::vector<BYTE> eof = [] {
    RecordWriter w(metafile_internal::kEmrEof);
    return w.U32(0).U32(16).U32(20).Finish();  // no palette; nSizeLast
  }();
  const DWORD records = m.count + 2;
  std::vector<BYTE> header = HeaderRecord(m, 0, records);
  const DWORD total = static_cast<DWORD>(header.size() + m.records.size() + eof.size());
  header = HeaderRecord(m, total, records);
  std::vector<BYTE> bytes = std::move(header);
  bytes.insert(bytes.end(), m.records.begin(), m.records.end());
  bytes.insert(bytes.end(), eof.begin(), eof.end());
  const std::string fileName = m.fileName;
  DeleteDC(dc);
  if (!fileName.empty() && !WriteFileBytes(fileName, bytes)) {
    std::remove(fileName.c_str());
    return nullptr;
  }
  return SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
}

UINT GetEnhMetaFileBits(HENHMETAFILE metafile, UINT size, BYTE* data) {
  auto m = metafile_internal::Find(metafile);
  if (!m || m->windows) return 0;
  if (!data) return static_cast<UINT>(m->bytes.size());
  if (size < m->bytes.size()) return 0;
  std::memcpy(data, m->bytes.data(), m->bytes.size());
  return static_cast<UINT>(m->bytes.size());
}

HENHMETAFILE CopyEnhMetaFileA(HENHMETAFILE metafile, LPCSTR fileName) {
  auto m = metafile_internal::Find(metafile);
  if (!m || m->windows) return nullptr;
  if (fileName && !WriteFileBytes(OsName(fileName), m->bytes)) {
    std::remove(OsName(fileName).c_str());
    return nullptr;
  }
  return SetEnhMetaFileBits(static_cast<UINT>(m->bytes.size()), m->bytes.data());
}

HENHMETAFILE CopyEnhMetaFileW(HENHMETAFILE metafile, LPCWSTR fileName) {
  auto m = metafile_internal::Find(metafile);
  if (!m || m->windows) return nullptr;
  if (fileName && !WriteFileBytes(OsName(fileName), m->bytes)) {
    std::remove(OsName(fileName).c_str());
    return nullptr;
  }
  return SetEnhMetaFileBits(static_cast<UINT>(m->bytes.size()), m->bytes.data());
}
