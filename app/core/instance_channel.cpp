#include "app/core/instance_channel.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/core/app_folders.h"

namespace {

constexpr uint32_t kMaxPayload = 64 * 1024;  // a path, with room to spare
constexpr int kServeTimeoutMs = 500;         // a client that stalls is dropped
constexpr int kMainRetryMs = 200;            // how often a waiting instance tries for "main"

constexpr char kOpen = 'O';
constexpr char kActivate = 'A';
constexpr char kQuit = 'Q';

bool FillAddress(const std::string& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

// Our own private folder: 0700, ours, a real folder (not a link).
bool UsablePrivateFolder(const std::string& path) {
  struct stat st{};
  return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
         (st.st_mode & 0777) == 0700;
}

// Waits for the descriptor to be readable (or writable); false on time-out.
bool WaitFor(int fd, short events, int timeoutMs) {
  pollfd p{fd, events, 0};
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    const int r = ::poll(&p, 1, static_cast<int>(std::max<long long>(0, left.count())));
    if (r > 0) return true;
    if (r == 0 || errno != EINTR) return false;
  }
}

bool ReadExactly(int fd, void* data, size_t size, int timeoutMs) {
  auto* bytes = static_cast<char*>(data);
  while (size > 0) {
    if (!WaitFor(fd, POLLIN, timeoutMs)) return false;
    const ssize_t n = ::read(fd, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool WriteAll(int fd, const void* data, size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::send(fd, bytes, size, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Binds under a temporary name and renames once listening, so a client never
// meets a socket that refuses it only because it is still being set up (and
// takes it for a stale one).
int ListenOn(const std::string& path) {
  const std::string pending = path + ".new" + std::to_string(::getpid());
  sockaddr_un address{};
  if (!FillAddress(pending, address)) return -1;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  ::unlink(pending.c_str());
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 8) != 0 ||
      ::rename(pending.c_str(), path.c_str()) != 0) {
    ::unlink(pending.c_str());
    ::close(fd);
    return -1;
  }
  return fd;
}

enum class Connect { Ok, Missing, Stale };

Connect ConnectTo(const std::string& path, int& fd) {
  sockaddr_un address{};
  fd = -1;
  if (!FillAddress(path, address)) return Connect::Missing;
  fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return Connect::Missing;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return Connect::Ok;
  const int error = errno;
  ::close(fd);
  fd = -1;
  return error == ECONNREFUSED ? Connect::Stale : Connect::Missing;
}

// One request and its answer; NoInstance when nobody listens there.
// A stale instance socket is removed when `removeStale`; a stale "main" is
// left for the next instance that takes the lock, which replaces it.
CInstanceChannel::Answer Ask(const std::string& path, char kind, std::string_view payload, int timeoutMs,
                             bool removeStale) {
  int fd = -1;
  const Connect c = ConnectTo(path, fd);
  if (c == Connect::Stale && removeStale) ::unlink(path.c_str());
  if (c != Connect::Ok) return CInstanceChannel::Answer::NoInstance;
  char header[5] = {kind};
  const auto length = static_cast<uint32_t>(payload.size());
  for (int i = 0; i < 4; ++i) header[1 + i] = static_cast<char>((length >> (8 * i)) & 0xFF);
  char answer = '0';
  const bool ok = WriteAll(fd, header, sizeof header) && WriteAll(fd, payload.data(), payload.size()) &&
                  ReadExactly(fd, &answer, 1, timeoutMs);
  ::close(fd);
  return ok && answer == '1' ? CInstanceChannel::Answer::Yes : CInstanceChannel::Answer::No;
}

std::string MainPath(const std::string& folder) { return folder + "main"; }

std::vector<std::string> InstanceSockets(const std::string& folder) {
  std::vector<std::string> sockets;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name.size() > 5 && name.compare(name.size() - 5, 5, ".sock") == 0) sockets.push_back(folder + name);
    }
    ::closedir(dir);
  }
  return sockets;
}

// Sockets of instances that died without closing are removed.
void RemoveStaleSockets(const std::string& folder) {
  for (const std::string& path : InstanceSockets(folder)) {
    int fd = -1;
    const Connect c = ConnectTo(path, fd);
    if (c == Connect::Ok) ::close(fd);
    if (c == Connect::Stale) ::unlink(path.c_str());
  }
}

}  // namespace

std::string CInstanceChannel::Folder() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/') {
    std::string folder = runtime;
    if (folder.back() != '/') folder += '/';
    folder += "tavrendel";
    if (::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) {
      if (UsablePrivateFolder(folder)) return folder + "/";
    }
    return {};
  }
  const std::string folder = "/tmp/tavrendel-" + std::to_string(::getuid());
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
  // Someone else's folder, or one others may write into, is not used.
  return UsablePrivateFolder(folder) ? folder + "/" : std::string();
}

