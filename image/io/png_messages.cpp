#include "image/io/png_messages.h"

#include "image/io/pltrace.h"

void PngRaiseError(png_structp png, png_const_charp message) {
  RaiseError(2, message ? message : "");
  png_longjmp(png, 1);
}

void PngIgnoreWarning(png_structp, png_const_charp) {}
