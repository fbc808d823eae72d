// National-language support: code pages and conversions between multibyte text
// and UTF-16 (through iconv), lead-byte tests, case mapping, the process's ANSI
// code page.
#pragma once

#include "platform/kernel/kernel_errors.h"
#include "platform/kernel/types.h"

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_OEMCP = 1;
inline constexpr UINT CP_MACCP = 2;
inline constexpr UINT CP_THREAD_ACP = 3;
inline constexpr UINT CP_SYMBOL = 42;
inline constexpr UINT CP_UTF16LE = 1200;
inline constexpr UINT CP_UTF7 = 65000;
inline constexpr UINT CP_UTF8 = 65001;

inline constexpr DWORD MB_PRECOMPOSED = 0x00000001;
inline constexpr DWORD MB_COMPOSITE = 0x00000002;
inline constexpr DWORD MB_USEGLYPHCHARS = 0x00000004;
inline constexpr DWORD MB_ERR_INVALID_CHARS = 0x00000008;

inline constexpr DWORD WC_COMPOSITECHECK = 0x00000200;
inline constexpr DWORD WC_DISCARDNS = 0x00000010;
inline constexpr DWORD WC_SEPCHARS = 0x00000020;
inline constexpr DWORD WC_DEFAULTCHAR = 0x00000040;
inline constexpr DWORD WC_ERR_INVALID_CHARS = 0x00000080;
inline constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x00000400;

inline constexpr UINT MAX_LEADBYTES = 12;
inline constexpr UINT MAX_DEFAULTCHAR = 2;

struct CPINFO {
  UINT MaxCharSize;
  BYTE DefaultChar[MAX_DEFAULTCHAR];
  BYTE LeadByte[MAX_LEADBYTES];
};
using LPCPINFO = CPINFO*;

// Converts count bytes (-1: up to and including the terminating zero) of code
// page codePage to UTF-16. With wideCount 0 returns the units needed. A byte
// sequence the code page does not assign becomes the code page's default
// character ('?' as UTF-16), or fails with ERROR_NO_UNICODE_TRANSLATION under
// MB_ERR_INVALID_CHARS. A lead byte of a double-byte code page followed by any
// non-zero byte is one character. Returns 0 on failure (GetLastError tells).
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int count, LPWSTR wide, int wideCount);

// Converts count units (-1: up to and including the terminating zero) of UTF-16
// to code page codePage. With byteCount 0 returns the bytes needed. A character
// the code page lacks becomes defaultChar (a single byte or lead+trail; '?' when
// null) and sets *usedDefaultChar.
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int count, LPSTR text, int byteCount,
                        LPCSTR defaultChar, LPBOOL usedDefaultChar);

// The process's ANSI code page (1252 unless set) and its OEM code page.
UINT GetACP();
UINT GetOEMCP();
// Test and start-up hook: sets the process ANSI code page; 0 restores 1252.
// Returns FALSE for a code page this layer cannot convert.
BOOL SetProcessAnsiCodePage(UINT codePage);
// Whether this layer can convert the code page (CP_ACP etc. are resolved first).
BOOL IsValidCodePage(UINT codePage);

BOOL IsDBCSLeadByte(BYTE testChar);
BOOL IsDBCSLeadByteEx(UINT codePage, BYTE testChar);
BOOL GetCPInfo(UINT codePage, LPCPINFO info);

// The next and previous character of multibyte text in a code page.
LPSTR CharNextExA(WORD codePage, LPCSTR current, DWORD flags);
LPSTR CharPrevExA(WORD codePage, LPCSTR start, LPCSTR current, DWORD flags);
LPSTR CharNextA(LPCSTR current);
LPSTR CharPrevA(LPCSTR start, LPCSTR current);
LPWSTR CharNextW(LPCWSTR current);
LPWSTR CharPrevW(LPCWSTR start, LPCWSTR current);

