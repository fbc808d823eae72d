// Window, menu and dialog helpers as tables of cases: combo boxes by text and
// data, dialog items, pointer lists, the owner-drawn conversion of a menu
// tree and renaming in it, the control-character popup picked through the
// menu loop, screen rectangles and the named-point map.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/uifonts/mbcs_text.h"
#include "foundation/window_helpers/dialog_helpers.h"
#include "foundation/system/system_message.h"
#include "foundation/window_helpers/menu_helpers.h"
#include "foundation/window_helpers/pickers.h"
#include "foundation/window_helpers/screen_rects.h"
#include "platform/testing/ui.h"

namespace {

constexpr int kComboId = 100, kEditId = 101;

class WindowHelpers : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog_ = CreateWindowExW(0, u"#32770", u"helpers", WS_POPUP | WS_VISIBLE, 20, 20, 400, 300, nullptr, nullptr,
                              nullptr, nullptr);
    combo_ = CreateWindowExW(0, u"ComboBox", u"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 100, 200, dialog_,
                             reinterpret_cast<HMENU>(static_cast<uintptr_t>(kComboId)), nullptr, nullptr);
    edit_ = CreateWindowExW(0, u"Edit", u"", WS_CHILD | WS_VISIBLE, 10, 40, 100, 20, dialog_,
                            reinterpret_cast<HMENU>(static_cast<uintptr_t>(kEditId)), nullptr, nullptr);
  }
  void TearDown() override { DestroyWindow(dialog_); }
  void Fill(std::initializer_list<std::pair<const char*, LPARAM>> items) {
    SendMessageA(combo_, CB_RESETCONTENT, 0, 0);
    for (const auto& [text, data] : items) {
      const LRESULT at = SendMessageA(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
      SendMessageA(combo_, CB_SETITEMDATA, static_cast<WPARAM>(at), data);
    }
  }
  int Selection() const { return static_cast<int>(SendMessageA(combo_, CB_GETCURSEL, 0, 0)); }

  HWND dialog_ = nullptr;
  HWND combo_ = nullptr;
  HWND edit_ = nullptr;
};

TEST_F(WindowHelpers, ComboSelectionByText) {
  Fill({{"Red", 0}, {"green", 0}, {"Blue", 0}});
  struct Row {
    const char* text;
    int defaultIndex;
    int result;
  } const rows[] = {
      {"GREEN", 0, 1}, {"Blue", -1, 2}, {"missing", 2, 2}, {"missing", -1, -1}, {"gree", -1, -1}, {"", 0, 0},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(SelectComboStringExact(dialog_, kComboId, r.text, r.defaultIndex), r.result) << r.text;
    EXPECT_EQ(Selection(), r.result) << r.text << ": the index is selected, -1 clears";
  }
  // On the combo box itself the search starts after item 0 and wraps to it.
  EXPECT_EQ(SelectComboString(combo_, "red", -1), 0);
  EXPECT_EQ(SelectComboString(combo_, "blue", -1), 2);
  EXPECT_EQ(SelectComboString(combo_, "none", 1), 1);
  EXPECT_EQ(Selection(), 1);
}

TEST_F(WindowHelpers, ComboSelectionByData) {
  Fill({{"a", 0x10005}, {"b", 5}, {"c", 7}, {"d", -3}});
  struct Row {
    int value;
    int found16;  // FindComboItemByData: data taken as 16 bits
    int found32;  // SelectComboByData: the whole data
  } const rows[] = {{5, 0, 1}, {7, 2, 2}, {-3, 3, 3}, {0x10005, -1, 0}, {9, -1, -1}};
  for (const Row& r : rows) {
    EXPECT_EQ(FindComboItemByData(dialog_, kComboId, r.value), r.found16) << r.value;
    SendMessageA(combo_, CB_SETCURSEL, 3, 0);
    EXPECT_EQ(SelectComboByData(dialog_, kComboId, r.value), r.found32) << r.value;
    EXPECT_EQ(Selection(), r.found32 < 0 ? 3 : r.found32) << r.value << ": none found leaves the selection";
  }
}

TEST_F(WindowHelpers, ComboDropWidth) {
  auto measured = [&](const char* text) {
    HDC dc = GetDC(combo_);
    HGDIOBJ old = nullptr;
    if (auto font = reinterpret_cast<HFONT>(SendMessageA(combo_, WM_GETFONT, 0, 0))) old = SelectObject(dc, font);
    const int width = MeasureTextMbcs(dc, text, 16, 16, 0).cx;
    if (old) SelectObject(dc, old);
    ReleaseDC(combo_, dc);
    return width;
  };
  const std::string longText(60, 'W');
  const std::string hugeText(900, 'W');
  ASSERT_GT(measured(longText.c_str()) * 8 / 10, 100);
  ASSERT_GT(measured(hugeText.c_str()) * 8 / 10, 1000);
  struct Row {
    std::vector<std::string> items;
    int width;
  } const rows[] = {
      {{}, 100},
      {{"ab", "c"}, 100},  // narrower than the box: the box's width
      {{"ab", longText}, measured(longText.c_str()) * 8 / 10},
      {{hugeText}, 1000},  // at most ten box widths
  };
  for (const Row& r : rows) {
    SendMessageA(combo_, CB_RESETCONTENT, 0, 0);
    for (const std::string& s : r.items) SendMessageA(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    EXPECT_EQ(ComboDropWidth(combo_), r.width) << r.items.size();
  }
  EXPECT_EQ(ComboDropWidth(nullptr), 0);
}

TEST_F(WindowHelpers, DialogItems) {
  struct Row {
    const char* text;
    double factor;
    int result;
  } const rows[] = {{"12.7", 10, 127}, {"-3.99", 1, -3}, {"abc", 5, 0}, {"2.5e2", 0.5, 125}, {"", 3, 0}};
  for (const Row& r : rows) {
    SetWindowTextA(edit_, r.text);
    EXPECT_EQ(GetDlgItemScaled(kEditId, dialog_, r.factor), r.result) << r.text;
  }
  EXPECT_EQ(ShowDlgItem(dialog_, 999, SW_HIDE), -99);
  EXPECT_NE(ShowDlgItem(dialog_, kEditId, SW_HIDE), 0) << "was visible";
  EXPECT_EQ(ShowDlgItem(dialog_, kEditId, SW_SHOW), 0) << "was hidden";
  EXPECT_TRUE(IsWindowVisible(edit_));
}

TEST_F(WindowHelpers, TheFrameworkObjectsGoTheSameWay) {
  Fill({{"red", 1}, {"green", 2}, {"blue", 3}});
  CComboBox combo;
  ASSERT_TRUE(combo.Attach(combo_));
  EXPECT_EQ(SelectComboString(combo, "blue", -1), 2);
  EXPECT_EQ(SelectComboString(combo, "none", 1), 1);
  EXPECT_EQ(Selection(), 1);
  combo.Detach();
  CDialog dialog;
  ASSERT_TRUE(dialog.Attach(dialog_));
  SetWindowTextA(edit_, "2.5");
  EXPECT_EQ(GetDlgItemScaled(kEditId, dialog, 10.0), 25);
  EXPECT_EQ(ShowDlgItem(dialog, 999, SW_HIDE), -99);
  EXPECT_NE(ShowDlgItem(dialog, kEditId, SW_HIDE), 0);
  EXPECT_EQ(ShowDlgItem(dialog, kEditId, SW_SHOW), 0);
  dialog.Detach();
}

TEST(WindowHelperLists, IntArraysAndPointerLists) {
  AArray<int> numbers;
  for (int v : {4, 8, 15, 16}) numbers.Add(v);
  EXPECT_EQ(FindInIntArray(numbers, 15), 2);
  EXPECT_EQ(FindInIntArray(numbers, 23), -1);
  int a, b, x, y, z;
  CPtrArray array;
  for (int* p : {&x, &y, &z}) array.Add(p);
  auto contents = [](const CPtrList& list) {
    std::vector<void*> out;
    for (POSITION pos = list.GetHeadPosition(); pos;) out.push_back(list.GetNext(pos));
    return out;
  };
  CPtrList list;
  list.AddTail(&a);
  list.AddTail(&b);
  EXPECT_EQ(InsertPtrArrayAfter(list.GetHeadPosition(), list, array), 3);
  EXPECT_EQ(contents(list), (std::vector<void*>{&a, &z, &y, &x, &b})) << "each right after the position";
  CPtrList appended;
  appended.AddTail(&a);
  EXPECT_EQ(InsertPtrArrayAfter(nullptr, appended, array), 3);
  EXPECT_EQ(contents(appended), (std::vector<void*>{&a, &x, &y, &z}));
  EXPECT_EQ(AppendPtrArray(appended, array), 3);
  EXPECT_EQ(appended.GetCount(), 7);
  EXPECT_EQ(appended.GetTail(), &z);
}

// File(Open 10, separator, Recent(One 11)), Edit 20, an item without text (21).
HMENU MakeTree(HMENU* recent) {
  *recent = CreatePopupMenu();
  AppendMenuW(*recent, MF_STRING, 11, u"One");
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, 10, u"&Open");
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(*recent), u"Recent");
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), u"&File");
  AppendMenuW(bar, MF_STRING, 20, u"&Edit");
  AppendMenuW(bar, MF_STRING, 21, u"");
  return bar;
}

