// The off-screen context the grid paints through: drawing goes into a bitmap
// the size of the wrapped context's clip box, copied to it in one block when
// the object ends, so a repaint never flickers. On a printer it draws
// straight through.
#pragma once

#include "platform/gdi/gdi_owners.h"
#include "platform/win.h"

class CGridMemDC {
 public:
  explicit CGridMemDC(HDC wrapped);
  ~CGridMemDC();
  CGridMemDC(const CGridMemDC&) = delete;
  CGridMemDC& operator=(const CGridMemDC&) = delete;
  HDC Dc() const { return m_offScreen ? m_memory.get() : m_wrapped; }
  operator HDC() const { return Dc(); }  // NOLINT: used wherever a DC is
  const RECT& Rect() const { return m_rect; }

 private:
  HDC m_wrapped;
  UniqueDc m_memory;
  UniqueBitmap m_bitmap;
  HGDIOBJ m_oldBitmap = nullptr;
  RECT m_rect{};
  bool m_offScreen;
};
