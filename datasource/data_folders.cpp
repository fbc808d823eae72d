#include "datasource/data_folders.h"

#include <array>
#include <mutex>

#include "foundation/settings/process_settings.h"
#include "platform/kernel/kernel.h"

namespace {

struct Folders {
  std::mutex lock;
  std::array<AString, 4> set;  // empty: the default
};

Folders& TheFolders() {
  static Folders folders;
  return folders;
}

// The program's folder, ending in '/'.
AString ProgramFolder() {
  char path[4096] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  AString folder(static_cast<int>(n), path);
  const int slash = folder.ReverseFind('/');
  return slash >= 0 ? folder.Left(slash + 1) : AString("./");
}

const char* DefaultSubfolder(DataFolder kind) {
  switch (kind) {
    case DataFolder::kCounters: return "CounterFiles/";
    case DataFolder::kChooseLists: return "ChooselistFiles/";
    case DataFolder::kTextFiles: return "TextFiles/";
    case DataFolder::kDbLists: return "";
  }
  return "";
}

}  // namespace

AString GetDataFolder(DataFolder kind) {
  Folders& f = TheFolders();
  {
    std::lock_guard guard(f.lock);
    const AString& set = f.set[static_cast<size_t>(kind)];
    if (!set.IsEmpty()) return set;
  }
  if (kind == DataFolder::kCounters && !GetFolder(FolderKind::kCounter).IsEmpty()) {
    return GetFolder(FolderKind::kCounter);
  }
  return ProgramFolder() + DefaultSubfolder(kind);
}

void SetDataFolder(DataFolder kind, const AString& folder) {
  AString value = folder;
  if (!value.IsEmpty() && value.GetLastChar() != '/') value += '/';
  Folders& f = TheFolders();
  std::lock_guard guard(f.lock);
  f.set[static_cast<size_t>(kind)] = value;
}

AString DataFilePath(DataFolder kind, const AString& name) { return GetDataFolder(kind) + name; }
