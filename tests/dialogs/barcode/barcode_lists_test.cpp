// The lists the barcode pages offer, against the barcode library's own
// answers: the symbologies and their sub-types, the two-dimensional sizes and
// modes, and the narrow-bar and ratio choices.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "barcode/kalvo.h"
#include "dialogs/barcode/barcode_lists.h"
#include "fields/barcode/symbology_catalogue.h"

namespace {

TEST(BarcodeLists, TheSymbologyListHoldsTheOfferedCodesWithNames) {
  const std::set<int> notOffered = {8, 9, 13, 14, 15, 16, 17, 23, 25, 30, 32, 34};
  std::set<int> offered;
  for (int code : OfferedSymbologies(false)) {
    EXPECT_STRNE(SymbologyDisplayName(code), "") << code;
    EXPECT_TRUE(offered.insert(code).second) << "offered twice: " << code;
  }
  EXPECT_EQ(offered.size(), 23u);
  for (int code = 0; code <= 34; ++code)
    EXPECT_EQ(offered.count(code) == 0, notOffered.count(code) == 1) << code;
  const auto hibc = OfferedSymbologies(true);
  EXPECT_EQ(std::vector<int>(hibc.begin(), hibc.end()), (std::vector<int>{1, 4}));
}

TEST(BarcodeLists, DataMatrixOffersAutoAndEverySymbolSizeRowsFirst) {
  const auto sizes = DatamatrixSizeChoices();
  ASSERT_EQ(GetDatamatrixDimensionsCount(), 30);
  ASSERT_EQ(sizes.size(), 31u);
  EXPECT_EQ(sizes[0].text, "Auto");
  for (int i = 0; i < 30; ++i) {
    const POINT size = GetDatamatrixNthDimension(i);
    EXPECT_EQ(sizes[static_cast<size_t>(i) + 1].text, std::to_string(size.y) + " x " + std::to_string(size.x));
    EXPECT_EQ(sizes[static_cast<size_t>(i) + 1].data, i);
  }
}

TEST(BarcodeLists, MicroPdf417OffersThirtyFourModesWithTheirColumnsAndRows) {
  const auto modes = MicroPdfModeChoices();
  ASSERT_EQ(modes.size(), 34u);
  std::set<std::string> texts;
  for (int index = 0; index < 34; ++index) {
    POINT size{};
    const int mode = GetColRowFromMode(index, &size, nullptr, 1);
    const std::string expected = std::to_string(mode) + "     (" + std::to_string(size.x) + " x " +
                                 std::to_string(size.y) + ")";
    EXPECT_EQ(modes[static_cast<size_t>(index)].text, expected);
    EXPECT_GE(size.x, 1);
    EXPECT_GE(size.y, 4);
    texts.insert(expected);
  }
  EXPECT_EQ(texts.size(), 34u) << "every mode is a different symbol size";
}

struct NarrowRow {
  const char* what;
  int symbology, dpi;
  size_t count;
};

TEST(BarcodeLists, NarrowBarChoicesFollowTheResolution) {
  const NarrowRow rows[] = {
      {"300 dpi: up to max(30, 18) - 1", 4, 300, 29},
      {"203 dpi: up to max(20, 18) - 1", 4, 203, 19},
      {"100 dpi: at least 17 choices", 1, 100, 17},
      {"Posnet at 300 dpi: round(7.125)", 24, 300, 7},
      {"Posnet at 203 dpi: round(4.82)", 24, 203, 5},
  };
  for (const NarrowRow& row : rows) {
    const auto choices = NarrowBarChoices(row.symbology, row.dpi);
    EXPECT_EQ(choices.size(), row.count) << row.what;
    EXPECT_EQ(choices.front().text, "1 dots") << row.what;
    EXPECT_EQ(choices.back().data, static_cast<int>(row.count)) << row.what;
  }
}

TEST(BarcodeLists, RatiosAndDefaults) {
  EXPECT_EQ(RatioChoices(1), (std::vector<ListChoice>{{"2:1", 200}, {"3:1", 300}, {"5:2", 250}}));
  EXPECT_EQ(RatioChoices(12), (std::vector<ListChoice>{{"3:1", 300}}));
  EXPECT_EQ(RatioChoices(26), (std::vector<ListChoice>{{"2:1", 200}}));
  EXPECT_TRUE(RatioChoices(4).empty());
  EXPECT_EQ(RatioChoiceFor(300), 300);
  EXPECT_EQ(RatioChoiceFor(220), 250);
  EXPECT_EQ(RatioChoiceFor(200), 200);
  EXPECT_EQ(DefaultNarrowBar(6, 300, false), 4) << "EAN-13 at 300 dpi";
  EXPECT_EQ(DefaultNarrowBar(1, 300, true), 2) << "HIBC Code 39 at 300 dpi";
  EXPECT_EQ(DefaultNarrowBar(4, 300, false), 3);
  EXPECT_EQ(DefaultNarrowBar(4, 50, false), 1) << "never below one dot";
}

TEST(BarcodeLists, SubtypeLabelsFollowTheLibrarysGroups) {
  for (int code : OfferedSymbologies(false)) {
    const std::string label = SubtypeLabel(code);
    if (Is39Group(code) || code == 10) {
      EXPECT_EQ(label, "Check Digit") << code;
    } else if (IsUPCEANGroup_nonSunrise(code)) {
      EXPECT_EQ(label, "Supplemental") << code;
    }
  }
  EXPECT_STREQ(SubtypeLabel(20), "Start with");
  EXPECT_STREQ(SubtypeLabel(4), "Sub-type");
}

}  // namespace
