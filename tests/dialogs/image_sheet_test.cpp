// The image sheet driven as a person would: a picture chosen through the
// file dialog (made by ImageMagick, read by the image library's codecs),
// the field's size after OK as a table, rotation and resize options on an
// existing picture, the Options page's adjustments and their bounds, the
// one-bit and prompted cases, the design view's commands, an untouched OK
// leaving random image fields' records unchanged, and pictures of both
// pages in English and Chinese.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "datasource/ui/panel/panel_ids.h"
#include "dialogs/image/image_ids.h"
#include "dialogs/image/image_sheet.h"
#include "dialogs/setup/field_sheet_run.h"
#include "document/core/rvo_doc.h"
#include "document/view/field_sheets.h"
#include "fields/geometry/field_geometry.h"
#include "fields/model/field_kinds.h"
#include "platform/comdlg/comdlg_ids.rh"
#include "tests/app/dialog_script.h"
#include "tests/dialogs/dialogs_test_support.h"
#include "tests/dialogs/image_sheet_support.h"
#include "tests/document/view_session.h"

namespace {

using apptest::DialogScript;
using apptest::LanguageScope;
using namespace dialogstest;
using namespace imagesheettest;

constexpr int kLinkFile = 1, kPrompt = 2, kExpression = 7;

HWND Panel(HWND page) { return ::GetDlgItem(page, IDC_IMG_PANEL_PLACE + 1); }

int ChosenData(HWND dialog, int id) {
  const LRESULT index = ::SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
  return index < 0 ? -1 : static_cast<int>(::SendDlgItemMessageA(dialog, id, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

// What ImageMagick's identify says of a picture file.
std::string Identify(const char* format, const std::string& path) {
  const std::string command = std::string("identify -format '") + format + "' '" + path + "'";
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    ::pclose(pipe);
  }
  return out;
}

bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }

class ImageSheet : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() / ("tav-image-sheet-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    doc.labelSetup.dpiX = doc.labelSetup.dpiY = 200;
    doc.labelSetup.labelWidth = 4000;
    doc.labelSetup.labelHeight = 2500;
  }
  void TearDown() override {
    CWnd::DeleteTempMap();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  // A picture made by ImageMagick: a colour gradient with a white box, or
  // (bilevel) black and white halves in a one-bit BMP.
  std::string Picture(const std::string& name, int w, int h, bool bilevel = false) {
    const std::string path = (folder_ / name).string();
    const std::string half = std::to_string(w / 2) + "," + std::to_string(h);
    const std::string box = std::to_string(w / 8) + "," + std::to_string(h / 8) + " " + std::to_string(w / 3) + "," +
                            std::to_string(h / 3);
    if (bilevel) DrawPicture(path, w, h, "xc:white -fill black -draw 'rectangle 0,0 " + half + "' -type bilevel");
    else DrawPicture(path, w, h, "gradient:'#e03020'-'#2040e0' -fill white -draw 'rectangle " + box + "' -depth 8");
    return path;
  }
  CImageField* Existing(const std::string& path, SIZE size) {
    auto f = std::make_unique<CImageField>();
    f->name = "Image_4";
    f->SetDataSourceType(kLinkFile, 0);
    f->useFolder = 0;
    f->fileName = path.c_str();
    f->offset = {500, 400};
    f->width = size.cx;
    f->height = size.cy;
    CImageField* raw = f.get();
    doc.fieldList.push_back(std::move(f));
    return raw;
  }
  int Run(CField* field) {
    CField* edited = field;
    return RunImageSetupSheet(&doc.labelSetup, &edited, doc.fieldList, nullptr);
  }
  // Browse..., the file dialog given the path, OK.
  static void PickFile(DialogScript& script, HWND page, const std::string& path) {
    script.Then([path](HWND files) {
      ::SetDlgItemTextA(files, edt1, path.c_str());
      Press(files, IDOK);
    });
    Press(Panel(page), IDC_DS_BROWSE);
    uitest::RunUntilIdle();
  }

  viewtest::ShellApp app;
  MessageRecorder messages;
  CRvoDoc doc;
  std::filesystem::path folder_;
};

TEST_F(ImageSheet, ANewPictureTakesItsSizeOrFitsTheLabel) {
  struct Case {
    const char* why;
    int pixelsW, pixelsH;
    SIZE expected;  // mils at 200 dpi on a 4000 x 2500 label
  };
  const Case cases[] = {
      {"smaller than the label: its own size", 300, 100, {1500, 500}},
      {"wider than the label: as wide as the label, its shape kept", 1200, 600, {4000, 2000}},
      {"taller than the label: as tall as the label", 250, 1000, {625, 2500}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const std::string path = Picture("new.png", c.pixelsW, c.pixelsH);
    std::string info;
    int type = -1;
    DialogScript script;
    script.Then([&](HWND sheet) {
      HWND page = CurrentPage(sheet);
      type = ChosenData(Panel(page), IDC_DS_TYPE);
      PickFile(script, page, path);
      info = Text(page, IDC_IMG_INFO);
      Press(sheet, IDOK);
    });
    CField* made = nullptr;
    ASSERT_EQ(RunImageSetupSheet(&doc.labelSetup, &made, doc.fieldList, nullptr), 1);
    std::unique_ptr<CField> owned(made);
    EXPECT_EQ(script.captions.at(0), "Image Setup");
    EXPECT_EQ(type, kLinkFile) << "a new picture is a linked file";
    auto* image = dynamic_cast<CImageField*>(made);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(std::string(image->fileName.GetData()), path);
    EXPECT_EQ(image->dataSourceType, kLinkFile);
    EXPECT_EQ(image->width, c.expected.cx);
    EXPECT_EQ(image->height, c.expected.cy);
    EXPECT_STREQ(image->name.GetData(), "Image_1");
    const std::string pixels = " " + std::to_string(c.pixelsW) + " x " + std::to_string(c.pixelsH) + " pixel";
    EXPECT_EQ(info.rfind(pixels, 0), 0u) << info;
    // A PNG states the depth of one sample (8 here, as ImageMagick tells);
    // the size is the file's.
    EXPECT_EQ(Identify("%z", path), "8");
    EXPECT_NE(info.find(" 256 colors(8 bit)"), std::string::npos) << info;
    char size[64];
    std::snprintf(size, sizeof size, " File size: %.2f kb", std::filesystem::file_size(path) / 1024.0);
    EXPECT_NE(info.find(size), std::string::npos) << info;
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ImageSheet, APromptedPictureIs750By520AndShowsNoPreview) {
  DialogScript script;
  bool previewShown = true, brightnessEnabled = true;
  script.Then([&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    ChooseItem(Panel(page), IDC_DS_TYPE, kPrompt);
    previewShown = Shown(page, IDC_IMG_PREVIEW);
    HWND options = ShowPage(sheet, 1);
    brightnessEnabled = Enabled(options, IDC_IMG_BRIGHTNESS) || Shown(options, IDC_IMG_PREVIEW);
    Press(sheet, IDOK);
  });
  CField* made = nullptr;
  ASSERT_EQ(RunImageSetupSheet(&doc.labelSetup, &made, doc.fieldList, nullptr), 1);
  std::unique_ptr<CField> owned(made);
  EXPECT_FALSE(previewShown);
  EXPECT_FALSE(brightnessEnabled) << "the colour controls are off for a prompted picture";
  EXPECT_EQ(made->dataSourceType, kPrompt);
  EXPECT_EQ(made->width, 750);
  EXPECT_EQ(made->height, 520);
}

TEST_F(ImageSheet, ATypedPathShowsThePictureAndIsTaken) {
  const std::string path = Picture("typed.png", 200, 100);
  std::string info;
  DialogScript script;
  script.Then([&](HWND sheet) {
    HWND panel = Panel(CurrentPage(sheet));
    HWND combo = ::GetDlgItem(panel, IDC_DS_PATH);
    ::SetWindowTextA(combo, path.c_str());
    ::SendMessageA(panel, WM_COMMAND, MAKEWPARAM(IDC_DS_PATH, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(combo));
    info = Text(CurrentPage(sheet), IDC_IMG_INFO);
    Press(sheet, IDOK);
    if (::IsWindowVisible(sheet)) Press(sheet, IDCANCEL);
  });
  CField* made = nullptr;
  ASSERT_EQ(RunImageSetupSheet(&doc.labelSetup, &made, doc.fieldList, nullptr), 1);
  std::unique_ptr<CField> owned(made);
  EXPECT_EQ(info.rfind(" 200 x 100 pixel", 0), 0u) << info;
  EXPECT_EQ(std::string(static_cast<CImageField*>(made)->fileName.GetData()), path);
  EXPECT_EQ(made->width, 1000);
}

// The path box holds the field's file as a list entry, selected. Typing a
// path over it, or choosing the entry again after typing: the preview and
// the stored name follow whatever the user did last.
TEST_F(ImageSheet, TheLastTypedOrChosenPathWins) {
  const std::string listed = Picture("listed.png", 120, 60);
  const std::string typed = Picture("typed over.png", 90, 150);
  struct Case {
    const char* why;
    bool chooseListedAfterwards;
    const std::string& expected;
    const char* info;
  };
  const Case cases[] = {
      {"typed over the selected entry", false, typed, " 90 x 150 pixel"},
      {"typed, then the entry chosen again", true, listed, " 120 x 60 pixel"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    CImageField* field = Existing(listed, {1200, 600});
    std::string info;
    DialogScript script;
    script.Then([&](HWND sheet) {
      HWND panel = Panel(CurrentPage(sheet));
      HWND combo = ::GetDlgItem(panel, IDC_DS_PATH);
      ASSERT_GE(::SendMessageA(combo, CB_GETCURSEL, 0, 0), 0) << "the field's file is the selected entry";
      HWND edit = ::GetWindow(combo, GW_CHILD);
      ASSERT_NE(edit, nullptr);
      uitest::Click(edit);
      uitest::Key(VK_HOME);
      uitest::Key(VK_END, true);
      uitest::TypeText(std::string_view(typed));
      if (c.chooseListedAfterwards) Choose(panel, IDC_DS_PATH, 0);
      info = Text(CurrentPage(sheet), IDC_IMG_INFO);
      Press(sheet, IDOK);
      if (::IsWindowVisible(sheet)) Press(sheet, IDCANCEL);
    });
    ASSERT_EQ(Run(field), 1);
    EXPECT_EQ(info.rfind(c.info, 0), 0u) << info;
    EXPECT_EQ(std::string(field->fileName.GetData()), c.expected);
  }
}

TEST_F(ImageSheet, OkWithoutAPictureKeepsTheSheetOpen) {
  bool stillOpen = false;
  DialogScript script;
  script.Then([&](HWND sheet) {
    Press(sheet, IDOK);
    stillOpen = ::IsWindow(sheet) && ::IsWindowVisible(sheet);
    if (stillOpen) Press(sheet, IDCANCEL);
  });
  CField* made = nullptr;
  EXPECT_EQ(RunImageSetupSheet(&doc.labelSetup, &made, doc.fieldList, nullptr), 0);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(made, nullptr) << "Cancel leaves no field";
  EXPECT_TRUE(messages.shown.empty()) << "the page refuses without a message";
}

TEST_F(ImageSheet, RotationKeepsTheCornerAndWholeDegrees) {
  const std::string path = Picture("turn.png", 300, 100);
  struct Case {
    const char* why;
    int item;           // rotation item chosen, or -1
    const char* typed;  // else this is typed
    int32_t stored;
  };
  const Case cases[] = {
      {"the item 90 with its hyphens", 6, nullptr, 90000},
      {"a typed 12.7 is cut to 12 degrees", -1, "12.7", 12000},
      {"a typed 37.9 is cut to 37", -1, "37.9", 37000},
      {"a typed 90", -1, "90", 90000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    CImageField* field = Existing(path, {1500, 500});
    const POINT corner = FieldAnchor(*field);
    DialogScript script;
    script.Then([&](HWND sheet) {
      HWND page = CurrentPage(sheet);
      if (c.item >= 0) {
        Choose(page, IDC_IMG_ROTATION, c.item);
      } else {
        HWND combo = ::GetDlgItem(page, IDC_IMG_ROTATION);
        ::SetWindowTextA(combo, c.typed);
        ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_IMG_ROTATION, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(combo));
      }
      Press(sheet, IDOK);
    });
    ASSERT_EQ(Run(field), 1);
    EXPECT_EQ(field->rotation, c.stored);
    EXPECT_EQ(field->width, 1500) << "a turn alone keeps the size";
    const POINT after = FieldAnchor(*field);
    EXPECT_EQ(after.x, corner.x);
    EXPECT_EQ(after.y, corner.y);
  }
}

TEST_F(ImageSheet, ResizeOptionsOfAnExistingPicture) {
  const std::string path = Picture("resize.png", 300, 150);  // 1500 x 750 mils
  struct Case {
    const char* why;
    uint8_t from, to;
    SIZE expected;
  };
  const Case cases[] = {
      {"Original Size: the picture's own size", kPictureKeepAspect, kPictureOriginalSize, {1500, 750}},
      {"Any Aspect Ratio keeps the field's size", kPictureKeepAspect, kPictureAnyAspect, {1000, 1000}},
      {"Keep Aspect Ratio fits the picture's shape into the old size", kPictureAnyAspect, kPictureKeepAspect,
       {1000, 500}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    CImageField* field = Existing(path, {1000, 1000});
    field->pictureMode = c.from;
    DialogScript script;
    script.Then([&](HWND sheet) {
      ChooseItem(CurrentPage(sheet), IDC_IMG_RESIZE, c.to);
      Press(sheet, IDOK);
    });
    ASSERT_EQ(Run(field), 1);
    EXPECT_EQ(field->pictureMode, c.to);
    EXPECT_EQ(field->width, c.expected.cx);
    EXPECT_EQ(field->height, c.expected.cy);
  }
}

TEST_F(ImageSheet, BrightnessAndContrastStayInTheirBounds) {
  const std::string path = Picture("bounds.png", 120, 80);
  struct Case {
    const char* why;
    const char* brightness;
    const char* contrast;
    std::string brightnessShown, contrastShown;
  };
  const Case cases[] = {
      {"150 and 900 are cut to the upper bounds", "150", "900", "100", "800"},
      {"-500 is cut to -100 in both", "-500", "-500", "-100", "-100"},
      {"values inside are kept as typed", "-35", "420", "-35", "420"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    CImageField* field = Existing(path, {600, 400});
    std::string brightness, contrast;
    DialogScript script;
    script.Then([&](HWND sheet) {
      HWND options = ShowPage(sheet, 1);
      Type(options, IDC_IMG_BRIGHTNESS, c.brightness);
      Type(options, IDC_IMG_CONTRAST, c.contrast);
      brightness = Text(options, IDC_IMG_BRIGHTNESS);
      contrast = Text(options, IDC_IMG_CONTRAST);
      Press(sheet, IDOK);
    });
    ASSERT_EQ(Run(field), 1);
    EXPECT_EQ(brightness, c.brightnessShown);
    EXPECT_EQ(contrast, c.contrastShown);
    EXPECT_EQ(field->picture.lightness, std::stoi(c.brightnessShown));
    EXPECT_EQ(field->picture.contrast, std::stoi(c.contrastShown));
  }
}

TEST_F(ImageSheet, TheSpinnersStepWithinTheBounds) {
  CImageField* field = Existing(Picture("spin.png", 60, 40), {300, 200});
  field->picture.lightness = 99;
  field->picture.contrast = -99;
  DialogScript script;
  script.Then([&](HWND sheet) {
    HWND options = ShowPage(sheet, 1);
    for (int i = 0; i < 3; ++i) Spin(options, IDC_IMG_BRIGHTNESS_SPIN, true);
    for (int i = 0; i < 3; ++i) Spin(options, IDC_IMG_CONTRAST_SPIN, false);
    Press(sheet, IDOK);
  });
  ASSERT_EQ(Run(field), 1);
  EXPECT_EQ(field->picture.lightness, 100);
  EXPECT_EQ(field->picture.contrast, -100);
}

TEST_F(ImageSheet, ColourModesDitheringNegativeAndFlags) {
  CImageField* field = Existing(Picture("modes.png", 90, 60), {450, 300});
  bool ditherShownWithBlackWhite = false, ditherShownWithGrey = true, blackWhiteAfterGrey = true;
  DialogScript script;
  script.Then([&](HWND sheet) {
    HWND options = ShowPage(sheet, 1);
    SetCheck(options, IDC_IMG_BLACK_WHITE, true);
    ditherShownWithBlackWhite = Shown(options, IDC_IMG_DITHER);
    ChooseItem(options, IDC_IMG_DITHER, 3);
    SetCheck(options, IDC_IMG_GRAYSCALE, true);
    blackWhiteAfterGrey = Checked(options, IDC_IMG_BLACK_WHITE);
    ditherShownWithGrey = Shown(options, IDC_IMG_DITHER);
    SetCheck(options, IDC_IMG_NEGATIVE, true);
    SetCheck(options, IDC_IMG_NO_OUTPUT, true);
    SetCheck(options, IDC_IMG_LOCK, true);
    ChooseItem(ShowPage(sheet, 0), IDC_IMG_MIRROR, 3);
    Press(sheet, IDOK);
  });
  ASSERT_EQ(Run(field), 1);
  EXPECT_TRUE(ditherShownWithBlackWhite);
  EXPECT_FALSE(blackWhiteAfterGrey) << "grayscale clears black and white";
  EXPECT_FALSE(ditherShownWithGrey);
  EXPECT_EQ(field->picture.pictureOption, 2);
  EXPECT_EQ(field->picture.ditherMethod, 3);
  EXPECT_EQ(field->picture.invert, 1);
  EXPECT_EQ(field->picture.mirror, 3);
  EXPECT_EQ(field->doNotPrint, 1);
  EXPECT_EQ(field->lockPosition, 1);
}

TEST_F(ImageSheet, AOneBitPictureTakesNoColourAdjustments) {
  CImageField* field = Existing(Picture("mono.bmp", 64, 40, true), {320, 200});
  field->picture.lightness = 20;
  std::string info;
  bool grey = true, brightness = true, contrast = true;
  DialogScript script;
  script.Then([&](HWND sheet) {
    HWND options = ShowPage(sheet, 1);
    info = Text(options, IDC_IMG_INFO);
    grey = Enabled(options, IDC_IMG_GRAYSCALE);
    brightness = Enabled(options, IDC_IMG_BRIGHTNESS);
    contrast = Enabled(options, IDC_IMG_CONTRAST_SPIN);
    Press(sheet, IDOK);
  });
  ASSERT_EQ(Run(field), 1);
  EXPECT_NE(info.find("2 colors(1 bit)"), std::string::npos) << info;
  EXPECT_FALSE(grey);
  EXPECT_FALSE(brightness);
  EXPECT_FALSE(contrast);
  EXPECT_EQ(field->picture.lightness, 20) << "kept as stored";
}

TEST_F(ImageSheet, AnEmptyNameGivesBackTheOldOne) {
  CImageField* field = Existing(Picture("name.png", 60, 40), {300, 200});
  DialogScript script;
  script.Then([](HWND sheet) {
    Type(ShowPage(sheet, 1), IDC_IMG_NAME, "");
    ShowPage(sheet, 0);
    Press(sheet, IDOK);
  });
  ASSERT_EQ(Run(field), 1);
  EXPECT_STREQ(field->name.GetData(), "Image_4");
  DialogScript rename;
  rename.Then([](HWND sheet) {
    Type(ShowPage(sheet, 1), IDC_IMG_NAME, "Logo");
    Press(sheet, IDOK);
  });
  ASSERT_EQ(Run(field), 1);
  EXPECT_STREQ(field->name.GetData(), "Logo");
}

class ImageSheetRoundTrip : public ImageSheet, public ::testing::WithParamInterface<RoundTripUnit> {};

TEST_P(ImageSheetRoundTrip, AnUntouchedOkLeavesRandomImagesAsTheyWere) {
  const std::string pictures[] = {Picture("a.png", 80, 50), Picture("b.bmp", 40, 40, true), Picture("c.jpg", 50, 90)};
  std::mt19937 rng(4711 + GetParam());
  auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  doc.labelSetup.DefaultUnits = static_cast<uint8_t>(GetParam());
  for (int i = 0; i < kRoundTripFields; ++i) {
    CImageField* field = Existing(pictures[any(0, 2)], {any(50, 3999), any(50, 2499)});
    // Kept with the layout (0), linked, prompted, an expression.
    const int types[] = {0, kLinkFile, kPrompt, kExpression};
    field->SetDataSourceType(static_cast<int16_t>(types[any(0, 3)]), 0);
    if (field->dataSourceType == kPrompt) {
      // As the sheet stores a prompt: UTF-16.
      field->prompt = "Which picture?";
      field->prompt.ConvertToWide();
      field->prompt.SetCodePage(1200);
    }
    if (field->dataSourceType == kExpression) field->fileName = "Logo + \".png\"";
    field->offset = {any(0, 3000), any(0, 2000)};
    field->SetRotation(any(0, 359999));
    field->pictureMode = static_cast<uint8_t>(any(0, 2));
    field->picture.mirror = static_cast<uint8_t>(any(0, 3));
    field->picture.pictureOption = static_cast<uint8_t>(any(0, 2));
    field->picture.ditherMethod = static_cast<uint8_t>(any(0, 3));
    field->picture.invert = static_cast<uint8_t>(any(0, 1));
    field->picture.lightness = any(-100, 100);
    field->picture.contrast = any(-100, 800);
    field->doNotPrint = static_cast<uint8_t>(any(0, 1));
    field->lockPosition = static_cast<uint8_t>(any(0, 1));
    // Turned about its position, a picture can lie wholly off the label: the
    // designer keeps every field at least partly on it.
    KeepFieldInsideLabel(*field, doc.labelSetup);
    const std::vector<uint8_t> before = RecordBytes(*field);
    const auto offsetBefore = field->offset;
    const SIZE sizeBefore{field->width, field->height};
    DialogScript script;
    script.Then([](HWND sheet) {
      ShowPage(sheet, 1);
      ShowPage(sheet, 0);
      Press(sheet, IDOK);
    });
    ASSERT_EQ(Run(field), 1) << i;
    const std::vector<uint8_t> after = RecordBytes(*field);
    size_t at = 0;
    while (at < before.size() && at < after.size() && before[at] == after[at]) ++at;
    ASSERT_EQ(after, before) << "#" << i << " first differs at byte " << at << " of " << before.size() << " type "
                             << field->dataSourceType << ", at " << offsetBefore.x << "," << offsetBefore.y << " size "
                             << sizeBefore.cx << "x" << sizeBefore.cy << " turned " << field->rotation << " is now at "
                             << field->offset.x << "," << field->offset.y << " size " << field->width << "x" << field->height;
    doc.fieldList.pop_back();
    CWnd::DeleteTempMap();
  }
  EXPECT_TRUE(messages.shown.empty());
}
TAV_ROUND_TRIP_UNITS(ImageSheetRoundTrip);

TEST_F(ImageSheet, PicturesInEnglishAndChinese) {
  const std::string path = Picture("shown.png", 300, 200);
  for (const dialogstest::PictureLanguage& shot : dialogstest::kPictureLanguages) {
    const int language = shot.language;
    const std::string suffix = shot.suffix;
    LanguageScope scope(language);
    CImageField* field = Existing(path, {1500, 1000});
    field->picture.pictureOption = 1;
    DialogScript script;
    script.Then([&](HWND sheet) {
      uitest::RunUntilIdle();
      EXPECT_TRUE(uitest::SaveWindowPng(sheet, PicturePath(std::string("image_settings_") + suffix + ".png")));
      // The note's light background, below its last line.
      RECT note{};
      HWND info = ::GetDlgItem(CurrentPage(sheet), IDC_IMG_INFO);
      ::GetClientRect(info, &note);
      EXPECT_EQ(uitest::ClientPixel(info, note.right - 4, note.bottom - 3), static_cast<COLORREF>(0xFFE9E9));
      ShowPage(sheet, 1);
      EXPECT_TRUE(uitest::SaveWindowPng(sheet, PicturePath(std::string("image_options_") + suffix + ".png")));
      Press(sheet, IDCANCEL);
    });
    EXPECT_EQ(Run(field), 0);
  }
}

// Add Image: the sheet makes the field, the next click places it; double
// click (with undo) and Properties open the sheet on it.
TEST_F(ImageSheet, TheDesignViewOpensTheSheet) {
  const std::string path = Picture("view.png", 200, 100);
  const FieldSheetRunners runners{.runImageSetupSheet = &RunImageSetupSheet};
  SetFieldSheetRunners(&runners);
  {
    viewtest::Session s(4000, 2500);
    s.doc->labelSetup.dpiX = s.doc->labelSetup.dpiY = 200;
    EXPECT_TRUE(CommandEnabled(s.view, viewcmd::kAddImage));
    DialogScript cancel;
    cancel.Then([](HWND sheet) { Press(sheet, IDCANCEL); });
    s.Command(viewcmd::kAddImage);
    EXPECT_TRUE(s.doc->fieldList.empty());
    DialogScript ok;
    ok.Then([&](HWND sheet) {
      PickFile(ok, CurrentPage(sheet), path);
      Press(sheet, IDOK);
    });
    s.Command(viewcmd::kAddImage);
    EXPECT_EQ(s.view->EditMode(), kModePlaceImage);
    uitest::Click(s.hwnd(), s.Px(1000, 800));
    uitest::RunUntilIdle();
    ASSERT_EQ(s.doc->fieldList.size(), 1u);
    auto* placed = dynamic_cast<CImageField*>(s.doc->fieldList[0].get());
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->width, 1000);
    EXPECT_EQ(placed->height, 500);
    DialogScript edit;
    edit.Then([](HWND sheet) {
      ChooseItem(CurrentPage(sheet), IDC_IMG_MIRROR, 1);
      Press(sheet, IDOK);
    });
    uitest::DoubleClick(s.hwnd(), s.Body(placed));
    uitest::RunUntilIdle();
    EXPECT_EQ(placed->picture.mirror, 1);
    s.Command(viewcmd::kEditUndo);
    auto* restored = static_cast<CImageField*>(s.doc->fieldList[0].get());
    EXPECT_EQ(restored->picture.mirror, 0);
    // Properties on the selected picture: the same sheet.
    uitest::Click(s.hwnd(), s.Body(restored));
    uitest::RunUntilIdle();
    EXPECT_TRUE(CommandEnabled(s.view, viewcmd::kProperties));
    DialogScript properties;
    properties.Then([](HWND sheet) {
      ChooseItem(CurrentPage(sheet), IDC_IMG_MIRROR, 2);
      Press(sheet, IDOK);
    });
    s.Command(viewcmd::kProperties);
    uitest::RunUntilIdle();
    EXPECT_EQ(properties.captions.size(), 1u);
    EXPECT_EQ(static_cast<CImageField*>(s.doc->fieldList[0].get())->picture.mirror, 2);
  }
  SetFieldSheetRunners(nullptr);
}

}  // namespace
