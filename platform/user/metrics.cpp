// System metrics, colours and parameters of the classic style: one table
// each, fixed (headless screens and tests see the same values everywhere).
#include <algorithm>
#include <array>

#include "platform/display/display.h"
#include "platform/user/window_internal.h"

namespace user {
namespace {

struct MetricRow {
  int index;
  int value;
};
// Sizes at 96 dots per inch.
constexpr std::array kMetrics{
    MetricRow{SM_CXSCREEN, gdi::kScreenWidth}, MetricRow{SM_CYSCREEN, gdi::kScreenHeight},
    MetricRow{SM_CXVSCROLL, 17}, MetricRow{SM_CYHSCROLL, 17}, MetricRow{SM_CYCAPTION, 19},
    MetricRow{SM_CXBORDER, 1}, MetricRow{SM_CYBORDER, 1}, MetricRow{SM_CXDLGFRAME, 3},
    MetricRow{SM_CYDLGFRAME, 3}, MetricRow{SM_CYVTHUMB, 17}, MetricRow{SM_CXHTHUMB, 17},
    MetricRow{SM_CXICON, 32}, MetricRow{SM_CYICON, 32}, MetricRow{SM_CXCURSOR, 32},
    MetricRow{SM_CYCURSOR, 32}, MetricRow{SM_CYMENU, 19}, MetricRow{SM_CXFULLSCREEN, gdi::kScreenWidth},
    MetricRow{SM_CYFULLSCREEN, gdi::kScreenHeight - 19}, MetricRow{SM_CYVSCROLL, 17},
    MetricRow{SM_CXHSCROLL, 17}, MetricRow{SM_SWAPBUTTON, 0}, MetricRow{SM_CXMIN, 112}, MetricRow{SM_CYMIN, 27},
    MetricRow{SM_CXSIZE, 18}, MetricRow{SM_CYSIZE, 18}, MetricRow{SM_CXFRAME, 4}, MetricRow{SM_CYFRAME, 4},
    MetricRow{SM_CXMINTRACK, 112}, MetricRow{SM_CYMINTRACK, 27}, MetricRow{SM_CXDOUBLECLK, 4},
    MetricRow{SM_CYDOUBLECLK, 4}, MetricRow{SM_CXICONSPACING, 75}, MetricRow{SM_CYICONSPACING, 75},
    MetricRow{SM_CXEDGE, 2}, MetricRow{SM_CYEDGE, 2}, MetricRow{SM_CXSMICON, 16}, MetricRow{SM_CYSMICON, 16},
    MetricRow{SM_CYSMCAPTION, 15}, MetricRow{SM_CXSMSIZE, 12}, MetricRow{SM_CYSMSIZE, 14},
    MetricRow{SM_CXMENUSIZE, 18}, MetricRow{SM_CYMENUSIZE, 18}, MetricRow{SM_CXMAXTRACK, gdi::kScreenWidth + 12},
    MetricRow{SM_CYMAXTRACK, gdi::kScreenHeight + 12}, MetricRow{SM_CXMAXIMIZED, gdi::kScreenWidth + 8},
    MetricRow{SM_CYMAXIMIZED, gdi::kScreenHeight - 30 + 8}, MetricRow{SM_CXDRAG, 4}, MetricRow{SM_CYDRAG, 4},
    MetricRow{SM_CXMENUCHECK, 13}, MetricRow{SM_CYMENUCHECK, 13}, MetricRow{SM_MOUSEWHEELPRESENT, 1},
    MetricRow{SM_CXVIRTUALSCREEN, gdi::kScreenWidth}, MetricRow{SM_CYVIRTUALSCREEN, gdi::kScreenHeight},
    MetricRow{SM_CMONITORS, 1}, MetricRow{SM_CXFOCUSBORDER, 1}, MetricRow{SM_CYFOCUSBORDER, 1},
};

// The classic colour scheme, by COLOR_* index.
constexpr std::array<COLORREF, 31> kColours{
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND
    RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(212, 208, 200),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(10, 36, 106),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // COLOR_3DDKSHADOW
    RGB(212, 208, 200),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(181, 181, 181),  // 25 (unused)
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),    // COLOR_MENUHILIGHT
    RGB(212, 208, 200),  // COLOR_MENUBAR
};
static_assert(kColours.size() == COLOR_MENUBAR + 1);

struct Parameters {
  std::mutex mutex;
  UINT wheelLines = 3;
  UINT wheelChars = 3;
};
Parameters& Params() {
  static auto* p = new Parameters;
  return *p;
}

LOGFONTW MessageFont(LONG weight) {
  LOGFONTW lf{};
  lf.lfHeight = -12;
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  const char16_t face[] = u"Tahoma";
  std::copy(std::begin(face), std::end(face), lf.lfFaceName);
  return lf;
}

void ToAnsiFont(const LOGFONTW& w, LOGFONTA& a) {
  std::memcpy(&a, &w, offsetof(LOGFONTA, lfFaceName));
  const std::string face = ToAnsi(w.lfFaceName);
  CopyOut(face, a.lfFaceName, LF_FACESIZE);
}

}  // namespace

