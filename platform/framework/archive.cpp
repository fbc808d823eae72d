// CArchive: buffering, values, counts and strings.
#include "platform/framework/archive.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/nls/nls.h"

CArchive::CArchive(CFile* file, UINT mode, int bufferSize, void*)
    : m_pFile(file), m_nMode(mode), m_buffer(static_cast<size_t>(std::max(bufferSize, 128))) {
  if (!file) AfxThrowInvalidArgException();
  m_strFileName = file->GetFilePath();
  if (IsLoading()) m_loadArray.push_back({nullptr, nullptr, 0});
}

CArchive::~CArchive() {
  if (m_closed || !m_pFile) return;
  if (IsStoring() && !(m_nMode & bNoFlushOnDelete)) {
    try {
      Flush();
    } catch (CException* e) {
      e->Delete();  // a destructor cannot report it; Close() does
    }
  }
}

void CArchive::Throw(int cause) const { AfxThrowArchiveException(cause, m_strFileName); }

void CArchive::RequireLoading() const {
  if (!IsLoading()) Throw(CArchiveException::writeOnly);
}

void CArchive::RequireStoring() const {
  if (!IsStoring()) Throw(CArchiveException::readOnly);
}

void CArchive::Close() {
  if (m_closed) return;
  // Closed first: a flush that throws is reported here once, not retried by the destructor.
  m_closed = true;
  Flush();
  m_pFile = nullptr;
}

void CArchive::Abort() {
  m_closed = true;
  m_pFile = nullptr;
}

void CArchive::Flush() {
  if (IsStoring()) {
    if (m_end > 0) m_pFile->Write(m_buffer.data(), static_cast<UINT>(m_end));
    m_cur = m_end = 0;
    return;
  }
  // A loading archive gives back what it read ahead, so the file's position
  // is where the archive stands.
  if (m_end > m_cur) m_pFile->Seek(-static_cast<LONGLONG>(m_end - m_cur), CFile::current);
  m_cur = m_end = 0;
}

void CArchive::Write(const void* buffer, UINT count) {
  RequireStoring();
  const auto* in = static_cast<const BYTE*>(buffer);
  while (count > 0) {
    if (m_end == m_buffer.size()) Flush();
    const size_t n = std::min<size_t>(count, m_buffer.size() - m_end);
    std::memcpy(m_buffer.data() + m_end, in, n);
    m_end += n;
    in += n;
    count -= static_cast<UINT>(n);
  }
}

void CArchive::FillBuffer() {
  m_cur = 0;
  m_end = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
}

UINT CArchive::Read(void* buffer, UINT count) {
  RequireLoading();
  auto* out = static_cast<BYTE*>(buffer);
  UINT done = 0;
  while (done < count) {
    if (m_cur == m_end) {
      // Large reads go straight to the file.
      if (count - done >= m_buffer.size()) {
        const UINT n = m_pFile->Read(out + done, count - done);
        done += n;
        break;
      }
      FillBuffer();
      if (m_end == 0) break;
    }
    const size_t n = std::min<size_t>(count - done, m_end - m_cur);
    std::memcpy(out + done, m_buffer.data() + m_cur, n);
    m_cur += n;
    done += static_cast<UINT>(n);
  }
  return done;
}

void CArchive::ReadExactly(void* buffer, UINT count) {
  if (Read(buffer, count) != count) Throw(CArchiveException::endOfFile);
}

ULONGLONG CArchive::GetBytesLeft() const {
  const ULONGLONG length = m_pFile->GetLength(), position = m_pFile->GetPosition();
  return (m_end - m_cur) + (length > position ? length - position : 0);
}

void CArchive::RequireBytes(ULONGLONG bytes) {
  if (bytes > m_end - m_cur && bytes > GetBytesLeft()) Throw(CArchiveException::endOfFile);
}

CArchive& CArchive::operator>>(char& v) {
  BYTE b = 0;
  Get(b);
  v = static_cast<char>(b);
  return *this;
}

CArchive& CArchive::operator>>(bool& v) {
  BYTE b = 0;
  Get(b);
  v = b != 0;
  return *this;
}

void CArchive::WriteCount(DWORD_PTR count) {
  if (count < 0xFFFF) {
    *this << static_cast<WORD>(count);
    return;
  }
  *this << static_cast<WORD>(0xFFFF);
  if (count < 0xFFFFFFFF) {
    *this << static_cast<DWORD>(count);
    return;
  }
  *this << static_cast<DWORD>(0xFFFFFFFF) << static_cast<ULONGLONG>(count);
}

