// The file dialog's paths, folders and places on the Linux file system.
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/comdlg/comdlg_internal.h"
#include "platform/comdlg/file_model.h"

namespace comdlg {
namespace {

namespace fs = std::filesystem;

fs::path Native(const std::u16string& path) { return fs::path(ToUtf8(path)); }

std::u16string EnvFolder(const char* name) {
  const char* value = std::getenv(name);
  return value && *value == '/' ? FromUtf8(value) : std::u16string();
}

// One line of user-dirs.dirs: XDG_NAME_DIR="$HOME/Folder" (or an absolute path).
bool ReadUserDir(const std::string& line, std::string& key, std::u16string& path, const std::u16string& home) {
  if (line.empty() || line[0] == '#') return false;
  const size_t eq = line.find('=');
  if (eq == std::string::npos) return false;
  key = line.substr(0, eq);
  std::string value = line.substr(eq + 1);
  if (value.size() < 2 || value.front() != '"' || value.back() != '"') return false;
  value = value.substr(1, value.size() - 2);
  if (value.rfind("$HOME", 0) == 0) {
    path = home + FromUtf8(value.substr(5));
  } else if (!value.empty() && value[0] == '/') {
    path = FromUtf8(value);
  } else {
    return false;
  }
  return true;
}

}  // namespace

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name) {
  std::u16string out(folder);
  if (out.empty() || out.back() != u'/') out += u'/';
  out += name;
  return out;
}

std::u16string ParentFolder(std::u16string_view path) {
  const size_t slash = path.rfind(u'/');
  if (slash == std::u16string_view::npos || slash == 0) return u"/";
  return std::u16string(path.substr(0, slash));
}

std::u16string FileNamePart(std::u16string_view path) {
  const size_t slash = path.rfind(u'/');
  return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

std::u16string ResolvePath(std::u16string_view folder, std::u16string_view typed) {
  std::u16string full;
  if (!typed.empty() && typed[0] == u'/') {
    full = typed;
  } else if (typed == u"~" || typed.substr(0, 2) == u"~/") {
    full = HomeFolder() + std::u16string(typed.substr(1));
  } else {
    full = JoinPath(folder, typed);
  }
  std::vector<std::u16string> parts;
  size_t start = 0;
  while (start <= full.size()) {
    size_t end = full.find(u'/', start);
    if (end == std::u16string::npos) end = full.size();
    const std::u16string part = full.substr(start, end - start);
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::u16string out;
  for (const std::u16string& p : parts) out += u"/" + p;
  return out.empty() ? u"/" : out;
}

bool IsFolder(const std::u16string& path) {
  std::error_code ec;
  return fs::is_directory(Native(path), ec);
}

bool Exists(const std::u16string& path) {
  std::error_code ec;
  return fs::exists(Native(path), ec);
}

std::u16string CurrentFolder() {
  std::error_code ec;
  const fs::path here = fs::current_path(ec);
  return ec ? u"/" : FromUtf8(here.string());
}

std::u16string HomeFolder() {
  const std::u16string home = EnvFolder("HOME");
  return home.empty() ? u"/" : ResolvePath(u"/", home);
}

bool ReadFolder(const std::u16string& folder, bool showHidden, std::vector<FileEntry>& entries) {
  entries.clear();
  std::error_code ec;
  fs::directory_iterator it(Native(folder), fs::directory_options::skip_permission_denied, ec);
  if (ec) return false;
  const std::string base = ToUtf8(folder) + (folder.back() == u'/' ? "" : "/");
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    const std::string name = it->path().filename().string();
    if (!showHidden && !name.empty() && name[0] == '.') continue;
    struct stat info {};
    // stat follows links: a link to a folder is a folder to move into.
    if (::stat((base + name).c_str(), &info) != 0 && ::lstat((base + name).c_str(), &info) != 0) continue;
    FileEntry e;
    e.name = FromUtf8(name);
    e.folder = S_ISDIR(info.st_mode);
    e.size = e.folder ? 0 : static_cast<uint64_t>(info.st_size);
    e.modified = static_cast<int64_t>(info.st_mtime);
    entries.push_back(std::move(e));
  }
  return true;
}

std::vector<Place> Places() {
  std::vector<Place> places;
  const std::u16string home = HomeFolder();
  places.push_back({u"Home", home});
  std::u16string config = EnvFolder("XDG_CONFIG_HOME");
  if (config.empty()) config = JoinPath(home, u".config");
  std::ifstream dirs(ToUtf8(JoinPath(config, u"user-dirs.dirs")));
  // The folders in the order a person looks for them, whatever the file's order.
  static constexpr std::pair<const char*, const char16_t*> kKnown[] = {
      {"XDG_DESKTOP_DIR", u"Desktop"},   {"XDG_DOCUMENTS_DIR", u"Documents"}, {"XDG_DOWNLOAD_DIR", u"Downloads"},
      {"XDG_MUSIC_DIR", u"Music"},       {"XDG_PICTURES_DIR", u"Pictures"},   {"XDG_VIDEOS_DIR", u"Videos"},
  };
  std::vector<std::pair<std::string, std::u16string>> found;
  for (std::string line; std::getline(dirs, line);) {
    std::string key;
    std::u16string path;
    if (ReadUserDir(line, key, path, home)) found.emplace_back(key, ResolvePath(u"/", path));
  }
  for (const auto& [key, label] : kKnown) {
    for (const auto& [k, path] : found) {
      // A folder the file leaves as the home folder itself is no place of its own.
      if (k == key && path != home && IsFolder(path)) places.push_back({label, path});
    }
  }
  places.push_back({u"File System", u"/"});
  return places;
}

std::u16string SizeText(const FileEntry& entry) {
  if (entry.folder) return {};
  if (entry.size < 1024) return FromUtf8(std::to_string(entry.size) + " bytes");
  return FromUtf8(std::to_string((entry.size + 1023) / 1024) + " KB");
}

std::u16string DateText(const FileEntry& entry) {
  const time_t t = static_cast<time_t>(entry.modified);
  struct tm local {};
  if (!localtime_r(&t, &local)) return {};
  char text[32];
  const size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return FromUtf8(std::string(text, n));
}

}  // namespace comdlg
