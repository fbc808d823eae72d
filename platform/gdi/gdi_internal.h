// Inside the graphics area: the object table's entries, the device context,
// regions as y-bands of x-spans, and the seams the text code draws through.
// Not part of the public interface: the layer's own sources (and its tests)
// include it.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/printer_settings.h"
#include "platform/kernel/handle_table.h"

namespace tav::font {
class GlyphPixels;
}

namespace gdi {

struct DeviceContext;

// ---------------------------------------------------------------------------
// Geometry in device space

struct PointD {
  double x = 0;
  double y = 0;
};

// An affine map: (x, y) -> (x*m11 + y*m21 + dx, x*m12 + y*m22 + dy), as XFORM.
struct Matrix {
  double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;

  PointD Apply(PointD p) const { return {p.x * m11 + p.y * m21 + dx, p.x * m12 + p.y * m22 + dy}; }
  // Applies this map first, then `then`.
  Matrix Then(const Matrix& then) const;
  std::optional<Matrix> Inverse() const;
  double Determinant() const { return m11 * m22 - m12 * m21; }
  // True when the map keeps axis-parallel rectangles axis-parallel.
  bool AxisAligned() const { return m12 == 0 && m21 == 0; }
  // Axis-aligned or turned by a quarter: a rectangle stays a rectangle.
  bool KeepsRectangles() const { return AxisAligned() || (m11 == 0 && m22 == 0); }
  bool IsIdentity() const { return m11 == 1 && m12 == 0 && m21 == 0 && m22 == 1 && dx == 0 && dy == 0; }
  static Matrix FromXform(const XFORM& x);
  XFORM ToXform() const;
};

// ---------------------------------------------------------------------------
// Regions: a sorted list of y-bands, each a sorted list of disjoint x-spans.
// Every interval is half-open: [top, bottom) and [x0, x1).

class SpanRegion {
 public:
  struct Span {
    int x0;
    int x1;
    bool operator==(const Span&) const = default;
  };
  struct Band {
    int top;
    int bottom;
    std::vector<Span> spans;
  };

  SpanRegion() = default;
  static SpanRegion FromRect(int left, int top, int right, int bottom);
  static SpanRegion FromRect(const RECT& r) { return FromRect(r.left, r.top, r.right, r.bottom); }
  // The rectangle FromRect covers: its edges put in order (may be empty).
  static RECT Normalized(int left, int top, int right, int bottom);
  static RECT Normalized(const RECT& r) { return Normalized(r.left, r.top, r.right, r.bottom); }

  bool Empty() const { return bands_.empty(); }
  RECT Box() const;  // all zeros when empty
  int Kind() const;  // NULLREGION, SIMPLEREGION or COMPLEXREGION
  bool Contains(int x, int y) const;
  bool Intersects(const RECT& r) const;
  void Offset(int dx, int dy);
  bool operator==(const SpanRegion& other) const;

  // RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF; RGN_COPY returns a.
  static SpanRegion Combine(const SpanRegion& a, const SpanRegion& b, int mode);

  const std::vector<Band>& Bands() const { return bands_; }
  // Takes bands in order of y with sorted disjoint spans; merges equal
  // neighbouring bands and drops empty ones.
  static SpanRegion FromBands(std::vector<Band> bands);

 private:
  std::vector<Band> bands_;
};

// Gathers spans row by row (in any order, overlapping allowed) and turns them
// into a region: the union of everything added.
class SpanBuilder {
 public:
  void Add(int y, int x0, int x1);
  void AddRow(int y, std::span<const SpanRegion::Span> spans);
  bool Empty() const { return rows_.empty(); }
  SpanRegion Build();

