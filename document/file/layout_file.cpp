#include "document/file/layout_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include "document/file/file_calls.h"
#include "document/file/label_stream.h"
#include "document/file/version_store.h"

int LoadLayoutFile(const char* path, CRvoDoc* doc, CLabelSetup& setup, CFieldList& fieldList, RECT* bounds) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFileBytes(path, bytes)) return 0;
  if (!IsVersionStoreBytes(bytes)) return ReadLabelStreamBytes(bytes, doc, setup, &fieldList, bounds);
  // The current version is decoded in memory: nothing is written beside
  // the file when it opens.
  UniqueXmlDoc store = ParseVersionStore(bytes);
  std::vector<uint8_t> stream;
  if (!store || !VersionStream(store.get(), nullptr, stream)) return 0;
  return ReadLabelStreamBytes(stream, doc, setup, &fieldList, bounds);
}

int LayoutFileWriteBlock(const char* path) {
  struct stat st {};
  if (!path || ::stat(path, &st) != 0) return 0;
  if (!S_ISREG(st.st_mode)) return 2;
  return (st.st_mode & S_IWUSR) && ::access(path, W_OK) == 0 ? 0 : 1;
}
