#include "datasource/ui/files/text_file_form.h"

#include "foundation/util/file_io.h"
#include "platform/nls/nls_text.h"
#include "platform/win.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::u16string UnitsOf(const AString& littleEndian) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(littleEndian.GetData());
  std::u16string units(static_cast<size_t>(littleEndian.GetLength() / 2), u'\0');
  for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
  return units;
}

std::string LittleEndianBytes(std::u16string_view units) {
  std::string bytes;
  for (char16_t unit : units) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

}  // namespace

bool IsUtf16Form(TextFileForm form) { return form == TextFileForm::kUtf16Le || form == TextFileForm::kUtf16Be; }

bool ReadTextFileContent(const char* path, int codePage, TextFileContent* out) {
  out->text.clear();
  out->form = TextFileForm::kCodePage;
  if (!path || !OpenFile(path, "rb")) return false;
  int kind = kBomNone;
  const AString bytes = ReadFileToString(path, true, true, &kind);
  if (kind != kBomNone) {
    out->form = kind == kBomUtf16Be ? TextFileForm::kUtf16Be : TextFileForm::kUtf16Le;
    out->text = UnitsOf(bytes);
    return true;
  }
  std::string_view view(bytes.GetData(), static_cast<size_t>(bytes.GetLength()));
  if (view.starts_with(kUtf8Mark)) {
    out->form = TextFileForm::kUtf8;
    out->text = nls::ToUtf16(CP_UTF8, view.substr(kUtf8Mark.size()));
    return true;
  }
  out->text = nls::ToUtf16(static_cast<UINT>(codePage), view);
  return true;
}

TextFileForm DetectTextFileForm(const char* path) {
  TextFileContent content;
  ReadTextFileContent(path, CP_ACP, &content);
  return content.form;
}

bool FitsCodePage(std::u16string_view text, int codePage) {
  return nls::ToUtf16(static_cast<UINT>(codePage), nls::FromUtf16(static_cast<UINT>(codePage), text)) == text;
}

int WriteTextFileContent(const char* path, std::u16string_view text, TextFileForm form, int codePage) {
  std::string bytes;
  int kind = kBomNone;
  switch (form) {
    case TextFileForm::kUtf16Le:
    case TextFileForm::kUtf16Be:
      bytes = LittleEndianBytes(text);
      kind = form == TextFileForm::kUtf16Le ? kBomUtf16Le : kBomUtf16Be;
      break;
    case TextFileForm::kUtf8: bytes = std::string(kUtf8Mark) + nls::FromUtf16(CP_UTF8, text); break;
    case TextFileForm::kCodePage: bytes = nls::FromUtf16(static_cast<UINT>(codePage), text); break;
  }
  return WriteTextFile(path, AString(static_cast<int>(bytes.size()), bytes.data()), kind);
}
