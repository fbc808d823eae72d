// The answers a text-services host gives where it has nothing to do or to
// give: no window of its own (no device context, invalidation, caret, scroll
// bars, timers, capture, focus, cursor or screen mapping), no input context,
// no password character, accelerator or extent; activation, notifications
// and format changes are taken and dropped. A host derives from this (or
// from FormatKeepingHost below, which answers the formats too) and answers
// the rest (its reference counting, client rect, inset, formats, background,
// length limit, property bits, selection bar) and overrides what it does
// have, as the control does for its window.
#pragma once

#include <algorithm>
#include <string_view>

#include "platform/richedit/richedit.h"

namespace richedit {

class TextHostDefaults : public ITextHost {
 public:
  HDC TxGetDC() override { return nullptr; }
  INT TxReleaseDC(HDC) override { return 1; }
  BOOL TxShowScrollBar(INT, BOOL) override { return FALSE; }
  BOOL TxEnableScrollBar(INT, INT) override { return FALSE; }
  BOOL TxSetScrollRange(INT, LONG, INT, BOOL) override { return FALSE; }
  BOOL TxSetScrollPos(INT, INT, BOOL) override { return FALSE; }
  void TxInvalidateRect(LPCRECT, BOOL) override {}
  void TxViewChange(BOOL) override {}
  BOOL TxCreateCaret(HBITMAP, INT, INT) override { return FALSE; }
  BOOL TxShowCaret(BOOL) override { return FALSE; }
  BOOL TxSetCaretPos(INT, INT) override { return FALSE; }
  BOOL TxSetTimer(UINT, UINT) override { return FALSE; }
  void TxKillTimer(UINT) override {}
  void TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) override {}
  void TxSetCapture(BOOL) override {}
  void TxSetFocus() override {}
  void TxSetCursor(HCURSOR, BOOL) override {}
  BOOL TxScreenToClient(LPPOINT) override { return FALSE; }
  BOOL TxClientToScreen(LPPOINT) override { return FALSE; }
  HRESULT TxActivate(LONG*) override { return S_OK; }
  HRESULT TxDeactivate(LONG) override { return S_OK; }
  COLORREF TxGetSysColor(int index) override { return GetSysColor(index); }
  HRESULT TxGetScrollBars(DWORD* bars) override {
    if (bars) *bars = 0;
    return S_OK;
  }
  HRESULT TxGetPasswordChar(WCHAR*) override { return S_FALSE; }
  HRESULT TxGetAccelPos(LONG* pos) override {
    if (pos) *pos = -1;
    return S_OK;
  }
  HRESULT TxGetExtent(LPSIZE) override { return E_NOTIMPL; }
  HRESULT OnTxCharFormatChange(const CHARFORMATW*) override { return S_OK; }
  HRESULT OnTxParaFormatChange(const PARAFORMAT*) override { return S_OK; }
  HRESULT TxNotify(DWORD, void*) override { return S_OK; }
  HIMC TxImmGetContext() override { return nullptr; }
  void TxImmReleaseContext(HIMC) override {}

 protected:
  ~TextHostDefaults() = default;
};

// A host that keeps its own default formats and hands them to the services:
// Arial 10 points in the automatic colour, left aligned. A host adds to them
// in its constructor.
class FormatKeepingHost : public TextHostDefaults {
 public:
  HRESULT TxGetCharFormat(const CHARFORMATW** format) override {
    *format = reinterpret_cast<const CHARFORMATW*>(&charFormat_);
    return S_OK;
  }
  HRESULT TxGetParaFormat(const PARAFORMAT** format) override {
    *format = reinterpret_cast<const PARAFORMAT*>(&paraFormat_);
    return S_OK;
  }

 protected:
  FormatKeepingHost() {
    charFormat_.cbSize = sizeof charFormat_;
    charFormat_.dwMask = CFM_SIZE | CFM_FACE | CFM_CHARSET | CFM_COLOR;
    charFormat_.dwEffects = CFE_AUTOCOLOR;
    charFormat_.yHeight = 200;
    charFormat_.bCharSet = DEFAULT_CHARSET;
    const std::u16string_view face = u"Arial";
    std::copy(face.begin(), face.end(), charFormat_.szFaceName);
    paraFormat_.cbSize = sizeof paraFormat_;
    paraFormat_.dwMask = PFM_ALIGNMENT;
    paraFormat_.wAlignment = PFA_LEFT;
  }
  ~FormatKeepingHost() = default;

  CHARFORMAT2W charFormat_{};
  PARAFORMAT2 paraFormat_{};
};

}  // namespace richedit
