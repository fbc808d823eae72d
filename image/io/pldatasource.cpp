#include "image/io/pldatasource.h"

#include "image/bitmap/pltextexception.h"

void PLDataSource::InitSource(const char* name, int fileSize) {
  m_Name = name ? name : "";
  m_FileSize = fileSize < 0 ? 0 : fileSize;
  m_BytesRead = 0;
  m_bOpen = true;
}

void PLDataSource::Close() {
  if (m_bOpen && m_pNotifier) m_pNotifier->OnProgress(1.0);
  m_Name.clear();
  m_FileSize = 0;
  m_BytesRead = 0;
  m_pReadPos = nullptr;
  m_bOpen = false;
}

const PLBYTE* PLDataSource::PeekBytes(int) { return m_pReadPos; }

const PLBYTE* PLDataSource::GetCurrentData() { return m_pReadPos; }

const PLBYTE* PLDataSource::ReadBytes(int n) {
  if (n < 0 || n > GetBytesLeft()) throw PLTextException(PL_ERREND_OF_DATA, "End of file reached while decoding.\n");
  int before = m_BytesRead;
  m_BytesRead += n;
  if (m_pNotifier && m_FileSize > 0 && m_BytesRead / 1024 != before / 1024)
    m_pNotifier->OnProgress(double(m_BytesRead) / m_FileSize);
  const PLBYTE* data = m_pReadPos;
  m_pReadPos += n;
  return data;
}

void PLDataSource::NotifyProgress(double part) {
  if (m_pNotifier) m_pNotifier->OnProgress(part);
}
