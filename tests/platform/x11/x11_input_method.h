// An input-method server for one test: uim's XIM bridge (uim-xim) on the
// test's X server with one conversion engine, its files in a folder of its
// own that goes with it.
#pragma once

#include <sys/types.h>

#include <string>

#include "tests/platform/x11/x11_server.h"

namespace x11test {

class InputMethodServer {
 public:
  // The XMODIFIERS value a client names the server with.
  static constexpr const char* kModifiers = "@im=uim";

  // Starts uim-xim with `engine` (latin, py...) and waits until it serves.
  InputMethodServer(const Server& server, const std::string& engine);
  ~InputMethodServer();
  InputMethodServer(const InputMethodServer&) = delete;
  InputMethodServer& operator=(const InputMethodServer&) = delete;

  bool Running() const { return pid_ > 0; }
  // Ends the server (its clients lose their input method) and its helper.
  void Stop();

 private:
  pid_t pid_ = -1;
  std::string home_;
};

// Sets an environment variable for a scope; the old value comes back after.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string name_;
  std::string old_;
  bool had_ = false;
};

}  // namespace x11test
