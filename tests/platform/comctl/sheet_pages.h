// The three pages the property-sheet and wizard tests show: two from
// templates in memory and one from a resource template, each page told its
// number through lParam, and the names of the notifications pages log.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win.h"

namespace sheettest {

inline constexpr int kResourcePage = 2100;  // the third page's template (property_pages.rc)

// "SETACTIVE", "WIZNEXT"...; other codes as their number.
std::string NoteName(UINT code);

// A page's WM_INITDIALOG: keeps its number (DWLP_USER) and logs "N:INIT".
void NotePageInit(HWND page, LPARAM lParam, std::vector<std::string>& log);
// The number NotePageInit kept.
int PageNumber(HWND page);

struct ThreePages {
  PROPSHEETPAGEW pages[3]{};
  PROPSHEETHEADERW header{};
  // Pages 0 and 1 from `first` and `second`, page 2 from the resource
  // template, titled `thirdTitle` when given.
  ThreePages(const std::vector<uint32_t>& first, const std::vector<uint32_t>& second, DLGPROC proc, HWND owner,
             DWORD flags, const char16_t* caption, const char16_t* thirdTitle = nullptr);
};

}  // namespace sheettest
