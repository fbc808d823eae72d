// The dialogs' input helpers: up-down presses beside length and number edits,
// selecting entries by item data, point sizes in pixels, focus reports.
#include <gtest/gtest.h>

#include "app/controls/input_helpers.h"
#include "controls_test_util.h"
#include "platform/testing/ui.h"

namespace {

constexpr int kEditId = 101;

struct SpinFixture {
  ctltest::CRecordingParent dialog;
  CEdit edit;
  SpinFixture() { edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 34), &dialog, kEditId); }
  std::string Text() {
    CString s;
    dialog.GetDlgItemText(kEditId, s);
    return std::string(static_cast<const char*>(s));
  }
};

struct UnitSpin {
  const char* start;
  int direction;
  double minimum, maximum;
  int unit, steps;
  const char* expected;
  const char* why;
};

TEST(DialogInputHelpers, SpinUnitEditTable) {
  const UnitSpin cases[] = {
      {"10.000", 0, 0, 50, kUnitMillimetres, 1, "10.254", "one press up in millimetres"},
      {"10.000", 0, 0, 50, kUnitMillimetres, 10, "12.540", "ten presses at once"},
      {"0.005", 1, 0, 10, kUnitInches, 1, "0.000", "down below the minimum gives the minimum"},
      {"1.000", 1, 0, 10, kUnitInches, 1, "0.990", "one press down in inches"},
      {"49.900", 0, 0, 50, kUnitMillimetres, 1, "50.000", "up past the maximum gives the maximum"},
      {"60", 1, 0, 50, kUnitMillimetres, 1, "50.000", "down from above the maximum gives the maximum"},
      {"-3", 0, 0, 50, kUnitInches, 1, "0.000", "up from below the minimum gives the minimum"},
      {"abc", 0, 0, 50, kUnitInches, 1, "0.010", "text that is no number counts as 0"},
      {"7.5", 2, 0, 50, kUnitInches, 1, "7.5", "an unknown direction changes nothing"},
  };
  for (const UnitSpin& c : cases) {
    SpinFixture f;
    f.dialog.SetDlgItemText(kEditId, c.start);
    EXPECT_EQ(SpinUnitEdit(c.direction, kEditId, c.minimum, c.maximum, c.unit, &f.dialog, c.steps), 1);
    EXPECT_EQ(f.Text(), c.expected) << c.why;
  }
}

struct IntSpin {
  const char* start;
  int direction, minimum, maximum;
  const char* expected;
  const char* why;
};

TEST(DialogInputHelpers, SpinIntEditTable) {
  const IntSpin cases[] = {
      {"5", 0, 1, 10, "6", "up"},
      {"5", 1, 1, 10, "4", "down"},
      {"10", 0, 1, 10, "10", "at the maximum it stays"},
      {"1", 1, 1, 10, "1", "at the minimum it stays"},
      {"", 0, 1, 10, "1", "an empty edit counts as 0"},
      {"2147483647", 0, 0, 2147483647, "2147483647", "no overflow at the largest value"},
      {"9", 5, 1, 10, "9", "an unknown direction changes nothing"},
  };
  for (const IntSpin& c : cases) {
    SpinFixture f;
    f.dialog.SetDlgItemText(kEditId, c.start);
    EXPECT_EQ(SpinIntEdit(c.direction, kEditId, c.minimum, c.maximum, &f.dialog), 1);
    EXPECT_EQ(f.Text(), c.expected) << c.why;
  }
}

TEST(DialogInputHelpers, SelectItemByDataInCombosAndLists) {
  ctltest::CRecordingParent dialog;
  CComboBox combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST | CBS_HASSTRINGS, CRect(0, 0, 100, 120), &dialog, 201));
  CListBox list;
  ASSERT_TRUE(list.Create(WS_CHILD | LBS_HASSTRINGS, CRect(110, 0, 200, 120), &dialog, 202));
  EXPECT_EQ(SelectItemByData(dialog.m_hWnd, 201, 7, true), CB_ERR) << "an empty combo selects entry 0, which is not there";
  for (int i = 0; i < 3; ++i) {
    combo.SetItemData(combo.AddString("item"), static_cast<DWORD_PTR>(10 * (i + 1)));
    list.SetItemData(list.AddString("item"), static_cast<DWORD_PTR>(10 * (i + 1)));
  }
  combo.SetItemData(combo.AddString("again"), 20);
  EXPECT_EQ(SelectItemByData(dialog.m_hWnd, 201, 20, true), 1);
  EXPECT_EQ(combo.GetCurSel(), 1) << "the first entry with the data";
  EXPECT_EQ(SelectItemByData(dialog.m_hWnd, 201, 99, true), 0);
  EXPECT_EQ(combo.GetCurSel(), 0) << "none has it: entry 0";
  EXPECT_EQ(SelectItemByData(dialog.m_hWnd, 202, 30, false), 2);
  EXPECT_EQ(list.GetCurSel(), 2);
}

TEST(DialogInputHelpers, PointsInPixels) {
  EXPECT_EQ(ScreenPixelsPerInch(), 96) << "the headless screen";
  struct Case {
    int points, dpi, pixels;
  };
  for (const Case& c : {Case{72, 96, 96}, Case{10, 96, 13}, Case{9, 96, 12}, Case{12, 300, 50}, Case{0, 96, 0}}) {
    EXPECT_EQ(PointsToPixels(c.points, c.dpi), c.pixels) << c.points << " pt at " << c.dpi;
  }
  EXPECT_EQ(PointsToScreenPixels(72), 96);
}

TEST(DialogInputHelpers, WindowString) {
  ctltest::CRecordingParent dialog;
  dialog.SetWindowText("Label Size");
  AString text;
  GetWindowString(dialog.m_hWnd, &text);
  EXPECT_STREQ(text.GetData(), "Label Size");
  dialog.SetWindowText("");
  GetWindowString(dialog.m_hWnd, &text);
  EXPECT_TRUE(text.IsEmpty());
}

TEST(DialogInputHelpers, PromptEditReportsFocusToItsParent) {
  ctltest::CRecordingParent dialog;
  CFocusReportEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 24), &dialog, 301));
  CEdit other;
  ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, CRect(0, 30, 100, 54), &dialog, 302));
  ::SetFocus(edit.m_hWnd);
  ::SetFocus(other.m_hWnd);
  const WPARAM id = 301;
  const LPARAM window = reinterpret_cast<LPARAM>(edit.m_hWnd);
  EXPECT_EQ(dialog.Of(kMsgEditFocusGained), (std::vector<ctltest::Received>{{kMsgEditFocusGained, id, window}}));
  EXPECT_EQ(dialog.Of(kMsgEditFocusLost), (std::vector<ctltest::Received>{{kMsgEditFocusLost, id, window}}));
}

}  // namespace
