// Docking tool bars in a frame: the dock bars a frame makes, rows made by
// docking with and without a rectangle, the strips the dock bars take as
// the frame lays itself out, lines that wrap when a row is too long for the
// frame, hidden bars, a vertical side, and bars that go before their frame.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/framework.h"
#include "platform/testing/ui.h"

namespace {

constexpr UINT kButtons[] = {1001, 1002, 1003, 1004, 1005, 1006};

// A frame with a client window (the pane) and a status bar made before the
// dock bars, as frames make them.
class CDockTestFrame : public CFrameWnd {
 public:
  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext*) override {
    return m_pane.CreateEx(0, "Static", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, AFX_IDW_PANE_FIRST);
  }
  CWnd m_pane;
};

struct DockFixture {
  CDockTestFrame* frame = new CDockTestFrame;  // deletes itself with its window
  std::vector<std::unique_ptr<CToolBar>> bars;
  CStatusBar& status = *new CStatusBar;  // goes with the fixture, after its window
  HWND window = nullptr;

  explicit DockFixture(int width, DWORD sides = CBRS_ALIGN_ANY) {
    EXPECT_TRUE(frame->Create(nullptr, "Dock", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, width, 300)));
    window = frame->m_hWnd;
    EXPECT_TRUE(status.Create(frame));
    const UINT panes[] = {ID_SEPARATOR};
    status.SetIndicators(panes, 1);
    frame->EnableDocking(sides);
  }
  ~DockFixture() {
    if (::IsWindow(window)) frame->DestroyWindow();
    uitest::RunUntilIdle();
    delete &status;
  }
  // A bar of `buttons` buttons, allowed on every side.
  CToolBar* Bar(int buttons, DWORD align = CBRS_ALIGN_TOP) {
    auto bar = std::make_unique<CToolBar>();
    EXPECT_TRUE(bar->CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | align, CRect(0, 0, 0, 0), 0xE800 + 20 +
                                                                                                       static_cast<UINT>(bars.size())));
    bar->SetButtons(kButtons, buttons);
    bar->EnableDocking(CBRS_ALIGN_ANY);
    bars.push_back(std::move(bar));
    return bars.back().get();
  }
  CDockBar* Top() const { return frame->GetDockBar(AFX_IDW_DOCKBAR_TOP); }
  CRect InFrame(CWnd& w) const {
    CRect r;
    w.GetWindowRect(&r);
    frame->ScreenToClient(&r);
    return r;
  }
  void Layout() {
    frame->RecalcLayout();
    uitest::RunUntilIdle();
  }
};

TEST(DockBars, FrameMakesADockBarForEachSideItAllows) {
  struct SidesCase {
    DWORD sides;
    bool top, bottom, left, right;
  };
  const SidesCase cases[] = {{CBRS_ALIGN_ANY, true, true, true, true},
                             {CBRS_ALIGN_TOP, true, false, false, false},
                             {CBRS_ALIGN_LEFT | CBRS_ALIGN_BOTTOM, false, true, true, false}};
  for (const SidesCase& c : cases) {
    DockFixture f(600, c.sides);
    EXPECT_EQ(f.frame->GetDockBar(AFX_IDW_DOCKBAR_TOP) != nullptr, c.top);
    EXPECT_EQ(f.frame->GetDockBar(AFX_IDW_DOCKBAR_BOTTOM) != nullptr, c.bottom);
    EXPECT_EQ(f.frame->GetDockBar(AFX_IDW_DOCKBAR_LEFT) != nullptr, c.left);
    EXPECT_EQ(f.frame->GetDockBar(AFX_IDW_DOCKBAR_RIGHT) != nullptr, c.right);
  }
}