MENUITEMINFOW ItemInfo(HMENU menu, int position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID | MIIM_SUBMENU;
  GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
  return info;
}

TEST(WindowHelperMenus, CommandsAndTheOwnerDrawnConversion) {
  for (bool rebuild : {false, true}) {
    HMENU recent = nullptr;
    HMENU bar = MakeTree(&recent);
    const HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(MenuHasCommand(bar, 20), 1);
    EXPECT_EQ(MenuHasCommand(bar, 10), 0) << "submenus are not searched";
    EXPECT_EQ(MenuHasCommand(file, 10), 1);
    MenuItemRecord* records[16] = {};
    int count = 0;
    EXPECT_EQ(MakeMenuOwnerDrawn(bar, records, &count, 16, nullptr, rebuild), 5);
    struct Row {
      HMENU menu;
      int position;
      const char* text;
      int parent;  // index of the parent record, -1 for none
    } const rows[] = {
        {bar, 0, "&File", -1}, {file, 0, "&Open", 0}, {file, 2, "Recent", 0}, {recent, 0, "One", 2}, {bar, 1, "&Edit", -1},
    };
    for (int i = 0; i < 5; ++i) {
      const Row& r = rows[i];
      const MENUITEMINFOW info = ItemInfo(r.menu, r.position);
      EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << r.text;
      EXPECT_EQ(reinterpret_cast<MenuItemRecord*>(info.dwItemData), records[i]) << r.text;
      EXPECT_STREQ(records[i]->text.GetData(), r.text);
      EXPECT_EQ(records[i]->parent, r.parent < 0 ? nullptr : records[r.parent]) << r.text;
    }
    EXPECT_FALSE(ItemInfo(file, 1).fType & MFT_OWNERDRAW) << "the separator stays";
    EXPECT_FALSE(ItemInfo(bar, 2).fType & MFT_OWNERDRAW) << "an item without text stays";
    EXPECT_EQ(GetSubMenu(bar, 0), file) << "a popup keeps its submenu";
    EXPECT_EQ(GetMenuItemID(bar, 1), 20u);

    // Renaming: the record takes the text, the item stays owner-drawn in its place.
    records[3]->cachedWidth = 55;
    EXPECT_EQ(RenameMenuItem(bar, 11, "Uno"), 1);
    EXPECT_STREQ(records[3]->text.GetData(), "Uno");
    EXPECT_EQ(records[3]->cachedWidth, 0);
    const MENUITEMINFOW renamed = ItemInfo(recent, 0);
    EXPECT_TRUE(renamed.fType & MFT_OWNERDRAW);
    EXPECT_EQ(renamed.wID, 11u);
    EXPECT_EQ(reinterpret_cast<MenuItemRecord*>(renamed.dwItemData), records[3]);
    EXPECT_EQ(RenameMenuItem(bar, 11, "Uno"), 0) << "the same text changes nothing";
    EXPECT_EQ(RenameMenuItem(bar, 99, "x"), 0);
    for (int i = 0; i < count; ++i) delete records[i];
    DestroyMenu(bar);
  }
}

