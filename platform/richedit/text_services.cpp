// The windowless text services: messages on the document and its
// selection, drawing and measuring for the host.

#include "platform/richedit/text_services.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "platform/nls/nls.h"
#include "platform/richedit/plain_text.h"
#include "platform/richedit/rtf.h"
#include "platform/user/controls/controls.h"

namespace richedit {
namespace {

constexpr size_t kMaxStreamBytes = size_t{256} << 20;  // what one stream-in reads at most
constexpr size_t kDefaultLimit = 64000;                 // EM_EXLIMITTEXT 0

UINT ResolveCodePage(UINT codePage) {
  if (codePage == CP_ACP || codePage == CP_THREAD_ACP) return GetACP();
  return codePage;
}

bool StartsAsRtf(std::span<const uint8_t> bytes) { return LooksLikeRtf(bytes); }

// Each of the standard sizes moves to the next one in the direction of the change.
LONG NextFontSize(LONG points, int delta) {
  LONG size = std::clamp<LONG>(points + delta, 1, 1638);
  if (delta == 0 || size <= 12) return size;
  auto snap = [&](LONG step) {
    return delta > 0 ? (size + step - 1) / step * step : size / step * step;
  };
  if (size <= 28) return snap(2);
  if (size <= 80) {
    constexpr std::array<LONG, 5> kStops{28, 36, 48, 72, 80};
    if (delta > 0) return *std::lower_bound(kStops.begin(), kStops.end(), size);
    return *(std::upper_bound(kStops.begin(), kStops.end(), size) - 1);
  }
  return std::clamp<LONG>(snap(10), 80, 1638);
}

}  // namespace

TextServices::TextServices(ITextHost* host) : host_(host) {
  host_->TxGetPropertyBits(~0u, &bits_);
  DWORD maxLength = 0;
  if (host_->TxGetMaxLength(&maxLength) == S_OK && maxLength != static_cast<DWORD>(-1) && maxLength > 0) {
    limit_ = maxLength;
  }
  ReadHostFormats();
}

void TextServices::ReadHostFormats() {
  const CHARFORMATW* cf = nullptr;
  if (host_->TxGetCharFormat(&cf) == S_OK && cf) {
    CharFormat f = doc_.DefaultFormat();
    ApplyCharFormat(f, cf);
    doc_.SetDefaultFormat(f);
    if (doc_.size() == 0) insertion_.reset();
  }
  const PARAFORMAT* pf = nullptr;
  if (host_->TxGetParaFormat(&pf) == S_OK && pf) {
    ParaFormat p = doc_.DefaultParagraph();
    ApplyParaFormat(p, pf);
    doc_.SetDefaultParagraph(p);
  }
}

HRESULT TextServices::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_ITextServices || iid == IID_IUnknown) {
    *object = static_cast<ITextServices*>(this);
    AddRef();
    return S_OK;
  }
  if (iid == IID_ITextDocument) {
    *object = static_cast<ITextDocument*>(&tom_);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG TextServices::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT TextServices::TxSendMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const LRESULT r = Message(msg, wParam, lParam);
  if (result) *result = r;
  return S_OK;
}

void TextServices::SetSelection(LONG cpMin, LONG cpMax) {
  const auto size = static_cast<LONG>(doc_.size());
  if (cpMin == 0 && cpMax == -1) {
    selMin_ = 0, selMax_ = doc_.size();
  } else if (cpMin < 0) {
    selMin_ = selMax_;  // no selection; the caret stays where the selection ended
  } else {
    const LONG a = std::min(cpMin, size), b = cpMax < 0 ? size : std::min(cpMax, size);
    selMin_ = static_cast<size_t>(std::min(a, b));
    selMax_ = static_cast<size_t>(std::max(a, b));
  }
  // Never between the two halves of a surrogate pair.
  const std::u16string& t = doc_.text();
  if (selMin_ > 0 && selMin_ < t.size() && IsTrailSurrogate(t[selMin_])) --selMin_;
  if (selMax_ > 0 && selMax_ < t.size() && IsTrailSurrogate(t[selMax_])) ++selMax_;
  insertion_.reset();
}

std::u16string TextServices::Selected() const { return doc_.text().substr(selMin_, selMax_ - selMin_); }

void TextServices::Remember() { history_.Remember(EditState{doc_, selMin_, selMax_}); }

