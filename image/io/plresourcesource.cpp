#include "image/io/plresourcesource.h"

#include <cstdio>

#include "platform/resource/resource.h"

PLResourceSource::~PLResourceSource() {
  if (IsOpen()) Close();
}

int PLResourceSource::Open(HINSTANCE instance, int resourceId, const char* resourceType) {
  if (IsOpen()) Close();
  m_hRsrc = FindResourceA(instance, MAKEINTRESOURCEA(WORD(resourceId)), resourceType ? resourceType : RT_RCDATA);
  if (!m_hRsrc) return PL_OPEN_FAILED;
  m_hGlobal = LoadResource(instance, m_hRsrc);
  if (!m_hGlobal) return PL_OPEN_FAILED;
  const void* data = LockResource(m_hGlobal);
  if (!data) {
    FreeResource(m_hGlobal);
    m_hGlobal = nullptr;
    return PL_OPEN_FAILED;
  }
  DWORD size = SizeofResource(instance, m_hRsrc);
  char name[32];
  std::snprintf(name, sizeof name, "Resource: %i", resourceId);
  InitSource(name, size > 0x7FFFFFFF ? 0x7FFFFFFF : int(size));
  m_pReadPos = static_cast<const PLBYTE*>(data);
  return PL_OPEN_OK;
}

void PLResourceSource::Close() {
  PLDataSource::Close();
  if (m_hGlobal) FreeResource(m_hGlobal);
  m_hGlobal = nullptr;
  m_hRsrc = nullptr;
}
