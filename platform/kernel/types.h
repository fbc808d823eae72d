// Basic types and structures with the widths and layouts the system's code
// expects: LONG and DWORD are 32-bit, WCHAR is UTF-16.
#pragma once

#include <cstddef>
#include <cstdint>

using BOOL = int32_t;
using BYTE = uint8_t;
using BOOLEAN = uint8_t;
using CHAR = char;
using UCHAR = unsigned char;
using SHORT = int16_t;
using USHORT = uint16_t;
using WORD = uint16_t;
using INT = int32_t;
using UINT = uint32_t;
using LONG = int32_t;
using ULONG = uint32_t;
using DWORD = uint32_t;
using LONGLONG = int64_t;
using ULONGLONG = uint64_t;
using DWORDLONG = uint64_t;
using INT_PTR = intptr_t;
using UINT_PTR = uintptr_t;
using LONG_PTR = intptr_t;
using ULONG_PTR = uintptr_t;
using DWORD_PTR = uintptr_t;
using SIZE_T = size_t;
using WCHAR = char16_t;
using FLOAT = float;
using COLORREF = DWORD;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using ATOM = WORD;
using LCID = DWORD;
using LANGID = WORD;

using LPSTR = char*;
using LPCSTR = const char*;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPVOID = void*;
using LPCVOID = const void*;
using PVOID = void*;
using LPBYTE = BYTE*;
using LPDWORD = DWORD*;
using LPLONG = LONG*;
using LPBOOL = BOOL*;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;
inline constexpr DWORD MAX_PATH = 260;

// Handles are distinct opaque pointer types so that one cannot be passed for another.
#define TAV_DECLARE_HANDLE(name) \
  struct name##__;               \
  using name = name##__*
using HANDLE = void*;
TAV_DECLARE_HANDLE(HINSTANCE);
using HMODULE = HINSTANCE;
TAV_DECLARE_HANDLE(HWND);
TAV_DECLARE_HANDLE(HDC);
using HGDIOBJ = void*;
TAV_DECLARE_HANDLE(HBITMAP);
TAV_DECLARE_HANDLE(HBRUSH);
TAV_DECLARE_HANDLE(HPEN);
TAV_DECLARE_HANDLE(HFONT);
TAV_DECLARE_HANDLE(HRGN);
TAV_DECLARE_HANDLE(HPALETTE);
TAV_DECLARE_HANDLE(HMENU);
TAV_DECLARE_HANDLE(HICON);
TAV_DECLARE_HANDLE(HCURSOR);
TAV_DECLARE_HANDLE(HRSRC);
TAV_DECLARE_HANDLE(HMETAFILE);
TAV_DECLARE_HANDLE(HENHMETAFILE);
TAV_DECLARE_HANDLE(HKEY);
using HGLOBAL = HANDLE;
using HLOCAL = HANDLE;
#undef TAV_DECLARE_HANDLE

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }

constexpr WORD LOWORD(DWORD_PTR v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(DWORD_PTR v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr BYTE LOBYTE(DWORD_PTR v) { return static_cast<BYTE>(v & 0xFF); }
constexpr BYTE HIBYTE(DWORD_PTR v) { return static_cast<BYTE>((v >> 8) & 0xFF); }
constexpr DWORD MAKELONG(WORD lo, WORD hi) { return static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16); }
constexpr WORD MAKEWORD(BYTE lo, BYTE hi) { return static_cast<WORD>(lo | (hi << 8)); }
constexpr LANGID MAKELANGID(WORD primary, WORD sub) { return static_cast<LANGID>((sub << 10) | primary); }
constexpr LCID MAKELCID(LANGID lang, WORD sort) { return static_cast<LCID>(lang) | (static_cast<LCID>(sort) << 16); }

struct POINT {
  LONG x;
  LONG y;
};
using LPPOINT = POINT*;

struct SIZE {
  LONG cx;
  LONG cy;
};
using LPSIZE = SIZE*;

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;

struct POINTS {
  SHORT x;
  SHORT y;
};

struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};

struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};

union LARGE_INTEGER {
  struct {
    DWORD LowPart;
    LONG HighPart;
  } u;
  LONGLONG QuadPart;
};
