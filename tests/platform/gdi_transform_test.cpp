// Coordinate spaces, the world transform, saved states and device capabilities.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/gdi/gdi_internal.h"
#include "tests/platform/gdi_test_util.h"

namespace {

using namespace gditest;

TEST(GdiMapping, AnisotropicScalesAndMovesLogicalUnits) {
  Canvas c(60, 70);
  EXPECT_EQ(SetMapMode(c.dc(), MM_ANISOTROPIC), MM_TEXT);
  SetWindowExtEx(c.dc(), 100, 100, nullptr);
  SetViewportExtEx(c.dc(), 50, -50, nullptr);
  SetViewportOrgEx(c.dc(), 0, 60, nullptr);
  POINT p[2] = {{100, 20}, {0, 0}};
  EXPECT_TRUE(LPtoDP(c.dc(), p, 2));
  EXPECT_EQ(p[0].x, 50);
  EXPECT_EQ(p[0].y, 50);
  EXPECT_EQ(p[1].x, 0);
  EXPECT_EQ(p[1].y, 60);
  EXPECT_TRUE(DPtoLP(c.dc(), p, 2));
  EXPECT_EQ(p[0].x, 100);
  EXPECT_EQ(p[0].y, 20);
  // A logical 40 x 40 square is 20 x 20 pixels, growing upward from y = 60;
  // given bottom to top in device space it covers (40, 60].
  HBRUSH red = CreateSolidBrush(kRed);
  RECT r{0, 0, 40, 40};
  FillRect(c.dc(), &r, red);
  DeleteObject(red);
  EXPECT_TRUE(SameRect(c.Bounds(kRed), RECT{0, 41, 20, 61}));
  SIZE s;
  GetWindowExtEx(c.dc(), &s);
  EXPECT_EQ(s.cx, 100);
  GetViewportExtEx(c.dc(), &s);
  EXPECT_EQ(s.cy, -50);
}

TEST(GdiMapping, WindowOriginShiftsDrawing) {
  Canvas c(20, 20);
  SetMapMode(c.dc(), MM_ANISOTROPIC);
  SetWindowOrgEx(c.dc(), 100, 200, nullptr);
  SetWindowExtEx(c.dc(), 2, 2, nullptr);
  SetViewportExtEx(c.dc(), 1, 1, nullptr);
  HBRUSH red = CreateSolidBrush(kRed);
  RECT r{104, 204, 110, 210};
  FillRect(c.dc(), &r, red);
  DeleteObject(red);
  EXPECT_TRUE(SameRect(c.Bounds(kRed), RECT{2, 2, 5, 5}));
  RECT clip;
  GetClipBox(c.dc(), &clip);
  EXPECT_TRUE(SameRect(clip, RECT{100, 200, 140, 240}));
}

TEST(GdiMapping, TextModeIgnoresExtentsAndMetricModesFollowTheResolution) {
  HDC dc = CreateCompatibleDC(nullptr);
  SetWindowExtEx(dc, 10, 10, nullptr);
  SIZE s;
  GetWindowExtEx(dc, &s);
  EXPECT_EQ(s.cx, 1);
  SetMapMode(dc, MM_LOMETRIC);  // 0.1 mm, y up; the screen has 96 dots per inch
  POINT p{254, -254};
  LPtoDP(dc, &p, 1);
  EXPECT_EQ(p.x, 96);
  EXPECT_EQ(p.y, 96);
  SetMapMode(dc, MM_TEXT);
  p = POINT{7, 8};
  LPtoDP(dc, &p, 1);
  EXPECT_EQ(p.x, 7);
  EXPECT_EQ(p.y, 8);
  DeleteDC(dc);
}

// The pixels (px, py) of an ellipse of half-extents (hw, hh) about (cx, cy)
// turned by `degrees`, as the ellipse equation says, away from its edge.
void ExpectRotatedEllipse(const Canvas& c, double cx, double cy, double hw, double hh, double degrees) {
  const double t = degrees * M_PI / 180;
  int inside = 0;
  for (int py = 0; py < c.height(); ++py)
    for (int px = 0; px < c.width(); ++px) {
      const double dx = px - cx, dy = py - cy;
      const double u = std::cos(t) * dx + std::sin(t) * dy;
      const double v = -std::sin(t) * dx + std::cos(t) * dy;
      const double f = (u / hw) * (u / hw) + (v / hh) * (v / hh);
      if (f < 0.85) {
        ASSERT_EQ(c.Device(px, py), kRed) << px << "," << py;
        ++inside;
      }
      if (f > 1.15) {
        ASSERT_EQ(c.Device(px, py), kWhite) << px << "," << py;
      }
    }
  EXPECT_GT(inside, 100);
}

class GdiWorldTransform : public testing::TestWithParam<double> {};

TEST_P(GdiWorldTransform, RotatedEllipse) {
  const double degrees = GetParam();
  Canvas c(80, 80);
  EXPECT_EQ(SetGraphicsMode(c.dc(), GM_ADVANCED), GM_COMPATIBLE);
  const double t = degrees * M_PI / 180, cx = 40, cy = 40;
  // A turn about (cx, cy), built the way the field drawing builds it.
  XFORM x{static_cast<FLOAT>(std::cos(t)),
          static_cast<FLOAT>(std::sin(t)),
          static_cast<FLOAT>(-std::sin(t)),
          static_cast<FLOAT>(std::cos(t)),
          static_cast<FLOAT>(cx - cx * std::cos(t) + cy * std::sin(t)),
          static_cast<FLOAT>(cy - cy * std::cos(t) - cx * std::sin(t))};
  EXPECT_TRUE(SetWorldTransform(c.dc(), &x));
  Selected brush(c.dc(), CreateSolidBrush(kRed));
  HGDIOBJ old = SelectObject(c.dc(), GetStockObject(NULL_PEN));
  Ellipse(c.dc(), 10, 25, 70, 55);  // 30 x 15 half-extents
  SelectObject(c.dc(), old);
  ExpectRotatedEllipse(c, cx, cy, 30, 15, degrees);
  if (degrees != 0) {
    EXPECT_EQ(SetGraphicsMode(c.dc(), GM_COMPATIBLE), 0) << "refused while the transform is not the identity";
  }
  EXPECT_TRUE(ModifyWorldTransform(c.dc(), nullptr, MWT_IDENTITY));
  EXPECT_EQ(SetGraphicsMode(c.dc(), GM_COMPATIBLE), GM_ADVANCED);
}

INSTANTIATE_TEST_SUITE_P(Angles, GdiWorldTransform, testing::Values(0.0, 30.0, 90.0, 135.0));

TEST(GdiWorldTransform, NeedsTheAdvancedModeAndComposes) {
  HDC dc = CreateCompatibleDC(nullptr);
  XFORM scale{2, 0, 0, 3, 0, 0};
  EXPECT_FALSE(SetWorldTransform(dc, &scale));
  SetGraphicsMode(dc, GM_ADVANCED);
  EXPECT_TRUE(SetWorldTransform(dc, &scale));
  XFORM move{1, 0, 0, 1, 10, 20};
  EXPECT_TRUE(ModifyWorldTransform(dc, &move, MWT_RIGHTMULTIPLY));  // scale, then move
  POINT p{1, 1};
  LPtoDP(dc, &p, 1);
  EXPECT_EQ(p.x, 12);
  EXPECT_EQ(p.y, 23);
  XFORM got;
  GetWorldTransform(dc, &got);
  EXPECT_FLOAT_EQ(got.eM22, 3);
  EXPECT_FLOAT_EQ(got.eDy, 20);
  XFORM singular{0, 0, 0, 0, 0, 0};
  EXPECT_FALSE(SetWorldTransform(dc, &singular));
  DeleteDC(dc);
}

TEST(GdiState, SaveAndRestoreBringBackObjectsModesAndSpaces) {
  Canvas c(10, 10);
  HPEN red = CreatePen(PS_SOLID, 1, kRed);
  const int level = SaveDC(c.dc());
  EXPECT_EQ(level, 1);
  SelectObject(c.dc(), red);
  SetMapMode(c.dc(), MM_ANISOTROPIC);
  SetViewportOrgEx(c.dc(), 5, 5, nullptr);
  SetROP2(c.dc(), R2_XORPEN);
  SetBkMode(c.dc(), TRANSPARENT);
  EXPECT_EQ(SaveDC(c.dc()), 2);
  SetTextColor(c.dc(), kBlue);
  EXPECT_TRUE(RestoreDC(c.dc(), -1));
  EXPECT_EQ(GetTextColor(c.dc()), kBlack);
  EXPECT_EQ(GetROP2(c.dc()), R2_XORPEN);
  EXPECT_TRUE(RestoreDC(c.dc(), level));
  EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetMapMode(c.dc()), MM_TEXT);
  EXPECT_EQ(GetROP2(c.dc()), R2_COPYPEN);
  EXPECT_EQ(GetBkMode(c.dc()), OPAQUE);
  POINT org;
  GetViewportOrgEx(c.dc(), &org);
  EXPECT_EQ(org.x, 0);
  EXPECT_FALSE(RestoreDC(c.dc(), 1)) << "nothing left to restore";
  DeleteObject(red);
}

