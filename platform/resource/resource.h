// Resources compiled into a module. A module (the executable or a shared
// library) registers its tables when it is loaded, keyed by its own module
// handle, and withdraws them when it is unloaded:
//
//   constexpr BYTE kTable[] = {...};
//   constexpr ModuleResource kResources[] = {{"TEXT", 101, kTable}};
//   constexpr ModuleString kStrings[] = {{1, u"Hello"}};
//   static const ModuleResourceRegistration registration(CurrentModuleHandle(), kResources, kStrings);
//
// FindResourceA, LoadResource, LockResource and SizeofResource then reach the
// bytes, and LoadStringA/LoadStringW the strings.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/kernel/kernel.h"
#include "platform/kernel/types.h"

inline LPSTR MAKEINTRESOURCEA(WORD id) { return reinterpret_cast<LPSTR>(static_cast<uintptr_t>(id)); }
inline LPWSTR MAKEINTRESOURCEW(WORD id) { return reinterpret_cast<LPWSTR>(static_cast<uintptr_t>(id)); }
inline LPSTR MAKEINTRESOURCE(WORD id) { return MAKEINTRESOURCEA(id); }
inline bool IS_INTRESOURCE(const void* p) { return (reinterpret_cast<uintptr_t>(p) >> 16) == 0; }

inline const LPCSTR RT_CURSOR = MAKEINTRESOURCEA(1);
inline const LPCSTR RT_BITMAP = MAKEINTRESOURCEA(2);
inline const LPCSTR RT_ICON = MAKEINTRESOURCEA(3);
inline const LPCSTR RT_MENU = MAKEINTRESOURCEA(4);
inline const LPCSTR RT_DIALOG = MAKEINTRESOURCEA(5);
inline const LPCSTR RT_STRING = MAKEINTRESOURCEA(6);
inline const LPCSTR RT_ACCELERATOR = MAKEINTRESOURCEA(9);
inline const LPCSTR RT_RCDATA = MAKEINTRESOURCEA(10);
inline const LPCSTR RT_GROUP_CURSOR = MAKEINTRESOURCEA(12);
inline const LPCSTR RT_GROUP_ICON = MAKEINTRESOURCEA(14);
inline const LPCSTR RT_VERSION = MAKEINTRESOURCEA(16);

// A resource type or name: a number, or a text compared without ASCII case.
struct ResourceKey {
  WORD id = 0;
  const char* name = nullptr;
  constexpr ResourceKey(int number) : id(static_cast<WORD>(number)) {}
  constexpr ResourceKey(const char* text) : name(text) {}
};

struct ModuleResource {
  ResourceKey type;
  ResourceKey name;
  std::span<const BYTE> data;
};

// One entry of the string table (RT_STRING).
struct ModuleString {
  UINT id;
  std::u16string_view text;
};

// The tables must live as long as the registration (static data does).
// A module may register several tables; the first match wins.
BOOL RegisterModuleResources(HMODULE module, std::span<const ModuleResource> resources,
                             std::span<const ModuleString> strings);
BOOL UnregisterModuleResources(HMODULE module, std::span<const ModuleResource> resources,
                               std::span<const ModuleString> strings);

// Registers for its lifetime: a static object of a module registers when the
// module is loaded and withdraws when it is unloaded.
class ModuleResourceRegistration {
 public:
  ModuleResourceRegistration(HMODULE module, std::span<const ModuleResource> resources,
                             std::span<const ModuleString> strings = {})
      : module_(module), resources_(resources), strings_(strings) {
    RegisterModuleResources(module_, resources_, strings_);
  }
  ~ModuleResourceRegistration() { UnregisterModuleResources(module_, resources_, strings_); }
  ModuleResourceRegistration(const ModuleResourceRegistration&) = delete;
  ModuleResourceRegistration& operator=(const ModuleResourceRegistration&) = delete;

 private:
  HMODULE module_;
  std::span<const ModuleResource> resources_;
  std::span<const ModuleString> strings_;
};

// Type and name by MAKEINTRESOURCE, by text, or as "#123". A null module is
// the executable.
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
HRSRC FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL resource);
DWORD SizeofResource(HMODULE module, HRSRC resource);
// Compiled-in resources are never unloaded; returns FALSE like the system.
BOOL FreeResource(HGLOBAL resource);

// Copies string id into buffer (at most bufferMax - 1 characters, whole
// characters only, terminated) and returns its length; 0 when the module has no
// such string. LoadStringW with bufferMax 0 stores a read-only pointer to the
// string (not terminated) in *buffer instead.
int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax);
int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);
