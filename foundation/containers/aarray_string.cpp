// The string array: its element operations, unique adding and sorting by number.
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "foundation/containers/aarray.h"

FOUNDATION_BEGIN

namespace {

void ConstructString(void* element) { ::new (element) AString(); }
void DestroyString(void* element) { static_cast<AString*>(element)->~AString(); }
void AssignString(void* element, const void* source) {
  *static_cast<AString*>(element) = *static_cast<const AString*>(source);
}

}  // namespace

const AArrayElementOps AArrayElement<AString>::ops = {ConstructString, DestroyString, AssignString};

int AArrayAddUnique(AArray<AString>& array, const char* text) {
  const char* probe = text ? text : "";
  for (int i = 0; i < array.GetSize(); ++i) {
    if (array[i] == probe) return -1;
  }
  return array.AddChars(text);
}

namespace {

// The C library's decimal conversion to a 32-bit integer, saturating instead
// of overflowing.
int32_t DecimalValue(const char* text) {
  errno = 0;
  long long v = std::strtoll(text, nullptr, 10);
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

int CompareAscending(const void* a, const void* b) {
  int32_t x = DecimalValue(static_cast<const char*>(a));
  int32_t y = DecimalValue(static_cast<const char*>(b));
  return (x > y) - (x < y);
}

int CompareDescending(const void* a, const void* b) { return CompareAscending(b, a); }

}  // namespace

int AArraySortByNumber(AArray<AString>& array, bool ascending, int maxLength) {
  int count = array.GetSize();
  if (maxLength < 0) maxLength = 0;
  size_t slot = static_cast<size_t>(maxLength) + 1;
  // One zero-filled scratch block of C strings, each cut to maxLength bytes.
  std::vector<char> scratch(static_cast<size_t>(count) * slot + 16, '\0');
  for (int i = 0; i < count; ++i) {
    const AString& s = array[i];
    size_t n = std::min(static_cast<size_t>(s.GetLength()), static_cast<size_t>(maxLength));
    if (n) std::memcpy(&scratch[i * slot], s.GetData(), n);
  }
  if (count > 1) std::qsort(scratch.data(), count, slot, ascending ? CompareAscending : CompareDescending);
  array.RemoveAll();
  for (int i = 0; i < count; ++i) array.AddChars(&scratch[i * slot]);
  return 1;
}

FOUNDATION_END
