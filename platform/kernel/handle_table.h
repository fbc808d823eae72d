// The one table behind every handle the platform hands out: files, mappings,
// find searches, device contexts, metafiles, GDI objects, windows, menus,
// icons, cursors, accelerators and hooks.
//
// A handle is (serial << 8) | kind. The serial number grows for the life of
// the process and is never reused, so a closed handle stays unknown forever
// and can never reach an object made after it; the kind tag is checked on
// every lookup, so a pen handle given where a device context is expected is
// refused. Lookups hand out shared owners: an object closed on one thread
// stays alive while another thread is still inside a call that uses it. The
// table is safe to use from any thread.
//
// Adding a kind of handle:
//   1. add an enumerator to HandleKind below (before kCount; the numbers only
//      live as long as the process, so any free slot will do);
//   2. if the kind belongs to a family that shares calls (the kernel objects
//      CloseHandle takes, the GDI objects SelectObject takes), add it to that
//      family's HandleKinds constant;
//   3. store each kind as one C++ type and look it up as that same type:
//        HMENU m = handles::Create<HMENU>(HandleKind::Menu, std::make_shared<Menu>());
//        std::shared_ptr<Menu> menu = handles::Lookup<Menu>(m, HandleKind::Menu);
//        handles::Destroy(m, HandleKind::Menu);
//      A family stored through a common base class is stored and looked up as
//      the base (std::shared_ptr<Base>) and cast down by the caller after
//      checking the kind.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

enum class HandleKind : uint8_t {
  None = 0,
  // Kernel objects (CloseHandle)
  File,
  FileMapping,
  FindFile,
  Event,
  // Movable global memory (GlobalAlloc with GMEM_MOVEABLE)
  GlobalMemory,
  // Device contexts and metafiles
  Dc,
  EnhMetafile,
  // GDI objects (SelectObject, DeleteObject)
  Pen,
  Brush,
  Font,
  Bitmap,
  Region,
  Palette,
  // The window system
  Window,
  Menu,
  Icon,
  Cursor,
  Accelerator,
  Hook,
  // Common controls
  ImageList,
  PropertySheetPage,
  kCount
};
static_assert(static_cast<int>(HandleKind::kCount) <= 64, "a HandleKinds set holds at most 64 kinds");

// A set of kinds, for calls that take any handle of a family.
class HandleKinds {
 public:
  constexpr HandleKinds(HandleKind kind) : bits_(Bit(kind)) {}  // NOLINT: one kind is a set of one
  constexpr HandleKinds(std::initializer_list<HandleKind> kinds) {
    for (HandleKind k : kinds) bits_ |= Bit(k);
  }
  constexpr bool Has(HandleKind kind) const { return (bits_ & Bit(kind)) != 0; }

 private:
  static constexpr uint64_t Bit(HandleKind kind) { return uint64_t{1} << static_cast<unsigned>(kind); }
  uint64_t bits_ = 0;
};

inline constexpr HandleKinds kKernelHandleKinds{HandleKind::File, HandleKind::FileMapping, HandleKind::FindFile,
                                                HandleKind::Event};
inline constexpr HandleKinds kGdiObjectKinds{HandleKind::Pen,    HandleKind::Brush,  HandleKind::Font,
                                             HandleKind::Bitmap, HandleKind::Region, HandleKind::Palette};

namespace handles {

// Whether DestroyHandle may remove an entry. Permanent entries (the stock
// objects) stay for the life of the process.
enum class Lifetime { Deletable, Permanent };

// The untyped table. Handles are integers here; the typed calls below take
// and return the platform's handle types.
uintptr_t AddHandle(HandleKind kind, std::shared_ptr<void> object, Lifetime lifetime = Lifetime::Deletable);
// The object of a live handle of one of `kinds`; null for anything else.
std::shared_ptr<void> FindHandle(uintptr_t handle, HandleKinds kinds);
// The kind of a live handle, or nothing.
std::optional<HandleKind> KindOfHandle(uintptr_t handle);
// Removes a live, deletable handle of one of `kinds` and gives its object back
// (the last owner destroys it, never under the table's lock); null otherwise.
std::shared_ptr<void> TakeHandle(uintptr_t handle, HandleKinds kinds);
// The live handles of `kinds`, oldest first.
std::vector<uintptr_t> HandlesOf(HandleKinds kinds);

template <class H>
uintptr_t ToValue(H handle) {
  static_assert(std::is_pointer_v<H>, "handles are opaque pointer types");
  return reinterpret_cast<uintptr_t>(handle);
}

template <class H, class T>
H Create(HandleKind kind, std::shared_ptr<T> object, Lifetime lifetime = Lifetime::Deletable) {
  if (!object) return H{};
  return reinterpret_cast<H>(AddHandle(kind, std::static_pointer_cast<void>(std::move(object)), lifetime));
}

template <class T, class H>
std::shared_ptr<T> Lookup(H handle, HandleKinds kinds) {
  return std::static_pointer_cast<T>(FindHandle(ToValue(handle), kinds));
}

template <class T, class H>
std::shared_ptr<T> Take(H handle, HandleKinds kinds) {
  return std::static_pointer_cast<T>(TakeHandle(ToValue(handle), kinds));
}

template <class H>
bool Destroy(H handle, HandleKinds kinds) {
  return TakeHandle(ToValue(handle), kinds) != nullptr;
}

template <class H>
std::vector<H> Enumerate(HandleKinds kinds) {
  std::vector<H> out;
  for (uintptr_t value : HandlesOf(kinds)) out.push_back(reinterpret_cast<H>(value));
  return out;
}

}  // namespace handles
