// The open and save dialog: folders, the list, the name box, the filter,
// the caller's child dialog and hook with their notifications, and accepting
// a choice (checks, prompts, the caller's buffers).
#include <algorithm>

#include "platform/comctl/comctl.h"
#include "platform/comdlg/comdlg_internal.h"
#include "platform/comdlg/file_dialog.h"
#include "platform/user/controls/controls.h"
#include "platform/user/dialogs/template_writer.h"

namespace comdlg {
namespace {

struct FileDialog {
  FileRequest request;
  FileCaller caller;
  HWND dialog = nullptr;
  HWND list = nullptr;
  HWND child = nullptr;
  std::u16string folder;
  std::vector<FileEntry> read;   // the folder's entries as read
  std::vector<FileEntry> shown;  // those the filter keeps, in the list's order
  std::vector<std::u16string> typedPatterns;  // a typed wildcard replaces the filter
  std::vector<std::u16string> lookIn;         // the look-in box's folders
  std::vector<Place> places;
  std::u16string defaultExtension;
  int filter = 0;  // 0-based
  SortKey sort = SortKey::Name;
  bool descending = false;
  bool started = false;
  bool selectionPending = false;  // a kSelectionSettled is on its way
  DWORD error = 0;
};

FileDialog* From(HWND dialog) { return reinterpret_cast<FileDialog*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

bool Multiple(const FileDialog& d) { return (d.request.flags & OFN_ALLOWMULTISELECT) != 0; }

// --- Notifications to the caller's hook -------------------------------------

LRESULT Notify(FileDialog& d, UINT code) {
  if (!d.child || !(d.request.flags & OFN_ENABLEHOOK)) return 0;
  if (d.caller.wide) {
    OFNOTIFYW n{{d.dialog, 0, code}, d.caller.wide, nullptr};
    return SendMessageW(d.child, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
  }
  OFNOTIFYA n{{d.dialog, 0, code}, d.caller.ansi, nullptr};
  return SendMessageW(d.child, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
}

INT_PTR ChildProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  FileDialog* d = From(GetParent(child));
  const LPOFNHOOKPROC hook = d ? d->caller.Hook() : nullptr;
  if (!d || !(d->request.flags & OFN_ENABLEHOOK) || !hook) return FALSE;
  return static_cast<INT_PTR>(hook(child, message, wParam, lParam));
}

// --- The list and the folder ------------------------------------------------

const std::vector<std::u16string>& Patterns(const FileDialog& d) {
  static const std::vector<std::u16string> kAll;
  if (!d.typedPatterns.empty()) return d.typedPatterns;
  if (d.filter >= 0 && d.filter < static_cast<int>(d.request.filters.size())) return d.request.filters[d.filter].patterns;
  return kAll;
}

void Refill(FileDialog& d) {
  d.shown = d.read;
  KeepMatching(d.shown, Patterns(d));
  NameTypes(d.shown, d.request.filters);
  SortEntries(d.shown, d.sort, d.descending);
  file_list::Fill(d.list, d.shown);
  file_list::ShowSortMark(d.list, static_cast<int>(d.sort), d.descending);
}

void FillLookIn(FileDialog& d) {
  d.lookIn.clear();
  for (std::u16string at = d.folder;; at = ParentFolder(at)) {
    d.lookIn.insert(d.lookIn.begin(), at);
    if (at == u"/") break;
  }
  const HWND box = GetDlgItem(d.dialog, cmb2);
  SendMessageW(box, CB_RESETCONTENT, 0, 0);
  for (size_t i = 0; i < d.lookIn.size(); ++i) {
    const std::u16string text = std::u16string(2 * i, u' ') + (i == 0 ? u"/" : FileNamePart(d.lookIn[i]));
    SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageW(box, CB_SETCURSEL, d.lookIn.size() - 1, 0);
}

bool ChangeFolder(FileDialog& d, std::u16string folder) {  // a copy: the look-in list it may come from is refilled
  std::vector<FileEntry> entries;
  if (!ReadFolder(folder, (d.request.flags & OFN_FORCESHOWHIDDEN) != 0, entries)) {
    MessageBeep(MB_ICONWARNING);
    return false;
  }
  d.folder = folder;
  d.read = std::move(entries);
  FillLookIn(d);
  Refill(d);
  if (d.started) Notify(d, CDN_FOLDERCHANGE);
  return true;
}

// --- The name box -----------------------------------------------------------

// `"a b" "c"` gives both names; text without quotes is one name.
std::vector<std::u16string> SplitNames(const std::u16string& text, bool multiple) {
  std::vector<std::u16string> names;
  if (!multiple || text.find(u'"') == std::u16string::npos) {
    std::u16string one = text;
    while (!one.empty() && one.back() == u' ') one.pop_back();
    while (!one.empty() && one.front() == u' ') one.erase(one.begin());
    if (!one.empty()) names.push_back(one);
    return names;
  }
  size_t at = 0;
  while ((at = text.find(u'"', at)) != std::u16string::npos) {
    const size_t end = text.find(u'"', at + 1);
    if (end == std::u16string::npos) break;
    if (end > at + 1) names.push_back(text.substr(at + 1, end - at - 1));
    at = end + 1;
  }
  return names;
}

void SelectionToNameBox(FileDialog& d) {
  std::vector<std::u16string> files;
  for (int i : file_list::Selected(d.list))
    if (i >= 0 && i < static_cast<int>(d.shown.size()) && !d.shown[i].folder) files.push_back(d.shown[i].name);
  if (files.empty()) return;
  std::u16string text;
  if (files.size() == 1) {
    text = files[0];
  } else {
    for (const std::u16string& f : files) text += (text.empty() ? u"\"" : u" \"") + f + u"\"";
  }
  SetDlgItemTextW(d.dialog, edt1, text.c_str());
}

// --- Accepting --------------------------------------------------------------

int Ask(FileDialog& d, const std::u16string& text, UINT type) {
  WCHAR caption[128];
  GetWindowTextW(d.dialog, caption, 128);
  return MessageBoxW(d.dialog, text.c_str(), caption, type);
}

// The extension a name without one gets: the filter's own ("*.bcd" gives
// "bcd") when the caller asked for a default extension at all, else none.
std::u16string ExtensionFor(const FileDialog& d) {
  if (d.defaultExtension.empty() && !d.request.save) return {};
  if (d.request.flags & OFN_NOVALIDATE) return d.defaultExtension;
  const auto& patterns = Patterns(d);
  if (!d.defaultExtension.empty() && !patterns.empty()) {
    const std::u16string& p = patterns.front();
    if (p.size() > 2 && p.compare(0, 2, u"*.") == 0 && !HasWildcards(p.substr(2))) return p.substr(2);
  }
  return d.defaultExtension;
}

bool HasExtension(const std::u16string& path) {
  const std::u16string name = FileNamePart(path);
  const size_t dot = name.rfind(u'.');
  return dot != std::u16string::npos && dot != 0;
}

void End(FileDialog& d, BOOL result, DWORD error) {
  d.error = error;
  EndDialog(d.dialog, result);
}

// Checks one chosen path as the flags ask; false when the dialog stays.
bool CheckPath(FileDialog& d, const std::u16string& path) {
  const DWORD f = d.request.flags;
  const bool exists = Exists(path);
  if (!IsFolder(ParentFolder(path)) && (f & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST))) {
    Ask(d, ParentFolder(path) + u"\nThe folder does not exist.\nCheck the path and try again.", MB_OK | MB_ICONWARNING);
    return false;
  }
  if (!d.request.save && !exists && (f & OFN_FILEMUSTEXIST)) {
    Ask(d, FileNamePart(path) + u"\nFile not found.\nCheck the file name and try again.", MB_OK | MB_ICONWARNING);
    return false;
  }
  if (!d.request.save && !exists && (f & OFN_CREATEPROMPT)) {
    return Ask(d, FileNamePart(path) + u" does not exist.\nDo you want to create it?", MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
  }
  if (d.request.save && exists && (f & OFN_OVERWRITEPROMPT)) {
    return Ask(d, FileNamePart(path) + u" already exists.\nDo you want to replace it?", MB_YESNO | MB_ICONWARNING) ==
           IDYES;
  }
  return true;
}

template <class Ofn>
void UpdateFields(FileDialog& d, Ofn& ofn, const std::u16string& chosenPath) {
  ofn.nFilterIndex = static_cast<DWORD>(d.filter + 1);
  const HWND readOnly = GetDlgItem(d.dialog, chx1);
  if (readOnly && IsWindowVisible(readOnly)) {
    if (IsDlgButtonChecked(d.dialog, chx1) == BST_CHECKED) ofn.Flags |= OFN_READONLY;
    else ofn.Flags &= ~OFN_READONLY;
  }
  ofn.Flags &= ~OFN_EXTENSIONDIFFERENT;
  if (!d.defaultExtension.empty() && !chosenPath.empty()) {
    const std::u16string name = FileNamePart(chosenPath);
    const size_t dot = name.rfind(u'.');
    const std::u16string ext = dot == std::u16string::npos ? u"" : name.substr(dot + 1);
    if (CompareNames(ext, d.defaultExtension) != 0) ofn.Flags |= OFN_EXTENSIONDIFFERENT;
  }
}

void Accept(FileDialog& d) {
  // Enter on a folder in the list opens it.
  const int caret = file_list::Caret(d.list);
  if (GetFocus() == d.list && caret >= 0 && caret < static_cast<int>(d.shown.size()) && d.shown[caret].folder) {
    ChangeFolder(d, JoinPath(d.folder, d.shown[caret].name));
    return;
  }
  std::vector<std::u16string> names = SplitNames(ItemText(d.dialog, edt1), Multiple(d));
  if (names.empty()) {
    MessageBeep(0);
    return;
  }
  FileChoice choice;
  std::u16string firstPath;
  if (names.size() == 1) {
    const std::u16string& typed = names[0];
    if (HasWildcards(typed) && typed.find(u'/') == std::u16string::npos) {
      d.typedPatterns = {typed};
      Refill(d);
      return;
    }
    std::u16string path = ResolvePath(d.folder, typed);
    if (IsFolder(path)) {
      if (ChangeFolder(d, path)) SetDlgItemTextW(d.dialog, edt1, u"");
      return;
    }
    const std::u16string ext = ExtensionFor(d);
    if (!ext.empty() && !HasExtension(path) && typed.back() != u'.' && (d.request.save || !Exists(path)))
      path += u"." + ext;
    if (!(d.request.flags & OFN_NOVALIDATE) && !CheckPath(d, path)) return;
    choice.folder = ParentFolder(path);
    choice.names = {FileNamePart(path)};
    firstPath = path;
  } else {
    choice.folder = d.folder;
    for (const std::u16string& n : names) {
      const std::u16string path = ResolvePath(d.folder, n);
      if (ParentFolder(path) != d.folder || !CheckPath(d, path)) {
        if (ParentFolder(path) != d.folder) Ask(d, n + u"\nThe name is not valid.", MB_OK | MB_ICONWARNING);
        return;
      }
      choice.names.push_back(FileNamePart(path));
    }
    firstPath = JoinPath(d.folder, choice.names.front());
  }
  const DWORD error = d.caller.wide ? WriteChoice(choice, *d.caller.wide) : WriteChoice(choice, *d.caller.ansi);
  if (error) {
    End(d, FALSE, error);
    return;
  }
  if (d.caller.wide) UpdateFields(d, *d.caller.wide, choice.multiple() ? u"" : firstPath);
  else UpdateFields(d, *d.caller.ansi, choice.multiple() ? u"" : firstPath);
  if (Notify(d, CDN_FILEOK) != 0) return;  // the hook kept the dialog open
  End(d, TRUE, 0);
}

// --- CDM_ messages: text in the caller's encoding ---------------------------

LRESULT GiveText(FileDialog& d, const std::u16string& text, WPARAM size, LPARAM buffer) {
  if (d.caller.wide) {
    const size_t needed = text.size() + 1;
    if (buffer && size >= needed) std::copy(text.c_str(), text.c_str() + needed, reinterpret_cast<WCHAR*>(buffer));
    return static_cast<LRESULT>(needed);
  }
  const std::string bytes = ToAnsi(text);
  const size_t needed = bytes.size() + 1;
  if (buffer && size >= needed) std::copy(bytes.c_str(), bytes.c_str() + needed, reinterpret_cast<char*>(buffer));
  return static_cast<LRESULT>(needed);
}

std::u16string TextArg(FileDialog& d, LPARAM text) {
  if (!text) return {};
  return d.caller.wide ? FromWide(reinterpret_cast<LPCWSTR>(text)) : FromAnsi(reinterpret_cast<LPCSTR>(text));
}

std::u16string CurrentPath(FileDialog& d) {
  const std::vector<std::u16string> names = SplitNames(ItemText(d.dialog, edt1), Multiple(d));
  if (!names.empty()) return ResolvePath(d.folder, names.front());
  const std::vector<int> selected = file_list::Selected(d.list);
  if (!selected.empty() && selected[0] < static_cast<int>(d.shown.size()))
    return JoinPath(d.folder, d.shown[selected[0]].name);
  return d.folder;
}

bool FolderMessage(FileDialog& d, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case CDM_GETSPEC: result = GiveText(d, ItemText(d.dialog, edt1), wParam, lParam); return true;
    case CDM_GETFILEPATH: result = GiveText(d, CurrentPath(d), wParam, lParam); return true;
    case CDM_GETFOLDERPATH: result = GiveText(d, d.folder, wParam, lParam); return true;
    case CDM_GETFOLDERIDLIST: {
      const PIDLIST_ABSOLUTE list = ILCreateFromPathW(d.folder.c_str());
      const UINT size = ILGetSize(list);
      if (list && lParam && wParam >= size) std::copy_n(reinterpret_cast<BYTE*>(list), size, reinterpret_cast<BYTE*>(lParam));
      ILFree(list);
      result = list ? static_cast<LRESULT>(size) : -1;
      return true;
    }
    case CDM_SETCONTROLTEXT: {
      const std::u16string text = TextArg(d, lParam);
      result = SetDlgItemTextW(d.dialog, static_cast<int>(wParam), text.c_str());
      return true;
    }
    case CDM_HIDECONTROL: {
      const HWND item = GetDlgItem(d.dialog, static_cast<int>(wParam));
      if (item) ShowWindow(item, SW_HIDE);
      result = item != nullptr;
      return true;
    }
    case CDM_SETDEFEXT: d.defaultExtension = TextArg(d, lParam); result = TRUE; return true;
    default: return false;
  }
}

// --- Starting ---------------------------------------------------------------

RECT ItemRect(HWND dialog, HWND item) {
  RECT r{};
  GetWindowRect(item, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

HWND MakeChild(FileDialog& d) {
  const DWORD f = d.request.flags;
  void* param = d.caller.Address();
  if (f & OFN_ENABLETEMPLATEHANDLE) {
    return CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(d.caller.Instance()), d.dialog,
                                      ChildProc, reinterpret_cast<LPARAM>(param));
  }
  if (f & OFN_ENABLETEMPLATE) {
    if (d.caller.wide)
      return CreateDialogParamW(d.caller.Instance(), d.caller.wide->lpTemplateName, d.dialog, ChildProc,
                                reinterpret_cast<LPARAM>(param));
    return CreateDialogParamA(d.caller.Instance(), d.caller.ansi->lpTemplateName, d.dialog, ChildProc,
                              reinterpret_cast<LPARAM>(param));
  }
  // A hook without a template gets an empty child dialog of its own.
  dialogs::TemplateWriter empty(WS_CHILD | DS_CONTROL | DS_SETFONT, 0, 0, 0, 0, 0, u"");
  const std::vector<uint32_t>& bytes = empty.words();
  return CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), d.dialog, ChildProc,
                                    reinterpret_cast<LPARAM>(param));
}

// The caller's child dialog joins the standard controls: where its stc32
// control is, the standard controls go; without one it sits below them.
bool AttachChild(FileDialog& d) {
  const DWORD f = d.request.flags;
  if (!(f & (OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_ENABLETEMPLATEHANDLE))) return true;
  if ((f & OFN_ENABLEHOOK) && !d.caller.Hook()) {
    d.error = CDERR_NOHOOK;
    return false;
  }
  d.child = MakeChild(d);
  if (!d.child) {
    d.error = (f & (OFN_ENABLETEMPLATE | OFN_ENABLETEMPLATEHANDLE)) ? CDERR_FINDRESFAILURE : CDERR_DIALOGFAILURE;
    return false;
  }
  RECT standard{}, child{};
  GetClientRect(d.dialog, &standard);
  GetClientRect(d.child, &child);
  POINT shift{0, 0};
  POINT childAt{0, standard.bottom};
  SIZE size{std::max(standard.right, child.right), standard.bottom + child.bottom};
  if (const HWND marker = GetDlgItem(d.child, stc32)) {
    const RECT m = ItemRect(d.child, marker);
    shift = {m.left, m.top};
    childAt = {0, 0};
    size = {std::max(child.right, m.left + standard.right), std::max(child.bottom, m.top + standard.bottom)};
    ShowWindow(marker, SW_HIDE);
  }
  for (HWND w = GetWindow(d.dialog, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == d.child) continue;
    const RECT r = ItemRect(d.dialog, w);
    SetWindowPos(w, nullptr, r.left + shift.x, r.top + shift.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetWindowPos(d.child, HWND_BOTTOM, childAt.x, childAt.y, size.cx - childAt.x, size.cy - childAt.y,
               SWP_NOACTIVATE);
  RECT outer{};
  GetWindowRect(d.dialog, &outer);
  SetWindowPos(d.dialog, nullptr, 0, 0, outer.right - outer.left + size.cx - standard.right,
               outer.bottom - outer.top + size.cy - standard.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(d.child, SW_SHOWNA);
  return true;
}

std::u16string InitialFolder(FileDialog& d, std::u16string& name) {
  const std::u16string& file = d.request.initialFile;
  name.clear();
  if (!file.empty()) {
    const size_t slash = file.rfind(u'/');
    if (slash != std::u16string::npos) {
      const std::u16string folder = ResolvePath(CurrentFolder(), file.substr(0, slash + 1));
      if (IsFolder(folder)) {
        name = file.substr(slash + 1);
        return folder;
      }
    }
    name = file;
  }
  if (!d.request.initialFolder.empty()) {
    const std::u16string folder = ResolvePath(CurrentFolder(), d.request.initialFolder);
    if (IsFolder(folder)) return folder;
  }
  return CurrentFolder();
}

// The list takes the place the template keeps for it, after it in the tab order.
void MakeList(FileDialog& d) {
  const HWND frame = GetDlgItem(d.dialog, TAV_FILE_LIST_FRAME);
  const RECT place = ItemRect(d.dialog, frame);
  d.list = file_list::Create(d.dialog, lst2, place, Multiple(d));
  SetWindowPos(d.list, frame, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Start(FileDialog& d) {
  const FileRequest& r = d.request;
  const std::u16string title = !r.title.empty() ? r.title : (r.save ? u"Save As" : u"Open");
  SetWindowTextW(d.dialog, title.c_str());
  if (r.save) {
    SetDlgItemTextW(d.dialog, IDOK, u"&Save");
    SetDlgItemTextW(d.dialog, chx1, u"Save as &read-only");
  }
  if (r.flags & OFN_HIDEREADONLY) ShowWindow(GetDlgItem(d.dialog, chx1), SW_HIDE);
  if (r.flags & OFN_READONLY) CheckDlgButton(d.dialog, chx1, BST_CHECKED);
  if (!(r.flags & OFN_SHOWHELP)) ShowWindow(GetDlgItem(d.dialog, pshHelp), SW_HIDE);
  MakeList(d);
  d.places = Places();
  for (const Place& p : d.places)
    SendDlgItemMessageW(d.dialog, ctl1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p.label.c_str()));
  for (const FilterSpec& f : r.filters)
    SendDlgItemMessageW(d.dialog, cmb1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.description.c_str()));
  d.filter = r.filters.empty() ? 0 : static_cast<int>(std::clamp<DWORD>(r.filterIndex, 1, r.filters.size()) - 1);
  SendDlgItemMessageW(d.dialog, cmb1, CB_SETCURSEL, static_cast<WPARAM>(d.filter), 0);
  d.defaultExtension = r.defaultExtension;
  std::u16string name;
  const std::u16string folder = InitialFolder(d, name);
  if (!ChangeFolder(d, folder)) ChangeFolder(d, u"/");
  SetDlgItemTextW(d.dialog, edt1, name.c_str());
}

// --- The procedure ----------------------------------------------------------

void Command(FileDialog& d, int id, int code) {
  switch (id) {
    case IDOK: Accept(d); return;
    case IDCANCEL: End(d, FALSE, 0); return;
    case TAV_FILE_UP: ChangeFolder(d, ParentFolder(d.folder)); return;
    case cmb2:
      if (code == CBN_SELCHANGE) {
        const LRESULT at = SendDlgItemMessageW(d.dialog, cmb2, CB_GETCURSEL, 0, 0);
        if (at >= 0 && at < static_cast<LRESULT>(d.lookIn.size())) ChangeFolder(d, d.lookIn[static_cast<size_t>(at)]);
      }
      return;
    case ctl1:
      if (code == LBN_SELCHANGE || code == LBN_DBLCLK) {
        const LRESULT at = SendDlgItemMessageW(d.dialog, ctl1, LB_GETCURSEL, 0, 0);
        if (at >= 0 && at < static_cast<LRESULT>(d.places.size())) ChangeFolder(d, d.places[static_cast<size_t>(at)].path);
      }
      return;
    case cmb1:
      if (code == CBN_SELCHANGE) {
        d.filter = static_cast<int>(std::max<LRESULT>(0, SendDlgItemMessageW(d.dialog, cmb1, CB_GETCURSEL, 0, 0)));
        d.typedPatterns.clear();
        Refill(d);
        Notify(d, CDN_TYPECHANGE);
      }
      return;
    default: return;
  }
}

// A row opened with a double click: a folder is entered, a file chosen.
void OpenRow(FileDialog& d) {
  const int caret = file_list::Caret(d.list);
  if (caret >= 0 && caret < static_cast<int>(d.shown.size()) && d.shown[caret].folder) {
    ChangeFolder(d, JoinPath(d.folder, d.shown[caret].name));
  } else {
    SelectionToNameBox(d);
    Accept(d);
  }
}

// One click changes the state of several rows; the caller hears of the new
// selection once, when the list has settled.
constexpr UINT kSelectionSettled = WM_APP + 0x51;

void ListNotify(FileDialog& d, const NMHDR& h) {
  switch (h.code) {
    case LVN_ITEMCHANGED: {
      const auto& nm = reinterpret_cast<const NMLISTVIEW&>(h);
      const bool selection = (nm.uChanged & LVIF_STATE) && ((nm.uNewState ^ nm.uOldState) & LVIS_SELECTED);
      if (selection && !file_list::IsQuiet(d.list) && !d.selectionPending) {
        d.selectionPending = true;
        PostMessageW(d.dialog, kSelectionSettled, 0, 0);
      }
      return;
    }
    case NM_DBLCLK: OpenRow(d); return;
    case LVN_COLUMNCLICK: {
      const auto key = static_cast<SortKey>(std::clamp(reinterpret_cast<const NMLISTVIEW&>(h).iSubItem, 0, 3));
      d.descending = key == d.sort ? !d.descending : false;
      d.sort = key;
      Refill(d);
      return;
    }
    default: return;
  }
}

// Backspace in the list goes up a folder, as in other file managers.
LRESULT ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto previous = reinterpret_cast<WNDPROC>(GetPropW(list, u"TavFileListProc"));
  if (message == WM_KEYDOWN && wParam == VK_BACK) {
    if (FileDialog* d = From(GetParent(list))) ChangeFolder(*d, ParentFolder(d->folder));
    return 0;
  }
  if (message == WM_NCDESTROY) RemovePropW(list, u"TavFileListProc");
  return CallWindowProcW(previous, list, message, wParam, lParam);
}

INT_PTR FileDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* d = reinterpret_cast<FileDialog*>(lParam);
    d->dialog = dialog;
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    Start(*d);
    SetPropW(d->list, u"TavFileListProc",
             reinterpret_cast<HANDLE>(SetWindowLongPtrW(d->list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListProc))));
    if (!AttachChild(*d)) {
      EndDialog(dialog, FALSE);
      return FALSE;
    }
    SetFocus(GetDlgItem(dialog, edt1));
    d->started = true;
    Notify(*d, CDN_INITDONE);
    Notify(*d, CDN_FOLDERCHANGE);
    return FALSE;
  }
  FileDialog* d = From(dialog);
  if (!d) return FALSE;
  switch (message) {
    case WM_COMMAND: Command(*d, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_NOTIFY: {
      const auto* h = reinterpret_cast<const NMHDR*>(lParam);
      if (!h || h->hwndFrom != d->list) return FALSE;
      ListNotify(*d, *h);
      return TRUE;
    }
    case kSelectionSettled:
      d->selectionPending = false;
      SelectionToNameBox(*d);
      Notify(*d, CDN_SELCHANGE);
      return TRUE;
    default: {
      LRESULT result = 0;
      if (!FolderMessage(*d, message, wParam, lParam, result)) return FALSE;
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
      return TRUE;
    }
  }
}

}  // namespace

BOOL RunFileDialog(const FileRequest& request, FileCaller caller) {
  FileDialog d;
  d.request = request;
  d.caller = caller;
  const INT_PTR result = DialogBoxParamW(TemplatesModule(), TemplateName(TAV_DLG_FILE), request.owner,
                                         FileDialogProc, reinterpret_cast<LPARAM>(&d));
  if (result < 0) {
    SetError(d.error ? d.error : CDERR_DIALOGFAILURE);
    return FALSE;
  }
  SetError(d.error);
  return result == TRUE && d.error == 0;
}

}  // namespace comdlg
