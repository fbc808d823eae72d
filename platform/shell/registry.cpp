#include "platform/shell/registry.h"

#include "platform/gdi/font_engine.h"
#include "platform/kernel/kernel_errors.h"
#include "platform/nls/nls.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct RegValue {
  std::string name;
  std::string data;  // a REG_SZ string, without its terminating zero
};

struct OpenKey {
  std::string path;  // from the root, upper case, single backslashes
  std::vector<RegValue> values;
};

// Open keys by handle; a handle is the key's address. A caller holds its own
// reference while it reads, so closing a key on another thread is safe.
struct KeyTable {
  std::mutex mutex;
  std::map<const OpenKey*, std::shared_ptr<const OpenKey>> live;
};
KeyTable& Keys() {
  static KeyTable table;
  return table;
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (auto& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return out;
}

// Joins and normalises a key path: upper case, no empty parts.
std::string JoinPath(std::string_view base, std::string_view sub) {
  std::string out(base);
  std::string part;
  auto flush = [&] {
    if (part.empty()) return;
    if (!out.empty()) out += '\\';
    out += Upper(part);
    part.clear();
  };
  for (char c : sub) {
    if (c == '\\')
      flush();
    else
      part += c;
  }
  flush();
  return out;
}

// The ANSI form of a UTF-16 text; nullopt when the code page lacks a character.
std::optional<std::string> ToAnsi(std::u16string_view s) {
  if (s.empty()) return std::string();
  const int n = WideCharToMultiByte(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::nullopt;
  std::string out(static_cast<size_t>(n), '\0');
  BOOL usedDefault = FALSE;
  WideCharToMultiByte(CP_ACP, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, &usedDefault);
  if (usedDefault) return std::nullopt;
  return out;
}

std::optional<std::string> Utf8ToAnsi(std::string_view s) {
  if (s.empty()) return std::string();
  const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::u16string wide(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), wide.data(), n);
  return ToAnsi(wide);
}

// The installed faces, one value per name (the first file by name wins).
std::vector<RegValue> FontValues() {
  std::vector<RegValue> out;
  for (const auto& f : tav::font::ListFontFiles()) {
    auto name = ToAnsi(f.fullName);
    auto file = Utf8ToAnsi(f.file);
    if (!name || !file || name->empty()) continue;
    *name += f.trueType ? " (TrueType)" : " (OpenType)";
    const bool seen = std::any_of(out.begin(), out.end(), [&](const RegValue& v) { return Upper(v.name) == Upper(*name); });
    if (!seen) out.push_back({std::move(*name), std::move(*file)});
  }
  return out;
}

// Each stand-in, and its bold and italic faces where the family has them
// installed under those names ("Arial Bold" -> "Liberation Sans Bold"), so
// that a styled face name finds its own file.
std::vector<RegValue> SubstituteValues() {
  std::set<std::u16string> installed;
  for (const auto& f : tav::font::ListFontFiles()) installed.insert(f.fullName);
  std::vector<RegValue> out;
  for (const auto& s : tav::font::StandIns()) {
    for (std::u16string_view style : {u"", u" Bold", u" Italic", u" Bold Italic"}) {
      const std::u16string family = std::u16string(s.family) + std::u16string(style);
      if (!style.empty() && !installed.count(family)) continue;
      auto face = ToAnsi(std::u16string(s.face) + std::u16string(style));
      auto name = ToAnsi(family);
      if (face && name) out.push_back({std::move(*face), std::move(*name)});
    }
  }
  return out;
}

// The values of a served key; nullopt when the key does not exist.
std::optional<std::vector<RegValue>> ServedKey(HKEY root, const std::string& path) {
  if (root != HKEY_LOCAL_MACHINE) return std::nullopt;
  for (const char* system : {"WINDOWS NT", "WINDOWS"}) {
    const std::string base = std::string("SOFTWARE\\MICROSOFT\\") + system + "\\CURRENTVERSION\\";
    if (path == base + "FONTS") return FontValues();
    if (path == base + "FONTSUBSTITUTES") return SubstituteValues();
  }
  return std::nullopt;
}

bool IsRoot(HKEY key) {
  return key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE || key == HKEY_USERS;
}

// The open key behind a handle, or null for a predefined root or a stale handle.
std::shared_ptr<const OpenKey> Lookup(HKEY key) {
  auto& table = Keys();
  std::lock_guard lock(table.mutex);
  const auto it = table.live.find(reinterpret_cast<const OpenKey*>(key));
  return it == table.live.end() ? nullptr : it->second;
}

// Copies one string value into a caller's buffer the registry's way.
LSTATUS CopyData(const std::string& value, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
  if (type) *type = REG_SZ;
  const DWORD needed = static_cast<DWORD>(value.size() + 1);
  if (!dataSize) return data ? static_cast<LSTATUS>(ERROR_INVALID_PARAMETER) : static_cast<LSTATUS>(ERROR_SUCCESS);
  if (!data) {
    *dataSize = needed;
    return ERROR_SUCCESS;
  }
  if (*dataSize < needed) {
    *dataSize = needed;
    return ERROR_MORE_DATA;
  }
  std::memcpy(data, value.c_str(), needed);
  *dataSize = needed;
  return ERROR_SUCCESS;
}

}  // namespace

LSTATUS RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD /*options*/, REGSAM access, PHKEY result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  if (access & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK)) return ERROR_ACCESS_DENIED;
  HKEY root = key;
  std::string base;
  if (!IsRoot(key)) {
    const auto parent = Lookup(key);
    if (!parent) return ERROR_INVALID_HANDLE;
    // Keys below a served key have no children; an empty sub-key reopens it.
    base = parent->path;
    root = HKEY_LOCAL_MACHINE;
  }
  const std::string path = JoinPath(base, subKey ? subKey : "");
  auto values = ServedKey(root, path);
  if (!values) return ERROR_FILE_NOT_FOUND;
  auto open = std::make_shared<const OpenKey>(OpenKey{path, std::move(*values)});
  auto& table = Keys();
  std::lock_guard lock(table.mutex);
  table.live.emplace(open.get(), open);
  *result = reinterpret_cast<HKEY>(const_cast<OpenKey*>(open.get()));
  return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY key) {
  if (IsRoot(key)) return ERROR_SUCCESS;
  auto& table = Keys();
  std::lock_guard lock(table.mutex);
  return table.live.erase(reinterpret_cast<const OpenKey*>(key)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LSTATUS RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD /*reserved*/, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
  if (IsRoot(key)) return ERROR_FILE_NOT_FOUND;
  const auto k = Lookup(key);
  if (!k) return ERROR_INVALID_HANDLE;
  const std::string wanted = Upper(name ? name : "");
  for (const auto& v : k->values)
    if (!wanted.empty() && Upper(v.name) == wanted) return CopyData(v.data, type, data, dataSize);
  return ERROR_FILE_NOT_FOUND;
}

LSTATUS RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD /*reserved*/, LPDWORD type,
                      LPBYTE data, LPDWORD dataSize) {
  if (!name || !nameSize) return ERROR_INVALID_PARAMETER;
  if (IsRoot(key)) return ERROR_NO_MORE_ITEMS;
  const auto k = Lookup(key);
  if (!k) return ERROR_INVALID_HANDLE;
  if (index >= k->values.size()) return ERROR_NO_MORE_ITEMS;
  const RegValue& v = k->values[index];
  if (*nameSize < v.name.size() + 1) return ERROR_MORE_DATA;
  std::memcpy(name, v.name.c_str(), v.name.size() + 1);
  *nameSize = static_cast<DWORD>(v.name.size());
  return CopyData(v.data, type, data, dataSize);
}
