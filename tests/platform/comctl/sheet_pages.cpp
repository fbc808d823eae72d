#include "tests/platform/comctl/sheet_pages.h"

namespace sheettest {

std::string NoteName(UINT code) {
  switch (code) {
    case PSN_SETACTIVE: return "SETACTIVE";
    case PSN_KILLACTIVE: return "KILLACTIVE";
    case PSN_APPLY: return "APPLY";
    case PSN_RESET: return "RESET";
    case PSN_QUERYCANCEL: return "QUERYCANCEL";
    case PSN_HELP: return "HELP";
    case PSN_WIZBACK: return "WIZBACK";
    case PSN_WIZNEXT: return "WIZNEXT";
    case PSN_WIZFINISH: return "WIZFINISH";
    default: return std::to_string(static_cast<int>(code));
  }
}

void NotePageInit(HWND page, LPARAM lParam, std::vector<std::string>& log) {
  const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
  SetWindowLongPtrW(page, DWLP_USER, sheetPage->lParam);
  log.push_back(std::to_string(sheetPage->lParam) + ":INIT");
}

int PageNumber(HWND page) { return static_cast<int>(GetWindowLongPtrW(page, DWLP_USER)); }

ThreePages::ThreePages(const std::vector<uint32_t>& first, const std::vector<uint32_t>& second, DLGPROC proc,
                       HWND owner, DWORD flags, const char16_t* caption, const char16_t* thirdTitle) {
  const void* templates[] = {first.data(), second.data()};
  for (int i = 0; i < 3; ++i) {
    PROPSHEETPAGEW& p = pages[i];
    p.dwSize = sizeof p;
    p.pfnDlgProc = proc;
    p.lParam = i;
    if (i < 2) {
      p.dwFlags = PSP_DLGINDIRECT;
      p.pResource = static_cast<LPCDLGTEMPLATEW>(templates[i]);
      continue;
    }
    p.pszTemplate = MAKEINTRESOURCEW(kResourcePage);
    if (thirdTitle != nullptr) {
      p.dwFlags = PSP_USETITLE;
      p.pszTitle = thirdTitle;
    }
  }
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | flags;
  header.hwndParent = owner;
  header.pszCaption = caption;
  header.nPages = 3;
  header.ppsp = pages;
}

}  // namespace sheettest