bool TextServices::Undo() {
  std::optional<EditState> back = history_.Undo(EditState{doc_, selMin_, selMax_});
  if (!back) return false;
  doc_ = std::move(back->doc);
  selMin_ = back->selMin, selMax_ = back->selMax;
  insertion_.reset();
  modified_ = true;
  ++changes_;
  return true;
}

bool TextServices::Redo() {
  std::optional<EditState> forward = history_.Redo(EditState{doc_, selMin_, selMax_});
  if (!forward) return false;
  doc_ = std::move(forward->doc);
  selMin_ = forward->selMin, selMax_ = forward->selMax;
  insertion_.reset();
  modified_ = true;
  ++changes_;
  return true;
}

void TextServices::PutText(std::u16string text, bool selection) {
  text = ImportLineEnds(text);
  if (!(bits_ & TXTBIT_MULTILINE)) {
    // A single-line control keeps the first line only.
    text = text.substr(0, text.find(kParagraphMark));
  }
  const size_t from = selection ? selMin_ : 0, to = selection ? selMax_ : doc_.size();
  const size_t room = limit_ - std::min(limit_, doc_.size() - (to - from));
  if (text.size() > room) {
    size_t keep = room;
    if (keep > 0 && IsLeadSurrogate(text[keep - 1])) --keep;
    text.resize(keep);
  }
  const CharFormat format = insertion_ ? *insertion_ : doc_.size() == 0 ? doc_.DefaultFormat() : doc_.InsertionFormat(from);
  doc_.Replace(from, to, text, format);
  selMin_ = selMax_ = from + text.size();
  modified_ = true;
  ++changes_;
}

void TextServices::PutRtf(const TextDocument& rtf, bool selection) {
  if (!selection || (selMin_ == 0 && selMax_ == doc_.size())) {
    doc_ = rtf;
    if (doc_.size() > limit_) doc_.Replace(limit_, doc_.size(), u"", doc_.DefaultFormat());
    selMin_ = selMax_ = selection ? doc_.size() : 0;
  } else {
    // Into the selection: the text with its runs, paragraph by paragraph.
    const size_t from = selMin_;
    doc_.Replace(selMin_, selMax_, u"", doc_.InsertionFormat(selMin_));
    size_t at = from, cp = 0;
    for (const auto& run : rtf.runs()) {
      std::u16string piece = rtf.text().substr(cp, run.length);
      cp += run.length;
      const size_t room = limit_ - std::min(limit_, doc_.size());
      if (piece.size() > room) piece.resize(room);
      doc_.Replace(at, at, piece, run.format);
      at += piece.size();
    }
    for (size_t p = 0; p < rtf.ParagraphCount(); ++p) {
      PARAFORMAT2 pf{};
      pf.cbSize = sizeof pf;
      FillParaFormat(rtf.Paragraph(p), &pf);
      const size_t start = from + rtf.ParagraphStart(p);
      if (start <= doc_.size()) doc_.SetParaFormat(start, start, reinterpret_cast<const PARAFORMAT&>(pf));
    }
    selMin_ = selMax_ = at;
  }
  modified_ = true;
  ++changes_;
}

void TextServices::Put(std::span<const uint8_t> bytes, UINT codePage, bool selection) {
  codePage = ResolveCodePage(codePage);
  if ((bits_ & TXTBIT_RICHTEXT) && codePage != kUtf16CodePage && StartsAsRtf(bytes)) {
    TextDocument rtf;
    ReadRtf(bytes, rtf);
    PutRtf(rtf, selection);
    return;
  }
  std::u16string text = DecodeText(bytes, codePage);
  if ((bits_ & TXTBIT_RICHTEXT) && codePage == kUtf16CodePage && text.starts_with(u"{\\rtf")) {
    // RTF given as UTF-16: its characters are the bytes.
    std::string narrow(text.begin(), text.end());
    TextDocument rtf;
    ReadRtf(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(narrow.data()), narrow.size()), rtf);
    PutRtf(rtf, selection);
    return;
  }
  PutText(std::move(text), selection);
}

