// ATypedArray: a contiguous growable array built on its element type's own
// constructor, destructor and copy. Growth is by a stored step (20 by default).
#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

#include "foundation/build.h"

FOUNDATION_BEGIN

// qsort-style comparison of two elements given by address.
using ATypedArrayCompare = int (*)(const void*, const void*);

template <class T>
class ATypedArray {
 public:
  ATypedArray() = default;
  ATypedArray(const ATypedArray& other) { CopyFrom(other); }
  ATypedArray& operator=(const ATypedArray& other) {
    if (this != &other) CopyFrom(other);
    return *this;
  }
  ~ATypedArray() { SetSize(0, -1); }

  int GetSize() const { return size_; }
  int GetCapacity() const { return capacity_; }
  int GetGrowBy() const { return growBy_; }
  T* GetData() { return data_; }
  const T* GetData() const { return data_; }

  T& operator[](int index) { return data_[index]; }
  const T& operator[](int index) const { return data_[index]; }
  T* ElementAt(int index) { return data_ + index; }
  const T& GetAt(int index) const { return data_[index]; }
  void SetAt(int index, const T& value) { data_[index] = value; }

  void SetSize(int newSize, int growBy);
  void RemoveAll() { SetSize(0, -1); }

  int Add(const T& value) {
    int index = size_;
    SetAtGrow(index, value);
    return index;
  }

  void SetAtGrow(int index, const T& value) {
    if (index >= size_) {
      // The value may live in this array; keep a copy across the reallocation.
      T copy(value);
      SetSize(index + 1, -1);
      data_[index] = std::move(copy);
    } else {
      data_[index] = value;
    }
  }

  void RemoveAt(int start, int count);

  // The pointer array's sort orders. The ascending one is used for an
  // ascending sort; the descending one (when set) for a descending sort.
  void SetCompare(ATypedArrayCompare ascending, ATypedArrayCompare descending = nullptr) {
    compare_ = ascending;
    compareDescending_ = descending;
  }

  // Sorts the pointer array with the C library's quicksort: through the
  // comparison functions set, else by the pointers' bytes in memory order.
  void Sort(bool descending)
    requires std::is_pointer_v<T>;

 private:
  static constexpr int kDefaultGrowBy = 20;

  // Moves count elements from src to raw storage at dst (ranges may overlap).
  static void Relocate(T* dst, T* src, int count);
  void CopyFrom(const ATypedArray& other) {
    RemoveAll();
    for (int i = 0; i < other.size_; ++i) Add(other.data_[i]);
  }

  T* data_ = nullptr;
  int growBy_ = kDefaultGrowBy;
  int size_ = 0;
  int capacity_ = 0;
  ATypedArrayCompare compare_ = nullptr;
  ATypedArrayCompare compareDescending_ = nullptr;
};

template <class T>
void ATypedArray<T>::Relocate(T* dst, T* src, int count) {
  if (count <= 0 || dst == src) return;
  if constexpr (std::is_trivially_copyable_v<T>) {
    std::memmove(static_cast<void*>(dst), static_cast<const void*>(src), sizeof(T) * count);
  } else if (dst < src) {
    for (int i = 0; i < count; ++i) {
      ::new (static_cast<void*>(dst + i)) T(std::move(src[i]));
      src[i].~T();
    }
  } else {
    for (int i = count - 1; i >= 0; --i) {
      ::new (static_cast<void*>(dst + i)) T(std::move(src[i]));
      src[i].~T();
    }
  }
}

template <class T>
void ATypedArray<T>::SetSize(int newSize, int growBy) {
  if (growBy > 0) growBy_ = growBy;
  if (newSize <= 0) {
    std::destroy_n(data_, size_);
    std::free(data_);
    data_ = nullptr;
    size_ = capacity_ = 0;
    return;
  }
  if (!data_) {
    data_ = static_cast<T*>(std::malloc(sizeof(T) * newSize));
    if (!data_) throw std::bad_alloc();
    std::uninitialized_default_construct_n(data_, newSize);
    size_ = capacity_ = newSize;
    return;
  }
  if (newSize > capacity_) {
    if (growBy_ == 0) {
      int step = size_ < 1024 ? size_ / 4 : size_ / 8;
      growBy_ = std::clamp(step, 8, 2048);
    }
    int newCapacity = std::max(capacity_ + growBy_, newSize);
    T* fresh = static_cast<T*>(std::malloc(sizeof(T) * newCapacity));
    if (!fresh) throw std::bad_alloc();
    Relocate(fresh, data_, size_);
    std::uninitialized_default_construct_n(fresh + size_, newSize - size_);
    std::free(data_);
    data_ = fresh;
    capacity_ = newCapacity;
  } else if (newSize > size_) {
    std::uninitialized_default_construct_n(data_ + size_, newSize - size_);
  } else {
    std::destroy_n(data_ + newSize, size_ - newSize);
  }
  size_ = newSize;
}

template <class T>
void ATypedArray<T>::RemoveAt(int start, int count) {
  if (start < 0 || start >= size_ || count <= 0) return;
  count = std::min(count, size_ - start);
  std::destroy_n(data_ + start, count);
  Relocate(data_ + start, data_ + start + count, size_ - start - count);
  size_ -= count;
}

template <class T>
void ATypedArray<T>::Sort(bool descending)
  requires std::is_pointer_v<T>
{
  if (size_ < 2) return;
  if (compare_) {
    ATypedArrayCompare cmp = descending && compareDescending_ ? compareDescending_ : compare_;
    std::qsort(data_, size_, sizeof(T), cmp);
    return;
  }
  std::qsort(data_, size_, sizeof(T),
             descending ? [](const void* a, const void* b) { return -std::memcmp(a, b, sizeof(T)); }
                        : [](const void* a, const void* b) { return std::memcmp(a, b, sizeof(T)); });
}

FOUNDATION_END