TEST(GdiDevice, ScreenIsThirtyTwoBitsAtNinetySixDots) {
  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(screen, TECHNOLOGY), DT_RASDISPLAY);
  EXPECT_GT(GetDeviceCaps(screen, HORZRES), 0);
  HDC memory = CreateCompatibleDC(screen);
  EXPECT_EQ(GetDeviceCaps(memory, LOGPIXELSY), 96);
  EXPECT_EQ(GetObjectType(memory), OBJ_MEMDC);
  EXPECT_EQ(GetObjectType(screen), OBJ_DC);
  DeleteDC(memory);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
}

TEST(GdiDevice, PrinterTakesItsResolutionFromItsSettingsAndPrintsPagesIntoBitmaps) {
  gdi::PrinterSettings label;
  label.dpiX = label.dpiY = 203;
  label.page = SIZE{812, 1218};
  label.printableOffset = POINT{12, 10};
  label.printable = SIZE{788, 1198};
  gdi::RegisterPrinterSettings("Test Label 203", label);
  EXPECT_EQ(CreateDCA("WINSPOOL", "No Such Printer", nullptr, nullptr), nullptr);
  HDC dc = CreateDCA("WINSPOOL", "Test Label 203", nullptr, nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 203);
  EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASPRINTER);
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 788);
  EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 1198);
  EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), 812);
  EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETX), 12);
  EXPECT_EQ(GetDeviceCaps(dc, HORZSIZE), 99);  // 788 / 203 inch
  HDC memory = CreateCompatibleDC(dc);
  EXPECT_EQ(GetDeviceCaps(memory, LOGPIXELSY), 203) << "a memory context made for the printer measures like it";
  DeleteDC(memory);
  DOCINFOA doc{sizeof(DOCINFOA), "test", nullptr, nullptr, 0};
  EXPECT_GT(StartDocA(dc, &doc), 0);
  for (int page = 0; page < 2; ++page) {
    EXPECT_GT(StartPage(dc), 0);
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RECT r{10 + page, 20, 30, 40};
    FillRect(dc, &r, black);
    EXPECT_EQ(GetPixel(dc, 10 + page, 20), kBlack);
    EXPECT_EQ(GetPixel(dc, 5, 5), kWhite);
    EXPECT_GT(EndPage(dc), 0);
  }
  EXPECT_GT(EndDoc(dc), 0);
  auto pages = gdi::TakePrintedPages(dc);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[1]->width, 788);
  EXPECT_EQ(pages[1]->ValueToColour(pages[1]->ReadValue(10, 20)), kWhite);
  EXPECT_EQ(pages[1]->ValueToColour(pages[1]->ReadValue(11, 20)), kBlack);
  DeleteDC(dc);
  HDC builtIn = CreateDCA("WINSPOOL", nullptr, nullptr, nullptr);
  ASSERT_NE(builtIn, nullptr);
  EXPECT_EQ(GetDeviceCaps(builtIn, LOGPIXELSX), 300);
  DeleteDC(builtIn);
}

}  // namespace

