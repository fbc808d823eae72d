// The framework's drawing classes: CGdiObject and its kinds own their handle
// (deleted with the object unless detached); CDC wraps a device context,
// CPaintDC/CClientDC/CWindowDC get and give back a window's. FromHandle
// makes a temporary object for a handle it does not own.
#pragma once

#include "platform/framework/cstring.h"
#include "platform/framework/geometry.h"
#include "platform/framework/object.h"
#include "platform/win.h"

class CWnd;

class CGdiObject : public CObject {
  DECLARE_DYNCREATE(CGdiObject)

 public:
  CGdiObject() = default;
  ~CGdiObject() override { DeleteObject(); }
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  HGDIOBJ m_hObject = nullptr;
  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  BOOL Attach(HGDIOBJ object);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  int GetObject(int size, void* buffer) const { return ::GetObjectA(m_hObject, size, buffer); }
  BOOL CreateStockObject(int index);
  // A temporary object of the class (deleted at idle time, never deleting the handle).
  static CGdiObject* FromHandle(HGDIOBJ object, const CRuntimeClass* cls = RUNTIME_CLASS(CGdiObject));
  static void DeleteTempMap();
};

class CPen : public CGdiObject {
  DECLARE_DYNCREATE(CPen)

 public:
  CPen() = default;
  CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
  BOOL CreatePen(int style, int width, COLORREF colour) { return Attach(::CreatePen(style, width, colour)); }
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }  // NOLINT
  static CPen* FromHandle(HPEN pen) { return static_cast<CPen*>(CGdiObject::FromHandle(pen, RUNTIME_CLASS(CPen))); }
};

class CBrush : public CGdiObject {
  DECLARE_DYNCREATE(CBrush)

 public:
  CBrush() = default;
  explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
  BOOL CreateSolidBrush(COLORREF colour) { return Attach(::CreateSolidBrush(colour)); }
  BOOL CreateHatchBrush(int index, COLORREF colour) { return Attach(::CreateHatchBrush(index, colour)); }
  BOOL CreatePatternBrush(HBITMAP bitmap) { return Attach(::CreatePatternBrush(bitmap)); }
  BOOL CreateSysColorBrush(int index) { return Attach(::CreateSolidBrush(::GetSysColor(index))); }
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }  // NOLINT
  static CBrush* FromHandle(HBRUSH brush) {
    return static_cast<CBrush*>(CGdiObject::FromHandle(brush, RUNTIME_CLASS(CBrush)));
  }
};

class CFont : public CGdiObject {
  DECLARE_DYNCREATE(CFont)

 public:
  BOOL CreateFontIndirect(const LOGFONTA* font) { return Attach(::CreateFontIndirectA(font)); }
  BOOL CreatePointFont(int tenthsOfPoint, const char* face, class CDC* dc = nullptr);
  int GetLogFont(LOGFONTA* font) const { return GetObject(sizeof(LOGFONTA), font); }
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }  // NOLINT
  static CFont* FromHandle(HFONT font) { return static_cast<CFont*>(CGdiObject::FromHandle(font, RUNTIME_CLASS(CFont))); }
};

class CBitmap : public CGdiObject {
  DECLARE_DYNCREATE(CBitmap)

 public:
  BOOL LoadBitmap(UINT id);
  BOOL CreateCompatibleBitmap(class CDC* dc, int width, int height);
  BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
  }
  int GetBitmap(BITMAP* info) const { return GetObject(sizeof(BITMAP), info); }
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }  // NOLINT
  static CBitmap* FromHandle(HBITMAP bitmap) {
    return static_cast<CBitmap*>(CGdiObject::FromHandle(bitmap, RUNTIME_CLASS(CBitmap)));
  }
};

class CRgn : public CGdiObject {
  DECLARE_DYNCREATE(CRgn)

