// The test program's ODBC sources live as long as the program's run.
#include <gtest/gtest.h>

#include "odbc_environment.h"

namespace {

class OdbcEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { odbc_test::SetUpOdbcSources(); }
  void TearDown() override { odbc_test::TearDownOdbcSources(); }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new OdbcEnvironment);

}  // namespace
