#include "dialogs/setup/length_edits.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/win.h"

int ParseLengthMils(std::string_view text, double factor) {
  const std::string s(text);
  const double value = std::strtod(s.c_str(), nullptr);
  const double mils = std::nearbyint(value / factor);
  // Far beyond any label: kept within what a field's member holds.
  constexpr double kLimit = std::numeric_limits<int>::max() / 2;
  if (!std::isfinite(mils)) return 0;
  return static_cast<int>(std::fmax(-kLimit, std::fmin(kLimit, mils)));
}

std::string FormatLength(int mils, double factor) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", mils * factor);
  return text;
}

void CLengthEdits::Show(HWND dialog, int id, int mils) {
  const std::string text = FormatLength(mils, factor_);
  ::SetDlgItemTextA(dialog, id, text.c_str());
  shown_[id] = text;
}

void CLengthEdits::Correct(HWND dialog, int id, int mils) {
  ::SetDlgItemTextA(dialog, id, FormatLength(mils, factor_).c_str());
}

void CLengthEdits::Remember(HWND dialog, int id) { shown_[id] = Text(dialog, id); }

bool CLengthEdits::Edited(HWND dialog, int id) const {
  const auto it = shown_.find(id);
  return it == shown_.end() || it->second != Text(dialog, id);
}

std::string CLengthEdits::Text(HWND dialog, int id) {
  char text[256] = {};
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

std::optional<int> CLengthEdits::Read(HWND dialog, int id) const {
  const std::string text = Text(dialog, id);
  if (text.find_first_not_of(" \t") == std::string::npos) return std::nullopt;
  return ParseLengthMils(text, factor_);
}
