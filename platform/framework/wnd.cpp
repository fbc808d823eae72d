// CWnd: the handle maps of each thread, attaching, subclassing, creation and
// destruction.
#include "platform/framework/wnd.h"

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <cstdio>

#include "platform/framework/resources.h"
#include "platform/framework/thread_state.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace afx {

ThreadState& State() {
  thread_local ThreadState state;
  return state;
}

ThreadState::~ThreadState() {
  // Temporary objects go (never destroying their windows); permanent ones
  // belong to their creators.
  for (auto& [handle, wnd] : temporaryWindows) wnd->m_hWnd = nullptr;
  temporaryWindows.clear();
}

}  // namespace afx

CWnd::~CWnd() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
    // An object going away before its window takes the window with it; the
    // window's last messages reach only this base part.
    if (::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    if (m_hWnd) Detach();
  }
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
  if (!window) return nullptr;
  auto& map = afx::State().permanentWindows;
  auto found = map.find(window);
  return found == map.end() ? nullptr : found->second;
}

CWnd* CWnd::FromHandle(HWND window) {
  if (!window) return nullptr;
  if (CWnd* permanent = FromHandlePermanent(window)) return permanent;
  auto& temps = afx::State().temporaryWindows;
  auto& slot = temps[window];
  if (!slot) {
    slot = std::make_unique<CWnd>();
    slot->m_hWnd = window;
    slot->m_nFlags |= WF_TEMPORARY;
  }
  return slot.get();
}

void CWnd::DeleteTempMap() {
  auto& temps = afx::State().temporaryWindows;
  for (auto& [handle, wnd] : temps) wnd->m_hWnd = nullptr;  // temporaries never destroy their windows
  temps.clear();
}

BOOL CWnd::Attach(HWND window) {
  if (!window || m_hWnd) return FALSE;
  auto& state = afx::State();
  if (state.permanentWindows.count(window)) return FALSE;
  state.temporaryWindows.erase(window);
  state.permanentWindows[window] = this;
  m_hWnd = window;
  afx::InstallMessageFilter();
  return TRUE;
}

HWND CWnd::Detach() {
  HWND window = m_hWnd;
  if (window) {
    auto& map = afx::State().permanentWindows;
    auto found = map.find(window);
    if (found != map.end() && found->second == this) map.erase(found);
  }
  m_hWnd = nullptr;
  return window;
}

void CWnd::SubclassProcedure() {
  const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC));
  if (current == &AfxWndProc) return;
  WNDPROC* super = GetSuperWndProcAddr();
  const auto old = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC,
                                                                  reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  if (super && !*super) *super = old;
}

BOOL CWnd::SubclassWindow(HWND window) {
  if (!Attach(window)) return FALSE;
  PreSubclassWindow();
  SubclassProcedure();
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  HWND control = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
  return control ? SubclassWindow(control) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
  if (m_pfnSuper) ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  return Detach();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass) {
    AfxRegisterFrameworkClasses();
    cs.lpszClass = AfxWnd;
  }
  return TRUE;
}

BOOL CWnd::Create(const char* className, const char* windowName, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id, void* param) {
  return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, param);
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, void* param) {
  return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y, int cx,
                    int cy, HWND parent, HMENU idOrMenu, void* param) {
  CREATESTRUCT cs{};
  cs.dwExStyle = exStyle;
  cs.lpszClass = className;
  cs.lpszName = windowName;
  cs.style = style;
  cs.x = x;
  cs.y = y;
  cs.cx = cx;
  cs.cy = cy;
  cs.hwndParent = parent;
  cs.hMenu = idOrMenu;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = param;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  // The framework's procedure attaches this object at the window's first
  // message; a window of another class is subclassed once it exists.
  auto& state = afx::State();
  CWnd* const savedInit = state.wndInit;
  state.wndInit = this;
  HWND window = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  const bool attachedEarly = state.wndInit != this;
  state.wndInit = savedInit;
  if (!window) {
    if (m_hWnd) Detach();
    PostNcDestroy();
    return FALSE;
  }
  if (!attachedEarly) {
    if (m_hWnd != window) Attach(window);
    PreSubclassWindow();
    SubclassProcedure();
  }
  return TRUE;
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::AfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = FromHandlePermanent(window);
  if (!wnd) {
    auto& state = afx::State();
    if (!state.wndInit) return ::DefWindowProcA(window, message, wParam, lParam);
    wnd = state.wndInit;
    state.wndInit = nullptr;
    wnd->Attach(window);
    wnd->PreSubclassWindow();
  }
  return AfxCallWndProc(wnd, window, message, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* wnd, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto& state = afx::State();
  const MSG saved = state.lastSent;
  state.lastSent = MSG{window, message, wParam, lParam, 0, {0, 0}};
  LRESULT result = wnd->WindowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(window) == wnd) {
    // The window is gone: the object lets go of it, and may delete itself.
    if (wnd->m_pfnSuper) ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wnd->m_pfnSuper));
    wnd->Detach();
    wnd->PostNcDestroy();
  }
  state.lastSent = saved;
  return result;
}

const MSG* AfxGetCurrentMessage() { return &afx::State().lastSent; }

namespace {

std::once_flag g_classesOnce;
BOOL g_classesOk = FALSE;

BOOL RegisterOne(const char* name, UINT style, HBRUSH background) {
  WNDCLASSA wc{};
  wc.style = style;
  wc.lpfnWndProc = &CWnd::AfxWndProc;
  wc.hInstance = AfxGetInstanceHandle();
  wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return ::RegisterClassA(&wc) != 0;
}

}  // namespace

BOOL AfxRegisterFrameworkClasses() {
  std::call_once(g_classesOnce, [] {
    const auto window = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_WINDOW + 1));
    const auto face = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1));
    const auto app = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_APPWORKSPACE + 1));
    g_classesOk = RegisterOne(AfxWnd, CS_DBLCLKS, nullptr) &&
                  RegisterOne(AfxFrameOrView, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, window) &&
                  RegisterOne(AfxMDIFrame, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, app) &&
                  RegisterOne(AfxControlBar, CS_DBLCLKS, face);
  });
  return g_classesOk;
}

const char* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
  // One class per combination, named after it, registered once per process.
  static std::mutex lock;
  static std::unordered_map<std::string, std::unique_ptr<std::string>> names;
  char name[96];
  std::snprintf(name, sizeof name, "Afx:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                static_cast<void*>(background), static_cast<void*>(icon));
  std::lock_guard<std::mutex> hold(lock);
  auto& slot = names[name];
  if (!slot) {
    slot = std::make_unique<std::string>(name);
    WNDCLASSA wc{};
    wc.style = classStyle;
    wc.lpfnWndProc = &CWnd::AfxWndProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = slot->c_str();
    ::RegisterClassA(&wc);
  }
  return slot->c_str();
}
