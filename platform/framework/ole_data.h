// The framework's side of data objects: a data source that holds blocks of
// global memory by format and can start a drag or go on the clipboard; a
// data object that reads another's (or the clipboard's) data; and a drop
// target whose events a window class overrides.
#pragma once

#include "platform/framework/geometry.h"
#include "platform/ole/ole.h"
#include "platform/win.h"

class CWnd;

class COleDataSource {
 public:
  COleDataSource();
  ~COleDataSource();
  COleDataSource(const COleDataSource&) = delete;
  COleDataSource& operator=(const COleDataSource&) = delete;

  // Holds the block (its own from now on) under the format, in place of an
  // earlier one of the same format.
  void CacheGlobalData(CLIPFORMAT format, HGLOBAL memory);
  // Drags the data with the left button held: the effect the drop chose, or
  // DROPEFFECT_NONE when it was given up or nothing took it.
  DROPEFFECT DoDragDrop(DROPEFFECT allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE);
  // Puts a copy of every format on the clipboard; the source stays the
  // caller's.
  bool SetClipboard();
  // The data object itself (no reference added).
  IDataObject* GetDataObject() const;

 private:
  class Data;
  Data* data_;
};

class COleDataObject {
 public:
  COleDataObject() = default;
  ~COleDataObject() { Release(); }
  COleDataObject(const COleDataObject&) = delete;
  COleDataObject& operator=(const COleDataObject&) = delete;

  // Reads from `data`; with autoRelease it drops its reference at the end.
  void Attach(IDataObject* data, bool autoRelease = true);
  bool AttachClipboard();
  void Release();
  bool IsDataAvailable(CLIPFORMAT format) const;
  // A new block with the format's data (the caller frees it), or null.
  HGLOBAL GetGlobalData(CLIPFORMAT format) const;

 private:
  IDataObject* data_ = nullptr;
  bool autoRelease_ = false;
};

class COleDropTarget {
 public:
  COleDropTarget();
  virtual ~COleDropTarget();
  COleDropTarget(const COleDropTarget&) = delete;
  COleDropTarget& operator=(const COleDropTarget&) = delete;

  // Takes drops for the window until revoked (or this object is gone).
  virtual BOOL Register(CWnd* window);
  virtual void Revoke();
  CWnd* GetWindow() const { return window_; }

  // The events, with the point in the window's client coordinates.
  virtual DROPEFFECT OnDragEnter(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point);
  virtual DROPEFFECT OnDragOver(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point);
  virtual void OnDragLeave(CWnd* window);
  virtual BOOL OnDrop(CWnd* window, COleDataObject* data, DROPEFFECT effect, CPoint point);

 private:
  class Target;
  Target* target_;
  CWnd* window_ = nullptr;
};
