// The input method's composition on the spot: the X input method reports
// the text being composed through callbacks, and the window system shows it
// in the focus window (WM_IME_COMPOSITION); the text it gives at the end
// goes in as the composition's result.
#include <algorithm>
#include <string>

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
  Sink* sink = CurrentSink();
  if (!sink) return;
  if (shown.empty()) sink->Composition(u"", 0);  // everything erased: the composition is cancelled
  else sink->Composition(shown, units);
}

void X11Display::PreeditDone() {
  if (!composing_) return;
  composing_ = false;
  const bool shown = !preedit_.empty();
  preedit_.clear();
  // Text the input method gives after this comes as typed characters.
  if (shown)
    if (Sink* sink = CurrentSink()) sink->Composition(u"", 0);
}

void X11Display::TextGiven(std::u16string_view text, int virtualKey) {
  Sink* sink = CurrentSink();
  if (!sink) return;
  if (composing_ && !text.empty()) {
    composing_ = false;
    preedit_.clear();
    sink->CompositionResult(text);
    return;
  }
  sink->Key(virtualKey, true, text);
}

}  // namespace display::x11
