// The forms a text data file is stored in, read into UTF-16 and written back
// in the same form: UTF-16 little- or big-endian with its mark, UTF-8 with
// its mark, or bytes of a code page (the language chosen for the file).
#pragma once

#include <string>
#include <string_view>

enum class TextFileForm { kCodePage, kUtf16Le, kUtf16Be, kUtf8 };

struct TextFileContent {
  std::u16string text;
  TextFileForm form = TextFileForm::kCodePage;
};

// The form of the file by its mark (a missing or unreadable file: kCodePage).
TextFileForm DetectTextFileForm(const char* path);
bool IsUtf16Form(TextFileForm form);
// Reads the file; text without a mark is decoded in the code page. False
// when the file cannot be read.
bool ReadTextFileContent(const char* path, int codePage, TextFileContent* out);
// Whether the code page holds every character of the text.
bool FitsCodePage(std::u16string_view text, int codePage);
// Writes the text in the form (and, for kCodePage, the code page); 1 when
// every byte was written.
int WriteTextFileContent(const char* path, std::u16string_view text, TextFileForm form, int codePage);
