// The history combo box: its history files as a table of cases, the file
// paths it forgets, its item drawing and its widening list.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/controls/mru_combo.h"
#include "app/controls/mru_history.h"
#include "controls_test_util.h"
#include "platform/testing/png_writer.h"
#include "platform/testing/ui.h"
#include "platform/user/dialogs/dialogs.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

struct ComboFixture {
  ctltest::Scratch scratch;
  ctltest::CRecordingParent parent{400, 300};
  CMruComboBox combo;
  ComboFixture(const char* key, int maximum, const std::string& fileBefore, bool withFile = true) {
    if (withFile) WriteFile(scratch / (std::string("combomru") + (key && *key ? key : "temp") + ".bin"), fileBefore);
    combo.m_folder = scratch.path();
    combo.m_maxEntries = maximum;
    combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL,
                 CRect(10, 10, 210, 200), &parent, 601);
    combo.Init(key, 18);
  }
  std::vector<std::string> Items() const {
    std::vector<std::string> out;
    for (int i = 0; i < combo.GetCount(); ++i) {
      AString text;
      combo.GetItemText(i, text);
      out.emplace_back(text.GetData(), static_cast<size_t>(text.GetLength()));
    }
    return out;
  }
};

struct HistoryCase {
  const char* why;
  const char* key;
  int maximum;
  const char* fileBefore;  // null: no file
  std::vector<const char*> added;
  std::vector<std::string> items;
  const char* fileAfter;  // null: no file
};

TEST(HistoryCombo, HistoryFilesTable) {
  const HistoryCase cases[] = {
      {"a missing file leaves the combo empty", "ImgLst", 4, nullptr, {}, {}, nullptr},
      {"entries load most recent first", "ImgLst", 4, "/a.png\r\n/b.png\r\n", {}, {"/a.png", "/b.png"},
       "/a.png\r\n/b.png\r\n"},
      {"adding writes the new one first with CR LF", "ImgLst", 4, "/a.png\r\n", {"/b.png"}, {"/b.png", "/a.png"},
       "/b.png\r\n/a.png\r\n"},
      {"an entry already there moves to the top, as last added", "FindDbText", 16, "One\r\nTwo\r\nThree\r\n",
       {"TWO"}, {"TWO", "One", "Three"}, "TWO\r\nOne\r\nThree\r\n"},
      {"a fifth distinct entry drops the oldest", "BcdFileLst", 4, "4\r\n3\r\n2\r\n1\r\n", {"5"},
       {"5", "4", "3", "2"}, "5\r\n4\r\n3\r\n2\r\n"},
      {"blank lines and bare line feeds load without empty entries", "TxtFileLst", 16, "a\n\n\r\nb\r\n\r\n", {},
       {"a", "b"}, "a\n\n\r\nb\r\n\r\n"},
      {"loading stops after the maximum of non-empty lines", "TxtFileLst", 2, "\r\na\r\n\r\nb\r\nc\r\n", {},
       {"a", "b"}, "\r\na\r\n\r\nb\r\nc\r\n"},
      {"an empty text is not added and the file stays", "ImgLst", 4, "a\r\n", {""}, {"a"}, "a\r\n"},
      {"the key nomru switches history off", "nomru", 4, nullptr, {"typed"}, {"typed"}, nullptr},
      {"an empty key uses the file of key temp", "", 4, "kept\r\n", {"new"}, {"new", "kept"}, "new\r\nkept\r\n"},
  };
  for (const HistoryCase& c : cases) {
    ComboFixture f(c.key, c.maximum, c.fileBefore ? c.fileBefore : "", c.fileBefore != nullptr);
    if (!c.fileBefore) {
      EXPECT_EQ(f.combo.GetCurSel(), CB_ERR) << c.why << ": nothing selected";
    }
    for (const char* text : c.added) EXPECT_EQ(f.combo.AddToHistory(text), *text ? 1 : 0) << c.why;
    EXPECT_EQ(f.Items(), c.items) << c.why;
    const std::string path = f.combo.HistoryPath();
    if (c.fileAfter) {
      EXPECT_EQ(ReadFile(path), c.fileAfter) << c.why;
    } else {
      EXPECT_NE(::access(path.c_str(), F_OK), 0) << c.why << ": no history file";
    }
  }
}

TEST(HistoryCombo, AFullLengthEntryReloadsAsOneEntry) {
  const std::string entry(kHistoryEntryLimit, 'x');
  const std::string longer(kHistoryEntryLimit + 100, 'y');
  ctltest::Scratch scratch;
  {
    ComboFixture f("FindDbText", 16, "", false);
    f.combo.m_folder = scratch.path();
    f.combo.AddToHistory(longer.c_str());
    f.combo.AddToHistory(entry.c_str());
  }
  ComboFixture g("FindDbText", 16, "", false);
  g.combo.m_folder = scratch.path();
  g.combo.ResetContent();
  g.combo.Init("FindDbText", 18);
  EXPECT_EQ(g.Items(), (std::vector<std::string>{entry, std::string(kHistoryEntryLimit, 'y')}))
      << "each entry whole, the longer one cut to the limit";
}

