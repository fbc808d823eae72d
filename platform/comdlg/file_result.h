// What the file dialog hands back: the chosen folder and names, written into
// the caller's buffers only when everything fits.
#pragma once

#include <string>
#include <vector>

#include "platform/comdlg/comdlg.h"

namespace comdlg {

struct FileChoice {
  std::u16string folder;              // absolute, no trailing '/' unless it is "/"
  std::vector<std::u16string> names;  // one, or several from a multiple selection
  bool multiple() const { return names.size() > 1; }
};

// Writes the choice into lpstrFile (the full path, or the folder and the
// names each ending in a zero and the list in two), lpstrFileTitle (the
// name of a single file), nFileOffset and nFileExtension. Nothing is written
// and FNERR_BUFFERTOOSMALL returned when a buffer is too small; the needed
// size (characters with the zeros) is then in that buffer's first two
// bytes when it has them. An A caller whose code page cannot spell a name
// gets FNERR_INVALIDFILENAME. 0 on success.
DWORD WriteChoice(const FileChoice& choice, OPENFILENAMEW& ofn);
DWORD WriteChoice(const FileChoice& choice, OPENFILENAMEA& ofn);

}  // namespace comdlg
