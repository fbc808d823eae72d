// Bulk stores of pixel bytes: the fills and row copies that write whole runs
// of a bitmap. They are bound by their store instructions, so each comes in
// the widths of store the processor may have, the widest it runs chosen once.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/kernel/types.h"

namespace gdi {

// The ways of storing, narrowest first: 16-byte moves (or plain loops where
// those are missing), 32-byte ones and 64-byte ones.
enum class StoreWidth { k16, k32, k64 };

struct PixelStores {
  StoreWidth width;
  // n 32-bit values v from p.
  void (*fill32)(BYTE* p, size_t n, uint32_t v);
  // n 24-bit values from p: v's low three bytes, lowest first.
  void (*fill24)(BYTE* p, size_t n, uint32_t v);
  // n 32-bit pixels from `in` to `out`, their fourth bytes cleared (as every
  // write of a 32-bit pixel leaves them). The runs do not overlap.
  void (*copyClearing32)(BYTE* out, const BYTE* in, size_t n);
  // `rows` rows of `bytes` bytes from `in` to `out`, the next row of each
  // `inStep` and `outStep` bytes on (negative for rows stored bottom up; an
  // inStep of 0 copies one row to many). Source and target do not overlap.
  void (*copyRows)(BYTE* out, ptrdiff_t outStep, const BYTE* in, ptrdiff_t inStep, int rows, size_t bytes);
};

// The stores this processor runs best.
const PixelStores& Stores();

// The stores of one width, or null when the processor cannot run them; the
// tests compare every width against plain loops.
const PixelStores* StoresOfWidth(StoreWidth width);

}  // namespace gdi