COLORREF SysColour(int index) {
  if (index < 0 || index >= static_cast<int>(kColours.size())) return 0;
  return kColours[static_cast<size_t>(index)];
}

// The metrics that follow the screen (the table holds the headless screen's).
bool ScreenMetric(int index, int& value) {
  const display::Display& screen = display::Current();
  const SIZE size = screen.ScreenSize();
  const RECT work = screen.WorkArea();
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN: value = size.cx; return true;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN: value = size.cy; return true;
    case SM_CXFULLSCREEN: value = size.cx; return true;
    case SM_CYFULLSCREEN: value = size.cy - 19; return true;
    case SM_CXMAXTRACK: value = size.cx + 12; return true;
    case SM_CYMAXTRACK: value = size.cy + 12; return true;
    case SM_CXMAXIMIZED: value = work.right - work.left + 8; return true;
    case SM_CYMAXIMIZED: value = work.bottom - work.top + 8; return true;
    default: return false;
  }
}

int Metric(int index) {
  if (int value; ScreenMetric(index, value)) return value;
  for (const auto& row : kMetrics)
    if (row.index == index) return row.value;
  return 0;
}

}  // namespace user

using namespace user;

int GetSystemMetrics(int index) { return Metric(index); }

DWORD GetSysColor(int index) { return SysColour(index); }

HBRUSH GetSysColorBrush(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kColours))) return nullptr;
  // One brush per colour, made once and never deleted (DeleteObject on it is harmless).
  static std::array<HBRUSH, std::size(kColours)> brushes = [] {
    std::array<HBRUSH, std::size(kColours)> made{};
    for (size_t i = 0; i < made.size(); ++i) {
      made[i] = CreateSolidBrush(kColours[i]);
      if (auto b = gdi::FindBrush(made[i])) b->stock = true;
    }
    return made;
  }();
  return brushes[static_cast<size_t>(index)];
}

namespace {
// Fills given a system colour index plus one for a brush (the window classes'
// habit) take the colour from here, from the moment the library is loaded.
const bool g_brushResolverInstalled = [] {
  gdi::SetSystemBrushResolver(GetSysColorBrush);
  return true;
}();
}  // namespace

