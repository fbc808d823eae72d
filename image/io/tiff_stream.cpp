#include "image/io/tiff_stream.h"

#include <cstdarg>
#include <cstdio>

#include "image/io/pltrace.h"

#include <algorithm>
#include <exception>
#include <cstring>
#include <new>
#include <string>


namespace {

// A fixed block (reading, or writing up to its capacity) or a growing vector.
struct MemoryStream {
  PLBYTE* buffer = nullptr;
  toff_t position = 0;
  toff_t capacity = 0;
  int ownLength = 0;
  int* length = nullptr;  // points at ownLength when reading
  bool writing = false;
  std::vector<PLBYTE>* growing = nullptr;
};

toff_t Length(const MemoryStream* s) {
  return s->growing ? toff_t(s->growing->size()) : toff_t(*s->length);
}

tmsize_t ReadProc(thandle_t handle, void* data, tmsize_t n) {
  auto* s = static_cast<MemoryStream*>(handle);
  if (s->writing || n <= 0 || s->position >= s->capacity) return 0;
  toff_t count = std::min<toff_t>(toff_t(n), s->capacity - s->position);
  std::memcpy(data, s->buffer + s->position, size_t(count));
  s->position += count;
  return tmsize_t(count);
}

tmsize_t WriteProc(thandle_t handle, void* data, tmsize_t n) {
  auto* s = static_cast<MemoryStream*>(handle);
  if (!s->writing || n <= 0) return 0;
  if (s->growing) {
    toff_t end = s->position + toff_t(n);
    if (end > toff_t(0x7FFFFFFF)) return 0;
    if (end > s->growing->size()) {
      // Keep the vector's size the file's length; reserve doubles.
      try {
        if (s->growing->capacity() < end) s->growing->reserve(std::max<size_t>(size_t(end), s->growing->capacity() * 2));
        s->growing->resize(size_t(end));
      } catch (const std::exception&) {
        return 0;
      }
    }
    std::memcpy(s->growing->data() + s->position, data, size_t(n));
    s->position = end;
    return n;
  }
  if (s->position >= s->capacity) return 0;
  toff_t count = std::min<toff_t>(toff_t(n), s->capacity - s->position);
  std::memcpy(s->buffer + s->position, data, size_t(count));
  s->position += count;
  if (toff_t(*s->length) < s->position) *s->length = int(s->position);
  return tmsize_t(count);
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
  auto* s = static_cast<MemoryStream*>(handle);
  // toff_t is unsigned; libtiff passes negative offsets as their two's
  // complement, so the arithmetic wraps as intended.
  toff_t target;
  switch (whence) {
    case SEEK_SET: target = offset; break;
    case SEEK_CUR: target = s->position + offset; break;
    case SEEK_END: target = Length(s) + offset; break;
    default: return toff_t(-1);
  }
  if (target > toff_t(0x7FFFFFFF)) return toff_t(-1);
  s->position = target;
  if (s->writing) {
    if (s->growing) {
      if (target > s->growing->size()) {
        try {
          s->growing->resize(size_t(target));
        } catch (const std::exception&) {
          return toff_t(-1);
        }
      }
    } else if (toff_t(*s->length) < std::min(target, s->capacity)) {
      *s->length = int(std::min(target, s->capacity));
    }
  }
  return s->position;
}

toff_t SizeProc(thandle_t handle) { return Length(static_cast<MemoryStream*>(handle)); }

int CloseProc(thandle_t handle) {
  delete static_cast<MemoryStream*>(handle);
  return 0;
}

int MapProc(thandle_t, void**, toff_t*) { return 0; }
void UnmapProc(thandle_t, void*, toff_t) {}

TIFF* OpenStream(MemoryStream* s) {
  TIFF* tiff = TIFFClientOpen("MemSource", s->writing ? "w" : "r", s, ReadProc, WriteProc, SeekProc, CloseProc,
                              SizeProc, MapProc, UnmapProc);
  // libtiff calls the close routine itself only when the open succeeded.
  if (!tiff) delete s;
  return tiff;
}

}  // namespace

TIFF* OpenTiffMemoryStream(PLBYTE* buffer, int capacity, int* length) {
  auto* s = new (std::nothrow) MemoryStream;
  if (!s) return nullptr;
  s->buffer = buffer;
  s->capacity = capacity > 0 ? toff_t(capacity) : 0;
  if (length) {
    s->writing = true;
    s->length = length;
    *length = 0;
  } else {
    s->ownLength = int(s->capacity);
    s->length = &s->ownLength;
  }
  return OpenStream(s);
}

TIFF* OpenTiffGrowingStream(std::vector<PLBYTE>* output) {
  auto* s = new (std::nothrow) MemoryStream;
  if (!s) return nullptr;
  output->clear();
  s->writing = true;
  s->growing = output;
  s->length = &s->ownLength;
  return OpenStream(s);
}

namespace {

void TiffError(const char* module, const char* format, va_list args) {
  char text[256];
  int n = std::snprintf(text, sizeof text, "%s: ", module ? module : "libtiff");
  if (n < 0 || n >= int(sizeof text)) n = 0;
  std::vsnprintf(text + n, sizeof text - size_t(n), format, args);
  std::string line = std::string(text) + "\n";
  Trace(0, line.c_str());
  RaiseError(2, text);
}

// libtiff's warnings are worth a trace but never stop a picture.
void TiffWarning(const char* module, const char* format, va_list args) {
  char message[256];
  std::vsnprintf(message, sizeof message, format, args);
  char line[320];
  if (module)
    std::snprintf(line, sizeof line, "Warning in LIBTIFF(%s): %s\n", module, message);
  else
    std::snprintf(line, sizeof line, "Warning in LIBTIFF: %s\n", message);
  Trace(2, line);
}

}  // namespace

void InstallTiffMessageHandlers() {
  static const bool installed = [] {
    TIFFSetErrorHandler(TiffError);
    TIFFSetWarningHandler(TiffWarning);
    return true;
  }();
  (void)installed;
}
