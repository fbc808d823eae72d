// Why a layout file could not be opened, said so that a person can act on
// it: the designer's message and the headless renderer's output show it.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>

enum class LayoutProblemKind {
  kNone,
  kUnreadable,        // the file cannot be read at all
  kNotALayout,        // neither a version store nor a label stream
  kStoreXml,          // the version store's XML does not parse (line)
  kNoCurrentVersion,  // the store holds no version marked current
  kVersionData,       // the current version's data is not Base64
  kStream,            // the label stream ends or is damaged (byte)
};

struct LayoutProblem {
  LayoutProblemKind kind = LayoutProblemKind::kNone;
  bool inStore = false;  // the stream is a version's, not the file itself
  long line = 0;         // of the XML, for kStoreXml
  size_t byte = 0;       // into the stream, for kStream
  std::string detail;    // the XML parser's words or the system's, when any
};

// The phrases a description is made of, in English: each is the key of its
// translation, and "%d" in it stands for the line or byte.
inline constexpr std::array<const char*, 9> kLayoutProblemPhrases{
    "no problem",
    "the file cannot be read",
    "not a layout file",
    "the version store's XML is damaged at line %d",
    "the version store holds no current version",
    "the current version's data cannot be decoded",
    "the current version's data at line %d cannot be decoded",
    "the current version's label stream is damaged at byte %d",
    "the label stream is damaged at byte %d",
};

// A phrase in the language a person reads (the English itself when none).
using PhraseTranslator = std::function<std::string(const char* english)>;

// One sentence: "not a layout file", "the version store's XML is damaged at
// line 12 (...)", "the current version's label stream is damaged at byte
// 187"... The detail in brackets stays as the parser or the system gave it.
std::string DescribeLayoutProblem(const LayoutProblem& problem, const PhraseTranslator& translate = {});
