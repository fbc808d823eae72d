// A data source over a read-only mapping of a whole file.
#pragma once

#include "image/io/pldatasource.h"
#include "platform/kernel/types.h"

class PLFileSource : public PLDataSource {
 public:
  explicit PLFileSource(ProgressNotifier* notifier = nullptr);
  ~PLFileSource() override;

  // 0, or 3 (path not found), 4 (other failures, a missing file included),
  // 5 (access denied, sharing violation, mapping failure such as an empty file).
  virtual int Open(const char* path);
  void Close() override;

 private:
  HANDLE m_hFile;
  HANDLE m_hMapping = nullptr;
  const PLBYTE* m_pStartData = nullptr;
};
