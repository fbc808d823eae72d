// The list view's messages and the notifications they send, as tables of
// cases: items and sub-items, bounded text copies, states, searching,
// sorting through a compare callback, column auto-sizing and scrolling.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/comctl/text_buffers.h"
#include "platform/testing/ui.h"
#include "tests/platform/comctl/notify_recorder.h"

namespace {

using comctltest::AddColumns;
using comctltest::AddRow;
using comctltest::ItemText;
using comctltest::Note;
using comctltest::Notes;

LPARAM P(const void* p) { return reinterpret_cast<LPARAM>(p); }

HWND MakeFilled(HWND parent, DWORD style = 0) {
  const HWND list = comctltest::MakeList(parent, style);
  AddColumns(list, {{u"Name", 100}, {u"Path", 120}, {u"Size", 50}});
  AddRow(list, {u"pear", u"/fruit/pear", u"3"}, 30);
  AddRow(list, {u"Apple", u"/fruit/apple", u"1"}, 10);
  AddRow(list, {u"banana", u"/fruit/banana", u"2"}, 20);
  Notes().Clear();
  return list;
}

TEST(ListView, ItemsAndSubItemsAsMessages) {
  const HWND parent = comctltest::MakeParent();
  const HWND list = MakeFilled(parent);
  WCHAR text[16];
  LVITEMW get{};
  get.pszText = text;
  get.cchTextMax = 16;
  struct Row {
    const char* what;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
  };
  LVITEMW sub{};
  sub.iSubItem = 5;
  sub.pszText = const_cast<LPWSTR>(u"x");
  LVITEMW first{};
  first.mask = LVIF_TEXT;
  first.iSubItem = 1;  // an insertion is of an item, never of a sub-item
  first.pszText = const_cast<LPWSTR>(u"y");
  LVFINDINFOW exact{LVFI_STRING, u"APPLE", 0, {}, 0};
  LVFINDINFOW partial{LVFI_PARTIAL, u"ban", 0, {}, 0};
  LVFINDINFOW byValue{LVFI_PARAM, nullptr, 30, {}, 0};
  LVFINDINFOW wrapped{LVFI_STRING | LVFI_WRAP, u"pear", 0, {}, 0};
  LVFINDINFOW unwrapped{LVFI_STRING, u"pear", 0, {}, 0};
  const Row rows[] = {
      {"count", LVM_GETITEMCOUNT, 0, 0, 3},
      {"columns", LVM_GETCOLUMNWIDTH, 1, 0, 120},
      {"no column 3", LVM_GETCOLUMNWIDTH, 3, 0, 0},
      {"sub-item past the columns", LVM_SETITEMTEXTW, 0, P(&sub), FALSE},
      {"insert of a sub-item", LVM_INSERTITEMW, 0, P(&first), -1},
      {"text of row 1 column 1", LVM_GETITEMTEXTW, 1, P(&get), 12},
      {"text of row 9", LVM_GETITEMTEXTW, 9, P(&get), 0},
      {"find exact, case ignored", LVM_FINDITEMW, static_cast<WPARAM>(-1), P(&exact), 1},
      {"find by prefix", LVM_FINDITEMW, static_cast<WPARAM>(-1), P(&partial), 2},
      {"find by value", LVM_FINDITEMW, static_cast<WPARAM>(-1), P(&byValue), 0},
      {"find after the start, wrapping", LVM_FINDITEMW, 0, P(&wrapped), 0},
      {"find after the start", LVM_FINDITEMW, 0, P(&unwrapped), -1},
      {"delete a row", LVM_DELETEITEM, 0, 0, TRUE},
      {"delete a missing row", LVM_DELETEITEM, 7, 0, FALSE},
      {"count after", LVM_GETITEMCOUNT, 0, 0, 2},
  };
  for (const Row& r : rows) {
    get.iSubItem = r.message == LVM_GETITEMTEXTW ? 1 : 0;
    EXPECT_EQ(SendMessageW(list, r.message, r.wParam, r.lParam), r.result) << r.what;
  }
  EXPECT_EQ(ItemText(list, 0), u"Apple");
  EXPECT_EQ(ItemText(list, 1, 2), u"2");
  EXPECT_EQ(Notes().Codes(), (std::vector<UINT>{LVN_DELETEITEM})) << comctltest::Describe(Notes().notes);
  EXPECT_EQ(Notes().notes[0].item, 0);
  DestroyWindow(parent);
}

TEST(ListView, TextCopiesNeverPassTheGivenSize) {
  const HWND parent = comctltest::MakeParent();
  const HWND list = MakeFilled(parent);
  struct Row {
    int size;
    const char16_t* text;
    LRESULT copied;
  } const rows[] = {{1, u"", 0}, {4, u"/fr", 3}, {12, u"/fruit/appl", 11}, {13, u"/fruit/apple", 12}, {40, u"/fruit/apple", 12}};
  for (const Row& r : rows) {
    WCHAR buffer[48];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    LVITEMW item{};
    item.iSubItem = 1;
    item.pszText = buffer;
    item.cchTextMax = r.size;
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMTEXTW, 1, P(&item)), r.copied) << r.size;
    EXPECT_EQ(std::u16string(buffer), r.text) << r.size;
    EXPECT_EQ(buffer[r.size], u'#') << "nothing past the size " << r.size;
    // LVM_GETITEM fills the same way.
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    item.mask = LVIF_TEXT;
    item.iItem = 1;
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMW, 0, P(&item)), TRUE);
    EXPECT_EQ(std::u16string(buffer), r.text) << r.size;
    EXPECT_EQ(buffer[r.size], u'#') << r.size;
  }
  WCHAR untouched[4] = {u'#', u'#', u'#', u'#'};
  LVITEMW none{};
  none.pszText = untouched;
  none.cchTextMax = 0;
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMTEXTW, 1, P(&none)), 0);
  EXPECT_EQ(untouched[0], u'#') << "a size of zero writes nothing";
  char ansi[5];
  std::memset(ansi, '#', sizeof ansi);
  LVITEMA a{};
  a.iSubItem = 1;
  a.pszText = ansi;
  a.cchTextMax = 4;
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMTEXTA, 1, P(&a)), 3);
  EXPECT_STREQ(ansi, "/fr");
  EXPECT_EQ(ansi[4], '#');
  DestroyWindow(parent);
}

