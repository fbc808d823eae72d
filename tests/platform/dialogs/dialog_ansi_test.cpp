// Dialogs made by A calls (CreateDialogParamA, DialogBoxParamA and their
// indirect forms) have A dialog procedures: text in the messages they hear
// is in the ANSI code page, whoever sent it; W dialogs hear UTF-16.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/testing/ui.h"
#include "platform/user/dialogs/template_writer.h"
#include "platform/win.h"

namespace {

constexpr int kNavigation = 1000;

std::vector<std::string> heard;  // text and characters as the procedure saw them, byte by byte

std::string Bytes(const char* text) { return text ? std::string(text) : std::string("(null)"); }
std::string Bytes(const char16_t* text) {
  std::string out;
  for (const char16_t* p = text; p && *p; ++p) out += *p < 0x80 ? std::string(1, static_cast<char>(*p)) : "U+" + std::to_string(*p);
  return out;
}

INT_PTR AnsiProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT: heard.push_back("settext " + Bytes(reinterpret_cast<const char*>(lParam))); return FALSE;
    case WM_CHAR: heard.push_back("char " + std::to_string(wParam)); return TRUE;
    case WM_GETTEXT:
      if (GetPropW(dialog, u"answer")) {
        // "naïve" in the ANSI code page.
        std::snprintf(reinterpret_cast<char*>(lParam), wParam, "%s", "na\xEFve");
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 5);
        return TRUE;
      }
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 7);
      return TRUE;
    default: return FALSE;
  }
}

INT_PTR WideProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTEXT) heard.push_back("settext " + Bytes(reinterpret_cast<const char16_t*>(lParam)));
  if (message == WM_CHAR) heard.push_back("char " + std::to_string(wParam));
  return FALSE;
}

TEST(AnsiDialog, TheProcedureHearsAnsiText) {
  ASSERT_EQ(GetACP(), 1252u);
  struct Row {
    const char* what;
    bool ansi;
    bool indirect;
  } const rows[] = {
      {"CreateDialogParamA", true, false},
      {"CreateDialogIndirectParamA", true, true},
      {"CreateDialogParamW", false, false},
  };
  dialogs::TemplateWriter t(WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 0, 120, 60, u"Indirect");
  t.Add(0x80, BS_PUSHBUTTON | WS_TABSTOP, 0, 5, 5, 50, 14, IDCANCEL, u"Cancel");
  const std::vector<uint32_t>& bytes = t.words();
  for (const Row& row : rows) {
    heard.clear();
    HWND dialog = nullptr;
    if (row.ansi && row.indirect)
      dialog = CreateDialogIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), nullptr, AnsiProc, 0);
    else if (row.ansi)
      dialog = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(kNavigation), nullptr, AnsiProc, 0);
    else
      dialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kNavigation), nullptr, WideProc, 0);
    ASSERT_NE(dialog, nullptr) << row.what;
    SetWindowTextW(dialog, u"Caf\u00E9 \u20AC");
    SendMessageA(dialog, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("\xC0 la carte"));
    SendMessageW(dialog, WM_CHAR, u'\u20AC', 0);
    const std::vector<std::string> expected =
        row.ansi ? std::vector<std::string>{"settext Caf\xE9 \x80", "settext \xC0 la carte", "char 128"}
                 : std::vector<std::string>{"settext Caf" "U+233 U+8364", "settext U+192 la carte", "char 8364"};
    EXPECT_EQ(heard, expected) << row.what;
    // The title went through to the window either way.
    WCHAR title[32] = {};
    GetWindowTextW(dialog, title, 32);
    EXPECT_EQ(std::u16string(title), u"\u00C0 la carte") << row.what;
    if (row.ansi) {
      // Text the A procedure answers itself comes back as UTF-16.
      SetPropW(dialog, u"answer", reinterpret_cast<HANDLE>(1));
      GetWindowTextW(dialog, title, 32);
      EXPECT_EQ(std::u16string(title), u"na\u00EFve") << row.what;
      char narrow[32] = {};
      GetWindowTextA(dialog, narrow, 32);
      EXPECT_STREQ(narrow, "na\xEFve") << row.what;
      RemovePropW(dialog, u"answer");
    }
    DestroyWindow(dialog);
  }
}

TEST(AnsiDialog, ModalAnsiDialogsToo) {
  struct Row {
    const char* what;
    bool indirect;
  } const rows[] = {{"DialogBoxParamA", false}, {"DialogBoxIndirectParamA", true}};
  dialogs::TemplateWriter t(WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 0, 120, 60, u"Indirect");
  t.Add(0x80, BS_PUSHBUTTON | WS_TABSTOP, 0, 5, 5, 50, 14, IDCANCEL, u"Cancel");
  const std::vector<uint32_t>& bytes = t.words();
  for (const Row& row : rows) {
    heard.clear();
    user::SetModalDialogHook(
        [](HWND dialog, void*) {
          SetWindowTextW(dialog, u"\u00DCber");
          PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        },
        nullptr);
    const INT_PTR result =
        row.indirect ? DialogBoxIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), nullptr, AnsiProc, 0)
                     : DialogBoxParamA(nullptr, MAKEINTRESOURCEA(kNavigation), nullptr, AnsiProc, 0);
    user::SetModalDialogHook(nullptr, nullptr);
    EXPECT_EQ(result, 7) << row.what;
    EXPECT_EQ(heard, std::vector<std::string>{"settext \xDC" "ber"}) << row.what;
  }
}

}  // namespace
