// What zxing-cpp reads from a picture the program printed.
#pragma once

#include <string>

#include "tests/dialogs/barcode/field_on_label.h"

namespace programtest {

// The Code 128 in a picture file.
inline std::string Code128In(const std::string& picture) {
  const auto rgb = document_test::ReadWithImageMagick(picture);
  if (!rgb) return "(unreadable)";
  const std::string read = barcode_sheet_test::ReadSymbol(barcode_sheet_test::GreyOf(*rgb), ZXing::BarcodeFormat::Code128);
  return read.empty() ? "(nothing read)" : read;
}

}  // namespace programtest
