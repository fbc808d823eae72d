// The exception kinds, their messages and the calls that throw them.
#include "platform/framework/exceptions.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/kernel/kernel_errors.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

BOOL CopyMessage(const char* text, char* buffer, UINT maxLength) {
  if (!buffer || maxLength == 0) return FALSE;
  const size_t n = std::min<size_t>(std::strlen(text), maxLength - 1);
  std::memcpy(buffer, text, n);
  buffer[n] = '\0';
  return TRUE;
}

// Messages by cause, in the order of the cause numbers.
constexpr const char* kFileMessages[] = {
    "No error occurred.",
    "An unexpected error occurred while accessing %1.",
    "%1 was not found.",
    "%1 contains an invalid path.",
    "%1 could not be opened because there are too many open files.",
    "Access to %1 was denied.",
    "An invalid file handle was associated with %1.",
    "%1 could not be removed because it is the current directory.",
    "%1 could not be created because the directory is full.",
    "Seek failed on %1.",
    "A hardware I/O error was reported while accessing %1.",
    "A sharing violation occurred while accessing %1.",
    "A locking violation occurred while accessing %1.",
    "Disk full while accessing %1.",
    "An attempt was made to access %1 past its end.",
};
static_assert(std::size(kFileMessages) == CFileException::endOfFile + 1);

constexpr const char* kArchiveMessages[] = {
    "No error occurred.",
    "An unexpected error occurred while accessing %1.",
    "An attempt was made to write to the reading %1.",
    "An attempt was made to access %1 past its end.",
    "An attempt was made to read from the writing %1.",
    "%1 has a bad format.",
    "%1 contained an unexpected object.",
    "%1 contains an incorrect schema.",
};
static_assert(std::size(kArchiveMessages) == CArchiveException::badSchema + 1);

BOOL FormatWithName(const char* pattern, const CString& name, char* buffer, UINT maxLength) {
  CString text(pattern);
  text.Replace("%1", name.IsEmpty() ? "an unnamed file" : name.GetString());
  return CopyMessage(text, buffer, maxLength);
}

}  // namespace

void CException::Delete() {
  if (m_bAutoDelete) delete this;
}

BOOL CException::GetErrorMessage(char* buffer, UINT maxLength, UINT*) const {
  if (buffer && maxLength) buffer[0] = '\0';
  return FALSE;
}

int CException::ReportError(UINT, UINT) const {
  char text[512];
  if (!GetErrorMessage(text, sizeof text)) std::snprintf(text, sizeof text, "No error message is available.");
  std::fprintf(stderr, "%s\n", text);
  return 1;  // IDOK
}

BOOL CMemoryException::GetErrorMessage(char* buffer, UINT maxLength, UINT*) const {
  return CopyMessage("Out of memory.", buffer, maxLength);
}

BOOL CNotSupportedException::GetErrorMessage(char* buffer, UINT maxLength, UINT*) const {
  return CopyMessage("Unsupported operation was attempted.", buffer, maxLength);
}

BOOL CResourceException::GetErrorMessage(char* buffer, UINT maxLength, UINT*) const {
  return CopyMessage("A required resource was unavailable.", buffer, maxLength);
}

int CFileException::OsErrorToException(LONG osError) {
  switch (static_cast<DWORD>(osError)) {
    case ERROR_SUCCESS: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_DIR_NOT_EMPTY: return removeCurrentDir;
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
  }
}

void CFileException::ThrowOsError(LONG osError, const char* fileName) {
  AfxThrowFileException(OsErrorToException(osError), osError, fileName);
}

BOOL CFileException::GetErrorMessage(char* buffer, UINT maxLength, UINT*) const {
  const int cause = m_cause >= 0 && m_cause <= endOfFile ? m_cause : genericException;
  return FormatWithName(kFileMessages[cause], m_strFileName, buffer, maxLength);
}

BOOL CArchiveException::GetErrorMessage(char* buffer, UINT maxLength, UINT*) const {
  const int cause = m_cause >= 0 && m_cause <= badSchema ? m_cause : genericException;
  return FormatWithName(kArchiveMessages[cause], m_strFileName, buffer, maxLength);
}

void AfxThrowMemoryException() { throw new CMemoryException; }
void AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AfxThrowResourceException() { throw new CResourceException; }
void AfxThrowUserException() { throw new CUserException; }
void AfxThrowInvalidArgException() { throw new CInvalidArgException; }
void AfxThrowFileException(int cause, LONG osError, const char* fileName) {
  throw new CFileException(cause, osError, fileName);
}
void AfxThrowArchiveException(int cause, const char* fileName) { throw new CArchiveException(cause, fileName); }
