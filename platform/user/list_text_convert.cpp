// Strings of list-box and combo-box messages sent by A callers to the W
// procedures of those controls: the caller's ANSI text is converted in, and
// texts read back are converted out with their ANSI lengths. Lists without
// strings (owner-drawn without LBS_HASSTRINGS/CBS_HASSTRINGS) carry item
// data in the same parameter, which passes untouched.
#include <string>
#include <vector>

#include "platform/user/controls/controls.h"
#include "platform/user/window_internal.h"

namespace user {
namespace {

enum class ListText { None, In, Out, Length };

ListText KindOf(UINT message) {
  switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
    case LB_SELECTSTRING:
    case LB_DIR:
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
    case CB_SELECTSTRING:
    case CB_DIR: return ListText::In;
    case LB_GETTEXT:
    case CB_GETLBTEXT: return ListText::Out;
    case LB_GETTEXTLEN:
    case CB_GETLBTEXTLEN: return ListText::Length;
    default: return ListText::None;
  }
}

bool IsCombo(UINT message) { return message >= CB_GETEDITSEL && message <= CB_SETDROPPEDWIDTH; }

LRESULT ListError(UINT message) { return IsCombo(message) ? CB_ERR : LB_ERR; }

bool HasStrings(HWND window, UINT message) {
  WCHAR name[16] = {};
  GetClassNameW(window, name, 16);
  const std::u16string cls = name;
  const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  if (IsCombo(message)) {
    if (cls != u"ComboBox") return false;
    return !(style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) || (style & CBS_HASSTRINGS);
  }
  if (cls != u"ListBox" && cls != u"ComboLBox") return false;
  return !(style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) || (style & LBS_HASSTRINGS);
}

// The item's text through the W procedure; false when the item is missing.
bool ItemText(WNDPROC proc, HWND window, UINT message, WPARAM index, std::u16string& text) {
  const UINT lengthMessage = IsCombo(message) ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
  const UINT textMessage = IsCombo(message) ? CB_GETLBTEXT : LB_GETTEXT;
  const LRESULT units = proc(window, lengthMessage, index, 0);
  if (units < 0) return false;
  std::vector<WCHAR> buffer(static_cast<size_t>(units) + 1, 0);
  if (proc(window, textMessage, index, reinterpret_cast<LPARAM>(buffer.data())) < 0) return false;
  buffer.back() = 0;
  text = buffer.data();
  return true;
}

}  // namespace

bool IsListTextMessage(UINT message) { return KindOf(message) != ListText::None; }

LRESULT CallListWFromA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const ListText kind = KindOf(message);
  if (kind == ListText::None || !HasStrings(window, message)) return proc(window, message, wParam, lParam);
  switch (kind) {
    case ListText::In: {
      if (!lParam) return proc(window, message, wParam, lParam);
      if (const WideRelay* relay = FindRelay(message, window, wParam, lParam))
        return proc(window, message, wParam, reinterpret_cast<LPARAM>(relay->wide));
      const std::u16string text = ToWide(reinterpret_cast<LPCSTR>(lParam));
      return proc(window, message, wParam, reinterpret_cast<LPARAM>(text.c_str()));
    }
    case ListText::Out: {
      if (!lParam) return proc(window, message, wParam, lParam);
      std::u16string text;
      if (!ItemText(proc, window, message, wParam, text)) return ListError(message);
      // The caller's buffer holds the ANSI length it was told, and the zero.
      const std::string ansi = ToAnsi(text);
      auto* out = reinterpret_cast<char*>(lParam);
      ansi.copy(out, ansi.size());
      out[ansi.size()] = '\0';
      if (WideRelay* relay = FindRelay(message, window, wParam, lParam)) relay->Answer(text, ansi);
      return static_cast<LRESULT>(ansi.size());
    }
    case ListText::Length: {
      std::u16string text;
      if (!ItemText(proc, window, message, wParam, text)) return ListError(message);
      // A W caller's question passed on by an A procedure gets the W length.
      if (FindRelay(message, window, wParam, lParam)) return static_cast<LRESULT>(text.size());
      return static_cast<LRESULT>(ToAnsi(text).size());
    }
    default: return proc(window, message, wParam, lParam);
  }
}

// A W caller's list message to an A procedure (a subclassed list or combo
// box): the text narrowed for it, relayed whole to the W control below.
LRESULT CallListAFromW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const ListText kind = KindOf(message);
  if (kind == ListText::None || !HasStrings(window, message)) return proc(window, message, wParam, lParam);
  switch (kind) {
    case ListText::In: {
      if (!lParam) return proc(window, message, wParam, lParam);
      const std::string text = ToAnsi(reinterpret_cast<LPCWSTR>(lParam));
      const RelayScope relay(message, window, text.c_str(), reinterpret_cast<const void*>(lParam));
      return proc(window, message, wParam, reinterpret_cast<LPARAM>(text.c_str()));
    }
    case ListText::Out: {
      if (!lParam) return proc(window, message, wParam, lParam);
      // The A buffer holds the ANSI length, asked as an A caller asks it.
      const LRESULT bytes = proc(window, IsCombo(message) ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, wParam, 0);
      if (bytes < 0) return bytes;
      std::vector<char> buffer(static_cast<size_t>(bytes) + 1, '\0');
      const RelayScope relay(message, window, buffer.data(), reinterpret_cast<const void*>(lParam));
      const LRESULT result = proc(window, message, wParam, reinterpret_cast<LPARAM>(buffer.data()));
      if (result < 0) return result;
      buffer.back() = '\0';
      // The caller's buffer holds the W length it was told, and the zero.
      const std::u16string* answer = relay.Answer(buffer.data());
      const std::u16string text = answer ? *answer : ToWide(buffer.data());
      auto* out = reinterpret_cast<WCHAR*>(lParam);
      text.copy(out, text.size());
      out[text.size()] = 0;
      return static_cast<LRESULT>(text.size());
    }
    case ListText::Length: {
      const RelayScope relay(message, window, wParam, wParam);
      return proc(window, message, wParam, lParam);
    }
    default: return proc(window, message, wParam, lParam);
  }
}

}  // namespace user
