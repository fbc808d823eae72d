// The bitmap buttons: image-list depths from the strip's depth, the image
// drawn for each state with the colours mapped, the tip shown while the
// mouse rests on its button, and the move strip's glyphs.
#include <gtest/gtest.h>

#include <fstream>

#include "app/controls/bitmap_buttons.h"
#include "app/ui/message_pane.h"
#include "controls_test_util.h"
#include "platform/comctl/mapped_bitmap.h"
#include "platform/testing/png_writer.h"
#include "platform/testing/test_canvas.h"
#include "platform/testing/ui.h"

namespace {

// The bits per pixel a BMP file's header gives.
int FileDepth(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char header[30] = {};
  in.read(header, sizeof header);
  return static_cast<unsigned char>(header[28]) | (static_cast<unsigned char>(header[29]) << 8);
}

TEST(BitmapButtons, ImageListDepthsFollowTheStrip) {
  struct Case {
    int id;
    const char* file;
    UINT flags;
    int surfaceDepth;  // what the platform's surfaces hold of the file's depth
  };
  const Case cases[] = {{9001, "strip1.bmp", ILC_COLOR4, 1},
                        {9004, "strip4.bmp", ILC_COLOR4, 4},
                        {9008, "strip8.bmp", ILC_COLOR8, 8},
                        {9016, "strip16.bmp", ILC_COLOR16, 24},
                        {9024, "strip24.bmp", ILC_COLOR24, 24}};
  ctltest::CRecordingParent parent;
  for (const Case& c : cases) {
    const int depth = FileDepth(std::string(TAV_TEST_DATA_DIR) + "/strips/" + c.file);
    EXPECT_EQ(ImageListFlagsForDepth(depth), c.flags) << c.file;
    UniqueBitmap mapped(CreateMappedBitmap(AfxGetResourceHandle(), c.id, 0, nullptr, 0));
    ASSERT_TRUE(mapped) << c.file;
    BITMAP info{};
    GetObjectA(mapped.get(), sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, c.surfaceDepth) << c.file << ": the mapped bitmap keeps the file's depth";
    CMappedBitmapButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 50, 50), &parent, 800 + c.id % 100));
    EXPECT_EQ(button.LoadBitmaps(c.id), 1) << c.file;
    EXPECT_EQ(button.m_imageFlags, ImageListFlagsForDepth(c.surfaceDepth)) << c.file;
    EXPECT_EQ(button.m_images.GetImageCount(), 4) << c.file;
    button.SizeToImage();
    RECT r{};
    button.GetWindowRect(&r);
    EXPECT_EQ(r.right - r.left, 8) << c.file << ": a quarter of the strip";
    EXPECT_EQ(r.bottom - r.top, 6) << c.file;
  }
  CMappedBitmapButton missing;
  EXPECT_EQ(missing.LoadBitmaps(9999), 0);
}

TEST(BitmapButtons, EachStateDrawsItsImageInMappedColours) {
  ctltest::CRecordingParent parent;
  CMappedBitmapButton button;
  ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 50, 50), &parent, 901));
  ASSERT_EQ(button.LoadBitmaps(9024), 1);
  struct Case {
    UINT state;
    COLORREF colour;
    const char* why;
  };
  const Case cases[] = {
      {0, RGB(255, 0, 0), "normal: image 0"},
      {ODS_SELECTED | ODS_FOCUS, RGB(0, 128, 0), "pressed: image 1 before the focus"},
      {ODS_FOCUS, RGB(0, 0, 255), "focused: image 2"},
      {ODS_DISABLED, GetSysColor(COLOR_BTNSHADOW), "disabled: image 3, its grey 128 mapped to the shadow colour"},
  };
  for (const Case& c : cases) {
    tavtest::TestCanvas canvas(8, 6);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.itemState = c.state;
    dis.hDC = canvas.dc();
    dis.rcItem = {0, 0, 8, 6};
    button.DrawItem(&dis);
    EXPECT_EQ(canvas.Raw(4, 3), c.colour) << c.why;
  }
}

