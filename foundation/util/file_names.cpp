#include "foundation/util/file_names.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>
#include <strings.h>

#include "platform/kernel/kernel.h"

FOUNDATION_BEGIN

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::string_view View(const char* s) { return s ? std::string_view(s) : std::string_view(); }
std::string_view BytesOf(const AString& s) { return {s.GetData(), static_cast<size_t>(s.GetLength())}; }
AString ToAString(const std::string& s) { return AString(static_cast<int>(s.size()), s.data()); }

// The folder with a separator behind it when it needs one.
std::string FolderPrefix(std::string_view folder) {
  std::string out(folder);
  if (!out.empty() && out.back() != kPathSeparator) out += kPathSeparator;
  return out;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsAbsoluteText(std::string_view p) {
  if (p.size() < 2) return false;
  return p[1] == ':' || IsSeparator(p[0]);
}

constexpr DWORD kReadOnlyHidden = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

DWORD AttributeMask(bool readOnly, bool hidden) {
  return (readOnly ? FILE_ATTRIBUTE_READONLY : 0) | (hidden ? FILE_ATTRIBUTE_HIDDEN : 0);
}

}  // namespace

AString MakeFilePath(const char* folder, AString& name, const char* ext) {
  std::string_view e = View(ext);
  std::string_view n = BytesOf(name);
  bool hasExt = e.empty() || (n.size() >= e.size() &&
                              strncasecmp(n.data() + n.size() - e.size(), e.data(), e.size()) == 0);
  if (!hasExt) name += ext;
  return ToAString(FolderPrefix(View(folder)) + std::string(BytesOf(name)));
}

bool IsAbsolutePath(const char* p, int len) {
  if (!p) return false;
  size_t n = len > 0 ? strnlen(p, static_cast<size_t>(len)) : std::strlen(p);
  return IsAbsoluteText(std::string_view(p, n));
}

int ResolvePath(const char* base, const AString& rel, AString* out, bool acceptMissing, int* wasRelative) {
  std::string_view r = BytesOf(rel);
  bool relative = !IsAbsoluteText(r);
  std::string path = relative ? std::string(View(base)) + std::string(r) : std::string(r);
  if (wasRelative) *wasRelative = relative ? 1 : 0;
  if (out) *out = ToAString(path);
  if (!path.empty() && IsSeparator(path.back())) return 0;
  return acceptMissing || Exists(path) ? 1 : 0;
}

int IsDirectory(const char* path) {
  std::string p(View(path));
  bool root = p == "/" || (p.size() == 3 && p[1] == ':' && IsSeparator(p[2]));
  if (!root && !p.empty() && IsSeparator(p.back())) p.pop_back();
  if (p.empty()) return 0;
  DWORD attributes = GetFileAttributesA(p.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
}

AString MakeNumberedFileName(const char* base, const char* folder, const char* ext, int width) {
  std::string prefix = FolderPrefix(View(folder)) + std::string(View(base)) + "_";
  std::string suffix(1, '.');
  suffix.append(View(ext));
  int digits = std::clamp(width, 0, 20);
  char number[32];
  for (int n = 0;; ++n) {
    std::snprintf(number, sizeof number, "%0*d", digits, n);
    std::string candidate = prefix + number + suffix;
    if (!Exists(candidate)) return ToAString(candidate);
    if (n == INT32_MAX) return AString();
  }
}

AString MakeDatedFileName(const char* prefix, const char* folder, const char* ext) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char date[16];
  std::strftime(date, sizeof date, "%y%m%d", &local);
  std::string name = FolderPrefix(View(folder));
  name.append(View(prefix)).append(date).append(1, '.').append(View(ext));
  return ToAString(name);
}

int RemoveInvalidFileNameChars(AString& name, bool fullPath) {
  std::string s(BytesOf(name));
  auto removeFrom = [&s](size_t from, std::string_view chars) {
    s.erase(std::remove_if(s.begin() + static_cast<std::ptrdiff_t>(std::min(from, s.size())), s.end(),
                           [chars](char c) { return chars.find(c) != std::string_view::npos; }),
            s.end());
  };
  removeFrom(0, "\\*?");
  if (fullPath && s.size() > 3) {
    removeFrom(3, ":");
  } else {
    removeFrom(0, "/:");
  }
  removeFrom(0, "<>|\"");
  int codePage = name.GetCodePage();
  name = ToAString(s);
  name.SetCodePage(codePage);
  return static_cast<int>(s.size());
}

namespace {

// Calls f(name) for each file (not folder) matching the pattern.
template <class F>
void ForEachFile(const std::string& pattern, F&& f) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) f(data);
  } while (FindNextFileA(find, &data));
  FindClose(find);
}

uint64_t Ticks(const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

}  // namespace

int ListFilesByPattern(const char* folder, const char* pattern, AArray<AString>& out) {
  out.RemoveAll();
  ForEachFile(std::string(View(folder)) + std::string(View(pattern)),
              [&out](const WIN32_FIND_DATAA& data) { out.AddChars(data.cFileName); });
  return out.GetSize();
}

int DeleteFilesByPattern(const char* folder, const char* pattern, int minAgeHours, bool force,
                         const AHashMap<AString, void*>* keep) {
  if (!folder || !*folder) return 0;
  std::string dir = FolderPrefix(folder);
  FILETIME nowTime;
  GetSystemTimeAsFileTime(&nowTime);
  uint64_t now = Ticks(nowTime);
  constexpr uint64_t kTicksPerDay = 864000000000ull;  // 100-ns units
  int deleted = 0;
  ForEachFile(dir + std::string(View(pattern)), [&](const WIN32_FIND_DATAA& data) {
    std::string path = dir + data.cFileName;
    void* ignored = nullptr;
    if (keep && (keep->Lookup(AString(data.cFileName), ignored) || keep->Lookup(ToAString(path), ignored))) return;
    WIN32_FILE_ATTRIBUTE_DATA status;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &status)) return;
    if (minAgeHours > 0) {
      uint64_t written = Ticks(status.ftLastWriteTime);
      uint64_t days = now > written ? (now - written) / kTicksPerDay : 0;
      if (days * 24 < static_cast<uint64_t>(minAgeHours)) return;
    }
    bool removed = force ? ForceDeleteFile(path.c_str()) != 0 : DeleteFileA(path.c_str()) != 0;
    if (removed) ++deleted;
  });
  return deleted;
}

int ClearFileAttributes(const char* path, bool readOnly, bool hidden) {
  if (!path) return 0;
  DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
  DWORD set = attributes & AttributeMask(readOnly, hidden);
  if (!set) return 0;
  SetFileAttributesA(path, attributes & ~set);
  return 1;
}

int SetFileAttributesFlags(const char* path, bool readOnly, bool hidden) {
  if (!path) return 0;
  DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
  DWORD clear = AttributeMask(readOnly, hidden) & ~attributes;
  if (!clear) return 0;
  SetFileAttributesA(path, attributes | clear);
  return 1;
}

int ForceDeleteFile(const char* path) {
  if (!path) return 0;
  DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kReadOnlyHidden))
    SetFileAttributesA(path, attributes & ~kReadOnlyHidden);
  return DeleteFileA(path) ? 1 : 0;
}

FOUNDATION_END
