// The Set Position dialog answered as a person would: values typed in
// millimetres, an anchor point chosen, a negative value refused.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "document/view/set_position_dlg.h"
#include "document/view/set_position_ids.rh"
#include "platform/user/dialogs/dialogs.h"
#include "view_session.h"

namespace {

using viewtest::Session;
using viewtest::ShellApp;

// Runs a script on the next modal dialog once it is up.
class NextDialog {
 public:
  explicit NextDialog(std::function<void(HWND)> script) : script_(std::move(script)) {
    user::SetModalDialogHook(&NextDialog::Hook, this);
  }
  ~NextDialog() { user::SetModalDialogHook(nullptr, nullptr); }
  std::string caption;

 private:
  static void Hook(HWND dialog, void* context) {
    auto* self = static_cast<NextDialog*>(context);
    char text[64] = {};
    ::GetWindowTextA(dialog, text, sizeof text);
    self->caption = text;
    self->script_(dialog);
  }
  std::function<void(HWND)> script_;
};

std::string ItemText(HWND dialog, int id) {
  char text[64] = {};
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

TEST(SetPositionDialog, CentreTypedInMillimetres) {
  ShellApp app;
  Session s(4000, 2500);
  s.doc->labelSetup.DefaultUnits = 2;
  CField* f = s.Add<CBoxField>(300, 200, 1000, 500);
  std::string shownX, shownWidth;
  NextDialog script([&](HWND d) {
    shownX = ItemText(d, IDC_SETPOS_X);
    shownWidth = ItemText(d, IDC_SETPOS_WIDTH);
    ::SetDlgItemTextA(d, IDC_SETPOS_X, "50.8");
    ::SetDlgItemTextA(d, IDC_SETPOS_Y, "25.4");
    ::SendDlgItemMessageA(d, IDC_SETPOS_ANCHOR, CB_SETCURSEL, 4, 0);  // "Center"
    ::SendMessageA(::GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
  });
  s.view->Selection().Add(f);
  EXPECT_TRUE(s.view->SetFieldPosition());
  EXPECT_EQ(script.caption, "Set Position");
  EXPECT_EQ(shownX, "7.62");
  EXPECT_EQ(shownWidth, "25.40");
  EXPECT_EQ(f->offset.x, 1500);
  EXPECT_EQ(f->offset.y, 750);
  // The move is one undo step.
  s.Command(viewcmd::kEditUndo);
  EXPECT_EQ(f->offset.x, 300);
  EXPECT_EQ(f->offset.y, 200);
}

TEST(SetPositionDialog, TypedMillimetresAndUnchangedValues) {
  ShellApp app;
  Session s(4000, 2500);
  s.doc->labelSetup.DefaultUnits = 2;
  CField* f = s.Add<CBoxField>(1234, 567, 1000, 500);
  NextDialog script([&](HWND d) {
    ::SetDlgItemTextA(d, IDC_SETPOS_X, "25.4");  // Y left as shown ("14.40")
    ::SendMessageA(::GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(RunSetPositionDialog(f, s.doc), 1);
  EXPECT_EQ(f->offset.x, 1000);
  EXPECT_EQ(f->offset.y, 567);
}

TEST(SetPositionDialog, NegativeValueIsRefusedAndTheDialogStays) {
  ShellApp app;
  Session s(4000, 2500);
  CField* f = s.Add<CBoxField>(300, 200, 1000, 500);
  std::string afterFirstOk;
  bool stillOpen = false;
  NextDialog script([&](HWND d) {
    ::SetDlgItemTextA(d, IDC_SETPOS_X, "-1");
    ::SendMessageA(::GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
    stillOpen = ::IsWindowVisible(d) != FALSE;
    afterFirstOk = ItemText(d, IDC_SETPOS_X);
    ::SendMessageA(::GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(RunSetPositionDialog(f, s.doc), 0);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(afterFirstOk, "0.00");
  ASSERT_FALSE(app.shownMessages.empty());
  EXPECT_EQ(app.shownMessages.back(), "message 50051");
  EXPECT_EQ(f->offset.x, 300);
}

}  // namespace
