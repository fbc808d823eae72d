// File mappings: views of open files, and shared memory (named or not).
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/kernel/kernel_internal.h"

namespace kernel {
namespace {

struct MappingObject : KernelObject {
  MappingObject() : KernelObject(HandleKind::FileMapping) {}
  int fd = -1;
  unsigned long long size = 0;
  bool writable = false;
  std::string sharedName;  // the shared memory object this handle created, removed when it closes
  ~MappingObject() override {
    if (fd >= 0) ::close(fd);
    if (!sharedName.empty()) ::shm_unlink(sharedName.c_str());
  }
};

struct ViewTable {
  std::mutex mutex;
  std::unordered_map<const void*, size_t> lengths;
};

ViewTable& Views() {
  static ViewTable* table = new ViewTable;
  return *table;
}

// A descriptor with a present but null access list opens the object to everyone.
bool OpenToEveryone(const SECURITY_ATTRIBUTES* security) {
  const auto* sd = security ? static_cast<const SECURITY_DESCRIPTOR*>(security->lpSecurityDescriptor) : nullptr;
  return sd && (sd->Control & SE_DACL_PRESENT) && !sd->Dacl;
}

// Named objects live per user, except those made open to everyone; "Local\"
// and "Global\" prefixes name the same object.
std::string SharedMemoryName(LPCSTR name, bool everyone) {
  std::string text(name);
  for (const char* prefix : {"Local\\", "Global\\"}) {
    if (text.rfind(prefix, 0) == 0) text.erase(0, std::strlen(prefix));
  }
  for (char& c : text) {
    if (c == '/' || c == '\\') c = '_';
  }
  const std::string scope = everyone ? "all" : std::to_string(::getuid());
  return "/tav-" + scope + "-" + *OsPath(text.c_str());
}

// Opens an existing named object, the user's own first.
int OpenShared(LPCSTR name, int flags) {
  int fd = ::shm_open(SharedMemoryName(name, false).c_str(), flags, 0);
  if (fd < 0 && errno == ENOENT) fd = ::shm_open(SharedMemoryName(name, true).c_str(), flags, 0);
  return fd;
}

}  // namespace
}  // namespace kernel

using kernel::Fail;

