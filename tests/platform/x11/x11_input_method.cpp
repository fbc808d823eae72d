#include "tests/platform/x11/x11_input_method.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <vector>

// clang-format off
#include <X11/Xlib.h>
// clang-format on

extern char** environ;

namespace x11test {
namespace {

// Waits until the server owns its selection (it is then ready for clients;
// it says so on the root window, XIM_SERVERS, when it takes the selection).
bool WaitForServer(const std::string& display, pid_t pid) {
  return WaitOnRoot(display, std::chrono::seconds(15), [pid](Display* x) {
    if (XGetSelectionOwner(x, XInternAtom(x, "@server=uim", False)) != None) return RootWait::Ready;
    return waitpid(pid, nullptr, WNOHANG) == pid ? RootWait::Failed : RootWait::Waiting;
  });
}

// Starts the server in a process group of its own, so that it and every
// process it starts (its helper) can be ended and reaped together.
pid_t SpawnGroup(std::vector<std::string> argv) {
  std::vector<char*> args;
  for (auto& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  // What it prints about itself goes nowhere.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  pid_t pid = -1;
  if (posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  return pid;
}

}  // namespace

InputMethodServer::InputMethodServer(const Server& server, const std::string& engine) {
  std::string folder = (std::filesystem::temp_directory_path() / "tav-xim-XXXXXX").string();
  if (!mkdtemp(folder.data())) return;
  home_ = folder;
  // The server starts a helper that outlives it by a moment; it comes back
  // to this process to be reaped rather than to init.
  prctl(PR_SET_CHILD_SUBREAPER, 1);
  // Its settings and the helper's socket in the folder, not the user's; any
  // UTF-8 character type serves every engine.
  pid_ = SpawnGroup({"env", "DISPLAY=" + server.Name(), "HOME=" + home_, "XDG_RUNTIME_DIR=" + home_,
                     "XDG_CONFIG_HOME=" + home_, "LC_ALL=C.UTF-8", "uim-xim", "--engine=" + engine});
  if (pid_ > 0 && !WaitForServer(server.Name(), pid_)) Stop();
}

InputMethodServer::~InputMethodServer() { Stop(); }

void InputMethodServer::Stop() {
  if (pid_ > 0) {
    // The whole group: the server, its helper, what they left unreaped.
    kill(-pid_, SIGTERM);
    while (waitpid(-pid_, nullptr, 0) > 0 || errno == EINTR) {
    }
    pid_ = -1;
  }
  if (!home_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(home_, ignored);
    home_.clear();
  }
}

ScopedEnvironment::ScopedEnvironment(const char* name, const char* value) : name_(name) {
  if (const char* old = std::getenv(name)) {
    had_ = true;
    old_ = old;
  }
  if (value) setenv(name, value, 1);
  else unsetenv(name);
}

ScopedEnvironment::~ScopedEnvironment() {
  if (had_) setenv(name_.c_str(), old_.c_str(), 1);
  else unsetenv(name_.c_str());
}

}  // namespace x11test
