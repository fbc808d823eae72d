// The stored block of the label setup: the first 726 bytes of the record,
// member by member at their offsets, little-endian. The bytes of the string,
// map and array members (154-341) and the reserved bytes are written as
// zeros and ignored on reading.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "fields/services/label_setup.h"

using LabelSetupBlock = std::array<uint8_t, CLabelSetup::kStoredSize>;

// The block of a setup.
LabelSetupBlock PutLabelSetupBlock(const CLabelSetup& setup);
// Takes every stored number from a block of at least 726 bytes (a shorter
// stored block is read into zeroed bytes first, so its missing members
// read as 0).
void GetLabelSetupBlock(CLabelSetup& setup, std::span<const uint8_t, CLabelSetup::kStoredSize> block);
// Copies every stored number from other (what CopyFrom copies without the
// strings).
void CopyLabelSetupNumbers(CLabelSetup& setup, const CLabelSetup& other);
