// The QR Code tables made at build time by barcode/tools/qr_tables_gen.cpp:
// the "TEXT" resources (compressed placement tables, remainder tables),
// compiled from the generated resource script into the library's resources,
// and the function-pattern table, compiled in as a byte array.
#pragma once

#include <cstdint>
#include <span>

#include "platform/kernel/types.h"

namespace kalvo::qr {

// The compiled resource file of the "TEXT" resources (made by the build).
std::span<const BYTE> QrTextResourceFile();

// The "TEXT" resource of a numeric id, through the resource calls of the
// module this code is linked into (its resource file is registered for it on
// first use); an empty span when there is none.
std::span<const uint8_t> FindQrTextResource(int id);

// QrFunctionPatternTable: for each version 1..40 the (column, row) byte pairs
// of every dark function-pattern module, ended by the byte 255.
const uint8_t* QrFunctionPatternTable(int version);

}  // namespace kalvo::qr
