// The designer's file dialog: the recent-folder list as a table of choices,
// the extensions of a filter, and the dialog driven as a person would with
// its preview of a layout, a picture and a text file, and the question
// before an existing file is chosen for saving; pictures in English and
// Chinese.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../dialog_script.h"
#include "../frame/frame_test_app.h"
#include "../frame/frame_test_util.h"
#include "app/open_dialog/file_preview.h"
#include "app/open_dialog/mru_file_dlg.h"
#include "app/open_dialog/open_dialog_ids.h"
#include "app/open_dialog/recent_folders.h"
#include "app/ui/ui_language.h"
#include "document/core/rvo_doc.h"
#include "document/file/layout_file.h"
#include "fields/model/field_kinds.h"
#include "foundation/uifonts/ui_fonts.h"
#include "platform/comdlg/comdlg_ids.h"
#include "platform/testing/ui.h"
#include "platform/user/dialogs/dialogs.h"

namespace {

using apptest::DialogScript;
using apptest::LanguageScope;
using apptest::Press;

namespace fs = std::filesystem;

struct FakeProfile {
  std::map<std::string, std::string> keys;
  RecentFolderProfile Profile() {
    return {[this](const std::string& k) { return keys.count(k) ? keys[k] : std::string(); },
            [this](const std::string& k, const std::string& v) { keys[k] = v; }};
  }
};

TEST(RecentFolders, ChoosingAListedFolderMovesItToTheTop) {
  frametest::Scratch dir;
  std::vector<std::string> folders;
  for (int i = 0; i < 20; ++i) {
    const std::string f = dir / ("f" + std::to_string(i));
    ::mkdir(f.c_str(), 0700);
    folders.push_back(f + "/");
  }
  FakeProfile profile;
  std::vector<std::string> shown = {folders[0], folders[1], folders[2]};
  AddRecentFolder(profile.Profile(), shown, folders[2].substr(0, folders[2].size() - 1));  // no trailing '/'
  EXPECT_EQ(ReadRecentFolders(profile.Profile()), (std::vector<std::string>{folders[2], folders[0], folders[1]}));
  // Many folders: at most 15 come back.
  std::vector<std::string> many(folders.begin(), folders.begin() + 18);
  AddRecentFolder(profile.Profile(), many, folders[19]);
  const std::vector<std::string> back = ReadRecentFolders(profile.Profile());
  ASSERT_EQ(back.size(), 15u);
  EXPECT_EQ(back.front(), folders[19]);
  EXPECT_EQ(back[1], folders[0]);
  // A folder gone since is skipped.
  fs::remove(folders[0].substr(0, folders[0].size() - 1));
  EXPECT_EQ(ReadRecentFolders(profile.Profile())[1], folders[1]);
  struct InitialCase {
    std::vector<std::string> list;
    std::string current;
    int expected;
  };
  const InitialCase cases[] = {{{}, "/tmp", -1}, {{"/a/", "/tmp/"}, "/tmp", 1}, {{"/a/", "/b/"}, "/tmp", 0}};
  for (const InitialCase& c : cases) EXPECT_EQ(InitialRecentFolder(c.list, c.current), c.expected) << c.current;
}

TEST(MruFileDlg, ExtensionsOfTheFilter) {
  CMRUFileDlg dlg(1, "bcd", nullptr, 0, "Barcode Layout|*.bcd|All files(*.*)|*.*||", nullptr);
  EXPECT_EQ(dlg.Extensions(), (std::vector<std::string>{".bcd", ".*"}));
  CMRUFileDlg pictures(1, nullptr, nullptr, 0, "Pictures|*.png;*.bmp|Plain|noext||", nullptr);
  EXPECT_EQ(pictures.Extensions(), (std::vector<std::string>{".png", ""}));
}

TEST(FilePreview, TextsOfPicturesAndTextFiles) {
  frametest::Scratch dir;
  const std::string picture = std::string(TAV_BUILD_DIR) + "/welcome_Tavrendel.PNG";
  const auto image = ImagePreviewText(picture);
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->substr(0, image->find('\n') + 1), " 480 x 300 pixel\n");
  EXPECT_NE(image->find(" File size: "), std::string::npos);
  EXPECT_FALSE(ImagePreviewText(dir / "missing.png").has_value());
  struct TextCase {
    std::string bytes;
    std::u16string text;
  };
  const TextCase cases[] = {{std::string{'\xFF', '\xFE', 'A', '\0', '\x07', '\x68'}, u"A\u6807"},
                            {std::string{'\xFE', '\xFF', '\0', 'A', '\x68', '\x07'}, u"A\u6807"},
                            {"plain text", u"plain text"}};
  for (const TextCase& c : cases) {
    const std::string path = dir / "t.txt";
    std::ofstream(path, std::ios::binary) << c.bytes;
    EXPECT_EQ(TextPreview(path).value_or(u"?"), c.text);
  }
}

