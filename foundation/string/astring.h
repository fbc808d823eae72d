// AString: the reference-counted, copy-on-write string of both deliverables.
//
// An AString object is exactly one pointer: the address of its first
// character. The characters live in a block that starts with a 16-byte header
// (AStringHeader) just before them. Strings cross the boundary between the
// designer and the barcode library by value, so this layout is binding for both
// builds. Each build (foundation/build.h) has its own block pool, its own
// string lock and its own shared empty block.
//
// Index units: on a wide (UTF-16) string positions and counts are UTF-16 units;
// on a narrow string whose code page is double-byte (932, 936, 949, 950) the
// character-aware operations count a lead/trail pair as one character;
// otherwise positions are byte offsets.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "foundation/build.h"
#include "platform/kernel/types.h"

FOUNDATION_BEGIN

template <class T>
class AArray;

// The header in front of every string's text (little-endian, 16 bytes).
struct AStringHeader {
  LONG refs;          // 0: number of AString objects sharing the block
  int32_t length;     // 4: text length in bytes, without the terminator
  int32_t capacity;   // 8: nominal block size - 1; the two low bits are always set
  uint8_t wide;       // 12: 1 when the bytes are UTF-16LE units
  uint8_t flags;      // 13: carried with the text, never interpreted here
  int16_t codePage;   // 14: code page of the bytes, -1 for none
};
static_assert(sizeof(AStringHeader) == 16);

class AString {
 public:
  // ---- Construction -------------------------------------------------------
  AString();                                     // the shared empty string
  AString(const char* text, int minCapacity = 0);  // copy of a C string
  AString(int bytes, const char* data);          // copy of bytes; never the shared empty block
  AString(char c, int count);                    // c repeated count times
  explicit AString(int capacity);                // own empty block with room for n bytes
  AString(const AString& other);                 // shares the block
  AString(AString&& other) noexcept;             // takes the block; other becomes empty
  ~AString();

  // ---- Access (header read/write without copy-before-write) -------------
  AStringHeader* GetHeader() const { return reinterpret_cast<AStringHeader*>(data_) - 1; }
  char* GetData() const { return data_; }
  int GetLength() const { return GetHeader()->length; }
  bool IsEmpty() const { return data_ == nullptr || GetHeader()->length == 0; }
  bool IsWide() const { return GetHeader()->wide != 0; }
  int GetCodePage() const { return GetHeader()->codePage; }
  int GetFlagByte() const { return GetHeader()->flags; }
  // The pointers and setters below write the header; on the shared empty block
  // or a block that other strings share they first give this string its own.
  uint8_t* WideFlagPtr();
  uint8_t* FlagBytePtr();
  int16_t* CodePagePtr();
  void SetWide(bool wide);
  void SetCodePage(int codePage);
  void SetFlagByte(int flags);

  // ---- Assignment -------------------------------------------------------
  AString& operator=(const AString& other);
  AString& operator=(AString&& other) noexcept;
  AString& operator=(const char* text);
  // From a framework string: the length is taken from the view, not scanned.
  AString& operator=(std::string_view text);
  AString& operator=(char c);

  // ---- Concatenation and comparison ---------------------------------------
  AString& operator+=(const AString& other);
  AString& operator+=(const char* text);
  AString& operator+=(char c);
  int Compare(const char* text) const;
  int CompareNoCase(const char* text) const;

  // ---- Buffer access ----------------------------------------------------
  void Reserve(int bytes);
  char* GetBuffer(int bytes);
  void ReleaseBuffer(int length = -1);
  void CopyBeforeWrite(int capacity = 0);
  void Empty();
  void Clear();
  void Preallocate(int spare);

  // ---- Block pool and lock ----------------------------------------------
  static constexpr int kPoolLimit = 384;   // nominal sizes below this are pooled
  static constexpr int kFreeLists = 96;    // list i holds blocks of exactly 4 * i bytes
  static constexpr int kBlockSlack = 8;    // bytes allocated beyond the nominal size
  static void Lock();
  static void Unlock();
  static AStringHeader* AllocBlock(int nominalSize);
  static void FreeBlock(AStringHeader* block);
  static void FreeCachedBlocks();
  // Number of blocks waiting on free list `list` (diagnostics and tests).
  static int CachedBlockCount(int list);
  // This build's shared empty block.
  static const AStringHeader* SharedEmptyHeader();

  // The worker behind construction, assignment and reallocation.
  void AllocCopy(const char* src, int length, int minCapacity, int capacity, bool keepAttributes);
  // Appends raw bytes keeping this string's width, flag byte and code page.
  void Append(const char* bytes, int count);
  // Appends each byte as one UTF-16 unit (byte low, 0 high).
  void AppendAsWide(const char* bytes, int count);

  // ---- Formatting and loading (operations) ------------------------------
  // printf-style, plus "%!" for a pointer to an AString (so no printf format
  // checking: the compiler would reject that conversion).
  void Format(const char* format, ...);
  void FormatV(const char* format, va_list args);
  // Handles one conversion at *format (just past its '%'); advances *format.
  // Returns 0 when formatting stops.
  int FormatOne(const char** format, va_list* args);
  void AppendInt(int value);
  void AppendFloat(double value, int decimals);
  int LoadString(UINT id);

