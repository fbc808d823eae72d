#include "platform/kernel/png_limits.h"

#include <cstdlib>

namespace {

// What the allocator holds on this thread: libpng's structures belong to the
// thread that reads, so the count needs no lock.
thread_local size_t t_live = 0;

// Each block carries its size in front, kept to the alignment malloc gives.
constexpr size_t kHeader = alignof(std::max_align_t);

png_voidp BoundedMalloc(png_structp, png_alloc_size_t size) {
  if (size > kPngMaxLibraryBytes || t_live + size > kPngMaxLibraryBytes) return nullptr;
  auto* block = static_cast<unsigned char*>(std::malloc(kHeader + size));
  if (!block) return nullptr;
  *reinterpret_cast<size_t*>(block) = size;
  t_live += size;
  return block + kHeader;
}

void BoundedFree(png_structp, png_voidp pointer) {
  if (!pointer) return;
  auto* block = static_cast<unsigned char*>(pointer) - kHeader;
  t_live -= *reinterpret_cast<size_t*>(block);
  std::free(block);
}

// Ancillary chunks whose whole length libpng would allocate before reading
// them, and which nothing here looks at.
constexpr png_byte kSkipped[] = {
    'i', 'C', 'C', 'P', 0,  //
    's', 'P', 'L', 'T', 0,  //
    't', 'E', 'X', 't', 0,  //
    'z', 'T', 'X', 't', 0,  //
    'i', 'T', 'X', 't', 0,  //
    'e', 'X', 'I', 'f', 0,
};
static_assert(sizeof kSkipped % 5 == 0);

}  // namespace

png_structp CreateLimitedPngReader(png_voidp errorPtr, png_error_ptr onError, png_error_ptr onWarning) {
  png_structp png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, errorPtr, onError, onWarning, nullptr,
                                             BoundedMalloc, BoundedFree);
  if (!png) return nullptr;
  png_set_user_limits(png, kPngMaxSide, kPngMaxSide);
  png_set_chunk_malloc_max(png, kPngMaxChunkBytes);
  png_set_chunk_cache_max(png, kPngMaxChunkCount);
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kSkipped, static_cast<int>(sizeof kSkipped / 5));
  return png;
}
