// Wizards (PSH_WIZARD): Back, Next and Finish with the notifications the
// pages hear and the answers that steer them, the buttons PSM_SETWIZBUTTONS
// and PSM_SETFINISHTEXT show, a modeless wizard, and a picture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/ui.h"
#include "platform/user/dialogs/template_writer.h"
#include "platform/win.h"
#include "tests/platform/comctl/event_parent.h"
#include "tests/platform/comctl/sheet_pages.h"

namespace {

// What the pages heard, as "page:NOTE", and how each answers.
struct Script {
  std::vector<std::string> log;
  LRESULT nextAnswer[3] = {0, 0, 0};    // PSN_WIZNEXT
  LRESULT backAnswer[3] = {0, 0, 0};    // PSN_WIZBACK
  LRESULT activeAnswer[3] = {0, 0, 0};  // PSN_SETACTIVE
  LRESULT finishAnswer = 0;             // PSN_WIZFINISH
  // The buttons each page asks for when it is shown.
  LPARAM buttons[3] = {PSWIZB_NEXT, PSWIZB_BACK | PSWIZB_NEXT, PSWIZB_BACK | PSWIZB_FINISH};
};
Script* g_script = nullptr;

INT_PTR PageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    sheettest::NotePageInit(page, lParam, g_script->log);
    return TRUE;
  }
  if (message != WM_NOTIFY) return FALSE;
  const int number = sheettest::PageNumber(page);
  const auto* n = reinterpret_cast<const PSHNOTIFY*>(lParam);
  g_script->log.push_back(std::to_string(number) + ":" + sheettest::NoteName(n->hdr.code));
  LRESULT answer = 0;
  switch (n->hdr.code) {
    case PSN_SETACTIVE:
      answer = g_script->activeAnswer[number];
      if (answer == 0) SendMessageW(GetParent(page), PSM_SETWIZBUTTONS, 0, g_script->buttons[number]);
      break;
    case PSN_WIZNEXT: answer = g_script->nextAnswer[number]; break;
    case PSN_WIZBACK: answer = g_script->backAnswer[number]; break;
    case PSN_WIZFINISH: answer = g_script->finishAnswer; break;
    default: break;
  }
  SetWindowLongPtrW(page, DWLP_MSGRESULT, answer);
  return TRUE;
}

std::vector<uint32_t> PageTemplate(const char16_t* caption, const char16_t* text) {
  dialogs::TemplateWriter t(DS_CONTROL | WS_CHILD | WS_CAPTION, 0, 0, 0, 220, 110, caption);
  t.Add(0x82, WS_CHILD | WS_VISIBLE, 0, 7, 7, 200, 20, static_cast<DWORD>(-1), text);
  t.Add(0x81, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 7, 32, 120, 12, 201, u"");
  return t.words();
}

struct WizardTemplates {
  std::vector<uint32_t> welcome = PageTemplate(u"Welcome", u"This wizard makes a new label.");
  std::vector<uint32_t> size = PageTemplate(u"Size", u"How large is the label?");
};

struct Wizard : WizardTemplates, sheettest::ThreePages {
  explicit Wizard(HWND owner, DWORD flags = 0)
      : ThreePages(welcome, size, PageProc, owner, PSH_WIZARD | flags, u"New label") {}
};

using Driver = void (*)(HWND sheet);
HWND Button(HWND sheet, int id) { return GetDlgItem(sheet, id); }
int Shown(HWND sheet) {
  const auto page = static_cast<WPARAM>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  return static_cast<int>(SendMessageW(sheet, PSM_HWNDTOINDEX, page, 0));
}
// Which buttons show, enabled ('B', 'N', 'F') or disabled ('b', 'n', 'f').
std::string Buttons(HWND sheet) {
  std::string out;
  const std::pair<int, char> buttons[] = {{ID_WIZBACK, 'B'}, {ID_WIZNEXT, 'N'}, {ID_WIZFINISH, 'F'}};
  for (const auto& [id, letter] : buttons)
    if (IsWindowVisible(Button(sheet, id))) out += IsWindowEnabled(Button(sheet, id)) ? letter : static_cast<char>(letter + 32);
  return out;
}
void Next(HWND s) { uitest::Click(Button(s, ID_WIZNEXT)); }
void Back(HWND s) { uitest::Click(Button(s, ID_WIZBACK)); }