 private:
  struct Entry {
    int y;
    int x0;
    int x1;
  };
  // Puts the entries in order of row, then of left edge.
  void SortByRow();
  std::vector<Entry> rows_;
};

// ---------------------------------------------------------------------------
// Objects in the table

enum class ObjectKind { Pen, Brush, Font, Bitmap, Region, Palette };

constexpr HandleKind HandleKindOf(ObjectKind kind) {
  switch (kind) {
    case ObjectKind::Pen: return HandleKind::Pen;
    case ObjectKind::Brush: return HandleKind::Brush;
    case ObjectKind::Font: return HandleKind::Font;
    case ObjectKind::Bitmap: return HandleKind::Bitmap;
    case ObjectKind::Region: return HandleKind::Region;
    case ObjectKind::Palette: return HandleKind::Palette;
  }
  return HandleKind::None;
}

struct Object {
  explicit Object(ObjectKind k) : kind(k) {}
  virtual ~Object() = default;
  const ObjectKind kind;
  bool stock = false;  // stock objects ignore DeleteObject
};

// A mutex that a copy of its owner does not share: the copy gets its own.
class OwnLock {
 public:
  OwnLock() = default;
  OwnLock(const OwnLock&) {}
  OwnLock& operator=(const OwnLock&) { return *this; }
  std::unique_lock<std::mutex> Hold() const { return std::unique_lock<std::mutex>(mutex_); }

 private:
  mutable std::mutex mutex_;
};

// A palette's entries are read and replaced under its own lock, so one thread
// may change them while another reads them.
struct Palette : Object {
  Palette() : Object(ObjectKind::Palette) {}
  std::vector<PALETTEENTRY> Entries() const {
    auto hold = lock.Hold();
    return entries;
  }
  template <class Change>
  auto Update(Change change) {
    auto hold = lock.Hold();
    return change(entries);
  }

 private:
  OwnLock lock;
  std::vector<PALETTEENTRY> entries;
};

// The one memory device context a bitmap is selected into: a second is
// refused while the first holds it. A copy of a bitmap starts unheld.
class BitmapHolder {
 public:
  BitmapHolder() = default;
  BitmapHolder(const BitmapHolder&) {}
  BitmapHolder& operator=(const BitmapHolder&) { return *this; }
  // True when `dc` holds the bitmap now (it may have held it already).
  bool Take(const DeviceContext* dc) {
    const DeviceContext* expected = nullptr;
    return slot_.compare_exchange_strong(expected, dc) || expected == dc;
  }
  void Release(const DeviceContext* dc) {
    const DeviceContext* expected = dc;
    slot_.compare_exchange_strong(expected, nullptr);
  }

 private:
  std::atomic<const DeviceContext*> slot_{nullptr};
};

// Pixel storage of every bitmap: DIB layout (rows padded to 4 bytes), either
// owned or, for a DIB section, handed to the caller through the bits pointer.
// An allocator whose value-initialisation leaves the bytes as they come.
template <class T>
struct DefaultInitAllocator : std::allocator<T> {
  template <class U>
  struct rebind {
    using other = DefaultInitAllocator<U>;
  };
  DefaultInitAllocator() = default;
  template <class U>
  DefaultInitAllocator(const DefaultInitAllocator<U>&) noexcept {}
  template <class U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

struct Bitmap : Object {
  Bitmap() : Object(ObjectKind::Bitmap) {}
  BitmapHolder holder;
  // Held while pixels are written: device contexts on two threads may share
  // one surface (the screen, a window's pixels).
  OwnLock pixels;
  int width = 0;
  int height = 0;
  int bpp = 32;           // 1, 4, 8, 24 or 32
  int stride = 0;         // bytes per row, a multiple of 4
  bool bottomUp = false;  // storage order of the rows (DIB sections follow their header)
  bool dibSection = false;
  std::vector<RGBQUAD> colours;  // 2^bpp entries when bpp <= 8
  SIZE dimension{0, 0};  // SetBitmapDimensionEx, in 0.1 mm

  // Rows by y (top first), their pixels cleared first when still pending.
  BYTE* Row(int y) {
    const int s = StorageRow(y);
    if (s >= pendingFrom_ && s < pendingTo_) ClearPending();
    return storage_.data() + static_cast<size_t>(s) * stride;
  }
  const BYTE* Row(int y) const { return const_cast<Bitmap*>(this)->Row(y); }
  // Row y for a caller that writes every byte of it before reading any: a
  // new bitmap's rows overwritten this way, top down or bottom up, are never
  // cleared first. Inline: copies call it once a row.
  BYTE* RowToOverwrite(int y) {
    const int s = StorageRow(y);
    if (s == pendingFrom_ && s < pendingTo_) {
      ++pendingFrom_;
    } else if (s == pendingTo_ - 1 && s >= pendingFrom_) {
      --pendingTo_;
    } else if (s >= pendingFrom_ && s < pendingTo_) {
      ClearPending();
    }
    return storage_.data() + static_cast<size_t>(s) * stride;
  }
  // Rows [top, bottom) (inside the bitmap) for a caller that overwrites them
  // all, as RowToOverwrite would hand them out from top to bottom: row top's
  // address, and in `step` the distance to the next row (negative when the
  // rows are stored bottom up).
  BYTE* RowsToOverwrite(int top, int bottom, ptrdiff_t& step);
  BYTE* Bits() {
    ClearPending();
    return storage_.data();
  }
  const BYTE* Bits() const { return const_cast<Bitmap*>(this)->Bits(); }
  // Whether nothing has been written yet: every row still the pending black.
  bool Untouched() const { return pendingFrom_ == 0 && pendingTo_ == height; }

