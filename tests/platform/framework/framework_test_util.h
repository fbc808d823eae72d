// Helpers of the framework tests: a scratch folder removed with everything
// in it, and the bytes a memory file holds.
#pragma once

#include <string>
#include <vector>

#include "platform/framework.h"
#include "tests/scratch_folder.h"

namespace fwtest {

class Scratch : public testfs::ScratchFolder {
 public:
  Scratch() : testfs::ScratchFolder("framework-test") {}
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
