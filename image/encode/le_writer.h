// Little-endian fields written into a sink.
#pragma once

#include <cstdint>

#include "image/io/pldatasink.h"

inline void WriteLE16(PLDataSink* sink, uint16_t v) {
  const PLBYTE b[2] = {PLBYTE(v), PLBYTE(v >> 8)};
  sink->WriteBytes(2, b);
}

inline void WriteLE32(PLDataSink* sink, uint32_t v) {
  const PLBYTE b[4] = {PLBYTE(v), PLBYTE(v >> 8), PLBYTE(v >> 16), PLBYTE(v >> 24)};
  sink->WriteBytes(4, b);
}
