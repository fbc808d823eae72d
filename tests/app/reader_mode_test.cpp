// Reader mode ("-Reader", "-Readme<anything>") reaches the design view of a
// real layout: adding is refused there, and New opens nothing.
#include <gtest/gtest.h>

#include "designer_app_fixture.h"
#include "document/file/layout_file.h"
#include "document/view/design_view.h"
#include "document/view/design_view_ids.h"

namespace {

using apptest::DesignerAppTest;

class ReaderModeTest : public DesignerAppTest {
 protected:
  std::string SavedLayout() {
    const std::string path = temp / "reader.bcd";
    CLabelSetup setup;
    setup.LoadDefaults();
    CFieldList fields;
    EXPECT_EQ(SaveLayoutFile(path.c_str(), setup, fields, SaveVersions::kFreshStore), 1);
    return path;
  }
  CDesignVu* ActiveView() {
    auto* frame = dynamic_cast<CMDIFrameWnd*>(app->m_pMainWnd);
    CMDIChildWnd* child = frame ? frame->MDIGetActive() : nullptr;
    return child ? dynamic_cast<CDesignVu*>(child->GetActiveView()) : nullptr;
  }
  // Asks the active view to start drawing a line: the edit mode it is in after.
  int ModeAfterAddLine() {
    CDesignVu* view = ActiveView();
    if (!view) return -100;
    view->SendMessage(WM_COMMAND, viewcmd::kAddLine, 0);
    app->PumpAll();
    return view->EditMode();
  }
};

TEST_F(ReaderModeTest, AddingIsRefusedInReaderModeOnly) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  realLayouts = true;
  const std::string path = SavedLayout();
  struct Row {
    const char* sw;
    bool refused;
  };
  for (const Row& row : {Row{"-Reader", true}, Row{"-Readme1", true}, Row{"-nosave", false}}) {
    ASSERT_TRUE(Start({path, row.sw})) << row.sw;
    ASSERT_NE(ActiveView(), nullptr) << row.sw;
    EXPECT_EQ(ModeAfterAddLine() == 0, row.refused) << row.sw;
    const int documents = app->GetOpenDocumentCount();
    ::SendMessageA(app->m_pMainWnd->m_hWnd, WM_COMMAND, ID_FILE_NEW, 0);
    app->PumpAll();
    EXPECT_EQ(app->GetOpenDocumentCount(), row.refused ? documents : documents + 1) << row.sw;
    boxes.answer = IDNO;
    Stop();
    boxes.answer = IDOK;
  }
}

}  // namespace
