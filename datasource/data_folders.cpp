#include "datasource/data_folders.h"

#include <array>
#include <mutex>
#include <optional>

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

// The process-wide folder a data folder follows, if any (the database
// lists' folder is set on its own).
std::optional<FolderKind> SharedFolderOf(DataFolder kind) {
  switch (kind) {
    case DataFolder::kCounters: return FolderKind::kCounter;
    case DataFolder::kTextFiles: return FolderKind::kLinkedText;
    case DataFolder::kChooseLists: return FolderKind::kChooseList;
    case DataFolder::kDbLists: return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

AString GetDataFolder(DataFolder kind) {
  Folders& f = TheFolders();
  {
    std::lock_guard guard(f.lock);
    const AString& set = f.set[static_cast<size_t>(kind)];
    if (!set.IsEmpty()) return set;
  }
  // The counters, text files and choose lists follow the folders the
  // program sets from its settings.
  if (const auto shared = SharedFolderOf(kind); shared && !GetFolder(*shared).IsEmpty()) {
    return GetFolder(*shared);
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
