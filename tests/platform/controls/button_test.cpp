// The button control: clicks, keys and messages as tables of cases.
#include <gtest/gtest.h>

#include "platform/testing/ui.h"
#include "tests/platform/controls/control_test_util.h"

namespace {

using controltest::Event;
using controltest::Events;

TEST(ButtonControl, ClicksCheckAndNotifyByKind) {
  struct Case {
    const char* what;
    DWORD style;
    int clicks;
    LRESULT check;       // BM_GETCHECK afterwards
    size_t notifications;  // BN_CLICKED sent
  } const cases[] = {
      {"push button", BS_PUSHBUTTON, 1, BST_UNCHECKED, 1},
      {"check box (not automatic) stays unchecked", BS_CHECKBOX, 1, BST_UNCHECKED, 1},
      {"automatic check box toggles", BS_AUTOCHECKBOX, 1, BST_CHECKED, 1},
      {"automatic check box twice", BS_AUTOCHECKBOX, 2, BST_UNCHECKED, 2},
      // BS_AUTO3STATE: "the state cycles through checked, indeterminate, and cleared" (public documentation).
      {"three states once", BS_AUTO3STATE, 1, BST_CHECKED, 1},
      {"three states twice", BS_AUTO3STATE, 2, BST_INDETERMINATE, 2},
      {"three states thrice", BS_AUTO3STATE, 3, BST_UNCHECKED, 3},
      {"automatic radio checks itself", BS_AUTORADIOBUTTON, 1, BST_CHECKED, 1},
      // A second quick click is a double click: radio buttons send BN_DOUBLECLICKED for it, other
      // kinds only with BS_NOTIFY (BN_DOUBLECLICKED, public documentation).
      {"automatic radio stays checked", BS_AUTORADIOBUTTON, 2, BST_CHECKED, 1},
      {"group box takes no clicks", BS_GROUPBOX, 1, BST_UNCHECKED, 0},
  };
  for (const Case& c : cases) {
    const HWND parent = controltest::MakeParent();
    const HWND button = controltest::MakeControl(parent, u"Button", c.style, 7, u"&Press");
    for (int i = 0; i < c.clicks; ++i) uitest::Click(button);
    EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), c.check) << c.what;
    size_t clicked = 0;
    for (const Event& e : Events()) clicked += e.message == WM_COMMAND && e.id == 7 && e.code == BN_CLICKED;
    EXPECT_EQ(clicked, c.notifications) << c.what << ": " << controltest::Describe(Events());
    DestroyWindow(parent);
  }
}