BOOL SystemParametersInfoW(UINT action, UINT param, PVOID data, UINT) {
  switch (action) {
    case SPI_GETWORKAREA: {
      if (!data) return Fail(ERROR_INVALID_PARAMETER);
      *static_cast<RECT*>(data) = display::Current().WorkArea();
      return TRUE;
    }
    case SPI_GETWHEELSCROLLLINES:
    case SPI_GETWHEELSCROLLCHARS: {
      if (!data) return Fail(ERROR_INVALID_PARAMETER);
      std::lock_guard lock(Params().mutex);
      *static_cast<UINT*>(data) = action == SPI_GETWHEELSCROLLLINES ? Params().wheelLines : Params().wheelChars;
      return TRUE;
    }
    case SPI_SETWHEELSCROLLLINES: {
      std::lock_guard lock(Params().mutex);
      Params().wheelLines = param;
      return TRUE;
    }
    case SPI_GETBORDER:
      if (!data) return Fail(ERROR_INVALID_PARAMETER);
      *static_cast<int*>(data) = 1;
      return TRUE;
    case SPI_GETKEYBOARDDELAY:
      if (!data) return Fail(ERROR_INVALID_PARAMETER);
      *static_cast<int*>(data) = 1;
      return TRUE;
    case SPI_GETDRAGFULLWINDOWS:
    case SPI_GETFLATMENU:
    case SPI_GETKEYBOARDCUES:
      if (!data) return Fail(ERROR_INVALID_PARAMETER);
      *static_cast<BOOL*>(data) = action == SPI_GETKEYBOARDCUES ? TRUE : FALSE;
      return TRUE;
    case SPI_GETNONCLIENTMETRICS: {
      auto* m = static_cast<NONCLIENTMETRICSW*>(data);
      if (!m || (m->cbSize != sizeof(NONCLIENTMETRICSW) &&
                 m->cbSize != sizeof(NONCLIENTMETRICSW) - sizeof(int)))
        return Fail(ERROR_INVALID_PARAMETER);
      const UINT size = m->cbSize;
      NONCLIENTMETRICSW out{};
      out.cbSize = size;
      out.iBorderWidth = 1;
      out.iScrollWidth = Metric(SM_CXVSCROLL);
      out.iScrollHeight = Metric(SM_CYHSCROLL);
      out.iCaptionWidth = Metric(SM_CXSIZE);
      out.iCaptionHeight = Metric(SM_CYSIZE);
      out.lfCaptionFont = MessageFont(FW_BOLD);
      out.iSmCaptionWidth = Metric(SM_CXSMSIZE);
      out.iSmCaptionHeight = Metric(SM_CYSMSIZE);
      out.lfSmCaptionFont = MessageFont(FW_BOLD);
      out.iMenuWidth = Metric(SM_CXMENUSIZE);
      out.iMenuHeight = Metric(SM_CYMENUSIZE);
      out.lfMenuFont = MessageFont(FW_NORMAL);
      out.lfStatusFont = MessageFont(FW_NORMAL);
      out.lfMessageFont = MessageFont(FW_NORMAL);
      std::memcpy(m, &out, size);
      return TRUE;
    }
    case SPI_GETICONTITLELOGFONT:
      if (!data) return Fail(ERROR_INVALID_PARAMETER);
      *static_cast<LOGFONTW*>(data) = MessageFont(FW_NORMAL);
      return TRUE;
    default: return Fail(ERROR_INVALID_PARAMETER);
  }
}

BOOL SystemParametersInfoA(UINT action, UINT param, PVOID data, UINT winIni) {
  if (action == SPI_GETNONCLIENTMETRICS) {
    auto* a = static_cast<NONCLIENTMETRICSA*>(data);
    if (!a || a->cbSize != sizeof(NONCLIENTMETRICSA)) return Fail(ERROR_INVALID_PARAMETER);
    NONCLIENTMETRICSW w{};
    w.cbSize = sizeof(w);
    SystemParametersInfoW(action, param, &w, winIni);
    a->iBorderWidth = w.iBorderWidth;
    a->iScrollWidth = w.iScrollWidth;
    a->iScrollHeight = w.iScrollHeight;
    a->iCaptionWidth = w.iCaptionWidth;
    a->iCaptionHeight = w.iCaptionHeight;
    ToAnsiFont(w.lfCaptionFont, a->lfCaptionFont);
    a->iSmCaptionWidth = w.iSmCaptionWidth;
    a->iSmCaptionHeight = w.iSmCaptionHeight;
    ToAnsiFont(w.lfSmCaptionFont, a->lfSmCaptionFont);
    a->iMenuWidth = w.iMenuWidth;
    a->iMenuHeight = w.iMenuHeight;
    ToAnsiFont(w.lfMenuFont, a->lfMenuFont);
    ToAnsiFont(w.lfStatusFont, a->lfStatusFont);
    ToAnsiFont(w.lfMessageFont, a->lfMessageFont);
    a->iPaddedBorderWidth = 0;
    return TRUE;
  }
  if (action == SPI_GETICONTITLELOGFONT) {
    if (!data) return Fail(ERROR_INVALID_PARAMETER);
    LOGFONTW w{};
    SystemParametersInfoW(action, param, &w, winIni);
    ToAnsiFont(w, *static_cast<LOGFONTA*>(data));
    return TRUE;
  }
  return SystemParametersInfoW(action, param, data, winIni);
}
