// The main frame's owner-drawn menus: every titled item converted with its
// record, measured and drawn as the look asks (checked against the font's
// own extents and against pixels), in English and Chinese, and kept intact
// through a rebuild for a language change. Pictures of the open View menu
// in both languages are saved to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "../dialog_script.h"
#include "app/frame/frame_ids.h"
#include "app/ui/ui_language.h"
#include "frame_test_app.h"
#include "frame_test_util.h"
#include "platform/testing/ui.h"
#include "platform/user/input_events.h"

namespace {

using frametest::CFrameTestApp;

std::string ItemText(HMENU menu, int position) {
  char text[256] = {};
  ::GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

MENUITEMINFOW ItemInfo(HMENU menu, int position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU | MIIM_ID;
  ::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
  return info;
}

MenuItemRecord* RecordOf(HMENU menu, int position) {
  return reinterpret_cast<MenuItemRecord*>(ItemInfo(menu, position).dwItemData);
}

// The position of the bar item (or popup item) whose text is `text`.
int Find(HMENU menu, const std::string& text) {
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
    if (ItemText(menu, i) == text) return i;
  return -1;
}

// The width of a text in a font, measured by the font's own extents with the
// ampersand of the mnemonic left out.
SIZE Extent(HFONT font, std::string text) {
  std::erase(text, '&');
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, font);
  SIZE size{0, 0};
  ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  return size;
}

class OwnerDrawnMenus : public ::testing::Test {
 protected:
  void SetUp() override {
    app = std::make_unique<CFrameTestApp>();
    app->m_profile = dir / "frame.ini";
    ASSERT_TRUE(app->InitInstance());
    frame = static_cast<CMainFrame*>(app->m_pMainWnd);
    frametest::Pump(app.get());
    bar = ::GetMenu(frame->m_hWnd);
    ASSERT_NE(bar, nullptr);
  }
  void TearDown() override {
    if (app->m_pMainWnd) ::SendMessageA(app->m_pMainWnd->m_hWnd, WM_CLOSE, 0, 0);
    uitest::RunUntilIdle();
    app->ExitInstance();
    app.reset();
    CWnd::DeleteTempMap();
  }
  HMENU Popup(const char* title) {
    const int at = Find(bar, title);
    return at < 0 ? nullptr : ::GetSubMenu(bar, at);
  }
  MEASUREITEMSTRUCT Measure(MenuItemRecord* record) {
    MEASUREITEMSTRUCT m{ODT_MENU, 0, 0, 0, 0, reinterpret_cast<ULONG_PTR>(record)};
    ::SendMessageA(frame->m_hWnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m));
    return m;
  }
  // Draws an item into a fresh white bitmap through the frame.
  struct Drawn {
    std::vector<COLORREF> pixels;
    int width = 0, height = 0;
    COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
    // Pixels of the colour, or close to it (text is smoothed at its edges).
    int Count(const RECT& r, COLORREF c) const {
      int n = 0;
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
          const COLORREF p = at(x, y);
          n += std::abs(GetRValue(p) - GetRValue(c)) + std::abs(GetGValue(p) - GetGValue(c)) +
                   std::abs(GetBValue(p) - GetBValue(c)) <=
               48;
        }
      return n;
    }
  };
  Drawn Draw(MenuItemRecord* record, UINT state, int width, int height) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width + 40, height);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all{0, 0, width + 40, height};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_MENU;
    d.itemAction = ODA_DRAWENTIRE;
    d.itemState = state;
    d.hDC = dc;
    d.rcItem = RECT{0, 0, width, height};
    d.itemData = reinterpret_cast<ULONG_PTR>(record);
    ::SendMessageA(frame->m_hWnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
    Drawn out;
    out.width = width + 40;
    out.height = height;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < out.width; ++x) out.pixels.push_back(::GetPixel(dc, x, y));
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return out;
  }
  // Opens a bar popup from the keyboard and saves a picture of it.
  void SavePopupPicture(int mnemonic, const std::string& name) {
    PopupPicture::path = frametest::PicturePath(name);
    PopupPicture::saved = false;
    PopupPicture::next = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(frame->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PopupPicture::Proc)));
    user::DeviceKey(VK_MENU, true);
    user::DeviceKey(mnemonic, true);
    user::DeviceKey(mnemonic, false);
    user::DeviceKey(VK_MENU, false);
    frametest::Pump(app.get());
    ::SetWindowLongPtrA(frame->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PopupPicture::next));
    EXPECT_TRUE(PopupPicture::saved) << name;
  }
  struct PopupPicture {
    static inline std::string path;
    static inline bool saved = false;
    static inline WNDPROC next = nullptr;
    static LRESULT Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
      if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
        if (lParam && !saved) {
          // The frame with its bar, and the open popup over it.
          uitest::RunUntilIdle();
          saved = uitest::SaveWindowPng(reinterpret_cast<HWND>(lParam), path);
          uitest::SaveWindowPng(w, path.substr(0, path.size() - 4) + "_frame.png");
        }
        user::DeviceKey(VK_ESCAPE, true);
        user::DeviceKey(VK_ESCAPE, false);
      }
      return ::CallWindowProcA(next, w, message, wParam, lParam);
    }
  };

  frametest::Scratch dir;
  std::unique_ptr<CFrameTestApp> app;
  CMainFrame* frame = nullptr;
  HMENU bar = nullptr;
};

