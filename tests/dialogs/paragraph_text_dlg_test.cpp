// The paragraph text dialog as a person uses it: a text file opened with
// "..." (UTF-16 with its mark in either byte order, or the system's code
// page without one), OK always giving UTF-16, Cancel leaving the caller's
// text, the save-and-close mode, and the dialog reached from the paragraph
// sheet's Font / Data page; with a picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "datasource/ui/panel/panel_ids.h"
#include "dialogs/paragraph/paragraph_ids.h"
#include "dialogs/paragraph/paragraph_sheet.h"
#include "dialogs/paragraph/paragraph_text_dlg.h"
#include "document/core/rvo_doc.h"
#include "fields/model/field_kinds.h"
#include "platform/comdlg/comdlg_ids.rh"
#include "tests/app/dialog_script.h"
#include "tests/dialogs/dialogs_test_support.h"
#include "tests/document/view_session.h"

namespace {

using apptest::DialogScript;
using namespace dialogstest;

// A rich edit box's text as UTF-16, its line ends as the box keeps them.
std::u16string BoxText(HWND dialog, int id) {
  std::u16string text(4096, u'\0');
  GETTEXTEX how{static_cast<DWORD>(text.size() * sizeof(char16_t)), GT_DEFAULT, 1200, nullptr, nullptr};
  const auto n = ::SendDlgItemMessageW(dialog, id, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&how),
                                       reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

class ParagraphTextDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() / ("tav-paragraph-text-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    CWnd::DeleteTempMap();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  std::string File(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    return path;
  }
  viewtest::ShellApp app;
  MessageRecorder messages;
  std::filesystem::path folder_;
};

// "Line 一\nB" in UTF-16, little- or big-endian, with its mark.
std::vector<uint8_t> Utf16File(bool bigEndian) {
  const std::u16string text = u"Line \u4e00\r\nB";
  std::vector<uint8_t> bytes = bigEndian ? std::vector<uint8_t>{0xFE, 0xFF} : std::vector<uint8_t>{0xFF, 0xFE};
  for (const char16_t unit : text) {
    const uint8_t low = static_cast<uint8_t>(unit), high = static_cast<uint8_t>(unit >> 8);
    if (bigEndian) bytes.insert(bytes.end(), {high, low});
    else bytes.insert(bytes.end(), {low, high});
  }
  return bytes;
}

TEST_F(ParagraphTextDialog, AFileReplacesTheTextAndOkGivesUtf16) {
  struct Case {
    const char* why;
    std::vector<uint8_t> bytes;
    std::u16string expected;
  };
  const Case cases[] = {
      {"a little-endian mark: UTF-16", Utf16File(false), u"Line \u4e00\rB"},
      {"a big-endian mark: UTF-16 as well", Utf16File(true), u"Line \u4e00\rB"},
      {"no mark: the system's code page", {'p', 'l', 'a', 'i', 'n', ' ', 't', 'e', 'x', 't'}, u"plain text"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const std::string path = File("notes.txt", c.bytes);
    CParagraphDlg dialog;
    dialog.m_text = "old text";
    dialog.m_codePage = 1252;
    std::string shownFile;
    std::u16string shown;
    DialogScript script;
    script.Then([&](HWND box) {
      EXPECT_EQ(BoxText(box, IDC_PTEXT_EDIT), u"old text");
      script.Then([&](HWND files) {
        ::SetDlgItemTextA(files, edt1, path.c_str());
        Press(files, IDOK);
      });
      Press(box, IDC_PTEXT_OPEN);
      uitest::RunUntilIdle();
      shown = BoxText(box, IDC_PTEXT_EDIT);
      shownFile = Text(box, IDC_PTEXT_FILE);
      Press(box, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shownFile, path);
    EXPECT_EQ(dialog.m_codePage, 1200);
    EXPECT_TRUE(dialog.m_text.IsWide());
    EXPECT_EQ(DataText(dialog.m_text), c.expected);
    EXPECT_EQ(shown, c.expected);
  }
}

TEST_F(ParagraphTextDialog, CancelKeepsTheTextAndSaveAndCloseHasNoFileButton) {
  CParagraphDlg dialog;
  dialog.m_text = "kept";
  DialogScript cancel;
  cancel.Then([](HWND box) {
    ::SetDlgItemTextW(box, IDC_PTEXT_EDIT, u"changed");
    Press(box, IDCANCEL);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_STREQ(dialog.m_text.GetData(), "kept");
  EXPECT_FALSE(dialog.m_text.IsWide());

  for (const dialogstest::PictureLanguage& shot : dialogstest::kPictureLanguages) {
    const int language = shot.language;
    const std::string suffix = shot.suffix;
    apptest::LanguageScope scope(language);
    CParagraphDlg save;
    save.m_text = "file text";
    save.m_saveAndClose = 1;
    save.m_fileName = "/tmp/notes.txt";
    bool openShown = true;
    std::string okText;
    DialogScript script;
    script.Then([&](HWND box) {
      openShown = Shown(box, IDC_PTEXT_OPEN);
      okText = Text(box, IDOK);
      EXPECT_EQ(Text(box, IDC_PTEXT_FILE), "/tmp/notes.txt");
      EXPECT_TRUE(uitest::SaveWindowPng(box, PicturePath(std::string("paragraph_text_save_and_close_") + suffix + ".png")));
      Press(box, IDOK);
    });
    EXPECT_EQ(save.DoModal(), IDOK);
    EXPECT_FALSE(openShown);
    if (language == kUiEnglish) {
      EXPECT_EQ(okText, "Save && Close");
    }
    EXPECT_EQ(DataText(save.m_text), u"file text");
  }
}

TEST_F(ParagraphTextDialog, ReachedFromTheParagraphSheet) {
  CRvoDoc doc;
  auto owned = std::make_unique<CParagraphField>();
  CParagraphField* field = owned.get();
  field->name = "Paragraph_1";
  field->data = "First";
  field->data.ConvertToWide();
  field->data.SetCodePage(1200);
  doc.fieldList.push_back(std::move(owned));
  std::u16string inDialog;
  bool buttonShown = false, buttonShownForPrompt = true;
  DialogScript script;
  script.Then([&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    buttonShown = Shown(page, IDC_PARA_EDIT_TEXT);
    script.Then([&](HWND box) {
      inDialog = BoxText(box, IDC_PTEXT_EDIT);
      EXPECT_TRUE(uitest::SaveWindowPng(box, PicturePath("paragraph_text_en.png")));
      ::SetDlgItemTextW(box, IDC_PTEXT_EDIT, u"Second line\rand more");
      Press(box, IDOK);
    });
    Press(page, IDC_PARA_EDIT_TEXT);
    uitest::RunUntilIdle();
    HWND panel = ::GetDlgItem(page, IDC_PARA_PANEL_PLACE + 1);
    Choose(panel, IDC_DS_TYPE, 3);  // Prompt Before Print
    buttonShownForPrompt = Shown(page, IDC_PARA_EDIT_TEXT);
    Choose(panel, IDC_DS_TYPE, 0);
    Press(sheet, IDOK);
  });
  CField* edited = field;
  ASSERT_EQ(RunParagraphSetupSheet(&doc.labelSetup, &edited, doc.fieldList, nullptr), 1);
  EXPECT_TRUE(buttonShown);
  EXPECT_FALSE(buttonShownForPrompt) << "the dialog edits typed text only";
  EXPECT_EQ(inDialog, u"First");
  // The data box hands its lines over with CR LF.
  EXPECT_EQ(DataText(field->data), u"Second line\r\nand more");
}

}  // namespace
