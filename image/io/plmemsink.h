// A sink whose output stays in memory, growing as needed.
#pragma once

#include <vector>

#include "image/io/pldatasink.h"

class PLMemSink : public PLDataSink {
 public:
  PLMemSink() = default;
  ~PLMemSink() override = default;

  // Always 0; the buffer starts at bufferSize bytes.
  virtual int Open(const char* name, int bufferSize);
  // A copy of the bytes written so far.
  std::vector<PLBYTE> TakeData() const;

 protected:
  bool Reserve(size_t total) override;

 private:
  std::vector<PLBYTE> m_Buffer;
};
