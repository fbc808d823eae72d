// The constants resource scripts get from styles.rh are the ones the C++
// code uses: resource_test.rc writes them into RCDATA 310 in this order.
#include <gtest/gtest.h>

#include <vector>

#include "platform/resource/resource_internal.h"
#include "platform/win.h"

namespace {

TEST(ResourceScriptConstants, MatchTheCppConstants) {
  const DWORD expected[] = {
      WS_POPUP, WS_CHILD, WS_VISIBLE, WS_DISABLED, WS_CAPTION, WS_BORDER, WS_SYSMENU, WS_GROUP, WS_TABSTOP,
      WS_VSCROLL, WS_HSCROLL, WS_OVERLAPPEDWINDOW, WS_EX_CLIENTEDGE, WS_EX_CONTEXTHELP,
      DS_SETFONT, DS_MODALFRAME, DS_CENTER,
      BS_DEFPUSHBUTTON, BS_AUTOCHECKBOX, BS_AUTO3STATE, BS_GROUPBOX, BS_AUTORADIOBUTTON, BS_OWNERDRAW, BS_NOTIFY,
      SS_CENTER, SS_ICON, SS_ETCHEDFRAME, SS_NOPREFIX, SS_NOTIFY,
      ES_MULTILINE, ES_UPPERCASE, ES_PASSWORD, ES_AUTOHSCROLL, ES_READONLY, ES_WANTRETURN, ES_NUMBER,
      LBS_NOTIFY, LBS_SORT, LBS_MULTIPLESEL, LBS_OWNERDRAWFIXED, LBS_OWNERDRAWVARIABLE, LBS_HASSTRINGS, LBS_EXTENDEDSEL,
      CBS_SIMPLE, CBS_DROPDOWN, CBS_DROPDOWNLIST, CBS_OWNERDRAWFIXED, CBS_SORT, CBS_HASSTRINGS,
      SBS_VERT, MFT_SEPARATOR, MFS_CHECKED, MFS_DEFAULT,
  };
  const auto data = resource::FindResourceData(nullptr, resource::ResName{10, {}}, resource::ResName{310, {}});
  ASSERT_TRUE(data);
  ASSERT_EQ(data->size(), sizeof expected);
  for (size_t i = 0; i < std::size(expected); ++i) {
    const DWORD stored = static_cast<DWORD>((*data)[4 * i]) | static_cast<DWORD>((*data)[4 * i + 1]) << 8 |
                         static_cast<DWORD>((*data)[4 * i + 2]) << 16 | static_cast<DWORD>((*data)[4 * i + 3]) << 24;
    EXPECT_EQ(stored, expected[i]) << "constant " << i;
  }
}

}  // namespace
