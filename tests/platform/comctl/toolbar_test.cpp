// The toolbar: buttons and their states as tables of messages, clicks and
// the notifications they send, tooltips on the virtual clock, and a picture.
#include <gtest/gtest.h>

#include "platform/testing/ui.h"
#include "platform/win.h"
#include "tests/platform/comctl/event_parent.h"

namespace {

using eventtest::Event;
using eventtest::Events;

constexpr int kToolbarId = 50;
enum Command { kNew = 100, kOpen, kBold, kLeft, kRight, kPrint };

struct Fixture {
  HWND parent = eventtest::MakeParent();
  HWND toolbar = nullptr;
  HBITMAP strip = eventtest::MakeStrip(6, 16, 15,
                                        {RGB(200, 0, 0), RGB(0, 0, 200), RGB(0, 0, 0), RGB(0, 128, 0), RGB(128, 0, 128),
                                         RGB(0, 0, 0)});
  explicit Fixture(DWORD style = TBSTYLE_FLAT) {
    toolbar = eventtest::MakeChild(parent, TOOLBARCLASSNAMEW, style, kToolbarId, 0, 0, 0, 0);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(strip)};
    EXPECT_EQ(SendMessageW(toolbar, TB_ADDBITMAP, 6, reinterpret_cast<LPARAM>(&add)), 0);
    const TBBUTTON buttons[] = {
        {0, kNew, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, -1},
        {1, kOpen, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, -1},
        {0, 0, 0, BTNS_SEP, {}, 0, -1},
        {2, kBold, TBSTATE_ENABLED, BTNS_CHECK, {}, 0, -1},
        {3, kLeft, TBSTATE_ENABLED | TBSTATE_CHECKED, BTNS_CHECKGROUP, {}, 0, -1},
        {4, kRight, TBSTATE_ENABLED, BTNS_CHECKGROUP, {}, 0, -1},
        {0, 0, 0, BTNS_SEP, {}, 0, -1},
        {5, kPrint, 0, BTNS_BUTTON, {}, 0, -1},
    };
    EXPECT_TRUE(SendMessageW(toolbar, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons)));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    uitest::RunUntilIdle();
    Events().clear();
  }
  ~Fixture() {
    DestroyWindow(parent);
    DeleteObject(strip);
  }
  RECT Rect(int index) const {
    RECT r{};
    SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  POINT Middle(int index) const {
    const RECT r = Rect(index);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  LRESULT State(int command) const { return SendMessageW(toolbar, TB_GETSTATE, static_cast<WPARAM>(command), 0); }
};

TEST(Toolbar, ButtonsAreLaidOutLeftToRightAcrossTheParentTop) {
  Fixture f;
  EXPECT_EQ(SendMessageW(f.toolbar, TB_BUTTONCOUNT, 0, 0), 8);
  RECT window, parentClient;
  GetWindowRect(f.toolbar, &window);
  GetClientRect(f.parent, &parentClient);
  EXPECT_EQ(window.right - window.left, parentClient.right) << "TB_AUTOSIZE spans the parent";
  const LRESULT size = SendMessageW(f.toolbar, TB_GETBUTTONSIZE, 0, 0);
  EXPECT_EQ(LOWORD(static_cast<DWORD_PTR>(size)), 24) << "the documented default button size";
  EXPECT_EQ(HIWORD(static_cast<DWORD_PTR>(size)), 22);
  const RECT first = f.Rect(0), second = f.Rect(1), separator = f.Rect(2), third = f.Rect(3);
  EXPECT_EQ(second.left, first.right);
  EXPECT_EQ(separator.right - separator.left, 8) << "a separator of width 0 takes the default";
  EXPECT_EQ(third.left, separator.right);
  EXPECT_EQ(SendMessageW(f.toolbar, TB_COMMANDTOINDEX, kBold, 0), 3);
  EXPECT_EQ(SendMessageW(f.toolbar, TB_COMMANDTOINDEX, 999, 0), -1);
  // Hiding a button closes the gap.
  EXPECT_TRUE(SendMessageW(f.toolbar, TB_HIDEBUTTON, kNew, TRUE));
  EXPECT_EQ(f.Rect(1).left, first.left);
  RECT none{};
  EXPECT_FALSE(SendMessageW(f.toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&none))) << "hidden";
  EXPECT_FALSE(SendMessageW(f.toolbar, TB_GETITEMRECT, 99, reinterpret_cast<LPARAM>(&none)));
}

