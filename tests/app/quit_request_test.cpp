// Quit requests from another start ("q"), taken by the designer in this
// process: each request closes the main frame once, cancels the dialogs that
// run, and unsaved work stops the close without asking again.
#include <gtest/gtest.h>

#include "app/core/instance_channel.h"
#include "designer_app_fixture.h"

namespace {

using apptest::DesignerAppTest;

TEST_F(DesignerAppTest, QuitRequestClosesTheMainFrameOnce) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  ASSERT_TRUE(Start({}));
  EXPECT_EQ(CInstanceChannel::SendQuitToAll(), 1);
  app->PumpAll();
  EXPECT_EQ(app->m_pMainWnd, nullptr);  // the frame is gone
}

TEST_F(DesignerAppTest, QuitRequestCancelsARunningDialog) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  ASSERT_TRUE(Start({}));
  // The request arrives while a box waits for its answer.
  boxes.answer = 0;
  boxes.onShow = [] { CInstanceChannel::SendQuitToAll(); };
  const int result = AfxMessageBox("Go on?", MB_YESNO);
  boxes.onShow = nullptr;
  boxes.answer = IDOK;
  EXPECT_EQ(result, IDCANCEL);
  app->PumpAll();
  EXPECT_EQ(app->m_pMainWnd, nullptr);
}

TEST_F(DesignerAppTest, UnsavedWorkStopsTheCloseWithoutALoop) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  const std::string path = WriteLayout("work.bcd", "unsaved");
  ASSERT_TRUE(Start({path}));
  ASSERT_EQ(OpenPaths().size(), 1u);
  POSITION t = app->GetFirstDocTemplatePosition();
  CDocTemplate* tmpl = app->GetNextDocTemplate(t);
  POSITION d = tmpl->GetFirstDocPosition();
  tmpl->GetNextDoc(d)->SetModifiedFlag(TRUE);
  boxes.seen.clear();
  boxes.answer = IDCANCEL;  // "Save changes?" answered Cancel
  EXPECT_EQ(CInstanceChannel::SendQuitToAll(), 1);
  app->PumpAll();
  app->PumpAll();
  EXPECT_EQ(boxes.seen.size(), 1u);      // asked once
  EXPECT_NE(app->m_pMainWnd, nullptr);   // and the designer stays
  // A later request is a new one: asked again.
  EXPECT_EQ(CInstanceChannel::SendQuitToAll(), 1);
  app->PumpAll();
  EXPECT_EQ(boxes.seen.size(), 2u);
  boxes.answer = IDNO;  // the test's end closes without saving
}

}  // namespace
