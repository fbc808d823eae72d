#include "image/io/plfilesource.h"

#include <string>

#include "platform/kernel/kernel.h"

namespace {

bool ParentFolderExists(const char* path) {
  std::string folder = path ? path : "";
  size_t slash = folder.find_last_of("/\\");
  if (slash == std::string::npos) return true;  // the current folder
  folder.resize(slash == 0 ? 1 : slash);
  DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

PLFileSource::PLFileSource(ProgressNotifier* notifier) : PLDataSource(notifier), m_hFile(INVALID_HANDLE_VALUE) {}

PLFileSource::~PLFileSource() {
  if (IsOpen() || m_hFile != INVALID_HANDLE_VALUE) Close();
}

int PLFileSource::Open(const char* path) {
  if (IsOpen()) Close();
  m_hFile = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, nullptr);
  if (m_hFile == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    // A missing file in a missing folder is a missing path.
    if (error == ERROR_FILE_NOT_FOUND && !ParentFolderExists(path)) error = ERROR_PATH_NOT_FOUND;
    switch (error) {
      case ERROR_PATH_NOT_FOUND: return PL_OPEN_PATH_NOT_FOUND;
      case ERROR_ACCESS_DENIED:
      case ERROR_SHARING_VIOLATION: return PL_OPEN_ACCESS_DENIED;
      default: return PL_OPEN_FAILED;
    }
  }
  DWORD high = 0;
  DWORD size = ::GetFileSize(m_hFile, &high);
  // The counters are 32-bit signed: larger files are not taken.
  if ((size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high != 0 || size > 0x7FFFFFFF) {
    CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    return PL_OPEN_FAILED;
  }
  m_hMapping = CreateFileMappingA(m_hFile, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (!m_hMapping) {
    CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    return PL_OPEN_ACCESS_DENIED;
  }
  m_pStartData = static_cast<const PLBYTE*>(MapViewOfFile(m_hMapping, FILE_MAP_READ, 0, 0, 0));
  if (!m_pStartData) {
    CloseHandle(m_hMapping);
    m_hMapping = nullptr;
    CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    return PL_OPEN_ACCESS_DENIED;
  }
  InitSource(path, int(size));
  m_pReadPos = m_pStartData;
  return PL_OPEN_OK;
}

void PLFileSource::Close() {
  if (m_pStartData) UnmapViewOfFile(m_pStartData);
  m_pStartData = nullptr;
  PLDataSource::Close();
  if (m_hMapping) CloseHandle(m_hMapping);
  m_hMapping = nullptr;
  if (m_hFile != INVALID_HANDLE_VALUE) CloseHandle(m_hFile);
  m_hFile = INVALID_HANDLE_VALUE;
}
