// The layout shell's own answers, for a program whose application object
// overrides none of them: messages and questions in the system's message box
// (titled with the program's name), numbered messages through the field
// code's message hook, beeps through the system's beep.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/layout_shell.h"
#include "fields/services/ui_messages.h"
#include "platform/framework.h"
#include "platform/testing/ui.h"

namespace {

// An application that is a layout shell and overrides nothing of it.
class PlainShellApp : public CWinApp, public CLayoutShell {
 public:
  PlainShellApp() : CWinApp("Label Maker") {}
};

// What the message box showed: its caption, its texts, its buttons; then
// the key the test presses.
struct SeenBox {
  std::string caption;
  std::vector<std::string> texts;  // the window texts of its children
  int buttons = 0;
  WPARAM key = VK_RETURN;
};

std::string TextOf(HWND window) {
  char text[512] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

void LookAndPress(HWND box, void* context) {
  auto* seen = static_cast<SeenBox*>(context);
  uitest::RunUntilIdle();
  seen->caption = TextOf(box);
  for (HWND w = ::GetWindow(box, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
    seen->texts.push_back(TextOf(w));
    seen->buttons += (::SendMessageW(w, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) != 0;
  }
  ::PostMessageW(::GetFocus() ? ::GetFocus() : box, WM_KEYDOWN, seen->key, 0);
}

bool Holds(const std::vector<std::string>& texts, const std::string& text) {
  for (const std::string& t : texts) {
    if (t.find(text) != std::string::npos) return true;
  }
  return false;
}

struct BoxCase {
  const char* what;
  int (CLayoutShell::*ask)(const char*, UINT);
  const char* text;
  UINT type;
  WPARAM key;
  int answer;
  int buttons;
};

TEST(LayoutShellDefaults, MessagesAndQuestionsShowTheSystemsBox) {
  PlainShellApp app;
  ASSERT_EQ(LayoutShell(), static_cast<CLayoutShell*>(&app));
  const BoxCase cases[] = {
      {"a message", &CLayoutShell::UiMessageBox, "File not saved!", MB_OK | MB_ICONEXCLAMATION, VK_RETURN, IDOK, 1},
      {"a question answered with Esc", &CLayoutShell::UiMessageBox, "Save changes to Layout1?",
       MB_YESNOCANCEL | MB_ICONEXCLAMATION, VK_ESCAPE, IDCANCEL, 3},
      {"a question box", &CLayoutShell::ShowMsgBoxDlg, "Overwrite the file?", MB_YESNO | MB_ICONQUESTION,
       VK_RETURN, IDYES, 2},
  };
  for (const BoxCase& c : cases) {
    SCOPED_TRACE(c.what);
    SeenBox seen;
    seen.key = c.key;
    user::SetModalDialogHook(&LookAndPress, &seen);
    EXPECT_EQ((app.*c.ask)(c.text, c.type), c.answer);
    user::SetModalDialogHook(nullptr, nullptr);
    EXPECT_EQ(seen.caption, "Label Maker") << "the program's name";
    EXPECT_TRUE(Holds(seen.texts, c.text));
    EXPECT_EQ(seen.buttons, c.buttons);
  }
}

// The field code's message hook, recording for a scope.
std::vector<UiMessage> g_hooked;
int RecordHooked(HWND, const UiMessage& message) {
  g_hooked.push_back(message);
  return IDNO;
}

TEST(LayoutShellDefaults, ANumberedMessageGoesThroughTheFieldMessageHook) {
  PlainShellApp app;
  g_hooked.clear();
  const UiMessageHook before = SetUiMessageHook(&RecordHooked);
  EXPECT_EQ(LayoutShell()->UiMessageNumber(20002, MB_YESNO), IDNO);
  SetUiMessageHook(before);
  ASSERT_EQ(g_hooked.size(), 1u);
  EXPECT_EQ(g_hooked[0].id, 20002u);
  EXPECT_EQ(g_hooked[0].style, static_cast<UINT>(MB_YESNO));
}

TEST(LayoutShellDefaults, ABeepIsTheSystemsBeep) {
  PlainShellApp app;
  int before = 0;
  user::LastMessageBeep(&before);
  LayoutShell()->Beep();
  int after = 0;
  EXPECT_EQ(user::LastMessageBeep(&after), 0xFFFFFFFFu);
  EXPECT_EQ(after, before + 1);
}

}  // namespace
