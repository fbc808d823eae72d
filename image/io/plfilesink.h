// A sink that collects the output in memory and writes the file in one piece
// at Close. A sink closed by its destructor (an encoder gave up) removes the
// file instead of leaving a partial one.
#pragma once

#include <cstdio>
#include <vector>

#include "image/io/pldatasink.h"

class PLFileSink : public PLDataSink {
 public:
  PLFileSink() = default;
  ~PLFileSink() override;

  // Creates the file; bufferSize is the first buffer size (it grows as
  // needed). 0, or -1 when the file cannot be created.
  virtual int Open(const char* path, int bufferSize);
  // Writes everything and closes the file: 1, or 0 when a write or the close
  // failed (the partial file is removed then).
  int Close() override;
  // Closes and removes the file without writing it.
  void Abandon();

 protected:
  bool Reserve(size_t total) override;

 private:
  std::FILE* m_pFile = nullptr;
  std::string m_Path;
  std::vector<PLBYTE> m_Buffer;
};
