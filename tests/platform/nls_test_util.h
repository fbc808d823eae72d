// Test support for code pages.
#pragma once

#include <gtest/gtest.h>

#include "platform/win.h"

namespace nlstest {

// Restores the process ANSI code page after a test changes it.
class AnsiCodePageScope {
 public:
  explicit AnsiCodePageScope(UINT cp) : saved_(GetACP()) { EXPECT_TRUE(SetProcessAnsiCodePage(cp)); }
  ~AnsiCodePageScope() { SetProcessAnsiCodePage(saved_); }
  AnsiCodePageScope(const AnsiCodePageScope&) = delete;
  AnsiCodePageScope& operator=(const AnsiCodePageScope&) = delete;

 private:
  UINT saved_;
};

}  // namespace nlstest
