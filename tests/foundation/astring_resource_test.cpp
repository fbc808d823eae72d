// AString::LoadString from the executable's string table.
#include <string>

#include <gtest/gtest.h>

#include "foundation/string/astring.h"
#include "platform/kernel/kernel.h"
#include "platform/resource/resource.h"

namespace {

// The strings come from astring_resource_test.rc, compiled into this program:
// 9001 "Short entry", 9002 300 x's, 9003 empty, 9004 127 y's.
TEST(AStringResource, LoadString) {
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
