// Helpers of the framework tests: a scratch folder removed with everything
// in it, and the bytes a memory file holds.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/framework.h"

namespace fwtest {

class Scratch {
 public:
  Scratch() {
    std::string pattern = std::string(TAV_BUILD_DIR) + "/framework-test-XXXXXX";
    path_ = ::mkdtemp(pattern.data()) ? pattern + "/" : std::string();
  }
  ~Scratch() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

inline std::vector<BYTE> BytesOf(const CMemFile& file) {
  return std::vector<BYTE>(file.Data(), file.Data() + file.GetLength());
}

// Runs `body` and returns the cause of the exception of kind E it throws
// (deleting it), or -1 when it throws none.
template <class E, class F>
int CauseOf(F&& body) {
  try {
    body();
  } catch (E* e) {
    const int cause = e->m_cause;
    e->Delete();
    return cause;
  }
  return -1;
}

}  // namespace fwtest
