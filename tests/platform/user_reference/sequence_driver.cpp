// The message-sequence driver (see sequence_driver.h). It uses nothing but the
// window interface, so one source runs on both sides. Built with
// SEQUENCE_DRIVER_MAIN it is a program: driver OUTFILE writes every
// scenario's rows to OUTFILE.
#ifdef _WIN32
#define NOMINMAX
#include <windows.h>
#define TXT(s) L##s
#else
#include "platform/win.h"
#define TXT(s) u##s
#define CALLBACK
#endif

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "sequence_driver.h"

namespace seqdriver {
namespace {

// Names of the messages the scenarios meet; others print as hexadecimal.
struct MessageText {
  UINT message;
  const char* name;
};
#define SEQ_MSG(m) MessageText{m, #m}
constexpr MessageText kNames[] = {
    SEQ_MSG(WM_CREATE),        SEQ_MSG(WM_DESTROY),          SEQ_MSG(WM_MOVE),
    SEQ_MSG(WM_SIZE),          SEQ_MSG(WM_ACTIVATE),         SEQ_MSG(WM_SETFOCUS),
    SEQ_MSG(WM_KILLFOCUS),     SEQ_MSG(WM_ENABLE),           SEQ_MSG(WM_SETTEXT),
    SEQ_MSG(WM_GETTEXTLENGTH),    SEQ_MSG(WM_CLOSE),
    SEQ_MSG(WM_SHOWWINDOW),    SEQ_MSG(WM_ACTIVATEAPP),      SEQ_MSG(WM_CANCELMODE),
    SEQ_MSG(WM_CHILDACTIVATE), SEQ_MSG(WM_GETMINMAXINFO),    SEQ_MSG(WM_NEXTDLGCTL),
    SEQ_MSG(WM_SETFONT),       SEQ_MSG(WM_GETFONT),          SEQ_MSG(WM_WINDOWPOSCHANGING),
    SEQ_MSG(WM_WINDOWPOSCHANGED), SEQ_MSG(WM_NOTIFYFORMAT),  SEQ_MSG(WM_STYLECHANGING),
    SEQ_MSG(WM_STYLECHANGED),  SEQ_MSG(WM_SETICON),          SEQ_MSG(WM_NCCREATE),
    SEQ_MSG(WM_NCDESTROY),     SEQ_MSG(WM_NCCALCSIZE),       SEQ_MSG(WM_NCACTIVATE),
    SEQ_MSG(WM_GETDLGCODE),    SEQ_MSG(WM_INITDIALOG),       SEQ_MSG(WM_COMMAND),
    SEQ_MSG(WM_SYSCOMMAND),    SEQ_MSG(WM_TIMER),            SEQ_MSG(WM_ENTERIDLE),
    {0x0127, "WM_CHANGEUISTATE"}, {0x0128, "WM_UPDATEUISTATE"}, {0x0129, "WM_QUERYUISTATE"},
    SEQ_MSG(WM_PARENTNOTIFY),  SEQ_MSG(WM_CAPTURECHANGED),   SEQ_MSG(WM_MOUSEACTIVATE),
    SEQ_MSG(DM_GETDEFID),      SEQ_MSG(DM_SETDEFID),         SEQ_MSG(WM_APP),
};
#undef SEQ_MSG

// Messages left out on both sides: painting (its order follows the update
// regions, not the call under test), the mouse's position, icons, and the
// input method, palette and accessibility services, which do not exist here.
// WM_GETTEXT comes only from drawing captions in these scenarios.
constexpr UINT kNoise[] = {
    WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEMOVE, WM_GETICON, WM_PAINT, WM_NCPAINT, WM_ERASEBKGND, WM_GETTEXT,
    0x0088,                                                  // WM_SYNCPAINT
    0x003D,                                                  // WM_GETOBJECT
    0x030F,                                                  // WM_QUERYNEWPALETTE
    0x0281, 0x0282, 0x0285,                                  // input-method context and notices
    0x031F,                                                  // composition state
    0x0132, 0x0133, 0x0134, 0x0135, 0x0136, 0x0137, 0x0138,  // WM_CTLCOLOR*: painting
};

std::string NameOf(UINT message) {
  for (const MessageText& t : kNames)
    if (t.message == message) return t.name;
  char text[16];
  std::snprintf(text, sizeof text, "0x%04x", message);
  return text;
}

bool IsNoise(UINT message) {
  for (UINT n : kNoise)
    if (n == message) return true;
  return false;
}

struct Entry {
  HWND window;
  UINT message;
  std::string fallback;  // the label a window had when the message came
};

// The log of one scenario. A window's label is given when its handle is
// known; what it got before that (during its creation) is labelled when the
// rows are printed. Children unnamed at that time are named by their id.
class Log {
 public:
  void Add(HWND window, UINT message) {
    if (IsNoise(message)) return;
    std::string fallback = "?";
    if (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)
      fallback = "item" + std::to_string(GetDlgCtrlID(window));
    entries_.push_back({window, message, fallback});
  }
  void Name(HWND window, const char* label) { names_.emplace_back(window, label); }
  void Step(const char* what) { entries_.push_back({nullptr, 0, std::string("-- ") + what}); }
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (const Entry& e : entries_) {
      if (!e.window) {
        rows.push_back(e.fallback);
        continue;
      }
      std::string label = e.fallback;
      for (auto it = names_.rbegin(); it != names_.rend(); ++it)
        if (it->first == e.window) {
          label = it->second;
          break;
        }
      rows.push_back(label + " " + NameOf(e.message));
    }
    return rows;
  }
  void Clear() {
    entries_.clear();
    names_.clear();
  }

