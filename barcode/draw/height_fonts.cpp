#include "barcode/draw/height_fonts.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace kalvo {

bool HeightFonts::Of(const LOGFONTA& font) const { return std::memcmp(&font, &base_, sizeof font) == 0; }

HFONT HeightFonts::At(int height) {
  for (const auto& [h, font] : fonts_)
    if (h == height) return font.get();
  const LOGFONTA scaled = FontForHeight(base_, height);
  FontOwner font(CreateFontIndirectA(&scaled));
  if (!font) return nullptr;
  return fonts_.emplace_back(height, std::move(font)).second.get();
}

int HeightFonts::Width(std::string_view text, int height) {
  if (!dc_) dc_.reset(CreateCompatibleDC(nullptr));
  const HFONT font = At(height);
  if (!dc_ || font == nullptr) return 0;
  if (font != selected_) {
    const HGDIOBJ previous = SelectObject(dc_.get(), font);
    if (selected_ == nullptr) original_ = previous;
    selected_ = font;
  }
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc_.get(), text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

int HeightFonts::FittingHeight(std::string_view text, int maxHeight, int width) {
  int height = std::max(maxHeight, 1);
  int textWidth = Width(text, height);
  // Glyph widths grow about in proportion to the height: one proportional
  // step, then single steps for what rounding leaves.
  if (textWidth > width && textWidth > 0) {
    height = std::max(1, static_cast<int>(static_cast<int64_t>(height) * std::max(width, 0) / textWidth));
    textWidth = Width(text, height);
  }
  while (textWidth > width && height > 1) textWidth = Width(text, --height);
  return height;
}

DcOwner HeightFonts::TakeDc() {
  if (dc_ && selected_ != nullptr) SelectObject(dc_.get(), original_);
  selected_ = nullptr;
  return std::move(dc_);
}

}  // namespace kalvo
