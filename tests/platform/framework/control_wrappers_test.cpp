// The framework's image list, report list and tab control classes over the
// common controls: images added with a mask colour and drawn, rows with
// texts, values and check boxes read back, sorted and hit, owner-drawn tabs
// drawn by the control's own class through reflection.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework_test_ids.h"
#include "platform/framework.h"
#include "platform/testing/ui.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A window of the framework's plain class to put controls in.
class CHost : public CWnd {
 public:
  CHost() {
    AfxRegisterFrameworkClasses();
    EXPECT_TRUE(CreateEx(0, AfxWnd, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
  }
};

TEST(FrameworkImageList, ImagesAddedWithAMaskColourDrawTransparent) {
  // Two 16 by 16 images side by side: red with a magenta corner, then blue.
  std::vector<uint32_t> bits(32 * 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) bits[static_cast<size_t>(y * 32 + x)] = x < 16 ? (x < 4 && y < 4 ? 0xFF00FF : 0xFF0000) : 0x0000FF;
  CBitmap strip;
  ASSERT_TRUE(strip.CreateBitmap(32, 16, 1, 32, bits.data()));
  CImageList images;
  ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0));
  EXPECT_EQ(images.Add(&strip, kMagenta), 0);
  EXPECT_EQ(images.GetImageCount(), 2);
  int cx = 0, cy = 0;
  EXPECT_TRUE(images.GetIconSize(cx, cy));
  EXPECT_EQ(cx, 16);
  EXPECT_EQ(cy, 16);

  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
  CBitmap canvas;
  const std::vector<uint32_t> white(40 * 20, 0xFFFFFF);
  ASSERT_TRUE(canvas.CreateBitmap(40, 20, 1, 32, white.data()));
  CBitmap* old = memory.SelectObject(&canvas);
  EXPECT_TRUE(images.Draw(&memory, 0, POINT{0, 0}, ILD_TRANSPARENT));
  EXPECT_TRUE(images.Draw(&memory, 1, POINT{20, 0}, ILD_NORMAL));
  EXPECT_EQ(::GetPixel(memory.m_hDC, 1, 1), RGB(255, 255, 255)) << "the mask colour lets the background through";
  EXPECT_EQ(::GetPixel(memory.m_hDC, 8, 8), RGB(255, 0, 0));
  EXPECT_EQ(::GetPixel(memory.m_hDC, 28, 8), RGB(0, 0, 255));
  memory.SelectObject(old);

  // A list detached is the caller's; the object forgets it.
  HIMAGELIST list = images.Detach();
  EXPECT_EQ(images.GetSafeHandle(), nullptr);
  EXPECT_FALSE(images.DeleteImageList());
  EXPECT_TRUE(images.Attach(list));
  EXPECT_FALSE(images.Attach(list)) << "one list at a time";
  EXPECT_TRUE(images.DeleteImageList());
}

TEST(FrameworkImageList, AStripFromTheResources) {
  CImageList images;
  ASSERT_TRUE(images.Create(IDR_TESTMAIN, 16, 1, CLR_NONE));
  BITMAP info{};
  CBitmap strip;
  ASSERT_TRUE(strip.LoadBitmap(IDR_TESTMAIN));
  strip.GetBitmap(&info);
  EXPECT_EQ(images.GetImageCount(), info.bmWidth / 16);
  EXPECT_FALSE(images.Create(9999, 16, 1, CLR_NONE)) << "no such bitmap";
  EXPECT_EQ(images.GetSafeHandle(), nullptr);
}

int CompareByValueDescending(LPARAM a, LPARAM b, LPARAM) { return static_cast<int>(b - a); }

