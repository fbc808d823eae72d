// Temporary folder and file names.
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/kernel/kernel_internal.h"

DWORD GetTempPathA(DWORD bufferLength, LPSTR buffer) {
  std::string path = "/tmp";
  if (const char* env = std::getenv("TMPDIR"); env && *env) {
    struct stat st {};
    if (::stat(env, &st) == 0 && S_ISDIR(st.st_mode)) path = env;
  }
  if (path.back() != '/') path += '/';
  return kernel::CopyOut(kernel::AnsiName(path), buffer, bufferLength);
}

UINT GetTempFileNameA(LPCSTR pathName, LPCSTR prefix, UINT unique, LPSTR tempFileName) {
  if (!pathName || !tempFileName) {
    kernel::Fail(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string base(pathName);
  if (base.empty()) base = ".";
  if (base.back() != '/') base += '/';
  if (prefix) base += std::string(prefix).substr(0, 3);
  auto nameFor = [&base](UINT number) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04X", number & 0xFFFF);
    return base + digits + ".TMP";
  };
  auto store = [tempFileName](const std::string& name) {
    if (name.size() >= MAX_PATH) return false;
    kernel::CopyOut(name, tempFileName, MAX_PATH);
    return true;
  };
  if (unique != 0) {
    if (!store(nameFor(unique))) {
      kernel::Fail(ERROR_FILENAME_EXCED_RANGE);
      return 0;
    }
    return unique & 0xFFFF;
  }
  const UINT start = (GetTickCount() ^ GetCurrentProcessId()) & 0xFFFF;
  for (UINT i = 0; i < 0x10000; ++i) {
    const UINT number = (start + i) & 0xFFFF;
    if (number == 0) continue;
    const std::string name = nameFor(number);
    if (name.size() >= MAX_PATH) {
      kernel::Fail(ERROR_FILENAME_EXCED_RANGE);
      return 0;
    }
    const HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      store(name);
      SetLastError(ERROR_SUCCESS);
      return number;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) {
      // A folder that is missing or not writable fails at once.
      if (GetLastError() == ERROR_PATH_NOT_FOUND || GetLastError() == ERROR_FILE_NOT_FOUND) {
        kernel::Fail(ERROR_DIRECTORY);
      }
      return 0;
    }
  }
  kernel::Fail(ERROR_FILE_EXISTS);
  return 0;
}