TEST(BitmapButtons, TipShowsWhileTheMouseRestsOnItsButton) {
  EXPECT_STREQ(TipTextOf("The first sentence.\\nThe second.").GetData(), "The first sentence.\n\nThe second.");
  ctltest::CRecordingParent parent;
  CTipButton tip;
  ASSERT_TRUE(tip.Create("", WS_CHILD | WS_VISIBLE | BS_BITMAP, CRect(10, 10, 35, 35), &parent, 902));
  CButton other;
  ASSERT_TRUE(other.Create("other", WS_CHILD | WS_VISIBLE, CRect(100, 10, 180, 35), &parent, 903));
  tip.m_tipText = TipTextOf("Counts up.\\nStarts at 1.");
  uitest::MoveMouse(tip.m_hWnd, POINT{5, 5});
  EXPECT_EQ(tip.m_showing, 1);
  EXPECT_STREQ(MessagePaneText().GetData(), "Counts up.\n\nStarts at 1.");
  EXPECT_TRUE(IsWindowVisible(MessagePaneWindow()));
  uitest::MoveMouse(tip.m_hWnd, POINT{8, 8});
  EXPECT_EQ(::GetCapture(), tip.m_hWnd);
  uitest::MoveMouse(other.m_hWnd, POINT{5, 5});
  EXPECT_EQ(tip.m_showing, 0) << "hidden at the first move outside";
  EXPECT_FALSE(IsWindowVisible(MessagePaneWindow()));
  EXPECT_NE(::GetCapture(), tip.m_hWnd);
}

class CRecordingMover : public CListEntryMover {
 public:
  std::vector<int> moves;
  void MoveSelectedItem(int direction) override { moves.push_back(direction); }
};

TEST(BitmapButtons, MoveStripGlyphsMoveTheEntry) {
  ctltest::CRecordingParent parent{120, 120};
  CMoveButtonStrip strip;
  ASSERT_TRUE(strip.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 34, 90), &parent, 904));
  CRecordingMover mover;
  strip.m_owner = &mover;
  uitest::RunUntilIdle();
  EXPECT_EQ(strip.m_bitmapWidth, 16);
  EXPECT_EQ(strip.m_bitmapHeight, 60);
  // 80 high: bands of 20 from y 1.
  struct Case {
    int y, glyph;
  };
  for (const Case& c : {Case{0, -1}, Case{1, 0}, Case{20, 0}, Case{21, 1}, Case{45, 2}, Case{79, 3}, Case{200, -1}}) {
    EXPECT_EQ(strip.HitTest(POINT{12, c.y}), c.glyph) << "y " << c.y;
  }
  for (int glyph = 0; glyph < 4; ++glyph) uitest::Click(strip.m_hWnd, POINT{12, 10 + 20 * glyph});
  EXPECT_EQ(mover.moves, (std::vector<int>{0, 1, 2, 3}));
  uitest::MouseDown(strip.m_hWnd, POINT{12, 10});
  EXPECT_EQ(strip.m_pressed, 0);
  uitest::MoveMouse(strip.m_hWnd, POINT{12, 50});
  EXPECT_EQ(strip.m_pressed, -1);
  uitest::MouseUp(strip.m_hWnd, POINT{12, 50});
  EXPECT_EQ(mover.moves.size(), 4u) << "pressed on one glyph, released on another: nothing moves";
}

TEST(BitmapButtons, PictureOfTheButtons) {
  ctltest::CRecordingParent parent{200, 110};
  CMoveButtonStrip strip;
  ASSERT_TRUE(strip.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 34, 90), &parent, 905));
  CTipButton tip;
  ASSERT_TRUE(tip.Create("", WS_CHILD | WS_VISIBLE | BS_BITMAP, CRect(50, 10, 75, 35), &parent, 906));
  tip.SetTipMessage(0);
  CMappedBitmapButton mapped[2];
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(mapped[i].Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(90 + 20 * i, 10, 140, 60), &parent,
                                 907 + i));
    mapped[i].LoadBitmaps(9024);
    mapped[i].SizeToImage();
  }
  mapped[1].EnableWindow(FALSE);
  uitest::MouseDown(strip.m_hWnd, POINT{12, 30});
  uitest::RunUntilIdle();
  EXPECT_TRUE(uitest::SaveWindowPng(parent.m_hWnd, tavtest::BuildFolderPng("app_bitmap_buttons")));
  uitest::MouseUp(strip.m_hWnd, POINT{12, 30});
}

}  // namespace
