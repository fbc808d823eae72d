// libFuzzer target: the single-instance protocol between running designers.
// One channel listens, as the first designer does, in a private runtime
// folder of the target's own; each input is what a later start sends on
// its socket (kind byte, 32-bit length, payload: anything). The answer is
// always one byte, '0' or '1', and the channel keeps serving.
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/core/instance_channel.h"

namespace {

CInstanceChannel& Channel() {
  static CInstanceChannel* channel = [] {
    const std::string runtime = "/tmp/tav-instance-fuzzer-" + std::to_string(::getpid());
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    auto* made = new CInstanceChannel;
    CInstanceChannel::Handlers handlers;
    handlers.open = [](const std::string& path) { return !path.empty() && path.size() % 2 == 0; };
    handlers.activate = [] { return true; };
    handlers.quit = [] {};
    if (!made->Start(handlers)) std::abort();
    return made;
  }();
  return *channel;
}

int Connect(const std::string& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) std::abort();
  return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int fd = Connect(Channel().SocketPath());
  size_t sent = 0;
  while (sent < size) {
    const ssize_t n = ::send(fd, data + sent, size - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // the channel may answer and close before all is sent
    sent += static_cast<size_t>(n);
  }
  ::shutdown(fd, SHUT_WR);
  // libFuzzer's time-out alarm interrupts a blocked read now and then.
  char answer = 0;
  ssize_t got = 0;
  do {
    got = ::read(fd, &answer, 1);
  } while (got < 0 && errno == EINTR);
  ::close(fd);
  if (got != 1 || (answer != '0' && answer != '1')) std::abort();
  return 0;
}
