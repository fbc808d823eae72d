// Per-character storage for one text run: inline for the short runs that
// labels draw a character at a time, so that drawing them allocates nothing;
// on the heap for longer ones.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

namespace gdi {

template <class T, size_t N>
class RunBuffer {
 public:
  explicit RunBuffer(size_t size) : size_(size) {
    if (size > N) heap_.resize(size);
  }
  RunBuffer(const RunBuffer&) = delete;
  RunBuffer& operator=(const RunBuffer&) = delete;

  std::span<T> span() { return {size_ > N ? heap_.data() : local_.data(), size_}; }

 private:
  size_t size_;
  std::array<T, N> local_{};
  std::vector<T> heap_;
};

}  // namespace gdi
