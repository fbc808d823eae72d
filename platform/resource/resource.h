// Resources of a module. A module (the executable or a shared library)
// carries its resources as a compiled resource file (.res) made at build time
// from its resource script (.rc) and registered, keyed by its own module
// handle, when it is loaded (tav_add_resources in CMake writes that step).
// Tables built at run time can be registered the same way:
//
//   constexpr ModuleResource kResources[] = {{"TEXT", 101, kTable}};
//   static const ModuleResourceRegistration registration(CurrentModuleHandle(), kResources);
//
// FindResource, LoadResource, LockResource and SizeofResource then reach the
// bytes, LoadString the string tables, and the user area the menus, dialog
// templates, accelerators, bitmaps, icons and cursors.
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

// The tables must live as long as the registration (static data does).
// A module may register several tables; the first match wins.
BOOL RegisterModuleResources(HMODULE module, std::span<const ModuleResource> resources);
BOOL UnregisterModuleResources(HMODULE module, std::span<const ModuleResource> resources);
// A compiled resource file: refused whole (FALSE, ERROR_INVALID_DATA) when any
// record does not fit the data. The bytes must outlive the registration.
BOOL RegisterModuleResourceFile(HMODULE module, std::span<const BYTE> file);
BOOL UnregisterModuleResourceFile(HMODULE module, std::span<const BYTE> file);

// Registers for its lifetime: a static object of a module registers when the
// module is loaded and withdraws when it is unloaded.
class ModuleResourceRegistration {
 public:
  ModuleResourceRegistration(HMODULE module, std::span<const ModuleResource> resources)
      : module_(module), resources_(resources) {
    RegisterModuleResources(module_, resources_);
  }
  ~ModuleResourceRegistration() { UnregisterModuleResources(module_, resources_); }
  ModuleResourceRegistration(const ModuleResourceRegistration&) = delete;
  ModuleResourceRegistration& operator=(const ModuleResourceRegistration&) = delete;

 private:
  HMODULE module_;
  std::span<const ModuleResource> resources_;
};

class ModuleResourceFileRegistration {
 public:
  ModuleResourceFileRegistration(HMODULE module, std::span<const BYTE> file) : module_(module), file_(file) {
    RegisterModuleResourceFile(module_, file_);
  }
  ~ModuleResourceFileRegistration() { UnregisterModuleResourceFile(module_, file_); }
  ModuleResourceFileRegistration(const ModuleResourceFileRegistration&) = delete;
  ModuleResourceFileRegistration& operator=(const ModuleResourceFileRegistration&) = delete;

 private:
  HMODULE module_;
  std::span<const BYTE> file_;
};

// Type and name by MAKEINTRESOURCE, by text, or as "#123". A null module is
// the executable.
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
HRSRC FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language);
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HRSRC FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL resource);
DWORD SizeofResource(HMODULE module, HRSRC resource);
// Compiled-in resources are never unloaded; returns FALSE like the system.
BOOL FreeResource(HGLOBAL resource);

// Copies string id into buffer (at most bufferMax - 1 characters, whole
// characters only, terminated) and returns its length; 0 when the module has no
// such string (or a null buffer, ERROR_INVALID_PARAMETER). LoadStringW with bufferMax 0 stores a read-only pointer to the
// string (not terminated) in *buffer instead.
int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax);
int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);

// A bitmap resource (RT_BITMAP) as a bitmap compatible with the screen; null
// when there is none or its header, colour table or pixels do not fit its data.
HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name);
HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name);
