// SHBrowseForFolder as the designer calls it: from the desktop root, file
// system folders only, the start folder selected from the callback once the
// picker is initialised, the result read with SHGetPathFromIDList and the
// list freed through the shell allocator. Clicks, keys, cancel, and the
// item lists' bounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/platform/comdlg/comdlg_test_util.h"

namespace {

using comdlgtest::ClickItem;
using comdlgtest::Next;
using comdlgtest::QueueKey;
using comdlgtest::TempFolder;

struct Start {
  std::string folder;
  std::vector<UINT> messages;
};

int StartAt(HWND window, UINT message, LPARAM, LPARAM data) {
  auto* s = reinterpret_cast<Start*>(data);
  s->messages.push_back(message);
  if (message == BFFM_INITIALIZED) {
    SendMessageA(window, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(s->folder.c_str()));
    SendMessageA(window, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>("Pick a folder"));
  }
  return 0;
}

std::string PathAndFree(PIDLIST_ABSOLUTE list) {
  char path[MAX_PATH] = {};
  const BOOL ok = SHGetPathFromIDListA(list, path);
  LPMALLOC allocator = nullptr;
  if (list && SHGetMalloc(&allocator) == S_OK) {
    allocator->Free(list);
    allocator->Release();
  }
  return ok ? path : "<none>";
}

BROWSEINFOA Request(Start& start, char* display) {
  BROWSEINFOA info{};
  info.pszDisplayName = display;
  info.lpszTitle = "Find Resource Location";
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  info.lpfn = StartAt;
  info.lParam = reinterpret_cast<LPARAM>(&start);
  return info;
}

HWND List(HWND dialog) { return GetDlgItem(dialog, TAV_FOLDER_LIST); }

std::vector<std::u16string> Rows(HWND dialog) {
  std::vector<std::u16string> rows;
  for (LRESULT i = 0; i < SendMessageW(List(dialog), LB_GETCOUNT, 0, 0); ++i) {
    WCHAR text[300];
    SendMessageW(List(dialog), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    rows.emplace_back(text);
  }
  return rows;
}

TEST(FolderBrowser, StartsAtTheFolderTheCallbackSelectsAndReturnsIt) {
  TempFolder temp;
  temp.Folder("Labels/Shipping");
  Start start{temp.path() + "/Labels", {}};
  char display[MAX_PATH] = {};
  BROWSEINFOA info = Request(start, display);
  std::vector<std::u16string> rows;
  std::u16string status;
  Next([&](HWND dialog) {
    rows = Rows(dialog);
    status = comdlgtest::Text(GetDlgItem(dialog, TAV_FOLDER_STATUS));
    ClickItem(dialog, IDOK);
  });
  EXPECT_EQ(PathAndFree(SHBrowseForFolderA(&info)), temp.path() + "/Labels");
  EXPECT_EQ(std::string(display), "Labels");
  ASSERT_GE(start.messages.size(), 2u);
  EXPECT_EQ(start.messages[0], BFFM_INITIALIZED);
  EXPECT_EQ(start.messages[1], BFFM_SELCHANGED);
  EXPECT_EQ(status, u"Pick a folder");
  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(rows.front(), u"File System");
  EXPECT_EQ(rows[rows.size() - 2], u"Labels");
  EXPECT_EQ(rows.back(), u"Shipping") << "the chosen folder's sub-folders follow it";
}

TEST(FolderBrowser, AClickOpensASubFolderAndTheKeyboardMovesAndAccepts) {
  TempFolder temp;
  temp.Folder("Root/Alpha/Inner");
  temp.Folder("Root/Beta");
  temp.File("Root/not a folder.txt");
  Start start{temp.path() + "/Root", {}};
  char display[MAX_PATH] = {};
  BROWSEINFOA info = Request(start, display);
  std::vector<std::u16string> afterClick;
  Next([&](HWND dialog) {
    const std::vector<std::u16string> rows = Rows(dialog);
    const int beta = static_cast<int>(std::find(rows.begin(), rows.end(), u"Beta") - rows.begin());
    RECT r{};
    SendMessageW(List(dialog), LB_GETITEMRECT, static_cast<WPARAM>(beta), reinterpret_cast<LPARAM>(&r));
    uitest::Click(List(dialog), POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    afterClick = Rows(dialog);
    // Back up to Root, down onto Alpha, into its Inner, and Enter.
    QueueKey(VK_BACK);
    QueueKey(VK_DOWN);
    QueueKey(VK_DOWN);
    QueueKey(VK_RETURN);
  });
  EXPECT_EQ(PathAndFree(SHBrowseForFolderA(&info)), temp.path() + "/Root/Alpha/Inner");
  EXPECT_EQ(afterClick.back(), u"Beta") << "Beta has no sub-folders; files are not listed";
  EXPECT_EQ(std::string(display), "Inner");
}

TEST(FolderBrowser, CancelReturnsNoList) {
  Start start{"/", {}};
  char display[MAX_PATH] = {'x', 0};
  BROWSEINFOA info = Request(start, display);
  Next([](HWND dialog) { ClickItem(dialog, IDCANCEL); });
  EXPECT_EQ(SHBrowseForFolderA(&info), nullptr);
  EXPECT_EQ(std::string(display), "x");
}

TEST(FolderBrowser, ItemListsAndTheirPathsStayWithinTheirBounds) {
  TempFolder temp;
  const std::string longName(150, 'n');
  temp.Folder(longName + "/" + longName);
  const std::u16string deep = temp.wide() + u"/" + comdlgtest::Wide(longName) + u"/" + comdlgtest::Wide(longName);
  const PIDLIST_ABSOLUTE list = ILCreateFromPathW(deep.c_str());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ILGetSize(list), sizeof(USHORT) + comdlgtest::Utf8(deep).size() + 1 + sizeof(USHORT));
  WCHAR path[MAX_PATH];
  path[0] = u'q';
  EXPECT_FALSE(SHGetPathFromIDListW(list, path)) << "a path longer than MAX_PATH does not fit";
  EXPECT_EQ(path[0], 0);
  CoTaskMemFree(list);
  EXPECT_EQ(ILCreateFromPathA("/no/such/folder/here"), nullptr);
  const PIDLIST_ABSOLUTE home = ILCreateFromPathW(temp.wide().c_str());
  ASSERT_TRUE(SHGetPathFromIDListW(home, path));
  EXPECT_EQ(std::u16string(path), temp.wide());
  ILFree(home);
}

TEST(FolderBrowserPictures, Picker) {
  TempFolder temp;
  temp.Folder("Labels/Shipping");
  temp.Folder("Labels/Pallets");
  temp.Folder("Labels/Retail");
  Start start{temp.path() + "/Labels", {}};
  char display[MAX_PATH] = {};
  BROWSEINFOA info = Request(start, display);
  bool saved = false;
  Next([&](HWND dialog) {
    uitest::RunUntilIdle();
    saved = uitest::SaveWindowPng(dialog, comdlgtest::PicturePath("folder_picker.png"));
    ClickItem(dialog, IDCANCEL);
  });
  SHBrowseForFolderA(&info);
  EXPECT_TRUE(saved);
}

}  // namespace
