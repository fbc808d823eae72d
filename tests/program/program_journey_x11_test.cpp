// The tavrendel program on its own X server with a window manager, driven by
// xdotool as a person would: a new layout drawn, saved through the save
// dialog and opened again; a layout with a picture opened from another
// working folder; an exit with unsaved changes stepped back from; the
// rulers' hover tip beside the ruler corner.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/core/instance_channel.h"
#include "designer_app_fixture.h"
#include "document/file/layout_file.h"
#include "fields/model/field_kinds.h"
#include "image/bitmap/plwinbmp.h"
#include "image/encode/plpngencoder.h"
#include "platform/gdi/gdi_owners.h"
#include "program_x11_fixture.h"

namespace {

using apptest::WaitUntil;

class ProgramJourney : public apptest::ProgramX11Test {
 protected:
  // Keys to the designer's main window, after it has the focus.
  void Keys(const std::vector<std::string>& keys) {
    const std::string main = WindowNamed("Tavrendel");
    ASSERT_FALSE(main.empty());
    Xdo({"windowactivate", "--sync", main});
    for (const std::string& k : keys) {
      Xdo({"key", "--clearmodifiers", k});
      Settle();
    }
  }
  void Drag(int x0, int y0, int x1, int y1) {
    Xdo({"mousemove", "--sync", std::to_string(x0), std::to_string(y0)});
    Xdo({"mousedown", "1"});
    Xdo({"mousemove", "--sync", std::to_string((x0 + x1) / 2), std::to_string((y0 + y1) / 2)});
    Xdo({"mousemove", "--sync", std::to_string(x1), std::to_string(y1)});
    Xdo({"mouseup", "1"});
    Settle();
  }
  int CountPixels(uint32_t rgb) {
    int n = 0;
    for (uint32_t p : server.Screenshot()) n += (p & 0xFFFFFF) == rgb ? 1 : 0;
    return n;
  }
};

TEST_F(ProgramJourney, NewLayoutSavedThroughTheDialogComesBack) {
  ASSERT_TRUE(server.Running());
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  const pid_t designer = runner.Start({});
  ASSERT_TRUE(WaitUntil(MainAnswers));
  ASSERT_TRUE(WaitForWindow("Tavrendel"));
  Picture("journey_1_started");

  Keys({"ctrl+n"});
  ASSERT_TRUE(WaitForWindow("Layout1"));
  Picture("journey_2_new");
  // A box and a line, each from the Layout menu and drawn with the mouse.
  Keys({"alt+l", "x"});
  Drag(520, 420, 700, 520);
  Keys({"alt+l", "l"});
  Drag(520, 600, 760, 600);
  Picture("journey_3_box_and_line");

  // Save As, through the program's save dialog.
  const std::string file = temp / "journey.bcd";
  Keys({"alt+f", "a"});
  ASSERT_TRUE(WaitForWindow("Save As"));
  Picture("journey_4_save_dialog");
  // A dialog's frame offers to move and close it, not to minimise or maximise.
  std::string hints;
  server.Run({"xprop", "-id", WindowNamed("Save As"), "_MOTIF_WM_HINTS"}, &hints);
  EXPECT_NE(hints.find("= 0x3, 0x24, 0x1a,"), std::string::npos) << hints;
  // What the window manager made of them: the dialog cannot be maximised or
  // sized (its size hints give it one size).
  std::string allowed;
  server.Run({"xprop", "-id", WindowNamed("Save As"), "_NET_WM_ALLOWED_ACTIONS"}, &allowed);
  EXPECT_EQ(allowed.find("_NET_WM_ACTION_MAXIMIZE"), std::string::npos) << allowed;
  EXPECT_EQ(allowed.find("_NET_WM_ACTION_RESIZE"), std::string::npos) << allowed;
  // A modal dialog of the main window, as the window manager is told: it
  // stays over the main window and goes with it.
  std::string kind;
  server.Run({"xprop", "-id", WindowNamed("Save As"), "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE", "WM_TRANSIENT_FOR"},
             &kind);
  EXPECT_NE(kind.find("_NET_WM_WINDOW_TYPE_DIALOG"), std::string::npos) << kind;
  EXPECT_NE(kind.find("_NET_WM_STATE_MODAL"), std::string::npos) << kind;
  std::string mainId;
  server.Run({"xdotool", "search", "--onlyvisible", "--name", "^Tavrendel"}, &mainId);
  char transientFor[32];
  std::snprintf(transientFor, sizeof transientFor, "window id # 0x%lx", std::stoul(mainId.substr(0, mainId.find('\n'))));
  EXPECT_NE(kind.find(transientFor), std::string::npos) << kind;
  Xdo({"type", "--delay", "20", file});
  Xdo({"key", "Return"});
  ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(file); }, 20));
  ASSERT_TRUE(WaitForWindow("journey"));
  Picture("journey_5_saved");

  // Exit, with nothing left unsaved: the program ends.
  Keys({"alt+f", "x"});
  EXPECT_EQ(runner.Wait(designer, 30), 0);
  CLabelSetup setup;
  CFieldList fields;
  ASSERT_EQ(LoadLayoutFile(file.c_str(), nullptr, setup, fields, nullptr), 1);
  ASSERT_EQ(fields.size(), 2u);
  EXPECT_TRUE(fields[0]->IsKind(FieldKind::kBox));
  EXPECT_TRUE(fields[1]->IsKind(FieldKind::kLine));

  // Started again with the file: its window, its fields drawn.
  const pid_t again = runner.Start({file});
  ASSERT_TRUE(WaitUntil(MainAnswers));
  ASSERT_TRUE(WaitForWindow("journey"));
  Picture("journey_6_opened_again");
  EXPECT_GT(CountPixels(0x000000), 400) << "the box and the line are drawn";

  // A change, then Exit: the question offers Cancel, and Cancel keeps the
  // program running with the change.
  Keys({"alt+l", "x"});
  Drag(760, 420, 860, 480);
  Keys({"alt+f", "x"});
  ASSERT_TRUE(WaitForWindow("^Tavrendel$"));
  Picture("journey_7_exit_question");
  Xdo({"key", "Escape"});
  Settle();
  // "Document not saved!" follows a refused close.
  if (!WindowNamed("^Tavrendel$").empty()) Xdo({"key", "Return"});
  Settle();
  EXPECT_EQ(runner.Wait(again, 1), -1) << "the program still runs";
  EXPECT_FALSE(WindowNamed("journey").empty());
  Picture("journey_8_still_running");
  // Exit again, this time leaving the change unsaved: the program ends.
  Keys({"alt+f", "x"});
  ASSERT_TRUE(WaitForWindow("^Tavrendel$"));
  Xdo({"key", "n"});
  EXPECT_EQ(runner.Wait(again, 30), 0);
}