LRESULT TextServices::StreamIn(WPARAM format, EDITSTREAM* stream) {
  if (!stream || !stream->pfnCallback) return 0;
  std::vector<uint8_t> bytes;
  std::array<uint8_t, 4096> buffer;
  stream->dwError = 0;
  while (bytes.size() < kMaxStreamBytes) {
    LONG done = 0;
    stream->dwError = stream->pfnCallback(stream->dwCookie, buffer.data(), static_cast<LONG>(buffer.size()), &done);
    if (stream->dwError != 0 || done <= 0) break;
    bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + std::min<LONG>(done, buffer.size()));
  }
  const bool selection = (format & SFF_SELECTION) != 0;
  const size_t before = doc_.size();
  const DWORD kind = format & 0xFF;
  if ((kind & SF_RTF) || kind == SF_RTFNOOBJS) {
    TextDocument rtf;
    if (ReadRtf(bytes, rtf)) PutRtf(rtf, selection);
    else Put(bytes, GetACP(), selection);  // not RTF after all: plain text
  } else {
    const UINT cp = (format & SF_UNICODE) ? kUtf16CodePage
                    : (format & SF_USECODEPAGE) ? HIWORD(format) : GetACP();
    Put(bytes, cp, selection);
  }
  return static_cast<LRESULT>(doc_.size() >= before ? doc_.size() - before : doc_.size());
}

LRESULT TextServices::StreamOut(WPARAM format, EDITSTREAM* stream) {
  if (!stream || !stream->pfnCallback) return 0;
  const bool selection = (format & SFF_SELECTION) != 0;
  const size_t from = selection ? selMin_ : 0, to = selection ? selMax_ : doc_.size();
  std::string out;
  const DWORD kind = format & 0xFF;
  if ((kind & SF_RTF) || kind == SF_RTFNOOBJS) {
    out = WriteRtf(doc_, from, to, GetACP());
  } else {
    const UINT cp = (format & SF_UNICODE) ? kUtf16CodePage
                    : (format & SF_USECODEPAGE) ? HIWORD(format) : GetACP();
    out = EncodeText(ExportLineEnds(doc_.text().substr(from, to - from), true), cp);
  }
  stream->dwError = 0;
  size_t at = 0;
  while (at < out.size()) {
    LONG done = 0;
    const auto chunk = static_cast<LONG>(std::min<size_t>(out.size() - at, 4096));
    stream->dwError =
        stream->pfnCallback(stream->dwCookie, reinterpret_cast<LPBYTE>(out.data() + at), chunk, &done);
    if (stream->dwError != 0 || done <= 0) break;
    at += static_cast<size_t>(std::min(done, chunk));
  }
  return static_cast<LRESULT>(at);
}

Layout TextServices::LayOutFor(HDC dc, int width, double zoom) {
  DcMeasurer m(dc, zoom);
  LayoutOptions o;
  o.width = std::max(width, 1);
  o.wordWrap = (bits_ & TXTBIT_WORDWRAP) != 0;
  return LayOut(doc_, m, o);
}

LRESULT TextServices::FormatRange(bool render, const FORMATRANGE* range) {
  if (!range) return 0;  // frees what a series of calls kept: nothing here
  const HDC dc = range->hdc ? range->hdc : range->hdcTarget;
  if (!dc) return 0;
  DcMeasurer m(dc, 1.0);
  const LONG cpMin = std::clamp<LONG>(range->chrg.cpMin, 0, static_cast<LONG>(doc_.size()));
  const LONG cpMax = range->chrg.cpMax < 0 ? static_cast<LONG>(doc_.size())
                                           : std::clamp<LONG>(range->chrg.cpMax, cpMin, static_cast<LONG>(doc_.size()));
  if (cpMin >= cpMax && doc_.size() > 0) return cpMax;
  // The rectangle is in twips; its corner and size become logical units.
  const int width = static_cast<int>(std::lround((range->rc.right - range->rc.left) * m.UnitsPerTwipX()));
  const int height = static_cast<int>(std::lround(std::abs(range->rc.bottom - range->rc.top) * m.UnitsPerTwipY()));
  LayoutOptions o;
  o.width = std::max(width, 1);
  o.wordWrap = true;
  o.firstParagraph = doc_.ParagraphOf(static_cast<size_t>(cpMin));
  o.firstCp = static_cast<size_t>(cpMin);
  o.maxHeight = height;
  Layout layout = LayOut(doc_, m, o);
  // Only the lines of the range.
  while (!layout.lines.empty() && layout.lines.back().start >= static_cast<size_t>(cpMax)) layout.lines.pop_back();
  if (render) {
    const POINT origin{static_cast<LONG>(std::lround(range->rc.left * m.UnitsPerTwipX())),
                       static_cast<LONG>(std::lround(range->rc.top * m.UnitsPerTwipY())) * m.YDirection()};
    DrawOptions d;
    d.autoColour = host_->TxGetSysColor(COLOR_WINDOWTEXT);
    DrawLayout(m, doc_, layout, origin, d);
  }
  const size_t next = layout.lines.empty() ? static_cast<size_t>(cpMin) : layout.lines.back().end;
  return static_cast<LRESULT>(std::min<size_t>(next, static_cast<size_t>(cpMax)));
}

