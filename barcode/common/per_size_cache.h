// Tables that depend only on a symbol's size (placement maps, tabled
// Reed-Solomon divisions), made on first use by whichever thread asks first
// and kept for the life of the library.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <mutex>

namespace kalvo {

template <class T, size_t N>
class PerSizeCache {
 public:
  // The table of size `index` (< N), made by `make(index)` the first time.
  template <class Make>
  const T& Get(size_t index, Make&& make) {
    std::call_once(once_[index], [&] { values_[index] = std::make_unique<const T>(make(index)); });
    return *values_[index];
  }

 private:
  std::array<std::once_flag, N> once_;
  std::array<std::unique_ptr<const T>, N> values_;
};

}  // namespace kalvo
