// The one place a PNG reader is made: every reader of PNG data (the image
// library's decoder, the desktop clipboard's pictures) starts from the read
// structure made here, so each limit holds for all of them. The limits:
//   - a side of at most kPngMaxSide pixels (callers bound the pixel count
//     they allocate for themselves);
//   - no single chunk buffer above kPngMaxChunkBytes, and at most
//     kPngMaxChunkCount ancillary chunks kept;
//   - the ancillary chunks the program never reads (text, profiles,
//     suggested palettes, Exif) are skipped unread, so no chunk length a
//     file claims is ever allocated;
//   - libpng's own memory goes through a bounded allocator that refuses to
//     hold more than kPngMaxLibraryBytes at once (the caller's pixel rows
//     are its own).
#pragma once

#include <png.h>

#include <cstddef>
#include <cstdint>

inline constexpr uint32_t kPngMaxSide = 1u << 20;
inline constexpr size_t kPngMaxChunkBytes = size_t{4} << 20;
inline constexpr uint32_t kPngMaxChunkCount = 256;
// Enough for libpng's row buffers at the widest side in 16-bit RGBA, its
// inflate state and the largest chunk.
inline constexpr size_t kPngMaxLibraryBytes = size_t{48} << 20;

// A read structure with the limits set; error and warning as
// png_create_read_struct takes them (null: libpng's own). Null when libpng
// cannot make one. Freed with png_destroy_read_struct.
png_structp CreateLimitedPngReader(png_voidp errorPtr, png_error_ptr onError, png_error_ptr onWarning);
