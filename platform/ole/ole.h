// Data objects and drag and drop inside the process: a data object offers
// its data in formats (global memory blocks under clipboard format numbers);
// windows register drop targets; DoDragDrop follows the mouse until the
// button comes up, telling the target under the pointer as it enters, moves,
// leaves and drops. The clipboard takes a data object's formats as copies
// (there is no delayed rendering) and gives them back as a data object.
// There is no exchange with other programs' windows: drag and drop with the
// desktop would need the display's own drag protocol (see ole_drag.cpp).
#pragma once

#include "platform/kernel/com_types.h"
#include "platform/kernel/kernel.h"
#include "platform/kernel/types.h"
// POINTL and DVASPECT_CONTENT, which the text services pass as well.
#include "platform/richedit/richedit.h"

using CLIPFORMAT = WORD;
inline constexpr DWORD TYMED_NULL = 0;
inline constexpr DWORD TYMED_HGLOBAL = 1;

struct FORMATETC {
  CLIPFORMAT cfFormat;
  void* ptd;  // target device: always null here
  DWORD dwAspect;
  LONG lindex;
  DWORD tymed;
};

struct STGMEDIUM {
  DWORD tymed;
  HGLOBAL hGlobal;
  IUnknown* pUnkForRelease;
};
// Frees the block of a medium (or releases the object that owns it).
void ReleaseStgMedium(STGMEDIUM* medium);

using DROPEFFECT = DWORD;
inline constexpr DROPEFFECT DROPEFFECT_NONE = 0;
inline constexpr DROPEFFECT DROPEFFECT_COPY = 1;
inline constexpr DROPEFFECT DROPEFFECT_MOVE = 2;
inline constexpr DROPEFFECT DROPEFFECT_LINK = 4;
inline constexpr DROPEFFECT DROPEFFECT_SCROLL = 0x80000000u;

inline constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
inline constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
inline constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;
inline constexpr HRESULT DRAGDROP_E_NOTREGISTERED = static_cast<HRESULT>(0x80040100u);
inline constexpr HRESULT DRAGDROP_E_ALREADYREGISTERED = static_cast<HRESULT>(0x80040101u);
inline constexpr HRESULT DRAGDROP_E_INVALIDHWND = static_cast<HRESULT>(0x80040102u);
inline constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064u);
inline constexpr HRESULT DV_E_TYMED = static_cast<HRESULT>(0x80040069u);
inline constexpr HRESULT CLIPBRD_E_CANT_OPEN = static_cast<HRESULT>(0x800401D0u);

inline constexpr IID IID_IEnumFORMATETC{0x00000103, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IDataObject{0x0000010E, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IDropSource{0x00000121, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IDropTarget{0x00000122, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

class IEnumFORMATETC : public IUnknown {
 public:
  virtual HRESULT Next(ULONG count, FORMATETC* formats, ULONG* fetched) = 0;
  virtual HRESULT Skip(ULONG count) = 0;
  virtual HRESULT Reset() = 0;

 protected:
  ~IEnumFORMATETC() = default;
};

inline constexpr DWORD DATADIR_GET = 1;

class IDataObject : public IUnknown {
 public:
  // A new block holding the data (the caller releases the medium).
  virtual HRESULT GetData(FORMATETC* format, STGMEDIUM* medium) = 0;
  virtual HRESULT QueryGetData(FORMATETC* format) = 0;
  virtual HRESULT EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) = 0;

 protected:
  ~IDataObject() = default;
};

class IDropSource : public IUnknown {
 public:
  // S_OK to go on, DRAGDROP_S_DROP to drop, DRAGDROP_S_CANCEL to give up.
  virtual HRESULT QueryContinueDrag(BOOL escapePressed, DWORD keyState) = 0;
  virtual HRESULT GiveFeedback(DROPEFFECT effect) = 0;

 protected:
  ~IDropSource() = default;
};

class IDropTarget : public IUnknown {
 public:
  virtual HRESULT DragEnter(IDataObject* data, DWORD keyState, POINTL point, DROPEFFECT* effect) = 0;
  virtual HRESULT DragOver(DWORD keyState, POINTL point, DROPEFFECT* effect) = 0;
  virtual HRESULT DragLeave() = 0;
  virtual HRESULT Drop(IDataObject* data, DWORD keyState, POINTL point, DROPEFFECT* effect) = 0;

 protected:
  ~IDropTarget() = default;
};

// The window's drop target (held with a reference until revoked or the
// window is gone). DRAGDROP_E_ALREADYREGISTERED for a second one.
HRESULT RegisterDragDrop(HWND window, IDropTarget* target);
HRESULT RevokeDragDrop(HWND window);
// Follows the mouse (the left button held) until the source says drop or
// cancel: DRAGDROP_S_DROP with the target's effect, or DRAGDROP_S_CANCEL with
// DROPEFFECT_NONE. The effects the targets may choose are limited to `allowed`.
HRESULT DoDragDrop(IDataObject* data, IDropSource* source, DROPEFFECT allowed, DROPEFFECT* effect);
// Empties the clipboard and puts a copy of every global-memory format the
// object offers; null just empties it.
HRESULT OleSetClipboard(IDataObject* data);
// A data object over the clipboard's formats as they are when asked.
HRESULT OleGetClipboard(IDataObject** data);
// A new moveable block (flags 0) with the bytes of a global memory block of
// any format; null when it cannot be read or made.
HANDLE OleDuplicateData(HANDLE source, CLIPFORMAT format, UINT flags);
// A new enumerator over a copy of the formats.
HRESULT CreateFormatEnumerator(UINT count, const FORMATETC* formats, IEnumFORMATETC** enumerator);
