// The UPS carrier message of MaxiCode modes 2 and 3: the secondary message in
// the structured format "[)>" RS "01" GS "96", built from the carrier fields.
#pragma once

#include "foundation/string/astring.h"

namespace kalvo::maxicode {

constexpr int kUpsFieldCount = 13;
// Fields 0-2 (postal code, country code, class of service) go into the
// primary message; fields 3-12 make the secondary message.
enum UpsField : int { kPostalCode = 0, kCountryCode = 1, kServiceClass = 2, kFirstSecondaryField = 3 };

// Builds the message into `out`: header, field 3, GS, "UPSN", GS, fields 4 to
// 11 each followed by GS, field 12, RS, EOT. Each field is trimmed of spaces,
// tabs, CR and LF and upper-cased. With keepLong 0 the message is cut to 81
// characters. `reserved` is not read. Returns 1.
int BuildUpsMaxiMessage(const AString* fields, AString& out, int reserved, int keepLong);

}  // namespace kalvo::maxicode
