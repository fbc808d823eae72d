// Lengths and whole numbers in the pages' edits: a length in thousandths of
// an inch is shown as value x factor with "%.3f" (factor 0.001 for inches,
// 0.0254 for millimetres). An edit keeps the text it was filled with, so a
// value nobody edited is written back exactly as it was, and an edited one
// is read to the nearest thousandth of an inch.
#pragma once

#include "foundation/string/astring.h"
#include "platform/framework.h"

AString FormatLength(int mils, double factor);
// The leading number of the text divided by the factor, rounded to the
// nearest; false when the text does not start with a number.
bool ReadLength(const char* text, double factor, int* mils);

// An edit filled by the page, which remembers what it showed.
class ShownEdit {
 public:
  void Show(HWND dialog, int id, const AString& text);
  // True when the edit holds a text other than the one the page put in it.
  bool Edited(HWND dialog, int id) const;
  const AString& ShownText() const { return shown_; }

 private:
  AString shown_;
};

// The edit's length, or `unchanged` when nobody edited it.
int EditedLength(const ShownEdit& shown, HWND dialog, int id, double factor, int unchanged);
// The edit's "%d" number, or `unchanged` when nobody edited it.
int EditedInt(const ShownEdit& shown, HWND dialog, int id, int unchanged);
