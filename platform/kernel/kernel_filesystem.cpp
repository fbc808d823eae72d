// Deleting, moving and copying files; folders; attributes; full paths.
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/kernel/kernel_internal.h"

using kernel::Fail;
using kernel::FailErrno;

namespace kernel {
namespace {

mode_t CurrentUmask() {
  // umask can only be read by setting it; do so once, at first use.
  static const mode_t mask = [] {
    const mode_t m = ::umask(022);
    ::umask(m);
    return m;
  }();
  return mask;
}

BOOL DeleteOs(const std::optional<std::string>& path) {
  if (!path) return FALSE;
  struct stat st {};
  if (::lstat(path->c_str(), &st) != 0) return FailErrno();
  if (S_ISDIR(st.st_mode)) return Fail(ERROR_ACCESS_DENIED);
  if (S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR)) return Fail(ERROR_ACCESS_DENIED);  // read-only
  if (::unlink(path->c_str()) != 0) return FailErrno();
  return TRUE;
}

// Copies the bytes, the permissions and the times of a regular file.
BOOL CopyOs(const std::string& from, const std::string& to, bool failIfExists) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return FailErrno();
  struct stat st {};
  if (::fstat(in, &st) != 0 || S_ISDIR(st.st_mode)) {
    const int err = S_ISDIR(st.st_mode) ? EACCES : errno;
    ::close(in);
    errno = err;
    return FailErrno();
  }
  struct stat target {};
  if (::stat(to.c_str(), &target) == 0) {
    if (failIfExists) {
      ::close(in);
      return Fail(ERROR_FILE_EXISTS);
    }
    if (S_ISDIR(target.st_mode) || !(target.st_mode & S_IWUSR)) {
      ::close(in);
      return Fail(ERROR_ACCESS_DENIED);
    }
  }
  const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (failIfExists ? O_EXCL : 0), 0600);
  if (out < 0) {
    const int err = errno;
    ::close(in);
    errno = err;
    return err == EEXIST ? Fail(ERROR_FILE_EXISTS) : FailErrno();
  }
  std::vector<char> buffer(1 << 16);
  bool ok = true;
  for (;;) {
    const ssize_t n = ::read(in, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    for (ssize_t done = 0; done < n;) {
      const ssize_t w = ::write(out, buffer.data() + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) {
        ok = false;
        break;
      }
      done += w;
    }
    if (!ok) break;
  }
  const int err = errno;
  if (ok) {
    const timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(out, times);
    ::fchmod(out, st.st_mode & 07777);
  }
  ::close(in);
  if (::close(out) != 0) ok = false;
  if (!ok) {
    ::unlink(to.c_str());
    errno = err;
    return FailErrno();
  }
  return TRUE;
}

// A path made absolute against the current folder, with "." and ".." and
// repeated separators resolved by text.
std::string FullPath(const std::string& path) {
  std::string absolute = path;
  if (absolute.empty() || absolute[0] != '/') {
    std::vector<char> cwd(4096);
    while (!::getcwd(cwd.data(), cwd.size())) {
      if (errno != ERANGE) return {};
      cwd.resize(cwd.size() * 2);
    }
    absolute = std::string(cwd.data()) + "/" + absolute;
  }
  const bool trailing = absolute.size() > 1 && absolute.back() == '/';
  std::vector<std::string_view> parts;
  std::string_view rest(absolute);
  while (!rest.empty()) {
    const size_t cut = rest.find('/');
    const std::string_view part = rest.substr(0, cut);
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string out;
  for (std::string_view part : parts) {
    out += '/';
    out += part;
  }
  if (out.empty() || trailing) out += '/';
  return out;
}

}  // namespace
}  // namespace kernel

BOOL DeleteFileA(LPCSTR fileName) { return kernel::DeleteOs(kernel::OsPath(fileName)); }
BOOL DeleteFileW(LPCWSTR fileName) { return kernel::DeleteOs(kernel::OsPath(fileName)); }

BOOL MoveFileExA(LPCSTR existing, LPCSTR newName, DWORD flags) {
  const auto from = kernel::OsPath(existing);
  const auto to = kernel::OsPath(newName);
  if (!from || !to) return FALSE;
  struct stat st {};
  if (::lstat(from->c_str(), &st) != 0) return FailErrno();
  const bool replace = flags & MOVEFILE_REPLACE_EXISTING;
  struct stat target {};
  if (::lstat(to->c_str(), &target) == 0 && *from != *to) {
    if (!replace) return Fail(ERROR_ALREADY_EXISTS);
    if (S_ISDIR(target.st_mode) || !(target.st_mode & S_IWUSR)) return Fail(ERROR_ACCESS_DENIED);
  }
  const int r = replace ? ::rename(from->c_str(), to->c_str())
                        : ::renameat2(AT_FDCWD, from->c_str(), AT_FDCWD, to->c_str(), RENAME_NOREPLACE);
  if (r == 0) return TRUE;
  if (errno == EEXIST) return Fail(ERROR_ALREADY_EXISTS);
  if (errno != EXDEV) return FailErrno();
  // Another file system: a file moves by copying, a folder does not move.
  if (S_ISDIR(st.st_mode)) return Fail(ERROR_NOT_SAME_DEVICE);
  if (!kernel::CopyOs(*from, *to, !replace)) return FALSE;
  if (::unlink(from->c_str()) != 0) return FailErrno();
  return TRUE;
}

BOOL MoveFileA(LPCSTR existing, LPCSTR newName) { return MoveFileExA(existing, newName, MOVEFILE_COPY_ALLOWED); }

