#include "document/core/file_status.h"

#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

bool ReadLayoutFileStatus(const char* path, LayoutFileStatus& status) {
  struct stat st {};
  if (!path || ::stat(path, &st) != 0) return false;
  status.modifiedTime = st.st_mtim.tv_sec;
  status.changeTime = st.st_ctim.tv_sec;
  status.size = st.st_size;
  // Read-only: the owner may not write it (root could, but the file says
  // no), or this process may not.
  status.attribute = ((st.st_mode & S_IWUSR) && ::access(path, W_OK) == 0) ? 0 : 1;
  char full[4096];
  status.fullName = AString(::realpath(path, full) ? full : path);
  return true;
}
