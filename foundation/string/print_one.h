// One value through the C library's formatter, measured first so that every
// result fits. The format is one conversion that the caller has built and
// checked; text from data never reaches it.
#pragma once

#include <cstdio>
#include <string>

#include "foundation/build.h"

FOUNDATION_BEGIN

template <class T>
std::string PrintOne(const std::string& format, T value) {
  const int n = std::snprintf(nullptr, 0, format.c_str(), value);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n) + 1, '\0');
  std::snprintf(out.data(), out.size(), format.c_str(), value);
  out.resize(static_cast<size_t>(n));
  return out;
}

FOUNDATION_END
