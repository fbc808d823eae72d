// GetOpenFileName and GetSaveFileName, W and A: the caller's structure is
// checked and read into one UTF-16 request; the dialog writes back into the
// caller's own structure and buffers.
#include <cstring>

#include "platform/comdlg/comdlg_internal.h"
#include "platform/comdlg/file_dialog.h"

namespace comdlg {
namespace {

// A list of zero-ended strings ending in an empty one, in UTF-16.
std::u16string FilterList(LPCSTR filter) {
  std::u16string out;
  if (!filter) return out;
  for (const char* at = filter; *at; at += std::strlen(at) + 1) {
    out += FromAnsi(at);
    out.push_back(0);
  }
  out.push_back(0);
  return out;
}

// The initial name in lpstrFile, read no further than nMaxFile.
template <class Char>
size_t BoundedLength(const Char* text, DWORD size) {
  size_t n = 0;
  while (n < size && text[n]) ++n;
  return n;
}

bool SizeIsKnown(DWORD size, DWORD full, DWORD old) { return size == full || size == old; }

bool Valid(DWORD structSize, DWORD full, DWORD old, const void* file, DWORD maxFile) {
  if (!SizeIsKnown(structSize, full, old)) {
    SetError(CDERR_STRUCTSIZE);
    return false;
  }
  if (!file || maxFile == 0) {
    SetError(CDERR_INITIALIZATION);
    return false;
  }
  return true;
}

BOOL RunW(LPOPENFILENAMEW ofn, bool save) {
  if (!ofn) {
    SetError(CDERR_INITIALIZATION);
    return FALSE;
  }
  if (!Valid(ofn->lStructSize, sizeof(OPENFILENAMEW), OPENFILENAME_SIZE_VERSION_400W, ofn->lpstrFile, ofn->nMaxFile))
    return FALSE;
  FileRequest r;
  r.save = save;
  r.flags = ofn->Flags;
  r.owner = ofn->hwndOwner;
  r.filters = ParseFilter(ofn->lpstrFilter);
  r.filterIndex = ofn->nFilterIndex;
  r.initialFile.assign(ofn->lpstrFile, BoundedLength(ofn->lpstrFile, ofn->nMaxFile));
  r.initialFolder = FromWide(ofn->lpstrInitialDir);
  r.title = FromWide(ofn->lpstrTitle);
  r.defaultExtension = FromWide(ofn->lpstrDefExt);
  return RunFileDialog(r, FileCaller{ofn, nullptr});
}

BOOL RunA(LPOPENFILENAMEA ofn, bool save) {
  if (!ofn) {
    SetError(CDERR_INITIALIZATION);
    return FALSE;
  }
  if (!Valid(ofn->lStructSize, sizeof(OPENFILENAMEA), OPENFILENAME_SIZE_VERSION_400A, ofn->lpstrFile, ofn->nMaxFile))
    return FALSE;
  FileRequest r;
  r.save = save;
  r.flags = ofn->Flags;
  r.owner = ofn->hwndOwner;
  const std::u16string filter = FilterList(ofn->lpstrFilter);
  r.filters = ParseFilter(ofn->lpstrFilter ? filter.c_str() : nullptr);
  r.filterIndex = ofn->nFilterIndex;
  r.initialFile = FromAnsi(std::string_view(ofn->lpstrFile, BoundedLength(ofn->lpstrFile, ofn->nMaxFile)));
  r.initialFolder = FromAnsi(ofn->lpstrInitialDir);
  r.title = FromAnsi(ofn->lpstrTitle);
  r.defaultExtension = FromAnsi(ofn->lpstrDefExt);
  return RunFileDialog(r, FileCaller{nullptr, ofn});
}

}  // namespace
}  // namespace comdlg

BOOL GetOpenFileNameW(LPOPENFILENAMEW ofn) { return comdlg::RunW(ofn, false); }
BOOL GetSaveFileNameW(LPOPENFILENAMEW ofn) { return comdlg::RunW(ofn, true); }
BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn) { return comdlg::RunA(ofn, false); }
BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn) { return comdlg::RunA(ofn, true); }
