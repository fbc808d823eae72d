// File handles over POSIX file descriptors.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform/kernel/kernel_internal.h"

namespace kernel {
namespace {

struct FileObject : KernelObject {
  FileObject() : KernelObject(HandleKind::File) {}
  int fd = -1;
  std::string deleteOnClose;  // the OS path to remove when the handle closes
  ~FileObject() override {
    if (fd >= 0) ::close(fd);
    if (!deleteOnClose.empty()) ::unlink(deleteOnClose.c_str());
  }
};

bool ParentFolderExists(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return true;
  struct stat st {};
  return ::stat(path.substr(0, slash).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int OpenFlags(DWORD access, DWORD disposition, bool* known) {
  *known = true;
  int flags = O_CLOEXEC;
  const bool read = access & (GENERIC_READ | GENERIC_ALL);
  const bool write = access & (GENERIC_WRITE | GENERIC_ALL);
  flags |= read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY;
  switch (disposition) {
    case CREATE_NEW: return flags | O_CREAT | O_EXCL;
    case CREATE_ALWAYS: return flags | O_CREAT | O_TRUNC;
    case OPEN_EXISTING: return flags;
    case OPEN_ALWAYS: return flags | O_CREAT;
    case TRUNCATE_EXISTING: return flags | O_TRUNC;
    default: *known = false; return flags;
  }
}

HANDLE CreateFileOs(const std::optional<std::string>& path, DWORD access, DWORD disposition, DWORD flagsAndAttributes) {
  if (!path) return INVALID_HANDLE_VALUE;
  bool known = false;
  const int flags = OpenFlags(access, disposition, &known);
  if (!known || (disposition == TRUNCATE_EXISTING && !(access & (GENERIC_WRITE | GENERIC_ALL)))) {
    Fail(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  struct stat st {};
  const bool existed = ::stat(path->c_str(), &st) == 0;
  if (existed && S_ISDIR(st.st_mode)) {
    Fail(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  // A read-only file is not opened for writing, whoever asks (as on the system).
  if (existed && !(st.st_mode & S_IWUSR) && (access & (GENERIC_WRITE | GENERIC_ALL))) {
    Fail(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  const mode_t mode = (flagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
  const int fd = ::open(path->c_str(), flags, mode);
  if (fd < 0) {
    if (errno == EEXIST) {
      Fail(ERROR_FILE_EXISTS);
    } else if (errno == ENOENT && !ParentFolderExists(*path)) {
      Fail(ERROR_PATH_NOT_FOUND);  // the folder is missing, not only the file
    } else {
      FailErrno();
    }
    return INVALID_HANDLE_VALUE;
  }
  auto file = std::make_shared<FileObject>();
  file->fd = fd;
  if (flagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE) file->deleteOnClose = *path;
  // Creating over an existing file succeeds and says so.
  SetLastError(existed && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS) ? ERROR_ALREADY_EXISTS
                                                                                          : ERROR_SUCCESS);
  return AddHandle(std::move(file));
}

std::shared_ptr<FileObject> LookupFile(HANDLE handle) { return Lookup<FileObject>(handle); }

}  // namespace

// File descriptor of a file handle for the other kernel sources (file mappings).
int FileDescriptor(HANDLE handle) {
  auto file = LookupFile(handle);
  return file ? file->fd : -1;
}

}  // namespace kernel

using kernel::Fail;
using kernel::FailErrno;

HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition,
                   DWORD flagsAndAttributes, HANDLE) {
  return kernel::CreateFileOs(kernel::OsPath(fileName), access, disposition, flagsAndAttributes);
}

HANDLE CreateFileW(LPCWSTR fileName, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition,
                   DWORD flagsAndAttributes, HANDLE) {
  return kernel::CreateFileOs(kernel::OsPath(fileName), access, disposition, flagsAndAttributes);
}

FILE* fopenA(LPCSTR fileName, const char* mode) {
  if (!mode) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const std::optional<std::string> path = kernel::OsPath(fileName);
  if (!path) return nullptr;
  FILE* file = std::fopen(path->c_str(), mode);
  if (!file) {
    if (errno == ENOENT && !kernel::ParentFolderExists(*path)) {
      kernel::Fail(ERROR_PATH_NOT_FOUND);
    } else {
      kernel::FailErrno();
    }
  }
  return file;
}

BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPOVERLAPPED) {
  if (bytesRead) *bytesRead = 0;
  auto file = kernel::LookupFile(handle);
  if (!file) return FALSE;
  if (!buffer && bytesToRead > 0) return Fail(ERROR_INVALID_PARAMETER);
  DWORD done = 0;
  while (done < bytesToRead) {
    const ssize_t n = ::read(file->fd, static_cast<char*>(buffer) + done, bytesToRead - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (bytesRead) *bytesRead = done;
      return errno == EISDIR || errno == EBADF ? Fail(ERROR_ACCESS_DENIED) : FailErrno();
    }
    if (n == 0) break;  // end of file: success with fewer bytes
    done += static_cast<DWORD>(n);
  }
  if (bytesRead) *bytesRead = done;
  return TRUE;
}

BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten, LPOVERLAPPED) {
  if (bytesWritten) *bytesWritten = 0;
  auto file = kernel::LookupFile(handle);
  if (!file) return FALSE;
  if (!buffer && bytesToWrite > 0) return Fail(ERROR_INVALID_PARAMETER);
  DWORD done = 0;
  while (done < bytesToWrite) {
    const ssize_t n = ::write(file->fd, static_cast<const char*>(buffer) + done, bytesToWrite - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (bytesWritten) *bytesWritten = done;
      return errno == EBADF ? Fail(ERROR_ACCESS_DENIED) : FailErrno();
    }
    done += static_cast<DWORD>(n);
  }
  if (bytesWritten) *bytesWritten = done;
  return TRUE;
}

BOOL SetFilePointerEx(HANDLE handle, LARGE_INTEGER distance, LARGE_INTEGER* newPosition, DWORD moveMethod) {
  auto file = kernel::LookupFile(handle);
  if (!file) return FALSE;
  int whence = SEEK_SET;
  switch (moveMethod) {
    case FILE_BEGIN: whence = SEEK_SET; break;
    case FILE_CURRENT: whence = SEEK_CUR; break;
    case FILE_END: whence = SEEK_END; break;
    default: return Fail(ERROR_INVALID_PARAMETER);
  }
  const off_t current = ::lseek(file->fd, 0, SEEK_CUR);
  const off_t size = ::lseek(file->fd, 0, SEEK_END);
  ::lseek(file->fd, current, SEEK_SET);
  const off_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? current : size;
  if (base + distance.QuadPart < 0) return Fail(ERROR_NEGATIVE_SEEK);
  const off_t pos = ::lseek(file->fd, static_cast<off_t>(distance.QuadPart), whence);
  if (pos < 0) return FailErrno();
  if (newPosition) newPosition->QuadPart = pos;
  return TRUE;
}

DWORD SetFilePointer(HANDLE handle, LONG distance, LONG* distanceHigh, DWORD moveMethod) {
  LARGE_INTEGER move;
  move.QuadPart = distanceHigh ? (static_cast<LONGLONG>(*distanceHigh) << 32) | static_cast<DWORD>(distance)
                               : static_cast<LONGLONG>(distance);
  LARGE_INTEGER pos;
  if (!SetFilePointerEx(handle, move, &pos, moveMethod)) return INVALID_SET_FILE_POINTER;
  if (distanceHigh) *distanceHigh = static_cast<LONG>(pos.QuadPart >> 32);
  SetLastError(ERROR_SUCCESS);  // lets a caller tell a low part of 0xFFFFFFFF from a failure
  return static_cast<DWORD>(pos.QuadPart & 0xFFFFFFFF);
}

BOOL GetFileSizeEx(HANDLE handle, LARGE_INTEGER* size) {
  auto file = kernel::LookupFile(handle);
  if (!file) return FALSE;
  struct stat st {};
  if (::fstat(file->fd, &st) != 0) return FailErrno();
  if (size) size->QuadPart = st.st_size;
  return TRUE;
}

DWORD GetFileSize(HANDLE handle, LPDWORD sizeHigh) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(handle, &size)) return INVALID_FILE_SIZE;
  if (sizeHigh) *sizeHigh = static_cast<DWORD>(size.QuadPart >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(size.QuadPart & 0xFFFFFFFF);
}

BOOL SetEndOfFile(HANDLE handle) {
  auto file = kernel::LookupFile(handle);
  if (!file) return FALSE;
  const off_t pos = ::lseek(file->fd, 0, SEEK_CUR);
  if (pos < 0 || ::ftruncate(file->fd, pos) != 0) return FailErrno();
  return TRUE;
}

BOOL FlushFileBuffers(HANDLE handle) {
  auto file = kernel::LookupFile(handle);
  if (!file) return FALSE;
  if (::fsync(file->fd) != 0 && errno != EINVAL) return FailErrno();
  return TRUE;
}

BOOL GetFileTime(HANDLE handle, FILETIME* creation, FILETIME* lastAccess, FILETIME* lastWrite) {
  auto file = kernel::LookupFile(handle);
  if (!file) return FALSE;
  struct stat st {};
  if (::fstat(file->fd, &st) != 0) return FailErrno();
  // No creation time is kept: the last status change stands in for it.
  if (creation) *creation = kernel::FileTimeFromUnix(st.st_ctim.tv_sec, st.st_ctim.tv_nsec);
  if (lastAccess) *lastAccess = kernel::FileTimeFromUnix(st.st_atim.tv_sec, st.st_atim.tv_nsec);
  if (lastWrite) *lastWrite = kernel::FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
  return TRUE;
}

BOOL SetFileTime(HANDLE handle, const FILETIME*, const FILETIME* lastAccess, const FILETIME* lastWrite) {
  auto file = kernel::LookupFile(handle);
  if (!file) return FALSE;
  timespec times[2] = {{0, UTIME_OMIT}, {0, UTIME_OMIT}};
  auto fill = [](const FILETIME* ft, timespec& ts) {
    if (!ft) return;
    long long s;
    long ns;
    kernel::UnixFromFileTime(*ft, &s, &ns);
    ts.tv_sec = static_cast<time_t>(s);
    ts.tv_nsec = ns;
  };
  fill(lastAccess, times[0]);
  fill(lastWrite, times[1]);
  if (::futimens(file->fd, times) != 0) return FailErrno();
  return TRUE;
}
