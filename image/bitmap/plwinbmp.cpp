#include "image/bitmap/plwinbmp.h"

#include <cstring>
#include <new>

#include "image/bitmap/pltextexception.h"
#include "platform/kernel/kernel.h"
#include "platform/resource/resource.h"

namespace {

constexpr size_t kHeaderBytes = 40;

size_t PaletteBytes(int bpp) { return bpp < 16 ? size_t(4) << bpp : 0; }

void FillHeader(BITMAPINFOHEADER* h, int width, int height, int bpp) {
  std::memset(h, 0, sizeof *h);
  h->biSize = 40;
  h->biWidth = width;
  h->biHeight = height;
  h->biPlanes = 1;
  h->biBitCount = static_cast<WORD>(bpp);
  h->biCompression = BI_RGB;
}

}  // namespace

PLWinBmp::PLWinBmp() {
  m_bWindowsDIB = 1;
  AllocateStorage(16, 16, 8, 0, 0, false, false);
}

PLWinBmp::~PLWinBmp() { FreeStorage(); }

PLWinBmp& PLWinBmp::operator=(const PLBmp& source) {
  if (&source != this) CreateCopy(source, 0);
  return *this;
}

long PLWinBmp::GetLineSize() { return long(PaddedLineBytes(m_Size.x, m_bpp)); }

long PLWinBmp::GetMemoryUsed() {
  return long(kHeaderBytes + PaletteBytes(m_bpp)) + GetLineSize() * m_Size.y + 66;
}

size_t PLWinBmp::GetDIBSize() const {
  return kHeaderBytes + PaletteBytes(m_bpp) + PaddedLineBytes(m_Size.x, m_bpp) * size_t(m_Size.y);
}

int PLWinBmp::AllocateStorage(int width, int height, int bpp, int fileBpp, int fileSize, bool alpha,
                              bool greyscale) {
  if (!IsValidGeometry(width, height, bpp)) return 0;
  size_t bytes = kHeaderBytes + PaletteBytes(bpp) + PaddedLineBytes(width, bpp) * size_t(height);
  m_pBMI = new (std::nothrow) PLBYTE[bytes]();
  if (!m_pBMI) return 0;
  FillHeader(reinterpret_cast<BITMAPINFOHEADER*>(m_pBMI), width, height, bpp);
  m_bpp = bpp;
  Lock(true, true);
  SetDIBPointers();
  InitBitmap(width, height, bpp, fileBpp, fileSize, alpha, greyscale);
  Unlock();
  if (!m_pLineArray) {
    FreeStorage();
    return 0;
  }
  return 1;
}

void PLWinBmp::FreeStorage() {
  delete[] m_pBMI;
  m_pBMI = nullptr;
  m_pBits = nullptr;
  m_pPal = nullptr;
  delete[] m_pLineArray;
  m_pLineArray = nullptr;
  SetInfo(PLPoint{}, 0, m_FileBpp, m_FileSize, m_Resolution, false, false);
}

void PLWinBmp::SetDIBPointers() {
  if (!m_pBMI) return;
  int bpp = reinterpret_cast<BITMAPINFOHEADER*>(m_pBMI)->biBitCount;
  m_pPal = bpp < 16 ? reinterpret_cast<PLPixel32*>(m_pBMI + kHeaderBytes) : nullptr;
  m_pBits = m_pBMI + kHeaderBytes + PaletteBytes(bpp);
}

void PLWinBmp::BuildLineArray() {
  delete[] m_pLineArray;
  m_pLineArray = new (std::nothrow) PLBYTE*[size_t(m_Size.y)];
  if (!m_pLineArray) return;
  size_t stride = PaddedLineBytes(m_Size.x, m_bpp);
  for (int y = 0; y < m_Size.y; ++y) m_pLineArray[y] = m_pBits + size_t(m_Size.y - 1 - y) * stride;
}

int PLWinBmp::CreateFromDIB(const BITMAPINFOHEADER* header, int fileBpp, int fileSize) {
  if (!header) return 0;
  int width = header->biWidth, height = header->biHeight, bpp = header->biBitCount;
  // Only uncompressed bottom-up blocks of the depths held here are copied.
  if (header->biCompression != BI_RGB || !IsValidGeometry(width, height, bpp)) return 0;
  size_t bytes = kHeaderBytes + PaletteBytes(bpp) + PaddedLineBytes(width, bpp) * size_t(height);
  auto* block = new (std::nothrow) PLBYTE[bytes];
  if (!block) return 0;
  std::memcpy(block, header, bytes);
  FreeStorage();
  m_pBMI = block;
  auto* h = reinterpret_cast<BITMAPINFOHEADER*>(m_pBMI);
  h->biSize = 40;
  m_bpp = bpp;
  Lock(true, true);
  SetDIBPointers();
  InitBitmap(width, height, bpp, fileBpp, fileSize, false, false);
  // InitBitmap set the grey ramp; the block's own palette is the one wanted.
  if (m_pPal) std::memcpy(m_pPal, reinterpret_cast<const PLBYTE*>(header) + kHeaderBytes, PaletteBytes(bpp));
  Unlock();
  if (!m_pLineArray) {
    FreeStorage();
    return 0;
  }
  return 1;
}

