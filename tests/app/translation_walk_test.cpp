// The shipped language files against what the program shows: every text of
// the resource scripts of the shell and the layout code (menus, dialogs,
// string tables with their tips), every text the code translates by name and
// every numbered message the code shows must have its entry. A failure lists
// the missing keys, so whoever adds a text adds its translation too.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/ui/ui_language.h"
#include "document/file/layout_problem.h"

namespace {

namespace fs = std::filesystem;

// The folders whose texts the designer shows.
const char* const kFolders[] = {"app", "document", "print"};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<fs::path> FilesWithExtensions(const std::set<std::string>& extensions) {
  std::vector<fs::path> files;
  for (const char* folder : kFolders) {
    const fs::path root = fs::path(TAV_SOURCE_DIR) / folder;
    if (!fs::exists(root)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
      if (entry.is_regular_file() && extensions.count(entry.path().extension().string())) files.push_back(entry.path());
    }
  }
  return files;
}

// A string of a resource script as the program holds it ("" is a quote, \t
// and \n the control characters).
std::string Unescape(const std::string& quoted) {
  std::string out;
  for (size_t i = 0; i < quoted.size(); ++i) {
    if (quoted[i] == '"' && i + 1 < quoted.size() && quoted[i + 1] == '"') {
      out += '"';
      ++i;
    } else if (quoted[i] == '\\' && i + 1 < quoted.size()) {
      const char next = quoted[++i];
      out += next == 't' ? '\t' : next == 'n' ? '\n' : next;
    } else {
      out += quoted[i];
    }
  }
  return out;
}

bool HasLetter(const std::string& text) {
  for (const char c : text)
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  return false;
}

// The texts one shown string stands for: a tip's status text and tooltip
// (split at line breaks), a menu item without its accelerator (after a tab).
void AddShownText(const std::string& text, const std::string& where, std::vector<std::pair<std::string, std::string>>* out) {
  std::stringstream lines(text);
  std::string line;
  while (std::getline(lines, line, '\n')) {
    const size_t tab = line.find('\t');
    if (tab != std::string::npos) line = line.substr(0, tab);
    if (HasLetter(line)) out->emplace_back(line, where);
  }
}

// Every text of a resource script: captions, controls, menu items, string tables.
std::vector<std::pair<std::string, std::string>> ResourceTexts() {
  const std::regex statement(
      R"re(^\s*(CAPTION|POPUP|MENUITEM|LTEXT|RTEXT|CTEXT|PUSHBUTTON|DEFPUSHBUTTON|GROUPBOX|CHECKBOX|AUTOCHECKBOX|RADIOBUTTON|AUTORADIOBUTTON|AUTO3STATE|STATE3|CONTROL)\s+"((?:[^"]|"")*)")re");
  const std::regex tableEntry(R"re(^\s*[A-Za-z_0-9]+\s*,?\s*"((?:[^"]|"")*)")re");
  std::vector<std::pair<std::string, std::string>> texts;
  for (const fs::path& script : FilesWithExtensions({".rc"})) {
    std::stringstream lines(ReadAll(script));
    std::string line;
    bool inTable = false;
    int depth = 0;
    int number = 0;
    while (std::getline(lines, line)) {
      ++number;
      const std::string where = fs::relative(script, TAV_SOURCE_DIR).string() + ":" + std::to_string(number);
      std::smatch m;
      if (line.find("STRINGTABLE") != std::string::npos) {
        inTable = true;
        depth = 0;
        continue;
      }
      if (inTable) {
        if (std::regex_search(line, std::regex(R"(^\s*(BEGIN|\{))"))) ++depth;
        if (std::regex_search(line, std::regex(R"(^\s*(END|\}))")) && --depth <= 0) inTable = false;
        if (std::regex_search(line, m, tableEntry)) AddShownText(Unescape(m[1]), where, &texts);
        continue;
      }
      if (std::regex_search(line, m, statement)) AddShownText(Unescape(m[2]), where, &texts);
    }
  }
  return texts;
}

// Literal texts the code translates or shows, and the numbers of the messages it shows.
void CodeTexts(std::vector<std::pair<std::string, std::string>>* texts, std::set<int>* numbers) {
  // Translated by name, or shown as they stand in the program's message box
  // (which translates its text).
  const std::regex translated(
      R"re((?:TranslateUiString|->UiMessageBox|->ShowMsgBoxDlg)\(\s*"((?:[^"\\]|\\.)*)")re");
  const std::regex numbered(
      R"re((?:FormatUiMessage\(\s*|UiMessageBox\(\s*[^,()]*,\s*|UiMessageBoxEx\(\s*[^,()]*,\s*)(\d{2,5})\b)re");
  for (const fs::path& source : FilesWithExtensions({".cpp", ".h"})) {
    const std::string text = ReadAll(source);
    const std::string where = fs::relative(source, TAV_SOURCE_DIR).string();
    for (auto it = std::sregex_iterator(text.begin(), text.end(), translated); it != std::sregex_iterator(); ++it) {
      AddShownText(Unescape((*it)[1]), where, texts);
    }
    for (auto it = std::sregex_iterator(text.begin(), text.end(), numbered); it != std::sregex_iterator(); ++it) {
      numbers->insert(std::stoi((*it)[1]));
    }
  }
  // The phrases that say why a layout could not be opened, translated one by one.
  for (const char* phrase : kLayoutProblemPhrases) AddShownText(phrase, "document/file/layout_problem.h", texts);
}

std::set<int> MessageNumbersOf(const std::string& file) {
  std::set<int> numbers;
  std::stringstream lines(ReadAll(file));
  std::string line;
  const std::regex entry(R"(^(\d+)=)");
  std::smatch m;
  while (std::getline(lines, line))
    if (std::regex_search(line, m, entry)) numbers.insert(std::stoi(m[1]));
  return numbers;
}

const std::string kEnglish = std::string(TAV_UI_LANGUAGE_DIR) + "/English.ui";
const std::string kChinese = std::string(TAV_UI_LANGUAGE_DIR) + "/Chinese_simp.ui";

TEST(TranslationWalk, ChineseHasEveryTextOfTheResourcesAndTheCode) {
  std::vector<std::pair<std::string, std::string>> texts = ResourceTexts();
  ASSERT_GT(texts.size(), 5u) << "the walk found the resource scripts";
  ASSERT_FALSE(HasUiTranslation("No such text anywhere", kChinese.c_str())) << "the check can fail";
  std::set<int> numbers;
  CodeTexts(&texts, &numbers);
  std::string missing;
  for (const auto& [text, where] : texts) {
    if (!HasUiTranslation(text.c_str(), kChinese.c_str())) {
      missing += "  " + std::string(UiTextKey(text.c_str()).GetData()) + "   (" + where + ")\n";
    }
  }
  EXPECT_TRUE(missing.empty()) << "Chinese_simp.ui lacks:\n" << missing;
}

TEST(TranslationWalk, EveryMessageNumberHasItsTexts) {
  std::vector<std::pair<std::string, std::string>> texts;
  std::set<int> used;
  CodeTexts(&texts, &used);
  const std::set<int> english = MessageNumbersOf(kEnglish);
  const std::set<int> chinese = MessageNumbersOf(kChinese);
  ASSERT_GT(english.size(), 40u);
  for (const int n : used) EXPECT_TRUE(english.count(n)) << "English.ui lacks message " << n;
  for (const int n : english) EXPECT_TRUE(chinese.count(n)) << "Chinese_simp.ui lacks message " << n;
  for (const int n : chinese) EXPECT_TRUE(english.count(n)) << "Chinese_simp.ui has message " << n << " English.ui lacks";
}

TEST(TranslationWalk, TranslationsAskForTheEnglishArguments) {
  // Every numbered translation is usable: its conversions match English.ui's,
  // so the fallback to English never has to step in for the shipped files.
  SetUiLanguageFolder(TAV_UI_LANGUAGE_DIR);
  for (const int n : MessageNumbersOf(kEnglish)) {
    const std::string key = std::to_string(n);
    AString english;
    AString chinese;
    ASSERT_TRUE(ReadUiString(key.c_str(), english, kEnglish.c_str()));
    if (!ReadUiString(key.c_str(), chinese, kChinese.c_str())) continue;
    auto conversions = [](const AString& s) {
      std::string kinds;
      const std::string text(s.GetData(), static_cast<size_t>(s.GetLength()));
      for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '%') continue;
        if (text[i + 1] == '%') {
          ++i;
          continue;
        }
        size_t j = i + 1;
        while (j < text.size() && std::string("-+ #0123456789.l").find(text[j]) != std::string::npos) ++j;
        if (j < text.size()) kinds += text[j];
        i = j;
      }
      return kinds;
    };
    EXPECT_EQ(conversions(chinese), conversions(english)) << "message " << n;
  }
}

}  // namespace
