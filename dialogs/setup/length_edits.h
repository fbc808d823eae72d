// The length edits of the field dialogs: a length in mils shown in the
// label's unit ("%.3f" of mils x factor) and read back rounded to the nearest
// mil. The texts shown are remembered, so that an edit the user left alone
// is known as such and writes nothing back: a length shown and read back
// unchanged keeps its exact value.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/kernel/types.h"

// The factor is the layout's (UnitFactor of document/layout/unit_values.h).
// The text's leading number divided by the factor, rounded to the nearest
// mil; a text without a leading number counts as 0.
int ParseLengthMils(std::string_view text, double factor);
// "%.3f" of mils x factor.
std::string FormatLength(int mils, double factor);

class CLengthEdits {
 public:
  explicit CLengthEdits(double factor = 0.001) : factor_(factor) {}
  void SetFactor(double factor) { factor_ = factor; }
  double Factor() const { return factor_; }

  // Shows the length in the edit and remembers the text.
  void Show(HWND dialog, int id, int mils);
  // Shows a text of the user's own kind (a correction) without remembering it.
  void Correct(HWND dialog, int id, int mils);
  // Remembers what the edit shows now as unedited.
  void Remember(HWND dialog, int id);
  // Whether the edit's text differs from the text last shown through Show.
  bool Edited(HWND dialog, int id) const;
  // The edit's text.
  static std::string Text(HWND dialog, int id);
  // The edit's length in mils; nothing when it is empty.
  std::optional<int> Read(HWND dialog, int id) const;

 private:
  double factor_;
  std::map<int, std::string> shown_;
};
