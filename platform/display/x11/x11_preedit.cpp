// The input method's composition on the spot: the X input method reports
// the text being composed through callbacks, and the window system shows it
// in the focus window (WM_IME_COMPOSITION); the text it gives at the end
// goes in as the composition's result.
#include <langinfo.h>

#include <algorithm>
#include <clocale>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "platform/display/x11/x11_display.h"

namespace display::x11 {
namespace {

X11Display* Self(XPointer client) { return reinterpret_cast<X11Display*>(client); }

// Xlib keeps every callback as an XIMProc; they are called with the input
// context first, which none of them needs.
int OnStart(XIM, XPointer client, XPointer) {
  Self(client)->PreeditStarted();
  return -1;  // no limit on the composition's length
}

void OnDone(XIM, XPointer client, XPointer) { Self(client)->PreeditDone(); }

void OnDraw(XIM, XPointer client, XPointer data) {
  const auto* draw = reinterpret_cast<const XIMPreeditDrawCallbackStruct*>(data);
  if (!draw) return;
  std::u32string text;
  if (const XIMText* t = draw->text) {
    if (t->encoding_is_wchar && t->string.wide_char) {
      for (unsigned short i = 0; i < t->length; ++i) text.push_back(static_cast<char32_t>(t->string.wide_char[i]));
    } else if (t->string.multi_byte) {
      // The multi-byte text is in the locale's encoding: UTF-8 here.
      const std::u16string wide = FromUtf8(t->string.multi_byte);
      for (size_t i = 0; i < wide.size(); ++i) {
        char32_t c = wide[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size()) c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
        text.push_back(c);
      }
    }
  }
  Self(client)->PreeditDrawn(draw->chg_first, draw->chg_length, text, draw->caret);
}

void OnCaret(XIM, XPointer client, XPointer data) {
  const auto* caret = reinterpret_cast<const XIMPreeditCaretCallbackStruct*>(data);
  if (caret && caret->direction == XIMAbsolutePosition) Self(client)->PreeditDrawn(0, 0, U"", caret->position);
}

// The input method went away (its server ended): Xlib closes it and its
// context itself, so neither may be used or closed again.
void OnDestroy(XIM, XPointer client, XPointer) { Self(client)->InputMethodGone(); }

// Whether locale modifiers name an input-method server ("@im=name"), not
// Xlib's own method ("@im=none", "@im=local" or no name).
bool NamesServer(const char* modifiers) {
  const std::string_view m = modifiers ? modifiers : "";
  const size_t at = m.find("@im=");
  if (at == std::string_view::npos) return false;
  const std::string_view name = m.substr(at + 4, m.find('@', at + 4) - (at + 4));
  return !name.empty() && name != "none" && name != "local";
}

// Xlib opens an input method for the character type the program is in, and
// a server offers none for the "C" locale's plain ASCII, so a program that
// never chose a locale would get no input method at all. The method is
// opened in UTF-8, which Xlib keeps with it (its text comes as UTF-8 through
// Xutf8LookupString); the program's own character type is put back after.
class Utf8CharacterType {
 public:
  Utf8CharacterType() {
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) return;
    const char* now = std::setlocale(LC_CTYPE, nullptr);
    saved_ = now ? now : "C";
    if (!std::setlocale(LC_CTYPE, "C.UTF-8")) saved_.reset();
  }
  ~Utf8CharacterType() {
    if (saved_) std::setlocale(LC_CTYPE, saved_->c_str());
  }
  Utf8CharacterType(const Utf8CharacterType&) = delete;
  Utf8CharacterType& operator=(const Utf8CharacterType&) = delete;

