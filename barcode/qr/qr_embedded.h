// The QR Code tables compiled into the library by the build's table generator
// (barcode/tools/qr_tables_gen.cpp): the "TEXT" resources (compressed
// placement tables, remainder tables) and the function-pattern table.
#pragma once

#include <cstdint>
#include <span>

namespace kalvo::qr {

struct EmbeddedTextResource {
  int id;
  const uint8_t* data;
  uint32_t size;
};

// Every "TEXT" resource of the QR Code tables, by id.
std::span<const EmbeddedTextResource> EmbeddedTextResources();

// QrFunctionPatternTable: for each version 1..40 the (column, row) byte pairs
// of every dark function-pattern module, ended by the byte 255.
const uint8_t* QrFunctionPatternTable(int version);

}  // namespace kalvo::qr
