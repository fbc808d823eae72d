// What the designer answers the layout code through its shell: the
// clipboard format of the settings, messages and questions in the designer's
// own box, a spinner press by the one rule, a layout dialog given the
// designer's skin (in Chinese), the layout panes emptied when the last layout
// window goes, and the welcome screen taken down by a later start's request.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/frame/frame_ids.h"
#include "app/frame/main_frame.h"
#include "app/shell/label_designer_app.h"
#include "app/small_dialogs/welcome_dlg.h"
#include "app/ui/msg_box.h"
#include "app/ui/plain_dialog_skin.h"
#include "designer_app_fixture.h"
#include "dialog_script.h"
#include "document/core/rvo_doc.h"
#include "document/view/set_position_dlg.h"
#include "document/view/set_position_ids.rh"
#include "fields/model/field_kinds.h"
#include "frame/frame_test_util.h"
#include "platform/user/dialogs/dialogs.h"

namespace {

using apptest::DesignerAppTest;

// What the next modal box was, and the button that ended it.
struct BoxSeen {
  bool designers = false;
  std::u16string caption;
  std::u16string firstLine;
  std::vector<int> buttons;
};

class NextBox {
 public:
  explicit NextBox(int press) : press_(press) { user::SetModalDialogHook(&NextBox::Hook, this); }
  ~NextBox() { user::SetModalDialogHook(nullptr, nullptr); }
  BoxSeen seen;

 private:
  static void Hook(HWND box, void* context) {
    auto* self = static_cast<NextBox*>(context);
    uitest::RunUntilIdle();
    auto* dlg = dynamic_cast<CMsgBoxDlg*>(CWnd::FromHandlePermanent(box));
    self->seen.designers = dlg != nullptr;
    char16_t text[256] = {};
    ::GetWindowTextW(box, reinterpret_cast<LPWSTR>(text), 256);
    self->seen.caption = text;
    if (dlg && !dlg->Lines().empty()) self->seen.firstLine = dlg->Lines().front().wrapped.pieces.at(0);
    for (const int id : {IDOK, IDYES, IDNO, IDCANCEL})
      if (HWND b = ::GetDlgItem(box, id); b && ::IsWindowVisible(b)) self->seen.buttons.push_back(id);
    ::SendMessageA(::GetDlgItem(box, self->press_), BM_CLICK, 0, 0);
  }
  int press_;
};

struct MessageCase {
  const char* what;
  std::function<int(CLayoutShell*)> ask;
  int press;
  int result;
  std::u16string caption;
  std::u16string firstLine;
  std::vector<int> buttons;
};

TEST_F(DesignerAppTest, LayoutCodeMessagesUseTheDesignersBox) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  ASSERT_TRUE(Start({"-nosave"}));
  apptest::LanguageScope english(kUiEnglish);  // the shipped files, with the messages' texts
  CLayoutShell* shell = LayoutShell();
  const MessageCase cases[] = {
      {"a numbered message", [](CLayoutShell* s) { return s->UiMessageNumber(50092, MB_OK); }, IDOK, IDOK,
       u"Error-50092", u"This folder does not exist.", {IDOK}},
      {"a question", [](CLayoutShell* s) { return s->UiMessageBox("Save As...", MB_YESNO); }, IDNO, IDNO,
       u"Tavrendel", u"Save As...", {IDYES, IDNO}},
      {"a question box", [](CLayoutShell* s) { return s->ShowMsgBoxDlg("Name:", MB_OKCANCEL); }, IDCANCEL,
       IDCANCEL, u"Tavrendel", u"Name:", {IDOK, IDCANCEL}},
  };
  for (const MessageCase& c : cases) {
    NextBox box(c.press);
    EXPECT_EQ(c.ask(shell), c.result) << c.what;
    EXPECT_TRUE(box.seen.designers) << c.what << ": not the platform's box";
    EXPECT_EQ(box.seen.caption, c.caption) << c.what;
    EXPECT_EQ(box.seen.firstLine, c.firstLine) << c.what;
    EXPECT_EQ(box.seen.buttons, c.buttons) << c.what;
  }
}

TEST_F(DesignerAppTest, ClipboardFormatAndSpinnerFollowTheDesigner) {
  WriteProfile("[Config]\nbFirstTimeRun=0\nclipbrdFmt_useBmp=0\n");
  ASSERT_TRUE(Start({"-nosave"}));
  CLayoutShell* shell = LayoutShell();
  EXPECT_FALSE(shell->ClipboardUsesBitmap()) << "the profile asks for a metafile";
  AppSettings().clipboardAsBitmap = 1;
  EXPECT_TRUE(shell->ClipboardUsesBitmap());

  HWND parent = ::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  HWND edit = ::CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(101)), nullptr, nullptr);
  ASSERT_NE(edit, nullptr);
  struct Spin {
    const char* start;
    int direction, unit, steps;
    double minimum, maximum;
    const char* expected;
  };
  const Spin spins[] = {{"10.000", 0, 2, 1, 0, 50, "10.254"},
                        {"1.000", 1, 1, 10, 0, 10, "0.900"},
                        {"49.9", 0, 2, 1, 0, 50, "50.000"},
                        {"7", 3, 1, 1, 0, 10, "7"}};
  for (const Spin& s : spins) {
    ::SetWindowTextA(edit, s.start);
    EXPECT_EQ(shell->SpinUnitEdit(s.direction, 101, s.minimum, s.maximum, s.unit, parent, s.steps), 1);
    char text[32] = {};
    ::GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, s.expected) << s.start;
  }
  ::DestroyWindow(parent);
}