TEST(ListView, AnsiItemsAndColumns) {
  const HWND parent = comctltest::MakeParent();
  const HWND list = comctltest::MakeList(parent, 0);
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  column.pszText = const_cast<LPSTR>("Caf\xE9");
  column.cx = 80;
  column.fmt = LVCFMT_RIGHT;
  EXPECT_EQ(SendMessageA(list, LVM_INSERTCOLUMNA, 0, P(&column)), 0);
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.pszText = const_cast<LPSTR>("na\xEFve");
  item.lParam = 5;
  EXPECT_EQ(SendMessageA(list, LVM_INSERTITEMA, 0, P(&item)), 0);
  EXPECT_EQ(ItemText(list, 0), u"na\u00EFve") << "ANSI text is converted through the code page";
  WCHAR title[8] = {};
  LVCOLUMNW back{};
  back.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
  back.pszText = title;
  back.cchTextMax = 8;
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNW, 0, P(&back)), TRUE);
  EXPECT_EQ(std::u16string(title), u"Caf\u00E9");
  EXPECT_EQ(back.fmt, LVCFMT_RIGHT);
  EXPECT_EQ(back.cx, 80);
  EXPECT_EQ(back.iSubItem, 0);
  DestroyWindow(parent);
}

TEST(ListView, StateChangesNotifyAndMayBeRefused) {
  const HWND parent = comctltest::MakeParent();
  const HWND list = MakeFilled(parent);
  constexpr UINT S = LVIS_SELECTED, F = LVIS_FOCUSED;
  ListView_SetItemState(list, 1, S | F, S | F);
  ListView_SetItemState(list, 2, F, F);  // the focus moves: row 1 loses it first
  ListView_SetItemState(list, 2, F, F);  // no change, no notification
  const std::vector<Note> expected = {
      {LVN_ITEMCHANGING, 1, 0, S | F, 0, LVIF_STATE}, {LVN_ITEMCHANGED, 1, 0, S | F, 0, LVIF_STATE},
      {LVN_ITEMCHANGING, 2, 0, F, 0, LVIF_STATE},     {LVN_ITEMCHANGING, 1, 0, S, S | F, LVIF_STATE},
      {LVN_ITEMCHANGED, 1, 0, S, S | F, LVIF_STATE},  {LVN_ITEMCHANGED, 2, 0, F, 0, LVIF_STATE},
  };
  EXPECT_EQ(Notes().notes, expected) << comctltest::Describe(Notes().notes);
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 2);
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, 1, LVNI_SELECTED), -1);
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, 2, LVNI_ABOVE), 1);
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);

  Notes().Clear();
  Notes().answers[LVN_ITEMCHANGING] = TRUE;
  ListView_SetItemState(list, 0, S, S);
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMSTATE, 0, S), 0) << "refused by LVN_ITEMCHANGING";
  EXPECT_EQ(Notes().Codes(), std::vector<UINT>{LVN_ITEMCHANGING});
  Notes().answers.clear();

  Notes().Clear();
  ListView_SetItemState(list, -1, S, S);  // every row
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 3);
  const std::vector<UINT> codes = Notes().Codes();
  EXPECT_EQ(std::count(codes.begin(), codes.end(), LVN_ITEMCHANGED), 2);

  // Item values and texts notify too; sub-item texts do not.
  Notes().Clear();
  LVITEMW value{};
  value.mask = LVIF_PARAM;
  value.iItem = 0;
  value.lParam = 99;
  EXPECT_EQ(SendMessageW(list, LVM_SETITEMW, 0, P(&value)), TRUE);
  LVITEMW text{};
  text.pszText = const_cast<LPWSTR>(u"Quince");
  SendMessageW(list, LVM_SETITEMTEXTW, 0, P(&text));
  text.iSubItem = 2;
  SendMessageW(list, LVM_SETITEMTEXTW, 0, P(&text));
  const std::vector<Note> values = {
      {LVN_ITEMCHANGING, 0, 0, S, S, LVIF_PARAM}, {LVN_ITEMCHANGED, 0, 0, S, S, LVIF_PARAM},
      {LVN_ITEMCHANGING, 0, 0, S, S, LVIF_TEXT},  {LVN_ITEMCHANGED, 0, 0, S, S, LVIF_TEXT},
  };
  EXPECT_EQ(Notes().notes, values) << comctltest::Describe(Notes().notes);
  DestroyWindow(parent);
}