// Case mapping in the ANSI code page: ASCII letters everywhere, the Latin-1
// letters in 1252; trail bytes of double-byte characters are never mapped.
// CharUpperA/CharLowerA take a string, or a single character when the high word
// of the pointer is zero (then the mapped character comes back the same way).
LPSTR CharUpperA(LPSTR text);
LPSTR CharLowerA(LPSTR text);
DWORD CharUpperBuffA(LPSTR text, DWORD length);
DWORD CharLowerBuffA(LPSTR text, DWORD length);
LPWSTR CharUpperW(LPWSTR text);
LPWSTR CharLowerW(LPWSTR text);
DWORD CharUpperBuffW(LPWSTR text, DWORD length);
DWORD CharLowerBuffW(LPWSTR text, DWORD length);
// The same mapping in an explicit code page.
DWORD CharUpperBuffExA(UINT codePage, LPSTR text, DWORD length);
DWORD CharLowerBuffExA(UINT codePage, LPSTR text, DWORD length);

BOOL IsCharAlphaA(CHAR ch);
BOOL IsCharAlphaNumericA(CHAR ch);
BOOL IsCharUpperA(CHAR ch);
BOOL IsCharLowerA(CHAR ch);
BOOL IsCharAlphaW(WCHAR ch);
BOOL IsCharUpperW(WCHAR ch);
BOOL IsCharLowerW(WCHAR ch);

// ANSI <-> OEM code page.
BOOL CharToOemA(LPCSTR source, LPSTR dest);
BOOL CharToOemBuffA(LPCSTR source, LPSTR dest, DWORD length);
BOOL OemToCharA(LPCSTR source, LPSTR dest);
BOOL OemToCharBuffA(LPCSTR source, LPSTR dest, DWORD length);

int lstrlenA(LPCSTR text);
int lstrlenW(LPCWSTR text);
LPSTR lstrcpyA(LPSTR dest, LPCSTR source);
LPWSTR lstrcpyW(LPWSTR dest, LPCWSTR source);
LPSTR lstrcpynA(LPSTR dest, LPCSTR source, int max);
LPWSTR lstrcpynW(LPWSTR dest, LPCWSTR source, int max);
LPSTR lstrcatA(LPSTR dest, LPCSTR source);
LPWSTR lstrcatW(LPWSTR dest, LPCWSTR source);
int lstrcmpA(LPCSTR a, LPCSTR b);
int lstrcmpiA(LPCSTR a, LPCSTR b);
int lstrcmpW(LPCWSTR a, LPCWSTR b);
int lstrcmpiW(LPCWSTR a, LPCWSTR b);

// The system's default language ids (English, United States).
LANGID GetSystemDefaultLangID();
LANGID GetUserDefaultLangID();
LCID GetThreadLocale();

// --- Dates and times as text, in the process's locale (English, United States:
// short date "M/d/yyyy", long date "dddd, MMMM d, yyyy", time "h:mm:ss tt").
inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
inline constexpr DWORD DATE_SHORTDATE = 0x00000001;
inline constexpr DWORD DATE_LONGDATE = 0x00000002;
inline constexpr DWORD TIME_NOMINUTESORSECONDS = 0x00000001;
inline constexpr DWORD TIME_NOSECONDS = 0x00000002;
inline constexpr DWORD TIME_NOTIMEMARKER = 0x00000004;
inline constexpr DWORD TIME_FORCE24HOURFORMAT = 0x00000008;

// Writes the date (null: today, from GetLocalTime) through a picture of d, dd,
// ddd, dddd, M, MM, MMM, MMMM, y, yy, yyyy, quoted literals ('' is a quote) and
// other characters as they stand; with no picture, the locale's short or long
// date. Returns the characters written with the terminating zero (the size
// needed when size is 0); 0 on failure (an invalid date, a short buffer, flags
// together with a picture).
int GetDateFormatA(LCID locale, DWORD flags, const SYSTEMTIME* date, LPCSTR format, LPSTR text, int size);
// The same for a time: h, hh (12-hour), H, HH, m, mm, s, ss, t, tt (A/P, AM/PM).
int GetTimeFormatA(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCSTR format, LPSTR text, int size);
