#include "foundation/settings/process_settings.h"

#include <iterator>

#include "foundation/codepage/codepage.h"
#include "platform/kernel/kernel.h"
#include "platform/nls/nls.h"

FOUNDATION_BEGIN

OsVersionFlagsT& OsVersionFlags() {
  static OsVersionFlagsT flags;
  return flags;
}

void InitOsVersionFlags() {
  OsVersionFlagsT& flags = OsVersionFlags();
  flags = OsVersionFlagsT{};
  CPINFO info{};
  const bool multibyte = GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1;
  flags.isDbcsChineseSystem = multibyte && (GetSystemDefaultLangID() & 0x3FF) == 4;  // LANG_CHINESE
}

int& UiLanguageKind() {
  static int kind = 0;
  return kind;
}

SHORT& AppDataLanguage() {
  static SHORT kind = 0;
  return kind;
}

ConfigSettingsT& ConfigSettings() {
  static ConfigSettingsT settings;
  return settings;
}

void LoadConfigSettings(const char* profileFile) {
  ConfigSettingsT& settings = ConfigSettings();
  settings.tabStops = static_cast<int>(GetPrivateProfileIntA("Config", "TabStops", 4, profileFile));
  settings.drawFldsOpaque = static_cast<int>(GetPrivateProfileIntA("Config", "drawFldsOpaque", 1, profileFile));
}

int EffectiveTabStops() {
  const int t = ConfigSettings().tabStops;
  return t == 0 ? 1 : t;
}

namespace {

AString ProgramFolder() {
  char path[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  if (n == 0 || n >= sizeof path) return AString();
  AString folder(path);
  folder.Truncate(folder.ReverseFind('/') + 1);
  return folder;
}

struct Folders {
  AString linkedText;
  AString image;
  AString counter;
  AString chooseList;
};

Folders& TheFolders() {
  // Never destroyed: strings may still be read while other statics go away.
  static Folders* folders = [] {
    const AString program = ProgramFolder();
    return new Folders{program, program, program, program};
  }();
  return *folders;
}

AString& FolderOf(FolderKind kind) {
  Folders& f = TheFolders();
  switch (kind) {
    case FolderKind::kImage: return f.image;
    case FolderKind::kCounter: return f.counter;
    case FolderKind::kChooseList: return f.chooseList;
    case FolderKind::kLinkedText:
    default: return f.linkedText;
  }
}

constexpr DataLanguageEntry kDataLanguages[] = {
    {"English", 0}, {"Simplified Chinese", 1}, {"Traditional Chinese", 2}, {"Japanese", 4}, {"Korean", 5},
};

}  // namespace

const AString& GetFolder(FolderKind kind) { return FolderOf(kind); }

void SetFolder(FolderKind kind, const AString& folder) {
  AString value = folder;
  if (!value.IsEmpty() && value.GetLastChar() != '/') value += '/';
  FolderOf(kind) = value;
}

int DataLanguageCount() { return static_cast<int>(std::size(kDataLanguages)); }

const DataLanguageEntry* GetDataLanguage(int index) {
  return index >= 0 && index < DataLanguageCount() ? &kDataLanguages[index] : nullptr;
}

int DataLanguageKind(int index) {
  const DataLanguageEntry* entry = GetDataLanguage(index);
  return entry ? entry->kind : 0;
}

FOUNDATION_END
