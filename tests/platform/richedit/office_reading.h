// What LibreOffice read from a document, taken from the flat OpenDocument
// text (fodt) it writes: every character with the font, size, bold,
// italic, underline and colour its styles and spans give it, and its
// paragraph's alignment.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/richedit/text_document.h"

namespace officetest {

struct RunChar {
  char16_t c = 0;
  std::u16string font;
  LONG height = 0;  // twips
  bool bold = false;
  bool italic = false;
  bool underline = false;
  COLORREF colour = 0;  // automatic colour as black
  WORD alignment = PFA_LEFT;
  // In a table cell. A row is one paragraph here, its cells separated by
  // tabs, so it has one alignment: cells' alignments are not compared.
  bool inTable = false;
};

struct Reading {
  bool parsed = false;
  std::vector<RunChar> chars;  // each paragraph ends with '\r'
  int pictures = 0;
};

// Ideographs, kana and Hangul, which take the East Asian font, size,
// weight and posture (the documents these tests build hold no other text
// from U+2E80 up).
inline bool IsEastAsian(char16_t c) { return c >= 0x2E80 && c != 0xFFFC; }

// LibreOffice's reading, from its fodt.
Reading ReadFlatOdt(std::string_view xml);

// This engine's reading, in the same terms.
Reading ReadDocument(const richedit::TextDocument& doc);

// Where `actual` differs from `expected`, character by character. Blanks
// (spaces, tabs, paragraph and line ends), pictures and bullets (list labels
// in one reading are text in another) are not compared. With `source` (the
// reading of the document the RTF was made from), a character may instead
// equal the source's where `expected` departs from it: where LibreOffice
// misreads its own RTF; `bySource` counts those. Each line names the
// character, its place and both formats; at most `limit` lines, then a count.
std::vector<std::string> Differences(const Reading& expected, const Reading& actual, const Reading* source = nullptr,
                                     size_t* bySource = nullptr, size_t limit = 12);

}  // namespace officetest
