// The main frame over the designer's own layout windows: a tool button and
// Ctrl+Z reach the design view of the active layout only.
#include <gtest/gtest.h>

#include <memory>

#include "app/frame/frame_ids.h"
#include "document/core/rvo_doc.h"
#include "document/view/design_view.h"
#include "frame_test_app.h"
#include "frame_test_util.h"
#include "platform/testing/ui.h"

namespace {

void Tap(int key) {
  user::DeviceKey(key, true);
  user::DeviceKey(key, false);
}

TEST(MainFrameDesignViews, ZoomInAndUndoReachTheActiveLayoutsView) {
  frametest::Scratch dir;
  auto app = std::make_unique<frametest::CFrameTestApp>();
  app->m_profile = dir / "views.ini";
  app->m_designViews = true;
  ASSERT_TRUE(app->InitInstance());
  auto* frame = static_cast<CMainFrame*>(app->m_pMainWnd);
  frametest::Pump(app.get());
  const auto activeView = [&] {
    CMDIChildWnd* child = frame->MDIGetActive();
    return child ? dynamic_cast<CDesignVu*>(child->GetActiveView()) : nullptr;
  };
  ::SendMessageA(frame->m_hWnd, WM_COMMAND, ID_FILE_NEW_LAYOUT, 0);
  frametest::Pump(app.get());
  CDesignVu* first = activeView();
  ::SendMessageA(frame->m_hWnd, WM_COMMAND, ID_FILE_NEW_LAYOUT, 0);
  frametest::Pump(app.get());
  CDesignVu* second = activeView();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  ASSERT_NE(first, second);
  // A new layout fits its window; both start from the design view's own 150.
  first->SetZoom(150, 150);
  second->SetZoom(150, 150);

  CRect button;
  frame->m_wndViewToolBar.GetItemRect(frame->m_wndViewToolBar.CommandToIndex(ID_ZOOM_IN), &button);
  uitest::Click(frame->m_wndViewToolBar.m_hWnd, button.CenterPoint());
  frametest::Pump(app.get());
  EXPECT_EQ(second->ZoomX(), 165);
  EXPECT_EQ(first->ZoomX(), 150);

  // A line added to each layout; Ctrl+Z takes back the active one's only.
  first->GetDocument()->AddLineField(RECT{100, 100, 900, 100});
  second->GetDocument()->AddLineField(RECT{100, 200, 900, 200});
  ASSERT_EQ(second->GetDocument()->fieldList.size(), 1u);
  second->SetFocus();
  user::DeviceKey(VK_CONTROL, true);
  Tap('Z');
  user::DeviceKey(VK_CONTROL, false);
  frametest::Pump(app.get());
  EXPECT_EQ(second->GetDocument()->fieldList.size(), 0u);
  EXPECT_EQ(first->GetDocument()->fieldList.size(), 1u);
  uitest::SaveWindowPng(frame->m_hWnd, frametest::PicturePath("main_frame_design_views.png"));

  for (CDesignVu* view : {first, second}) view->GetDocument()->SetModifiedFlag(FALSE);
  ::SendMessageA(frame->m_hWnd, WM_CLOSE, 0, 0);
  uitest::RunUntilIdle();
  app->ExitInstance();
  app.reset();
  CWnd::DeleteTempMap();
}

}  // namespace
