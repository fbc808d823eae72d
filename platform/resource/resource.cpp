// The registry of compiled-in module resources.
#include "platform/resource/resource.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "platform/kernel/kernel_internal.h"
#include "platform/nls/nls.h"
#include "platform/nls/nls_codepages.h"

namespace {

struct Registration {
  HMODULE module;
  std::span<const ModuleResource> resources;
  std::span<const ModuleString> strings;
};

struct Registry {
  std::mutex mutex;
  std::vector<Registration> registrations;
};

Registry& TheRegistry() {
  static Registry* registry = new Registry;  // modules unregister during static destruction
  return *registry;
}

HMODULE Resolve(HMODULE module) { return module ? module : GetModuleHandleA(nullptr); }

bool EqualNoCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    const char x = (*a >= 'a' && *a <= 'z') ? static_cast<char>(*a - 32) : *a;
    const char y = (*b >= 'a' && *b <= 'z') ? static_cast<char>(*b - 32) : *b;
    if (x != y) return false;
  }
  return *a == *b;
}

// Whether a key given by the caller (a number by MAKEINTRESOURCE, "#n", or a
// text) names the registered key.
bool Matches(const ResourceKey& key, LPCSTR wanted) {
  if (IS_INTRESOURCE(wanted)) return !key.name && key.id == static_cast<WORD>(reinterpret_cast<uintptr_t>(wanted));
  if (wanted[0] == '#') {
    char* end = nullptr;
    const long n = std::strtol(wanted + 1, &end, 10);
    return *end == '\0' && n >= 0 && n <= 0xFFFF && !key.name && key.id == n;
  }
  return key.name && EqualNoCase(key.name, wanted);
}

bool SameTables(const Registration& r, std::span<const ModuleResource> resources, std::span<const ModuleString> strings) {
  return r.resources.data() == resources.data() && r.resources.size() == resources.size() &&
         r.strings.data() == strings.data() && r.strings.size() == strings.size();
}

// The registered entry a handle stands for, or null.
const ModuleResource* Entry(const void* handle) {
  Registry& reg = TheRegistry();
  std::lock_guard lock(reg.mutex);
  for (const Registration& r : reg.registrations) {
    for (const ModuleResource& res : r.resources) {
      if (&res == handle) return &res;
    }
  }
  return nullptr;
}

const ModuleString* FindString(HMODULE module, UINT id) {
  module = Resolve(module);
  Registry& reg = TheRegistry();
  std::lock_guard lock(reg.mutex);
  for (const Registration& r : reg.registrations) {
    if (r.module != module) continue;
    for (const ModuleString& s : r.strings) {
      if (s.id == id) return &s;
    }
  }
  return nullptr;
}

}  // namespace

BOOL RegisterModuleResources(HMODULE module, std::span<const ModuleResource> resources,
                             std::span<const ModuleString> strings) {
  if (!module) return kernel::Fail(ERROR_INVALID_PARAMETER);
  Registry& reg = TheRegistry();
  std::lock_guard lock(reg.mutex);
  reg.registrations.push_back({module, resources, strings});
  return TRUE;
}

BOOL UnregisterModuleResources(HMODULE module, std::span<const ModuleResource> resources,
                               std::span<const ModuleString> strings) {
  Registry& reg = TheRegistry();
  std::lock_guard lock(reg.mutex);
  auto it = std::find_if(reg.registrations.begin(), reg.registrations.end(), [&](const Registration& r) {
    return r.module == module && SameTables(r, resources, strings);
  });
  if (it == reg.registrations.end()) return kernel::Fail(ERROR_INVALID_PARAMETER);
  reg.registrations.erase(it);
  return TRUE;
}

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
  if (!name || !type) {
    kernel::Fail(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  module = Resolve(module);
  Registry& reg = TheRegistry();
  std::lock_guard lock(reg.mutex);
  bool typeFound = false;
  for (const Registration& r : reg.registrations) {
    if (r.module != module) continue;
    for (const ModuleResource& res : r.resources) {
      if (!Matches(res.type, type)) continue;
      typeFound = true;
      if (Matches(res.name, name)) return reinterpret_cast<HRSRC>(const_cast<ModuleResource*>(&res));
    }
  }
  kernel::Fail(typeFound ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
  return nullptr;
}

HRSRC FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD) { return FindResourceA(module, name, type); }

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
  if (!Entry(resource)) {
    kernel::Fail(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  return resource;
}

LPVOID LockResource(HGLOBAL resource) {
  const ModuleResource* res = Entry(resource);
  return res ? const_cast<BYTE*>(res->data.data()) : nullptr;
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
  const ModuleResource* res = Entry(resource);
  if (!res) {
    kernel::Fail(ERROR_RESOURCE_DATA_NOT_FOUND);
    return 0;
  }
  return static_cast<DWORD>(res->data.size());
}

BOOL FreeResource(HGLOBAL) { return FALSE; }

int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax) {
  if (!buffer || bufferMax < 0) {
    kernel::Fail(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const ModuleString* s = FindString(instance, id);
  if (!s) {
    kernel::Fail(ERROR_RESOURCE_NAME_NOT_FOUND);
    if (bufferMax > 0) buffer[0] = u'\0';
    return 0;
  }
  if (bufferMax == 0) {
    *reinterpret_cast<LPCWSTR*>(buffer) = s->text.data();
    return static_cast<int>(s->text.size());
  }
  size_t n = std::min<size_t>(s->text.size(), static_cast<size_t>(bufferMax - 1));
  // Never keep half of a surrogate pair.
  if (n > 0 && n < s->text.size() && s->text[n - 1] >= 0xD800 && s->text[n - 1] <= 0xDBFF) --n;
  std::copy_n(s->text.data(), n, buffer);
  buffer[n] = u'\0';
  return static_cast<int>(n);
}

int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax) {
  if (!buffer || bufferMax <= 0) {
    kernel::Fail(ERROR_INVALID_PARAMETER);
    return 0;
  }
  buffer[0] = '\0';
  const ModuleString* s = FindString(instance, id);
  if (!s) {
    kernel::Fail(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  if (s->text.empty()) return 0;
  const int units = static_cast<int>(s->text.size());
  const int bytes = WideCharToMultiByte(CP_ACP, 0, s->text.data(), units, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(std::max(bytes, 0)), '\0');
  if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, s->text.data(), units, text.data(), bytes, nullptr, nullptr);
  // Cut at a character boundary so no lead byte is left without its trail.
  const nls::CodePageInfo* cp = nls::FindCodePage(CP_ACP);
  size_t n = 0;
  while (n < text.size()) {
    const size_t len = cp ? nls::CharLength(*cp, text.data() + n, text.size() - n) : 1;
    if (n + len > static_cast<size_t>(bufferMax - 1)) break;
    n += len;
  }
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}