bool CInstanceChannel::Start(Handlers handlers) {
  Stop();
  m_folder = Folder();
  if (m_folder.empty()) return false;
  m_handlers = std::move(handlers);
  RemoveStaleSockets(m_folder);
  // The process id names the socket; a count tells apart two channels of
  // one process.
  static std::atomic<int> serial{0};
  m_ownPath = m_folder + std::to_string(::getpid()) + "-" + std::to_string(serial++) + ".sock";
  m_ownSocket = ListenOn(m_ownPath);
  if (m_ownSocket < 0 || ::pipe2(m_wake, O_CLOEXEC) != 0) {
    Stop();
    return false;
  }
  TryBecomeMain();
  m_thread = std::thread([this] { Loop(); });
  return true;
}

void CInstanceChannel::Stop() {
  if (m_thread.joinable()) {
    const char byte = 0;
    while (::write(m_wake[1], &byte, 1) < 0 && errno == EINTR) {
    }
    m_thread.join();
  }
  if (m_mainSocket >= 0) {
    ::unlink(MainPath(m_folder).c_str());
    ::close(m_mainSocket);
    m_mainSocket = -1;
  }
  if (m_lockFd >= 0) {
    ::close(m_lockFd);  // lets the next instance take "main"
    m_lockFd = -1;
  }
  if (m_ownSocket >= 0) {
    ::close(m_ownSocket);
    ::unlink(m_ownPath.c_str());
    m_ownSocket = -1;
  }
  for (int& fd : m_wake) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
  m_main = false;
}

// "main" belongs to whoever holds the lock beside it; the holder's death
// frees the lock, and the socket it leaves is stale and replaced.
void CInstanceChannel::TryBecomeMain() {
  if (m_mainSocket >= 0) return;
  if (m_lockFd < 0) {
    const std::string lockPath = m_folder + "main.lock";
    m_lockFd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_lockFd < 0) return;
  }
  if (::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) return;
  m_mainSocket = ListenOn(MainPath(m_folder));
  if (m_mainSocket < 0) {
    ::flock(m_lockFd, LOCK_UN);
    return;
  }
  m_main = true;
}

void CInstanceChannel::Loop() {
  for (;;) {
    pollfd fds[3] = {{m_wake[0], POLLIN, 0}, {m_ownSocket, POLLIN, 0}, {m_mainSocket, POLLIN, 0}};
    const nfds_t count = m_mainSocket >= 0 ? 3 : 2;
    const int r = ::poll(fds, count, m_mainSocket >= 0 ? -1 : kMainRetryMs);
    if (r < 0 && errno != EINTR) return;
    if (fds[0].revents) return;
    if (r > 0 && fds[1].revents & POLLIN) Serve(m_ownSocket);
    if (r > 0 && count == 3 && fds[2].revents & POLLIN) Serve(m_mainSocket);
    if (m_mainSocket < 0) TryBecomeMain();
  }
}

void CInstanceChannel::Serve(int listener) {
  const int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
  if (fd < 0) return;
  char header[5];
  bool yes = false;
  if (ReadExactly(fd, header, sizeof header, kServeTimeoutMs)) {
    uint32_t length = 0;
    for (int i = 0; i < 4; ++i) length |= static_cast<uint32_t>(static_cast<unsigned char>(header[1 + i])) << (8 * i);
    std::string payload;
    if (length <= kMaxPayload) {
      payload.resize(length);
      if (ReadExactly(fd, payload.data(), length, kServeTimeoutMs)) {
        switch (header[0]) {
          case kOpen:
            yes = !payload.empty() && payload.find('\0') == std::string::npos && m_handlers.open &&
                  m_handlers.open(payload);
            break;
          case kActivate: yes = m_handlers.activate && m_handlers.activate(); break;
          case kQuit:
            if (m_handlers.quit) m_handlers.quit();
            yes = true;
            break;
          default: break;
        }
      }
    }
  }
  const char answer = yes ? '1' : '0';
  WriteAll(fd, &answer, 1);
  ::close(fd);
}

CInstanceChannel::Answer CInstanceChannel::SendOpen(std::string_view path, int timeoutMs) {
  const std::string folder = Folder();
  if (folder.empty() || path.empty()) return Answer::NoInstance;
  return Ask(MainPath(folder), kOpen, path, timeoutMs, false);
}

CInstanceChannel::Answer CInstanceChannel::SendActivate(int timeoutMs) {
  const std::string folder = Folder();
  if (folder.empty()) return Answer::NoInstance;
  return Ask(MainPath(folder), kActivate, {}, timeoutMs, false);
}

int CInstanceChannel::SendQuitToAll(int timeoutMs) {
  const std::string folder = Folder();
  if (folder.empty()) return 0;
  int told = 0;
  for (const std::string& path : InstanceSockets(folder))
    if (Ask(path, kQuit, {}, timeoutMs, true) == Answer::Yes) ++told;
  return told;
}
