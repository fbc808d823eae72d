#include "image/io/pltrace.h"

#include <cstdio>
#include <string>

namespace {

// The process-wide trace settings; nothing in the designer names a file.
int g_TraceLevel = 0;
std::string g_TraceFile;

}  // namespace

void Trace(int level, const char* text) {
  if (g_TraceLevel < level || g_TraceFile.empty() || !text) return;
  if (std::FILE* f = std::fopen(g_TraceFile.c_str(), "a")) {
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
  g_TraceLevel = level;
  g_TraceFile = fileName ? fileName : "";
}

int GetTraceLevel() { return g_TraceLevel; }

void ResetTraceFileName() { g_TraceFile.clear(); }
