// Description of a bitmap: size, depth, source file facts, resolution, flags.
#pragma once

#include <cstddef>

#include "image/bitmap/plobject.h"
#include "image/bitmap/plpoint.h"

class PLBmpInfo : public PLObject {
 public:
  PLBmpInfo() = default;
  PLBmpInfo(const PLPoint& size, int bpp, int fileBpp, int fileSize, const PLPoint& resolution, bool alpha,
            bool greyscale);
  PLBmpInfo(const PLBmpInfo&) = default;
  PLBmpInfo& operator=(const PLBmpInfo&) = default;

  void SetInfo(const PLPoint& size, int bpp, int fileBpp, int fileSize, const PLPoint& resolution, bool alpha,
               bool greyscale);

  // "{ Size: (%i, %i), bpp: %i, Resolution: (%i, %i), Alpha: %i, Greyscale: %i }";
  // the text is at most 1024 bytes; bufferSize limits what is written.
  void FormatInfo(char* buffer, size_t bufferSize = 1024) const;

  const PLPoint& GetSize() const { return m_Size; }
  int GetWidth() const { return m_Size.x; }
  int GetHeight() const { return m_Size.y; }
  int GetBitsPerPixel() const { return m_bpp; }
  int GetFileBitsPerPixel() const { return m_FileBpp; }
  int GetFileSize() const { return m_FileSize; }
  const PLPoint& GetResolution() const { return m_Resolution; }
  bool HasAlpha() const { return m_bAlpha; }
  bool IsGreyscale() const { return m_bGreyscale; }

  void SetFileBitsPerPixel(int fileBpp) { m_FileBpp = static_cast<unsigned short>(fileBpp); }
  void SetFileSize(int fileSize) { m_FileSize = fileSize; }
  void SetResolution(const PLPoint& resolution) { m_Resolution = resolution; }
  void SetHasAlpha(bool alpha) { m_bAlpha = alpha; }
  void SetGreyscale(bool greyscale) { m_bGreyscale = greyscale; }

 protected:
  PLPoint m_Size;
  int m_bpp = 0;
  int m_FileBpp = 0;  // a 16-bit value
  int m_FileSize = 0;
  PLPoint m_Resolution;
  bool m_bAlpha = false;
  bool m_bGreyscale = false;
};
