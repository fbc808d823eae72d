// After OK the image field draws as the sheet set it: the label rendered to
// PNG as the headless renderer writes it, read back by ImageMagick, and the
// picture's halves compared with what mirror and negative make of a
// red-and-blue picture that ImageMagick drew.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "dialogs/image/image_ids.h"
#include "dialogs/image/image_sheet.h"
#include "document/file/layout_file.h"
#include "document/render/layout_png.h"
#include "fields/geometry/field_outline.h"
#include "fields/model/field_kinds.h"
#include "fields/services/label_setup.h"
#include "tests/app/dialog_script.h"
#include "tests/dialogs/dialogs_test_support.h"
#include "tests/dialogs/image_sheet_support.h"
#include "tests/document/export_oracles.h"
#include "tests/document/view_session.h"

namespace {

using apptest::DialogScript;
using namespace dialogstest;
using namespace imagesheettest;

struct Colour {
  int r, g, b;
};

Colour At(const document_test::Rgb& picture, int x, int y) {
  const size_t at = (static_cast<size_t>(y) * static_cast<size_t>(picture.width) + static_cast<size_t>(x)) * 3;
  return {picture.bytes[at], picture.bytes[at + 1], picture.bytes[at + 2]};
}

bool Near(Colour a, Colour b) { return std::abs(a.r - b.r) < 25 && std::abs(a.g - b.g) < 25 && std::abs(a.b - b.b) < 25; }

std::string Show(Colour c) {
  return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
}

TEST(ImageSheetDraw, TheFieldDrawsAsTheSheetSetIt) {
  viewtest::ShellApp app;
  MessageRecorder messages;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tav-image-draw-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string picture = (folder / "halves.png").string();
  DrawPicture(picture, 100, 50, "xc:'#c80000' -fill '#0000c8' -draw 'rectangle 50,0 99,49'");
  // The negative is the video negative: the value (the largest component)
  // turned over, hue and saturation kept.
  constexpr Colour kRed{200, 0, 0}, kBlue{0, 0, 200}, kDarkRed{55, 0, 0}, kDarkBlue{0, 0, 55};
  struct Case {
    const char* why;
    int mirror;
    bool negative;
    Colour left, right;  // what the left and right quarters show
  };
  const Case cases[] = {
      {"as it is", 0, false, kRed, kBlue},
      {"mirrored left to right", 1, false, kBlue, kRed},
      {"negative", 0, true, kDarkRed, kDarkBlue},
      {"mirrored and negative", 1, true, kDarkBlue, kDarkRed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    CLabelSetup setup;
    setup.dpiX = setup.dpiY = 200;
    setup.labelWidth = 1000;
    setup.labelHeight = 500;
    CFieldList fields;
    auto owned = std::make_unique<CImageField>();
    CImageField* field = owned.get();
    field->name = "Image_1";
    field->SetDataSourceType(1, 0);
    field->useFolder = 0;
    field->fileName = picture.c_str();
    field->offset = {250, 125};
    field->width = 500;  // the picture's 100 x 50 pixels at 200 dpi
    field->height = 250;
    fields.push_back(std::move(owned));
    DialogScript script;
    script.Then([&](HWND sheet) {
      ChooseItem(CurrentPage(sheet), IDC_IMG_MIRROR, c.mirror);
      HWND options = ShowPage(sheet, 1);
      SetCheck(options, IDC_IMG_NEGATIVE, c.negative);
      Press(sheet, IDOK);
    });
    CField* edited = field;
    ASSERT_EQ(RunImageSetupSheet(&setup, &edited, fields, nullptr), 1);
    const RECT box = GetFieldBoundingRect(*field, 0, 0, 0, 0);
    const std::string layout = (folder / "label.bcd").string();
    const std::string png = PicturePath(std::string("image_sheet_drawn_") + std::to_string(c.mirror) +
                                        (c.negative ? "_negative" : "") + ".png");
    ASSERT_EQ(SaveLayoutFile(layout.c_str(), setup, fields, SaveVersions::kFreshStore), 1);
    ASSERT_EQ(RenderLayoutFileToPng(layout.c_str(), png.c_str(), 200), 1);
    const auto read = document_test::ReadWithImageMagick(png);
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(read->width, 200);
    // The quarters of the field's box, in pixels at 200 dpi.
    const int left = (box.left * 3 + box.right) / 4 / 5, right = (box.left + box.right * 3) / 4 / 5;
    const int middle = (box.top + box.bottom) / 2 / 5;
    const Colour shownLeft = At(*read, left, middle), shownRight = At(*read, right, middle);
    EXPECT_TRUE(Near(shownLeft, c.left)) << Show(shownLeft);
    EXPECT_TRUE(Near(shownRight, c.right)) << Show(shownRight);
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
