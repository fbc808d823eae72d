// libpng's error and warning routines, shared by the PNG decoder and
// encoder: an error is raised through RaiseError (code 2) and ends in a
// longjmp to the caller's setjmp, as no exception may pass through libpng.
#pragma once

#include <png.h>

[[noreturn]] void PngRaiseError(png_structp png, png_const_charp message);
void PngIgnoreWarning(png_structp png, png_const_charp message);
