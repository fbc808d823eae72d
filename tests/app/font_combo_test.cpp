// The font name, font size and line-style combos: the installed faces
// against fontconfig's own list, the order of the faces, the sizes and their
// texts in twips, and pictures of the three combos.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>

#include "app/controls/font_combo.h"
#include "app/controls/font_size_combo.h"
#include "app/controls/line_style_combo.h"
#include "controls_test_util.h"
#include "platform/testing/png_writer.h"
#include "platform/testing/test_canvas.h"
#include "platform/testing/ui.h"

namespace {

// The family fontconfig chooses for a name.
std::string FcMatchFamily(const char* name) {
  const std::string command = std::string("fc-match -f '%{family[0]}' '") + name + "'";
  std::FILE* p = popen(command.c_str(), "r");
  if (!p) return {};
  std::string out;
  char buf[512];
  while (size_t n = std::fread(buf, 1, sizeof buf, p)) out.append(buf, n);
  pclose(p);
  return out;
}

// Every family name fontconfig lists (a font may give several, comma-separated;
// with firstOnly just the first of each).
std::set<std::string> FcListFamilies(bool firstOnly = false, bool latinOnly = false) {
  std::set<std::string> out;
  std::FILE* p = popen(latinOnly ? "fc-list ':charset=41' family" : "fc-list : family", "r");
  if (!p) return out;
  char line[1024];
  while (std::fgets(line, sizeof line, p)) {
    std::string s(line);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    std::stringstream names(s);
    std::string name;
    while (std::getline(names, name, ',')) {
      out.insert(name);
      if (firstOnly) break;
    }
  }
  pclose(p);
  return out;
}

std::vector<std::string> Entries(const CComboBox& combo) {
  std::vector<std::string> out;
  for (int i = 0; i < combo.GetCount(); ++i) {
    CString text;
    combo.GetLBText(i, text);
    out.emplace_back(static_cast<const char*>(text));
  }
  return out;
}

struct FontFixture {
  ctltest::CRecordingParent parent{420, 320};
  CFontCombo fonts;
  CFontSizeCombo sizes;
  CLineStyleCombo lines;
  FontFixture() {
    fonts.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL,
                 CRect(10, 10, 190, 250), &parent, 701);
    sizes.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_HASSTRINGS | WS_VSCROLL, CRect(200, 10, 260, 250),
                 &parent, 702);
    lines.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | WS_VSCROLL,
                 CRect(270, 10, 400, 250), &parent, 703);
  }
};

TEST(FontCombos, FacesAreFontconfigsFamilies) {
  const std::set<std::string> families = FcListFamilies();
  ASSERT_FALSE(families.empty()) << "fc-list answered";
  FontFixture f;
  f.fonts.LimitText(32);
  f.fonts.FillFontList(nullptr);
  const std::vector<std::string> faces = Entries(f.fonts);
  ASSERT_FALSE(faces.empty());
  // A face is a family fontconfig lists, or a common face name fontconfig
  // itself stands a metric-compatible family in for (not its last resort).
  const std::string fallback = FcMatchFamily("No Such Face Anywhere");
  for (const std::string& face : faces) {
    if (families.count(face)) continue;
    const std::string standIn = FcMatchFamily(face.c_str());
    EXPECT_TRUE(families.count(standIn) && standIn != fallback)
        << face << " is neither a family fontconfig lists nor one it stands in for (" << standIn << ")";
  }
  // Every family fontconfig lists first for a font with Latin letters is
  // offered (the list is of character set 0).
  for (const std::string& family : FcListFamilies(true, true)) {
    EXPECT_TRUE(std::count(faces.begin(), faces.end(), family)) << family << " is missing";
  }
  std::set<std::string> listed(faces.begin(), faces.end());
  EXPECT_EQ(listed.size(), faces.size()) << "each face once";
  for (const char* expected : {"DejaVu Sans", "Liberation Sans", "Liberation Serif"}) {
    if (families.count(expected)) {
      EXPECT_TRUE(listed.count(expected)) << expected;
    }
  }
  EXPECT_TRUE(std::is_sorted(faces.begin(), faces.end())) << "byte-wise order";
  // Every face offers the four Far East scripts after its first.
  const auto* item = reinterpret_cast<const FontItem*>(f.fonts.GetItemData(0));
  ASSERT_NE(item, nullptr);
  ASSERT_GE(item->scripts.size(), 5u);
  EXPECT_STREQ(item->scripts[1].GetData(), "Simplified Chinese");
  EXPECT_EQ(item->charsets[1], 134);
  EXPECT_STREQ(item->scripts[4].GetData(), "Korean");
  EXPECT_EQ(item->flags, kFontItemTrueType);
  EXPECT_EQ(f.fonts.m_textLimit, 32);
}

