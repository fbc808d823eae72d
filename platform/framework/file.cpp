// CFile over the kernel's file handles.
#include "platform/framework/file.h"

#include "platform/kernel/kernel.h"
#include "platform/kernel/kernel_errors.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

namespace {

DWORD AccessOf(UINT flags) {
  switch (flags & 3) {
    case CFile::modeWrite: return GENERIC_WRITE;
    case CFile::modeReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
  }
}

DWORD DispositionOf(UINT flags) {
  if (flags & CFile::modeCreate) return (flags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
  return OPEN_EXISTING;
}

}  // namespace

CFile::CFile(const char* fileName, UINT openFlags) {
  CFileException error;
  if (!Open(fileName, openFlags, &error))
    AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile() {
  if (IsOpen()) Abort();
}

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
  if (IsOpen()) Abort();
  m_strFileName = fileName;
  HANDLE h = CreateFileA(fileName, AccessOf(openFlags), FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         DispositionOf(openFlags), FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE) {
    const auto os = static_cast<LONG>(GetLastError());
    if (error) {
      error->m_cause = CFileException::OsErrorToException(os);
      error->m_lOsError = os;
      error->m_strFileName = fileName;
    }
    return FALSE;
  }
  m_hFile = h;
  return TRUE;
}

void CFile::ThrowLastError() const { CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName); }

UINT CFile::Read(void* buffer, UINT count) {
  if (count == 0) return 0;
  DWORD read = 0;
  if (!ReadFile(m_hFile, buffer, count, &read, nullptr)) ThrowLastError();
  return read;
}

void CFile::Write(const void* buffer, UINT count) {
  if (count == 0) return;
  DWORD written = 0;
  if (!WriteFile(m_hFile, buffer, count, &written, nullptr)) ThrowLastError();
  // A short write is a full disk: the caller must not believe the bytes are there.
  if (written != count) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
  LARGE_INTEGER distance{}, position{};
  distance.QuadPart = offset;
  if (!SetFilePointerEx(m_hFile, distance, &position, from)) {
    if (GetLastError() == ERROR_NEGATIVE_SEEK || GetLastError() == ERROR_INVALID_PARAMETER)
      AfxThrowFileException(CFileException::badSeek, static_cast<LONG>(GetLastError()), m_strFileName);
    ThrowLastError();
  }
  return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetPosition() const {
  LARGE_INTEGER distance{}, position{};
  if (!SetFilePointerEx(m_hFile, distance, &position, FILE_CURRENT)) ThrowLastError();
  return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(m_hFile, &size)) ThrowLastError();
  return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG length) {
  Seek(static_cast<LONGLONG>(length), begin);
  if (!SetEndOfFile(m_hFile)) ThrowLastError();
}

void CFile::Flush() {
  if (IsOpen() && !FlushFileBuffers(m_hFile)) ThrowLastError();
}

void CFile::Close() {
  if (!IsOpen()) return;
  const BOOL ok = CloseHandle(m_hFile);
  m_hFile = INVALID_HANDLE;
  if (!ok) ThrowLastError();
}

void CFile::Abort() {
  if (IsOpen()) CloseHandle(m_hFile);
  m_hFile = INVALID_HANDLE;
}

CString CFile::GetFileName() const {
  const int slash = m_strFileName.ReverseFind('/');
  return m_strFileName.Mid(slash + 1);
}

CString CFile::GetFileTitle() const {
  CString name = GetFileName();
  const int dot = name.ReverseFind('.');
  return dot > 0 ? name.Left(dot) : name;
}

void CFile::Remove(const char* fileName) {
  if (!DeleteFileA(fileName)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), fileName);
}

void CFile::Rename(const char* oldName, const char* newName) {
  if (!MoveFileA(oldName, newName)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), oldName);
}
