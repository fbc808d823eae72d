// ChooseColor: the basic and custom colour boxes, the mixer (hue and
// saturation field, luminosity bar, the numbers) shown when fully open, and
// the caller's colour and custom colours changed only on OK.
#include <algorithm>
#include <array>
#include <string>

#include "platform/comdlg/colour_model.h"
#include "platform/comdlg/comdlg_internal.h"
#include "platform/user/controls/controls.h"

namespace comdlg {
namespace {

constexpr int kBasicColumns = 8, kBasicRows = 6, kCustomRows = 2;

struct ColourDialog {
  CHOOSECOLORW* wide = nullptr;
  CHOOSECOLORA* ansi = nullptr;
  DWORD flags = 0;
  HWND dialog = nullptr;
  COLORREF colour = 0;
  Hls hls;
  std::array<COLORREF, 16> custom{};
  int basicChosen = -1;
  int customChosen = 0;  // the box "Add to Custom Colors" fills next
  bool full = false;
  bool updating = false;
  LPCCHOOKPROC Hook() const { return wide ? wide->lpfnHook : ansi->lpfnHook; }
};

ColourDialog* From(HWND dialog) { return reinterpret_cast<ColourDialog*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

RECT ItemRect(HWND dialog, int id) {
  RECT r{};
  GetWindowRect(GetDlgItem(dialog, id), &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The cell of a grid of boxes within a rectangle (in that rectangle's coordinates).
RECT Cell(const RECT& area, int rows, int index) {
  const int w = (area.right - area.left) / kBasicColumns, h = (area.bottom - area.top) / rows;
  const int col = index % kBasicColumns, row = index / kBasicColumns;
  return RECT{col * w + 2, row * h + 2, col * w + w - 2, row * h + h - 2};
}

int CellAt(const RECT& area, int rows, POINT p) {
  const int w = (area.right - area.left) / kBasicColumns, h = (area.bottom - area.top) / rows;
  if (w <= 0 || h <= 0) return -1;
  const int col = (p.x - area.left) / w, row = (p.y - area.top) / h;
  if (p.x < area.left || p.y < area.top || col >= kBasicColumns || row >= rows) return -1;
  return row * kBasicColumns + col;
}

void Fill(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void DrawBoxes(HDC dc, const RECT& client, const COLORREF* colours, int rows, int chosen) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
  const RECT area{0, 0, client.right, client.bottom};
  for (int i = 0; i < rows * kBasicColumns; ++i) {
    RECT box = Cell(area, rows, i);
    if (i == chosen) {
      RECT mark = box;
      InflateRect(&mark, 2, 2);
      Fill(dc, mark, RGB(0, 0, 0));
      InflateRect(&mark, -1, -1);
      Fill(dc, mark, RGB(255, 255, 255));
    }
    DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    Fill(dc, box, colours[i]);
  }
}

void DrawRainbow(HDC dc, const RECT& client, const Hls& hls) {
  const int w = client.right, h = client.bottom;
  for (int x = 0; x < w; x += 2)
    for (int y = 0; y < h; y += 2) {
      const COLORREF c = FromHls({x * kHueMax / std::max(w - 1, 1), kHlsMax - y * kHlsMax / std::max(h - 1, 1), 120});
      const RECT r{x, y, x + 2, y + 2};
      Fill(dc, r, c);
    }
  // Cross hairs at the current hue and saturation.
  const int cx = hls.hue * (w - 1) / kHueMax, cy = (kHlsMax - hls.sat) * (h - 1) / kHlsMax;
  const RECT across{cx - 6, cy - 1, cx + 7, cy + 2}, down{cx - 1, cy - 6, cx + 2, cy + 7};
  Fill(dc, across, RGB(0, 0, 0));
  Fill(dc, down, RGB(0, 0, 0));
}

void DrawLuminosity(HDC dc, const RECT& client, const Hls& hls) {
  const int h = client.bottom;
  for (int y = 0; y < h; ++y) {
    const RECT r{0, y, client.right, y + 1};
    Fill(dc, r, FromHls({hls.hue, hls.sat, kHlsMax - y * kHlsMax / std::max(h - 1, 1)}));
  }
  const int at = (kHlsMax - hls.lum) * (h - 1) / kHlsMax;
  const RECT mark{0, at - 1, client.right, at + 2};
  Fill(dc, mark, RGB(0, 0, 0));
}

void Draw(ColourDialog& c, const DRAWITEMSTRUCT& item) {
  RECT client{};
  GetClientRect(item.hwndItem, &client);
  switch (item.CtlID) {
    case COLOR_BOX1: DrawBoxes(item.hDC, client, kBasicColours.data(), kBasicRows, c.basicChosen); break;
    case COLOR_CUSTOM1: DrawBoxes(item.hDC, client, c.custom.data(), kCustomRows, c.customChosen); break;
    case COLOR_RAINBOW: DrawRainbow(item.hDC, client, c.hls); break;
    case COLOR_LUMSCROLL: DrawLuminosity(item.hDC, client, c.hls); break;
    case COLOR_CURRENT: {
      RECT r = client;
      DrawEdge(item.hDC, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
      Fill(item.hDC, r, c.colour);
      break;
    }
    default: break;
  }
}

void Repaint(ColourDialog& c) {
  for (int id : {COLOR_BOX1, COLOR_CUSTOM1, COLOR_RAINBOW, COLOR_LUMSCROLL, COLOR_CURRENT})
    InvalidateRect(GetDlgItem(c.dialog, id), nullptr, TRUE);
}

void ShowNumbers(ColourDialog& c) {
  c.updating = true;
  const std::pair<int, int> values[] = {
      {COLOR_RED, GetRValue(c.colour)}, {COLOR_GREEN, GetGValue(c.colour)}, {COLOR_BLUE, GetBValue(c.colour)},
      {COLOR_HUE, c.hls.hue},           {COLOR_SAT, c.hls.sat},             {COLOR_LUM, c.hls.lum}};
  for (const auto& [id, v] : values) SetDlgItemInt(c.dialog, id, static_cast<UINT>(v), FALSE);
  c.updating = false;
}

void SetColour(ColourDialog& c, COLORREF colour) {
  c.colour = colour & 0x00FFFFFF;
  c.hls = ToHls(c.colour);
  ShowNumbers(c);
  Repaint(c);
}

void SetHls(ColourDialog& c, const Hls& hls) {
  c.hls = hls;
  c.colour = FromHls(hls);
  ShowNumbers(c);
  c.hls = hls;  // keep the hue and saturation a grey would lose
  Repaint(c);
}

void ShowMixer(ColourDialog& c, bool full) {
  c.full = full;
  const int ids[] = {COLOR_RAINBOW, COLOR_LUMSCROLL, COLOR_CURRENT, COLOR_SOLID, COLOR_HUE, COLOR_SAT, COLOR_LUM,
                     COLOR_RED,     COLOR_GREEN,     COLOR_BLUE,    COLOR_ADD};
  for (int id : ids) ShowWindow(GetDlgItem(c.dialog, id), full ? SW_SHOW : SW_HIDE);
  // The numbers' labels are the static controls right of the boxes.
  const RECT mix = ItemRect(c.dialog, COLOR_MIX);
  for (HWND w = GetWindow(c.dialog, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    RECT r{};
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, c.dialog, reinterpret_cast<POINT*>(&r), 2);
    if (GetDlgCtrlID(w) == -1 && r.left > mix.right) ShowWindow(w, full ? SW_SHOW : SW_HIDE);
  }
  RECT client{}, outer{};
  GetClientRect(c.dialog, &client);
  GetWindowRect(c.dialog, &outer);
  const int wanted = full ? ItemRect(c.dialog, COLOR_ADD).right + mix.left : mix.right + mix.left;
  SetWindowPos(c.dialog, nullptr, 0, 0, outer.right - outer.left + wanted - client.right, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EnableWindow(GetDlgItem(c.dialog, COLOR_MIX), !full && !(c.flags & CC_PREVENTFULLOPEN));
}

void Start(ColourDialog& c) {
  c.flags = c.wide ? c.wide->Flags : c.ansi->Flags;
  const COLORREF* given = c.wide ? c.wide->lpCustColors : c.ansi->lpCustColors;
  if (given) std::copy_n(given, 16, c.custom.begin());
  const COLORREF initial = (c.flags & CC_RGBINIT) ? (c.wide ? c.wide->rgbResult : c.ansi->rgbResult) : RGB(0, 0, 0);
  const auto basic = std::find(kBasicColours.begin(), kBasicColours.end(), initial & 0x00FFFFFF);
  c.basicChosen = basic == kBasicColours.end() ? -1 : static_cast<int>(basic - kBasicColours.begin());
  if (!(c.flags & CC_SHOWHELP)) ShowWindow(GetDlgItem(c.dialog, pshHelp), SW_HIDE);
  for (int id : {COLOR_HUE, COLOR_SAT, COLOR_LUM, COLOR_RED, COLOR_GREEN, COLOR_BLUE})
    SendDlgItemMessageW(c.dialog, id, EM_LIMITTEXT, 3, 0);
  SetColour(c, initial);
  ShowMixer(c, (c.flags & CC_FULLOPEN) && !(c.flags & CC_PREVENTFULLOPEN));
}

void Click(ColourDialog& c, POINT p) {
  const RECT basic = ItemRect(c.dialog, COLOR_BOX1), custom = ItemRect(c.dialog, COLOR_CUSTOM1);
  if (const int i = CellAt(basic, kBasicRows, p); i >= 0) {
    c.basicChosen = i;
    SetColour(c, kBasicColours[static_cast<size_t>(i)]);
    return;
  }
  if (const int i = CellAt(custom, kCustomRows, p); i >= 0) {
    c.customChosen = i;
    c.basicChosen = -1;
    SetColour(c, c.custom[static_cast<size_t>(i)]);
    return;
  }
  if (!c.full) return;
  const RECT rainbow = ItemRect(c.dialog, COLOR_RAINBOW), lum = ItemRect(c.dialog, COLOR_LUMSCROLL);
  if (PtInRect(&rainbow, p)) {
    const int w = rainbow.right - rainbow.left - 1, h = rainbow.bottom - rainbow.top - 1;
    SetHls(c, {(p.x - rainbow.left) * kHueMax / std::max(w, 1), kHlsMax - (p.y - rainbow.top) * kHlsMax / std::max(h, 1),
               c.hls.lum == 0 || c.hls.lum == kHlsMax ? 120 : c.hls.lum});
  } else if (p.y >= lum.top && p.y < lum.bottom && p.x >= lum.left - 4 && p.x < lum.right + 8) {
    const int h = lum.bottom - lum.top - 1;
    SetHls(c, {c.hls.hue, c.hls.sat, kHlsMax - (p.y - lum.top) * kHlsMax / std::max(h, 1)});
  }
}

void NumberChanged(ColourDialog& c, int id) {
  if (c.updating) return;
  BOOL ok = FALSE;
  const int v = static_cast<int>(GetDlgItemInt(c.dialog, id, &ok, FALSE));
  if (!ok) return;
  c.basicChosen = -1;
  const int r = GetRValue(c.colour), g = GetGValue(c.colour), b = GetBValue(c.colour);
  c.updating = true;  // the other numbers follow once the colour is set
  switch (id) {
    case COLOR_RED: c.colour = RGB(static_cast<BYTE>(std::min(v, 255)), g, b); break;
    case COLOR_GREEN: c.colour = RGB(r, static_cast<BYTE>(std::min(v, 255)), b); break;
    case COLOR_BLUE: c.colour = RGB(r, g, static_cast<BYTE>(std::min(v, 255))); break;
    case COLOR_HUE: c.hls.hue = std::min(v, kHueMax); c.colour = FromHls(c.hls); break;
    case COLOR_SAT: c.hls.sat = std::min(v, kHlsMax); c.colour = FromHls(c.hls); break;
    case COLOR_LUM: c.hls.lum = std::min(v, kHlsMax); c.colour = FromHls(c.hls); break;
    default: break;
  }
  if (id == COLOR_RED || id == COLOR_GREEN || id == COLOR_BLUE) c.hls = ToHls(c.colour);
  c.updating = false;
  Repaint(c);
}

void Finish(ColourDialog& c) {
  if (c.wide) {
    c.wide->rgbResult = c.colour;
    if (c.wide->lpCustColors) std::copy(c.custom.begin(), c.custom.end(), c.wide->lpCustColors);
  } else {
    c.ansi->rgbResult = c.colour;
    if (c.ansi->lpCustColors) std::copy(c.custom.begin(), c.custom.end(), c.ansi->lpCustColors);
  }
  EndDialog(c.dialog, TRUE);
}

void Command(ColourDialog& c, int id, int code) {
  switch (id) {
    case IDOK: Finish(c); return;
    case IDCANCEL: EndDialog(c.dialog, FALSE); return;
    case COLOR_MIX: ShowMixer(c, true); return;
    case COLOR_ADD:
      c.custom[static_cast<size_t>(c.customChosen)] = c.colour;
      c.customChosen = (c.customChosen + 1) % 16;
      Repaint(c);
      return;
    case COLOR_HUE:
    case COLOR_SAT:
    case COLOR_LUM:
    case COLOR_RED:
    case COLOR_GREEN:
    case COLOR_BLUE:
      if (code == EN_CHANGE) NumberChanged(c, id);
      return;
    default: return;
  }
}

INT_PTR ColourProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* c = reinterpret_cast<ColourDialog*>(lParam);
    c->dialog = dialog;
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    Start(*c);
    const LPCCHOOKPROC hook = (c->flags & CC_ENABLEHOOK) ? c->Hook() : nullptr;
    const LPARAM caller = c->wide ? reinterpret_cast<LPARAM>(c->wide) : reinterpret_cast<LPARAM>(c->ansi);
    return hook ? static_cast<INT_PTR>(hook(dialog, message, wParam, caller)) : TRUE;
  }
  ColourDialog* c = From(dialog);
  if (!c) return FALSE;
  if ((c->flags & CC_ENABLEHOOK) && c->Hook() && c->Hook()(dialog, message, wParam, lParam)) return TRUE;
  switch (message) {
    case WM_COMMAND: Command(*c, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_DRAWITEM: Draw(*c, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_LBUTTONDOWN:
      Click(*c, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return TRUE;
    default: return FALSE;
  }
}

BOOL Run(ColourDialog& c, HWND owner) {
  const INT_PTR result =
      DialogBoxParamW(TemplatesModule(), TemplateName(TAV_DLG_COLOR), owner, ColourProc, reinterpret_cast<LPARAM>(&c));
  if (result < 0) {
    SetError(CDERR_DIALOGFAILURE);
    return FALSE;
  }
  SetError(0);
  return result == TRUE;
}

bool Valid(DWORD size, DWORD expected, DWORD flags, const void* hook) {
  if (size != expected) {
    SetError(CDERR_STRUCTSIZE);
    return false;
  }
  if ((flags & CC_ENABLEHOOK) && !hook) {
    SetError(CDERR_NOHOOK);
    return false;
  }
  return true;
}

}  // namespace
}  // namespace comdlg

BOOL ChooseColorW(LPCHOOSECOLORW cc) {
  if (!cc || !comdlg::Valid(cc->lStructSize, sizeof(CHOOSECOLORW), cc->Flags, reinterpret_cast<void*>(cc->lpfnHook)))
    return cc ? FALSE : (comdlg::SetError(CDERR_INITIALIZATION), FALSE);
  comdlg::ColourDialog c;
  c.wide = cc;
  return comdlg::Run(c, cc->hwndOwner);
}

BOOL ChooseColorA(LPCHOOSECOLORA cc) {
  if (!cc || !comdlg::Valid(cc->lStructSize, sizeof(CHOOSECOLORA), cc->Flags, reinterpret_cast<void*>(cc->lpfnHook)))
    return cc ? FALSE : (comdlg::SetError(CDERR_INITIALIZATION), FALSE);
  comdlg::ColourDialog c;
  c.ansi = cc;
  return comdlg::Run(c, cc->hwndOwner);
}