// A layout beside its picture, the picture named without a folder.
void WritePictureLayout(const std::string& folder) {
  constexpr int kSide = 64;
  UniqueDc dc(CreateCompatibleDC(nullptr));
  UniqueBitmap bitmap;
  {
    WindowDc screen;
    bitmap.reset(CreateCompatibleBitmap(screen.get(), kSide, kSide));
  }
  ASSERT_TRUE(dc && bitmap);
  {
    SelectScope select(dc.get(), bitmap.get());
    UniqueBrush colour(CreateSolidBrush(RGB(0xE0, 0x10, 0x70)));
    const RECT all{0, 0, kSide, kSide};
    FillRect(dc.get(), &all, colour.get());
  }
  PLWinBmp picture;
  ASSERT_TRUE(picture.CreateFromHBitmap(bitmap.get()));
  ASSERT_EQ(PLPNGEncoder().MakeFileFromBmp((folder + "/emblem.png").c_str(), &picture), 1);
  CLabelSetup setup;
  setup.LoadDefaults();
  CFieldList fields;
  auto image = std::make_unique<CImageField>();
  image->fileName = "emblem.png";
  image->useFolder = 0;
  image->dataSourceType = 1;  // linked to its file
  image->offset = {500, 500};
  image->width = 1500;
  image->height = 1500;
  fields.push_back(std::move(image));
  ASSERT_EQ(SaveLayoutFile((folder + "/pictured.bcd").c_str(), setup, fields, SaveVersions::kFreshStore), 1);
}

TEST_F(ProgramJourney, APictureIsFoundBesideItsLayoutFromAnotherFolder) {
  ASSERT_TRUE(server.Running());
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  std::filesystem::create_directories(temp / "labels");
  std::filesystem::create_directories(temp / "elsewhere");
  WritePictureLayout(temp / "labels");
  pid_t designer = -1;
  {
    apptest::InFolder elsewhere(temp / "elsewhere");
    designer = runner.Start({temp / "labels/pictured.bcd"});
  }
  ASSERT_TRUE(WaitUntil(MainAnswers));
  ASSERT_TRUE(WaitForWindow("pictured"));
  Picture("picture_from_another_folder");
  EXPECT_GT(CountPixels(0xE01070), 1000) << "the picture is drawn";
  EXPECT_EQ(runner.Run({"-q"}), 0);
  EXPECT_EQ(runner.Wait(designer, 30), 0);
}


