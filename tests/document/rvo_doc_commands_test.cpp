// The document's Layout Setup command through its message map, the dialog
// answered headless.
#include <gtest/gtest.h>

#include "document/core/rvo_doc.h"
#include "document/layout/layout_setup_dialog.h"
#include "platform/testing/ui.h"

namespace {

struct Press {
  const char* width;
  int button;
};

void PressHook(HWND dialog, void* context) {
  const auto* p = static_cast<const Press*>(context);
  if (p->width) ::SetDlgItemTextA(dialog, kWidthEditId, p->width);
  ::SendMessageA(::GetDlgItem(dialog, p->button), BM_CLICK, 0, 0);
}

bool RouteLayoutSetup(CRvoDoc& doc, Press press) {
  user::SetModalDialogHook(&PressHook, &press);
  const BOOL handled = doc.OnCmdMsg(kLayoutSetupCommand, CN_COMMAND, nullptr, nullptr);
  user::SetModalDialogHook(nullptr, nullptr);
  return handled != FALSE;
}

TEST(RvoDocCommands, LayoutSetupCancelledChangesNothing) {
  CRvoDoc doc;
  ASSERT_TRUE(RouteLayoutSetup(doc, {"3", IDCANCEL}));
  EXPECT_EQ(doc.labelSetup.labelWidth, 4000);
  EXPECT_FALSE(doc.IsModified());
}

TEST(RvoDocCommands, LayoutSetupAcceptedChangesTheLabelAndMarksTheDocument) {
  CRvoDoc doc;
  ASSERT_TRUE(RouteLayoutSetup(doc, {"3", IDOK}));
  EXPECT_EQ(doc.labelSetup.labelWidth, 3000);
  EXPECT_TRUE(doc.IsModified());
}

}  // namespace
