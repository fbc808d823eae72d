// The counter files and text data files dialogs driven as a person would,
// over files in a scratch folder: counters added, edited, refused and
// deleted with their bytes checked; text files read in their marks' forms
// and in the chosen language, edited and written back in their own form;
// a delete that fails keeps its row; pictures in English and Chinese.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "datasource/data_folders.h"
#include "datasource/ui/files/counter_files_dlg.h"
#include "datasource/ui/files/data_file_edit_dlg.h"
#include "datasource/ui/files/files_ids.h"
#include "datasource/ui/files/text_files_dlg.h"
#include "panel_test_support.h"
#include "tests/scratch_folder.h"

namespace {

using apptest::DialogScript;
using apptest::LanguageScope;
using apptest::Press;
using dsui_test::ItemText;
using dsui_test::ShownText;
using dsui_test::ToUtf8;
using dsui_test::TypeInto;

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Le32(uint32_t n) {
  return std::string{static_cast<char>(n & 0xFF), static_cast<char>(n >> 8 & 0xFF), static_cast<char>(n >> 16 & 0xFF),
                     static_cast<char>(n >> 24)};
}

std::string Utf16Le(std::u16string_view text) {
  std::string out;
  for (char16_t unit : text) out += std::string{static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  return out;
}

std::string Utf16Be(std::u16string_view text) {
  std::string out;
  for (char16_t unit : text) out += std::string{static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
  return out;
}

// A counter file as its format lays it out: the magic, the value and the
// UTF-16 description, each length-prefixed.
std::string CounterBytes(const std::string& value, std::u16string_view description) {
  const std::string text = Utf16Le(description);
  return "CNTR0001" + Le32(static_cast<uint32_t>(value.size())) + value + Le32(static_cast<uint32_t>(text.size())) +
         text;
}

void Select(HWND dialog, int row) {
  HWND list = ::GetDlgItem(dialog, IDC_FILE_LIST);
  ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
  ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FILE_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  uitest::RunUntilIdle();
}

std::vector<std::string> Rows(const CLikelyDbListDlg& dlg) {
  std::vector<std::string> rows;
  for (int i = 0; i < dlg.m_list.GetCount(); ++i) rows.emplace_back(dlg.m_list.GetRowText(i).GetData());
  return rows;
}

bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != 0; }

class FilesDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDataFolder(DataFolder::kCounters, folder.path().c_str());
    SetDataFolder(DataFolder::kTextFiles, folder.path().c_str());
  }
  void TearDown() override {
    SetDataFolder(DataFolder::kCounters, "");
    SetDataFolder(DataFolder::kTextFiles, "");
    CWnd::DeleteTempMap();
  }
  std::string Path(const std::string& name) const { return folder / name; }
  testfs::ScratchFolder folder{"files-dialogs"};
};

