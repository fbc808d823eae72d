// The human-readable text of a request.
#pragma once

#include <string>
#include <string_view>

#include "barcode/request/cbcode.h"

namespace kalvo {

// Builds the human-readable text and stores it in hrText / hrLength. Returns
// kDone, or kDataTooLong when the text (or, for several application
// identifiers, the data) does not fit the request's buffer.
int MakeHumanReadable(CBCode& code, bool fromText);

// Capacity in bytes (terminator included) of a request buffer whose length
// field says `length` (the designer allocates length + 64).
inline int RequestCapacity(int length) { return (length > 0 ? length : 0) + 64; }

// Copies `text` and its terminator into a request buffer of `capacity` bytes;
// false (nothing written) when it does not fit.
bool CopyToBuffer(char* buffer, int capacity, std::string_view text);

// The request's data as a string (empty when there is none).
std::string DataOf(const CBCode& code);

}  // namespace kalvo
