#include "image/io/pltrace.h"

#include <cstdio>
#include <mutex>
#include <string>

namespace {

// The process-wide trace settings; nothing in the designer names a file.
// Pictures are decoded on several threads at once (a preview while a print
// runs), so the settings and the writes to the file share one lock.
struct TraceSettings {
  std::mutex lock;
  int level = 0;
  std::string file;
};

TraceSettings& Settings() {
  static TraceSettings settings;
  return settings;
}

}  // namespace

void Trace(int level, const char* text) {
  if (!text) return;
  TraceSettings& s = Settings();
  std::lock_guard<std::mutex> guard(s.lock);
  if (s.level < level || s.file.empty()) return;
  if (std::FILE* f = std::fopen(s.file.c_str(), "a")) {
    std::fputs(text, f);
    std::fclose(f);
  }
}

void RaiseError(int, const char* text) {
  char line[256];
  std::snprintf(line, sizeof line, "Decoder error: %s\n", text ? text : "");
  Trace(0, line);
}

void SetTraceConfig(int level, const char* fileName) {
  TraceSettings& s = Settings();
  std::lock_guard<std::mutex> guard(s.lock);
  s.level = level;
  s.file = fileName ? fileName : "";
}

int GetTraceLevel() {
  TraceSettings& s = Settings();
  std::lock_guard<std::mutex> guard(s.lock);
  return s.level;
}
