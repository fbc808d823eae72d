// The object table: kinds, descriptions, stock objects, selection, deletion
// and use from many threads at once.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

#include "platform/gdi/gdi_internal.h"
#include "tests/platform/gdi_test_util.h"

namespace {

using namespace gditest;

TEST(GdiObjects, KindsAreReported) {
  HPEN pen = CreatePen(PS_DASH, 1, kRed);
  LOGBRUSH lb{BS_SOLID, kBlue, 0};
  HPEN ext = ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 5, &lb, 0, nullptr);
  HBRUSH brush = CreateHatchBrush(HS_CROSS, kRed);
  HRGN rgn = CreateRectRgn(0, 0, 1, 1);
  HBITMAP bmp = CreateBitmap(1, 1, 1, 32, nullptr);
  EXPECT_EQ(GetObjectType(pen), OBJ_PEN);
  EXPECT_EQ(GetObjectType(ext), OBJ_EXTPEN);
  EXPECT_EQ(GetObjectType(brush), OBJ_BRUSH);
  EXPECT_EQ(GetObjectType(rgn), OBJ_REGION);
  EXPECT_EQ(GetObjectType(bmp), OBJ_BITMAP);
  EXPECT_EQ(GetObjectType(GetStockObject(SYSTEM_FONT)), OBJ_FONT);
  EXPECT_EQ(GetObjectType(GetStockObject(DEFAULT_PALETTE)), OBJ_PAL);
  for (HGDIOBJ o : std::initializer_list<HGDIOBJ>{pen, ext, brush, rgn, bmp}) EXPECT_TRUE(DeleteObject(o));
  EXPECT_EQ(GetObjectType(pen), 0u);
}

TEST(GdiObjects, DescriptionsComeBackAsCreated) {
  HPEN pen = CreatePen(PS_DOT, 1, kRed);
  LOGPEN lp{};
  EXPECT_EQ(GetObject(pen, sizeof lp, &lp), static_cast<int>(sizeof lp));
  EXPECT_EQ(lp.lopnStyle, PS_DOT);
  EXPECT_EQ(lp.lopnWidth.x, 1);
  EXPECT_EQ(lp.lopnColor, kRed);
  DeleteObject(pen);

  LOGBRUSH lb{BS_SOLID, kBlue, 0};
  const DWORD dashes[2] = {4, 2};
  HPEN ext = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT | PS_JOIN_MITER, 3, &lb, 2, dashes);
  ASSERT_NE(ext, nullptr);
  struct {
    EXTLOGPEN head;
    DWORD more;
  } elp{};
  EXPECT_GT(GetObject(ext, sizeof elp, &elp), 0);
  EXPECT_EQ(elp.head.elpPenStyle, PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT | PS_JOIN_MITER);
  EXPECT_EQ(elp.head.elpWidth, 3u);
  EXPECT_EQ(elp.head.elpColor, kBlue);
  EXPECT_EQ(elp.head.elpNumEntries, 2u);
  EXPECT_EQ(elp.head.elpStyleEntry[0], 4u);
  EXPECT_EQ(elp.more, 2u);
  DeleteObject(ext);
  // A cosmetic pen must be one pixel wide with a solid brush.
  EXPECT_EQ(ExtCreatePen(PS_COSMETIC | PS_SOLID, 3, &lb, 0, nullptr), nullptr);

  HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0xE6, 0xE6, 0xE6));
  LOGBRUSH back{};
  GetObject(hatch, sizeof back, &back);
  EXPECT_EQ(back.lbStyle, BS_HATCHED);
  EXPECT_EQ(back.lbHatch, static_cast<ULONG_PTR>(HS_DIAGCROSS));
  EXPECT_EQ(back.lbColor, RGB(0xE6, 0xE6, 0xE6));
  DeleteObject(hatch);

  LOGFONTA system{};
  EXPECT_EQ(GetObject(GetStockObject(SYSTEM_FONT), sizeof system, &system), static_cast<int>(sizeof system));
  EXPECT_STREQ(system.lfFaceName, "System");
  EXPECT_GT(system.lfHeight, 0);
  LOGFONTW gui{};
  EXPECT_EQ(GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui), static_cast<int>(sizeof gui));
  EXPECT_EQ(gui.lfFaceName[0], u'M');
}

TEST(GdiObjects, StockObjectsOutliveDeletion) {
  HGDIOBJ white = GetStockObject(WHITE_BRUSH);
  EXPECT_EQ(white, GetStockObject(WHITE_BRUSH));
  EXPECT_TRUE(DeleteObject(white));
  EXPECT_EQ(GetObjectType(white), OBJ_BRUSH);
  EXPECT_EQ(GetStockObject(-1), nullptr);
  EXPECT_EQ(GetStockObject(9), nullptr);  // no stock object has that number
}

TEST(GdiObjects, DeletedHandlesAreUnknownForever) {
  HBRUSH b = CreateSolidBrush(kRed);
  EXPECT_TRUE(DeleteObject(b));
  EXPECT_FALSE(DeleteObject(b));
  LOGBRUSH lb;
  EXPECT_EQ(GetObject(b, sizeof lb, &lb), 0);
  for (int i = 0; i < 100; ++i) {
    HBRUSH fresh = CreateSolidBrush(kBlue);
    EXPECT_NE(fresh, b) << "handles are not reused";
    DeleteObject(fresh);
  }
}