TEST(FontCombos, VerticalFacesComeLast) {
  auto item = [](const char* face, int charset) {
    FontItem i;
    i.faceName = face;
    i.charset = static_cast<BYTE>(charset);
    return i;
  };
  struct Case {
    FontItem a, b;
    bool before;
    const char* why;
  };
  const Case cases[] = {
      {item("Zapf", 0), item("@Arial", 0), true, "'@' sorts before letters byte-wise, but vertical faces go last"},
      {item("@Arial", 0), item("Zapf", 0), false, "the same, the other way round"},
      {item("Arial", 0), item("arial", 0), true, "byte-wise: upper case first"},
      {item("Arial", 0), item("Arial", 134), true, "equal names: character set 0 first"},
      {item("Arial", 134), item("Arial", 0), false, "equal names, other way round"},
  };
  for (const Case& c : cases) EXPECT_EQ(FontItemBefore(c.a, c.b), c.before) << c.why;
}

TEST(FontCombos, RefillKeepsTheSelectedFaceAndSelectFontFindsIt) {
  FontFixture f;
  f.fonts.FillFontList(nullptr);
  f.fonts.SelectFont("Liberation Serif", DEFAULT_CHARSET);
  AString text;
  f.fonts.GetText(text);
  ASSERT_STREQ(text.GetData(), "Liberation Serif");
  f.fonts.FillFontList(nullptr);
  f.fonts.GetText(text);
  EXPECT_STREQ(text.GetData(), "Liberation Serif") << "still installed: still selected";
  f.fonts.SelectFont("No Such Face", DEFAULT_CHARSET);
  EXPECT_EQ(f.fonts.GetCurSel(), CB_ERR);
  f.fonts.GetText(text);
  EXPECT_STREQ(text.GetData(), "No Such Face") << "not listed: the window text";
  EXPECT_EQ(FontExists("DejaVu Sans"), 1);
  EXPECT_EQ(FontExists("No Such Face"), 0);
  LOGFONTA lf{};
  MakeLogFont(&lf, "DejaVu Sans", -13);
  EXPECT_STREQ(lf.lfFaceName, "DejaVu Sans");
  EXPECT_EQ(lf.lfHeight, -13);
  EXPECT_EQ(lf.lfWeight, 400);
  EXPECT_EQ(lf.lfQuality, PROOF_QUALITY);
  EXPECT_EQ(lf.lfOutPrecision, OUT_TT_PRECIS);
  EXPECT_EQ(lf.lfPitchAndFamily & FIXED_PITCH, 0);
}

TEST(FontCombos, GetTwipSizeTable) {
  struct Case {
    const char* text;
    int twips;
  };
  const Case cases[] = {
      {" 10.5 ", 210}, {"10pt", -2}, {"", -1}, {" \t", -1}, {"12", 240}, {"\t8", 160},
      {"7.25", 145},   {"-3", 0},    {"abc", -2}, {"10 5", -2}, {"72\t", 1440},
  };
  FontFixture f;
  for (const Case& c : cases) {
    f.sizes.SetCurSel(-1);
    f.sizes.SetWindowText(c.text);
    EXPECT_EQ(f.sizes.GetTwipSize(), c.twips) << "\"" << c.text << "\"";
  }
}

