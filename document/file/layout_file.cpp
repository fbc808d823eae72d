#include "document/file/layout_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "document/file/file_calls.h"
#include "document/file/label_stream.h"
#include "document/file/layout_problem.h"
#include "document/file/version_store.h"

namespace {

// The stream read, and on failure what failed in it.
int ReadStream(std::span<const uint8_t> stream, bool inStore, CRvoDoc* doc, CLabelSetup& setup, CFieldList& fieldList,
               RECT* bounds, LayoutProblem& problem) {
  LabelStreamFault fault;
  if (ReadLabelStreamBytes(stream, doc, setup, &fieldList, bounds, &fault)) return 1;
  if (!inStore && fault.byte == 0) {
    problem = {LayoutProblemKind::kNotALayout, false, 0, 0, ""};
  } else {
    problem = {LayoutProblemKind::kStream, inStore, 0, fault.byte, std::string("in ") + fault.part};
  }
  return 0;
}

// The layout's folder, absolute and with its trailing '/'.
AString FolderOfLayout(const char* path) {
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::absolute(path, ec).parent_path();
  if (ec || folder.empty()) return AString();
  std::string text = folder.lexically_normal().string();
  if (text.back() != '/') text += '/';
  return AString(text.c_str());
}

int ReadLayoutFile(const char* path, CRvoDoc* doc, CLabelSetup& setup, CFieldList& fieldList, RECT* bounds,
                   LayoutProblem* problemOut) {
  LayoutProblem ignored;
  LayoutProblem& problem = problemOut ? *problemOut : ignored;
  problem = {};
  std::vector<uint8_t> bytes;
  if (!ReadWholeFileBytes(path, bytes)) {
    problem = {LayoutProblemKind::kUnreadable, false, 0, 0, std::strerror(errno)};
    return 0;
  }
  if (!IsVersionStoreBytes(bytes)) return ReadStream(bytes, false, doc, setup, fieldList, bounds, problem);
  // The current version is decoded in memory: nothing is written beside
  // the file when it opens.
  UniqueXmlDoc store = ParseVersionStore(bytes, &problem);
  std::vector<uint8_t> stream;
  if (!store || !VersionStream(store.get(), nullptr, stream, &problem)) return 0;
  return ReadStream(stream, true, doc, setup, fieldList, bounds, problem);
}

}  // namespace

int LoadLayoutFile(const char* path, CRvoDoc* doc, CLabelSetup& setup, CFieldList& fieldList, RECT* bounds,
                   LayoutProblem* problemOut) {
  const size_t before = fieldList.size();
  const int result = ReadLayoutFile(path, doc, setup, fieldList, bounds, problemOut);
  // Pictures and linked files named relatively belong beside the layout.
  if (result) {
    const AString folder = FolderOfLayout(path);
    for (size_t i = before; i < fieldList.size(); ++i) fieldList[i]->layoutFolder = folder;
  }
  return result;
}

int LayoutFileWriteBlock(const char* path) {
  struct stat st {};
  if (!path || ::stat(path, &st) != 0) return 0;
  if (!S_ISREG(st.st_mode)) return 2;
  return (st.st_mode & S_IWUSR) && ::access(path, W_OK) == 0 ? 0 : 1;
}
