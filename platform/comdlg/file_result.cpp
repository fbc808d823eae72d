// The file dialog's result in the caller's buffers, bounded by their sizes.
#include <algorithm>
#include <cstring>

#include "platform/comdlg/comdlg_internal.h"
#include "platform/comdlg/file_result.h"

namespace comdlg {
namespace {

template <class Char>
using Text = std::basic_string<Char>;

Text<WCHAR> Units(std::u16string_view text, const WCHAR*) { return Text<WCHAR>(text); }
Text<char> Units(std::u16string_view text, const char*) { return ToAnsi(text); }
bool Spells(std::u16string_view text, const WCHAR*) { return true; }
bool Spells(std::u16string_view text, const char*) { return FromAnsi(ToAnsi(text)) == text; }

// The needed size goes into the first two bytes, when the buffer has them.
template <class Char>
void TellNeeded(Char* buffer, DWORD size, size_t needed) {
  if (!buffer || static_cast<size_t>(size) * sizeof(Char) < sizeof(WORD)) return;
  const WORD value = static_cast<WORD>(std::min<size_t>(needed, 0xFFFF));
  std::memcpy(buffer, &value, sizeof value);
}

template <class Char>
size_t LastIndexOf(const Text<Char>& text, Char c) {
  const size_t at = text.rfind(c);
  return at == Text<Char>::npos ? 0 : at + 1;
}

template <class Char, class Ofn>
DWORD Write(const FileChoice& choice, Ofn& ofn) {
  const Char* kind = nullptr;
  for (const std::u16string& name : choice.names)
    if (!Spells(name, kind)) return FNERR_INVALIDFILENAME;
  if (!Spells(choice.folder, kind)) return FNERR_INVALIDFILENAME;
  Text<Char> file;  // the whole of lpstrFile, zeros included
  Text<Char> title;
  WORD offset = 0, extension = 0;
  if (choice.multiple()) {
    file = Units(choice.folder, kind);
    file.push_back(0);
    offset = static_cast<WORD>(std::min<size_t>(file.size(), 0xFFFF));
    for (const std::u16string& name : choice.names) {
      file += Units(name, kind);
      file.push_back(0);
    }
    file.push_back(0);
  } else {
    const std::u16string path =
        choice.folder == u"/" ? u"/" + choice.names.at(0) : choice.folder + u"/" + choice.names.at(0);
    file = Units(path, kind);
    offset = static_cast<WORD>(std::min<size_t>(LastIndexOf<Char>(file, Char('/')), 0xFFFF));
    const Text<Char> name = file.substr(offset);
    const size_t dot = name.rfind(Char('.'));
    if (dot == Text<Char>::npos) extension = static_cast<WORD>(std::min<size_t>(file.size(), 0xFFFF));
    else if (dot + 1 == name.size()) extension = 0;
    else extension = static_cast<WORD>(std::min<size_t>(offset + dot + 1, 0xFFFF));
    title = name;
    file.push_back(0);
    // The list form of a multiple selection ends in two zeros; a single path
    // gets the second one too when there is room for it.
    if ((ofn.Flags & OFN_ALLOWMULTISELECT) && file.size() < ofn.nMaxFile) file.push_back(0);
  }
  if (!ofn.lpstrFile || file.size() > ofn.nMaxFile) {
    TellNeeded(ofn.lpstrFile, ofn.nMaxFile, file.size());
    return FNERR_BUFFERTOOSMALL;
  }
  const bool wantsTitle = ofn.lpstrFileTitle && !choice.multiple();
  if (wantsTitle && title.size() + 1 > ofn.nMaxFileTitle) {
    TellNeeded(ofn.lpstrFileTitle, ofn.nMaxFileTitle, title.size() + 1);
    return FNERR_BUFFERTOOSMALL;
  }
  std::copy(file.begin(), file.end(), ofn.lpstrFile);
  if (wantsTitle) {
    std::copy(title.begin(), title.end(), ofn.lpstrFileTitle);
    ofn.lpstrFileTitle[title.size()] = 0;
  }
  ofn.nFileOffset = offset;
  ofn.nFileExtension = extension;
  return 0;
}

}  // namespace

DWORD WriteChoice(const FileChoice& choice, OPENFILENAMEW& ofn) { return Write<WCHAR>(choice, ofn); }
DWORD WriteChoice(const FileChoice& choice, OPENFILENAMEA& ofn) { return Write<char>(choice, ofn); }

}  // namespace comdlg
