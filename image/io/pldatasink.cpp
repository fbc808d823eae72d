#include "image/io/pldatasink.h"

#include <cstring>
#include <limits>

#include "image/bitmap/pltextexception.h"

void PLDataSink::InitSink(const char* name, PLBYTE* buffer, int size) {
  m_MaxDataSize = buffer ? (size < 0 ? 0 : size) : 0;
  m_Name = name ? name : "";
  m_pDataBuf = buffer;
  m_BytesWritten = 0;
  m_bOpen = true;
}

int PLDataSink::Close() {
  m_Name.clear();
  m_pDataBuf = nullptr;
  m_MaxDataSize = 0;
  m_BytesWritten = 0;
  m_bOpen = false;
  return 1;
}

bool PLDataSink::Reserve(size_t total) { return total <= size_t(m_MaxDataSize); }

int PLDataSink::WriteBytes(int n, const void* data) {
  if (n <= 0) return 0;
  size_t total = size_t(m_BytesWritten) + size_t(n);
  if (!m_bOpen || total > size_t(std::numeric_limits<int>::max()) ||
      (total > size_t(m_MaxDataSize) && !Reserve(total)))
    throw PLTextException(PL_ERREND_OF_DATA, "Buffer overflow while encoding.\n");
  std::memcpy(m_pDataBuf + m_BytesWritten, data, size_t(n));
  m_BytesWritten += n;
  return n;
}
