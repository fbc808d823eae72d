// Format enumerators, and media freed by their receiver.
#include <cstring>
#include <vector>

#include "platform/ole/com_object.h"
#include "platform/ole/ole.h"

namespace {

class FormatEnumerator final : public ComObject<IEnumFORMATETC, IID_IEnumFORMATETC> {
 public:
  explicit FormatEnumerator(std::vector<FORMATETC> formats) : formats_(std::move(formats)) {}
  HRESULT Next(ULONG count, FORMATETC* out, ULONG* fetched) override {
    if (!out || (count > 1 && !fetched)) return E_POINTER;
    ULONG n = 0;
    for (; n < count && next_ < formats_.size(); ++n) out[n] = formats_[next_++];
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  HRESULT Skip(ULONG count) override {
    next_ += count;
    if (next_ <= formats_.size()) return S_OK;
    next_ = formats_.size();
    return S_FALSE;
  }
  HRESULT Reset() override {
    next_ = 0;
    return S_OK;
  }

 private:
  std::vector<FORMATETC> formats_;
  size_t next_ = 0;
};

}  // namespace

HRESULT CreateFormatEnumerator(UINT count, const FORMATETC* formats, IEnumFORMATETC** enumerator) {
  if (!enumerator || (count && !formats)) return E_POINTER;
  *enumerator = new FormatEnumerator(std::vector<FORMATETC>(formats, formats + count));
  return S_OK;
}

HANDLE OleDuplicateData(HANDLE source, CLIPFORMAT, UINT flags) {
  HGLOBAL from = static_cast<HGLOBAL>(source);
  const SIZE_T size = GlobalSize(from);
  const void* bytes = GlobalLock(from);
  if (!bytes) return nullptr;
  HGLOBAL copy = GlobalAlloc(flags ? flags : GMEM_MOVEABLE, size);
  if (void* to = copy ? GlobalLock(copy) : nullptr) {
    std::memcpy(to, bytes, size);
    GlobalUnlock(copy);
  }
  GlobalUnlock(from);
  return copy;
}

void ReleaseStgMedium(STGMEDIUM* medium) {
  if (!medium) return;
  if (medium->pUnkForRelease)
    medium->pUnkForRelease->Release();
  else if (medium->tymed == TYMED_HGLOBAL && medium->hGlobal)
    GlobalFree(medium->hGlobal);
  *medium = STGMEDIUM{TYMED_NULL, nullptr, nullptr};
}
