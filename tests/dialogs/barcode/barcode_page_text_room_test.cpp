// Every choice of the barcode sheet's own drop lists fits its box: each
// item's text, in the list's font, is measured against the room the box
// leaves beside its button, on every page, for linear, two-dimensional and
// HIBC fields, in English and Chinese.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dialogs/barcode/barcode_ids.h"
#include "platform/nls/nls_text.h"
#include "tests/dialogs/barcode/barcode_sheet_support.h"

namespace {

using namespace barcode_sheet_test;

std::u16string ItemText(HWND combo, int i) {
  const auto length = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
  std::u16string text(static_cast<size_t>(length < 0 ? 0 : length) + 1, u'\0');
  ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length < 0 ? 0 : length));
  return text;
}

std::string Utf8(const std::u16string& s) { return nls::FromUtf16(CP_UTF8, s); }

// The items of the page's own drop lists (not the hosted data-source
// panel's) whose text is wider than the box shows: "id: text".
std::vector<std::string> ClippedChoices(HWND page) {
  std::vector<std::string> clipped;
  for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char16_t name[32] = {};
    ::GetClassNameW(child, name, 32);
    if (std::u16string(name) != u"ComboBox" || !::IsWindowVisible(child)) continue;
    const LONG style = ::GetWindowLongW(child, GWL_STYLE);
    if ((style & 3) != CBS_DROPDOWNLIST || (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE))) continue;
    RECT box{};
    ::GetClientRect(child, &box);
    // A sunken edge of 2 dots each side, the button, and the text's inset.
    const int room = box.right - ::GetSystemMetrics(SM_CXVSCROLL) - 8;
    HDC dc = ::GetDC(child);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0)));
    const int count = static_cast<int>(::SendMessageW(child, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      const std::u16string text = ItemText(child, i);
      SIZE extent{};
      ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
      if (extent.cx > room)
        clipped.push_back(std::to_string(::GetDlgCtrlID(child)) + ": " + Utf8(text) + " (" +
                          std::to_string(extent.cx) + " in " + std::to_string(room) + ")");
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(child, dc);
  }
  return clipped;
}

TEST(BarcodePageTextRoom, EveryChoiceFitsItsBox) {
  struct Case {
    int symbology;
    const char* data;
    int hibc;
  };
  const Case cases[] = {{11, "1234567890123", 0}, {20, "", 0}, {29, "DM", 0},
                        {31, "MICRO", 0},         {33, "QR", 0}, {1, "A123", 1}};
  for (const int language : {kUiEnglish, kUiChineseSimplified}) {
    LanguageScope scope(language);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::to_string(c.symbology) + (language == kUiEnglish ? " in English" : " in Chinese"));
      auto f = std::make_unique<CBarcodeField>(300);
      f->name = "Barcode_1";
      f->symbology = static_cast<int16_t>(c.symbology);
      f->data = c.data;
      f->useHibc = static_cast<uint8_t>(c.hibc);
      f->showHr = 1;
      CLabelSetup setup;
      SheetRun run;
      run.script = [&](HWND sheet) {
        for (int page = 0; page < 3; ++page) {
          const std::vector<std::string> clipped = ClippedChoices(ShowPage(sheet, page));
          for (const std::string& item : clipped) ADD_FAILURE() << "page " << page << ", " << item;
        }
        ::SendMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
      };
      CField* edited = f.get();
      RunSheet(setup, &edited, c.hibc, run);
    }
  }
}

}  // namespace
