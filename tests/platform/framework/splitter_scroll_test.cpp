// A static splitter made with WS_HSCROLL and WS_VSCROLL keeps the scroll
// bars its panes share: one under each column, one beside each row. A pane
// scrolls through its column's and its row's bar, and the panes sharing a bar
// scroll together; the others stay. A picture of the frame.
#include <gtest/gtest.h>

#include <string>

#include "mdi_app.h"
#include "platform/framework.h"
#include "platform/testing/ui.h"

namespace {

using fwapp::CItemsScrollView;

constexpr COLORREF kLine = RGB(120, 120, 200);  // the scroll view's lines, every 40 pixels

class CSharedBarsFrame : public CFrameWnd {
 public:
  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* context) override {
    if (!m_wndSplitter.CreateStatic(this, 2, 2, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL)) return FALSE;
    for (int r = 0; r < 2; ++r)
      for (int c = 0; c < 2; ++c)
        if (!m_wndSplitter.CreateView(r, c, RUNTIME_CLASS(CItemsScrollView), CSize(180, 120), context)) return FALSE;
    return TRUE;
  }
  CSplitterWnd m_wndSplitter;
};

class FrameworkSplitterBars : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new CSharedBarsFrame;  // a frame deletes itself when its window goes
    CCreateContext context;
    ASSERT_TRUE(frame->Create(nullptr, "Shared bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 460, 340), nullptr,
                              nullptr, 0, &context));
    for (int r = 0; r < 2; ++r)
      for (int c = 0; c < 2; ++c) Pane(r, c)->SendMessage(WM_INITIALUPDATE);
    uitest::RunUntilIdle();
  }
  void TearDown() override {
    if (frame) frame->DestroyWindow();
    uitest::RunUntilIdle();
  }
  CSplitterWnd& Splitter() { return frame->m_wndSplitter; }
  CItemsScrollView* Pane(int r, int c) { return DYNAMIC_DOWNCAST(CItemsScrollView, Splitter().GetPane(r, c)); }
  HWND Bar(UINT id) { return ::GetDlgItem(Splitter().m_hWnd, static_cast<int>(id)); }
  // Where the first line shows in a pane: its client row, or -1.
  int FirstLineRow(CWnd* pane) {
    CRect client;
    pane->GetClientRect(&client);
    for (int y = 0; y < client.bottom; ++y)
      if (uitest::ClientPixel(pane->m_hWnd, 5, y) == kLine) return y;
    return -1;
  }
  CSharedBarsFrame* frame = nullptr;
};

TEST_F(FrameworkSplitterBars, EachColumnAndRowHasItsBar) {
  EXPECT_FALSE(Splitter().GetStyle() & (WS_HSCROLL | WS_VSCROLL)) << "the splitter itself has no bars";
  for (int i = 0; i < 2; ++i) {
    const HWND horizontal = Bar(AFX_IDW_HSCROLL_FIRST + static_cast<UINT>(i));
    const HWND vertical = Bar(AFX_IDW_VSCROLL_FIRST + static_cast<UINT>(i));
    ASSERT_NE(horizontal, nullptr) << i;
    ASSERT_NE(vertical, nullptr) << i;
    char cls[16] = {};
    ::GetClassNameA(horizontal, cls, sizeof cls);
    EXPECT_STREQ(cls, "ScrollBar");
    // The bar under column i spans it; the bar beside row i spans it.
    CRect pane, bar;
    ::GetWindowRect(Pane(0, i)->m_hWnd, &pane);
    ::GetWindowRect(horizontal, &bar);
    EXPECT_EQ(bar.left, pane.left) << i;
    EXPECT_EQ(bar.right, pane.right) << i;
    ::GetWindowRect(Pane(1, i)->m_hWnd, &pane);
    EXPECT_GE(bar.top, pane.bottom) << "under the panes";
    ::GetWindowRect(Pane(i, 0)->m_hWnd, &pane);
    ::GetWindowRect(vertical, &bar);
    EXPECT_EQ(bar.top, pane.top) << i;
    EXPECT_EQ(bar.bottom, pane.bottom) << i;
    // The panes scroll through them and have none of their own.
    for (int j = 0; j < 2; ++j) {
      EXPECT_EQ(Pane(j, i)->GetScrollBarCtrl(SB_HORZ)->m_hWnd, horizontal);
      EXPECT_EQ(Pane(i, j)->GetScrollBarCtrl(SB_VERT)->m_hWnd, vertical);
      EXPECT_FALSE(Pane(i, j)->GetStyle() & (WS_HSCROLL | WS_VSCROLL));
    }
  }
  SCROLLINFO info{};
  ASSERT_TRUE(Pane(0, 0)->GetScrollInfo(SB_VERT, &info, SIF_RANGE | SIF_PAGE));
  EXPECT_EQ(info.nMax, 799) << "the view's size reached the shared bar";
  ASSERT_TRUE(uitest::SaveWindowPng(frame->m_hWnd, std::string(TAV_BUILD_DIR) + "/pictures/splitter_shared_bars.png"));
}

TEST_F(FrameworkSplitterBars, PanesSharingABarScrollTogether) {
  const int lineBefore = FirstLineRow(Pane(0, 0));
  ASSERT_EQ(lineBefore, 0) << "the document's first line at the top";
  // The down arrow of the first row's bar: a line down for both panes of the row.
  const HWND vertical = Bar(AFX_IDW_VSCROLL_FIRST);
  CRect r;
  ::GetClientRect(vertical, &r);
  uitest::Click(vertical, POINT{r.right / 2, r.bottom - 3});
  const int line = Pane(0, 0)->GetScrollPosition().y;
  EXPECT_GT(line, 0);
  EXPECT_EQ(Pane(0, 1)->GetScrollPosition().y, line);
  EXPECT_EQ(Pane(1, 0)->GetScrollPosition().y, 0) << "the other row keeps its place";
  uitest::RunUntilIdle();
  ASSERT_LT(line, 40);
  EXPECT_EQ(FirstLineRow(Pane(0, 0)), 40 - line) << "the document's second line moved up by the line";
  EXPECT_EQ(FirstLineRow(Pane(0, 1)), FirstLineRow(Pane(0, 0))) << "both panes of the row show the same part";
  EXPECT_EQ(FirstLineRow(Pane(1, 0)), lineBefore) << "the other row's panes did not move";
  // A page right on the second column's bar moves that column only.
  const HWND horizontal = Bar(AFX_IDW_HSCROLL_FIRST + 1);
  ::GetClientRect(horizontal, &r);
  uitest::Click(horizontal, POINT{r.right - 30, r.bottom / 2});
  const int across = Pane(0, 1)->GetScrollPosition().x;
  EXPECT_GT(across, 0);
  EXPECT_EQ(Pane(1, 1)->GetScrollPosition().x, across);
  EXPECT_EQ(Pane(0, 0)->GetScrollPosition().x, 0);
  EXPECT_EQ(Pane(1, 0)->GetScrollPosition().x, 0);
  // A pane scrolled by a message of its own moves the panes sharing its row's bar.
  Pane(1, 1)->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_GT(Pane(1, 1)->GetScrollPosition().y, 0);
  EXPECT_EQ(Pane(1, 0)->GetScrollPosition().y, Pane(1, 1)->GetScrollPosition().y);
  EXPECT_EQ(Pane(0, 0)->GetScrollPosition().y, line) << "the first row stays";
}

}  // namespace
