// The quantities (labels to print) of a table's records, kept sparsely: one
// quantity for every record (0, or 1 after Select All) and the records whose
// quantity differs from it, so a million-record table costs only what the
// user changed by hand.
#pragma once

#include <functional>
#include <map>

class RecordQuantities {
 public:
  // Forgets every quantity: `records` records (1-based), all at 0.
  void Reset(int records);
  int Records() const { return records_; }
  // Record r's quantity (0 outside 1..Records()).
  int Get(int record) const;
  void Set(int record, int quantity);
  // Every record at `quantity`.
  void SetAll(int quantity);
  // Records with a quantity other than 0.
  int Chosen() const;
  // Calls `visit(record, quantity)` for each chosen record in record order;
  // stops when it answers false.
  void ForEachChosen(const std::function<bool(int record, int quantity)>& visit) const;

 private:
  int records_ = 0;
  int all_ = 0;
  std::map<int, int> differing_;  // record -> quantity other than all_
  int differingZero_ = 0;         // entries of differing_ at 0
};