LRESULT TextServices::SetFontSize(int delta) {
  if (delta < -1637 || delta > 1638) return FALSE;
  const size_t from = selMin_, to = selMax_ > selMin_ ? selMax_ : selMin_;
  if (from == to) {
    CharFormat f = insertion_ ? *insertion_ : doc_.InsertionFormat(from);
    f.height = NextFontSize(f.height / 20, delta) * 20;
    insertion_ = f;
    return TRUE;
  }
  Remember();
  doc_.ChangeFormats(from, to, [&](CharFormat& f) { f.height = NextFontSize(f.height / 20, delta) * 20; });
  return TRUE;
}

LRESULT TextServices::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETTEXT: {
      const auto* text = reinterpret_cast<LPCWSTR>(lParam);
      const size_t n = text ? std::char_traits<char16_t>::length(text) : 0;
      const auto* bytes = reinterpret_cast<const uint8_t*>(text);
      selMin_ = 0, selMax_ = doc_.size();
      Put(std::span<const uint8_t>(bytes, n * 2), kUtf16CodePage, false);
      selMin_ = selMax_ = 0;
      modified_ = false;
      history_.Clear();
      return TRUE;
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(ExportLineEnds(doc_.text(), true).size());
    case WM_GETTEXT:
      return CopyToBuffer(ExportLineEnds(doc_.text(), true), kUtf16CodePage, reinterpret_cast<void*>(lParam),
                          wParam * 2);
    case EM_SETTEXTEX: {
      const auto* how = reinterpret_cast<const SETTEXTEX*>(wParam);
      const DWORD flags = how ? how->flags : ST_DEFAULT;
      const UINT cp = ResolveCodePage(how ? how->codepage : CP_ACP);
      const auto* data = reinterpret_cast<const uint8_t*>(lParam);
      size_t n = 0;
      if (data) {
        if (cp == kUtf16CodePage) n = std::char_traits<char16_t>::length(reinterpret_cast<const char16_t*>(data)) * 2;
        else n = std::strlen(reinterpret_cast<const char*>(data));
      }
      const bool selection = (flags & ST_SELECTION) != 0;
      // ST_KEEPUNDO makes the change one that can be undone; without it the undo history goes.
      if (flags & ST_KEEPUNDO) Remember();
      else history_.Clear();
      Put(std::span<const uint8_t>(data, n), cp, selection);
      if (!selection) selMin_ = selMax_ = 0;
      return 1;
    }
    case EM_GETTEXTEX: {
      const auto* how = reinterpret_cast<const GETTEXTEX*>(wParam);
      if (!how || !lParam) return 0;
      const std::u16string text = (how->flags & GT_SELECTION) ? Selected() : doc_.text();
      return CopyToBuffer(ExportLineEnds(text, (how->flags & GT_USECRLF) != 0), ResolveCodePage(how->codepage),
                          reinterpret_cast<void*>(lParam), how->cb, how->lpDefaultChar, how->lpUsedDefChar);
    }
    case EM_GETTEXTLENGTHEX: {
      const auto* how = reinterpret_cast<const GETTEXTLENGTHEX*>(wParam);
      const DWORD flags = how ? how->flags : GTL_DEFAULT;
      const std::u16string text = ExportLineEnds(doc_.text(), (flags & GTL_USECRLF) != 0);
      if ((flags & GTL_NUMBYTES) && how) {
        const UINT cp = ResolveCodePage(how->codepage);
        return static_cast<LRESULT>(cp == kUtf16CodePage ? text.size() * 2 : EncodeText(text, cp).size());
      }
      return static_cast<LRESULT>(text.size());
    }
    case EM_STREAMIN:
      return StreamIn(wParam, reinterpret_cast<EDITSTREAM*>(lParam));
    case EM_STREAMOUT:
      return StreamOut(wParam, reinterpret_cast<EDITSTREAM*>(lParam));
    case EM_EXSETSEL: {
      const auto* range = reinterpret_cast<const CHARRANGE*>(lParam);
      if (range) SetSelection(range->cpMin, range->cpMax);
      return static_cast<LRESULT>(selMax_);
    }
    case EM_SETSEL:
      SetSelection(static_cast<LONG>(wParam), static_cast<LONG>(lParam));
      return static_cast<LRESULT>(selMax_);
    case EM_EXGETSEL: {
      auto* range = reinterpret_cast<CHARRANGE*>(lParam);
      if (range) *range = CHARRANGE{static_cast<LONG>(selMin_), static_cast<LONG>(selMax_)};
      return 0;
    }
    case EM_GETSEL:
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(selMin_);
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(selMax_);
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(std::min<size_t>(selMin_, 0xFFFF)),
                                           static_cast<WORD>(std::min<size_t>(selMax_, 0xFFFF))));
    case EM_REPLACESEL: {
      const auto* text = reinterpret_cast<LPCWSTR>(lParam);
      if (!text || (bits_ & TXTBIT_READONLY)) return 0;
      if (wParam) Remember();  // wParam: the replacement can be undone
      PutText(std::u16string(text), true);
      return 0;
    }
    case EM_SETCHARFORMAT: {
      const auto* cf = reinterpret_cast<const CHARFORMATW*>(lParam);
      CharFormat probe;
      if (!ApplyCharFormat(probe, cf)) return 0;
      if (wParam & SCF_ALL) {
        Remember();
        doc_.SetCharFormat(0, doc_.size(), *cf);
        CharFormat d = doc_.DefaultFormat();
        ApplyCharFormat(d, cf);
        doc_.SetDefaultFormat(d);
      } else if (wParam & SCF_SELECTION) {
        if (selMin_ == selMax_) {
          CharFormat f = insertion_ ? *insertion_ : doc_.size() ? doc_.InsertionFormat(selMin_) : doc_.DefaultFormat();
          ApplyCharFormat(f, cf);
          insertion_ = f;
        } else {
          Remember();
          doc_.SetCharFormat(selMin_, selMax_, *cf);
        }
      } else {
        CharFormat d = doc_.DefaultFormat();
        ApplyCharFormat(d, cf);
        doc_.SetDefaultFormat(d);
      }
      return 1;
    }
    case EM_GETCHARFORMAT: {
      auto* cf = reinterpret_cast<CHARFORMATW*>(lParam);
      DWORD same = kCharMask2;
      const CharFormat f = (wParam & SCF_SELECTION)
                               ? (selMin_ == selMax_ && insertion_ ? *insertion_
                                  : doc_.size() ? doc_.GetCharFormat(selMin_, selMax_, &same) : doc_.DefaultFormat())
                               : doc_.DefaultFormat();
      if (!FillCharFormat(f, cf, same)) return 0;
      return static_cast<LRESULT>(cf->dwMask);
    }
    case EM_SETPARAFORMAT: {
      const auto* pf = reinterpret_cast<const PARAFORMAT*>(lParam);
      ParaFormat probe;
      if (!ApplyParaFormat(probe, pf)) return 0;
      Remember();
      doc_.SetParaFormat(selMin_, selMax_, *pf);
      return 1;
    }
    case EM_GETPARAFORMAT: {
      auto* pf = reinterpret_cast<PARAFORMAT*>(lParam);
      DWORD same = kParaMask2;
      const ParaFormat p = doc_.GetParaFormat(selMin_, selMax_, &same);
      if (!FillParaFormat(p, pf, same)) return 0;
      return static_cast<LRESULT>(pf->dwMask);
    }
    case EM_SETZOOM: {
      const auto num = static_cast<LONG>(wParam), den = static_cast<LONG>(lParam);
      if (num == 0 && den == 0) {
        zoomNum_ = zoomDen_ = 0;
        return TRUE;
      }
      if (num <= 0 || den <= 0 || num * 64LL < den || num > den * 64LL) return FALSE;
      zoomNum_ = num, zoomDen_ = den;
      return TRUE;
    }
    case EM_GETZOOM:
      if (wParam) *reinterpret_cast<LONG*>(wParam) = zoomNum_;
      if (lParam) *reinterpret_cast<LONG*>(lParam) = zoomDen_;
      return TRUE;
    case EM_SETFONTSIZE:
      return SetFontSize(static_cast<int>(static_cast<LONG>(wParam)));
    case EM_FORMATRANGE:
      return FormatRange(wParam != 0, reinterpret_cast<const FORMATRANGE*>(lParam));
    case EM_EXLIMITTEXT:
      limit_ = lParam > 0 ? static_cast<size_t>(lParam) : kDefaultLimit;
      return 0;
    case EM_GETLIMITTEXT:
      return static_cast<LRESULT>(std::min<size_t>(limit_, INT32_MAX));
    case EM_SETREADONLY:
      bits_ = wParam ? (bits_ | TXTBIT_READONLY) : (bits_ & ~TXTBIT_READONLY);
      return TRUE;
    case EM_GETMODIFY:
      return modified_ ? TRUE : FALSE;
    case EM_SETMODIFY:
      modified_ = wParam != 0;
      return 0;
    case EM_SETEVENTMASK: {
      const DWORD old = eventMask_;
      eventMask_ = static_cast<DWORD>(lParam);
      return static_cast<LRESULT>(old);
    }
    case EM_GETEVENTMASK:
      return static_cast<LRESULT>(eventMask_);
    case EM_SETUNDOLIMIT:
      history_.SetLimit(static_cast<LONG>(wParam));
      return history_.Limit();
    case EM_UNDO:
      return Undo() ? TRUE : FALSE;
    case EM_CANUNDO:
      return history_.CanUndo() ? TRUE : FALSE;
    case EM_REDO:
      return Redo() ? TRUE : FALSE;
    case EM_CANREDO:
      return history_.CanRedo() ? TRUE : FALSE;
    case EM_EMPTYUNDOBUFFER:
      history_.Clear();
      return 0;
    case EM_SETTEXTMODE:
      // Only an empty document changes its mode.
      if (doc_.size() != 0) return 1;
      if (wParam & TM_PLAINTEXT) textMode_ = (textMode_ & ~TM_RICHTEXT) | TM_PLAINTEXT;
      if (wParam & TM_RICHTEXT) textMode_ = (textMode_ & ~TM_PLAINTEXT) | TM_RICHTEXT;
      bits_ = (textMode_ & TM_RICHTEXT) ? (bits_ | TXTBIT_RICHTEXT) : (bits_ & ~TXTBIT_RICHTEXT);
      return 0;
    case EM_GETTEXTMODE:
      return static_cast<LRESULT>(textMode_);
    case EM_SETOPTIONS:
      options_ = wParam == ECOOP_OR    ? options_ | static_cast<DWORD>(lParam)
                 : wParam == ECOOP_AND ? options_ & static_cast<DWORD>(lParam)
                 : wParam == ECOOP_XOR ? options_ ^ static_cast<DWORD>(lParam)
                                       : static_cast<DWORD>(lParam);
      bits_ = (options_ & ECO_READONLY) ? (bits_ | TXTBIT_READONLY) : (bits_ & ~TXTBIT_READONLY);
      return static_cast<LRESULT>(options_);
    case EM_GETOPTIONS:
      return static_cast<LRESULT>(options_);
    case EM_HIDESELECTION:
      hideSelection_ = wParam != 0;
      return 0;
    case EM_SETBKGNDCOLOR: {
      const COLORREF old = background_ ? *background_ : host_->TxGetSysColor(COLOR_WINDOW);
      if (wParam) background_.reset();
      else background_ = static_cast<COLORREF>(lParam);
      return static_cast<LRESULT>(old);
    }
    case EM_GETLINECOUNT:
      return static_cast<LRESULT>(std::max<size_t>(1, last_.lines.empty() ? doc_.ParagraphCount() : last_.lines.size()));
    case EM_EXLINEFROMCHAR:
    case EM_LINEFROMCHAR: {
      const size_t cp = msg == EM_EXLINEFROMCHAR ? static_cast<size_t>(std::max<LPARAM>(lParam, 0))
                                                 : static_cast<size_t>(std::max<WPARAM>(wParam, 0));
      if (last_.lines.empty()) return static_cast<LRESULT>(doc_.ParagraphOf(std::min(cp, doc_.size())));
      for (size_t i = 0; i < last_.lines.size(); ++i) {
        if (cp < last_.lines[i].end) return static_cast<LRESULT>(i);
      }
      return static_cast<LRESULT>(last_.lines.size() - 1);
    }
    case EM_GETSELTEXT:
      // The caller's buffer has no size here: nothing is copied (EM_GETTEXTEX has one).
      return 0;
    default:
      return 0;
  }
}

