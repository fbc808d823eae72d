// Modules: the executable and the shared libraries loaded with it, each
// named by its load address.
#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/kernel/kernel_internal.h"
#include "platform/nls/nls.h"

namespace {

struct LoadedModule {
  HMODULE base;
  std::string path;
};

// Every loaded object with its load address and file name (empty for the executable).
std::vector<LoadedModule> LoadedModules() {
  std::vector<LoadedModule> modules;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* out) {
        for (int i = 0; i < info->dlpi_phnum; ++i) {
          if (info->dlpi_phdr[i].p_type != PT_LOAD) continue;
          const void* segment = reinterpret_cast<const void*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr);
          if (HMODULE base = ModuleFromAddress(segment)) {
            static_cast<std::vector<LoadedModule>*>(out)->push_back({base, info->dlpi_name ? info->dlpi_name : ""});
          }
          break;
        }
        return 0;
      },
      &modules);
  return modules;
}

HMODULE ExecutableModule() {
  static const HMODULE exe = [] {
    const std::vector<LoadedModule> modules = LoadedModules();
    return modules.empty() ? nullptr : modules.front().base;
  }();
  return exe;
}

std::string ExecutablePath() {
  std::vector<char> buffer(PATH_MAX);
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  return n > 0 ? std::string(buffer.data(), static_cast<size_t>(n)) : std::string();
}

// The OS path of a module's file, or empty when the handle names no module.
std::string ModulePath(HMODULE module) {
  if (!module || module == ExecutableModule()) return ExecutablePath();
  Dl_info info{};
  if (!::dladdr(module, &info) || info.dli_fbase != static_cast<void*>(module) || !info.dli_fname) return {};
  char resolved[PATH_MAX];
  return ::realpath(info.dli_fname, resolved) ? std::string(resolved) : std::string(info.dli_fname);
}

}  // namespace

HMODULE ModuleFromAddress(const void* address) {
  Dl_info info{};
  if (!address || !::dladdr(address, &info)) return nullptr;
  return static_cast<HMODULE>(info.dli_fbase);
}

HMODULE GetModuleHandleA(LPCSTR moduleName) {
  if (!moduleName) return ExecutableModule();
  const std::string wanted(moduleName);
  const bool withFolder = wanted.find('/') != std::string::npos;
  for (const LoadedModule& m : LoadedModules()) {
    const std::string path = m.path.empty() ? ExecutablePath() : m.path;
    const std::string name = withFolder ? path : path.substr(path.rfind('/') + 1);
    if (kernel::AnsiName(name) == wanted) return m.base;
  }
  kernel::Fail(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

BOOL GetModuleHandleExA(DWORD flags, LPCSTR moduleNameOrAddress, HMODULE* module) {
  if (!module) return kernel::Fail(ERROR_INVALID_PARAMETER);
  *module = (flags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) ? ModuleFromAddress(moduleNameOrAddress)
                                                             : GetModuleHandleA(moduleNameOrAddress);
  return *module ? TRUE : kernel::Fail(ERROR_MOD_NOT_FOUND);
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
  const std::string path = ModulePath(module);
  if (path.empty()) {
    kernel::Fail(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  const std::string name = kernel::AnsiName(path);
  if (!fileName || size == 0) {
    kernel::Fail(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  // Too small a buffer gets the name cut short, terminated, and the size back.
  const size_t n = std::min<size_t>(name.size(), size - 1);
  std::memcpy(fileName, name.data(), n);
  fileName[n] = '\0';
  if (name.size() >= size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(n);
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
  const std::string path = ModulePath(module);
  if (path.empty()) {
    kernel::Fail(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (!fileName || size == 0) {
    kernel::Fail(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  const int units = MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
  std::u16string wide(static_cast<size_t>(std::max(units, 0)), u'\0');
  if (units > 0) MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), wide.data(), units);
  const size_t n = std::min<size_t>(wide.size(), size - 1);
  std::memcpy(fileName, wide.data(), n * sizeof(WCHAR));
  fileName[n] = u'\0';
  if (wide.size() >= size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(n);
}
