#include "foundation/system/font_file.h"

#include "foundation/settings/process_settings.h"
#include "platform/shell/registry.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

FOUNDATION_BEGIN

namespace {

constexpr DWORD kNameChars = 260;

std::string Upper(std::string_view s) {
  std::string out(s);
  for (auto& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return out;
}

// Upper case, every '@' removed.
std::string PrepareFace(std::string_view face) {
  std::string out;
  for (char c : Upper(face))
    if (c != '@') out += c;
  return out;
}

std::string WithoutBlanks(std::string_view s) {
  std::string out;
  for (char c : s)
    if (c != ' ') out += c;
  return out;
}

void EraseAll(std::string& s, std::string_view what) {
  for (auto at = s.find(what); at != std::string::npos; at = s.find(what, at)) s.erase(at, what.size());
}

std::string CutAtComma(std::string_view s) { return std::string(s.substr(0, s.find(','))); }

// Opens a key of the system's font settings under the machine's keys, else the user's.
HKEY OpenFontKey(const char* leaf) {
  const char* suffix = OsVersionFlags().isNtFamily ? " NT" : "";
  const std::string path = std::string("SOFTWARE\\Microsoft\\Windows") + suffix + "\\CurrentVersion\\" + leaf;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) return key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) return key;
  return nullptr;
}

struct KeyOwner {
  HKEY key;
  ~KeyOwner() {
    if (key) RegCloseKey(key);
  }
};

// Walks the key's values in order, calling visit(name, data) until it
// returns true. Values too long for the buffers are passed over.
template <typename Visit>
bool ForEachValue(HKEY key, Visit&& visit) {
  for (DWORD index = 0;; ++index) {
    char name[kNameChars + 1];
    char data[kNameChars + 1];
    DWORD nameSize = sizeof name;
    DWORD dataSize = sizeof data;
    DWORD type = REG_NONE;
    const LSTATUS status =
        RegEnumValueA(key, index, name, &nameSize, nullptr, &type, reinterpret_cast<LPBYTE>(data), &dataSize);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return false;
    if (type != REG_SZ) continue;
    data[std::min<DWORD>(dataSize, kNameChars)] = '\0';
    if (visit(std::string_view(name, nameSize), std::string_view(data))) return true;
  }
}

std::vector<std::string> Words(std::string_view s) {
  std::vector<std::string> out;
  std::string word;
  for (char c : s) {
    if (c == ' ') {
      if (!word.empty()) out.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) out.push_back(std::move(word));
  return out;
}

// The font list's file for a prepared face: an exact name first, then one
// holding all of the face's words.
bool SearchFontList(HKEY key, const std::string& face, AString* path) {
  const std::string bare = WithoutBlanks(face);
  const auto words = Words(face);
  std::string file;
  auto exact = [&](std::string_view name, std::string_view data) {
    std::string upper = Upper(name);
    if (upper.find("TRUETYPE") == std::string::npos) return false;
    EraseAll(upper, "(TRUETYPE)");
    EraseAll(upper, "NORMAL");
    if (WithoutBlanks(upper) != bare) return false;
    file = data;
    return true;
  };
  auto allWords = [&](std::string_view name, std::string_view data) {
    const std::string upper = Upper(name);
    if (upper.find("TRUETYPE") == std::string::npos) return false;
    for (const auto& w : words)
      if (upper.find(w) == std::string::npos) return false;
    file = data;
    return true;
  };
  if (!ForEachValue(key, exact) && !ForEachValue(key, allWords)) return false;
  // A bare file name lives in the system's fonts folder.
  if (path) *path = (file.size() < 3 || file.front() != '/') ? (std::string(kSystemFontsFolder) + file).c_str() : file.c_str();
  return true;
}

// The family the font substitutes put in place of a prepared face, if any.
bool FindSubstitute(const std::string& face, std::string* family) {
  KeyOwner substitutes{OpenFontKey("FontSubstitutes")};
  if (!substitutes.key) return false;
  return ForEachValue(substitutes.key, [&](std::string_view name, std::string_view data) {
    if (Upper(CutAtComma(name)) != face) return false;
    *family = CutAtComma(data);
    return true;
  });
}

}  // namespace

int FindTrueTypeFontFile(const char* face, AString* path, AString* realFace) {
  if (realFace) *realFace = face ? face : "";
  std::string wanted = PrepareFace(face ? face : "");
  for (int round = 0; round < 2; ++round) {
    // An empty face would match the first entry of all.
    if (WithoutBlanks(wanted).empty()) return 0;
    KeyOwner fonts{OpenFontKey("Fonts")};
    if (!fonts.key) return 0;
    if (SearchFontList(fonts.key, wanted, path)) return 1;
    std::string family;
    if (round == 1 || !FindSubstitute(wanted, &family)) return 0;
    if (realFace) *realFace = family.c_str();
    wanted = PrepareFace(family);
  }
  return 0;
}

FOUNDATION_END
