// The layout window headless at 96 dpi: the bars around the splitter, the
// rulers' ticks and cursor line in pixels, the corner's quarter turn, the
// title's modified sign; a picture of the window in the build folder.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "document/core/rvo_doc.h"
#include "document/frame/doc_frame.h"
#include "document/layout_shell.h"
#include "fields/model/field_kinds.h"
#include "fields/services/design_view.h"
#include "platform/testing/png_writer.h"
#include "platform/testing/ui.h"

// A view that answers the rulers' questions as a design view would, and
// counts the commands the corner posts to it.
class CRulerProbeView : public CView, public IDesignView {
  DECLARE_DYNCREATE(CRulerProbeView)

 public:
  void OnDraw(CDC* dc) override {
    RECT r;
    ::GetClientRect(m_hWnd, &r);
    ::FillRect(dc->m_hDC, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  POINT GetScrollOrigin() const override { return origin; }
  int ZoomX() const override { return zoom; }
  int ZoomY() const override { return zoom; }
  int HandleSize() const override { return 6; }
  int HandleMargin() const override { return 2; }
  RECT& PendingInvalidRect() override { return pending; }
  void InvalidateRectNoErase(const RECT& r) override { ::InvalidateRect(m_hWnd, &r, FALSE); }
  void OnFit() { ++fits; }
  void OnRefresh() { ++refreshes; }

  int zoom = 150;
  POINT origin{0, 0};
  RECT pending{};
  int fits = 0;
  int refreshes = 0;
  DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CRulerProbeView, CView)
BEGIN_MESSAGE_MAP(CRulerProbeView, CView)
  ON_COMMAND(57808, OnFit)
  ON_COMMAND(57717, OnRefresh)
END_MESSAGE_MAP()

namespace {

// Records what layout windows ask of the main frame.
class FrameTestApp : public CWinApp, public CLayoutShell {
 public:
  bool IsReaderMode() override { return reader; }
  bool IsFrameMenuPrepared() override { return frameMenuPrepared; }
  void PrepareLayoutMenu() override { ++layoutMenuPrepared; }
  void CheckRememberedView() override { ++rememberedViewChecks; }
  bool reader = false;
  bool frameMenuPrepared = false;
  int layoutMenuPrepared = 0;
  int rememberedViewChecks = 0;
};

class LayoutFrame : public testing::Test {
 protected:
  void SetUp() override {
    main_ = new CMDIFrameWnd;
    ASSERT_TRUE(main_->Create(nullptr, "Layouts", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 600)));
    app_.m_pMainWnd = main_;
    doc_ = std::make_unique<CRvoDoc>();
    doc_->m_bAutoDelete = FALSE;  // the test owns it
    doc_->SetTitle("Label1");
    auto field = std::make_unique<CTextField>();
    field->offset = {1000, 500};
    doc_->fieldList.push_back(std::move(field));
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CRulerProbeView);
    context.m_pCurrentDoc = doc_.get();
    frame_ = new CDocFrmWnd;
    ASSERT_TRUE(frame_->Create(nullptr, "Label1", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 700, 450),
                               main_, &context));
    view_ = dynamic_cast<CRulerProbeView*>(frame_->Splitter().GetPane(0, 0));
    ASSERT_NE(view_, nullptr);
    frame_->SetActiveView(view_);
    frame_->RecalcLayout();
    frame_->StoreRulerOffsets();
    uitest::RunUntilIdle();
  }
  void TearDown() override {
    if (main_->m_hWnd) main_->DestroyWindow();
    uitest::RunUntilIdle();
    app_.m_pMainWnd = nullptr;
    CWnd::DeleteTempMap();
  }
  RECT BarRect(CRulerBar& bar) {
    RECT r;
    ::GetWindowRect(bar.m_hWnd, &r);
    POINT origin{0, 0};
    ::ClientToScreen(frame_->m_hWnd, &origin);
    ::OffsetRect(&r, -origin.x, -origin.y);
    return r;
  }
  std::string FrameTitle() {
    char text[256] = {};
    ::GetWindowTextA(frame_->m_hWnd, text, sizeof text);
    return text;
  }
  bool Ink(HWND w, int x, int y) { return uitest::ClientPixel(w, x, y) == RGB(0, 0, 0); }

  FrameTestApp app_;
  CMDIFrameWnd* main_ = nullptr;
  std::unique_ptr<CRvoDoc> doc_;
  CDocFrmWnd* frame_ = nullptr;
  CRulerProbeView* view_ = nullptr;
};

