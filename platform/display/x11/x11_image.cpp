// Images that carry a window's surface to the X server: a shared-memory
// segment the server reads directly when it offers the extension (and the
// segment can be attached: not on a remote display), else plain memory sent
// in the request.
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/display/x11/x11_display.h"

namespace display::x11 {
namespace {

bool NativeLayout(const XImage* image, const Visual* visual) {
  return image->bits_per_pixel == 32 && image->byte_order == LSBFirst && visual->red_mask == 0xFF0000 &&
         visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF;
}

// A channel of 8 bits placed under a mask.
unsigned long Scale(unsigned value, unsigned long mask) {
  if (!mask) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  int bits = 0;
  while ((mask >> (shift + bits)) & 1) ++bits;
  const unsigned long v = bits >= 8 ? static_cast<unsigned long>(value) << (bits - 8) : value >> (8 - bits);
  return (v << shift) & mask;
}

}  // namespace

Image::Image(::Display* x, Visual* visual, int depth, int width, int height, bool sharedMemory)
    : x_(x), width_(std::max(width, 1)), height_(std::max(height, 1)) {
  if (sharedMemory) {
    image_ = XShmCreateImage(x_, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &shm_,
                             static_cast<unsigned>(width_), static_cast<unsigned>(height_));
    if (image_) {
      shm_.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image_->bytes_per_line) * height_, IPC_CREAT | 0600);
      shm_.shmaddr = shm_.shmid >= 0 ? static_cast<char*>(shmat(shm_.shmid, nullptr, 0)) : reinterpret_cast<char*>(-1);
      bool attached = false;
      if (shm_.shmaddr != reinterpret_cast<char*>(-1)) {
        image_->data = shm_.shmaddr;
        shm_.readOnly = False;
        ErrorTrap trap(x_);
        attached = XShmAttach(x_, &shm_) && !trap.Failed();
      }
      // Marked for removal now: it goes when both sides detach, even after a crash.
      if (shm_.shmid >= 0) shmctl(shm_.shmid, IPC_RMID, nullptr);
      if (attached) {
        shared_ = true;
      } else {
        if (shm_.shmaddr != reinterpret_cast<char*>(-1)) shmdt(shm_.shmaddr);
        image_->data = nullptr;
        XDestroyImage(image_);
        image_ = nullptr;
      }
    }
  }
  if (!image_) {
    image_ = XCreateImage(x_, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr, static_cast<unsigned>(width_),
                          static_cast<unsigned>(height_), 32, 0);
    if (image_) image_->data = static_cast<char*>(std::calloc(static_cast<size_t>(image_->bytes_per_line), height_));
  }
  if (image_) native_ = NativeLayout(image_, visual);
}

Image::~Image() {
  if (!image_) return;
  if (shared_) {
    XShmDetach(x_, &shm_);
    XSync(x_, False);
    shmdt(shm_.shmaddr);
    image_->data = nullptr;
  }
  XDestroyImage(image_);  // frees plain memory with it
}

void Image::CopyFrom(const gdi::Bitmap& surface, const RECT& from, POINT to) {
  if (!image_ || surface.bpp != 32) return;
  const int dx = to.x - from.left, dy = to.y - from.top;
  const int left = std::max({static_cast<int>(from.left), 0, -dx});
  const int top = std::max({static_cast<int>(from.top), 0, -dy});
  const int right = std::min({static_cast<int>(from.right), surface.width, width_ - dx});
  const int bottom = std::min({static_cast<int>(from.bottom), surface.height, height_ - dy});
  if (right <= left || bottom <= top) return;
  auto hold = surface.pixels.Hold();
  for (int y = top; y < bottom; ++y) {
    const BYTE* src = surface.Row(y) + static_cast<size_t>(left) * 4;
    char* dst = image_->data + static_cast<size_t>(y + dy) * image_->bytes_per_line;
    if (native_) {
      std::memcpy(dst + static_cast<size_t>(left + dx) * 4, src, static_cast<size_t>(right - left) * 4);
      continue;
    }
    for (int x = left; x < right; ++x, src += 4) {
      const unsigned long pixel = Scale(src[2], image_->red_mask) | Scale(src[1], image_->green_mask) |
                                  Scale(src[0], image_->blue_mask);
      XPutPixel(image_, x + dx, y + dy, pixel);
    }
  }
}

void Image::Put(Drawable target, GC gc, const RECT& part) {
  if (!image_) return;
  const int left = std::max<int>(part.left, 0), top = std::max<int>(part.top, 0);
  const int right = std::min<int>(part.right, width_), bottom = std::min<int>(part.bottom, height_);
  if (right <= left || bottom <= top) return;
  const auto w = static_cast<unsigned>(right - left), h = static_cast<unsigned>(bottom - top);
  if (shared_)
    XShmPutImage(x_, target, gc, image_, left, top, left, top, w, h, False);
  else
    XPutImage(x_, target, gc, image_, left, top, left, top, w, h);
}

}  // namespace display::x11
