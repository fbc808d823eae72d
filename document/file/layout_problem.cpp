#include "document/file/layout_problem.h"

std::string DescribeLayoutProblem(const LayoutProblem& p) {
  const std::string detail = p.detail.empty() ? std::string() : " (" + p.detail + ")";
  switch (p.kind) {
    case LayoutProblemKind::kNone:
      return "no problem";
    case LayoutProblemKind::kUnreadable:
      return "the file cannot be read" + detail;
    case LayoutProblemKind::kNotALayout:
      return "not a layout file" + detail;
    case LayoutProblemKind::kStoreXml:
      return "the version store's XML is damaged at line " + std::to_string(p.line) + detail;
    case LayoutProblemKind::kNoCurrentVersion:
      return "the version store holds no current version";
    case LayoutProblemKind::kVersionData:
      return "the current version's data" + (p.line > 0 ? " at line " + std::to_string(p.line) : std::string()) +
             " cannot be decoded" + detail;
    case LayoutProblemKind::kStream:
      return std::string(p.inStore ? "the current version's label stream" : "the label stream") +
             " is damaged at byte " + std::to_string(p.byte) + detail;
  }
  return "unknown problem";
}