TEST(ListView, SingleSelectionKeepsOneSelectedRow) {
  const HWND parent = comctltest::MakeParent();
  const HWND list = MakeFilled(parent, LVS_SINGLESEL);
  ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
  ListView_SetItemState(list, 2, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2);
  DestroyWindow(parent);
}

TEST(ListView, CheckBoxesAreStateImages) {
  const HWND parent = comctltest::MakeParent();
  const HWND list = MakeFilled(parent);
  EXPECT_EQ(SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES), 0);
  EXPECT_EQ(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_CHECKBOXES);
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
  EXPECT_FALSE(ListView_GetCheckState(list, 1));
  AddRow(list, {u"cherry"}, 40);
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMSTATE, 3, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1))
      << "new rows come unchecked";
  Notes().Clear();
  ListView_SetCheckState(list, 1, TRUE);
  EXPECT_TRUE(ListView_GetCheckState(list, 1));
  const std::vector<Note> expected = {
      {LVN_ITEMCHANGING, 1, 0, INDEXTOSTATEIMAGEMASK(2), INDEXTOSTATEIMAGEMASK(1), LVIF_STATE},
      {LVN_ITEMCHANGED, 1, 0, INDEXTOSTATEIMAGEMASK(2), INDEXTOSTATEIMAGEMASK(1), LVIF_STATE},
  };
  EXPECT_EQ(Notes().notes, expected) << comctltest::Describe(Notes().notes);
  DestroyWindow(parent);
}

int ByValueDescending(LPARAM a, LPARAM b, LPARAM sign) { return static_cast<int>((b - a) * sign); }

HWND gSortList = nullptr;
int ByPathOfIndex(LPARAM a, LPARAM b, LPARAM) {
  return ItemText(gSortList, static_cast<int>(a), 1).compare(ItemText(gSortList, static_cast<int>(b), 1));
}
int NoOrder(LPARAM a, LPARAM b, LPARAM) { return (a * 7 + b * 3) % 5 - 2; }

