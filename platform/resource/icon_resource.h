// Icons and cursors as resources store them: a group directory (RT_GROUP_ICON,
// RT_GROUP_CURSOR) listing images of several sizes and depths by resource id,
// and each image (RT_ICON, RT_CURSOR; a cursor image starts with its hot
// spot) as a device-independent bitmap of twice the height: the colour
// picture, then a 1-bit AND mask.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/kernel/types.h"

namespace resource {

struct IconDirectoryEntry {
  int width = 0;
  int height = 0;  // of the picture (a cursor directory stores twice this)
  int bitCount = 0;
  DWORD bytes = 0;
  WORD id = 0;
};

struct IconDirectory {
  bool cursor = false;
  std::vector<IconDirectoryEntry> entries;
};

bool ParseIconDirectory(std::span<const uint8_t> data, IconDirectory& out);

// The entry closest to the wanted size (0: the system size of 32), deepest
// colour first among equals; -1 for an empty directory.
int ChooseIconEntry(const IconDirectory& directory, int width, int height);

// One image decoded to 32-bit pixels (blue, green, red, alpha; top row
// first) and its mask (1 = transparent; one byte a pixel).
struct IconImage {
  int width = 0;
  int height = 0;
  POINT hotSpot{};
  bool hasAlpha = false;  // a 32-bit image whose alpha channel is used
  std::vector<uint32_t> pixels;
  std::vector<uint8_t> mask;
};

// Reads an RT_ICON image, or an RT_CURSOR one when cursor is true. Sizes up
// to 256 x 256 pixels of 1, 4, 8, 24 or 32 bits; anything else is refused.
bool ParseIconImage(std::span<const uint8_t> data, bool cursor, IconImage& out);

}  // namespace resource
