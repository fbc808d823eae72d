// CImageList: owns an image list of the common controls (deleted with the
// object unless detached) and calls it with the framework's bitmaps and
// device contexts.
#pragma once

#include "platform/framework/gdi_objects.h"
#include "platform/framework/geometry.h"

class CImageList : public CObject {
  DECLARE_DYNCREATE(CImageList)

 public:
  CImageList() = default;
  ~CImageList() override;
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  HIMAGELIST m_hImageList = nullptr;
  operator HIMAGELIST() const { return m_hImageList; }  // NOLINT: the framework's handle conversion
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }

  // Empty images of cx by cy (any list held before goes first).
  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  // From a bitmap resource cut into cx-wide images; pixels of `mask`
  // become transparent (CLR_NONE: none do).
  BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
  BOOL Create(const char* bitmapName, int cx, int grow, COLORREF mask);
  BOOL Attach(HIMAGELIST list);
  HIMAGELIST Detach();
  BOOL DeleteImageList();

  int GetImageCount() const { return ::ImageList_GetImageCount(m_hImageList); }
  BOOL SetImageCount(UINT count) { return ::ImageList_SetImageCount(m_hImageList, count); }
  BOOL GetImageInfo(int index, IMAGEINFO* info) const { return ::ImageList_GetImageInfo(m_hImageList, index, info); }
  BOOL GetIconSize(int& cx, int& cy) const { return ::ImageList_GetIconSize(m_hImageList, &cx, &cy); }
  int Add(CBitmap* image, CBitmap* mask);
  int Add(CBitmap* image, COLORREF mask);
  int Add(HICON icon) { return ::ImageList_AddIcon(m_hImageList, icon); }
  BOOL Replace(int index, CBitmap* image, CBitmap* mask);
  int Replace(int index, HICON icon) { return ::ImageList_ReplaceIcon(m_hImageList, index, icon); }
  BOOL Remove(int index) { return ::ImageList_Remove(m_hImageList, index); }
  COLORREF SetBkColor(COLORREF colour) { return ::ImageList_SetBkColor(m_hImageList, colour); }
  COLORREF GetBkColor() const { return ::ImageList_GetBkColor(m_hImageList); }
  BOOL Draw(CDC* dc, int index, POINT at, UINT style);
  HICON ExtractIcon(int index) { return ::ImageList_GetIcon(m_hImageList, index, ILD_NORMAL); }
};
