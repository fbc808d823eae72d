// Names between the ANSI code page and UTF-8, errors, times and attributes.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/kernel/kernel_internal.h"
#include "platform/nls/nls.h"
#include "platform/nls/nls_text.h"

namespace kernel {
namespace {

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string Recode(UINT from, UINT to, std::string_view text) { return nls::FromUtf16(to, nls::ToUtf16(from, text)); }

// 100-nanosecond intervals between 1601-01-01 and 1970-01-01.
constexpr long long kEpochDifference = 116444736000000000LL;

}  // namespace

std::optional<std::string> OsPath(LPCSTR name) {
  if (!name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return std::nullopt;
  }
  const std::string_view text(name);
  if (IsAscii(text) || GetACP() == CP_UTF8) return std::string(text);
  return Recode(CP_ACP, CP_UTF8, text);
}

std::optional<std::string> OsPath(LPCWSTR name) {
  if (!name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return std::nullopt;
  }
  return nls::FromUtf16(CP_UTF8, std::u16string_view(name));
}

std::string AnsiName(std::string_view osName) {
  if (IsAscii(osName) || GetACP() == CP_UTF8) return std::string(osName);
  return Recode(CP_UTF8, CP_ACP, osName);
}

BOOL FailErrno() {
  SetLastError(ErrorFromErrno(errno));
  return FALSE;
}

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

FILETIME FileTimeFromUnix(long long seconds, long nanoseconds) {
  const unsigned long long ticks =
      static_cast<unsigned long long>(seconds * 10000000LL + nanoseconds / 100 + kEpochDifference);
  return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
}

void UnixFromFileTime(const FILETIME& time, long long* seconds, long* nanoseconds) {
  const long long ticks =
      static_cast<long long>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) -
      kEpochDifference;
  long long s = ticks / 10000000LL;
  long long rest = ticks % 10000000LL;
  if (rest < 0) {
    rest += 10000000LL;
    --s;
  }
  *seconds = s;
  *nanoseconds = static_cast<long>(rest * 100);
}

DWORD AttributesFromMode(unsigned mode) {
  if (S_ISDIR(mode)) return FILE_ATTRIBUTE_DIRECTORY;
  return (mode & S_IWUSR) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}

DWORD CopyOut(std::string_view text, LPSTR buffer, DWORD size) {
  if (!buffer || text.size() + 1 > size) return static_cast<DWORD>(text.size() + 1);
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  return static_cast<DWORD>(text.size());
}

}  // namespace kernel
