#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "foundation/settings/process_settings.h"
#include "foundation/system/font_file.h"
#include "tests/fontconfig_oracle.h"

namespace {

TEST(FindTrueTypeFontFile, FindsFacesDirectlyAndThroughSubstitutes) {
  const struct {
    const char* face;
    const char* pattern;   // fontconfig's name of the file expected
    const char* realFace;
  } cases[] = {
      {"Liberation Sans", "Liberation Sans:style=Regular", "Liberation Sans"},
      {"liberation sans bold", "Liberation Sans:style=Bold", "liberation sans bold"},
      {"@Liberation Serif", "Liberation Serif:style=Regular", "@Liberation Serif"},
      {"LiberationMono", "Liberation Mono:style=Regular", "LiberationMono"},     // blanks do not count
      {"Bold Sans Liberation", "Liberation Sans:style=Bold", "Bold Sans Liberation"},  // every word occurs
      {"Arial", "Liberation Sans:style=Regular", "Liberation Sans"},             // through the substitute
      {"Courier New", "Liberation Mono:style=Regular", "Liberation Mono"},
      {"Arial Bold", "Liberation Sans:style=Bold", "Liberation Sans Bold"},     // styled substitutes
      {"courier new bold italic", "Liberation Mono:style=Bold Italic", "Liberation Mono Bold Italic"},
      {"@Times New Roman", "Liberation Serif:style=Regular", "Liberation Serif"},
  };
  for (const auto& c : cases) {
    const std::string expected = FcMatchFile(c.pattern);
    ASSERT_FALSE(expected.empty()) << c.pattern;
    AString path, realFace;
    EXPECT_EQ(FindTrueTypeFontFile(c.face, &path, &realFace), 1) << c.face;
    EXPECT_STREQ(path.GetData(), expected.c_str()) << c.face;
    EXPECT_STREQ(realFace.GetData(), c.realFace) << c.face;
  }
}

TEST(FindTrueTypeFontFile, WorksWithTheKeysOfEitherSystemFamily) {
  const bool nt = OsVersionFlags().isNtFamily;
  OsVersionFlags().isNtFamily = !nt;
  AString path, realFace;
  const int found = FindTrueTypeFontFile("Arial", &path, &realFace);
  OsVersionFlags().isNtFamily = nt;
  EXPECT_EQ(found, 1);
  EXPECT_STREQ(path.GetData(), FcMatchFile("Liberation Sans:style=Regular").c_str());
}

TEST(FindTrueTypeFontFile, UnknownAndEmptyFacesFailCleanly) {
  for (const char* face : {"No Such Face Anywhere", "", "@", "  ", "Arial Extra Wide Nonexistent"}) {
    AString path("untouched"), realFace;
    EXPECT_EQ(FindTrueTypeFontFile(face, &path, &realFace), 0) << face;
    EXPECT_STREQ(path.GetData(), "untouched") << face;
  }
  EXPECT_EQ(FindTrueTypeFontFile(nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(FindTrueTypeFontFile("Liberation Sans", nullptr, nullptr), 1);
}

}  // namespace
