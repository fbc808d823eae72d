// Draws a sheet of text samples (faces, styles, angles, Chinese text, DrawText
// layouts) and writes it as a PNG under the build folder for a person to look at.

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/win.h"
#include "platform/testing/png_writer.h"

namespace {

class Sheet {
 public:
  static constexpr int kWidth = 900;
  static constexpr int kHeight = 640;

  Sheet() {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    std::memset(bits_, 0xFF, static_cast<size_t>(kWidth) * kHeight * 4);
    SetBkMode(dc_, TRANSPARENT);
  }
  ~Sheet() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }

  // Draws with a new font, then deletes it.
  template <class Fn>
  void WithFont(int height, const char* face, Fn draw, int escapement = 0, int weight = FW_NORMAL, bool italic = false,
                bool underline = false, bool strike = false, BYTE charset = DEFAULT_CHARSET, BYTE quality = 0) {
    HFONT font = CreateFontA(height, 0, escapement, escapement, weight, italic, underline, strike, charset, 0, 0,
                             quality, 0, face);
    HGDIOBJ old = SelectObject(dc_, font);
    draw();
    SelectObject(dc_, old);
    DeleteObject(font);
  }

  void Frame(const RECT& r) {
    const COLORREF saved = SetBkColor(dc_, RGB(160, 160, 160));
    const RECT edges[] = {{r.left - 1, r.top - 1, r.right + 1, r.top},
                          {r.left - 1, r.bottom, r.right + 1, r.bottom + 1},
                          {r.left - 1, r.top, r.left, r.bottom},
                          {r.right, r.top, r.right + 1, r.bottom}};
    for (const RECT& e : edges) ExtTextOutA(dc_, 0, 0, ETO_OPAQUE, &e, "", 0, nullptr);
    SetBkColor(dc_, saved);
  }

  int InkIn(const RECT& r) const {
    int n = 0;
    for (int y = std::max<LONG>(0, r.top); y < std::min<LONG>(kHeight, r.bottom); ++y)
      for (int x = std::max<LONG>(0, r.left); x < std::min<LONG>(kWidth, r.right); ++x) {
        const BYTE* p = bits_ + (static_cast<size_t>(y) * kWidth + x) * 4;
        n += !(p[0] == 0xFF && p[1] == 0xFF && p[2] == 0xFF);
      }
    return n;
  }

  bool Save(const std::string& path) const { return tavtest::WritePng(path, kWidth, kHeight, bits_); }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  BYTE* bits_ = nullptr;
};

