#include "document/file/file_calls.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileCallFault g_fault = nullptr;
void* g_context = nullptr;

bool Faulted(FileCall call, const char* path) {
  if (g_fault && g_fault(call, path, g_context)) {
    errno = EIO;
    return true;
  }
  return false;
}

// The descriptor closes with the scope unless Close was called and checked.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  bool Close(const char* path) {
    const int fd = fd_;
    fd_ = -1;
    if (Faulted(FileCall::kClose, path)) {
      ::close(fd);
      return false;
    }
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

}  // namespace

void SetFileCallFault(FileCallFault fault, void* context) {
  g_fault = fault;
  g_context = context;
}

bool ReadWholeFileBytes(const char* path, std::vector<uint8_t>& out) {
  out.clear();
  if (!path || Faulted(FileCall::kRead, path)) return false;
  Descriptor fd(::open(path, O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return false;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  uint8_t block[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    out.insert(out.end(), block, block + n);
  }
  return true;
}

bool WriteWholeFile(const char* path, std::span<const uint8_t> bytes, bool sync, mode_t mode) {
  if (!path || Faulted(FileCall::kOpen, path)) return false;
  Descriptor fd(::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode));
  if (fd.get() < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    if (Faulted(FileCall::kWrite, path)) return false;
    const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  if (sync && (Faulted(FileCall::kSync, path) || ::fsync(fd.get()) != 0)) return false;
  return fd.Close(path);
}

bool RenameFile(const char* from, const char* to) {
  if (Faulted(FileCall::kRename, to)) return false;
  return ::rename(from, to) == 0;
}

bool RemoveFile(const char* path) {
  if (Faulted(FileCall::kRemove, path)) return false;
  return ::unlink(path) == 0 || errno == ENOENT;
}

bool LinkFile(const char* existing, const char* newName) {
  if (Faulted(FileCall::kLink, newName)) return false;
  return ::link(existing, newName) == 0;
}

bool SyncFolderOf(const char* path) {
  std::string folder(path);
  const size_t slash = folder.rfind('/');
  folder = slash == std::string::npos ? std::string(".") : (slash == 0 ? std::string("/") : folder.substr(0, slash));
  if (Faulted(FileCall::kSync, folder.c_str())) return false;
  Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0) return false;
  if (::fsync(fd.get()) != 0 && errno != EINVAL) return false;
  return fd.Close(folder.c_str());
}

bool ChangeMode(const char* path, mode_t mode) {
  if (Faulted(FileCall::kChmod, path)) return false;
  return ::chmod(path, mode) == 0;
}

std::string UniqueSiblingName(const std::string& path, const char* suffix) {
  for (unsigned n = static_cast<unsigned>(::getpid());; ++n) {
    std::string name = path + suffix + std::to_string(n);
    struct stat st {};
    if (::lstat(name.c_str(), &st) != 0 && errno == ENOENT) return name;
  }
}
