#include "image/io/plmemsink.h"

#include "image/io/growable.h"

int PLMemSink::Open(const char* name, int bufferSize) {
  m_Buffer.clear();
  if (bufferSize > 0) GrowSinkBuffer(m_Buffer, size_t(bufferSize));
  InitSink(name, m_Buffer.data(), int(m_Buffer.size()));
  return 0;
}

bool PLMemSink::Reserve(size_t total) {
  if (!GrowSinkBuffer(m_Buffer, total)) return false;
  SetBuffer(m_Buffer.data(), int(m_Buffer.size()));
  return true;
}

std::vector<PLBYTE> PLMemSink::TakeData() const {
  return std::vector<PLBYTE>(m_Buffer.begin(), m_Buffer.begin() + GetBytesWritten());
}