  // ---- Search -------------------------------------------------------------
  int Find(char c, int start = 0) const;
  int Find(const AString& pattern, int start = 0) const;
  int Find(const char* pattern, int start = 0) const;
  int FindNoCase(const char* pattern, int start = 0) const;
  int FindAtCharStart(const char* pattern, int start = 0) const;
  int FindNoCaseAtCharStart(const char* pattern, int start = 0) const;
  int FindOneOf(const char* set) const;
  int FindOneOfFrom(const char* set, int start) const;
  int FindNotOneOfFrom(const char* set, int start) const;
  int ReverseFindOneOf(const char* set, int start) const;
  int ReverseFind(char c, int pos = -1) const;
  int ReverseFind(const char* pattern) const;
  int ReverseFind(const char* pattern, int end) const;
  int ReverseFindNoCase(const char* pattern, int end) const;
  int FindWide(const AString& pattern, int start, bool ignoreCase) const;
  int ReverseFindWide(const AString& pattern, int end, bool ignoreCase) const;
  int CountOf(const AString& pattern) const;

  // ---- Characters and lengths -------------------------------------------
  int GetCharCount() const;
  int CountChars() const;
  char GetAt(int index) const;
  char operator[](int index) const { return GetAt(index); }
  int GetUnitAt(int index) const;
  WORD GetCharAt(int index) const;
  void SetAt(int index, char c);
  int SetUnitAt(int index, WORD unit);
  char GetLastChar() const;
  static WORD GetSpaceChar() { return 0x20; }
  int GetLineBreakLength(int pos) const;
  int GetIndentWidth(int tabWidth) const;
  SIZE GetTextExtent(HDC hdc) const;

  // ---- Editing ------------------------------------------------------------
  int Insert(int pos, char c);
  int InsertChar(int index, char c);
  int Insert(int index, const char* text, int count = 0);
  int Delete(int first, int count = 1);
  int DeleteAt(int first, int count);
  void DeleteFront(int count);
  void DeleteBack(int count);
  void Truncate(int length);
  int Remove(char c);
  int Replace(char from, char to);
  int Replace(const char* find, const char* repl, int findLen = 0, int replLen = 0);
  int Replace(const AString& find, const AString& repl);
  int KeepDigits();
  int AppendRepeated(char c, int count);
  int AppendMasked(const AString& src, int group, char separator, bool invert);
  int PadToWidth(int width, bool atEnd, bool trim);
  void TrimLeft(const char* set = nullptr);
  void TrimRight(const char* set = nullptr);
  // Trims the set's characters from the right end, then from the left end
  // (no set, or an empty one: "\r\n \t").
  void TrimBoth(const char* set = nullptr);
  AString SpanIncluding(const char* set);
  AString SpanExcluding(const char* set);
  void MakeUpper();
  void MakeLower();
  void ToUpper();
  void ToLower();
  void MakeReverse();
  void AnsiToOem();

  // ---- Substrings -------------------------------------------------------
  AString Mid(int first, int count) const;
  AString Mid(int first) const;
  AString Left(int count) const;
  AString Right(int count) const;
  AString SafeMid(int first, int count) const;
  AString SafeLeft(int count) const;
  AString SafeRight(int count) const;
  AString ExtractFileName(bool withoutExtension) const;
  int CompareLeftNoCase(const char* text, int count) const;
  int SplitLines(AArray<AString>* lines) const;
  int Split(const AString& pattern, AArray<AString>* runs) const;
  int Split(const AString& a, const AString& b, AArray<AString>* runs) const;
  static int SplitQuotedPair(const AString& text, AString* left, AString* right);

  // ---- Conversions and file form ----------------------------------------
  int ConvertToWide(int codePage = -1);
  int ConvertToMultiByte(int codePage = -1);
  int DetectCodePage(bool force);
  // Stores or loads the file form; load returns 1, -1 for a stored "no
  // string" record, 0 for a short or malformed record (string left empty).
  int Serialize(bool load, FILE* file);

  // Whether this narrow string counts a double-byte pair as one character.
  bool WalksByCharacters() const;

 private:
  void Release();
  void TakeEmpty();
  void MakeOwnEmpty(int capacity);
  // Gives the string a block it owns alone (the shared empty block counts as
  // shared), so that its header may be written.
  void Unshare();

  char* data_;
};

static_assert(sizeof(AString) == sizeof(void*), "AString is passed by value across the library boundary");

AString operator+(const AString& a, const AString& b);
AString operator+(const AString& a, const char* b);
AString operator+(const char* a, const AString& b);
AString operator+(const AString& a, char b);
AString operator+(char a, const AString& b);
bool operator==(const AString& a, const AString& b);
bool operator==(const AString& a, const char* b);
bool AStringNotEquals(const AString& a, const AString& b);

FOUNDATION_END