TEST(GdiObjects, SelectObjectReturnsThePreviousObject) {
  Canvas c(4, 4);
  HBRUSH red = CreateSolidBrush(kRed);
  HGDIOBJ old = SelectObject(c.dc(), red);
  EXPECT_EQ(old, GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(SelectObject(c.dc(), old), red);
  EXPECT_EQ(SelectObject(c.dc(), nullptr), nullptr);
  HRGN rgn = CreateRectRgn(0, 0, 2, 2);
  EXPECT_EQ(reinterpret_cast<intptr_t>(SelectObject(c.dc(), rgn)), SIMPLEREGION);
  DeleteObject(rgn);
  DeleteObject(red);
}

TEST(GdiObjects, ABrushDeletedWhileSelectedStillPaintsUntilDeselected) {
  Canvas c(4, 4);
  HBRUSH red = CreateSolidBrush(kRed);
  HGDIOBJ old = SelectObject(c.dc(), red);
  EXPECT_TRUE(DeleteObject(red));
  HGDIOBJ nullPen = SelectObject(c.dc(), GetStockObject(NULL_PEN));
  Rectangle(c.dc(), 0, 0, 5, 5);
  EXPECT_EQ(c.Count(kRed), 16);
  SelectObject(c.dc(), nullPen);
  SelectObject(c.dc(), old);
}

TEST(GdiObjects, TableIsSafeFromManyThreads) {
  constexpr int kThreads = 8;
  constexpr int kRounds = 400;
  std::atomic<int> failures{0};
  std::vector<std::vector<HGDIOBJ>> kept(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &failures, &kept] {
      Canvas c(16, 16);
      for (int i = 0; i < kRounds; ++i) {
        HBRUSH b = CreateSolidBrush(RGB(t, i & 0xFF, 7));
        HPEN p = CreatePen(PS_SOLID, 1 + (i & 3), RGB(i & 0xFF, t, 9));
        HRGN r = CreateRectRgn(0, 0, 1 + (i & 7), 1 + (i & 7));
        if (GetObjectType(b) != OBJ_BRUSH || GetObjectType(p) != OBJ_PEN || GetObjectType(r) != OBJ_REGION) ++failures;
        HGDIOBJ ob = SelectObject(c.dc(), b);
        HGDIOBJ op = SelectObject(c.dc(), p);
        Rectangle(c.dc(), 1, 1, 15, 15);
        FillRgn(c.dc(), r, b);
        SelectObject(c.dc(), ob);
        SelectObject(c.dc(), op);
        if (c.Raw(8, 8) != RGB(t, i & 0xFF, 7)) ++failures;
        if (i % 50 == 0) {
          kept[t].push_back(b);  // keep a few alive to check uniqueness
        } else if (!DeleteObject(b)) {
          ++failures;
        }
        if (!DeleteObject(p) || !DeleteObject(r)) ++failures;
      }
    });
  }
  for (auto& th : threads) th.join();
  EXPECT_EQ(failures.load(), 0);
  std::set<HGDIOBJ> unique;
  for (const auto& list : kept)
    for (HGDIOBJ o : list) {
      EXPECT_TRUE(unique.insert(o).second);
      EXPECT_TRUE(DeleteObject(o));
    }
  EXPECT_EQ(unique.size(), static_cast<size_t>(kThreads * (kRounds / 50)));
}

TEST(GdiObjects, OneHandleDeletedFromTwoThreadsIsDeletedOnce) {
  for (int round = 0; round < 50; ++round) {
    HBRUSH b = CreateSolidBrush(kRed);
    std::atomic<int> successes{0};
    std::thread a([&] { successes += DeleteObject(b); });
    std::thread z([&] { successes += DeleteObject(b); });
    a.join();
    z.join();
    EXPECT_EQ(successes.load(), 1);
  }
}

}  // namespace

namespace {

using namespace gditest;

HBRUSH g_red = nullptr;
HBRUSH RedForEveryIndex(int) { return g_red; }

TEST(GdiObjects, SystemColourIndexBrushesGoToTheWindowLayer) {
  Canvas c(2, 1);
  RECT r{0, 0, 1, 1};
  const HBRUSH index = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(15 + 1));
  // The window layer installs its resolver when it starts: put it aside meanwhile.
  const gdi::SystemBrushResolver windowLayer = gdi::SetSystemBrushResolver(nullptr);
  EXPECT_EQ(FillRect(c.dc(), &r, index), 0) << "nothing resolves it yet";
  g_red = CreateSolidBrush(kRed);
  gdi::SetSystemBrushResolver(RedForEveryIndex);
  EXPECT_EQ(FillRect(c.dc(), &r, index), 1);
  gdi::SetSystemBrushResolver(windowLayer);
  DeleteObject(g_red);
  EXPECT_EQ(c.Raw(0, 0), kRed);
  EXPECT_EQ(c.Raw(1, 0), kWhite);
}

}  // namespace