 private:
  std::vector<Entry> entries_;
  std::vector<std::pair<HWND, std::string>> names_;
};

Log& TheLog() {
  static Log log;
  return log;
}

LRESULT CALLBACK LogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TheLog().Add(window, message);
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterLogClass() {
  WNDCLASSW wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = LogProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_WINDOW + 1));
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(32512)));  // IDC_ARROW
  wc.lpszClassName = TXT("SeqWindow");
  RegisterClassW(&wc);
}

// Runs the thread's queue until nothing is left, without waiting.
void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

HWND Make(const char* label, DWORD style, HWND parent = nullptr, DWORD exStyle = 0, int id = 0) {
  HWND w = CreateWindowExW(exStyle, TXT("SeqWindow"), TXT("T"), style, 10, 20, 300, 200, parent,
                           reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
  TheLog().Name(w, label);
  return w;
}

// ---- windows -------------------------------------------------------------

void CreateHiddenOverlapped() { DestroyWindow(Make("top", WS_OVERLAPPEDWINDOW)); }

void CreateVisibleOverlapped() {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  TheLog().Step("destroy");
  DestroyWindow(top);
}

void CreateVisibleChild() {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW);
  TheLog().Step("child");
  Make("child", WS_CHILD | WS_VISIBLE, top, 0, 7);
  TheLog().Step("destroy");
  DestroyWindow(top);
}

void CreateChildWithoutNotice() {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW);
  TheLog().Step("child");
  Make("child", WS_CHILD, top, WS_EX_NOPARENTNOTIFY);
  TheLog().Step("destroy");
  DestroyWindow(top);
}

void ShowAndHide() {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW);
  TheLog().Step("show");
  ShowWindow(top, SW_SHOW);
  TheLog().Step("show again");
  ShowWindow(top, SW_SHOW);
  TheLog().Step("hide");
  ShowWindow(top, SW_HIDE);
  TheLog().Step("show once more");
  ShowWindow(top, SW_SHOW);
  TheLog().Step("destroy");
  DestroyWindow(top);
}

void ShowWithoutActivating() {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW);
  TheLog().Step("show");
  ShowWindow(top, SW_SHOWNOACTIVATE);
  TheLog().Step("destroy");
  DestroyWindow(top);
}

void Sizing() {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  TheLog().Step("size");
  SetWindowPos(top, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  TheLog().Step("move");
  MoveWindow(top, 50, 60, 400, 300, TRUE);
  TheLog().Step("move and size");
  MoveWindow(top, 10, 10, 500, 350, TRUE);
  TheLog().Step("destroy");
  DestroyWindow(top);
}

void SizeHiddenThenShow() {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW);
  TheLog().Step("size");
  MoveWindow(top, 30, 40, 350, 250, TRUE);
  TheLog().Step("show");
  ShowWindow(top, SW_SHOWNOACTIVATE);
  TheLog().Step("destroy");
  DestroyWindow(top);
}

