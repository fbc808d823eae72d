// The framework's exceptions. They are C++ exceptions thrown as pointers to
// heap objects, as the framework's callers expect: a catcher takes
// `CException*` (or a kind) and calls Delete() when done. They never leave
// through a C library or the barcode library.
#pragma once

#include "platform/framework/cstring.h"
#include "platform/framework/object.h"

class CException : public CObject {
  DECLARE_DYNAMIC(CException)

 public:
  explicit CException(BOOL autoDelete = TRUE) : m_bAutoDelete(autoDelete) {}
  // Frees a heap exception (one thrown by the framework); a stack one stays.
  void Delete();
  // A message for the user; FALSE when there is none.
  virtual BOOL GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext = nullptr) const;
  virtual int ReportError(UINT type = 0x10 /* MB_ICONERROR */, UINT messageId = 0) const;

  BOOL m_bAutoDelete;
};

class CMemoryException : public CException {
  DECLARE_DYNAMIC(CMemoryException)

 public:
  BOOL GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext = nullptr) const override;
};

class CNotSupportedException : public CException {
  DECLARE_DYNAMIC(CNotSupportedException)

 public:
  BOOL GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext = nullptr) const override;
};

class CResourceException : public CException {
  DECLARE_DYNAMIC(CResourceException)

 public:
  BOOL GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext = nullptr) const override;
};

class CUserException : public CException {
  DECLARE_DYNAMIC(CUserException)
};

class CInvalidArgException : public CException {
  DECLARE_DYNAMIC(CInvalidArgException)
};

class CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)

 public:
  enum {
    none = 0,
    genericException = 1,
    fileNotFound = 2,
    badPath = 3,
    tooManyOpenFiles = 4,
    accessDenied = 5,
    invalidFile = 6,
    removeCurrentDir = 7,
    directoryFull = 8,
    badSeek = 9,
    hardIO = 10,
    sharingViolation = 11,
    lockViolation = 12,
    diskFull = 13,
    endOfFile = 14,
  };
  explicit CFileException(int cause = none, LONG osError = -1, const char* fileName = nullptr)
      : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}
  // The cause for an operating-system error code (ERROR_*).
  static int OsErrorToException(LONG osError);
  [[noreturn]] static void ThrowOsError(LONG osError, const char* fileName = nullptr);
  BOOL GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext = nullptr) const override;

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

class CArchiveException : public CException {
  DECLARE_DYNAMIC(CArchiveException)

 public:
  enum {
    none = 0,
    genericException = 1,
    readOnly = 2,
    endOfFile = 3,
    writeOnly = 4,
    badIndex = 5,
    badClass = 6,
    badSchema = 7,
  };
  explicit CArchiveException(int cause = none, const char* fileName = nullptr)
      : m_cause(cause), m_strFileName(fileName) {}
  BOOL GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext = nullptr) const override;

  int m_cause;
  CString m_strFileName;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowFileException(int cause, LONG osError = -1, const char* fileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, const char* fileName = nullptr);
