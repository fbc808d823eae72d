// The registry of module resources: tables registered at run time and
// compiled resource files, both kept as one list of entries.
#include "platform/resource/resource.h"

#include <algorithm>
#include <cstdlib>
#include <list>
#include <mutex>

#include "platform/kernel/kernel_internal.h"
#include "platform/nls/nls.h"
#include "platform/resource/res_file.h"
#include "platform/resource/resource_internal.h"

namespace resource {
namespace {

struct Entry {
  HMODULE module;
  const void* source;  // the registered table or file, for withdrawal
  ResName type;
  ResName name;
  std::span<const uint8_t> data;
};

struct Registry {
  std::mutex mutex;
  std::list<Entry> entries;  // stable addresses: an HRSRC is an entry's address
};

Registry& TheRegistry() {
  static Registry* registry = new Registry;  // modules unregister during static destruction
  return *registry;
}

HMODULE Resolve(HMODULE module) { return module ? module : GetModuleHandleA(nullptr); }

ResName FromKey(const ResourceKey& key) {
  ResName name;
  if (!key.name) {
    name.ordinal = key.id;
    return name;
  }
  for (const char* p = key.name; *p; ++p) name.text.push_back(static_cast<char16_t>(static_cast<unsigned char>(*p)));
  return name;
}

bool Matches(const ResName& stored, const ResName& wanted) {
  if (stored.IsOrdinal() || wanted.IsOrdinal()) return stored.IsOrdinal() && wanted.IsOrdinal() && stored.ordinal == wanted.ordinal;
  return SameNameNoCase(stored.text, wanted.text);
}

// "#123" names ordinal 123.
std::optional<ResName> FromText(std::u16string_view text) {
  if (text.empty()) return std::nullopt;
  if (text.front() != u'#') return ResName{0, std::u16string(text)};
  if (text.size() < 2 || text.size() > 6) return std::nullopt;
  uint32_t n = 0;
  for (char16_t c : text.substr(1)) {
    if (c < u'0' || c > u'9') return std::nullopt;
    n = n * 10 + static_cast<uint32_t>(c - u'0');
  }
  if (n > 0xFFFF) return std::nullopt;
  return ResName{static_cast<WORD>(n), {}};
}

const Entry* Lookup(HMODULE module, const ResName& type, const ResName& name, DWORD& error) {
  module = Resolve(module);
  bool typeFound = false;
  for (const Entry& e : TheRegistry().entries) {
    if (e.module != module || !Matches(e.type, type)) continue;
    typeFound = true;
    if (Matches(e.name, name)) return &e;
  }
  error = typeFound ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND;
  return nullptr;
}

const Entry* EntryOf(const void* handle) {
  for (const Entry& e : TheRegistry().entries) {
    if (&e == handle) return &e;
  }
  return nullptr;
}

HRSRC Find(HMODULE module, const std::optional<ResName>& name, const std::optional<ResName>& type) {
  if (!name || !type) {
    kernel::Fail(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  Registry& reg = TheRegistry();
  std::lock_guard lock(reg.mutex);
  DWORD error = 0;
  if (const Entry* e = Lookup(module, *type, *name, error)) return reinterpret_cast<HRSRC>(const_cast<Entry*>(e));
  kernel::Fail(error);
  return nullptr;
}

void Withdraw(HMODULE module, const void* source, bool& found) {
  Registry& reg = TheRegistry();
  std::lock_guard lock(reg.mutex);
  found = false;
  for (auto it = reg.entries.begin(); it != reg.entries.end();) {
    if (it->module == module && it->source == source) {
      it = reg.entries.erase(it);
      found = true;
    } else {
      ++it;
    }
  }
}

}  // namespace

std::optional<ResName> KeyFromA(LPCSTR key) {
  if (!key) return std::nullopt;
  if (IS_INTRESOURCE(key)) return ResName{static_cast<WORD>(reinterpret_cast<uintptr_t>(key)), {}};
  const std::string_view narrow(key);
  std::u16string text(narrow.size(), u'\0');
  std::transform(narrow.begin(), narrow.end(), text.begin(),
                 [](char c) { return static_cast<char16_t>(static_cast<unsigned char>(c)); });
  return FromText(text);
}

std::optional<ResName> KeyFromW(LPCWSTR key) {
  if (!key) return std::nullopt;
  if (IS_INTRESOURCE(key)) return ResName{static_cast<WORD>(reinterpret_cast<uintptr_t>(key)), {}};
  return FromText(std::u16string_view(key));
}

std::optional<std::span<const uint8_t>> FindResourceData(HMODULE module, const ResName& type, const ResName& name) {
  Registry& reg = TheRegistry();
  std::lock_guard lock(reg.mutex);
  DWORD error = 0;
  if (const Entry* e = Lookup(module, type, name, error)) return e->data;
  kernel::Fail(error);
  return std::nullopt;
}

std::span<const uint8_t> RegisteredDataFrom(const void* address) {
  const auto* p = static_cast<const uint8_t*>(address);
  Registry& reg = TheRegistry();
  std::lock_guard lock(reg.mutex);
  for (const Entry& e : reg.entries) {
    const uint8_t* begin = e.data.data();
    if (begin && std::less_equal<>()(begin, p) && std::less<>()(p, begin + e.data.size()))
      return e.data.subspan(static_cast<size_t>(p - begin));
  }
  return {};
}

std::span<const uint8_t> CompanionOf(const void* address, const ResName& type) {
  Registry& reg = TheRegistry();
  std::lock_guard lock(reg.mutex);
  const auto holder = std::find_if(reg.entries.begin(), reg.entries.end(),
                                   [&](const Entry& e) { return e.data.data() == address && !e.data.empty(); });
  if (holder == reg.entries.end()) return {};
  for (const Entry& e : reg.entries)
    if (e.module == holder->module && Matches(e.type, type) && Matches(e.name, holder->name)) return e.data;
  return {};
}

}  // namespace resource

using resource::Entry;

BOOL RegisterModuleResources(HMODULE module, std::span<const ModuleResource> resources) {
  if (!module) return kernel::Fail(ERROR_INVALID_PARAMETER);
  resource::Registry& reg = resource::TheRegistry();
  std::lock_guard lock(reg.mutex);
  for (const ModuleResource& r : resources)
    reg.entries.push_back({module, resources.data(), resource::FromKey(r.type), resource::FromKey(r.name), r.data});
  return TRUE;
}

BOOL UnregisterModuleResources(HMODULE module, std::span<const ModuleResource> resources) {
  bool found = false;
  resource::Withdraw(module, resources.data(), found);
  return found || resources.empty() ? TRUE : kernel::Fail(ERROR_INVALID_PARAMETER);
}

BOOL RegisterModuleResourceFile(HMODULE module, std::span<const BYTE> file) {
  if (!module) return kernel::Fail(ERROR_INVALID_PARAMETER);
  std::vector<resource::ResEntry> parsed;
  if (!resource::ParseResFile(file, parsed)) return kernel::Fail(ERROR_INVALID_DATA);
  resource::Registry& reg = resource::TheRegistry();
  std::lock_guard lock(reg.mutex);
  for (resource::ResEntry& r : parsed)
    reg.entries.push_back({module, file.data(), std::move(r.type), std::move(r.name), r.data});
  return TRUE;
}

BOOL UnregisterModuleResourceFile(HMODULE module, std::span<const BYTE> file) {
  bool found = false;
  resource::Withdraw(module, file.data(), found);
  return found ? TRUE : kernel::Fail(ERROR_INVALID_PARAMETER);
}

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
  return resource::Find(module, resource::KeyFromA(name), resource::KeyFromA(type));
}

HRSRC FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD) { return FindResourceA(module, name, type); }

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
  return resource::Find(module, resource::KeyFromW(name), resource::KeyFromW(type));
}

HRSRC FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD) { return FindResourceW(module, name, type); }

HGLOBAL LoadResource(HMODULE, HRSRC handle) {
  resource::Registry& reg = resource::TheRegistry();
  std::lock_guard lock(reg.mutex);
  if (!resource::EntryOf(handle)) {
    kernel::Fail(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  return handle;
}

LPVOID LockResource(HGLOBAL handle) {
  resource::Registry& reg = resource::TheRegistry();
  std::lock_guard lock(reg.mutex);
  const Entry* e = resource::EntryOf(handle);
  return e ? const_cast<uint8_t*>(e->data.data()) : nullptr;
}

DWORD SizeofResource(HMODULE, HRSRC handle) {
  resource::Registry& reg = resource::TheRegistry();
  std::lock_guard lock(reg.mutex);
  const Entry* e = resource::EntryOf(handle);
  if (!e) {
    kernel::Fail(ERROR_RESOURCE_DATA_NOT_FOUND);
    return 0;
  }
  return static_cast<DWORD>(e->data.size());
}

BOOL FreeResource(HGLOBAL) { return FALSE; }
