#include "image/io/plfilesink.h"

#include <sys/stat.h>

#include "image/io/growable.h"

namespace {

// Only a regular file that this sink created is removed (never a device
// such as /dev/null that it was pointed at).
void RemovePartialFile(const std::string& path) {
  struct stat st;
  if (!path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) std::remove(path.c_str());
}

}  // namespace

PLFileSink::~PLFileSink() { Abandon(); }

int PLFileSink::Open(const char* path, int bufferSize) {
  Abandon();
  if (!path) return -1;
  m_pFile = std::fopen(path, "wb");
  if (!m_pFile) return -1;
  m_Path = path;
  m_Buffer.clear();
  if (!GrowSinkBuffer(m_Buffer, bufferSize > 0 ? size_t(bufferSize) : 1)) {
    Abandon();
    return -1;
  }
  InitSink(path, m_Buffer.data(), int(m_Buffer.size()));
  return 0;
}

bool PLFileSink::Reserve(size_t total) {
  if (!GrowSinkBuffer(m_Buffer, total)) return false;
  SetBuffer(m_Buffer.data(), int(m_Buffer.size()));
  return true;
}

int PLFileSink::Close() {
  if (!m_pFile) {
    PLDataSink::Close();
    return 0;
  }
  size_t n = size_t(GetBytesWritten());
  bool ok = std::fwrite(m_Buffer.data(), 1, n, m_pFile) == n;
  ok = std::fflush(m_pFile) == 0 && ok;
  ok = std::fclose(m_pFile) == 0 && ok;
  m_pFile = nullptr;
  if (!ok) RemovePartialFile(m_Path);
  m_Path.clear();
  std::vector<PLBYTE>().swap(m_Buffer);
  PLDataSink::Close();
  return ok ? 1 : 0;
}

void PLFileSink::Abandon() {
  if (m_pFile) {
    std::fclose(m_pFile);
    m_pFile = nullptr;
    RemovePartialFile(m_Path);
  }
  m_Path.clear();
  std::vector<PLBYTE>().swap(m_Buffer);
  if (IsOpen()) PLDataSink::Close();
}
