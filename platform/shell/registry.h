// The registry, read only. Two keys under HKEY_LOCAL_MACHINE are served from
// the font engine: "SOFTWARE\Microsoft\Windows NT\CurrentVersion\Fonts" (and
// the same under "Windows") lists every installed scalable face as
// "<full name> (TrueType)" (or "(OpenType)" for other outline formats) with
// the font file's absolute path as data; "...\CurrentVersion\FontSubstitutes"
// lists the face names that metric-compatible families stand in for
// ("Arial" -> "Liberation Sans"), with their bold and italic faces where the
// family has them ("Arial Bold" -> "Liberation Sans Bold"). Any other key is
// not found; nothing can be written.
#pragma once

#include "platform/kernel/kernel_errors.h"
#include "platform/kernel/types.h"

using REGSAM = DWORD;
using PHKEY = HKEY*;
using LSTATUS = LONG;

inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000000u));
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001u));
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000002u));
inline const HKEY HKEY_USERS = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000003u));

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_CREATE_LINK = 0x0020;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;

inline constexpr DWORD ERROR_NO_MORE_ITEMS = 259;

// Opens subKey (backslash-separated, without case) below key. Read access
// only: asking to set values, create keys or links gives
// ERROR_ACCESS_DENIED. A missing key gives ERROR_FILE_NOT_FOUND. The key's
// values are taken when it is opened.
LSTATUS RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
LSTATUS RegCloseKey(HKEY key);

// The value's type and data (strings with their terminating zero). A null
// data buffer asks for the size; too small a buffer gives ERROR_MORE_DATA
// with the size needed in *dataSize. A null or empty name is the key's
// default value, which these keys do not have.
LSTATUS RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize);

// The value at index: its name (*nameSize in characters with room for the
// zero, out without it), type and data as RegQueryValueExA gives them.
// ERROR_NO_MORE_ITEMS past the last value; ERROR_MORE_DATA when the name or
// the data does not fit.
LSTATUS RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved, LPDWORD type,
                      LPBYTE data, LPDWORD dataSize);
