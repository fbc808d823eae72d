#include "fields/services/field_services.h"

#include <atomic>

namespace {
std::atomic<const FieldDataServices*> g_services{nullptr};
}  // namespace

void SetFieldDataServices(const FieldDataServices* services) { g_services = services; }

const FieldDataServices* GetFieldDataServices() { return g_services.load(); }

AString FormatFieldDateTime(const CField& field, int* length) {
  const FieldDataServices* s = g_services.load();
  if (s && s->FormatFieldDateTime) return s->FormatFieldDateTime(field, length);
  if (length) *length = 0;
  return AString();
}

int ReadCounterFile(const char* path, CCounterFileData* data) {
  const FieldDataServices* s = g_services.load();
  return s && s->ReadCounterFile ? s->ReadCounterFile(path, data) : 0;
}