 private:
  std::optional<std::string> saved_;
};

std::u16string Utf16(std::u32string_view text, int upTo, int* units) {
  std::u16string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (static_cast<int>(i) == upTo && units) *units = static_cast<int>(out.size());
    const char32_t c = text[i];
    if (c >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  if (units && upTo >= static_cast<int>(text.size())) *units = static_cast<int>(out.size());
  return out;
}

}  // namespace

void X11Display::OpenInputMethod() {
  reopenInputMethod_ = false;
  const Utf8CharacterType utf8;
  // The server XMODIFIERS names; when it names none, or one that does not
  // run, Xlib's own method, whose compose tables still make dead keys and
  // Compose sequences into characters.
  if (XSetLocaleModifiers("")) im_ = XOpenIM(x_, nullptr, nullptr, nullptr);
  serverInputMethod_ = im_ && NamesServer(XSetLocaleModifiers(nullptr));
  if (!im_ && XSetLocaleModifiers("@im=none")) im_ = XOpenIM(x_, nullptr, nullptr, nullptr);
  if (!im_) return;
  destroyCallback_ = XIMCallback{reinterpret_cast<XPointer>(this), &OnDestroy};
  XSetIMValues(im_, XNDestroyCallback, &destroyCallback_, nullptr);
  ic_ = CreateInputContext();
  // A window of the program that already has the keyboard types through it.
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(x_, &focus, &revert);
  std::lock_guard lock(mutex_);
  if (ic_ && focus != None && focus != PointerRoot && FindX(focus)) {
    XSetICValues(ic_, XNFocusWindow, focus, nullptr);
    XSetICFocus(ic_);
  }
}

void X11Display::InputMethodGone() {
  im_ = nullptr;
  ic_ = nullptr;
  serverInputMethod_ = false;
  composing_ = false;
  preedit_.clear();
  ending_ = !shownComposition_.empty();
  EndComposition();
  // Not from inside Xlib's callback: the next pump opens another method.
  reopenInputMethod_ = true;
}

XIC X11Display::CreateInputContext() {
  XIMStyles* styles = nullptr;
  bool callbacks = false;
  if (!XGetIMValues(im_, XNQueryInputStyle, &styles, nullptr) && styles) {
    for (unsigned short i = 0; i < styles->count_styles; ++i)
      if (styles->supported_styles[i] == (XIMPreeditCallbacks | XIMStatusNothing)) callbacks = true;
    XFree(styles);
  }
  XIC ic = nullptr;
  if (callbacks) {
    const auto self = reinterpret_cast<XPointer>(this);
    startCallback_ = XIMCallback{self, reinterpret_cast<XIMProc>(reinterpret_cast<void*>(&OnStart))};
    doneCallback_ = XIMCallback{self, &OnDone};
    drawCallback_ = XIMCallback{self, &OnDraw};
    caretCallback_ = XIMCallback{self, &OnCaret};
    XVaNestedList preedit = XVaCreateNestedList(0, XNPreeditStartCallback, &startCallback_, XNPreeditDoneCallback,
                                                &doneCallback_, XNPreeditDrawCallback, &drawCallback_,
                                                XNPreeditCaretCallback, &caretCallback_, nullptr);
    ic = XCreateIC(im_, XNInputStyle, XIMPreeditCallbacks | XIMStatusNothing, XNClientWindow, clipboardWindow_,
                   XNPreeditAttributes, preedit, nullptr);
    XFree(preedit);
  }
  if (!ic)
    ic = XCreateIC(im_, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, clipboardWindow_,
                   nullptr);
  return ic;
}

void X11Display::PreeditStarted() {
  composing_ = true;
  preedit_.clear();
  preeditCaret_ = 0;
}

void X11Display::PreeditDrawn(int first, int length, std::u32string_view text, int caret) {
  if (!composing_) PreeditStarted();
  const auto size = static_cast<int>(preedit_.size());
  first = std::clamp(first, 0, size);
  length = std::clamp(length, 0, size - first);
  preedit_.replace(static_cast<size_t>(first), static_cast<size_t>(length), text);
  preeditCaret_ = std::clamp(caret, 0, static_cast<int>(preedit_.size()));
  int units = 0;
  const std::u16string shown = Utf16(preedit_, preeditCaret_, &units);
  if (shown.empty()) {
    // Everything erased: a server does so before it gives the text, so the
    // composition ends with that text, or cancelled if none comes.
    ending_ = !shownComposition_.empty();
    return;
  }
  ending_ = false;
  if (shown == shownComposition_ && units == shownCaret_) return;  // a caret report that moved nothing
  shownComposition_ = shown;
  shownCaret_ = units;
  if (Sink* sink = CurrentSink()) sink->Composition(shown, units);
}

void X11Display::PreeditDone() {
  if (!composing_) return;
  composing_ = false;
  preedit_.clear();
  // A server ends the composition before it gives the text (a commit), which
  // then is the composition's result; if no text follows in what the server
  // sent, the composition was cancelled (EndComposition).
  ending_ = !shownComposition_.empty();
}

void X11Display::EndComposition() {
  if (!ending_) return;
  ending_ = false;
  shownComposition_.clear();
  if (Sink* sink = CurrentSink()) sink->Composition(u"", 0);
}

void X11Display::TextGiven(std::u16string_view text, int virtualKey) {
  Sink* sink = CurrentSink();
  if (!sink) return;
  if ((composing_ || !shownComposition_.empty()) && !text.empty()) {
    composing_ = ending_ = false;
    preedit_.clear();
    shownComposition_.clear();
    sink->CompositionResult(text);
    return;
  }
  EndComposition();
  sink->Key(virtualKey, true, text);
}

}  // namespace display::x11
