// The report list view: filling 10,000 rows of three columns, and sorting
// them through a compare callback.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/win.h"

namespace {

constexpr int kRows = 10000;

HWND MakeList() {
  HWND list = CreateWindowExW(0, u"SysListView32", u"", WS_POPUP | LVS_REPORT, 0, 0, 600, 400, nullptr, nullptr,
                              nullptr, nullptr);
  const char16_t* titles[] = {u"Name", u"Folder", u"Size"};
  for (int c = 0; c < 3; ++c) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<LPWSTR>(titles[c]);
    column.cx = 150;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
  }
  return list;
}

void Fill(HWND list) {
  for (int i = 0; i < kRows; ++i) {
    // Values spread over the range, so the sort has real work to do.
    const int value = (i * 7919) % kRows;
    std::u16string name = u"item ";
    for (char ch : std::to_string(value)) name += static_cast<char16_t>(ch);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = i;
    item.pszText = name.data();
    item.lParam = value;
    const int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    item.iSubItem = 1;
    item.pszText = const_cast<LPWSTR>(u"/home/user/labels");
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 2;
    item.pszText = name.data();
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  }
}

int ByValue(LPARAM a, LPARAM b, LPARAM) { return a < b ? -1 : a > b ? 1 : 0; }

void BM_ListViewFill10000(benchmark::State& state) {
  for (auto _ : state) {
    HWND list = MakeList();
    Fill(list);
    benchmark::DoNotOptimize(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    state.PauseTiming();
    DestroyWindow(list);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ListViewFill10000)->Unit(benchmark::kMillisecond);

void BM_ListViewSort10000(benchmark::State& state) {
  HWND list = MakeList();
  Fill(list);
  for (auto _ : state) {
    SendMessageW(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&ByValue));
    state.PauseTiming();
    // Back to the filled order for the next round.
    SendMessageW(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(+[](LPARAM a, LPARAM b, LPARAM) {
                   return static_cast<int>((a * 3) % kRows - (b * 3) % kRows);
                 }));
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
  DestroyWindow(list);
}
BENCHMARK(BM_ListViewSort10000)->Unit(benchmark::kMillisecond);

}  // namespace