HRESULT TextServices::TxDraw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC draw, HDC, LPCRECT bounds, LPCRECT,
                             LPCRECT, BOOL (*)(DWORD_PTR), DWORD_PTR, LONG) {
  if (aspect != DVASPECT_CONTENT || !draw || !bounds) return E_INVALIDARG;
  DcMeasurer m(draw, Zoom());
  LayoutOptions o;
  o.width = std::max<int>(1, std::abs(bounds->right - bounds->left));
  o.wordWrap = (bits_ & TXTBIT_WORDWRAP) != 0;
  last_ = LayOut(doc_, m, o);
  const int saved = SaveDC(draw);
  RECT clip = *bounds;
  if (clip.top > clip.bottom) std::swap(clip.top, clip.bottom);
  IntersectClipRect(draw, clip.left, clip.top, clip.right, clip.bottom);
  TXTBACKSTYLE style = TXTBACK_TRANSPARENT;
  host_->TxGetBackStyle(&style);
  if (style == TXTBACK_OPAQUE) {
    UniqueBrush back(CreateSolidBrush(background_ ? *background_ : host_->TxGetSysColor(COLOR_WINDOW)));
    FillRect(draw, &clip, back.get());
  }
  DrawOptions d;
  d.autoColour = host_->TxGetSysColor(COLOR_WINDOWTEXT);
  if (!hideSelection_ && !(bits_ & TXTBIT_HIDESELECTION)) d.selectionStart = selMin_, d.selectionEnd = selMax_;
  lastOrigin_ = POINT{bounds->left, bounds->top};
  DrawLayout(m, doc_, last_, lastOrigin_, d);
  RestoreDC(draw, saved);
  lastSize_ = SIZE{last_.width, last_.height};
  return S_OK;
}