TEST(DockBars, BarsDockedWithoutARectangleTakeRowsOfTheirOwn) {
  DockFixture f(600);
  CToolBar* a = f.Bar(3);
  CToolBar* b = f.Bar(2, CBRS_ALIGN_LEFT);
  f.frame->DockControlBar(a, AFX_IDW_DOCKBAR_TOP);
  f.frame->DockControlBar(b, AFX_IDW_DOCKBAR_TOP);
  f.Layout();
  CDockBar* top = f.Top();
  ASSERT_NE(top, nullptr);
  ASSERT_EQ(top->RowCount(), 2);
  EXPECT_EQ(top->RowOf(a), 0);
  EXPECT_EQ(top->RowOf(b), 1);
  EXPECT_EQ(::GetParent(a->m_hWnd), top->m_hWnd) << "a docked bar is a child of its dock bar";
  EXPECT_EQ(b->GetBarStyle() & CBRS_ALIGN_ANY, CBRS_ALIGN_TOP) << "it takes the side's direction";
  const CRect ra = f.InFrame(*a), rb = f.InFrame(*b), dock = f.InFrame(*top), pane = f.InFrame(f.frame->m_pane);
  EXPECT_EQ(ra.left, 0);
  EXPECT_EQ(rb.left, 0);
  EXPECT_EQ(rb.top, ra.bottom) << "the second row under the first";
  EXPECT_EQ(ra.Width(), a->CalcFixedLayout(FALSE, TRUE).cx) << "a bar as long as its buttons";
  EXPECT_EQ(dock.top, 0);
  EXPECT_EQ(dock.Height(), ra.Height() + rb.Height());
  EXPECT_EQ(pane.top, dock.bottom) << "the client starts below the dock bar";
  EXPECT_EQ(pane.bottom, f.InFrame(f.status).top) << "and ends at the status bar";
}

TEST(DockBars, ARectangleInARowDocksAfterTheBarsLeftOfIt) {
  DockFixture f(900);
  CToolBar* a = f.Bar(3);
  CToolBar* b = f.Bar(2);
  CToolBar* c = f.Bar(4);
  for (CToolBar* bar : {a, b, c}) f.frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
  f.Layout();
  // b next to a: a's rectangle one pixel to the right.
  CRect target;
  a->GetWindowRect(&target);
  target.OffsetRect(1, 0);
  f.frame->DockControlBar(b, AFX_IDW_DOCKBAR_TOP, &target);
  f.Layout();
  CDockBar* top = f.Top();
  ASSERT_EQ(top->RowCount(), 2);
  EXPECT_EQ(top->Row(0), (std::vector<CControlBar*>{a, b}));
  EXPECT_EQ(top->Row(1), (std::vector<CControlBar*>{c}));
  EXPECT_EQ(f.InFrame(*b).left, f.InFrame(*a).right);
  EXPECT_EQ(f.InFrame(*b).top, f.InFrame(*a).top);
  // c before b: a rectangle at a's own left edge goes after a, before b.
  a->GetWindowRect(&target);
  target.OffsetRect(1, 0);
  f.frame->DockControlBar(c, AFX_IDW_DOCKBAR_TOP, &target);
  f.Layout();
  ASSERT_EQ(top->RowCount(), 1) << "c's emptied row goes";
  EXPECT_EQ(top->Row(0), (std::vector<CControlBar*>{a, c, b}));
  EXPECT_EQ(f.InFrame(*b).left, f.InFrame(*c).right);
  // A rectangle below every row makes a new row.
  CRect below;
  top->GetWindowRect(&below);
  below.OffsetRect(0, below.Height() + 5);
  f.frame->DockControlBar(a, AFX_IDW_DOCKBAR_TOP, &below);
  f.Layout();
  EXPECT_EQ(top->RowCount(), 2);
  EXPECT_EQ(top->RowOf(a), 1);
}

