// The text object model's document over the text services, and the
// services' side of it: range edits as undoable steps, freezing.
#include <algorithm>

#include "platform/richedit/plain_text.h"
#include "platform/richedit/text_services.h"

namespace richedit {
namespace {

// A position after [from, to) became `length` characters long.
size_t Shifted(size_t cp, size_t from, size_t to, size_t length) {
  if (cp >= to) return cp - (to - from) + length;
  if (cp > from) return from + length;
  return cp;
}

}  // namespace

bool TextServices::ReplaceRange(size_t from, size_t to, std::u16string_view given, bool undoable) {
  to = std::min(to, doc_.size());
  from = std::min(from, to);
  std::u16string text = ImportLineEnds(given);
  const size_t room = limit_ - std::min(limit_, doc_.size() - (to - from));
  if (text.size() > room) {
    size_t keep = room;
    if (keep > 0 && IsLeadSurrogate(text[keep - 1])) --keep;
    text.resize(keep);
  }
  if (from == to && text.empty()) return false;
  if (undoable) Remember();
  const CharFormat format = doc_.size() == 0 ? doc_.DefaultFormat() : doc_.InsertionFormat(from);
  doc_.Replace(from, to, text, format);
  selMin_ = Shifted(selMin_, from, to, text.size());
  selMax_ = Shifted(selMax_, from, to, text.size());
  modified_ = true;
  ++changes_;
  return true;
}

bool TextServices::ChangeCharFormat(size_t from, size_t to, const CHARFORMAT2W& format) {
  to = std::min(to, doc_.size());
  from = std::min(from, to);
  CharFormat probe;
  if (from == to || !ApplyCharFormat(probe, &format)) return false;
  Remember();
  doc_.SetCharFormat(from, to, reinterpret_cast<const CHARFORMATW&>(format));
  modified_ = true;
  ++changes_;
  return true;
}

bool TextServices::ChangeParaFormat(size_t from, size_t to, const PARAFORMAT2& format) {
  ParaFormat probe;
  if (!ApplyParaFormat(probe, &format)) return false;
  Remember();
  doc_.SetParaFormat(from, to, reinterpret_cast<const PARAFORMAT&>(format));
  modified_ = true;
  ++changes_;
  return true;
}

void TextServices::ClearAll() {
  doc_.Clear();
  selMin_ = selMax_ = 0;
  insertion_.reset();
  history_.Clear();
  modified_ = false;
  ++changes_;
}

LONG TextServices::Unfreeze() {
  if (frozen_ == 0) return 0;
  if (--frozen_ == 0) {
    // What changed while frozen shows now.
    host_->TxViewChange(TRUE);
    host_->TxInvalidateRect(nullptr, FALSE);
  }
  return frozen_;
}

HRESULT TomDocument::QueryInterface(REFIID iid, void** object) { return services_->QueryInterface(iid, object); }
ULONG TomDocument::AddRef() { return services_->AddRef(); }
ULONG TomDocument::Release() { return services_->Release(); }

HRESULT TomDocument::GetName(BSTR* name) {
  if (!name) return E_INVALIDARG;
  *name = nullptr;  // the text was never a file of its own
  return S_FALSE;
}

HRESULT TomDocument::GetSelection(ITextSelection** selection) {
  if (!selection) return E_INVALIDARG;
  const CHARRANGE sel = services_->Selection();
  *selection = NewTomRange(services_, sel.cpMin, sel.cpMax, true);
  return S_OK;
}

HRESULT TomDocument::GetStoryCount(LONG* count) {
  if (!count) return E_INVALIDARG;
  *count = 1;
  return S_OK;
}

HRESULT TomDocument::GetSaved(LONG* saved) {
  if (!saved) return E_INVALIDARG;
  *saved = services_->Modified() ? tomFalse : tomTrue;
  return S_OK;
}

HRESULT TomDocument::SetSaved(LONG saved) {
  if (saved != tomTrue && saved != tomFalse) return E_INVALIDARG;
  services_->SetModified(saved == tomFalse);
  return S_OK;
}

HRESULT TomDocument::New() {
  services_->ClearAll();
  return S_OK;
}

HRESULT TomDocument::Freeze(LONG* count) {
  const LONG n = services_->Freeze();
  if (count) *count = n;
  return S_OK;
}

HRESULT TomDocument::Unfreeze(LONG* count) {
  const LONG n = services_->Unfreeze();
  if (count) *count = n;
  return n == 0 ? S_OK : S_FALSE;
}

HRESULT TomDocument::Undo(LONG count, LONG* done) {
  if (count < 0) return E_INVALIDARG;  // suspending the history is not built
  LONG n = 0;
  while (n < count && services_->UndoStep()) ++n;
  if (done) *done = n;
  return n == count ? S_OK : S_FALSE;
}

HRESULT TomDocument::Redo(LONG count, LONG* done) {
  if (count < 0) return E_INVALIDARG;
  LONG n = 0;
  while (n < count && services_->RedoStep()) ++n;
  if (done) *done = n;
  return n == count ? S_OK : S_FALSE;
}

HRESULT TomDocument::Range(LONG start, LONG end, ITextRange** range) {
  if (!range) return E_INVALIDARG;
  // The two ends may come in either order (the active end and the anchor).
  *range = NewTomRange(services_, std::min(start, end), std::max(start, end), false);
  return S_OK;
}

HRESULT TomDocument::RangeFromPoint(LONG x, LONG y, ITextRange** range) {
  if (!range) return E_INVALIDARG;
  POINT at{x, y};
  services_->ScreenToDrawing(at);
  const auto cp = static_cast<LONG>(services_->CharFromPoint(at));
  *range = NewTomRange(services_, cp, cp, false);
  return S_OK;
}

}  // namespace richedit
