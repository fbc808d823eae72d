#include "print/dialog/counter_advance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <map>

#include "app/counter/counter_text.h"
#include "datasource/counter_file.h"
#include "datasource/data_folders.h"
#include "fields/model/field_data.h"
#include "fields/model/field_kinds.h"
#include "fields/services/field_services.h"

namespace {

// The step and kind of a Counter File field that counts; false otherwise.
struct CounterUse {
  int increment = 0;
  int kind = 0;
  bool rollover = false;
  AString limit, reset;
};
bool SteppedCounter(const CField& f, CounterUse* use) {
  if (f.dataSourceType != static_cast<int16_t>(DataSourceType::kCounterFile) || f.counterFile.IsEmpty()) return false;
  if (f.IsKind(FieldKind::kText)) {
    const auto& t = static_cast<const CTextField&>(f);
    *use = CounterUse{t.increment, t.counterType, t.rollover != 0, t.rolloverLimit, t.rolloverResetTo};
  } else if (f.IsKind(FieldKind::kBarcode)) {
    const auto& b = static_cast<const CBarcodeField&>(f);
    *use = CounterUse{b.increment, b.symbology == 0 ? 0 : b.counterType, b.rollover != 0, b.rolloverLimit,
                      b.rolloverResetTo};
  } else {
    return false;
  }
  return use->increment != 0;
}

AString CounterPath(const CField& f) { return DataFilePath(DataFolder::kCounters, f.counterFile); }

}  // namespace

CounterFolderLock::~CounterFolderLock() {
  if (fd_ >= 0) {
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
  }
}

bool CounterFolderLock::Take() {
  if (fd_ >= 0) return true;
  const AString folder = GetDataFolder(DataFolder::kCounters);
  const int fd = ::open(folder.GetData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

bool UsesSteppedCounterFiles(const CFieldList& fields) {
  CounterUse use;
  for (const auto& f : fields)
    if (SteppedCounter(*f, &use)) return true;
  return false;
}

bool CounterFilesReadable(const CFieldList& fields, AString* reason) {
  CounterUse use;
  for (const auto& f : fields) {
    if (!SteppedCounter(*f, &use)) continue;
    CCounterFileData data;
    const AString path = CounterPath(*f);
    if (!ReadCounterFileContent(path.GetData(), &data) || data.value.IsEmpty()) {
      reason->Format("The counter file %s cannot be read.", path.GetData());
      return false;
    }
  }
  return true;
}

int AdvanceCounterFiles(CFieldList& fields, int quantity, bool* changed, AString* reason) {
  if (quantity <= 0) return 1;
  int result = 1;
  // Each counter file advances once, however many fields show it.
  std::map<std::string, AString> advanced;
  for (auto& f : fields) {
    f->printFlag1 = 0;
    CounterUse use;
    if (!SteppedCounter(*f, &use)) continue;
    const std::string name = f->counterFile.GetData();
    if (const auto it = advanced.find(name); it != advanced.end()) {
      SetFieldData(*f, it->second);
      *changed = true;
      continue;
    }
    const AString path = CounterPath(*f);
    CCounterFileData data;
    // Never stepped from a value that was not read: the serial numbers
    // would start again.
    if (!ReadCounterFileContent(path.GetData(), &data) || data.value.IsEmpty()) {
      reason->Format("The counter file %s cannot be read; it was not advanced.", path.GetData());
      result = 0;
      continue;
    }
    const long long steps = static_cast<long long>(quantity) * use.increment;
    const int step = static_cast<int>(std::clamp<long long>(steps, INT32_MIN, INT32_MAX));
    data.value = StepCounterText(data.value, step, use.kind, use.rollover, use.limit, use.reset);
    if (!WriteCounterFile(path.GetData(), data)) {
      reason->Format("The counter file %s could not be written.", path.GetData());
      result = 0;
      continue;
    }
    SetFieldData(*f, data.value);
    advanced.emplace(name, data.value);
    *changed = true;
  }
  return result;
}
