// The windows' entries in the platform's one handle table, and the lock over
// the window tree. A window handle is never reused: a destroyed window's
// handle stays unknown for good, and the kind tag keeps other handles out.
#include "platform/kernel/handle_table.h"
#include "platform/user/window_internal.h"

namespace user {
namespace {

std::recursive_mutex& TreeMutex() {
  static auto* mutex = new std::recursive_mutex;  // lives as long as the process
  return *mutex;
}
thread_local int t_depth = 0;

}  // namespace

UserLock::UserLock() {
  TreeMutex().lock();
  ++t_depth;
}
UserLock::~UserLock() {
  --t_depth;
  TreeMutex().unlock();
}

Unlocked::Unlocked() : depth_(t_depth) {
  t_depth = 0;
  for (int i = 0; i < depth_; ++i) TreeMutex().unlock();
}
Unlocked::~Unlocked() {
  for (int i = 0; i < depth_; ++i) TreeMutex().lock();
  t_depth = depth_;
}

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

HWND AddWindow(WindowPtr window) {
  Window* raw = window.get();
  const auto lifetime = raw->desktop ? handles::Lifetime::Permanent : handles::Lifetime::Deletable;
  UserLock lock;
  HWND handle = handles::Create<HWND>(HandleKind::Window, std::move(window), lifetime);
  raw->handle = handle;
  return handle;
}

void RemoveWindow(HWND handle) {
  // The entry leaves the table here; the window itself goes with its last owner.
  WindowPtr doomed = handles::Take<Window>(handle, HandleKind::Window);
}

WindowPtr FindWinQuiet(HWND handle) { return handles::Lookup<Window>(handle, HandleKind::Window); }

WindowPtr FindWin(HWND handle) {
  WindowPtr found = FindWinQuiet(handle);
  if (!found) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return found;
}

std::vector<WindowPtr> AllWindows() {
  std::vector<WindowPtr> all;
  for (HWND h : handles::Enumerate<HWND>(HandleKind::Window))
    if (WindowPtr w = FindWinQuiet(h)) all.push_back(std::move(w));
  return all;
}

Window& Desktop() {
  static Window* desktop = [] {
    auto w = std::make_shared<Window>();
    w->desktop = true;
    w->style = WS_VISIBLE | WS_CLIPCHILDREN | WS_POPUP;
    w->windowRect = w->clientRect = RECT{0, 0, gdi::kScreenWidth, gdi::kScreenHeight};
    w->life = Life::Alive;
    Window* raw = w.get();
    AddWindow(std::move(w));
    return raw;
  }();
  return *desktop;
}

}  // namespace user
