#include "program_runner.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

extern char** environ;

namespace apptest {

std::string ProgramRunner::Program() { return std::string(TAV_BUILD_DIR) + "/tavrendel"; }

ProgramRunner::~ProgramRunner() {
  for (pid_t pid : running_) Kill(pid);
}

pid_t ProgramRunner::Start(const std::vector<std::string>& arguments) {
  std::vector<std::string> argv{Program()};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  // The test's environment, with the runner's settings in front of it.
  std::vector<std::string> env = environment_;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    const std::string name = entry.substr(0, entry.find('='));
    const bool overridden = std::any_of(environment_.begin(), environment_.end(),
                                        [&](const std::string& o) { return o.substr(0, o.find('=')) == name; });
    if (!overridden) env.push_back(entry);
  }
  std::vector<char*> args, vars;
  for (std::string& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  for (std::string& v : env) vars.push_back(v.data());
  vars.push_back(nullptr);
  pid_t pid = -1;
  if (::posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), vars.data()) != 0) return -1;
  running_.push_back(pid);
  return pid;
}

int ProgramRunner::Wait(pid_t pid, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  for (;;) {
    int status = 0;
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) {
      running_.erase(std::remove(running_.begin(), running_.end(), pid), running_.end());
      return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
    }
    if (done < 0 || std::chrono::steady_clock::now() >= end) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

int ProgramRunner::Run(const std::vector<std::string>& arguments, double seconds) {
  const pid_t pid = Start(arguments);
  return pid < 0 ? -1 : Wait(pid, seconds);
}

void ProgramRunner::Kill(pid_t pid) {
  if (std::find(running_.begin(), running_.end(), pid) == running_.end()) return;
  ::kill(pid, SIGKILL);
  int status = 0;
  ::waitpid(pid, &status, 0);
  running_.erase(std::remove(running_.begin(), running_.end(), pid), running_.end());
}

bool WaitUntil(const std::function<bool()>& done, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return done();
}

}  // namespace apptest
