// Layout files changed on disk by another program while the designer was
// away: when the designer is activated again each open layout's file is
// compared with the status its document keeps. A changed read-only attribute
// alone relocks the layout without a word; a changed time or size asks once
// per change whether to reload.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/core/file_status.h"

// 0 unchanged, 2 only the read-only attribute changed, 1 time or size changed.
int CompareFileStatus(const LayoutFileStatus& now, const LayoutFileStatus& kept);
// The file's status now; nullopt when it can't be read.
std::optional<LayoutFileStatus> FileStatusNow(const std::string& path);
inline bool IsReadOnly(const LayoutFileStatus& status) { return (status.attribute & 1) != 0; }

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

// Shows the question about a changed file with Yes and No; IDYES or IDNO.
using OutsideChangeQuestion = std::function<int(const CLayoutFileWatch& layout, bool modified)>;

// Runs the check over the open layouts. Returns how many were asked about.
int CheckOutsideChanges(const std::vector<CLayoutFileWatch*>& layouts, const OutsideChangeQuestion& ask);
