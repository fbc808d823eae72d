// The editing steps of a layout, oldest first, and the position that
// separates the done steps from the undone ones. The design view records a
// step for every edit and applies or reverses the records on Undo and Redo;
// the list lives in memory only.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/kernel/types.h"

class CField;

// One changed field of a step.
struct UndoFieldEntry {
  int32_t index = 0;          // the field's place in the field list (0 = head)
  CField* field = nullptr;    // the field or a copy of it, by the record's kind
  POINT point{0, 0};          // kind 3: the position before the step (mils)
  int32_t value = 0;          // kind 3: the rotation before the step (millidegrees)
};

// The kinds of step, by their stored numbers.
enum class UndoKind : int32_t {
  kRemoved = 0,  // the entries own the removed fields
  kAdded = 1,
  kChanged = 2,  // the entries own copies of the fields as they were
  kMoved = 3,    // the entries keep the previous positions and rotations
};

// One step. Copying a record shares its field pointers; the list owns them.
struct UndoRecord {
  UndoKind kind = UndoKind::kAdded;
  std::vector<UndoFieldEntry> entries;

  // Whether the fields of the entries belong to the record.
  bool OwnsFields() const { return kind == UndoKind::kRemoved || kind == UndoKind::kChanged; }
};

// The records and the undo position. A position is a record's index; -1 is
// "none". With the undo position at R, R and every record after it are
// undone: the next step to undo is the one before R, the next to redo is R.
// The fields that records of kinds 0 and 2 hold are deleted with their
// record: an executor that moves such a field back into the field list puts
// a copy (or null) into the entry instead.
class UndoList {
 public:
  UndoList() = default;
  UndoList(const UndoList&) = delete;
  UndoList& operator=(const UndoList&) = delete;
  ~UndoList() { Clear(); }

  // Drops the undone records (deleting the fields they own), appends a copy
  // of the record and clears the undo position.
  void Record(const UndoRecord& record);
  // The next step to undo, -1 when none.
  int NextUndo() const;
  // The undo position: the next step to redo, -1 when none.
  int RedoPosition() const { return position_; }
  void SetUndoPosition(int position) { position_ = position >= 0 && position < Count() ? position : -1; }
  // Empties the list (deleting the fields the records own).
  void Clear();

  int Count() const { return static_cast<int>(records_.size()); }
  UndoRecord& At(int i) { return records_.at(static_cast<size_t>(i)); }
  const UndoRecord& At(int i) const { return records_.at(static_cast<size_t>(i)); }

 private:
  static void Release(UndoRecord& record);

  std::vector<UndoRecord> records_;
  int position_ = -1;
};
