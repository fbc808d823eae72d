// The clipboard through data objects: setting copies every global-memory
// format the object offers; getting gives an object that reads the
// clipboard's formats when asked.
#include <vector>

#include "platform/ole/com_object.h"
#include "platform/ole/ole.h"
#include "platform/user/clipboard.h"

namespace {

// Opens the clipboard for the span of one operation.
class OpenedClipboard {
 public:
  OpenedClipboard() : open_(OpenClipboard(nullptr) != FALSE) {}
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

bool AsksForGlobalMemory(const FORMATETC* format) {
  return format && (format->tymed & TYMED_HGLOBAL) && format->dwAspect == DVASPECT_CONTENT;
}

class ClipboardDataObject final : public ComObject<IDataObject, IID_IDataObject> {
 public:
  HRESULT GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (!format || !medium) return E_POINTER;
    if (!AsksForGlobalMemory(format)) return DV_E_TYMED;
    OpenedClipboard clipboard;
    if (!clipboard.IsOpen()) return CLIPBRD_E_CANT_OPEN;
    HANDLE block = GetClipboardData(format->cfFormat);
    if (!block) return DV_E_FORMATETC;
    HGLOBAL copy = static_cast<HGLOBAL>(OleDuplicateData(block, format->cfFormat, 0));
    if (!copy) return E_OUTOFMEMORY;
    *medium = STGMEDIUM{TYMED_HGLOBAL, copy, nullptr};
    return S_OK;
  }
  HRESULT QueryGetData(FORMATETC* format) override {
    if (!format) return E_POINTER;
    if (!AsksForGlobalMemory(format)) return DV_E_TYMED;
    return IsClipboardFormatAvailable(format->cfFormat) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> list;
    OpenedClipboard clipboard;
    if (!clipboard.IsOpen()) return CLIPBRD_E_CANT_OPEN;
    for (UINT f = EnumClipboardFormats(0); f != 0; f = EnumClipboardFormats(f))
      list.push_back({static_cast<CLIPFORMAT>(f), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    return CreateFormatEnumerator(static_cast<UINT>(list.size()), list.data(), formats);
  }
};

}  // namespace

HRESULT OleSetClipboard(IDataObject* data) {
  std::vector<FORMATETC> formats;
  if (data) {
    IEnumFORMATETC* list = nullptr;
    if (FAILED(data->EnumFormatEtc(DATADIR_GET, &list)) || !list) return E_FAIL;
    FORMATETC format;
    while (list->Next(1, &format, nullptr) == S_OK)
      if (format.tymed & TYMED_HGLOBAL) formats.push_back(format);
    list->Release();
  }
  OpenedClipboard clipboard;
  if (!clipboard.IsOpen()) return CLIPBRD_E_CANT_OPEN;
  EmptyClipboard();
  for (FORMATETC format : formats) {
    format.tymed = TYMED_HGLOBAL;
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&format, &medium))) continue;
    // The clipboard keeps a block of its own unless the medium is ours to give.
    HGLOBAL block = medium.pUnkForRelease ? static_cast<HGLOBAL>(OleDuplicateData(medium.hGlobal, 0, 0)) : medium.hGlobal;
    if (medium.pUnkForRelease) ReleaseStgMedium(&medium);
    if (block && !SetClipboardData(format.cfFormat, block)) GlobalFree(block);
  }
  return S_OK;
}

HRESULT OleGetClipboard(IDataObject** data) {
  if (!data) return E_POINTER;
  *data = new ClipboardDataObject;
  return S_OK;
}
