// What the bars, tabs, tips and the other common controls share beyond
// notify.h: the common control styles, colours meaning none and default, the
// class names, and the class families InitCommonControlsEx knows.
#pragma once

#include "platform/comctl/notify.h"

// More codes any control may send, and a message every control answers.
inline constexpr UINT NM_NCHITTEST = NM_FIRST - 14, NM_KEYDOWN = NM_FIRST - 15, NM_RELEASEDCAPTURE = NM_FIRST - 16,
                      NM_SETCURSOR = NM_FIRST - 17, NM_CHAR = NM_FIRST - 18, NM_TOOLTIPSCREATED = NM_FIRST - 19;
inline constexpr UINT CCM_SETBKCOLOR = CCM_FIRST + 1;

// Common control styles (toolbar, status bar): where the bar places itself.
inline constexpr DWORD CCS_TOP = 0x1, CCS_NOMOVEY = 0x2, CCS_BOTTOM = 0x3, CCS_NORESIZE = 0x4,
                       CCS_NOPARENTALIGN = 0x8, CCS_ADJUSTABLE = 0x20, CCS_NODIVIDER = 0x40, CCS_VERT = 0x80;


// The class names, registered at start-up.
inline constexpr const char16_t* TOOLBARCLASSNAMEW = u"ToolbarWindow32";
inline constexpr const char16_t* STATUSCLASSNAMEW = u"msctls_statusbar32";
inline constexpr const char16_t* WC_TABCONTROLW = u"SysTabControl32";
inline constexpr const char16_t* TOOLTIPS_CLASSW = u"tooltips_class32";
inline constexpr const char16_t* UPDOWN_CLASSW = u"msctls_updown32";
inline constexpr const char16_t* PROGRESS_CLASSW = u"msctls_progress32";
inline constexpr const char* TOOLBARCLASSNAMEA = "ToolbarWindow32";
inline constexpr const char* STATUSCLASSNAMEA = "msctls_statusbar32";
inline constexpr const char* WC_TABCONTROLA = "SysTabControl32";
inline constexpr const char* TOOLTIPS_CLASSA = "tooltips_class32";
inline constexpr const char* UPDOWN_CLASSA = "msctls_updown32";
inline constexpr const char* PROGRESS_CLASSA = "msctls_progress32";

// InitCommonControlsEx (notify.h) answers TRUE when every class family
// asked for is there: the standard classes, list view and header, toolbar,
// status bar and tooltips, tab, up-down and progress; FALSE for a bad size or
// a family this layer does not have (tree view, date picker, hot key,
// animation, rebar, extended combo box...).
inline constexpr DWORD ICC_HOTKEY_CLASS = 0x40, ICC_ANIMATE_CLASS = 0x80, ICC_DATE_CLASSES = 0x100,
                       ICC_USEREX_CLASSES = 0x200, ICC_COOL_CLASSES = 0x400, ICC_INTERNET_CLASSES = 0x800,
                       ICC_PAGESCROLLER_CLASS = 0x1000, ICC_NATIVEFNTCTL_CLASS = 0x2000, ICC_LINK_CLASS = 0x8000;
using LPINITCOMMONCONTROLSEX = INITCOMMONCONTROLSEX*;
