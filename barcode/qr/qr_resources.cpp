// The QR Code tables' "TEXT" resources, found through the resource calls of
// the module this code is part of: the library, or a test program that links
// the library's core.
#include "barcode/qr/qr_embedded.h"
#include "barcode/qr/qr_versions.h"
#include "platform/resource/resource.h"

namespace kalvo::qr {

std::span<const uint8_t> FindQrTextResource(int id) {
  const HMODULE module = CurrentModuleHandle();
  // Registered for as long as the module is loaded.
  static const ModuleResourceFileRegistration registration(module, QrTextResourceFile());
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(static_cast<WORD>(id)), kTableResourceType);
  if (resource == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, resource);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return {};
  return {static_cast<const uint8_t*>(bytes), SizeofResource(module, resource)};
}

}  // namespace kalvo::qr
