// The image sheet in the real program on its own X server with a window
// manager, driven by xdotool as a person would: an image field of a layout
// (a plain green picture) double-clicked in the design view, the path of
// another picture (four coloured quarters, drawn by ImageMagick) typed over
// the file box's entry, OK; the view draws the new picture where the old
// one was, quarter by quarter, and the layout saved with Ctrl+S names it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "document/file/layout_file.h"
#include "fields/model/field_kinds.h"
#include "program_x11_fixture.h"
#include "screen_pixels.h"
#include "tests/dialogs/image_sheet_support.h"

namespace {

using apptest::Pixel;
using apptest::WaitUntil;

constexpr int kWidth = apptest::ProgramX11Test::kScreenWidth, kHeight = apptest::ProgramX11Test::kScreenHeight;
constexpr int kLinkFile = 1;
constexpr uint32_t kOldGreen = 0x00C000;
// The new picture's quarters: top left, top right, bottom left, bottom right.
constexpr uint32_t kQuarters[] = {0xFF0000, 0x0000FF, 0xFFFF00, 0xFF00FF};

bool Near(uint32_t a, uint32_t b) {
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 40) return false;
  return true;
}

// The box around the screen's pixels of a colour; empty when fewer than
// `least` have it.
RECT BoxOf(const std::vector<uint32_t>& screen, uint32_t colour, int least = 400) {
  RECT box{kWidth, kHeight, -1, -1};
  int count = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (Near(Pixel(screen, x, y), colour)) {
        ++count;
        box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
               std::max<LONG>(box.bottom, y + 1)};
      }
  return count >= least ? box : RECT{};
}

// Whether the middle of each quarter of the box shows its colour.
bool QuartersShown(const std::vector<uint32_t>& screen, const RECT& box) {
  const int w = box.right - box.left, h = box.bottom - box.top;
  for (int q = 0; q < 4; ++q) {
    const int x = box.left + w / 4 + (q % 2) * w / 2, y = box.top + h / 4 + (q / 2) * h / 2;
    if (!Near(Pixel(screen, x, y), kQuarters[q])) return false;
  }
  return true;
}

// The tops of the white runs at least `least` high down a column: edit boxes.
std::vector<int> WhiteRuns(const std::vector<uint32_t>& screen, int x, int fromY, int toY, int least) {
  std::vector<int> tops;
  int top = -1;
  for (int y = fromY; y < toY; ++y) {
    if (Pixel(screen, x, y) == 0xFFFFFF) {
      if (top < 0) top = y;
      if (y - top + 1 == least) tops.push_back(top);
    } else {
      top = -1;
    }
  }
  return tops;
}

class ImageSheetX11 : public apptest::ProgramX11Test {};

// A layout of one image field linked to the picture at `picture`.
void WriteImageLayout(const std::string& path, const std::string& picture) {
  CLabelSetup setup;
  setup.LoadDefaults();
  auto field = std::make_unique<CImageField>();
  field->name = "Image_1";
  field->SetDataSourceType(kLinkFile, 0);
  field->useFolder = 0;
  field->fileName = picture.c_str();
  field->offset = {400, 400};
  field->width = 1600;
  field->height = 1000;
  CFieldList fields;
  fields.push_back(std::move(field));
  ASSERT_EQ(SaveLayoutFile(path.c_str(), setup, fields, SaveVersions::kFreshStore), 1);
}

TEST_F(ImageSheetX11, TypedPicturePathIsDrawnAndSaved) {
  ASSERT_TRUE(server.Running());
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  const std::string oldPicture = temp / "green.png";
  const std::string newPicture = temp / "quarters.png";
  imagesheettest::DrawPicture(oldPicture, 160, 100, "xc:'#00c000'");
  imagesheettest::DrawPicture(newPicture, 160, 100,
                              "xc:'#ff00ff' -fill '#ff0000' -draw 'rectangle 0,0 79,49' -fill '#0000ff' -draw "
                              "'rectangle 80,0 159,49' -fill '#ffff00' -draw 'rectangle 0,50 79,99'");
  const std::string file = temp / "pictures.bcd";
  WriteImageLayout(file, oldPicture);
  const pid_t designer = runner.Start({file});
  ASSERT_TRUE(WaitUntil(MainAnswers));
  ASSERT_TRUE(WaitForWindow("pictures"));
  RECT field{};
  ASSERT_TRUE(WaitUntil([&] { return (field = BoxOf(server.Screenshot(), kOldGreen)).right > 0; }, 20))
      << "the green picture is drawn";
  Picture("image_sheet_1_layout");

  // A double click on the picture opens its sheet.
  std::vector<long> box;
  ASSERT_NO_FATAL_FAILURE(OpenWithDoubleClick((field.left + field.right) / 2, (field.top + field.bottom) / 2,
                                              "Image Setup", "image_sheet_2_opened", &box));
  ASSERT_GT(box[2], 300);

  // The file box: the second white box down a column through the right part
  // of the data source list and of the file box, past their texts.
  const int column = static_cast<int>(box[0] + box[2] * 6 / 10);
  const std::vector<int> boxes = WhiteRuns(server.Screenshot(), column, static_cast<int>(box[1]),
                                           static_cast<int>(box[1] + box[3] / 2), 12);
  ASSERT_GE(boxes.size(), 2u) << "the data source list and the file box";
  const int pathTop = boxes[1];
  ClickAt(column, pathTop + 6);
  Xdo({"key", "--clearmodifiers", "End"});
  Xdo({"key", "--clearmodifiers", "shift+Home"});
  Xdo({"type", "--delay", "20", newPicture});
  Settle();
  Picture("image_sheet_3_typed");
  Xdo({"key", "Return"});  // the sheet's default button: OK
  ASSERT_TRUE(WaitUntil([&] { return WindowNamed("Image Setup").empty(); }, 20)) << "the sheet closed with OK";

  // The view draws the new picture where the green one was.
  std::vector<uint32_t> screen;
  ASSERT_TRUE(WaitUntil([&] { return QuartersShown(screen = server.Screenshot(), field); }, 20))
      << "the quarters are drawn in the field's place";
  Picture("image_sheet_4_drawn");
  EXPECT_EQ(BoxOf(screen, kOldGreen).right, 0) << "no green left";

  // Saved: the layout names the typed picture.
  ASSERT_NO_FATAL_FAILURE(SaveAndQuit("pictures", file, designer));
  SavedLayout<CImageField> layout;
  ASSERT_NO_FATAL_FAILURE(LoadSavedField(file, &layout));
  const CImageField* saved = layout.field;
  EXPECT_EQ(std::string(saved->fileName.GetData()), newPicture);
  EXPECT_EQ(saved->dataSourceType, kLinkFile);
}

}  // namespace
