// The header control: its messages and notifications as tables of cases,
// divider dragging and clicks through the test API.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/testing/ui.h"
#include "tests/platform/comctl/notify_recorder.h"

namespace {

using comctltest::Note;
using comctltest::Notes;

HWND MakeHeader(HWND parent, DWORD style) {
  return CreateWindowExW(0, u"SysHeader32", u"", WS_CHILD | WS_VISIBLE | style, 0, 0, 300, 24, parent,
                         reinterpret_cast<HMENU>(static_cast<uintptr_t>(31)), nullptr, nullptr);
}

LRESULT InsertW(HWND header, int at, const char16_t* text, int width) {
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
  item.pszText = const_cast<LPWSTR>(text);
  item.cxy = width;
  item.fmt = HDF_LEFT | HDF_STRING;
  return SendMessageW(header, HDM_INSERTITEMW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item));
}

TEST(HeaderControl, MessagesAndTheirResults) {
  const HWND parent = comctltest::MakeParent();
  const HWND header = MakeHeader(parent, HDS_BUTTONS);
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(InsertW(header, 0, u"Name", 100), 0);
  EXPECT_EQ(InsertW(header, 5, u"Size", 60), 1) << "past the end appends";
  HDITEMA ansi{};
  ansi.mask = HDI_TEXT | HDI_WIDTH | HDI_LPARAM;
  ansi.pszText = const_cast<LPSTR>("Date");
  ansi.cxy = 80;
  ansi.lParam = 77;
  EXPECT_EQ(SendMessageA(header, HDM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&ansi)), 1);
  EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3);

  struct Row {
    int item;
    int size;
    const char16_t* text;
    LRESULT result;
  } const reads[] = {
      {0, 32, u"Name", TRUE},
      {1, 32, u"Date", TRUE},
      {2, 3, u"Si", TRUE},  // the buffer's size bounds the copy
      {3, 32, u"", FALSE},
      {-1, 32, u"", FALSE},
  };
  for (const Row& r : reads) {
    WCHAR buffer[40];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    buffer[0] = 0;
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = buffer;
    item.cchTextMax = r.size;
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(r.item), reinterpret_cast<LPARAM>(&item)), r.result)
        << r.item;
    EXPECT_EQ(std::u16string(buffer), r.text) << r.item;
    EXPECT_EQ(buffer[r.size], r.result ? u'#' : buffer[r.size]) << "nothing written past the size";
  }
  char small[4];
  std::memset(small, '#', sizeof small);
  HDITEMA back{};
  back.mask = HDI_TEXT | HDI_LPARAM;
  back.pszText = small;
  back.cchTextMax = 3;
  EXPECT_EQ(SendMessageA(header, HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&back)), TRUE);
  EXPECT_STREQ(small, "Da");
  EXPECT_EQ(small[3], '#');
  EXPECT_EQ(back.lParam, 77);

  RECT r{};
  EXPECT_EQ(SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r)), TRUE);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.right, 180);
  int order[3] = {2, 0, 1};
  EXPECT_EQ(SendMessageW(header, HDM_SETORDERARRAY, 3, reinterpret_cast<LPARAM>(order)), TRUE);
  EXPECT_EQ(SendMessageW(header, HDM_ORDERTOINDEX, 0, 0), 2);
  EXPECT_EQ(SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r)), TRUE);
  EXPECT_EQ(r.left, 60) << "Size comes first now";
  int twice[3] = {0, 0, 1};
  EXPECT_EQ(SendMessageW(header, HDM_SETORDERARRAY, 3, reinterpret_cast<LPARAM>(twice)), FALSE) << "not a permutation";
  EXPECT_EQ(SendMessageW(header, HDM_DELETEITEM, 2, 0), TRUE);
  EXPECT_EQ(SendMessageW(header, HDM_DELETEITEM, 2, 0), FALSE);
  EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_TRUE(Notes().notes.empty()) << "these messages do not notify: " << comctltest::Describe(Notes().notes);
  DestroyWindow(parent);
}

TEST(HeaderControl, SetItemNotifiesAndMayBeRefused) {
  const HWND parent = comctltest::MakeParent();
  const HWND header = MakeHeader(parent, 0);
  InsertW(header, 0, u"Name", 100);
  HDITEMW item{};
  item.mask = HDI_WIDTH;
  item.cxy = 140;
  EXPECT_EQ(SendMessageW(header, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)), TRUE);
  const std::vector<Note> expected = {{HDN_ITEMCHANGINGW, 0, -1, 0, 0, 140}, {HDN_ITEMCHANGEDW, 0, -1, 0, 0, 140}};
  EXPECT_EQ(Notes().notes, expected) << comctltest::Describe(Notes().notes);
  Notes().Clear();
  Notes().answers[HDN_ITEMCHANGINGW] = TRUE;
  item.cxy = 20;
  EXPECT_EQ(SendMessageW(header, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)), FALSE);
  RECT r{};
  SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.right - r.left, 140) << "a refused change changes nothing";
  EXPECT_EQ(Notes().Codes(), std::vector<UINT>{HDN_ITEMCHANGINGW});
  DestroyWindow(parent);
}

