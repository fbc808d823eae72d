#include "tests/platform/wine_reference.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "tests/platform/x11/x11_server.h"

namespace winetest {

namespace fs = std::filesystem;

namespace {

std::string Quote(const std::string& s) { return "'" + s + "'"; }

}  // namespace

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string StampOf(const std::vector<fs::path>& files, const std::string& extra) {
  uint64_t hash = 1469598103934665603ull;
  auto mix = [&hash](const std::string& bytes) {
    for (unsigned char b : bytes) hash = (hash ^ b) * 1099511628211ull;
  };
  for (const fs::path& f : files) mix(f.filename().string() + ReadText(f));
  mix(extra);
  return std::to_string(hash);
}

std::string EnsureAnswers(const WineRun& run) {
  fs::create_directories(run.outDir);
  int lock = open((run.outDir / "lock").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644);
  if (lock < 0) return "cannot open the lock file";
  flock(lock, LOCK_EX);
  std::string error;
  if (ReadText(run.outDir / "stamp") != run.stamp) {
    fs::remove(run.outDir / "stamp");
    std::string prefix = (fs::temp_directory_path() / "tav-wine-XXXXXX").string();
    std::error_code ec;
    std::unique_ptr<x11test::Server> server;
    if (run.display) server = std::make_unique<x11test::Server>(x11test::Server::Options{1024, 768, false});
    if (!mkdtemp(prefix.data())) {
      error = "cannot make a wine prefix";
    } else if (!fs::create_directory(fs::path(prefix) / "tmp", ec)) {
      fs::remove_all(prefix, ec);
      error = "cannot make a wine prefix";
    } else if (server && !server->Running()) {
      fs::remove_all(prefix, ec);
      error = "Xvfb did not start";
    } else {
      // The server's socket folder goes under TMPDIR: inside the prefix, so
      // that it goes with it.
      std::string env = "WINEPREFIX=" + Quote(prefix) + " TMPDIR=" + Quote(prefix + "/tmp") +
                        " WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' ";
      if (server) env += "DISPLAY=" + Quote(server->Name()) + " ";
      std::string command;
      for (const std::string& setting : run.registry) {
        const size_t a = setting.find('|'), b = setting.find('|', a + 1);
        command += env + Quote(TAV_WINE) + " reg add " + Quote(setting.substr(0, a)) + " /v " +
                   Quote(setting.substr(a + 1, b - a - 1)) + " /d " + Quote(setting.substr(b + 1)) +
                   " /f >/dev/null 2>&1 && ";
      }
      command += env + Quote(TAV_WINE);
      for (const std::string& arg : run.command) command += " " + Quote(arg);
      int status = std::system((command + " >/dev/null 2>&1").c_str());
      // Wait for the prefix's server to leave before the prefix goes.
      std::system((env + Quote(TAV_WINESERVER) + " -w >/dev/null 2>&1").c_str());
      fs::remove_all(prefix, ec);
      if (status != 0) error = "the reference driver failed under wine (status " + std::to_string(status) + ")";
      else std::ofstream(run.outDir / "stamp", std::ios::binary) << run.stamp;
    }
  }
  flock(lock, LOCK_UN);
  close(lock);
  return error;
}

}  // namespace winetest
