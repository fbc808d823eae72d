#include "app/core/app_folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace {

std::string WithSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

// An XDG base folder: the variable when it holds an absolute path (relative
// ones are to be ignored), else the home-relative default.
std::string XdgFolder(const char* variable, const char* homeRelative) {
  if (const char* value = std::getenv(variable); value && value[0] == '/') return WithSlash(value);
  const char* home = std::getenv("HOME");
  std::string base = home && home[0] == '/' ? WithSlash(home) : std::string("/tmp/");
  return base + homeRelative;
}

std::string SelfPath() {
  std::vector<char> buffer(4096);
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  return n > 0 ? std::string(buffer.data(), static_cast<size_t>(n)) : std::string();
}

}  // namespace

std::string ExecutableFolder() {
  const std::string self = SelfPath();
  const size_t slash = self.rfind('/');
  return slash == std::string::npos ? std::string("./") : self.substr(0, slash + 1);
}

std::string ExecutableName() {
  const std::string self = SelfPath();
  const size_t slash = self.rfind('/');
  return slash == std::string::npos ? self : self.substr(slash + 1);
}

AppFolders LocateAppFolders(std::string_view programFolder) {
  AppFolders f;
  f.program = WithSlash(std::string(programFolder));
  f.language = f.program + "DvrUIetc/";
  f.config = XdgFolder("XDG_CONFIG_HOME", ".config/") + kVendorFolder + "/";
  f.perUser = XdgFolder("XDG_DATA_HOME", ".local/share/") + kVendorFolder + "/";
  f.work = f.perUser + "WorkFiles/";
  return f;
}

bool MakePrivateFolder(const std::string& path) {
  if (path.empty()) return false;
  // Parents first, each made private when it is new.
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat st{};
  const std::string last = path.back() == '/' ? path.substr(0, path.size() - 1) : path;
  if (::stat(last.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  if (st.st_uid == ::getuid() && (st.st_mode & 077) != 0) ::chmod(last.c_str(), 0700);
  return true;
}

bool MakeAppFolders(const AppFolders& folders) {
  const bool config = MakePrivateFolder(folders.config);
  const bool perUser = MakePrivateFolder(folders.perUser);
  return config && perUser && MakePrivateFolder(folders.work);
}
