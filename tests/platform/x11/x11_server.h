// An X server for one test: Xvfb on a display number it picks itself (so
// parallel tests never meet), optionally with a small window manager, and
// the desktop tools run against it (xdotool, xclip, import).
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

typedef struct _XDisplay Display;

namespace x11test {

// Watches the root window's properties on `display` until `check` says the
// awaited state is there (or that it will never come), or `limit` passes.
enum class RootWait { Waiting, Ready, Failed };
bool WaitOnRoot(const std::string& display, std::chrono::milliseconds limit,
                const std::function<RootWait(Display*)>& check);

class Server {
 public:
  struct Options {
    int width = 1280;
    int height = 1024;
    bool windowManager = false;
  };
  explicit Server(Options options);
  Server() : Server(Options{}) {}
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  bool Running() const { return !name_.empty(); }
  const std::string& Name() const { return name_; }  // ":N"
  pid_t Pid() const { return pid_; }
  // Stops the server now (its clients lose their connection).
  void Stop();

  // Runs a tool against this display and waits for it; its exit status, and
  // what it printed when `out` is given; `in` is written to its input.
  int Run(const std::vector<std::string>& argv, std::string* out = nullptr, std::string_view in = {}) const;
  // Starts a tool and returns at once (its pid); Finished says whether it ended.
  pid_t Start(const std::vector<std::string>& argv, int* outFd = nullptr) const;

  // The root window's pixels as 0xRRGGBB, row by row (import -window root).
  std::vector<uint32_t> Screenshot() const;
  bool SavePicture(int x, int y, int width, int height, const std::string& path) const;

 private:
  std::vector<std::string> Environment() const;
  pid_t pid_ = -1;
  pid_t wm_ = -1;
  std::string name_;
  Options options_;
};

}  // namespace x11test
