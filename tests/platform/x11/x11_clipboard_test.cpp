// The clipboard bridged to the desktop's CLIPBOARD selection, checked with
// xclip: text with characters beyond ASCII both ways, text large enough to
// go in pieces (INCR) both ways, and a picture both ways (image/png, read
// and written by ImageMagick on the other side).
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/platform/x11/x11_fixture.h"

namespace {

using x11test::X11Fixture;

const char kUtf8[] = "Grüße, Łódź — 漢字 ✓";
const char16_t kWide[] = u"Grüße, Łódź — 漢字 ✓";

void PutText(std::u16string_view text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL m = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
  auto* p = static_cast<char16_t*>(GlobalLock(m));
  std::memcpy(p, text.data(), text.size() * sizeof(char16_t));
  p[text.size()] = 0;
  GlobalUnlock(m);
  SetClipboardData(CF_UNICODETEXT, m);
  CloseClipboard();
}

std::u16string TakeText() {
  std::u16string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const char16_t*>(GlobalLock(h));
    GlobalUnlock(h);
  }
  CloseClipboard();
  return text;
}

// A small picture whose every pixel differs: 0xRRGGBB rows, top first.
std::vector<uint32_t> Pattern(int width, int height) {
  std::vector<uint32_t> p;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) p.push_back(static_cast<uint32_t>((x * 40) << 16 | (y * 60) << 8 | (x * 7 + y * 13)));
  return p;
}

std::string Rgb(const std::vector<uint32_t>& pixels) {
  std::string out;
  for (uint32_t v : pixels) {
    out += static_cast<char>(v >> 16);
    out += static_cast<char>(v >> 8);
    out += static_cast<char>(v);
  }
  return out;
}

class X11Clipboard : public X11Fixture {
 protected:
  void SetUp() override { StartDesktop(false); }
  // Copies into the desktop's clipboard with xclip, which serves it from a
  // process of its own once it has taken the selection.
  void CopyWithXclip(std::string_view data, const char* target) {
    ::Display* x = x11_->Connection();
    const Atom clipboard = XInternAtom(x, "CLIPBOARD", False);
    const ::Window before = XGetSelectionOwner(x, clipboard);
    ASSERT_EQ(server_->Run({"xclip", "-selection", "clipboard", "-i", "-t", target}, nullptr, data), 0);
    auto taken = [&] {
      const ::Window now = XGetSelectionOwner(x, clipboard);
      return now != None && now != before;
    };
    for (int tries = 0; tries < 500 && !taken(); ++tries) usleep(10000);
    ASSERT_TRUE(taken()) << "xclip never took the clipboard";
  }
};

TEST_F(X11Clipboard, TextGoesOutAsUtf8) {
  PutText(kWide);
  Settle();
  EXPECT_EQ(RunServed({"xclip", "-selection", "clipboard", "-o", "-t", "UTF8_STRING"}), kUtf8);
  // TEXT is answered in UTF-8 too; TARGETS lists what is offered.
  EXPECT_EQ(RunServed({"xclip", "-selection", "clipboard", "-o", "-t", "TEXT"}), kUtf8);
  const std::string targets = RunServed({"xclip", "-selection", "clipboard", "-o", "-t", "TARGETS"});
  EXPECT_NE(targets.find("UTF8_STRING"), std::string::npos) << targets;
}

TEST_F(X11Clipboard, TextComesInFromAnotherProgram) {
  CopyWithXclip(kUtf8, "UTF8_STRING");
  EXPECT_EQ(TakeText(), kWide);
}

TEST_F(X11Clipboard, LargeTextGoesInPiecesBothWays) {
  std::u16string big;
  while (big.size() < 400000) big += u"Žluťoučký kůň 12345 ";
  PutText(big);
  Settle();
  const std::string out = RunServed({"xclip", "-selection", "clipboard", "-o", "-t", "UTF8_STRING"});
  EXPECT_EQ(out, display::x11::ToUtf8(big)) << "sizes " << out.size();
  std::string in;
  while (in.size() < 700000) in += "Grüße 漢字 ";
  CopyWithXclip(in, "UTF8_STRING");
  EXPECT_EQ(TakeText(), display::x11::FromUtf8(in));
}

TEST_F(X11Clipboard, PictureGoesOutAsPng) {
  constexpr int kWidth = 5, kHeight = 3;
  const std::vector<uint32_t> pattern = Pattern(kWidth, kHeight);
  // A bottom-up 24-bit DIB, rows padded to four bytes.
  const int stride = (kWidth * 3 + 3) & ~3;
  std::vector<BYTE> dib(40 + static_cast<size_t>(stride) * kHeight, 0);
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(dib.data() + at, &v, 4); };
  put32(0, 40);
  put32(4, kWidth);
  put32(8, kHeight);
  dib[12] = 1;
  dib[14] = 24;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      BYTE* px = dib.data() + 40 + static_cast<size_t>(kHeight - 1 - y) * stride + x * 3;
      const uint32_t v = pattern[static_cast<size_t>(y) * kWidth + x];
      px[0] = static_cast<BYTE>(v);
      px[1] = static_cast<BYTE>(v >> 8);
      px[2] = static_cast<BYTE>(v >> 16);
    }
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL m = GlobalAlloc(GMEM_MOVEABLE, dib.size());
  std::memcpy(GlobalLock(m), dib.data(), dib.size());
  GlobalUnlock(m);
  SetClipboardData(CF_DIB, m);
  CloseClipboard();
  Settle();
  const std::string png = RunServed({"xclip", "-selection", "clipboard", "-o", "-t", "image/png"});
  ASSERT_GT(png.size(), 8u);
  // ImageMagick, not our reader, says what the PNG holds.
  std::string rgb;
  ASSERT_EQ(server_->Run({"convert", "png:-", "-depth", "8", "rgb:-"}, &rgb, png), 0);
  EXPECT_EQ(rgb, Rgb(pattern));
}

TEST_F(X11Clipboard, PictureComesInFromPng) {
  constexpr int kWidth = 6, kHeight = 4;
  const std::vector<uint32_t> pattern = Pattern(kWidth, kHeight);
  const std::string ppm = "P6\n" + std::to_string(kWidth) + " " + std::to_string(kHeight) + "\n255\n" + Rgb(pattern);
  std::string png;
  ASSERT_EQ(server_->Run({"convert", "ppm:-", "png:-"}, &png, ppm), 0);
  CopyWithXclip(png, "image/png");
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE h = GetClipboardData(CF_DIB);
  ASSERT_TRUE(h);
  const auto* dib = static_cast<const BYTE*>(GlobalLock(h));
  int32_t width, height;
  uint16_t bits;
  std::memcpy(&width, dib + 4, 4);
  std::memcpy(&height, dib + 8, 4);
  std::memcpy(&bits, dib + 14, 2);
  EXPECT_EQ(width, kWidth);
  EXPECT_EQ(height, -kHeight) << "top-down";
  ASSERT_EQ(bits, 32);
  std::vector<uint32_t> got;
  for (int i = 0; i < kWidth * kHeight; ++i) {
    const BYTE* px = dib + 40 + i * 4;
    got.push_back(static_cast<uint32_t>(px[2]) << 16 | px[1] << 8 | px[0]);
  }
  GlobalUnlock(h);
  CloseClipboard();
  EXPECT_EQ(got, pattern);
}

}  // namespace
