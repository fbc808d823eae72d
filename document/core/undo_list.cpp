#include "document/core/undo_list.h"

#include "fields/lifecycle/field_lifecycle.h"

void UndoList::Release(UndoRecord& record) {
  if (!record.OwnsFields()) return;
  for (UndoFieldEntry& e : record.entries) {
    DeleteField(std::unique_ptr<CField>(e.field));
    e.field = nullptr;
  }
}

void UndoList::Record(const UndoRecord& record) {
  if (position_ >= 0) {
    while (Count() > position_) {
      Release(records_.back());
      records_.pop_back();
    }
  }
  records_.push_back(record);
  position_ = -1;
}

int UndoList::NextUndo() const {
  if (position_ < 0) return Count() - 1;
  return position_ - 1;
}

void UndoList::Clear() {
  for (UndoRecord& r : records_) Release(r);
  records_.clear();
  position_ = -1;
}
