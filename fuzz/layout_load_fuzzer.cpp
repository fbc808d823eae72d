// libFuzzer target: opening a layout file as the designer and the headless
// renderer do. The input is the whole file, written to a private file and
// opened with LoadLayoutFile: it opens, or it is refused with a problem that
// names what failed; a layout that opens is written as a stream and that
// stream opens again with as many fields.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "document/file/file_calls.h"
#include "document/file/label_stream.h"
#include "document/file/layout_file.h"
#include "document/file/layout_problem.h"

namespace {

const std::string& FilePath() {
  static const std::string path = "/tmp/tav-layout-load-fuzzer-" + std::to_string(::getpid()) + ".bcd";
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!WriteWholeFile(FilePath().c_str(), std::span<const uint8_t>(data, size))) return 0;
  CLabelSetup setup;
  CFieldList fields;
  LayoutProblem problem;
  if (!LoadLayoutFile(FilePath().c_str(), nullptr, setup, fields, nullptr, &problem)) {
    if (problem.kind == LayoutProblemKind::kNone || DescribeLayoutProblem(problem).empty()) std::abort();
    return 0;
  }
  if (problem.kind != LayoutProblemKind::kNone) std::abort();
  const std::vector<uint8_t> stream = LabelStreamBytes(setup, fields);
  CLabelSetup again;
  CFieldList second;
  if (stream.empty() || ReadLabelStreamBytes(stream, nullptr, again, &second, nullptr) != 1 ||
      second.size() != fields.size())
    std::abort();
  return 0;
}
