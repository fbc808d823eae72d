// A window class whose procedure writes down every message it gets (with the
// window it came to) before handing it to DefWindowProc, and the comparison
// of what was written with an expected table that prints message names.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/gdi_owners.h"
#include "platform/win.h"

namespace usertest {

struct Logged {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// One expected row: a window's label and the message's name.
struct Row {
  const char* window;
  const char* message;
};

class MessageLog {
 public:
  static MessageLog& Get();
  void Clear() { entries_.clear(); }
  void Add(const Logged& l) { entries_.push_back(l); }
  const std::vector<Logged>& Entries() const { return entries_; }
  // Gives a window a label for the printed tables ("top", "child"...).
  void Name(HWND window, std::string label);
  std::string Label(HWND window) const;
  // The log as rows of "label MESSAGE", leaving out the messages of `ignore`.
  std::vector<std::string> Rows(const std::vector<UINT>& ignore = {}) const;

 private:
  std::vector<Logged> entries_;
  std::vector<std::pair<HWND, std::string>> names_;
};

// The class "LogWindow" (CS_DBLCLKS, white background) with the logging procedure.
void RegisterLogClass();
LRESULT LogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Expected rows in the same "label MESSAGE" form.
std::vector<std::string> Expect(std::initializer_list<Row> rows);

// Messages that tests of sequences leave out because they depend on where
// the mouse is or on painting order, not on the call under test.
inline const std::vector<UINT> kNoise{WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEMOVE, WM_GETICON, WM_PAINT,
                                      WM_NCPAINT, WM_ERASEBKGND};

// Runs the calling thread's queue until nothing is left (no waiting).
void Pump();

}  // namespace usertest