POINT TextServices::PointFromChar(size_t cp, int* lineHeight) const {
  for (const auto& line : last_.lines) {
    const bool last = &line == &last_.lines.back();
    if (cp >= line.end && !last) continue;
    int x = line.left;
    for (const auto& piece : line.pieces) {
      int px = piece.x;
      for (size_t i = 0; i < piece.length && piece.start + i < cp; ++i) {
        px += piece.advances[i];
        x = px;
      }
    }
    if (lineHeight) *lineHeight = line.height;
    return POINT{lastOrigin_.x + x, lastOrigin_.y + line.top};
  }
  if (lineHeight) *lineHeight = 0;
  return lastOrigin_;
}

size_t TextServices::CharFromPoint(POINT point) const {
  if (last_.lines.empty()) return 0;
  const int y = point.y - lastOrigin_.y, x = point.x - lastOrigin_.x;
  const LaidLine* line = &last_.lines.back();
  for (const auto& l : last_.lines) {
    if (y < l.top + l.height) {
      line = &l;
      break;
    }
  }
  size_t best = line->start;
  for (const auto& piece : line->pieces) {
    int px = piece.x;
    for (size_t i = 0; i < piece.length; ++i) {
      const char16_t c = doc_.text()[piece.start + i];
      if (c == kParagraphMark || c == kLineBreak) return piece.start + i;
      // Past the middle of a character: the caret goes after it.
      if (x < px + piece.advances[i] / 2) return piece.start + i;
      px += piece.advances[i];
      best = piece.start + i + 1;
    }
  }
  if (best < doc_.size() && IsTrailSurrogate(doc_.text()[best])) ++best;
  return std::min(best, doc_.size());
}

