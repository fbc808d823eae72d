// The element operation tables of the value arrays (the string array's table
// is with its other operations in aarray_string.cpp).
#include <new>

#include "foundation/containers/aarray.h"

FOUNDATION_BEGIN

namespace {

template <class T>
void ConstructZero(void* element) {
  ::new (element) T(0);
}
void DestroyNothing(void*) {}
template <class T>
void AssignValue(void* element, const void* source) {
  *static_cast<T*>(element) = *static_cast<const T*>(source);
}

}  // namespace

const AArrayElementOps AArrayElement<WORD>::ops = {ConstructZero<WORD>, DestroyNothing, AssignValue<WORD>};
const AArrayElementOps AArrayElement<int>::ops = {ConstructZero<int>, DestroyNothing, AssignValue<int>};

FOUNDATION_END
