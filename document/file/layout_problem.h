// Why a layout file could not be opened, said so that a person can act on
// it: the designer's message and the headless renderer's output show it.
#pragma once

#include <cstddef>
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

// One sentence: "not a layout file", "the version store's XML is damaged at
// line 12 (...)", "the current version's label stream is damaged at byte
// 187"...
std::string DescribeLayoutProblem(const LayoutProblem& problem);