TEST_F(FilesDialogsTest, CountersAddedEditedRefusedAndDeleted) {
  LanguageScope english(kUiEnglish);
  WriteBytes(Path("stock.cntr"), CounterBytes("001", u""));
  WriteBytes(Path("notes.txt"), "not a counter");
  CCounterFilesDlg dlg;
  std::string refusedName, refusedValue, overwrite;
  DialogScript script;
  script.Then([&](HWND dialog) {
    EXPECT_EQ(Rows(dlg), (std::vector<std::string>{"stock.cntr"})) << "only the folder's counters";
    EXPECT_EQ(ToUtf8(ItemText(dialog, IDC_COUNTER_VALUE_SHOW)), "001") << "the first is selected and shown";
    EXPECT_TRUE(Enabled(dialog, IDC_FILE_EDIT));
    Press(dialog, IDC_FILE_ADD);  // refused twice, then added
    Press(dialog, IDC_FILE_ADD);  // the name is taken: not overwritten
    EXPECT_EQ(Rows(dlg), (std::vector<std::string>{"stock.cntr", "batch.cntr"}));
    EXPECT_EQ(dlg.m_list.GetCurSel(), 1) << "the added counter is selected";
    uitest::SaveWindowPng(dialog, dsui_test::PicturePath("counter_files_en.png"));
    Press(dialog, IDC_FILE_EDIT);
    Press(dialog, IDC_FILE_DELETE);  // answered No
    Press(dialog, IDC_FILE_DELETE);  // answered Yes
    EXPECT_EQ(Rows(dlg), (std::vector<std::string>{"stock.cntr"}));
    Press(dialog, IDOK);
  });
  // Add: OK with nothing typed, then with a name only, then in full.
  script.Then([&](HWND edit) {
    EXPECT_TRUE(Enabled(edit, IDC_EDIT_NAME));
    EXPECT_EQ(ToUtf8(ItemText(edit, IDC_EDIT_NAME_CAPTION)), "File Name");
    Press(edit, IDOK);
    TypeInto(edit, IDC_EDIT_NAME, "batch");
    Press(edit, IDOK);
    TypeInto(edit, IDC_EDIT_VALUE, "0041");
    TypeInto(edit, IDC_EDIT_DESCRIPTION, "Lot A");
    uitest::SaveWindowPng(edit, dsui_test::PicturePath("counter_edit_en.png"));
    Press(edit, IDOK);
  });
  script.Then([&](HWND box) {
    refusedName = ShownText(box);
    Press(box, IDOK);
  });
  script.Then([&](HWND box) {
    refusedValue = ShownText(box);
    Press(box, IDOK);
  });
  // Add again under a taken name: No keeps the dialog open on the name.
  script.Then([&](HWND edit) {
    TypeInto(edit, IDC_EDIT_NAME, "stock");
    TypeInto(edit, IDC_EDIT_VALUE, "999");
    Press(edit, IDOK);
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(edit, IDC_EDIT_NAME));
    Press(edit, IDCANCEL);
  });
  script.Then([&](HWND box) {
    overwrite = ShownText(box);
    Press(box, IDNO);
  });
  // Edit the first entry (batch.cntr): its name cannot change.
  script.Then([&](HWND edit) {
    EXPECT_FALSE(Enabled(edit, IDC_EDIT_NAME));
    EXPECT_EQ(ToUtf8(ItemText(edit, IDC_EDIT_VALUE)), "0041");
    EXPECT_EQ(ToUtf8(ItemText(edit, IDC_EDIT_DESCRIPTION)), "Lot A");
    TypeInto(edit, IDC_EDIT_VALUE, "0050");
    Press(edit, IDOK);
  });
  script.Then([&](HWND box) {
    EXPECT_NE(ShownText(box).find("batch.cntr"), std::string::npos) << "the question names the file";
    Press(box, IDNO);
  });
  script.Then([&](HWND box) { Press(box, IDYES); });
  dlg.DoModal();
  EXPECT_NE(refusedName.find("File Name"), std::string::npos) << refusedName;
  EXPECT_NE(refusedValue.find("Counter Value"), std::string::npos) << refusedValue;
  EXPECT_NE(overwrite.find("already exists"), std::string::npos) << overwrite;
  EXPECT_EQ(Bytes(Path("stock.cntr")), CounterBytes("001", u"")) << "not overwritten";
  EXPECT_FALSE(std::filesystem::exists(Path("batch.cntr"))) << "deleted";
  EXPECT_EQ(dlg.m_changed, 1);
}

TEST_F(FilesDialogsTest, CounterBytesAfterAddAndEdit) {
  LanguageScope english(kUiEnglish);
  CCounterFilesDlg dlg;
  DialogScript script;
  std::string afterAdd;
  script.Then([&](HWND dialog) {
    EXPECT_FALSE(Enabled(dialog, IDC_FILE_EDIT)) << "nothing to edit in an empty folder";
    Press(dialog, IDC_FILE_ADD);
    afterAdd = Bytes(Path("lot.cntr"));
    EXPECT_EQ(ToUtf8(ItemText(dialog, IDC_COUNTER_DESCRIPTION_SHOW)), "First \xe6\x89\xb9");
    Press(dialog, IDC_FILE_EDIT);
    Press(dialog, IDOK);
  });
  script.Then([&](HWND edit) {
    TypeInto(edit, IDC_EDIT_NAME, "lot");
    TypeInto(edit, IDC_EDIT_VALUE, "A7");
    ::SetDlgItemTextW(edit, IDC_EDIT_DESCRIPTION, u"First \u6279");
    Press(edit, IDOK);
  });
  script.Then([&](HWND edit) {
    TypeInto(edit, IDC_EDIT_VALUE, "A8");
    Press(edit, IDOK);
  });
  dlg.DoModal();
  EXPECT_EQ(afterAdd, CounterBytes("A7", u"First \u6279"));
  EXPECT_EQ(Bytes(Path("lot.cntr")), CounterBytes("A8", u"First \u6279")) << "the description kept";
}

