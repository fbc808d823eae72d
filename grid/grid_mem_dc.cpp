#include "grid/grid_mem_dc.h"

namespace {
bool IsPrinting(HDC dc) { return GetDeviceCaps(dc, TECHNOLOGY) == DT_RASPRINTER; }
}  // namespace

CGridMemDC::CGridMemDC(HDC wrapped) : m_wrapped(wrapped), m_offScreen(!IsPrinting(wrapped)) {
  if (!m_offScreen) return;
  GetClipBox(wrapped, &m_rect);
  m_memory.reset(CreateCompatibleDC(wrapped));
  m_bitmap.reset(CreateCompatibleBitmap(wrapped, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top));
  if (!m_memory || !m_bitmap) {
    m_offScreen = false;
    return;
  }
  m_oldBitmap = SelectObject(m_memory.get(), m_bitmap.get());
  SetWindowOrgEx(m_memory.get(), m_rect.left, m_rect.top, nullptr);
  UniqueBrush back(CreateSolidBrush(GetBkColor(wrapped)));
  FillRect(m_memory.get(), &m_rect, back.get());
}

CGridMemDC::~CGridMemDC() {
  if (!m_offScreen) return;
  BitBlt(m_wrapped, m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top, m_memory.get(),
         m_rect.left, m_rect.top, SRCCOPY);
  SelectObject(m_memory.get(), m_oldBitmap);
}
