#include "image/io/plmemsource.h"

PLMemSource::~PLMemSource() {
  if (IsOpen()) Close();
}

int PLMemSource::Open(const PLBYTE* data, int size) {
  if (IsOpen()) Close();
  if (size < 0 || (!data && size > 0)) return PL_OPEN_FAILED;
  InitSource("Mem", size);
  m_pReadPos = data;
  return PL_OPEN_OK;
}
