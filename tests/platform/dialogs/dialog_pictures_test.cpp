// Pictures a developer looks at, saved in the build folder: a dialog with
// every control kind in normal, focused, disabled and pressed states, and a
// message box. Each test also checks a few pixels of what it saved.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/testing/ui.h"
#include "platform/user/dialogs/template_writer.h"
#include "platform/win.h"

namespace {

std::string PicturePath(const char* name) {
  const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures";
  std::filesystem::create_directories(folder);
  return folder + "/" + name;
}

struct Kind {
  const char16_t* label;
  WORD atom;
  DWORD style;
  const char16_t* text;
  short height;
};

constexpr short kColumnWidth = 74, kRowHeight = 17, kLeft = 62, kTop = 16;
constexpr int kColumns = 4;  // normal, focused, disabled, pressed

const Kind kKinds[] = {
    {u"Push", 0x80, BS_PUSHBUTTON | WS_TABSTOP, u"&Push", 14},
    {u"Default", 0x80, BS_DEFPUSHBUTTON | WS_TABSTOP, u"OK", 14},
    {u"Check", 0x80, BS_AUTOCHECKBOX | WS_TABSTOP, u"&Check", 12},
    {u"3-state", 0x80, BS_AUTO3STATE | WS_TABSTOP, u"&Maybe", 12},
    {u"Radio", 0x80, BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, u"&Radio", 12},
    {u"Group", 0x80, BS_GROUPBOX, u"Group", 15},
    {u"Static", 0x82, SS_LEFT, u"Some text", 10},
    {u"Icon", 0x82, SS_ICON, u"", 14},
    {u"Etched", 0x82, SS_ETCHEDFRAME, u"", 12},
    {u"Edit", 0x81, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, u"Edit text", 12},
    {u"List", 0x83, LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP, u"", 30},
    {u"Combo", 0x85, CBS_DROPDOWNLIST | WS_TABSTOP, u"", 60},
    {u"Scroll", 0x84, SBS_HORZ, u"", 10},
};

int Id(size_t row, int column) { return 100 + static_cast<int>(row) * 10 + column; }

std::vector<uint32_t> MakeTemplate(dialogs::TemplateWriter& t) {
  const char16_t* headings[kColumns] = {u"Normal", u"Focused", u"Disabled", u"Pressed"};
  for (int c = 0; c < kColumns; ++c)
    t.Add(0x82, WS_CHILD | WS_VISIBLE | SS_CENTER, 0, static_cast<short>(kLeft + c * kColumnWidth), 4, 66, 9, 90 + c,
          headings[c]);
  short y = kTop;
  for (size_t row = 0; row < std::size(kKinds); ++row) {
    const Kind& k = kKinds[row];
    t.Add(0x82, WS_CHILD | WS_VISIBLE, 0, 4, y, 56, 10, 60 + static_cast<DWORD>(row), k.label);
    for (int c = 0; c < kColumns; ++c) {
      const DWORD disabled = c == 2 ? WS_DISABLED : 0;
      t.Add(k.atom, WS_CHILD | WS_VISIBLE | k.style | disabled, 0, static_cast<short>(kLeft + c * kColumnWidth), y, 66,
            k.height, static_cast<DWORD>(Id(row, c)), k.text);
    }
    y = static_cast<short>(y + std::max<short>(kRowHeight, static_cast<short>(k.atom == 0x85 ? 16 : k.height + 4)));
  }
  return t.words();
}

void Fill(HWND dialog, size_t row, int column) {
  const HWND w = GetDlgItem(dialog, Id(row, column));
  const Kind& k = kKinds[row];
  if (k.atom == 0x83 || k.atom == 0x85) {
    const UINT add = k.atom == 0x83 ? LB_ADDSTRING : CB_ADDSTRING;
    for (const char16_t* s : {u"First", u"Second", u"Third"}) SendMessageW(w, add, 0, reinterpret_cast<LPARAM>(s));
    if (k.atom == 0x85) SendMessageW(w, CB_SETCURSEL, 0, 0);
  }
  if (k.atom == 0x84) {
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 100, 20, 30, 0};
    SendMessageW(w, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&si));
  }
  if (k.atom == 0x82 && (k.style & SS_TYPEMASK) == SS_ICON)
    SendMessageW(w, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, IDI_INFORMATION)), 0);
  if (k.atom == 0x80 && (k.style & BS_TYPEMASK) == BS_AUTOCHECKBOX) SendMessageW(w, BM_SETCHECK, BST_CHECKED, 0);
  if (k.atom == 0x80 && (k.style & BS_TYPEMASK) == BS_AUTO3STATE) SendMessageW(w, BM_SETCHECK, BST_INDETERMINATE, 0);
  if (k.atom == 0x80 && (k.style & BS_TYPEMASK) == BS_AUTORADIOBUTTON) SendMessageW(w, BM_SETCHECK, BST_CHECKED, 0);
  if (column == 3) {
    // Pressed: buttons held down; lists and combo boxes with a chosen item,
    // an edit control with its text selected.
    SendMessageW(w, BM_SETSTATE, TRUE, 0);
    if (k.atom == 0x83) SendMessageW(w, LB_SETCURSEL, 1, 0);
    if (k.atom == 0x85) SendMessageW(w, CB_SETCURSEL, 2, 0);
    if (k.atom == 0x81) SendMessageW(w, EM_SETSEL, 0, -1);
  }
}