TEST(Toolbar, AutoSizePlacesTheBarAsItsStyleSays) {
  struct Case {
    const char* what;
    DWORD style;
    int startY;
    int y;  // -1: along the parent's bottom
  } const cases[] = {
      {"the top by default", 0, 50, 0},
      {"CCS_BOTTOM along the bottom", CCS_BOTTOM, 50, -1},
      {"CCS_NOMOVEY stays where it is", CCS_NOMOVEY, 50, 50},
  };
  for (const Case& c : cases) {
    const HWND parent = eventtest::MakeParent();
    const HWND bar = eventtest::MakeChild(parent, TOOLBARCLASSNAMEW, c.style | CCS_NORESIZE, kToolbarId, 0, c.startY, 100, 30);
    SetWindowLongW(bar, GWL_STYLE, GetWindowLongW(bar, GWL_STYLE) & ~static_cast<LONG>(CCS_NORESIZE));
    SendMessageW(bar, TB_AUTOSIZE, 0, 0);
    RECT r, client;
    GetWindowRect(bar, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    GetClientRect(parent, &client);
    EXPECT_EQ(r.top, c.y < 0 ? client.bottom - (r.bottom - r.top) : c.y) << c.what;
    EXPECT_EQ(r.right - r.left, client.right) << c.what;
    DestroyWindow(parent);
  }
}

TEST(Toolbar, StateMessagesTable) {
  struct Case {
    const char* what;
    UINT message;
    WPARAM command;
    LPARAM value;
    LRESULT result;
    UINT query;          // a TB_ISBUTTON* message asked afterwards
    LRESULT queryResult;
  } const cases[] = {
      {"enable a disabled button", TB_ENABLEBUTTON, kPrint, TRUE, TRUE, TB_ISBUTTONENABLED, TRUE},
      {"disable a button", TB_ENABLEBUTTON, kNew, FALSE, TRUE, TB_ISBUTTONENABLED, FALSE},
      {"check a check button", TB_CHECKBUTTON, kBold, TRUE, TRUE, TB_ISBUTTONCHECKED, TRUE},
      {"press a button", TB_PRESSBUTTON, kOpen, TRUE, TRUE, TB_ISBUTTONPRESSED, TRUE},
      {"hide a button", TB_HIDEBUTTON, kOpen, TRUE, TRUE, TB_ISBUTTONHIDDEN, TRUE},
      {"indeterminate", TB_INDETERMINATE, kBold, TRUE, TRUE, TB_ISBUTTONINDETERMINATE, TRUE},
      {"unknown command fails", TB_ENABLEBUTTON, 999, TRUE, FALSE, TB_ISBUTTONENABLED, -1},
      {"checking one of a group clears the other", TB_CHECKBUTTON, kRight, TRUE, TRUE, TB_ISBUTTONCHECKED, TRUE},
  };
  for (const Case& c : cases) {
    Fixture f;
    EXPECT_EQ(SendMessageW(f.toolbar, c.message, c.command, c.value), c.result) << c.what;
    EXPECT_EQ(SendMessageW(f.toolbar, c.query, c.command, 0), c.queryResult) << c.what;
    EXPECT_TRUE(Events().empty()) << c.what << ": state messages do not notify: " << eventtest::Describe(Events());
    if (c.command == kRight) {
      EXPECT_EQ(SendMessageW(f.toolbar, TB_ISBUTTONCHECKED, kLeft, 0), FALSE) << c.what;
    }
  }
  Fixture f;
  EXPECT_EQ(f.State(kPrint), 0);
  EXPECT_EQ(f.State(kLeft), TBSTATE_ENABLED | TBSTATE_CHECKED);
  EXPECT_EQ(f.State(999), -1);
  EXPECT_TRUE(SendMessageW(f.toolbar, TB_SETSTATE, kPrint, TBSTATE_ENABLED | TBSTATE_PRESSED));
  EXPECT_EQ(f.State(kPrint), TBSTATE_ENABLED | TBSTATE_PRESSED);
}

TEST(Toolbar, ClicksTable) {
  struct Case {
    const char* what;
    int index;                       // the button clicked
    std::vector<UINT> notifications; // WM_NOTIFY codes, in order
    bool command;                    // WM_COMMAND (id, BN_CLICKED) sent
    int checkedCommand;              // a command checked afterwards (0: none asked)
    int clearedCommand;              // a command not checked afterwards (0: none asked)
  } const cases[] = {
      {"plain button", 0, {TBN_BEGINDRAG, TBN_ENDDRAG, NM_CLICK}, true, 0, 0},
      {"check button checks", 3, {TBN_BEGINDRAG, TBN_ENDDRAG, NM_CLICK}, true, kBold, 0},
      {"group button moves the check", 5, {TBN_BEGINDRAG, TBN_ENDDRAG, NM_CLICK}, true, kRight, kLeft},
      {"checked group button stays checked", 4, {TBN_BEGINDRAG, TBN_ENDDRAG, NM_CLICK}, true, kLeft, kRight},
      {"disabled button does nothing", 7, {}, false, 0, 0},
      {"separator does nothing", 2, {}, false, 0, 0},
  };
  for (const Case& c : cases) {
    Fixture f;
    uitest::Click(f.toolbar, f.Middle(c.index));
    std::vector<UINT> codes;
    for (UINT code : eventtest::Codes(WM_NOTIFY))
      if (code != TBN_HOTITEMCHANGE) codes.push_back(code);
    EXPECT_EQ(codes, c.notifications) << c.what << ": " << eventtest::Describe(Events());
    const std::vector<UINT> commands = eventtest::Codes(WM_COMMAND);
    EXPECT_EQ(commands.size(), c.command ? 1u : 0u) << c.what;
    if (c.command && !commands.empty()) {
      EXPECT_EQ(commands[0], BN_CLICKED);
      EXPECT_EQ(Events().back().id, static_cast<UINT_PTR>(kNew + (c.index > 2 ? c.index - 1 : c.index))) << c.what;
    }
    if (c.checkedCommand) {
      EXPECT_EQ(SendMessageW(f.toolbar, TB_ISBUTTONCHECKED, c.checkedCommand, 0), TRUE) << c.what;
    }
    if (c.clearedCommand) {
      EXPECT_EQ(SendMessageW(f.toolbar, TB_ISBUTTONCHECKED, c.clearedCommand, 0), FALSE) << c.what;
    }
    EXPECT_EQ(SendMessageW(f.toolbar, TB_ISBUTTONPRESSED, kNew, 0), FALSE) << c.what << ": released";
  }
}

TEST(Toolbar, DraggingOffAButtonCancelsTheClick) {
  Fixture f;
  const RECT r = f.Rect(0);
  uitest::Drag(f.toolbar, f.Middle(0), POINT{r.left + 2, r.bottom + 40});
  EXPECT_TRUE(eventtest::Codes(WM_COMMAND).empty()) << eventtest::Describe(Events());
  EXPECT_EQ(SendMessageW(f.toolbar, TB_ISBUTTONPRESSED, kNew, 0), FALSE);
  // Checking twice by clicking unchecks.
  uitest::Click(f.toolbar, f.Middle(3));
  uitest::Click(f.toolbar, f.Middle(3));
  EXPECT_EQ(SendMessageW(f.toolbar, TB_ISBUTTONCHECKED, kBold, 0), FALSE);
}

TEST(Toolbar, HotButtonGoesColdWhenThePointerLeaves) {
  uitest::VirtualClock clock;
  Fixture f;
  uitest::MoveMouse(f.toolbar, f.Middle(0));
  EXPECT_EQ(SendMessageW(f.toolbar, TB_GETHOTITEM, 0, 0), 0);
  uitest::MoveMouse(f.toolbar, f.Middle(1));
  EXPECT_EQ(SendMessageW(f.toolbar, TB_GETHOTITEM, 0, 0), 1) << "the hot button follows the pointer";
  uitest::MoveMouse(f.parent, POINT{200, 200});  // off the toolbar: it hears no move
  clock.Advance(100);
  EXPECT_EQ(SendMessageW(f.toolbar, TB_GETHOTITEM, 0, 0), -1);
  std::vector<UINT> hot;
  for (UINT code : eventtest::Codes(WM_NOTIFY))
    if (code == TBN_HOTITEMCHANGE) hot.push_back(code);
  EXPECT_EQ(hot.size(), 3u) << "entering, moving on, leaving";
}

TEST(Toolbar, ButtonsInsertedDeletedAndDescribed) {
  Fixture f;
  const TBBUTTON extra{0, 300, TBSTATE_ENABLED, BTNS_BUTTON, {}, 77, reinterpret_cast<INT_PTR>(u"Extra")};
  EXPECT_TRUE(SendMessageW(f.toolbar, TB_INSERTBUTTONW, 1, reinterpret_cast<LPARAM>(&extra)));
  EXPECT_EQ(SendMessageW(f.toolbar, TB_COMMANDTOINDEX, 300, 0), 1);
  TBBUTTON got{};
  EXPECT_TRUE(SendMessageW(f.toolbar, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&got)));
  EXPECT_EQ(got.idCommand, 300);
  EXPECT_EQ(got.dwData, 77u);
  EXPECT_EQ(SendMessageW(f.toolbar, TB_GETBUTTONTEXTW, 300, 0), 5);
  // TB_GETBUTTONINFO copies only cchText units.
  WCHAR small[4] = {u'x', u'x', u'x', u'x'};
  TBBUTTONINFOW info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_TEXT | TBIF_LPARAM | TBIF_COMMAND;
  info.pszText = small;
  info.cchText = 3;
  EXPECT_EQ(SendMessageW(f.toolbar, TB_GETBUTTONINFOW, 300, reinterpret_cast<LPARAM>(&info)), 1);
  EXPECT_EQ(std::u16string(small), u"Ex");
  EXPECT_EQ(small[3], u'x') << "nothing written past the given size";
  EXPECT_EQ(info.lParam, 77u);
  EXPECT_TRUE(SendMessageW(f.toolbar, TB_DELETEBUTTON, 1, 0));
  EXPECT_EQ(eventtest::Codes(WM_NOTIFY), std::vector<UINT>{TBN_DELETINGBUTTON});
  EXPECT_EQ(SendMessageW(f.toolbar, TB_COMMANDTOINDEX, 300, 0), -1);
  EXPECT_FALSE(SendMessageW(f.toolbar, TB_DELETEBUTTON, 99, 0));
  // TB_HITTEST: a button's index, a separator's negative index.
  POINT p = f.Middle(1);
  EXPECT_EQ(SendMessageW(f.toolbar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&p)), 1);
  p = f.Middle(2);
  EXPECT_EQ(SendMessageW(f.toolbar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&p)), -2);
  // Strings added as a list and used by index.
  const char16_t strings[] = u"One\0Two\0";
  EXPECT_EQ(SendMessageW(f.toolbar, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(strings)), 0);
  const TBBUTTON labelled{1, 301, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 1};
  SendMessageW(f.toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&labelled));
  WCHAR text[8]{};
  EXPECT_EQ(SendMessageW(f.toolbar, TB_GETBUTTONTEXTW, 301, reinterpret_cast<LPARAM>(text)), 3);
  EXPECT_EQ(std::u16string(text), u"Two");
}