TEST(DockBars, ARowTooLongForTheFrameGoesOnToTheNextLine) {
  DockFixture f(900);
  CToolBar* a = f.Bar(6);
  CToolBar* b = f.Bar(6);
  f.frame->DockControlBar(a, AFX_IDW_DOCKBAR_TOP);
  f.frame->DockControlBar(b, AFX_IDW_DOCKBAR_TOP);
  f.Layout();
  CRect target;
  a->GetWindowRect(&target);
  target.OffsetRect(1, 0);
  f.frame->DockControlBar(b, AFX_IDW_DOCKBAR_TOP, &target);
  f.Layout();
  const int one = a->CalcFixedLayout(FALSE, TRUE).cx;
  EXPECT_EQ(f.InFrame(*b).top, f.InFrame(*a).top) << "both fit side by side";
  // Narrower than both bars: b wraps to a second line of the same row.
  CRect client;
  f.frame->GetClientRect(&client);
  CRect window;
  f.frame->GetWindowRect(&window);
  const int frameExtra = window.Width() - client.Width();
  f.frame->MoveWindow(0, 0, one + one / 2 + frameExtra, 300);
  f.Layout();
  EXPECT_EQ(f.Top()->RowCount(), 1);
  EXPECT_EQ(f.InFrame(*b).left, 0);
  EXPECT_EQ(f.InFrame(*b).top, f.InFrame(*a).bottom);
  EXPECT_EQ(f.InFrame(*f.Top()).Height(), f.InFrame(*a).Height() * 2);
  EXPECT_EQ(f.InFrame(f.frame->m_pane).top, f.InFrame(*f.Top()).bottom);
}

TEST(DockBars, HiddenBarsTakeNoRoomAndSidesStandUpright) {
  DockFixture f(600);
  CToolBar* a = f.Bar(3);
  CToolBar* side = f.Bar(4);
  f.frame->DockControlBar(a, AFX_IDW_DOCKBAR_TOP);
  f.frame->DockControlBar(side, AFX_IDW_DOCKBAR_LEFT);
  f.Layout();
  CDockBar* left = f.frame->GetDockBar(AFX_IDW_DOCKBAR_LEFT);
  ASSERT_NE(left, nullptr);
  EXPECT_EQ(side->GetBarStyle() & CBRS_ALIGN_ANY, CBRS_ALIGN_LEFT);
  const CRect rs = f.InFrame(*side);
  EXPECT_EQ(rs.top, f.InFrame(*f.Top()).bottom) << "the side starts under the top dock bar";
  EXPECT_EQ(f.InFrame(f.frame->m_pane).left, rs.right);
  EXPECT_GT(rs.Height(), rs.Width());
  // Its buttons stand in a column, all inside the bar.
  for (int i = 1; i < side->GetCount(); ++i) {
    CRect above, below;
    side->GetItemRect(i - 1, &above);
    side->GetItemRect(i, &below);
    EXPECT_EQ(below.left, above.left) << i;
    EXPECT_EQ(below.top, above.bottom) << i;
    EXPECT_LE(below.bottom, rs.Height()) << i;
  }
  // Docked across again, they stand in a row.
  f.frame->DockControlBar(side, AFX_IDW_DOCKBAR_BOTTOM);
  f.Layout();
  CRect first, second;
  side->GetItemRect(0, &first);
  side->GetItemRect(1, &second);
  EXPECT_EQ(second.top, first.top);
  EXPECT_EQ(second.left, first.right);
  f.frame->DockControlBar(side, AFX_IDW_DOCKBAR_LEFT);
  f.Layout();
  f.frame->ShowControlBar(a, FALSE, FALSE);
  f.frame->ShowControlBar(side, FALSE, FALSE);
  uitest::RunUntilIdle();
  EXPECT_EQ(f.InFrame(*f.Top()).Height(), 0);
  EXPECT_EQ(f.InFrame(f.frame->m_pane).top, 0);
  EXPECT_EQ(f.InFrame(f.frame->m_pane).left, 0);
}

TEST(DockBars, ABarGoneBeforeItsFrameLeavesItsRow) {
  DockFixture f(600);
  CToolBar* a = f.Bar(3);
  CToolBar* b = f.Bar(3);
  f.frame->DockControlBar(a, AFX_IDW_DOCKBAR_TOP);
  f.frame->DockControlBar(b, AFX_IDW_DOCKBAR_TOP);
  f.bars.front()->DestroyWindow();
  f.bars.erase(f.bars.begin());
  EXPECT_EQ(f.Top()->RowCount(), 1);
  EXPECT_EQ(f.Top()->RowOf(b), 0);
  f.Layout();
  EXPECT_EQ(f.InFrame(*b).top, 0);
  // The frame goes first here: the remaining bar's object outlives its dock bar.
  f.frame->DestroyWindow();
  uitest::RunUntilIdle();
  EXPECT_EQ(b->m_pDockBar, nullptr);
}

}  // namespace
