// Owners of GDI handles, for every caller of the graphics area: an object
// deleted when its owner goes, a device context deleted or released, and an
// object selected into a device context for one scope.
//
//   UniquePen pen(CreatePen(PS_SOLID, 1, colour));
//   SelectScope select(dc, pen.get());   // the previous pen comes back first,
//                                        // then the pen is deleted
#pragma once

#include <memory>
#include <type_traits>
#include <utility>

#include "platform/gdi/gdi.h"

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
// Any GDI object, deleted with DeleteObject (stock objects ignore it).
template <class H>
using UniqueGdi = std::unique_ptr<std::remove_pointer_t<H>, GdiObjectDeleter>;
using UniquePen = UniqueGdi<HPEN>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniqueFont = UniqueGdi<HFONT>;
using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueRgn = UniqueGdi<HRGN>;
using UniquePalette = UniqueGdi<HPALETTE>;

struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
// A device context made with CreateCompatibleDC, CreateDC or CreateIC.
using UniqueDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

// A device context of a window (or of the screen, for a null window) from
// GetDC, given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a device context for one scope and puts the
// previous one back at its end. Declare it after the owner of the object, so
// the object is deselected before it is deleted. A null object selects nothing.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;
  ~SelectScope() {
    if (previous_) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};