TEST_F(DesignerAppTest, LayoutDialogGetsTheDesignersSkin) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  ASSERT_TRUE(Start({"-nosave"}));
  apptest::LanguageScope chinese(kUiChineseSimplified);
  CRvoDoc doc;
  CBoxField field;
  field.width = 1000;
  field.height = 500;
  apptest::DialogScript script;
  HWND shown = nullptr;
  AString caption;
  size_t skinned = 0;
  std::string okText, widthText = "?", widthWindowText;
  script.Then([&](HWND d) {
    shown = d;
    CDialogSkin* skin = PlainDialogSkin(d);
    ASSERT_NE(skin, nullptr);
    caption = skin->CaptionText();
    skinned = skin->SkinnedCount();
    // The OK button draws its caption in the interface language.
    if (CSkinCtrl* ok = skin->SkinOf(::GetDlgItem(d, IDOK))) okText = ok->Caption().GetData();
    // A value the dialog fills in after the skin came shows too.
    if (CSkinCtrl* width = skin->SkinOf(::GetDlgItem(d, IDC_SETPOS_WIDTH))) widthText = width->Caption().GetData();
    AString shownWidth;
    GetDlgItemString(d, IDC_SETPOS_WIDTH, shownWidth);
    widthWindowText = shownWidth.GetData();
    uitest::SaveWindowPng(d, frametest::PicturePath("set_position_zh.png"));
    apptest::Press(d, IDCANCEL);
  });
  RunSetPositionDialog(&field, &doc, nullptr);
  ASSERT_NE(shown, nullptr);
  EXPECT_STREQ(caption.GetData(), TranslateUiString("Set Position").GetData());
  EXPECT_STRNE(caption.GetData(), "Set Position");
  EXPECT_GT(skinned, 0u) << "its buttons and texts draw themselves";
  EXPECT_EQ(okText, std::string(TranslateUiString("OK").GetData()));
  EXPECT_FALSE(widthWindowText.empty());
  EXPECT_EQ(widthText, widthWindowText);
  EXPECT_FALSE(::IsWindow(shown));
  EXPECT_EQ(PlainDialogSkin(shown), nullptr) << "the skin goes with its window";
}

TEST_F(DesignerAppTest, PanesGoBlankWhenTheLastLayoutWindowGoes) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  realLayouts = true;
  ASSERT_TRUE(Start({"-nosave"}));
  CMainFrame* frame = CMainFrame::Get();
  ASSERT_NE(frame, nullptr);
  frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
  app->PumpAll();
  frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
  app->PumpAll();
  CLabelStatusBar& bar = frame->m_wndStatusBar;
  frame->SetDpiPane("DPI 300");
  frame->SetLabelSizePane(4000, 2500, 1);
  frame->SetCursorPosPane(1000, 1000, 1);
  frame->SetReadOnlyPane(true);
  // One of two windows closed: the other's panes stay.
  frame->MDIGetActive()->SendMessage(WM_CLOSE);
  app->PumpAll();
  ASSERT_NE(frame->MDIGetActive(), nullptr);
  EXPECT_EQ(bar.LabelSizeText(), "Label Size:   4.00(W) x 2.50(H)");
  // The last one closed: nothing of a layout is left on the bar.
  frame->MDIGetActive()->SendMessage(WM_CLOSE);
  app->PumpAll();
  ASSERT_EQ(frame->MDIGetActive(), nullptr);
  EXPECT_EQ(bar.LabelSizeText(), "");
  EXPECT_EQ(bar.CursorText(), "");
  EXPECT_TRUE(bar.DpiText().IsEmpty());
  EXPECT_TRUE(bar.PrinterText().IsEmpty());
  EXPECT_EQ(bar.GetPaneText(bar.CommandToIndex(ID_PANE_READ_ONLY)), CString(""));
  // A new layout gives the pane its size again.
  frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
  app->PumpAll();
  EXPECT_NE(bar.LabelSizeText(), "");
}

TEST_F(DesignerAppTest, WelcomeScreenGoesWhenALaterStartHandsOverAFile) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  const std::string layout = WriteLayout("handed.txt", "handed over");
  ASSERT_TRUE(Start({}));
  HWND welcome = app->WelcomeWindow();
  ASSERT_NE(welcome, nullptr) << "the welcome screen stays up for its minimum time";
  // A second start hands a file over; the first takes it at its next message.
  EXPECT_EQ(CInstanceChannel::SendOpen(layout), CInstanceChannel::Answer::Yes);
  app->PumpAll();
  EXPECT_FALSE(::IsWindow(welcome)) << "the welcome screen must not stand over the handed-over layout";
  EXPECT_EQ(app->WelcomeWindow(), nullptr);
  const std::vector<std::string> open = OpenPaths();
  EXPECT_NE(std::find(open.begin(), open.end(), layout), open.end());
}

TEST_F(DesignerAppTest, WelcomeScreenDoesNotOutliveTheDesigner) {
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  ASSERT_TRUE(Start({}));
  HWND welcome = app->WelcomeWindow();
  ASSERT_NE(welcome, nullptr);
  Stop();  // well within the welcome's minimum time
  EXPECT_FALSE(::IsWindow(welcome));
}

}  // namespace
