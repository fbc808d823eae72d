// The tavrendel program run by a test: started with a command line in the
// test's folders, waited for with a bound, and killed when a test ends
// before it does.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace apptest {

class ProgramRunner {
 public:
  // Environment given to every run besides the test's own: "NAME=value".
  explicit ProgramRunner(std::vector<std::string> environment) : environment_(std::move(environment)) {}
  ~ProgramRunner();
  ProgramRunner(const ProgramRunner&) = delete;
  ProgramRunner& operator=(const ProgramRunner&) = delete;

  static std::string Program();
  // Starts the program; its process id (-1 when it could not start).
  pid_t Start(const std::vector<std::string>& arguments);
  // Waits at most `seconds` for it to end: its exit status, -1 when it is
  // still running, -2 when it died of a signal.
  int Wait(pid_t pid, double seconds);
  // Starts, waits for the end: the exit status (-1 still running after `seconds`).
  int Run(const std::vector<std::string>& arguments, double seconds = 30);
  void Kill(pid_t pid);

 private:
  std::vector<std::string> environment_;
  std::vector<pid_t> running_;
};

// Polls a condition every 20 ms for at most `seconds`.
bool WaitUntil(const std::function<bool()>& done, double seconds = 30);

}  // namespace apptest