TEST(ListView, SortingThroughACompareFunction) {
  const HWND parent = comctltest::MakeParent();
  const HWND list = MakeFilled(parent);
  ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  Notes().Clear();
  EXPECT_EQ(SendMessageW(list, LVM_SORTITEMS, 1, P(reinterpret_cast<void*>(&ByValueDescending))), TRUE);
  EXPECT_EQ(ItemText(list, 0), u"pear");
  EXPECT_EQ(ItemText(list, 1), u"banana");
  EXPECT_EQ(ItemText(list, 2), u"Apple");
  EXPECT_EQ(ItemText(list, 2, 1), u"/fruit/apple") << "sub-items travel with their row";
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2) << "and so do states";
  EXPECT_TRUE(Notes().notes.empty()) << "sorting does not notify";
  gSortList = list;
  EXPECT_EQ(SendMessageW(list, LVM_SORTITEMSEX, 0, P(reinterpret_cast<void*>(&ByPathOfIndex))), TRUE);
  EXPECT_EQ(ItemText(list, 0), u"Apple");
  EXPECT_EQ(ItemText(list, 2), u"pear");
  EXPECT_EQ(SendMessageW(list, LVM_SORTITEMS, 0, 0), FALSE) << "no compare function";
  // A compare function that is no order still keeps every row once.
  for (int i = 0; i < 40; ++i) AddRow(list, {u"n"}, i * 13 % 17);
  EXPECT_EQ(SendMessageW(list, LVM_SORTITEMS, 0, P(reinterpret_cast<void*>(&NoOrder))), TRUE);
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 43);
  std::vector<std::u16string> names;
  for (int i = 0; i < 43; ++i) names.push_back(ItemText(list, i));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names[0], u"Apple");
  EXPECT_EQ(names[1], u"banana");
  EXPECT_EQ(names[42], u"pear");
  DestroyWindow(parent);
}

TEST(ListView, SortedStylesInsertInOrder) {
  const HWND parent = comctltest::MakeParent();
  const HWND list = MakeFilled(parent, LVS_SORTASCENDING);
  EXPECT_EQ(ItemText(list, 0), u"Apple");
  EXPECT_EQ(ItemText(list, 1), u"banana");
  EXPECT_EQ(ItemText(list, 2), u"pear");
  DestroyWindow(parent);
}

int TextWidthOf(HWND list, const char16_t* text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  GetTextExtentPoint32W(dc, text, static_cast<int>(std::u16string(text).size()), &size);
  SelectObject(dc, old);
  DeleteDC(dc);
  (void)list;
  return size.cx;
}

TEST(ListView, ColumnAutoSizing) {
  const HWND parent = comctltest::MakeParent();
  const HWND list = MakeFilled(parent);
  RECT client;
  GetClientRect(list, &client);
  EXPECT_EQ(SendMessageW(list, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE), TRUE);
  const int longest = TextWidthOf(list, u"/fruit/banana");
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0), longest + 12) << "the longest text and its margins";
  EXPECT_EQ(SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER), TRUE);
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), TextWidthOf(list, u"Name") + 18) << "the header's text";
  // The last column fills what the others leave.
  EXPECT_EQ(SendMessageW(list, LVM_SETCOLUMNWIDTH, 2, LVSCW_AUTOSIZE_USEHEADER), TRUE);
  const LRESULT left = SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0) + SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0);
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 2, 0), client.right - left);
  EXPECT_EQ(SendMessageW(list, LVM_SETCOLUMNWIDTH, 2, 75), TRUE);
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 2, 0), 75);
  EXPECT_EQ(SendMessageW(list, LVM_SETCOLUMNWIDTH, 7, 75), FALSE);
  DestroyWindow(parent);
}

TEST(ListView, ScrollingKeepsRowsInView) {
  const HWND parent = comctltest::MakeParent();
  const HWND list = comctltest::MakeList(parent, 0, 300, 150);
  AddColumns(list, {{u"N", 400}});
  for (int i = 0; i < 60; ++i) AddRow(list, {u"row"}, i);
  const int page = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
  ASSERT_GT(page, 2);
  struct Row {
    const char* what;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    int top;
  } const rows[] = {
      {"ensure 30 visible", LVM_ENSUREVISIBLE, 30, FALSE, 30 - page + 1},
      {"ensure 5 visible", LVM_ENSUREVISIBLE, 5, FALSE, 5},
      {"scroll down by pixels", LVM_SCROLL, 0, 1, 6},
      {"scroll past the end", LVM_SCROLL, 0, 100000, 60 - page},
      {"scroll back to the top", LVM_SCROLL, 0, -100000, 0},
      {"line down", WM_VSCROLL, SB_LINEDOWN, 0, 1},
      {"page down", WM_VSCROLL, SB_PAGEDOWN, 0, 1 + page},
      {"bottom", WM_VSCROLL, SB_BOTTOM, 0, 60 - page},
  };
  for (const Row& r : rows) {
    SendMessageW(list, r.message, r.wParam, r.lParam);
    EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), r.top) << r.what;
  }
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &info));
  EXPECT_EQ(info.nMax, 59);
  EXPECT_EQ(info.nPage, static_cast<UINT>(page));
  EXPECT_EQ(info.nPos, 60 - page);
  SendMessageW(list, LVM_SCROLL, 50, 0);
  RECT row{};
  row.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETITEMRECT, 60 - page, P(&row));
  EXPECT_EQ(row.left, -50) << "sideways scrolling moves the rows";
  DestroyWindow(parent);
}

}  // namespace

