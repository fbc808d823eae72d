// RTF in and out of the rich-text document.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/richedit/text_document.h"

namespace richedit {

// What the reader takes on at most; past a limit it reads on soundly.
struct RtfLimits {
  int maxDepth = 256;                       // deeper groups are skipped whole
  size_t maxPictureBytes = size_t{32} << 20; // a larger picture keeps its sizes, not its data
  size_t maxTableEntries = 4096;            // fonts, colours and styles each
};

// What the reader met on the way.
struct RtfReadReport {
  bool unbalanced = false;       // a '}' too many, or groups left open at the end
  size_t skippedDeepGroups = 0;  // groups past the depth limit
  size_t truncatedPictures = 0;
  size_t longWords = 0;          // control words cut at their length limit
};

// Whether the bytes start as RTF does ("{\rtf", blanks allowed before it).
bool LooksLikeRtf(std::span<const uint8_t> bytes);

// Reads RTF into `doc`, which is cleared first. False when the bytes are not
// RTF (nothing is read then). Text before any formatting takes the RTF
// defaults: the \deff font at 12 points.
bool ReadRtf(std::span<const uint8_t> bytes, TextDocument& doc, const RtfLimits& limits = {},
             RtfReadReport* report = nullptr);

// Writes [cpMin, cpMax) of the document as RTF. Text outside ASCII goes out
// as \uN with an ANSI (code page `codePage`) fallback, so readers that know
// only one of the two still read it.
std::string WriteRtf(const TextDocument& doc, size_t cpMin, size_t cpMax, UINT codePage = 1252);
inline std::string WriteRtf(const TextDocument& doc) { return WriteRtf(doc, 0, doc.size()); }

}  // namespace richedit
