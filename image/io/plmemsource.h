// A data source over a caller's memory block (which stays the caller's).
#pragma once

#include "image/io/pldatasource.h"

class PLMemSource : public PLDataSource {
 public:
  PLMemSource() = default;
  ~PLMemSource() override;

  // Named "Mem". 0, or 4 for a null block or a negative size.
  virtual int Open(const PLBYTE* data, int size);
};