void PositionsThatChangeNothing() {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND hidden = Make("hidden", WS_OVERLAPPEDWINDOW);
  TheLog().Step("same place");
  SetWindowPos(top, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  TheLog().Step("hide the hidden");
  SetWindowPos(hidden, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  TheLog().Step("destroy");
  DestroyWindow(hidden);
  DestroyWindow(top);
}

void MaximiseAndRestore() {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  TheLog().Step("maximise");
  ShowWindow(top, SW_MAXIMIZE);
  TheLog().Step("restore");
  ShowWindow(top, SW_RESTORE);
  TheLog().Step("destroy");
  DestroyWindow(top);
}

void ActivateAnother() {
  HWND a = Make("a", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND b = Make("b", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  TheLog().Step("activate a");
  SetActiveWindow(a);
  TheLog().Step("destroy");
  DestroyWindow(b);
  DestroyWindow(a);
}

void FocusBetweenChildren() {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND one = Make("one", WS_CHILD | WS_VISIBLE, top, WS_EX_NOPARENTNOTIFY, 1);
  HWND two = Make("two", WS_CHILD | WS_VISIBLE, top, WS_EX_NOPARENTNOTIFY, 2);
  TheLog().Step("focus one");
  SetFocus(one);
  TheLog().Step("focus two");
  SetFocus(two);
  TheLog().Step("focus two again");
  SetFocus(two);
  TheLog().Step("destroy");
  DestroyWindow(top);
}

void DestroyParentWithChildren() {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW);
  HWND child = Make("child", WS_CHILD, top, WS_EX_NOPARENTNOTIFY);
  Make("grandchild", WS_CHILD, child, WS_EX_NOPARENTNOTIFY);
  TheLog().Step("destroy");
  DestroyWindow(top);
}

void DestroyActiveVisible() {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  TheLog().Step("destroy");
  DestroyWindow(top);
}

void DestroyChild() {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW);
  HWND child = Make("child", WS_CHILD | WS_VISIBLE, top, 0, 3);
  TheLog().Step("destroy child");
  DestroyWindow(child);
  TheLog().Step("destroy");
  DestroyWindow(top);
}

void DestroyShownChild() {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND child = Make("child", WS_CHILD | WS_VISIBLE, top, 0, 3);
  TheLog().Step("hide child");
  ShowWindow(child, SW_HIDE);
  TheLog().Step("show child");
  ShowWindow(child, SW_SHOW);
  TheLog().Step("destroy child");
  DestroyWindow(child);
  TheLog().Step("destroy");
  DestroyWindow(top);
}

void DestroyOwner() {
  HWND owner = Make("owner", WS_OVERLAPPEDWINDOW);
  Make("owned", WS_POPUP, owner);
  TheLog().Step("destroy");
  DestroyWindow(owner);
}

// ---- dialogs ---------------------------------------------------------------

// A dialog template in memory, built word by word in the documented layout.
class Template {
 public:
  Template(DWORD style, const char16_t* title, bool font) {
    Dword(style | (font ? DS_SETFONT : 0));
    Dword(0);
    count_ = words_.size();
    Word(0);  // items, counted as they are added
    Word(10), Word(10), Word(180), Word(100);
    Word(0), Word(0);  // no menu, the standard class
    Text(title);
    if (font) {
      Word(8);
      Text(u"MS Shell Dlg");
    }
  }
  void Item(DWORD style, int x, int y, int cx, int cy, int id, const char16_t* cls, const char16_t* text) {
    if (words_.size() % 2) Word(0);  // items start on a DWORD boundary
    Dword(style | WS_CHILD);
    Dword(0);
    Word(static_cast<uint16_t>(x)), Word(static_cast<uint16_t>(y));
    Word(static_cast<uint16_t>(cx)), Word(static_cast<uint16_t>(cy));
    Word(static_cast<uint16_t>(id));
    Text(cls);
    Text(text);
    Word(0);  // no creation data
    ++words_[count_];
  }
  const void* Data() const { return words_.data(); }

 private:
  void Word(uint16_t w) { words_.push_back(w); }
  void Dword(uint32_t d) {
    Word(static_cast<uint16_t>(d & 0xFFFF));
    Word(static_cast<uint16_t>(d >> 16));
  }
  void Text(const char16_t* s) {
    while (*s) Word(static_cast<uint16_t>(*s++));
    Word(0);
  }
  std::vector<uint16_t> words_;
  size_t count_ = 0;
};

// Two logging items (the first a tab stop) and a default push button.
Template DialogTemplate(DWORD style) {
  Template t(style | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, u"Dialog", true);
  t.Item(WS_VISIBLE | WS_TABSTOP, 5, 5, 80, 12, 101, u"SeqWindow", u"");
  t.Item(WS_VISIBLE, 5, 20, 80, 12, 102, u"SeqWindow", u"");
  t.Item(WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 100, 80, 50, 14, IDOK, u"BUTTON", u"OK");
  return t;
}

// What a dialog procedure answers. With 1 as its parameter, WM_INITDIALOG
// posts WM_APP, which ends the dialog once its modal loop runs.
INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  TheLog().Add(dialog, message);
  if (message == WM_INITDIALOG) {
    TheLog().Name(dialog, "dlg");
    if (lParam == 1) PostMessageW(dialog, WM_APP, 0, 0);
    return TRUE;
  }
  if (message == WM_APP) {
    EndDialog(dialog, 5);
    return TRUE;
  }
  return FALSE;
}

const DLGTEMPLATE* AsTemplate(const Template& t) { return static_cast<const DLGTEMPLATE*>(t.Data()); }

void CreateHiddenDialog() {
  Template t = DialogTemplate(0);
  HWND dialog = CreateDialogIndirectParamW(nullptr, AsTemplate(t), nullptr, DialogProc, 0);
  TheLog().Name(dialog, "dlg");
  TheLog().Step("destroy");
  DestroyWindow(dialog);
}

void CreateVisibleDialog() {
  Template t = DialogTemplate(WS_VISIBLE);
  HWND dialog = CreateDialogIndirectParamW(nullptr, AsTemplate(t), nullptr, DialogProc, 0);
  TheLog().Name(dialog, "dlg");
  TheLog().Step("destroy");
  DestroyWindow(dialog);
}

void CreateDialogOfAnOwner() {
  HWND owner = Make("owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  TheLog().Step("dialog");
  Template t = DialogTemplate(WS_VISIBLE);
  HWND dialog = CreateDialogIndirectParamW(nullptr, AsTemplate(t), owner, DialogProc, 0);
  TheLog().Name(dialog, "dlg");
  TheLog().Step("destroy");
  DestroyWindow(dialog);
  DestroyWindow(owner);
}

void ModalDialog() {
  HWND owner = Make("owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  TheLog().Step("modal");
  Template t = DialogTemplate(0);
  // The dialog's handle is only known inside: its WM_INITDIALOG names it.
  DialogBoxIndirectParamW(nullptr, AsTemplate(t), owner, DialogProc, 1);
  TheLog().Step("destroy");
  DestroyWindow(owner);
}

struct Scenario {
  const char* name;
  void (*run)();
};

constexpr Scenario kScenarios[] = {
    {"create_hidden_overlapped", CreateHiddenOverlapped},
    {"create_visible_overlapped", CreateVisibleOverlapped},
    {"create_visible_child", CreateVisibleChild},
    {"create_child_without_notice", CreateChildWithoutNotice},
    {"show_and_hide", ShowAndHide},
    {"show_without_activating", ShowWithoutActivating},
    {"sizing", Sizing},
    {"size_hidden_then_show", SizeHiddenThenShow},
    {"positions_that_change_nothing", PositionsThatChangeNothing},
    {"maximise_and_restore", MaximiseAndRestore},
    {"activate_another", ActivateAnother},
    {"focus_between_children", FocusBetweenChildren},
    {"destroy_parent_with_children", DestroyParentWithChildren},
    {"destroy_active_visible", DestroyActiveVisible},
    {"destroy_child", DestroyChild},
    {"destroy_shown_child", DestroyShownChild},
    {"destroy_owner", DestroyOwner},
    {"create_hidden_dialog", CreateHiddenDialog},
    {"create_visible_dialog", CreateVisibleDialog},
    {"create_dialog_of_an_owner", CreateDialogOfAnOwner},
    {"modal_dialog", ModalDialog},
};

}  // namespace

std::vector<std::string> ScenarioNames() {
  std::vector<std::string> names;
  for (const Scenario& s : kScenarios) names.push_back(s.name);
  return names;
}

ScenarioResult RunScenario(const std::string& name) {
  RegisterLogClass();
  for (const Scenario& s : kScenarios) {
    if (name != s.name) continue;
    Pump();
    TheLog().Clear();
    s.run();
    ScenarioResult result{s.name, TheLog().Rows()};
    Pump();
    TheLog().Clear();
    return result;
  }
  return {name, {}};
}

std::vector<ScenarioResult> RunScenarios() {
  std::vector<ScenarioResult> results;
  for (const Scenario& s : kScenarios) results.push_back(RunScenario(s.name));
  return results;
}

std::string FormatResults(const std::vector<ScenarioResult>& results) {
  std::string text;
  for (const ScenarioResult& r : results) {
    text += "scenario " + r.name + "\n";
    for (const std::string& row : r.rows) text += row + "\n";
  }
  return text;
}

std::vector<ScenarioResult> ParseResults(const std::string& text) {
  std::vector<ScenarioResult> results;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("scenario ", 0) == 0)
      results.push_back({line.substr(9), {}});
    else if (!results.empty() && !line.empty())
      results.back().rows.push_back(line);
  }
  return results;
}

}  // namespace seqdriver

#ifdef SEQUENCE_DRIVER_MAIN
int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTFILE\n", argv[0]);
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << seqdriver::FormatResults(seqdriver::RunScenarios());
  return out ? 0 : 1;
}
#endif
