// libFuzzer target: the barcode library's main entry over every symbology and
// option. The first bytes of the input are the request's settings (symbology,
// sub-type, flags, sizes, levels, columns, rows, modes, resolutions), the rest
// its data; for MaxiCode's carrier message and several application
// identifiers the data is cut at 0x1F into the message fields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "barcode/kalvo.h"

namespace {

constexpr size_t kSettings = 18;
constexpr int kResolutions[] = {0, 1, 72, 96, 200, 203, 300, 600};

std::vector<std::string> Fields(const uint8_t* data, size_t size) {
  std::vector<std::string> fields(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0x1F) {
      fields.emplace_back();
    } else {
      fields.back() += static_cast<char>(data[i]);
    }
  }
  return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size) {
  if (size < kSettings) return 0;
  const uint8_t* s = input;
  const uint8_t* data = input + kSettings;
  const size_t dataSize = size - kSettings;

  CBCode code;
  code.type = static_cast<uint16_t>(s[0] % (kalvo::kSymbologyCount + 2));
  code.subType = static_cast<uint16_t>(s[1] % 6);
  code.textPosition = static_cast<uint8_t>(s[2] % 3);
  code.noText = (s[2] >> 2) & 1;
  code.textSpaceOnly = (s[2] >> 3) & 1;
  code.longGuards = (s[2] >> 4) & 1;
  code.deviceUnits = ((s[2] >> 5) & 1) ^ 1;
  code.textShowsCheck = (s[2] >> 6) & 1;
  code.useTextMask = (s[2] >> 7) & 1;
  const int measureOnly = s[3] & 1;
  code.textShowsStars = (s[3] >> 1) & 1;
  code.textShowsStartStop = (s[3] >> 2) & 1;
  code.codabarStart = (s[3] >> 3) & 3;
  code.codabarStop = (s[3] >> 5) & 3;
  code.addMod10 = (s[3] >> 7) & 1;
  code.narrowWidth = static_cast<uint16_t>(1 + s[4] % 8);
  code.ratio = static_cast<uint16_t>(150 + s[5] % 200);
  code.barHeight = 1 + s[6] % 160;
  code.textGap = s[7] % 24;
  code.textHeight = s[8] % 48;
  code.textAlign = static_cast<int8_t>(s[9]);
  code.moduleSize2D = static_cast<uint16_t>(s[10] % 12);
  code.rowHeight2D = static_cast<uint16_t>(s[11] % 12);
  code.qrLevel = static_cast<uint16_t>(s[12] % 9);
  code.pdfSecurity = static_cast<uint8_t>(s[12] >> 4);
  code.pdfTruncated = s[13] & 1;
  code.symbolColumns = static_cast<int16_t>(static_cast<int8_t>(s[13]) >> 1);
  code.symbolRows = static_cast<int16_t>(static_cast<int8_t>(s[14]));
  code.maxiMode = static_cast<uint8_t>(s[15] % 8);
  code.microPdfSize = static_cast<int16_t>(s[15] >> 3);
  code.resolution = kResolutions[s[16] % 8];
  code.targetResolution = kResolutions[(s[16] >> 3) % 8];
  code.barShrink = static_cast<int16_t>(s[17] % 4);
  code.mod10Start = (s[17] >> 2) % 8;
  code.aiParentheses = (s[17] >> 5) & 1;

  const std::vector<std::string> fields = Fields(data, dataSize);
  for (size_t i = 0; i < fields.size() && i < 13; ++i) code.upsFields[i] = fields[i].c_str();
  for (size_t i = 0; i + 1 < fields.size() && i < 12; i += 2) {
    code.aiNames[i / 2] = fields[i].c_str();
    code.aiValues[i / 2] = fields[i + 1].c_str();
  }
  if (code.useTextMask != 0 && !fields.empty()) code.textMask = fields.back().c_str();

  // The designer's buffers: data and text each 64 bytes beyond their lengths.
  const bool severalAis = code.type == kalvo::CodeOf(kalvo::Symbology::UccEan128Ais);
  code.dataLength = severalAis ? 256 : static_cast<int32_t>(dataSize);
  code.data = static_cast<char*>(std::calloc(static_cast<size_t>(code.dataLength) + 64, 1));
  std::memcpy(code.data, data, std::min<size_t>(dataSize, static_cast<size_t>(code.dataLength)));
  code.hrLength = severalAis ? 256 : code.dataLength * 3 / 2;
  code.hrText = static_cast<char*>(std::calloc(static_cast<size_t>(code.hrLength) + 64, 1));
  code.ResetErrors();

  kvoBCode(0, &code, measureOnly);
  if (code.bitmap != nullptr) DeleteObject(code.bitmap);
  return 0;
}
