// Shared insides of the kernel area: the handle table and the conversion of
// names between the process ANSI code page and the operating system's UTF-8.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/kernel/handle_table.h"
#include "platform/kernel/kernel.h"

namespace kernel {

// Everything a HANDLE can stand for, kept in the platform's handle table
// under its kind.
struct KernelObject {
  explicit KernelObject(HandleKind k) : kind(k) {}
  virtual ~KernelObject() = default;
  const HandleKind kind;
};

HANDLE AddHandle(std::shared_ptr<KernelObject> object);
std::shared_ptr<KernelObject> LookupHandle(HANDLE handle);
// Removes the handle when it stands for an object of one of the kinds.
bool RemoveHandle(HANDLE handle, HandleKinds kinds);

template <class T>
std::shared_ptr<T> Lookup(HANDLE handle) {
  auto object = std::dynamic_pointer_cast<T>(LookupHandle(handle));
  if (!object) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

// A name in the ANSI code page as the operating system takes it (UTF-8);
// nothing (and ERROR_INVALID_PARAMETER) for a null name.
std::optional<std::string> OsPath(LPCSTR name);
std::optional<std::string> OsPath(LPCWSTR name);
// A name from the operating system in the ANSI code page.
std::string AnsiName(std::string_view osName);

// The file descriptor of a file handle, or -1.
int FileDescriptor(HANDLE handle);

// Sets the last error from errno and returns FALSE.
BOOL FailErrno();
BOOL Fail(DWORD error);

// FILETIME from seconds and nanoseconds since 1970, and back.
FILETIME FileTimeFromUnix(long long seconds, long nanoseconds);
void UnixFromFileTime(const FILETIME& time, long long* seconds, long* nanoseconds);

// Attributes of a file from its status.
DWORD AttributesFromMode(unsigned mode);

// Copies a name into a fixed buffer of size bytes with its terminator.
// Returns the length, or the size needed (with the terminator) when too small.
DWORD CopyOut(std::string_view text, LPSTR buffer, DWORD size);

}  // namespace kernel
