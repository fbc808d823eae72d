#include "image/bitmap/planybmp.h"

#include <new>

PLAnyBmp::PLAnyBmp() { AllocateStorage(16, 16, 8, 0, 0, false, false); }

PLAnyBmp::~PLAnyBmp() { FreeStorage(); }

PLAnyBmp& PLAnyBmp::operator=(const PLBmp& source) {
  if (&source != this) CreateCopy(source, 0);
  return *this;
}

long PLAnyBmp::GetLineSize() { return long(PackedLineBytes(m_Size.x, m_bpp)); }

long PLAnyBmp::GetMemoryUsed() {
  long palette = m_bpp < 16 ? 4L << m_bpp : 0;
  return GetLineSize() * m_Size.y + palette + 124;
}

int PLAnyBmp::AllocateStorage(int width, int height, int bpp, int fileBpp, int fileSize, bool alpha,
                              bool greyscale) {
  if (!IsValidGeometry(width, height, bpp)) return 0;
  size_t bytes = PackedLineBytes(width, bpp) * size_t(height);
  m_pBits = new (std::nothrow) PLBYTE[bytes]();
  if (!m_pBits) return 0;
  if (bpp <= 8) {
    m_pPal = new (std::nothrow) PLPixel32[size_t(1) << bpp];
    if (!m_pPal) {
      FreeStorage();
      return 0;
    }
  }
  InitBitmap(width, height, bpp, fileBpp, fileSize, alpha, greyscale);
  if (!m_pLineArray) {
    FreeStorage();
    return 0;
  }
  return 1;
}

void PLAnyBmp::FreeStorage() {
  delete[] m_pBits;
  m_pBits = nullptr;
  delete[] m_pPal;
  m_pPal = nullptr;
  delete[] m_pLineArray;
  m_pLineArray = nullptr;
  SetInfo(PLPoint{}, 0, m_FileBpp, m_FileSize, m_Resolution, false, false);
}

void PLAnyBmp::BuildLineArray() {
  delete[] m_pLineArray;
  m_pLineArray = new (std::nothrow) PLBYTE*[size_t(m_Size.y)];
  if (!m_pLineArray) return;
  size_t line = PackedLineBytes(m_Size.x, m_bpp);
  for (int y = 0; y < m_Size.y; ++y) m_pLineArray[y] = m_pBits + size_t(y) * line;
}
