// EAN-13, EAN-8, UPC-A and UPC-E.
#pragma once

#include <string>
#include <string_view>

namespace kalvo {

// The 11 UPC-A digits (without check digit) that six UPC-E digits stand for.
std::string ExpandUpcE(std::string_view upcE);

// The digits whose check digit the symbol carries: the supplement split off
// and, for UPC-E, the expansion to UPC-A.
std::string UpcEanMainDigits(int type, int subType, std::string_view data);

}  // namespace kalvo
