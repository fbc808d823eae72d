// AString::LoadString from the executable's string table.
#include <string>

#include <gtest/gtest.h>

#include "foundation/string/astring.h"
#include "platform/kernel/kernel.h"
#include "platform/resource/resource.h"

namespace {

const std::u16string kLong(300, u'x');
const std::u16string kFull(127, u'y');
const ModuleString kStrings[] = {
    {9001, u"Short entry"}, {9002, kLong}, {9003, u""}, {9004, kFull},
};

TEST(AStringResource, LoadString) {
  const ModuleResourceRegistration registration(CurrentModuleHandle(), {}, kStrings);
  AString s("unchanged");
  EXPECT_EQ(s.LoadString(9001), 1);
  EXPECT_EQ(s, "Short entry");
  EXPECT_EQ(s.GetCodePage(), -1);

  EXPECT_EQ(s.LoadString(9002), 1);
  EXPECT_EQ(s.GetLength(), 300);
  EXPECT_EQ(s, std::string(300, 'x').c_str());

  EXPECT_EQ(s.LoadString(9004), 1);
  EXPECT_EQ(s.GetLength(), 127);

  s = "unchanged";
  EXPECT_EQ(s.LoadString(9003), 0);
  EXPECT_EQ(s, "unchanged");
  EXPECT_EQ(s.LoadString(4242), 0);
  EXPECT_EQ(s, "unchanged");
}

}  // namespace
