// The open and save dialog: the caller's request in UTF-16, the dialog's
// state while it runs, and the pieces its files share.
#pragma once

#include <string>
#include <vector>

#include "platform/comdlg/comdlg.h"
#include "platform/comdlg/file_model.h"
#include "platform/comdlg/file_result.h"
#include "platform/user/controls/controls.h"

namespace comdlg {

// The caller's structure, one of the two.
struct FileCaller {
  OPENFILENAMEW* wide = nullptr;
  OPENFILENAMEA* ansi = nullptr;
  DWORD& Flags() { return wide ? wide->Flags : ansi->Flags; }
  DWORD& FilterIndex() { return wide ? wide->nFilterIndex : ansi->nFilterIndex; }
  void* Address() { return wide ? static_cast<void*>(wide) : static_cast<void*>(ansi); }
  LPOFNHOOKPROC Hook() { return wide ? wide->lpfnHook : ansi->lpfnHook; }
  HINSTANCE Instance() { return wide ? wide->hInstance : ansi->hInstance; }
};

struct FileRequest {
  bool save = false;
  DWORD flags = 0;
  HWND owner = nullptr;
  std::vector<FilterSpec> filters;
  DWORD filterIndex = 1;  // 1-based, as the caller counts
  std::u16string initialFile, initialFolder, title, defaultExtension;
};

// Runs the dialog; TRUE when a choice was written into the caller's buffers.
BOOL RunFileDialog(const FileRequest& request, FileCaller caller);

// The file list: a report list view behind these few calls.
namespace file_list {
HWND Create(HWND dialog, int id, const RECT& place, bool multiple);
void Fill(HWND list, const std::vector<FileEntry>& entries);
// Indices of the selected rows, in order; the row with the caret or -1.
std::vector<int> Selected(HWND list);
int Caret(HWND list);
void Select(HWND list, int index);
// Whether the list is changing its own rows or selection now (Fill, Select):
// such changes are not the user's and are not told to the caller.
bool IsQuiet(HWND list);
// The mark of the column the rows are sorted by (0 name ... 3 date).
void ShowSortMark(HWND list, int sorted, bool descending);
}  // namespace file_list

}  // namespace comdlg