size_t TextServices::LineStep(size_t cp, int lines) const {
  if (last_.lines.empty()) return cp;
  int height = 0;
  const POINT at = PointFromChar(cp, &height);
  const int target = at.y + (lines > 0 ? height * lines + height / 2 : height * lines + height / 2);
  if (target < lastOrigin_.y) return 0;
  if (target >= lastOrigin_.y + last_.height) return doc_.size();
  return CharFromPoint(POINT{at.x, target});
}

HRESULT TextServices::TxGetNaturalSize(DWORD aspect, HDC draw, HDC, DVTARGETDEVICE*, DWORD, const SIZE*, LONG* width,
                                       LONG* height) {
  if (aspect != DVASPECT_CONTENT || !width || !height) return E_INVALIDARG;
  HDC dc = draw;
  HDC screen = nullptr;
  if (!dc) dc = screen = GetDC(nullptr);
  if (!dc) return E_FAIL;
  last_ = LayOutFor(dc, static_cast<int>(*width), Zoom());
  if (screen) ReleaseDC(nullptr, screen);
  *height = last_.height;
  *width = last_.width;
  lastSize_ = SIZE{last_.width, last_.height};
  return S_OK;
}

HRESULT TextServices::TxGetText(LPWSTR* text) {
  if (!text) return E_INVALIDARG;
  *text = new WCHAR[doc_.size() + 1];
  std::copy(doc_.text().begin(), doc_.text().end(), *text);
  (*text)[doc_.size()] = 0;
  return S_OK;
}

