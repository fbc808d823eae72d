// The colour button: its face for each look, pressed and narrow, and the
// focus reports to its parent.
#include <gtest/gtest.h>

#include "app/controls/colour_button.h"
#include "controls_test_util.h"
#include "platform/testing/png_writer.h"
#include "platform/testing/test_canvas.h"
#include "platform/testing/ui.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kSwatch = RGB(200, 30, 40);

// Draws a button face of the look into a canvas, as the parent's draw request would.
void DrawFace(CColorButton& button, tavtest::TestCanvas& canvas, UINT state) {
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_BUTTON;
  dis.itemAction = ODA_DRAWENTIRE;
  dis.itemState = state;
  dis.hDC = canvas.dc();
  dis.rcItem = {0, 0, canvas.width(), canvas.height()};
  button.DrawItem(&dis);
}

TEST(ColourButton, LayoutOfTheFace) {
  struct Case {
    RECT item;
    bool selected;
    int look;
    RECT swatch;
    int separator;
    RECT arrow;
    const char* why;
  };
  const Case cases[] = {
      {{0, 0, 60, 24}, false, 0, {4, 3, 39, 20}, 41, {41, 4, 49, 20}, "swatch two thirds wide, arrow w/6 made even"},
      {{0, 0, 60, 24}, true, 0, {5, 4, 40, 21}, 42, {42, 5, 50, 21}, "pressed: one pixel right and down"},
      {{0, 0, 20, 24}, false, 0, {4, 3, 12, 20}, 14, {14, 4, 20, 20}, "a narrow button still has a 6-pixel arrow area"},
      {{0, 0, 60, 24}, false, 2, {4, 3, 21, 20}, 23, {41, 4, 49, 20}, "with a caption the swatch is half as wide"},
  };
  for (const Case& c : cases) {
    const ColourButtonLayout l = LayOutColourButton(c.item, c.selected, c.look);
    EXPECT_TRUE(EqualRect(&l.swatch, &c.swatch)) << c.why << ": swatch " << l.swatch.left << "," << l.swatch.top << ","
                                                 << l.swatch.right << "," << l.swatch.bottom;
    EXPECT_EQ(l.separatorX, c.separator) << c.why;
    EXPECT_TRUE(EqualRect(&l.arrowArea, &c.arrow)) << c.why << ": arrow " << l.arrowArea.left << "," << l.arrowArea.top
                                                   << "," << l.arrowArea.right << "," << l.arrowArea.bottom;
  }
}

TEST(ColourButton, SwatchIsFramedInBlackAndMovesWhenPressed) {
  CColorButton button;
  button.m_colour = kSwatch;
  tavtest::TestCanvas up(60, 24), pressed(60, 24);
  DrawFace(button, up, 0);
  DrawFace(button, pressed, ODS_SELECTED);
  EXPECT_EQ(up.Raw(4, 10), kBlack);
  EXPECT_EQ(up.Raw(5, 10), kSwatch);
  EXPECT_EQ(up.Raw(37, 10), kSwatch);
  EXPECT_EQ(up.Raw(38, 10), kBlack);
  EXPECT_EQ(pressed.Raw(5, 10), kBlack);
  EXPECT_EQ(pressed.Raw(6, 10), kSwatch);
  EXPECT_NE(pressed.Raw(4, 10), kBlack);
  // The separator: grey, then white beside it.
  EXPECT_EQ(up.Raw(41, 12), RGB(0x71, 0x71, 0x71));
  EXPECT_EQ(up.Raw(42, 12), RGB(255, 255, 255));
  // The down arrow below the separator's top, in black.
  EXPECT_GT(up.Count(kBlack), 0);
}

TEST(ColourButton, ArrowOnlyDrawsATriangleAndNothingElse) {
  CColorButton button;
  button.m_look = CColorButton::kArrowOnly;
  button.m_colour = kSwatch;
  tavtest::TestCanvas canvas(25, 25);
  DrawFace(button, canvas, 0);
  EXPECT_EQ(canvas.Count(kSwatch), 0);
  // 36 % of 25 is 9 on each side: the triangle runs from x 9 to 16 around y 12.
  const RECT black = canvas.Bounds(kBlack);
  EXPECT_EQ(black.left, 9);
  EXPECT_EQ(black.top, 12 - 7);
  EXPECT_EQ(black.bottom, 12 + 7 + 1);
}

TEST(ColourButton, FocusGainedAndLostEachNotifyOnce) {
  ctltest::CRecordingParent parent;
  CColorButton button;
  ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 70, 34), &parent, 1201));
  CButton other;
  ASSERT_TRUE(other.Create("other", WS_CHILD | WS_VISIBLE, CRect(80, 10, 140, 34), &parent, 1202));
  ::SetFocus(button.m_hWnd);
  ::SetFocus(other.m_hWnd);
  const LPARAM window = reinterpret_cast<LPARAM>(button.m_hWnd);
  EXPECT_EQ(parent.Of(kMsgColourButtonFocusGained),
            (std::vector<ctltest::Received>{{kMsgColourButtonFocusGained, 1201, window}}));
  EXPECT_EQ(parent.Of(kMsgColourButtonFocusLost),
            (std::vector<ctltest::Received>{{kMsgColourButtonFocusLost, 1201, window}}));
}

TEST(ColourButton, PictureOfTheThreeLooks) {
  ctltest::CRecordingParent parent(260, 50);
  CColorButton buttons[4];
  const char* names[] = {"swatch", "arrow", "caption", "pressed"};
  for (int i = 0; i < 4; ++i) {
    CColorButton& b = buttons[i];
    b.m_look = i == 3 ? 0 : i;
    b.m_colour = i == 0 ? RGB(30, 90, 200) : RGB(230, 160, 20);
    b.m_caption = "Fill";
    ASSERT_TRUE(b.Create(names[i], WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(5 + i * 62, 10, 62 + i * 62, 36), &parent,
                         1300 + i));
  }
  ::SetFocus(buttons[0].m_hWnd);
  ::SendMessageA(buttons[3].m_hWnd, BM_SETSTATE, TRUE, 0);
  uitest::RunUntilIdle();
  EXPECT_TRUE(uitest::SaveWindowPng(parent.m_hWnd, tavtest::BuildFolderPng("app_colour_buttons")));
}

}  // namespace
