// A data source over a resource of a module (RT_RCDATA unless a type is given).
#pragma once

#include "image/io/pldatasource.h"
#include "platform/kernel/types.h"

class PLResourceSource : public PLDataSource {
 public:
  PLResourceSource() = default;
  ~PLResourceSource() override;

  // 0, or 4 when the resource cannot be found, loaded or locked. The name
  // becomes "Resource: <id>".
  virtual int Open(HINSTANCE instance, int resourceId, const char* resourceType = nullptr);
  void Close() override;

 private:
  HRSRC m_hRsrc = nullptr;
  HGLOBAL m_hGlobal = nullptr;
};
