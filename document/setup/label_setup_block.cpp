#include "document/setup/label_setup_block.h"

#include <type_traits>

#include "fields/records/record_slot.h"

namespace {

// One stored member: its offset, its width and how it is put, taken and
// copied. The table below is the only description of the block.
struct SetupSlot {
  uint16_t offset;
  uint16_t width;
  void (*put)(const CLabelSetup& setup, uint8_t* at);
  void (*get)(CLabelSetup& setup, const uint8_t* at);
  void (*copy)(CLabelSetup& dst, const CLabelSetup& src);
};

template <auto Member>
constexpr SetupSlot Slot(uint16_t offset) {
  using T = std::remove_cvref_t<decltype(std::declval<CLabelSetup&>().*Member)>;
  return SetupSlot{
      offset,
      record_codec::Width<T>(),
      [](const CLabelSetup& s, uint8_t* at) { record_codec::Put(at, s.*Member); },
      [](CLabelSetup& s, const uint8_t* at) { record_codec::Get(at, s.*Member); },
      [](CLabelSetup& d, const CLabelSetup& s) { d.*Member = s.*Member; },
  };
}

constexpr std::array kSlots{
    Slot<&CLabelSetup::labelWidth>(4),
    Slot<&CLabelSetup::labelHeight>(8),
    Slot<&CLabelSetup::deflt_leftOff>(12),
    Slot<&CLabelSetup::deflt_topOff>(16),
    Slot<&CLabelSetup::deflt_hGap>(20),
    Slot<&CLabelSetup::deflt_vGap>(24),
    Slot<&CLabelSetup::cornerSize>(28),
    Slot<&CLabelSetup::deflt_lblsPerRow>(32),
    Slot<&CLabelSetup::deflt_rowsPerPage>(34),
    Slot<&CLabelSetup::deflt_rotation>(36),
    Slot<&CLabelSetup::noDataConversion>(37),
    Slot<&CLabelSetup::printerKind>(38),
    Slot<&CLabelSetup::DefaultUnits>(39),
    Slot<&CLabelSetup::IsSysPrinter>(40),
    Slot<&CLabelSetup::deflt_shape>(41),
    Slot<&CLabelSetup::deflt_hasBorder>(42),
    Slot<&CLabelSetup::trueTypeFontDefault>(43),
    Slot<&CLabelSetup::driverFlag>(44),
    Slot<&CLabelSetup::dpiX>(46),
    Slot<&CLabelSetup::dpiY>(50),
    Slot<&CLabelSetup::deflt_bkclr>(54),
    Slot<&CLabelSetup::border>(58),
    Slot<&CLabelSetup::value74>(74),
    Slot<&CLabelSetup::value78>(78),
    Slot<&CLabelSetup::value82>(82),
    Slot<&CLabelSetup::value86>(86),
    Slot<&CLabelSetup::value90>(90),
    Slot<&CLabelSetup::value94>(94),
    Slot<&CLabelSetup::value98>(98),
    Slot<&CLabelSetup::cutterSetting>(100),
    Slot<&CLabelSetup::flag104>(104),
    Slot<&CLabelSetup::flag105>(105),
    Slot<&CLabelSetup::flag106>(106),
    Slot<&CLabelSetup::value107>(107),
    Slot<&CLabelSetup::value108>(108),
    Slot<&CLabelSetup::value109>(109),
    Slot<&CLabelSetup::value110>(110),
    Slot<&CLabelSetup::value111>(111),
    Slot<&CLabelSetup::value112>(112),
    Slot<&CLabelSetup::values113>(113),
    Slot<&CLabelSetup::value120>(120),
    Slot<&CLabelSetup::value122>(122),
    Slot<&CLabelSetup::value126>(126),
    Slot<&CLabelSetup::value130>(130),
    Slot<&CLabelSetup::value134>(134),
    Slot<&CLabelSetup::value138>(138),
    Slot<&CLabelSetup::value142>(142),
    Slot<&CLabelSetup::value146>(146),
    Slot<&CLabelSetup::value150>(150),
    Slot<&CLabelSetup::deflt_hasHoleDiameter>(342),
    Slot<&CLabelSetup::value344>(344),
    Slot<&CLabelSetup::value346>(346),
    Slot<&CLabelSetup::deflt_holeDiameter>(470),
};

// The table is ordered, its members do not overlap, none reaches into the
// strings' range 154-341, and all lie inside the block.
constexpr bool SlotsAreSound() {
  for (size_t i = 0; i < kSlots.size(); ++i) {
    const SetupSlot& s = kSlots[i];
    if (s.offset + s.width > CLabelSetup::kStoredSize) return false;
    if (s.offset < 342 && s.offset + s.width > 154) return false;
    if (i > 0 && kSlots[i - 1].offset + kSlots[i - 1].width > s.offset) return false;
  }
  return true;
}
static_assert(SlotsAreSound());

}  // namespace

LabelSetupBlock PutLabelSetupBlock(const CLabelSetup& setup) {
  LabelSetupBlock block{};
  for (const SetupSlot& s : kSlots) s.put(setup, block.data() + s.offset);
  return block;
}

void GetLabelSetupBlock(CLabelSetup& setup, std::span<const uint8_t, CLabelSetup::kStoredSize> block) {
  for (const SetupSlot& s : kSlots) s.get(setup, block.data() + s.offset);
}

void CopyLabelSetupNumbers(CLabelSetup& setup, const CLabelSetup& other) {
  for (const SetupSlot& s : kSlots) s.copy(setup, other);
}