TEST(FrameworkListCtrl, RowsColumnsChecksSortingAndHits) {
  CHost host;
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 360, 200), &host, 7));
  list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  EXPECT_EQ(list.GetExtendedStyle() & (LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT), LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  EXPECT_EQ(list.InsertColumn(0, "Name", LVCFMT_LEFT, 150), 0);
  EXPECT_EQ(list.InsertColumn(1, "Folder", LVCFMT_LEFT, 150, 1), 1);
  EXPECT_EQ(list.GetColumnCount(), 2);
  EXPECT_EQ(list.GetColumnWidth(0), 150);

  const struct {
    const char* name;
    const char* folder;
    LPARAM value;
  } rows[] = {{"Text files", "/srv/text", 10}, {"Images", "/srv/images", 30}, {"Counters", "/srv/counters", 20}};
  for (const auto& row : rows) {
    const int at = list.InsertItem(LVIF_TEXT | LVIF_PARAM, list.GetItemCount(), row.name, 0, 0, 0, row.value);
    EXPECT_TRUE(list.SetItemText(at, 1, row.folder));
  }
  ASSERT_EQ(list.GetItemCount(), 3);
  EXPECT_EQ(list.GetItemText(1, 1), CString("/srv/images"));
  EXPECT_EQ(list.GetItemData(2), 20u);
  char small[5] = {};
  list.GetItemText(0, 0, small, sizeof small);
  EXPECT_EQ(std::string(small), "Text") << "a read stops at the buffer's size";

  EXPECT_FALSE(list.GetCheck(1));
  EXPECT_TRUE(list.SetCheck(1));
  EXPECT_TRUE(list.GetCheck(1));
  EXPECT_TRUE(list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
  EXPECT_EQ(list.GetSelectedCount(), 1u);

  EXPECT_TRUE(list.SortItems(&CompareByValueDescending, 0));
  std::vector<std::string> order;
  for (int i = 0; i < list.GetItemCount(); ++i) order.emplace_back(list.GetItemText(i, 0).GetString());
  EXPECT_EQ(order, (std::vector<std::string>{"Images", "Counters", "Text files"}));
  EXPECT_TRUE(list.GetCheck(0)) << "the check box moves with its row";

  CRect bounds;
  ASSERT_TRUE(list.GetItemRect(1, &bounds, LVIR_BOUNDS));
  UINT flags = 0;
  EXPECT_EQ(list.HitTest(CPoint(bounds.left + 60, bounds.CenterPoint().y), &flags), 1);
  EXPECT_NE(flags & LVHT_ONITEM, 0u);
  EXPECT_EQ(list.HitTest(CPoint(5, 190)), -1);

  EXPECT_TRUE(list.DeleteItem(0));
  EXPECT_EQ(list.GetItemText(0, 0), CString("Counters"));
  EXPECT_TRUE(list.DeleteAllItems());
  EXPECT_EQ(list.GetItemCount(), 0);
}

// Two 16 by 16 images: a green square on magenta, and a yellow one.
void MakeSmallImages(CImageList& images) {
  std::vector<uint32_t> bits(32 * 16, 0xFF00FF);
  for (int y = 3; y < 13; ++y)
    for (int x = 3; x < 13; ++x) {
      bits[static_cast<size_t>(y * 32 + x)] = 0x00A000;
      bits[static_cast<size_t>(y * 32 + x + 16)] = 0xFFD000;
    }
  CBitmap strip;
  ASSERT_TRUE(strip.CreateBitmap(32, 16, 1, 32, bits.data()));
  ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 1));
  ASSERT_EQ(images.Add(&strip, kMagenta), 0);
}