TEST(DialogPictures, EveryControlKindInEveryState) {
  dialogs::TemplateWriter t(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME, 0, 0, 0,
                            static_cast<short>(kLeft + kColumns * kColumnWidth), 262, u"Every control");
  const std::vector<uint32_t> bytes = MakeTemplate(t);
  const HWND dialog = CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), nullptr,
                                                 [](HWND, UINT m, WPARAM, LPARAM) -> INT_PTR { return m == WM_INITDIALOG ? FALSE : FALSE; }, 0);
  ASSERT_NE(dialog, nullptr);
  for (size_t row = 0; row < std::size(kKinds); ++row)
    for (int c = 0; c < kColumns; ++c) Fill(dialog, row, c);
  // The focus rests on the scroll bar of the normal column, which shows none,
  // so the normal column shows the dialog's default button as the default.
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, Id(std::size(kKinds) - 1, 0))), TRUE);
  uitest::RunUntilIdle();
  // The focused column: each control is given the focus in turn and its cell
  // is copied into one picture.
  uitest::Picture composite = uitest::CaptureWindow(dialog);
  RECT window;
  GetWindowRect(dialog, &window);
  for (size_t row = 0; row < std::size(kKinds); ++row) {
    const HWND w = GetDlgItem(dialog, Id(row, 1));
    if (kKinds[row].atom == 0x82 || (kKinds[row].atom == 0x80 && (kKinds[row].style & BS_TYPEMASK) == BS_GROUPBOX)) continue;
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(w), TRUE);
    uitest::RunUntilIdle();
    const uitest::Picture now = uitest::CaptureWindow(dialog);
    RECT cell;
    GetWindowRect(w, &cell);
    OffsetRect(&cell, -window.left, -window.top);
    InflateRect(&cell, 2, 2);
    for (int y = std::max<int>(0, cell.top); y < std::min<int>(now.height, cell.bottom); ++y)
      for (int x = std::max<int>(0, cell.left); x < std::min<int>(now.width, cell.right); ++x)
        composite.pixels[static_cast<size_t>(y) * composite.width + x] = now.At(x, y);
  }
  ASSERT_TRUE(uitest::SavePng(composite, PicturePath("dialog_controls.png")));
  // The disabled push button's text is grey, the pressed one's face sunken:
  // the pictures differ where the states differ.
  RECT normal, disabled;
  GetWindowRect(GetDlgItem(dialog, Id(0, 0)), &normal);
  GetWindowRect(GetDlgItem(dialog, Id(0, 2)), &disabled);
  int differing = 0;
  for (int y = 0; y < normal.bottom - normal.top; ++y)
    for (int x = 0; x < normal.right - normal.left; ++x)
      differing += composite.At(normal.left - window.left + x, normal.top - window.top + y) !=
                   composite.At(disabled.left - window.left + x, disabled.top - window.top + y);
  EXPECT_GT(differing, 10);
  DestroyWindow(dialog);
}

TEST(DialogPictures, MessageBox) {
  struct Seen {
    bool saved = false;
    int buttons = 0;
  } seen;
  user::SetModalDialogHook(
      [](HWND box, void* context) {
        auto* s = static_cast<Seen*>(context);
        uitest::RunUntilIdle();
        s->saved = uitest::SaveWindowPng(box, PicturePath("message_box.png"));
        for (HWND w = GetWindow(box, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
          s->buttons += (SendMessageW(w, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) != 0;
        // The default button is the second (MB_DEFBUTTON2): Enter chooses No.
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
      },
      &seen);
  const int answer = MessageBoxW(nullptr, u"The label has unsaved changes.\nSave them before closing?", u"Tavrendel",
                                 MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
  EXPECT_EQ(answer, IDNO);
  EXPECT_TRUE(seen.saved);
  EXPECT_EQ(seen.buttons, 3);
  user::SetModalDialogHook(
      [](HWND box, void*) { PostMessageW(GetFocus() ? GetFocus() : box, WM_KEYDOWN, VK_ESCAPE, 0); }, nullptr);
  EXPECT_EQ(MessageBoxW(nullptr, u"Done.", u"Tavrendel", MB_OK), IDOK) << "Esc ends a box with one OK button as OK";
  user::SetModalDialogHook(
      [](HWND box, void*) { PostMessageW(GetFocus() ? GetFocus() : box, WM_KEYDOWN, VK_ESCAPE, 0); }, nullptr);
  EXPECT_EQ(MessageBoxW(nullptr, u"Retry?", nullptr, MB_RETRYCANCEL), IDCANCEL);
  int beeps = 0;
  MessageBeep(MB_ICONEXCLAMATION);
  EXPECT_EQ(user::LastMessageBeep(&beeps), MB_ICONEXCLAMATION);
  EXPECT_GE(beeps, 1);
}

}  // namespace