TEST_F(FilesDialogsTest, TextFilesInTheirFormsAndTheChosenLanguage) {
  LanguageScope english(kUiEnglish);
  // "中文" in GBK; the same words as UTF-16 big-endian and as UTF-8 with marks.
  WriteBytes(Path("a_gbk.txt"), "\xd6\xd0\xce\xc4,B");
  WriteBytes(Path("b_be.txt"), "\xfe\xff" + Utf16Be(u"\u4e2d\u6587,B"));
  WriteBytes(Path("c_utf8.txt"), "\xef\xbb\xbf\xe4\xb8\xad\xe6\x96\x87,B");
  CTextFilesDlg dlg;
  DialogScript script;
  std::string gbkInEnglish;
  script.Then([&](HWND dialog) {
    EXPECT_EQ(Rows(dlg), (std::vector<std::string>{"a_gbk.txt", "b_be.txt", "c_utf8.txt"}));
    gbkInEnglish = ToUtf8(ItemText(dialog, IDC_TEXT_SHOW));
    EXPECT_FALSE(dsui_test::IsShown(dialog, IDC_TEXT_UNICODE_NOTE));
    EXPECT_TRUE(dsui_test::ChooseByData(dialog, IDC_TEXT_LANGUAGE, kUiChineseSimplified));
    EXPECT_EQ(ToUtf8(ItemText(dialog, IDC_TEXT_SHOW)), "\xe4\xb8\xad\xe6\x96\x87,B") << "read as GBK now";
    Select(dialog, 1);
    EXPECT_EQ(ToUtf8(ItemText(dialog, IDC_TEXT_SHOW)), "\xe4\xb8\xad\xe6\x96\x87,B") << "FE FF read as UTF-16";
    EXPECT_TRUE(dsui_test::IsShown(dialog, IDC_TEXT_UNICODE_NOTE));
    uitest::SaveWindowPng(dialog, dsui_test::PicturePath("text_files_en.png"));
    Press(dialog, IDC_FILE_EDIT);  // b_be.txt
    Select(dialog, 2);
    EXPECT_EQ(ToUtf8(ItemText(dialog, IDC_TEXT_SHOW)), "\xe4\xb8\xad\xe6\x96\x87,B");
    Press(dialog, IDC_FILE_EDIT);  // c_utf8.txt
    Select(dialog, 0);
    EXPECT_EQ(ToUtf8(ItemText(dialog, IDC_TEXT_SHOW)), "\xe4\xb8\xad\xe6\x96\x87,B") << "its language remembered";
    Press(dialog, IDC_FILE_EDIT);  // a_gbk.txt, in GBK
    Press(dialog, IDC_FILE_ADD);
    EXPECT_EQ(Rows(dlg).back(), "d_new.txt");
    Press(dialog, IDOK);
  });
  auto appendText = [](const char16_t* more) {
    return [more](HWND edit) {
      std::u16string text = dsui_test::ItemText(edit, IDC_EDIT_VALUE) + more;
      ::SetDlgItemTextW(edit, IDC_EDIT_VALUE, reinterpret_cast<LPCWSTR>(text.c_str()));
      Press(edit, IDOK);
    };
  };
  script.Then(appendText(u",\u7801"));
  script.Then(appendText(u",\u7801"));
  script.Then(appendText(u",\u7801"));
  script.Then([](HWND edit) {
    TypeInto(edit, IDC_EDIT_NAME, "d_new");
    TypeInto(edit, IDC_EDIT_VALUE, "x,y");
    Press(edit, IDOK);
  });
  dlg.DoModal();
  EXPECT_NE(gbkInEnglish, "\xe4\xb8\xad\xe6\x96\x87,B") << "English reads the bytes as Western text";
  EXPECT_EQ(Bytes(Path("b_be.txt")), "\xfe\xff" + Utf16Be(u"\u4e2d\u6587,B,\u7801")) << "big-endian kept";
  EXPECT_EQ(Bytes(Path("c_utf8.txt")), "\xef\xbb\xbf\xe4\xb8\xad\xe6\x96\x87,B,\xe7\xa0\x81") << "UTF-8 kept";
  EXPECT_EQ(Bytes(Path("a_gbk.txt")), "\xd6\xd0\xce\xc4,B,\xc2\xeb") << "GBK kept";
  EXPECT_EQ(Bytes(Path("d_new.txt")), "\xff\xfe" + Utf16Le(u"x,y")) << "a new file is UTF-16";
}

