// Small owners for drawing code: a GDI object deleted when it goes out of
// scope, and an object selected into a device context for one scope.
#pragma once

#include <utility>

#include "foundation/build.h"
#include "platform/gdi/gdi.h"

FOUNDATION_BEGIN

class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(HGDIOBJ object) : object_(object) {}
  template <class H>
  explicit GdiObject(H* object) : object_(static_cast<HGDIOBJ>(object)) {}
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ~GdiObject() { reset(); }

  HGDIOBJ get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  template <class H>
  void reset(H* object) {
    reset();
    object_ = static_cast<HGDIOBJ>(object);
  }
  void reset() {
    if (object_) DeleteObject(object_);
    object_ = nullptr;
  }
  HGDIOBJ release() { return std::exchange(object_, nullptr); }

 private:
  HGDIOBJ object_ = nullptr;
};

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

FOUNDATION_END
