// The rotation list of the field dialogs: 0, 15 ... 345 degrees, the right
// angles followed by a line of hyphens, and the field's own angle as the
// edit's text (tenths of a degree as before; a finer angle keeps its
// thousandths, so an unchanged OK keeps it).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/kernel/types.h"

// Fills the combo when it is empty and shows the rotation (thousandths of a
// degree); returns the text shown.
std::string FillRotationList(HWND combo, int32_t rotation);
// The angle typed, in thousandths of a degree (0 to 360 degrees, 360 being
// 0); nothing for a text outside that range.
std::optional<int32_t> ParseRotationText(const std::string& text);