TEST(WindowHelperMenus, TheFrameworkMenuGoesTheSameWay) {
  HMENU recent = nullptr;
  CMenu bar;
  ASSERT_TRUE(bar.Attach(MakeTree(&recent)));
  EXPECT_EQ(MenuHasCommand(bar, 20), 1);
  EXPECT_EQ(MenuHasCommand(bar, 10), 0);
  MenuItemRecord* records[16] = {};
  int count = 0;
  EXPECT_EQ(MakeMenuOwnerDrawn(bar, records, &count, 16, nullptr, false), 5);
  EXPECT_EQ(RenameMenuItem(bar, 11, "Uno"), 1);
  EXPECT_STREQ(records[3]->text.GetData(), "Uno");
  for (int i = 0; i < count; ++i) delete records[i];
  bar.DestroyMenu();
}

TEST(WindowHelperMenus, TheConversionStopsWhereTheRecordsEnd) {
  HMENU recent = nullptr;
  HMENU bar = MakeTree(&recent);
  MenuItemRecord* records[2] = {};
  int count = 0;
  EXPECT_EQ(MakeMenuOwnerDrawn(bar, records, &count, 2, nullptr, false), 2);
  EXPECT_TRUE(ItemInfo(GetSubMenu(bar, 0), 0).fType & MFT_OWNERDRAW);
  EXPECT_FALSE(ItemInfo(GetSubMenu(bar, 0), 2).fType & MFT_OWNERDRAW) << "no room, no change";
  for (int i = 0; i < count; ++i) delete records[i];
  DestroyMenu(bar);
}

TEST(WindowHelperMenus, ControlCharacterItems) {
  struct Row {
    int code;
    const char* text;
  } const rows[] = {{1, "SOH\t  (Hex: 01)"}, {17, "DCL\t  (Hex: 11)"}, {27, "ESC\t  (Hex: 1B)"},
                    {31, "US\t  (Hex: 1F)"},  {0, ""},                  {32, ""}};
  for (const Row& r : rows) EXPECT_STREQ(ControlCharMenuText(r.code).GetData(), r.text) << r.code;
}

struct PickCase {
  int downs;
  int key;
  int result;
};

TEST(WindowHelperMenus, ControlCharacterPopupReturnsThePick) {
  const HWND owner = CreateWindowExW(0, u"#32770", u"owner", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                     nullptr, nullptr);
  const PickCase cases[] = {{17, VK_RETURN, 17}, {1, VK_RETURN, 1}, {31, VK_RETURN, 31}, {3, VK_ESCAPE, -1}};
  for (const PickCase& c : cases) {
    static PickCase current;
    current = c;
    user::SetMenuLoopHook(
        [](HWND popup, void*) {
          user::SetMenuLoopHook(nullptr, nullptr);
          for (int i = 0; i < current.downs; ++i) PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
          PostMessageW(popup, WM_KEYDOWN, static_cast<WPARAM>(current.key), 0);
        },
        nullptr);
    EXPECT_EQ(PickControlCharMenu(30, 30, owner), c.result) << c.downs;
  }
  DestroyWindow(owner);
}

