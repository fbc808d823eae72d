// The record layout of every field kind: the base's slots and strings, then
// each kind's own, with the record size word of the kind.
#pragma once

#include <cstdint>
#include <span>

#include "fields/records/record_slot.h"

struct FieldRecordLayout {
  FieldKind kind;
  uint16_t recordSize;                  // the size word, also the raw block's length
  std::span<const RecordSlot> slots;    // the kind's own members (offset 736 on)
  std::span<const StringSlot> strings;  // the kind's own strings, after the base's
};

// The base's members (offsets 0..735) and strings.
std::span<const RecordSlot> BaseRecordSlots();
std::span<const StringSlot> BaseRecordStrings();

// The layout of a kind that has a record: 0, 1, 2, 3, 4, 6, 7, 9; the OLE
// kind 5 has an empty one (no raw block, no strings); null for 8 and others.
const FieldRecordLayout* RecordLayoutFor(int kind);

// Copies the members of the slots marked kCopied from src to dst (both of the
// slots' class).
void CopySlots(std::span<const RecordSlot> slots, CField& dst, const CField& src);
void CopyStrings(std::span<const StringSlot> strings, CField& dst, const CField& src);
