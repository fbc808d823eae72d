#include "fields/services/field_services.h"

#include <atomic>
#include <cstdio>

namespace {
std::atomic<const FieldDataServices*> g_services{nullptr};

void ReportMissing(const char* service) {
  std::fprintf(stderr, "%s called, but the program installed no field data services\n", service);
}
}  // namespace

bool SetFieldDataServices(const FieldDataServices* services) {
  if (services && (!services->FormatFieldDateTime || !services->ReadCounterFile)) {
    std::fprintf(stderr, "field data services refused: an entry of the table is missing\n");
    return false;
  }
  g_services = services;
  return true;
}

const FieldDataServices* GetFieldDataServices() { return g_services.load(); }

AString FormatFieldDateTime(const CField& field, int* length) {
  const FieldDataServices* s = g_services.load();
  if (s) return s->FormatFieldDateTime(field, length);
  ReportMissing("FormatFieldDateTime");
  if (length) *length = 0;
  return AString();
}

int ReadCounterFile(const char* path, CCounterFileData* data) {
  const FieldDataServices* s = g_services.load();
  if (s) return s->ReadCounterFile(path, data);
  ReportMissing("ReadCounterFile");
  return 0;
}
