// The rich-text document: text, runs of character formats, paragraphs.

#include "platform/richedit/text_document.h"

#include <algorithm>

namespace richedit {

SIZE Picture::ShownSize() const {
  // Without a goal size: pixels at 96 per inch, or 0.01 mm for metafiles.
  const bool metafile = kind == RichPictureKind::Wmf || kind == RichPictureKind::Emf;
  auto twips = [&](LONG goal, LONG size) -> int64_t {
    if (goal > 0) return goal;
    return metafile ? int64_t{size} * 1440 / 2540 : int64_t{size} * 15;
  };
  const int64_t w = twips(goalWidth, width) * std::clamp<LONG>(scaleX, 1, 1000) / 100;
  const int64_t h = twips(goalHeight, height) * std::clamp<LONG>(scaleY, 1, 1000) / 100;
  // At most about 22 inches each way: a picture never takes more than a page.
  constexpr int64_t kMax = 32000;
  return SIZE{static_cast<LONG>(std::clamp<int64_t>(w, 0, kMax)), static_cast<LONG>(std::clamp<int64_t>(h, 0, kMax))};
}

TextDocument::TextDocument() : paras_(1), starts_{0} {}

void TextDocument::SetDefaultParagraph(const ParaFormat& format) {
  defaultPara_ = format;
  if (text_.empty()) paras_.assign(1, format);
}

size_t TextDocument::ParagraphEnd(size_t index) const {
  return index + 1 < starts_.size() ? starts_[index + 1] - 1 : text_.size();
}

size_t TextDocument::ParagraphOf(size_t cp) const {
  const auto it = std::upper_bound(starts_.begin(), starts_.end(), cp);
  return static_cast<size_t>(it - starts_.begin()) - 1;
}

const CharFormat& TextDocument::FormatAt(size_t cp) const {
  size_t at = 0;
  for (const auto& run : runs_) {
    if (cp < at + run.length) return run.format;
    at += run.length;
  }
  return runs_.empty() ? default_ : runs_.back().format;
}

const CharFormat& TextDocument::InsertionFormat(size_t cp) const {
  return cp > 0 ? FormatAt(cp - 1) : FormatAt(0);
}

std::shared_ptr<const Picture> TextDocument::PictureAt(size_t cp) const {
  size_t at = 0;
  for (const auto& run : runs_) {
    if (cp < at + run.length) return run.picture;
    at += run.length;
  }
  return nullptr;
}

void TextDocument::Append(std::u16string_view text, const CharFormat& format) {
  if (text.empty()) return;
  for (char16_t c : text) {
    if (c == kParagraphMark) {
      // Marks in appended text end paragraphs that take the current format.
      EndParagraph(paras_.back());
      continue;
    }
    text_.push_back(c);
    if (!runs_.empty() && !runs_.back().picture && runs_.back().format == format) {
      ++runs_.back().length;
    } else {
      runs_.push_back(CharRun{1, format, nullptr});
    }
  }
}

void TextDocument::EndParagraph(const ParaFormat& format, const CharFormat* markFormat) {
  paras_.back() = format;
  const CharFormat mark = markFormat ? *markFormat : runs_.empty() ? default_ : runs_.back().format;
  text_.push_back(kParagraphMark);
  if (!runs_.empty() && !runs_.back().picture && runs_.back().format == mark) {
    ++runs_.back().length;
  } else {
    runs_.push_back(CharRun{1, mark, nullptr});
  }
  paras_.push_back(format);
  starts_.push_back(text_.size());
}

void TextDocument::AppendPicture(std::shared_ptr<const Picture> picture, const CharFormat& format) {
  text_.push_back(kObjectMark);
  runs_.push_back(CharRun{1, format, std::move(picture)});
}

size_t TextDocument::SplitAt(size_t cp) {
  size_t at = 0;
  for (size_t i = 0; i < runs_.size(); ++i) {
    if (cp == at) return i;
    if (cp < at + runs_[i].length) {
      CharRun tail = runs_[i];
      tail.length = at + runs_[i].length - cp;
      runs_[i].length = cp - at;
      runs_.insert(runs_.begin() + static_cast<ptrdiff_t>(i) + 1, std::move(tail));
      return i + 1;
    }
    at += runs_[i].length;
  }
  return runs_.size();
}

std::pair<size_t, size_t> TextDocument::SplitRange(size_t cpMin, size_t cpMax) {
  cpMax = std::min(cpMax, text_.size());
  cpMin = std::min(cpMin, cpMax);
  const size_t first = SplitAt(cpMin);
  const size_t last = SplitAt(cpMax);
  return {first, last};
}

void TextDocument::Merge() {
  std::vector<CharRun> merged;
  merged.reserve(runs_.size());
  for (auto& run : runs_) {
    if (run.length == 0) continue;
    if (!merged.empty() && !run.picture && !merged.back().picture && merged.back().format == run.format) {
      merged.back().length += run.length;
    } else {
      merged.push_back(std::move(run));
    }
  }
  runs_ = std::move(merged);
}

void TextDocument::RebuildStarts() {
  starts_.assign(1, 0);
  for (size_t i = 0; i < text_.size(); ++i) {
    if (text_[i] == kParagraphMark) starts_.push_back(i + 1);
  }
}

void TextDocument::Replace(size_t cpMin, size_t cpMax, std::u16string_view text, const CharFormat& format) {
  cpMax = std::min(cpMax, text_.size());
  cpMin = std::min(cpMin, cpMax);
  const size_t para = ParagraphOf(cpMin);
  const auto removedMarks = std::count(text_.begin() + static_cast<ptrdiff_t>(cpMin),
                                       text_.begin() + static_cast<ptrdiff_t>(cpMax), kParagraphMark);
  const auto addedMarks = std::count(text.begin(), text.end(), kParagraphMark);
  const auto at = paras_.begin() + static_cast<ptrdiff_t>(para) + 1;
  paras_.erase(at, at + removedMarks);
  paras_.insert(paras_.begin() + static_cast<ptrdiff_t>(para) + 1, static_cast<size_t>(addedMarks), paras_[para]);

  const auto [first, last] = SplitRange(cpMin, cpMax);
  runs_.erase(runs_.begin() + static_cast<ptrdiff_t>(first), runs_.begin() + static_cast<ptrdiff_t>(last));
  if (!text.empty()) runs_.insert(runs_.begin() + static_cast<ptrdiff_t>(first), CharRun{text.size(), format, nullptr});
  text_.replace(cpMin, cpMax - cpMin, text);
  Merge();
  RebuildStarts();
}

void TextDocument::Clear() {
  text_.clear();
  runs_.clear();
  paras_.assign(1, defaultPara_);
  starts_.assign(1, 0);
}

void TextDocument::SetCharFormat(size_t cpMin, size_t cpMax, const CHARFORMATW& format) {
  ChangeFormats(cpMin, cpMax, [&](CharFormat& f) { ApplyCharFormat(f, &format); });
}

void TextDocument::SetCharFormat(size_t cpMin, size_t cpMax, const CharFormat& format) {
  ChangeFormats(cpMin, cpMax, [&](CharFormat& f) { f = format; });
}

CharFormat TextDocument::GetCharFormat(size_t cpMin, size_t cpMax, DWORD* sameMask) const {
  cpMax = std::min(cpMax, text_.size());
  cpMin = std::min(cpMin, cpMax);
  if (cpMin == cpMax) {
    if (sameMask) *sameMask = kCharMask2;
    return InsertionFormat(cpMin);
  }
  const CharFormat first = FormatAt(cpMin);
  DWORD same = kCharMask2;
  size_t at = 0;
  for (const auto& run : runs_) {
    if (at < cpMax && at + run.length > cpMin) same &= SameCharMask(first, run.format);
    at += run.length;
  }
  if (sameMask) *sameMask = same;
  return first;
}

void TextDocument::SetParaFormat(size_t cpMin, size_t cpMax, const PARAFORMAT& format) {
  cpMax = std::min(cpMax, text_.size());
  cpMin = std::min(cpMin, cpMax);
  const size_t last = ParagraphOf(cpMax > cpMin ? cpMax - 1 : cpMax);
  for (size_t p = ParagraphOf(cpMin); p <= last && p < paras_.size(); ++p) ApplyParaFormat(paras_[p], &format);
}

ParaFormat TextDocument::GetParaFormat(size_t cpMin, size_t cpMax, DWORD* sameMask) const {
  cpMax = std::min(cpMax, text_.size());
  cpMin = std::min(cpMin, cpMax);
  const size_t first = ParagraphOf(cpMin);
  const size_t last = ParagraphOf(cpMax > cpMin ? cpMax - 1 : cpMax);
  DWORD same = kParaMask2;
  for (size_t p = first + 1; p <= last; ++p) same &= SameParaMask(paras_[first], paras_[p]);
  if (sameMask) *sameMask = same;
  return paras_[first];
}

bool TextDocument::Valid() const {
  size_t total = 0;
  for (const auto& run : runs_) {
    if (run.length == 0) return false;
    if (run.picture && (run.length != 1 || text_[total] != kObjectMark)) return false;
    total += run.length;
  }
  const auto marks = static_cast<size_t>(std::count(text_.begin(), text_.end(), kParagraphMark));
  return total == text_.size() && paras_.size() == marks + 1 && starts_.size() == paras_.size();
}

}  // namespace richedit
