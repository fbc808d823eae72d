// The pairs of a string map as a sorted std::map, for comparing whole maps.
#pragma once

#include <map>
#include <string>

#include "foundation/containers/ahashmap.h"
#include "tests/foundation/astring_test_util.h"

namespace string_map_test {

inline std::map<std::string, std::string> Contents(const AHashMap<AString, AString>& m) {
  std::map<std::string, std::string> out;
  if (m.IsEmpty()) return out;
  MapPosition pos = kMapStart;
  AString k, v;
  while (pos) {
    m.GetNextAssoc(pos, k, v);
    out[astring_test::Bytes(k)] = astring_test::Bytes(v);
  }
  return out;
}

}  // namespace string_map_test
