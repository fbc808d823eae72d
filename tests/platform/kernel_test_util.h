// A scratch folder for kernel tests, removed with everything in it.
#pragma once

#include "tests/scratch_folder.h"

class ScratchFolder : public testfs::ScratchFolder {
 public:
  ScratchFolder() : testfs::ScratchFolder("kernel-test") {}
};
