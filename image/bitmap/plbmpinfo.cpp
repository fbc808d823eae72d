#include "image/bitmap/plbmpinfo.h"

#include <cstdio>

PLBmpInfo::PLBmpInfo(const PLPoint& size, int bpp, int fileBpp, int fileSize, const PLPoint& resolution,
                     bool alpha, bool greyscale) {
  SetInfo(size, bpp, fileBpp, fileSize, resolution, alpha, greyscale);
}

void PLBmpInfo::SetInfo(const PLPoint& size, int bpp, int fileBpp, int fileSize, const PLPoint& resolution,
                        bool alpha, bool greyscale) {
  m_Size = size;
  m_bpp = bpp;
  m_FileBpp = static_cast<unsigned short>(fileBpp);
  m_FileSize = fileSize;
  m_Resolution = resolution;
  m_bAlpha = alpha;
  m_bGreyscale = greyscale;
}

void PLBmpInfo::FormatInfo(char* buffer, size_t bufferSize) const {
  if (!buffer || bufferSize == 0) return;
  std::snprintf(buffer, bufferSize < 1024 ? bufferSize : 1024,
                "{ Size: (%i, %i), bpp: %i, Resolution: (%i, %i), Alpha: %i, Greyscale: %i }", m_Size.x, m_Size.y,
                m_bpp, m_Resolution.x, m_Resolution.y, int(m_bAlpha), int(m_bGreyscale));
}
