// An atom table: strings (compared without regard to ASCII case) and their
// numbers from 0xC000, counted references, integer atoms below 0xC000 that
// stand for themselves. Thread-safe. The kernel's global and local atoms use
// one; the window system keeps its own for class names and registered messages.
#pragma once

#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/kernel/types.h"

namespace kernel {

class AtomTable {
 public:
  // 0 for an empty or over-long (255 units) name.
  ATOM Add(std::u16string_view name);
  ATOM Find(std::u16string_view name) const;
  // Drops one reference; false for an atom not in the table.
  bool Delete(ATOM atom);
  bool Name(ATOM atom, std::u16string& name) const;

 private:
  struct Entry {
    std::u16string name;
    int references = 0;
  };
  static std::u16string Key(std::u16string_view name);
  mutable std::mutex mutex_;
  std::vector<Entry> entries_;  // index = atom - 0xC000
  std::unordered_map<std::u16string, ATOM> byKey_;
};

// "#123" names an integer atom; true with its value.
bool IntegerAtomName(std::u16string_view name, ATOM& atom);

}  // namespace kernel
