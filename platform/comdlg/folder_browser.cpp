// SHBrowseForFolder: the folders from the root down to the chosen one and
// the chosen one's sub-folders in one list (choosing a row opens it), the
// caller's callback told when the picker starts and when the choice changes,
// and the messages it sends (selection, status text, OK enabled).
#include <algorithm>
#include <cstring>

#include "platform/comdlg/comdlg_internal.h"
#include "platform/comdlg/file_model.h"
#include "platform/user/controls/controls.h"

namespace comdlg {
namespace {

struct Row {
  std::u16string path;
  std::u16string label;
  int depth = 0;
};

struct FolderBrowser {
  BROWSEINFOW* wide = nullptr;
  BROWSEINFOA* ansi = nullptr;
  HWND dialog = nullptr;
  std::u16string root = u"/";
  std::u16string chosen;
  std::vector<Row> rows;
  bool filling = false;
  UINT Flags() const { return wide ? wide->ulFlags : ansi->ulFlags; }
  BFFCALLBACK Callback() const { return wide ? wide->lpfn : ansi->lpfn; }
  LPARAM Data() const { return wide ? wide->lParam : ansi->lParam; }
};

FolderBrowser* From(HWND dialog) { return reinterpret_cast<FolderBrowser*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

int Tell(FolderBrowser& b, UINT message, LPARAM lParam) {
  const BFFCALLBACK callback = b.Callback();
  return callback ? callback(b.dialog, message, lParam, b.Data()) : 0;
}

bool Within(const std::u16string& path, const std::u16string& root) {
  if (root == u"/") return true;
  return path == root || (path.size() > root.size() && path.compare(0, root.size(), root) == 0 && path[root.size()] == u'/');
}

void Fill(FolderBrowser& b) {
  b.rows.clear();
  std::vector<std::u16string> chain;
  for (std::u16string at = b.chosen;; at = ParentFolder(at)) {
    chain.insert(chain.begin(), at);
    if (at == b.root || at == u"/") break;
  }
  for (size_t i = 0; i < chain.size(); ++i)
    b.rows.push_back({chain[i], chain[i] == u"/" ? u"File System" : FileNamePart(chain[i]), static_cast<int>(i)});
  std::vector<FileEntry> entries;
  ReadFolder(b.chosen, false, entries);
  std::erase_if(entries, [&](const FileEntry& e) { return !e.folder && !(b.Flags() & BIF_BROWSEINCLUDEFILES); });
  SortEntries(entries, SortKey::Name, false);
  for (const FileEntry& e : entries)
    b.rows.push_back({JoinPath(b.chosen, e.name), e.name, static_cast<int>(chain.size())});
  const HWND list = GetDlgItem(b.dialog, TAV_FOLDER_LIST);
  b.filling = true;
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const Row& r : b.rows) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(r.label.c_str()));
  SendMessageW(list, LB_SETCURSEL, chain.size() - 1, 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  b.filling = false;
  if (b.Flags() & BIF_EDITBOX) SetDlgItemTextW(b.dialog, TAV_FOLDER_EDIT, b.chosen.c_str());
}

void Choose(FolderBrowser& b, std::u16string path) {  // a copy: the rows it may come from are refilled
  if (!IsFolder(path) || !Within(path, b.root)) return;
  b.chosen = path;
  Fill(b);
  const PIDLIST_ABSOLUTE list = ILCreateFromPathW(path.c_str());
  Tell(b, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(list));
  ILFree(list);
}

void DrawRow(FolderBrowser& b, const DRAWITEMSTRUCT& item) {
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID >= b.rows.size()) return;
  const Row& r = b.rows[item.itemID];
  const int x = item.rcItem.left + 4 + r.depth * 14, y = item.rcItem.top + 3;
  HBRUSH folder = CreateSolidBrush(RGB(240, 200, 80));
  const RECT tab{x, y, x + 6, y + 3}, body{x, y + 2, x + 14, y + 12};
  FillRect(item.hDC, &tab, folder);
  FillRect(item.hDC, &body, folder);
  DeleteObject(folder);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT text{x + 18, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};
  DrawTextW(item.hDC, r.label.c_str(), static_cast<int>(r.label.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

std::u16string Text(FolderBrowser& b, WPARAM isPath, LPARAM value) {
  if (!value) return {};
  if (!isPath) {
    WCHAR path[MAX_PATH];
    return SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(value), path) ? std::u16string(path) : u"";
  }
  return b.wide ? FromWide(reinterpret_cast<LPCWSTR>(value)) : FromAnsi(reinterpret_cast<LPCSTR>(value));
}

void Start(FolderBrowser& b) {
  const PCIDLIST_ABSOLUTE rootList = b.wide ? b.wide->pidlRoot : b.ansi->pidlRoot;
  WCHAR root[MAX_PATH];
  if (rootList && SHGetPathFromIDListW(rootList, root)) b.root = root;
  const std::u16string title = b.wide ? FromWide(b.wide->lpszTitle) : FromAnsi(b.ansi->lpszTitle);
  SetDlgItemTextW(b.dialog, TAV_FOLDER_TITLE, title.c_str());
  if (!(b.Flags() & BIF_STATUSTEXT)) ShowWindow(GetDlgItem(b.dialog, TAV_FOLDER_STATUS), SW_HIDE);
  if (!(b.Flags() & BIF_EDITBOX)) ShowWindow(GetDlgItem(b.dialog, TAV_FOLDER_EDIT), SW_HIDE);
  b.chosen = b.root;
  Fill(b);
}

void WriteDisplayName(FolderBrowser& b) {
  const std::u16string name = b.chosen == u"/" ? u"File System" : FileNamePart(b.chosen);
  if (b.wide && b.wide->pszDisplayName) {
    const size_t n = std::min<size_t>(name.size(), MAX_PATH - 1);
    std::copy_n(name.c_str(), n, b.wide->pszDisplayName);
    b.wide->pszDisplayName[n] = 0;
  } else if (b.ansi && b.ansi->pszDisplayName) {
    const std::string bytes = ToAnsi(name);
    const size_t n = std::min<size_t>(bytes.size(), MAX_PATH - 1);
    std::memcpy(b.ansi->pszDisplayName, bytes.data(), n);
    b.ansi->pszDisplayName[n] = 0;
  }
}

void Accept(FolderBrowser& b) {
  if (b.Flags() & BIF_EDITBOX) {
    const std::u16string typed = ItemText(b.dialog, TAV_FOLDER_EDIT);
    const std::u16string path = ResolvePath(b.chosen, typed);
    if (!typed.empty() && path != b.chosen) {
      if (IsFolder(path) && Within(path, b.root)) {
        b.chosen = path;
      } else if (b.Flags() & BIF_VALIDATE) {
        const std::string bytes = ToAnsi(typed);
        const LPARAM text = b.wide ? reinterpret_cast<LPARAM>(typed.c_str()) : reinterpret_cast<LPARAM>(bytes.c_str());
        if (Tell(b, b.wide ? BFFM_VALIDATEFAILEDW : BFFM_VALIDATEFAILEDA, text) != 0) return;
        EndDialog(b.dialog, FALSE);
        return;
      } else {
        MessageBeep(MB_ICONWARNING);
        return;
      }
    }
  }
  WriteDisplayName(b);
  EndDialog(b.dialog, TRUE);
}

// Backspace goes to the parent folder, Enter opens the row (OK when it is open).
bool Key(FolderBrowser& b, WPARAM key) {
  if (key != VK_BACK) return false;
  if (b.chosen != b.root && b.chosen != u"/") Choose(b, ParentFolder(b.chosen));
  return true;
}

LRESULT ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto previous = reinterpret_cast<WNDPROC>(GetPropW(list, u"TavFolderListProc"));
  if (message == WM_KEYDOWN)
    if (FolderBrowser* b = From(GetParent(list)); b && Key(*b, wParam)) return 0;
  if (message == WM_NCDESTROY) RemovePropW(list, u"TavFolderListProc");
  return CallWindowProcW(previous, list, message, wParam, lParam);
}

INT_PTR BrowserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* b = reinterpret_cast<FolderBrowser*>(lParam);
    b->dialog = dialog;
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    const HWND list = GetDlgItem(dialog, TAV_FOLDER_LIST);
    SetPropW(list, u"TavFolderListProc",
             reinterpret_cast<HANDLE>(SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListProc))));
    Start(*b);
    SetFocus(list);
    Tell(*b, BFFM_INITIALIZED, 0);
    return FALSE;
  }
  FolderBrowser* b = From(dialog);
  if (!b) return FALSE;
  switch (message) {
    case WM_MEASUREITEM: reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 18; return TRUE;
    case WM_DRAWITEM: DrawRow(*b, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        Accept(*b);
      } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, FALSE);
      } else if (LOWORD(wParam) == TAV_FOLDER_LIST && HIWORD(wParam) == LBN_SELCHANGE && !b->filling) {
        const LRESULT at = SendDlgItemMessageW(dialog, TAV_FOLDER_LIST, LB_GETCURSEL, 0, 0);
        if (at >= 0 && static_cast<size_t>(at) < b->rows.size()) Choose(*b, b->rows[static_cast<size_t>(at)].path);
      }
      return TRUE;
    case BFFM_SETSELECTIONA:
    case BFFM_SETSELECTIONW: {
      const std::u16string path = Text(*b, wParam, lParam);
      if (!path.empty()) Choose(*b, ResolvePath(u"/", path));
      return TRUE;
    }
    case BFFM_SETSTATUSTEXTA:
    case BFFM_SETSTATUSTEXTW: {
      const std::u16string text = message == BFFM_SETSTATUSTEXTW ? FromWide(reinterpret_cast<LPCWSTR>(lParam))
                                                                 : FromAnsi(reinterpret_cast<LPCSTR>(lParam));
      SetDlgItemTextW(dialog, TAV_FOLDER_STATUS, text.c_str());
      return TRUE;
    }
    case BFFM_ENABLEOK: EnableWindow(GetDlgItem(dialog, IDOK), lParam != 0); return TRUE;
    default: return FALSE;
  }
}

PIDLIST_ABSOLUTE Run(FolderBrowser& b, HWND owner) {
  const INT_PTR result = DialogBoxParamW(TemplatesModule(), TemplateName(TAV_DLG_FOLDER), owner, BrowserProc,
                                         reinterpret_cast<LPARAM>(&b));
  if (result != TRUE) return nullptr;
  return ILCreateFromPathW(b.chosen.c_str());
}

}  // namespace
}  // namespace comdlg

PIDLIST_ABSOLUTE SHBrowseForFolderW(LPBROWSEINFOW info) {
  if (!info) return nullptr;
  comdlg::FolderBrowser b;
  b.wide = info;
  return comdlg::Run(b, info->hwndOwner);
}

PIDLIST_ABSOLUTE SHBrowseForFolderA(LPBROWSEINFOA info) {
  if (!info) return nullptr;
  comdlg::FolderBrowser b;
  b.ansi = info;
  return comdlg::Run(b, info->hwndOwner);
}
