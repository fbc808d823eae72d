// The file dialog's filter, name matching, types and sorting.
#include <algorithm>

#include "platform/comdlg/file_model.h"
#include "platform/nls/nls.h"

namespace comdlg {
namespace {

// Case folding through the layer's own tables, whatever the C locale.
char16_t Fold(char16_t c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
  WCHAR one[1] = {c};
  CharLowerBuffW(one, 1);
  return one[0];
}

std::vector<std::u16string> SplitPatterns(std::u16string_view text) {
  std::vector<std::u16string> out;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(u';', start);
    if (end == std::u16string_view::npos) end = text.size();
    std::u16string_view part = text.substr(start, end - start);
    while (!part.empty() && part.front() == u' ') part.remove_prefix(1);
    while (!part.empty() && part.back() == u' ') part.remove_suffix(1);
    if (!part.empty()) out.emplace_back(part);
    start = end + 1;
  }
  return out;
}

bool Match(std::u16string_view name, std::u16string_view pattern) {
  // Iterative glob with one back-tracking point for the last '*'.
  size_t n = 0, p = 0, starP = std::u16string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == u'?' || Fold(pattern[p]) == Fold(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == u'*') {
      starP = p++;
      starN = n;
    } else if (starP != std::u16string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

bool MatchesAllFiles(std::u16string_view pattern) { return pattern == u"*" || pattern == u"*.*"; }

}  // namespace

std::vector<FilterSpec> ParseFilter(LPCWSTR filter) {
  std::vector<FilterSpec> out;
  if (!filter) return out;
  const WCHAR* at = filter;
  while (*at) {
    FilterSpec spec;
    spec.description = at;
    at += spec.description.size() + 1;
    if (!*at) break;  // a description without a pattern ends the list
    const std::u16string patterns = at;
    at += patterns.size() + 1;
    spec.patterns = SplitPatterns(patterns);
    out.push_back(std::move(spec));
  }
  return out;
}

bool MatchesPattern(std::u16string_view name, std::u16string_view pattern) {
  if (pattern == u"*.*") return true;
  return Match(name, pattern);
}

bool MatchesAny(std::u16string_view name, const std::vector<std::u16string>& patterns) {
  if (patterns.empty()) return true;
  return std::any_of(patterns.begin(), patterns.end(), [&](const std::u16string& p) { return MatchesPattern(name, p); });
}

bool HasWildcards(std::u16string_view text) { return text.find_first_of(u"*?") != std::u16string_view::npos; }

void KeepMatching(std::vector<FileEntry>& entries, const std::vector<std::u16string>& patterns) {
  std::erase_if(entries, [&](const FileEntry& e) { return !e.folder && !MatchesAny(e.name, patterns); });
}

void NameTypes(std::vector<FileEntry>& entries, const std::vector<FilterSpec>& filters) {
  for (FileEntry& e : entries) {
    if (e.folder) {
      e.type = u"Folder";
      continue;
    }
    e.type.clear();
    for (const FilterSpec& f : filters) {
      const bool names = std::any_of(f.patterns.begin(), f.patterns.end(), [&](const std::u16string& p) {
        return !MatchesAllFiles(p) && MatchesPattern(e.name, p);
      });
      if (names) {
        e.type = f.description;
        break;
      }
    }
    if (!e.type.empty()) continue;
    const size_t dot = e.name.rfind(u'.');
    if (dot == std::u16string::npos || dot == 0 || dot + 1 == e.name.size()) {
      e.type = u"File";
    } else {
      std::u16string ext = e.name.substr(dot + 1);
      for (char16_t& c : ext) c = (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
      e.type = ext + u" File";
    }
  }
}

int CompareNames(std::u16string_view a, std::u16string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const char16_t x = Fold(a[i]), y = Fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

void SortEntries(std::vector<FileEntry>& entries, SortKey key, bool descending) {
  std::stable_sort(entries.begin(), entries.end(), [&](const FileEntry& a, const FileEntry& b) {
    if (a.folder != b.folder) return a.folder;
    int order = 0;
    switch (key) {
      case SortKey::Name: break;
      case SortKey::Size: order = a.size < b.size ? -1 : (a.size > b.size ? 1 : 0); break;
      case SortKey::Type: order = CompareNames(a.type, b.type); break;
      case SortKey::Date: order = a.modified < b.modified ? -1 : (a.modified > b.modified ? 1 : 0); break;
    }
    if (order == 0) order = CompareNames(a.name, b.name);
    return descending ? order > 0 : order < 0;
  });
}

}  // namespace comdlg