// A box on the screen: where pixels of one colour lie.
struct Area {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1, count = 0;
  bool Empty() const { return count == 0; }
};
Area AreaOf(const std::vector<uint32_t>& screen, int width, uint32_t rgb, int fromY = 0) {
  Area a;
  for (size_t i = static_cast<size_t>(fromY) * width; i < screen.size(); ++i) {
    if ((screen[i] & 0xFFFFFF) != rgb) continue;
    const int x = static_cast<int>(i % width), y = static_cast<int>(i / width);
    a.left = std::min(a.left, x);
    a.right = std::max(a.right, x);
    a.top = std::min(a.top, y);
    a.bottom = std::max(a.bottom, y);
    ++a.count;
  }
  return a;
}

TEST_F(ProgramJourney, TheRulersHoverTipShowsBesideTheRulerCorner) {
  constexpr int kWidth = 1280;
  constexpr uint32_t kActiveCaption = 0x0A246A, kCornerGlyph = 0x0000A0, kPane = 0xFEFCD7;
  ASSERT_TRUE(server.Running());
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  std::filesystem::create_directories(temp / "ruler");
  WritePictureLayout(temp / "ruler");
  const pid_t designer = runner.Start({temp / "ruler/pictured.bcd"});
  ASSERT_TRUE(WaitUntil(MainAnswers));
  ASSERT_TRUE(WaitForWindow("pictured"));
  Settle();
  // The layout window's caption, then the corner where its rulers meet: the
  // small label drawn in it, below the caption.
  const Area caption = AreaOf(server.Screenshot(), kWidth, kActiveCaption);
  ASSERT_FALSE(caption.Empty());
  Area corner = AreaOf(server.Screenshot(), kWidth, kCornerGlyph, caption.bottom + 1);
  ASSERT_FALSE(corner.Empty());
  ASSERT_LT(corner.top, caption.bottom + 40) << "the corner lies under the layout window's caption";
  ASSERT_LT(corner.right, caption.left + 60);
  EXPECT_TRUE(AreaOf(server.Screenshot(), kWidth, kPane).Empty()) << "no tip before the pointer rests";

  // The pointer rests on the corner: the tip appears to its right.
  Xdo({"mousemove", "--sync", std::to_string((corner.left + corner.right) / 2),
       std::to_string((corner.top + corner.bottom) / 2)});
  Area pane;
  ASSERT_TRUE(WaitUntil([&] { return (pane = AreaOf(server.Screenshot(), kWidth, kPane)).count > 400; }, 10));
  Picture("ruler_tip");
  EXPECT_GE(pane.left, corner.right);
  EXPECT_LE(pane.left, corner.right + 40) << "beside the corner";
  EXPECT_GE(pane.top, corner.top - 30);
  EXPECT_LE(pane.top, corner.bottom);
  EXPECT_GT(pane.right - pane.left, 100) << "wide enough for its text";
  // Its text, in blue (smoothed at its edges): bluish pixels inside it.
  const std::vector<uint32_t> shot = server.Screenshot();
  int blue = 0;
  for (int y = pane.top; y <= pane.bottom; ++y) {
    for (int x = pane.left; x <= pane.right; ++x) {
      const uint32_t p = shot[static_cast<size_t>(y) * kWidth + x];
      blue += (p & 0xFF) > 150 && (p >> 16 & 0xFF) < 120 && (p >> 8 & 0xFF) < 120;
    }
  }
  EXPECT_GT(blue, 40) << "its text is written";

  // The pointer leaves for the label: the tip goes.
  Xdo({"mousemove", "--sync", "640", "600"});
  EXPECT_TRUE(WaitUntil([&] { return AreaOf(server.Screenshot(), kWidth, kPane).Empty(); }, 10));
  Picture("ruler_tip_gone");
  EXPECT_EQ(runner.Run({"-q"}), 0);
  EXPECT_EQ(runner.Wait(designer, 30), 0);
}

}  // namespace

