// CArchive: values, counts, strings and objects written to and read from a
// CFile in the framework's byte layout, little-endian, field by field:
//  - BYTE/WORD/DWORD/LONG/int/float/double/64-bit values as their bytes;
//  - counts as a WORD below 0xFFFF, else 0xFFFF then a DWORD (below
//    0xFFFFFFFF), else 0xFFFFFFFF then 64 bits;
//  - strings as a length (a BYTE below 255, else 0xFF then a WORD below
//    0xFFFE, else 0xFFFF then a DWORD, ...) then the bytes; a UTF-16 string
//    starts with 0xFF 0xFFFE before its length in characters;
//  - objects as a tag: 0 for null; 0xFFFF then the class (schema WORD,
//    name length WORD, name) for a class not seen before, 0x8000 | index for
//    one seen, an index for an object already written (0x7FFF then a DWORD
//    for indices too large for a WORD), then the object's own Serialize.
// Reading is bounded: a length or count that asks for more than the data
// left throws CArchiveException(endOfFile), a tag naming nothing stored
// throws badIndex, an unknown or unexpected class badClass, a schema the
// class cannot read badSchema.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/framework/cstring.h"
#include "platform/framework/exceptions.h"
#include "platform/framework/file.h"
#include "platform/framework/object.h"

class CDocument;

class CArchive {
 public:
  enum Mode : UINT { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

  CArchive(CFile* file, UINT mode, int bufferSize = 4096, void* buffer = nullptr);
  // Flushes what is buffered when storing; Close() reports a failure, the
  // destructor cannot.
  ~CArchive();
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  BOOL IsLoading() const { return (m_nMode & load) != 0; }
  BOOL IsStoring() const { return (m_nMode & load) == 0; }
  BOOL IsByteSwapping() const { return FALSE; }
  CFile* GetFile() const { return m_pFile; }
  void Close();
  void Abort();
  void Flush();
  BOOL IsBufferEmpty() const { return m_cur == m_end; }

  // Raw bytes: Read returns how many were there (fewer at the end).
  UINT Read(void* buffer, UINT count);
  void Write(const void* buffer, UINT count);
  // Bytes still to be read: the buffer's and the file's.
  ULONGLONG GetBytesLeft() const;

  CArchive& operator<<(BYTE v) { return Put(v); }
  CArchive& operator<<(WORD v) { return Put(v); }
  CArchive& operator<<(DWORD v) { return Put(v); }
  CArchive& operator<<(LONG v) { return Put(v); }
  CArchive& operator<<(SHORT v) { return Put(v); }
  CArchive& operator<<(char v) { return Put(static_cast<BYTE>(v)); }
  CArchive& operator<<(bool v) { return Put(static_cast<BYTE>(v ? 1 : 0)); }
  CArchive& operator<<(float v) { return Put(v); }
  CArchive& operator<<(double v) { return Put(v); }
  CArchive& operator<<(LONGLONG v) { return Put(v); }
  CArchive& operator<<(ULONGLONG v) { return Put(v); }
  CArchive& operator<<(const CString& s);
  CArchive& operator<<(const CObject* object) {
    WriteObject(object);
    return *this;
  }

  CArchive& operator>>(BYTE& v) { return Get(v); }
  CArchive& operator>>(WORD& v) { return Get(v); }
  CArchive& operator>>(DWORD& v) { return Get(v); }
  CArchive& operator>>(LONG& v) { return Get(v); }
  CArchive& operator>>(SHORT& v) { return Get(v); }
  CArchive& operator>>(char& v);
  CArchive& operator>>(bool& v);
  CArchive& operator>>(float& v) { return Get(v); }
  CArchive& operator>>(double& v) { return Get(v); }
  CArchive& operator>>(LONGLONG& v) { return Get(v); }
  CArchive& operator>>(ULONGLONG& v) { return Get(v); }
  CArchive& operator>>(CString& s);
  CArchive& operator>>(CObject*& object) {
    object = ReadObject(nullptr);
    return *this;
  }

  void WriteCount(DWORD_PTR count);
  DWORD_PTR ReadCount();

  void WriteObject(const CObject* object);
  // Reads an object (or a reference to one read before); with a class
  // given, anything not of that class throws badClass.
  CObject* ReadObject(const CRuntimeClass* expected);
  void WriteClass(const CRuntimeClass* cls);
  const CRuntimeClass* ReadClass(const CRuntimeClass* expected = nullptr, UINT* schema = nullptr,
                                 DWORD* objectTag = nullptr);
  void SerializeClass(const CRuntimeClass* cls);
  // The schema of the object being read, for versionable classes.
  UINT GetObjectSchema();
  void SetObjectSchema(UINT schema) { m_nObjectSchema = schema; }
  // Records an object as written or read without writing it.
  void MapObject(const CObject* object);

  // Text lines: WriteString writes the bytes as they are; ReadString reads
  // up to "\n" and drops the line end ("\r\n" or "\n").
  void WriteString(const char* text);
  BOOL ReadString(CString& line);
  char* ReadString(char* buffer, UINT maxLength);

  CDocument* m_pDocument = nullptr;
  CString m_strFileName;

  // Tags of the object layout.
  static constexpr WORD wNullTag = 0;
  static constexpr WORD wNewClassTag = 0xFFFF;
  static constexpr WORD wClassTag = 0x8000;
  static constexpr WORD wBigObjectTag = 0x7FFF;
  static constexpr DWORD dwBigClassTag = 0x80000000;
  static constexpr DWORD nMaxMapCount = 0x3FFFFFFE;

 private:
  template <class T>
  CArchive& Put(T v) {
    BYTE bytes[sizeof(T)];
    ToLittleEndian(v, bytes);
    Write(bytes, sizeof(T));
    return *this;
  }
  template <class T>
  CArchive& Get(T& v) {
    BYTE bytes[sizeof(T)];
    ReadExactly(bytes, sizeof(T));
    FromLittleEndian(bytes, v);
    return *this;
  }
  template <class T>
  static void ToLittleEndian(T v, BYTE* out) {
    uint64_t bits = 0;
    __builtin_memcpy(&bits, &v, sizeof(T));
    for (size_t i = 0; i < sizeof(T); ++i) out[i] = static_cast<BYTE>(bits >> (8 * i));
  }
  template <class T>
  static void FromLittleEndian(const BYTE* in, T& v) {
    uint64_t bits = 0;
    for (size_t i = 0; i < sizeof(T); ++i) bits |= static_cast<uint64_t>(in[i]) << (8 * i);
    __builtin_memcpy(&v, &bits, sizeof(T));
  }

  void ReadExactly(void* buffer, UINT count);
  void FillBuffer();
  // Throws endOfFile unless `bytes` more are there to read.
  void RequireBytes(ULONGLONG bytes);
  void RequireLoading() const;
  void RequireStoring() const;
  void CheckCount() const;
  [[noreturn]] void Throw(int cause) const;
  int ReadLineChar();

  struct Loaded {
    const CRuntimeClass* cls;  // a class entry
    CObject* object;           // or an object entry (null for index 0)
    UINT schema;
  };

  CFile* m_pFile;
  UINT m_nMode;
  std::vector<BYTE> m_buffer;
  size_t m_cur = 0;
  size_t m_end = 0;
  bool m_closed = false;
  DWORD m_nMapCount = 1;
  UINT m_nObjectSchema = static_cast<UINT>(-1);
  std::unordered_map<const void*, DWORD> m_storeMap;
  std::vector<Loaded> m_loadArray;
};
