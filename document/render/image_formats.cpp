#include "document/render/image_formats.h"

AString GetImageFormatExtension(int code) {
  for (const ImageFormatExtension& e : kImageFormatExtensions) {
    if (e.code == 0) break;
    if (e.code == code) return AString(e.text);
  }
  return AString();
}
