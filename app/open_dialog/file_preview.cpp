#include "app/open_dialog/file_preview.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/ui/ui_language.h"
#include "image/bitmap/planybmp.h"
#include "image/decode/planydec.h"
#include "platform/win.h"

std::optional<std::string> ImagePreviewText(const std::string& path) {
  PLAnyBmp picture;
  PLAnyPicDecoder decoder;
  if (!decoder.MakeBmpFromFile(path.c_str(), &picture, 0)) return std::nullopt;
  char line[128];
  std::string text;
  std::snprintf(line, sizeof line, " %d x %d pixel\n", picture.GetWidth(), picture.GetHeight());
  text += line;
  const int bits = picture.GetBitsPerPixel();
  if (bits > 0) {
    std::snprintf(line, sizeof line, " %.0f colors(%d bit)\n", static_cast<double>(1ULL << std::min(bits, 48)), bits);
    text += line;
  }
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  std::snprintf(line, sizeof line, " File size: %.2f kb", ec ? 0.0 : static_cast<double>(size) / 1024.0);
  return text + line;
}

std::optional<std::u16string> TextPreview(const std::string& path, size_t limit) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<unsigned char> bytes;
  bytes.resize(limit * 2 + 2);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(in.gcount()));
  std::u16string text;
  if (bytes.size() >= 2 && (bytes[0] == 0xFF && bytes[1] == 0xFE)) {
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) text += static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
  } else if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) text += static_cast<char16_t>(bytes[i] << 8 | bytes[i + 1]);
  } else {
    const int n = ::MultiByteToWideChar(static_cast<UINT>(UiCodePage()), 0, reinterpret_cast<LPCSTR>(bytes.data()),
                                        static_cast<int>(bytes.size()), nullptr, 0);
    text.resize(static_cast<size_t>(std::max(n, 0)));
    if (n > 0)
      ::MultiByteToWideChar(static_cast<UINT>(UiCodePage()), 0, reinterpret_cast<LPCSTR>(bytes.data()),
                            static_cast<int>(bytes.size()), reinterpret_cast<LPWSTR>(text.data()), n);
  }
  if (text.size() > limit) text.resize(limit);
  return text;
}