  // Pixel values: the palette index for bpp <= 8, else 0x00RRGGBB.
  uint32_t ReadValue(int x, int y) const;
  void WriteValue(int x, int y, uint32_t value);
  // The colour a pixel value stands for, and the value nearest to a colour.
  COLORREF ValueToColour(uint32_t value) const;
  uint32_t ColourToValue(COLORREF colour) const;
  uint32_t ValueMask() const { return bpp >= 24 ? 0xFFFFFFu : (1u << bpp) - 1; }

  static std::shared_ptr<Bitmap> Make(int width, int height, int bpp, bool bottomUp);

 private:
  int StorageRow(int y) const { return bottomUp ? height - 1 - y : y; }
  void ClearPending();
  // Bytes left as the allocator gives them: a new bitmap's black is written
  // when a row is first used.
  std::vector<BYTE, DefaultInitAllocator<BYTE>> storage_;
  // Storage rows [pendingFrom_, pendingTo_) are black but not yet written.
  int pendingFrom_ = 0;
  int pendingTo_ = 0;
};

// Maps many colours to one bitmap's values: a direct-mapped cache in front of
// the nearest-palette-entry search. One per loop; not shared between threads.
class ColourMapper {
 public:
  explicit ColourMapper(const Bitmap& target) : target_(target) {
    if (target.bpp <= 8) keys_.assign(kSize, kEmpty);
    values_.resize(target.bpp <= 8 ? kSize : 0);
  }
  uint32_t operator()(COLORREF colour) {
    colour &= 0xFFFFFF;
    if (target_.bpp > 8) return target_.ColourToValue(colour);
    const size_t slot = ((colour * 2654435761u) >> 20) & (kSize - 1);
    if (keys_[slot] != colour) {
      keys_[slot] = colour;
      values_[slot] = target_.ColourToValue(colour);
    }
    return values_[slot];
  }

 private:
  static constexpr size_t kSize = 4096;
  static constexpr COLORREF kEmpty = 0xFFFFFFFF;
  const Bitmap& target_;
  std::vector<COLORREF> keys_;
  std::vector<uint32_t> values_;
};

struct Pen : Object {
  Pen() : Object(ObjectKind::Pen) {}
  DWORD style = PS_SOLID;  // style, end cap, join and type bits
  int width = 0;           // in logical units; cosmetic pens are one pixel
  COLORREF colour = 0;
  bool extended = false;    // made by ExtCreatePen (OBJ_EXTPEN)
  LOGBRUSH brush{BS_SOLID, 0, 0};
  std::vector<DWORD> userStyle;

  DWORD LineStyle() const { return style & PS_STYLE_MASK; }
  bool Geometric() const { return (style & PS_TYPE_MASK) == PS_GEOMETRIC; }
};

struct Brush : Object {
  Brush() : Object(ObjectKind::Brush) {}
  UINT style = BS_SOLID;
  COLORREF colour = 0;
  int hatch = 0;
  std::shared_ptr<Bitmap> pattern;  // a copy of the bitmap given, for pattern brushes
  bool dcBrush = false;             // the stock DC_BRUSH: its colour comes from the DC
};

// A region's shape is read as a copy and replaced whole under its own lock:
// CombineRgn or SetRectRgn on one thread never frees the bands another
// thread is reading.
struct Region : Object {
  Region() : Object(ObjectKind::Region) {}
  SpanRegion Shape() const {
    auto hold = lock.Hold();
    return shape;
  }
  void SetShape(SpanRegion next) {
    auto hold = lock.Hold();
    shape = std::move(next);
  }
  template <class Change>
  auto Update(Change change) {
    auto hold = lock.Hold();
    return change(shape);
  }

