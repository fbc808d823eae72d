// What the common controls share inside: their state object in the window's
// first extra bytes and the font to draw with (notifications are notify.h's,
// bounded text copies text_buffers.h's).
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "platform/comctl/comctl_common.h"
#include "platform/comctl/text_buffers.h"
#include "platform/gdi/gdi.h"
#include "platform/nls/nls.h"
#include "platform/resource/resource.h"
#include "platform/user/controls/control_support.h"
#include "platform/user/controls/controls.h"

namespace comctl {

// The state object in the window's extra bytes and the font to draw with
// are the standard controls' own.
using controls::DrawingFont;
using controls::DropState;
using controls::MakeState;
using controls::StateOf;

// The text height of a font, for layout.
int FontHeight(HFONT font);
int TextWidth(HFONT font, std::u16string_view text);

}  // namespace comctl