void PLWinBmp::LoadResourceBitmap(HINSTANCE instance, int resourceId) {
  HRSRC res = FindResourceA(instance, MAKEINTRESOURCEA(WORD(resourceId)), RT_BITMAP);
  if (!res) return;
  HGLOBAL loaded = LoadResource(instance, res);
  if (!loaded) return;
  const void* data = LockResource(loaded);
  DWORD size = SizeofResource(instance, res);
  if (!data || size < kHeaderBytes) return;
  // A bitmap resource is a packed DIB; it is only taken when it is complete.
  BITMAPINFOHEADER header;
  std::memcpy(&header, data, sizeof header);
  if (!IsValidGeometry(header.biWidth, header.biHeight, header.biBitCount)) return;
  size_t need = kHeaderBytes + PaletteBytes(header.biBitCount) +
                PaddedLineBytes(header.biWidth, header.biBitCount) * size_t(header.biHeight);
  if (size < need) return;
  CreateFromDIB(static_cast<const BITMAPINFOHEADER*>(data), 0, 0);
}

int PLWinBmp::Draw(HDC dc, int x, int y, DWORD rop) {
  return StretchDraw(dc, x, y, m_Size.x, m_Size.y, rop);
}

int PLWinBmp::StretchDraw(HDC dc, int x, int y, int width, int height, DWORD rop) {
  if (!m_pBMI) return 0;
  return StretchDIBits(dc, x, y, width, height, 0, 0, m_Size.x, m_Size.y, m_pBits, GetBMI(), DIB_RGB_COLORS, rop);
}

int PLWinBmp::StretchDrawScaled(HDC dc, int x, int y, double factor, DWORD rop) {
  return StretchDraw(dc, x, y, int(factor * m_Size.x), int(factor * m_Size.y), rop);
}

int PLWinBmp::DrawRegion(HDC dc, int x, int y, int left, int top, int right, int bottom) {
  if (!m_pBMI) return 0;
  int dibHeight = GetBMI()->bmiHeader.biHeight;
  return SetDIBitsToDevice(dc, x, y, DWORD(right - left), DWORD(bottom - top), left, dibHeight - bottom, 0,
                           UINT(dibHeight), m_pBits, GetBMI(), DIB_RGB_COLORS);
}

HGLOBAL PLWinBmp::CopyToGlobalMemory() {
  size_t bytes = GetDIBSize();
  HGLOBAL memory = m_pBMI ? GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE, bytes) : nullptr;
  void* target = memory ? GlobalLock(memory) : nullptr;
  if (!target) {
    if (memory) GlobalFree(memory);
    throw PLTextException(PL_ERRNO_MEMORY, "Can't allocate global memory block.");
  }
  std::memcpy(target, m_pBMI, bytes);
  GlobalUnlock(memory);
  return memory;
}

int PLWinBmp::CreateFromHBitmap(HBITMAP bitmap) {
  HDC dc = GetDC(nullptr);
  if (!dc) return 0;
  // Header and room for 256 colours.
  alignas(BITMAPINFO) PLBYTE info[40 + 256 * 4] = {};
  auto* bmi = reinterpret_cast<BITMAPINFO*>(info);
  bmi->bmiHeader.biSize = 40;
  bmi->bmiHeader.biPlanes = 1;
  int ok = 0;
  if (GetDIBits(dc, bitmap, 0, 0, nullptr, bmi, DIB_RGB_COLORS)) {
    int depth = bmi->bmiHeader.biBitCount;
    int bpp = depth > 8 ? 32 : (depth < 8 && depth != 1 ? 8 : depth);
    int width = bmi->bmiHeader.biWidth;
    int height = bmi->bmiHeader.biHeight < 0 ? -bmi->bmiHeader.biHeight : bmi->bmiHeader.biHeight;
    FreeStorage();
    if (AllocateStorage(width, height, bpp, depth, 0, false, false)) {
      Lock(false, true);
      ok = GetDIBits(dc, bitmap, 0, UINT(height), m_pBits, GetBMI(), DIB_RGB_COLORS) == height;
      Unlock();
    }
  }
  ReleaseDC(nullptr, dc);
  return ok;
}
