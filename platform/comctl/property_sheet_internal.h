// What the property sheet's files share: the sheet's and its pages' state,
// and the steps both the tabbed sheet (property_sheet.cpp) and the wizard
// (property_sheet_wizard.cpp) take.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/comctl/property_sheet.h"
#include "platform/resource/dialog_template.h"

struct PSP {
  PROPSHEETPAGEW page{};
  std::u16string title, templateName;  // copies of the caller's strings, which `page` points at
  PSP() = default;
  PSP(const PSP& other) : page(other.page), title(other.title), templateName(other.templateName) { Repoint(); }
  PSP& operator=(const PSP& other) {
    page = other.page;
    title = other.title;
    templateName = other.templateName;
    Repoint();
    return *this;
  }
  void Repoint() {
    if (!title.empty()) page.pszTitle = title.c_str();
    if (!templateName.empty()) page.pszTemplate = templateName.c_str();
  }
};

namespace comctl {

struct Page {
  PSP source;
  const void* dialogTemplate = nullptr;
  size_t templateSize = 0;
  resource::DialogTemplate info;  // its size and caption
  std::u16string title;
  HPROPSHEETPAGE handle = nullptr;  // the page handle it was made from, if any
  HWND window = nullptr;
  bool changed = false;
};

struct Sheet {
  std::vector<std::unique_ptr<Page>> pages;  // pages keep their place: each page holds its PROPSHEETPAGE's address
  int current = -1;
  DWORD flags = 0;
  HWND tab = nullptr;
  RECT display{};  // where pages go, in the sheet's client coordinates
  std::u16string caption;
  PFNPROPSHEETCALLBACK callback = nullptr;
  int start = 0;
  bool applied = false;
  INT_PTR restart = 0;  // ID_PSRESTARTWINDOWS / ID_PSREBOOTSYSTEM
  bool modeless = false;
  bool closed = false;  // a modeless sheet that finished
  HHOOK keys = nullptr; // Ctrl+Tab and Ctrl+Page Up/Down turn the pages
  bool wizard = false;  // PSH_WIZARD: Back, Next and Finish instead of tabs
  DWORD wizardButtons = PSWIZB_NEXT;  // as PSM_SETWIZBUTTONS last set them
  bool finishText = false;  // PSM_SETFINISHTEXT turned the wizard to Finish only
};

inline Page& PageAt(const Sheet& s, size_t index) { return *s.pages[index]; }
// The pages in order, as references. A plain adaptor: the clang of the fuzz
// build cannot compile the standard library's range views.
class EachPage {
 public:
  struct Iterator {
    std::vector<std::unique_ptr<Page>>::const_iterator at;
    Page& operator*() const { return **at; }
    Iterator& operator++() {
      ++at;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return at != other.at; }
  };
  explicit EachPage(const Sheet& s) : sheet_(s) {}
  Iterator begin() const { return {sheet_.pages.begin()}; }
  Iterator end() const { return {sheet_.pages.end()}; }

 private:
  const Sheet& sheet_;
};
inline EachPage Each(const Sheet& s) { return EachPage(s); }

Sheet* SheetOf(HWND w);
// Makes a page's window (hidden, in the pages' area) the first time it is needed.
bool MakePage(HWND sheet, Sheet& s, Page& page);
LRESULT NotifyPage(HWND sheet, const Page& page, UINT code, LPARAM lParam = 0);
// Shows page `index` (made now if it is the first time), telling it with
// PSN_SETACTIVE; the page shown before is hidden. No PSN_KILLACTIVE here.
bool Show(HWND sheet, Sheet& s, int index);
// Asks the page shown whether it may be left (PSN_KILLACTIVE).
bool MayLeave(HWND sheet, const Sheet& s);
// Ends the sheet with `result` (a modeless sheet only marks itself closed).
void Finish(HWND sheet, Sheet& s, INT_PTR result);
// The answer of a sheet message through the dialog's DWLP_MSGRESULT.
INT_PTR Answer(HWND sheet, LRESULT value);

}  // namespace comctl