namespace {

// Rows where the empty workspace (the MDI client's grey) shows in the main
// window's rightmost columns, where the client's own scroll bar would be.
int WorkspaceAtTheRightEdge(const x11test::Server& server, const std::string& main) {
  constexpr int kWidth = 1280;
  std::string shape;
  server.Run({"xdotool", "getwindowgeometry", "--shell", main}, &shape);
  int x = 0, y = 0, width = 0, height = 0;
  std::istringstream lines(shape);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("X=", 0) == 0) x = std::atoi(line.c_str() + 2);
    if (line.rfind("Y=", 0) == 0) y = std::atoi(line.c_str() + 2);
    if (line.rfind("WIDTH=", 0) == 0) width = std::atoi(line.c_str() + 6);
    if (line.rfind("HEIGHT=", 0) == 0) height = std::atoi(line.c_str() + 7);
  }
  if (width <= 0 || height <= 0) return -1;
  const std::vector<uint32_t> shot = server.Screenshot();
  // Rows holding a run of that grey wider than a frame's edge lines.
  int rows = 0;
  for (int row = y + height * 3 / 10; row < y + height * 9 / 10; ++row) {
    int run = 0, longest = 0;
    for (int col = x + width - 12; col < x + width; ++col) {
      run = (shot[static_cast<size_t>(row) * kWidth + col] & 0xFFFFFF) == 0x808080 ? run + 1 : 0;
      longest = std::max(longest, run);
    }
    rows += longest >= 6;
  }
  return rows;
}

// Dark pixels (ticks and numbers) in the horizontal ruler of the active
// layout window: the band below its caption, right of the ruler corner.
int ActiveRulerMarks(const x11test::Server& server) {
  constexpr int kWidth = 1280;
  constexpr uint32_t kActiveCaption = 0x0A246A;
  const std::vector<uint32_t> shot = server.Screenshot();
  // The layout window's caption: the active caption colour below the main
  // window's own (which the window manager draws in its own colours).
  int left = kWidth, right = -1, bottom = -1;
  for (size_t i = 0; i < shot.size(); ++i) {
    if ((shot[i] & 0xFFFFFF) != kActiveCaption) continue;
    const int x = static_cast<int>(i % kWidth), y = static_cast<int>(i / kWidth);
    left = std::min(left, x), right = std::max(right, x), bottom = std::max(bottom, y);
  }
  if (right < 0) return -1;
  int dark = 0;
  for (int y = bottom + 1; y < bottom + 36 && y < static_cast<int>(shot.size() / kWidth); ++y) {
    for (int x = left + 45; x < right - 10; ++x) {
      const uint32_t p = shot[static_cast<size_t>(y) * kWidth + x];
      dark += ((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) / 3 < 80;
    }
  }
  return dark;
}

// Two layouts tiled from the Window menu: they share the main window's
// client between them, to its edges (the client's scroll bars, shown while
// a restored window reached past it, are gone once the windows are tiled),
// and the active one's rulers show their scales once cascaded.
TEST_F(ProgramJourney, TiledLayoutsFillTheMainWindowCascadedOnesShowTheirRulers) {
  ASSERT_TRUE(server.Running());
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  for (const char* name : {"shipping_label.bcd", "product_label.bcd", "product_picture.png"})
    std::filesystem::copy_file(std::string(TAV_SOURCE_DIR) + "/examples/" + name, temp / name);
  const pid_t designer = runner.Start({temp / "shipping_label.bcd"});
  ASSERT_TRUE(WaitUntil(MainAnswers));
  ASSERT_TRUE(WaitForWindow("shipping_label"));
  EXPECT_EQ(runner.Run({temp / "product_label.bcd"}), 0);
  ASSERT_TRUE(WaitForWindow("product_label"));
  Picture("tile_0_opened");
  Keys({"alt+w", "t"});
  Picture("tile_1_tiled");
  // A frame's bottom edge line may cross the columns; a left bar's width of
  // workspace would show on every row.
  const int rows = WorkspaceAtTheRightEdge(server, WindowNamed("Tavrendel"));
  EXPECT_GE(rows, 0);
  EXPECT_LT(rows, 4) << "the tiled windows reach the main window's right edge";
  EXPECT_GT(ActiveRulerMarks(server), 100) << "the active layout's ruler shows its scale once tiled";
  Keys({"alt+w", "c"});
  Picture("tile_2_cascaded");
  EXPECT_GT(ActiveRulerMarks(server), 100) << "the active layout's ruler shows its scale";
  EXPECT_EQ(runner.Run({"-q"}), 0);
  EXPECT_EQ(runner.Wait(designer, 30), 0);
}

}  // namespace
