// What the other areas of the layer (menus, dialogs, icons, bitmaps) use of
// the resource registry: keys from the caller's A/W forms and the bytes of a
// resource, bounded.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/kernel/types.h"
#include "platform/resource/res_name.h"

namespace resource {

// MAKEINTRESOURCE ordinals, "#123" and texts; nullopt for a null or malformed key.
std::optional<ResName> KeyFromA(LPCSTR key);
std::optional<ResName> KeyFromW(LPCWSTR key);

// The bytes of a module's resource (a null module is the executable); empty,
// with the last error set, when there is none.
std::optional<std::span<const uint8_t>> FindResourceData(HMODULE module, const ResName& type, const ResName& name);

// The registered resource data that holds address, from address to the end
// of that resource; empty when address lies in no registered resource. Lets
// an indirect template that came from a resource be read within its bounds.
std::span<const uint8_t> RegisteredDataFrom(const void* address);

// The resource of `type` that goes with the registered resource starting at
// `address`: the same module and name, another type (a dialog's menu record
// beside the dialog); empty when there is none.
std::span<const uint8_t> CompanionOf(const void* address, const ResName& type);

}  // namespace resource