TEST_F(OwnerDrawnMenus, EveryTitledItemIsOwnerDrawnWithItsRecord) {
  int converted = 0;
  for (int i = 0; i < ::GetMenuItemCount(bar); ++i) {
    const MENUITEMINFOW top = ItemInfo(bar, i);
    ASSERT_TRUE(top.fType & MFT_OWNERDRAW) << ItemText(bar, i);
    MenuItemRecord* heading = RecordOf(bar, i);
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(std::string(heading->text.GetData()), ItemText(bar, i));
    EXPECT_EQ(heading->parent, nullptr) << "an item of the bar has no parent";
    ++converted;
    HMENU popup = top.hSubMenu;
    ASSERT_NE(popup, nullptr);
    for (int j = 0; j < ::GetMenuItemCount(popup); ++j) {
      const MENUITEMINFOW item = ItemInfo(popup, j);
      if (item.fType & MFT_SEPARATOR) {
        EXPECT_FALSE(item.fType & MFT_OWNERDRAW) << "separators stay as they are";
        continue;
      }
      ASSERT_TRUE(item.fType & MFT_OWNERDRAW) << ItemText(popup, j);
      MenuItemRecord* record = RecordOf(popup, j);
      ASSERT_NE(record, nullptr);
      // The record keeps the resource's text, shortcut included; the item
      // keeps it too, so its mnemonic is still found.
      EXPECT_EQ(std::string(record->text.GetData()), ItemText(popup, j));
      EXPECT_EQ(record->parent, heading);
      ++converted;
    }
  }
  EXPECT_EQ(converted, frame->m_menuTables[0].Count());
  EXPECT_GT(frame->m_menuTables[1].Count(), converted) << "the layout menu has more items";
}

struct MeasureCase {
  const char* popup;  // null: the bar item itself
  const char* item;
  const char* label;
  const char* shortcut;
};

TEST_F(OwnerDrawnMenus, ItemsAreMeasuredFromTheirLabelAndShortcut) {
  const MenuMetrics m = MenuMetrics::Read();
  HFONT gui = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  const MeasureCase cases[] = {
      {nullptr, "&File", "&File", ""},
      {nullptr, "&Options", "&Options", ""},
      {"&View", "&Standard Bar", "&Standard Bar", ""},
      {"&File", "&New\tCtrl+N", "&New", "Ctrl+N"},
      {"&File", "&Open...\tCtrl+O", "&Open...", "Ctrl+O"},
      {"&Help", "&Content\tF1", "&Content", "F1"},
  };
  for (const MeasureCase& c : cases) {
    HMENU menu = c.popup ? Popup(c.popup) : bar;
    ASSERT_NE(menu, nullptr) << c.popup;
    const int at = Find(menu, c.item);
    ASSERT_GE(at, 0) << c.item;
    MenuItemRecord* record = RecordOf(menu, at);
    const SIZE label = Extent(gui, c.label);
    const MEASUREITEMSTRUCT got = Measure(record);
    const int height = std::max({m.itemHeight, m.checkHeight, static_cast<int>(label.cy)}) + 1;
    int width = c.popup ? m.checkWidth * 3 / 2 + label.cx
                        : std::max(static_cast<int>(label.cx * 1.3), static_cast<int>(label.cx) + m.checkWidth);
    if (*c.shortcut) {
      const int shortcut = Extent(gui, c.shortcut).cx;
      width += shortcut + 32;
      EXPECT_GE(record->parent->widestShortcut, shortcut) << c.item << ": the popup keeps its widest shortcut";
    }
    EXPECT_EQ(static_cast<int>(got.itemWidth), width) << c.item;
    EXPECT_EQ(static_cast<int>(got.itemHeight), height) << c.item;
    EXPECT_EQ(record->cachedWidth, width) << c.item << ": the width stays in the record";
  }
}

