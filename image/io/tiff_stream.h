// libtiff client streams over memory (opened under the name "MemSource").
#pragma once

#include <tiffio.h>

#include <vector>

#include "image/bitmap/plbmp.h"

// Over a fixed block: reading when length is null (the length is the
// capacity), writing when it is given (set to 0, then the end of the written
// data). Reads and writes at or past the capacity move no bytes.
TIFF* OpenTiffMemoryStream(PLBYTE* buffer, int capacity, int* length);

// Writing into a vector that grows as libtiff writes and seeks; the vector
// holds the file after TIFFClose. It must outlive the TIFF handle.
TIFF* OpenTiffGrowingStream(std::vector<PLBYTE>* output);

// Routes libtiff's errors to RaiseError (code 2) and drops its warnings;
// process-wide, installed once by the first caller.
void InstallTiffMessageHandlers();