namespace {

// Texts asked of the parent (LPSTR_TEXTCALLBACK): each cell in LVN_GETDISPINFO,
// filled into the buffer the list gives; the parent may also point elsewhere.
LRESULT DispInfoParent(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
    static const char16_t kOwn[] = u"own buffer";
    if (info->item.iSubItem == 1) {
      info->item.pszText = const_cast<LPWSTR>(kOwn);
    } else {
      std::u16string text = u"row ";
      text += static_cast<char16_t>(u'0' + info->item.iItem);
      text += u" value ";
      text += static_cast<char16_t>(u'0' + info->item.lParam);
      comctl::CopyText(text, info->item.pszText, info->item.cchTextMax);
    }
    return 0;
  }
  return DefWindowProcW(w, message, wParam, lParam);
}

TEST(ListView, CallbackTextsAreAskedOfTheParent) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DispInfoParent;
  wc.lpszClassName = u"TavDispInfoParent";
  RegisterClassExW(&wc);
  const HWND parent = CreateWindowExW(0, u"TavDispInfoParent", u"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                      nullptr, nullptr, nullptr, nullptr);
  const HWND list = comctltest::MakeList(parent, 0);
  AddColumns(list, {{u"A", 80}, {u"B", 80}});
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.pszText = LPSTR_TEXTCALLBACKW;
  item.lParam = 7;
  EXPECT_EQ(SendMessageW(list, LVM_INSERTITEMW, 0, P(&item)), 0);
  item.iSubItem = 1;
  SendMessageW(list, LVM_SETITEMTEXTW, 0, P(&item));
  EXPECT_EQ(ItemText(list, 0), u"row 0 value 7");
  EXPECT_EQ(ItemText(list, 0, 1), u"own buffer");
  WCHAR small[5];
  LVITEMW get{};
  get.pszText = small;
  get.cchTextMax = 5;
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMTEXTW, 0, P(&get)), 4) << "still bounded by the caller's size";
  EXPECT_EQ(std::u16string(small), u"row ");
  uitest::RunUntilIdle();  // painting asks too, without harm
  DestroyWindow(parent);
}

TEST(ListView, InsertionAndDeletionNotifications) {
  const HWND parent = comctltest::MakeParent();
  const HWND list = comctltest::MakeList(parent, 0);
  AddColumns(list, {{u"A", 80}});
  AddRow(list, {u"one"}, 1);
  AddRow(list, {u"two"}, 2);
  EXPECT_EQ(Notes().Codes(), (std::vector<UINT>{LVN_INSERTITEM, LVN_INSERTITEM}));
  struct Row {
    LRESULT answer;  // to LVN_DELETEALLITEMS
    std::vector<UINT> codes;
  } const rows[] = {
      {FALSE, {LVN_DELETEALLITEMS, LVN_DELETEITEM, LVN_DELETEITEM}},
      {TRUE, {LVN_DELETEALLITEMS}},  // the parent needs no note per row
  };
  for (const Row& r : rows) {
    if (SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 0) {
      AddRow(list, {u"one"}, 1);
      AddRow(list, {u"two"}, 2);
    }
    Notes().Clear();
    Notes().answers[LVN_DELETEALLITEMS] = r.answer;
    EXPECT_EQ(SendMessageW(list, LVM_DELETEALLITEMS, 0, 0), TRUE);
    EXPECT_EQ(Notes().Codes(), r.codes) << comctltest::Describe(Notes().notes);
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
  }
  DestroyWindow(parent);
}

}  // namespace