 private:
  OwnLock lock;
  SpanRegion shape;
};

// A font entry: the logical font as asked for, and the face the text code
// resolved for it (opaque here; its deleter frees it with the entry). Stock
// fonts start with their LOGFONTW filled and no face: the text code resolves
// the face on first use, holding faceLock while it fills `face`.
struct Font : Object {
  Font() : Object(ObjectKind::Font) {}
  LOGFONTW logFont{};
  std::mutex faceLock;
  std::shared_ptr<void> face;
};

// Objects live in the platform's handle table (platform/kernel/handle_table.h):
// handles are tagged serial numbers, never addresses, so a stale handle is
// recognised. Thread-safe; lookups return shared owners, so an object deleted
// on one thread stays alive while another one still draws with it.
HGDIOBJ AddObject(std::shared_ptr<Object> object);
std::shared_ptr<Object> FindObject(HGDIOBJ handle);
template <class T>
std::shared_ptr<T> Find(HGDIOBJ handle, ObjectKind kind) {
  return std::static_pointer_cast<T>(handles::Lookup<Object>(handle, HandleKindOf(kind)));
}
inline std::shared_ptr<Font> FindFont(HFONT font) { return Find<Font>(font, ObjectKind::Font); }
inline std::shared_ptr<Bitmap> FindBitmap(HBITMAP bitmap) { return Find<Bitmap>(bitmap, ObjectKind::Bitmap); }
inline std::shared_ptr<Region> FindRegion(HRGN region) { return Find<Region>(region, ObjectKind::Region); }
inline std::shared_ptr<Brush> FindBrush(HBRUSH brush) { return Find<Brush>(brush, ObjectKind::Brush); }
inline std::shared_ptr<Pen> FindPen(HPEN pen) { return Find<Pen>(pen, ObjectKind::Pen); }
// The brush of a fill call. A system colour index plus one in place of a
// brush (the window classes' habit) goes to the window layer's resolver.
using SystemBrushResolver = HBRUSH (*)(int colourIndex);
// Returns the resolver it replaces.
SystemBrushResolver SetSystemBrushResolver(SystemBrushResolver resolver);
std::shared_ptr<Brush> FindFillBrush(HBRUSH brush);
// Removes the handle; false for stock objects and unknown handles.
bool RemoveObject(HGDIOBJ handle);
// The 1 x 1 monochrome bitmap a new memory device context starts with.
HBITMAP StockBitmap();

// A packed or split device-independent bitmap as a caller hands it over:
// reads colours row by row (row 0 is the top row).
struct DibView {
  int width = 0;
  int height = 0;
  int bpp = 0;
  int stride = 0;
  bool bottomUp = true;
  std::vector<RGBQUAD> colours;
  const BYTE* bits = nullptr;

  // False for formats that are not handled (compressed, 16-bit, bad sizes).
  bool Init(const BITMAPINFO* info, UINT usage, const void* bits, const DeviceContext* dc);
  const BYTE* Row(int y) const { return bits + static_cast<size_t>(bottomUp ? height - 1 - y : y) * stride; }
  uint32_t ReadValue(int x, int y) const;  // index or 0x00RRGGBB
  COLORREF ReadColour(int x, int y) const;
};
inline int DibStride(int width, int bpp) { return ((width * bpp + 31) / 32) * 4; }

// ---------------------------------------------------------------------------
// Device contexts

enum class DcKind { Memory, Screen, Printer, Info, Window, Metafile };

// The records a metafile device context keeps (metafile_record.cpp).
struct MetafileRecording;

// Every attribute SaveDC keeps.
struct DcState {
  HPEN penHandle = nullptr;
  HBRUSH brushHandle = nullptr;
  HFONT fontHandle = nullptr;
  HBITMAP bitmapHandle = nullptr;
  HPALETTE paletteHandle = nullptr;
  std::shared_ptr<Pen> pen;
  std::shared_ptr<Brush> brush;
  std::shared_ptr<Font> font;
  std::shared_ptr<Bitmap> bitmap;  // memory device contexts: the selected bitmap
  std::shared_ptr<Palette> palette;

  COLORREF textColour = RGB(0, 0, 0);
  COLORREF bkColour = RGB(255, 255, 255);
  COLORREF dcBrushColour = RGB(255, 255, 255);
  COLORREF dcPenColour = RGB(0, 0, 0);
  int bkMode = OPAQUE;
  UINT textAlign = TA_LEFT | TA_TOP;
  int charExtra = 0;
  int rop2 = R2_COPYPEN;
  int polyFillMode = ALTERNATE;
  int stretchMode = BLACKONWHITE;
  int arcDirection = AD_COUNTERCLOCKWISE;
  double miterLimit = 10.0;
  int mapMode = MM_TEXT;
  int graphicsMode = GM_COMPATIBLE;
  POINT windowOrg{0, 0};
  SIZE windowExt{1, 1};
  POINT viewportOrg{0, 0};
  SIZE viewportExt{1, 1};
  Matrix world;
  POINT position{0, 0};
  POINT brushOrigin{0, 0};
  std::optional<SpanRegion> clip;  // in device coordinates; none = whole surface
};

// A path as recorded: figures of device-space points (curves already flattened).
struct PathFigure {
  std::vector<PointD> points;
  bool closed = false;
};
struct Path {
  enum class State { None, Open, Closed };
  State state = State::None;
  std::vector<PathFigure> figures;
  bool figureOpen = false;  // the last figure still takes points
};

// The 256 blends of an ink colour over a background colour (0x00RRGGBB by
// coverage), which text writes where it lies over that background; kept for
// the colours last used, and worked out when first needed: text that copies
// its glyphs' kept shades needs only the background's value.
class GlyphShades {
 public:
  GlyphShades& For(COLORREF ink, COLORREF background);
  // The colours of the table (0x00BBGGRR).
  COLORREF ink() const { return ink_; }
  COLORREF back() const { return back_; }
  // The value of coverage 0 (the background) and 255 (the ink).
  uint32_t Back() const { return backValue_; }
  // The 256 values.
  const uint32_t* Table();

 private:
  std::array<uint32_t, 256> value_{};
  bool ready_ = false;
  bool made_ = false;
  COLORREF ink_ = 0;
  COLORREF back_ = 0;
  uint32_t backValue_ = 0;
};

struct DeviceContext {
  DeviceContext() = default;
  DeviceContext(const DeviceContext&) = default;
  DeviceContext& operator=(const DeviceContext&) = default;
  ~DeviceContext() {
    if (state.bitmap) state.bitmap->holder.Release(this);
  }
  DcKind kind = DcKind::Memory;
  DcState state;
  std::vector<DcState> saved;
  Path path;

  // Where the pixels go when this is not a memory device context (those draw
  // into their selected bitmap): the screen, the current printer page or a
  // window's surface.
  std::shared_ptr<Bitmap> surface;
  POINT surfaceOrigin{0, 0};                // device (0, 0) on the surface
  std::optional<SpanRegion> surfaceClip;    // surface coordinates (window visibility)
  int dpiX = 96;
  int dpiY = 96;
  // Printers: the page in device pixels, and the printable offset.
  SIZE physicalSize{0, 0};
  POINT physicalOffset{0, 0};
  SIZE printableSize{0, 0};
  std::string deviceName;
  bool inDocument = false;
  bool inPage = false;
  std::vector<std::shared_ptr<Bitmap>> pages;  // printed pages, in order
  HWND window = nullptr;
  // Metafile device contexts: what they recorded so far.
  std::shared_ptr<MetafileRecording> recording;
  GlyphShades glyphShades;

  // Logical to device (world transform, then window to viewport).
  Matrix PageTransform() const;
  Matrix LogicalToDevice() const;
  // The surface this context draws on now (may be null: nothing to draw on).
  // The 1 x 1 stock bitmap of a new memory device context is shared: nothing draws on it.
  Bitmap* Target() const {
    if (kind != DcKind::Memory) return surface.get();
    return state.bitmap && !state.bitmap->stock ? state.bitmap.get() : nullptr;
  }
  // The clip in device coordinates, the surface bounds and the window
  // visibility included. Never null when there is a surface.
  SpanRegion EffectiveClip() const;
  // The same clip as one rectangle, when it is one (possibly empty); false
  // when it has more than one part. Allocates nothing, for the fast paths.
  bool RectangularClip(RECT& box) const;
  COLORREF DcBrushColour() const { return state.dcBrushColour; }
};

// The calls a metafile device context records, after the context's own
// state has taken them.
void RecordMapMode(DeviceContext& dc, int mode);
void RecordExtent(DeviceContext& dc, bool window, SIZE extent);
void RecordOrigin(DeviceContext& dc, bool window, POINT origin);
BOOL RecordStretchBlt(DeviceContext& dest, int x, int y, int w, int h, const DeviceContext* src, int xSrc, int ySrc,
                      int wSrc, int hSrc, DWORD rop);

// Lookup of a device context handle; null for anything else. The caller's
// reference keeps the context alive through a DeleteDC on another thread.
std::shared_ptr<DeviceContext> FindDC(HDC dc);
// A device context drawing onto a surface that someone else owns (a window's
// pixels): device (0, 0) sits at `origin` on the surface, drawing stays inside
// `visible` (surface coordinates). The caller deletes it with DeleteDC.
HDC CreateSurfaceDC(std::shared_ptr<Bitmap> surface, POINT origin, std::optional<SpanRegion> visible, HWND window);
// The printed pages of a printer device context (after EndPage), oldest first.
std::vector<std::shared_ptr<Bitmap>> TakePrintedPages(HDC dc);

// GetDC of a window asks the window layer, which registers itself here.
using WindowDcFactory = HDC (*)(HWND window);
void SetWindowDcFactory(WindowDcFactory factory);

// The screen: 32 bits per pixel at 96 dots per inch, 1920 x 1080 headless.
inline constexpr int kScreenWidth = 1920;
inline constexpr int kScreenHeight = 1080;
inline constexpr int kScreenDpi = 96;
// The size of the screen in use: the headless one until a display back-end
// on a real screen says its own (HORZRES, VERTRES and the screen's clip).
SIZE ScreenSize();
void SetScreenSize(SIZE size);


// ---------------------------------------------------------------------------
// Seams for the text code: everything in device pixels, clipped to the
// context's clip and surface; the binary raster operation does not apply.

// Blends `colour` over the target through an 8-bit coverage mask (255 = full).
// On 1-, 4- and 8-bit targets the blended colour maps to the nearest palette entry.
// A glyph's mask may come with the place its shades are kept in (see CoverageMask).
void BlendMask(DeviceContext& dc, int x, int y, int width, int height, const uint8_t* mask, int maskStride,
               COLORREF colour, const tav::font::GlyphPixels* shades = nullptr);
// An 8-bit coverage mask placed at (x, y), `stride` bytes a row. A glyph's
// mask may come with the place its shades are kept in (rows `width` pixels
// long, 0x00RRGGBB), which opaque text then copies instead of mixing.
struct CoverageMask {
  const uint8_t* coverage;
  int x, y, width, height, stride;
  const tav::font::GlyphPixels* shades = nullptr;
};
// FillDeviceRect(back, backColour) and then BlendMask of each mask, the
// masks' pixels over the background copied from the shades of their
// coverage, on 24- and 32-bit targets under a clip of one rectangle; false,
// with nothing drawn, elsewhere. The masks' boxes must not overlap one another.
bool FillAndBlendMasks(DeviceContext& dc, const RECT& back, COLORREF backColour, std::span<const CoverageMask> masks,
                       COLORREF colour);
// Fills spans (device row y, columns [x0, x1)) with a colour.
struct DeviceSpan {
  int y;
  int x0;
  int x1;
};
void FillSpans(DeviceContext& dc, std::span<const DeviceSpan> spans, COLORREF colour);
// Fills a device rectangle (right and bottom excluded) or polygon (pixel centres inside, alternate rule).
void FillDeviceRect(DeviceContext& dc, const RECT& rect, COLORREF colour);
void FillDevicePolygon(DeviceContext& dc, std::span<const PointD> points, COLORREF colour);
// True for targets that get grey anti-aliased text (24/32-bit, not a printer).
bool WantsGreyText(const DeviceContext& dc);

}  // namespace gdi
