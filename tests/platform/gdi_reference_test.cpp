// Our drawing layer against the reference implementation of the drawing
// interface: every script under gdi_reference/ is drawn here and by the same
// driver cross-compiled and run under wine, and the pixels must agree (exactly,
// or within the case's edge tolerance for curves).
#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gdi_reference/script_driver.h"
#include "tests/platform/wine_reference.h"

namespace {

namespace fs = std::filesystem;
using gdiscript::CaseResult;

const fs::path kScripts = TAV_GDI_SCRIPTS_DIR;
const fs::path kOut = fs::path(TAV_BUILD_DIR) / "gdi_reference";

using winetest::ReadText;

std::vector<fs::path> ScriptFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(kScripts))
    if (entry.path().extension() == ".txt") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// Runs every script through the reference once, in one wine process, unless
// the answers on file already belong to these scripts and this driver.
std::string EnsureReference() {
  winetest::WineRun run;
  run.outDir = kOut;
  std::vector<fs::path> inputs{TAV_GDI_REFERENCE_DRIVER};
  for (const fs::path& f : ScriptFiles()) inputs.push_back(f);
  run.stamp = winetest::StampOf(inputs);
  run.command = {TAV_GDI_REFERENCE_DRIVER, kOut.string()};
  for (const fs::path& f : ScriptFiles()) run.command.push_back(f.string());
  return winetest::EnsureAnswers(run);
}

// One letter a colour, so a failure shows both pictures.
std::string Pictures(const CaseResult& ours, const CaseResult& ref) {
  std::map<uint32_t, char> letters{{0xFFFFFF, '.'}, {0x000000, '#'}};
  auto letter = [&letters](uint32_t c) {
    auto it = letters.find(c);
    if (it != letters.end()) return it->second;
    char l = static_cast<char>('a' + (letters.size() - 2) % 26);
    letters[c] = l;
    return l;
  };
  std::string out = "ours | reference\n";
  for (int y = 0; y < ours.height; ++y) {
    for (int x = 0; x < ours.width; ++x) out += letter(ours.pixels[size_t(y) * ours.width + x]);
    out += " | ";
    for (int x = 0; x < ref.width; ++x) out += letter(ref.pixels[size_t(y) * ref.width + x]);
    out += "\n";
  }
  for (auto [colour, l] : letters) {
    char text[32];
    std::snprintf(text, sizeof text, " %c=%06x", l, colour);
    out += text;
  }
  return out + "\n";
}

// True when the colour occurs within `edge` pixels of (x, y) in `r`.
bool Near(const CaseResult& r, int x, int y, int edge, uint32_t colour) {
  for (int dy = -edge; dy <= edge; ++dy)
    for (int dx = -edge; dx <= edge; ++dx) {
      int xx = x + dx, yy = y + dy;
      if (xx >= 0 && yy >= 0 && xx < r.width && yy < r.height && r.pixels[size_t(yy) * r.width + xx] == colour)
        return true;
    }
  return false;
}

// Pixels that differ beyond the tolerance: each side's colour must appear
// within `edge` pixels on the other side.
int Departures(const CaseResult& ours, const CaseResult& ref) {
  int count = 0;
  for (int y = 0; y < ours.height; ++y)
    for (int x = 0; x < ours.width; ++x) {
      uint32_t a = ours.pixels[size_t(y) * ours.width + x], b = ref.pixels[size_t(y) * ref.width + x];
      if (a == b) continue;
      if (ref.edge > 0 && Near(ref, x, y, ref.edge, a) && Near(ours, x, y, ref.edge, b)) continue;
      ++count;
    }
  return count;
}

class GdiReference : public testing::TestWithParam<fs::path> {};

TEST_P(GdiReference, DrawsWhatTheReferenceDraws) {
  ASSERT_EQ(EnsureReference(), "");
  std::string script = ReadText(GetParam());
  std::vector<CaseResult> ours = gdiscript::RunScript(script);
  std::vector<CaseResult> ref =
      gdiscript::ParseResults(ReadText(kOut / (GetParam().filename().string() + ".out")));
  ASSERT_EQ(ours.size(), ref.size()) << "the reference answered a different number of cases";
  ASSERT_FALSE(ours.empty());
  for (size_t i = 0; i < ours.size(); ++i) {
    SCOPED_TRACE(ours[i].name);
    if (ours[i].name != ref[i].name || !ours[i].error.empty() || !ref[i].error.empty() ||
        ours[i].width != ref[i].width || ours[i].height != ref[i].height) {
      ADD_FAILURE() << "ours: " << ours[i].name << " " << ours[i].error << "; reference: " << ref[i].name << " "
                    << ref[i].error;
      continue;
    }
    if (ours[i].departs) {
      EXPECT_GT(Departures(ours[i], ref[i]), 0) << "now drawn as the reference draws it: drop 'departs'";
      continue;
    }
    EXPECT_EQ(Departures(ours[i], ref[i]), 0) << Pictures(ours[i], ref[i]);
  }
}

std::string CaseName(const testing::TestParamInfo<fs::path>& info) {
  std::string name = info.param.stem().string();
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Scripts, GdiReference, testing::ValuesIn(ScriptFiles()), CaseName);

}  // namespace
