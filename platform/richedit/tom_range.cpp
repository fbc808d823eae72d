// Ranges of the text object model, and the fonts and paragraph formats
// seen through them. A range keeps its two positions; text and formats are
// read from the services each time, and its positions are kept inside the
// story as the text changes length.
#include <algorithm>
#include <cmath>
#include <string>

#include "platform/richedit/text_services.h"

namespace richedit {
namespace {

LONG Twips(float points) { return static_cast<LONG>(std::lround(points * 20.0f)); }
float Points(LONG twips) { return static_cast<float>(twips) / 20.0f; }

// The reference count every object of the model shares the shape of.
template <typename Interface>
class Counted : public Interface {
 public:
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~Counted() = default;

 private:
  ULONG references_ = 1;
};

class TomRange;

class TomFont final : public Counted<ITextFont> {
 public:
  explicit TomFont(TomRange* range);
  HRESULT QueryInterface(REFIID iid, void** object) override;
  HRESULT GetBold(LONG* value) override { return Effect(CFM_BOLD, CFE_BOLD, value); }
  HRESULT SetBold(LONG value) override { return SetEffect(CFM_BOLD, CFE_BOLD, value); }
  HRESULT GetItalic(LONG* value) override { return Effect(CFM_ITALIC, CFE_ITALIC, value); }
  HRESULT SetItalic(LONG value) override { return SetEffect(CFM_ITALIC, CFE_ITALIC, value); }
  HRESULT GetUnderline(LONG* value) override;
  HRESULT SetUnderline(LONG value) override;
  HRESULT GetForeColor(LONG* value) override;
  HRESULT SetForeColor(LONG value) override;
  HRESULT GetName(BSTR* name) override;
  HRESULT SetName(BSTR name) override;
  HRESULT GetSize(float* points) override;
  HRESULT SetSize(float points) override;

 private:
  ~TomFont() override;
  CharFormat Read(DWORD* same) const;
  HRESULT Apply(CHARFORMAT2W& format);
  HRESULT Effect(DWORD mask, DWORD effect, LONG* value) const;
  HRESULT SetEffect(DWORD mask, DWORD effect, LONG value);
  TomRange* range_;
};

class TomPara final : public Counted<ITextPara> {
 public:
  explicit TomPara(TomRange* range);
  HRESULT QueryInterface(REFIID iid, void** object) override;
  HRESULT GetAlignment(LONG* value) override;
  HRESULT SetAlignment(LONG value) override;
  HRESULT GetFirstLineIndent(float* points) override;
  HRESULT GetLeftIndent(float* points) override;
  HRESULT GetRightIndent(float* points) override;
  HRESULT SetIndents(float first, float left, float right) override;
  HRESULT GetSpaceBefore(float* points) override;
  HRESULT SetSpaceBefore(float points) override;
  HRESULT GetSpaceAfter(float* points) override;
  HRESULT SetSpaceAfter(float points) override;

