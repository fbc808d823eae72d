// The X11 back-end's tables and conversions without a server: key symbols
// to virtual keys and characters, cursor numbers to the theme's names, and
// clipboard pictures between DIB and PNG, malformed ones refused.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/win.h"
// The back-end's insides (and Xlib's macros) last.
#include "platform/display/x11/x11_display.h"
// clang-format off
#include <X11/keysym.h>
// clang-format on

namespace {

using namespace display::x11;

struct KeyCase {
  KeySym symbol;
  int vk;
  char32_t character;
};
const KeyCase kKeys[] = {
    {XK_a, 'A', U'a'},           {XK_Z, 'Z', U'Z'},          {XK_7, '7', U'7'},
    {XK_space, VK_SPACE, U' '},  {XK_Return, VK_RETURN, 0},  {XK_Tab, VK_TAB, 0},
    {XK_ISO_Left_Tab, VK_TAB, 0}, {XK_BackSpace, VK_BACK, 0}, {XK_Escape, VK_ESCAPE, 0},
    {XK_Delete, VK_DELETE, 0},   {XK_Left, VK_LEFT, 0},      {XK_Next, VK_NEXT, 0},
    {XK_F1, VK_F1, 0},           {XK_F12, VK_F1 + 11, 0},    {XK_Shift_L, VK_SHIFT, 0},
    {XK_Control_R, VK_CONTROL, 0}, {XK_Alt_L, VK_MENU, 0},   {XK_KP_3, VK_NUMPAD0 + 3, U'3'},
    {XK_comma, VK_OEM_COMMA, U','}, {XK_minus, VK_OEM_MINUS, U'-'}, {XK_udiaeresis, 0, U'ü'},
    {XK_EuroSign, 0, 0},         {0x10020AC, 0, U'€'},       {0x1F600 + 0x1000000, 0, U'\U0001F600'},
};

TEST(X11Tables, KeySymbolsToVirtualKeysAndCharacters) {
  for (const KeyCase& k : kKeys) {
    EXPECT_EQ(VirtualKeyOf(k.symbol), k.vk) << std::hex << k.symbol;
    EXPECT_EQ(CharacterOf(k.symbol), k.character) << std::hex << k.symbol;
  }
}

TEST(X11Tables, EverySystemCursorHasAThemeNameAndACoreShape) {
  for (int id : {32512, 32513, 32514, 32515, 32516, 32642, 32643, 32644, 32645, 32646, 32648, 32649, 32650, 32651}) {
    const CursorLook* look = CursorLookOf(id);
    ASSERT_NE(look, nullptr) << id;
    EXPECT_GT(std::strlen(look->themeName), 0u);
  }
  EXPECT_EQ(CursorLookOf(1), nullptr);
}

TEST(X11Tables, Utf8BothWays) {
  const std::u16string text = u"Grüße 漢字 \U0001F600";
  const std::string utf8 = ToUtf8(text);
  EXPECT_EQ(utf8, "Grüße 漢字 \xF0\x9F\x98\x80");
  EXPECT_EQ(FromUtf8(utf8), text);
}

std::vector<BYTE> Dib(int width, int height, int bits) {
  const int stride = ((width * bits + 31) / 32) * 4;
  std::vector<BYTE> dib(40 + static_cast<size_t>(stride) * (height < 0 ? -height : height), 0);
  auto put32 = [&](size_t at, int32_t v) { std::memcpy(dib.data() + at, &v, 4); };
  put32(0, 40);
  put32(4, width);
  put32(8, height);
  dib[12] = 1;
  dib[14] = static_cast<BYTE>(bits);
  for (size_t i = 40; i < dib.size(); ++i) dib[i] = static_cast<BYTE>(i * 29);
  return dib;
}

TEST(X11Tables, PictureThroughPngKeepsItsPixels) {
  for (int bits : {24, 32}) {
    for (int height : {3, -3}) {
      const std::vector<BYTE> dib = Dib(5, height, bits);
      std::vector<unsigned char> png;
      ASSERT_TRUE(DibToPng(dib, png)) << bits;
      std::vector<BYTE> back;
      ASSERT_TRUE(PngToDib(png, back));
      const int stride = ((5 * bits + 31) / 32) * 4;
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
          const int stored = height < 0 ? y : 2 - y;
          const BYTE* from = dib.data() + 40 + stored * stride + x * (bits / 8);
          const BYTE* to = back.data() + 40 + (y * 5 + x) * 4;
          EXPECT_EQ(std::memcmp(from, to, 3), 0) << bits << " " << height << " " << x << "," << y;
          EXPECT_EQ(to[3], 0xFF);
        }
    }
  }
}

TEST(X11Tables, MalformedPicturesAreRefused) {
  std::vector<unsigned char> png;
  EXPECT_FALSE(DibToPng({}, png));
  std::vector<BYTE> shortPixels = Dib(5, 3, 24);
  shortPixels.resize(shortPixels.size() - 1);
  EXPECT_FALSE(DibToPng(shortPixels, png)) << "pixels missing";
  EXPECT_FALSE(DibToPng(Dib(5, 3, 8), png)) << "palette pictures are not offered";
  std::vector<BYTE> huge = Dib(5, 3, 24);
  const int32_t big = 1 << 30;
  std::memcpy(huge.data() + 4, &big, 4);
  EXPECT_FALSE(DibToPng(huge, png)) << "a size the bytes cannot hold";
  std::vector<BYTE> dib;
  EXPECT_FALSE(PngToDib({1, 2, 3}, dib));
  ASSERT_TRUE(DibToPng(Dib(5, 3, 24), png));
  png.resize(png.size() / 2);
  EXPECT_FALSE(PngToDib(png, dib)) << "a PNG cut short";
}

}  // namespace
