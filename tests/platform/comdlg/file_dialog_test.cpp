// The open and save dialog driven as a person would: typing a name, clicking
// through folders, the keyboard alone, multiple selection, the overwrite
// prompt, names with spaces and beyond ASCII, filters, hidden files, sorting
// and places; and the caller's buffers never written past their sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tests/platform/comdlg/comdlg_test_util.h"

namespace {

using comdlgtest::ClickItem;
using comdlgtest::Next;
using comdlgtest::QueueKey;
using comdlgtest::TempFolder;
using comdlgtest::TypeInto;

constexpr WCHAR kFilter[] = u"Barcode Layout\0*.bcd\0Text\0*.txt\0All files (*.*)\0*.*\0";

struct Call {
  std::vector<WCHAR> file = std::vector<WCHAR>(512, 0);
  std::vector<WCHAR> title = std::vector<WCHAR>(128, 0);
  std::u16string folder;
  OPENFILENAMEW ofn{};
  Call(const TempFolder& temp, DWORD flags) : folder(temp.wide()) {
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = kFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrFileTitle = title.data();
    ofn.nMaxFileTitle = static_cast<DWORD>(title.size());
    ofn.lpstrInitialDir = folder.c_str();
    ofn.Flags = flags | OFN_EXPLORER;
  }
  std::u16string path() const { return file.data(); }
};

HWND List(HWND dialog) { return GetDlgItem(dialog, lst2); }

std::vector<std::u16string> Rows(HWND dialog) { return comdlgtest::FileRows(dialog); }
int RowOf(HWND dialog, std::u16string_view name) { return comdlgtest::FileRowOf(dialog, name); }
POINT RowCentre(HWND dialog, int row) { return comdlgtest::FileRowCentre(dialog, row); }

void ClickRow(HWND dialog, std::u16string_view name) {
  const int row = RowOf(dialog, name);
  ASSERT_GE(row, 0) << comdlgtest::Utf8(name);
  uitest::Click(List(dialog), RowCentre(dialog, row));
}

void DoubleClickRow(HWND dialog, std::u16string_view name) {
  const int row = RowOf(dialog, name);
  ASSERT_GE(row, 0) << comdlgtest::Utf8(name);
  uitest::DoubleClick(List(dialog), RowCentre(dialog, row));
}

TEST(FileDialog, OpensAFileByTypingItsName) {
  TempFolder temp;
  temp.File("label one.bcd", 10);
  temp.File("two.bcd");
  temp.File("notes.txt");
  Call call(temp, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY);
  Next([](HWND dialog) {
    TypeInto(dialog, edt1, u"label one.bcd");
    ClickItem(dialog, IDOK);
  });
  ASSERT_TRUE(GetOpenFileNameW(&call.ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_EQ(call.path(), call.folder + u"/label one.bcd");
  EXPECT_EQ(std::u16string(call.title.data()), u"label one.bcd");
  EXPECT_EQ(call.ofn.nFileOffset, call.folder.size() + 1);
  EXPECT_EQ(call.ofn.nFileExtension, call.folder.size() + 1 + 10);
  EXPECT_EQ(call.ofn.nFilterIndex, 1u);
}

TEST(FileDialog, ShowsTheFilterMatchesFoldersFirstAndNoHiddenFiles) {
  TempFolder temp;
  temp.File("b.bcd");
  temp.File("A.bcd");
  temp.File(".hidden.bcd");
  temp.File("notes.txt");
  temp.Folder("zeta");
  temp.Folder(".cache");
  Call call(temp, 0);
  std::vector<std::u16string> barcode, all;
  Next([&](HWND dialog) {
    barcode = Rows(dialog);
    const HWND types = GetDlgItem(dialog, cmb1);
    SendMessageW(types, CB_SETCURSEL, 2, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
    all = Rows(dialog);
    ClickItem(dialog, IDCANCEL);
  });
  EXPECT_FALSE(GetOpenFileNameW(&call.ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u) << "cancelling is no failure";
  EXPECT_EQ(barcode, (std::vector<std::u16string>{u"zeta", u"A.bcd", u"b.bcd"}));
  EXPECT_EQ(all, (std::vector<std::u16string>{u"zeta", u"A.bcd", u"b.bcd", u"notes.txt"}));
  EXPECT_EQ(call.file[0], 0) << "a cancelled dialog leaves the buffer alone";
}

TEST(FileDialog, SortsByNameSizeAndDateFromTheColumnHeads) {
  TempFolder temp;
  temp.File("middle.bcd", 500, 200);
  temp.File("big.bcd", 3000, 100);
  temp.File("small.bcd", 10, 300);
  Call call(temp, 0);
  // Clicks a double-click time apart: a second click sooner is a double
  // click on the head, which does not sort again.
  uitest::VirtualClock clock;
  std::vector<std::vector<std::u16string>> orders;
  Next([&](HWND dialog) {
    orders.push_back(Rows(dialog));
    comdlgtest::ClickFileColumn(dialog, 1);
    orders.push_back(Rows(dialog));
    uitest::MoveClock(GetDoubleClickTime() + 1);
    comdlgtest::ClickFileColumn(dialog, 1);
    orders.push_back(Rows(dialog));
    uitest::MoveClock(GetDoubleClickTime() + 1);
    comdlgtest::ClickFileColumn(dialog, 3);
    orders.push_back(Rows(dialog));
    ClickItem(dialog, IDCANCEL);
  });
  GetOpenFileNameW(&call.ofn);
  ASSERT_EQ(orders.size(), 4u);
  EXPECT_EQ(orders[0], (std::vector<std::u16string>{u"big.bcd", u"middle.bcd", u"small.bcd"})) << "by name";
  EXPECT_EQ(orders[1], (std::vector<std::u16string>{u"small.bcd", u"middle.bcd", u"big.bcd"})) << "by size";
  EXPECT_EQ(orders[2], (std::vector<std::u16string>{u"big.bcd", u"middle.bcd", u"small.bcd"})) << "size, reversed";
  EXPECT_EQ(orders[3], (std::vector<std::u16string>{u"small.bcd", u"middle.bcd", u"big.bcd"})) << "oldest first";
}

TEST(FileDialog, OpensAFileByClickingThroughFolders) {
  TempFolder temp;
  temp.Folder("first/second");
  temp.File("first/second/deep.bcd");
  temp.File("top.bcd");
  Call call(temp, OFN_FILEMUSTEXIST);
  Next([](HWND dialog) {
    DoubleClickRow(dialog, u"first");
    DoubleClickRow(dialog, u"second");
    ClickRow(dialog, u"deep.bcd");
    EXPECT_EQ(comdlgtest::Text(GetDlgItem(dialog, edt1)), u"deep.bcd") << "a click puts the name in the name box";
    ClickItem(dialog, IDOK);
  });
  ASSERT_TRUE(GetOpenFileNameW(&call.ofn));
  EXPECT_EQ(call.path(), call.folder + u"/first/second/deep.bcd");
}

TEST(FileDialog, OpensAFileWithTheKeyboardAlone) {
  TempFolder temp;
  temp.Folder("sub");
  temp.File("sub/inner.bcd");
  temp.File("top.bcd");
  Call call(temp, OFN_FILEMUSTEXIST);
  Next([](HWND) {
    // From the name box back to the list, into the folder, up again with
    // Backspace, back in, and Enter on the file.
    QueueKey(VK_TAB, true);
    QueueKey(VK_DOWN);
    QueueKey(VK_RETURN);
    QueueKey(VK_BACK);
    QueueKey(VK_HOME);
    QueueKey(VK_RETURN);
    QueueKey(VK_DOWN);
    QueueKey(VK_RETURN);
  });
  ASSERT_TRUE(GetOpenFileNameW(&call.ofn));
  EXPECT_EQ(call.path(), call.folder + u"/sub/inner.bcd");
}

TEST(FileDialog, TypedFolderOrPathMovesThereAndTypedWildcardFilters) {
  TempFolder temp;
  temp.Folder("docs");
  temp.File("docs/a.bcd");
  temp.File("docs/b.txt");
  Call call(temp, 0);
  std::u16string lookIn;
  std::vector<std::u16string> rows;
  Next([&](HWND dialog) {
    TypeInto(dialog, edt1, u"docs/");
    ClickItem(dialog, IDOK);
    TypeInto(dialog, edt1, u"*.txt");
    ClickItem(dialog, IDOK);
    rows = Rows(dialog);
    lookIn = comdlgtest::Text(GetDlgItem(dialog, cmb2));
    TypeInto(dialog, edt1, u"b.txt");
    ClickItem(dialog, IDOK);
  });
  ASSERT_TRUE(GetOpenFileNameW(&call.ofn));
  EXPECT_EQ(rows, (std::vector<std::u16string>{u"b.txt"}));
  EXPECT_NE(lookIn.find(u"docs"), std::u16string::npos);
  EXPECT_EQ(call.path(), call.folder + u"/docs/b.txt");
}

TEST(FileDialog, SaveAddsTheDefaultExtensionAndFlagsADifferentOne) {
  TempFolder temp;
  Call call(temp, OFN_OVERWRITEPROMPT);
  call.ofn.lpstrDefExt = u"bcd";
  Next([](HWND dialog) {
    TypeInto(dialog, edt1, u"report");
    ClickItem(dialog, IDOK);
  });
  ASSERT_TRUE(GetSaveFileNameW(&call.ofn));
  EXPECT_EQ(call.path(), call.folder + u"/report.bcd");
  EXPECT_FALSE(call.ofn.Flags & OFN_EXTENSIONDIFFERENT);
  Call other(temp, 0);
  other.ofn.lpstrDefExt = u"bcd";
  Next([](HWND dialog) {
    TypeInto(dialog, edt1, u"report.txt");
    ClickItem(dialog, IDOK);
  });
  ASSERT_TRUE(GetSaveFileNameW(&other.ofn));
  EXPECT_EQ(other.path(), other.folder + u"/report.txt");
  EXPECT_TRUE(other.ofn.Flags & OFN_EXTENSIONDIFFERENT);
}

TEST(FileDialog, OverwritePromptKeepsTheDialogOnNoAndAcceptsOnYes) {
  TempFolder temp;
  temp.File("exists.bcd", 4);
  Call call(temp, OFN_OVERWRITEPROMPT);
  std::vector<std::u16string> prompts;
  bool openAfterNo = false;
  Next([&](HWND dialog) {
    TypeInto(dialog, edt1, u"exists.bcd");
    Next([&](HWND box) {
      std::u16string texts;
      for (HWND w = GetWindow(box, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) texts += comdlgtest::Text(w) + u"|";
      prompts.push_back(texts);
      ClickItem(box, IDNO);
    });
    ClickItem(dialog, IDOK);
    openAfterNo = IsWindow(dialog) && IsWindowVisible(dialog);
    Next([&](HWND box) {
      prompts.push_back(u"second");
      ClickItem(box, IDYES);
    });
    ClickItem(dialog, IDOK);
  });
  ASSERT_TRUE(GetSaveFileNameW(&call.ofn));
  EXPECT_TRUE(openAfterNo);
  ASSERT_EQ(prompts.size(), 2u);
  EXPECT_NE(prompts[0].find(u"exists.bcd already exists"), std::u16string::npos) << comdlgtest::Utf8(prompts[0]);
  EXPECT_EQ(call.path(), call.folder + u"/exists.bcd");
}

TEST(FileDialog, FileMustExistRefusesAMissingName) {
  TempFolder temp;
  Call call(temp, OFN_FILEMUSTEXIST);
  int boxes = 0;
  Next([&](HWND dialog) {
    TypeInto(dialog, edt1, u"missing.bcd");
    Next([&](HWND box) {
      ++boxes;
      ClickItem(box, IDOK);
    });
    ClickItem(dialog, IDOK);
    ClickItem(dialog, IDCANCEL);
  });
  EXPECT_FALSE(GetOpenFileNameW(&call.ofn));
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST(FileDialog, MultipleSelectionFillsTheListForm) {
  TempFolder temp;
  temp.File("a.bcd");
  temp.File("b.bcd");
  temp.File("c.bcd");
  Call call(temp, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST);
  std::u16string nameBox;
  Next([&](HWND dialog) {
    ClickRow(dialog, u"a.bcd");
    uitest::KeyDown(VK_CONTROL);
    ClickRow(dialog, u"c.bcd");
    uitest::KeyUp(VK_CONTROL);
    uitest::RunUntilIdle();
    nameBox = comdlgtest::Text(GetDlgItem(dialog, edt1));
    ClickItem(dialog, IDOK);
  });
  ASSERT_TRUE(GetOpenFileNameW(&call.ofn));
  EXPECT_EQ(nameBox, u"\"a.bcd\" \"c.bcd\"");
  const std::u16string expected = call.folder + u'\0' + u"a.bcd" + u'\0' + u"c.bcd" + u'\0' + u'\0';
  EXPECT_EQ(std::u16string(call.file.data(), expected.size()), expected);
  EXPECT_EQ(call.ofn.nFileOffset, call.folder.size() + 1);
}

TEST(FileDialog, NamesWithSpacesAndBeyondAsciiInBothEncodings) {
  TempFolder temp;
  temp.File("Étiquette été 2024.bcd");
  temp.File("日本語 ラベル.bcd");
  Call call(temp, OFN_FILEMUSTEXIST);
  Next([](HWND dialog) {
    ClickRow(dialog, u"日本語 ラベル.bcd");
    ClickItem(dialog, IDOK);
  });
  ASSERT_TRUE(GetOpenFileNameW(&call.ofn));
  EXPECT_EQ(call.path(), call.folder + u"/日本語 ラベル.bcd");

  // An A caller gets the name in its code page (1252 here)...
  const std::string folder = temp.path();
  char file[300] = {};
  OPENFILENAMEA a{};
  a.lStructSize = sizeof a;
  a.lpstrFilter = "Barcode Layout\0*.bcd\0";
  a.lpstrFile = file;
  a.nMaxFile = sizeof file;
  a.lpstrInitialDir = folder.c_str();
  a.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST;
  Next([](HWND dialog) {
    TypeInto(dialog, edt1, u"Étiquette été 2024.bcd");
    ClickItem(dialog, IDOK);
  });
  ASSERT_TRUE(GetOpenFileNameA(&a));
  EXPECT_EQ(std::string(file), folder + "/\xC9tiquette \xE9t\xE9 2024.bcd");
  EXPECT_EQ(a.nFileOffset, folder.size() + 1);
  // ...and a name it cannot spell is refused, not handed over mangled.
  std::fill(std::begin(file), std::end(file), '\0');
  Next([](HWND dialog) {
    ClickRow(dialog, u"日本語 ラベル.bcd");
    ClickItem(dialog, IDOK);
  });
  EXPECT_FALSE(GetOpenFileNameA(&a));
  EXPECT_EQ(CommDlgExtendedError(), FNERR_INVALIDFILENAME);
  EXPECT_EQ(file[0], '\0');
}

TEST(FileDialog, PlacesAreHomeTheXdgFoldersAndTheRoot) {
  TempFolder temp;
  temp.Folder(".config");
  temp.Folder("Docs Here");
  temp.File("Docs Here/in docs.bcd");
  {
    std::FILE* dirs = std::fopen((temp.path() + "/.config/user-dirs.dirs").c_str(), "w");
    std::fputs("# written by the test\nXDG_DOCUMENTS_DIR=\"$HOME/Docs Here\"\nXDG_MUSIC_DIR=\"$HOME/NoSuch\"\n"
               "XDG_DESKTOP_DIR=\"$HOME/\"\n", dirs);
    std::fclose(dirs);
  }
  const char* oldHome = std::getenv("HOME");
  const std::string savedHome = oldHome ? oldHome : "";
  const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
  const std::string savedConfig = oldConfig ? oldConfig : "";
  setenv("HOME", temp.path().c_str(), 1);
  unsetenv("XDG_CONFIG_HOME");
  Call call(temp, 0);
  call.ofn.lpstrInitialDir = u"/";
  std::vector<std::u16string> places;
  Next([&](HWND dialog) {
    const HWND list = GetDlgItem(dialog, ctl1);
    for (LRESULT i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
      WCHAR text[128];
      SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      places.emplace_back(text);
    }
    RECT row{};
    SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    uitest::Click(list, POINT{(row.left + row.right) / 2, (row.top + row.bottom) / 2});
    ClickRow(dialog, u"in docs.bcd");
    ClickItem(dialog, IDOK);
  });
  const BOOL chosen = GetOpenFileNameW(&call.ofn);
  if (oldHome) setenv("HOME", savedHome.c_str(), 1);
  else unsetenv("HOME");
  if (oldConfig) setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(places, (std::vector<std::u16string>{u"Home", u"Documents", u"File System"}));
  EXPECT_EQ(call.path(), call.folder + u"/Docs Here/in docs.bcd");
}

// --- The caller's buffers -----------------------------------------------------

TEST(FileDialogBuffers, APathThatDoesNotFitIsRefusedWithTheNeededSize) {
  TempFolder temp;
  temp.File("a rather long file name.bcd");
  Call call(temp, 0);
  constexpr WCHAR kSentinel = 0x7777;
  std::fill(call.file.begin(), call.file.end(), kSentinel);
  const std::u16string expected = call.folder + u"/a rather long file name.bcd";
  call.ofn.nMaxFile = static_cast<DWORD>(expected.size());  // one short: no room for the zero
  Next([](HWND dialog) {
    TypeInto(dialog, edt1, u"a rather long file name.bcd");
    ClickItem(dialog, IDOK);
  });
  EXPECT_FALSE(GetOpenFileNameW(&call.ofn));
  EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
  WORD needed = 0;
  std::memcpy(&needed, call.file.data(), sizeof needed);
  EXPECT_EQ(needed, expected.size() + 1);
  EXPECT_TRUE(std::all_of(call.file.begin() + 1, call.file.end(), [](WCHAR c) { return c == kSentinel; }))
      << "nothing but the size is written";
  EXPECT_EQ(call.title[0], 0);
}

TEST(FileDialogBuffers, ATitleThatDoesNotFitIsRefusedToo) {
  TempFolder temp;
  temp.File("twelve.bcd");
  Call call(temp, 0);
  call.ofn.nMaxFileTitle = 10;  // "twelve.bcd" and its zero need 11
  std::fill(call.file.begin(), call.file.end(), u'#');
  Next([](HWND dialog) {
    TypeInto(dialog, edt1, u"twelve.bcd");
    ClickItem(dialog, IDOK);
  });
  EXPECT_FALSE(GetOpenFileNameW(&call.ofn));
  EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
  WORD needed = 0;
  std::memcpy(&needed, call.title.data(), sizeof needed);
  EXPECT_EQ(needed, 11);
  EXPECT_EQ(call.file[0], u'#') << "the path is not written when the title cannot be";
}

TEST(FileDialogBuffers, AnAnsiMultipleSelectionCountsBytes) {
  TempFolder temp;
  temp.File("\xC3\xA9t\xC3\xA9.bcd");  // "été.bcd"
  temp.File("x.bcd");
  const std::string folder = temp.path();
  std::vector<char> file(folder.size() + 1 + 8 + 6, '@');  // two bytes short of the list
  OPENFILENAMEA a{};
  a.lStructSize = sizeof a;
  a.lpstrFile = file.data();
  a.nMaxFile = static_cast<DWORD>(file.size());
  a.lpstrInitialDir = folder.c_str();
  a.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT;
  Next([](HWND dialog) {
    TypeInto(dialog, edt1, u"\"été.bcd\" \"x.bcd\"");
    ClickItem(dialog, IDOK);
  });
  EXPECT_FALSE(GetOpenFileNameA(&a));
  EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
  WORD needed = 0;
  std::memcpy(&needed, file.data(), sizeof needed);
  EXPECT_EQ(needed, folder.size() + 1 + 8 + 6 + 1) << "folder, \"\\xE9t\\xE9.bcd\", \"x.bcd\", each with a zero, and one more";
  EXPECT_TRUE(std::all_of(file.begin() + 2, file.end(), [](char c) { return c == '@'; }));
}

TEST(FileDialogBuffers, BadStructuresFailWithTheirErrors) {
  OPENFILENAMEW ofn{};
  ofn.lStructSize = 12;
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
  ofn.lStructSize = sizeof ofn;
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), CDERR_INITIALIZATION) << "no file buffer";
  WCHAR file[8] = {};
  ofn.lpstrFile = file;
  ofn.nMaxFile = 8;
  ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), CDERR_NOHOOK);
}

TEST(FileDialogPictures, OpenDialog) {
  TempFolder temp;
  temp.Folder("Archive");
  temp.Folder("Shipping labels");
  temp.File("Pallet 0001.bcd", 18342, 3600);
  temp.File("Pallet 0002.bcd", 20111, 7200);
  temp.File("Étiquette été.bcd", 920, 86400);
  temp.File("readme.txt", 120, 600);
  Call call(temp, OFN_FILEMUSTEXIST);
  bool saved = false;
  Next([&](HWND dialog) {
    ClickRow(dialog, u"Pallet 0002.bcd");
    uitest::RunUntilIdle();
    saved = uitest::SaveWindowPng(dialog, comdlgtest::PicturePath("file_open_dialog.png"));
    ClickItem(dialog, IDCANCEL);
  });
  GetOpenFileNameW(&call.ofn);
  EXPECT_TRUE(saved);
}

}  // namespace
