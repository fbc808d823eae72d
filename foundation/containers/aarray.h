// AArray: a contiguous growable array whose elements are constructed,
// destroyed and assigned through a table of three operations chosen by the
// element type, so one set of array code (AArrayBase) serves strings, 16-bit
// and 32-bit values. Elements are relocated by copying their bytes, which all
// three element types allow.
//
// Growth: 20 elements at a time by default; a grow-by of 0 asks for a sixteenth
// of the size, clamped to 32..1024. The first allocation is exactly the size
// asked for, and a size below 1 is taken as 10.
#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

#include "foundation/build.h"
#include "foundation/string/astring.h"
#include "platform/kernel/types.h"

FOUNDATION_BEGIN

// The three element operations, in their table order.
struct AArrayElementOps {
  void (*construct)(void* element);                  // one element in raw storage
  void (*destroy)(void* element);                    // one element
  void (*assign)(void* element, const void* source);  // destination, source
};

// The element types AArray is instantiated for: each has its operation table.
template <class T>
struct AArrayElement;
template <>
struct AArrayElement<AString> {
  static const AArrayElementOps ops;
};
template <>
struct AArrayElement<WORD> {
  static const AArrayElementOps ops;
};
template <>
struct AArrayElement<int> {
  static const AArrayElementOps ops;
};

// The untyped array: every operation works on element bytes through the table.
class AArrayBase {
 public:
  static constexpr int kDefaultGrowBy = 20;
  static constexpr int kBaseElementSize = 8;
  static const AArrayElementOps kNoOps;  // the base's table: does nothing

  AArrayBase() : AArrayBase(&kNoOps, kBaseElementSize) {}
  AArrayBase(const AArrayBase&) = delete;
  AArrayBase& operator=(const AArrayBase&) = delete;
  ~AArrayBase();

  int GetSize() const { return size_; }
  int GetUpperBound() const { return size_ - 1; }
  int GetCapacity() const { return capacity_; }
  int GetGrowBy() const { return growBy_; }
  int GetElementSize() const { return elementSize_; }
  const AArrayElementOps* GetElementOps() const { return ops_; }

  // newSize below 1 is taken as 10; growBy -1 keeps the stored step, 0 asks
  // for size / 16 clamped to 32..1024, any other value is stored.
  void SetSize(int newSize, int growBy = -1);
  void RemoveAll();
  void RemoveAt(int index, int count = 1);

 protected:
  AArrayBase(const AArrayElementOps* ops, int elementSize) : ops_(ops), elementSize_(elementSize) {}

  std::byte* Slot(int index) const { return data_ + static_cast<size_t>(index) * elementSize_; }
  void SetAtGrowRaw(int index, const void* value);
  void InsertAtRaw(int index, const void* value, int count);
  int InsertArrayAt(int index, const AArrayBase& other);
  int AppendArray(const AArrayBase& other);
  void CopyArray(const AArrayBase& other);

 private:
  void OpenGap(int index, int count);
  void ConstructRange(int first, int count);
  void DestroyRange(int first, int count);
  void Reallocate(int newCapacity);

  const AArrayElementOps* ops_;
  std::byte* data_ = nullptr;
  int size_ = 0;
  int capacity_ = 0;
  int growBy_ = kDefaultGrowBy;
  int elementSize_;
};

template <class T>
class AArray : public AArrayBase {
 public:
  AArray() : AArrayBase(&AArrayElement<T>::ops, sizeof(T)) {}
  AArray(const AArray& other) : AArray() { CopyArray(other); }
  AArray& operator=(const AArray& other) {
    if (this != &other) CopyArray(other);
    return *this;
  }

  T* GetData() { return reinterpret_cast<T*>(Slot(0)); }
  const T* GetData() const { return reinterpret_cast<const T*>(Slot(0)); }
  T GetAt(int index) const { return *ElementAt(index); }
  void SetAt(int index, const T& value) { *ElementAt(index) = value; }
  T* ElementAt(int index) { return reinterpret_cast<T*>(Slot(index)); }
  const T* ElementAt(int index) const { return reinterpret_cast<const T*>(Slot(index)); }
  T& operator[](int index) { return *ElementAt(index); }
  const T& operator[](int index) const { return *ElementAt(index); }

  // The value is copied first: it may be an element of this array, which a
  // reallocation would move.
  void SetAtGrow(int index, const T& value) {
    T copy(value);
    SetAtGrowRaw(index, &copy);
  }
  int Add(const T& value) {
    int index = GetSize();
    SetAtGrow(index, value);
    return index;
  }
  void InsertAt(int index, const T& value, int count = 1) {
    T copy(value);
    InsertAtRaw(index, &copy, count);
  }
  int InsertAt(int index, const AArray& other) { return InsertArrayAt(index, other); }
  int Append(const AArray& other) { return AppendArray(other); }
  void Copy(const AArray& other) {
    if (this != &other) CopyArray(other);
  }

  // ---- The string array's own operations --------------------------------
  int AddChars(const char* text)
    requires std::is_same_v<T, AString>
  {
    return Add(AString(text));
  }
  void InsertChars(int index, const char* text, int count = 1)
    requires std::is_same_v<T, AString>
  {
    InsertAt(index, AString(text), count);
  }
  // -1 when an element already holds exactly these bytes, else Add's index.
  int AddUnique(const char* text)
    requires std::is_same_v<T, AString>;
  // Sorts by each text's value as a decimal number; texts are cut to maxLength bytes.
  int SortByNumber(bool ascending, int maxLength)
    requires std::is_same_v<T, AString>;
};

// Out-of-line workers of the string array's operations.
int AArrayAddUnique(AArray<AString>& array, const char* text);
int AArraySortByNumber(AArray<AString>& array, bool ascending, int maxLength);

template <class T>
int AArray<T>::AddUnique(const char* text)
  requires std::is_same_v<T, AString>
{
  return AArrayAddUnique(*this, text);
}

template <class T>
int AArray<T>::SortByNumber(bool ascending, int maxLength)
  requires std::is_same_v<T, AString>
{
  return AArraySortByNumber(*this, ascending, maxLength);
}

FOUNDATION_END
