// The print server of this test program lives as long as the program's run.
#include <gtest/gtest.h>

#include "cups_server.h"

namespace {

class PrintServerEnvironment : public ::testing::Environment {
 public:
  void TearDown() override { cups_test::StopServer(); }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new PrintServerEnvironment);

}  // namespace