TEST(HistoryCombo, AMissingFileIsReportedOnceAndForgotten) {
  ctltest::Scratch scratch;
  const std::string present = scratch / "present.bcd";
  WriteFile(present, "x");
  const std::string history = "/nonexistent/gone.bcd\r\n" + present + "\r\n";
  ComboFixture f("BcdFileLst", 4, history);
  f.combo.m_checkFiles = 1;
  int boxes = 0;
  user::SetModalDialogHook(
      [](HWND box, void* context) {
        ++*static_cast<int*>(context);
        PostMessageW(GetFocus() ? GetFocus() : box, WM_KEYDOWN, VK_RETURN, 0);
      },
      &boxes);
  f.combo.SetCurSel(0);
  f.combo.ShowDropDown(TRUE);
  f.combo.ShowDropDown(FALSE);
  user::SetModalDialogHook(nullptr, nullptr);
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(f.Items(), (std::vector<std::string>{present}));
  EXPECT_EQ(f.combo.GetCurSel(), 0);
  EXPECT_EQ(ReadFile(f.combo.HistoryPath()), present + "\r\n");
  // The file that exists stays without a word.
  f.combo.ShowDropDown(TRUE);
  f.combo.ShowDropDown(FALSE);
  EXPECT_EQ(boxes, 1);
}

TEST(HistoryCombo, ItemTextsAndSelections) {
  ComboFixture f("NoMRU", 16, "", false);
  AString unchanged("kept");
  f.combo.GetItemText(-1, unchanged);
  EXPECT_STREQ(unchanged.GetData(), "kept") << "no selection: nothing written";
  f.combo.AddString("Alpha");
  f.combo.AddString("Beta");
  EXPECT_EQ(f.combo.SelectText("beta", 0), 1) << "the exact search ignores case";
  EXPECT_EQ(f.combo.SelectText("Gamma", 0), 0) << "not found: the default";
  f.combo.SetItemData(1, 77);
  EXPECT_EQ(f.combo.FindItemData(77), 1);
  EXPECT_EQ(f.combo.FindItemData(78), -1);
  // UTF-16 items: the item list is the source, a prefix of bytes matches.
  CMruComboBox wide;
  wide.m_codePage = 1200;
  ASSERT_TRUE(wide.Create(WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, CRect(0, 0, 100, 100),
                          &f.parent, 602));
  const AString first(6, "a\0b\0c\0"), second(4, "x\0y\0");
  EXPECT_EQ(wide.AddListString(first), 0);
  EXPECT_EQ(wide.AddListString(second), 1);
  EXPECT_EQ(wide.SelectText(AString(2, "x\0"), -1), 1);
  AString got;
  wide.GetText(got);
  EXPECT_EQ(got.GetLength(), 4) << "the item list's entry of the selection";
  AString item;
  wide.GetItemText(-1, item);
  EXPECT_TRUE(item.IsWide());
  EXPECT_EQ(item.GetLength(), 4);
  wide.ResetContent();
  EXPECT_TRUE(wide.m_items.empty());
  EXPECT_EQ(wide.m_dropWidth, 0);
}

TEST(HistoryCombo, TheListWidensToItsWidestEntry) {
  ComboFixture f("NoMRU", 16, "", false);
  f.combo.AddToHistory("short");
  f.combo.AddToHistory("A rather long entry of the history that is wider than the combo box itself, by far");
  const int widest = f.combo.m_dropWidth;
  EXPECT_GT(widest, 200);
  f.combo.ShowDropDown(TRUE);
  EXPECT_EQ(f.combo.SendMessage(CB_GETDROPPEDWIDTH), widest);
  f.combo.ShowDropDown(FALSE);
}

TEST(HistoryCombo, PictureOfTheHistoryWithItsEditTakenOver) {
  ComboFixture f("ImgLst", 4, "/home/user/pictures/logo.png\r\n/srv/labels/box.bmp\r\n");
  uitest::RunUntilIdle();
  EXPECT_EQ(f.combo.m_editTakenOver, 1);
  EXPECT_EQ(f.combo.m_edit.m_inCombo, 1);
  f.combo.ShowDropDown(TRUE);
  uitest::RunUntilIdle();
  EXPECT_TRUE(uitest::SaveScreenPng(tavtest::BuildFolderPng("app_history_combo")));
  f.combo.ShowDropDown(FALSE);
}

}  // namespace

namespace {

TEST(HistoryCombo, HistoryLivesInThePerUserFolder) {
  ctltest::Scratch scratch;
  const char* before = std::getenv("XDG_DATA_HOME");
  const std::string saved = before ? before : "";
  ::setenv("XDG_DATA_HOME", scratch.path().c_str(), 1);
  CMruComboBox combo;
  EXPECT_EQ(combo.m_folder, scratch.path() + "Zorvik/");
  if (before) {
    ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
  } else {
    ::unsetenv("XDG_DATA_HOME");
  }
}

}  // namespace
