#include "barcode/pdf417/pdf417_codewords.h"

#include <algorithm>
#include <cmath>

#include "barcode/pdf417/pdf417_tables.h"
#include "barcode/pdf417/pdf417_reed_solomon.h"

namespace kalvo::pdf417 {
namespace {

constexpr int kMaxCodewordStageLength = 1500;
constexpr std::array<int, 8> kMicroFill = {838, 779, 867, 865, 898, 868, 839, 900};

// Errors of the codeword stage shared by both symbologies.
bool CheckStageLength(std::span<const uint8_t> text, Pdf417Codewords& out) {
  if (text.empty()) {
    out.errorCode = kDataEmpty;
    out.errorValue = 1;
    return false;
  }
  if (text.size() > static_cast<size_t>(kMaxCodewordStageLength)) {
    out.errorCode = kDataTooLong;
    out.errorValue = kMaxCodewordStageLength;
    return false;
  }
  return true;
}

void BuildPdf417(const Pdf417Request& request, Pdf417Codewords& out) {
  const int length = static_cast<int>(request.text.size());
  if (length > 2709) {
    out.errorCode = kDataTooLong;
    out.errorValue = 2710;
    return;
  }
  out.limits = {30, 999, 3222, 2710, 512};
  out.rows = request.rows >= 3 && request.rows <= 90 ? request.rows : 999;
  out.level = request.level >= 0 && request.level <= 8 ? request.level : Pdf417AutomaticLevel(length);
  out.columns = request.columns >= 1 && request.columns <= 30
                    ? request.columns
                    : std::min(30, std::max(1, static_cast<int>(std::sqrt(length / 5.0))));
  if (!CheckStageLength(request.text, out)) return;

  std::vector<int> data{0};  // the length descriptor, filled in below
  const std::vector<int> encoded = EncodePdf417Data(Symbology::Pdf417, request.text);
  data.insert(data.end(), encoded.begin(), encoded.end());
  const int k = 2 << out.level;
  int total = static_cast<int>(data.size()) + k;
  // The symbol holds at most 928 codewords in at most 90 rows.
  const int capacity = std::min(kMaxSymbolCodewords, kMaxRows * out.columns);
  if (total > capacity) {
    out.errorCode = kDataTooLong;
    out.errorValue = capacity - k;
    out.errorNeeded = static_cast<int>(data.size());
    return;
  }
  // At least three rows: fewer columns where the data is short.
  while (out.columns > 1 && (total + out.columns - 1) / out.columns < kMinRows) --out.columns;
  while ((total + out.columns - 1) / out.columns < kMinRows) {
    data.push_back(kTextLatch);
    ++total;
  }
  while (total % out.columns != 0) {
    data.push_back(kTextLatch);
    ++total;
  }
  data[0] = static_cast<int>(data.size());
  const std::vector<int> check = Pdf417CheckCodewords(data, k);
  data.insert(data.end(), check.begin(), check.end());
  out.limits.totalCodewords = total;
  out.rows = total / out.columns;
  out.codewords = std::move(data);
}

void BuildMicroPdf417(const Pdf417Request& request, Pdf417Codewords& out) {
  if (request.text.size() > 366) {
    out.errorCode = kDataTooLong;
    out.errorValue = 365;
    return;
  }
  out.microIndex = std::clamp(request.microIndex, 0, static_cast<int>(MicroPdfSizeTable.size()) - 1);
  const MicroPdfSize& size = MicroPdfSizeTable[out.microIndex];
  const int capacity = size.columns * size.rows - size.checkCodewords;
  out.columns = size.columns;
  out.rows = size.rows;
  out.limits = {4, 44, size.columns * size.rows, capacity, size.checkCodewords};
  if (!CheckStageLength(request.text, out)) return;

  std::vector<int> data = EncodePdf417Data(Symbology::MicroPdf417, request.text);
  const int needed = static_cast<int>(data.size());
  if (needed > capacity) {
    out.errorCode = kDataTooLong;
    out.errorValue = capacity;
    out.errorNeeded = needed;
    return;
  }
  if (needed < capacity) {
    data.push_back(kTextLatch);
    for (size_t i = 0; static_cast<int>(data.size()) < capacity; ++i) data.push_back(kMicroFill[i % kMicroFill.size()]);
  }
  const std::vector<int> check = Pdf417CheckCodewords(data, size.checkCodewords);
  data.insert(data.end(), check.begin(), check.end());
  out.codewords = std::move(data);
}

}  // namespace

int Pdf417AutomaticLevel(int n) {
  for (int level = 8; level >= 0; --level)
    if (10 * (2 << level) <= n) return level;
  return 0;
}

Pdf417Codewords BuildPdf417Codewords(const Pdf417Request& request) {
  Pdf417Codewords out;
  if (request.symbology == Symbology::Pdf417)
    BuildPdf417(request, out);
  else
    BuildMicroPdf417(request, out);
  return out;
}

}  // namespace kalvo::pdf417
