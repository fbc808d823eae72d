// The Chinese interface's menu labels have a glyph for every character, in
// whichever face the menus pick from the fonts the machine has. The test
// build runs this suite twice: with the tests' own fonts, and with the fonts
// a desktop commonly has besides (TAV_DESKTOP_FONTS set, where the menus pick
// a different face). A character without a glyph would draw nothing or the
// face's missing-glyph box, the same picture for every such character, so
// each character must leave ink and distinct characters distinct pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../dialog_script.h"
#include "app/frame/owner_draw_menu.h"
#include "app/ui/ui_language.h"
#include "frame_test_app.h"
#include "frame_test_util.h"
#include "platform/gdi/font_engine.h"
#include "platform/testing/ui.h"

namespace {

using frametest::CFrameTestApp;

// One character drawn alone in a font, black on white: the pixels that are
// not white, as rows of 0/1.
std::vector<uint8_t> Ink(HFONT font, char16_t ch, int size) {
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, size, size);
  ::ReleaseDC(nullptr, screen);
  HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
  HGDIOBJ oldFont = ::SelectObject(dc, font);
  RECT all{0, 0, size, size};
  ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::SetTextColor(dc, RGB(0, 0, 0));
  ::SetBkMode(dc, TRANSPARENT);
  ::TextOutW(dc, 2, 2, reinterpret_cast<LPCWSTR>(&ch), 1);
  std::vector<uint8_t> ink;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) ink.push_back(::GetPixel(dc, x, y) != RGB(255, 255, 255));
  ::SelectObject(dc, oldFont);
  ::SelectObject(dc, oldBitmap);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  return ink;
}

// Simplified Chinese labels are GBK.
std::u16string Wide(const AString& text) {
  const int n = ::MultiByteToWideChar(936, 0, text.GetData(), text.GetLength(), nullptr, 0);
  std::u16string out(static_cast<size_t>(n), u'\0');
  ::MultiByteToWideChar(936, 0, text.GetData(), text.GetLength(), reinterpret_cast<LPWSTR>(out.data()), n);
  return out;
}

class MenuGlyphs : public ::testing::Test {
 protected:
  void SetUp() override {
    app = std::make_unique<CFrameTestApp>();
    app->m_profile = dir / "frame.ini";
    ASSERT_TRUE(app->InitInstance());
    frame = static_cast<CMainFrame*>(app->m_pMainWnd);
    frametest::Pump(app.get());
  }
  void TearDown() override {
    if (app->m_pMainWnd) ::SendMessageA(app->m_pMainWnd->m_hWnd, WM_CLOSE, 0, 0);
    uitest::RunUntilIdle();
    app->ExitInstance();
    app.reset();
    CWnd::DeleteTempMap();
  }
  frametest::Scratch dir;
  std::unique_ptr<CFrameTestApp> app;
  CMainFrame* frame = nullptr;
};

TEST_F(MenuGlyphs, EveryCharacterOfTheChineseLabelsHasItsGlyph) {
  if (std::getenv("TAV_DESKTOP_FONTS")) {
    // The run with a desktop's fonts must really have them.
    std::vector<std::u16string> families;
    for (const auto& f : tav::font::ListFamilies()) families.push_back(f.family);
    for (const std::u16string desktop : {u"Droid Sans Fallback", u"Nimbus Sans"})
      EXPECT_NE(std::find(families.begin(), families.end(), desktop), families.end())
          << std::string(desktop.begin(), desktop.end()) << " is not among the fonts";
  }
  apptest::LanguageScope chinese(kUiChineseSimplified);
  frame->RebuildMenus();
  HFONT font = MenuLabelFont();
  LOGFONTA face{};
  ::GetObjectA(font, sizeof face, &face);
  RecordProperty("menu_face", face.lfFaceName);
  std::map<char16_t, std::vector<uint8_t>> pictures;
  for (const COwnerDrawMenuTable& table : frame->m_menuTables)
    for (int i = 0; i < table.Count(); ++i)
      for (const char16_t ch : Wide(MenuItemLabel(*table.Record(i))))
        if (ch >= 0x2E80 && !pictures.count(ch)) pictures[ch] = Ink(font, ch, 48);
  ASSERT_GT(pictures.size(), 40u) << "the labels are in Chinese";
  std::map<std::vector<uint8_t>, char16_t> seen;
  for (const auto& [ch, ink] : pictures) {
    EXPECT_GT(std::count(ink.begin(), ink.end(), 1), 12) << "U+" << std::hex << static_cast<int>(ch) << " in "
                                                         << face.lfFaceName << " leaves no ink";
    const auto [at, fresh] = seen.emplace(ink, ch);
    EXPECT_TRUE(fresh) << std::hex << "U+" << static_cast<int>(ch) << " and U+" << static_cast<int>(at->second)
                       << " draw the same picture in " << face.lfFaceName;
  }
  // A picture of the View menu's labels to look at.
  frame->DrawMenuBar();
  uitest::SaveWindowPng(frame->m_hWnd,
                        frametest::PicturePath(std::getenv("TAV_DESKTOP_FONTS") ? "menu_glyphs_desktop.png"
                                                                                 : "menu_glyphs.png"));
}

}  // namespace
