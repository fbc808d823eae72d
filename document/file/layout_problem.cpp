#include "document/file/layout_problem.h"

#include <string_view>

namespace {

enum Phrase : size_t {
  kNoProblem,
  kCannotBeRead,
  kNotLayout,
  kXmlAtLine,
  kNoCurrent,
  kDataUndecodable,
  kDataAtLineUndecodable,
  kStoreStreamAtByte,
  kStreamAtByte,
  kPhraseCount
};
static_assert(kPhraseCount == kLayoutProblemPhrases.size());

// The phrase translated, its "%d" replaced by the number; a translation that
// lost its "%d" gives way to the English phrase.
std::string Say(Phrase phrase, const PhraseTranslator& translate, long long number = 0) {
  const char* english = kLayoutProblemPhrases[phrase];
  std::string text = translate ? translate(english) : english;
  const bool numbered = std::string_view(english).find("%d") != std::string_view::npos;
  if (!numbered) return text;
  size_t at = text.find("%d");
  if (at == std::string::npos) {
    text = english;
    at = text.find("%d");
  }
  return text.replace(at, 2, std::to_string(number));
}

}  // namespace

std::string DescribeLayoutProblem(const LayoutProblem& p, const PhraseTranslator& translate) {
  const std::string detail = p.detail.empty() ? std::string() : " (" + p.detail + ")";
  switch (p.kind) {
    case LayoutProblemKind::kNone:
      return Say(kNoProblem, translate);
    case LayoutProblemKind::kUnreadable:
      return Say(kCannotBeRead, translate) + detail;
    case LayoutProblemKind::kNotALayout:
      return Say(kNotLayout, translate) + detail;
    case LayoutProblemKind::kStoreXml:
      return Say(kXmlAtLine, translate, p.line) + detail;
    case LayoutProblemKind::kNoCurrentVersion:
      return Say(kNoCurrent, translate);
    case LayoutProblemKind::kVersionData:
      return (p.line > 0 ? Say(kDataAtLineUndecodable, translate, p.line) : Say(kDataUndecodable, translate)) + detail;
    case LayoutProblemKind::kStream:
      return Say(p.inStore ? kStoreStreamAtByte : kStreamAtByte, translate, static_cast<long long>(p.byte)) + detail;
  }
  return "unknown problem";
}