namespace {

using namespace gditest;

TEST(GdiMapping, PenWidthsAreLogicalUnitsExceptWidthZero) {
  for (int width : {0, 1}) {
    Canvas c(40, 40);
    SetMapMode(c.dc(), MM_ANISOTROPIC);
    SetWindowExtEx(c.dc(), 1, 1, nullptr);
    SetViewportExtEx(c.dc(), 4, 4, nullptr);
    Selected pen(c.dc(), CreatePen(PS_SOLID, width, kBlack));
    MoveToEx(c.dc(), 1, 5, nullptr);
    LineTo(c.dc(), 8, 5);
    const RECT b = c.Bounds(kBlack);
    EXPECT_EQ(b.bottom - b.top, width == 0 ? 1 : 4) << width;
  }
}

}  // namespace

namespace {

using namespace gditest;

TEST(GdiMapping, IsotropicKeepsUnitsSquare) {
  HDC dc = CreateCompatibleDC(nullptr);
  SetMapMode(dc, MM_ISOTROPIC);
  SetWindowExtEx(dc, 100, 100, nullptr);
  SetViewportExtEx(dc, 400, 200, nullptr);  // the smaller scale wins on both axes
  SIZE v;
  GetViewportExtEx(dc, &v);
  EXPECT_EQ(v.cx, 200);
  EXPECT_EQ(v.cy, 200);
  POINT p{50, 50};
  LPtoDP(dc, &p, 1);
  EXPECT_EQ(p.x, 100);
  EXPECT_EQ(p.y, 100);
  DeleteDC(dc);
}

TEST(GdiWorldTransform, FillRectFollowsARotation) {
  Canvas c(40, 40);
  SetGraphicsMode(c.dc(), GM_ADVANCED);
  // A quarter turn about (20, 20): (x, y) -> (40 - y, x).
  XFORM turn{0, 1, -1, 0, 40, 0};
  SetWorldTransform(c.dc(), &turn);
  HBRUSH red = CreateSolidBrush(kRed);
  RECT r{5, 10, 15, 14};  // 10 wide, 4 high
  FillRect(c.dc(), &r, red);
  DeleteObject(red);
  // Turned: y from 5 to 15, and x between 40 - 14 and 40 - 10. The logical
  // bottom edge (y = 14) is the one left out, and it lands on x = 26, so the
  // pixels are 27 to 30 (as the reference draws a quarter turn).
  EXPECT_TRUE(SameRect(c.Bounds(kRed), RECT{27, 5, 31, 15}));
  EXPECT_EQ(c.Count(kRed), 40);
}

TEST(GdiSurface, AWindowSurfaceContextDrawsAtItsOffsetInsideItsVisibleArea) {
  auto surface = gdi::Bitmap::Make(30, 20, 32, false);
  // Device (0, 0) at (10, 5); only [12, 20) x [5, 15) of the surface is visible.
  HDC dc = gdi::CreateSurfaceDC(surface, POINT{10, 5}, gdi::SpanRegion::FromRect(12, 5, 20, 15), nullptr);
  ASSERT_NE(dc, nullptr);
  HBRUSH red = CreateSolidBrush(kRed);
  RECT all{-50, -50, 100, 100};
  FillRect(dc, &all, red);
  DeleteObject(red);
  int painted = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) {
      const bool inside = x >= 12 && x < 20 && y >= 5 && y < 15;
      const bool isRed = surface->ReadValue(x, y) == 0xFF0000u;
      EXPECT_EQ(isRed, inside) << x << "," << y;
      painted += isRed;
    }
  EXPECT_EQ(painted, 80);
  RECT box;
  GetClipBox(dc, &box);
  EXPECT_TRUE(SameRect(box, RECT{2, 0, 10, 10}));
  EXPECT_EQ(GetPixel(dc, 2, 0), kRed);
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
  EXPECT_EQ(ReleaseDC(nullptr, dc), 1);
}

TEST(GdiHatch, BrushOriginShiftsThePattern) {
  Canvas c(8, 8);
  HBRUSH hatch = CreateHatchBrush(HS_VERTICAL, kRed);
  RECT r{0, 0, 8, 1};
  FillRect(c.dc(), &r, hatch);
  SetBrushOrgEx(c.dc(), 3, 0, nullptr);
  RECT r2{0, 1, 8, 2};
  FillRect(c.dc(), &r2, hatch);
  DeleteObject(hatch);
  // The vertical line sits in column 4 of the 8 x 8 cell.
  EXPECT_EQ(c.Picture(kRed, RECT{0, 0, 8, 2}), "....#...\n.......#\n");
}

}  // namespace
