#include "app/frame/outside_changes.h"

#include <sys/stat.h>

#include "platform/win.h"

std::optional<LayoutFileStatus> ReadLayoutFileStatus(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
  LayoutFileStatus s;
  s.modified = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  s.size = static_cast<int64_t>(st.st_size);
  // The read-only attribute as the platform's file calls report it.
  s.readOnly = (st.st_mode & S_IWUSR) == 0;
  return s;
}

int CompareFileStatus(const LayoutFileStatus& now, const LayoutFileStatus& kept) {
  if (now.modified != kept.modified || now.size != kept.size) return 1;
  return now.readOnly != kept.readOnly ? 2 : 0;
}

int CheckOutsideChanges(const std::vector<CLayoutFileWatch*>& layouts, const OutsideChangeQuestion& ask) {
  int asked = 0;
  for (CLayoutFileWatch* layout : layouts) {
    const std::optional<LayoutFileStatus> now = ReadLayoutFileStatus(layout->Path());
    if (!now) continue;
    switch (CompareFileStatus(*now, layout->KeptStatus())) {
      case 2:
        layout->SetLocked(now->readOnly);
        layout->SetKeptStatus(*now);
        break;
      case 1: {
        // Once answered "No", the same state of the file is not asked about again.
        const std::optional<LayoutFileStatus> declined = layout->DeclinedStatus();
        if (declined && *declined == *now) break;
        ++asked;
        if (ask(*layout, layout->IsModified()) == IDYES) {
          layout->Reload(*now);
        } else {
          layout->SetDeclinedStatus(*now);
        }
        break;
      }
      default:
        break;
    }
  }
  return asked;
}
