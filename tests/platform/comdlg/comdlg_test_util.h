// What the common dialog tests share: a temporary folder made and removed by
// each test, running a modal dialog with a callback that drives it, and the
// folder pictures are saved in.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/testing/ui.h"
#include "platform/win.h"

namespace comdlgtest {

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }
  std::u16string wide() const;
  // A file of `size` bytes (relative names may include folders made before).
  void File(const std::string& name, size_t size = 0, int64_t modifiedSecondsAgo = 0) const;
  void Folder(const std::string& name) const;

 private:
  std::string path_;
};

// Runs `drive` on the next modal dialog (or message box) once it is shown.
// Callbacks may call Next again for a dialog the first one opens.
void Next(std::function<void(HWND)> drive);
// Posts the press and release of a key to be read by the dialog's own loop
// (so the dialog manager sees it), after the callback returns.
void QueueKey(int virtualKey, bool shift = false);
// Clicks a control of a dialog by id.
void ClickItem(HWND dialog, int id);
// Types text into a control of a dialog after giving it the focus.
void TypeInto(HWND dialog, int id, std::u16string_view text);
std::u16string Text(HWND window);
// The open dialog's file list (a report list view): the names of its rows in
// order, the centre of a row, the row of a name (-1 when none), and a click
// on a column head.
std::vector<std::u16string> FileRows(HWND dialog);
POINT FileRowCentre(HWND dialog, int row);
int FileRowOf(HWND dialog, std::u16string_view name);
void ClickFileColumn(HWND dialog, int column);
std::string PicturePath(const char* name);
std::string Utf8(std::u16string_view text);
std::u16string Wide(std::string_view utf8);

}  // namespace comdlgtest
