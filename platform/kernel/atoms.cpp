// The atom table and the process's global atoms.
#include "platform/kernel/atoms.h"

#include <algorithm>
#include <type_traits>

#include "platform/kernel/atom_table.h"
#include "platform/kernel/kernel_errors.h"
#include "platform/nls/nls.h"
#include "platform/nls/nls_text.h"

namespace kernel {

constexpr ATOM kFirstStringAtom = 0xC000;
constexpr size_t kMaxAtomName = 255;

std::u16string AtomTable::Key(std::u16string_view name) {
  std::u16string key(name);
  for (auto& c : key)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  return key;
}

ATOM AtomTable::Add(std::u16string_view name) {
  if (name.empty() || name.size() > kMaxAtomName) return 0;
  std::lock_guard lock(mutex_);
  const std::u16string key = Key(name);
  if (auto it = byKey_.find(key); it != byKey_.end()) {
    ++entries_[it->second - kFirstStringAtom].references;
    return it->second;
  }
  // Reuse a freed slot only for the same name: numbers of deleted atoms are not handed to other names.
  if (entries_.size() >= 0x10000 - kFirstStringAtom) return 0;
  entries_.push_back(Entry{std::u16string(name), 1});
  const auto atom = static_cast<ATOM>(kFirstStringAtom + entries_.size() - 1);
  byKey_.emplace(key, atom);
  return atom;
}

ATOM AtomTable::Find(std::u16string_view name) const {
  std::lock_guard lock(mutex_);
  auto it = byKey_.find(Key(name));
  if (it == byKey_.end() || entries_[it->second - kFirstStringAtom].references == 0) return 0;
  return it->second;
}

bool AtomTable::Delete(ATOM atom) {
  if (atom < kFirstStringAtom) return atom != 0;
  std::lock_guard lock(mutex_);
  const size_t index = atom - kFirstStringAtom;
  if (index >= entries_.size() || entries_[index].references == 0) return false;
  --entries_[index].references;
  return true;
}

bool AtomTable::Name(ATOM atom, std::u16string& name) const {
  if (atom == 0) return false;
  if (atom < kFirstStringAtom) {
    const std::string digits = std::to_string(atom);
    name.assign(1, u'#');
    name.append(digits.begin(), digits.end());
    return true;
  }
  std::lock_guard lock(mutex_);
  const size_t index = atom - kFirstStringAtom;
  if (index >= entries_.size() || entries_[index].references == 0) return false;
  name = entries_[index].name;
  return true;
}

bool IntegerAtomName(std::u16string_view name, ATOM& atom) {
  if (name.size() < 2 || name[0] != u'#') return false;
  unsigned value = 0;
  for (size_t i = 1; i < name.size(); ++i) {
    if (name[i] < u'0' || name[i] > u'9') return false;
    value = value * 10 + static_cast<unsigned>(name[i] - u'0');
    if (value >= kFirstStringAtom) return false;
  }
  atom = static_cast<ATOM>(value);
  return value != 0;
}

namespace {

AtomTable& Globals() {
  static auto* table = new AtomTable;
  return *table;
}

bool IsIntegerArg(const void* name) { return reinterpret_cast<uintptr_t>(name) <= 0xFFFF; }

std::u16string Widen(LPCSTR name) { return nls::ToUtf16(CP_ACP, nls::OrEmpty(name)); }

ATOM AddOrFind(std::u16string_view name, bool add) {
  ATOM atom = 0;
  if (IntegerAtomName(name, atom)) return atom;
  atom = add ? Globals().Add(name) : Globals().Find(name);
  if (!atom) SetLastError(add ? ERROR_INVALID_PARAMETER : ERROR_FILE_NOT_FOUND);
  return atom;
}

// The name argument of the Global*Atom calls: an integer atom (MAKEINTATOM)
// stands for itself; a text, narrow or wide, is added or looked up.
template <class Char>
ATOM AddOrFindArg(const Char* name, bool add) {
  if (IsIntegerArg(name)) return static_cast<ATOM>(reinterpret_cast<uintptr_t>(name));
  if constexpr (std::is_same_v<Char, char>) {
    return AddOrFind(Widen(name), add);
  } else {
    return AddOrFind(name, add);
  }
}

}  // namespace
}  // namespace kernel

using namespace kernel;

ATOM GlobalAddAtomW(LPCWSTR name) { return AddOrFindArg(name, true); }
ATOM GlobalAddAtomA(LPCSTR name) { return AddOrFindArg(name, true); }
ATOM GlobalFindAtomW(LPCWSTR name) { return AddOrFindArg(name, false); }
ATOM GlobalFindAtomA(LPCSTR name) { return AddOrFindArg(name, false); }
ATOM GlobalDeleteAtom(ATOM atom) {
  if (Globals().Delete(atom)) return 0;
  SetLastError(ERROR_INVALID_HANDLE);
  return atom;
}
UINT GlobalGetAtomNameW(ATOM atom, LPWSTR buffer, int size) {
  std::u16string name;
  if (!buffer || size < 1 || !Globals().Name(atom, name)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const int n = std::min(static_cast<int>(name.size()), size - 1);
  std::copy_n(name.data(), n, buffer);
  buffer[n] = 0;
  return static_cast<UINT>(n);
}
UINT GlobalGetAtomNameA(ATOM atom, LPSTR buffer, int size) {
  std::u16string name;
  if (!buffer || size < 1 || !Globals().Name(atom, name)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string bytes(name.size() * 2 + 1, '\0');
  const int count = WideCharToMultiByte(CP_ACP, 0, name.data(), static_cast<int>(name.size()), bytes.data(),
                                        static_cast<int>(bytes.size()), nullptr, nullptr);
  const int n = std::min(std::max(count, 0), size - 1);
  std::copy_n(bytes.data(), n, buffer);
  buffer[n] = 0;
  return static_cast<UINT>(n);
}
