// What a real layout window asks of the designer's main frame: its menu in
// the UI language on activation, and that a view it remembers is forgotten
// once the window is gone.
#include <gtest/gtest.h>

#include "app/frame/main_frame.h"
#include "designer_app_fixture.h"
#include "document/file/layout_file.h"

namespace {

using apptest::DesignerAppTest;

class LayoutWindowAsks : public DesignerAppTest {
 protected:
  // Starts the designer on a saved layout; its main frame.
  CMainFrame* StartOnLayout() {
    WriteProfile("[Config]\nbFirstTimeRun=0\n");
    realLayouts = true;
    const std::string path = temp / "asks.bcd";
    CLabelSetup setup;
    setup.LoadDefaults();
    CFieldList fields;
    EXPECT_EQ(SaveLayoutFile(path.c_str(), setup, fields, SaveVersions::kFreshStore), 1);
    if (!Start({path})) return nullptr;
    return dynamic_cast<CMainFrame*>(app->m_pMainWnd);
  }
};

TEST_F(LayoutWindowAsks, ClosingTheWindowForgetsItsRememberedView) {
  CMainFrame* frame = StartOnLayout();
  ASSERT_NE(frame, nullptr);
  CMDIChildWnd* child = frame->MDIGetActive();
  ASSERT_NE(child, nullptr);
  frame->m_pViewActive = child->GetActiveView();
  ASSERT_NE(frame->m_pViewActive, nullptr);
  child->SendMessage(WM_CLOSE);
  app->PumpAll();
  EXPECT_EQ(frame->MDIGetActive(), nullptr);
  EXPECT_EQ(frame->m_pViewActive, nullptr);
}

TEST_F(LayoutWindowAsks, ActivationPreparesTheLayoutMenu) {
  CMainFrame* frame = StartOnLayout();
  ASSERT_NE(frame, nullptr);
  CMDIChildWnd* first = frame->MDIGetActive();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(frame->m_menuTables[1].Built());
  // Asked again on the next activation once the table is to be made anew.
  frame->m_menuTables[1].Reset();
  ::SendMessageA(frame->m_hWnd, WM_COMMAND, ID_FILE_NEW, 0);
  app->PumpAll();
  CMDIChildWnd* second = frame->MDIGetActive();
  ASSERT_NE(second, first);
  EXPECT_TRUE(frame->m_menuTables[1].Built());
  frame->m_menuTables[1].Reset();
  first->MDIActivate();
  app->PumpAll();
  EXPECT_EQ(frame->MDIGetActive(), first);
  EXPECT_TRUE(frame->m_menuTables[1].Built());
  second->GetActiveDocument()->SetModifiedFlag(FALSE);
}

}  // namespace