// Selects a file of the list (a report list view) by name with a click on it.
bool SelectFile(HWND dialog, const std::string& name) {
  HWND list = ::GetDlgItem(dialog, lst2);
  LVFINDINFOA find{};
  find.flags = LVFI_STRING;
  find.psz = name.c_str();
  const LRESULT at = ::SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find));
  if (at < 0) return false;
  RECT r{};
  r.left = LVIR_BOUNDS;
  ::SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&r));
  uitest::Click(list, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  uitest::RunUntilIdle();
  return true;
}

std::u16string PreviewText(HWND dialog) {
  CMRUFileDlg* dlg = ActiveFileDialog();
  if (!dlg || !dlg->m_hWnd) return u"";
  char16_t text[512] = {};
  ::GetWindowTextW(::GetDlgItem(dlg->m_hWnd, IDC_PREVIEW_TEXT), reinterpret_cast<LPWSTR>(text), 512);
  (void)dialog;
  // The text box gives its lines back ending in CR LF.
  std::u16string lines;
  for (const char16_t* p = text; *p; ++p)
    if (*p != u'\r') lines += *p;
  return lines;
}

class OpenDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app = std::make_unique<frametest::CFrameTestApp>();
    app->m_profile = dir / "open.ini";
    app->m_nosave = true;
    ASSERT_TRUE(app->InitInstance());
    frametest::Pump(app.get());
    folder = dir / "labels";
    ::mkdir(folder.c_str(), 0700);
    fs::copy_file(std::string(TAV_BUILD_DIR) + "/welcome_Tavrendel.PNG", folder + "/picture.png");
    std::ofstream(folder + "/notes.txt", std::ios::binary) << "Shipping labels\nbox 12";
  }
  void TearDown() override {
    if (app->m_pMainWnd) ::SendMessageA(app->m_pMainWnd->m_hWnd, WM_CLOSE, 0, 0);
    uitest::RunUntilIdle();
    app->ExitInstance();
    app.reset();
    CWnd::DeleteTempMap();
  }
  frametest::Scratch dir;
  std::unique_ptr<frametest::CFrameTestApp> app;
  std::string folder;
};

TEST_F(OpenDialogTest, PreviewsAndRemembersTheFolder) {
  for (const int language : {kUiEnglish, kUiChineseSimplified}) {
    LanguageScope scope(language);
    // The folder was chosen before: the dialog opens there.
    app->WriteProfileString("MRUDIRLIST", "Folder1", (folder + "/").c_str());
    for (const int kind : {1, 2}) {
      CMRUFileDlg dlg(1, "bcd", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, "All files(*.*)|*.*||", nullptr);
      dlg.m_previewKind = kind;
      DialogScript script;
      std::u16string preview;
      std::vector<std::string> shown;
      script.Then([&](HWND d) {
        shown = dlg.ShownFolders();
        EXPECT_TRUE(SelectFile(d, kind == 1 ? "picture.png" : "notes.txt"));
        preview = PreviewText(d);
        if (kind == 1)
          uitest::SaveWindowPng(d, frametest::PicturePath(language == kUiEnglish ? "open_dialog_en.png"
                                                                                 : "open_dialog_zh.png"));
        Press(d, IDOK);
      });
      ASSERT_EQ(dlg.DoModal(), IDOK);
      EXPECT_EQ(shown, std::vector<std::string>{folder + "/"});
      if (kind == 1) {
        EXPECT_EQ(preview.substr(0, 17), u" 480 x 300 pixel\n");
        EXPECT_EQ(std::string(dlg.GetPathName().GetString()), folder + "/picture.png");
      } else {
        EXPECT_EQ(preview, u"Shipping labels\nbox 12");
      }
    }
  }
  EXPECT_EQ(std::string(app->GetProfileString("MRUDIRLIST", "Folder1", "").GetString()), folder + "/");
}

TEST_F(OpenDialogTest, SavingOverAnExistingFileOnlyAsks) {
  const std::string existing = folder + "/notes.txt";
  for (const int answer : {IDNO, IDYES}) {
    CMRUFileDlg dlg(0, "txt", nullptr, OFN_HIDEREADONLY, "Text|*.txt|All files(*.*)|*.*||", nullptr);
    DialogScript script;
    script.Then([&](HWND d) {
      ::SetDlgItemTextA(d, edt1, existing.c_str());
      Press(d, IDOK);
      if (answer == IDNO) Press(d, IDCANCEL);  // still open after No
    });
    script.Then([&](HWND box) { Press(box, answer); });
    const INT_PTR result = dlg.DoModal();
    EXPECT_EQ(result, answer == IDYES ? IDOK : IDCANCEL);
    EXPECT_EQ(std::string(dlg.m_chosenFile.GetData()), answer == IDYES ? existing : std::string());
    // Never deleted by the dialog: the caller's save replaces it whole.
    EXPECT_TRUE(fs::exists(existing));
  }
}

// A layout written by the document code: a new label's defaults with a
// description (UTF-16, as the setup stores it) and a thick box round it, so
// its stored picture is not blank.
void WriteLayout(const std::string& path, const std::u16string& description) {
  CLabelSetup setup;
  setup.LoadDefaults();
  AString text(static_cast<int>(description.size() * 2), reinterpret_cast<const char*>(description.data()));
  text.SetWide(true);
  setup.description = text;
  CFieldList fields;
  auto box = std::make_unique<CBoxField>();
  box->offset = {200, 200};
  box->width = 3000;
  box->height = 1500;
  box->horizontalLineWidth = box->verticalLineWidth = 120;
  box->foreColor = 0x000000;
  fields.push_back(std::move(box));
  ASSERT_EQ(SaveLayoutFile(path.c_str(), setup, fields, SaveVersions::kFreshStore), 1);
}

