// The table of windows and the lock over the window tree. Handles carry a
// serial number that is never reused, so a destroyed window's handle stays
// unknown for good; the low bits tag the handle as a window's.
#include <unordered_map>

#include "platform/user/window_internal.h"

namespace user {
namespace {

std::recursive_mutex& TreeMutex() {
  static auto* mutex = new std::recursive_mutex;  // lives as long as the process
  return *mutex;
}
thread_local int t_depth = 0;

constexpr uintptr_t kWindowTag = 0x3;
constexpr int kTagBits = 4;

struct WindowTable {
  uintptr_t serial = 0;
  std::unordered_map<uintptr_t, WindowPtr> windows;
};
WindowTable& Table() {
  static auto* table = new WindowTable;
  return *table;
}

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
  UserLock lock;
  const uintptr_t value = (++Table().serial << kTagBits) | kWindowTag;
  window->handle = reinterpret_cast<HWND>(value);
  Table().windows.emplace(value, std::move(window));
  return reinterpret_cast<HWND>(value);
}

void RemoveWindow(HWND handle) {
  WindowPtr doomed;  // freed after the lock is left
  UserLock lock;
  auto it = Table().windows.find(reinterpret_cast<uintptr_t>(handle));
  if (it == Table().windows.end()) return;
  doomed = std::move(it->second);
  Table().windows.erase(it);
}

WindowPtr FindWinQuiet(HWND handle) {
  const auto value = reinterpret_cast<uintptr_t>(handle);
  if ((value & ((1u << kTagBits) - 1)) != kWindowTag) return nullptr;
  UserLock lock;
  auto it = Table().windows.find(value);
  return it == Table().windows.end() ? nullptr : it->second;
}

WindowPtr FindWin(HWND handle) {
  WindowPtr found = FindWinQuiet(handle);
  if (!found) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return found;
}

std::vector<WindowPtr> AllWindows() {
  UserLock lock;
  std::vector<WindowPtr> all;
  all.reserve(Table().windows.size());
  for (auto& [key, value] : Table().windows) all.push_back(value);
  return all;
}

Window& Desktop() {
  static Window* desktop = [] {
    auto w = std::make_shared<Window>();
    w->desktop = true;
    w->style = WS_VISIBLE | WS_CLIPCHILDREN | WS_POPUP;
    w->windowRect = w->clientRect = RECT{0, 0, gdi::kScreenWidth, gdi::kScreenHeight};
    w->life = Life::Alive;
    w->text = u"";
    Window* raw = w.get();
    AddWindow(std::move(w));
    return raw;
  }();
  return *desktop;
}

}  // namespace user
