// The rich-text document: UTF-16 text whose paragraphs end with '\r', runs of
// character formats that cover it, one paragraph format per paragraph, and
// pictures kept as objects (each one U+FFFC in the text).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/richedit/formats.h"

namespace richedit {

inline constexpr char16_t kParagraphMark = u'\r';
inline constexpr char16_t kLineBreak = u'\v';  // a line break inside a paragraph
inline constexpr char16_t kObjectMark = u'\uFFFC';

// A picture as the RTF had it: its kind, its bytes and its sizes.
struct Picture {
  RichPictureKind kind = RichPictureKind::Other;
  std::vector<uint8_t> data;
  LONG width = 0;   // \picw: pixels, or 0.01 mm for metafiles
  LONG height = 0;  // \pich
  LONG goalWidth = 0;   // twips the picture should take, 0: from its size
  LONG goalHeight = 0;
  LONG scaleX = 100;  // percent
  LONG scaleY = 100;
  LONG metafileMapping = 0;  // \wmetafileN
  bool truncated = false;    // the data passed the size limit and was dropped
  // The size drawn, in twips.
  SIZE ShownSize() const;
};

struct CharRun {
  size_t length = 0;
  CharFormat format;
  std::shared_ptr<const Picture> picture;  // the one character of an object run
};

class TextDocument {
 public:
  TextDocument();

  const std::u16string& text() const { return text_; }
  size_t size() const { return text_.size(); }
  const std::vector<CharRun>& runs() const { return runs_; }
  size_t ParagraphCount() const { return paras_.size(); }
  const ParaFormat& Paragraph(size_t index) const { return paras_[index]; }
  // [start, end) of a paragraph's text, its mark excluded.
  size_t ParagraphStart(size_t index) const { return starts_[index]; }
  size_t ParagraphEnd(size_t index) const;
  size_t ParagraphOf(size_t cp) const;

  // The format new text gets where there is no text to take it from.
  const CharFormat& DefaultFormat() const { return default_; }
  void SetDefaultFormat(const CharFormat& format) { default_ = format; }
  const ParaFormat& DefaultParagraph() const { return defaultPara_; }
  void SetDefaultParagraph(const ParaFormat& format);

  // The format of the character at cp; at the end, the last one's.
  const CharFormat& FormatAt(size_t cp) const;
  // The format typing at cp takes: the character before it, else the one at it.
  const CharFormat& InsertionFormat(size_t cp) const;
  std::shared_ptr<const Picture> PictureAt(size_t cp) const;

  // Building in order (the readers): text, paragraph ends, objects.
  void Append(std::u16string_view text, const CharFormat& format);
  // Ends the current paragraph, which takes `format`; its mark takes
  // `markFormat`, else the format of the text before it.
  void EndParagraph(const ParaFormat& format, const CharFormat* markFormat = nullptr);
  // Sets the format of the paragraph being built (the last one).
  void SetLastParagraph(const ParaFormat& format) { paras_.back() = format; }
  void AppendPicture(std::shared_ptr<const Picture> picture, const CharFormat& format);

  // Editing: [cpMin, cpMax) becomes `text` in `format`. New paragraphs take
  // the format of the paragraph they are split from; removing marks joins
  // paragraphs, which keep the first one's format. Clamps the range.
  void Replace(size_t cpMin, size_t cpMax, std::u16string_view text, const CharFormat& format);
  void Clear();

  // Applies a structure's masked members to [cpMin, cpMax).
  void SetCharFormat(size_t cpMin, size_t cpMax, const CHARFORMATW& format);
  void SetCharFormat(size_t cpMin, size_t cpMax, const CharFormat& format);
  // The first character's format and the mask of members every character shares.
  CharFormat GetCharFormat(size_t cpMin, size_t cpMax, DWORD* sameMask) const;
  void SetParaFormat(size_t cpMin, size_t cpMax, const PARAFORMAT& format);
  ParaFormat GetParaFormat(size_t cpMin, size_t cpMax, DWORD* sameMask) const;
  // Applies a change to each run's format in [cpMin, cpMax).
  template <typename Change>
  void ChangeFormats(size_t cpMin, size_t cpMax, Change change) {
    const auto [first, last] = SplitRange(cpMin, cpMax);
    for (size_t i = first; i < last; ++i) change(runs_[i].format);
    Merge();
  }

  // Checks the document's invariants (tests and the fuzz target).
  bool Valid() const;

 private:
  // Splits runs so that cp falls on a run boundary; returns that run's index.
  size_t SplitAt(size_t cp);
  std::pair<size_t, size_t> SplitRange(size_t cpMin, size_t cpMax);
  void Merge();
  void RebuildStarts();

  std::u16string text_;
  std::vector<CharRun> runs_;
  std::vector<ParaFormat> paras_;
  std::vector<size_t> starts_;
  CharFormat default_;
  ParaFormat defaultPara_;
};

}  // namespace richedit