TEST(Toolbar, TooltipTextComesFromTheParentAfterTheDelay) {
  uitest::VirtualClock clock;
  Fixture f(TBSTYLE_FLAT | TBSTYLE_TOOLTIPS);
  const HWND tip = reinterpret_cast<HWND>(SendMessageW(f.toolbar, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tip, nullptr);
  UINT_PTR asked = 0;
  eventtest::OnNotify() = [&](NMHDR* h) -> LRESULT {
    if (h->code != TTN_GETDISPINFOW) return 0;
    asked = h->idFrom;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(h);
    const std::u16string text = u"Open a label";
    std::copy(text.begin(), text.end(), info->szText);
    info->szText[text.size()] = 0;
    return 0;
  };
  uitest::MoveMouse(f.toolbar, f.Middle(1));
  EXPECT_FALSE(IsWindowVisible(tip)) << "not before the initial delay";
  clock.Advance(GetDoubleClickTime() - 10);
  EXPECT_FALSE(IsWindowVisible(tip));
  clock.Advance(20);
  EXPECT_TRUE(IsWindowVisible(tip));
  EXPECT_EQ(asked, static_cast<UINT_PTR>(kOpen)) << "the command id names the button";
  WCHAR shown[32]{};
  GetWindowTextW(tip, shown, 32);
  EXPECT_EQ(std::u16string(shown), u"Open a label");
  const std::vector<UINT> codes = eventtest::Codes(WM_NOTIFY);
  EXPECT_NE(std::find(codes.begin(), codes.end(), TTN_SHOW), codes.end());
  const std::string path = eventtest::PicturePath("toolbar_tooltip.png");
  EXPECT_TRUE(uitest::SaveScreenPng(path));
  clock.Advance(GetDoubleClickTime() * 10 + 10);
  EXPECT_FALSE(IsWindowVisible(tip)) << "gone after the pop-up delay";
  const std::vector<UINT> after = eventtest::Codes(WM_NOTIFY);
  EXPECT_EQ(after.back(), TTN_POP);
}

TEST(Toolbar, PictureOfPressedCheckedAndDisabledButtons) {
  Fixture f;
  SendMessageW(f.toolbar, TB_PRESSBUTTON, kOpen, TRUE);
  SendMessageW(f.toolbar, TB_CHECKBUTTON, kBold, TRUE);
  uitest::MoveMouse(f.toolbar, f.Middle(0));  // the first button hot
  uitest::RunUntilIdle();
  ASSERT_TRUE(uitest::SaveWindowPng(f.parent, eventtest::PicturePath("toolbar_states.png")));
  RECT bar;
  GetWindowRect(f.toolbar, &bar);
  RECT frame;
  GetWindowRect(f.parent, &frame);
  OffsetRect(&bar, -frame.left, -frame.top);
  bar.right = bar.left + f.Rect(7).right + 4;
  ASSERT_TRUE(eventtest::SaveZoomedPng(f.parent, bar, 4, eventtest::PicturePath("toolbar_states_zoomed.png")));
  // The pressed button is sunken: its top-left edge dark, the normal flat one's the face colour.
  const RECT pressed = f.Rect(1), plain = f.Rect(5);
  EXPECT_EQ(uitest::ClientPixel(f.toolbar, pressed.left, pressed.top), GetSysColor(COLOR_3DSHADOW));
  EXPECT_EQ(uitest::ClientPixel(f.toolbar, plain.left, plain.top), GetSysColor(COLOR_3DFACE));
  // The hot button rises: its top-left edge is the highlight.
  const RECT hot = f.Rect(0);
  EXPECT_EQ(uitest::ClientPixel(f.toolbar, hot.left, hot.top), GetSysColor(COLOR_3DHILIGHT));
  // The disabled button's image is embossed: no black left of it, only shadow.
  const RECT disabled = f.Rect(7);
  const POINT centre{(disabled.left + disabled.right) / 2, (disabled.top + disabled.bottom) / 2};
  EXPECT_EQ(uitest::ClientPixel(f.toolbar, centre.x, centre.y), GetSysColor(COLOR_3DSHADOW));
}

}  // namespace
