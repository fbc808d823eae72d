// A caller's child template and hook on the file dialog: where the child
// goes, the notifications the hook receives (CDN_INITDONE, CDN_FOLDERCHANGE,
// CDN_SELCHANGE, CDN_FILEOK refusable through DWLP_MSGRESULT), the CDM_
// messages it sends, and the usual control ids it reaches.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/platform/comdlg/comdlg_test_util.h"

namespace {

using comdlgtest::ClickItem;
using comdlgtest::Next;
using comdlgtest::TempFolder;
using comdlgtest::TypeInto;

struct Seen {
  std::vector<UINT> codes;
  std::vector<std::u16string> folders;  // CDM_GETFOLDERPATH at each folder change
  std::vector<std::u16string> specs;    // CDM_GETSPEC at each selection change
  std::u16string filePathAtOk;
  int refusals = 1;  // CDN_FILEOKs to refuse
  void* ofnSeen = nullptr;
  HWND child = nullptr;
  LPARAM initParam = 0;
};

Seen* theSeen = nullptr;

std::u16string Ask(HWND dialog, UINT message) {
  WCHAR buffer[400] = {};
  const LRESULT n = SendMessageW(dialog, message, 400, reinterpret_cast<LPARAM>(buffer));
  return n > 0 ? std::u16string(buffer) : u"<failed>";
}

UINT_PTR Hook(HWND child, UINT message, WPARAM, LPARAM lParam) {
  Seen& s = *theSeen;
  if (message == WM_INITDIALOG) {
    s.child = child;
    s.initParam = lParam;
    return TRUE;
  }
  if (message != WM_NOTIFY) return FALSE;
  const auto* n = reinterpret_cast<const OFNOTIFYW*>(lParam);
  const HWND dialog = GetParent(child);
  EXPECT_EQ(n->hdr.hwndFrom, dialog);
  s.codes.push_back(n->hdr.code);
  s.ofnSeen = n->lpOFN;
  switch (n->hdr.code) {
    case CDN_INITDONE:
      SendMessageW(dialog, CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>(u"&Load"));
      SendMessageW(dialog, CDM_HIDECONTROL, chx1, 0);
      break;
    case CDN_FOLDERCHANGE: s.folders.push_back(Ask(dialog, CDM_GETFOLDERPATH)); break;
    case CDN_SELCHANGE: s.specs.push_back(Ask(dialog, CDM_GETSPEC)); break;
    case CDN_FILEOK:
      s.filePathAtOk = Ask(dialog, CDM_GETFILEPATH);
      if (s.refusals > 0) {
        --s.refusals;
        SetWindowLongPtrW(child, DWLP_MSGRESULT, 1);
        return TRUE;
      }
      break;
    default: break;
  }
  return FALSE;
}

struct Call {
  WCHAR file[300] = {};
  std::u16string folder;
  OPENFILENAMEW ofn{};
  Call(const TempFolder& temp, DWORD flags, int templateId) : folder(temp.wide()) {
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = u"Barcode Layout\0*.bcd\0All files\0*.*\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = 300;
    ofn.lpstrInitialDir = folder.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | flags;
    ofn.lpfnHook = Hook;
    ofn.hInstance = GetModuleHandleA(nullptr);
    if (templateId) {
      ofn.Flags |= OFN_ENABLETEMPLATE;
      ofn.lpTemplateName = MAKEINTRESOURCEW(static_cast<WORD>(templateId));
    }
    ofn.lCustData = 77;
  }
};

RECT InDialog(HWND dialog, HWND item) {
  RECT r{};
  GetWindowRect(item, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST(FileDialogHook, ReceivesTheNotificationsAndRefusesOkOnce) {
  TempFolder temp;
  temp.Folder("inner");
  temp.File("inner/chosen.bcd");
  temp.File("outer.bcd");
  Seen seen;
  theSeen = &seen;
  Call call(temp, 0, 7101);
  bool openAfterRefusal = false, readOnlyHidden = false;
  std::u16string okText;
  RECT nameBox{}, preview{};
  Next([&](HWND dialog) {
    okText = comdlgtest::Text(GetDlgItem(dialog, IDOK));
    readOnlyHidden = !IsWindowVisible(GetDlgItem(dialog, chx1));
    nameBox = InDialog(dialog, GetDlgItem(dialog, edt1));
    preview = InDialog(dialog, GetDlgItem(seen.child, 7110));
    const HWND list = GetDlgItem(dialog, lst2);
    const POINT row = comdlgtest::FileRowCentre(dialog, 0);  // "inner", folders first
    uitest::DoubleClick(list, row);
    uitest::Click(list, comdlgtest::FileRowCentre(dialog, 0));  // "chosen.bcd"
    ClickItem(dialog, IDOK);
    openAfterRefusal = IsWindowVisible(dialog) != FALSE;
    ClickItem(dialog, IDOK);
  });
  ASSERT_TRUE(GetOpenFileNameW(&call.ofn));
  theSeen = nullptr;
  EXPECT_EQ(seen.initParam, reinterpret_cast<LPARAM>(&call.ofn)) << "WM_INITDIALOG carries the caller's structure";
  EXPECT_EQ(seen.ofnSeen, &call.ofn);
  // The double click's first press selects the folder before opening it.
  const std::vector<UINT> expected = {CDN_INITDONE,     CDN_FOLDERCHANGE, CDN_SELCHANGE, CDN_FOLDERCHANGE,
                                      CDN_SELCHANGE,    CDN_FILEOK,       CDN_FILEOK};
  EXPECT_EQ(seen.codes, expected);
  EXPECT_EQ(seen.folders, (std::vector<std::u16string>{call.folder, call.folder + u"/inner"}));
  EXPECT_EQ(seen.specs, (std::vector<std::u16string>{u"", u"chosen.bcd"})) << "a folder puts no name in the box";
  EXPECT_EQ(seen.filePathAtOk, call.folder + u"/inner/chosen.bcd");
  EXPECT_TRUE(openAfterRefusal) << "a hook that sets DWLP_MSGRESULT keeps the dialog open";
  EXPECT_EQ(std::u16string(call.file), call.folder + u"/inner/chosen.bcd");
  EXPECT_EQ(okText, u"&Load");
  EXPECT_TRUE(readOnlyHidden);
  EXPECT_GT(preview.left, nameBox.right) << "the child's own controls sit right of the standard ones";
}

TEST(FileDialogHook, AChildWithoutStc32SitsBelowAndAHookAloneGetsAnEmptyChild) {
  TempFolder temp;
  temp.File("a.bcd");
  Seen seen;
  theSeen = &seen;
  Call call(temp, 0, 7102);
  RECT okRect{}, remember{};
  Next([&](HWND dialog) {
    okRect = InDialog(dialog, GetDlgItem(dialog, IDOK));
    remember = InDialog(dialog, GetDlgItem(seen.child, 7120));
    ClickItem(dialog, IDCANCEL);
  });
  EXPECT_FALSE(GetOpenFileNameW(&call.ofn));
  EXPECT_GT(remember.top, okRect.bottom);
  EXPECT_EQ(std::count(seen.codes.begin(), seen.codes.end(), CDN_TYPECHANGE), 0);
  // Choosing another type tells the hook.
  Seen typed;
  theSeen = &typed;
  Call other(temp, 0, 7102);
  Next([&](HWND dialog) {
    const HWND types = GetDlgItem(dialog, cmb1);
    SendMessageW(types, CB_SETCURSEL, 1, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
    ClickItem(dialog, IDCANCEL);
  });
  EXPECT_FALSE(GetOpenFileNameW(&other.ofn));
  EXPECT_EQ(typed.codes.back(), CDN_TYPECHANGE);
  Seen bare;
  theSeen = &bare;
  Call hookOnly(temp, 0, 0);
  Next([&](HWND dialog) {
    TypeInto(dialog, edt1, u"a.bcd");
    ClickItem(dialog, IDOK);
    ClickItem(dialog, IDOK);
  });
  EXPECT_TRUE(GetOpenFileNameW(&hookOnly.ofn));
  theSeen = nullptr;
  ASSERT_NE(bare.child, nullptr);
  EXPECT_EQ(bare.codes.front(), CDN_INITDONE);
  EXPECT_EQ(bare.codes.back(), CDN_FILEOK);
}

TEST(FileDialogHook, AnAnsiCallerGetsAnsiTextFromTheMessages) {
  TempFolder temp;
  temp.File("caf\xC3\xA9.bcd");
  const std::string folder = temp.path();
  char file[300] = {};
  OPENFILENAMEA a{};
  a.lStructSize = sizeof a;
  a.lpstrFile = file;
  a.nMaxFile = 300;
  a.lpstrInitialDir = folder.c_str();
  a.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
  static std::string pathAtOk;
  static void* structSeen = nullptr;
  a.lpfnHook = [](HWND child, UINT message, WPARAM, LPARAM lParam) -> UINT_PTR {
    if (message != WM_NOTIFY) return FALSE;
    const auto* n = reinterpret_cast<const OFNOTIFYA*>(lParam);
    if (n->hdr.code != CDN_FILEOK) return FALSE;
    structSeen = n->lpOFN;
    char buffer[300] = {};
    char tiny[4] = {'k', 'k', 'k', 'k'};
    EXPECT_GT(SendMessageA(GetParent(child), CDM_GETFILEPATH, 4, reinterpret_cast<LPARAM>(tiny)), 4);
    EXPECT_EQ(std::string(tiny, 4), "kkkk") << "a buffer too small is left alone";
    SendMessageA(GetParent(child), CDM_GETFILEPATH, 300, reinterpret_cast<LPARAM>(buffer));
    pathAtOk = buffer;
    return FALSE;
  };
  Next([](HWND dialog) {
    TypeInto(dialog, edt1, u"café.bcd");
    ClickItem(dialog, IDOK);
  });
  ASSERT_TRUE(GetOpenFileNameA(&a));
  EXPECT_EQ(structSeen, &a);
  EXPECT_EQ(pathAtOk, folder + "/caf\xE9.bcd");
}

TEST(FileDialogPictures, OpenDialogWithAChildTemplate) {
  TempFolder temp;
  temp.File("Pallet 0001.bcd", 18342);
  Seen seen;
  theSeen = &seen;
  Call call(temp, 0, 7101);
  bool saved = false;
  Next([&](HWND dialog) {
    saved = uitest::SaveWindowPng(dialog, comdlgtest::PicturePath("file_open_child_template.png"));
    ClickItem(dialog, IDCANCEL);
  });
  GetOpenFileNameW(&call.ofn);
  theSeen = nullptr;
  EXPECT_TRUE(saved);
}

}  // namespace
