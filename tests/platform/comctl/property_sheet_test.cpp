// Property sheets: pages from templates in memory and in resources, page
// changes, OK, Apply and Cancel with the notifications each page receives,
// as tables of cases driven through the test API, and a picture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/ui.h"
#include "platform/user/dialogs/template_writer.h"
#include "platform/win.h"
#include "tests/platform/comctl/event_parent.h"
#include "tests/platform/comctl/sheet_pages.h"

namespace {

constexpr int kEditId = 201;

// What the pages heard, as "page:NOTE" strings, and how they answer.
struct Script {
  std::vector<std::string> log;
  int refuseLeaving = -1;   // this page answers PSN_KILLACTIVE with TRUE
  int refuseApply = -1;     // this page answers PSN_APPLY with `applyAnswer`
  LRESULT applyAnswer = PSNRET_INVALID_NOCHANGEPAGE;
  bool refuseCancel = false;  // the shown page answers PSN_QUERYCANCEL with TRUE (once)
};
Script* g_script = nullptr;

INT_PTR PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    sheettest::NotePageInit(page, lParam, g_script->log);
    return TRUE;
  }
  const int number = sheettest::PageNumber(page);
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
    SendMessageW(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
    return TRUE;
  }
  if (message != WM_NOTIFY) return FALSE;
  const auto* n = reinterpret_cast<const PSHNOTIFY*>(lParam);
  std::string note = std::to_string(number) + ":" + sheettest::NoteName(n->hdr.code);
  if (n->hdr.code == PSN_APPLY || n->hdr.code == PSN_RESET) note += n->lParam ? "(1)" : "(0)";
  g_script->log.push_back(note);
  LRESULT answer = 0;
  if (n->hdr.code == PSN_KILLACTIVE && number == g_script->refuseLeaving) answer = TRUE;
  if (n->hdr.code == PSN_APPLY && number == g_script->refuseApply) answer = g_script->applyAnswer;
  if (n->hdr.code == PSN_QUERYCANCEL && g_script->refuseCancel) {
    g_script->refuseCancel = false;
    answer = TRUE;
  }
  SetWindowLongPtrW(page, DWLP_MSGRESULT, answer);
  return TRUE;
}

// A page template in memory: a label, an edit and a check box.
std::vector<uint32_t> PageTemplate(const char16_t* caption, short cx, short cy) {
  dialogs::TemplateWriter t(DS_CONTROL | WS_CHILD | WS_CAPTION, 0, 0, 0, cx, cy, caption);
  t.Add(0x82, WS_CHILD | WS_VISIBLE, 0, 7, 9, 40, 8, static_cast<DWORD>(-1), u"&Text:");
  t.Add(0x81, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 50, 7, 100, 12, kEditId, u"");
  t.Add(0x80, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 7, 26, 90, 10, 202, caption);
  return t.words();
}

struct SheetTemplates {
  std::vector<uint32_t> general = PageTemplate(u"General", 200, 110);
  std::vector<uint32_t> barcode = PageTemplate(u"Barcode", 220, 100);
};

// The resource template says "Printing"; the page's title wins.
struct Sheet : SheetTemplates, sheettest::ThreePages {
  explicit Sheet(HWND owner, DWORD flags = 0)
      : ThreePages(general, barcode, PageProc, owner, flags, u"Label", u"Print") {}
};

