// CMemFile: a file in memory that grows in steps of its grow size.
#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/framework/file.h"

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(BYTE* buffer, UINT bufferSize, UINT growBytes) : m_nGrowBytes(growBytes) {
  Attach(buffer, bufferSize, growBytes);
}

void CMemFile::Attach(BYTE* buffer, UINT bufferSize, UINT growBytes) {
  Close();
  m_nGrowBytes = growBytes;
  if (growBytes == 0) {
    m_pExternal = buffer;
    m_nExternalSize = bufferSize;
  } else if (buffer) {
    m_bytes.assign(buffer, buffer + bufferSize);
  }
  m_nFileSize = bufferSize;
}

BYTE* CMemFile::Detach() {
  BYTE* out = m_pExternal;
  if (!out) {
    out = new BYTE[std::max<size_t>(m_nFileSize, 1)];
    std::memcpy(out, m_bytes.data(), m_nFileSize);
  }
  m_pExternal = nullptr;
  Close();
  return out;
}

void CMemFile::Reserve(size_t size) {
  if (m_pExternal) {
    if (size > m_nExternalSize) AfxThrowFileException(CFileException::diskFull);
    return;
  }
  if (size <= m_bytes.size()) return;
  if (m_nGrowBytes == 0) AfxThrowFileException(CFileException::diskFull);
  const size_t step = m_nGrowBytes;
  m_bytes.resize((size + step - 1) / step * step);
}

UINT CMemFile::Read(void* buffer, UINT count) {
  if (m_nPosition >= m_nFileSize || count == 0) return 0;
  const size_t n = std::min<size_t>(count, m_nFileSize - m_nPosition);
  std::memcpy(buffer, Storage() + m_nPosition, n);
  m_nPosition += n;
  return static_cast<UINT>(n);
}

void CMemFile::Write(const void* buffer, UINT count) {
  if (count == 0) return;
  const size_t end = m_nPosition + count;
  Reserve(end);
  // A gap left by seeking past the end reads back as zeros.
  if (m_nPosition > m_nFileSize) std::memset(Storage() + m_nFileSize, 0, m_nPosition - m_nFileSize);
  std::memcpy(Storage() + m_nPosition, buffer, count);
  m_nPosition = end;
  m_nFileSize = std::max(m_nFileSize, end);
}

ULONGLONG CMemFile::Seek(LONGLONG offset, UINT from) {
  const LONGLONG base = from == begin ? 0 : from == current ? static_cast<LONGLONG>(m_nPosition)
                                                            : static_cast<LONGLONG>(m_nFileSize);
  const LONGLONG target = base + offset;
  if (target < 0 || (offset > 0 && target < base)) AfxThrowFileException(CFileException::badSeek);
  m_nPosition = static_cast<size_t>(target);
  return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG length) {
  if (length > std::numeric_limits<UINT>::max()) AfxThrowMemoryException();
  Reserve(static_cast<size_t>(length));
  if (length > m_nFileSize) std::memset(Storage() + m_nFileSize, 0, static_cast<size_t>(length) - m_nFileSize);
  m_nFileSize = static_cast<size_t>(length);
  m_nPosition = std::min(m_nPosition, m_nFileSize);
}

void CMemFile::Close() {
  m_bytes.clear();
  m_bytes.shrink_to_fit();
  m_pExternal = nullptr;
  m_nExternalSize = 0;
  m_nPosition = m_nFileSize = 0;
}