TEST_F(LayoutFrame, BarsLieInAnLAroundTheSplitter) {
  // 24 points are 32 pixels at 96 dpi, not more than 32: the bars are 33 thick.
  EXPECT_EQ(frame_->CornerBar().thickness, 33);
  const RECT corner = BarRect(frame_->CornerBar());
  const RECT h = BarRect(frame_->HorizontalRuler());
  const RECT v = BarRect(frame_->VerticalRuler());
  EXPECT_EQ(corner.left, 0);
  EXPECT_EQ(corner.right, 33);
  EXPECT_EQ(corner.bottom, 33);
  EXPECT_EQ(h.left, 33);
  EXPECT_EQ(h.bottom, 33);
  EXPECT_EQ(v.top, 33);
  EXPECT_EQ(v.right, 33);
  // The scales start where the panes start.
  EXPECT_EQ(LayoutShell()->RulerOffsets().x, 0);
  EXPECT_EQ(LayoutShell()->RulerOffsets().y, 0);
  char text[32] = {};
  ::GetWindowTextA(frame_->CornerBar().m_hWnd, text, sizeof text);
  EXPECT_STREQ(text, "Corner");
}

struct TickCase {
  const char* name;
  int x;
  int y;
  bool ink;
};

// Zoom 150, inches: ticks 15 pixels apart; minor ticks from 33 x 2 / 3 = 22
// down, half ticks from 33 x 2 / 5 = 13, major ticks from 4.
const TickCase kHorizontalTicks[] = {
    {"minor tick at 15, low part", 15, 25, true},   {"minor tick at 15, above its start", 15, 18, false},
    {"half tick at 75", 75, 15, true},              {"half tick at 75, above its start", 75, 11, false},
    {"major tick at 150", 150, 6, true},            {"between ticks", 22, 28, false},
    {"base line at the bottom", 22, 32, true},
};

TEST_F(LayoutFrame, HorizontalRulerTicksInPixels) {
  HWND ruler = frame_->HorizontalRuler().m_hWnd;
  ::InvalidateRect(ruler, nullptr, TRUE);
  uitest::RunUntilIdle();
  EXPECT_EQ(frame_->HorizontalRuler().zoomX, 150);
  for (const TickCase& c : kHorizontalTicks) EXPECT_EQ(Ink(ruler, c.x, c.y), c.ink) << c.name;
  uitest::SaveWindowPng(frame_->m_hWnd, tavtest::BuildFolderPng("layout_frame_rulers_zoom150"));
}

TEST_F(LayoutFrame, ResetRulersTakesTheViewsZoomAndScrollAgain) {
  view_->zoom = 300;
  view_->origin = {30, 0};
  frame_->ResetRulers(kResetBothRulers);
  EXPECT_EQ(frame_->HorizontalRuler().zoomX, kRulerZoomUnknown);
  uitest::RunUntilIdle();
  EXPECT_EQ(frame_->HorizontalRuler().zoomX, 300);
  HWND ruler = frame_->HorizontalRuler().m_hWnd;
  // Ticks 30 pixels apart, scrolled by 30: tick 1 at 0, tick 10 (major) at 270.
  EXPECT_TRUE(Ink(ruler, 30, 25));
  EXPECT_TRUE(Ink(ruler, 270, 6));
  EXPECT_FALSE(Ink(ruler, 15, 25));
}

TEST_F(LayoutFrame, CursorLinesFollowAndNegativeValuesLeaveThemAlone) {
  frame_->SetRulerCursorLines(100, 40);
  uitest::RunUntilIdle();
  EXPECT_EQ(frame_->HorizontalRuler().cursorLine, 100);
  EXPECT_EQ(frame_->VerticalRuler().cursorLine, 40);
  EXPECT_EQ(uitest::ClientPixel(frame_->HorizontalRuler().m_hWnd, 100, 10), kRulerCursorColour);
  EXPECT_EQ(uitest::ClientPixel(frame_->VerticalRuler().m_hWnd, 10, 40), kRulerCursorColour);
  frame_->SetRulerCursorLines(-1, 60);
  EXPECT_EQ(frame_->HorizontalRuler().cursorLine, 100);
  EXPECT_EQ(frame_->VerticalRuler().cursorLine, 60);
}

