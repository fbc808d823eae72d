// Loading icons and cursors from module resources.
#include "platform/user/module_icons.h"

#include <vector>

#include "platform/kernel/kernel.h"
#include "platform/resource/icon_resource.h"
#include "platform/resource/resource_internal.h"

namespace user {

HICON LoadModuleIcon(HINSTANCE module, const std::optional<resource::ResName>& name, bool cursor) {
  if (!name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const WORD groupType = cursor ? 12 : 14;  // RT_GROUP_CURSOR, RT_GROUP_ICON
  const WORD imageType = cursor ? 1 : 3;    // RT_CURSOR, RT_ICON
  const auto group = resource::FindResourceData(module, resource::ResName{groupType, {}}, *name);
  if (!group) return nullptr;
  resource::IconDirectory directory;
  if (!resource::ParseIconDirectory(*group, directory) || directory.cursor != cursor) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  const int chosen = resource::ChooseIconEntry(directory, 0, 0);
  if (chosen < 0) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  const auto data = resource::FindResourceData(module, resource::ResName{imageType, {}},
                                               resource::ResName{directory.entries[static_cast<size_t>(chosen)].id, {}});
  resource::IconImage image;
  if (!data || !resource::ParseIconImage(*data, cursor, image)) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  // Masked pixels become transparent; an image without alpha is opaque elsewhere.
  std::vector<DWORD> pixels(image.pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) {
    const uint32_t p = image.pixels[i];
    const uint32_t alpha = image.mask[i] ? 0 : (image.hasAlpha ? (p >> 24) : 0xFF);
    pixels[i] = (p & 0xFFFFFFu) | (alpha << 24);
  }
  return CreateIconFromPixels(image.width, image.height, pixels.data(), image.hotSpot, cursor);
}

}  // namespace user