HANDLE CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES security, DWORD protect, DWORD sizeHigh, DWORD sizeLow,
                          LPCSTR name) {
  const unsigned long long size = (static_cast<unsigned long long>(sizeHigh) << 32) | sizeLow;
  const bool writable = (protect & 0xFF) == PAGE_READWRITE;
  if ((protect & 0xFF) != PAGE_READWRITE && (protect & 0xFF) != PAGE_READONLY) {
    Fail(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto mapping = std::make_shared<kernel::MappingObject>();
  mapping->writable = writable;
  if (file == INVALID_HANDLE_VALUE) {
    if (size == 0) {
      Fail(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    bool existed = false;
    if (name && *name) {
      int fd = kernel::OpenShared(name, O_RDWR);
      existed = fd >= 0;
      if (!existed) {
        const bool everyone = kernel::OpenToEveryone(security);
        const std::string shmName = kernel::SharedMemoryName(name, everyone);
        fd = ::shm_open(shmName.c_str(), O_RDWR | O_CREAT | O_EXCL, everyone ? 0666 : 0600);
        if (fd >= 0) {
          mapping->sharedName = shmName;
          if (everyone) ::fchmod(fd, 0666);  // past the umask
        } else if (errno == EEXIST) {
          fd = ::shm_open(shmName.c_str(), O_RDWR, 0);  // made by another process just now
          existed = fd >= 0;
        }
      }
      mapping->fd = fd;
    } else {
      mapping->fd = ::memfd_create("tav-mapping", MFD_CLOEXEC);
    }
    if (mapping->fd < 0) {
      kernel::FailErrno();
      return nullptr;
    }
    struct stat st {};
    if (existed) {
      ::fstat(mapping->fd, &st);
      mapping->size = static_cast<unsigned long long>(st.st_size);
    } else {
      if (::ftruncate(mapping->fd, static_cast<off_t>(size)) != 0) {
        kernel::FailErrno();
        return nullptr;
      }
      mapping->size = size;
    }
    HANDLE handle = kernel::AddHandle(std::move(mapping));
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
  }
  const int fileFd = kernel::FileDescriptor(file);
  if (fileFd < 0) return nullptr;
  struct stat st {};
  if (::fstat(fileFd, &st) != 0) {
    kernel::FailErrno();
    return nullptr;
  }
  unsigned long long wanted = size ? size : static_cast<unsigned long long>(st.st_size);
  if (wanted == 0) {
    Fail(1006);  // ERROR_FILE_INVALID: an empty file cannot be mapped
    return nullptr;
  }
  if (wanted > static_cast<unsigned long long>(st.st_size)) {
    // A writable mapping larger than the file extends it, as on the system.
    if (!writable || ::ftruncate(fileFd, static_cast<off_t>(wanted)) != 0) {
      Fail(writable ? ErrorFromErrno(errno) : ERROR_ACCESS_DENIED);
      return nullptr;
    }
  }
  mapping->fd = ::fcntl(fileFd, F_DUPFD_CLOEXEC, 0);
  if (mapping->fd < 0) {
    kernel::FailErrno();
    return nullptr;
  }
  mapping->size = wanted;
  SetLastError(ERROR_SUCCESS);
  return kernel::AddHandle(std::move(mapping));
}

HANDLE OpenFileMappingA(DWORD access, BOOL, LPCSTR name) {
  if (!name || !*name) {
    Fail(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const bool writable = access & (FILE_MAP_WRITE | 0x000F0000);
  const int fd = kernel::OpenShared(name, writable ? O_RDWR : O_RDONLY);
  if (fd < 0) {
    Fail(errno == ENOENT ? ERROR_FILE_NOT_FOUND : ErrorFromErrno(errno));
    return nullptr;
  }
  auto mapping = std::make_shared<kernel::MappingObject>();
  mapping->fd = fd;
  mapping->writable = writable;
  struct stat st {};
  ::fstat(fd, &st);
  mapping->size = static_cast<unsigned long long>(st.st_size);
  return kernel::AddHandle(std::move(mapping));
}

LPVOID MapViewOfFile(HANDLE handle, DWORD access, DWORD offsetHigh, DWORD offsetLow, SIZE_T bytes) {
  auto mapping = kernel::Lookup<kernel::MappingObject>(handle);
  if (!mapping) return nullptr;
  const unsigned long long offset = (static_cast<unsigned long long>(offsetHigh) << 32) | offsetLow;
  // FILE_MAP_COPY alone asks for a private copy; its bit is also part of FILE_MAP_ALL_ACCESS.
  const bool copy = access == FILE_MAP_COPY;
  const bool write = !copy && (access & FILE_MAP_WRITE);
  if ((write && !copy && !mapping->writable) || offset > mapping->size ||
      offset % static_cast<unsigned long long>(::sysconf(_SC_PAGESIZE)) != 0) {
    Fail(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  const size_t length = bytes ? bytes : static_cast<size_t>(mapping->size - offset);
  if (length == 0 || offset + length > mapping->size) {
    Fail(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const int prot = PROT_READ | (write || copy ? PROT_WRITE : 0);
  void* view = ::mmap(nullptr, length, prot, copy ? MAP_PRIVATE : MAP_SHARED, mapping->fd, static_cast<off_t>(offset));
  if (view == MAP_FAILED) {
    kernel::FailErrno();
    return nullptr;
  }
  kernel::ViewTable& views = kernel::Views();
  std::lock_guard lock(views.mutex);
  views.lengths[view] = length;
  return view;
}

BOOL UnmapViewOfFile(LPCVOID view) {
  size_t length = 0;
  {
    kernel::ViewTable& views = kernel::Views();
    std::lock_guard lock(views.mutex);
    auto it = views.lengths.find(view);
    if (it == views.lengths.end()) return Fail(ERROR_INVALID_ADDRESS);
    length = it->second;
    views.lengths.erase(it);
  }
  ::munmap(const_cast<void*>(view), length);
  return TRUE;
}