TEST_F(OwnerDrawnMenus, ItemsAreDrawnInTheirStates) {
  HMENU view = Popup("&View");
  ASSERT_NE(view, nullptr);
  MenuItemRecord* standard = RecordOf(view, Find(view, "&Standard Bar"));
  HMENU file = Popup("&File");
  MenuItemRecord* open = RecordOf(file, Find(file, "&Open...\tCtrl+O"));
  MenuItemRecord* heading = RecordOf(bar, Find(bar, "&View"));
  Measure(standard);
  Measure(open);
  Measure(heading);
  const MenuMetrics m = MenuMetrics::Read();
  const int column = m.checkWidth * 3 / 2;
  const COLORREF menu = ::GetSysColor(COLOR_MENU), highlight = ::GetSysColor(COLOR_HIGHLIGHT),
                 text = ::GetSysColor(COLOR_MENUTEXT), selectedText = ::GetSysColor(COLOR_HIGHLIGHTTEXT),
                 gray = ::GetSysColor(COLOR_GRAYTEXT), face = ::GetSysColor(COLOR_BTNFACE);
  const int w = 160, h = 20;
  const RECT checkColumn{0, 0, column, h}, labelArea{column, 0, w, h}, whole{0, 0, w, h};

  struct StateCase {
    MenuItemRecord* record;
    UINT state;
    COLORREF background, ink;
    bool markShown;
    const char* why;
  };
  const StateCase cases[] = {
      {standard, 0, menu, text, false, "a plain popup item: menu colour, menu text"},
      {standard, ODS_CHECKED, menu, text, true, "a checked item shows the mark in its column"},
      {standard, ODS_SELECTED | ODS_CHECKED, highlight, selectedText, true, "selected: highlight, mark in its colour"},
      {open, ODS_GRAYED, menu, gray, false, "a grayed item's text is gray"},
  };
  for (const StateCase& c : cases) {
    const Drawn d = Draw(c.record, c.state, w, h);
    EXPECT_GT(d.Count(whole, c.background) + d.Count(whole, c.ink), w * h * 8 / 10) << c.why;
    EXPECT_GT(d.Count(labelArea, c.ink), 20) << c.why << ": the label";
    EXPECT_EQ(d.Count(checkColumn, c.ink) > 10, c.markShown) << c.why << ": the mark";
    EXPECT_EQ(d.Count(RECT{w, 0, w + 40, h}, RGB(255, 255, 255)), 40 * h) << c.why << ": nothing outside the item";
  }
  // The shortcut stands right, at the popup's widest shortcut from the edge.
  const Drawn shortcut = Draw(open, 0, w, h);
  EXPECT_GT(shortcut.Count(RECT{w - open->parent->widestShortcut - 4, 0, w, h}, text), 10);
  // A bar item is filled in the face colour, widened to its measured width.
  const Drawn top = Draw(heading, 0, 10, h);
  EXPECT_EQ(top.Count(RECT{10, 0, 10 + 5, h}, RGB(255, 255, 255)), 0) << "the fill reaches past a narrow rectangle";
  EXPECT_GT(top.Count(RECT{0, 0, 10, h}, face), 0);
}

TEST_F(OwnerDrawnMenus, ChineseLabelsAreDrawnAndTheRebuildKeepsEveryItem) {
  HMENU view = Popup("&View");
  const int count = frame->m_menuTables[0].Count();
  SavePopupPicture('V', "menu_view_en.png");
  {
    apptest::LanguageScope chinese(kUiChineseSimplified);
    frame->RebuildMenus();
    EXPECT_EQ(frame->m_menuTables[0].Count(), count) << "every item again, none twice";
    MenuItemRecord* standard = RecordOf(view, Find(view, "&Standard Bar"));
    ASSERT_NE(standard, nullptr);
    EXPECT_EQ(std::string(MenuItemLabel(*standard).GetData()),
              std::string(TranslateUiString("&Standard Bar").GetData()));
    EXPECT_NE(std::string(MenuItemLabel(*standard).GetData()), "&Standard Bar") << "the language file translates it";
    MenuItemRecord* heading = RecordOf(bar, Find(bar, "&View"));
    const MEASUREITEMSTRUCT measured = Measure(heading);
    const Drawn d = Draw(heading, 0, static_cast<int>(measured.itemWidth), static_cast<int>(measured.itemHeight));
    EXPECT_GT(d.Count(RECT{0, 0, d.width - 40, d.height}, ::GetSysColor(COLOR_MENUTEXT)), 20);
    frame->DrawMenuBar();
    SavePopupPicture('V', "menu_view_zh.png");
  }
  frame->RebuildMenus();
  // Back in English: each item still holds its text and a record of the table.
  for (int i = 0; i < ::GetMenuItemCount(view); ++i) {
    const MENUITEMINFOW item = ItemInfo(view, i);
    if (item.fType & MFT_SEPARATOR) continue;
    EXPECT_TRUE(frame->m_menuTables[0].Holds(RecordOf(view, i))) << ItemText(view, i);
    EXPECT_EQ(std::string(RecordOf(view, i)->text.GetData()), ItemText(view, i));
  }
  EXPECT_EQ(std::string(MenuItemLabel(*RecordOf(view, Find(view, "&Standard Bar"))).GetData()), "&Standard Bar");
}

}  // namespace