TEST(WindowHelperScreen, WorkAreaAndTaskbar) {
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  RECT r{};
  RECT taskbar{};
  EXPECT_EQ(GetTaskbarRect(&taskbar), 0) << "no taskbar here";
  EXPECT_EQ(GetWorkAreaRect(&r), 0) << "the taskbar cannot be had";
  EXPECT_TRUE(EqualRect(&r, &work)) << "r keeps the work area";
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"Shell_TrayWnd";
    return RegisterClassExW(&wc) != 0;
  }();
  ASSERT_TRUE(registered);
  struct Row {
    RECT bar;
    int result;
    RECT area;
  } const rows[] = {
      {{0, 0, width, 40}, 1, {work.left, 40, work.right, work.bottom}},       // along the top
      {{0, 0, 50, height}, 1, {50, work.top, work.right, work.bottom}},       // along the left
      {{100, 100, 200, 200}, 1, work},                                       // not along a side: nothing taken
      {{0, 0, width, height}, 0, work},                                      // nothing left
      {{10, 10, 10, 10}, 1, work},                                           // an empty bar
  };
  for (const Row& row : rows) {
    const HWND tray = CreateWindowExW(WS_EX_TOOLWINDOW, u"Shell_TrayWnd", u"", WS_POPUP, row.bar.left, row.bar.top,
                                      row.bar.right - row.bar.left, row.bar.bottom - row.bar.top, nullptr, nullptr,
                                      nullptr, nullptr);
    EXPECT_EQ(GetTaskbarRect(&taskbar), 1);
    EXPECT_TRUE(EqualRect(&taskbar, &row.bar)) << taskbar.left << "," << taskbar.top;
    RECT area{};
    EXPECT_EQ(GetWorkAreaRect(&area), row.result) << row.bar.right;
    if (row.result) {
      EXPECT_TRUE(EqualRect(&area, &row.area)) << area.left << "," << area.top << "," << area.right << "," << area.bottom;
    }
    DestroyWindow(tray);
  }
}

TEST(WindowHelperScreen, RectanglesAndBitmaps) {
  const HWND window = CreateWindowExW(0, u"#32770", u"", WS_POPUP | WS_VISIBLE, 30, 40, 100, 100, nullptr, nullptr,
                                      nullptr, nullptr);
  RECT r{35, 50, 75, 90};
  ScreenToClientRect(window, &r);
  const RECT expected{5, 10, 45, 50};
  EXPECT_TRUE(EqualRect(&r, &expected));
  DestroyWindow(window);
  struct Corner {
    int corner;
    int x;
    int y;
  } const corners[] = {{0, 1, 2}, {1, 1, 4}, {2, 3, 4}, {3, 3, 2}, {-7, 3, 2}};
  const RECT box{1, 2, 3, 4};
  for (const Corner& c : corners) {
    POINT p{};
    int y = 0;
    PickRectCorner(&box, &p, &y, c.corner);
    EXPECT_EQ(p.x, c.x) << c.corner;
    EXPECT_EQ(y, c.y) << c.corner;
  }
  HBITMAP screen = CreateScreenBitmap(30, 20, nullptr);
  BITMAP info{};
  ASSERT_EQ(GetObjectW(screen, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmWidth, 30);
  EXPECT_EQ(info.bmHeight, 20);
  EXPECT_EQ(info.bmBitsPixel, 32);
  DeleteObject(screen);
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP mono = CreateScreenBitmap(8, 8, memory);  // a fresh memory DC holds a 1-bit bitmap
  GetObjectW(mono, sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 1);
  DeleteObject(mono);
  DeleteDC(memory);
}

// Read back through a screen DC: what the frame inverts is the screen's own pixels.
std::vector<COLORREF> ScreenPixels(const std::vector<POINT>& points) {
  HDC screen = GetDC(nullptr);
  std::vector<COLORREF> pixels;
  for (const POINT& p : points) pixels.push_back(GetPixel(screen, p.x, p.y));
  ReleaseDC(nullptr, screen);
  return pixels;
}

TEST(WindowHelperScreen, FocusFrameDrawnTwiceIsGone) {
  const RECT frame{20, 30, 120, 90};
  // Corner, right edge, bottom edge, left edge; then inside and outside.
  const std::vector<POINT> edge = {{20, 30}, {119, 60}, {60, 89}, {20, 60}};
  const std::vector<POINT> away = {{60, 60}, {121, 60}, {60, 91}, {19, 29}};
  const std::vector<COLORREF> edgeBefore = ScreenPixels(edge), awayBefore = ScreenPixels(away);
  DrawFocusFrame(&frame);
  const std::vector<COLORREF> edgeOnce = ScreenPixels(edge);
  for (size_t i = 0; i < edge.size(); ++i) EXPECT_NE(edgeOnce[i], edgeBefore[i]) << "edge point " << i;
  EXPECT_EQ(ScreenPixels(away), awayBefore) << "inside and outside are left alone";
  DrawFocusFrame(&frame);
  EXPECT_EQ(ScreenPixels(edge), edgeBefore) << "drawn twice, it is gone";
}

TEST(WindowHelperMaps, PointsByName) {
  PointMap points;
  POINT p{};
  EXPECT_EQ(points.Lookup(AString("origin"), p), 0);
  points.SetAt(AString("origin"), POINT{1, 2});
  points[AString("corner")] = POINT{30, 40};
  EXPECT_EQ(points.Lookup(AString("origin"), p), 1);
  EXPECT_EQ(p.x, 1);
  EXPECT_EQ(p.y, 2);
  EXPECT_EQ(points[AString("fresh")].x, 0) << "a new entry starts at zero";
  EXPECT_EQ(points.GetCount(), 3);
  points.RemoveAll();
  EXPECT_EQ(points.GetCount(), 0);
  EXPECT_EQ(points.Lookup(AString("corner"), p), 0);
}

}  // namespace

namespace {

std::string gShown;
void Capture(const char* text, const char*) { gShown = text ? text : ""; }

TEST(WindowHelperMessages, LastErrorTextAndPresetColours) {
  const SystemMessageHandler before = SetSystemMessageHandler(Capture);
  struct Row {
    DWORD error;
    const char* shown;
  } const rows[] = {
      {ERROR_PATH_NOT_FOUND, "The folder could not be found.\r\n"},
      {ERROR_SHARING_VIOLATION, "The file is in use by another process.\r\n"},
      {424242, "System error 424242."},
  };
  for (const Row& r : rows) {
    SetLastError(r.error);
    ShowLastErrorMessage();
    EXPECT_EQ(gShown, r.shown) << r.error;
  }
  SetSystemMessageHandler(before);
  EXPECT_EQ(kPresetCustomColours[1], RGB(0, 0, 0xFF)) << "0x00BBGGRR: the second is blue";
  EXPECT_EQ(kPresetCustomColours[7], RGB(0xC8, 0xC8, 0xC8));
  EXPECT_EQ(kPresetCustomColours[9], RGB(0x7B, 0x7B, 0xFF));
}

// The colour picker opens fully with the preset custom colours; OK gives the
// colour picked, Cancel the one it started from.
struct ColourRun {
  int button = IDOK;
  bool mixerShown = false;
  COLORREF secondCustom = 0;
};

void DriveColour(HWND dialog, void* context) {
  auto* run = static_cast<ColourRun*>(context);
  uitest::RunUntilIdle();  // the boxes are painted
  run->mixerShown = IsWindowVisible(GetDlgItem(dialog, COLOR_RAINBOW)) != FALSE;
  const HWND custom = GetDlgItem(dialog, COLOR_CUSTOM1);
  RECT r{};
  GetClientRect(custom, &r);
  const int w = r.right / 8, h = r.bottom / 2;
  run->secondCustom = uitest::ClientPixel(custom, w + w / 2, h / 2);
  const HWND basic = GetDlgItem(dialog, COLOR_BOX1);
  GetClientRect(basic, &r);
  uitest::Click(basic, POINT{r.right / 16, r.bottom / 12});  // the first basic colour
  uitest::Click(GetDlgItem(dialog, run->button));
}

TEST(WindowHelperMessages, ColourPickerOkAndCancel) {
  for (int button : {IDOK, IDCANCEL}) {
    ColourRun run;
    run.button = button;
    user::SetModalDialogHook(&DriveColour, &run);
    const COLORREF chosen = ChooseColorDlg(RGB(1, 2, 3));
    user::SetModalDialogHook(nullptr, nullptr);
    EXPECT_TRUE(run.mixerShown);
    EXPECT_EQ(run.secondCustom, kPresetCustomColours[1]) << "the presets are offered";
    if (button == IDOK) {
      EXPECT_NE(chosen, RGB(1, 2, 3));
    } else {
      EXPECT_EQ(chosen, RGB(1, 2, 3));
    }
  }
}

}  // namespace
