// The language table, the current language file and the lookup of interface
// texts in it.
#include "app/ui/ui_language.h"

#include <array>

#include "foundation/codepage/codepage.h"
#include "foundation/settings/process_settings.h"

namespace {

constexpr std::array<UiLanguageRow, 6> kLanguages{{
    {"English", kLanguageNameUntranslated, "English", ""},
    {"Chinese(Simplified)", 0, "Chinese_simp", "_CN"},
    {"Chinese(Traditional)", 0, "Chinese_tradi", ""},
    {"German", kLanguageNameUntranslated, "German", ""},
    {"Japanese", kLanguageNameUntranslated, "Japanese", ""},
    {"Korean", kLanguageNameUntranslated, "Korean", ""},
}};
static_assert(kLanguages[kUiChineseSimplified].helpSuffix[0] == '_');

constexpr std::array<int, 3> kOffered{kUiEnglish, kUiChineseSimplified, kUiChineseTraditional};

// The foundation's language kinds of the table's rows (German has none of its own).
constexpr std::array<int, 6> kLanguageKinds{
    codepage::kEnglish, codepage::kSimplifiedChinese, codepage::kTraditionalChinese,
    codepage::kEnglish, codepage::kJapanese,          codepage::kKorean};

// The program-wide language state: the current row and its file.
struct LanguageState {
  int language = kUiEnglish;
  AString folder;
  AString filePath;
};

LanguageState& State() {
  static LanguageState state;
  return state;
}

AString ProgramLanguageFolder() {
  char path[4096] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  AString folder(static_cast<int>(n), path);
  const int slash = folder.ReverseFind('/');
  folder.Truncate(slash >= 0 ? slash + 1 : 0);
  folder += "DvrUIetc/";
  return folder;
}

const AString& Folder() {
  LanguageState& s = State();
  if (s.folder.IsEmpty()) s.folder = ProgramLanguageFolder();
  return s.folder;
}

}  // namespace

std::span<const UiLanguageRow> UiLanguageTable() { return kLanguages; }
std::span<const int> OfferedUiLanguages() { return kOffered; }

int ClampUiLanguage(int language) {
  return language >= 0 && language < static_cast<int>(kLanguages.size()) ? language : kUiEnglish;
}

const AString& UiLanguageFolder() { return Folder(); }

void SetUiLanguageFolder(const char* folder) {
  AString f(folder ? folder : "");
  if (!f.IsEmpty() && f.GetLastChar() != '/') f += '/';
  State().folder = f;
  // The current file follows the folder.
  State().filePath = UiLanguageFileOf(State().language);
}

AString UiLanguageFileOf(int language) {
  AString path = Folder();
  path += kLanguages[ClampUiLanguage(language)].fileStem;
  path += ".ui";
  return path;
}

void SetUiLanguageFile(int language) {
  LanguageState& s = State();
  s.language = ClampUiLanguage(language);
  s.filePath = UiLanguageFileOf(s.language);
  UiLanguageKind() = kLanguageKinds[s.language];
  // The designer has no separate setting for the language of the data typed
  // into fields: it is the interface's.
  AppDataLanguage() = static_cast<SHORT>(kLanguageKinds[s.language]);
}

int UiLanguage() { return State().language; }
bool IsEnglishUi() { return State().language == kUiEnglish; }

const AString& UiLanguageFilePath() {
  LanguageState& s = State();
  if (s.filePath.IsEmpty()) s.filePath = UiLanguageFileOf(s.language);
  return s.filePath;
}

int UiCodePage() { return CodePageFromLanguage(kLanguageKinds[State().language], true); }

bool ReadUiString(const char* key, AString& value, const char* file) {
  if (!key || !*key) return false;
  const char* path = file ? file : UiLanguageFilePath().GetData();
  // Values hold at most 2047 bytes.
  char buffer[2048];
  const DWORD n = GetPrivateProfileStringA("UI_STR", key, "", buffer, sizeof buffer, path);
  if (n == 0) return false;
  value = AString(static_cast<int>(n), buffer);
  return true;
}

void GetHelpFileSuffix(AString& result) { result = kLanguages[State().language].helpSuffix; }

std::u16string UiTextToWide(const char* text, int length) {
  if (!text) return {};
  const std::string_view bytes = length < 0 ? std::string_view(text) : std::string_view(text, length);
  if (bytes.empty()) return {};
  return DecodeCodePageText(bytes, UiCodePage(), 0);
}

std::u16string UiTextToWide(const AString& text) {
  if (text.IsEmpty()) return {};
  if (text.IsWide()) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.GetData()), text.GetLength() / 2);
  }
  return UiTextToWide(text.GetData(), text.GetLength());
}
