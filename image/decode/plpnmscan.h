// The header scan and sample reading shared by the PPM and PGM decoders.
#pragma once

#include "image/io/pldatasource.h"

struct PLPNMHeader {
  int type = -1;  // 0 text, 1 binary, -1 unset
  int width = 0;
  int height = 0;
  int maxValue = 255;
};

namespace pl_pnm {

// Reads "P<c>" and the three numbers. text/binary are the identifier
// characters of the two types. False (after RaiseError with error) when the
// identifier or a number is not there.
bool ReadHeader(PLDataSource& s, char text, char binary, const char* error, PLPNMHeader& header);
// One decimal sample of a text file, scaled to 8 bits; whitespace and
// comments before it are skipped. End of data ends the number.
int ReadTextSample(PLDataSource& s, int maxValue);
// One sample of a binary file (two bytes, most significant first, when
// the maximum is above 255), scaled to 8 bits.
int ReadBinarySample(PLDataSource& s, int maxValue);

}  // namespace pl_pnm
