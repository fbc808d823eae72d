// Code 39 full ASCII conversion.
#pragma once

#include <string>
#include <string_view>

namespace kalvo {

// The full ASCII form of `text`; keepLower leaves lower-case letters as they are.
// Bytes from 128 on have no full ASCII code and are left out.
std::string FullAsciiOf(std::string_view text, bool keepLower);

}  // namespace kalvo
