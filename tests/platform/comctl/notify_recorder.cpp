#include "tests/platform/comctl/notify_recorder.h"

#include "platform/comctl/text_buffers.h"

namespace comctltest {
namespace {

void Record(const NMHDR* hdr) {
  Recorder& r = Notes();
  Note note{hdr->code, -1, -1, 0, 0, 0};
  const UINT code = hdr->code;
  if (code == LVN_ITEMCHANGING || code == LVN_ITEMCHANGED || code == LVN_INSERTITEM || code == LVN_DELETEITEM ||
      code == LVN_DELETEALLITEMS || code == LVN_COLUMNCLICK) {
    const auto* nm = reinterpret_cast<const NMLISTVIEW*>(hdr);
    note = Note{code, nm->iItem, nm->iSubItem, nm->uNewState, nm->uOldState, nm->uChanged};
  } else if (code == NM_CLICK || code == NM_DBLCLK || code == NM_RCLICK || code == LVN_ITEMACTIVATE) {
    const auto* nm = reinterpret_cast<const NMITEMACTIVATE*>(hdr);
    note.item = nm->iItem;
    note.subItem = nm->iSubItem;
  } else if (code == LVN_BEGINLABELEDITW || code == LVN_ENDLABELEDITW) {
    const auto* nm = reinterpret_cast<const NMLVDISPINFOW*>(hdr);
    note.item = nm->item.iItem;
    if (code == LVN_ENDLABELEDITW) {
      r.editTextNull = nm->item.pszText == nullptr;
      r.editText = nm->item.pszText ? nm->item.pszText : u"";
    }
  } else if (code == LVN_BEGINLABELEDITA || code == LVN_ENDLABELEDITA) {
    const auto* nm = reinterpret_cast<const NMLVDISPINFOA*>(hdr);
    note.item = nm->item.iItem;
    if (code == LVN_ENDLABELEDITA) {
      r.editTextNull = nm->item.pszText == nullptr;
      r.editText = comctl::FromAnsi(nm->item.pszText);
    }
  } else if (code >= HDN_TRACKW && code <= HDN_ITEMCHANGINGA) {
    const auto* nm = reinterpret_cast<const NMHEADERW*>(hdr);
    note.item = nm->iItem;
    if (nm->pitem && (nm->pitem->mask & HDI_WIDTH)) note.changed = static_cast<UINT>(nm->pitem->cxy);
    if (nm->pitem && (nm->pitem->mask & HDI_TEXT)) {
      if (code == HDN_ITEMCHANGINGA || code == HDN_ITEMCHANGEDA) {
        const auto* item = reinterpret_cast<const NMHEADERA*>(hdr)->pitem;
        r.headerText = comctl::FromAnsi(item->pszText);
        r.headerTextMax = item->cchTextMax;
      } else {
        r.headerText = nm->pitem->pszText;
        r.headerTextMax = nm->pitem->cchTextMax;
      }
    }
  }
  r.notes.push_back(note);
}

LRESULT ParentProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    Record(hdr);
    const auto answer = Notes().answers.find(hdr->code);
    return answer == Notes().answers.end() ? 0 : answer->second;
  }
  return IsWindowUnicode(w) ? DefWindowProcW(w, message, wParam, lParam) : DefWindowProcA(w, message, wParam, lParam);
}

