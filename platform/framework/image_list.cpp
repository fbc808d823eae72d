// The framework's image list.
#include "platform/framework/image_list.h"

#include "platform/framework/resources.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
  DeleteImageList();
  return Attach(::ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask) {
  return Create(MAKEINTRESOURCEA(bitmapId), cx, grow, mask);
}

BOOL CImageList::Create(const char* bitmapName, int cx, int grow, COLORREF mask) {
  DeleteImageList();
  return Attach(::ImageList_LoadImageA(AfxGetResourceHandle(), bitmapName, cx, grow, mask, static_cast<UINT>(IMAGE_BITMAP),
                                       LR_DEFAULTCOLOR));
}

BOOL CImageList::Attach(HIMAGELIST list) {
  if (!list || m_hImageList) return FALSE;
  m_hImageList = list;
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST list = m_hImageList;
  m_hImageList = nullptr;
  return list;
}

BOOL CImageList::DeleteImageList() {
  if (!m_hImageList) return FALSE;
  return ::ImageList_Destroy(Detach());
}

int CImageList::Add(CBitmap* image, CBitmap* mask) {
  if (!image) return -1;
  return ::ImageList_Add(m_hImageList, *image, mask ? static_cast<HBITMAP>(*mask) : nullptr);
}

int CImageList::Add(CBitmap* image, COLORREF mask) {
  if (!image) return -1;
  return ::ImageList_AddMasked(m_hImageList, *image, mask);
}

BOOL CImageList::Replace(int index, CBitmap* image, CBitmap* mask) {
  if (!image) return FALSE;
  return ::ImageList_Replace(m_hImageList, index, *image, mask ? static_cast<HBITMAP>(*mask) : nullptr);
}

BOOL CImageList::Draw(CDC* dc, int index, POINT at, UINT style) {
  if (!dc) return FALSE;
  return ::ImageList_Draw(m_hImageList, index, dc->m_hDC, at.x, at.y, style);
}
