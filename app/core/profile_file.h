// The designer's INI profile: one file, read and written through the
// platform's private-profile calls so that the framework's profile functions
// (pointed at the same path) and these helpers never disagree.
#pragma once

#include <optional>
#include <string>

#include "foundation/string/astring.h"

class CProfileFile {
 public:
  CProfileFile() = default;
  explicit CProfileFile(std::string path) : m_path(std::move(path)) {}

  const std::string& Path() const { return m_path; }
  bool Exists() const;
  // Creates the file with its one comment line; false when it cannot.
  bool Create(const char* productName) const;

  // Integers as the framework reads them: a missing key gives the default,
  // text that is no number gives 0; values beyond 32 bits saturate instead of
  // wrapping into range.
  int GetInt(const char* section, const char* key, int defaultValue) const;
  AString GetString(const char* section, const char* key, const char* defaultValue) const;
  // True when the key is present (even empty).
  bool Has(const char* section, const char* key) const;
  bool WriteInt(const char* section, const char* key, int value) const;
  bool WriteString(const char* section, const char* key, const char* value) const;
  // "%f", as the numbers kept as decimal text are written.
  bool WriteDouble(const char* section, const char* key, double value) const;

 private:
  std::string m_path;
};
