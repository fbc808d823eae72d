#include "tests/platform/x11/x11_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

// clang-format off
#include <X11/Xlib.h>
#include <X11/Xatom.h>
// clang-format on

extern char** environ;

namespace x11test {

bool WaitOnRoot(const std::string& display, std::chrono::milliseconds limit,
                const std::function<RootWait(Display*)>& check) {
  Display* x = XOpenDisplay(display.c_str());
  if (!x) return false;
  XSelectInput(x, DefaultRootWindow(x), PropertyChangeMask);
  const auto deadline = std::chrono::steady_clock::now() + limit;
  RootWait state = RootWait::Waiting;
  while ((state = check(x)) == RootWait::Waiting && std::chrono::steady_clock::now() < deadline) {
    pollfd p{ConnectionNumber(x), POLLIN, 0};
    poll(&p, 1, 100);
    while (XPending(x)) {
      XEvent e;
      XNextEvent(x, &e);
    }
  }
  XCloseDisplay(x);
  return state == RootWait::Ready;
}

namespace {

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> p;
  for (auto& s : strings) p.push_back(s.data());
  p.push_back(nullptr);
  return p;
}

pid_t SpawnWith(std::vector<std::string> argv, std::vector<std::string> env, int in, int out, int keep = -1) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (in >= 0) posix_spawn_file_actions_adddup2(&actions, in, 0);
  if (out >= 0) posix_spawn_file_actions_adddup2(&actions, out, 1);
  if (keep >= 0 && keep != 3) posix_spawn_file_actions_adddup2(&actions, keep, 3);
  auto args = Pointers(argv);
  auto vars = Pointers(env);
  pid_t pid = -1;
  if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), vars.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// Reads a line (the display number) from the server, waiting at most 10 s.
std::string ReadLine(int fd) {
  std::string line;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (line.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return {};
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
    char buf[32];
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n <= 0) return {};
    line.append(buf, static_cast<size_t>(n));
  }
  return line.substr(0, line.find('\n'));
}

void StopProcess(pid_t& pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  pid = -1;
}

// Waits until a window manager says on the root window that it runs.
bool WaitForWindowManager(const std::string& name) {
  return WaitOnRoot(name, std::chrono::seconds(10), [](Display* x) {
    const Atom check = XInternAtom(x, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    const bool ready = XGetWindowProperty(x, DefaultRootWindow(x), check, 0, 1, False, XA_WINDOW, &type, &format,
                                          &count, &after, &data) == Success &&
                       count == 1;
    if (data) XFree(data);
    return ready ? RootWait::Ready : RootWait::Waiting;
  });
}

}  // namespace

Server::Server(Options options) : options_(options) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return;
  const std::string screen = std::to_string(options.width) + "x" + std::to_string(options.height) + "x24";
  // -displayfd: the server takes a free display number and writes it to fd 3.
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) env.emplace_back(*e);
  pid_ = SpawnWith({"Xvfb", "-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp", "-noreset"}, env, -1, -1,
                   fds[1]);
  close(fds[1]);
  const std::string number = pid_ > 0 ? ReadLine(fds[0]) : std::string();
  close(fds[0]);
  if (number.empty()) {
    StopProcess(pid_);
    return;
  }
  name_ = ":" + number;
  if (options.windowManager) {
    wm_ = SpawnWith({"openbox", "--sm-disable"}, Environment(), -1, -1);
    if (wm_ <= 0 || !WaitForWindowManager(name_)) Stop();
  }
}

Server::~Server() { Stop(); }

void Server::Stop() {
  StopProcess(wm_);
  StopProcess(pid_);
  name_.clear();
}

std::vector<std::string> Server::Environment() const {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e)
    if (std::strncmp(*e, "DISPLAY=", 8) != 0) env.emplace_back(*e);
  env.push_back("DISPLAY=" + name_);
  return env;
}

pid_t Server::Start(const std::vector<std::string>& argv, int* outFd) const {
  int fds[2] = {-1, -1};
  if (outFd && pipe2(fds, O_CLOEXEC) != 0) return -1;
  const pid_t pid = SpawnWith(argv, Environment(), -1, fds[1]);
  if (outFd) {
    close(fds[1]);
    *outFd = fds[0];
  }
  return pid;
}

int Server::Run(const std::vector<std::string>& argv, std::string* out, std::string_view in) const {
  signal(SIGPIPE, SIG_IGN);  // a tool that stops reading its input fails, not the test program
  int inPipe[2] = {-1, -1}, outPipe[2] = {-1, -1};
  if (pipe2(inPipe, O_CLOEXEC) != 0) return -1;
  // Output nobody reads goes nowhere: a tool that leaves a daemon behind
  // (xclip serving what it copied) must not keep a pipe of ours open.
  const int sink = out ? -1 : open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (out && pipe2(outPipe, O_CLOEXEC) != 0) return -1;
  const pid_t pid = SpawnWith(argv, Environment(), inPipe[0], out ? outPipe[1] : sink);
  close(inPipe[0]);
  if (out) close(outPipe[1]);
  if (sink >= 0) close(sink);
  // Input and output at once: neither side may fill its pipe and wait.
  size_t written = 0;
  if (in.empty()) {
    close(inPipe[1]);
    inPipe[1] = -1;
  }
  std::string got;
  while (inPipe[1] >= 0 || outPipe[0] >= 0) {
    pollfd p[2];
    int count = 0;
    if (outPipe[0] >= 0) p[count++] = {outPipe[0], POLLIN, 0};
    if (inPipe[1] >= 0) p[count++] = {inPipe[1], POLLOUT, 0};
    if (poll(p, count, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < count; ++i) {
      if (p[i].fd == inPipe[1] && (p[i].revents & (POLLOUT | POLLERR | POLLHUP))) {
        const ssize_t n = write(inPipe[1], in.data() + written, std::min<size_t>(in.size() - written, 65536));
        if (n > 0) written += static_cast<size_t>(n);
        if (n <= 0 || written == in.size()) {
          close(inPipe[1]);
          inPipe[1] = -1;
        }
      } else if (p[i].fd == outPipe[0] && (p[i].revents & (POLLIN | POLLHUP | POLLERR))) {
        char buf[65536];
        const ssize_t n = read(outPipe[0], buf, sizeof buf);
        if (n > 0) {
          got.append(buf, static_cast<size_t>(n));
        } else {
          close(outPipe[0]);
          outPipe[0] = -1;
        }
      }
    }
  }
  int status = 0;
  if (pid > 0)
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  if (out) *out = std::move(got);
  return pid > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<uint32_t> Server::Screenshot() const {
  std::string rgb;
  Run({"import", "-window", "root", "-depth", "8", "rgb:-"}, &rgb);
  std::vector<uint32_t> pixels;
  if (rgb.size() != static_cast<size_t>(options_.width) * options_.height * 3) return pixels;
  pixels.resize(static_cast<size_t>(options_.width) * options_.height);
  for (size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = (static_cast<uint32_t>(static_cast<unsigned char>(rgb[i * 3])) << 16) |
                (static_cast<uint32_t>(static_cast<unsigned char>(rgb[i * 3 + 1])) << 8) |
                static_cast<unsigned char>(rgb[i * 3 + 2]);
  return pixels;
}

bool Server::SavePicture(int x, int y, int width, int height, const std::string& path) const {
  const std::string crop = std::to_string(width) + "x" + std::to_string(height) + "+" + std::to_string(x) + "+" +
                           std::to_string(y);
  return Run({"import", "-window", "root", "-crop", crop, "+repage", path}) == 0;
}

}  // namespace x11test
