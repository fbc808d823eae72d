#include "app/frame/outside_changes.h"

#include "platform/win.h"

int CompareFileStatus(const LayoutFileStatus& now, const LayoutFileStatus& kept) {
  if (now.modifiedTime != kept.modifiedTime || now.size != kept.size) return 1;
  return IsReadOnly(now) != IsReadOnly(kept) ? 2 : 0;
}

std::optional<LayoutFileStatus> FileStatusNow(const std::string& path) {
  LayoutFileStatus status;
  if (path.empty() || !ReadLayoutFileStatus(path.c_str(), status)) return std::nullopt;
  return status;
}

int CheckOutsideChanges(const std::vector<CLayoutFileWatch*>& layouts, const OutsideChangeQuestion& ask) {
  int asked = 0;
  for (CLayoutFileWatch* layout : layouts) {
    const std::optional<LayoutFileStatus> now = FileStatusNow(layout->Path());
    if (!now) continue;
    switch (CompareFileStatus(*now, layout->KeptStatus())) {
      case 2:
        layout->SetLocked(IsReadOnly(*now));
        layout->SetKeptStatus(*now);
        break;
      case 1: {
        // Once answered "No", the same content of the file is not asked
        // about again; its read-only attribute is still followed.
        const std::optional<LayoutFileStatus> declined = layout->DeclinedStatus();
        if (declined && CompareFileStatus(*now, *declined) != 1) {
          if (IsReadOnly(*now) != IsReadOnly(*declined)) {
            layout->SetLocked(IsReadOnly(*now));
            layout->SetDeclinedStatus(*now);
          }
          break;
        }
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