TEST(FontCombos, SizeTextsAndSetTwipSize) {
  struct Case {
    int twips;
    const char* text;
  };
  const Case cases[] = {{200, "10"}, {210, "10.5"}, {205, "10.5"}, {204, "10"}, {270, "13.5"}, {0, "0"}, {-1, ""}};
  for (const Case& c : cases) EXPECT_STREQ(FontSizeText(c.twips).GetData(), c.text) << c.twips;
  FontFixture f;
  f.sizes.FillSizes("DejaVu Sans", nullptr);
  const std::vector<std::string> expected = {"2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11", "12", "14",
                                             "16", "18", "20", "22", "24", "26", "28", "36", "48", "72"};
  EXPECT_EQ(Entries(f.sizes), expected) << "a scalable face: the standard sizes with 2 to 7 before them";
  f.sizes.SetTwipSize(240);
  EXPECT_EQ(f.sizes.GetCurSel(), 10);
  EXPECT_EQ(f.sizes.GetTwipSize(), 240);
  f.sizes.SetTwipSize(210);
  EXPECT_EQ(f.sizes.GetCurSel(), CB_ERR) << "10.5 is not listed";
  EXPECT_EQ(f.sizes.GetTwipSize(), 210) << "the text stands";
  f.sizes.FillSizes("", nullptr);
  EXPECT_EQ(f.sizes.GetCount(), 0);
}

TEST(FontCombos, RasterSizesListInOrderOnce) {
  FontFixture f;
  f.sizes.AddRasterSize(270);
  f.sizes.AddRasterSize(200);
  f.sizes.AddRasterSize(200);
  f.sizes.AddRasterSize(202);  // the same text as 200
  EXPECT_EQ(Entries(f.sizes), (std::vector<std::string>{"10", "13.5"}));
  EXPECT_EQ(f.sizes.GetItemData(1), 270u);
}

TEST(FontCombos, LineStylesAreSampleLines) {
  CLineStyleCombo combo;
  tavtest::TestCanvas canvas(60, 19);
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_COMBOBOX;
  dis.hDC = canvas.dc();
  dis.rcItem = {0, 0, 60, 19};
  dis.itemID = 0;
  ctltest::CRecordingParent parent;
  ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, CRect(0, 0, 100, 100), &parent, 704));
  combo.AddString("");
  combo.DrawItem(&dis);
  const RECT black = canvas.Bounds(RGB(0, 0, 0));
  EXPECT_EQ(black.bottom - black.top, 3) << "a line 3 wide";
  EXPECT_LE(black.left, 1);
  EXPECT_GE(black.right, 59);
  MEASUREITEMSTRUCT mis{};
  combo.MeasureItem(&mis);
  EXPECT_EQ(mis.itemHeight, 19u);
}

TEST(FontCombos, PictureOfTheThreeCombos) {
  FontFixture f;
  f.fonts.FillFontList(nullptr);
  f.fonts.SelectFont("Liberation Sans", DEFAULT_CHARSET);
  f.sizes.FillSizes("Liberation Sans", nullptr);
  f.sizes.SetTwipSize(200);
  for (int style = 0; style < 5; ++style) f.lines.AddString("");
  f.lines.SetCurSel(2);
  f.fonts.ShowDropDown(TRUE);
  uitest::RunUntilIdle();
  EXPECT_TRUE(uitest::SaveScreenPng(tavtest::BuildFolderPng("app_font_combos")));
  f.fonts.ShowDropDown(FALSE);
  f.lines.ShowDropDown(TRUE);
  uitest::RunUntilIdle();
  EXPECT_TRUE(uitest::SaveScreenPng(tavtest::BuildFolderPng("app_line_style_combo")));
  f.lines.ShowDropDown(FALSE);
}

}  // namespace