TEST(HeaderControl, AnAnsiParentGetsAnsiCodes) {
  const HWND parent = comctltest::MakeParent(true);
  const HWND header = MakeHeader(parent, 0);
  InsertW(header, 0, u"Name", 100);
  HDITEMA item{};
  item.mask = HDI_WIDTH;
  item.cxy = 90;
  SendMessageA(header, HDM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(Notes().Codes(), (std::vector<UINT>{HDN_ITEMCHANGINGA, HDN_ITEMCHANGEDA}));
  DestroyWindow(parent);
}

TEST(HeaderControl, ChangeNotificationsCarryTheNewTextInTheParentsCharacterSet) {
  struct Case {
    bool ansiParent;
    UINT changing, changed;
  };
  for (const Case& c :
       {Case{false, HDN_ITEMCHANGINGW, HDN_ITEMCHANGEDW}, Case{true, HDN_ITEMCHANGINGA, HDN_ITEMCHANGEDA}}) {
    const HWND parent = comctltest::MakeParent(c.ansiParent);
    const HWND header = MakeHeader(parent, 0);
    InsertW(header, 0, u"Name", 100);
    Notes().Clear();
    Notes().headerText.clear();
    Notes().headerTextMax = 0;
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = const_cast<LPWSTR>(u"Total");
    SendMessageW(header, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(Notes().Codes(), (std::vector<UINT>{c.changing, c.changed})) << c.ansiParent;
    EXPECT_EQ(Notes().headerText, u"Total") << c.ansiParent;
    EXPECT_EQ(Notes().headerTextMax, 6) << c.ansiParent << ": the text's length and its terminator";
    DestroyWindow(parent);
  }
}

TEST(HeaderControl, LayoutAndHitTest) {
  const HWND parent = comctltest::MakeParent();
  const HWND header = MakeHeader(parent, 0);
  InsertW(header, 0, u"A", 50);
  InsertW(header, 1, u"B", 70);
  RECT area{0, 0, 200, 150};
  WINDOWPOS pos{};
  HDLAYOUT layout{&area, &pos};
  EXPECT_EQ(SendMessageW(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)), TRUE);
  EXPECT_EQ(pos.cx, 200);
  EXPECT_GT(pos.cy, 10);
  EXPECT_EQ(area.top, pos.cy) << "the header takes the top of the area";
  struct Row {
    POINT pt;
    UINT flags;
    int item;
  } const rows[] = {
      {{10, 5}, HHT_ONHEADER, 0},  {{50, 5}, HHT_ONDIVIDER, 0}, {{47, 5}, HHT_ONDIVIDER, 0},
      {{80, 5}, HHT_ONHEADER, 1},  {{121, 5}, HHT_ONDIVIDER, 1}, {{200, 5}, HHT_NOWHERE, -1},
      {{10, 40}, HHT_BELOW, -1},   {{-3, 5}, HHT_TOLEFT, -1},
  };
  for (const Row& r : rows) {
    HDHITTESTINFO info{r.pt, 0, 0};
    EXPECT_EQ(SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), r.item) << r.pt.x << "," << r.pt.y;
    EXPECT_EQ(info.flags, r.flags) << r.pt.x << "," << r.pt.y;
  }
  DestroyWindow(parent);
}

TEST(HeaderControl, DraggingADividerAndClickingAnItem) {
  const HWND parent = comctltest::MakeParent();
  const HWND header = MakeHeader(parent, HDS_BUTTONS);
  InsertW(header, 0, u"Name", 100);
  InsertW(header, 1, u"Size", 60);
  uitest::Drag(header, POINT{100, 10}, POINT{130, 10}, 3);
  RECT r{};
  SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.right - r.left, 130);
  const std::vector<UINT> codes = Notes().Codes();
  ASSERT_GE(codes.size(), 4u) << comctltest::Describe(Notes().notes);
  EXPECT_EQ(codes.front(), HDN_BEGINTRACKW);
  EXPECT_EQ(codes[codes.size() - 3], HDN_ENDTRACKW);
  EXPECT_EQ(codes[codes.size() - 2], HDN_ITEMCHANGINGW);
  EXPECT_EQ(codes.back(), HDN_ITEMCHANGEDW);
  EXPECT_EQ(Notes().notes.back().changed, 130u);

  Notes().Clear();
  uitest::Click(header, POINT{150, 10});
  EXPECT_EQ(Notes().Codes(), std::vector<UINT>{HDN_ITEMCLICKW});
  EXPECT_EQ(Notes().notes.back().item, 1);

  Notes().Clear();
  Notes().answers[HDN_BEGINTRACKW] = TRUE;
  uitest::Drag(header, POINT{130, 10}, POINT{170, 10}, 3);
  SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.right - r.left, 130) << "a refused track sizes nothing";
  EXPECT_EQ(Notes().Codes(), std::vector<UINT>{HDN_BEGINTRACKW});
  DestroyWindow(parent);
}

}  // namespace
