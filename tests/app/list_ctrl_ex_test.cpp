// The extended list control: columns by fractions, rows in and out, unique
// names on renaming, deleting the selected row, selection commands, check
// boxes, and a picture.
#include <gtest/gtest.h>

#include "app/controls/list_ctrl_ex.h"
#include "controls_test_util.h"
#include "platform/testing/png_writer.h"
#include "platform/testing/ui.h"

namespace {

// A key press as the framework's message loop hands it on: offered to the
// windows' PreTranslateMessage from the focus up, then dispatched.
void PressKey(HWND top, int key) {
  MSG msg{::GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(key), 0, 0, {0, 0}};
  if (!CWnd::WalkPreTranslateTree(top, &msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  uitest::RunUntilIdle();
}

struct ListFixture {
  ctltest::CRecordingParent parent{440, 260};
  CListCtrlEx list;
  ListFixture() {
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS | LVS_SHOWSELALWAYS, CRect(10, 10, 410, 214),
                &parent, 1001);
    list.SetReportStyle();
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> out;
    for (int i = 0; i < list.GetItemCount(); ++i) {
      AString name;
      AString* outputs[] = {&name};
      list.GetRow(i, outputs, nullptr);
      out.emplace_back(name.GetData());
    }
    return out;
  }
};

TEST(ExtendedList, ColumnsByFractions) {
  ListFixture f;
  RECT client{};
  f.list.GetClientRect(&client);
  ASSERT_EQ(client.right, 400) << "a 400-pixel list";
  EXPECT_EQ(f.list.SetColumns({{"Name", 0.3}, {"Path", 0}}), 2);
  EXPECT_EQ(f.list.GetColumnCount(), 2);
  EXPECT_EQ(f.list.GetColumnWidth(0), 120);
  EXPECT_GE(f.list.GetColumnWidth(1), 280) << "the last column takes the rest";
  ListFixture g;
  EXPECT_EQ(g.list.SetColumns({{nullptr, 0}}), 1);
  EXPECT_EQ(g.list.GetColumnWidth(0), 400);
}

TEST(ExtendedList, RowsInAndOut) {
  ListFixture f;
  EXPECT_EQ(f.list.AddRow({"Data", "/srv/data", "extra"}, true, 41), 0) << "a list without columns gets one";
  EXPECT_EQ(f.list.GetColumnCount(), 1);
  ListFixture g;
  g.list.SetColumns({{"Name", 0.3}, {"Path", 0}});
  EXPECT_EQ(g.list.AddRow({"Data", "/srv/data", "ignored"}, true, 41), 0);
  EXPECT_EQ(g.list.AddRow({"Images", "/srv/images"}, false, 42), 1);
  AString name("unchanged"), path("unchanged");
  LPARAM value = 7;
  AString* outputs[] = {&name, &path};
  EXPECT_EQ(g.list.GetRow(5, outputs, &value), 0) << "past the end";
  EXPECT_STREQ(name.GetData(), "unchanged");
  EXPECT_EQ(value, 7);
  EXPECT_EQ(g.list.GetRow(1, outputs, &value), 2);
  EXPECT_STREQ(name.GetData(), "Images");
  EXPECT_STREQ(path.GetData(), "/srv/images");
  EXPECT_EQ(value, 42);
  char first[512] = {}, second[512] = {};
  char* buffers[] = {first, second, nullptr};
  EXPECT_EQ(g.list.GetRow(0, buffers, &value), 2);
  EXPECT_STREQ(second, "/srv/data");
  EXPECT_EQ(g.list.FindRow(-3, "IMAGES", &value), 1);
  EXPECT_EQ(g.list.FindRow(2, "Images", nullptr), -1);
}

TEST(ExtendedList, UniqueNamesTable) {
  struct Case {
    std::vector<const char*> rows;
    int edited;
    const char* typed;
    const char* result;
    const char* why;
  };
  const Case cases[] = {
      {{"Data", "Data(2)", "Other"}, 2, "Data", "Data(3)", "Data and Data(2) exist"},
      {{"Data", "Other"}, 1, "Other", "Other(2)", "renaming a row to its own name"},
      {{"Data", "Other"}, 1, "data", "data(2)", "names compare without case"},
      {{"Data", "Other"}, 1, "Fresh", "Fresh", "a new name stays"},
  };
  for (const Case& c : cases) {
    ListFixture f;
    for (const char* row : c.rows) f.list.AddRow({row}, true, 0);
    AString text(c.typed);
    EXPECT_EQ(CListCtrlEx::MakeUniqueName(&f.list, text), 1);
    EXPECT_STREQ(text.GetData(), c.result) << c.why;
    // The same through an in-place edit of the row.
    ::SetFocus(f.list.m_hWnd);
    HWND edit = f.list.EditLabel(c.edited);
    ASSERT_NE(edit, nullptr) << c.why;
    ::SetWindowTextA(edit, c.typed);
    ::SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    uitest::RunUntilIdle();
    EXPECT_EQ(f.Names()[static_cast<size_t>(c.edited)], c.result) << c.why << " (edited in place)";
  }
}

TEST(ExtendedList, DeletingTheSelectedRow) {
  ListFixture f;
  f.list.m_deleteKeyEnabled = 1;
  for (const char* row : {"A", "B", "C"}) f.list.AddRow({row}, true, 0);
  f.list.SelectItem(9);
  EXPECT_EQ(f.list.GetSelectedIndex(), 2) << "the index is clamped to the last row";
  ::SetFocus(f.list.m_hWnd);
  PressKey(f.parent.m_hWnd, VK_DELETE);
  EXPECT_EQ(f.Names(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(f.list.GetSelectedIndex(), 1) << "the new last row";
  f.list.SelectItem(0);
  f.list.DeleteSelected();
  EXPECT_EQ(f.list.GetSelectedIndex(), 0) << "the row that now has the index";
  f.list.DeleteSelected();
  EXPECT_EQ(f.list.GetItemCount(), 0);
  EXPECT_EQ(f.list.GetSelectedIndex(), -1) << "nothing left to select";
  f.list.m_deleteKeyEnabled = 0;
  f.list.AddRow({"D"}, true, 0);
  f.list.SelectItem(0);
  PressKey(f.parent.m_hWnd, VK_DELETE);
  EXPECT_EQ(f.list.GetItemCount(), 1) << "the Delete key only when enabled";
}

TEST(ExtendedList, SelectionChangesAreCommandsToTheParent) {
  ListFixture f;
  for (const char* row : {"A", "B"}) f.list.AddRow({row}, true, 0);
  f.parent.received.clear();
  f.list.SelectItem(1);
  f.list.SelectItem(1);
  const auto commands = f.parent.Of(WM_COMMAND);
  ASSERT_EQ(commands.size(), 1u) << "once, when the row becomes selected";
  EXPECT_EQ(commands[0].wParam, MAKEWPARAM(1001, 1));
  EXPECT_EQ(commands[0].lParam, reinterpret_cast<LPARAM>(f.list.m_hWnd));
}

TEST(ExtendedList, CheckBoxesToggleOnAClick) {
  ListFixture f;
  f.list.SetCheckReportStyle();
  f.list.SetColumns({{"Printer", 0.6}, {"Port", 0}});
  for (const char* row : {"Office", "Warehouse"}) f.list.AddRow({row, "usb"}, true, 0);
  RECT box{};
  ASSERT_TRUE(f.list.GetItemRect(1, &box, LVIR_BOUNDS));
  UINT where = 0;
  POINT onCheck{box.left + 2, (box.top + box.bottom) / 2};
  for (int x = box.left; x < box.left + 30; ++x) {
    onCheck.x = x;
    if (f.list.HitTest(onCheck, &where) == 1 && (where & LVHT_ONITEMSTATEICON)) break;
  }
  ASSERT_TRUE(where & LVHT_ONITEMSTATEICON);
  EXPECT_FALSE(f.list.GetCheck(1));
  uitest::Click(f.list.m_hWnd, onCheck);
  EXPECT_TRUE(f.list.GetCheck(1));
  uitest::Click(f.list.m_hWnd, onCheck);
  EXPECT_FALSE(f.list.GetCheck(1));
  f.list.SetCheck(0, TRUE);
  f.list.SelectItem(0);
  uitest::RunUntilIdle();
  EXPECT_TRUE(uitest::SaveWindowPng(f.parent.m_hWnd, tavtest::BuildFolderPng("app_extended_list")));
}

}  // namespace