 private:
  ~TomPara() override;
  ParaFormat Read() const;
  HRESULT Apply(PARAFORMAT2& format);
  // A measure of the paragraph's format, in points.
  template <class TwipsOf>
  HRESULT GetPoints(float* points, TwipsOf twipsOf) const {
    if (!points) return E_INVALIDARG;
    *points = Points(twipsOf(Read()));
    return S_OK;
  }
  // One measure of the format set from points.
  HRESULT SetPoints(DWORD mask, LONG PARAFORMAT2::*field, float points) {
    PARAFORMAT2 pf{};
    pf.dwMask = mask;
    pf.*field = Twips(points);
    return Apply(pf);
  }
  TomRange* range_;
};

class TomRange final : public Counted<ITextSelection> {
 public:
  TomRange(TextServices* services, LONG start, LONG end, bool selection)
      : services_(services), selection_(selection) {
    services_->AddRef();
    Set(start, end);
  }
  TextServices& services() const { return *services_; }
  // The range's ends, inside the story.
  size_t Start() const { return Ends().first; }
  size_t End() const { return Ends().second; }
  bool IsSelection() const { return selection_; }

  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_ITextRange || (selection_ && iid == IID_ITextSelection)) {
      *object = static_cast<ITextSelection*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT GetText(BSTR* text) override {
    if (!text) return E_INVALIDARG;
    const std::u16string& all = services_->document().text();
    const size_t from = Start(), to = End();
    *text = SysAllocStringLen(all.data() + from, static_cast<UINT>(to - from));
    return *text ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT SetText(BSTR text) override {
    if (services_->ReadOnly()) return E_ACCESSDENIED;
    const size_t from = Start(), to = End(), before = services_->document().size();
    const std::u16string_view given(text ? text : u"", SysStringLen(text));
    services_->ReplaceRange(from, to, given);
    // The range now holds what went in (the limit may have cut it).
    const size_t put = services_->document().size() - (before - (to - from));
    Set(static_cast<LONG>(from), static_cast<LONG>(from + put));
    return S_OK;
  }
  HRESULT GetChar(LONG* ch) override {
    if (!ch) return E_INVALIDARG;
    const std::u16string& all = services_->document().text();
    *ch = Start() < all.size() ? all[Start()] : 0;
    return S_OK;
  }
  HRESULT GetDuplicate(ITextRange** range) override {
    if (!range) return E_INVALIDARG;
    *range = NewTomRange(services_, static_cast<LONG>(Start()), static_cast<LONG>(End()), false);
    return S_OK;
  }
  HRESULT GetStart(LONG* cp) override {
    if (!cp) return E_INVALIDARG;
    *cp = static_cast<LONG>(Start());
    return S_OK;
  }
  HRESULT SetStart(LONG cp) override {
    Set(cp, std::max<LONG>(cp, static_cast<LONG>(End())));
    return S_OK;
  }
  HRESULT GetEnd(LONG* cp) override {
    if (!cp) return E_INVALIDARG;
    *cp = static_cast<LONG>(End());
    return S_OK;
  }
  HRESULT SetEnd(LONG cp) override {
    Set(std::min<LONG>(cp, static_cast<LONG>(Start())), cp);
    return S_OK;
  }
  HRESULT GetFont(ITextFont** font) override {
    if (!font) return E_INVALIDARG;
    *font = new TomFont(this);
    return S_OK;
  }
  HRESULT GetPara(ITextPara** para) override {
    if (!para) return E_INVALIDARG;
    *para = new TomPara(this);
    return S_OK;
  }
  HRESULT GetStoryLength(LONG* count) override {
    if (!count) return E_INVALIDARG;
    *count = static_cast<LONG>(services_->document().size());
    return S_OK;
  }
  HRESULT Collapse(LONG start) override {
    const LONG at = static_cast<LONG>(start ? Start() : End());
    Set(at, at);
    return S_OK;
  }
  HRESULT SetRange(LONG active, LONG other) override {
    Set(std::min(active, other), std::max(active, other));
    return S_OK;
  }
  HRESULT Select() override {
    services_->SetSelectionRange(static_cast<LONG>(Start()), static_cast<LONG>(End()));
    return S_OK;
  }
  HRESULT Delete(LONG unit, LONG count, LONG* deleted) override {
    if (deleted) *deleted = 0;
    if (unit != tomCharacter) return E_NOTIMPL;  // words, lines and the others are not built
    if (services_->ReadOnly()) return E_ACCESSDENIED;
    size_t from = Start(), to = End();
    const size_t size = services_->document().size();
    if (from == to && count != 0) {
      if (count > 0) to = std::min(size, from + static_cast<size_t>(count));
      else from = from - std::min(from, static_cast<size_t>(-static_cast<int64_t>(count)));
    }
    if (from == to) return S_FALSE;
    const size_t gone = to - from;
    services_->ReplaceRange(from, to, u"");
    Set(static_cast<LONG>(from), static_cast<LONG>(from));
    if (deleted) *deleted = static_cast<LONG>(count < 0 ? -static_cast<int64_t>(gone) : static_cast<int64_t>(gone));
    return S_OK;
  }

 private:
  ~TomRange() override { services_->Release(); }
  std::pair<size_t, size_t> Ends() const {
    const size_t size = services_->document().size();
    if (selection_) {
      const CHARRANGE sel = services_->Selection();
      return {std::min<size_t>(sel.cpMin, size), std::min<size_t>(sel.cpMax, size)};
    }
    return {std::min(start_, size), std::min(end_, size)};
  }
  void Set(LONG start, LONG end) {
    const LONG size = static_cast<LONG>(services_->document().size());
    start = std::clamp<LONG>(start, 0, size);
    end = std::clamp<LONG>(end, start, size);
    if (selection_) services_->SetSelectionRange(start, end);
    start_ = static_cast<size_t>(start), end_ = static_cast<size_t>(end);
  }

  TextServices* services_;
  bool selection_;
  size_t start_ = 0, end_ = 0;
};

TomFont::TomFont(TomRange* range) : range_(range) { range_->AddRef(); }
TomFont::~TomFont() { range_->Release(); }

HRESULT TomFont::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_ITextFont) {
    *object = static_cast<ITextFont*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

CharFormat TomFont::Read(DWORD* same) const {
  return range_->services().document().GetCharFormat(range_->Start(), range_->End(), same);
}

HRESULT TomFont::Apply(CHARFORMAT2W& format) {
  if (range_->services().ReadOnly()) return E_ACCESSDENIED;
  format.cbSize = sizeof format;
  if (range_->Start() == range_->End()) {
    // An empty range: the format of what is typed there, when it is the selection.
    if (!range_->IsSelection()) return S_FALSE;
    LRESULT done = 0;
    range_->services().TxSendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format), &done);
    return S_OK;
  }
  range_->services().ChangeCharFormat(range_->Start(), range_->End(), format);
  return S_OK;
}

HRESULT TomFont::Effect(DWORD mask, DWORD effect, LONG* value) const {
  if (!value) return E_INVALIDARG;
  DWORD same = 0;
  const CharFormat f = Read(&same);
  *value = !(same & mask) ? tomUndefined : f.Has(effect) ? tomTrue : tomFalse;
  return S_OK;
}

HRESULT TomFont::SetEffect(DWORD mask, DWORD effect, LONG value) {
  if (value != tomTrue && value != tomFalse && value != tomToggle) return E_INVALIDARG;
  bool on = value == tomTrue;
  if (value == tomToggle) {
    LONG now = tomFalse;
    Effect(mask, effect, &now);
    on = now != tomTrue;
  }
  CHARFORMAT2W cf{};
  cf.dwMask = mask;
  cf.dwEffects = on ? effect : 0;
  return Apply(cf);
}

HRESULT TomFont::GetUnderline(LONG* value) { return Effect(CFM_UNDERLINE, CFE_UNDERLINE, value); }

HRESULT TomFont::SetUnderline(LONG value) {
  if (value == tomSingle) value = tomTrue;
  else if (value == tomNone) value = tomFalse;
  return SetEffect(CFM_UNDERLINE, CFE_UNDERLINE, value);
}

HRESULT TomFont::GetForeColor(LONG* value) {
  if (!value) return E_INVALIDARG;
  DWORD same = 0;
  const CharFormat f = Read(&same);
  *value = !(same & CFM_COLOR) ? tomUndefined : f.Has(CFE_AUTOCOLOR) ? tomAutoColor : static_cast<LONG>(f.colour);
  return S_OK;
}

HRESULT TomFont::SetForeColor(LONG value) {
  CHARFORMAT2W cf{};
  cf.dwMask = CFM_COLOR;
  if (value == tomAutoColor) cf.dwEffects = CFE_AUTOCOLOR;
  else if (value < 0) return E_INVALIDARG;
  else cf.crTextColor = static_cast<COLORREF>(value);
  return Apply(cf);
}

HRESULT TomFont::GetName(BSTR* name) {
  if (!name) return E_INVALIDARG;
  DWORD same = 0;
  const CharFormat f = Read(&same);
  *name = (same & CFM_FACE) ? SysAllocStringLen(f.face.data(), static_cast<UINT>(f.face.size()))
                            : SysAllocString(u"");
  return *name ? S_OK : E_OUTOFMEMORY;
}

HRESULT TomFont::SetName(BSTR name) {
  const UINT length = SysStringLen(name);
  if (!name || length == 0 || length >= LF_FACESIZE_RICHEDIT) return E_INVALIDARG;
  CHARFORMAT2W cf{};
  cf.dwMask = CFM_FACE;
  std::copy(name, name + length, cf.szFaceName);
  return Apply(cf);
}

HRESULT TomFont::GetSize(float* points) {
  if (!points) return E_INVALIDARG;
  DWORD same = 0;
  const CharFormat f = Read(&same);
  *points = (same & CFM_SIZE) ? Points(f.height) : static_cast<float>(tomUndefined);
  return S_OK;
}

HRESULT TomFont::SetSize(float points) {
  if (!(points > 0.0f) || points > 1638.0f) return E_INVALIDARG;
  CHARFORMAT2W cf{};
  cf.dwMask = CFM_SIZE;
  cf.yHeight = Twips(points);
  return Apply(cf);
}

TomPara::TomPara(TomRange* range) : range_(range) { range_->AddRef(); }
TomPara::~TomPara() { range_->Release(); }

HRESULT TomPara::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_ITextPara) {
    *object = static_cast<ITextPara*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ParaFormat TomPara::Read() const {
  return range_->services().document().GetParaFormat(range_->Start(), range_->End(), nullptr);
}

HRESULT TomPara::Apply(PARAFORMAT2& format) {
  if (range_->services().ReadOnly()) return E_ACCESSDENIED;
  format.cbSize = sizeof format;
  range_->services().ChangeParaFormat(range_->Start(), range_->End(), format);
  return S_OK;
}

// The model's alignments and the paragraph format's, in the same order.
constexpr WORD kAlignments[] = {PFA_LEFT, PFA_CENTER, PFA_RIGHT, PFA_JUSTIFY};

HRESULT TomPara::GetAlignment(LONG* value) {
  if (!value) return E_INVALIDARG;
  const WORD a = Read().alignment;
  *value = tomAlignLeft;
  for (LONG i = 0; i < 4; ++i)
    if (kAlignments[i] == a) *value = i;
  return S_OK;
}

HRESULT TomPara::SetAlignment(LONG value) {
  if (value < tomAlignLeft || value > tomAlignJustify) return E_INVALIDARG;
  PARAFORMAT2 pf{};
  pf.dwMask = PFM_ALIGNMENT;
  pf.wAlignment = kAlignments[value];
  return Apply(pf);
}

// The model's first-line indent is the first line's against the others;
// its left indent is the other lines' (the paragraph format's start indent
// is the first line's, its offset the others' against it).
HRESULT TomPara::GetFirstLineIndent(float* points) {
  return GetPoints(points, [](const ParaFormat& f) { return -f.offset; });
}

HRESULT TomPara::GetLeftIndent(float* points) {
  return GetPoints(points, [](const ParaFormat& f) { return f.OtherIndent(); });
}

HRESULT TomPara::GetRightIndent(float* points) {
  return GetPoints(points, [](const ParaFormat& f) { return f.rightIndent; });
}

HRESULT TomPara::SetIndents(float first, float left, float right) {
  PARAFORMAT2 pf{};
  pf.dwMask = PFM_STARTINDENT | PFM_OFFSET | PFM_RIGHTINDENT;
  pf.dxStartIndent = Twips(left + first);
  pf.dxOffset = -Twips(first);
  pf.dxRightIndent = Twips(right);
  return Apply(pf);
}

HRESULT TomPara::GetSpaceBefore(float* points) {
  return GetPoints(points, [](const ParaFormat& f) { return f.spaceBefore; });
}

HRESULT TomPara::SetSpaceBefore(float points) { return SetPoints(PFM_SPACEBEFORE, &PARAFORMAT2::dySpaceBefore, points); }

HRESULT TomPara::GetSpaceAfter(float* points) {
  return GetPoints(points, [](const ParaFormat& f) { return f.spaceAfter; });
}

HRESULT TomPara::SetSpaceAfter(float points) { return SetPoints(PFM_SPACEAFTER, &PARAFORMAT2::dySpaceAfter, points); }

}  // namespace

ITextSelection* NewTomRange(TextServices* services, LONG start, LONG end, bool selection) {
  return new TomRange(services, start, end, selection);
}

}  // namespace richedit
