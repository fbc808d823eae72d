// The kernel area: files and paths ('/' is the separator), file attributes,
// finding files by pattern, temporary files, modules and their folders, time,
// global memory and file mappings. A functions take the process ANSI code page;
// names reach the operating system as UTF-8.
#pragma once

#include <cstdio>

#include "platform/kernel/events.h"
#include "platform/kernel/kernel_errors.h"
#include "platform/kernel/kernel_messages.h"
#include "platform/kernel/types.h"

// --- Handles ----------------------------------------------------------------

struct SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
struct OVERLAPPED;
using LPOVERLAPPED = OVERLAPPED*;

// Closes a file or a file mapping.
BOOL CloseHandle(HANDLE handle);

// --- Files ------------------------------------------------------------------

inline constexpr DWORD GENERIC_READ = 0x80000000;
inline constexpr DWORD GENERIC_WRITE = 0x40000000;
inline constexpr DWORD GENERIC_EXECUTE = 0x20000000;
inline constexpr DWORD GENERIC_ALL = 0x10000000;

inline constexpr DWORD FILE_SHARE_READ = 0x1;
inline constexpr DWORD FILE_SHARE_WRITE = 0x2;
inline constexpr DWORD FILE_SHARE_DELETE = 0x4;

inline constexpr DWORD CREATE_NEW = 1;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;
inline constexpr DWORD TRUNCATE_EXISTING = 5;

inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x2;
inline constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x4;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
inline constexpr DWORD FILE_ATTRIBUTE_TEMPORARY = 0x100;
inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

inline constexpr DWORD FILE_FLAG_DELETE_ON_CLOSE = 0x04000000;
inline constexpr DWORD FILE_FLAG_SEQUENTIAL_SCAN = 0x08000000;
inline constexpr DWORD FILE_FLAG_RANDOM_ACCESS = 0x10000000;
inline constexpr DWORD FILE_FLAG_WRITE_THROUGH = 0x80000000;

inline constexpr DWORD FILE_BEGIN = 0;
inline constexpr DWORD FILE_CURRENT = 1;
inline constexpr DWORD FILE_END = 2;
inline constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;
inline constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFF;

// Share modes are accepted and not enforced: the operating system has no
// mandatory share locks. FILE_FLAG_DELETE_ON_CLOSE removes the file when its
// handle is closed. A folder cannot be opened as a file.
HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                   DWORD disposition, DWORD flagsAndAttributes, HANDLE templateFile);
HANDLE CreateFileW(LPCWSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                   DWORD disposition, DWORD flagsAndAttributes, HANDLE templateFile);
// The C library's fopen for a name in the process ANSI code page, converted to
// the operating system's form as CreateFileA converts it. Null, with the last
// error set, for a null name or mode or when the file cannot be opened (a
// missing folder is ERROR_PATH_NOT_FOUND, a missing file ERROR_FILE_NOT_FOUND).
FILE* fopenA(LPCSTR fileName, const char* mode);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPOVERLAPPED overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten, LPOVERLAPPED overlapped);
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD moveMethod);
BOOL SetFilePointerEx(HANDLE file, LARGE_INTEGER distance, LARGE_INTEGER* newPosition, DWORD moveMethod);
DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh);
BOOL GetFileSizeEx(HANDLE file, LARGE_INTEGER* size);
BOOL SetEndOfFile(HANDLE file);
BOOL FlushFileBuffers(HANDLE file);
BOOL GetFileTime(HANDLE file, FILETIME* creation, FILETIME* lastAccess, FILETIME* lastWrite);
BOOL SetFileTime(HANDLE file, const FILETIME* creation, const FILETIME* lastAccess, const FILETIME* lastWrite);

