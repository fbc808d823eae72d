// W messages on their way through A procedures. A W caller's text is
// narrowed for an A procedure (a subclass, the framework's procedure); when
// that procedure passes the message on unchanged to a W procedure further
// down, the W procedure gets the caller's own UTF-16 again, and a W caller
// asking for text gets the W procedure's answer as it stands. Only A callers
// and what an A procedure writes itself go through the ANSI code page, so a
// W caller talking to a W window never loses a character.
#include <algorithm>
#include <vector>

#include "platform/user/window_internal.h"

namespace user {
namespace {

// The relays of this thread, innermost last. A procedure calls chain on the
// thread that received the message, so nothing here is shared.
std::vector<WideRelay*>& Relays() {
  thread_local std::vector<WideRelay*> relays;
  return relays;
}

// Text and structures are recognised by the pointer the A procedure was
// given; messages without one (characters, lengths) by the window and the
// A procedure's wParam.
bool Matches(const WideRelay& relay, UINT message, HWND window, WPARAM wParam, LPARAM lParam) {
  if (relay.message != message) return false;
  if (!relay.ansi) return relay.window == window && relay.ansiParam == wParam;
  return relay.ansi == reinterpret_cast<const void*>(lParam);
}

}  // namespace

RelayScope::RelayScope(UINT message, HWND window, const void* ansi, const void* wide) {
  relay_.message = message;
  relay_.window = window;
  relay_.ansi = ansi;
  relay_.wide = wide;
  Relays().push_back(&relay_);
}

RelayScope::RelayScope(UINT message, HWND window, WPARAM ansiParam, WPARAM wideParam)
    : RelayScope(message, window, nullptr, nullptr) {
  relay_.ansiParam = ansiParam;
  relay_.wideParam = wideParam;
}

RelayScope::~RelayScope() {
  auto& relays = Relays();
  relays.erase(std::find(relays.begin(), relays.end(), &relay_));
}

const std::u16string* RelayScope::Answer(std::string_view given) const {
  return relay_.answered && relay_.narrowed == given ? &relay_.answer : nullptr;
}

WideRelay* FindRelay(UINT message, HWND window, WPARAM wParam, LPARAM lParam) {
  auto& relays = Relays();
  for (auto it = relays.rbegin(); it != relays.rend(); ++it)
    if (Matches(**it, message, window, wParam, lParam)) return *it;
  return nullptr;
}

}  // namespace user
