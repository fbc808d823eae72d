// Property sheets: the sheet dialog, its pages, and the round of
// notifications OK, Apply, Cancel and page changes make.
#include "platform/comctl/property_sheet.h"
#include "platform/comctl/property_sheet_internal.h"
#include "platform/comctl/property_sheet_wizard.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/comctl/control_state.h"
#include "platform/kernel/handle_table.h"
#include "platform/resource/dialog_template.h"
#include "platform/user/dialogs/template_writer.h"


namespace comctl {
namespace {

constexpr size_t kMaxPages = 99;
constexpr size_t kIndirectTemplateBound = 65536;  // a caller's template in memory, read no further
constexpr const char16_t* kSheetProperty = u"TavPropertySheet";

}  // namespace


Sheet* SheetOf(HWND w) { return static_cast<Sheet*>(GetPropW(w, kSheetProperty)); }

namespace {

std::u16string Text(HINSTANCE module, LPCWSTR text) {
  if (!text) return {};
  if (!IS_INTRESOURCE(text)) return text;
  WCHAR buffer[256];
  const int n = LoadStringW(module, static_cast<UINT>(reinterpret_cast<uintptr_t>(text)), buffer, 256);
  return std::u16string(buffer, static_cast<size_t>(std::max(n, 0)));
}

// Copies the caller's page, keeping its strings alive with the copy.
PSP CopyPage(const PROPSHEETPAGEW& in) {
  PSP p;
  std::memcpy(&p.page, &in, std::min<size_t>(in.dwSize, sizeof p.page));
  p.page.dwSize = sizeof p.page;
  if (in.dwSize < offsetof(PROPSHEETPAGEW, pszHeaderTitle)) p.page.pszHeaderTitle = p.page.pszHeaderSubTitle = nullptr;
  if ((p.page.dwFlags & PSP_USETITLE) && p.page.pszTitle && !IS_INTRESOURCE(p.page.pszTitle)) p.title = p.page.pszTitle;
  if (!(p.page.dwFlags & PSP_DLGINDIRECT) && p.page.pszTemplate && !IS_INTRESOURCE(p.page.pszTemplate))
    p.templateName = p.page.pszTemplate;
  p.Repoint();
  return p;
}

PSP CopyPage(const PROPSHEETPAGEA& in) {
  PROPSHEETPAGEW wide{};
  std::memcpy(&wide, &in, std::min<size_t>(in.dwSize, sizeof wide));  // the same layout but for string types
  const std::u16string title = (in.dwFlags & PSP_USETITLE) && in.pszTitle && !IS_INTRESOURCE(in.pszTitle) ? FromAnsi(in.pszTitle) : u"";
  const std::u16string name = !(in.dwFlags & PSP_DLGINDIRECT) && in.pszTemplate && !IS_INTRESOURCE(in.pszTemplate) ? FromAnsi(in.pszTemplate) : u"";
  if (!title.empty()) wide.pszTitle = title.c_str();
  if (!name.empty()) wide.pszTemplate = name.c_str();
  wide.dwSize = std::min<DWORD>(in.dwSize, sizeof wide);
  return CopyPage(wide);
}

bool Resolve(Page& page) {
  const PROPSHEETPAGEW& p = page.source.page;
  if (p.dwFlags & PSP_DLGINDIRECT) {
    page.dialogTemplate = p.pResource;
    page.templateSize = kIndirectTemplateBound;
  } else {
    const HRSRC found = FindResourceW(p.hInstance, p.pszTemplate, MAKEINTRESOURCEW(5));
    if (!found) return false;
    page.dialogTemplate = LockResource(LoadResource(p.hInstance, found));
    page.templateSize = SizeofResource(p.hInstance, found);
  }
  if (!page.dialogTemplate) return false;
  // A template in memory is read only as far as it goes, within the bound.
  if (!resource::ParseDialogTemplate({static_cast<const uint8_t*>(page.dialogTemplate), page.templateSize}, page.info))
    return false;
  page.title = (p.dwFlags & PSP_USETITLE) ? Text(p.hInstance, p.pszTitle) : page.info.title;
  return true;
}

}  // namespace

LRESULT NotifyPage(HWND sheet, const Page& page, UINT code, LPARAM lParam) {
  if (!page.window) return 0;
  PSHNOTIFY n{};
  n.hdr.hwndFrom = sheet;
  n.hdr.idFrom = 0;
  n.hdr.code = code;
  n.lParam = lParam;
  return SendMessageW(page.window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
}

bool MakePage(HWND sheet, Sheet& s, Page& page) {
  if (page.window) return true;
  PROPSHEETPAGEW& p = page.source.page;
  if ((p.dwFlags & PSP_USECALLBACK) && p.pfnCallback && !p.pfnCallback(nullptr, PSPCB_CREATE, &p)) return false;
  page.window = CreateDialogIndirectParamW(p.hInstance, static_cast<LPCDLGTEMPLATEW>(page.dialogTemplate), sheet,
                                           p.pfnDlgProc, reinterpret_cast<LPARAM>(&p));
  if (!page.window) return false;
  // A page is a plain child inside the sheet: the caption its template has
  // for the tab's title goes.
  constexpr DWORD kFrame = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_POPUP | WS_BORDER | WS_DLGFRAME;
  SetWindowLongW(page.window, GWL_STYLE, static_cast<LONG>((static_cast<DWORD>(GetWindowLongW(page.window, GWL_STYLE)) & ~kFrame) | WS_CHILD));
  SetWindowLongW(page.window, GWL_EXSTYLE,
                 static_cast<LONG>((static_cast<DWORD>(GetWindowLongW(page.window, GWL_EXSTYLE)) & ~WS_EX_DLGMODALFRAME) | WS_EX_CONTROLPARENT));
  SetWindowPos(page.window, HWND_TOP, s.display.left, s.display.top, s.display.right - s.display.left,
               s.display.bottom - s.display.top, SWP_NOACTIVATE | SWP_HIDEWINDOW | SWP_FRAMECHANGED);
  return true;
}

namespace {

void EnableApply(HWND sheet, const Sheet& s) {
  const bool any = std::any_of(s.pages.begin(), s.pages.end(), [](const std::unique_ptr<Page>& p) { return p->changed; });
  if (HWND apply = GetDlgItem(sheet, ID_APPLY_NOW)) EnableWindow(apply, any);
}

}  // namespace

bool Show(HWND sheet, Sheet& s, int index) {
  if (index < 0 || index >= static_cast<int>(s.pages.size())) return false;
  Page& page = PageAt(s, static_cast<size_t>(index));
  if (!MakePage(sheet, s, page)) return false;
  const int before = s.current;
  s.current = index;
  SendMessageW(s.tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  NotifyPage(sheet, page, PSN_SETACTIVE);
  if (before >= 0 && before != index && PageAt(s, static_cast<size_t>(before)).window)
    ShowWindow(PageAt(s, static_cast<size_t>(before)).window, SW_HIDE);
  ShowWindow(page.window, SW_SHOW);
  return true;
}

bool MayLeave(HWND sheet, const Sheet& s) {
  if (s.current < 0) return true;
  return NotifyPage(sheet, PageAt(s, static_cast<size_t>(s.current)), PSN_KILLACTIVE) == FALSE;
}

bool Select(HWND sheet, Sheet& s, int index) {
  if (index < 0 || index >= static_cast<int>(s.pages.size())) return false;
  if (index == s.current) return true;
  if (!MayLeave(sheet, s)) return false;
  return Show(sheet, s, index);
}

namespace {

// OK (closing) or Apply: the shown page may refuse to be left, then each made
// page applies in turn and may refuse.
bool Apply(HWND sheet, Sheet& s, bool closing) {
  if (!MayLeave(sheet, s)) return false;
  for (size_t i = 0; i < s.pages.size(); ++i) {
    const LRESULT answer = NotifyPage(sheet, PageAt(s, i), PSN_APPLY, closing ? TRUE : FALSE);
    if (answer == PSNRET_INVALID) {
      Show(sheet, s, static_cast<int>(i));
      return false;
    }
    if (answer == PSNRET_INVALID_NOCHANGEPAGE) return false;
  }
  for (Page& page : Each(s)) page.changed = false;
  s.applied = true;
  EnableApply(sheet, s);
  return true;
}

}  // namespace

void Finish(HWND sheet, Sheet& s, INT_PTR result) {
  if (s.modeless) {
    s.closed = true;
    return;
  }
  EndDialog(sheet, result);
}

INT_PTR Result(const Sheet& s) { return s.applied ? std::max<INT_PTR>(1, s.restart) : 0; }

void Cancel(HWND sheet, Sheet& s, bool closeBox) {
  if (s.current >= 0 && NotifyPage(sheet, PageAt(s, static_cast<size_t>(s.current)), PSN_QUERYCANCEL)) return;
  for (const Page& page : Each(s)) NotifyPage(sheet, page, PSN_RESET, closeBox ? TRUE : FALSE);
  Finish(sheet, s, Result(s));
}

namespace {

void SetTitle(HWND sheet, const Sheet& s, DWORD style, std::u16string text) {
  if (style & PSH_PROPTITLE) text = u"Properties for " + text;
  (void)s;
  SetWindowTextW(sheet, text.c_str());
}

void Place(HWND sheet, RECT frame);

// Places the tab, the pages' area and the buttons once the sheet exists.
void LayOut(HWND sheet, Sheet& s) {
  int cx = 0, cy = 0;
  for (const Page& page : Each(s)) {
    cx = std::max<int>(cx, page.info.cx);
    cy = std::max<int>(cy, page.info.cy);
  }
  RECT pageSize{0, 0, cx, cy}, margin{0, 0, 7, 7}, button{0, 0, 50, 14}, gap{0, 0, 4, 4};
  MapDialogRect(sheet, &pageSize);
  MapDialogRect(sheet, &margin);
  MapDialogRect(sheet, &button);
  MapDialogRect(sheet, &gap);
  if (s.wizard) {
    LayOutWizard(sheet, s, pageSize, margin, button, gap);
    Place(sheet, RECT{0, 0, s.display.right + margin.right, s.display.bottom + WizardHeightBelowPages(margin, button)});
    return;
  }
  // The tab control around the pages' area.
  RECT tabRect = pageSize;
  SendMessageW(s.tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&tabRect));
  const int dx = margin.right - tabRect.left, dy = margin.bottom - tabRect.top;
  OffsetRect(&tabRect, dx, dy);
  s.display = pageSize;
  OffsetRect(&s.display, dx, dy);
  SetWindowPos(s.tab, HWND_BOTTOM, tabRect.left, tabRect.top, tabRect.right - tabRect.left, tabRect.bottom - tabRect.top,
               SWP_NOACTIVATE);
  // The buttons in a row under it, to the right.
  const int ids[] = {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP};
  int x = tabRect.right;
  std::vector<HWND> row;
  for (int id : ids)
    if (HWND b = GetDlgItem(sheet, id)) row.push_back(b);
  x -= static_cast<int>(row.size()) * button.right + (static_cast<int>(row.size()) - 1) * gap.right;
  const int y = tabRect.bottom + margin.bottom;
  for (HWND b : row) {
    SetWindowPos(b, nullptr, x, y, button.right, button.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    x += button.right + gap.right;
  }
  Place(sheet, RECT{0, 0, tabRect.right + margin.right, y + button.bottom + margin.bottom});
}

// Sizes the sheet around its client area `frame` and centres it over its
// owner, or the screen.
void Place(HWND sheet, RECT frame) {
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(sheet, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(sheet, GWL_EXSTYLE)));
  // Centred over the owner, or the screen.
  RECT over{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (HWND owner = GetWindow(sheet, GW_OWNER)) GetWindowRect(owner, &over);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  SetWindowPos(sheet, nullptr, std::max(0, (over.left + over.right - width) / 2), std::max(0, (over.top + over.bottom - height) / 2),
               width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The sheets open on this thread, newest last, for the keyboard hook.
std::vector<HWND>& OpenSheets() {
  thread_local std::vector<HWND> sheets;
  return sheets;
}

// Ctrl+Tab (Ctrl+Shift+Tab) and Ctrl+Page Down (Up) anywhere in a sheet go
// to the next (previous) page, wrapping, as a click on that tab would.
LRESULT KeyHook(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && msg && msg->message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0 &&
      (msg->wParam == VK_TAB || msg->wParam == VK_NEXT || msg->wParam == VK_PRIOR)) {
    for (HWND sheet : OpenSheets()) {
      Sheet* s = SheetOf(sheet);
      if (!s || s->wizard || (msg->hwnd != sheet && !IsChild(sheet, msg->hwnd)) || s->pages.empty()) continue;
      const bool back = msg->wParam == VK_PRIOR || (msg->wParam == VK_TAB && GetKeyState(VK_SHIFT) < 0);
      const int count = static_cast<int>(s->pages.size());
      const int next = (s->current + (back ? count - 1 : 1)) % count;
      msg->message = WM_NULL;
      if (!SendNotify(s->tab, TCN_SELCHANGING) && IsWindow(sheet)) {
        SendMessageW(s->tab, TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
        SendNotify(s->tab, TCN_SELCHANGE);
      }
      break;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

INT_PTR OnInit(HWND sheet, Sheet& s) {
  SetPropW(sheet, kSheetProperty, &s);
  s.tab = GetDlgItem(sheet, IDC_PROPSHEET_TAB);
  OpenSheets().push_back(sheet);
  s.keys = SetWindowsHookExW(WH_GETMESSAGE, KeyHook, nullptr, 0);
  for (size_t i = 0; i < s.pages.size(); ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = PageAt(s, i).title.data();
    SendMessageW(s.tab, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  SetTitle(sheet, s, s.flags, s.caption);
  LayOut(sheet, s);
  EnableApply(sheet, s);
  const bool shown = s.wizard ? StartWizard(sheet, s) : Show(sheet, s, s.start) || Show(sheet, s, 0);
  if (!shown) {
    Finish(sheet, s, -1);
    return TRUE;
  }
  if (s.callback) s.callback(sheet, PSCB_INITIALIZED, 0);
  return TRUE;
}

int IndexOfWindow(const Sheet& s, HWND page) {
  for (size_t i = 0; i < s.pages.size(); ++i)
    if (PageAt(s, i).window == page && page) return static_cast<int>(i);
  return -1;
}

int IndexOfHandle(const Sheet& s, HPROPSHEETPAGE handle) {
  for (size_t i = 0; i < s.pages.size(); ++i)
    if (handle && PageAt(s, i).handle == handle) return static_cast<int>(i);
  return -1;
}

// PSM_ADDPAGE / PSM_INSERTPAGE: a page from its handle, at `at`; made when first shown.
bool InsertPage(Sheet& s, size_t at, HPROPSHEETPAGE handle) {
  auto found = handles::Lookup<PSP>(handle, HandleKind::PropertySheetPage);
  if (!found || s.pages.size() >= kMaxPages) return false;
  auto page = std::make_unique<Page>();
  page->source = *found;
  page->handle = handle;
  if (!Resolve(*page)) return false;
  at = std::min(at, s.pages.size());
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = page->title.data();
  SendMessageW(s.tab, TCM_INSERTITEMW, at, reinterpret_cast<LPARAM>(&item));
  s.pages.insert(s.pages.begin() + static_cast<std::ptrdiff_t>(at), std::move(page));
  if (s.current >= static_cast<int>(at)) ++s.current;
  SendMessageW(s.tab, TCM_SETCURSEL, static_cast<WPARAM>(std::max(s.current, 0)), 0);
  return true;
}

// PSM_REMOVEPAGE: the page shown gives way to a neighbour first.
bool RemovePage(HWND sheet, Sheet& s, int index) {
  if (index < 0 || index >= static_cast<int>(s.pages.size()) || s.pages.size() == 1) return false;
  if (index == s.current) Show(sheet, s, index > 0 ? index - 1 : index + 1);
  Page& page = PageAt(s, static_cast<size_t>(index));
  if (page.window) DestroyWindow(page.window);
  PROPSHEETPAGEW& p = page.source.page;
  if ((p.dwFlags & PSP_USECALLBACK) && p.pfnCallback) p.pfnCallback(nullptr, PSPCB_RELEASE, &p);
  s.pages.erase(s.pages.begin() + index);
  SendMessageW(s.tab, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
  if (s.current > index) --s.current;
  SendMessageW(s.tab, TCM_SETCURSEL, static_cast<WPARAM>(s.current), 0);
  EnableApply(sheet, s);
  return true;
}

void Command(HWND sheet, Sheet& s, int id) {
  if (s.wizard && WizardCommand(sheet, s, id)) return;
  switch (id) {
    case IDOK:
      if (Apply(sheet, s, true)) Finish(sheet, s, Result(s));
      break;
    case IDCANCEL: Cancel(sheet, s, false); break;
    case ID_APPLY_NOW: Apply(sheet, s, false); break;
    case IDHELP:
      if (s.current >= 0) NotifyPage(sheet, PageAt(s, static_cast<size_t>(s.current)), PSN_HELP);
      break;
    default: break;
  }
}

}  // namespace

INT_PTR Answer(HWND sheet, LRESULT value) {
  SetWindowLongPtrW(sheet, DWLP_MSGRESULT, value);
  return TRUE;
}

namespace {

INT_PTR SheetMessage(HWND sheet, Sheet& s, UINT message, WPARAM wParam, LPARAM lParam) {
  if (INT_PTR result = 0; WizardMessage(sheet, s, message, wParam, lParam, &result)) return result;
  switch (message) {
    case PSM_SETCURSEL: {
      int index = static_cast<int>(wParam);
      if (lParam) {
        index = -1;
        for (size_t i = 0; i < s.pages.size(); ++i)
          if (reinterpret_cast<HPROPSHEETPAGE>(lParam) == PageAt(s, i).handle) index = static_cast<int>(i);
      }
      return Answer(sheet, Select(sheet, s, index) ? TRUE : FALSE);
    }
    case PSM_CHANGED:
    case PSM_UNCHANGED: {
      const int i = IndexOfWindow(s, reinterpret_cast<HWND>(wParam));
      if (i >= 0) PageAt(s, static_cast<size_t>(i)).changed = message == PSM_CHANGED;
      EnableApply(sheet, s);
      return Answer(sheet, 0);
    }
    case PSM_APPLY: return Answer(sheet, Apply(sheet, s, false) ? TRUE : FALSE);
    case PSM_ADDPAGE: return Answer(sheet, InsertPage(s, s.pages.size(), reinterpret_cast<HPROPSHEETPAGE>(lParam)) ? TRUE : FALSE);
    case PSM_INSERTPAGE: {
      // wParam: an index, or the handle of the page to insert after.
      size_t at = wParam;
      if (!IS_INTRESOURCE(reinterpret_cast<void*>(wParam))) {
        const int after = IndexOfHandle(s, reinterpret_cast<HPROPSHEETPAGE>(wParam));
        if (after < 0) return Answer(sheet, FALSE);
        at = static_cast<size_t>(after) + 1;
      }
      return Answer(sheet, InsertPage(s, at, reinterpret_cast<HPROPSHEETPAGE>(lParam)) ? TRUE : FALSE);
    }
    case PSM_REMOVEPAGE: {
      const int index = lParam ? IndexOfHandle(s, reinterpret_cast<HPROPSHEETPAGE>(lParam)) : static_cast<int>(wParam);
      return Answer(sheet, RemovePage(sheet, s, index) ? TRUE : FALSE);
    }
    case PSM_QUERYSIBLINGS:
      for (const Page& page : Each(s)) {
        if (!page.window) continue;
        const LRESULT answer = SendMessageW(page.window, PSM_QUERYSIBLINGS, wParam, lParam);
        if (answer) return Answer(sheet, answer);
      }
      return Answer(sheet, 0);
    case PSM_CANCELTOCLOSE:
      if (HWND cancel = GetDlgItem(sheet, IDCANCEL)) EnableWindow(cancel, FALSE);
      if (HWND ok = GetDlgItem(sheet, IDOK)) SetWindowTextW(ok, u"Close");
      return Answer(sheet, 0);
    case PSM_RESTARTWINDOWS: s.restart |= ID_PSRESTARTWINDOWS; return Answer(sheet, 0);
    case PSM_REBOOTSYSTEM: s.restart |= ID_PSREBOOTSYSTEM; return Answer(sheet, 0);
    case PSM_SETTITLEW: SetTitle(sheet, s, static_cast<DWORD>(wParam), Text(nullptr, reinterpret_cast<LPCWSTR>(lParam))); return Answer(sheet, 0);
    case PSM_SETTITLEA: SetTitle(sheet, s, static_cast<DWORD>(wParam), FromAnsi(reinterpret_cast<LPCSTR>(lParam))); return Answer(sheet, 0);
    case PSM_PRESSBUTTON: {
      const int ids[] = {0, 0, 0, IDOK, ID_APPLY_NOW, IDCANCEL, IDHELP};
      if (wParam < std::size(ids) && ids[wParam]) PostMessageW(sheet, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(ids[wParam]), BN_CLICKED), 0);
      return Answer(sheet, 0);
    }
    case PSM_GETTABCONTROL: return Answer(sheet, reinterpret_cast<LRESULT>(s.tab));
    case PSM_GETCURRENTPAGEHWND:
      return Answer(sheet, s.closed || s.current < 0 ? 0 : reinterpret_cast<LRESULT>(PageAt(s, static_cast<size_t>(s.current)).window));
    case PSM_ISDIALOGMESSAGE: return Answer(sheet, IsDialogMessageW(sheet, reinterpret_cast<LPMSG>(lParam)));
    case PSM_HWNDTOINDEX: return Answer(sheet, IndexOfWindow(s, reinterpret_cast<HWND>(wParam)));
    case PSM_INDEXTOHWND:
      return Answer(sheet, wParam < s.pages.size() ? reinterpret_cast<LRESULT>(PageAt(s, wParam).window) : 0);
    case PSM_GETRESULT: return Answer(sheet, Result(s));
    default: return FALSE;
  }
}

INT_PTR SheetProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return OnInit(sheet, *reinterpret_cast<Sheet*>(lParam));
  Sheet* s = SheetOf(sheet);
  if (!s) return FALSE;
  switch (message) {
    case WM_COMMAND:
      Command(sheet, *s, LOWORD(wParam));
      return TRUE;
    case WM_CLOSE:
      Cancel(sheet, *s, true);
      return TRUE;
    case WM_NOTIFY: {
      const auto* h = reinterpret_cast<const NMHDR*>(lParam);
      if (!h || h->hwndFrom != s->tab) return FALSE;
      if (h->code == TCN_SELCHANGING) return Answer(sheet, MayLeave(sheet, *s) ? FALSE : TRUE);
      if (h->code == TCN_SELCHANGE) Show(sheet, *s, static_cast<int>(SendMessageW(s->tab, TCM_GETCURSEL, 0, 0)));
      return TRUE;
    }
    case WM_DESTROY:
      if (s->keys) UnhookWindowsHookEx(s->keys);
      std::erase(OpenSheets(), sheet);
      for (Page& page : Each(*s)) {
        PROPSHEETPAGEW& p = page.source.page;
        if ((p.dwFlags & PSP_USECALLBACK) && p.pfnCallback) p.pfnCallback(nullptr, PSPCB_RELEASE, &p);
      }
      RemovePropW(sheet, kSheetProperty);
      if (s->modeless) delete s;
      return FALSE;
    default:
      if (message >= PSM_SETCURSEL && message <= PSM_GETRESULT) return SheetMessage(sheet, *s, message, wParam, lParam);
      return FALSE;
  }
}

std::vector<uint32_t> SheetTemplate(const Sheet& s) {
  DWORD style = DS_MODALFRAME | DS_3DLOOK | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  dialogs::TemplateWriter t(style, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, 0, 0, 200, 150, u"");
  if (s.wizard) {
    AddWizardButtons(t, s);
    t.Add(WC_TABCONTROLW, WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 200, 120, IDC_PROPSHEET_TAB, u"");
    return t.words();
  }
  t.Add(0x80, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON | WS_GROUP, 0, 0, 0, 50, 14, IDOK, u"OK");
  t.Add(0x80, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 50, 14, IDCANCEL, u"Cancel");
  if (!(s.flags & PSH_NOAPPLYNOW))
    t.Add(0x80, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | WS_DISABLED, 0, 0, 0, 50, 14, ID_APPLY_NOW, u"&Apply");
  if (s.flags & PSH_HASHELP) t.Add(0x80, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 50, 14, IDHELP, u"Help");
  t.Add(WC_TABCONTROLW, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_GROUP, 0, 0, 0, 200, 120,
        IDC_PROPSHEET_TAB, u"");
  return t.words();
}

template <class Header, class PageStruct>
INT_PTR Run(const Header* header) {
  if (!header || header->dwSize < offsetof(Header, pfnCallback)) return -1;
  if (header->nPages == 0 || header->nPages > kMaxPages) return -1;
  auto s = std::make_unique<Sheet>();
  s->flags = header->dwFlags;
  s->modeless = (header->dwFlags & PSH_MODELESS) != 0;
  s->wizard = (header->dwFlags & PSH_WIZARD) != 0;
  s->callback = (header->dwFlags & PSH_USECALLBACK) ? header->pfnCallback : nullptr;
  for (UINT i = 0; i < header->nPages; ++i) {
    Page page;
    if (header->dwFlags & PSH_PROPSHEETPAGE) {
      const auto* at = reinterpret_cast<const BYTE*>(header->ppsp);
      size_t offset = 0;
      for (UINT k = 0; k < i; ++k) offset += reinterpret_cast<const PageStruct*>(at + offset)->dwSize;
      page.source = CopyPage(*reinterpret_cast<const PageStruct*>(at + offset));
    } else {
      auto found = handles::Lookup<PSP>(header->phpage[i], HandleKind::PropertySheetPage);
      if (!found) return -1;
      page.source = *found;
      page.handle = header->phpage[i];
    }
    if (!Resolve(page)) return -1;
    s->pages.push_back(std::make_unique<Page>(std::move(page)));
  }
  if constexpr (std::is_same_v<Header, PROPSHEETHEADERW>) s->caption = Text(header->hInstance, header->pszCaption);
  else s->caption = IS_INTRESOURCE(header->pszCaption) ? Text(header->hInstance, reinterpret_cast<LPCWSTR>(header->pszCaption)) : FromAnsi(header->pszCaption);
  s->start = 0;
  if (header->dwFlags & PSH_USEPSTARTPAGE) {
    std::u16string wanted;
    if constexpr (std::is_same_v<Header, PROPSHEETHEADERW>) wanted = Text(header->hInstance, header->pStartPage);
    else wanted = FromAnsi(header->pStartPage);
    for (size_t i = 0; i < s->pages.size(); ++i)
      if (PageAt(*s, i).title == wanted) s->start = static_cast<int>(i);
  } else if (header->nStartPage < s->pages.size()) {
    s->start = static_cast<int>(header->nStartPage);
  }
  std::vector<uint32_t> words = SheetTemplate(*s);
  if (s->callback) s->callback(nullptr, PSCB_PRECREATE, reinterpret_cast<LPARAM>(words.data()));
  const auto* dialogTemplate = reinterpret_cast<LPCDLGTEMPLATEW>(words.data());
  if (s->modeless) {
    Sheet* owned = s.release();
    const HWND sheet = CreateDialogIndirectParamW(header->hInstance, dialogTemplate, header->hwndParent, SheetProc,
                                                  reinterpret_cast<LPARAM>(owned));
    if (!sheet) {
      delete owned;
      return -1;
    }
    ShowWindow(sheet, SW_SHOW);
    return reinterpret_cast<INT_PTR>(sheet);
  }
  return DialogBoxIndirectParamW(header->hInstance, dialogTemplate, header->hwndParent, SheetProc,
                                 reinterpret_cast<LPARAM>(s.get()));
}

}  // namespace
}  // namespace comctl

HPROPSHEETPAGE CreatePropertySheetPageW(LPCPROPSHEETPAGEW page) {
  if (!page || page->dwSize < offsetof(PROPSHEETPAGEW, pfnCallback)) return nullptr;
  auto copy = std::make_shared<PSP>(comctl::CopyPage(*page));
  if ((copy->page.dwFlags & PSP_USECALLBACK) && copy->page.pfnCallback)
    copy->page.pfnCallback(nullptr, PSPCB_ADDREF, &copy->page);
  return handles::Create<HPROPSHEETPAGE>(HandleKind::PropertySheetPage, std::move(copy));
}

HPROPSHEETPAGE CreatePropertySheetPageA(LPCPROPSHEETPAGEA page) {
  if (!page || page->dwSize < offsetof(PROPSHEETPAGEA, pfnCallback)) return nullptr;
  auto copy = std::make_shared<PSP>(comctl::CopyPage(*page));
  return handles::Create<HPROPSHEETPAGE>(HandleKind::PropertySheetPage, std::move(copy));
}

BOOL DestroyPropertySheetPage(HPROPSHEETPAGE page) {
  return handles::Destroy(page, HandleKind::PropertySheetPage) ? TRUE : FALSE;
}

INT_PTR PropertySheetW(LPCPROPSHEETHEADERW header) { return comctl::Run<PROPSHEETHEADERW, PROPSHEETPAGEW>(header); }
INT_PTR PropertySheetA(LPCPROPSHEETHEADERA header) { return comctl::Run<PROPSHEETHEADERA, PROPSHEETPAGEA>(header); }