// A read-only file cannot be deleted (ERROR_ACCESS_DENIED), as on the system.
BOOL DeleteFileA(LPCSTR fileName);
BOOL DeleteFileW(LPCWSTR fileName);
inline constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
inline constexpr DWORD MOVEFILE_COPY_ALLOWED = 0x2;
// Fails with ERROR_ALREADY_EXISTS when the target exists; moves across file
// systems by copying.
BOOL MoveFileA(LPCSTR existing, LPCSTR newName);
BOOL MoveFileExA(LPCSTR existing, LPCSTR newName, DWORD flags);
// Copies the bytes, the read-only attribute and the last write time.
BOOL CopyFileA(LPCSTR existing, LPCSTR newName, BOOL failIfExists);
BOOL CreateDirectoryA(LPCSTR pathName, LPSECURITY_ATTRIBUTES security);
BOOL CreateDirectoryW(LPCWSTR pathName, LPSECURITY_ATTRIBUTES security);
BOOL RemoveDirectoryA(LPCSTR pathName);
// An absolute path with "." and ".." resolved by text; returns the length, or
// the buffer size needed (with the terminator) when the buffer is too small.
DWORD GetFullPathNameA(LPCSTR fileName, DWORD bufferLength, LPSTR buffer, LPSTR* filePart);
DWORD GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer);
BOOL SetCurrentDirectoryA(LPCSTR pathName);

// --- Attributes ---------------------------------------------------------------

// FILE_ATTRIBUTE_READONLY is the absence of the owner's write permission; setting
// it takes every write permission away, clearing it gives the owner's back.
// Hidden and system are kept by no file system: accepted, and read back clear.
DWORD GetFileAttributesA(LPCSTR fileName);
DWORD GetFileAttributesW(LPCWSTR fileName);
BOOL SetFileAttributesA(LPCSTR fileName, DWORD attributes);
BOOL SetFileAttributesW(LPCWSTR fileName, DWORD attributes);

enum GET_FILEEX_INFO_LEVELS { GetFileExInfoStandard = 0 };
struct WIN32_FILE_ATTRIBUTE_DATA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
};
BOOL GetFileAttributesExA(LPCSTR fileName, GET_FILEEX_INFO_LEVELS level, LPVOID info);

// --- Finding files --------------------------------------------------------------

struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  CHAR cFileName[MAX_PATH];
  CHAR cAlternateFileName[14];
};
using LPWIN32_FIND_DATAA = WIN32_FIND_DATAA*;

// The pattern's last component may hold '*' (any run of characters) and '?'
// (one character); letters match without regard to ASCII case. "*.*" matches
// every name. "." and ".." are found like other names when they match.
HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data);
BOOL FindNextFileA(HANDLE find, LPWIN32_FIND_DATAA data);
BOOL FindClose(HANDLE find);
// The matcher FindFirstFileA uses on one name.
BOOL PathMatchesPattern(LPCSTR name, LPCSTR pattern);

// --- Temporary files ----------------------------------------------------------

// $TMPDIR, else /tmp, always ending in '/'.
DWORD GetTempPathA(DWORD bufferLength, LPSTR buffer);
// path + up to three characters of prefix + four hexadecimal digits + ".TMP".
// With unique 0 a number is chosen and the file created empty; otherwise the
// name is only built. Returns the number used; buffer has room for MAX_PATH.
UINT GetTempFileNameA(LPCSTR pathName, LPCSTR prefix, UINT unique, LPSTR tempFileName);

// --- Modules --------------------------------------------------------------------

// A module handle is the load address of an executable or shared library.
// The null handle stands for the executable.
DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);
// null: the executable; otherwise a loaded module whose file name (with or
// without its folder) is moduleName.
HMODULE GetModuleHandleA(LPCSTR moduleName);
inline constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_PIN = 0x1;
inline constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT = 0x2;
inline constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS = 0x4;
BOOL GetModuleHandleExA(DWORD flags, LPCSTR moduleNameOrAddress, HMODULE* module);
// The module that holds the address, or null.
HMODULE ModuleFromAddress(const void* address);

namespace {
// The module of the code that calls it (internal linkage: each executable or
// shared library gets its own copy, so the answer is always its own module).
[[maybe_unused]] HMODULE CurrentModuleHandle() {
  return ModuleFromAddress(reinterpret_cast<const void*>(&CurrentModuleHandle));
}
}  // namespace

// --- Time -----------------------------------------------------------------------

void GetSystemTime(SYSTEMTIME* time);
void GetLocalTime(SYSTEMTIME* time);
// Test hook: while set, GetLocalTime answers this moment (its day of the week
// computed from the date) instead of the clock; null goes back to the clock.
void SetLocalTimeForTesting(const SYSTEMTIME* moment);
void GetSystemTimeAsFileTime(FILETIME* time);
BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime);
BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, FILETIME* fileTime);
BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, FILETIME* localFileTime);
BOOL LocalFileTimeToFileTime(const FILETIME* localFileTime, FILETIME* fileTime);
LONG CompareFileTime(const FILETIME* a, const FILETIME* b);
// Milliseconds since an arbitrary start, wrapping after 49.7 days.
DWORD GetTickCount();
ULONGLONG GetTickCount64();
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
void Sleep(DWORD milliseconds);
DWORD GetCurrentProcessId();
DWORD GetCurrentThreadId();