using Driver = void (*)(HWND sheet);
HWND Button(HWND sheet, int id) { return GetDlgItem(sheet, id); }
HWND Tab(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0)); }
void ClickTab(HWND sheet, int index) {
  RECT r{};
  SendMessageW(Tab(sheet), TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  uitest::Click(Tab(sheet), POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}
HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
void TypeInPage(HWND sheet) {
  SetFocus(GetDlgItem(CurrentPage(sheet), kEditId));
  uitest::TypeText("12");
}

TEST(PropertySheet, ButtonsAndPagesTable) {
  struct Case {
    const char* what;
    Driver drive;
    int refuseLeaving, refuseApply;
    bool refuseCancel;
    INT_PTR result;
    std::vector<std::string> log;
  } const cases[] = {
      {"OK at once", [](HWND s) { uitest::Click(Button(s, IDOK)); }, -1, -1, false, 1,
       {"0:INIT", "0:SETACTIVE", "0:KILLACTIVE", "0:APPLY(1)"}},
      {"Cancel at once", [](HWND s) { uitest::Click(Button(s, IDCANCEL)); }, -1, -1, false, 0,
       {"0:INIT", "0:SETACTIVE", "0:QUERYCANCEL", "0:RESET(0)"}},
      {"another page, then OK: only pages made apply",
       [](HWND s) {
         ClickTab(s, 2);
         uitest::Click(Button(s, IDOK));
       },
       -1, -1, false, 1,
       {"0:INIT", "0:SETACTIVE", "0:KILLACTIVE", "2:INIT", "2:SETACTIVE", "2:KILLACTIVE", "0:APPLY(1)", "2:APPLY(1)"}},
      {"a page that will not be left keeps the sheet on it",
       [](HWND s) {
         ClickTab(s, 1);
         EXPECT_EQ(SendMessageW(Tab(s), TCM_GETCURSEL, 0, 0), 0);
         uitest::Click(Button(s, IDCANCEL));
       },
       0, -1, false, 0, {"0:INIT", "0:SETACTIVE", "0:KILLACTIVE", "0:QUERYCANCEL", "0:RESET(0)"}},
      {"a change enables Apply; Apply then Cancel counts as saved",
       [](HWND s) {
         EXPECT_FALSE(IsWindowEnabled(Button(s, ID_APPLY_NOW)));
         TypeInPage(s);
         EXPECT_TRUE(IsWindowEnabled(Button(s, ID_APPLY_NOW)));
         uitest::Click(Button(s, ID_APPLY_NOW));
         EXPECT_FALSE(IsWindowEnabled(Button(s, ID_APPLY_NOW))) << "applied";
         uitest::Click(Button(s, IDCANCEL));
       },
       -1, -1, false, 1,
       {"0:INIT", "0:SETACTIVE", "0:KILLACTIVE", "0:APPLY(0)", "0:QUERYCANCEL", "0:RESET(0)"}},
      {"a page refusing to apply keeps the sheet open",
       [](HWND s) {
         ClickTab(s, 1);
         uitest::Click(Button(s, IDOK));
         EXPECT_TRUE(IsWindow(s));
         uitest::Click(Button(s, IDCANCEL));
       },
       -1, 1, false, 0,
       {"0:INIT", "0:SETACTIVE", "0:KILLACTIVE", "1:INIT", "1:SETACTIVE", "1:KILLACTIVE", "0:APPLY(1)", "1:APPLY(1)",
        "1:QUERYCANCEL", "0:RESET(0)", "1:RESET(0)"}},
      {"a refused cancel, then the close box",
       [](HWND s) {
         uitest::Click(Button(s, IDCANCEL));
         EXPECT_TRUE(IsWindow(s));
         SendMessageW(s, WM_CLOSE, 0, 0);
       },
       -1, -1, true, 0, {"0:INIT", "0:SETACTIVE", "0:QUERYCANCEL", "0:QUERYCANCEL", "0:RESET(1)"}},
  };
  for (const Case& c : cases) {
    const HWND owner = eventtest::MakeParent();
    Script script;
    script.refuseLeaving = c.refuseLeaving;
    script.refuseApply = c.refuseApply;
    script.refuseCancel = c.refuseCancel;
    g_script = &script;
    Sheet sheet(owner);
    user::SetModalDialogHook([](HWND s, void* drive) { reinterpret_cast<Driver>(drive)(s); },
                             reinterpret_cast<void*>(c.drive));
    EXPECT_EQ(PropertySheetW(&sheet.header), c.result) << c.what;
    EXPECT_EQ(script.log, c.log) << c.what;
    EXPECT_TRUE(IsWindowEnabled(owner)) << c.what << ": the owner is enabled again";
    DestroyWindow(owner);
    g_script = nullptr;
  }
}

TEST(PropertySheet, SheetMessagesAndPicture) {
  const HWND owner = eventtest::MakeParent();
  Script script;
  g_script = &script;
  Sheet sheet(owner, PSH_PROPTITLE);
  user::SetModalDialogHook(
      [](HWND s, void*) {
        WCHAR title[64]{};
        GetWindowTextW(s, title, 64);
        EXPECT_EQ(std::u16string(title), u"Properties for Label");
        const HWND tab = Tab(s);
        ASSERT_NE(tab, nullptr);
        EXPECT_EQ(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0), 3);
        WCHAR text[32]{};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 32;
        SendMessageW(tab, TCM_GETITEMW, 2, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(std::u16string(text), u"Print") << "PSP_USETITLE";
        SendMessageW(tab, TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(std::u16string(text), u"Barcode") << "the template's caption";
        EXPECT_EQ(SendMessageW(s, PSM_INDEXTOHWND, 1, 0), 0) << "not made before it is shown";
        EXPECT_TRUE(SendMessageW(s, PSM_SETCURSEL, 2, 0));
        const HWND page = CurrentPage(s);
        EXPECT_EQ(SendMessageW(s, PSM_INDEXTOHWND, 2, 0), reinterpret_cast<LRESULT>(page));
        EXPECT_EQ(SendMessageW(s, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0), 2);
        EXPECT_NE(GetDlgItem(page, 202), nullptr) << "the resource page's controls";
        // The page fills the tab's display area, the largest page's size.
        RECT pageRect, tabRect, display;
        GetWindowRect(page, &pageRect);
        GetWindowRect(tab, &tabRect);
        display = tabRect;
        SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
        EXPECT_EQ(pageRect.left, display.left);
        EXPECT_EQ(pageRect.top, display.top);
        RECT largest{0, 0, 220, 110};
        MapDialogRect(s, &largest);
        EXPECT_EQ(pageRect.right - pageRect.left, largest.right);
        EXPECT_EQ(pageRect.bottom - pageRect.top, largest.bottom);
        ClickTab(s, 1);
        TypeInPage(s);
        uitest::RunUntilIdle();
        EXPECT_TRUE(uitest::SaveWindowPng(s, eventtest::PicturePath("property_sheet_three_pages.png")));
        SendMessageW(s, PSM_PRESSBUTTON, PSBTN_OK, 0);
      },
      nullptr);
  EXPECT_EQ(PropertySheetW(&sheet.header), 1);
  EXPECT_EQ(script.log.back(), "2:APPLY(1)") << "every page made applies, in page order";
  DestroyWindow(owner);
  g_script = nullptr;
}

TEST(PropertySheet, PagesByHandleAndFailures) {
  const HWND owner = eventtest::MakeParent();
  Script script;
  g_script = &script;
  Sheet sheet(owner);
  HPROPSHEETPAGE handles[2] = {CreatePropertySheetPageW(&sheet.pages[0]), CreatePropertySheetPageW(&sheet.pages[2])};
  ASSERT_NE(handles[0], nullptr);
  PROPSHEETHEADERW header = sheet.header;
  header.dwFlags = PSH_NOAPPLYNOW;
  header.nPages = 2;
  header.phpage = handles;
  user::SetModalDialogHook(
      [](HWND s, void*) {
        EXPECT_EQ(GetDlgItem(s, ID_APPLY_NOW), nullptr) << "PSH_NOAPPLYNOW";
        // Esc for the sheet's own loop, which reads it through IsDialogMessage.
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
      },
      nullptr);
  EXPECT_EQ(PropertySheetW(&header), 0);
  EXPECT_EQ(script.log.back(), "0:RESET(0)");
  EXPECT_TRUE(DestroyPropertySheetPage(handles[0]));
  EXPECT_FALSE(DestroyPropertySheetPage(handles[0])) << "a destroyed page handle is unknown";
  EXPECT_EQ(PropertySheetW(&header), -1) << "a page handle that is gone";
  DestroyPropertySheetPage(handles[1]);
  header.nPages = 0;
  EXPECT_EQ(PropertySheetW(&header), -1) << "no pages";
  sheet.pages[2].pszTemplate = MAKEINTRESOURCEW(4321);
  EXPECT_EQ(PropertySheetW(&sheet.header), -1) << "a template that is not there";
  DestroyWindow(owner);
  g_script = nullptr;
}

}  // namespace

namespace {

HPROPSHEETPAGE g_extra = nullptr;

TEST(PropertySheet, PagesAddedAndRemovedWhileOpen) {
  const HWND owner = eventtest::MakeParent();
  Script script;
  g_script = &script;
  Sheet sheet(owner);
  PROPSHEETPAGEW extra = sheet.pages[1];
  extra.lParam = 7;
  extra.dwFlags |= PSP_USETITLE;
  extra.pszTitle = u"Extra";
  g_extra = CreatePropertySheetPageW(&extra);
  user::SetModalDialogHook(
      [](HWND s, void*) {
        const HWND tab = Tab(s);
        EXPECT_TRUE(SendMessageW(s, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(g_extra)));
        EXPECT_EQ(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0), 4);
        EXPECT_TRUE(SendMessageW(s, PSM_SETCURSEL, 0, reinterpret_cast<LPARAM>(g_extra))) << "by its handle";
        EXPECT_EQ(SendMessageW(tab, TCM_GETCURSEL, 0, 0), 3);
        // Removing the page shown moves to its neighbour without asking it.
        EXPECT_TRUE(SendMessageW(s, PSM_REMOVEPAGE, 3, 0));
        EXPECT_EQ(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0), 3);
        EXPECT_EQ(SendMessageW(tab, TCM_GETCURSEL, 0, 0), 2);
        EXPECT_TRUE(SendMessageW(s, PSM_REMOVEPAGE, 0, 0));
        EXPECT_EQ(SendMessageW(tab, TCM_GETCURSEL, 0, 0), 1) << "the shown page's index follows";
        EXPECT_FALSE(SendMessageW(s, PSM_REMOVEPAGE, 9, 0));
        uitest::Click(Button(s, IDOK));
      },
      nullptr);
  EXPECT_EQ(PropertySheetW(&sheet.header), 1);
  const std::vector<std::string> expected{"0:INIT", "0:SETACTIVE", "0:KILLACTIVE", "7:INIT", "7:SETACTIVE",
                                          "2:INIT", "2:SETACTIVE", "2:KILLACTIVE", "2:APPLY(1)"};
  EXPECT_EQ(script.log, expected);
  DestroyPropertySheetPage(g_extra);
  DestroyWindow(owner);
  g_script = nullptr;
}

}  // namespace

