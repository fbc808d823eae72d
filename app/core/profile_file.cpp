#include "app/core/profile_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/win.h"

bool CProfileFile::Exists() const {
  struct stat st{};
  return !m_path.empty() && ::stat(m_path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool CProfileFile::Create(const char* productName) const {
  std::FILE* file = std::fopen(m_path.c_str(), "w");
  if (!file) return false;
  const bool written = std::fprintf(file, ";Init file for %s\n", productName) > 0;
  return std::fclose(file) == 0 && written;
}

int CProfileFile::GetInt(const char* section, const char* key, int defaultValue) const {
  if (!Has(section, key)) return defaultValue;
  const AString text = GetString(section, key, "");
  errno = 0;
  const long long value = std::strtoll(text.GetData(), nullptr, 10);
  return static_cast<int>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

AString CProfileFile::GetString(const char* section, const char* key, const char* defaultValue) const {
  // Profile values are single lines; paths are the longest of them.
  std::vector<char> buffer(4096);
  const DWORD n = ::GetPrivateProfileStringA(section, key, defaultValue ? defaultValue : "", buffer.data(),
                                             static_cast<DWORD>(buffer.size()), m_path.c_str());
  return AString(static_cast<int>(n), buffer.data());
}

bool CProfileFile::Has(const char* section, const char* key) const {
  // Two different defaults can only both come back when the key is missing.
  char a[4]{}, b[4]{};
  ::GetPrivateProfileStringA(section, key, "\x01", a, sizeof a, m_path.c_str());
  ::GetPrivateProfileStringA(section, key, "\x02", b, sizeof b, m_path.c_str());
  return !(a[0] == '\x01' && b[0] == '\x02');
}

bool CProfileFile::WriteInt(const char* section, const char* key, int value) const {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  return WriteString(section, key, text);
}

bool CProfileFile::WriteString(const char* section, const char* key, const char* value) const {
  return ::WritePrivateProfileStringA(section, key, value ? value : "", m_path.c_str()) != FALSE;
}

bool CProfileFile::WriteDouble(const char* section, const char* key, double value) const {
  char text[64];
  std::snprintf(text, sizeof text, "%f", value);
  return WriteString(section, key, text);
}
