// The example asset tag as the print tests use it: its layout in a folder
// of example layouts, and the counter file that numbers its tags there.
#pragma once

#include <string>

#include "datasource/counter_file.h"
#include "document/core/rvo_doc.h"
#include "document/file/layout_file.h"

namespace print_test {

inline std::string AssetCounterPath(const std::string& folder) { return folder + "/asset_tag.cnt"; }

inline bool WriteAssetCounter(const std::string& folder, const char* value) {
  CCounterFileData counter;
  counter.value = value;
  counter.description = "asset numbers";
  return WriteCounterFile(AssetCounterPath(folder).c_str(), counter) == 1;
}

// The counter's value, "(unreadable)" when the file cannot be read.
inline std::string AssetCounterValue(const std::string& folder) {
  CCounterFileData counter;
  return ReadCounterFileContent(AssetCounterPath(folder).c_str(), &counter) ? counter.value.GetData()
                                                                             : "(unreadable)";
}

// The asset tag as the designer holds it, to print on `printer`, one label a
// page.
inline bool LoadAssetTag(CRvoDoc& doc, const std::string& folder, const char* printer) {
  const std::string path = folder + "/asset_tag.bcd";
  if (LoadLayoutFile(path.c_str(), nullptr, doc.labelSetup, doc.fieldList, nullptr) != 1) return false;
  doc.SetPathName(path.c_str(), FALSE);
  doc.labelSetup.lastPrinter = printer;
  doc.labelSetup.IsSysPrinter = 1;
  return true;
}

}  // namespace print_test