 public:
  BOOL CreateRectRgn(int l, int t, int r, int b) { return Attach(::CreateRectRgn(l, t, r, b)); }
  BOOL CreateRectRgnIndirect(LPCRECT rect) { return Attach(::CreateRectRgnIndirect(rect)); }
  BOOL CreateEllipticRgn(int l, int t, int r, int b) { return Attach(::CreateEllipticRgn(l, t, r, b)); }
  int CombineRgn(const CRgn* a, const CRgn* b, int mode) {
    return ::CombineRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(a->m_hObject),
                        b ? static_cast<HRGN>(b->m_hObject) : nullptr, mode);
  }
  BOOL PtInRegion(POINT p) const { return ::PtInRegion(static_cast<HRGN>(m_hObject), p.x, p.y); }
  int GetRgnBox(LPRECT rect) const { return ::GetRgnBox(static_cast<HRGN>(m_hObject), rect); }
  operator HRGN() const { return static_cast<HRGN>(m_hObject); }  // NOLINT
  static CRgn* FromHandle(HRGN region) { return static_cast<CRgn*>(CGdiObject::FromHandle(region, RUNTIME_CLASS(CRgn))); }
};

class CDC : public CObject {
  DECLARE_DYNCREATE(CDC)

 public:
  CDC() = default;
  ~CDC() override;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC m_hDC = nullptr;
  HDC m_hAttribDC = nullptr;
  BOOL m_bPrinting = FALSE;
  operator HDC() const { return m_hDC; }  // NOLINT
  HDC GetSafeHdc() const { return m_hDC; }
  static CDC* FromHandle(HDC dc);
  static void DeleteTempMap();
  BOOL Attach(HDC dc);
  HDC Detach();
  BOOL CreateCompatibleDC(CDC* dc);
  BOOL CreateDC(const char* driver, const char* device, const char* output, const void* init);
  BOOL DeleteDC();
  BOOL IsPrinting() const { return m_bPrinting; }
  int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }
  int SaveDC() { return ::SaveDC(m_hDC); }
  BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }

  CGdiObject* SelectObject(CGdiObject* object);
  CPen* SelectObject(CPen* pen) { return static_cast<CPen*>(SelectKind(pen, RUNTIME_CLASS(CPen))); }
  CBrush* SelectObject(CBrush* brush) { return static_cast<CBrush*>(SelectKind(brush, RUNTIME_CLASS(CBrush))); }
  CFont* SelectObject(CFont* font) { return static_cast<CFont*>(SelectKind(font, RUNTIME_CLASS(CFont))); }
  CBitmap* SelectObject(CBitmap* bitmap) { return static_cast<CBitmap*>(SelectKind(bitmap, RUNTIME_CLASS(CBitmap))); }
  int SelectObject(CRgn* region) { return ::SelectClipRgn(m_hDC, region ? static_cast<HRGN>(region->m_hObject) : nullptr); }
  CGdiObject* SelectStockObject(int index);
  CFont* GetCurrentFont() const;

  COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
  COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
  COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
  COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
  int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
  UINT SetTextAlign(UINT flags) { return ::SetTextAlign(m_hDC, flags); }
  int SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }
  int GetMapMode() const { return ::GetMapMode(m_hDC); }
  CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
  CPoint GetViewportOrg() const;
  CPoint SetWindowOrg(int x, int y);
  CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
  CPoint OffsetViewportOrg(int dx, int dy);
  CSize SetViewportExt(int cx, int cy);
  CSize SetWindowExt(int cx, int cy);
  CSize SetViewportExt(SIZE s) { return SetViewportExt(s.cx, s.cy); }
  CSize SetWindowExt(SIZE s) { return SetWindowExt(s.cx, s.cy); }
  void LPtoDP(LPPOINT points, int count = 1) const { ::LPtoDP(m_hDC, points, count); }
  void DPtoLP(LPPOINT points, int count = 1) const { ::DPtoLP(m_hDC, points, count); }
  void LPtoDP(LPRECT rect) const { ::LPtoDP(m_hDC, reinterpret_cast<LPPOINT>(rect), 2); }
  void DPtoLP(LPRECT rect) const { ::DPtoLP(m_hDC, reinterpret_cast<LPPOINT>(rect), 2); }

  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
  BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
  BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
  BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
  BOOL Rectangle(LPCRECT r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
  BOOL Ellipse(int l, int t, int r, int b) { return ::Ellipse(m_hDC, l, t, r, b); }
  BOOL Ellipse(LPCRECT r) { return Ellipse(r->left, r->top, r->right, r->bottom); }
  BOOL RoundRect(int l, int t, int r, int b, int w, int h) { return ::RoundRect(m_hDC, l, t, r, b, w, h); }
  BOOL Polygon(const POINT* points, int count) { return ::Polygon(m_hDC, points, count); }
  BOOL Polyline(const POINT* points, int count) { return ::Polyline(m_hDC, points, count); }
  void FillRect(LPCRECT rect, CBrush* brush) { ::FillRect(m_hDC, rect, static_cast<HBRUSH>(brush->m_hObject)); }
  void FrameRect(LPCRECT rect, CBrush* brush) { ::FrameRect(m_hDC, rect, static_cast<HBRUSH>(brush->m_hObject)); }
  void InvertRect(LPCRECT rect) { ::InvertRect(m_hDC, rect); }
  void FillSolidRect(LPCRECT rect, COLORREF colour);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
  void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
  void DrawFocusRect(LPCRECT rect) { ::DrawFocusRect(m_hDC, rect); }
  COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
  COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
  BOOL PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }
  BOOL BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, sx, sy, rop);
  }
  BOOL StretchBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh, DWORD rop) {
    return ::StretchBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, sx, sy, sw, sh, rop);
  }
  BOOL TextOut(int x, int y, const char* text, int count) { return ::TextOutA(m_hDC, x, y, text, count); }
  BOOL TextOut(int x, int y, const CString& text) { return TextOut(x, y, text, text.GetLength()); }
  int DrawText(const char* text, int count, LPRECT rect, UINT format) {
    return ::DrawTextA(m_hDC, text, count, rect, format);
  }
  int DrawText(const CString& text, LPRECT rect, UINT format) {
    return DrawText(text, text.GetLength(), rect, format);
  }
  CSize GetTextExtent(const char* text, int count) const;
  CSize GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
  BOOL GetTextMetrics(TEXTMETRICA* metrics) const { return ::GetTextMetricsA(m_hDC, metrics); }
  int IntersectClipRect(int l, int t, int r, int b) { return ::IntersectClipRect(m_hDC, l, t, r, b); }
  int IntersectClipRect(LPCRECT r) { return IntersectClipRect(r->left, r->top, r->right, r->bottom); }
  int ExcludeClipRect(LPCRECT r) { return ::ExcludeClipRect(m_hDC, r->left, r->top, r->right, r->bottom); }
  int SelectClipRgn(CRgn* region) { return SelectObject(region); }
  int GetClipBox(LPRECT rect) const { return ::GetClipBox(m_hDC, rect); }
  BOOL RectVisible(LPCRECT rect) const { return ::RectVisible(m_hDC, rect); }

  // Printing.
  int StartDoc(const char* name);
  int StartPage() { return ::StartPage(m_hDC); }
  int EndPage() { return ::EndPage(m_hDC); }
  int EndDoc() { return ::EndDoc(m_hDC); }
  int AbortDoc() { return ::AbortDoc(m_hDC); }

 private:
  CGdiObject* SelectKind(CGdiObject* object, const CRuntimeClass* cls);
};

class CPaintDC : public CDC {
  DECLARE_DYNAMIC(CPaintDC)

 public:
  explicit CPaintDC(CWnd* window);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps{};

 private:
  HWND m_hWnd;
};

class CClientDC : public CDC {
  DECLARE_DYNAMIC(CClientDC)

 public:
  explicit CClientDC(CWnd* window);
  ~CClientDC() override;

 private:
  HWND m_hWnd;
};

class CWindowDC : public CDC {
  DECLARE_DYNAMIC(CWindowDC)

 public:
  explicit CWindowDC(CWnd* window);
  ~CWindowDC() override;

 private:
  HWND m_hWnd;
};
