#include "datasource/ui/records/record_quantities.h"

void RecordQuantities::Reset(int records) {
  records_ = records < 0 ? 0 : records;
  SetAll(0);
}

int RecordQuantities::Get(int record) const {
  if (record < 1 || record > records_) return 0;
  const auto found = differing_.find(record);
  return found == differing_.end() ? all_ : found->second;
}

void RecordQuantities::Set(int record, int quantity) {
  if (record < 1 || record > records_) return;
  const auto found = differing_.find(record);
  if (found != differing_.end()) {
    if (found->second == 0) --differingZero_;
    differing_.erase(found);
  }
  if (quantity == all_) return;
  differing_.emplace(record, quantity);
  if (quantity == 0) ++differingZero_;
}

void RecordQuantities::SetAll(int quantity) {
  all_ = quantity;
  differing_.clear();
  differingZero_ = 0;
}

int RecordQuantities::Chosen() const {
  if (all_ == 0) return static_cast<int>(differing_.size()) - differingZero_;
  return records_ - differingZero_;
}

void RecordQuantities::ForEachChosen(const std::function<bool(int record, int quantity)>& visit) const {
  if (all_ == 0) {
    for (const auto& [record, quantity] : differing_)
      if (quantity != 0 && !visit(record, quantity)) return;
    return;
  }
  auto next = differing_.begin();
  for (int record = 1; record <= records_; ++record) {
    int quantity = all_;
    if (next != differing_.end() && next->first == record) quantity = (next++)->second;
    if (quantity != 0 && !visit(record, quantity)) return;
  }
}
