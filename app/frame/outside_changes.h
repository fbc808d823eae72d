// Layout files changed on disk by another program while the designer was
// away: when the designer is activated again each open layout's file is
// compared with the status its document keeps. A changed read-only attribute
// alone relocks the layout without a word; a changed time or size asks once
// per change whether to reload.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What the designer compares of a file.
struct LayoutFileStatus {
  int64_t modified = 0;  // modification time, nanoseconds
  int64_t size = 0;
  bool readOnly = false;
  bool operator==(const LayoutFileStatus&) const = default;
};

// The file's status now; nullopt when it can't be read. Read-only is the
// file's attribute (no write permission for its owner).
std::optional<LayoutFileStatus> ReadLayoutFileStatus(const std::string& path);

// 0 unchanged, 2 only the read-only attribute changed, 1 time or size changed.
int CompareFileStatus(const LayoutFileStatus& now, const LayoutFileStatus& kept);

// One open layout as the check sees it: the bookkeeping its document keeps.
class CLayoutFileWatch {
 public:
  virtual ~CLayoutFileWatch() = default;
  virtual std::string Path() const = 0;
  virtual LayoutFileStatus KeptStatus() const = 0;
  virtual void SetKeptStatus(const LayoutFileStatus& status) = 0;
  // The status the user last answered "No" for, if any.
  virtual std::optional<LayoutFileStatus> DeclinedStatus() const = 0;
  virtual void SetDeclinedStatus(const LayoutFileStatus& status) = 0;
  virtual bool IsModified() const = 0;
  virtual void SetLocked(bool locked) = 0;
  // Closes the layout's window and opens the file again (the answer Yes).
  virtual void Reload(const LayoutFileStatus& now) = 0;
};

// The question for a changed file: "File %s has been modified outside. Do you
// want to reload it%s?", with " (and lose changes)" when it is modified.
// `ask` shows it with Yes and No and returns IDYES or IDNO.
using OutsideChangeQuestion = std::function<int(const CLayoutFileWatch& layout, bool modified)>;

// Runs the check over the open layouts. Returns how many were asked about.
int CheckOutsideChanges(const std::vector<CLayoutFileWatch*>& layouts, const OutsideChangeQuestion& ask);
