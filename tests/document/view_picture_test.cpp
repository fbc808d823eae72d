// Pictures of the design view at three zooms (saved in the build folder to
// look at), with the pixels that say what the picture shows: the desk, the
// label, its hole and border, the grid, the fields and their handles.
#include <gtest/gtest.h>

#include <string>

#include "fields/geometry/field_geometry.h"
#include "fields/measure/field_measure.h"
#include "view_session.h"

namespace {

using viewtest::Session;
using viewtest::ShellApp;

constexpr COLORREF kDesk = RGB(145, 155, 195);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kAnchorFill = RGB(220, 220, 255);

// An elliptical label with a hole and a border, a box, a turned text, an
// ellipse and a line; the box and the text selected, the box the anchor.
void Decorate(Session& s) {
  CLabelSetup& setup = s.doc->labelSetup;
  setup.deflt_shape = 2;
  setup.deflt_hasHoleDiameter = 1;
  setup.deflt_holeDiameter = 500;
  setup.deflt_hasBorder = 1;
  setup.border.width = 40;
  setup.border.color = static_cast<int32_t>(RGB(0, 0, 160));
  CBoxField* box = s.Add<CBoxField>(800, 600, 900, 500);
  // The text's box is the measured one, as the designer gives it, so its
  // handles surround the turned text.
  auto* text = s.Add<CTextField>(2300, 1300, 0, 0, 30000);
  text->data = "Turned text";
  text->logFont.lfHeight = 16;
  const SIZE measured = MeasureField(*text, s.doc->fieldList, setup, 0);
  text->width = measured.cx;
  text->height = measured.cy;
  s.Add<CEllipseField>(2400, 500, 700, 400);
  s.Add<CLineField>(900, 1800, 1500, 20);
  // A rounded rectangle as the view draws one: 13-mil outline, a corner
  // radius of a fifth of its shorter side.
  s.doc->AddEllipseField(RECT{1300, 150, 2100, 450}, 0, 13, 300 / 5 + 1);
  s.view->Selection().Add(box);
  s.view->Selection().Add(text);
}

class DesignViewPicture : public ::testing::TestWithParam<int> {
 protected:
  ShellApp app;
};

TEST_P(DesignViewPicture, ShowsLabelGridFieldsAndHandles) {
  const int zoom = GetParam();
  app.gridShown = true;
  app.gridSpacing = 100;
  Session s(4000, 2500, zoom, {900, 620});
  Decorate(s);
  s.view->ChooseAnchorField();
  s.Repaint();
  const std::string path = std::string(TAV_BUILD_DIR) + "/design_view_zoom" + std::to_string(zoom) + ".png";
  EXPECT_TRUE(uitest::SaveWindowPng(s.hwnd(), path));

  const HWND w = s.hwnd();
  // The corner outside the ellipse is desk; the label's middle row is white
  // away from the fields; the hole in the middle is desk again.
  EXPECT_EQ(uitest::ClientPixel(w, 2, 2), kDesk);
  const POINT centre = s.Px(2000, 1250);
  if (centre.x < 880 && centre.y < 600) {
    EXPECT_EQ(uitest::ClientPixel(w, centre.x, centre.y), kDesk);
  }
  const POINT clear = s.Px(600, 1250);
  if (clear.x < 880 && clear.y < 600) {
    const COLORREF c = uitest::ClientPixel(w, clear.x + 1, clear.y + 1);
    EXPECT_TRUE(c == kWhite || c == kBlack) << std::hex << c;  // white, or a grid point
  }
  // The grid: a black point at every 100 mils from the origin when its step
  // is more than 4 pixels.
  // (1000, 1000) mils lands on the pixel (zoom + 0.5) truncated.
  const COLORREF g = uitest::ClientPixel(w, zoom, zoom);
  EXPECT_EQ(g, kBlack) << "grid point at zoom " << zoom;
  // Handles: the red origin of each selected field, and the anchor's squares filled.
  const POINT origin = s.Px(800, 600);
  EXPECT_EQ(uitest::ClientPixel(w, origin.x, origin.y), kRed);
  const POINT right = s.Px(1700, 850);
  EXPECT_EQ(uitest::ClientPixel(w, right.x, right.y), kAnchorFill);
  // The unselected ellipse has no handles.
  const POINT ellipseCorner = s.Px(2400, 500);
  EXPECT_NE(uitest::ClientPixel(w, ellipseCorner.x, ellipseCorner.y), kRed);
  // The rounded rectangle at 400: its corner cut off (white inside the
  // label), its top edge inked.
  if (zoom == 400) {
    const POINT corner = s.Px(1300, 150);
    EXPECT_EQ(uitest::ClientPixel(w, corner.x + 1, corner.y + 1), kWhite);
    const POINT top = s.Px(1700, 150);
    bool inked = false;
    for (int dy = 0; dy < 8; ++dy) inked = inked || uitest::ClientPixel(w, top.x, top.y + dy) == kBlack;
    EXPECT_TRUE(inked);
  }
}

INSTANTIATE_TEST_SUITE_P(Zooms, DesignViewPicture, ::testing::Values(50, 150, 400));

TEST(DesignViewDrawing, RectangularLabelWithRoundedCornersAndBorder) {
  ShellApp app;
  Session s(4000, 2500, 150, {700, 450});
  CLabelSetup& setup = s.doc->labelSetup;
  setup.deflt_shape = 0;
  setup.deflt_hasBorder = 1;
  setup.border.width = 20;
  s.Repaint();
  const HWND w = s.hwnd();
  // The label is 600 x 375 pixels; right of it and below it is desk.
  EXPECT_EQ(uitest::ClientPixel(w, 650, 100), kDesk);
  EXPECT_EQ(uitest::ClientPixel(w, 100, 420), kDesk);
  EXPECT_EQ(uitest::ClientPixel(w, 300, 200), kWhite);
  // The top-left corner is rounded off: desk at the very corner.
  EXPECT_EQ(uitest::ClientPixel(w, 0, 0), kDesk);
  EXPECT_EQ(setup.cornerSize, 2500 / 30);
  // The border (3 pixels at zoom 150) runs along the top edge.
  EXPECT_EQ(uitest::ClientPixel(w, 300, 1), kBlack);
}

}  // namespace