TEST(Wizard, TurningAndFinishingTable) {
  struct Case {
    const char* what;
    Driver drive;
    void (*answers)(Script&);
    INT_PTR result;
    std::vector<std::string> log;
  } const cases[] = {
      {"Next, Next, Finish",
       [](HWND s) {
         EXPECT_EQ(Buttons(s), "bN");
         Next(s);
         EXPECT_EQ(Buttons(s), "BN");
         Next(s);
         EXPECT_EQ(Buttons(s), "BF") << "Finish stands in Next's place";
         uitest::Click(Button(s, ID_WIZFINISH));
       },
       [](Script&) {}, 1,
       {"0:INIT", "0:SETACTIVE", "0:WIZNEXT", "0:KILLACTIVE", "1:INIT", "1:SETACTIVE", "1:WIZNEXT", "1:KILLACTIVE",
        "2:INIT", "2:SETACTIVE", "2:WIZFINISH"}},
      {"Next, Back, Cancel: every page made is reset",
       [](HWND s) {
         Next(s);
         Back(s);
         EXPECT_EQ(Shown(s), 0);
         uitest::Click(Button(s, IDCANCEL));
       },
       [](Script&) {}, 0,
       {"0:INIT", "0:SETACTIVE", "0:WIZNEXT", "0:KILLACTIVE", "1:INIT", "1:SETACTIVE", "1:WIZBACK", "1:KILLACTIVE",
        "0:SETACTIVE", "0:QUERYCANCEL", "0:RESET", "1:RESET"}},
      {"a page sends the wizard to a page by its template id",
       [](HWND s) {
         Next(s);
         EXPECT_EQ(Shown(s), 2);
         uitest::Click(Button(s, ID_WIZFINISH));
       },
       [](Script& sc) { sc.nextAnswer[0] = sheettest::kResourcePage; }, 1,
       {"0:INIT", "0:SETACTIVE", "0:WIZNEXT", "0:KILLACTIVE", "2:INIT", "2:SETACTIVE", "2:WIZFINISH"}},
      {"a page declining to be shown is passed over both ways",
       [](HWND s) {
         Next(s);
         EXPECT_EQ(Shown(s), 2);
         Back(s);
         EXPECT_EQ(Shown(s), 0);
         uitest::Click(Button(s, IDCANCEL));
       },
       [](Script& sc) { sc.activeAnswer[1] = -1; }, 0,
       {"0:INIT", "0:SETACTIVE", "0:WIZNEXT", "0:KILLACTIVE", "1:INIT", "1:SETACTIVE", "2:INIT", "2:SETACTIVE",
        "2:WIZBACK", "2:KILLACTIVE", "1:SETACTIVE", "0:SETACTIVE", "0:QUERYCANCEL", "0:RESET", "1:RESET", "2:RESET"}},
      {"a page answering -1 to Next keeps the wizard on it",
       [](HWND s) {
         Next(s);
         EXPECT_EQ(Shown(s), 0);
         uitest::Click(Button(s, IDCANCEL));
       },
       [](Script& sc) { sc.nextAnswer[0] = -1; }, 0,
       {"0:INIT", "0:SETACTIVE", "0:WIZNEXT", "0:QUERYCANCEL", "0:RESET"}},
      {"a refused Finish keeps the wizard open; Enter's button follows Next and Finish",
       [](HWND s) {
         EXPECT_EQ(LOWORD(SendMessageW(s, DM_GETDEFID, 0, 0)), ID_WIZNEXT);
         Next(s);
         Next(s);
         EXPECT_EQ(LOWORD(SendMessageW(s, DM_GETDEFID, 0, 0)), ID_WIZFINISH);
         uitest::Click(Button(s, ID_WIZFINISH));
         EXPECT_TRUE(IsWindowVisible(s)) << "Finish refused";
         uitest::Click(Button(s, IDCANCEL));
       },
       [](Script& sc) { sc.finishAnswer = TRUE; }, 0,
       {"0:INIT", "0:SETACTIVE", "0:WIZNEXT", "0:KILLACTIVE", "1:INIT", "1:SETACTIVE", "1:WIZNEXT", "1:KILLACTIVE",
        "2:INIT", "2:SETACTIVE", "2:WIZFINISH", "2:QUERYCANCEL", "0:RESET", "1:RESET", "2:RESET"}},
  };
  for (const Case& c : cases) {
    const HWND owner = eventtest::MakeParent();
    Script script;
    c.answers(script);
    g_script = &script;
    Wizard wizard(owner);
    user::SetModalDialogHook([](HWND s, void* drive) { reinterpret_cast<Driver>(drive)(s); },
                             reinterpret_cast<void*>(c.drive));
    EXPECT_EQ(PropertySheetW(&wizard.header), c.result) << c.what;
    EXPECT_EQ(script.log, c.log) << c.what;
    DestroyWindow(owner);
    g_script = nullptr;
  }
}

