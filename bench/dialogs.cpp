// Dialogs: creating and destroying a dialog of 40 controls from a template
// (ten rows of a label, an edit field, a check box and a combo box), with
// its font, WM_SETFONT to every control and WM_INITDIALOG; and the same
// dialog through the dialog manager's Tab key round.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/user/dialogs/template_writer.h"
#include "platform/win.h"

namespace {

std::vector<uint32_t> FortyControls() {
  dialogs::TemplateWriter t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 300, 200, u"Forty");
  for (int row = 0; row < 10; ++row) {
    const short y = static_cast<short>(4 + row * 18);
    const std::u16string label = u"Field &" + std::u16string(1, static_cast<char16_t>(u'0' + row));
    t.Add(0x82, WS_CHILD | WS_VISIBLE, 0, 4, y, 40, 10, static_cast<DWORD>(100 + row), label);
    t.Add(0x81, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 48, y, 80, 12,
          static_cast<DWORD>(200 + row), u"text");
    t.Add(0x80, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 132, y, 60, 12, static_cast<DWORD>(300 + row),
          u"Check");
    t.Add(0x85, WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 0, 196, y, 90, 60,
          static_cast<DWORD>(400 + row), u"");
  }
  return t.words();
}

INT_PTR Proc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? TRUE : FALSE; }

void BM_CreateDestroyFortyControlDialog(benchmark::State& state) {
  const std::vector<uint32_t> bytes = FortyControls();
  for (auto _ : state) {
    const HWND dialog = CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), nullptr,
                                                   Proc, 0);
    benchmark::DoNotOptimize(dialog);
    DestroyWindow(dialog);
  }
  state.SetItemsProcessed(state.iterations() * 40);
}
BENCHMARK(BM_CreateDestroyFortyControlDialog)->Unit(benchmark::kMicrosecond);

void BM_TabRoundOfFortyControlDialog(benchmark::State& state) {
  const std::vector<uint32_t> bytes = FortyControls();
  const HWND dialog = CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), nullptr,
                                                 Proc, 0);
  for (auto _ : state) {
    // 30 tab stops: once round them all.
    for (int i = 0; i < 30; ++i) SendMessageW(dialog, WM_NEXTDLGCTL, 0, FALSE);
  }
  DestroyWindow(dialog);
}
BENCHMARK(BM_TabRoundOfFortyControlDialog)->Unit(benchmark::kMicrosecond);

}  // namespace
