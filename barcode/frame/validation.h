#pragma once

namespace kalvo {

// kvoBCode's data check: 0, 102 (length not allowed) or 104 (a character the
// symbology cannot encode).
int ValidateData(int type, int subType, const char* data, int length);

}  // namespace kalvo