TEST_F(LayoutFrame, CornerTurnsTheLayoutAQuarterTurnPerClick) {
  doc_->labelSetup.deflt_lblsPerRow = 3;
  HWND corner = frame_->CornerBar().m_hWnd;
  uitest::Click(corner);
  const CLabelSetup& s = doc_->labelSetup;
  EXPECT_EQ(s.deflt_rotation, 1);
  EXPECT_EQ(s.labelWidth, 2500);
  EXPECT_EQ(s.labelHeight, 4000);
  const auto& text = static_cast<const CTextField&>(*doc_->fieldList.front());
  EXPECT_EQ(text.offset.x, 500);
  EXPECT_EQ(text.offset.y, 3000);
  EXPECT_EQ(text.logFont.lfEscapement, 900);
  EXPECT_EQ(s.deflt_lblsPerRow, 3);  // the labels per row stay
  EXPECT_TRUE(doc_->IsModified());
  EXPECT_EQ(FrameTitle(), "Label1*");
  uitest::RunUntilIdle();
  EXPECT_EQ(view_->fits, 1);
  EXPECT_EQ(view_->refreshes, 1);
  uitest::SaveWindowPng(frame_->m_hWnd, tavtest::BuildFolderPng("layout_frame_corner_turned"));
  for (int i = 0; i < 3; ++i) uitest::Click(corner);
  EXPECT_EQ(s.deflt_rotation, 0);
  EXPECT_EQ(s.labelWidth, 4000);
  EXPECT_EQ(s.labelHeight, 2500);
  EXPECT_EQ(text.offset.x, 1000);
  EXPECT_EQ(text.offset.y, 500);
  EXPECT_EQ(FrameTitle(), "Label1*");  // one sign, not four
}

TEST_F(LayoutFrame, TitleSignAddedOnceAndRemovedOnce) {
  EXPECT_EQ(::SendMessageA(frame_->m_hWnd, kMarkTitleModifiedMessage, 0, 0), 1);
  EXPECT_EQ(FrameTitle(), "Label1*");
  frame_->UpdateTitleModifiedMark(true);
  EXPECT_EQ(FrameTitle(), "Label1*");
  frame_->UpdateTitleModifiedMark(false);
  EXPECT_EQ(FrameTitle(), "Label1");
}

// Each activation of a layout window has the main frame prepare the layout
// menu; in reader mode only when the frame's own menu is prepared already.
TEST_F(LayoutFrame, ActivationPreparesTheLayoutMenu) {
  const struct {
    bool reader, frameMenuPrepared, prepares;
  } cases[] = {{false, false, true}, {false, true, true}, {true, true, true}, {true, false, false}};
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(CRulerProbeView);
  context.m_pCurrentDoc = doc_.get();
  auto* second = new CDocFrmWnd;
  ASSERT_TRUE(second->Create(nullptr, "Label1:2", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                             CRect(20, 20, 600, 400), main_, &context));
  second->MDIActivate();
  uitest::RunUntilIdle();
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.reader << c.frameMenuPrepared);
    app_.reader = c.reader;
    app_.frameMenuPrepared = c.frameMenuPrepared;
    for (CDocFrmWnd* frame : {frame_, second}) {
      app_.layoutMenuPrepared = 0;
      frame->MDIActivate();
      uitest::RunUntilIdle();
      ASSERT_EQ(main_->MDIGetActive(), frame);
      // Once for the window activated, never for the one deactivated.
      EXPECT_EQ(app_.layoutMenuPrepared, c.prepares ? 1 : 0);
    }
  }
  second->DestroyWindow();
}

// Destroying a layout window has the main frame forget a view that is gone
// and gives its title style back; in reader mode neither.
TEST_F(LayoutFrame, DestroyingChecksTheRememberedViewOutsideReaderMode) {
  for (const bool reader : {false, true}) {
    SCOPED_TRACE(reader);
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CRulerProbeView);
    context.m_pCurrentDoc = doc_.get();
    auto* extra = new CDocFrmWnd;
    ASSERT_TRUE(extra->Create(nullptr, "Extra", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 300),
                              main_, &context));
    main_->ModifyStyle(0, FWS_ADDTOTITLE);
    app_.reader = reader;
    app_.rememberedViewChecks = 0;
    extra->DestroyWindow();
    uitest::RunUntilIdle();
    EXPECT_EQ(app_.rememberedViewChecks, reader ? 0 : 1);
    EXPECT_EQ((main_->GetStyle() & FWS_ADDTOTITLE) != 0, !reader);
  }
}

}  // namespace
