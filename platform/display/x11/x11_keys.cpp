// Tables between X and the window system: key symbols to virtual-key codes
// and characters, cursor numbers to the theme's names and the core font's
// shapes; and text as UTF-8.
#include <X11/cursorfont.h>
#include <X11/keysym.h>

#include <algorithm>
#include <array>

#include "platform/display/x11/x11_display.h"
#include "platform/nls/nls_text.h"

namespace display::x11 {
namespace {

struct KeyRow {
  KeySym symbol;
  int vk;
};
// Keys that are not letters or digits; punctuation as on a US keyboard (the
// OEM codes). Virtual-key values are the documented ones.
constexpr std::array kKeys{
    KeyRow{XK_BackSpace, 0x08}, KeyRow{XK_Tab, 0x09},       KeyRow{XK_ISO_Left_Tab, 0x09},
    KeyRow{XK_Return, 0x0D},    KeyRow{XK_KP_Enter, 0x0D},  KeyRow{XK_Shift_L, 0x10},
    KeyRow{XK_Shift_R, 0x10},   KeyRow{XK_Control_L, 0x11}, KeyRow{XK_Control_R, 0x11},
    KeyRow{XK_Alt_L, 0x12},     KeyRow{XK_Alt_R, 0x12},     KeyRow{XK_Meta_L, 0x12},
    KeyRow{XK_Meta_R, 0x12},    KeyRow{XK_Pause, 0x13},     KeyRow{XK_Caps_Lock, 0x14},
    KeyRow{XK_Escape, 0x1B},    KeyRow{XK_space, 0x20},     KeyRow{XK_Prior, 0x21},
    KeyRow{XK_Next, 0x22},      KeyRow{XK_End, 0x23},       KeyRow{XK_Home, 0x24},
    KeyRow{XK_Left, 0x25},      KeyRow{XK_Up, 0x26},        KeyRow{XK_Right, 0x27},
    KeyRow{XK_Down, 0x28},      KeyRow{XK_Print, 0x2C},     KeyRow{XK_Insert, 0x2D},
    KeyRow{XK_Delete, 0x2E},    KeyRow{XK_KP_Home, 0x24},   KeyRow{XK_KP_Left, 0x25},
    KeyRow{XK_KP_Up, 0x26},     KeyRow{XK_KP_Right, 0x27},  KeyRow{XK_KP_Down, 0x28},
    KeyRow{XK_KP_Prior, 0x21},  KeyRow{XK_KP_Next, 0x22},   KeyRow{XK_KP_End, 0x23},
    KeyRow{XK_KP_Insert, 0x2D}, KeyRow{XK_KP_Delete, 0x2E}, KeyRow{XK_Super_L, 0x5B},
    KeyRow{XK_Super_R, 0x5C},   KeyRow{XK_Menu, 0x5D},      KeyRow{XK_KP_Multiply, 0x6A},
    KeyRow{XK_KP_Add, 0x6B},    KeyRow{XK_KP_Subtract, 0x6D}, KeyRow{XK_KP_Decimal, 0x6E},
    KeyRow{XK_KP_Divide, 0x6F}, KeyRow{XK_Num_Lock, 0x90},  KeyRow{XK_Scroll_Lock, 0x91},
    KeyRow{XK_semicolon, 0xBA}, KeyRow{XK_equal, 0xBB},     KeyRow{XK_comma, 0xBC},
    KeyRow{XK_minus, 0xBD},     KeyRow{XK_period, 0xBE},    KeyRow{XK_slash, 0xBF},
    KeyRow{XK_grave, 0xC0},     KeyRow{XK_bracketleft, 0xDB}, KeyRow{XK_backslash, 0xDC},
    KeyRow{XK_bracketright, 0xDD}, KeyRow{XK_apostrophe, 0xDE},
};

constexpr std::array kCursors{
    CursorLook{32512, "left_ptr", XC_left_ptr},           CursorLook{32513, "xterm", XC_xterm},
    CursorLook{32514, "watch", XC_watch},                 CursorLook{32515, "crosshair", XC_crosshair},
    CursorLook{32516, "sb_up_arrow", XC_sb_up_arrow},     CursorLook{32642, "bottom_right_corner", XC_bottom_right_corner},
    CursorLook{32643, "bottom_left_corner", XC_bottom_left_corner}, CursorLook{32644, "sb_h_double_arrow", XC_sb_h_double_arrow},
    CursorLook{32645, "sb_v_double_arrow", XC_sb_v_double_arrow}, CursorLook{32646, "fleur", XC_fleur},
    CursorLook{32648, "not-allowed", XC_X_cursor},        CursorLook{32649, "hand2", XC_hand2},
    CursorLook{32650, "left_ptr_watch", XC_watch},        CursorLook{32651, "question_arrow", XC_question_arrow},
};

}  // namespace

int VirtualKeyOf(KeySym symbol) {
  if (symbol >= XK_a && symbol <= XK_z) return static_cast<int>('A' + (symbol - XK_a));
  if (symbol >= XK_A && symbol <= XK_Z) return static_cast<int>(symbol);
  if (symbol >= XK_0 && symbol <= XK_9) return static_cast<int>(symbol);
  if (symbol >= XK_KP_0 && symbol <= XK_KP_9) return static_cast<int>(0x60 + (symbol - XK_KP_0));
  if (symbol >= XK_F1 && symbol <= XK_F24) return static_cast<int>(0x70 + (symbol - XK_F1));
  for (const KeyRow& row : kKeys)
    if (row.symbol == symbol) return row.vk;
  return 0;
}

char32_t CharacterOf(KeySym symbol) {
  // Latin-1 symbols are their code points; others name theirs above 0x1000000.
  if ((symbol >= 0x20 && symbol <= 0x7E) || (symbol >= 0xA0 && symbol <= 0xFF)) return static_cast<char32_t>(symbol);
  if (symbol >= 0x1000100 && symbol <= 0x110FFFF) return static_cast<char32_t>(symbol - 0x1000000);
  if (symbol >= XK_KP_0 && symbol <= XK_KP_9) return static_cast<char32_t>('0' + (symbol - XK_KP_0));
  return 0;
}

const CursorLook* CursorLookOf(int cursorId) {
  for (const CursorLook& c : kCursors)
    if (c.id == cursorId) return &c;
  return nullptr;
}

// Text crosses to the desktop as UTF-8, through the code-page area.
std::string ToUtf8(std::u16string_view text) { return nls::FromUtf16(CP_UTF8, text); }

std::u16string FromUtf8(std::string_view text) { return nls::ToUtf16(CP_UTF8, text); }

}  // namespace display::x11