TEST(TextSheet, DrawsFacesStylesAnglesAndLayouts) {
  Sheet sheet;
  HDC dc = sheet.dc();
  std::vector<RECT> samples;  // every area that must hold ink

  // Faces and sizes, anti-aliased (the default on a 32-bit target) and not.
  struct Row {
    const char* face;
    int height;
    BYTE quality;
  };
  int y = 8;
  for (const Row row : {Row{"Arial", -13, 0}, Row{"Arial", -20, 0}, Row{"Times New Roman", -20, 0},
                        Row{"Courier New", -18, 0}, Row{"MS Sans Serif", -16, 0},
                        Row{"Arial", -20, NONANTIALIASED_QUALITY}}) {
    sheet.WithFont(row.height, row.face, [&] {
      char text[96];
      std::snprintf(text, sizeof text, "%s %d%s: Label 0123456789 (\xC4\xD6\xDC \xE9)", row.face, -row.height,
                    row.quality == NONANTIALIASED_QUALITY ? " mono" : "");
      TextOutA(dc, 10, y, text, static_cast<int>(std::strlen(text)));
      SIZE size{};
      GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
      samples.push_back({10, y, 10 + size.cx, y + size.cy});
      y += size.cy + 4;
    }, 0, FW_NORMAL, false, false, false, DEFAULT_CHARSET, row.quality);
  }

  // Styles: bold, italic, underline, strike-out, opaque background, colour.
  sheet.WithFont(-20, "Arial", [&] { TextOutA(dc, 10, y, "Bold", 4); }, 0, FW_BOLD);
  sheet.WithFont(-20, "Arial", [&] { TextOutA(dc, 70, y, "Italic", 6); }, 0, FW_NORMAL, true);
  sheet.WithFont(-20, "Arial", [&] { TextOutA(dc, 140, y, "Underline", 9); }, 0, FW_NORMAL, false, true);
  sheet.WithFont(-20, "Arial", [&] { TextOutA(dc, 240, y, "Strike", 6); }, 0, FW_NORMAL, false, false, true);
  sheet.WithFont(-20, "WenQuanYi Micro Hei", [&] { TextOutA(dc, 320, y, "Synthetic bold", 14); }, 0, FW_BOLD);
  sheet.WithFont(-20, "Courier New", [&] {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(255, 240, 120));
    SetTextColor(dc, RGB(180, 0, 0));
    TextOutA(dc, 480, y, "Opaque cell", 11);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
  });
  samples.push_back({10, y, 640, y + 22});
  y += 34;

  // Chinese text from code page 936 bytes, and UTF-16.
  sheet.WithFont(-28, "SimSun", [&] {
    const char gbk[] = "GB2312: \xD6\xD0\xCE\xC4\xB1\xEA\xC7\xA9 \xCC\xF5\xC2\xEB";  // 中文标签 条码
    TextOutA(dc, 10, y, gbk, static_cast<int>(std::strlen(gbk)));
  }, 0, FW_NORMAL, false, false, false, GB2312_CHARSET);
  sheet.WithFont(-28, "Arial", [&] {
    const WCHAR mixed[] = u"Arial + fallback: \u65e5\u672c\u8a9e \ud55c\uad6d\uc5b4";
    TextOutW(dc, 330, y, mixed, static_cast<int>(std::char_traits<char16_t>::length(mixed)));
  });
  samples.push_back({10, y, 700, y + 32});
  y += 44;

  // DrawText layouts in frames.
  const RECT wrap{10, y, 230, y + 110};
  const RECT ellipses[] = {{250, y, 430, y + 22}, {250, y + 30, 430, y + 52}, {250, y + 60, 430, y + 82}};
  const RECT tabs{250, y + 90, 520, y + 110};
  sheet.WithFont(-14, "Arial", [&] {
    for (const RECT& r : {wrap, ellipses[0], ellipses[1], ellipses[2], tabs}) sheet.Frame(r);
    RECT r = wrap;
    DrawTextA(dc, "Word-wrapped and centred: the quick brown fox jumps over the lazy dog. &Mnemonic underlined.", -1,
              &r, DT_WORDBREAK | DT_CENTER);
    r = ellipses[0];
    DrawTextA(dc, "End ellipsis on a caption that is far too long", -1, &r,
              DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    r = ellipses[1];
    DrawTextA(dc, "/home/user/labels/warehouse/shelf-17.lbl", -1, &r, DT_SINGLELINE | DT_VCENTER | DT_PATH_ELLIPSIS);
    r = ellipses[2];
    DrawTextA(dc, "Word ellipsis keeps whole words only", -1, &r, DT_SINGLELINE | DT_VCENTER | DT_WORD_ELLIPSIS);
    r = tabs;
    DrawTextA(dc, "Qty\t12\tPrice\t3.50", -1, &r, DT_SINGLELINE | DT_EXPANDTABS | DT_RIGHT | DT_BOTTOM);
  });
  for (const RECT& r : {wrap, ellipses[0], ellipses[1], ellipses[2], tabs}) samples.push_back(r);

  // Escapement: a rosette of turned strings.
  for (int angle = 0; angle < 3600; angle += 450)
    sheet.WithFont(-16, "Arial", [&] { TextOutA(dc, 720, 470, "    turned text", 15); }, angle);
  samples.push_back({600, 350, 840, 590});

  // A world transform (advanced mode): text sheared and turned 20 degrees.
  sheet.WithFont(-22, "Times New Roman", [&] {
    SetGraphicsMode(dc, GM_ADVANCED);
    const double a = 20 * 3.14159265358979 / 180;
    const XFORM xf{static_cast<FLOAT>(std::cos(a)), static_cast<FLOAT>(-std::sin(a)),
                   static_cast<FLOAT>(std::sin(a) + 0.3), static_cast<FLOAT>(std::cos(a)), 40, 600};
    SetWorldTransform(dc, &xf);
    TextOutA(dc, 0, 0, "World transform: turned and sheared", 35);
    const XFORM identity{1, 0, 0, 1, 0, 0};
    SetWorldTransform(dc, &identity);
    SetGraphicsMode(dc, GM_COMPATIBLE);
  });
  samples.push_back({40, 460, 440, 630});

  for (const RECT& r : samples) EXPECT_GT(sheet.InkIn(r), 20) << r.left << "," << r.top;
  const std::string path = std::string(TAV_BUILD_DIR) + "/text_sheet.png";
  ASSERT_TRUE(sheet.Save(path));
  std::printf("text sheet: %s\n", path.c_str());
}

}  // namespace