DWORD_PTR CArchive::ReadCount() {
  WORD w = 0;
  *this >> w;
  if (w != 0xFFFF) return w;
  DWORD d = 0;
  *this >> d;
  if (d != 0xFFFFFFFF) return d;
  ULONGLONG q = 0;
  *this >> q;
  return static_cast<DWORD_PTR>(q);
}

namespace {

void WriteStringLength(CArchive& ar, ULONGLONG length, bool wide) {
  if (wide) ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFE);
  if (length < 0xFF) {
    ar << static_cast<BYTE>(length);
    return;
  }
  ar << static_cast<BYTE>(0xFF);
  if (length < 0xFFFE) {
    ar << static_cast<WORD>(length);
    return;
  }
  ar << static_cast<WORD>(0xFFFF);
  if (length < 0xFFFFFFFF) {
    ar << static_cast<DWORD>(length);
    return;
  }
  ar << static_cast<DWORD>(0xFFFFFFFF) << length;
}

ULONGLONG ReadStringLength(CArchive& ar, bool& wide) {
  wide = false;
  BYTE b = 0;
  ar >> b;
  if (b < 0xFF) return b;
  WORD w = 0;
  ar >> w;
  if (w == 0xFFFE) {
    wide = true;
    ar >> b;
    if (b < 0xFF) return b;
    ar >> w;
  }
  if (w < 0xFFFF) return w;
  DWORD d = 0;
  ar >> d;
  if (d < 0xFFFFFFFF) return d;
  ULONGLONG q = 0;
  ar >> q;
  return q;
}

}  // namespace

CArchive& CArchive::operator<<(const CString& s) {
  WriteStringLength(*this, static_cast<ULONGLONG>(s.GetLength()), false);
  Write(s.GetString(), static_cast<UINT>(s.GetLength()));
  return *this;
}

CArchive& CArchive::operator>>(CString& s) {
  bool wide = false;
  const ULONGLONG length = ReadStringLength(*this, wide);
  const ULONGLONG bytes = wide ? length * 2 : length;
  if (length > 0x7FFFFFFF) Throw(CArchiveException::endOfFile);
  RequireBytes(bytes);
  if (!wide) {
    std::string text(static_cast<size_t>(length), '\0');
    ReadExactly(text.data(), static_cast<UINT>(length));
    s = CString(text);
    return *this;
  }
  std::u16string units(static_cast<size_t>(length), u'\0');
  for (auto& u : units) {
    WORD w = 0;
    *this >> w;
    u = static_cast<char16_t>(w);
  }
  // UTF-16 text comes back in the process's ANSI code page.
  const int n = WideCharToMultiByte(CP_ACP, 0, units.data(), static_cast<int>(units.size()), nullptr, 0, nullptr,
                                    nullptr);
  std::string text(static_cast<size_t>(std::max(n, 0)), '\0');
  if (n > 0)
    WideCharToMultiByte(CP_ACP, 0, units.data(), static_cast<int>(units.size()), text.data(), n, nullptr, nullptr);
  s = CString(text);
  return *this;
}

void CArchive::WriteString(const char* text) {
  if (text) Write(text, static_cast<UINT>(std::strlen(text)));
}

int CArchive::ReadLineChar() {
  BYTE b = 0;
  return Read(&b, 1) == 1 ? b : -1;
}

BOOL CArchive::ReadString(CString& line) {
  std::string text;
  int c = 0;
  while ((c = ReadLineChar()) >= 0 && c != '\n') text += static_cast<char>(c);
  if (c < 0 && text.empty()) {
    line.Empty();
    return FALSE;
  }
  if (!text.empty() && text.back() == '\r') text.pop_back();
  line = CString(text);
  return TRUE;
}

char* CArchive::ReadString(char* buffer, UINT maxLength) {
  if (!buffer || maxLength == 0) return nullptr;
  UINT n = 0;
  int c = 0;
  while (n + 1 < maxLength && (c = ReadLineChar()) >= 0 && c != '\n') buffer[n++] = static_cast<char>(c);
  if (n > 0 && buffer[n - 1] == '\r') --n;
  buffer[n] = '\0';
  if (n == 0 && c < 0) return nullptr;
  return buffer;
}
