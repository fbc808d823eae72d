// Files as the framework sees them: CFile over a kernel file handle,
// CStdioFile over a C stream (text mode writes "\r\n" for each line end and
// reads it back as "\n"), CMemFile over a growing block of memory. Failures
// throw CFileException with their cause; reading past the end returns fewer
// bytes, never bytes that are not there.
#pragma once

#include <cstdio>
#include <vector>

#include "platform/framework/cstring.h"
#include "platform/framework/exceptions.h"
#include "platform/framework/object.h"

class CFile : public CObject {
  DECLARE_DYNAMIC(CFile)

 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };
  enum SeekPosition { begin = 0, current = 1, end = 2 };

  CFile() = default;
  explicit CFile(HANDLE file) : m_hFile(file) {}
  // Opens or throws CFileException.
  CFile(const char* fileName, UINT openFlags);
  ~CFile() override;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // FALSE on failure, with the cause in `error` when given.
  virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
  virtual UINT Read(void* buffer, UINT count);
  virtual void Write(const void* buffer, UINT count);
  virtual ULONGLONG Seek(LONGLONG offset, UINT from);
  void SeekToBegin() { Seek(0, begin); }
  ULONGLONG SeekToEnd() { return Seek(0, end); }
  virtual ULONGLONG GetPosition() const;
  virtual ULONGLONG GetLength() const;
  virtual void SetLength(ULONGLONG length);
  virtual void Flush();
  virtual void Close();
  // Closes without throwing, whatever state the file is in.
  virtual void Abort();
  virtual CString GetFilePath() const { return m_strFileName; }
  virtual CString GetFileName() const;
  virtual CString GetFileTitle() const;
  BOOL IsOpen() const { return m_hFile != INVALID_HANDLE; }

  static void Remove(const char* fileName);
  static void Rename(const char* oldName, const char* newName);

  static inline const HANDLE INVALID_HANDLE = INVALID_HANDLE_VALUE;
  HANDLE m_hFile = INVALID_HANDLE;

 protected:
  [[noreturn]] void ThrowLastError() const;
  CString m_strFileName;
};

class CStdioFile : public CFile {
  DECLARE_DYNAMIC(CStdioFile)

 public:
  CStdioFile() = default;
  CStdioFile(const char* fileName, UINT openFlags);
  ~CStdioFile() override;

  BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr) override;
  UINT Read(void* buffer, UINT count) override;
  void Write(const void* buffer, UINT count) override;
  ULONGLONG Seek(LONGLONG offset, UINT from) override;
  ULONGLONG GetPosition() const override;
  ULONGLONG GetLength() const override;
  void SetLength(ULONGLONG length) override;
  void Flush() override;
  void Close() override;
  void Abort() override;

  // Writes the text; in text mode each "\n" goes out as "\r\n".
  virtual void WriteString(const char* text);
  // Reads a line of at most maxLength - 1 characters, keeping its "\n"
  // (a "\r\n" in text mode comes back as "\n"); null at the end of the file.
  virtual char* ReadString(char* buffer, UINT maxLength);
  // Reads a line without its line end; FALSE at the end of the file.
  virtual BOOL ReadString(CString& line);

  FILE* m_pStream = nullptr;

 private:
  // Reads one character, folding "\r\n" to "\n" in text mode; EOF at the end.
  int GetChar();
  BOOL m_bText = FALSE;
};

class CMemFile : public CFile {
  DECLARE_DYNAMIC(CMemFile)

 public:
  explicit CMemFile(UINT growBytes = 1024) : m_nGrowBytes(growBytes) {}
  // Over a caller's block: growBytes 0 keeps it fixed (writing past its end
  // throws diskFull); otherwise it is copied into a growing block.
  CMemFile(BYTE* buffer, UINT bufferSize, UINT growBytes = 0);
  ~CMemFile() override = default;

  void Attach(BYTE* buffer, UINT bufferSize, UINT growBytes = 0);
  // Hands the caller's block back (or the file's own bytes copied into a
  // new[] block the caller frees) and empties the file.
  BYTE* Detach();

  BOOL Open(const char*, UINT, CFileException* = nullptr) override { return FALSE; }
  UINT Read(void* buffer, UINT count) override;
  void Write(const void* buffer, UINT count) override;
  ULONGLONG Seek(LONGLONG offset, UINT from) override;
  ULONGLONG GetPosition() const override { return m_nPosition; }
  ULONGLONG GetLength() const override { return m_nFileSize; }
  void SetLength(ULONGLONG length) override;
  void Flush() override {}
  void Close() override;
  void Abort() override { Close(); }
  const BYTE* Data() const { return m_pExternal ? m_pExternal : m_bytes.data(); }

 private:
  BYTE* Storage() { return m_pExternal ? m_pExternal : m_bytes.data(); }
  void Reserve(size_t size);

  UINT m_nGrowBytes;
  std::vector<BYTE> m_bytes;
  BYTE* m_pExternal = nullptr;  // a caller's fixed block
  size_t m_nExternalSize = 0;
  size_t m_nPosition = 0;
  size_t m_nFileSize = 0;
};
