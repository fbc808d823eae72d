#include "platform/shell/shell_execute.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <mutex>
#include <thread>

#include "platform/kernel/kernel_errors.h"
#include "platform/nls/nls.h"
#include "platform/nls/nls_text.h"

extern char** environ;

namespace shell {
namespace {

bool Spawn(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  if (args.size() < 2 || ::posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) return false;
  // The opener runs on its own; a waiter collects it so it leaves no zombie.
  std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
  return true;
}

struct State {
  std::mutex mutex;
  Launcher launcher;
};

State& TheState() {
  static State state;
  return state;
}

}  // namespace

Launcher SetLauncher(Launcher launcher) {
  State& s = TheState();
  std::lock_guard lock(s.mutex);
  std::swap(s.launcher, launcher);
  return launcher;
}

bool Launch(const std::vector<std::string>& argv) {
  Launcher launcher;
  {
    State& s = TheState();
    std::lock_guard lock(s.mutex);
    launcher = s.launcher;
  }
  return launcher ? launcher(argv) : Spawn(argv);
}

}  // namespace shell

namespace {

constexpr DWORD ERROR_NO_ASSOCIATION = 1155;

HINSTANCE Result(INT_PTR code) { return reinterpret_cast<HINSTANCE>(code); }

HINSTANCE Open(const char* verb, const std::string& file) {
  if (verb && *verb && std::strcmp(verb, "open") != 0) {
    SetLastError(ERROR_NO_ASSOCIATION);
    return Result(SE_ERR_NOASSOC);
  }
  if (file.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return Result(SE_ERR_FNF);
  }
  if (!shell::Launch({"xdg-open", file})) {
    SetLastError(ERROR_NO_ASSOCIATION);
    return Result(SE_ERR_NOASSOC);
  }
  return Result(42);
}

std::string Utf8(LPCWSTR text) { return nls::FromUtf16(CP_UTF8, nls::OrEmpty(text)); }

}  // namespace

HINSTANCE ShellExecuteA(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT) {
  // The name in the process's code page reaches the opener as UTF-8.
  if (!file) return Open(verb, {});
  return Open(verb, nls::FromUtf16(CP_UTF8, nls::ToUtf16(CP_ACP, file)));
}

HINSTANCE ShellExecuteW(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR, LPCWSTR, INT) {
  const std::string v = Utf8(verb);
  return Open(verb ? v.c_str() : nullptr, Utf8(file));
}
