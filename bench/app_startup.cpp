// The designer's start: an empty designer ("-nosave", headless) from start
// to its first idle and exit, as a process (the tavrendel program, with its
// peak resident size) and within this process (the application object's
// start-up, idle and exit).
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/label_designer_app.h"

extern char** environ;

namespace {

// Per-user folders of the benchmark's own, removed at the end.
class BenchFolders {
 public:
  BenchFolders() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavbench-XXXXXX").string();
    if (::mkdtemp(pattern.data())) root_ = pattern;
    std::filesystem::create_directories(root_ + "/run");
    std::filesystem::permissions(root_ + "/run", std::filesystem::perms::owner_all);
    ::setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root_ + "/share").c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", (root_ + "/run").c_str(), 1);
    ::setenv("TAV_DISPLAY", "headless", 1);
  }
  ~BenchFolders() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

 private:
  std::string root_;
};

std::string Program() {
  char self[4096] = {};
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  std::filesystem::path bench(n > 0 ? std::string(self, static_cast<size_t>(n)) : std::string());
  // bench/bench_app_startup beside the build folder's tavrendel.
  return (bench.parent_path().parent_path() / "tavrendel").string();
}

void BM_EmptyDesignerProcess(benchmark::State& state) {
  BenchFolders folders;
  ::setenv("TAV_EXIT_WHEN_IDLE", "1", 1);
  std::string program = Program();
  std::string nosave = "-nosave";
  char* argv[] = {program.data(), nosave.data(), nullptr};
  long peakKb = 0;
  for (auto _ : state) {
    pid_t pid = -1;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0) {
      state.SkipWithError("tavrendel could not be started");
      break;
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("tavrendel did not end well");
      break;
    }
    peakKb = std::max(peakKb, usage.ru_maxrss);
  }
  ::unsetenv("TAV_EXIT_WHEN_IDLE");
  state.counters["peak_rss_MB"] = static_cast<double>(peakKb) / 1024.0;
}
BENCHMARK(BM_EmptyDesignerProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void BM_EmptyDesignerInProcess(benchmark::State& state) {
  BenchFolders folders;
  for (auto _ : state) {
    auto app = std::make_unique<CLabelDesignerApp>();
    app->m_args.emplace_back("-nosave");
    if (!app->InitInstance()) {
      state.SkipWithError("start-up failed");
      break;
    }
    // Up to the first idle, then the close and exit the program's loop runs.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && app->PumpMessage()) {
    }
    app->OnIdle(0);
    ::SendMessageA(app->m_pMainWnd->m_hWnd, WM_CLOSE, 0, 0);
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && app->PumpMessage()) {
    }
    app->ExitInstance();
    app.reset();
    CWnd::DeleteTempMap();
  }
  rusage self{};
  ::getrusage(RUSAGE_SELF, &self);
  state.counters["peak_rss_MB"] = static_cast<double>(self.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_EmptyDesignerInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
