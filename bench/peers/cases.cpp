#include "bench/peers/cases.h"

#include <zint.h>

namespace peers {
namespace {

std::string Letters(size_t n) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s += static_cast<char>('a' + i % 26);
  return s;
}

std::string Alphanumerics(size_t n) {
  static constexpr char kSet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
  std::string s;
  for (size_t i = 0; i < n; ++i) s += kSet[(i * 7) % (sizeof kSet - 1)];
  return s;
}

// Bytes from 128 up, in a stride that visits all of them.
std::string HighBytes(size_t n) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s += static_cast<char>(128 + (i * 37) % 128);
  return s;
}

}  // namespace

std::vector<Case> PeerCases() {
  // Code 128 of 20 characters with 3-dot modules and 200-dot bars.
  const OurRequest code128{.type = 4, .narrowWidth = 3, .barHeight = 200};
  const PeerRequest code128Peer{.symbology = BARCODE_CODE128, .scale = 1.5f, .height = 200 / 3.0f};
  OurRequest code128Text = code128;
  code128Text.textRow = true;
  PeerRequest code128TextPeer = code128Peer;
  code128TextPeer.text = true;
  const OurRequest ean13{.type = 6, .narrowWidth = 3, .barHeight = 200, .textRow = true};
  // The library's text row is 100 dots (a 70-dot font 30 dots below the
  // bars), zint's 24 pixels: the same symbols again with a text row as tall
  // as zint's, for a like-for-like picture.
  OurRequest code128LowText = code128Text;
  code128LowText.textGap = 6;
  code128LowText.textHeight = 18;
  OurRequest ean13LowText = ean13;
  ean13LowText.textGap = 6;
  ean13LowText.textHeight = 18;
  const PeerRequest ean13Peer{.symbology = BARCODE_EANX, .scale = 1.5f, .height = 200 / 3.0f, .text = true};
  // Two-dimensional symbols: 4-dot modules (5 for the small Data Matrix). Our
  // QR level 0 is M and 1 is L; zint counts L = 1, M = 2.
  const OurRequest qr10{.type = 33, .moduleSize2D = 4, .qrLevel = 0};
  const PeerRequest qr10Peer{.symbology = BARCODE_QRCODE, .scale = 2, .option1 = 2, .option2 = 10};
  const OurRequest qr40{.type = 33, .moduleSize2D = 4, .qrLevel = 1};
  const PeerRequest qr40Peer{.symbology = BARCODE_QRCODE, .scale = 2, .option1 = 1, .option2 = 40};
  // zint numbers the square Data Matrix sizes: 10 is 32 x 32, 24 is 144 x 144.
  const OurRequest dm32{.type = 29, .moduleSize2D = 5, .rows = 32, .columns = 32};
  const PeerRequest dm32Peer{.symbology = BARCODE_DATAMATRIX, .scale = 2.5f, .option2 = 10};
  const OurRequest dm144{.type = 29, .moduleSize2D = 4, .rows = 144, .columns = 144};
  const PeerRequest dm144Peer{.symbology = BARCODE_DATAMATRIX, .scale = 2, .option2 = 24};
  // MaxiCode at 300 dpi; zint's scale 1 gives a picture of about the same size.
  const OurRequest maxi{.type = 28, .maxiMode = 4};
  const PeerRequest maxiPeer{.symbology = BARCODE_MAXICODE, .scale = 1, .option1 = 4};
  // PDF417 in byte compaction: 4-dot modules, rows three modules high (zint's
  // default and ours), security level 4 (the automatic level for 500 bytes).
  const OurRequest pdf417{.type = 27, .moduleSize2D = 4, .columns = 10, .pdfLevel = 4};
  const PeerRequest pdf417Peer{.symbology = BARCODE_PDF417, .scale = 2, .option1 = 4, .option2 = 10};
  const std::string maxiText = "MaxiCode mode 4: 123456789 Mixed Case Text, shifted and latched";

  return {
      {"Code 128, 20 characters, no text", "Tavrendel label 2026", code128, code128Peer, false, Goal::kFillTimes1_5},
      {"Code 128, 20 characters, text row", "Tavrendel label 2026", code128Text, code128TextPeer, false, Goal::kPeer},
      {"EAN-13 with text", "978030640615", ean13, ean13Peer, false, Goal::kPeer},
      {"Code 128, text row as tall as zint's", "Tavrendel label 2026", code128LowText, code128TextPeer, false,
       Goal::kPeer},
      {"EAN-13, text row as tall as zint's", "978030640615", ean13LowText, ean13Peer, false, Goal::kPeer},
      {"QR version 10-M, 300 alphanumerics", Alphanumerics(300), qr10, qr10Peer, false, Goal::kHalfPeer},
      {"QR version 40-L, 2953 bytes", Letters(2953), qr40, qr40Peer, false, Goal::kHalfPeer},
      {"Data Matrix 32x32, 5-dot modules", std::string(124, '7'), dm32, dm32Peer, false, Goal::kHalfPeer},
      {"Data Matrix 144x144", std::string(3000, '7'), dm144, dm144Peer, false, Goal::kHalfPeer},
      {"PDF417, 500 bytes in 10 columns", HighBytes(500), pdf417, pdf417Peer, false, Goal::kHalfPeer},
      {"MaxiCode mode 4", maxiText, maxi, maxiPeer, false, Goal::kHalfPeer},
      {"GetDIBits 800x200, 32 to 32 bits", "", {}, {}, true, Goal::kFillTimes2},
  };
}

const char* GoalText(Goal goal) {
  switch (goal) {
    case Goal::kFillTimes1_5: return "<= 1.5 x fill";
    case Goal::kFillTimes2: return "<= 2 x fill";
    case Goal::kPeer: return "<= zint";
    case Goal::kHalfPeer: return "<= 0.5 x zint";
  }
  return "";
}

}  // namespace peers