// --- Global memory ------------------------------------------------------------

inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT GMEM_SHARE = 0x2000;
inline constexpr UINT GMEM_DDESHARE = 0x2000;
inline constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
inline constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

// A fixed block's handle is its address; a movable block's handle must be
// locked to reach its bytes.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
HGLOBAL GlobalReAlloc(HGLOBAL memory, SIZE_T bytes, UINT flags);
LPVOID GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
SIZE_T GlobalSize(HGLOBAL memory);
// Returns null on success, the handle on failure.
HGLOBAL GlobalFree(HGLOBAL memory);

// --- File mappings ------------------------------------------------------------

inline constexpr DWORD PAGE_READONLY = 0x02;
inline constexpr DWORD PAGE_READWRITE = 0x04;
inline constexpr DWORD FILE_MAP_COPY = 0x0001;
inline constexpr DWORD FILE_MAP_WRITE = 0x0002;
inline constexpr DWORD FILE_MAP_READ = 0x0004;
inline constexpr DWORD FILE_MAP_ALL_ACCESS = 0x000F001F;

// A mapping of an open file, or with INVALID_HANDLE_VALUE of shared memory;
// named shared memory is visible to every process of the user.
HANDLE CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES security, DWORD protect, DWORD sizeHigh,
                          DWORD sizeLow, LPCSTR name);
HANDLE OpenFileMappingA(DWORD access, BOOL inheritHandle, LPCSTR name);
LPVOID MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, SIZE_T bytes);
BOOL UnmapViewOfFile(LPCVOID view);

// --- Local memory (the same blocks as global memory) -------------------------

inline constexpr UINT LMEM_FIXED = 0x0000;
inline constexpr UINT LMEM_MOVEABLE = 0x0002;
inline constexpr UINT LMEM_ZEROINIT = 0x0040;
inline constexpr UINT LHND = LMEM_MOVEABLE | LMEM_ZEROINIT;
inline constexpr UINT LPTR = LMEM_FIXED | LMEM_ZEROINIT;
HLOCAL LocalAlloc(UINT flags, SIZE_T bytes);
LPVOID LocalLock(HLOCAL memory);
BOOL LocalUnlock(HLOCAL memory);
SIZE_T LocalSize(HLOCAL memory);
HLOCAL LocalFree(HLOCAL memory);

// --- Security descriptors -------------------------------------------------------

struct ACL;
using PACL = ACL*;
using PSECURITY_DESCRIPTOR = void*;
inline constexpr DWORD SECURITY_DESCRIPTOR_REVISION = 1;
inline constexpr WORD SE_DACL_PRESENT = 0x0004;
struct SECURITY_DESCRIPTOR {
  BYTE Revision;
  BYTE Sbz1;
  WORD Control;
  PVOID Owner;
  PVOID Group;
  PACL Sacl;
  PACL Dacl;
};
inline constexpr SIZE_T SECURITY_DESCRIPTOR_MIN_LENGTH = sizeof(SECURITY_DESCRIPTOR);
BOOL InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR descriptor, DWORD revision);
// A present but null access list opens the object to everyone: shared memory
// made with it can be opened by other users' processes as well.
BOOL SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR descriptor, BOOL daclPresent, PACL dacl, BOOL daclDefaulted);

// --- Profiles (INI files) ---------------------------------------------------------

// A file name without a folder lies in the per-user profile folder,
// $XDG_DATA_HOME/Tavrendel/ (default ~/.local/share/Tavrendel/); the
// functions without "Private" use "win.ini" there. Sections and keys match
// without regard to ASCII case; values are trimmed of blanks and one pair of
// surrounding quotes. A null section lists the section names, a null key the
// keys of the section (each terminated, the list ended by an extra zero).
// Returns the characters copied, cut to fit.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                               LPCSTR fileName);
// The decimal number at the start of the value (0 when there is none), or
// defaultValue when the key is missing.
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName);
// A null key removes the section, a null value the key.
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);
DWORD GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size);
UINT GetProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue);
BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value);
