// Profiles: INI files of sections and "key=value" lines.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/kernel/kernel_internal.h"

namespace {

std::mutex profileMutex;

std::string ProfileFolder() {
  std::string base;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
    base = data;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::string(home) + "/.local/share";
  } else {
    base = "/tmp";
  }
  return base + "/Tavrendel/";
}

// The OS path of a profile; a name without a folder lies in the profile folder.
std::optional<std::string> ProfilePath(LPCSTR fileName) {
  auto path = kernel::OsPath(fileName);
  if (!path || path->empty()) return std::nullopt;
  if (path->find('/') == std::string::npos) return ProfileFolder() + *path;
  return path;
}

std::string Trim(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const size_t last = s.find_last_not_of(" \t\r\n");
  return std::string(s.substr(first, last - first + 1));
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

// The name of a section header line, or nothing.
std::optional<std::string> SectionOf(const std::string& line) {
  const std::string t = Trim(line);
  if (t.empty() || t[0] != '[') return std::nullopt;
  const size_t close = t.find(']');
  return Trim(std::string_view(t).substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

// The key of a "key=value" line, or nothing (comments and other lines).
std::optional<std::string> KeyOf(const std::string& line, std::string* value) {
  const std::string t = Trim(line);
  if (t.empty() || t[0] == ';' || t[0] == '[') return std::nullopt;
  const size_t eq = t.find('=');
  if (eq == std::string::npos) return std::nullopt;
  if (value) *value = Trim(std::string_view(t).substr(eq + 1));
  return Trim(std::string_view(t).substr(0, eq));
}

std::string Unquote(std::string v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

// Copies one value, cut to fit and terminated.
DWORD CopyValue(const std::string& value, LPSTR buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  const size_t n = std::min<size_t>(value.size(), size - 1);
  std::memcpy(buffer, value.data(), n);
  buffer[n] = '\0';
  return static_cast<DWORD>(n);
}

// Copies a list of names, each terminated, the list ended by an extra zero;
// a list that does not fit is cut and returns size - 2.
DWORD CopyList(const std::vector<std::string>& names, LPSTR buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  if (size == 1) {
    buffer[0] = '\0';
    return 0;
  }
  std::string all;
  for (const std::string& n : names) {
    all += n;
    all += '\0';
  }
  if (all.size() + 1 <= size) {
    std::memcpy(buffer, all.data(), all.size());
    buffer[all.size()] = '\0';
    if (all.empty()) buffer[1] = '\0';
    return static_cast<DWORD>(all.size());
  }
  std::memcpy(buffer, all.data(), size - 2);
  buffer[size - 2] = '\0';
  buffer[size - 1] = '\0';
  return size - 2;
}

bool WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  const size_t slash = path.rfind('/');
  if (slash != std::string::npos) {
    // Make the folders on the way (the profile folder may not exist yet).
    for (size_t pos = 1; pos <= slash; ++pos) {
      if (path[pos] == '/') ::mkdir(path.substr(0, pos).c_str(), 0777);
    }
  }
  const std::string temp = path + ".tmp" + std::to_string(::getpid());
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) out << line << "\r\n";
    if (!out.flush()) {
      std::remove(temp.c_str());
      return false;
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                               LPCSTR fileName) {
  const auto path = ProfilePath(fileName ? fileName : "win.ini");
  std::vector<std::string> lines;
  {
    std::lock_guard lock(profileMutex);
    if (path) lines = ReadLines(*path);
  }
  if (!section) {
    std::vector<std::string> names;
    for (const std::string& line : lines) {
      if (auto s = SectionOf(line)) names.push_back(*s);
    }
    return CopyList(names, buffer, size);
  }
  bool inSection = false;
  std::vector<std::string> keys;
  for (const std::string& line : lines) {
    if (auto s = SectionOf(line)) {
      if (inSection) break;
      inSection = EqualNoCase(*s, section);
      continue;
    }
    if (!inSection) continue;
    std::string value;
    const auto k = KeyOf(line, &value);
    if (!k) continue;
    if (!key) {
      keys.push_back(*k);
    } else if (EqualNoCase(*k, key)) {
      return CopyValue(Unquote(value), buffer, size);
    }
  }
  if (!key) return CopyList(keys, buffer, size);
  SetLastError(ERROR_FILE_NOT_FOUND);
  return CopyValue(Trim(defaultValue ? defaultValue : ""), buffer, size);
}

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName) {
  if (!section || !key) return static_cast<UINT>(defaultValue);
  char buffer[256];
  const char marker[] = "\x01";  // never a stored value: tells a missing key
  GetPrivateProfileStringA(section, key, marker, buffer, sizeof buffer, fileName);
  if (std::strcmp(buffer, marker) == 0) return static_cast<UINT>(defaultValue);
  return static_cast<UINT>(std::strtol(buffer, nullptr, 10));
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName) {
  if (!section) return key || value ? kernel::Fail(ERROR_INVALID_PARAMETER) : TRUE;  // a flush
  const auto path = ProfilePath(fileName ? fileName : "win.ini");
  if (!path) return kernel::Fail(ERROR_INVALID_PARAMETER);
  std::lock_guard lock(profileMutex);
  std::vector<std::string> lines = ReadLines(*path);
  // The section's header line and the end of its lines.
  size_t header = lines.size(), end = lines.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (auto s = SectionOf(lines[i])) {
      if (header != lines.size()) {
        end = i;
        break;
      }
      if (EqualNoCase(*s, section)) header = i;
    }
  }
  if (!key) {
    if (header == lines.size()) return TRUE;
    lines.erase(lines.begin() + static_cast<long>(header), lines.begin() + static_cast<long>(end));
    return WriteLines(*path, lines) ? TRUE : kernel::Fail(ERROR_ACCESS_DENIED);
  }
  const std::string newLine = std::string(key) + "=" + (value ? value : "");
  if (header == lines.size()) {
    if (!value) return TRUE;
    lines.push_back("[" + std::string(section) + "]");
    lines.push_back(newLine);
    return WriteLines(*path, lines) ? TRUE : kernel::Fail(ERROR_ACCESS_DENIED);
  }
  size_t last = header;  // the last non-blank line of the section
  for (size_t i = header + 1; i < end; ++i) {
    const auto k = KeyOf(lines[i], nullptr);
    if (k && EqualNoCase(*k, key)) {
      if (value) {
        lines[i] = newLine;
      } else {
        lines.erase(lines.begin() + static_cast<long>(i));
      }
      return WriteLines(*path, lines) ? TRUE : kernel::Fail(ERROR_ACCESS_DENIED);
    }
    if (!Trim(lines[i]).empty()) last = i;
  }
  if (!value) return TRUE;
  lines.insert(lines.begin() + static_cast<long>(last) + 1, newLine);
  return WriteLines(*path, lines) ? TRUE : kernel::Fail(ERROR_ACCESS_DENIED);
}

DWORD GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size) {
  return GetPrivateProfileStringA(section, key, defaultValue, buffer, size, "win.ini");
}

UINT GetProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue) {
  return GetPrivateProfileIntA(section, key, defaultValue, "win.ini");
}

BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) {
  return WritePrivateProfileStringA(section, key, value, "win.ini");
}