// The preview's picture control: how many of its pixels are not the plain
// background colour.
int DrawnPixels(HWND control) {
  RECT r{};
  ::GetClientRect(control, &r);
  const COLORREF background = uitest::ClientPixel(control, 0, 0);
  int n = 0;
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < r.right; ++x) n += uitest::ClientPixel(control, x, y) != background;
  return n;
}

// Files in the work folder named as the preview's extracted pictures.
int ExtractedPictures() {
  int n = 0;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(LayoutShell()->WorkFolder().GetData(), ec))
    n += entry.path().filename().string().rfind("preview-", 0) == 0;
  return n;
}

struct LayoutPreviewCase {
  const char* file;
  std::u16string text;  // what the preview's text box says
  const char* name;     // the name above it
  bool picture;
};

TEST_F(OpenDialogTest, LayoutPreviewShowsNameDescriptionAndStoredPicture) {
  WriteLayout(folder + "/shipping.bcd", u"Boxes for the north store");
  WriteLayout(folder + "/plain.bcd", u"");
  const int extractedBefore = ExtractedPictures();
  for (const int language : {kUiEnglish, kUiChineseSimplified}) {
    LanguageScope scope(language);
    const LayoutPreviewCase cases[] = {
        {"shipping.bcd", u"Boxes for the north store", "shipping", true},
        {"plain.bcd", UiTextToWide(TranslateUiString("No description")), "plain", true},
        // Not a layout: nothing is shown.
        {"notes.txt", u"", "", false},
    };
    for (const LayoutPreviewCase& c : cases) {
      CMRUFileDlg dlg(1, "bcd", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, "All files(*.*)|*.*||", nullptr);
      dlg.m_previewKind = 0;
      dlg.m_startFolder = (folder + "/").c_str();
      DialogScript script;
      std::u16string preview;
      std::string name;
      int drawn = 0;
      script.Then([&](HWND d) {
        EXPECT_TRUE(SelectFile(d, c.file)) << c.file;
        preview = PreviewText(d);
        char text[128] = {};
        ::GetDlgItemTextA(dlg.m_hWnd, IDC_PREVIEW_NAME, text, sizeof text);
        name = text;
        drawn = DrawnPixels(dlg.m_preview.m_hWnd);
        if (std::string(c.file) == "shipping.bcd")
          uitest::SaveWindowPng(d, frametest::PicturePath(language == kUiEnglish ? "open_layout_en.png"
                                                                                 : "open_layout_zh.png"));
        Press(d, IDCANCEL);
      });
      dlg.DoModal();
      EXPECT_EQ(preview, c.text) << c.file;
      EXPECT_EQ(name, c.name) << c.file;
      EXPECT_EQ(dlg.m_preview.m_picture != nullptr, c.picture) << c.file;
      if (c.picture) {
        EXPECT_GT(drawn, 100) << c.file << ": the stored picture is drawn";
      }
    }
  }
  // Each extracted picture went once it was shown.
  EXPECT_EQ(ExtractedPictures(), extractedBefore);
}

TEST_F(OpenDialogTest, SaveDialogHasNoPreviewSpeaksTheLanguageAndIsPictured) {
  for (const int language : {kUiEnglish, kUiChineseSimplified}) {
    LanguageScope scope(language);
    app->WriteProfileString("MRUDIRLIST", "Folder1", (folder + "/").c_str());
    CMRUFileDlg dlg(0, "bcd", "label.bcd", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    "Barcode Layout(*.bcd)|*.bcd|All files(*.*)|*.*||", nullptr);
    DialogScript script;
    bool previewShown = true;
    std::vector<std::string> shown;
    std::string usedFolders;
    script.Then([&](HWND d) {
      uitest::RunUntilIdle();
      HWND picture = ::GetDlgItem(dlg.m_hWnd, IDC_PREVIEW_PICTURE);
      previewShown = picture && ::IsWindowVisible(picture);
      shown = dlg.ShownFolders();
      if (auto* label = dynamic_cast<CSkinCtrl*>(
              CWnd::FromHandlePermanent(::GetDlgItem(dlg.m_hWnd, IDC_USED_FOLDERS_LABEL))))
        usedFolders = label->Caption().GetData();
      uitest::SaveWindowPng(d, frametest::PicturePath(language == kUiEnglish ? "save_dialog_en.png"
                                                                             : "save_dialog_zh.png"));
      Press(d, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(previewShown) << "saving shows no preview";
    EXPECT_EQ(shown, std::vector<std::string>{folder + "/"}) << "the used folders are offered";
    EXPECT_EQ(usedFolders, std::string(TranslateUiString("Used Folders:").GetData())) << "its label in the language";
  }
}

}  // namespace
