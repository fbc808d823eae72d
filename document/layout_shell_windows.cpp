// The layout shell's answers that need windows of their own when no program
// gives its own: the system's save dialog, and a tracking tooltip for the
// message pane.
#include <cstdio>

#include "document/layout_shell.h"
#include "platform/framework.h"

namespace {

// The one tip window of the process and its one tool.
struct TipWindow {
  HWND window = nullptr;
  bool Ready() {
    if (::IsWindow(window)) return true;
    window = ::CreateWindowExA(WS_EX_TOPMOST, "tooltips_class32", nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (!window) return false;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.lpszText = const_cast<char*>("");
    ::SendMessageA(window, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    return true;
  }
  void Show(const char* text, POINT at) {
    if (!Ready()) return;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = const_cast<char*>(text ? text : "");
    ::SendMessageA(window, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageA(window, TTM_TRACKPOSITION, 0, static_cast<LPARAM>(MAKELONG(at.x, at.y)));
    TOOLINFOA active{};
    active.cbSize = sizeof active;
    ::SendMessageA(window, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&active));
  }
  void Hide() {
    if (!::IsWindow(window)) return;
    TOOLINFOA active{};
    active.cbSize = sizeof active;
    ::SendMessageA(window, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&active));
  }
};

TipWindow& Tip() {
  static TipWindow tip;
  return tip;
}

}  // namespace

int CLayoutShell::PromptSaveFileName(AString& path) {
  char file[4096] = {};
  std::snprintf(file, sizeof file, "%s", path.GetData() ? path.GetData() : "");
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  CWnd* main = AfxGetMainWnd();
  ofn.hwndOwner = main ? main->m_hWnd : nullptr;
  ofn.lpstrFilter = ".bcd\0*.bcd\0All files(*.*)\0*.*\0";
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrDefExt = "bcd";
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!::GetSaveFileNameA(&ofn)) return IDCANCEL;
  path = AString(file);
  return IDOK;
}

void CLayoutShell::ShowMessagePane(const char* text, const RECT& beside) {
  Tip().Show(text, POINT{beside.right + 3, beside.top});
}

void CLayoutShell::HideMessagePane() { Tip().Hide(); }