TEST_F(FilesDialogsTest, TextThatTheCodePageCannotHoldIsWrittenAsUtf16) {
  LanguageScope english(kUiEnglish);
  WriteBytes(Path("plain.txt"), "abc");
  DialogScript script;
  script.Then([](HWND edit) {
    EXPECT_EQ(ToUtf8(ItemText(edit, IDC_EDIT_VALUE)), "abc");
    ::SetDlgItemTextW(edit, IDC_EDIT_VALUE, u"abc \u4e2d");
    Press(edit, IDOK);
  });
  EXPECT_EQ(EditDataFileText(Path("plain.txt").c_str(), nullptr), 1);
  EXPECT_EQ(script.captions.front(), "Edit");
  EXPECT_EQ(Bytes(Path("plain.txt")), "\xff\xfe" + Utf16Le(u"abc \u4e2d"));
  DialogScript cancel;
  cancel.Then([](HWND edit) { Press(edit, IDCANCEL); });
  EXPECT_EQ(EditDataFileText(Path("plain.txt").c_str(), nullptr), 0);
  EXPECT_EQ(EditDataFileText(Path("missing.txt").c_str(), nullptr), 0);
}

TEST_F(FilesDialogsTest, DeletingTheLastSelectsTheNewLastAndAFailedDeleteKeepsItsRow) {
  LanguageScope english(kUiEnglish);
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) WriteBytes(Path(name), name);
  CTextFilesDlg dlg;
  dlg.m_confirmDelete = 0;
  DialogScript script;
  std::string failure;
  script.Then([&](HWND dialog) {
    Select(dialog, 2);
    Press(dialog, IDC_FILE_DELETE);
    EXPECT_EQ(Rows(dlg), (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_EQ(dlg.m_list.GetCurSel(), 1) << "the new last entry";
    // b.txt turns into a folder with something in it: it cannot be deleted.
    std::filesystem::remove(Path("b.txt"));
    std::filesystem::create_directory(Path("b.txt"));
    WriteBytes(Path("b.txt/inside"), "x");
    Press(dialog, IDC_FILE_DELETE);
    EXPECT_EQ(Rows(dlg), (std::vector<std::string>{"a.txt", "b.txt"})) << "the row stays";
    Select(dialog, 0);
    ::SetFocus(::GetDlgItem(dialog, IDC_FILE_LIST));
    MSG key{::GetFocus(), WM_KEYDOWN, VK_DELETE, 0, 0, {0, 0}};
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(dialog, &key));
    uitest::RunUntilIdle();
    EXPECT_EQ(Rows(dlg), (std::vector<std::string>{"b.txt"})) << "the Delete key in the list";
    Press(dialog, IDOK);
  });
  script.Then([&](HWND box) {
    failure = ShownText(box);
    Press(box, IDOK);
  });
  dlg.DoModal();
  EXPECT_NE(failure.find("Could not delete"), std::string::npos) << failure;
  EXPECT_FALSE(std::filesystem::exists(Path("a.txt")));
  EXPECT_FALSE(std::filesystem::exists(Path("c.txt")));
}

TEST_F(FilesDialogsTest, PicturesInChinese) {
  LanguageScope chinese(kUiChineseSimplified);
  WriteBytes(Path("lot.cntr"), CounterBytes("0041", u"\u7b2c\u4e00\u6279"));
  WriteBytes(Path("names.txt"), "\xff\xfe" + Utf16Le(u"\u5f20\u4e09\r\n\u674e\u56db"));
  std::string caption;
  {
    CCounterFilesDlg counters;
    DialogScript script;
    script.Then([&](HWND dialog) {
      uitest::SaveWindowPng(dialog, dsui_test::PicturePath("counter_files_zh.png"));
      Press(dialog, IDC_FILE_EDIT);
      Press(dialog, IDOK);
    });
    script.Then([&](HWND edit) {
      // The caption the skin draws (the picture shows it).
      caption = static_cast<CDataFileEditDlg*>(CWnd::FromHandlePermanent(edit))->m_nameCaption.GetData();
      uitest::SaveWindowPng(edit, dsui_test::PicturePath("counter_edit_zh.png"));
      Press(edit, IDCANCEL);
    });
    counters.DoModal();
  }
  EXPECT_EQ(caption, "\xce\xc4\xbc\xfe\xc3\xfb") << "File Name in Chinese (GBK)";
  CTextFilesDlg texts;
  DialogScript script;
  script.Then([&](HWND dialog) {
    EXPECT_EQ(ToUtf8(ItemText(dialog, IDC_TEXT_SHOW)), "\xe5\xbc\xa0\xe4\xb8\x89\r\n\xe6\x9d\x8e\xe5\x9b\x9b");
    uitest::SaveWindowPng(dialog, dsui_test::PicturePath("text_files_zh.png"));
    Press(dialog, IDOK);
  });
  texts.DoModal();
}

}  // namespace
