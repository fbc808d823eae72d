#include "app/frame/owner_draw_menu.h"

#include <algorithm>
#include <vector>

#include "app/ui/ui_language.h"
#include "app/ui/ui_text_draw.h"
#include "foundation/codepage/codepage.h"
#include "foundation/settings/process_settings.h"
#include "foundation/uifonts/ui_fonts.h"
#include "foundation/util/text.h"
#include "platform/gdi/dib_info.h"

namespace {

constexpr UINT kLabelFormat = DT_SINGLELINE | DT_LEFT | DT_TOP;

// The restoring scope of a DC's font, colours and background mode.
class DrawState {
 public:
  explicit DrawState(HDC dc)
      : dc_(dc),
        font_(::GetCurrentObject(dc, OBJ_FONT)),
        text_(::GetTextColor(dc)),
        back_(::GetBkColor(dc)),
        mode_(::GetBkMode(dc)) {}
  ~DrawState() {
    ::SelectObject(dc_, font_);
    ::SetTextColor(dc_, text_);
    ::SetBkColor(dc_, back_);
    ::SetBkMode(dc_, mode_);
  }
  DrawState(const DrawState&) = delete;
  DrawState& operator=(const DrawState&) = delete;

 private:
  HDC dc_;
  HGDIOBJ font_;
  COLORREF text_, back_;
  int mode_;
};

AString Shortcut(const MenuItemRecord& record) {
  AString label, shortcut;
  SplitAtTab(record.text, label, shortcut);
  return shortcut;
}

SIZE LabelExtent(HDC dc, const AString& text) {
  RECT r{0, 0, 0, 0};
  DrawUiTextInRect(dc, text, &r, kLabelFormat | DT_CALCRECT);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

SIZE PlainExtent(HDC dc, const AString& text) {
  SIZE size{0, 0};
  ::GetTextExtentPoint32A(dc, text.GetData(), text.GetLength(), &size);
  return size;
}

// The check mark picture drawn in a colour: its pixels other than the
// picture's corner colour (its background) take the colour, so the mark
// follows the item's text colour on any background.
void DrawCheckMark(HDC dc, HBITMAP check, const RECT& column, COLORREF colour) {
  BITMAP info{};
  if (!check || !::GetObjectA(check, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return;
  const int w = info.bmWidth, h = info.bmHeight;
  BITMAPINFO header = TopDownDibInfo(w, h);
  std::vector<DWORD> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
  HDC screen = ::GetDC(nullptr);
  const int rows = ::GetDIBits(screen, check, 0, static_cast<UINT>(h), pixels.data(), &header, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  if (rows != h) return;
  const int x0 = column.left + (column.right - column.left - w) / 2;
  const int y0 = column.top + (column.bottom - column.top - h) / 2;
  const DWORD background = pixels[0] & 0xFFFFFF;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if ((pixels[static_cast<size_t>(y * w + x)] & 0xFFFFFF) != background) ::SetPixel(dc, x0 + x, y0 + y, colour);
}

}  // namespace

MenuMetrics MenuMetrics::Read() {
  return MenuMetrics{::GetSystemMetrics(SM_CXMENUCHECK), ::GetSystemMetrics(SM_CYMENUCHECK),
                     ::GetSystemMetrics(SM_CXMENUSIZE), ::GetSystemMetrics(SM_CYMENUSIZE)};
}

COwnerDrawMenuTable::~COwnerDrawMenuTable() { Free(); }

bool COwnerDrawMenuTable::Holds(const MenuItemRecord* record) const {
  return record && std::find(records_.begin(), records_.begin() + count_, record) != records_.begin() + count_;
}

void COwnerDrawMenuTable::Restore(HMENU menu) {
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if ((info.fType & MFT_OWNERDRAW) && Holds(reinterpret_cast<MenuItemRecord*>(info.dwItemData))) {
      MENUITEMINFOW plain{};
      plain.cbSize = sizeof plain;
      plain.fMask = MIIM_FTYPE | MIIM_DATA;
      plain.fType = info.fType & ~static_cast<UINT>(MFT_OWNERDRAW);
      plain.dwItemData = 0;
      ::SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &plain);
    }
    if (info.hSubMenu) Restore(info.hSubMenu);
  }
}

void COwnerDrawMenuTable::Free() {
  if (menu_ && ::IsMenu(menu_)) Restore(menu_);
  for (int i = 0; i < count_; ++i) delete records_[static_cast<size_t>(i)];
  records_.fill(nullptr);
  count_ = 0;
  menu_ = nullptr;
  built_ = false;
}

void COwnerDrawMenuTable::Prepare(HMENU menu, bool reset) {
  Free();
  built_ = true;
  if (!menu || !::IsMenu(menu)) return;
  menu_ = menu;
  MakeMenuOwnerDrawn(menu, records_.data(), &count_, kCapacity, nullptr, reset);
}

HFONT MenuLabelFont() {
  const int kind = UiLanguageKind();
  HFONT font = nullptr;
  if (!IsSingleByteLanguage(kind)) font = kind == 1 ? FixedFontGb() : FixedFontBig5();
  else if (kind == 6) font = FixedFontGb();
  return font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

AString MenuItemLabel(const MenuItemRecord& record) {
  AString label, shortcut;
  SplitAtTab(record.text, label, shortcut);
  return IsEnglishUi() ? label : TranslateUiString(label.GetData());
}

void MeasureMenuItem(HDC dc, const MenuMetrics& metrics, MenuItemRecord& record, MEASUREITEMSTRUCT& measure) {
  DrawState state(dc);
  ::SelectObject(dc, MenuLabelFont());
  const SIZE label = LabelExtent(dc, MenuItemLabel(record));
  const bool popupItem = record.parent != nullptr;
  const int height = std::max({metrics.itemHeight, metrics.checkHeight, static_cast<int>(label.cy)}) + 1;
  // A bar item's label starts half a check mark in; 1.3 times a short
  // label ("File") leaves less room than that, and the next item would cut
  // the label off, so a bar item is at least a check mark wider than it.
  int width = popupItem ? metrics.checkWidth * 3 / 2 + label.cx
                        : std::max(static_cast<int>(label.cx * 1.3), static_cast<int>(label.cx) + metrics.checkWidth);
  if (const AString shortcut = Shortcut(record); !shortcut.IsEmpty()) {
    const int shortcutWidth = PlainExtent(dc, shortcut).cx;
    if (record.parent) record.parent->widestShortcut = std::max(record.parent->widestShortcut, shortcutWidth);
    width += shortcutWidth + 32;
  }
  record.cachedWidth = width;
  measure.itemWidth = static_cast<UINT>(width);
  measure.itemHeight = static_cast<UINT>(height);
}

void DrawMenuItem(const MenuMetrics& metrics, const MenuItemRecord& record, const DRAWITEMSTRUCT& draw, HBITMAP check) {
  HDC dc = draw.hDC;
  DrawState state(dc);
  const bool popupItem = record.parent != nullptr;
  const bool selected = (draw.itemState & ODS_SELECTED) != 0;
  const COLORREF back = ::GetSysColor(selected ? COLOR_HIGHLIGHT : popupItem ? COLOR_MENU : COLOR_BTNFACE);
  const COLORREF text = ::GetSysColor((draw.itemState & ODS_GRAYED) ? COLOR_GRAYTEXT
                                      : selected                   ? COLOR_HIGHLIGHTTEXT
                                                                   : COLOR_MENUTEXT);
  RECT fill = draw.rcItem;
  if (!popupItem) fill.right = std::max<LONG>(fill.right, fill.left + record.cachedWidth + metrics.checkWidth / 2);
  ::SetBkColor(dc, back);
  ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &fill, nullptr, 0, nullptr);
  const int column = metrics.checkWidth * 3 / 2;
  if (popupItem && (draw.itemState & ODS_CHECKED)) {
    const RECT mark{draw.rcItem.left, draw.rcItem.top, draw.rcItem.left + column, draw.rcItem.bottom};
    DrawCheckMark(dc, check, mark, text);
  }
  ::SelectObject(dc, MenuLabelFont());
  ::SetTextColor(dc, text);
  ::SetBkMode(dc, TRANSPARENT);
  const AString label = MenuItemLabel(record);
  const SIZE extent = LabelExtent(dc, label);
  const int y = draw.rcItem.top + (draw.rcItem.bottom - draw.rcItem.top - extent.cy) / 2;
  RECT labelRect{draw.rcItem.left + (popupItem ? column : metrics.checkWidth / 2), y, draw.rcItem.right, y + extent.cy};
  DrawUiTextInRect(dc, label, &labelRect, kLabelFormat);
  if (!popupItem) return;
  if (const AString shortcut = Shortcut(record); !shortcut.IsEmpty()) {
    const int x = draw.rcItem.right - record.parent->widestShortcut - 4;
    const int sy = draw.rcItem.top + (draw.rcItem.bottom - draw.rcItem.top - PlainExtent(dc, shortcut).cy) / 2;
    ::TextOutA(dc, x, sy, shortcut.GetData(), shortcut.GetLength());
  }
}
