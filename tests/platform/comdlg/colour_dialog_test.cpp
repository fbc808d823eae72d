// ChooseColor driven as a person would: the basic and custom boxes, the
// mixer (fully open or opened by its button), typed numbers, adding a custom
// colour; the caller's colour and custom colours change only on OK and only
// the 16 colours are written. The colour model's conversions as a table.
#include <gtest/gtest.h>

#include <array>

#include "platform/comdlg/colour_model.h"
#include "tests/platform/comdlg/comdlg_test_util.h"

namespace {

using comdlgtest::ClickItem;
using comdlgtest::Next;
using comdlgtest::TypeInto;

constexpr COLORREF kSentinel = 0x00ABCDEF;

struct Call {
  std::array<COLORREF, 17> custom{};  // the 17th is a guard the dialog must not touch
  CHOOSECOLORW cc{};
  explicit Call(DWORD flags, COLORREF initial = RGB(10, 20, 30)) {
    for (size_t i = 0; i < 16; ++i) custom[i] = RGB(static_cast<BYTE>(i * 10), 200, 100);
    custom[16] = kSentinel;
    cc.lStructSize = sizeof cc;
    cc.rgbResult = initial;
    cc.lpCustColors = custom.data();
    cc.Flags = flags;
  }
};

// The centre of box `index` (eight to a row) of a colour grid control.
POINT BoxCentre(HWND dialog, int id, int rows, int index) {
  RECT r{};
  GetClientRect(GetDlgItem(dialog, id), &r);
  const int w = r.right / 8, h = r.bottom / rows;
  return POINT{(index % 8) * w + w / 2, (index / 8) * h + h / 2};
}

void ClickBox(HWND dialog, int id, int rows, int index) {
  uitest::Click(GetDlgItem(dialog, id), BoxCentre(dialog, id, rows, index));
}

TEST(ColourDialog, ABasicColourChosenWithOkIsReturned) {
  Call call(CC_RGBINIT);
  Next([](HWND dialog) {
    ClickBox(dialog, COLOR_BOX1, 6, 8);  // the second row's first box
    ClickItem(dialog, IDOK);
  });
  ASSERT_TRUE(ChooseColorW(&call.cc));
  EXPECT_EQ(call.cc.rgbResult, comdlg::kBasicColours[8]);
  EXPECT_EQ(call.custom[16], kSentinel);
}

TEST(ColourDialog, CancelLeavesTheCallersColourAndCustomColoursAsTheyWere) {
  Call call(CC_RGBINIT | CC_FULLOPEN, RGB(1, 2, 3));
  const auto before = call.custom;
  Next([](HWND dialog) {
    ClickBox(dialog, COLOR_BOX1, 6, 3);
    ClickItem(dialog, COLOR_ADD);
    ClickItem(dialog, IDCANCEL);
  });
  EXPECT_FALSE(ChooseColorW(&call.cc));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_EQ(call.cc.rgbResult, RGB(1, 2, 3));
  EXPECT_EQ(call.custom, before);
}

TEST(ColourDialog, FullOpenShowsTheMixerAndTypedNumbersMakeTheColour) {
  Call call(CC_RGBINIT | CC_FULLOPEN, RGB(10, 20, 30));
  std::u16string red, green, blue;
  bool mixerShown = false, mixButtonEnabled = true;
  Next([&](HWND dialog) {
    mixerShown = IsWindowVisible(GetDlgItem(dialog, COLOR_RAINBOW)) != FALSE;
    mixButtonEnabled = IsWindowEnabled(GetDlgItem(dialog, COLOR_MIX)) != FALSE;
    red = comdlgtest::Text(GetDlgItem(dialog, COLOR_RED));
    green = comdlgtest::Text(GetDlgItem(dialog, COLOR_GREEN));
    blue = comdlgtest::Text(GetDlgItem(dialog, COLOR_BLUE));
    TypeInto(dialog, COLOR_RED, u"200");
    TypeInto(dialog, COLOR_BLUE, u"7");
    ClickItem(dialog, IDOK);
  });
  ASSERT_TRUE(ChooseColorW(&call.cc));
  EXPECT_TRUE(mixerShown);
  EXPECT_FALSE(mixButtonEnabled);
  EXPECT_EQ(red, u"10");
  EXPECT_EQ(green, u"20");
  EXPECT_EQ(blue, u"30");
  EXPECT_EQ(call.cc.rgbResult, RGB(200, 20, 7));
}

TEST(ColourDialog, WithoutRgbInitTheDialogStartsFromBlack) {
  Call call(0, RGB(90, 90, 90));
  Next([](HWND dialog) { ClickItem(dialog, IDOK); });
  ASSERT_TRUE(ChooseColorW(&call.cc));
  EXPECT_EQ(call.cc.rgbResult, RGB(0, 0, 0));
}

TEST(ColourDialog, DefineCustomColoursOpensTheMixerUnlessPrevented) {
  bool hiddenAtFirst = false, shownAfter = false;
  Call call(CC_RGBINIT);
  Next([&](HWND dialog) {
    hiddenAtFirst = !IsWindowVisible(GetDlgItem(dialog, COLOR_RAINBOW));
    ClickItem(dialog, COLOR_MIX);
    shownAfter = IsWindowVisible(GetDlgItem(dialog, COLOR_RAINBOW)) != FALSE;
    ClickItem(dialog, IDCANCEL);
  });
  ChooseColorW(&call.cc);
  EXPECT_TRUE(hiddenAtFirst);
  EXPECT_TRUE(shownAfter);
  bool enabled = true;
  Call prevented(CC_RGBINIT | CC_FULLOPEN | CC_PREVENTFULLOPEN);
  Next([&](HWND dialog) {
    enabled = IsWindowEnabled(GetDlgItem(dialog, COLOR_MIX)) != FALSE;
    hiddenAtFirst = !IsWindowVisible(GetDlgItem(dialog, COLOR_RAINBOW));
    ClickItem(dialog, IDCANCEL);
  });
  ChooseColorW(&prevented.cc);
  EXPECT_FALSE(enabled);
  EXPECT_TRUE(hiddenAtFirst);
}

TEST(ColourDialog, AddToCustomColoursFillsTheChosenBoxAndOkReturnsAllSixteen) {
  Call call(CC_RGBINIT | CC_FULLOPEN, RGB(0, 0, 0));
  Next([](HWND dialog) {
    ClickBox(dialog, COLOR_CUSTOM1, 2, 5);
    ClickBox(dialog, COLOR_BOX1, 6, 12);
    ClickItem(dialog, COLOR_ADD);
    ClickItem(dialog, IDOK);
  });
  CHOOSECOLORA a{};
  a.lStructSize = sizeof a;
  a.rgbResult = call.cc.rgbResult;
  a.lpCustColors = call.custom.data();
  a.Flags = call.cc.Flags;
  ASSERT_TRUE(ChooseColorA(&a));
  call.cc.rgbResult = a.rgbResult;
  EXPECT_EQ(call.custom[5], comdlg::kBasicColours[12]);
  EXPECT_EQ(call.custom[4], RGB(40, 200, 100));
  EXPECT_EQ(call.custom[16], kSentinel);
  EXPECT_EQ(call.cc.rgbResult, comdlg::kBasicColours[12]);
}

TEST(ColourDialog, ACustomColourCanBeChosen) {
  Call call(CC_RGBINIT);
  Next([](HWND dialog) {
    ClickBox(dialog, COLOR_CUSTOM1, 2, 9);
    ClickItem(dialog, IDOK);
  });
  ASSERT_TRUE(ChooseColorW(&call.cc));
  EXPECT_EQ(call.cc.rgbResult, RGB(90, 200, 100));
}

TEST(ColourDialog, BadStructuresFail) {
  CHOOSECOLORW cc{};
  cc.lStructSize = 3;
  EXPECT_FALSE(ChooseColorW(&cc));
  EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
  cc.lStructSize = sizeof cc;
  cc.Flags = CC_ENABLEHOOK;
  EXPECT_FALSE(ChooseColorW(&cc));
  EXPECT_EQ(CommDlgExtendedError(), CDERR_NOHOOK);
}

TEST(ColourModel, HueSaturationAndLuminosityOnTheDialogsScales) {
  struct Row {
    COLORREF colour;
    comdlg::Hls hls;
  };
  const Row rows[] = {
      {RGB(255, 0, 0), {0, 240, 120}},     {RGB(0, 255, 0), {80, 240, 120}},  {RGB(0, 0, 255), {160, 240, 120}},
      {RGB(255, 255, 255), {160, 0, 240}}, {RGB(0, 0, 0), {160, 0, 0}},       {RGB(128, 128, 128), {160, 0, 120}},
      {RGB(255, 255, 0), {40, 240, 120}},  {RGB(128, 0, 0), {0, 240, 60}},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(comdlg::ToHls(r.colour), r.hls) << std::hex << r.colour;
    EXPECT_EQ(comdlg::FromHls(r.hls), r.colour) << std::hex << r.colour;
  }
  // Every basic colour survives the trip through the mixer's numbers.
  for (COLORREF c : comdlg::kBasicColours) {
    const COLORREF back = comdlg::FromHls(comdlg::ToHls(c));
    EXPECT_LE(std::abs(GetRValue(back) - GetRValue(c)), 2) << std::hex << c;
    EXPECT_LE(std::abs(GetGValue(back) - GetGValue(c)), 2) << std::hex << c;
    EXPECT_LE(std::abs(GetBValue(back) - GetBValue(c)), 2) << std::hex << c;
  }
}

TEST(ColourDialogPictures, FullyOpen) {
  Call call(CC_RGBINIT | CC_FULLOPEN, RGB(0, 128, 192));
  bool saved = false;
  Next([&](HWND dialog) {
    uitest::RunUntilIdle();
    saved = uitest::SaveWindowPng(dialog, comdlgtest::PicturePath("colour_dialog.png"));
    ClickItem(dialog, IDCANCEL);
  });
  ChooseColorW(&call.cc);
  EXPECT_TRUE(saved);
}

}  // namespace
