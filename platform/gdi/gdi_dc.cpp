// Device contexts: creation (memory, screen, printer, information), their
// table, capabilities, saved states, attributes and object selection.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <strings.h>
#include <unordered_set>
#include <utility>

#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/print_document.h"
#include "platform/kernel/kernel_errors.h"

namespace gdi {
namespace {

// Device contexts live in the platform's handle table, so a deleted one's
// handle never comes back as a newer context.
struct DcTable {
  HDC Add(std::shared_ptr<DeviceContext> dc) { return handles::Create<HDC>(HandleKind::Dc, std::move(dc)); }
  std::shared_ptr<DeviceContext> Find(HDC dc) { return handles::Lookup<DeviceContext>(dc, HandleKind::Dc); }
  bool Remove(HDC dc) { return handles::Destroy(dc, HandleKind::Dc); }
};

DcTable Dcs() { return {}; }

struct PrinterRegistry {
  std::mutex mutex;
  std::map<std::string, PrinterSettings> printers{{kBuiltInPrinter, PrinterSettings{}}};
};
PrinterRegistry& Printers() {
  static PrinterRegistry* registry = new PrinterRegistry;
  return *registry;
}

std::atomic<WindowDcFactory> g_windowDcFactory{nullptr};
std::atomic<DocumentOpener> g_documentOpener{nullptr};
std::atomic<PrinterSettingsSource> g_settingsSource{nullptr};
thread_local std::string t_printError;
// Both halves in one word, so that a reader never sees half a change.
std::atomic<uint64_t> g_screenSize{(uint64_t{kScreenWidth} << 32) | kScreenHeight};

std::shared_ptr<Bitmap> ScreenSurface() {
  static std::shared_ptr<Bitmap> screen = [] {
    auto b = Bitmap::Make(kScreenWidth, kScreenHeight, 32, false);
    b->stock = true;
    return b;
  }();
  return screen;
}

void SelectDefaults(DcState& s) {
  s.penHandle = static_cast<HPEN>(GetStockObject(BLACK_PEN));
  s.pen = FindPen(s.penHandle);
  s.brushHandle = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  s.brush = FindBrush(s.brushHandle);
  s.fontHandle = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  s.font = FindFont(s.fontHandle);
  s.paletteHandle = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  s.palette = Find<Palette>(s.paletteHandle, ObjectKind::Palette);
}

std::shared_ptr<DeviceContext> NewDc(DcKind kind) {
  auto dc = std::make_shared<DeviceContext>();
  dc->kind = kind;
  SelectDefaults(dc->state);
  if (kind == DcKind::Memory) {
    dc->state.bitmapHandle = StockBitmap();
    dc->state.bitmap = FindBitmap(dc->state.bitmapHandle);
  }
  return dc;
}

// What a printer device context was made with and the document it prints
// into, by handle (handles are never reused).
struct PrinterJobState {
  JobSettings job;
  std::unique_ptr<PrintDocument> document;
};
struct PrinterJobs {
  std::mutex mutex;
  std::map<HDC, PrinterJobState> byDc;
};
PrinterJobs& Jobs() {
  static PrinterJobs* jobs = new PrinterJobs;
  return *jobs;
}

HDC NewPrinterDc(const std::string& name, bool information, const void* devMode) {
  auto settings = FindPrinterSettings(name);
  JobSettings job;
  if (!settings)
    if (PrinterSettingsSource source = g_settingsSource.load())
      if (auto queue = source(name, devMode)) {
        settings = queue->device;
        job = queue->job;
      }
  if (!settings) return nullptr;
  auto dc = NewDc(information ? DcKind::Info : DcKind::Printer);
  dc->deviceName = name;
  dc->dpiX = settings->dpiX;
  dc->dpiY = settings->dpiY;
  dc->physicalSize = settings->page;
  dc->physicalOffset = settings->printableOffset;
  dc->printableSize = settings->printable;
  HDC handle = Dcs().Add(std::move(dc));
  if (handle && !information) {
    std::lock_guard hold(Jobs().mutex);
    Jobs().byDc[handle].job = job;
  }
  return handle;
}

bool IsDisplayName(LPCSTR name) { return name && strcasecmp(name, "DISPLAY") == 0; }

}  // namespace

SIZE ScreenSize() {
  const uint64_t both = g_screenSize.load();
  return SIZE{static_cast<LONG>(both >> 32), static_cast<LONG>(both & 0xFFFFFFFFu)};
}

void SetScreenSize(SIZE size) {
  if (size.cx <= 0 || size.cy <= 0) size = SIZE{kScreenWidth, kScreenHeight};
  g_screenSize.store((static_cast<uint64_t>(size.cx) << 32) | static_cast<uint32_t>(size.cy));
}

std::shared_ptr<DeviceContext> FindDC(HDC dc) { return Dcs().Find(dc); }

HDC CreateSurfaceDC(std::shared_ptr<Bitmap> surface, POINT origin, std::optional<SpanRegion> visible, HWND window) {
  auto dc = NewDc(DcKind::Window);
  dc->surface = std::move(surface);
  dc->surfaceOrigin = origin;
  dc->surfaceClip = std::move(visible);
  dc->window = window;
  return Dcs().Add(std::move(dc));
}

std::vector<std::shared_ptr<Bitmap>> TakePrintedPages(HDC handle) {
  auto dc = FindDC(handle);
  if (!dc) return {};
  return std::exchange(dc->pages, {});
}

void SetWindowDcFactory(WindowDcFactory factory) { g_windowDcFactory.store(factory); }
void SetDocumentOpener(DocumentOpener opener) { g_documentOpener.store(opener); }
void SetPrinterSettingsSource(PrinterSettingsSource source) { g_settingsSource.store(source); }
const std::string& LastPrintError() { return t_printError; }

void RegisterPrinterSettings(const std::string& name, const PrinterSettings& settings) {
  std::lock_guard lock(Printers().mutex);
  Printers().printers[name] = settings;
}

std::optional<PrinterSettings> FindPrinterSettings(const std::string& name) {
  std::lock_guard lock(Printers().mutex);
  for (const auto& [key, value] : Printers().printers)
    if (strcasecmp(key.c_str(), name.c_str()) == 0) return value;
  return std::nullopt;
}

std::string DefaultPrinterName() { return kBuiltInPrinter; }

SpanRegion DeviceContext::EffectiveClip() const {
  const Bitmap* target = Target();
  if (!target) return {};
  SpanRegion clip = SpanRegion::FromRect(-surfaceOrigin.x, -surfaceOrigin.y, target->width - surfaceOrigin.x,
                                         target->height - surfaceOrigin.y);
  if (surfaceClip) {
    SpanRegion visible = *surfaceClip;
    visible.Offset(-surfaceOrigin.x, -surfaceOrigin.y);
    clip = SpanRegion::Combine(visible, clip, RGN_AND);
  }
  if (state.clip) clip = SpanRegion::Combine(*state.clip, clip, RGN_AND);
  return clip;
}

bool DeviceContext::RectangularClip(RECT& box) const {
  const Bitmap* target = Target();
  if (!target) return false;
  box = RECT{-surfaceOrigin.x, -surfaceOrigin.y, target->width - surfaceOrigin.x, target->height - surfaceOrigin.y};
  auto cut = [&box](const SpanRegion& part, POINT offset) {
    if (part.Kind() == COMPLEXREGION) return false;
    const RECT r = part.Box();  // all zeros when empty, which empties the box
    box.left = std::max<LONG>(box.left, r.left + offset.x);
    box.top = std::max<LONG>(box.top, r.top + offset.y);
    box.right = std::min<LONG>(box.right, r.right + offset.x);
    box.bottom = std::min<LONG>(box.bottom, r.bottom + offset.y);
    if (part.Kind() == NULLREGION) box = RECT{0, 0, 0, 0};
    return true;
  };
  if (surfaceClip && !cut(*surfaceClip, POINT{-surfaceOrigin.x, -surfaceOrigin.y})) return false;
  if (state.clip && !cut(*state.clip, POINT{0, 0})) return false;
  if (box.right <= box.left || box.bottom <= box.top) box = RECT{0, 0, 0, 0};
  return true;
}

}  // namespace gdi

using namespace gdi;

HDC CreateCompatibleDC(HDC dc) {
  if (dc && !FindDC(dc)) return nullptr;
  auto created = NewDc(DcKind::Memory);
  // A memory device context made for a printer measures like that printer.
  if (auto like = FindDC(dc); like && !like->deviceName.empty()) {
    created->deviceName = like->deviceName;
    created->dpiX = like->dpiX;
    created->dpiY = like->dpiY;
    created->physicalSize = like->physicalSize;
    created->physicalOffset = like->physicalOffset;
    created->printableSize = like->printableSize;
  }
  return Dcs().Add(std::move(created));
}

HDC CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR, const void* devMode) {
  if (IsDisplayName(driver) || IsDisplayName(device)) {
    auto dc = NewDc(DcKind::Screen);
    dc->surface = ScreenSurface();
    return Dcs().Add(std::move(dc));
  }
  return NewPrinterDc(device && *device ? device : DefaultPrinterName(), false, devMode);
}

HDC CreateICA(LPCSTR driver, LPCSTR device, LPCSTR, const void* devMode) {
  if (IsDisplayName(driver) || IsDisplayName(device)) {
    auto dc = NewDc(DcKind::Screen);
    dc->kind = DcKind::Info;
    dc->dpiX = dc->dpiY = kScreenDpi;
    return Dcs().Add(std::move(dc));
  }
  return NewPrinterDc(device && *device ? device : DefaultPrinterName(), true, devMode);
}

BOOL DeleteDC(HDC dc) {
  std::unique_ptr<PrintDocument> unfinished;  // cancelled outside the lock
  {
    std::lock_guard hold(Jobs().mutex);
    if (auto it = Jobs().byDc.find(dc); it != Jobs().byDc.end()) {
      unfinished = std::move(it->second.document);
      Jobs().byDc.erase(it);
    }
  }
  return Dcs().Remove(dc) ? TRUE : FALSE;
}

HDC GetDC(HWND window) {
  if (window) {
    WindowDcFactory factory = g_windowDcFactory.load();
    return factory ? factory(window) : nullptr;
  }
  auto dc = NewDc(DcKind::Screen);
  dc->surface = ScreenSurface();
  return Dcs().Add(std::move(dc));
}

int ReleaseDC(HWND, HDC dc) {
  auto d = FindDC(dc);
  if (!d || (d->kind != DcKind::Screen && d->kind != DcKind::Window)) return 0;
  return DeleteDC(dc);
}

int GetDeviceCaps(HDC handle, int index) {
  auto dc = FindDC(handle);
  if (!dc) return 0;
  const bool printer = !dc->deviceName.empty();
  const SIZE screen = ScreenSize();
  const int horzRes = printer ? dc->printableSize.cx : screen.cx;
  const int vertRes = printer ? dc->printableSize.cy : screen.cy;
  const int dpiX = printer ? dc->dpiX : kScreenDpi;
  const int dpiY = printer ? dc->dpiY : kScreenDpi;
  switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return printer ? DT_RASPRINTER : DT_RASDISPLAY;
    case HORZSIZE: return static_cast<int>(std::lround(horzRes * 25.4 / dpiX));
    case VERTSIZE: return static_cast<int>(std::lround(vertRes * 25.4 / dpiY));
    case HORZRES: return horzRes;
    case VERTRES: return vertRes;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS: return -1;
    case NUMFONTS: return 0;
    case CURVECAPS: return 0x1FF;
    case LINECAPS: return 0xFE;
    case POLYGONALCAPS: return 0xFF;
    case TEXTCAPS: return 0x7807;
    case CLIPCAPS: return 1;
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB | RC_FLOODFILL |
             (printer ? RC_BANDING : 0);
    case ASPECTX:
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case LOGPIXELSX: return dpiX;
    case LOGPIXELSY: return dpiY;
    case SIZEPALETTE:
    case NUMRESERVED: return 0;
    case COLORRES: return 24;
    case PHYSICALWIDTH: return printer ? dc->physicalSize.cx : 0;
    case PHYSICALHEIGHT: return printer ? dc->physicalSize.cy : 0;
    case PHYSICALOFFSETX: return printer ? dc->physicalOffset.x : 0;
    case PHYSICALOFFSETY: return printer ? dc->physicalOffset.y : 0;
    case SCALINGFACTORX:
    case SCALINGFACTORY: return 0;
    case VREFRESH: return printer ? 0 : 60;
    case DESKTOPHORZRES: return horzRes;
    case DESKTOPVERTRES: return vertRes;
    case BLTALIGNMENT: return 0;
    default: return 0;
  }
}

int SaveDC(HDC handle) {
  auto dc = FindDC(handle);
  if (!dc) return 0;
  dc->saved.push_back(dc->state);
  return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC handle, int saved) {
  auto dc = FindDC(handle);
  if (!dc) return FALSE;
  const int depth = static_cast<int>(dc->saved.size());
  const int level = saved < 0 ? depth + saved + 1 : saved;
  if (level <= 0 || level > depth) return FALSE;
  // The restored bitmap comes back to this context if nobody took it since.
  const std::shared_ptr<Bitmap>& restored = dc->saved[level - 1].bitmap;
  if (dc->state.bitmap != restored) {
    if (restored && !restored->stock && !restored->holder.Take(dc.get())) return FALSE;
    if (dc->state.bitmap) dc->state.bitmap->holder.Release(dc.get());
  }
  dc->state = dc->saved[level - 1];
  dc->saved.resize(level - 1);
  return TRUE;
}

HGDIOBJ SelectObject(HDC handle, HGDIOBJ object) {
  auto dc = FindDC(handle);
  auto found = FindObject(object);
  if (!dc || !found) return nullptr;
  auto& s = dc->state;
  switch (found->kind) {
    case ObjectKind::Pen:
      s.pen = std::static_pointer_cast<Pen>(found);
      return std::exchange(s.penHandle, static_cast<HPEN>(object));
    case ObjectKind::Brush:
      s.brush = std::static_pointer_cast<Brush>(found);
      return std::exchange(s.brushHandle, static_cast<HBRUSH>(object));
    case ObjectKind::Font:
      s.font = std::static_pointer_cast<Font>(found);
      return std::exchange(s.fontHandle, static_cast<HFONT>(object));
    case ObjectKind::Bitmap: {
      if (dc->kind != DcKind::Memory) return nullptr;
      auto bitmap = std::static_pointer_cast<Bitmap>(found);
      // A bitmap is drawn on through one memory device context at a time
      // (the shared 1 x 1 stock bitmap excepted).
      if (!bitmap->stock && !bitmap->holder.Take(dc.get())) return nullptr;
      if (s.bitmap && s.bitmap != bitmap) s.bitmap->holder.Release(dc.get());
      s.bitmap = std::move(bitmap);
      return std::exchange(s.bitmapHandle, static_cast<HBITMAP>(object));
    }
    case ObjectKind::Region:
      return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(SelectClipRgn(handle, static_cast<HRGN>(object))));
    case ObjectKind::Palette: return nullptr;
  }
  return nullptr;
}

HGDIOBJ GetCurrentObject(HDC handle, UINT type) {
  auto dc = FindDC(handle);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return dc->state.penHandle;
    case OBJ_BRUSH: return dc->state.brushHandle;
    case OBJ_FONT: return dc->state.fontHandle;
    case OBJ_BITMAP: return dc->state.bitmapHandle;
    case OBJ_PAL: return dc->state.paletteHandle;
    default: return nullptr;
  }
}

HPALETTE SelectPalette(HDC handle, HPALETTE palette, BOOL) {
  auto dc = FindDC(handle);
  auto p = Find<Palette>(palette, ObjectKind::Palette);
  if (!dc || !p) return nullptr;
  dc->state.palette = p;
  return std::exchange(dc->state.paletteHandle, palette);
}

// Every surface here holds true colours or its own colour table, so realising
// a logical palette maps nothing.
UINT RealizePalette(HDC handle) { return FindDC(handle) ? 0 : GDI_ERROR; }

COLORREF GetNearestColor(HDC handle, COLORREF colour) {
  auto dc = FindDC(handle);
  if (!dc) return CLR_INVALID;
  const Bitmap* target = dc->Target();
  if (!target || target->bpp > 8) return colour & 0xFFFFFF;
  return target->ValueToColour(target->ColourToValue(colour));
}

// ---------------------------------------------------------------------------
// Attributes

#define TAV_DC_OR(fail)           \
  auto dc = FindDC(handle); \
  if (!dc) return fail

COLORREF SetBkColor(HDC handle, COLORREF colour) {
  TAV_DC_OR(CLR_INVALID);
  return std::exchange(dc->state.bkColour, colour & 0xFFFFFF);
}
COLORREF GetBkColor(HDC handle) {
  TAV_DC_OR(CLR_INVALID);
  return dc->state.bkColour;
}
int SetBkMode(HDC handle, int mode) {
  TAV_DC_OR(0);
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return std::exchange(dc->state.bkMode, mode);
}
int GetBkMode(HDC handle) {
  TAV_DC_OR(0);
  return dc->state.bkMode;
}
COLORREF SetTextColor(HDC handle, COLORREF colour) {
  TAV_DC_OR(CLR_INVALID);
  return std::exchange(dc->state.textColour, colour & 0xFFFFFF);
}
COLORREF GetTextColor(HDC handle) {
  TAV_DC_OR(CLR_INVALID);
  return dc->state.textColour;
}
UINT SetTextAlign(HDC handle, UINT align) {
  TAV_DC_OR(GDI_ERROR);
  return std::exchange(dc->state.textAlign, align & TA_MASK);
}
UINT GetTextAlign(HDC handle) {
  TAV_DC_OR(GDI_ERROR);
  return dc->state.textAlign;
}
int SetTextCharacterExtra(HDC handle, int extra) {
  TAV_DC_OR(static_cast<int>(0x80000000));
  return std::exchange(dc->state.charExtra, extra);
}
int GetTextCharacterExtra(HDC handle) {
  TAV_DC_OR(static_cast<int>(0x80000000));
  return dc->state.charExtra;
}
int SetROP2(HDC handle, int rop) {
  TAV_DC_OR(0);
  if (rop < R2_BLACK || rop > R2_WHITE) return 0;
  return std::exchange(dc->state.rop2, rop);
}
int GetROP2(HDC handle) {
  TAV_DC_OR(0);
  return dc->state.rop2;
}
int SetPolyFillMode(HDC handle, int mode) {
  TAV_DC_OR(0);
  if (mode != ALTERNATE && mode != WINDING) return 0;
  return std::exchange(dc->state.polyFillMode, mode);
}
int GetPolyFillMode(HDC handle) {
  TAV_DC_OR(0);
  return dc->state.polyFillMode;
}
int SetStretchBltMode(HDC handle, int mode) {
  TAV_DC_OR(0);
  if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
  return std::exchange(dc->state.stretchMode, mode);
}
int GetStretchBltMode(HDC handle) {
  TAV_DC_OR(0);
  return dc->state.stretchMode;
}
int SetArcDirection(HDC handle, int direction) {
  TAV_DC_OR(0);
  if (direction != AD_COUNTERCLOCKWISE && direction != AD_CLOCKWISE) return 0;
  return std::exchange(dc->state.arcDirection, direction);
}
int GetArcDirection(HDC handle) {
  TAV_DC_OR(0);
  return dc->state.arcDirection;
}
BOOL SetMiterLimit(HDC handle, FLOAT limit, FLOAT* previous) {
  TAV_DC_OR(FALSE);
  if (limit < 1.0f) return FALSE;
  if (previous) *previous = static_cast<FLOAT>(dc->state.miterLimit);
  dc->state.miterLimit = limit;
  return TRUE;
}
BOOL GetMiterLimit(HDC handle, FLOAT* limit) {
  TAV_DC_OR(FALSE);
  if (!limit) return FALSE;
  *limit = static_cast<FLOAT>(dc->state.miterLimit);
  return TRUE;
}
BOOL SetBrushOrgEx(HDC handle, int x, int y, LPPOINT previous) {
  TAV_DC_OR(FALSE);
  if (previous) *previous = dc->state.brushOrigin;
  dc->state.brushOrigin = POINT{x, y};
  return TRUE;
}
BOOL GetBrushOrgEx(HDC handle, LPPOINT origin) {
  TAV_DC_OR(FALSE);
  if (!origin) return FALSE;
  *origin = dc->state.brushOrigin;
  return TRUE;
}
COLORREF SetDCBrushColor(HDC handle, COLORREF colour) {
  TAV_DC_OR(CLR_INVALID);
  return std::exchange(dc->state.dcBrushColour, colour & 0xFFFFFF);
}
COLORREF SetDCPenColor(HDC handle, COLORREF colour) {
  TAV_DC_OR(CLR_INVALID);
  return std::exchange(dc->state.dcPenColour, colour & 0xFFFFFF);
}

#undef TAV_DC_OR

// ---------------------------------------------------------------------------
// Printer documents and pages

namespace {

int PrintFailure(DWORD error, std::string reason) {
  t_printError = std::move(reason);
  SetLastError(error ? error : ERROR_NOT_SUPPORTED);
  return SP_ERROR;
}

// A page as the documents take it, and whether it is only black and white.
PrintedPage PageOf(const DeviceContext& dc, const Bitmap& page) {
  PrintedPage out;
  out.pixels = reinterpret_cast<const uint32_t*>(page.Row(0));
  out.width = page.width;
  out.height = page.height;
  out.stride = static_cast<size_t>(page.stride) / 4;
  out.physical = dc.physicalSize;
  out.offset = dc.physicalOffset;
  out.dpiX = dc.dpiX;
  out.dpiY = dc.dpiY;
  out.blackAndWhite = true;
  for (int y = 0; y < page.height && out.blackAndWhite; ++y) {
    // A row at a time without a branch a pixel: p - 1 is below 0xFFFFFE
    // only for a pixel neither black (0) nor white (0xFFFFFF).
    const uint32_t* row = out.pixels + static_cast<size_t>(y) * out.stride;
    uint32_t grey = 0;
    for (int x = 0; x < page.width; ++x) grey |= static_cast<uint32_t>(((row[x] & 0xFFFFFFu) - 1u) < 0xFFFFFEu);
    out.blackAndWhite = grey == 0;
  }
  return out;
}

// The document a device context prints into (it lives until EndDoc,
// AbortDoc or DeleteDC, on the thread that prints).
PrintDocument* DocumentOf(HDC handle) {
  std::lock_guard hold(Jobs().mutex);
  auto it = Jobs().byDc.find(handle);
  return it == Jobs().byDc.end() ? nullptr : it->second.document.get();
}

std::unique_ptr<PrintDocument> TakeDocument(HDC handle) {
  std::lock_guard hold(Jobs().mutex);
  auto it = Jobs().byDc.find(handle);
  return it == Jobs().byDc.end() ? nullptr : std::move(it->second.document);
}

}  // namespace

int StartDocA(HDC handle, const DOCINFOA* info) {
  auto dc = FindDC(handle);
  if (!dc || dc->kind != DcKind::Printer || dc->inDocument) return PrintFailure(ERROR_INVALID_HANDLE, "no printer");
  dc->pages.clear();
  int job = 1;
  if (DocumentOpener opener = g_documentOpener.load()) {
    DocumentRequest request;
    request.printer = dc->deviceName;
    request.docName = info && info->lpszDocName ? info->lpszDocName : "";
    request.outputFile = info && info->lpszOutput ? info->lpszOutput : "";
    request.device = PrinterSettings{dc->dpiX, dc->dpiY, dc->physicalSize, dc->physicalOffset, dc->printableSize};
    {
      std::lock_guard hold(Jobs().mutex);
      request.job = Jobs().byDc[handle].job;
    }
    OpenedDocument opened = opener(request);
    if (opened.refused) return PrintFailure(opened.error, opened.reason);
    if (opened.document) job = opened.document->JobId();
    std::lock_guard hold(Jobs().mutex);
    Jobs().byDc[handle].document = std::move(opened.document);
  }
  dc->inDocument = true;
  t_printError.clear();
  return job;
}

int StartPage(HDC handle) {
  auto dc = FindDC(handle);
  if (!dc || dc->kind != DcKind::Printer || !dc->inDocument || dc->inPage) return 0;
  auto page = Bitmap::Make(dc->printableSize.cx, dc->printableSize.cy, 32, false);
  if (!page) return 0;
  for (int y = 0; y < page->height; ++y) {  // white paper
    auto* row = reinterpret_cast<uint32_t*>(page->Row(y));
    std::fill_n(row, page->width, 0x00FFFFFFu);
  }
  dc->surface = std::move(page);
  dc->inPage = true;
  return 1;
}

int EndPage(HDC handle) {
  auto dc = FindDC(handle);
  if (!dc || !dc->inPage) return 0;
  std::shared_ptr<Bitmap> page = std::exchange(dc->surface, nullptr);
  dc->inPage = false;
  PrintDocument* document = DocumentOf(handle);
  if (!document) {
    dc->pages.push_back(std::move(page));
    return 1;
  }
  // The page leaves memory here: the document has it, the bitmap goes.
  if (!document->AddPage(PageOf(*dc, *page))) return PrintFailure(document->ErrorCode(), document->Error());
  return 1;
}

int EndDoc(HDC handle) {
  auto dc = FindDC(handle);
  if (!dc || !dc->inDocument) return 0;
  int result = 1;
  if (dc->inPage && EndPage(handle) <= 0) result = SP_ERROR;
  dc->inDocument = false;
  if (auto document = TakeDocument(handle)) {
    if (result <= 0) {
      document->Cancel();
      return result;
    }
    if (!document->Finish()) return PrintFailure(document->ErrorCode(), document->Error());
  }
  return result;
}

int AbortDoc(HDC handle) {
  auto dc = FindDC(handle);
  if (!dc || !dc->inDocument) return 0;
  dc->surface.reset();
  dc->pages.clear();
  dc->inPage = false;
  dc->inDocument = false;
  if (auto document = TakeDocument(handle)) document->Cancel();
  return 1;
}
