// Toolbar drop-down buttons: where the arrow part is, which presses send
// TBN_DROPDOWN and what the parent's three answers do, how the button looks
// while its drop-down is up, and a picture with a menu dropped from it.
#include <gtest/gtest.h>

#include <string>

#include "platform/testing/ui.h"
#include "platform/user/menus/menus.h"
#include "platform/win.h"
#include "tests/platform/comctl/event_parent.h"

namespace {

using eventtest::Events;

constexpr int kToolbarId = 51;
enum Command { kPlain = 300, kSplit, kWhole, kDisabled, kChosen = 400 };

struct Fixture {
  HWND parent = eventtest::MakeParent();
  HWND toolbar = nullptr;
  HBITMAP strip = eventtest::MakeStrip(4, 16, 15, {RGB(200, 0, 0), RGB(0, 0, 200), RGB(0, 128, 0), RGB(128, 0, 128)});
  explicit Fixture(DWORD exStyle = TBSTYLE_EX_DRAWDDARROWS) {
    toolbar = eventtest::MakeChild(parent, TOOLBARCLASSNAMEW, TBSTYLE_FLAT, kToolbarId, 0, 0, 0, 0);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, static_cast<LPARAM>(exStyle));
    TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(strip)};
    SendMessageW(toolbar, TB_ADDBITMAP, 4, reinterpret_cast<LPARAM>(&add));
    const TBBUTTON buttons[] = {
        {0, kPlain, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, -1},
        {1, kSplit, TBSTATE_ENABLED, BTNS_DROPDOWN, {}, 0, -1},
        {2, kWhole, TBSTATE_ENABLED, BTNS_WHOLEDROPDOWN, {}, 0, -1},
        {3, kDisabled, 0, BTNS_DROPDOWN, {}, 0, -1},
    };
    SendMessageW(toolbar, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    uitest::RunUntilIdle();
    Events().clear();
  }
  ~Fixture() {
    eventtest::OnNotify() = nullptr;
    DestroyWindow(parent);
    DeleteObject(strip);
  }
  RECT Rect(int index) const {
    RECT r{};
    SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  // A point in the main part of a button (its left quarter) or in its arrow part.
  POINT MainPoint(int index) const {
    const RECT r = Rect(index);
    return POINT{r.left + 4, (r.top + r.bottom) / 2};
  }
  POINT ArrowPoint(int index) const {
    const RECT r = Rect(index);
    return POINT{r.right - 4, (r.top + r.bottom) / 2};
  }
};

TEST(ToolbarDropDown, ArrowPartsWidenTheirButtons) {
  Fixture f;
  const int plain = f.Rect(0).right - f.Rect(0).left;
  EXPECT_GT(f.Rect(1).right - f.Rect(1).left, plain) << "a split button has its arrow part beside it";
  EXPECT_EQ(f.Rect(1).right - f.Rect(1).left, f.Rect(2).right - f.Rect(2).left) << "a whole drop-down keeps room for its arrow";
  RECT arrow{};
  ASSERT_TRUE(SendMessageW(f.toolbar, TB_GETITEMDROPDOWNRECT, 1, reinterpret_cast<LPARAM>(&arrow)));
  EXPECT_EQ(arrow.right, f.Rect(1).right);
  EXPECT_EQ(arrow.right - arrow.left, f.Rect(1).right - f.Rect(1).left - plain);
  EXPECT_FALSE(SendMessageW(f.toolbar, TB_GETITEMDROPDOWNRECT, 0, reinterpret_cast<LPARAM>(&arrow)))
      << "a plain button has no arrow part";
  // Without TBSTYLE_EX_DRAWDDARROWS a drop-down button is as wide as any.
  SendMessageW(f.toolbar, TB_SETEXTENDEDSTYLE, 0, 0);
  EXPECT_EQ(f.Rect(1).right - f.Rect(1).left, plain);
}

TEST(ToolbarDropDown, PressesTable) {
  struct Case {
    const char* what;
    DWORD exStyle;
    int index;
    bool onArrow;
    LRESULT answer;     // the parent's answer to TBN_DROPDOWN
    bool dropDown;      // TBN_DROPDOWN sent
    bool command;       // WM_COMMAND (id, BN_CLICKED) sent after the release
    bool pressedDuring; // TB_ISBUTTONPRESSED while the parent handles TBN_DROPDOWN
  } const cases[] = {
      {"split button's main part is an ordinary button", TBSTYLE_EX_DRAWDDARROWS, 1, false, TBDDRET_DEFAULT, false, true, false},
      {"split button's arrow drops down", TBSTYLE_EX_DRAWDDARROWS, 1, true, TBDDRET_DEFAULT, true, false, false},
      {"the arrow, declined by the parent", TBSTYLE_EX_DRAWDDARROWS, 1, true, TBDDRET_NODEFAULT, true, false, false},
      {"the arrow, then treated as pressed", TBSTYLE_EX_DRAWDDARROWS, 1, true, TBDDRET_TREATPRESSED, true, true, false},
      {"a whole drop-down drops down anywhere", TBSTYLE_EX_DRAWDDARROWS, 2, false, TBDDRET_DEFAULT, true, false, true},
      {"without arrows a drop-down button drops down anywhere", 0, 1, false, TBDDRET_DEFAULT, true, false, true},
      {"a disabled drop-down does nothing", TBSTYLE_EX_DRAWDDARROWS, 3, true, TBDDRET_DEFAULT, false, false, false},
      {"a plain button never drops down", TBSTYLE_EX_DRAWDDARROWS, 0, false, TBDDRET_DEFAULT, false, true, false},
  };
  for (const Case& c : cases) {
    Fixture f(c.exStyle);
    const int command = kPlain + c.index;
    int seen = 0;
    NMTOOLBARW heard{};
    LRESULT pressed = -1;
    eventtest::OnNotify() = [&](NMHDR* h) -> LRESULT {
      if (h->code != TBN_DROPDOWN) return 0;
      ++seen;
      heard = *reinterpret_cast<NMTOOLBARW*>(h);
      pressed = SendMessageW(f.toolbar, TB_ISBUTTONPRESSED, static_cast<WPARAM>(command), 0);
      return c.answer;
    };
    uitest::Click(f.toolbar, c.onArrow ? f.ArrowPoint(c.index) : f.MainPoint(c.index));
    EXPECT_EQ(seen, c.dropDown ? 1 : 0) << c.what << ": " << eventtest::Describe(Events());
    if (c.dropDown) {
      EXPECT_EQ(heard.iItem, command) << c.what;
      EXPECT_EQ(heard.hdr.idFrom, static_cast<UINT_PTR>(kToolbarId)) << c.what;
      const RECT r = f.Rect(c.index);
      EXPECT_TRUE(EqualRect(&heard.rcButton, &r)) << c.what << ": the whole button's rectangle";
      EXPECT_EQ(pressed, c.pressedDuring ? TRUE : FALSE) << c.what;
    }
    EXPECT_EQ(eventtest::Codes(WM_COMMAND).size(), c.command ? 1u : 0u) << c.what;
    EXPECT_EQ(SendMessageW(f.toolbar, TB_ISBUTTONPRESSED, static_cast<WPARAM>(command), 0), FALSE)
        << c.what << ": released afterwards";
  }
}

// While the menu dropped from the split button is open: its arrow part is
// sunken, the screen is saved, and the second item is chosen.
TEST(ToolbarDropDown, PictureOfAMenuDroppedFromAButton) {
  Fixture f;
  static HWND toolbar = nullptr;
  static COLORREF arrowEdge = 0, mainEdge = 0;
  static bool saved = false;
  toolbar = f.toolbar;
  saved = false;
  RECT arrow{};
  SendMessageW(f.toolbar, TB_GETITEMDROPDOWNRECT, 1, reinterpret_cast<LPARAM>(&arrow));
  static RECT arrowPart;
  arrowPart = arrow;
  static RECT button;
  button = f.Rect(1);
  int chosen = 0;
  eventtest::OnNotify() = [&](NMHDR* h) -> LRESULT {
    if (h->code != TBN_DROPDOWN) return 0;
    const auto* nm = reinterpret_cast<NMTOOLBARW*>(h);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, kChosen, u"&Code 128");
    AppendMenuW(menu, MF_STRING, kChosen + 1, u"&QR Code");
    AppendMenuW(menu, MF_STRING, kChosen + 2, u"&Data Matrix");
    POINT below{nm->rcButton.left, nm->rcButton.bottom};
    ClientToScreen(toolbar, &below);
    user::SetMenuLoopHook(
        [](HWND popup, void*) {
          user::SetMenuLoopHook(nullptr, nullptr);
          arrowEdge = uitest::ClientPixel(toolbar, arrowPart.left, arrowPart.top);
          mainEdge = uitest::ClientPixel(toolbar, button.left, button.top);
          saved = uitest::SaveScreenPng(eventtest::PicturePath("toolbar_dropdown_menu.png"));
          PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
          PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
          PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
        },
        nullptr);
    chosen = static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, below.x, below.y, 0,
                                             GetParent(toolbar), nullptr));
    DestroyMenu(menu);
    return TBDDRET_DEFAULT;
  };
  uitest::Click(f.toolbar, f.ArrowPoint(1));
  EXPECT_TRUE(saved);
  EXPECT_EQ(chosen, kChosen + 1);
  EXPECT_EQ(arrowEdge, GetSysColor(COLOR_3DSHADOW)) << "the arrow part is sunken while its menu is up";
  EXPECT_NE(mainEdge, GetSysColor(COLOR_3DSHADOW)) << "the main part is not";
  // Afterwards the arrow part is up again (raised, as the pointer is still over it).
  uitest::RunUntilIdle();
  EXPECT_EQ(uitest::ClientPixel(f.toolbar, arrow.left, arrow.top), GetSysColor(COLOR_3DHILIGHT));
  // The arrow itself: dark pixels in the middle of the arrow part.
  const POINT middle{(arrow.left + arrow.right) / 2, (arrow.top + arrow.bottom) / 2 - 1};
  EXPECT_EQ(uitest::ClientPixel(f.toolbar, middle.x, middle.y), GetSysColor(COLOR_BTNTEXT));
}

}  // namespace
