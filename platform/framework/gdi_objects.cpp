// The drawing classes: owned handles, temporary objects by handle, and the
// device contexts of windows.
#include "platform/framework/gdi_objects.h"

#include <memory>
#include <unordered_map>

#include "platform/framework/resources.h"
#include "platform/framework/wnd.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNCREATE(CPen, CGdiObject)
IMPLEMENT_DYNCREATE(CBrush, CGdiObject)
IMPLEMENT_DYNCREATE(CFont, CGdiObject)
IMPLEMENT_DYNCREATE(CBitmap, CGdiObject)
IMPLEMENT_DYNCREATE(CRgn, CGdiObject)
IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace {

// Temporary objects of this thread, by handle; they never delete their handle.
struct TempGdi {
  ~TempGdi() {
    for (auto& [h, o] : objects) o->m_hObject = nullptr;
    for (auto& [h, d] : dcs) d->m_hDC = d->m_hAttribDC = nullptr;
  }
  std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>> objects;
  std::unordered_map<HDC, std::unique_ptr<CDC>> dcs;
};

TempGdi& Temps() {
  thread_local TempGdi temps;
  return temps;
}

}  // namespace

BOOL CGdiObject::Attach(HGDIOBJ object) {
  if (!object) return FALSE;
  DeleteObject();
  m_hObject = object;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ object = m_hObject;
  m_hObject = nullptr;
  return object;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int index) { return Attach(::GetStockObject(index)); }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ object, const CRuntimeClass* cls) {
  if (!object) return nullptr;
  auto& slot = Temps().objects[object];
  if (!slot || !slot->IsKindOf(cls)) {
    if (slot) slot->m_hObject = nullptr;
    slot.reset(static_cast<CGdiObject*>(cls->CreateObject()));
    slot->m_hObject = object;
  }
  return slot.get();
}

void CGdiObject::DeleteTempMap() {
  auto& objects = Temps().objects;
  for (auto& [h, o] : objects) o->m_hObject = nullptr;
  objects.clear();
}

BOOL CFont::CreatePointFont(int tenthsOfPoint, const char* face, CDC* dc) {
  LOGFONTA lf{};
  HDC screen = dc ? dc->m_hDC : ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  if (!dc) ::ReleaseDC(nullptr, screen);
  lf.lfHeight = -::MulDiv(tenthsOfPoint, dpi, 720);
  lf.lfCharSet = DEFAULT_CHARSET;
  if (face) std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", face);
  return CreateFontIndirect(&lf);
}

BOOL CBitmap::LoadBitmap(UINT id) {
  return Attach(::LoadBitmapA(AfxGetResourceHandle(), reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(id))));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  return Attach(::CreateCompatibleBitmap(dc->m_hDC, width, height));
}

CDC::~CDC() {
  if (m_hDC) ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC dc) {
  if (!dc) return nullptr;
  auto& slot = Temps().dcs[dc];
  if (!slot) {
    slot = std::make_unique<CDC>();
    slot->m_hDC = slot->m_hAttribDC = dc;
  }
  return slot.get();
}

void CDC::DeleteTempMap() {
  auto& dcs = Temps().dcs;
  for (auto& [h, d] : dcs) d->m_hDC = d->m_hAttribDC = nullptr;
  dcs.clear();
}

BOOL CDC::Attach(HDC dc) {
  if (!dc) return FALSE;
  m_hDC = m_hAttribDC = dc;
  return TRUE;
}

HDC CDC::Detach() {
  HDC dc = m_hDC;
  m_hDC = m_hAttribDC = nullptr;
  return dc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) { return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr)); }

BOOL CDC::CreateDC(const char* driver, const char* device, const char* output, const void* init) {
  return Attach(::CreateDCA(driver, device, output, init));
}

BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  return ::DeleteDC(Detach());
}

CGdiObject* CDC::SelectKind(CGdiObject* object, const CRuntimeClass* cls) {
  if (!object) return nullptr;
  return CGdiObject::FromHandle(::SelectObject(m_hDC, object->m_hObject), cls);
}

CGdiObject* CDC::SelectObject(CGdiObject* object) { return SelectKind(object, RUNTIME_CLASS(CGdiObject)); }

CGdiObject* CDC::SelectStockObject(int index) {
  return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(index)), RUNTIME_CLASS(CGdiObject));
}

CFont* CDC::GetCurrentFont() const {
  return static_cast<CFont*>(CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_FONT), RUNTIME_CLASS(CFont)));
}

CPoint CDC::SetViewportOrg(int x, int y) {
  POINT old{};
  ::SetViewportOrgEx(m_hDC, x, y, &old);
  return old;
}
CPoint CDC::GetViewportOrg() const {
  POINT p{};
  ::GetViewportOrgEx(m_hDC, &p);
  return p;
}
CPoint CDC::SetWindowOrg(int x, int y) {
  POINT old{};
  ::SetWindowOrgEx(m_hDC, x, y, &old);
  return old;
}
CPoint CDC::OffsetViewportOrg(int dx, int dy) {
  POINT old{};
  ::OffsetViewportOrgEx(m_hDC, dx, dy, &old);
  return old;
}
CSize CDC::SetViewportExt(int cx, int cy) {
  SIZE old{};
  ::SetViewportExtEx(m_hDC, cx, cy, &old);
  return old;
}
CSize CDC::SetWindowExt(int cx, int cy) {
  SIZE old{};
  ::SetWindowExtEx(m_hDC, cx, cy, &old);
  return old;
}
CPoint CDC::MoveTo(int x, int y) {
  POINT old{};
  ::MoveToEx(m_hDC, x, y, &old);
  return old;
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF colour) {
  const COLORREF old = ::SetBkColor(m_hDC, colour);
  ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
  ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour) {
  const RECT r{x, y, x + cx, y + cy};
  FillSolidRect(&r, colour);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight) {
  Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
  FillSolidRect(x, y, cx - 1, 1, topLeft);
  FillSolidRect(x, y, 1, cy - 1, topLeft);
  FillSolidRect(x + cx, y, -1, cy, bottomRight);
  FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

CSize CDC::GetTextExtent(const char* text, int count) const {
  SIZE size{};
  ::GetTextExtentPoint32A(m_hDC, text, count, &size);
  return size;
}

int CDC::StartDoc(const char* name) {
  DOCINFOA info{};
  info.cbSize = sizeof info;
  info.lpszDocName = name;
  return ::StartDocA(m_hDC, &info);
}

CPaintDC::CPaintDC(CWnd* window) : m_hWnd(window->m_hWnd) { Attach(::BeginPaint(m_hWnd, &m_ps)); }
CPaintDC::~CPaintDC() {
  ::EndPaint(m_hWnd, &m_ps);
  Detach();
}

CClientDC::CClientDC(CWnd* window) : m_hWnd(window ? window->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }
CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* window) : m_hWnd(window ? window->m_hWnd : nullptr) { Attach(::GetWindowDC(m_hWnd)); }
CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }
