// libFuzzer target: the field list reader. The first byte picks the label
// stream version (2 or 3), the rest is the list. Whatever is read is written
// back and read again, and the second reading must give the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fields/records/field_list_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int16_t version = (data[0] & 1) ? 3 : 2;
  ByteReader reader(data + 1, size - 1);
  CFieldList list;
  RECT bounds{};
  ReadFieldListBytes(list, reader, version, &bounds);
  const std::vector<uint8_t> written = FieldListBytes(list);
  ByteReader again(written.data(), written.size());
  CFieldList second;
  if (ReadFieldListBytes(second, again, 3, nullptr) != 1 || second.size() != list.size()) std::abort();
  // Serial numbers differ between the readings; everything else is the same.
  for (size_t i = 0; i < list.size(); ++i) second[i]->serialId = list[i]->serialId;
  if (FieldListBytes(second) != written) std::abort();
  return 0;
}
