#include "dialogs/barcode/length_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/controls/input_helpers.h"

AString FormatLength(int mils, double factor) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", mils * factor);
  return AString(text);
}

bool ReadLength(const char* text, double factor, int* mils) {
  char* end = nullptr;
  const double value = std::strtod(text, &end);
  if (end == text || !std::isfinite(value) || factor <= 0) return false;
  const double scaled = std::round(value / factor);
  if (scaled > 2e9 || scaled < -2e9) return false;
  *mils = static_cast<int>(scaled);
  return true;
}

void ShownEdit::Show(HWND dialog, int id, const AString& text) {
  shown_ = text;
  ::SetDlgItemTextA(dialog, id, text.GetData());
}

bool ShownEdit::Edited(HWND dialog, int id) const {
  AString now;
  GetWindowString(::GetDlgItem(dialog, id), &now);
  return !(now == shown_);
}

int EditedLength(const ShownEdit& shown, HWND dialog, int id, double factor, int unchanged) {
  if (!shown.Edited(dialog, id)) return unchanged;
  AString text;
  GetWindowString(::GetDlgItem(dialog, id), &text);
  int mils = unchanged;
  return ReadLength(text.GetData(), factor, &mils) ? mils : unchanged;
}

int EditedInt(const ShownEdit& shown, HWND dialog, int id, int unchanged) {
  if (!shown.Edited(dialog, id)) return unchanged;
  AString text;
  GetWindowString(::GetDlgItem(dialog, id), &text);
  char* end = nullptr;
  const long value = std::strtol(text.GetData(), &end, 10);
  return end == text.GetData() ? unchanged : static_cast<int>(value);
}