HRESULT TextServices::TxSetText(LPCWSTR text) {
  Message(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  return S_OK;
}

HRESULT TextServices::TxGetHScroll(LONG* min, LONG* max, LONG* pos, LONG* page, BOOL* enabled) {
  if (min) *min = 0;
  if (max) *max = lastSize_.cx;
  if (pos) *pos = 0;
  if (page) *page = lastSize_.cx;
  if (enabled) *enabled = FALSE;
  return S_OK;
}

HRESULT TextServices::TxGetVScroll(LONG* min, LONG* max, LONG* pos, LONG* page, BOOL* enabled) {
  if (min) *min = 0;
  if (max) *max = lastSize_.cy;
  if (pos) *pos = 0;
  if (page) *page = lastSize_.cy;
  if (enabled) *enabled = FALSE;
  return S_OK;
}

HRESULT TextServices::TxQueryHitPoint(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC, LPCRECT client, INT x, INT y,
                                      DWORD* hit) {
  if (!hit) return E_INVALIDARG;
  *hit = client && x >= client->left && x < client->right && y >= client->top && y < client->bottom ? 1 : 0;
  return S_OK;
}

HRESULT TextServices::TxGetCurTargetX(LONG* x) {
  if (!x) return E_INVALIDARG;
  *x = 0;
  return S_OK;
}

HRESULT TextServices::TxGetBaseLinePos(LONG* pos) {
  if (!pos) return E_INVALIDARG;
  *pos = last_.lines.empty() ? 0 : last_.lines.front().baseline;
  return S_OK;
}

HRESULT TextServices::TxGetDropTarget(void** target) {
  if (target) *target = nullptr;
  return E_NOTIMPL;
}

HRESULT TextServices::OnTxPropertyBitsChange(DWORD mask, DWORD bits) {
  bits_ = (bits_ & ~mask) | (bits & mask);
  if (mask & (TXTBIT_CHARFORMATCHANGE | TXTBIT_PARAFORMATCHANGE)) ReadHostFormats();
  if (mask & TXTBIT_MAXLENGTHCHANGE) {
    DWORD maxLength = 0;
    if (host_->TxGetMaxLength(&maxLength) == S_OK) {
      limit_ = maxLength == static_cast<DWORD>(-1) || maxLength == 0 ? SIZE_MAX : maxLength;
    }
  }
  return S_OK;
}

HRESULT TextServices::TxGetCachedSize(DWORD* width, DWORD* height) {
  if (width) *width = static_cast<DWORD>(lastSize_.cx);
  if (height) *height = static_cast<DWORD>(lastSize_.cy);
  return S_OK;
}

}  // namespace richedit

HRESULT CreateTextServices(IUnknown* outer, ITextHost* host, IUnknown** unknown) {
  if (!unknown) return E_INVALIDARG;
  *unknown = nullptr;
  if (!host) return E_INVALIDARG;
  if (outer) return E_NOTIMPL;  // no aggregation
  *unknown = new richedit::TextServices(host);
  return S_OK;
}