TEST(FrameworkListCtrl, SmallImagesStandBeforeTheTextsAndAPicture) {
  CHost host;
  CImageList images;
  MakeSmallImages(images);
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS,
                          CRect(0, 0, 360, 120), &host, 7));
  list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  EXPECT_EQ(list.SetImageList(&images, LVSIL_SMALL), nullptr);
  EXPECT_EQ(list.GetImageList(LVSIL_SMALL), images.GetSafeHandle());
  list.InsertColumn(0, "Folder", LVCFMT_LEFT, 140);
  list.InsertColumn(1, "Path", LVCFMT_LEFT, 200, 1);
  list.InsertItem(0, "Images", 0);
  list.SetItemText(0, 1, "/srv/labels/images");
  list.InsertItem(1, "Counters", 1);
  list.SetItemText(1, 1, "/srv/labels/counters");
  list.SetCheck(1);
  list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  uitest::RunUntilIdle();

  CRect icon, label;
  ASSERT_TRUE(list.GetItemRect(1, &icon, LVIR_ICON));
  ASSERT_TRUE(list.GetItemRect(1, &label, LVIR_LABEL));
  EXPECT_EQ(icon.Width(), 16);
  EXPECT_EQ(icon.right, label.left);
  UINT flags = 0;
  EXPECT_EQ(list.HitTest(icon.CenterPoint(), &flags), 1);
  EXPECT_EQ(flags, LVHT_ONITEMICON);
  EXPECT_EQ(list.HitTest(CPoint(icon.left - 8, icon.CenterPoint().y), &flags), 1);
  EXPECT_EQ(flags, LVHT_ONITEMSTATEICON);
  // The second row's image is drawn in its cell, its mask colour left out.
  const CPoint middle = icon.CenterPoint();
  EXPECT_EQ(uitest::ClientPixel(list.m_hWnd, middle.x, middle.y), RGB(255, 208, 0));
  EXPECT_EQ(uitest::ClientPixel(list.m_hWnd, icon.left + 1, middle.y), ::GetSysColor(COLOR_WINDOW));
  uitest::SaveWindowPng(list.m_hWnd, std::string(TAV_BUILD_DIR) + "/framework_list_small_images.png");

  // A list that does not share its image lists destroys them with itself.
  CImageList owned;
  MakeSmallImages(owned);
  CListCtrl owner;
  ASSERT_TRUE(owner.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 100, 100), &host, 8));
  owner.SetImageList(&owned, LVSIL_SMALL);
  owner.DestroyWindow();
  EXPECT_EQ(ImageList_GetImageCount(owned.Detach()), 0) << "the list is gone";
  EXPECT_EQ(images.GetImageCount(), 2) << "a shared list stays";
}

// Tabs drawn by the control's class: the parent's WM_DRAWITEM is reflected.
class COwnTabs : public CTabCtrl {
 public:
  void DrawItem(LPDRAWITEMSTRUCT dis) override {
    drawn.push_back(static_cast<int>(dis->itemID));
    kinds.push_back(dis->CtlType);
    ::FillRect(dis->hDC, &dis->rcItem, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  }
  std::vector<int> drawn;
  std::vector<UINT> kinds;
};

TEST(FrameworkTabCtrl, ItemsAndOwnerDrawnTabsThroughReflection) {
  CHost host;
  COwnTabs tabs;
  ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE | TCS_OWNERDRAWFIXED, CRect(10, 10, 300, 150), &host, 8));
  EXPECT_EQ(tabs.InsertItem(0, "Font"), 0);
  EXPECT_EQ(tabs.InsertItem(1, "Data"), 1);
  EXPECT_EQ(tabs.GetItemCount(), 2);
  char text[16] = {};
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  ASSERT_TRUE(tabs.GetItem(1, &item));
  EXPECT_EQ(std::string(text), "Data");
  EXPECT_EQ(tabs.SetCurSel(1), 0);
  EXPECT_EQ(tabs.GetCurSel(), 1);
  tabs.drawn.clear();
  tabs.Invalidate();
  uitest::RunUntilIdle();
  ASSERT_FALSE(tabs.drawn.empty());
  EXPECT_NE(std::find(tabs.drawn.begin(), tabs.drawn.end(), 0), tabs.drawn.end());
  EXPECT_NE(std::find(tabs.drawn.begin(), tabs.drawn.end(), 1), tabs.drawn.end());
  for (UINT kind : tabs.kinds) EXPECT_EQ(kind, ODT_TAB);
  CRect tab;
  ASSERT_TRUE(tabs.GetItemRect(0, &tab));
  EXPECT_EQ(uitest::ClientPixel(tabs.m_hWnd, tab.CenterPoint().x, tab.CenterPoint().y), RGB(0, 0, 0));
  TCHITTESTINFO hit{};
  hit.pt = tab.CenterPoint();
  EXPECT_EQ(tabs.HitTest(&hit), 0);
  CRect area(0, 0, 290, 140);
  tabs.AdjustRect(FALSE, &area);
  EXPECT_GT(area.top, tab.bottom - 1) << "the display area lies below the tabs";
}

}  // namespace
