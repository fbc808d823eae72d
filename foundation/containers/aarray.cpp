#include "foundation/containers/aarray.h"

#include <algorithm>
#include <cstring>
#include <new>

FOUNDATION_BEGIN

namespace {

void NoConstruct(void*) {}
void NoDestroy(void*) {}
void NoAssign(void*, const void*) {}

constexpr int kFirstSizeWhenEmpty = 10;
constexpr int kAutoGrowMin = 32;
constexpr int kAutoGrowMax = 1024;

}  // namespace

const AArrayElementOps AArrayBase::kNoOps = {NoConstruct, NoDestroy, NoAssign};

AArrayBase::~AArrayBase() {
  DestroyRange(0, size_);
  ::operator delete(data_);
}

void AArrayBase::ConstructRange(int first, int count) {
  for (int i = 0; i < count; ++i) ops_->construct(Slot(first + i));
}

void AArrayBase::DestroyRange(int first, int count) {
  for (int i = 0; i < count; ++i) ops_->destroy(Slot(first + i));
}

void AArrayBase::Reallocate(int newCapacity) {
  auto* fresh = static_cast<std::byte*>(::operator new(static_cast<size_t>(newCapacity) * elementSize_));
  if (data_) std::memcpy(fresh, data_, static_cast<size_t>(size_) * elementSize_);
  ::operator delete(data_);
  data_ = fresh;
  capacity_ = newCapacity;
}

void AArrayBase::SetSize(int newSize, int growBy) {
  if (newSize < 1) newSize = kFirstSizeWhenEmpty;
  if (growBy == 0) growBy = std::clamp(size_ / 16, kAutoGrowMin, kAutoGrowMax);
  if (growBy != -1) growBy_ = growBy;

  if (!data_) {
    Reallocate(newSize);
    ConstructRange(0, newSize);
  } else if (newSize > capacity_) {
    int64_t stepped = static_cast<int64_t>(capacity_) + growBy_;
    Reallocate(static_cast<int>(std::max<int64_t>(stepped, newSize)));
    ConstructRange(size_, newSize - size_);
  } else if (newSize > size_) {
    ConstructRange(size_, newSize - size_);
  } else {
    DestroyRange(newSize, size_ - newSize);
  }
  size_ = newSize;
}

void AArrayBase::RemoveAll() {
  DestroyRange(0, size_);
  ::operator delete(data_);
  data_ = nullptr;
  size_ = capacity_ = 0;
  growBy_ = kDefaultGrowBy;
}

void AArrayBase::RemoveAt(int index, int count) {
  if (index < 0 || index >= size_ || count <= 0) return;
  count = std::min(count, size_ - index);
  DestroyRange(index, count);
  std::memmove(Slot(index), Slot(index + count), static_cast<size_t>(size_ - index - count) * elementSize_);
  size_ -= count;
}

void AArrayBase::SetAtGrowRaw(int index, const void* value) {
  if (index < 0) return;
  if (index >= size_) SetSize(index + 1, -1);
  ops_->assign(Slot(index), value);
}

// Makes count default elements at index, moving the elements from index up.
void AArrayBase::OpenGap(int index, int count) {
  if (index < size_) {
    int oldSize = size_;
    SetSize(size_ + count, -1);
    // The slots SetSize built at the end are overwritten by the move.
    DestroyRange(oldSize, count);
    std::memmove(Slot(index + count), Slot(index), static_cast<size_t>(oldSize - index) * elementSize_);
    ConstructRange(index, count);
  } else {
    SetSize(index + count, -1);
  }
}

void AArrayBase::InsertAtRaw(int index, const void* value, int count) {
  if (index < 0 || count <= 0) return;
  OpenGap(index, count);
  for (int i = 0; i < count; ++i) ops_->assign(Slot(index + i), value);
}

int AArrayBase::InsertArrayAt(int index, const AArrayBase& other) {
  int count = other.size_;
  if (count <= 0 || index < 0) return count;
  if (&other == this) {
    AArrayBase copy(ops_, elementSize_);
    copy.CopyArray(*this);
    return InsertArrayAt(index, copy);
  }
  OpenGap(index, count);
  for (int i = 0; i < count; ++i) ops_->assign(Slot(index + i), other.Slot(i));
  return count;
}

int AArrayBase::AppendArray(const AArrayBase& other) {
  int oldSize = size_;
  int count = other.size_;
  // Appending nothing must not turn an empty array into ten default elements.
  if (count <= 0) return oldSize;
  SetSize(oldSize + count, -1);
  for (int i = 0; i < count; ++i) ops_->assign(Slot(oldSize + i), other.Slot(i));
  return oldSize;
}

void AArrayBase::CopyArray(const AArrayBase& other) {
  if (&other == this) return;
  RemoveAll();
  if (other.size_ > 0) SetSize(other.size_, -1);
  for (int i = 0; i < other.size_; ++i) ops_->assign(Slot(i), other.Slot(i));
}

FOUNDATION_END
