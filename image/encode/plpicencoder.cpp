#include "image/encode/plpicencoder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

#include "image/io/plfilesink.h"
#include "image/io/pltrace.h"

PLBmp* PLPicEncoder::WidenedTo32(PLBmp* bmp, std::initializer_list<int> widened, PLAnyBmp& copy) {
  const int bpp = bmp->GetBitsPerPixel();
  for (int depth : widened) {
    if (depth != bpp) continue;
    copy.CreateCopy(*bmp, 32);
    return copy.GetBitsPerPixel() == 32 ? &copy : nullptr;
  }
  return bmp;
}

int PLPicEncoder::InitialSinkSize(PLBmp* bmp) {
  // The product is taken in extended precision, where 20000 x 1.2 falls
  // just short of 24000 and truncates to 23999.
  long double used = static_cast<long double>(bmp->GetMemoryUsed());
  long double size = used > 19999 ? used * static_cast<long double>(1.2) : used + 4096;
  if (size > static_cast<long double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  return int(size);
}

int PLPicEncoder::MakeFileFromBmp(const char* path, PLBmp* bmp) {
  char line[1100];
  std::snprintf(line, sizeof line, "--- Encoding file %s. ---\n", path ? path : "");
  Trace(1, line);
  PLFileSink sink;
  if (sink.Open(path, InitialSinkSize(bmp)) != 0) {
    std::snprintf(line, sizeof line, "Opening %s failed: %s", path ? path : "", std::strerror(errno));
    RaiseError(4, line);
    return 0;
  }
  if (!SaveBmp(bmp, &sink)) {
    sink.Abandon();
    return 0;
  }
  return sink.Close();
}

int PLPicEncoder::SaveBmp(PLBmp* bmp, PLDataSink* sink) { return DoEncode(bmp, sink); }
