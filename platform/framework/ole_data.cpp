// Data sources, data objects and drop targets over the ole area's interfaces.
#include "platform/framework/ole_data.h"

#include <vector>

#include "platform/framework/wnd.h"
#include "platform/ole/com_object.h"

namespace {

FORMATETC GlobalFormat(CLIPFORMAT format) { return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

// The standard way to end a drag: Esc or a second button gives up, letting
// the left button go drops.
class ButtonDropSource final : public ComObject<IDropSource, IID_IDropSource> {
 public:
  HRESULT QueryContinueDrag(BOOL escapePressed, DWORD keyState) override {
    if (escapePressed || (keyState & MK_RBUTTON)) return DRAGDROP_S_CANCEL;
    return (keyState & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT GiveFeedback(DROPEFFECT) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

// The blocks by format; each request gets a copy.
class COleDataSource::Data final : public ComObject<IDataObject, IID_IDataObject> {
 public:
  std::vector<std::pair<CLIPFORMAT, HGLOBAL>> blocks;

  HRESULT GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (!format || !medium) return E_POINTER;
    if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
    for (const auto& [cf, block] : blocks)
      if (cf == format->cfFormat) {
        HGLOBAL copy = static_cast<HGLOBAL>(OleDuplicateData(block, 0, 0));
        if (!copy) return E_OUTOFMEMORY;
        *medium = STGMEDIUM{TYMED_HGLOBAL, copy, nullptr};
        return S_OK;
      }
    return DV_E_FORMATETC;
  }
  HRESULT QueryGetData(FORMATETC* format) override {
    if (!format) return E_POINTER;
    if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
    for (const auto& entry : blocks)
      if (entry.first == format->cfFormat) return S_OK;
    return DV_E_FORMATETC;
  }
  HRESULT EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> list;
    for (const auto& entry : blocks) list.push_back(GlobalFormat(entry.first));
    return CreateFormatEnumerator(static_cast<UINT>(list.size()), list.data(), formats);
  }

 protected:
  ~Data() override {
    for (auto& entry : blocks) GlobalFree(entry.second);
  }
};

COleDataSource::COleDataSource() : data_(new Data) {}
COleDataSource::~COleDataSource() { data_->Release(); }

IDataObject* COleDataSource::GetDataObject() const { return data_; }

void COleDataSource::CacheGlobalData(CLIPFORMAT format, HGLOBAL memory) {
  for (auto& entry : data_->blocks)
    if (entry.first == format) {
      GlobalFree(entry.second);
      entry.second = memory;
      return;
    }
  data_->blocks.emplace_back(format, memory);
}

DROPEFFECT COleDataSource::DoDragDrop(DROPEFFECT allowed) {
  auto* source = new ButtonDropSource;
  DROPEFFECT effect = DROPEFFECT_NONE;
  if (::DoDragDrop(data_, source, allowed, &effect) != DRAGDROP_S_DROP) effect = DROPEFFECT_NONE;
  source->Release();
  return effect;
}

bool COleDataSource::SetClipboard() { return SUCCEEDED(OleSetClipboard(data_)); }

void COleDataObject::Attach(IDataObject* data, bool autoRelease) {
  Release();
  data_ = data;
  autoRelease_ = autoRelease;
}

bool COleDataObject::AttachClipboard() {
  IDataObject* data = nullptr;
  if (FAILED(OleGetClipboard(&data))) return false;
  Attach(data, true);
  return true;
}

void COleDataObject::Release() {
  if (data_ && autoRelease_) data_->Release();
  data_ = nullptr;
}

bool COleDataObject::IsDataAvailable(CLIPFORMAT format) const {
  FORMATETC asked = GlobalFormat(format);
  return data_ && data_->QueryGetData(&asked) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT format) const {
  if (!data_) return nullptr;
  FORMATETC asked = GlobalFormat(format);
  STGMEDIUM medium{};
  if (FAILED(data_->GetData(&asked, &medium))) return nullptr;
  if (!medium.pUnkForRelease) return medium.hGlobal;
  HGLOBAL copy = static_cast<HGLOBAL>(OleDuplicateData(medium.hGlobal, 0, 0));
  ReleaseStgMedium(&medium);
  return copy;
}

// Passes the events to its owner while it has one: the registration may
// outlive the owner by the reference a drag in progress holds.
class COleDropTarget::Target final : public ComObject<IDropTarget, IID_IDropTarget> {
 public:
  COleDropTarget* owner = nullptr;
  COleDataObject data;

  HRESULT DragEnter(IDataObject* object, DWORD keyState, POINTL point, DROPEFFECT* effect) override {
    if (!effect) return E_POINTER;
    object->AddRef();
    data.Attach(object, true);
    *effect = owner && owner->window_ ? owner->OnDragEnter(owner->window_, &data, keyState, Client(point))
                                      : DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT DragOver(DWORD keyState, POINTL point, DROPEFFECT* effect) override {
    if (!effect) return E_POINTER;
    *effect = owner && owner->window_ ? owner->OnDragOver(owner->window_, &data, keyState, Client(point))
                                      : DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT DragLeave() override {
    if (owner && owner->window_) owner->OnDragLeave(owner->window_);
    data.Release();
    return S_OK;
  }
  HRESULT Drop(IDataObject* object, DWORD keyState, POINTL point, DROPEFFECT* effect) override {
    if (!effect) return E_POINTER;
    object->AddRef();
    data.Attach(object, true);
    if (owner && owner->window_) {
      // The target chooses once more with the keys held at the drop.
      const CPoint at = Client(point);
      DROPEFFECT chosen = owner->OnDragOver(owner->window_, &data, keyState, at);
      chosen &= *effect;
      if (chosen == DROPEFFECT_NONE || !owner->OnDrop(owner->window_, &data, chosen, at)) chosen = DROPEFFECT_NONE;
      *effect = chosen;
    } else {
      *effect = DROPEFFECT_NONE;
    }
    data.Release();
    return S_OK;
  }

 private:
  CPoint Client(POINTL point) const {
    POINT p{point.x, point.y};
    if (owner && owner->window_) ScreenToClient(owner->window_->m_hWnd, &p);
    return CPoint(p.x, p.y);
  }
};

COleDropTarget::COleDropTarget() : target_(new Target) { target_->owner = this; }

COleDropTarget::~COleDropTarget() {
  Revoke();
  target_->owner = nullptr;
  target_->Release();
}

BOOL COleDropTarget::Register(CWnd* window) {
  if (!window || !window->m_hWnd || window_) return FALSE;
  if (FAILED(RegisterDragDrop(window->m_hWnd, target_))) return FALSE;
  window_ = window;
  return TRUE;
}

void COleDropTarget::Revoke() {
  if (window_ && window_->m_hWnd) RevokeDragDrop(window_->m_hWnd);
  window_ = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
void COleDropTarget::OnDragLeave(CWnd*) {}
BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }
