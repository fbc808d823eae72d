// Finding files by a pattern with '*' and '?'.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/kernel/kernel_internal.h"
#include "platform/nls/nls.h"
#include "platform/nls/nls_codepages.h"

namespace kernel {
namespace {

struct FindObject : KernelObject {
  FindObject() : KernelObject(HandleKind::FindFile) {}
  std::vector<WIN32_FIND_DATAA> found;
  size_t next = 0;
};

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// Splits ANSI text into characters, so that '?' takes a whole double-byte one.
std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> chars;
  const nls::CodePageInfo* cp = nls::FindCodePage(CP_ACP);
  for (size_t i = 0; i < text.size();) {
    const size_t n = cp ? nls::CharLength(*cp, text.data() + i, text.size() - i) : 1;
    chars.push_back(text.substr(i, n));
    i += n;
  }
  return chars;
}

bool SameChar(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a.size() == 1) return FoldAscii(a[0]) == FoldAscii(b[0]);
  return a == b;
}

// Iterative wildcard match with backtracking to the last '*'.
bool Match(const std::vector<std::string_view>& name, const std::vector<std::string_view>& pattern) {
  size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == "*") {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == "?" || SameChar(pattern[p], name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == "*") ++p;
  return p == pattern.size();
}

bool MatchName(std::string_view name, std::string_view pattern) {
  if (pattern == "*.*" || pattern == "*") return true;
  if (Match(Characters(name), Characters(pattern))) return true;
  // "name.*" also finds "name" without an extension.
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" && name.find('.') == std::string_view::npos) {
    return Match(Characters(name), Characters(pattern.substr(0, pattern.size() - 2)));
  }
  return false;
}

void Fill(WIN32_FIND_DATAA& data, const std::string& name, const struct stat& st) {
  std::memset(&data, 0, sizeof data);
  data.dwFileAttributes = AttributesFromMode(st.st_mode);
  data.ftCreationTime = FileTimeFromUnix(st.st_ctim.tv_sec, st.st_ctim.tv_nsec);
  data.ftLastAccessTime = FileTimeFromUnix(st.st_atim.tv_sec, st.st_atim.tv_nsec);
  data.ftLastWriteTime = FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
  const unsigned long long size = S_ISDIR(st.st_mode) ? 0 : static_cast<unsigned long long>(st.st_size);
  data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
  data.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFF);
  std::memcpy(data.cFileName, name.data(), name.size());
}

}  // namespace
}  // namespace kernel

BOOL PathMatchesPattern(LPCSTR name, LPCSTR pattern) {
  if (!name || !pattern) return FALSE;
  return kernel::MatchName(name, pattern);
}

HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data) {
  if (!pattern || !data) {
    kernel::Fail(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  const std::string_view text(pattern);
  const size_t slash = text.rfind('/');
  const std::string folder(slash == std::string_view::npos ? "." : slash == 0 ? "/" : text.substr(0, slash));
  const std::string_view mask = slash == std::string_view::npos ? text : text.substr(slash + 1);
  if (mask.empty()) {
    kernel::Fail(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  const auto osFolder = kernel::OsPath(folder.c_str());
  DIR* dir = osFolder ? ::opendir(osFolder->c_str()) : nullptr;
  if (!dir) {
    kernel::Fail(errno == ENOTDIR || errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno));
    return INVALID_HANDLE_VALUE;
  }
  auto find = std::make_shared<kernel::FindObject>();
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = kernel::AnsiName(entry->d_name);
    if (name.size() >= MAX_PATH || !kernel::MatchName(name, mask)) continue;
    struct stat st {};
    if (::fstatat(::dirfd(dir), entry->d_name, &st, 0) != 0) continue;  // vanished, or a dangling link
    find->found.emplace_back();
    kernel::Fill(find->found.back(), name, st);
  }
  ::closedir(dir);
  if (find->found.empty()) {
    kernel::Fail(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  // Directory order is arbitrary; names in byte order make runs repeatable.
  std::sort(find->found.begin(), find->found.end(), [](const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) {
    return std::strcmp(a.cFileName, b.cFileName) < 0;
  });
  *data = find->found[0];
  find->next = 1;
  SetLastError(ERROR_SUCCESS);
  return kernel::AddHandle(std::move(find));
}

BOOL FindNextFileA(HANDLE handle, LPWIN32_FIND_DATAA data) {
  auto find = kernel::Lookup<kernel::FindObject>(handle);
  if (!find) return FALSE;
  if (!data) return kernel::Fail(ERROR_INVALID_PARAMETER);
  if (find->next >= find->found.size()) return kernel::Fail(ERROR_NO_MORE_FILES);
  *data = find->found[find->next++];
  return TRUE;
}

BOOL FindClose(HANDLE handle) {
  if (!kernel::RemoveHandle(handle, HandleKind::FindFile)) return kernel::Fail(ERROR_INVALID_HANDLE);
  return TRUE;
}