TEST(ButtonControl, AutomaticRadioButtonsClearTheirGroup) {
  const HWND parent = controltest::MakeParent();
  const HWND a = controltest::MakeControl(parent, u"Button", BS_AUTORADIOBUTTON | WS_GROUP, 1, u"a");
  const HWND b = controltest::MakeControl(parent, u"Button", BS_AUTORADIOBUTTON, 2, u"b");
  const HWND c = controltest::MakeControl(parent, u"Button", BS_AUTORADIOBUTTON, 3, u"c");
  const HWND other = controltest::MakeControl(parent, u"Button", BS_AUTORADIOBUTTON | WS_GROUP, 4, u"other");
  SendMessageW(other, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(a, BM_CLICK, 0, 0);
  SendMessageW(c, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(a, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(b, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(c, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(other, BM_GETCHECK, 0, 0), BST_CHECKED) << "another group is left alone";
  DestroyWindow(parent);
}

TEST(ButtonControl, MessagesAndTheirResults) {
  const HWND parent = controltest::MakeParent();
  const HWND box = controltest::MakeControl(parent, u"Button", BS_3STATE, 9, u"box");
  const HWND push = controltest::MakeControl(parent, u"Button", BS_PUSHBUTTON, 10, u"push");
  struct Row {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
  } const rows[] = {
      {box, BM_SETCHECK, BST_INDETERMINATE, 0, 0},
      {box, BM_GETCHECK, 0, 0, BST_INDETERMINATE},
      {box, BM_SETSTATE, TRUE, 0, 0},
      {box, BM_GETSTATE, 0, 0, BST_INDETERMINATE | BST_PUSHED},
      {box, BM_SETSTATE, FALSE, 0, 0},
      {box, BM_SETCHECK, 77, 0, 0},  // out of range: checked
      {box, BM_GETCHECK, 0, 0, BST_CHECKED},
      {push, BM_SETCHECK, BST_CHECKED, 0, 0},
      {push, BM_GETCHECK, 0, 0, BST_UNCHECKED},  // push buttons have no check state
      {push, WM_GETDLGCODE, 0, 0, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
      {push, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE, 0},
      {push, WM_GETDLGCODE, 0, 0, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
      {box, WM_GETDLGCODE, 0, 0, DLGC_BUTTON},
      {box, BM_GETIMAGE, IMAGE_BITMAP, 0, 0},
  };
  for (const Row& r : rows)
    EXPECT_EQ(SendMessageW(r.window, r.message, r.wParam, r.lParam), r.result) << MessageName(r.message);
  // A disabled button ignores BM_CLICK.
  EnableWindow(push, FALSE);
  Events().clear();
  SendMessageW(push, BM_CLICK, 0, 0);
  EXPECT_TRUE(Events().empty()) << controltest::Describe(Events());
  DestroyWindow(parent);
}

TEST(ButtonControl, SpaceClicksTheFocusedButtonAndNotifyStyleReportsFocus) {
  const HWND parent = controltest::MakeParent();
  const HWND button = controltest::MakeControl(parent, u"Button", BS_AUTOCHECKBOX | BS_NOTIFY, 5, u"x");
  SetFocus(button);
  uitest::Key(VK_SPACE);
  EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), BST_CHECKED);
  SetFocus(parent);
  const std::vector<Event> expected = {{WM_COMMAND, 5, BN_SETFOCUS}, {WM_COMMAND, 5, BN_CLICKED}, {WM_COMMAND, 5, BN_KILLFOCUS}};
  EXPECT_EQ(Events(), expected) << controltest::Describe(Events());
  DestroyWindow(parent);
}

}  // namespace

namespace {

// A group box made before the controls it frames is above them in the Z
// order; a click inside it still reaches the control under the point.
TEST(ButtonControl, AGroupBoxLeavesClicksToTheControlsItFrames) {
  const HWND parent = controltest::MakeParent();
  const HWND group = controltest::MakeControl(parent, u"Button", BS_GROUPBOX, 50, u"Group", 200, 120);
  const HWND check = controltest::MakeControl(parent, u"Button", BS_AUTOCHECKBOX, 51, u"Inside", 120, 20);
  SetWindowPos(check, nullptr, 20, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_EQ(GetWindow(group, GW_HWNDNEXT), check) << "the group box is above the check box";
  EXPECT_EQ(SendMessageW(group, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
  uitest::Click(check);
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  // Where nothing is under the group box, the click goes to the parent.
  controltest::Events().clear();
  RECT r{};
  GetClientRect(group, &r);
  uitest::Click(group, POINT{r.right - 10, r.bottom - 10});
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  DestroyWindow(parent);
}

TEST(ButtonControl, ABitmapButtonShowsItsImageInPlaceOfItsText) {
  const HWND parent = controltest::MakeParent();
  const HWND button = controltest::MakeControl(parent, u"Button", BS_PUSHBUTTON | BS_BITMAP, 60, u"Text", 40, 30);
  const HWND plain = controltest::MakeControl(parent, u"Button", BS_PUSHBUTTON, 61, u"Text", 40, 30);
  SetWindowPos(plain, nullptr, 60, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  HDC screen = GetDC(nullptr);
  HBITMAP red = CreateCompatibleBitmap(screen, 6, 4);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, red);
  const RECT all{0, 0, 6, 4};
  HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(memory, &all, brush);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(red));
  SendMessageW(plain, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(red));
  InvalidateRect(button, nullptr, TRUE);
  InvalidateRect(plain, nullptr, TRUE);
  uitest::RunUntilIdle();
  EXPECT_EQ(uitest::ClientPixel(button, 20, 15), RGB(255, 0, 0)) << "the image, centred";
  EXPECT_EQ(uitest::ClientPixel(button, 17, 13), RGB(255, 0, 0)) << "its top-left corner at ((40 - 6) / 2, (30 - 4) / 2)";
  EXPECT_NE(uitest::ClientPixel(button, 16, 13), RGB(255, 0, 0)) << "only the image's 6 x 4 pixels";
  EXPECT_NE(uitest::ClientPixel(button, 17, 17), RGB(255, 0, 0));
  EXPECT_NE(uitest::ClientPixel(plain, 20, 15), RGB(255, 0, 0)) << "without the style the text shows";
  DestroyWindow(parent);
  DeleteObject(red);
  DeleteObject(brush);
}

}  // namespace
