#include "dialogs/barcode/barcode_lists.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "barcode/kalvo.h"

namespace {

constexpr std::array kOffered = {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 18, 19, 20, 21, 22, 24, 26, 27, 31, 28, 29, 33};
static_assert(kOffered.size() == 23);
constexpr std::array kOfferedHibc = {1, 4};

constexpr int kPosnet = 24;
constexpr int kPlessey = 12;
constexpr int kMsi = 26;
constexpr int kPdf417 = 27;
constexpr int kCode49 = 30;
constexpr int kMicroPdf = 31;

std::string Format(const char* format, int a) {
  char text[64];
  std::snprintf(text, sizeof text, format, a);
  return text;
}

std::vector<ListChoice> Numbered(const char* format, int from, int to) {
  std::vector<ListChoice> out;
  for (int n = from; n <= to; ++n) out.push_back({Format(format, n), n});
  return out;
}

}  // namespace

std::span<const int> OfferedSymbologies(bool hibc) {
  if (hibc) return kOfferedHibc;
  return kOffered;
}

std::vector<ListChoice> NarrowBarChoices(int symbology, int dpi) {
  if (symbology == kPosnet) {
    const int last = std::max(static_cast<int>(std::lround(dpi * 2.375 / 100.0)), 1);
    return Numbered("%d dots", 1, last);
  }
  return Numbered("%d dots", 1, std::max(dpi / 10, 18) - 1);
}

std::vector<ListChoice> RatioChoices(int symbology) {
  if (symbology == kPlessey) return {{"3:1", 300}};
  if (symbology == kMsi) return {{"2:1", 200}};
  if (symbology == 0 || Is39Group(symbology) || IsI25Group(symbology))
    return {{"2:1", 200}, {"3:1", 300}, {"5:2", 250}};
  return {};
}

int RatioChoiceFor(int ratio) { return ratio == 300 ? 300 : ratio > 200 ? 250 : 200; }

std::vector<ListChoice> ModuleSizeChoices(int symbology, int moduleSize) {
  if (symbology == kPdf417 || symbology == kMicroPdf) return Numbered("%d dots", 1, 64);
  if (symbology == kCode49) return Numbered("%d", 1, 16);
  const int count = moduleSize > 519 ? moduleSize + 100 : 620;
  return Numbered("%d dots", 1, count);
}

std::vector<ListChoice> RowFactorChoices(int symbology) {
  return Numbered("%d X", symbology == kMicroPdf ? 2 : 1, 22);
}

std::vector<ListChoice> Pdf417LevelChoices() {
  std::vector<ListChoice> out{{"auto", -1}};
  for (const ListChoice& c : Numbered("%d", 0, 8)) out.push_back(c);
  return out;
}

std::vector<ListChoice> Pdf417ColumnChoices() {
  std::vector<ListChoice> out{{"auto", 0}};
  for (const ListChoice& c : Numbered("%d", 1, 30)) out.push_back(c);
  return out;
}

std::vector<ListChoice> DatamatrixSizeChoices() {
  std::vector<ListChoice> out{{"Auto", -1}};
  const int count = GetDatamatrixDimensionsCount();
  for (int i = 0; i < count; ++i) {
    const POINT size = GetDatamatrixNthDimension(i);
    char text[32];
    std::snprintf(text, sizeof text, "%d x %d", static_cast<int>(size.y), static_cast<int>(size.x));
    out.push_back({text, i});
  }
  return out;
}

std::vector<ListChoice> MicroPdfModeChoices() {
  std::vector<ListChoice> out;
  for (int index = 0; index < 34; ++index) {
    POINT size{};
    const int mode = GetColRowFromMode(index, &size, nullptr, 1);
    char text[48];
    std::snprintf(text, sizeof text, "%d     (%d x %d)", mode, static_cast<int>(size.x), static_cast<int>(size.y));
    out.push_back({text, index});
  }
  return out;
}

std::vector<ListChoice> QrLevelChoices() {
  return {{"L   (7%   Recovery)", 0}, {"M   (15%  Recovery)", 1}, {"Q   (25%  Recovery)", 2}, {"H   (30%  Recovery)", 3}};
}

std::vector<ListChoice> MaxiModeChoices() { return {{"2 - UPS (US)", 2}, {"3 - UPS (International)", 3}}; }

const char* SubtypeLabel(int symbology) {
  if (Is39Group(symbology) || symbology == 10) return "Check Digit";
  if (IsUPCEANGroup_nonSunrise(symbology)) return "Supplemental";
  if (symbology == 20) return "Start with";
  if (symbology == 4) return "Sub-type";
  return "";
}

bool ShowsRatio(int symbology, int subType) {
  if (symbology == 3 || symbology == kPosnet || symbology == 20) return false;
  if (IsUPCEANGroup(symbology) || IsCD128Group(symbology, subType)) return false;
  return !RatioChoices(symbology).empty();
}

bool AcceptsSpecialCharacters(int symbology, int subType) {
  return symbology == 2 || (symbology == 4 && (subType == 0 || subType == 1)) || symbology == 19 || symbology == 7 ||
         symbology == kPdf417;
}

int DefaultNarrowBar(int symbology, int dpi, bool hibc) {
  int dots = dpi / 100;
  if (IsUPCEANGroup(symbology)) dots = dpi / 100 + 1;
  else if (hibc) dots = dpi / 140;
  return std::max(dots, 1);
}

int LongestValidLength(int symbology, int subTypeOrMode) {
  unsigned short lengths[64] = {};
  int isMaximum = 0;
  char text[1024] = {};
  const int count = GetBCodeValidLens(symbology, subTypeOrMode, lengths, &isMaximum, text);
  if (count <= 0) return 0;
  return lengths[std::min(count, 64) - 1];
}