namespace {

TEST(PropertySheet, CtrlTabTurnsThePages) {
  const HWND owner = eventtest::MakeParent();
  Script script;
  g_script = &script;
  Sheet sheet(owner);
  user::SetModalDialogHook(
      [](HWND s, void*) {
        const HWND tab = Tab(s);
        struct Step {
          int key;
          bool shift;
          LRESULT page;
        } const steps[] = {{VK_TAB, false, 1}, {VK_TAB, false, 2}, {VK_TAB, false, 0}, {VK_TAB, true, 2},
                           {VK_PRIOR, false, 1}, {VK_NEXT, false, 2}};
        for (const Step& step : steps) {
          uitest::Key(step.key, step.shift, true);
          EXPECT_EQ(SendMessageW(tab, TCM_GETCURSEL, 0, 0), step.page);
          EXPECT_EQ(SendMessageW(s, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(CurrentPage(s)), 0), step.page);
        }
        g_script->refuseLeaving = 2;
        uitest::Key(VK_TAB, false, true);
        EXPECT_EQ(SendMessageW(tab, TCM_GETCURSEL, 0, 0), 2) << "the page would not be left";
        g_script->refuseLeaving = -1;
        uitest::Click(Button(s, IDCANCEL));
      },
      nullptr);
  EXPECT_EQ(PropertySheetW(&sheet.header), 0);
  DestroyWindow(owner);
  g_script = nullptr;
}

}  // namespace