BOOL CopyFileA(LPCSTR existing, LPCSTR newName, BOOL failIfExists) {
  const auto from = kernel::OsPath(existing);
  const auto to = kernel::OsPath(newName);
  if (!from || !to) return FALSE;
  return kernel::CopyOs(*from, *to, failIfExists != FALSE);
}

namespace {
BOOL CreateDirectoryOs(const std::optional<std::string>& path) {
  if (!path) return FALSE;
  if (::mkdir(path->c_str(), 0777) != 0) {
    return errno == ENOENT ? Fail(ERROR_PATH_NOT_FOUND) : FailErrno();
  }
  return TRUE;
}
}  // namespace

BOOL CreateDirectoryA(LPCSTR pathName, LPSECURITY_ATTRIBUTES) { return CreateDirectoryOs(kernel::OsPath(pathName)); }
BOOL CreateDirectoryW(LPCWSTR pathName, LPSECURITY_ATTRIBUTES) { return CreateDirectoryOs(kernel::OsPath(pathName)); }

BOOL RemoveDirectoryA(LPCSTR pathName) {
  const auto path = kernel::OsPath(pathName);
  if (!path) return FALSE;
  if (::rmdir(path->c_str()) != 0) return errno == ENOTDIR ? Fail(ERROR_DIRECTORY) : FailErrno();
  return TRUE;
}

namespace {

DWORD GetAttributesOs(const std::optional<std::string>& path) {
  if (!path) return INVALID_FILE_ATTRIBUTES;
  struct stat st {};
  if (::stat(path->c_str(), &st) != 0) {
    FailErrno();
    return INVALID_FILE_ATTRIBUTES;
  }
  return kernel::AttributesFromMode(st.st_mode);
}

BOOL SetAttributesOs(const std::optional<std::string>& path, DWORD attributes) {
  if (!path) return FALSE;
  struct stat st {};
  if (::stat(path->c_str(), &st) != 0) return FailErrno();
  if (S_ISDIR(st.st_mode)) return TRUE;  // a folder keeps its permissions
  mode_t mode = st.st_mode & 07777;
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
  } else if (!(mode & S_IWUSR)) {
    mode |= S_IWUSR | (static_cast<mode_t>(S_IWGRP | S_IWOTH) & ~kernel::CurrentUmask());
  }
  if (mode != (st.st_mode & 07777) && ::chmod(path->c_str(), mode) != 0) return FailErrno();
  return TRUE;
}

}  // namespace

DWORD GetFileAttributesA(LPCSTR fileName) { return GetAttributesOs(kernel::OsPath(fileName)); }
DWORD GetFileAttributesW(LPCWSTR fileName) { return GetAttributesOs(kernel::OsPath(fileName)); }
BOOL SetFileAttributesA(LPCSTR fileName, DWORD attributes) {
  return SetAttributesOs(kernel::OsPath(fileName), attributes);
}
BOOL SetFileAttributesW(LPCWSTR fileName, DWORD attributes) {
  return SetAttributesOs(kernel::OsPath(fileName), attributes);
}

BOOL GetFileAttributesExA(LPCSTR fileName, GET_FILEEX_INFO_LEVELS level, LPVOID info) {
  const auto path = kernel::OsPath(fileName);
  if (!path) return FALSE;
  if (level != GetFileExInfoStandard || !info) return Fail(ERROR_INVALID_PARAMETER);
  struct stat st {};
  if (::stat(path->c_str(), &st) != 0) return FailErrno();
  auto* data = static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(info);
  data->dwFileAttributes = kernel::AttributesFromMode(st.st_mode);
  data->ftCreationTime = kernel::FileTimeFromUnix(st.st_ctim.tv_sec, st.st_ctim.tv_nsec);
  data->ftLastAccessTime = kernel::FileTimeFromUnix(st.st_atim.tv_sec, st.st_atim.tv_nsec);
  data->ftLastWriteTime = kernel::FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
  const unsigned long long size = S_ISDIR(st.st_mode) ? 0 : static_cast<unsigned long long>(st.st_size);
  data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
  data->nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFF);
  return TRUE;
}

DWORD GetFullPathNameA(LPCSTR fileName, DWORD bufferLength, LPSTR buffer, LPSTR* filePart) {
  const auto path = kernel::OsPath(fileName);
  if (!path) return 0;
  if (path->empty()) {
    Fail(ERROR_INVALID_NAME);
    return 0;
  }
  const std::string full = kernel::AnsiName(kernel::FullPath(*path));
  if (full.empty()) {
    FailErrno();
    return 0;
  }
  const DWORD n = kernel::CopyOut(full, buffer, bufferLength);
  if (n < bufferLength && buffer && filePart) {
    const size_t slash = full.rfind('/');
    *filePart = slash + 1 < full.size() ? buffer + slash + 1 : nullptr;
  }
  return n;
}

DWORD GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer) {
  std::vector<char> cwd(4096);
  while (!::getcwd(cwd.data(), cwd.size())) {
    if (errno != ERANGE) {
      FailErrno();
      return 0;
    }
    cwd.resize(cwd.size() * 2);
  }
  return kernel::CopyOut(kernel::AnsiName(cwd.data()), buffer, bufferLength);
}

BOOL SetCurrentDirectoryA(LPCSTR pathName) {
  const auto path = kernel::OsPath(pathName);
  if (!path) return FALSE;
  if (::chdir(path->c_str()) != 0) return errno == ENOENT ? Fail(ERROR_PATH_NOT_FOUND) : FailErrno();
  return TRUE;
}
