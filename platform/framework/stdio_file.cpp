// CStdioFile over a C stream. The C library on this system does not
// translate line ends, so text mode does it here: "\n" is written as "\r\n"
// and "\r\n" is read back as "\n", as the files the system exchanges expect.
#include "platform/framework/file.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/kernel/kernel.h"
#include "platform/kernel/kernel_errors.h"

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {

const char* ModeOf(UINT flags) {
  const UINT access = flags & 3;
  if (flags & CFile::modeCreate) {
    if (flags & CFile::modeNoTruncate) return access == CFile::modeRead ? "rb" : "a+b";
    return access == CFile::modeReadWrite ? "w+b" : "wb";
  }
  return access == CFile::modeRead ? "rb" : "r+b";
}

}  // namespace

CStdioFile::CStdioFile(const char* fileName, UINT openFlags) {
  CFileException error;
  if (!Open(fileName, openFlags, &error))
    AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CStdioFile::~CStdioFile() {
  if (m_pStream) Abort();
}

BOOL CStdioFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
  if (m_pStream) Abort();
  m_strFileName = fileName;
  m_bText = (openFlags & typeBinary) == 0;
  // "a+b" appends every write; a file kept and written in place opens "r+b"
  // after making sure it exists.
  const char* mode = ModeOf(openFlags);
  if (std::strcmp(mode, "a+b") == 0) {
    if (FILE* probe = fopenA(fileName, "ab")) std::fclose(probe);
    mode = "r+b";
  }
  m_pStream = fopenA(fileName, mode);
  if (!m_pStream) {
    const auto os = static_cast<LONG>(GetLastError());
    if (error) {
      error->m_cause = CFileException::OsErrorToException(os);
      error->m_lOsError = os;
      error->m_strFileName = fileName;
    }
    return FALSE;
  }
  return TRUE;
}

int CStdioFile::GetChar() {
  int c = std::fgetc(m_pStream);
  if (c == '\r' && m_bText) {
    const int next = std::fgetc(m_pStream);
    if (next == '\n') return '\n';
    if (next != EOF) std::ungetc(next, m_pStream);
  }
  return c;
}

UINT CStdioFile::Read(void* buffer, UINT count) {
  auto* out = static_cast<char*>(buffer);
  if (!m_bText) {
    const size_t n = std::fread(out, 1, count, m_pStream);
    if (n < count && std::ferror(m_pStream)) AfxThrowFileException(CFileException::hardIO, errno, m_strFileName);
    return static_cast<UINT>(n);
  }
  UINT n = 0;
  for (int c; n < count && (c = GetChar()) != EOF;) out[n++] = static_cast<char>(c);
  return n;
}

void CStdioFile::Write(const void* buffer, UINT count) {
  const auto* in = static_cast<const char*>(buffer);
  if (!m_bText) {
    if (std::fwrite(in, 1, count, m_pStream) != count)
      AfxThrowFileException(CFileException::diskFull, errno, m_strFileName);
    return;
  }
  std::string text;
  text.reserve(count + count / 16);
  for (UINT i = 0; i < count; ++i) {
    if (in[i] == '\n') text += '\r';
    text += in[i];
  }
  if (std::fwrite(text.data(), 1, text.size(), m_pStream) != text.size())
    AfxThrowFileException(CFileException::diskFull, errno, m_strFileName);
}

void CStdioFile::WriteString(const char* text) {
  if (!text) AfxThrowInvalidArgException();
  Write(text, static_cast<UINT>(std::strlen(text)));
}

char* CStdioFile::ReadString(char* buffer, UINT maxLength) {
  if (!buffer || maxLength == 0) return nullptr;
  UINT n = 0;
  int c = 0;
  while (n + 1 < maxLength && (c = GetChar()) != EOF) {
    buffer[n++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  buffer[n] = '\0';
  if (n == 0 && c == EOF) return nullptr;
  return buffer;
}

BOOL CStdioFile::ReadString(CString& line) {
  std::string text;
  int c = 0;
  while ((c = GetChar()) != EOF && c != '\n') text += static_cast<char>(c);
  if (c == EOF && text.empty()) {
    line.Empty();
    return FALSE;
  }
  // A binary-mode reader still hands back the line without its "\r".
  if (!text.empty() && text.back() == '\r') text.pop_back();
  line = CString(text);
  return TRUE;
}

ULONGLONG CStdioFile::Seek(LONGLONG offset, UINT from) {
  const int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : SEEK_END;
  if (fseeko(m_pStream, static_cast<off_t>(offset), whence) != 0)
    AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
  return GetPosition();
}

ULONGLONG CStdioFile::GetPosition() const {
  const off_t p = ftello(m_pStream);
  if (p < 0) AfxThrowFileException(CFileException::invalidFile, errno, m_strFileName);
  return static_cast<ULONGLONG>(p);
}

ULONGLONG CStdioFile::GetLength() const {
  const off_t here = ftello(m_pStream);
  fseeko(m_pStream, 0, SEEK_END);
  const off_t size = ftello(m_pStream);
  fseeko(m_pStream, here, SEEK_SET);
  if (size < 0) AfxThrowFileException(CFileException::invalidFile, errno, m_strFileName);
  return static_cast<ULONGLONG>(size);
}

void CStdioFile::SetLength(ULONGLONG) { AfxThrowNotSupportedException(); }

void CStdioFile::Flush() {
  if (m_pStream && std::fflush(m_pStream) != 0) AfxThrowFileException(CFileException::diskFull, errno, m_strFileName);
}

void CStdioFile::Close() {
  if (!m_pStream) return;
  const int result = std::fclose(m_pStream);
  m_pStream = nullptr;
  // fclose writes what the stream still holds: a failure there is a lost write.
  if (result != 0) AfxThrowFileException(CFileException::diskFull, errno, m_strFileName);
}

void CStdioFile::Abort() {
  if (m_pStream) std::fclose(m_pStream);
  m_pStream = nullptr;
}