TEST(Wizard, ButtonMessagesTable) {
  struct Case {
    const char* what;
    DWORD sheetFlags;
    LPARAM buttons;     // PSM_SETWIZBUTTONS
    const char* finish; // PSM_SETFINISHTEXT, when not null
    const char* shown;
  } const cases[] = {
      {"Back and Next", 0, PSWIZB_BACK | PSWIZB_NEXT, nullptr, "BN"},
      {"nothing enabled", 0, 0, nullptr, "bn"},
      {"Finish in Next's place", 0, PSWIZB_BACK | PSWIZB_FINISH, nullptr, "BF"},
      {"a disabled Finish", 0, PSWIZB_BACK | PSWIZB_DISABLEDFINISH, nullptr, "Bf"},
      {"Finish text hides Back and Next", 0, PSWIZB_BACK | PSWIZB_NEXT, "Done", "F"},
      {"a wizard with its own Finish keeps Next", PSH_WIZARDHASFINISH, PSWIZB_NEXT, nullptr, "bNf"},
      {"its own Finish enabled", PSH_WIZARDHASFINISH, PSWIZB_BACK | PSWIZB_NEXT | PSWIZB_FINISH, nullptr, "BNF"},
  };
  for (const Case& c : cases) {
    const HWND owner = eventtest::MakeParent();
    Script script;
    g_script = &script;
    Wizard wizard(owner, PSH_MODELESS | c.sheetFlags);
    const auto sheet = reinterpret_cast<HWND>(PropertySheetW(&wizard.header));
    ASSERT_TRUE(IsWindow(sheet)) << c.what;
    EXPECT_FALSE(IsWindowVisible(reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0))))
        << "a wizard has no tabs";
    SendMessageW(sheet, PSM_SETWIZBUTTONS, 0, c.buttons);
    if (c.finish) SendMessageA(sheet, PSM_SETFINISHTEXTA, 0, reinterpret_cast<LPARAM>(c.finish));
    EXPECT_EQ(Buttons(sheet), c.shown) << c.what;
    if (c.finish) {
      char text[16]{};
      GetWindowTextA(Button(sheet, ID_WIZFINISH), text, sizeof text);
      EXPECT_STREQ(text, c.finish);
    }
    DestroyWindow(sheet);
    DestroyWindow(owner);
    g_script = nullptr;
  }
}

TEST(Wizard, ModelessWizardAndPicture) {
  const HWND owner = eventtest::MakeParent();
  Script script;
  g_script = &script;
  Wizard wizard(owner, PSH_MODELESS);
  const auto sheet = reinterpret_cast<HWND>(PropertySheetW(&wizard.header));
  ASSERT_TRUE(IsWindow(sheet));
  EXPECT_TRUE(IsWindowVisible(sheet));
  EXPECT_TRUE(IsWindowEnabled(owner)) << "modeless: the owner stays usable";
  uitest::RunUntilIdle();
  Next(sheet);
  Next(sheet);
  SetFocus(GetDlgItem(reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)), 201));
  uitest::TypeText("3");
  uitest::RunUntilIdle();
  ASSERT_TRUE(uitest::SaveWindowPng(sheet, eventtest::PicturePath("wizard_last_page.png")));
  // The line above the buttons, and Finish where Next was.
  RECT line, finish, next, page;
  GetWindowRect(GetDlgItem(sheet, ID_WIZLINE), &line);
  GetWindowRect(Button(sheet, ID_WIZFINISH), &finish);
  GetWindowRect(Button(sheet, ID_WIZNEXT), &next);
  GetWindowRect(reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)), &page);
  EXPECT_GE(line.top, page.bottom);
  EXPECT_GT(finish.top, line.bottom);
  EXPECT_TRUE(EqualRect(&finish, &next)) << "Finish stands where Next stood";
  SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
  uitest::RunUntilIdle();
  EXPECT_EQ(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0), 0) << "finished: the owner destroys it now";
  EXPECT_EQ(script.log.back(), "2:WIZFINISH");
  DestroyWindow(sheet);
  DestroyWindow(owner);
  g_script = nullptr;
}

}  // namespace