const char* CodeName(UINT code) {
  struct Name {
    UINT code;
    const char* name;
  };
  static constexpr Name kNames[] = {
      {LVN_ITEMCHANGING, "LVN_ITEMCHANGING"}, {LVN_ITEMCHANGED, "LVN_ITEMCHANGED"},
      {LVN_INSERTITEM, "LVN_INSERTITEM"}, {LVN_DELETEITEM, "LVN_DELETEITEM"},
      {LVN_DELETEALLITEMS, "LVN_DELETEALLITEMS"}, {LVN_BEGINLABELEDITW, "LVN_BEGINLABELEDITW"},
      {LVN_ENDLABELEDITW, "LVN_ENDLABELEDITW"}, {LVN_BEGINLABELEDITA, "LVN_BEGINLABELEDITA"},
      {LVN_ENDLABELEDITA, "LVN_ENDLABELEDITA"}, {LVN_COLUMNCLICK, "LVN_COLUMNCLICK"},
      {LVN_ITEMACTIVATE, "LVN_ITEMACTIVATE"}, {LVN_KEYDOWN, "LVN_KEYDOWN"}, {LVN_GETDISPINFOW, "LVN_GETDISPINFOW"},
      {NM_CLICK, "NM_CLICK"}, {NM_DBLCLK, "NM_DBLCLK"}, {NM_RCLICK, "NM_RCLICK"}, {NM_RETURN, "NM_RETURN"},
      {NM_SETFOCUS, "NM_SETFOCUS"}, {NM_KILLFOCUS, "NM_KILLFOCUS"}, {HDN_ITEMCHANGINGW, "HDN_ITEMCHANGINGW"},
      {HDN_ITEMCHANGEDW, "HDN_ITEMCHANGEDW"}, {HDN_ITEMCLICKW, "HDN_ITEMCLICKW"},
      {HDN_BEGINTRACKW, "HDN_BEGINTRACKW"}, {HDN_ENDTRACKW, "HDN_ENDTRACKW"}, {HDN_TRACKW, "HDN_TRACKW"},
      {HDN_ITEMCHANGINGA, "HDN_ITEMCHANGINGA"}, {HDN_ITEMCHANGEDA, "HDN_ITEMCHANGEDA"},
      {HDN_DIVIDERDBLCLICKW, "HDN_DIVIDERDBLCLICKW"},
  };
  for (const Name& n : kNames)
    if (n.code == code) return n.name;
  return "?";
}

}  // namespace

std::vector<UINT> Recorder::Codes() const {
  std::vector<UINT> codes;
  for (const Note& n : notes) codes.push_back(n.code);
  return codes;
}

Recorder& Notes() {
  static Recorder recorder;
  return recorder;
}

HWND MakeParent(bool ansi) {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ParentProc;
    wc.lpszClassName = u"TavComctlTestParent";
    wc.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
    RegisterClassExW(&wc);
    WNDCLASSEXA wa{};
    wa.cbSize = sizeof wa;
    wa.lpfnWndProc = ParentProc;
    wa.lpszClassName = "TavComctlTestParentA";
    wa.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
    RegisterClassExA(&wa);
    return true;
  }();
  (void)registered;
  Notes() = Recorder{};
  if (ansi)
    return CreateWindowExA(0, "TavComctlTestParentA", "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400, 300,
                           nullptr, nullptr, nullptr, nullptr);
  return CreateWindowExW(0, u"TavComctlTestParent", u"parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400, 300,
                         nullptr, nullptr, nullptr, nullptr);
}

HWND MakeList(HWND parent, DWORD style, int width, int height, int id) {
  return CreateWindowExW(0, u"SysListView32", u"", WS_CHILD | WS_VISIBLE | LVS_REPORT | style, 5, 5, width, height,
                         parent, reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), nullptr, nullptr);
}

std::string Describe(const std::vector<Note>& notes) {
  std::string out;
  for (const Note& n : notes)
    out += std::string(CodeName(n.code)) + " item " + std::to_string(n.item) + " sub " + std::to_string(n.subItem) +
           " new " + std::to_string(n.newState) + " old " + std::to_string(n.oldState) + " changed " +
           std::to_string(n.changed) + "\n";
  return out;
}

void AddColumns(HWND list, std::initializer_list<std::pair<const char16_t*, int>> columns) {
  int index = 0;
  for (const auto& [title, width] : columns) {
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH;
    c.pszText = const_cast<LPWSTR>(title);
    c.cx = width;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&c));
  }
}

int AddRow(HWND list, std::initializer_list<const char16_t*> texts, LPARAM value) {
  int row = -1, column = 0;
  for (const char16_t* text : texts) {
    LVITEMW item{};
    item.pszText = const_cast<LPWSTR>(text);
    if (column == 0) {
      item.mask = LVIF_TEXT | LVIF_PARAM;
      item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
      item.lParam = value;
      row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    } else {
      item.iSubItem = column;
      SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    ++column;
  }
  return row;
}

std::u16string ItemText(HWND list, int row, int column) {
  WCHAR buffer[256] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = 256;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return buffer;
}

}  // namespace comctltest
