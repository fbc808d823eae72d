// What every common control shares: the WM_NOTIFY header, the notification
// code ranges of each control family with their documented values, the codes
// any control may send (NM_*), and the call that sends a notification to the
// control's parent.
#pragma once

#include "platform/user/user.h"

struct NMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};
using LPNMHDR = NMHDR*;

// Notification codes are negative numbers carried in a UINT.
constexpr UINT NotifyCode(int value) { return static_cast<UINT>(value); }

// The first code of each family; a family counts down from its first.
inline constexpr UINT NM_FIRST = NotifyCode(0), LVN_FIRST = NotifyCode(-100), HDN_FIRST = NotifyCode(-300),
                      TVN_FIRST = NotifyCode(-400), TTN_FIRST = NotifyCode(-520), TCN_FIRST = NotifyCode(-550),
                      CDN_FIRST = NotifyCode(-601), TBN_FIRST = NotifyCode(-700), UDN_FIRST = NotifyCode(-721),
                      SBN_FIRST = NotifyCode(-880), PSN_FIRST = NotifyCode(-200);

// Codes any control may send.
inline constexpr UINT NM_OUTOFMEMORY = NotifyCode(-1), NM_CLICK = NotifyCode(-2), NM_DBLCLK = NotifyCode(-3),
                      NM_RETURN = NotifyCode(-4), NM_RCLICK = NotifyCode(-5), NM_RDBLCLK = NotifyCode(-6),
                      NM_SETFOCUS = NotifyCode(-7), NM_KILLFOCUS = NotifyCode(-8),
                      NM_CUSTOMDRAW = NotifyCode(-12), NM_HOVER = NotifyCode(-13);

// Text a control asks its parent for when it is needed (list view items, tooltips).
inline const LPWSTR LPSTR_TEXTCALLBACKW = reinterpret_cast<LPWSTR>(static_cast<intptr_t>(-1));
inline const LPSTR LPSTR_TEXTCALLBACKA = reinterpret_cast<LPSTR>(static_cast<intptr_t>(-1));
inline const LPSTR LPSTR_TEXTCALLBACK = LPSTR_TEXTCALLBACKA;
// Colours that mean "none" and "the default" where a control takes a COLORREF.
inline constexpr COLORREF CLR_NONE = 0xFFFFFFFF, CLR_DEFAULT = 0xFF000000;

// Messages every common control answers.
inline constexpr UINT CCM_FIRST = 0x2000, CCM_SETUNICODEFORMAT = 0x2005, CCM_GETUNICODEFORMAT = 0x2006;

// The classes are registered when the layer loads; these calls say so.
struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};
inline constexpr DWORD ICC_LISTVIEW_CLASSES = 0x1, ICC_TREEVIEW_CLASSES = 0x2, ICC_BAR_CLASSES = 0x4,
                       ICC_TAB_CLASSES = 0x8, ICC_UPDOWN_CLASS = 0x10, ICC_PROGRESS_CLASS = 0x20,
                       ICC_WIN95_CLASSES = 0xFF, ICC_STANDARD_CLASSES = 0x4000;
void InitCommonControls();
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

// WM_NOTIFYFORMAT: the character set of a control's notifications.
inline constexpr UINT WM_NOTIFYFORMAT = 0x0055;
inline constexpr LPARAM NF_QUERY = 3, NF_REQUERY = 4;
inline constexpr LRESULT NFR_ANSI = 1, NFR_UNICODE = 2;

namespace comctl {

// Whether the control's parent wants UNICODE notifications: its answer to
// WM_NOTIFYFORMAT, or its procedure's character set when it does not answer.
bool ParentWantsUnicode(HWND control);

// Fills the header's window, id and code and sends WM_NOTIFY (wParam the
// control id) to the control's parent; 0 when the control has no parent.
LRESULT SendNotify(HWND control, UINT code, NMHDR* header);
// The same to another window than the parent (a toolbar told of its owner by
// TB_SETPARENT); 0 when `to` is null.
LRESULT SendNotify(HWND control, UINT code, NMHDR* header, HWND to);
// A notification that is only a header, to the parent.
LRESULT SendNotify(HWND control, UINT code);

}  // namespace comctl
