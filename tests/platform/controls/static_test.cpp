// The static control: notifications with SS_NOTIFY, pictures, hit testing.
#include <gtest/gtest.h>

#include "platform/testing/ui.h"
#include "tests/platform/controls/control_test_util.h"

namespace {

using controltest::Event;
using controltest::Events;

TEST(StaticControl, NotifiesOnlyWithSsNotify) {
  struct Case {
    DWORD style;
    std::vector<Event> events;
  } const cases[] = {
      {SS_LEFT, {}},
      // SS_NOTIFY: "Sends the parent window STN_CLICKED, STN_DBLCLK, STN_DISABLE, and STN_ENABLE" (public documentation).
      {SS_LEFT | SS_NOTIFY, {{WM_COMMAND, 3, STN_CLICKED}, {WM_COMMAND, 3, STN_DISABLE}, {WM_COMMAND, 3, STN_ENABLE}}},
  };
  for (const Case& c : cases) {
    const HWND parent = controltest::MakeParent();
    const HWND label = controltest::MakeControl(parent, u"Static", c.style, 3, u"label");
    uitest::Click(label);
    EnableWindow(label, FALSE);
    EnableWindow(label, TRUE);
    EXPECT_EQ(Events(), c.events) << controltest::Describe(Events());
    EXPECT_EQ(SendMessageW(label, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    DestroyWindow(parent);
  }
}

TEST(StaticControl, ImagesByMessageAndByResource) {
  const HWND parent = controltest::MakeParent();
  const HWND icon = controltest::MakeControl(parent, u"Static", SS_ICON, 4, u"");
  const HICON system = LoadIconA(nullptr, IDI_WARNING);
  EXPECT_EQ(SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(system), 0), 0);
  EXPECT_EQ(SendMessageW(icon, STM_GETICON, 0, 0), reinterpret_cast<LRESULT>(system));
  const HWND text = controltest::MakeControl(parent, u"Static", SS_LEFT, 5, u"t");
  EXPECT_EQ(SendMessageW(text, STM_SETICON, reinterpret_cast<WPARAM>(system), 0), 0) << "a text static takes no icon";
  EXPECT_EQ(SendMessageW(text, STM_GETICON, 0, 0), 0);
  // An icon static named by resource: the module's icon 300 (resource_test.rc).
  const HWND fromResource = CreateWindowExW(0, u"Static", u"#300", WS_CHILD | WS_VISIBLE | SS_ICON, 50, 50, 0, 0,
                                            parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  EXPECT_NE(SendMessageW(fromResource, STM_GETICON, 0, 0), 0);
  RECT r;
  GetClientRect(fromResource, &r);
  EXPECT_EQ(r.right, GetSystemMetrics(SM_CXICON)) << "sized to its icon";
  DestroyWindow(parent);
}

}  // namespace
